#include "DonemOzeti.h"

#include "Bicim.h"
#include "Doldurma.h"

#include <QHelpEvent>
#include <QStatusBar>
#include <QToolTip>

#include <climits>

namespace
{

const QString ayrac = QStringLiteral(" | ");

} // namespace

DonemOzeti::DonemOzeti(QStatusBar* durumCubugu) : QLabel(durumCubugu), cubuk(durumCubugu)
{
    setObjectName(QStringLiteral("DönemÖzetiEtiketi"));
    setTextFormat(Qt::RichText);
    // Figures to read and copy, not the caption of a control.
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setContentsMargins(4, 0, 4, 0);
    // The text fits the bar rather than widening it, and leaves room for the bar's messages.
    setMinimumWidth(1);
    cubuk->addPermanentWidget(this);
    cubuk->installEventFilter(this);
    connect(cubuk, &QStatusBar::messageChanged, this, &DonemOzeti::sigdir);
}

void DonemOzeti::oku(const Donem& yeni)
{
    donem = yeni;
    toplamlar = {ButceVerisi::donemToplami(gelirDefteri(), donem),
                 ButceVerisi::donemToplami(giderDefteri(), donem)};
    bas();
}

void DonemOzeti::duzelt(const DefterTanimi& defter, const ButceVerisi::Kayit& once,
                        const ButceVerisi::Kayit& sonra)
{
    ButceVerisi::DonemToplami& t = toplamlar[&defter == &giderDefteri()];
    const auto sinirda = [](qint64 x) { return x == LLONG_MAX || x == LLONG_MIN; };
    const auto ekle = [&](const ButceVerisi::Kayit& k, int isaret) {
        if (!donem.kapsar(k.yil, k.ay))
            return;
        t.tahminKurus = Tutar::topla(t.tahminKurus, isaret * k.tahminKurus.value_or(0));
        t.gerceklesenKurus =
            Tutar::topla(t.gerceklesenKurus, isaret * k.gerceklesenKurus.value_or(0));
        t.okunamayan += isaret * k.okunamayan;
    };
    // A sum held at its limit no longer tells what one entry adds to it.
    if (sinirda(t.tahminKurus) || sinirda(t.gerceklesenKurus))
        return oku(donem);
    ekle(once, -1);
    ekle(sonra, 1);
    if (sinirda(t.tahminKurus) || sinirda(t.gerceklesenKurus))
        return oku(donem);
    bas();
}

void DonemOzeti::bas()
{
    const auto& [gelirler, giderler] = toplamlar;
    const auto defterParcasi = [](const QString& ad, const ButceVerisi::DonemToplami& t) {
        const QString tahmin = Bicim::tutar(t.tahminKurus);
        const QString gerceklesen = Bicim::tutar(t.gerceklesenKurus);
        return Parca{
            QStringLiteral("%1: %2 planlanan · %3 gerçekleşen").arg(ad, tahmin, gerceklesen),
            QStringLiteral("%1: %2 plan · %3 gerçek").arg(ad, tahmin, gerceklesen),
            QStringLiteral("%1: %2").arg(ad, gerceklesen), gerceklesen};
    };
    const qint64 fark = gelirler.gerceklesenKurus - giderler.gerceklesenKurus;
    const QString farkMetni = Bicim::tutar(fark);
    goster(
        {defterParcasi(QStringLiteral("Gelir"), gelirler),
         defterParcasi(QStringLiteral("Gider"), giderler),
         {QStringLiteral("Fark (gerçekleşen): ") + farkMetni, QStringLiteral("Fark: ") + farkMetni,
          QStringLiteral("Fark: ") + farkMetni, farkMetni, fark < 0}},
        Bicim::okunamayanlar(gelirler.okunamayan + giderler.okunamayan));
}

void DonemOzeti::goster(const QList<Parca>& yeniParcalar, const QString& ek)
{
    parcalar = yeniParcalar;
    QStringList ipuclari;
    for (const Parca& p : parcalar)
        ipuclari << ipucu(p);
    if (!ek.isEmpty())
        ipuclari << ek;
    setToolTip(ipuclari.join(u'\n'));
    QStringList uzunlar;
    for (const Parca& p : parcalar)
        uzunlar << p.uzun;
    setAccessibleName(uzunlar.join(ayrac));
    setAccessibleDescription(QStringLiteral("Dönem: ") + donem.ad());
    sigdir();
}

QStringList DonemOzeti::metinler(int kisaltma) const
{
    QStringList sonuc;
    for (const Parca& p : parcalar)
        sonuc << (kisaltma == 0 ? p.tam : kisaltma == 1 ? p.kisa : p.rakam);
    return sonuc;
}

QString DonemOzeti::ipucu(const Parca& parca) const
{
    return QStringLiteral("%1 (%2)").arg(parca.uzun, donem.ad());
}

void DonemOzeti::sigdir()
{
    int yer = cubuk->width() - pay - contentsMargins().left() - contentsMargins().right();
    if (!cubuk->currentMessage().isEmpty())
        yer -= cubuk->fontMetrics().horizontalAdvance(cubuk->currentMessage()) + pay;
    duzey = 0;
    while (duzey < 2 && fontMetrics().horizontalAdvance(metinler(duzey).join(ayrac)) > yer)
        ++duzey;
    QStringList parcaMetinleri = metinler(duzey);
    for (int i = 0; i < parcalar.size(); ++i) {
        parcaMetinleri[i] = parcaMetinleri[i].toHtmlEscaped();
        if (parcalar[i].uyari)
            parcaMetinleri[i] = QStringLiteral("<span style=\"color:%1\">%2</span>")
                                    .arg(Doldurma::uyariRengi.name(), parcaMetinleri[i]);
    }
    setText(parcaMetinleri.join(ayrac));
}

bool DonemOzeti::eventFilter(QObject* nesne, QEvent* olay)
{
    if (nesne == cubuk && olay->type() == QEvent::Resize)
        sigdir();
    return QLabel::eventFilter(nesne, olay);
}

// The part under the mouse tells its own figures in full, with the period.
bool DonemOzeti::event(QEvent* olay)
{
    if (olay->type() != QEvent::ToolTip || parcalar.isEmpty())
        return QLabel::event(olay);
    const auto* yardim = static_cast<QHelpEvent*>(olay);
    const QStringList gorunen = metinler(duzey);
    int x = contentsRect().right() - fontMetrics().horizontalAdvance(gorunen.join(ayrac));
    for (int i = 0; i < gorunen.size(); ++i) {
        x += fontMetrics().horizontalAdvance(gorunen[i] + ayrac);
        if (yardim->pos().x() < x || i == gorunen.size() - 1) {
            QToolTip::showText(yardim->globalPos(), ipucu(parcalar[i]), this);
            return true;
        }
    }
    return true;
}

#include "DonemOzeti.h"

#include "Doldurma.h"

#include <QHelpEvent>
#include <QStatusBar>
#include <QToolTip>

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

void DonemOzeti::goster(const QList<Parca>& yeniParcalar, const QString& yeniDonem,
                        const QString& ek)
{
    parcalar = yeniParcalar;
    donem = yeniDonem;
    QStringList ipuclari;
    for (const Parca& p : parcalar)
        ipuclari << ipucu(p);
    if (!ek.isEmpty())
        ipuclari << ek;
    setToolTip(ipuclari.join(u'\n'));
    setAccessibleName(metinler(0).join(ayrac));
    setAccessibleDescription(QStringLiteral("Dönem: ") + donem);
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
    return QStringLiteral("%1 (%2)").arg(parca.tam, donem);
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

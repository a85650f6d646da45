#include "HedefSecici.h"

#include "ButceVerisi.h"
#include "DefterTanimi.h"
#include "MesajKutusu.h"
#include "TurkceMetin.h"

#include <QCompleter>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStringListModel>

GrupKutusu::GrupKutusu(QWidget* ust) : QComboBox(ust)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setMinimumContentsLength(14);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    // The offers are filtered here by the Turkish rules; the completer shows them as they are.
    oneriler = new QStringListModel(this);
    auto* tamamlayici = new QCompleter(oneriler, this);
    tamamlayici->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    setCompleter(tamamlayici);
    connect(lineEdit(), &QLineEdit::textEdited, this, &GrupKutusu::suz);
}

void GrupKutusu::secenekler(const QStringList& yeniAdlar)
{
    adlar = yeniAdlar;
    const QSignalBlocker durdur(this);
    clear();
    addItems(adlar);
    setCurrentIndex(-1);
    setEditText(QString());
}

void GrupKutusu::suz(const QString& metin)
{
    const QString aranan = TurkceMetin::buyukHarf(metin.trimmed());
    QStringList uyanlar;
    for (const QString& ad : std::as_const(adlar))
        if (TurkceMetin::buyukHarf(ad).contains(aranan))
            uyanlar << ad;
    oneriler->setStringList(uyanlar);
    if (!aranan.isEmpty() && !uyanlar.isEmpty())
        completer()->complete();
}

QString GrupKutusu::ad() const
{
    const QString yazilan = currentText().trimmed();
    for (const QString& ad : adlar)
        if (TurkceMetin::esit(ad, yazilan))
            return ad;
    return yazilan;
}

HedefSecici::HedefSecici(QWidget* ust) : QWidget(ust)
{
    auto* satir = new QHBoxLayout(this);
    satir->setContentsMargins(0, 0, 0, 0);
    const auto ekle = [&](const QString& etiket, QWidget* kutu, const QString& ad) {
        auto* yazi = new QLabel(etiket, this);
        yazi->setContentsMargins(2, 0, 2, 0); // the caption never touches its neighbour
        yazi->setBuddy(kutu);
        kutu->setObjectName(ad);
        kutu->setAccessibleName(etiket.chopped(1));
        satir->addWidget(yazi);
        satir->addWidget(kutu, 1);
    };
    DefterKutusu = new QComboBox(this);
    DefterKutusu->addItem(gelirDefteri().ad);
    DefterKutusu->addItem(giderDefteri().ad);
    DefterKutusu->addItem(QStringLiteral("Yok say"));
    AnaGrupKutusu = new GrupKutusu(this);
    AltGrupKutusu = new GrupKutusu(this);
    ekle(QStringLiteral("&Defter:"), DefterKutusu, QStringLiteral("DefterKutusu"));
    ekle(QStringLiteral("Ana &Grup:"), AnaGrupKutusu, QStringLiteral("AnaGrupKutusu"));
    ekle(QStringLiteral("Alt G&rup:"), AltGrupKutusu, QStringLiteral("AltGrupKutusu"));
    connect(DefterKutusu, &QComboBox::currentIndexChanged, this, &HedefSecici::defterDegisti);
    connect(AnaGrupKutusu, &QComboBox::currentTextChanged, this, &HedefSecici::anaGrupDegisti);
    connect(AltGrupKutusu, &QComboBox::currentTextChanged, this, &HedefSecici::degisti);
    defterDegisti();
}

const DefterTanimi* HedefSecici::defter() const
{
    switch (DefterKutusu->currentIndex()) {
    case 0:
        return &gelirDefteri();
    case 1:
        return &giderDefteri();
    default:
        return nullptr;
    }
}

std::optional<Hedef> HedefSecici::hedef() const
{
    const DefterTanimi* d = defter();
    if (!d)
        return Hedef::yokSay();
    const Hedef h{d, AnaGrupKutusu->ad(), AltGrupKutusu->ad()};
    if (h.anaGrup.isEmpty() || h.altGrup.isEmpty())
        return std::nullopt;
    return h;
}

void HedefSecici::defteriSec(const DefterTanimi* d)
{
    const int sira = !d ? 2 : d == &gelirDefteri() ? 0 : 1;
    if (sira == DefterKutusu->currentIndex())
        defterDegisti(); // the groups emptied all the same
    else
        DefterKutusu->setCurrentIndex(sira);
}

void HedefSecici::goster(const Hedef& hedef)
{
    defteriSec(hedef.defter);
    AnaGrupKutusu->setEditText(hedef.anaGrup);
    AltGrupKutusu->setEditText(hedef.altGrup);
}

void HedefSecici::defterDegisti()
{
    const DefterTanimi* d = defter();
    QStringList adlar;
    if (d)
        MesajKutusu::hatalariGostererek(this, [&] { adlar = ButceVerisi::anaGruplar(*d); });
    AnaGrupKutusu->secenekler(adlar);
    AnaGrupKutusu->setEnabled(d);
    AltGrupKutusu->setEnabled(d);
    anaGrupDegisti();
}

void HedefSecici::anaGrupDegisti()
{
    const DefterTanimi* d = defter();
    QStringList adlar;
    if (d)
        MesajKutusu::hatalariGostererek(this, [&] {
            if (ButceVerisi::anaGrupVar(*d, AnaGrupKutusu->ad()))
                adlar = ButceVerisi::altGruplar(*d, AnaGrupKutusu->ad());
        });
    const QString yazilan = AltGrupKutusu->currentText();
    AltGrupKutusu->secenekler(adlar);
    AltGrupKutusu->setEditText(yazilan);
    emit degisti();
}

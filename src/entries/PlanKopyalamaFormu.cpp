#include "PlanKopyalamaFormu.h"

#include "Denetim.h"
#include "Doldurma.h"
#include "MesajKutusu.h"
#include "Takvim.h"
#include "VeriHatasi.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

using Denetim::twipAlani;

namespace
{

enum Defterler { Gelirler, Giderler, IkisiDe };

const QString tumAylar = QStringLiteral("Tüm Aylar");

} // namespace

PlanKopyalamaFormu::PlanKopyalamaFormu(const Donem& donem, const Takvim::YilAraligi& yillar,
                                       QWidget* sahibi)
    : QDialog(sahibi)
{
    setObjectName(QStringLiteral("PlanKopyalamaFormu"));
    setWindowTitle(QStringLiteral("Planı Kopyala"));
    Denetim::sabitIletisimKutusu(this, 6240, 4530);

    defterKutusu = Denetim::yerlestir(new QComboBox(this), QStringLiteral("DefterKutusu"),
                                      twipAlani(1680, 240, 2415, 315), QStringLiteral("Defter"));
    defterKutusu->addItems(
        {QStringLiteral("Gelirler"), QStringLiteral("Giderler"), QStringLiteral("İkisi de")});
    defterKutusu->setCurrentIndex(IkisiDe);
    Denetim::etiket(this, QStringLiteral("Defter:"), twipAlani(240, 300, 1305, 195), true)
        ->setBuddy(defterKutusu);

    donemKur(QStringLiteral("Kaynak"), 240, yillar, kaynakYil, kaynakAy);
    donemKur(QStringLiteral("Hedef"), 3240, yillar, hedefYil, hedefAy);

    artisKutusu = Denetim::yerlestir(new QDoubleSpinBox(this), QStringLiteral("ArtışKutusu"),
                                     twipAlani(1680, 2160, 1335, 315), QStringLiteral("Artış (%)"));
    artisKutusu->setRange(-100, 1000);
    artisKutusu->setDecimals(2);
    artisKutusu->setAlignment(Qt::AlignRight);
    Denetim::etiket(this, QStringLiteral("Artış (%):"), twipAlani(240, 2220, 1305, 195), true)
        ->setBuddy(artisKutusu);

    yalnizcaBoslar = Denetim::yerlestir(new QCheckBox(QStringLiteral("Yalnızca boş olanlar"), this),
                                        QStringLiteral("YalnızcaBoşOlanlarKutusu"),
                                        twipAlani(3240, 2160, 2760, 315));
    yalnizcaBoslar->setChecked(true);

    onizleme = Denetim::yerlestir(new QLabel(this), QStringLiteral("ÖnizlemeEtiketi"),
                                  twipAlani(240, 2700, 5760, 855));
    onizleme->setWordWrap(true);
    onizleme->setTextInteractionFlags(Qt::TextSelectableByMouse);

    kopyalaDugmesi = Denetim::dugme(this, QStringLiteral("KopyalaDüğmesi"),
                                    QStringLiteral("Kopyala"), twipAlani(3120, 3870, 1395, 345));
    auto* vazgec = Denetim::dugme(this, QStringLiteral("VazgeçDüğmesi"), QStringLiteral("Vazgeç"),
                                  twipAlani(4605, 3870, 1395, 345));
    connect(kopyalaDugmesi, &QPushButton::clicked, this, [this] { KopyalaDugmesi_Click(); });
    connect(vazgec, &QPushButton::clicked, this, &QDialog::reject);

    const int yil = donem.yil.value_or(QDate::currentDate().year());
    const int ay = donem.ay;
    const bool yilBoyu = ay == 0;
    const QDate hedef(yil, std::max(ay, 1), 1);
    const QDate kaynak = yilBoyu ? hedef.addYears(-1) : hedef.addMonths(-1);
    hedefYil->setCurrentText(QString::number(yil));
    hedefAy->setCurrentIndex(ay);
    kaynakYil->setCurrentText(QString::number(std::max(kaynak.year(), yillar.ilk)));
    kaynakAy->setCurrentIndex(yilBoyu ? 0 : kaynak.month());

    for (QComboBox* kutu : {defterKutusu, kaynakYil, kaynakAy, hedefYil, hedefAy})
        connect(kutu, &QComboBox::currentIndexChanged, this, [this] { onizle(); });
    connect(kaynakAy, &QComboBox::currentIndexChanged, this,
            [this] { aylariEsle(kaynakAy, hedefAy); });
    connect(hedefAy, &QComboBox::currentIndexChanged, this,
            [this] { aylariEsle(hedefAy, kaynakAy); });
    connect(artisKutusu, &QDoubleSpinBox::valueChanged, this, [this] { onizle(); });
    connect(yalnizcaBoslar, &QCheckBox::toggled, this, [this] { onizle(); });
    onizle();
}

void PlanKopyalamaFormu::donemKur(const QString& baslik, int sol, const Takvim::YilAraligi& yillar,
                                  QComboBox*& yil, QComboBox*& ay)
{
    auto* cerceve = new QGroupBox(baslik, this);
    cerceve->setGeometry(twipAlani(sol, 720, 2760, 1200));
    yil = Denetim::yerlestir(new QComboBox(cerceve), baslik + QStringLiteral("YılKutusu"),
                             twipAlani(720, 330, 1800, 315), baslik + QStringLiteral(" Yılı"));
    ay = Denetim::yerlestir(new QComboBox(cerceve), baslik + QStringLiteral("AyKutusu"),
                            twipAlani(720, 750, 1800, 315), baslik + QStringLiteral(" Ayı"));
    ay->addItem(tumAylar);
    Doldurma::AyYilEkle(yil, ay, yillar);
    Denetim::etiket(cerceve, QStringLiteral("Yıl:"), twipAlani(120, 390, 480, 195), true)
        ->setBuddy(yil);
    Denetim::etiket(cerceve, QStringLiteral("Ay:"), twipAlani(120, 810, 480, 195), true)
        ->setBuddy(ay);
}

void PlanKopyalamaFormu::aylariEsle(QComboBox* degisen, QComboBox* oteki)
{
    if ((degisen->currentIndex() == 0) != (oteki->currentIndex() == 0))
        oteki->setCurrentIndex(degisen->currentIndex());
}

QList<const DefterTanimi*> PlanKopyalamaFormu::defterler() const
{
    switch (defterKutusu->currentIndex()) {
    case Gelirler:
        return {&gelirDefteri()};
    case Giderler:
        return {&giderDefteri()};
    default:
        return {&gelirDefteri(), &giderDefteri()};
    }
}

PlanKopyasi PlanKopyalamaFormu::kopya() const
{
    return {.kaynak = {kaynakYil->currentText().toInt(), kaynakAy->currentIndex()},
            .hedef = {hedefYil->currentText().toInt(), hedefAy->currentIndex()},
            .artisYuzde = artisKutusu->value(),
            .yalnizcaBoslar = yalnizcaBoslar->isChecked()};
}

void PlanKopyalamaFormu::onizle()
{
    kopyalaDugmesi->setEnabled(false);
    const PlanKopyasi k = kopya();
    if (k.kaynak == k.hedef) {
        onizleme->setText(QStringLiteral("Kaynak ile hedef aynı dönem; kopyalanacak bir şey yok."));
        return;
    }
    try {
        const PlanSayilari sayilar = k.say(defterler());
        onizleme->setText(QStringLiteral("%1 kayıt oluşturulacak, %2 kayıt atlanacak.")
                              .arg(sayilar.olusacak)
                              .arg(sayilar.atlanacak));
        kopyalaDugmesi->setEnabled(sayilar.olusacak > 0);
    } catch (const VeriHatasi& hata) {
        onizleme->setText(hata.aciklama());
    }
}

void PlanKopyalamaFormu::KopyalaDugmesi_Click()
{
    if (!kopyalaDugmesi->isEnabled())
        return;
    const MesajKutusu::Komut komut;
    KopyalananPlan sonuc;
    if (!MesajKutusu::hatalariGostererek(this, [&] { sonuc = kopya().kopyala(defterler()); })) {
        onizle();
        return;
    }
    emit planKopyalandi(sonuc.sayilar.olusacak, sonuc.sayilar.atlanacak, sonuc.degisiklik);
    accept();
}

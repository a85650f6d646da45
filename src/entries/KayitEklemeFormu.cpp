#include "KayitEklemeFormu.h"

#include "Bicim.h"
#include "ButceVerisi.h"
#include "Denetim.h"
#include "Doldurma.h"
#include "MesajKutusu.h"
#include "SaltOkunurKutu.h"
#include "TurkceMetin.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cstdlib>

using Denetim::twipAlani;

namespace
{

// Why the text of an amount box cannot be stored; none when it can (zero has a message of its own).
std::optional<QString> tutarSorunu(const QLineEdit* kutu)
{
    const std::optional<qint64> kurus = Bicim::tutarOku(kutu->text());
    if (!kurus)
        return QStringLiteral("%1 okunamadı: \"%2\". Örnek: %3")
            .arg(kutu->accessibleName(), kutu->text(), Bicim::tutar(1'250'000));
    if (std::llabs(*kurus) > KayitEklemeFormu::enBuyukKurus)
        return QStringLiteral("%1 saklanamayacak kadar büyük; en çok %2 olabilir.")
            .arg(kutu->accessibleName(), Bicim::tutar(KayitEklemeFormu::enBuyukKurus));
    return std::nullopt;
}

// Marks a box whose text cannot be stored in the warning colour, its tooltip saying why.
void isaretle(QLineEdit* kutu, const std::optional<QString>& sorun)
{
    QPalette renkler = QApplication::palette(kutu);
    if (sorun)
        renkler.setColor(QPalette::Text, Doldurma::uyariRengi);
    kutu->setPalette(renkler);
    kutu->setToolTip(sorun.value_or(QString()));
}

QString kutuAdi(const QString& etiket)
{
    return etiket.endsWith(u':') ? etiket.chopped(1) : etiket;
}

// Chooses the item equal to the stored text in any letter case; a text no item has, as other
// tools may write, is offered as it is so that saving keeps it.
void secVeyaEkle(QComboBox* kutu, const QString& metin)
{
    for (int i = 0; i < kutu->count(); ++i)
        if (TurkceMetin::esit(kutu->itemText(i), metin)) {
            kutu->setCurrentIndex(i);
            return;
        }
    kutu->addItem(metin);
    kutu->setCurrentIndex(kutu->count() - 1);
}

QString tutarMetni(const std::optional<double>& tutar)
{
    return tutar ? Bicim::tutar(Bicim::kurusa(*tutar)) : QString();
}

// Room for the line naming the groups of the entry being corrected.
constexpr int grupSatiri = 450;

} // namespace

KayitEklemeFormu::KayitEklemeFormu(const DefterTanimi& defterTanimi, const Secim& ilkSecim,
                                   QWidget* sahibi)
    : QDialog(sahibi), defter(defterTanimi), secim(ilkSecim)
{
    setWindowTitle(defter.eklemeBasligi);
    kur(0);
    YilBilgisiKutusu->setCurrentIndex(-1);
    AyBilgisiKutusu->setCurrentIndex(-1);
    EkleKaydetDugmesi->setFocus();
}

KayitEklemeFormu::KayitEklemeFormu(const DefterTanimi& defterTanimi,
                                   const ButceVerisi::Kayit& kayit,
                                   const Takvim::YilAraligi& yillar, QWidget* sahibi)
    : QDialog(sahibi), defter(defterTanimi), secim{.anaGrup = kayit.anaGrup,
                                                   .altGrup = kayit.altGrup,
                                                   .yillar = yillar},
      duzenlenen(kayit.kimlik)
{
    setWindowTitle(defter.duzenlemeBasligi);
    kur(grupSatiri);
    duzenlemeyeAc(kayit);
}

void KayitEklemeFormu::kur(int ust)
{
    setObjectName(defter.adiyla("%1EklemeFormu"));
    Denetim::sabitIletisimKutusu(this, 5655, 3660 + ust);

    auto* cerceve = new QGroupBox(defter.bilgiCercevesi, this);
    cerceve->setGeometry(twipAlani(360, 330 + ust, 4905, 2415));
    const auto kutu = [&](auto* denetim, const char* ad, const QString& etiket, QRect alan,
                          int etiketUstu) {
        denetim->setObjectName(QString::fromUtf8(ad));
        denetim->setGeometry(alan);
        denetim->setAccessibleName(kutuAdi(etiket));
        denetim->setEnabled(false);
        // Labels are sized to their text and end at 1785 twips, against the inputs at 2040.
        Denetim::etiket(cerceve, etiket, twipAlani(0, etiketUstu, 1785, 195), true)
            ->setBuddy(denetim);
        return denetim;
    };
    YilBilgisiKutusu = kutu(new QComboBox(cerceve), "YılBilgisiKutusu", defter.yilEtiketi,
                            twipAlani(2040, 450, 2535, 315), 510);
    AyBilgisiKutusu = kutu(new QComboBox(cerceve), "AyBilgisiKutusu", defter.ayEtiketi,
                           twipAlani(2040, 880, 2535, 315), 930);
    TahminKutusu = kutu(new QLineEdit(cerceve), "TahminKutusu", defter.tahminEtiketi,
                        twipAlani(2040, 1310, 2505, 315), 1365);
    GerceklesenKutusu = kutu(new QLineEdit(cerceve), "GerçekleşenKutusu", defter.gerceklesenEtiketi,
                             twipAlani(2040, 1740, 2505, 315), 1800);
    for (QLineEdit* tutarKutusu : {TahminKutusu, GerceklesenKutusu}) {
        tutarKutusu->setAlignment(Qt::AlignRight);
        tutarKutusu->installEventFilter(this);
    }

    EkleKaydetDugmesi =
        Denetim::dugme(this, QStringLiteral("EkleKaydetDüğmesi"), defter.yeniKayitDugmesi,
                       twipAlani(360, 3000 + ust, 1965, 345));
    VazgecDugmesi = Denetim::dugme(this, QStringLiteral("VazgeçDüğmesi"), QStringLiteral("Vazgeç"),
                                   twipAlani(2400, 3000 + ust, 1395, 345));
    KapatDugmesi = Denetim::dugme(this, QStringLiteral("KapatDüğmesi"), QStringLiteral("Kapat"),
                                  twipAlani(3870, 3000 + ust, 1395, 345));
    setTabOrder(YilBilgisiKutusu, AyBilgisiKutusu);
    setTabOrder(AyBilgisiKutusu, TahminKutusu);
    setTabOrder(TahminKutusu, GerceklesenKutusu);
    setTabOrder(GerceklesenKutusu, EkleKaydetDugmesi);
    setTabOrder(EkleKaydetDugmesi, VazgecDugmesi);
    setTabOrder(VazgecDugmesi, KapatDugmesi);

    connect(EkleKaydetDugmesi, &QPushButton::clicked, this, [this] { EkleKaydetDugmesi_Click(); });
    connect(VazgecDugmesi, &QPushButton::clicked, this, [this] { VazgecDugmesi_Click(); });
    connect(KapatDugmesi, &QPushButton::clicked, this, [this] { KapatDugmesi_Click(); });
    // Enter in an amount box saves, with the amount as it will be shown.
    for (QLineEdit* tutarKutusu : {TahminKutusu, GerceklesenKutusu})
        connect(tutarKutusu, &QLineEdit::returnPressed, this, [this, tutarKutusu] {
            bicimle(tutarKutusu);
            EkleKaydetDugmesi_Click();
        });

    Doldurma::AyYilEkle(YilBilgisiKutusu, AyBilgisiKutusu, secim.yillar);
}

void KayitEklemeFormu::duzenlemeyeAc(const ButceVerisi::Kayit& kayit)
{
    const QString gruplar = kayit.anaGrup + QStringLiteral(" / ") + kayit.altGrup;
    auto* grupKutusu = new SaltOkunurKutu(this);
    grupKutusu->setText(gruplar);
    grupKutusu->setObjectName(QStringLiteral("GrupKutusu"));
    grupKutusu->setAccessibleName(QStringLiteral("Grup"));
    grupKutusu->setFocusPolicy(Qt::NoFocus);
    grupKutusu->setGeometry(twipAlani(2400, 240, 2865, 315));
    Denetim::etiket(this, QStringLiteral("Grup:"), twipAlani(360, 300, 1785, 195), true)
        ->setBuddy(grupKutusu);

    secVeyaEkle(YilBilgisiKutusu, QString::number(kayit.yil));
    secVeyaEkle(AyBilgisiKutusu, kayit.ay);
    TahminKutusu->setText(tutarMetni(kayit.tahmin));
    GerceklesenKutusu->setText(tutarMetni(kayit.gerceklesen));
    girdileriAc(true);
    EkleKaydetDugmesi->setText(QStringLiteral("Kaydet"));
    KapatDugmesi->hide();
    // A planned entry is opened to record what was realised.
    QLineEdit* ilk = kayit.gerceklesen ? TahminKutusu : GerceklesenKutusu;
    ilk->setFocus();
    ilk->selectAll();
}

bool KayitEklemeFormu::giriste() const
{
    return YilBilgisiKutusu->isEnabled();
}

void KayitEklemeFormu::girdileriAc(bool acik)
{
    for (QWidget* girdi : std::initializer_list<QWidget*>{YilBilgisiKutusu, AyBilgisiKutusu,
                                                          TahminKutusu, GerceklesenKutusu})
        girdi->setEnabled(acik);
}

void KayitEklemeFormu::EkleKaydetDugmesi_Click()
{
    if (giriste())
        kaydet();
    else
        giriseGec();
}

void KayitEklemeFormu::giriseGec()
{
    YilBilgisiKutusu->setCurrentIndex(YilBilgisiKutusu->findText(secim.yil));
    AyBilgisiKutusu->setCurrentIndex((secim.ay > 0 ? secim.ay : secim.bugun.month()) - 1);
    girdileriAc(true);
    EkleKaydetDugmesi->setText(QStringLiteral("Kaydet"));
    KapatDugmesi->setEnabled(false);
    YilBilgisiKutusu->setFocus();
}

std::optional<qint64> KayitEklemeFormu::gecerliTutar(QLineEdit* kutu, const QString& bosMesaji)
{
    if (const std::optional<QString> sorun = tutarSorunu(kutu)) {
        MesajKutusu::bilgi(this, *sorun);
    } else if (const qint64 kurus = *Bicim::tutarOku(kutu->text()); kurus != 0) {
        return kurus;
    } else {
        MesajKutusu::bilgi(this, bosMesaji);
    }
    kutu->setFocus();
    return std::nullopt;
}

void KayitEklemeFormu::kaydet()
{
    const MesajKutusu::Komut komut;
    const std::optional<qint64> tahmin = gecerliTutar(TahminKutusu, defter.bosTahminMesaji);
    if (!tahmin)
        return;
    const std::optional<qint64> gerceklesen =
        gecerliTutar(GerceklesenKutusu, defter.bosGerceklesenMesaji);
    if (!gerceklesen)
        return;
    const int yil = YilBilgisiKutusu->currentText().toInt();
    const QString ay = AyBilgisiKutusu->currentText();
    Degisiklik degisiklik;
    if (duzenlenen) {
        if (!MesajKutusu::hatalariGostererek(this, [&] {
                degisiklik = ButceVerisi::kayitGuncelle(
                    defter, *duzenlenen,
                    {yil, ay, double(*tahmin) / 100.0, double(*gerceklesen) / 100.0});
            }))
            return;
        if (degisiklik.bos())
            MesajKutusu::bilgi(this, kayitArtikYokMesaji);
        emit kayitDuzenlendi(*duzenlenen, degisiklik);
        accept();
        return;
    }
    const ButceVerisi::YeniKayit kayit{secim.anaGrup,
                                       secim.altGrup,
                                       yil,
                                       ay,
                                       double(*tahmin) / 100.0,
                                       double(*gerceklesen) / 100.0};
    if (!MesajKutusu::hatalariGostererek(
            this, [&] { degisiklik = ButceVerisi::kayitEkle(defter, kayit); }))
        return;
    emit kayitEklendi(degisiklik);
    VazgecDugmesi_Click();
}

void KayitEklemeFormu::VazgecDugmesi_Click()
{
    if (duzenlenen) {
        reject();
        return;
    }
    girdileriAc(false);
    YilBilgisiKutusu->setCurrentIndex(-1);
    AyBilgisiKutusu->setCurrentIndex(-1);
    for (QLineEdit* tutarKutusu : {TahminKutusu, GerceklesenKutusu}) {
        tutarKutusu->clear();
        isaretle(tutarKutusu, std::nullopt);
    }
    EkleKaydetDugmesi->setText(defter.yeniKayitDugmesi);
    KapatDugmesi->setEnabled(true);
}

void KayitEklemeFormu::KapatDugmesi_Click()
{
    if (KapatDugmesi->isEnabled())
        reject();
}

void KayitEklemeFormu::TahminKutusu_LostFocus()
{
    bicimle(TahminKutusu);
}

void KayitEklemeFormu::GerceklesenKutusu_LostFocus()
{
    bicimle(GerceklesenKutusu);
}

void KayitEklemeFormu::bicimle(QLineEdit* kutu)
{
    // A text that cannot be stored stays as typed, marked; saving it is refused with a message.
    const std::optional<QString> sorun = tutarSorunu(kutu);
    if (!sorun)
        kutu->setText(Bicim::tutar(*Bicim::tutarOku(kutu->text())));
    isaretle(kutu, sorun);
}

bool KayitEklemeFormu::eventFilter(QObject* nesne, QEvent* olay)
{
    if (olay->type() == QEvent::FocusOut) {
        if (nesne == TahminKutusu)
            TahminKutusu_LostFocus();
        else if (nesne == GerceklesenKutusu)
            GerceklesenKutusu_LostFocus();
    }
    return QDialog::eventFilter(nesne, olay);
}

void KayitEklemeFormu::keyPressEvent(QKeyEvent* olay)
{
    // Escape gives up the entry being filled in; with none, it closes the dialog.
    if (olay->key() == Qt::Key_Escape && giriste()) {
        VazgecDugmesi_Click();
        olay->accept();
        return;
    }
    QDialog::keyPressEvent(olay);
}

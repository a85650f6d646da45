#include "KayitEklemeFormu.h"

#include "BankaHareketleri.h"
#include "Bicim.h"
#include "ButceVerisi.h"
#include "Denetim.h"
#include "Doldurma.h"
#include "HareketlerFormu.h"
#include "MesajKutusu.h"
#include "SaltOkunurKutu.h"
#include "TurkceMetin.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
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

QString tutarMetni(const std::optional<qint64>& kurus)
{
    return kurus ? Bicim::tutar(*kurus) : QString();
}

// Room for the line naming the groups of the entry being corrected.
constexpr int grupSatiri = 450;

} // namespace

KayitEklemeFormu::KayitEklemeFormu(const DefterTanimi& defterTanimi, const Secim& ilkSecim,
                                   QWidget* sahibi)
    : EklemeFormu(sahibi), defter(defterTanimi), secim(ilkSecim)
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
    : EklemeFormu(sahibi), defter(defterTanimi), secim{.anaGrup = kayit.anaGrup,
                                                   .altGrup = kayit.altGrup,
                                                   .yillar = yillar},
      duzenlenen(kayit)
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
        Denetim::yerlestir(denetim, QString::fromUtf8(ad), alan, kutuAdi(etiket));
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
    for (QLineEdit* tutarKutusu : {TahminKutusu, GerceklesenKutusu})
        tutarKutusu->setAlignment(Qt::AlignRight);
    // Under the realised box, ending where it ends: the frame's width leaves the sentence whole.
    auto* planIpucu =
        Denetim::etiket(cerceve, QStringLiteral("Boş bırakılırsa plan olarak kaydedilir."),
                        twipAlani(240, 2085, 4305, 195), true);
    planIpucu->setObjectName(QStringLiteral("PlanİpucuEtiketi"));
    planIpucu->setBuddy(GerceklesenKutusu);
    QPalette ipucuRengi = planIpucu->palette();
    ipucuRengi.setColor(QPalette::WindowText, ipucuRengi.color(QPalette::PlaceholderText));
    planIpucu->setPalette(ipucuRengi);
    planIpucuEtiketi = planIpucu;

    dugmeleriKur(defter.yeniKayitDugmesi, twipAlani(360, 3000 + ust, 1965, 345),
                 twipAlani(2400, 3000 + ust, 1395, 345), twipAlani(3870, 3000 + ust, 1395, 345));
    girdileriKoy({YilBilgisiKutusu, AyBilgisiKutusu, TahminKutusu, GerceklesenKutusu});

    Doldurma::AyYilEkle(YilBilgisiKutusu, AyBilgisiKutusu, secim.yillar);
}

void KayitEklemeFormu::duzenlemeyeAc(const ButceVerisi::Kayit& kayit)
{
    const QString gruplar = kayit.anaGrup + QStringLiteral(" / ") + kayit.altGrup;
    auto* grupKutusu = Denetim::yerlestir(new SaltOkunurKutu(this), QStringLiteral("GrupKutusu"),
                                          twipAlani(2400, 240, 2865, 315), QStringLiteral("Grup"));
    grupKutusu->setText(gruplar);
    grupKutusu->setFocusPolicy(Qt::NoFocus);
    Denetim::etiket(this, QStringLiteral("Grup:"), twipAlani(360, 300, 1785, 195), true)
        ->setBuddy(grupKutusu);

    secVeyaEkle(YilBilgisiKutusu, QString::number(kayit.yil));
    secVeyaEkle(AyBilgisiKutusu, kayit.ay);
    TahminKutusu->setText(tutarMetni(kayit.tahminKurus));
    GerceklesenKutusu->setText(tutarMetni(kayit.gerceklesenKurus));
    girdileriAc(true);
    EkleKaydetDugmesi->setText(QStringLiteral("Kaydet"));
    KapatDugmesi->hide();
    // A planned entry is opened to record what was realised.
    QLineEdit* ilk = kayit.gerceklesenKurus ? TahminKutusu : GerceklesenKutusu;
    ilk->setFocus();
    ilk->selectAll();
}

void KayitEklemeFormu::hareketliOlarakAc()
{
    hareketli = true;
    planIpucuEtiketi->hide();
    auto* dugme = Denetim::yerlestir(
        new QPushButton(QStringLiteral("Hareketleri Göster…"), planIpucuEtiketi->parentWidget()),
        QStringLiteral("HareketleriGösterDüğmesi"), twipAlani(2040, 2085, 2505, 300));
    dugme->setAutoDefault(false);
    dugme->show();
    connect(dugme, &QPushButton::clicked, this, &KayitEklemeFormu::HareketleriGosterDugmesi_Click);
}

void KayitEklemeFormu::HareketleriGosterDugmesi_Click()
{
    std::unique_ptr<HareketlerFormu> form;
    if (MesajKutusu::hatalariGostererek(
            this, [&] { form = std::make_unique<HareketlerFormu>(defter, *duzenlenen, this); }))
        form->exec();
}

// Only a new period or realised amount concerns the movements behind the entry.
std::optional<Degisiklik> KayitEklemeFormu::duzeltmeyiYaz(const ButceVerisi::KayitDegeri& deger)
{
    bool ayir = false;
    if (hareketli &&
        (deger.yil != duzenlenen->yil || !TurkceMetin::esit(deger.ay, duzenlenen->ay) ||
         deger.gerceklesenKurus != duzenlenen->gerceklesenKurus)) {
        const int yanit = MesajKutusu::sec(
            this, MesajKutusu::Simge::Soru,
            QStringLiteral("Bu kaydın gerçekleşen tutarı banka hareketlerinden geliyor. "
                           "Hareketler ne olsun?\n\n\"Kayda Bağlı Kalsın\": hareketler bu "
                           "kaydın arkasında listelenmeye devam eder.\n\"Kayıttan Ayır\": "
                           "hareketler kayda bağlı olmaz; yine de tanınır, yeniden içe "
                           "aktarılmaz."),
            {QStringLiteral("Kayda Bağlı Kalsın"), QStringLiteral("Kayıttan Ayır"),
             QStringLiteral("Vazgeç")});
        if (yanit < 0 || yanit == 2)
            return std::nullopt;
        ayir = yanit == 1;
    }
    Degisiklik degisiklik;
    if (!MesajKutusu::hatalariGostererek(this, [&] {
            degisiklik = hareketli
                             ? BankaHareketleri::kayitGuncelle(defter, *duzenlenen, deger, ayir)
                             : ButceVerisi::kayitGuncelle(defter, *duzenlenen, deger);
        }))
        return std::nullopt;
    return degisiklik;
}

void KayitEklemeFormu::girisiHazirla()
{
    if (sonDonem) {
        YilBilgisiKutusu->setCurrentIndex(sonDonem->first);
        AyBilgisiKutusu->setCurrentIndex(sonDonem->second);
        return;
    }
    YilBilgisiKutusu->setCurrentIndex(YilBilgisiKutusu->findText(secim.donem.yilAdi()));
    const int ay = secim.donem.ay > 0 ? secim.donem.ay : secim.bugun.month();
    AyBilgisiKutusu->setCurrentIndex(ay - 1);
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

std::optional<std::optional<qint64>> KayitEklemeFormu::gecerliGerceklesen()
{
    // An empty box plans the entry; a typed zero is a realised zero.
    if (GerceklesenKutusu->text().trimmed().isEmpty())
        return std::optional<qint64>();
    if (const std::optional<QString> sorun = tutarSorunu(GerceklesenKutusu)) {
        MesajKutusu::bilgi(this, *sorun);
        GerceklesenKutusu->setFocus();
        return std::nullopt;
    }
    return Bicim::tutarOku(GerceklesenKutusu->text());
}

void KayitEklemeFormu::kaydet()
{
    const MesajKutusu::Komut komut;
    const std::optional<qint64> tahmin = gecerliTutar(TahminKutusu, defter.bosTahminMesaji);
    if (!tahmin)
        return;
    const std::optional<std::optional<qint64>> gerceklesen = gecerliGerceklesen();
    if (!gerceklesen)
        return;
    const int yil = YilBilgisiKutusu->currentText().toInt();
    const QString ay = AyBilgisiKutusu->currentText();
    Degisiklik degisiklik;
    if (duzenlenen) {
        const std::optional<Degisiklik> yazilan = duzeltmeyiYaz({yil, ay, *tahmin, *gerceklesen});
        if (!yazilan)
            return;
        degisiklik = *yazilan;
        if (degisiklik.bos())
            MesajKutusu::bilgi(this, degisiklik.baskasiDegistirmis() ? kayitDegismisMesaji
                                                                     : kayitArtikYokMesaji);
        emit kayitDuzenlendi(duzenlenen->kimlik, degisiklik);
        accept();
        return;
    }
    const ButceVerisi::YeniKayit kayit{.anaGrup = secim.anaGrup,
                                       .altGrup = secim.altGrup,
                                       .yil = yil,
                                       .ay = ay,
                                       .tahminKurus = *tahmin,
                                       .gerceklesenKurus = *gerceklesen};
    if (!MesajKutusu::hatalariGostererek(
            this, [&] { degisiklik = ButceVerisi::kayitEkle(defter, kayit); }))
        return;
    emit kayitEklendi(degisiklik);
    // A month is entered line after line: the next entry keeps this one's period, and Enter on
    // the waiting button starts it.
    sonDonem = {YilBilgisiKutusu->currentIndex(), AyBilgisiKutusu->currentIndex()};
    VazgecDugmesi_Click();
    YilBilgisiKutusu->setCurrentIndex(sonDonem->first);
    AyBilgisiKutusu->setCurrentIndex(sonDonem->second);
    EkleKaydetDugmesi->setFocus();
}

void KayitEklemeFormu::bosalt()
{
    YilBilgisiKutusu->setCurrentIndex(-1);
    AyBilgisiKutusu->setCurrentIndex(-1);
    for (QLineEdit* tutarKutusu : {TahminKutusu, GerceklesenKutusu}) {
        tutarKutusu->clear();
        isaretle(tutarKutusu, std::nullopt);
    }
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
    // An empty box stays empty: for the realised amount it means a planned entry.
    const std::optional<QString> sorun = tutarSorunu(kutu);
    if (!sorun && !kutu->text().trimmed().isEmpty())
        kutu->setText(Bicim::tutar(*Bicim::tutarOku(kutu->text())));
    isaretle(kutu, sorun);
}

void KayitEklemeFormu::kutudanCikildi(QWidget* kutu)
{
    if (kutu == TahminKutusu)
        TahminKutusu_LostFocus();
    else if (kutu == GerceklesenKutusu)
        GerceklesenKutusu_LostFocus();
}

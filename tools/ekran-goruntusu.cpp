// ekran-goruntusu [--olcek ÇARPAN] KLASÖR: renders the main window, both twelve-month overviews and
// the dialogs the user's guide shows, filled with a sample household's year, as PNG files into
// KLASÖR; with --olcek as a screen of that density shows them, at ÇARPAN times the pixels. Runs
// offscreen unless told otherwise; the sample file and the windows' remembered layout live in a
// temporary folder and are removed afterwards, so the windows stand as drawn.
#include "AnaForm.h"
#include "AylikOzetFormu.h"
#include "Baglanti.h"
#include "BankaHareketleriFormu.h"
#include "ButceVerisi.h"
#include "CYereli.h"
#include "Denetim.h"
#include "DonemSecici.h"
#include "GrupEklemeFormu.h"
#include "KayitEklemeFormu.h"
#include "PlanKopyalamaFormu.h"
#include "Sema.h"
#include "Takvim.h"
#include "VeriHatasi.h"
#include "VeriYeri.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTextStream>

#include <array>
#include <cmath>
#include <optional>

namespace
{

struct Kalem {
    QString anaGrup;
    QString altGrup;
    double tahmin;
    // How far each month's realised amount lies from the estimate, January first.
    std::array<double, 12> sapma;
};

const std::array<double, 12> sabit{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};

// A household's 2024 up to October: November and December have no entries yet. Its expenses of
// 2023 are there too, each month's realised amounts 10 % below 2024's, so that the expense
// overview can show last year beside this one.
constexpr int sonAy = 10;
constexpr double oncekiYilCarpani = 0.9;

const QList<Kalem> gelirler{
    {"MAAŞ", "ANA İŞ", 45000, {1, 1, 1, 1, 1, 1, 1.12, 1.12, 1.12, 1.12, 1.12, 1.12}},
    {"MAAŞ", "EK İŞ", 5000, {0.64, 1.2, 0.9, 1.56, 0.8, 0.7, 0, 1.1, 1.3, 0.95, 1, 1}},
    {"KİRA GELİRİ", "DAİRE", 12000, {1, 1, 1, 0, 1, 1, 1, 1, 1, 1, 1, 1}},
    {"FAİZ", "MEVDUAT", 1500, {0.9, 0.92, 1.05, 1.1, 1.2, 1.25, 1.27, 1.2, 1.1, 1.0, 1, 1}},
};

const QList<Kalem> giderler{
    {"MUTFAK", "MARKET", 9000, {0.93, 1.05, 1.21, 0.98, 1.02, 1.1, 0.96, 1.08, 1.15, 1.04, 1, 1}},
    {"MUTFAK", "PAZAR", 2500, {0.84, 0.9, 1.0, 1.1, 1.2, 1.18, 1.1, 1.05, 0.95, 0.9, 1, 1}},
    {"MUTFAK", "FIRIN", 800, {1.05, 0.9, 1.1, 1.0, 0.95, 1.0, 1.1, 1.15, 1.0, 1.05, 1, 1}},
    {"FATURALAR", "ELEKTRİK", 1200, {1.3, 1.25, 1.1, 0.9, 0.85, 1.0, 1.3, 1.35, 1.0, 0.9, 1, 1}},
    {"FATURALAR", "DOĞALGAZ", 2000, {1.8, 1.6, 1.2, 0.7, 0.3, 0.15, 0.15, 0.15, 0.3, 0.8, 1, 1}},
    {"FATURALAR", "İNTERNET", 450, sabit},
    {"ULAŞIM", "AKARYAKIT", 3000, {0.9, 0.95, 1.0, 1.05, 1.1, 1.2, 1.4, 1.3, 1.0, 0.95, 1, 1}},
    {"KİRA", "KONUT", 15000, sabit},
};

void yaz(const DefterTanimi& defter, const QList<Kalem>& kalemler, bool oncekiYilla = false)
{
    for (const Kalem& k : kalemler) {
        ButceVerisi::grupEkle(defter, k.anaGrup, k.altGrup);
        const qint64 tahmin = std::llround(k.tahmin * 100.0);
        for (int ay = 0; ay < sonAy; ++ay) {
            // The add-entry dialog stores no zero amount: a month with nothing realised is left
            // out.
            const qint64 gerceklesen = std::llround(k.tahmin * k.sapma[ay] * 100.0);
            if (gerceklesen != 0)
                ButceVerisi::kayitEkle(defter, {k.anaGrup, k.altGrup, 2024, Takvim::ayAdlari()[ay],
                                                tahmin, gerceklesen});
        }
        for (int ay = 0; oncekiYilla && ay < 12; ++ay)
            ButceVerisi::kayitEkle(
                defter, {k.anaGrup, k.altGrup, 2023, Takvim::ayAdlari()[ay], tahmin,
                         std::llround(k.tahmin * k.sapma[ay] * oncekiYilCarpani * 100.0)});
    }
}

bool sec(AnaForm& anaForm, const DefterTanimi& defter, const QString& anaGrup,
         const QString& altGrup)
{
    anaForm.bolum(defter).grubuGoster(anaGrup, altGrup);
    return anaForm.bolum(defter).seciliAltGrup() == altGrup;
}

// An add dialog past "Yeni … Ekle", with what a user would type in its boxes.
void girisle(QWidget& pencere, const QList<std::pair<const char*, QString>>& yazilanlar)
{
    pencere.findChild<QPushButton*>(QStringLiteral("EkleKaydetDüğmesi"))->click();
    for (const auto& [ad, metin] : yazilanlar) {
        if (auto* kutu = pencere.findChild<QComboBox*>(QString::fromUtf8(ad)))
            kutu->setCurrentText(metin);
        else
            pencere.findChild<QLineEdit*>(QString::fromUtf8(ad))->setText(metin);
    }
}

// The folder of "KLASÖR" or "--olcek ÇARPAN KLASÖR"; none for anything else. The scale is set
// here, before the application starts.
std::optional<QString> klasoruAl(int argc, char* argv[])
{
    if (argc == 2)
        return QString::fromLocal8Bit(argv[1]);
    bool sayi = false;
    if (argc != 4 || qstrcmp(argv[1], "--olcek") != 0 || QByteArray(argv[2]).toDouble(&sayi) <= 0 ||
        !sayi)
        return std::nullopt;
    qputenv("QT_SCALE_FACTOR", argv[2]);
    return QString::fromLocal8Bit(argv[3]);
}

// Offscreen, the pictures are taken on a laptop's screen (1366×768) at any scale, as the tests
// see it: on the platform's own 800×600 the main window could not open as wide as its names ask.
// The screen is described in `dosya`, which must outlive the application's start.
void dizustuEkrani(QTemporaryFile& dosya)
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if ((!platform.isEmpty() && platform != "offscreen") || !dosya.open())
        return;
    const double olcek =
        qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? qgetenv("QT_SCALE_FACTOR").toDouble() : 1.0;
    dosya.write(QStringLiteral("{\"screens\": [{\"name\": \"Dizüstü\", \"x\": 0, \"y\": 0, "
                               "\"width\": %1, \"height\": %2, \"logicalDpi\": 96, "
                               "\"logicalBaseDpi\": 96}]}")
                    .arg(qRound(1366 * olcek))
                    .arg(qRound(768 * olcek))
                    .toUtf8());
    dosya.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(dosya.fileName()));
}

bool kaydet(QWidget& pencere, const QString& yol)
{
    pencere.show();
    QApplication::processEvents();
    return pencere.grab().save(yol);
}

} // namespace

int main(int argc, char* argv[])
{
    const std::optional<QString> klasor = klasoruAl(argc, argv);
    QTemporaryFile ekran;
    dizustuEkrani(ekran);
    QApplication uygulama(argc, argv);
    CYereli::sabitle();
    uygulama.setApplicationName(QStringLiteral("Morvane"));
    // The pictures show the program as a Turkish user sees it, whatever this machine's settings.
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    Denetim::gorunumuKur();
    QTextStream hata(stderr);

    if (!klasor) {
        hata << "Kullanım: ekran-goruntusu [--olcek ÇARPAN] KLASÖR\n";
        return 2;
    }
    const QDir cikti(*klasor);
    QTemporaryDir gecici;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, gecici.path());
    const QString yol = VeriYeri::veriTabaniYolu(gecici.path());
    if (const auto sorun = Sema::dosyaOlustur(yol)) {
        hata << *sorun << '\n';
        return 1;
    }
    if (const auto sorun = Baglanti::program().ac(yol)) {
        hata << *sorun << '\n';
        return 1;
    }

    // A throw-away sample: each of its few hundred commands need not wait for the disk.
    QSqlQuery(Baglanti::program().db()).exec(QStringLiteral("PRAGMA synchronous = OFF"));
    int sonuc = 0;
    try {
        yaz(gelirDefteri(), gelirler);
        yaz(giderDefteri(), giderler, true);

        AnaForm anaForm(QDate(2024, 10, 15));
        // Planning November, still empty, from October.
        anaForm.donemSecici()->ayKutusu()->setCurrentIndex(11);
        const std::unique_ptr<PlanKopyalamaFormu> planKopyasi = anaForm.planKopyalamaFormu();
        anaForm.donemSecici()->ayKutusu()->setCurrentIndex(0); // "Tüm Aylar"
        if (!sec(anaForm, gelirDefteri(), "MAAŞ", "ANA İŞ") ||
            !sec(anaForm, giderDefteri(), "MUTFAK", "MARKET")) {
            hata << "Örnek gruplar seçilemedi.\n";
            sonuc = 1;
        }
        // The expense overview on 2024, compared with 2023.
        auto* giderOzeti = new AylikOzetFormu(giderDefteri(), {2024}, &anaForm);
        auto* yilKutusu = giderOzeti->findChild<QComboBox*>(QStringLiteral("YılBilgisiKutusu"));
        yilKutusu->setCurrentIndex(yilKutusu->findData(2024));
        giderOzeti->findChild<QCheckBox*>(QStringLiteral("KarşılaştırmaKutusu"))->setChecked(true);
        const std::unique_ptr<GrupEklemeFormu> grupEkleme =
            anaForm.bolum(giderDefteri()).grupEklemeFormu();
        girisle(*grupEkleme, {{"AnaGiderGrubuKutusu", "FATURALAR"}, {"AltGiderGrubuKutusu", "SU"}});
        const std::unique_ptr<KayitEklemeFormu> kayitEkleme =
            anaForm.bolum(gelirDefteri()).kayitEklemeFormu();
        girisle(*kayitEkleme, {{"TahminKutusu", "45.000,00"}, {"GerçekleşenKutusu", "50.400,00"}});
        // A bank's statement as the import window shows it, from the tests' sample.
        const QString ekstre =
            QDir(gecici.path()).filePath(QStringLiteral("hesap-hareketleri.xlsx"));
        QFile::copy(QStringLiteral(BANKA_ORNEGI), ekstre);
        auto* banka = new BankaHareketleriFormu(&anaForm);
        banka->dosyayiAc(ekstre);
        const QList<std::pair<QWidget*, QString>> resimler{
            {&anaForm, "ana-form.png"},
            {grupEkleme.get(), "grup-ekle.png"},
            {kayitEkleme.get(), "kayit-ekle.png"},
            {planKopyasi.get(), "plan-kopyala.png"},
            {new AylikOzetFormu(gelirDefteri(), {2024}, &anaForm), "tum-gelirler.png"},
            {giderOzeti, "tum-giderler.png"},
            {banka, "banka-hareketleri.png"}};
        for (const auto& [pencere, ad] : resimler) {
            const QString dosya = cikti.filePath(ad);
            if (kaydet(*pencere, dosya)) {
                QTextStream(stdout) << QDir::toNativeSeparators(dosya) << '\n';
            } else {
                hata << dosya << " yazılamadı.\n";
                sonuc = 1;
            }
        }
    } catch (const VeriHatasi& h) {
        hata << h.aciklama() << '\n';
        sonuc = 1;
    }
    Baglanti::program().kapat();
    return sonuc;
}

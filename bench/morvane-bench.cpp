// morvane-bench: times the program's start against a bare Qt window's, the main window's entry
// listings, the twelve-month overview, the period report, saving an edit, copying a year's plan,
// taking back a deletion, renaming a main group of 10,000 entries and a backup on a budget file
// of 100,000 entries per ledger, offscreen, each beside the bare statement behind it on the same
// connection in the same run. Prints Markdown tables for docs/hiz.md. Run it on an optimised
// build; it is not a test and CTest does not run it.
//
// morvane-bench --kayit N: the same on N entries per ledger.
// morvane-bench --rapor N: only the period report, on N entries per ledger.
// morvane-bench --liste N: only the entry listings, on N entries per ledger.
// morvane-bench --dosya N YOL: only fills a budget file of N entries per ledger at YOL and keeps it,
// for the parts below and for timing varnel-disa-aktar on it by hand.
// morvane-bench --yalniz acilis|liste|geri-al|tum-yillar|tetikler YOL: only the start-up, the six
// listings, "Geri Al", the overview on "Tüm Yıllar", or what the sums' triggers cost an edit and a
// plan copy (it drops them: run it on a copy), on such a file.
// morvane-bench --motor postgresql: the listings, the overview and the period report on an empty
// PostgreSQL database that libpq's environment names, and how soon a change another connection
// commits reaches the main window. With the tests' throw-away server:
//   tests/pg_sunucu.sh start /tmp/pg
//   export PGHOST=/tmp/pg PGPORT=$(cat /tmp/pg/port) PGUSER=morvane PGDATABASE=morvane
//   build/bench/morvane-bench --motor postgresql
//   tests/pg_sunucu.sh stop /tmp/pg

#include "AcilisDenetimi.h"
#include "AnaForm.h"
#include "AylikOzetFormu.h"
#include "Baglanti.h"
#include "Baslangic.h"
#include "ButceVerisi.h"
#include "Denetim.h"
#include "DisaAktarma.h"
#include "DonemRaporuFormu.h"
#include "DonemSecici.h"
#include "Gosterilince.h"
#include "GrupDuzeltme.h"
#include "GrupDuzeltmeFormu.h"
#include "GrupToplamlari.h"
#include "KayitEklemeFormu.h"
#include "KayitListesi.h"
#include "MesajKutusu.h"
#include "OrtakButce.h"
#include "PlanKopyalamaFormu.h"
#include "PlanKopyasi.h"
#include "RaporModeli.h"
#include "SatirYazici.h"
#include "Sema.h"
#include "SorguSonucu.h"
#include "Takvim.h"
#include "TurkceMetin.h"
#include "VeriHatasi.h"
#include "VeriYeri.h"
#include "Yedekleme.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QProcess>
#include <QSignalBlocker>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <QTimer>

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <functional>
#include <vector>

namespace
{

int kayitSayisi = 100'000;
constexpr int anaGrupSayisi = 20;
constexpr int altGrupSayisi = 10;
constexpr int tekrar = 50;
constexpr int olculenYil = 2024;
constexpr int olculenAy = 6; // index in the month box: 0 is "Tüm Aylar", 6 is "Haziran"
// The plan copied: one entry per sub-group and month (2,400 per ledger), into the empty last year.
constexpr int planYili = Takvim::sonYil - 1;
constexpr int hedefYil = Takvim::sonYil;

QTextStream cikti(stdout);

struct Sure {
    double ortanca = 0;
    double enKotu = 0;
    double islemciOrtanca = 0; // the processor time of this thread, median
};

double islemciMs()
{
    timespec an{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &an);
    return double(an.tv_sec) * 1e3 + double(an.tv_nsec) / 1e6;
}

// One untimed run first, so that first-use costs (fonts, statement caches) stay out. `hazirlik`
// runs untimed before each run.
Sure olc(
    const std::function<void()>& is, const std::function<void()>& hazirlik = [] {},
    int kez = tekrar)
{
    hazirlik();
    is();
    std::vector<double> sureler;
    std::vector<double> islemci;
    for (int i = 0; i < kez; ++i) {
        hazirlik();
        QElapsedTimer saat;
        const double islemciBasi = islemciMs();
        saat.start();
        is();
        sureler.push_back(double(saat.nsecsElapsed()) / 1e6);
        islemci.push_back(islemciMs() - islemciBasi);
    }
    const auto ortanca = [](std::vector<double>& d) {
        std::sort(d.begin(), d.end());
        return (d[d.size() / 2 - 1] + d[d.size() / 2]) / 2.0;
    };
    const double ortancaSure = ortanca(sureler);
    return {ortancaSure, sureler.back(), ortanca(islemci)};
}

QString ms(double deger)
{
    return QString::number(deger, 'f', deger < 10 ? 2 : 1);
}

// From another connection's commit to the notification reaching this program's event loop, which
// then lists again.
void bildirimiOlc()
{
    const QString ad = QStringLiteral("baska-uye");
    {
        QSqlDatabase oteki = QSqlDatabase::cloneDatabase(Baglanti::program().db(), ad);
        if (!oteki.open())
            throw VeriHatasi(oteki.lastError());
        QSqlQuery yazma(oteki);
        const Sure sure = olc([&] {
            QEventLoop dongu;
            QObject::connect(Baglanti::program().db().driver(), &QSqlDriver::notification, &dongu,
                             &QEventLoop::quit);
            QTimer::singleShot(5000, &dongu, &QEventLoop::quit);
            if (!yazma.exec(QStringLiteral("UPDATE GelirlerTablosu SET Gerceklesen = Gerceklesen "
                                           "WHERE Kimlik = 1")))
                throw VeriHatasi(yazma.lastError());
            dongu.exec();
        });
        cikti << "\nA change committed by another connection, until its notification arrives: "
              << ms(sure.ortanca) << " ms median, " << ms(sure.enKotu) << " ms worst.\n";
    }
    QSqlDatabase::removeDatabase(ad);
}

QString anaGrupAdi(int sira)
{
    return QStringLiteral("ANA GRUP %1").arg(sira + 1, 2, 10, QLatin1Char('0'));
}

QString altGrupAdi(int ana, int alt)
{
    return QStringLiteral("ALT GRUP %1-%2")
        .arg(ana + 1, 2, 10, QLatin1Char('0'))
        .arg(alt + 1, 2, 10, QLatin1Char('0'));
}

// Every sub-group gets an entry in every month of every year but the last, which is left empty
// for the plan copy; 100,000 entries in all, so that some 40,000 sub-group months get a second
// one, but none in the plan's year. One entry in ten carries its month in capitals, as other
// tools may write it.
void doldur(const DefterTanimi& defter)
{
    SatirYazici anaGrupYazici(Sema::anaGrupTablosu(defter));
    SatirYazici altGrupYazici(Sema::altGrupTablosu(defter));
    SatirYazici kayitlar(Sema::kayitTablosu(defter));
    for (int a = 0; a < anaGrupSayisi; ++a) {
        anaGrupYazici.yaz({anaGrupAdi(a)});
        for (int b = 0; b < altGrupSayisi; ++b)
            altGrupYazici.yaz({anaGrupAdi(a), altGrupAdi(a, b)});
    }
    const int altGruplar = anaGrupSayisi * altGrupSayisi;
    const int birinciler = altGruplar * (hedefYil - Takvim::ilkYil) * 12;
    const int ikinciler = altGruplar * (planYili - Takvim::ilkYil) * 12;
    for (int i = 0; i < kayitSayisi; ++i) {
        // A step prime to the number of pairs visits each pair once, spread evenly over groups and
        // years.
        const int birlesim = i < birinciler ? int((qint64(i) * 7919) % birinciler)
                                            : int((qint64(i - birinciler) * 7919) % ikinciler);
        const int altGrup = birlesim % altGruplar;
        const int donem = birlesim / altGruplar;
        const QString& ay = Takvim::ayAdlari()[donem % 12];
        const double tahmin = 100.0 + double((qint64(i) * 7919) % 900'000) / 100.0;
        const double gerceklesen = std::round(tahmin * (80 + i % 41)) / 100.0;
        kayitlar.yaz({anaGrupAdi(altGrup / altGrupSayisi),
                      altGrupAdi(altGrup / altGrupSayisi, altGrup % altGrupSayisi),
                      Takvim::ilkYil + donem / 12, i % 10 == 9 ? TurkceMetin::buyukHarf(ay) : ay,
                      tahmin, gerceklesen});
    }
}

QString islemci()
{
    QFile bilgi(QStringLiteral("/proc/cpuinfo"));
    if (bilgi.open(QIODevice::ReadOnly))
        for (const QString& satir : QString::fromUtf8(bilgi.readAll()).split(u'\n'))
            if (satir.startsWith(QStringLiteral("model name")))
                return satir.section(u':', 1).trimmed();
    return QStringLiteral("?");
}

// Other work on the machine shows in the figures; the load average tells how much there was.
QString yukOrtalamasi()
{
    QFile yuk(QStringLiteral("/proc/loadavg"));
    if (!yuk.open(QIODevice::ReadOnly))
        return QStringLiteral("?");
    return QString::fromLatin1(yuk.readAll()).section(u' ', 0, 2);
}

struct Satir {
    QString ad;
    int satirlar = 0;
    Sure pencere;
    Sure boyali;
    Sure yalinSorgu;
};

void tabloYaz(const QString& baslik, const QString& boyaliBasligi, const QList<Satir>& satirlar)
{
    cikti << "\n"
          << baslik << "\n\n"
          << "| | rows | median ms | worst ms | " << boyaliBasligi
          << ": median / worst ms | bare statement: median / worst ms | median ÷ bare |\n"
          << "|---|--:|--:|--:|--:|--:|--:|\n";
    for (const Satir& s : satirlar)
        cikti << "| " << s.ad << " | " << s.satirlar << " | " << ms(s.pencere.ortanca) << " | "
              << ms(s.pencere.enKotu) << " | " << ms(s.boyali.ortanca) << " / "
              << ms(s.boyali.enKotu) << " | " << ms(s.yalinSorgu.ortanca) << " / "
              << ms(s.yalinSorgu.enKotu) << " | "
              << QString::number(s.pencere.ortanca / s.yalinSorgu.ortanca, 'f', 1) << "× |\n";
    cikti.flush();
}

QList<Satir> listelemeleriOlc(AnaForm& anaForm, const DefterTanimi& defter)
{
    auto* liste = anaForm.bolum(defter).kayitListesi();
    QComboBox* anaGruplar = anaForm.bolum(defter).anaGrupListesi();
    QListWidget* altGruplar = anaForm.bolum(defter).altGrupListesi();
    QComboBox* ayKutusu = anaForm.donemSecici()->ayKutusu();

    // The groups' own handlers fill the sub-group list; the timed part is the listing alone.
    anaGruplar->setCurrentIndex(anaGrupSayisi / 2);
    anaForm.bolum(defter).anaGrupTiklandi();
    {
        const QSignalBlocker sessiz(altGruplar);
        altGruplar->setCurrentRow(altGrupSayisi / 2);
    }
    const QString anaGrup = anaGruplar->currentText();
    const QString altGrup = altGruplar->currentItem()->text();

    struct Durum {
        QString ad;
        bool altGrupla;
        int ay;
    };
    const QList<Durum> durumlar{
        {QStringLiteral("main group, Tüm Aylar"), false, 0},
        {QStringLiteral("main group, one month"), false, olculenAy},
        {QStringLiteral("sub-group, one month"), true, olculenAy},
    };
    QList<Satir> sonuc;
    for (const Durum& d : durumlar) {
        ayKutusu->setCurrentIndex(d.ay);
        const auto listele = [&] { anaForm.bolum(defter).listele(d.altGrupla); };
        ButceVerisi::KayitSuzgeci suzgec{.anaGrup = anaGrup, .donem = {olculenYil, d.ay}};
        if (d.altGrupla)
            suzgec.altGrup = altGrup;
        Satir s{defter.ad + QStringLiteral(": ") + d.ad};
        s.pencere = olc(listele);
        s.satirlar = liste->satirSayisi();
        s.boyali = olc([&] {
            listele();
            liste->viewport()->repaint();
        });
        s.yalinSorgu = olc([&] { ButceVerisi::kayitlar(defter, suzgec); });
        sonuc << s;
    }
    return sonuc;
}

void listelemeTablosu(AnaForm* anaForm = nullptr)
{
    std::unique_ptr<AnaForm> kendi;
    if (!anaForm) {
        kendi = std::make_unique<AnaForm>(QDate(olculenYil, olculenAy, 15));
        kendi->show();
        QApplication::processEvents();
        anaForm = kendi.get();
    }
    QList<Satir> listelemeler = listelemeleriOlc(*anaForm, gelirDefteri());
    listelemeler << listelemeleriOlc(*anaForm, giderDefteri());
    tabloYaz(QStringLiteral("Entry listings through the main window (year %1, month Haziran)")
                 .arg(olculenYil),
             QStringLiteral("with the list repainted"), listelemeler);
    // On a busy machine the wall clock counts the waits for a processor too.
    cikti << "\nThe same, processor time of the main thread (median ms):\n\n"
          << "| | listing | with the list repainted | bare statement |\n|---|--:|--:|--:|\n";
    for (const Satir& s : listelemeler)
        cikti << "| " << s.ad << " | " << ms(s.pencere.islemciOrtanca) << " | "
              << ms(s.boyali.islemciOrtanca) << " | " << ms(s.yalinSorgu.islemciOrtanca) << " |\n";
    cikti.flush();
}

// The overview as first written: one statement per month, each matching the month name with
// the Turkish case-insensitive equality. Kept here only to compare it with the grouped one.
const QString aylikSorgu = QStringLiteral("SELECT SUM(ROUND(%2 * 100)), SUM(ROUND(Gerceklesen * "
                                          "100)), COUNT(*) FROM %1 WHERE %3 = ? COLLATE TURKCE");

void onIkiSorgu(const DefterTanimi& defter)
{
    QSqlQuery sorgu(Baglanti::program().db());
    sorgu.setForwardOnly(true);
    if (!sorgu.prepare(aylikSorgu.arg(defter.kayitTablosu, defter.tahminAlani, defter.ayAlani)))
        throw VeriHatasi(sorgu.lastError());
    for (const QString& ay : Takvim::ayAdlari()) {
        sorgu.addBindValue(TurkceMetin::buyukHarf(ay));
        if (!sorgu.exec())
            throw VeriHatasi(sorgu.lastError());
        sorgu.next();
    }
}

// One year, as the user gets it: the window opened and the year chosen in its box; then moving
// between two years in an open window, without and with the previous year beside them.
QList<Satir> yillariOlc(AnaForm& anaForm, const DefterTanimi& defter)
{
    const auto yilSec = [](AylikOzetFormu& pencere, int yil) {
        auto* kutu = pencere.findChild<QComboBox*>(QStringLiteral("YılBilgisiKutusu"));
        kutu->setCurrentIndex(kutu->findData(yil));
    };
    QList<Satir> sonuc;
    Satir acilis{defter.adiyla("%1: opened, then one year chosen"), 13};
    acilis.pencere = olc([&] {
        AylikOzetFormu pencere(defter, {olculenYil}, &anaForm);
        yilSec(pencere, olculenYil);
    });
    acilis.boyali = olc([&] {
        AylikOzetFormu pencere(defter, {olculenYil}, &anaForm);
        yilSec(pencere, olculenYil);
        pencere.grab();
    });
    acilis.yalinSorgu = olc([&] {
        ButceVerisi::kayitliYillar(defter);
        ButceVerisi::aylikToplamlar(defter);
        ButceVerisi::aylikToplamlar(defter, olculenYil);
    });
    sonuc << acilis;

    for (const bool karsilastir : {false, true}) {
        AylikOzetFormu pencere(defter, {olculenYil}, &anaForm);
        pencere.findChild<QCheckBox*>(QStringLiteral("KarşılaştırmaKutusu"))->setChecked(false);
        yilSec(pencere, olculenYil);
        pencere.findChild<QCheckBox*>(QStringLiteral("KarşılaştırmaKutusu"))
            ->setChecked(karsilastir);
        int yil = olculenYil;
        const auto degistir = [&] {
            yil = yil == olculenYil ? olculenYil + 1 : olculenYil;
            yilSec(pencere, yil);
        };
        Satir s{defter.ad + (karsilastir ? QStringLiteral(": switching years, compared")
                                         : QStringLiteral(": switching years")),
                13};
        s.pencere = olc(degistir);
        s.boyali = olc([&] {
            degistir();
            pencere.grab();
        });
        s.yalinSorgu = olc([&] {
            yil = yil == olculenYil ? olculenYil + 1 : olculenYil;
            ButceVerisi::aylikToplamlar(defter, yil);
            if (karsilastir)
                ButceVerisi::aylikToplamlar(defter, yil - 1);
        });
        sonuc << s;
    }
    return sonuc;
}

// Files made before the one-year index have only the year index to go by.
void eskiDosyadaOlc()
{
    cikti << "\nOne year's sums on a file without the one-year index:\n\n"
          << "| | median / worst ms |\n|---|--:|\n";
    for (const DefterTanimi* defter : {&gelirDefteri(), &giderDefteri()}) {
        QSqlQuery sorgu(Baglanti::program().db());
        if (!sorgu.exec(QStringLiteral("DROP INDEX %1_%2_%3")
                            .arg(defter->kayitTablosu, defter->yilAlani, defter->ayAlani)))
            throw VeriHatasi(sorgu.lastError());
        const Sure sure = olc([&] { ButceVerisi::aylikToplamlar(*defter, olculenYil); });
        cikti << "| " << defter->ad << " | " << ms(sure.ortanca) << " / " << ms(sure.enKotu)
              << " |\n";
    }
}

void sureTablosu(const QString& baslik, const QList<std::pair<QString, Sure>>& satirlar,
                 const Sure& yalin)
{
    cikti << "\n"
          << baslik << "\n\n| | median ms | worst ms | median ÷ bare |\n|---|--:|--:|--:|\n";
    for (const auto& [ad, sure] : satirlar)
        cikti << "| " << ad << " | " << ms(sure.ortanca) << " | " << ms(sure.enKotu) << " | "
              << QString::number(sure.ortanca / yalin.ortanca, 'f', 1) << "× |\n";
    cikti.flush();
}

// Saving an edit of the income entry the main window lists first: "Kaydet" in the edit dialog
// (the update in its transaction, then the list and the status bar again), the data layer's
// update alone, and a bare UPDATE committed on its own, each run changing the estimate.
void duzenlemeyiOlc(AnaForm& anaForm)
{
    const DefterTanimi& defter = gelirDefteri();
    auto* liste = anaForm.bolum(defter).kayitListesi();
    liste->kimligiSec(liste->listelenenler().at(0).kimlik);
    const qint64 kimlik = *liste->seciliKimlik();
    int sayac = 0;
    // In kuruş: 100 or 101 lira.
    const auto tahmin = [&] { return qint64(10'000 + 100 * (++sayac % 2)); };

    std::unique_ptr<KayitEklemeFormu> pencere;
    const Sure pencereyle = olc([&] { pencere->EkleKaydetDugmesi_Click(); },
                                [&] {
                                    // The list may have been filled again since, without it.
                                    liste->kimligiSec(kimlik);
                                    pencere = anaForm.bolum(defter).kayitDuzenlemeFormu();
                                    if (!pencere)
                                        qFatal("The entry to edit is not listed.");
                                    pencere->findChild<QLineEdit*>(QStringLiteral("TahminKutusu"))
                                        ->setText(QString::number(tahmin() / 100));
                                });
    const std::vector<ButceVerisi::Kayit> kayitlar = ButceVerisi::kayitlar(
        defter, {.anaGrup = liste->seciliKayit()->anaGrup, .donem = {olculenYil}});
    const ButceVerisi::Kayit kayit = *std::find_if(
        kayitlar.begin(), kayitlar.end(), [&](const auto& k) { return k.kimlik == kimlik; });
    const Sure veri = olc([&] {
        ButceVerisi::kayitGuncelle(
            defter, {.kimlik = kimlik},
            {olculenYil, kayit.ay, tahmin(), kayit.gerceklesenKurus.value_or(100)});
    });
    const Sure ozet = olc([&] {
        for (const DefterTanimi* d : {&gelirDefteri(), &giderDefteri()})
            ButceVerisi::donemToplami(*d, {olculenYil, Takvim::ayNumarasi(kayit.ay)});
    });
    QSqlQuery yalin(Baglanti::program().db());
    yalin.prepare(QStringLiteral("UPDATE %1 SET %2 = ? WHERE Kimlik = ?")
                      .arg(defter.kayitTablosu, defter.tahminAlani));
    const Sure yalinSure = olc([&] {
        yalin.bindValue(0, Tutar::alanDegeri(tahmin()));
        yalin.bindValue(1, kimlik);
        if (!yalin.exec())
            throw VeriHatasi(yalin.lastError());
    });
    sureTablosu(
        QStringLiteral("Saving an edit (one income entry; bare: one UPDATE, its own commit)"),
        {{QStringLiteral("\"Kaydet\" in the edit dialog, with the list and status bar again"),
          pencereyle},
         {QStringLiteral("`ButceVerisi::kayitGuncelle` alone"), veri},
         {QStringLiteral("the status bar's figures alone (`ButceVerisi::donemToplami`, both "
                         "ledgers)"),
          ozet},
         {QStringLiteral("bare UPDATE"), yalinSure}},
        yalinSure);
}

void hedefYiliBosalt()
{
    QSqlDatabase db = Baglanti::program().db();
    db.transaction();
    for (const DefterTanimi* defter : {&gelirDefteri(), &giderDefteri()}) {
        QSqlQuery silme(db);
        silme.prepare(QStringLiteral("DELETE FROM %1 WHERE %2 = ?")
                          .arg(defter->kayitTablosu, defter->yilAlani));
        silme.addBindValue(hedefYil);
        if (!silme.exec())
            throw VeriHatasi(silme.lastError());
    }
    if (!db.commit())
        throw VeriHatasi(db.lastError());
}

// Copying the plan year into the empty last year, "Tüm Aylar" to "Tüm Aylar", "Yalnızca boş
// olanlar" on; the copy is deleted, untimed, before the next run. Bare: the copy's INSERT …
// SELECT of one ledger with no checks.
void kopyalamayiOlc(AnaForm& anaForm)
{
    const QList<const DefterTanimi*> ikisi{&gelirDefteri(), &giderDefteri()};
    const PlanKopyasi kopya{.kaynak = {planYili}, .hedef = {hedefYil}};
    hedefYiliBosalt();
    const PlanSayilari sayilar = kopya.say(ikisi);

    std::unique_ptr<PlanKopyalamaFormu> pencere;
    {
        const QSignalBlocker yil(anaForm.donemSecici()->yilKutusu());
        const QSignalBlocker ay(anaForm.donemSecici()->ayKutusu());
        anaForm.donemSecici()->yilKutusu()->setCurrentText(QString::number(hedefYil));
        anaForm.donemSecici()->ayKutusu()->setCurrentIndex(0);
    }
    const Sure pencereyle = olc([&] { pencere->KopyalaDugmesi_Click(); },
                                [&] {
                                    hedefYiliBosalt();
                                    pencere = anaForm.planKopyalamaFormu();
                                });
    const Sure ikiDefter = olc([&] { kopya.kopyala(ikisi); }, hedefYiliBosalt);
    const Sure tekDefter = olc([&] { kopya.kopyala({&gelirDefteri()}); }, hedefYiliBosalt);
    hedefYiliBosalt();
    const Sure onizleme = olc([&] { kopya.say(ikisi); });
    const DefterTanimi& d = gelirDefteri();
    QSqlQuery yalin(Baglanti::program().db());
    yalin.prepare(QStringLiteral("INSERT INTO %1 (AnaGrup, GrupAdi, %2, %3, %4) SELECT AnaGrup, "
                                 "GrupAdi, ?, %3, %4 FROM %1 WHERE %2 = ?")
                      .arg(d.kayitTablosu, d.yilAlani, d.ayAlani, d.tahminAlani));
    const Sure yalinSure = olc(
        [&] {
            QSqlDatabase db = Baglanti::program().db();
            db.transaction();
            yalin.bindValue(0, hedefYil);
            yalin.bindValue(1, planYili);
            if (!yalin.exec() || !db.commit())
                throw VeriHatasi(yalin.lastError());
        },
        hedefYiliBosalt);
    hedefYiliBosalt();
    sureTablosu(QStringLiteral("Copying the plan of %1 into %2 (%3 entries per ledger, %4 skipped)")
                    .arg(planYili)
                    .arg(hedefYil)
                    .arg(sayilar.olusacak / 2)
                    .arg(sayilar.atlanacak),
                {{QStringLiteral("\"Kopyala\" in the dialog, both ledgers, with the lists again"),
                  pencereyle},
                 {QStringLiteral("`PlanKopyasi::kopyala`, both ledgers"), ikiDefter},
                 {QStringLiteral("`PlanKopyasi::kopyala`, income alone"), tekDefter},
                 {QStringLiteral("the preview's count, both ledgers"), onizleme},
                 {QStringLiteral("bare INSERT … SELECT, income alone"), yalinSure}},
                yalinSure);
}

// A backup of the whole file through the online backup (a file of its own each run, the old ones
// let go by the keeping rule as in the program), beside copying the file's bytes, which the
// program never does to an open file but which shows what the disk itself takes.
void yedeklemeyiOlc()
{
    constexpr int yedekTekrari = 10;
    QDateTime an(QDate(2026, 12, 6), QTime(14, 30));
    const Sure yedek = olc([&] { Yedekleme::al(an = an.addSecs(60)); }, [] {}, yedekTekrari);
    const QString kopya = Baglanti::program().dosyaYolu() + QStringLiteral(".kopya");
    const Sure dosyaKopyasi = olc([&] { QFile::copy(Baglanti::program().dosyaYolu(), kopya); },
                                  [&] { QFile::remove(kopya); }, yedekTekrari);
    QFile::remove(kopya);
    sureTablosu(QStringLiteral("A backup of the whole file (%1 MB; %2 runs)")
                    .arg(QFileInfo(Baglanti::program().dosyaYolu()).size() / 1'000'000)
                    .arg(yedekTekrari),
                {{QStringLiteral("`Yedekleme::al`: online backup into Yedekler, flushed, renamed, "
                                 "old ones let go"),
                  yedek},
                 {QStringLiteral("copying the file's bytes (`QFile::copy`)"), dosyaKopyasi}},
                dosyaKopyasi);
}

// Taking back the deletion of an income entry listed in the main window: "Geri Al" (the row
// written back with its Kimlik, then everything listed again), the change set's undo alone, and
// the bare INSERT of the row with its Kimlik, committed on its own. Each run deletes it again
// first, untimed.
void geriAlmayiOlc(AnaForm& anaForm)
{
    const DefterTanimi& defter = gelirDefteri();
    anaForm.donemSecici()->yilKutusu()->setCurrentText(QString::number(olculenYil));
    auto* liste = anaForm.bolum(defter).kayitListesi();
    QAction* geriAl = anaForm.menuBar()->actions()[1]->menu()->actions()[0];
    const auto sil = [&] {
        liste->kimligiSec(liste->listelenenler().at(0).kimlik);
        MesajKutusu::sonrakiYanit(true);
        anaForm.bolum(gelirDefteri()).kayitSil();
    };
    const Sure pencereyle = olc([&] { geriAl->trigger(); }, sil);
    Degisiklik silme;
    const ButceVerisi::Kayit ilk = liste->listelenenler().at(0);
    const qint64 kimlik = ilk.kimlik;
    const Sure veri = olc([&] { silme.geriAl(); },
                          [&] { silme = ButceVerisi::kayitSil(defter, {.kimlik = kimlik}); });
    const std::vector<ButceVerisi::Kayit> kayitlar =
        ButceVerisi::kayitlar(defter, {.anaGrup = ilk.anaGrup, .donem = {olculenYil}});
    const ButceVerisi::Kayit k = *std::find_if(kayitlar.begin(), kayitlar.end(),
                                               [&](const auto& x) { return x.kimlik == kimlik; });
    QSqlQuery yalin(Baglanti::program().db());
    yalin.prepare(
        QStringLiteral("INSERT INTO %1 (Kimlik, AnaGrup, GrupAdi, %2, %3, %4, "
                       "Gerceklesen) VALUES (?, ?, ?, ?, ?, ?, ?)")
            .arg(defter.kayitTablosu, defter.yilAlani, defter.ayAlani, defter.tahminAlani));
    const Sure yalinSure = olc(
        [&] {
            for (const QVariant& d :
                 QVariantList{k.kimlik, k.anaGrup, k.altGrup, k.yil, k.ay,
                              Tutar::alanDegeri(k.tahminKurus.value_or(0)),
                              Tutar::alanDegeri(k.gerceklesenKurus.value_or(0))})
                yalin.addBindValue(d);
            if (!yalin.exec())
                throw VeriHatasi(yalin.lastError());
        },
        [&] { ButceVerisi::kayitSil(defter, {.kimlik = kimlik}); });
    sureTablosu(QStringLiteral("Taking back the deletion of an income entry (bare: one INSERT of "
                               "the row with its Kimlik, its own commit)"),
                {{QStringLiteral("\"Geri Al\" in the menu, with the lists and status bar again"),
                  pencereyle},
                 {QStringLiteral("`Degisiklik::geriAl` alone (one transaction)"), veri},
                 {QStringLiteral("bare INSERT"), yalinSure}},
                yalinSure);
    // Each run answered the delete question; anything else shown is a failure.
    for (const MesajKutusu::Gosterilen& m : MesajKutusu::gosterilenler())
        if (m.simge != MesajKutusu::Simge::Soru)
            throw VeriHatasi(QString(), m.metin);
    MesajKutusu::gosterilenleriSil();
}

// The period report as the user gets it: opened on one month and on "Tüm Aylar" of the year,
// then moving between two months in an open window. Bare: the two grouped statements alone.
QList<Satir> raporuOlc(QWidget* sahibi)
{
    const auto gruplu = [](const Donem& donem) {
        for (const DefterTanimi* defter : {&gelirDefteri(), &giderDefteri()})
            GrupToplamlari::satirlar(*defter, donem);
    };
    const QString haziran = Takvim::ayAdlari()[olculenAy - 1];
    QList<Satir> sonuc;
    for (const int ay : {olculenAy, 0}) {
        Satir s{ay ? QStringLiteral("opened on %1 %2").arg(haziran).arg(olculenYil)
                   : QStringLiteral("opened on Tüm Aylar of %1").arg(olculenYil)};
        s.pencere = olc([&] { DonemRaporuFormu pencere({olculenYil, ay}, sahibi); });
        s.boyali = olc([&] {
            DonemRaporuFormu pencere({olculenYil, ay}, sahibi);
            pencere.grab();
        });
        s.yalinSorgu = olc([&] {
            gruplu({olculenYil, ay});
        });
        s.satirlar = int(DonemRaporuFormu({olculenYil, ay}, sahibi).model().acikSatirlar().size());
        sonuc << s;
    }
    DonemRaporuFormu pencere({olculenYil, olculenAy}, sahibi);
    auto* ayKutusu = pencere.findChild<QComboBox*>(QStringLiteral("AyBilgisiKutusu"));
    int ay = olculenAy;
    const auto degistir = [&] {
        ay = ay == olculenAy ? olculenAy + 1 : olculenAy;
        ayKutusu->setCurrentIndex(ay);
    };
    Satir s{
        QStringLiteral("switching months (%1 ↔ %2)").arg(haziran, Takvim::ayAdlari()[olculenAy])};
    s.pencere = olc(degistir);
    s.boyali = olc([&] {
        degistir();
        pencere.grab();
    });
    s.yalinSorgu = olc([&] {
        ay = ay == olculenAy ? olculenAy + 1 : olculenAy;
        gruplu({olculenYil, ay});
    });
    s.satirlar = int(pencere.model().acikSatirlar().size());
    sonuc << s;
    return sonuc;
}

// How SQLite runs the report's statement for one month: it should name the covering index.
QString raporPlani()
{
    QSqlQuery sorgu(Baglanti::program().db());
    sorgu.exec(QStringLiteral("EXPLAIN QUERY PLAN SELECT AnaGrup, GrupAdi, TUTAR_TOPLAMI("
                              "GelirTahmini, Gerceklesen), count(Gerceklesen) FROM GelirlerTablosu "
                              "WHERE GelirYili = 2024 AND GelirAyi = 'Haziran' COLLATE TURKCE "
                              "GROUP BY AnaGrup, GrupAdi"));
    QStringList adimlar;
    while (sorgu.next())
        adimlar << sorgu.value(3).toString();
    return adimlar.join(QStringLiteral("; "));
}

// Files made before the report's index: the grouped statements through the year index and the
// table.
void raporuEskiDosyadaOlc()
{
    for (const DefterTanimi* defter : {&gelirDefteri(), &giderDefteri()}) {
        QSqlQuery sorgu(Baglanti::program().db());
        if (!sorgu.exec(QStringLiteral("DROP INDEX %1_%2_AnaGrup")
                            .arg(defter->kayitTablosu, defter->yilAlani)))
            throw VeriHatasi(sorgu.lastError());
    }
    cikti << "\nThe report's grouped statements (both ledgers) without its index:\n\n"
          << "| | median / worst ms |\n|---|--:|\n";
    for (const Donem& donem : {Donem{olculenYil, olculenAy}, Donem{olculenYil}}) {
        const Sure sure = olc([&] {
            for (const DefterTanimi* defter : {&gelirDefteri(), &giderDefteri()})
                GrupToplamlari::satirlar(*defter, donem);
        });
        cikti << "| " << donem.ad() << " | "
              << ms(sure.ortanca) << " / " << ms(sure.enKotu) << " |\n";
    }
}

void raporTablosu(const QList<Satir>& satirlar)
{
    tabloYaz(QStringLiteral("The period report (%1 entries per ledger; bare: both ledgers' grouped "
                            "statements). Plan: %2")
                 .arg(kayitSayisi)
                 .arg(raporPlani()),
             QStringLiteral("with its first paint"), satirlar);
}

// Renaming the income main group that holds 10,000 of the 100,000 entries (the entries and
// sub-groups of the next main group are joined to it first, untimed), back and forth between two
// names: "Tamam" in the rename dialog (the rename in its transaction, then the lists with the
// group chosen), the data layer's rename alone, taking it back, and a bare UPDATE of the entries
// on their exact name, committed on its own.
void grupAdlandirmayiOlc(AnaForm& anaForm)
{
    constexpr int adlandirmaTekrari = 20;
    const DefterTanimi& defter = gelirDefteri();
    QSqlDatabase db = Baglanti::program().db();
    db.transaction();
    for (const QString& tablo : {defter.altGrupTablosu, defter.kayitTablosu}) {
        QSqlQuery birlestir(db);
        birlestir.prepare(QStringLiteral("UPDATE %1 SET AnaGrup = ? WHERE AnaGrup = ?").arg(tablo));
        birlestir.addBindValue(anaGrupAdi(0));
        birlestir.addBindValue(anaGrupAdi(1));
        if (!birlestir.exec())
            throw VeriHatasi(birlestir.lastError());
    }
    if (!db.commit())
        throw VeriHatasi(db.lastError());
    const qint64 kayitlar = GrupDuzeltme::kayitSayisi(defter, anaGrupAdi(0));

    const QStringList adlar{anaGrupAdi(0), QStringLiteral("MUTFAK")};
    int sira = 0;
    const auto sonraki = [&] { return adlar[++sira % 2]; };
    std::unique_ptr<GrupDuzeltmeFormu> pencere;
    const Sure pencereyle =
        olc([&] { pencere->TamamDugmesi_Click(); },
            [&] {
                QComboBox* anaGruplar = anaForm.bolum(defter).anaGrupListesi();
                anaGruplar->setCurrentIndex(anaGruplar->findText(adlar[sira % 2]));
                anaForm.bolum(defter).anaGrupTiklandi();
                pencere = anaForm.bolum(defter).grupDuzeltmeFormu(GrupDuzeltmeFormu::Is::Adlandir, false);
                pencere->findChild<QLineEdit*>(QStringLiteral("AdKutusu"))->setText(sonraki());
            },
            adlandirmaTekrari);
    const Sure veri = olc(
        [&] {
            const QString eski = adlar[sira % 2];
            GrupDuzeltme::anaGrupAdlandir(defter, eski, sonraki(), false);
        },
        [] {}, adlandirmaTekrari);
    GrupDuzeltme::Sonuc adlandirma =
        GrupDuzeltme::anaGrupAdlandir(defter, adlar[sira % 2], adlar[(sira + 1) % 2], false);
    ++sira;
    const Sure geriAlma = olc([&] { adlandirma.degisiklik.geriAl(); },
                              [&] { adlandirma.degisiklik.yinele(); }, adlandirmaTekrari);
    --sira;
    QSqlQuery yalin(db);
    yalin.prepare(
        QStringLiteral("UPDATE %1 SET AnaGrup = ? WHERE AnaGrup = ?").arg(defter.kayitTablosu));
    const Sure yalinSure = olc(
        [&] {
            db.transaction();
            yalin.bindValue(1, adlar[sira % 2]);
            yalin.bindValue(0, sonraki());
            if (!yalin.exec() || !db.commit())
                throw VeriHatasi(yalin.lastError());
        },
        [] {}, adlandirmaTekrari);
    sureTablosu(
        QStringLiteral("Renaming an income main group of %1 entries (%2 runs; bare: one "
                       "UPDATE of those entries on their exact name, its own commit)")
            .arg(kayitlar)
            .arg(adlandirmaTekrari),
        {{QStringLiteral("\"Tamam\" in the rename dialog, with the lists again"), pencereyle},
         {QStringLiteral("`GrupDuzeltme::anaGrupAdlandir` alone (one transaction)"), veri},
         {QStringLiteral("taking it back (`Degisiklik::geriAl`, every row checked)"), geriAlma},
         {QStringLiteral("bare UPDATE"), yalinSure}},
        yalinSure);
}

// From starting a process to its first window shown and painted, in ms, and that window's size;
// the process then ends.
std::pair<double, QStringList> gosterilene(const QString& program, const QStringList& argumanlar)
{
    QProcess surec;
    surec.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer saat;
    saat.start();
    surec.start(program, argumanlar);
    while (!surec.canReadLine() && surec.waitForReadyRead(60'000)) {
    }
    const double sure = double(saat.nsecsElapsed()) / 1e6;
    const QStringList satir = QString::fromLatin1(surec.readLine()).trimmed().split(u' ');
    if (!surec.waitForFinished(60'000) || satir.size() != 3 || satir[0] != "gosterildi")
        throw VeriHatasi(QString(), program + QStringLiteral(" showed no window"));
    return {sure, satir.mid(1)};
}

// The program's start on the benchmark's file, from outside, beside the floor (a bare Qt program
// showing a main window with an empty chart view, as large as the program's window) started in
// turn in the same run; and the program's start until its file's check has ended too, when a
// writing command no longer waits.
void acilisiOlc(const QString& yol)
{
    constexpr int acilisTekrari = 10;
    const QString program = QCoreApplication::applicationFilePath();
    const QStringList boyut = gosterilene(program, {QStringLiteral("--acilis"), yol}).second;
    std::vector<double> taban, pencere, denetimle;
    for (int i = 0; i <= acilisTekrari; ++i) {
        const double t = gosterilene(QStringLiteral(TABAN), boyut).first;
        const double p = gosterilene(program, {QStringLiteral("--acilis"), yol}).first;
        const double d = gosterilene(program, {QStringLiteral("--acilis-denetimle"), yol}).first;
        if (i == 0)
            continue;
        taban.push_back(t);
        pencere.push_back(p);
        denetimle.push_back(d);
    }
    const auto sure = [](std::vector<double> s) {
        std::sort(s.begin(), s.end());
        const size_t orta = s.size() / 2;
        return Sure{(s[orta - 1] + s[orta]) / 2.0, s.back()};
    };
    QSqlDatabase db = Baglanti::program().db();
    const Sure denetim = olc([&] { Sema::butunlukSorunu(db, true); }, [] {}, 3);
    sureTablosu(
        QStringLiteral("Start-up, from starting the process to its window shown (%1 MB "
                       "file; %2 runs of each in turn)")
            .arg(QFileInfo(yol).size() / 1'000'000)
            .arg(acilisTekrari),
        {{QStringLiteral("Morvane: the main window shown (%1 × %2)").arg(boyut[0], boyut[1]),
          sure(pencere)},
         {QStringLiteral("Morvane: the window shown and the file's check ended"), sure(denetimle)},
         {QStringLiteral("the file's check alone (`PRAGMA quick_check`, 3 runs)"), denetim},
         {QStringLiteral("floor: a bare Qt window with a chart view, as large"), sure(taban)}},
        sure(taban));
}

// The child's side of acilisiOlc(): the program's own start on the file at `yol`.
int acilisCocugu(const QString& yol, bool denetimle)
{
    Gosterilince gosterilince([denetimle] {
        if (denetimle)
            AcilisDenetimi::bekle();
    });
    qApp->installEventFilter(&gosterilince);
    return Baslangic::calistir(VeriYeri::Konum{.yol = yol, .yanindaki = yol});
}

// The benchmark's file of kayitSayisi entries per ledger, made at `yol` and kept.
int dosyaYap(const QString& yol)
{
    if (const auto sorun = Sema::dosyaOlustur(yol)) {
        QTextStream(stderr) << *sorun << '\n';
        return 1;
    }
    if (const auto sorun = Baglanti::program().ac(yol)) {
        QTextStream(stderr) << *sorun << '\n';
        return 1;
    }
    QSqlDatabase db = Baglanti::program().db();
    db.transaction();
    doldur(gelirDefteri());
    doldur(giderDefteri());
    const bool yazildi = db.commit();
    db = QSqlDatabase();
    Baglanti::program().kapat();
    return yazildi ? 0 : 1;
}

// "Tüm Yıllar" in the overview, where its window opens: the window, the sums read from the stored
// ones by year and month, and the statement over every entry that the sums stand in for.
void tumYillariOlc(AnaForm& anaForm)
{
    QList<Satir> satirlar;
    for (const DefterTanimi* defter : {&gelirDefteri(), &giderDefteri()}) {
        Satir s{defter->adiyla("Tüm%1lerFormu on Tüm Yıllar"), 13};
        s.pencere = olc([&] { AylikOzetFormu pencere(*defter, {}, &anaForm); });
        s.boyali = olc([&] {
            AylikOzetFormu pencere(*defter, {}, &anaForm);
            pencere.grab();
        });
        s.yalinSorgu = olc([&] { ButceVerisi::aylikToplamlar(*defter); });
        satirlar << s;
    }
    tabloYaz(QStringLiteral("The overview on Tüm Yıllar (bare: `ButceVerisi::aylikToplamlar`)"),
             QStringLiteral("with its first paint"), satirlar);
    cikti << "\n| | the statement over every entry: median / worst ms |\n|---|--:|\n";
    for (const DefterTanimi* defter : {&gelirDefteri(), &giderDefteri()}) {
        const Sure tarama = olc([&] {
            SorguSonucu sorgu(QStringLiteral("SELECT %2, TUTAR_TOPLAMI(%3, Gerceklesen) FROM %1 "
                                             "GROUP BY %2")
                                  .arg(defter->kayitTablosu, defter->ayAlani, defter->tahminAlani));
            while (sorgu.sonraki()) {
            }
        });
        cikti << "| " << defter->ad << " | " << ms(tarama.ortanca) << " / " << ms(tarama.enKotu)
              << " |\n";
    }
}

// The lists as the whole benchmark leaves them: one sub-group each, in Haziran.
void listeleriKur(AnaForm& anaForm)
{
    anaForm.show();
    QApplication::processEvents();
    anaForm.donemSecici()->sec({olculenYil, olculenAy});
    for (const DefterTanimi* defter : {&gelirDefteri(), &giderDefteri()}) {
        DefterBolumu& bolum = anaForm.bolum(*defter);
        bolum.anaGrupListesi()->setCurrentIndex(anaGrupSayisi / 2);
        bolum.anaGrupTiklandi();
        bolum.altGrupListesi()->setCurrentRow(altGrupSayisi / 2);
    }
}

// What keeping the sums costs the writes: saving an edit and copying a year's plan with the
// triggers, then with them dropped (on a copy of the file: it stays without them).
void tetikBedeliniOlc(AnaForm& anaForm)
{
    cikti << "\nWith the sums' triggers:\n";
    duzenlemeyiOlc(anaForm);
    kopyalamayiOlc(anaForm);
    QSqlQuery sorgu(Baglanti::program().db());
    QStringList adlar;
    if (!sorgu.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'trigger'")))
        throw VeriHatasi(sorgu.lastError());
    while (sorgu.next())
        adlar << sorgu.value(0).toString();
    for (const QString& ad : adlar)
        if (!sorgu.exec(QStringLiteral("DROP TRIGGER %1").arg(ad)))
            throw VeriHatasi(sorgu.lastError());
    cikti << "\nWithout them:\n";
    // The plan copy left the window on the year it copied into.
    listeleriKur(anaForm);
    duzenlemeyiOlc(anaForm);
    kopyalamayiOlc(anaForm);
}

// One part of the benchmark on a file made by dosyaYap(), with the load average around it.
int yalnizOlc(const QByteArray& kisim, const QString& yol)
{
    if (const auto sorun = Baglanti::program().ac(yol)) {
        QTextStream(stderr) << *sorun << '\n';
        return 1;
    }
    cikti << "Machine: " << islemci() << ", " << QThread::idealThreadCount()
          << " logical CPUs; load average at start " << yukOrtalamasi() << ".\n";
    try {
        if (kisim == "acilis") {
            acilisiOlc(yol);
        } else if (kisim == "liste") {
            listelemeTablosu();
        } else if (kisim == "geri-al" || kisim == "tum-yillar" || kisim == "tetikler") {
            AnaForm anaForm(QDate(olculenYil, olculenAy, 15));
            listeleriKur(anaForm);
            if (kisim == "geri-al")
                geriAlmayiOlc(anaForm);
            else if (kisim == "tum-yillar")
                tumYillariOlc(anaForm);
            else
                tetikBedeliniOlc(anaForm);
        } else {
            QTextStream(stderr) << "Bilinmeyen kısım: " << kisim << '\n';
        }
    } catch (const VeriHatasi& h) {
        QTextStream(stderr) << h.aciklama() << '\n';
    }
    cikti << "\nLoad average at the end: " << yukOrtalamasi() << ".\n";
    cikti.flush();
    Baglanti::program().kapat();
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication uygulama(argc, argv);
    if (argc > 2 &&
        (qstrcmp(argv[1], "--acilis") == 0 || qstrcmp(argv[1], "--acilis-denetimle") == 0))
        return acilisCocugu(QString::fromLocal8Bit(argv[2]), qstrcmp(argv[1], "--acilis") != 0);
    // The windows as the program shows them: rows as tall as its style makes them.
    Denetim::gorunumuKur();
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    MesajKutusu::kaydetmeyeBasla();
    if (argc > 3 && qstrcmp(argv[1], "--dosya") == 0) {
        kayitSayisi = QByteArray(argv[2]).toInt();
        return dosyaYap(QString::fromLocal8Bit(argv[3]));
    }
    if (argc > 3 && qstrcmp(argv[1], "--yalniz") == 0)
        return yalnizOlc(QByteArray(argv[2]), QString::fromLocal8Bit(argv[3]));

    QTemporaryDir gecici;
    const QString yol = VeriYeri::veriTabaniYolu(gecici.path());
    const bool sunucuda =
        argc > 2 && qstrcmp(argv[1], "--motor") == 0 && qstrcmp(argv[2], "postgresql") == 0;
    if (sunucuda) {
        // The server, database and user as libpq's environment names them.
        SunucuAdresi adres;
        adres.port = qEnvironmentVariableIsSet("PGPORT") ? qEnvironmentVariableIntValue("PGPORT")
                                                         : adres.port;
        if (const auto sorun = Baglanti::program().sunucuyaBaglan(adres)) {
            QTextStream(stderr) << *sorun << '\n';
            return 1;
        }
    } else if (const auto sorun = Sema::dosyaOlustur(yol)) {
        QTextStream(stderr) << *sorun << '\n';
        return 1;
    }
    if (const auto sorun = sunucuda ? std::nullopt : Baglanti::program().ac(yol)) {
        QTextStream(stderr) << *sorun << '\n';
        return 1;
    }

    cikti << "Machine: " << islemci() << ", " << QThread::idealThreadCount()
          << " logical CPUs (nproc); Qt " << qVersion()
          << (sunucuda ? QStringLiteral(", PostgreSQL server (Unix socket)")
                       : QStringLiteral(", SQLite ") + QString::fromLatin1(sqlite3_libversion()))
#ifdef NDEBUG
          << ", optimised build"
#else
          << ", DEBUG BUILD (figures not representative)"
#endif
          << "; offscreen; " << tekrar << " timed runs after one untimed; load average at start "
          << yukOrtalamasi() << ".\n";
    cikti.flush();

    const bool yalnizcaRapor = argc > 2 && qstrcmp(argv[1], "--rapor") == 0;
    const bool yalnizcaListe = argc > 2 && qstrcmp(argv[1], "--liste") == 0;
    if (argc > 2 && (yalnizcaRapor || yalnizcaListe || qstrcmp(argv[1], "--kayit") == 0))
        kayitSayisi = QByteArray(argv[2]).toInt();
    try {
        QElapsedTimer saat;
        saat.start();
        QSqlDatabase db = Baglanti::program().db();
        db.transaction();
        doldur(gelirDefteri());
        doldur(giderDefteri());
        if (!db.commit())
            throw VeriHatasi(db.lastError());
        cikti << "Filled " << kayitSayisi << " entries per ledger (" << anaGrupSayisi
              << " main groups × " << altGrupSayisi << " sub-groups, " << Takvim::ilkYil << "–"
              << planYili << ", every month) in " << ms(double(saat.elapsed()) / 1000.0)
              << " s, one transaction.\n";
        if (yalnizcaRapor || yalnizcaListe) {
            if (yalnizcaRapor) {
                raporTablosu(raporuOlc(nullptr));
                raporuEskiDosyadaOlc();
            } else {
                listelemeTablosu();
            }
            cikti << "\nLoad average at the end: " << yukOrtalamasi() << ".\n";
            cikti.flush();
            db = QSqlDatabase();
            Baglanti::program().kapat();
            return MesajKutusu::gosterilenler().isEmpty() ? 0 : 1;
        }

        // On a server the start is the connection's: the child would open a file. A server's
        // table is vacuumed once filled, as autovacuum does on its own within a minute of such a
        // change, so that its index-only reads need not visit the rows.
        if (!sunucuda) {
            acilisiOlc(yol);
        } else if (QSqlQuery vakum(db); !vakum.exec(QStringLiteral("VACUUM ANALYZE"))) {
            throw VeriHatasi(vakum.lastError());
        } else {
            cikti << "Vacuumed and analysed after filling, as autovacuum would.\n";
        }
        AnaForm anaForm(QDate(olculenYil, olculenAy, 15));
        anaForm.show();
        QApplication::processEvents();

        listelemeTablosu(&anaForm);

        QList<Satir> ozetler;
        for (const DefterTanimi* defter : {&gelirDefteri(), &giderDefteri()}) {
            Satir s{defter->adiyla("Tüm%1lerFormu"), 13};
            s.pencere = olc([&] { AylikOzetFormu pencere(*defter, {olculenYil}, &anaForm); });
            s.boyali = olc([&] {
                AylikOzetFormu pencere(*defter, {olculenYil}, &anaForm);
                pencere.grab();
            });
            s.yalinSorgu = olc([&] { ButceVerisi::aylikToplamlar(*defter); });
            ozetler << s;
        }
        tabloYaz(QStringLiteral("Opening an overview window, on the main window's year (built "
                                "with its list and chart; bare: Tüm Yıllar's sums)"),
                 QStringLiteral("with its first paint"), ozetler);
        QList<Satir> yillar = yillariOlc(anaForm, gelirDefteri());
        yillar << yillariOlc(anaForm, giderDefteri());
        tabloYaz(QStringLiteral("One year in the overview (%1; compared with %2)")
                     .arg(olculenYil)
                     .arg(olculenYil - 1),
                 QStringLiteral("with a paint"), yillar);

        raporTablosu(raporuOlc(&anaForm));
        if (sunucuda) {
            bildirimiOlc();
            cikti << "\nLoad average at the end: " << yukOrtalamasi() << ".\n";
            cikti.flush();
            db = QSqlDatabase();
            Baglanti::program().kapat();
            return MesajKutusu::gosterilenler().isEmpty() ? 0 : 1;
        }
        duzenlemeyiOlc(anaForm);
        kopyalamayiOlc(anaForm);
        geriAlmayiOlc(anaForm);
        yedeklemeyiOlc();

        cikti << "\nThe overview's statement, grouped against one per month:\n\n"
              << "| | grouped statement: median / worst ms | twelve statements: median / worst "
                 "ms |\n|---|--:|--:|\n";
        for (const DefterTanimi* defter : {&gelirDefteri(), &giderDefteri()}) {
            const Sure gruplu = olc([&] { ButceVerisi::aylikToplamlar(*defter); });
            const Sure onIki = olc([&] { onIkiSorgu(*defter); });
            cikti << "| " << defter->ad << " | " << ms(gruplu.ortanca) << " / " << ms(gruplu.enKotu)
                  << " | " << ms(onIki.ortanca) << " / " << ms(onIki.enKotu) << " |\n";
        }

        // The whole export as the menu and varnel-disa-aktar run it: read, sorted, written,
        // flushed to disk and renamed into place.
        const QString csv = gecici.filePath(QStringLiteral("Tüm kayıtlar.csv"));
        const QString xlsx = gecici.filePath(QStringLiteral("Tüm kayıtlar.xlsx"));
        // Fewer runs on a large file: each takes tens of seconds there.
        const int disaTekrari = kayitSayisi > 100'000 ? 4 : 10;
        const Sure disaAktarma =
            olc([&] { DisaAktarma::tumKayitlariKaydet(csv); }, [] {}, disaTekrari);
        // The machine is shared: this process's own processor time tells what the work costs.
        const std::clock_t kitapBasi = std::clock();
        const Sure kitap =
            olc([&] { DisaAktarma::tumKayitlariKaydet(xlsx); }, [] {}, disaTekrari);
        const double kitapIslemci =
            double(std::clock() - kitapBasi) / CLOCKS_PER_SEC * 1000 / (disaTekrari + 1);
        const Sure okuma = olc(
            [] {
                for (const DefterTanimi* defter : {&gelirDefteri(), &giderDefteri()})
                    ButceVerisi::yilYilKayitlar(*defter, [](auto&) {});
            },
            [] {}, disaTekrari);
        cikti << "\nExporting every entry of both ledgers (" << 2 * kayitSayisi << " rows), "
              << disaTekrari << " runs:\n\n| | median ms | worst ms |\n|---|--:|--:|\n"
              << "| the whole export as .xlsx, " << QFileInfo(xlsx).size() / 1024 << " KiB | "
              << ms(kitap.ortanca) << " | " << ms(kitap.enKotu) << " |\n"
              << "| its processor time, mean of " << disaTekrari + 1 << " runs | "
              << ms(kitapIslemci) << " | |\n"
              << "| the whole export as .csv, " << QFileInfo(csv).size() / 1024 << " KiB | "
              << ms(disaAktarma.ortanca) << " | " << ms(disaAktarma.enKotu) << " |\n"
              << "| its statements and sorting alone | " << ms(okuma.ortanca) << " | "
              << ms(okuma.enKotu) << " |\n";
        // Not timed on a large file: minutes of whole-table scans, with no target there.
        if (kayitSayisi <= 100'000)
            grupAdlandirmayiOlc(anaForm);
        eskiDosyadaOlc();
    } catch (const VeriHatasi& h) {
        QTextStream(stderr) << h.aciklama() << '\n';
        Baglanti::program().kapat();
        return 1;
    }
    cikti << "\nLoad average at the end: " << yukOrtalamasi() << ".\n";
    cikti.flush();
    const bool hataVar = !MesajKutusu::gosterilenler().isEmpty();
    for (const MesajKutusu::Gosterilen& m : MesajKutusu::gosterilenler())
        QTextStream(stderr) << "Message shown: " << m.metin << '\n';
    Baglanti::program().kapat();
    return hataVar ? 1 : 0;
}

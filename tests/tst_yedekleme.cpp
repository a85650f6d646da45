#include "AcilisDenetimi.h"
#include "AnaForm.h"
#include "Baslangic.h"
#include "ButceVerisi.h"
#include "DosyaBaglantisi.h"
#include "KilitBeklemesi.h"
#include "LedgerTest.h"
#include "OtomatikYedekleme.h"
#include "VeriHatasi.h"
#include "YedekGeriYuklemeFormu.h"
#include "Yedekleme.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QScopeGuard>
#include <QSqlQuery>
#include <QStatusBar>
#include <QTreeWidget>

#include <unistd.h>

namespace
{

const ButceVerisi::YeniKayit kira = yeniKayit("EV", "KİRA", 2024, "Mart", 1000, 900);

// Runs the program's start. The file's check ends while the window is open: once it has ended and
// its report has been taken up, the loop ends with status 7 if the main window is still on screen.
int acilistaBak(const QString& klasor, bool& gosterildi)
{
    QObject kapsam;
    QTimer::singleShot(0, &kapsam, [&] {
        AcilisDenetimi::bekle();
        QTimer::singleShot(0, &kapsam, [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                gosterildi = gosterildi || (qobject_cast<AnaForm*>(w) && w->isVisible());
            if (gosterildi)
                QApplication::exit(7);
        });
    });
    return Baslangic::calistir(klasor);
}

} // namespace

class TestYedekleme : public LedgerTest
{
    Q_OBJECT

    QString yedekKlasoru() const { return ortam->klasor() + "/Yedekler"; }
    QStringList yedekAdlari()
    {
        return QDir(yedekKlasoru()).entryList(QDir::Files, QDir::Reversed);
    }
    // Thirty income entries and one expense, then the cell pointers of the income year index's
    // first page garbled in `bozulacak` (after `once`): the tables read as before, the engine's
    // check fails.
    void hazirla(const QString& bozulacak = {}, const std::function<void()>& once = {})
    {
        ortam->anaGrupYaz(gelirDefteri(), "EV");
        for (int i = 0; i < 30; ++i)
            ortam->kayitYaz(gelirDefteri(), "EV", "KİRA", 2024, "Mart", i, i);
        ortam->kayitYaz(giderDefteri(), "EV", "KİRA", 2024, "Mart", 1, 1);
        const qint64 sayfa = ortam
                                 ->sorgula("SELECT rootpage FROM sqlite_master WHERE name = "
                                           "'GelirlerTablosu_GelirYili'")
                                 .toLongLong();
        if (once)
            once();
        QFile dosya(bozulacak);
        if (!bozulacak.isEmpty() && dosya.open(QIODevice::ReadWrite) &&
            dosya.seek((sayfa - 1) * 4096 + 8))
            dosya.write(QByteArray("\x00\x07", 2).repeated(8));
    }
    QString sayilar()
    {
        return sqliteAraci(ortam->dosya(), "SELECT count(*) FROM GelirlerTablosu");
    }

private slots:
    // Before the first write and at most hourly after, over simulated days: the newest ten and the
    // newest of each of the last twelve months stay; each is its owner's alone, passes the
    // sqlite3 tool's check and holds the file as it was. A failed one is told once; the writes go
    // on.
    void automaticBackupsOverSimulatedDates()
    {
        QDateTime saat(QDate(2025, 1, 10), QTime(12, 0));
        QStringList bildirimler;
        OtomatikYedekleme otomatik([&](const QString& m) { bildirimler << m; },
                                   [&] { return saat; });
        ButceVerisi::kayitEkle(gelirDefteri(), kira);
        saat = saat.addSecs(3599);
        ButceVerisi::kayitEkle(gelirDefteri(), kira);
        QCOMPARE(yedekAdlari(), QStringList{"Varnel-2025-01-10-1200.mdb"});
        QCOMPARE(izinleri(yedekKlasoru()), 0700);
        QStringList beklenen;
        for (int gun = 12; gun >= 3; --gun)
            beklenen << QString("Varnel-2026-01-%1-1200.mdb").arg(gun, 2, 10, QChar('0'));
        for (int ay = 12; ay >= 2; --ay)
            beklenen << QString("Varnel-2025-%1-20-1200.mdb").arg(ay, 2, 10, QChar('0'));
        for (int i = 1; i < 36; ++i) {
            // 20 January, then the 10th and 20th of each month of 2025, then 1-12 January 2026.
            saat = i < 24 ? QDateTime(QDate(2025, (i + 1) / 2, i % 2 ? 20 : 10), QTime(12, 0))
                          : QDateTime(QDate(2026, 1, i - 23), QTime(12, 0));
            ButceVerisi::kayitEkle(giderDefteri(), kira);
        }
        QCOMPARE(yedekAdlari(), beklenen);
        QCOMPARE(sqliteAraci(yedekKlasoru() + "/Varnel-2026-01-12-1200.mdb",
                             "PRAGMA integrity_check; SELECT count(*) FROM GiderlerTablosu"),
                 QString("ok\n34"));
        for (const QString& ad : beklenen)
            QCOMPARE(izinleri(yedekKlasoru() + '/' + ad), 0600);

        QVERIFY(QDir(yedekKlasoru()).removeRecursively());
        QFile engel(yedekKlasoru());
        QVERIFY(engel.open(QIODevice::WriteOnly));
        for (int i = 0; i < 3; ++i)
            ButceVerisi::kayitEkle(gelirDefteri(), kira), saat = saat.addSecs(7200);
        QCOMPARE(bildirimler.size(), 1);
        QVERIFY2(bildirimler[0].startsWith("Otomatik yedek alınamadı: ") &&
                     bildirimler[0].contains(yedekKlasoru()),
                 qPrintable(bildirimler[0]));
        QCOMPARE(ortam->satirSayisi("GelirlerTablosu"), 5);
    }

    // "Yedekten Geri Yükle…" lists the backups, newest first, with what they hold. A good one
    // takes the file's place after the current data is backed up; one that fails the engine's
    // check or lacks a table is refused, and nothing changes, in the file or among the backups.
    // The question, No by default, weighs what the file and the backup hold.
    void restoreFromTheMenu_data()
    {
        QTest::addColumn<QString>("bozulma");
        QTest::addColumn<QString>("hata");
        QTest::newRow("good") << "" << QString();
        QTest::newRow("damaged") << "sayfa" << "On tree page";
        QTest::newRow("without a table") << "DROP TABLE GiderlerTablosu" << "GiderlerTablosu tablosu";
    }
    void restoreFromTheMenu()
    {
        QFETCH(QString, bozulma);
        QFETCH(QString, hata);
        const bool tablosuz = bozulma.startsWith("DROP"); // listed, its counts unreadable
        QString yedek;
        hazirla(bozulma == "sayfa" ? yedekKlasoru() + "/Varnel-2025-06-01-1005.mdb" : "",
                [&] { yedek = Yedekleme::al(QDateTime(QDate(2025, 6, 1), QTime(10, 5))); });
        if (tablosuz)
            sqliteAraci(yedek, bozulma);
        ortam->sorgula("DELETE FROM GelirlerTablosu WHERE Kimlik < 11");
        Yedekleme::al(QDateTime(QDate(2025, 7, 1), QTime(8, 0)));
        form = ortam->anaForm();
        grupSec(*form, gelirDefteri(), "EV");
        const QStringList once = klasorIcerigi(yedekKlasoru());

        auto pencere = form->yedekGeriYuklemeFormu();
        auto* liste = pencere->findChild<QTreeWidget*>("YedeklerListesi");
        QCOMPARE(basliklar(liste),
                 (QStringList{"Tarih", "Boyut", "Gelir Kayıtları", "Gider Kayıtları"}));
        QCOMPARE(satirlar(liste),
                 (QStringList{"1 Temmuz 2025 08:00|136,0 kB|20|1",
                              "1 Haziran 2025 10:05|136,0 kB|" +
                                  QString(tablosuz ? "okunamadı|okunamadı" : "30|1")}));
        liste->setCurrentItem(liste->topLevelItem(1));
        MesajKutusu::sonrakiYanit(true);
        pencere->findChild<QPushButton*>("GeriYükleDüğmesi")->click();

        const QString yedekte =
            tablosuz ? "okunamadı." : "30 gelir, 1 gider kaydı, en yenisi Mart 2024.";
        QCOMPARE(mesajlar().value(0), "soru (Hayır): 1 Haziran 2025 10:05 tarihli yedek geri "
                                      "yüklensin mi?\n\nŞu anki dosya: 20 gelir, 1 gider kaydı, "
                                      "en yenisi Mart 2024. Yedek: " + yedekte +
                                          "\n\nŞu anki verilerin yerini bu yedektekiler alır; "
                                          "şu anki dosya önce yedeklenir.");
        if (!hata.isEmpty()) {
            QVERIFY(mesajlar().value(1).startsWith("hata: Bu yedek denetimden geçemedi; geri "
                                                   "yüklenmedi, hiçbir şey değiştirilmedi."));
            QVERIFY2(mesajlar()[1].contains(hata), qPrintable(mesajlar()[1]));
            QCOMPARE(sayilar(), QString("20"));
            QCOMPARE(klasorIcerigi(yedekKlasoru()), once);
            return;
        }
        QCOMPARE(mesajlar().size(), 1);
        QCOMPARE(sqliteAraci(ortam->dosya(), "PRAGMA integrity_check"), QString("ok"));
        QCOMPARE(sayilar(), QString("30"));
        QCOMPARE(sutun(kayitListesi(*form, gelirDefteri()), 0).size(), 30);
        QCOMPARE(form->statusBar()->currentMessage(),
                 QString("Yedek geri yüklendi: Varnel-2025-06-01-1005.mdb"));
        // What it replaced is the newest backup now.
        const QList<Yedekleme::Yedek> yedekler = Yedekleme::yedekler(yedekKlasoru());
        QCOMPARE(yedekler.size(), 3);
        QCOMPARE(Yedekleme::kayitSayilari(yedekler[0].yol), (std::pair<qint64, qint64>(20, 1)));
    }

    // A damaged file is told at start-up with the engine's findings, or a file that does not open
    // at all with why, and the newest backup, which "Evet" restores (the damaged file kept apart);
    // "Hayır", or no backup, ends the program with nothing changed.
    void damagedFileAtStartUp_data()
    {
        QTest::addColumn<bool>("acilmaz");
        QTest::addColumn<bool>("yedekVar");
        QTest::addColumn<bool>("yanit");
        QTest::newRow("restored") << false << true << true;
        QTest::newRow("declined") << false << true << false;
        QTest::newRow("no backup") << false << false << true;
        QTest::newRow("does not open, restored") << true << true << true;
        QTest::newRow("does not open, declined") << true << true << false;
    }
    void damagedFileAtStartUp()
    {
        QFETCH(bool, acilmaz);
        QFETCH(bool, yedekVar);
        QFETCH(bool, yanit);
        const QString son =
            yedekVar ? QString("\n\nEn yeni yedek: Varnel-2025-06-01-1005.mdb (1 Haziran 2025 "
                               "10:05)\nBu yedek geri yüklensin mi? Bozuk dosya, Yedekler "
                               "klasöründe Varnel-bozuk-… adıyla saklanır.")
                     : "\n\nGeri yüklenecek bir yedek yok: " + yedekKlasoru();
        hazirla(acilmaz ? QString() : ortam->dosya(), [&] {
            if (yedekVar)
                for (const QTime saat : {QTime(9, 0), QTime(10, 5)})
                    Yedekleme::al(QDateTime(QDate(2025, 6, 1), saat));
            Baglanti::program().kapat();
        });
        QFile dosya(ortam->dosya());
        QVERIFY(dosya.open(QIODevice::ReadWrite));
        if (acilmaz)
            dosya.write(QByteArray(100, '\x5a'));
        dosya.seek(0);
        const QStringList once = klasorIcerigi(yedekKlasoru()) << dosya.readAll().toHex();
        dosya.seek(0);

        MesajKutusu::sonrakiYanit(yanit);
        bool gosterildi = false;
        const int durum = acilistaBak(ortam->klasor(), gosterildi);
        QCOMPARE(mesajlar().size(), 1);
        const QString bozuk = acilmaz ? "Veritabanı dosyası açılamadı:\n" + ortam->dosya() +
                                            "\n\n(Hata 26: file is not a database)"
                                      : "Veritabanı dosyası bozuk:\n" + ortam->dosya() +
                                            "\n\nVeritabanı motorunun bulguları:\n*** in "
                                            "database main ***\nOn tree page ";
        QVERIFY2(mesajlar()[0].startsWith(QString(yedekVar ? "soru: " : "hata: ") + bozuk) &&
                     mesajlar()[0].endsWith(son),
                 qPrintable(mesajlar()[0]));
        QCOMPARE(durum, gosterildi ? 7 : 1);
        QCOMPARE(gosterildi, yanit && yedekVar);
        if (!gosterildi) {
            QCOMPARE(klasorIcerigi(yedekKlasoru()) << dosya.readAll().toHex(), once);
            return;
        }
        QCOMPARE(sqliteAraci(ortam->dosya(), "PRAGMA integrity_check"), QString("ok"));
        QCOMPARE(sayilar(), QString("30"));
        QCOMPARE(QDir(yedekKlasoru()).entryList({"Varnel-bozuk-*.mdb"}).size(), 1);
        QCOMPARE(Yedekleme::yedekler(yedekKlasoru()).size(), 2);
    }

    // Another program holding the file locked while the start-up check runs: the check waits for
    // it, the file is not called damaged. A write meanwhile waits as long as for any lock (5 s on
    // a clock the test keeps) and is told the lock; once the lock is gone the check passes and
    // the write goes through.
    void lockDuringTheStartUpCheckIsNoDamage()
    {
        hazirla();
        QVERIFY(!Baglanti::program().ac(ortam->dosya()));
        qint64 saat = 0;
        KilitBeklemesi::saatiDegistir([&] { return saat; }, [&](qint64 ms) { saat += ms; });
        const auto gercekSaat = qScopeGuard([] { KilitBeklemesi::saatiDegistir({}, {}); });
        const DosyaBaglantisi baska(ortam->dosya(), DosyaBaglantisi::Kip::Yazilabilir);
        QVERIFY(QSqlQuery(baska.db()).exec("BEGIN EXCLUSIVE"));
        AcilisDenetimi::baslat(ortam->dosya());
        QCOMPARE(hataMetni([] { ButceVerisi::kayitEkle(giderDefteri(), kira); }),
                 QString("Varnel.mdb başka bir program tarafından kilitli; biraz sonra yeniden "
                         "deneyin.\n(Hata 5: database is locked)"));
        QCOMPARE(saat, KilitBeklemesi::sure);
        QVERIFY(QSqlQuery(baska.db()).exec("ROLLBACK"));
        QCOMPARE(AcilisDenetimi::bekle(), std::nullopt);
        QCOMPARE(hataMetni([] { ButceVerisi::kayitEkle(giderDefteri(), kira); }), QString());
    }

    // While the file's check runs at start-up, a writing command waits for it: a damaged file gets
    // no write at all, even to a table the damage does not touch, until a backup is restored. A
    // check held back for the first paint starts for the write.
    void damagedFileRefusedBeforeTheFirstWrite_data()
    {
        QTest::addColumn<bool>("bozuk");
        QTest::addColumn<bool>("beklemede");
        QTest::newRow("sound") << false << false;
        QTest::newRow("damaged") << true << false;
        QTest::newRow("damaged, check held back") << true << true;
    }
    void damagedFileRefusedBeforeTheFirstWrite()
    {
        QFETCH(bool, bozuk);
        QFETCH(bool, beklemede);
        hazirla(bozuk ? ortam->dosya() : QString(), [] {
            Yedekleme::al(QDateTime(QDate(2025, 6, 1), QTime(10, 5)));
            Baglanti::program().kapat();
        });
        QVERIFY(!Baglanti::program().ac(ortam->dosya()));
        const QByteArray once = dosyaIcerigi(ortam->dosya());
        AcilisDenetimi::baslat(ortam->dosya(), beklemede);
        const QString hata = hataMetni([] { ButceVerisi::kayitEkle(giderDefteri(), kira); });
        QCOMPARE(hata.startsWith("Veritabanı dosyası bozuk; hiçbir şey yazılmadı:\n" +
                                 ortam->dosya() + "\n\nVeritabanı motorunun bulguları:\n"),
                 bozuk);
        QCOMPARE(dosyaIcerigi(ortam->dosya()) == once, bozuk);
        Yedekleme::geriYukle(yedekKlasoru() + "/Varnel-2025-06-01-1005.mdb",
                             QDateTime(QDate(2025, 6, 2), QTime(9, 0)), bozuk);
        QCOMPARE(hataMetni([] { ButceVerisi::kayitEkle(giderDefteri(), kira); }), QString());
    }

    // Backups go only to a real folder of the user's own: a symbolic link or another user's folder
    // is refused with why, and the entry is still saved.
    void backupsStayHome_data() { ikiDurum("baskasinin", "symbolic link", "someone else's"); }
    void backupsStayHome()
    {
        QFETCH(bool, baskasinin);
        QTemporaryDir baska;
        if (baskasinin) {
            if (::geteuid() != 0)
                QSKIP("Giving a folder to another user needs root.");
            QVERIFY(QDir().mkdir(yedekKlasoru()));
            QVERIFY(::chown(QFile::encodeName(yedekKlasoru()).constData(), 65534, 65534) == 0);
        } else {
            QVERIFY(QFile::link(baska.path(), yedekKlasoru()));
        }
        QStringList bildirimler;
        OtomatikYedekleme otomatik([&](const QString& m) { bildirimler << m; });
        ButceVerisi::kayitEkle(gelirDefteri(), kira);

        QCOMPARE(ortam->satirSayisi("GelirlerTablosu"), 1);
        QCOMPARE(klasorIcerigi(baska.path()), QStringList());
        QCOMPARE(bildirimler.size(), 1);
        QVERIFY2(bildirimler[0].contains(baskasinin ? "başka bir kullanıcıya ait"
                                                    : "sembolik bir bağlantı"),
                 qPrintable(bildirimler[0]));
        QCOMPARE(Yedekleme::yedekler(yedekKlasoru()).size(), 0);
    }
};

QTEST_MAIN(TestYedekleme)
#include "tst_yedekleme.moc"

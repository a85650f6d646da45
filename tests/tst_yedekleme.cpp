#include "Baslangic.h"
#include "ButceVerisi.h"
#include "LedgerTest.h"
#include "OtomatikYedekleme.h"
#include "YedekGeriYuklemeFormu.h"
#include "Yedekleme.h"

#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>
#include <QUndoStack>

#include <sys/stat.h>

namespace
{

const ButceVerisi::YeniKayit kira{"EV", "KİRA", 2024, "Mart", 1000, 900};

QStringList yedekAdlari(const QString& klasor)
{
    return QDir(klasor + "/Yedekler").entryList(QDir::Files, QDir::Name | QDir::Reversed);
}

// The sqlite3 tool's answer, to read a file the way any other program would.
QString sqliteAraci(const QString& dosya, const QString& sql)
{
    QProcess surec;
    surec.start("sqlite3", {dosya, sql});
    surec.waitForFinished();
    return QString::fromUtf8(surec.readAllStandardOutput()).trimmed();
}

// Garbles the cell pointers of the income year index's first page: the tables read as before, the
// engine's check fails.
void boz(const QString& dosya, int sayfa)
{
    QFile f(dosya);
    QVERIFY(f.open(QIODevice::ReadWrite));
    f.seek(qint64(sayfa - 1) * 4096 + 8);
    f.write(QByteArray("\x00\x07", 2).repeated(8));
}

} // namespace

class TestBackup : public LedgerTest
{
    Q_OBJECT

    QString yedekKlasoru() const { return ortam->klasor() + "/Yedekler"; }
    // The entries of both ledgers as stored, by Kimlik.
    QStringList kayitlar()
    {
        return ortam->sutunu("SELECT 'gelir ' || Kimlik FROM GelirlerTablosu UNION ALL "
                             "SELECT 'gider ' || Kimlik FROM GiderlerTablosu");
    }
    int yilIndeksi()
    {
        return ortam
            ->sorgula("SELECT rootpage FROM sqlite_master WHERE name = 'GelirlerTablosu_GelirYili'")
            .toInt();
    }

private slots:
    // A backup before the first write and at most hourly after, over simulated days: the newest
    // ten and the newest of each of the last twelve months stay. Each is readable by its owner
    // alone, passes the engine's check with any tool and holds the file as it was.
    void backupsOverSimulatedDates()
    {
        QDateTime saat(QDate(2025, 1, 10), QTime(12, 0));
        QStringList bildirimler;
        OtomatikYedekleme otomatik([&](const QString& m) { bildirimler << m; },
                                   [&] { return saat; });
        ButceVerisi::kayitEkle(gelirDefteri(), kira);
        saat = saat.addSecs(3599);
        ButceVerisi::kayitEkle(gelirDefteri(), kira);
        QCOMPARE(yedekAdlari(ortam->klasor()), QStringList{"Varnel-2025-01-10-1200.mdb"});
        QVERIFY(QFileInfo(yedekKlasoru()).isDir());

        QList<QDateTime> anlar;
        for (int ay = 1; ay <= 12; ++ay)
            anlar << QDateTime(QDate(2025, ay, 10), QTime(12, 0))
                  << QDateTime(QDate(2025, ay, 20), QTime(12, 0));
        for (int gun = 1; gun <= 12; ++gun)
            anlar << QDateTime(QDate(2026, 1, gun), QTime(12, 0));
        for (const QDateTime& an : anlar.mid(1)) {
            saat = an;
            ButceVerisi::kayitEkle(giderDefteri(), kira);
        }
        QStringList beklenen;
        for (int gun = 12; gun >= 3; --gun)
            beklenen << QString("Varnel-2026-01-%1-1200.mdb").arg(gun, 2, 10, QChar('0'));
        for (int ay = 12; ay >= 2; --ay)
            beklenen << QString("Varnel-2025-%1-20-1200.mdb").arg(ay, 2, 10, QChar('0'));
        QCOMPARE(yedekAdlari(ortam->klasor()), beklenen);
        QCOMPARE(bildirimler, QStringList());

        // The newest was taken before the last of the 36 expense entries.
        const QString enYeni = yedekKlasoru() + "/Varnel-2026-01-12-1200.mdb";
        QCOMPARE(sqliteAraci(enYeni,
                             "PRAGMA integrity_check; SELECT count(*) FROM GelirlerTablosu; "
                             "SELECT count(*) FROM GiderlerTablosu"),
                 QString("ok\n2\n34"));
        for (const QString& ad : beklenen) {
            struct stat bilgi {
            };
            QCOMPARE(::stat(QFile::encodeName(yedekKlasoru() + '/' + ad).constData(), &bilgi), 0);
            QCOMPARE(bilgi.st_mode & 07777, 0600u);
        }
    }

    // A backup that cannot be written is told once in the status bar and never stops the work;
    // once one works again, the next failure is told again.
    void failedBackupToldOnceWorkGoesOn()
    {
        QFile engel(yedekKlasoru());
        QVERIFY(engel.open(QIODevice::WriteOnly));
        engel.close();
        form = ortam->anaForm();
        ButceVerisi::kayitEkle(gelirDefteri(), kira);
        QVERIFY2(form->statusBar()->currentMessage().startsWith("Otomatik yedek alınamadı: "),
                 qPrintable(form->statusBar()->currentMessage()));
        form.reset();

        QDateTime saat(QDate(2025, 1, 10), QTime(12, 0));
        QStringList bildirimler;
        OtomatikYedekleme otomatik([&](const QString& m) { bildirimler << m; },
                                   [&] { return saat; });
        for (int i = 0; i < 3; ++i, saat = saat.addSecs(7200))
            ButceVerisi::kayitEkle(gelirDefteri(), kira);
        QCOMPARE(bildirimler.size(), 1);
        QVERIFY(bildirimler[0].contains(yedekKlasoru()));
        QCOMPARE(ortam->satirSayisi("GelirlerTablosu"), 4);

        QVERIFY(engel.remove());
        ButceVerisi::kayitEkle(gelirDefteri(), kira);
        QCOMPARE(yedekAdlari(ortam->klasor()), QStringList{"Varnel-2025-01-10-1800.mdb"});
        QVERIFY(QDir(yedekKlasoru()).removeRecursively() && engel.open(QIODevice::WriteOnly));
        saat = saat.addSecs(7200);
        ButceVerisi::kayitEkle(gelirDefteri(), kira);
        QCOMPARE(bildirimler.size(), 2);
    }

    // "Yedekten Geri Yükle…" lists the backups with what they hold. A good one takes the file's
    // place after the current data is backed up; one that fails the engine's check or lacks a
    // table is refused, and nothing changes, in the file or among the backups.
    void restoreFromTheMenu_data()
    {
        QTest::addColumn<QString>("bozulma");
        QTest::addColumn<QString>("satir");
        QTest::addColumn<QString>("hata");
        QTest::newRow("good backup") << ""
                                     << "1 Haziran 2025 10:05|56,0 kB|30|1" << QString();
        QTest::newRow("damaged backup") << "sayfa"
                                        << "1 Haziran 2025 10:05|56,0 kB|30|1"
                                        << "On tree page";
        QTest::newRow("backup without a table")
            << "DROP TABLE GiderlerTablosu"
            << "1 Haziran 2025 10:05|56,0 kB|okunamadı|okunamadı"
            << "GiderlerTablosu tablosu";
    }
    void restoreFromTheMenu()
    {
        QFETCH(QString, bozulma);
        QFETCH(QString, satir);
        QFETCH(QString, hata);
        ortam->anaGrupYaz(gelirDefteri(), "EV");
        for (int i = 0; i < 30; ++i)
            ortam->kayitYaz(gelirDefteri(), "EV", "KİRA", 2024, "Mart", i, i);
        ortam->kayitYaz(giderDefteri(), "EV", "KİRA", 2024, "Mart", 1, 1);
        const QString yedek = Yedekleme::al(QDateTime(QDate(2025, 6, 1), QTime(10, 5)));
        const QStringList yedektekiler = kayitlar();
        if (bozulma == "sayfa")
            boz(yedek, yilIndeksi());
        else if (!bozulma.isEmpty())
            sqliteAraci(yedek, bozulma);
        ortam->sorgula("DELETE FROM GelirlerTablosu WHERE Kimlik < 11");
        ortam->kayitYaz(giderDefteri(), "EV", "KİRA", 2024, "Mart", 2, 2);
        const QStringList simdikiler = kayitlar();
        form = ortam->anaForm();
        grupSec(*form, gelirDefteri(), "EV");
        ButceVerisi::kayitEkle(gelirDefteri(), kira); // the run's first write backs up too
        ortam->sorgula("DELETE FROM GelirlerTablosu WHERE Kimlik = 31");
        const QStringList yedeklerOnce = klasorIcerigi(yedekKlasoru());

        auto pencere = form->yedekGeriYuklemeFormu();
        auto* liste = pencere->findChild<QTreeWidget*>("YedeklerListesi");
        QCOMPARE(basliklar(liste),
                 (QStringList{"Tarih", "Boyut", "Gelir Kayıtları", "Gider Kayıtları"}));
        QCOMPARE(satirlar(liste).size(), 2);
        QCOMPARE(satirlar(liste)[1], satir);
        liste->setCurrentItem(liste->topLevelItem(1));
        MesajKutusu::sonrakiYanit(true);
        pencere->findChild<QPushButton*>("GeriYükleDüğmesi")->click();

        QCOMPARE(mesajlar().value(0), "soru: 1 Haziran 2025 10:05 tarihli yedek geri yüklensin "
                                      "mi?\n\nŞu anki verilerin yerini bu yedektekiler alır; şu "
                                      "anki dosya önce yedeklenir.");
        if (!hata.isEmpty()) {
            QCOMPARE(mesajlar().size(), 2);
            QVERIFY(mesajlar()[1].startsWith("hata: Bu yedek denetimden geçemedi; geri "
                                             "yüklenmedi, hiçbir şey değiştirilmedi."));
            QVERIFY2(mesajlar()[1].contains(hata), qPrintable(mesajlar()[1]));
            QCOMPARE(kayitlar(), simdikiler);
            QCOMPARE(klasorIcerigi(yedekKlasoru()), yedeklerOnce);
            QCOMPARE(pencere->result(), 0);
            return;
        }
        QCOMPARE(mesajlar().size(), 1);
        QCOMPARE(kayitlar(), yedektekiler);
        QCOMPARE(sqliteAraci(ortam->dosya(), "PRAGMA integrity_check"), QString("ok"));
        QCOMPARE(sutun(kayitListesi(*form, gelirDefteri()), 0).size(), 30);
        QCOMPARE(form->geriAlmaYigini()->count(), 0);
        QCOMPARE(form->statusBar()->currentMessage(),
                 QString("Yedek geri yüklendi: Varnel-2025-06-01-1005.mdb"));
        // The data it replaced is the newest backup now.
        const QList<Yedekleme::Yedek> yedekler = Yedekleme::yedekler(yedekKlasoru());
        QCOMPARE(yedekler.size(), 3);
        QCOMPARE(Yedekleme::kayitSayilari(yedekler[0].yol), (std::pair<qint64, qint64>(20, 2)));
        QCOMPARE(simdikiler.size(), 22);
    }

    // A damaged file is told at start-up with the engine's findings and the newest backup, which
    // "Evet" restores (the damaged file kept apart); "Hayır", or no backup, ends the program.
    void damagedFileAtStartUp_data()
    {
        QTest::addColumn<bool>("yedekVar");
        QTest::addColumn<bool>("yanit");
        QTest::newRow("restored") << true << true;
        QTest::newRow("declined") << true << false;
        QTest::newRow("no backup") << false << true;
    }
    void damagedFileAtStartUp()
    {
        QFETCH(bool, yedekVar);
        QFETCH(bool, yanit);
        for (int i = 0; i < 30; ++i)
            ortam->kayitYaz(gelirDefteri(), "EV", "KİRA", 2024, "Mart", i, i);
        if (yedekVar) {
            Yedekleme::al(QDateTime(QDate(2025, 1, 1), QTime(9, 0)));
            Yedekleme::al(QDateTime(QDate(2025, 6, 1), QTime(10, 5)));
        }
        const int sayfa = yilIndeksi();
        DegiskenModulu::kapat();
        boz(ortam->dosya(), sayfa);
        const auto hali = [&] {
            QFile dosya(ortam->dosya());
            dosya.open(QIODevice::ReadOnly);
            return klasorIcerigi(yedekKlasoru()) << QString::fromLatin1(dosya.readAll().toHex());
        };
        const QStringList once = hali();

        MesajKutusu::sonrakiYanit(yanit);
        bool gosterildi = false;
        const int durum = pencereyeBak([&] { return Baslangic::calistir(ortam->klasor()); },
                                       [&](QWidget* w) { gosterildi = w; });

        const QString bulgu = "Veritabanı dosyası bozuk:\n" + ortam->dosya() +
                              "\n\nVeritabanı motorunun bulguları:\n*** in database main ***\n"
                              "On tree page ";
        QCOMPARE(mesajlar().size(), 1);
        QVERIFY2(mesajlar()[0].startsWith((yedekVar ? "soru: " : "hata: ") + bulgu),
                 qPrintable(mesajlar()[0]));
        QVERIFY2(mesajlar()[0].endsWith(yedekVar ? "\n\nEn yeni yedek: Varnel-2025-06-01-1005.mdb "
                                                   "(1 Haziran 2025 10:05)\nBu yedek geri "
                                                   "yüklensin mi? Bozuk dosya, Yedekler "
                                                   "klasöründe Varnel-bozuk-… adıyla saklanır."
                                                 : "\n\nGeri yüklenecek bir yedek yok: " +
                                                       yedekKlasoru()),
                 qPrintable(mesajlar()[0]));
        QCOMPARE(gosterildi, yanit && yedekVar);
        if (!gosterildi) {
            QCOMPARE(durum, 1);
            QCOMPARE(hali(), once);
            return;
        }
        QCOMPARE(durum, 7);
        QCOMPARE(sqliteAraci(ortam->dosya(), "PRAGMA integrity_check; SELECT count(*) FROM "
                                             "GelirlerTablosu"),
                 QString("ok\n30"));
        QCOMPARE(QDir(yedekKlasoru()).entryList({"Varnel-bozuk-*.mdb"}).size(), 1);
        QCOMPARE(Yedekleme::yedekler(yedekKlasoru()).size(), 2);
    }
};

QTEST_MAIN(TestBackup)
#include "tst_yedekleme.moc"

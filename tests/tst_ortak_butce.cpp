#include "ButceVerisi.h"
#include "DegiskenModulu.h"
#include "LedgerTest.h"
#include "Lehce.h"
#include "OrtakButce.h"
#include "OrtakButceFormu.h"
#include "Sema.h"
#include "VeriHatasi.h"
#include "Yedekleme.h"

#include <QSqlError>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QSqlQuery>
#include <QTreeWidget>

// A budget on a PostgreSQL server (run with MORVANE_TEST_SUNUCUSU): connecting, moving a budget
// there and back, and two members working on it at once.
class TestOrtakButce : public LedgerTest
{
    Q_OBJECT

    // Another member's connection to the same budget.
    QSqlDatabase baskasi()
    {
        return TestOrtami::sunucuBaglantisi("başkası", TestOrtami::sunucu(false)->veritabani);
    }
    void baskasiYazar(const QString& sql)
    {
        QSqlQuery sorgu(baskasi());
        QVERIFY2(sorgu.exec(sql), qPrintable(sorgu.lastError().text()));
    }

private slots:
    void initTestCase()
    {
        if (!TestOrtami::sunucu(false))
            QSKIP("no PostgreSQL server given");
    }

    void connectionRefusals_data()
    {
        QTest::addColumn<QString>("sunucu");
        QTest::addColumn<QString>("veritabani");
        QTest::addColumn<QString>("kullanici");
        QTest::addColumn<QString>("hazirlik");
        QTest::addColumn<QString>("ilkSatir");
        QTest::newRow("unreachable") << "/nonexistent" << "" << "morvane" << ""
                                     << "Sunucuya ulaşılamadı; adını, portunu ve çalıştığını "
                                        "denetleyin.";
        QTest::newRow("missing database")
            << "" << "yok_boyle" << "morvane" << ""
            << "Sunucuda bu adda bir veritabanı ya da kullanıcı yok.";
        QTest::newRow("no permission")
            << "" << "" << "misafir"
            << "DROP ROLE IF EXISTS misafir;CREATE ROLE misafir LOGIN;REVOKE CONNECT ON DATABASE "
               "tst_ortak_butce FROM PUBLIC"
            << "Bu veritabanına bağlanma izniniz yok.";
        QTest::newRow("other tables") << "" << "" << "morvane" << "CREATE TABLE Baska (x int)"
                                      << "Bu veritabanında Morvane'nin olmayan tablolar var "
                                         "(baska); ortak bütçe yalnızca boş bir veritabanına "
                                         "kurulur.";
        QTest::newRow("its own tables") << "" << "" << "morvane" << "" << "";
    }
    void connectionRefusals()
    {
        QFETCH(QString, sunucu);
        QFETCH(QString, veritabani);
        QFETCH(QString, kullanici);
        QFETCH(QString, hazirlik);
        QFETCH(QString, ilkSatir);
        for (const QString& komut : hazirlik.split(u';', Qt::SkipEmptyParts))
            baskasiYazar(komut);
        SunucuAdresi adres = *TestOrtami::sunucu(false);
        adres.sunucu = sunucu.isEmpty() ? adres.sunucu : sunucu;
        adres.veritabani = veritabani.isEmpty() ? adres.veritabani : veritabani;
        adres.kullanici = kullanici;
        const std::optional<QString> sorun = OrtakButce::ac(adres);
        QCOMPARE(sorun.value_or(QString()).section(u'\n', 0, 0), ilkSatir);
        QCOMPARE(OrtakButce::acikButce().isEmpty(), sorun.has_value());
    }

    // A file with groups, realised and planned entries and a deleted last entry goes to the server
    // and comes back as a new file with every row, rowid and Kimlik counter the same.
    void movesThereAndBack()
    {
        const QString dosya = ortam->klasor() + "/Varnel.mdb";
        const QString geri = ortam->klasor() + "/geri/Varnel.mdb";
        QDir().mkpath(ortam->klasor() + "/geri");
        QVERIFY(!Sema::dosyaOlustur(dosya));
        QVERIFY(!DegiskenModulu::ac(dosya));
        for (const DefterTanimi* d : {&gelirDefteri(), &giderDefteri()}) {
            ButceVerisi::grupEkle(*d, "EV", "KİRA");
            ButceVerisi::grupEkle(*d, "İŞ", "ŞUBE");
            ButceVerisi::kayitEkle(*d, yeniKayit("EV", "KİRA", 2024, "Ocak", 1000.5, 999.99));
            ButceVerisi::kayitEkle(*d, {"İŞ", "ŞUBE", 2025, "Şubat", 12, std::nullopt});
            ButceVerisi::kayitSil(*d, {.kimlik = ButceVerisi::kayitEkle(
                                           *d, yeniKayit("EV", "KİRA", 2024, "Mart", 1, 1))
                                           .ilkSatir()});
        }
        const QStringList satirlar = ortam->tumSatirlar();
        const qint64 sayac = ButceVerisi::kimlikSayaci(giderDefteri());
        QCOMPARE(sayac, 3);

        QVERIFY(!OrtakButce::ac(*TestOrtami::sunucu(false)));
        OrtakButce::dosyadanTasi(dosya);
        QCOMPARE(ButceVerisi::kimlikSayaci(giderDefteri()), sayac);
        QCOMPARE(ButceVerisi::altGruplar(giderDefteri(), "iş"), QStringList{"ŞUBE"});
        QCOMPARE(ButceVerisi::donemToplami(gelirDefteri(), {2024, 1}).gerceklesenKurus,
                 99999);
        QVERIFY_THROWS_EXCEPTION(VeriHatasi, OrtakButce::dosyadanTasi(dosya));
        OrtakButce::dosyayaKaydet(geri);
        QVERIFY_THROWS_EXCEPTION(VeriHatasi, OrtakButce::dosyayaKaydet(geri));

        QVERIFY(!DegiskenModulu::ac(geri));
        QCOMPARE(ortam->tumSatirlar(), satirlar);
        QCOMPARE(ButceVerisi::kimlikSayaci(giderDefteri()), sayac);
    }

    // "Yedekten Geri Yükle…" on a shared budget: its rows replaced by the backup's, the current
    // ones backed up first, and no Kimlik given out before is given again.
    void restoresABackupInPlace()
    {
        const DefterTanimi& d = giderDefteri();
        ButceVerisi::kayitEkle(d, yeniKayit("EV", "KİRA", 2024, "Ocak", 1, 1));
        const QDateTime an(QDate(2024, 3, 15), QTime(12, 0));
        const QString yedek = Yedekleme::al(an);
        const QStringList satirlar = ortam->tumSatirlar();
        ButceVerisi::grupEkle(d, "İŞ", "ŞUBE");
        ButceVerisi::kayitEkle(d, yeniKayit("İŞ", "ŞUBE", 2024, "Ocak", 2, 2));

        Yedekleme::geriYukle(yedek, an.addSecs(60));
        QCOMPARE(ortam->tumSatirlar(), satirlar);
        QCOMPARE(Yedekleme::yedekler(Yedekleme::klasor(OrtakButce::yedekYeri())).size(), 2);
        QCOMPARE(ButceVerisi::kayitEkle(d, yeniKayit("EV", "KİRA", 2024, "Ocak", 3, 3)).ilkSatir(),
                 3);
    }

    // Two members on one budget: a command of one is taken back only while the other has not
    // changed its rows meanwhile.
    void undoAcrossTwoConnections_data()
    {
        QTest::addColumn<QString>("baskasininKomutu");
        QTest::addColumn<bool>("geriAlinir");
        QTest::newRow("other entry edited")
            << "UPDATE GelirlerTablosu SET Gerceklesen = 5 WHERE Kimlik <> %1" << true;
        QTest::newRow("same entry edited")
            << "UPDATE GelirlerTablosu SET Gerceklesen = 5 WHERE Kimlik = %1" << false;
        QTest::newRow("same entry deleted") << "DELETE FROM GelirlerTablosu WHERE Kimlik = %1"
                                            << false;
    }
    void undoAcrossTwoConnections()
    {
        QFETCH(QString, baskasininKomutu);
        QFETCH(bool, geriAlinir);
        const DefterTanimi& d = gelirDefteri();
        ButceVerisi::kayitEkle(d, yeniKayit("EV", "KİRA", 2024, "Ocak", 10, 10));
        const Degisiklik ekleme =
            ButceVerisi::kayitEkle(d, yeniKayit("EV", "KİRA", 2024, "Ocak", 20, 20));
        baskasiYazar(baskasininKomutu.arg(ekleme.ilkSatir()));
        const QStringList once = ortam->tumSatirlar();

        QCOMPARE(ekleme.geriAl(), geriAlinir);
        QCOMPARE(ortam->tumSatirlar() == once, !geriAlinir);
        if (geriAlinir)
            QVERIFY(ekleme.yinele());
    }

    // What another member writes is listed without any action, the chosen entry still chosen.
    void anotherMembersEntryIsListed()
    {
        const DefterTanimi& d = gelirDefteri();
        ortam->anaGrupYaz(d, "EV");
        ortam->altGrupYaz(d, "EV", "KİRA");
        const qint64 ilk = ortam->kayitYaz(d, "EV", "KİRA", 2024, "Mart", 10, 10);
        form = ortam->anaForm(QDate(2024, 3, 15));
        grupSec(*form, d, "EV", "KİRA");
        QTreeWidget* liste = kayitListesi(*form, d);
        liste->setCurrentItem(liste->topLevelItem(0));
        baskasiYazar("INSERT INTO GelirlerTablosu (AnaGrup, GrupAdi, GelirYili, GelirAyi, "
                     "GelirTahmini, Gerceklesen) VALUES ('ev', 'kira', 2024, 'MART', 20, 20)");
        QTRY_COMPARE(liste->topLevelItemCount(), 2);
        QCOMPARE(liste->currentItem()->text(0), QString::number(ilk));
    }

    // A connection the server ended: the command meeting it writes nothing and says so in
    // Turkish; the next one connects again.
    void lostConnectionReconnects()
    {
        const DefterTanimi& d = gelirDefteri();
        ButceVerisi::kayitEkle(d, yeniKayit("EV", "KİRA", 2024, "Ocak", 1, 1));
        baskasiYazar("SELECT pg_terminate_backend(pid, 10000) FROM pg_stat_activity WHERE "
                     "application_name = 'Morvane' AND datname = current_database()");
        QCOMPARE(hataMetni([&] {
                     ButceVerisi::kayitEkle(d, yeniKayit("EV", "KİRA", 2024, "Ocak", 2, 2));
                 }).section(u'\n', 0, 0),
                 "Ortak bütçenin sunucusuyla bağlantı koptu; komut kaydedilmedi. Sonraki komutta "
                 "yeniden bağlanılacak.");
        ButceVerisi::kayitEkle(d, yeniKayit("EV", "KİRA", 2024, "Ocak", 3, 3));
        QCOMPARE(ortam->sutunu("SELECT Gerceklesen FROM GelirlerTablosu ORDER BY Kimlik"),
                 (QStringList{"1", "3"}));
    }

    // The window names the shared budget and offers what can be done on it.
    void windowNamesTheSharedBudget()
    {
        form = ortam->anaForm();
        const QString ad = "Ortak bütçe: " + TestOrtami::sunucu(false)->ad();
        QVERIFY2(form->windowTitle().endsWith(" - " + ad), qPrintable(form->windowTitle()));
        QCOMPARE(form->findChild<QLabel*>("OrtakBütçeEtiketi")->text(), ad);
        QStringList eylemler;
        for (const QAction* a : form->menuBar()->actions()[0]->menu()->actions().mid(1, 4))
            eylemler << a->text() + (a->isEnabled() ? "" : "×");
        QCOMPARE(eylemler, (QStringList{"Ortak Bütçeye Bağlan…", "Bu Bütçeyi Ortak Bütçeye Taşı…×",
                                        "Ortak Bütçeyi Dosyaya Kaydet…", "Yerel Dosyaya Dön"}));
    }

    // The password is kept only in the file libpq reads, readable by its owner alone, replacing
    // the line of the same server, port, database and user; the settings never hold it.
    void passwordKeptOnlyInPgpass()
    {
        const QString pgpass = ortam->klasor() + "/pgpass";
        qputenv("PGPASSFILE", QFile::encodeName(pgpass));
        dosyayaYaz(pgpass, "ev:5432:butce:ali:eski\nbaska:5432:*:*:x\n");
        SunucuAdresi adres{.sunucu = "ev", .veritabani = "butce", .kullanici = "ali"};
        QVERIFY(!OrtakButce::sifreyiKaydet(adres, "giz:li\\"));
        qunsetenv("PGPASSFILE");
        QCOMPARE(QString(dosyaIcerigi(pgpass)), "baska:5432:*:*:x\nev:5432:butce:ali:giz\\:li\\\\\n");
        QCOMPARE(izinleri(pgpass), 0600);

        QSettings ayarlar(ortam->klasor() + "/ayarlar.ini", QSettings::IniFormat);
        OrtakButceFormu::sec(ayarlar, adres);
        QCOMPARE(OrtakButceFormu::secilen(ayarlar)->ad(), "ev/butce");
        QVERIFY(!dosyaIcerigi(ayarlar.fileName()).contains("giz"));
        OrtakButceFormu::sec(ayarlar, std::nullopt);
        QVERIFY(!OrtakButceFormu::secilen(ayarlar));
    }
};

QTEST_MAIN(TestOrtakButce)
#include "tst_ortak_butce.moc"

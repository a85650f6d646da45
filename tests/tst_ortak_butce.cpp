#include "Baglanti.h"
#include "ButceVerisi.h"
#include "KayitListesi.h"
#include "LedgerTest.h"
#include "OrtakButce.h"
#include "OrtakButceFormu.h"
#include "OrtakButceKomutlari.h"
#include "Sema.h"
#include "VeriHatasi.h"
#include "Yedekleme.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QScopeGuard>
#include <QSettings>
#include <QSqlError>
#include <QSqlQuery>

// A budget on a PostgreSQL server (run with MORVANE_TEST_SUNUCUSU): connecting, moving a budget
// there and back, and two members working on it at once.
class TestOrtakButce : public LedgerTest
{
    Q_OBJECT

    // Another member writes, through a connection of that name to the same budget.
    void baskasiYazar(const QString& sql, const QString& baglanti = "başkası")
    {
        QSqlQuery sorgu(
            TestOrtami::sunucuBaglantisi(baglanti, TestOrtami::sunucu(false)->veritabani));
        QVERIFY2(sorgu.exec(sql), qPrintable(sorgu.lastError().text()));
    }
    // An entry another member plans for March 2024.
    const QString planliKayit = "INSERT INTO GelirlerTablosu (AnaGrup, GrupAdi, GelirYili, "
                                "GelirAyi, GelirTahmini) VALUES ('ev', 'kira', 2024, 'MART', 20)";
    // EV / KİRA with an entry in March 2024 listed in the main window; the entry's Kimlik.
    qint64 pencereyiAc()
    {
        const DefterTanimi& d = gelirDefteri();
        ortam->anaGrupYaz(d, "EV");
        ortam->altGrupYaz(d, "EV", "KİRA");
        const qint64 kimlik = ortam->kayitYaz(d, "EV", "KİRA", 2024, "Mart", 10, 10);
        form = ortam->anaForm(QDate(2024, 3, 15));
        grupSec(*form, d, "EV", "KİRA");
        return kimlik;
    }
    // The test server stopped ("pause") or started again ("resume") by its own pg_ctl.
    static bool sunucuyu(const QString& komut)
    {
        return QProcess::execute(PG_SUNUCU,
                                 {komut, qEnvironmentVariable("MORVANE_TEST_SUNUCUSU")}) == 0;
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
        QTest::addColumn<QString>("pgpass");
        QTest::addColumn<bool>("sifreli");
        QTest::addColumn<QString>("ilkSatir");
        QTest::newRow("unreachable") << "/nonexistent"
                                     << ""
                                     << "morvane"
                                     << ""
                                     << "" << false
                                     << "Sunucuya ulaşılamadı; adını, portunu ve çalıştığını "
                                        "denetleyin.";
        QTest::newRow("missing database")
            << ""
            << "yok_boyle"
            << "morvane"
            << ""
            << "" << false << "Sunucuda bu adda bir veritabanı ya da kullanıcı yok.";
        QTest::newRow("no permission")
            << "" << "" << "misafir"
            << "DROP ROLE IF EXISTS misafir;CREATE ROLE misafir LOGIN;REVOKE CONNECT ON DATABASE "
               "tst_ortak_butce FROM PUBLIC"
            << "" << false << "Bu veritabanına bağlanma izniniz yok.";
        QTest::newRow("other tables") << ""
                                      << ""
                                      << "morvane"
                                      << "CREATE TABLE Baska (x int)"
                                      << "" << false
                                      << "Bu veritabanında Morvane'nin olmayan tablolar var "
                                         "(baska); ortak bütçe yalnızca boş bir veritabanına "
                                         "kurulur.";
        QTest::newRow("its own tables") << ""
                                        << ""
                                        << "morvane"
                                        << ""
                                        << "" << false << "";
        // Over TCP the test server asks for a password (scram-sha-256), which libpq finds in the
        // password file.
        const QString aile = "DROP ROLE IF EXISTS aile;CREATE ROLE aile LOGIN PASSWORD "
                             "'ev şifresi' IN ROLE morvane";
        QTest::newRow("right password in .pgpass")
            << "127.0.0.1"
            << ""
            << "aile" << aile << "127.0.0.1:*:*:aile:ev şifresi" << false << "";
        QTest::newRow("wrong password")
            << "127.0.0.1"
            << ""
            << "aile" << aile << "*:*:*:aile:yanlış" << false
            << "Şifre yanlış ya da verilmemiş. Şifre ~/.pgpass dosyasında tutulur.";
        QTest::newRow("encryption required, server without")
            << "127.0.0.1"
            << ""
            << "aile" << aile << "*:*:*:aile:ev şifresi" << true
            << "Sunucu şifreli bağlantı kabul etmiyor.";
    }
    void connectionRefusals()
    {
        QFETCH(QString, sunucu);
        QFETCH(QString, veritabani);
        QFETCH(QString, kullanici);
        QFETCH(QString, hazirlik);
        QFETCH(QString, pgpass);
        QFETCH(bool, sifreli);
        QFETCH(QString, ilkSatir);
        for (const QString& komut : hazirlik.split(u';', Qt::SkipEmptyParts))
            baskasiYazar(komut);
        const QString pgpassDosyasi = ortam->klasor() + "/pgpass";
        dosyayaYaz(pgpassDosyasi, pgpass.toUtf8());
        QFile::setPermissions(pgpassDosyasi, QFile::ReadOwner | QFile::WriteOwner);
        qputenv("PGPASSFILE", QFile::encodeName(pgpassDosyasi));
        SunucuAdresi adres = *TestOrtami::sunucu(false);
        adres.sunucu = sunucu.isEmpty() ? adres.sunucu : sunucu;
        adres.veritabani = veritabani.isEmpty() ? adres.veritabani : veritabani;
        adres.kullanici = kullanici;
        adres.sifreliZorunlu = sifreli;
        const std::optional<QString> sorun = Baglanti::program().sunucuyaBaglan(adres);
        qunsetenv("PGPASSFILE");
        QCOMPARE(sorun.value_or(QString()).section(u'\n', 0, 0), ilkSatir);
        QCOMPARE(Baglanti::program().acik(), !sorun.has_value());
    }

    // A file with groups, realised and planned entries and a deleted last entry goes to the server
    // and comes back as a new file with every row, rowid and Kimlik counter the same.
    void movesThereAndBack()
    {
        const QString dosya = ortam->klasor() + "/Varnel.mdb";
        const QString geri = ortam->klasor() + "/geri/Varnel.mdb";
        QDir().mkpath(ortam->klasor() + "/geri");
        QVERIFY(!Sema::dosyaOlustur(dosya));
        QVERIFY(!Baglanti::program().ac(dosya));
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

        const SunucuAdresi adres = *TestOrtami::sunucu(false);
        QVERIFY(!Baglanti::program().sunucuyaTasi(adres));
        QCOMPARE(ButceVerisi::kimlikSayaci(giderDefteri()), sayac);
        QCOMPARE(ButceVerisi::altGruplar(giderDefteri(), "iş"), QStringList{"ŞUBE"});
        QCOMPARE(ButceVerisi::donemToplami(gelirDefteri(), {2024, 1}).gerceklesenKurus,
                 99999);
        QVERIFY(!Baglanti::program().ac(dosya));
        QVERIFY(Baglanti::program().sunucuyaTasi(adres).value_or("").startsWith(
            "Ortak bütçe boş değil"));
        QCOMPARE(Baglanti::program().dosyaYolu(), dosya);
        QVERIFY(!Baglanti::program().sunucuyaBaglan(adres));
        OrtakButce::dosyayaKaydet(geri);
        QVERIFY_THROWS_EXCEPTION(VeriHatasi, OrtakButce::dosyayaKaydet(geri));

        QVERIFY(!Baglanti::program().ac(geri));
        QCOMPARE(ortam->tumSatirlar(), satirlar);
        QCOMPARE(ButceVerisi::kimlikSayaci(giderDefteri()), sayac);
    }

    // "Yerel Dosyaya Dön" names the file and when it was last the budget. Bringing the shared
    // budget back backs the file up, then writes the server's rows into it, counters and all;
    // opening it as it is leaves it alone. The shared budget stays as it was either way.
    void goesBackToTheFile_data() { ikiDurum("geriTasi", "as it is", "bringing the budget back"); }
    void goesBackToTheFile()
    {
        QFETCH(bool, geriTasi);
        const QString dosya = ortam->klasor() + "/Varnel.mdb";
        QVERIFY(!Sema::dosyaOlustur(dosya) && !Baglanti::program().ac(dosya));
        ButceVerisi::kayitEkle(giderDefteri(), yeniKayit("EV", "KİRA", 2024, "Ocak", 1, 1));
        QVERIFY(!Baglanti::program().sunucuyaTasi(*TestOrtami::sunucu(false)));
        ButceVerisi::kayitEkle(giderDefteri(), yeniKayit("EV", "KİRA", 2024, "Şubat", 2, 2));
        const QStringList sunucuda = ortam->tumSatirlar();
        QSettings ayarlar("Morvane", "Morvane");
        OrtakButceFormu::sec(ayarlar, TestOrtami::sunucu(false));
        ayarlar.setValue("OrtakButce/DosyaBirakildi", QDateTime(QDate(2024, 3, 15), QTime(14, 30)));

        MesajKutusu::sonrakiSecim(geriTasi ? 0 : 1);
        OrtakButceKomutlari::yereleDon(nullptr, dosya);
        QVERIFY(MesajKutusu::gosterilenler()[0].metin.startsWith(
            "Yerel dosya: " + dosya +
            "\nBütçe olarak en son kullanıldığı an: 15 Mart 2024 14:30."));
        QVERIFY(!OrtakButceFormu::secilen(ayarlar));
        QCOMPARE(ortam->tumSatirlar(), sunucuda);
        QCOMPARE(Yedekleme::yedekler(Yedekleme::klasor(dosya)).size(), geriTasi ? 1 : 0);
        QVERIFY(!Baglanti::program().ac(dosya));
        QCOMPARE(ortam->satirSayisi("GiderlerTablosu"), geriTasi ? 2 : 1);
        QCOMPARE(ButceVerisi::kimlikSayaci(giderDefteri()), geriTasi ? 2 : 1);
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
        QCOMPARE(Yedekleme::yedekler(Yedekleme::acikButceninKlasoru()).size(), 2);
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

    // What another member writes is listed without any action, the chosen entry still chosen;
    // the window is left to settle first, so that nothing but that write lists it again. A
    // planned entry's missing realised amount is no unreadable amount.
    void anotherMembersEntryIsListed()
    {
        const DefterTanimi& d = gelirDefteri();
        const qint64 ilk = pencereyiAc();
        KayitListesi* liste = kayitListesi(*form, d);
        liste->kimligiSec(ilk);
        QTest::qWait(500);
        baskasiYazar(planliKayit);
        QTRY_COMPARE(liste->satirSayisi(), 2);
        QCOMPARE(liste->seciliKimlik(), ilk);
        for (const char* ad : {"GelirToplamıKutusu", "DönemÖzetiEtiketi"})
            QVERIFY(!form->findChild<QWidget*>(ad)->toolTip().contains("okunamadı"));
    }

    // The server stopped and started again between two commands. The window notices the lost
    // link by itself; a command meeting it writes nothing and says so, naming the server, with
    // "Yeniden Bağlan" (which cannot help yet); the lists say why they are empty. Once the server
    // is back the next command connects again and lists, and the other members are heard again;
    // nothing the command wrote while the server was down is there.
    void survivesAServerRestart()
    {
        const DefterTanimi& d = gelirDefteri();
        pencereyiAc();
        KayitListesi* liste = kayitListesi(*form, d);
        QVERIFY(sunucuyu("pause"));
        auto surdur = qScopeGuard([] { sunucuyu("resume"); });
        QTRY_VERIFY(form->windowTitle().endsWith(" (bağlantı yok)"));
        MesajKutusu::sonrakiSecim(0);
        form->bolum(d).listele(true);
        const QString ulasilamiyor = "Ortak bütçenin sunucusuna ulaşılamıyor (" +
                                     TestOrtami::sunucu(false)->sunucu + "); hiçbir şey yazılmadı.";
        QCOMPARE(MesajKutusu::gosterilenler().size(), 2);
        for (const MesajKutusu::Gosterilen& m : MesajKutusu::gosterilenler())
            QVERIFY2(m.metin.startsWith(ulasilamiyor + '\n') &&
                         m.dugmeler == QStringList({"Yeniden Bağlan", "Tamam"}),
                     qPrintable(m.metin));
        QVERIFY(liste->satirSayisi() > 0 || liste->bosMetin().startsWith("Ortak bütçenin"));
        QCOMPARE(hataMetni([&] {
                     ButceVerisi::kayitEkle(d, yeniKayit("EV", "KİRA", 2024, "Mart", 3, 3));
                 }).section(u'\n', 0, 0),
                 ulasilamiyor);
        surdur.dismiss();
        QVERIFY(sunucuyu("resume"));
        MesajKutusu::gosterilenleriSil();
        form->bolum(d).listele(true);
        QCOMPARE(mesajlar(), QStringList());
        QCOMPARE(liste->satirSayisi(), 1);
        QVERIFY(!form->windowTitle().contains("bağlantı yok"));
        QTest::qWait(500);
        baskasiYazar(planliKayit, "sunucu dönünce");
        QTRY_COMPARE(liste->satirSayisi(), 2);
        // A connection the server ends just before a command: the command connects again first.
        baskasiYazar("SELECT pg_terminate_backend(pid, 10000) FROM pg_stat_activity WHERE "
                     "application_name = 'Morvane' AND datname = current_database()",
                     "sunucu dönünce");
        ButceVerisi::kayitEkle(d, yeniKayit("EV", "KİRA", 2024, "Mart", 4, 4));
        QCOMPARE(ortam->satirSayisi("GelirlerTablosu"), 3);
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

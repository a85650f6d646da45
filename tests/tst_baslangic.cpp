#include "AktarmaSureci.h"
#include "AnaForm.h"
#include "Baglanti.h"
#include "Baslangic.h"
#include "LedgerTest.h"
#include "Sema.h"
#include "TestOrtami.h"
#include "Yedekleme.h"

#include <QFileDialog>
#include <QLabel>
#include <QSqlQuery>
#include <QtTest>

#include <sys/stat.h>

namespace
{

// A budget file made by the create tool, then changed by a statement, as another program might.
void semayiBoz(const QString& yol, const QString& komutlar)
{
    QVERIFY(!Sema::dosyaOlustur(yol));
    QVERIFY(!Baglanti::program().semasizAc(yol));
    for (const QString& komut : komutlar.split(u';'))
        QVERIFY2(QSqlQuery(Baglanti::program().db()).exec(komut), qPrintable(komut));
    Baglanti::program().kapat();
}

// Runs the program's start on a folder, telling whether its main window was on screen.
int baslat(const QString& klasor, bool& gosterildi)
{
    return pencereyeBak([&] { return Baslangic::calistir(klasor, QDate(2024, 3, 15)); },
                        [&](QWidget* pencere) { gosterildi = pencere; });
}

} // namespace

class TestBaslangic : public DosyasizTest
{
    Q_OBJECT

private slots:
    void initTestCase() { AktarmaSureci::programiAyarla(VARNEL_AKTAR); }

    void qtDialogsSpeakTurkish()
    {
        QVERIFY(Baslangic::qtCevirisiniYukle());
        QFileDialog pencere;
        pencere.setOption(QFileDialog::DontUseNativeDialog);
        QCOMPARE(pencere.findChild<QLabel*>("fileNameLabel")->text(), "Dosya a&dı:");
    }

    // A usable file starts the program with its window shown; any other shows one error naming
    // the file and the reason, shows no window and changes nothing on disk. The file holds the
    // bytes given, or the create tool's schema changed by the statements given; with neither it
    // is missing.
    void startOnAFile_data()
    {
        QTest::addColumn<QByteArray>("icerik");
        QTest::addColumn<QString>("komutlar");
        QTest::addColumn<QString>("beklenen");
        QByteArray jet(2048, '\0');
        jet.replace(4, 15, "Standard Jet DB");
        jet[0x14] = 1;
        const auto satir = [](const char* ad, const QByteArray& icerik, const char* komutlar,
                              const char* beklenen) {
            QTest::newRow(ad) << icerik << QString(komutlar) << QString::fromUtf8(beklenen);
        };
        satir("good file", {}, "SELECT 1", "");
        satir("plain text", QByteArray("Ocak kirası ödendi.\n").repeated(300), "", "Hata 26");
        satir("zero bytes", QByteArray(""), "", "Hata 26");
        satir("old access header", jet, "", "eski Access (Jet)");
        satir("missing table", {}, "DROP TABLE GiderlerTablosu", "GiderlerTablosu tablosu");
        satir("missing field", {},
              "DROP INDEX GelirlerTablosu_GelirAyi;DROP INDEX GelirlerTablosu_GelirYili_GelirAyi;"
              "DROP INDEX GelirlerTablosu_GelirYili_AnaGrup;DROP TRIGGER "
              "AylikGelirToplamlari_Ekleme;DROP TRIGGER AylikGelirToplamlari_Silme;DROP TRIGGER "
              "AylikGelirToplamlari_Guncelleme;ALTER TABLE GelirlerTablosu DROP GelirAyi",
              "GelirlerTablosu.GelirAyi alanı");
        satir("a view for a table", {},
              "ALTER TABLE GiderlerTablosu RENAME TO Eski;"
              "CREATE VIEW GiderlerTablosu AS SELECT * FROM Eski",
              "GiderlerTablosu tablosu (yerinde bir görünüm var)");
    }
    void startOnAFile()
    {
        QFETCH(QByteArray, icerik);
        QFETCH(QString, komutlar);
        QFETCH(QString, beklenen);
        if (!komutlar.isEmpty())
            semayiBoz(yol, komutlar);
        if (!icerik.isNull())
            dosyayaYaz(yol, icerik);
        const QStringList once = klasorIcerigi(dizin->path());
        // What an import killed before its end left goes at start-up.
        const QString artik = yol + ".aktariliyor-0a1b2c3d";
        if (beklenen.isEmpty())
            QVERIFY(QFile(artik).open(QIODevice::WriteOnly));

        bool gosterildi = false;
        const int durum = baslat(dizin->path(), gosterildi);
        if (beklenen.isEmpty()) {
            QCOMPARE(durum, 7);
            QVERIFY(gosterildi);
            QVERIFY(!QFile::exists(artik));
            QCOMPARE(mesajlar(), QStringList());
            return;
        }
        QCOMPARE(durum, 1);
        QVERIFY(!gosterildi);
        QVERIFY(tekHata(yol));
        QVERIFY(tekHata(beklenen));
        QCOMPARE(klasorIcerigi(dizin->path()), once);
    }

    // Triggers and views left by another program are named at start-up: "Evet" backs the file up
    // and removes them, "Hayır" ends with nothing changed.
    void foreignTriggersAtStartUp_data() { ikiDurum("yanit", "kept", "removed"); }
    void foreignTriggersAtStartUp()
    {
        QFETCH(bool, yanit);
        QVERIFY(!Sema::dosyaOlustur(yol));
        const QString yabancilar = "SELECT count(*) FROM sqlite_master WHERE type IN "
                                   "('trigger', 'view') AND name NOT LIKE 'Aylik%Toplamlari_%'";
        sqliteAraci(yol, "CREATE TRIGGER temizle AFTER INSERT ON GelirlerTablosu BEGIN DELETE "
                         "FROM GelirlerTablosu WHERE Kimlik < new.Kimlik; END; CREATE VIEW ozet "
                         "AS SELECT 1; INSERT INTO GelirlerTablosu (AnaGrup) VALUES ('A')");
        QCOMPARE(sqliteAraci(yol, yabancilar), QString("2"));
        const QStringList once = klasorIcerigi(dizin->path());

        MesajKutusu::sonrakiYanit(yanit);
        bool gosterildi = false;
        QCOMPARE(baslat(dizin->path(), gosterildi), yanit ? 7 : 1);
        QCOMPARE(mesajlar(), QStringList{"soru: Dosyada Morvane'nin oluşturmadığı tetikleyiciler "
                                         "var: temizle, ozet (görünüm). Kaldırılsın mı? (Önce "
                                         "dosyanın bir kopyası alınır.)"});
        QCOMPARE(gosterildi, yanit);
        if (!yanit) {
            QCOMPARE(klasorIcerigi(dizin->path()), once);
            return;
        }
        QCOMPARE(sqliteAraci(yol, yabancilar), QString("0"));
        const QList<Yedekleme::Yedek> yedekler =
            Yedekleme::yedekler(dizin->path() + "/Yedekler");
        QCOMPARE(yedekler.size(), 1);
        QCOMPARE(sqliteAraci(yedekler[0].yol, yabancilar), QString("2"));
    }

    // Run as another user, since permissions do not stop root. The create tool makes the file for
    // its owner alone and never writes over one.
    void refusesFileWithoutPermission_data()
    {
        QTest::addColumn<int>("izinler");
        QTest::addColumn<int>("cikis");
        QTest::addColumn<QString>("beklenen");
        QTest::newRow("read and write allowed") << 0666 << 0 << QString();
        QTest::newRow("not readable") << 0000 << 1 << "Hata 14";
        QTest::newRow("not writable") << 0444 << 1 << "Hata 8";
    }
    void refusesFileWithoutPermission()
    {
        QFETCH(int, izinler);
        QFETCH(int, cikis);
        QFETCH(QString, beklenen);
        QVERIFY(!Sema::dosyaOlustur(yol));
        QCOMPARE(izinleri(yol) & 077, 0);
        const QStringList yeni = klasorIcerigi(dizin->path());
        QVERIFY(Sema::dosyaOlustur(yol).value_or("").contains(u"zaten var"));
        QCOMPARE(klasorIcerigi(dizin->path()), yeni);
        QVERIFY(::chmod(QFile::encodeName(dizin->path()).constData(), 0755) == 0);
        QVERIFY(::chmod(QFile::encodeName(yol).constData(), mode_t(izinler)) == 0);
        const QStringList once = klasorIcerigi(dizin->path());

        const auto [durum, cikti] = yetkisizCalistir(ACILIS_DENETIMI, dizin->path(), {yol});

        QCOMPARE(durum, cikis);
        QVERIFY2(cikti.contains(beklenen) && (cikis == 0 || cikti.contains(yol)),
                 qPrintable(cikti));
        QCOMPARE(klasorIcerigi(dizin->path()), once);
    }

    void selectorsAndPreselection_data()
    {
        QTest::addColumn<QDate>("bugun"); // an entry is written in its year
        QTest::addColumn<QString>("yil");
        QTest::addColumn<QString>("ay");
        QTest::addColumn<QStringList>("yilListesi");
        QTest::newRow("inside the range")
            << QDate(2024, 3, 15) << "2024" << QString("Mart") << yillar();
        QTest::newRow("after 2030: five years on")
            << QDate(2041, 12, 31) << "2041" << QString("Aralık") << yillar(2006, 2046);
        QTest::newRow("entries before 2006")
            << QDate(1999, 8, 10) << "1999" << QString("Ağustos") << yillar(1999, 2030);
        QTest::newRow("a year before 1900 is a typo")
            << QDate(1850, 8, 10) << "2006" << QString("Ağustos") << yillar();
    }
    // Nothing is listed until a group is chosen.
    void selectorsAndPreselection()
    {
        QFETCH(QDate, bugun);
        QFETCH(QString, yil);
        QFETCH(QString, ay);
        QFETCH(QStringList, yilListesi);
        TestOrtami ortam;
        ortam.kayitYaz(gelirDefteri(), "MAAŞ", "ANA İŞ", bugun.year(), ay, 100, 100);

        const std::unique_ptr<AnaForm> form = ortam.anaForm(bugun);

        QCOMPARE(ogeler(form->donemSecici()->yilKutusu()), yilListesi);
        QCOMPARE(ogeler(form->donemSecici()->ayKutusu()), QStringList{"Tüm Aylar"} + aylar());
        QCOMPARE(form->donemSecici()->yilKutusu()->currentText(), yil);
        QCOMPARE(form->donemSecici()->ayKutusu()->currentText(), ay);
        for (const DefterTanimi* d : {&gelirDefteri(), &giderDefteri()}) {
            QCOMPARE(form->bolum(*d).anaGrupListesi()->currentIndex(), -1);
            QCOMPARE(form->bolum(*d).altGrupListesi()->count(), 0);
            QCOMPARE(satirlar(kayitListesi(*form, *d)), QStringList());
            QCOMPARE(toplam(*form, *d), QString());
        }
        QCOMPARE(mesajlar(), QStringList());
    }
};

QTEST_MAIN(TestBaslangic)
#include "tst_baslangic.moc"

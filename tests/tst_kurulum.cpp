#include "AnaForm.h"
#include "Baslangic.h"
#include "LedgerTest.h"
#include "MesajKutusu.h"
#include "VeriYeri.h"

#include <QApplication>
#include <QDir>
#include <QTimer>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace
{

bool izinVer(const QString& yol, int izin)
{
    return ::chmod(QFile::encodeName(yol).constData(), mode_t(izin)) == 0;
}

} // namespace

class TestKurulum : public DosyasizTest
{
    Q_OBJECT

private slots:
    void locationRule_data()
    {
        QTest::addColumn<bool>("yanindaVar");
        QTest::addColumn<int>("klasorIzni");
        QTest::addColumn<bool>("kuruluDerleme");
        QTest::addColumn<bool>("kullanicininki");
        QTest::newRow("file beside the program comes first") << true << 0555 << true << false;
        QTest::newRow("none beside a read-only folder") << false << 0555 << false << true;
        QTest::newRow("none beside a writable folder") << false << 0777 << false << false;
        QTest::newRow("none beside, built for installing") << false << 0777 << true << true;
    }
    void locationRule()
    {
        QFETCH(bool, yanindaVar);
        QFETCH(int, klasorIzni);
        QFETCH(bool, kuruluDerleme);
        QFETCH(bool, kullanicininki);
        QVERIFY(izinVer(dizin->path(), 0755));
        const QString program = dizin->filePath(QStringLiteral("program"));
        const QString kullanici = dizin->filePath(QStringLiteral("veri/Morvane"));
        QVERIFY(QDir().mkdir(program));
        if (yanindaVar)
            QVERIFY(QFile(program + QStringLiteral("/Varnel.mdb")).open(QIODevice::WriteOnly));
        QVERIFY(izinVer(program, klasorIzni));

        const QStringList yanit =
            yetkisizCalistir(
                KONUM_DENETIMI, dizin->path(),
                {program, kuruluDerleme ? QStringLiteral("1") : QStringLiteral("0"), kullanici})
                .second.split(u'\n', Qt::SkipEmptyParts);

        const QString beklenen = (kullanicininki ? kullanici : program) + "/Varnel.mdb";
        QCOMPARE(yanit, (QStringList{beklenen, kullanicininki ? "1" : "0"}));
    }

    // An installed program offers to create its missing file in the user's data folder, a
    // portable copy beside itself; "Hayır" ends with what to do.
    void firstStart_data()
    {
        QTest::addColumn<bool>("evet");
        QTest::addColumn<bool>("klasorYapilamaz");
        QTest::addColumn<bool>("tasinabilir");
        QTest::newRow("yes") << true << false << false;
        QTest::newRow("no") << false << false << false;
        QTest::newRow("yes, folder cannot be made") << true << true << false;
        QTest::newRow("portable, yes") << true << false << true;
        QTest::newRow("portable, no") << false << false << true;
    }
    void firstStart()
    {
        QFETCH(bool, evet);
        QFETCH(bool, klasorYapilamaz);
        QFETCH(bool, tasinabilir);
        const QString veri = dizin->filePath(QStringLiteral("veri"));
        if (klasorYapilamaz)
            QVERIFY(QFile(veri).open(QIODevice::WriteOnly));
        const QString program = dizin->filePath(QStringLiteral("program"));
        QVERIFY(QDir().mkdir(program));
        const QString yanindaki = program + QStringLiteral("/Varnel.mdb");
        const QString klasor = tasinabilir ? program : veri + QStringLiteral("/Morvane");
        const QString yeni = klasor + QStringLiteral("/Varnel.mdb");
        MesajKutusu::sonrakiYanit(evet);
        QList<int> simgeBoyutlari;
        const int sonuc = pencereyeBak(
            [&] {
                return Baslangic::calistir(VeriYeri::Konum{yeni, yanindaki, !tasinabilir});
            },
            [&](QWidget* pencere) {
                // The icon comes once the window has been painted.
                if (pencere)
                    QVERIFY(QTest::qWaitFor([&] { return !pencere->windowIcon().isNull(); }));
                for (const QSize& boyut :
                     pencere ? pencere->windowIcon().availableSizes() : QList<QSize>())
                    simgeBoyutlari << boyut.width();
            });

        const bool acildi = evet && !klasorYapilamaz;
        QCOMPARE(sonuc, acildi ? 7 : 1);
        QStringList gosterilen = mesajlar();
        if (klasorYapilamaz) {
            const QString hata = gosterilen.takeLast();
            QVERIFY2(hata.startsWith("hata: " + klasor + " klasörü oluşturulamadı: "),
                     qPrintable(hata));
        }
        const QString aranan =
            tasinabilir ? "Varnel.mdb programın klasöründe bulunamadı:\n" + program
                        : "Varnel.mdb şu yerlerde arandı, bulunamadı:\n" + yanindaki + '\n' + yeni;
        QStringList beklenen{"soru: " + aranan +
                             "\n\nMorvane için henüz bir bütçe dosyası yok. Boş bir bütçe "
                             "dosyası oluşturulsun mu?\n\n" +
                             yeni};
        if (!evet)
            beklenen << "bilgi: Bütçe dosyası oluşturulmadı; Morvane kapanıyor. Bütçenizi açmak "
                        "için Varnel.mdb dosyanızı şu klasöre koyun ya da Morvane'yi yeniden "
                        "açıp boş bir bütçe oluşturun:\n" +
                            klasor;
        QCOMPARE(gosterilen, beklenen);
        QCOMPARE(QFileInfo::exists(veri), evet && !tasinabilir);
        QCOMPARE(QFileInfo::exists(yeni), acildi);
        if (acildi) {
            QVERIFY(tasinabilir || izinleri(klasor) == 0700);
            QCOMPARE(izinleri(yeni), 0600);
            std::sort(simgeBoyutlari.begin(), simgeBoyutlari.end());
            QCOMPARE(simgeBoyutlari, (QList<int>{48, 128, 256}));
        }
    }
};

QTEST_MAIN(TestKurulum)
#include "tst_kurulum.moc"

#include "AnaForm.h"
#include "Baslangic.h"
#include "DegiskenModulu.h"
#include "MesajKutusu.h"
#include "Okuma.h"
#include "Sema.h"
#include "TestOrtami.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

#include <algorithm>

#include <sys/stat.h>
#include <unistd.h>

namespace
{

// Everything in a folder, to prove that a failed start-up created or changed nothing.
QStringList klasorIcerigi(const QString& klasor)
{
    QStringList icerik;
    for (const QFileInfo& bilgi :
         QDir(klasor).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        QFile dosya(bilgi.filePath());
        dosya.open(QIODevice::ReadOnly);
        icerik << QStringLiteral("%1 %2 %3 %4")
                      .arg(bilgi.fileName())
                      .arg(bilgi.size())
                      .arg(bilgi.lastModified().toMSecsSinceEpoch())
                      .arg(QString::fromLatin1(
                          QCryptographicHash::hash(dosya.readAll(), QCryptographicHash::Sha1)
                              .toHex()));
    }
    return icerik;
}

void dosyaYaz(const QString& yol, const QByteArray& icerik)
{
    QFile dosya(yol);
    QVERIFY(dosya.open(QIODevice::WriteOnly));
    dosya.write(icerik);
}

// A budget file whose schema is written by hand, as another program might have left it.
void semaylaYaz(const QString& yol, const QStringList& komutlar)
{
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("kurgu"));
        db.setDatabaseName(yol);
        QVERIFY(db.open());
        QSqlQuery sorgu(db);
        for (const QString& komut : komutlar)
            QVERIFY2(sorgu.exec(komut), qPrintable(komut));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("kurgu"));
}

QStringList tamSemaEksik(const QString& atlanacak, const QString& yerine = {})
{
    QStringList komutlar{
        "CREATE TABLE AnaGelirGruplariTablosu (GrupAdi TEXT)",
        "CREATE TABLE AnaGiderGruplariTablosu (GrupAdi TEXT)",
        "CREATE TABLE AltGelirGruplariTablosu (AnaGrup TEXT, GrupAdi TEXT)",
        "CREATE TABLE AltGiderGruplariTablosu (AnaGrup TEXT, GrupAdi TEXT)",
        "CREATE TABLE GelirlerTablosu (Kimlik INTEGER PRIMARY KEY, AnaGrup TEXT, GrupAdi TEXT, "
        "GelirYili INTEGER, GelirAyi TEXT, GelirTahmini REAL, Gerceklesen REAL)",
        "CREATE TABLE GiderlerTablosu (Kimlik INTEGER PRIMARY KEY, AnaGrup TEXT, GrupAdi TEXT, "
        "GiderYili INTEGER, GiderAyi TEXT, GiderTahmini REAL, Gerceklesen REAL)"};
    for (QString& komut : komutlar)
        if (komut.startsWith(QStringLiteral("CREATE TABLE %1 ").arg(atlanacak)))
            komut = yerine;
    komutlar.removeAll(QString());
    return komutlar;
}

QByteArray eskiAccessBasligi()
{
    QByteArray bas(2048, '\0');
    bas[1] = 1;
    bas.replace(4, 15, "Standard Jet DB");
    bas[0x14] = 1;
    return bas;
}

bool anaFormVar()
{
    return std::ranges::any_of(QApplication::topLevelWidgets(),
                               [](QWidget* w) { return qobject_cast<AnaForm*>(w); });
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
        MesajKutusu::kaydetmeyeBasla();
    }
    void cleanup()
    {
        DegiskenModulu::kapat();
        MesajKutusu::kaydetmeyiBirak();
    }

    void pathRule_data()
    {
        QTest::addColumn<QString>("klasor");
        QTest::addColumn<QString>("yol");
        QTest::newRow("drive root") << "C:\\" << QString("C:\\Varnel.mdb");
        QTest::newRow("windows folder") << "D:\\Hesap" << QString("D:\\Hesap\\Varnel.mdb");
        QTest::newRow("unix root") << "/" << QString("/Varnel.mdb");
        QTest::newRow("unix folder") << "/opt/morvane" << QString("/opt/morvane/Varnel.mdb");
        QTest::newRow("unix trailing slash")
            << "/opt/morvane/" << QString("/opt/morvane/Varnel.mdb");
    }
    void pathRule()
    {
        QFETCH(QString, klasor);
        QFETCH(QString, yol);
        QCOMPARE(DegiskenModulu::veriTabaniYolu(klasor), yol);
    }

    // A file is written with the bytes, or with the schema when one is given; a null byte array
    // and no schema leave it missing.
    void refusesUnusableFile_data()
    {
        QTest::addColumn<QByteArray>("icerik");
        QTest::addColumn<QStringList>("sema");
        QTest::addColumn<QString>("beklenen");
        QByteArray rastgele(8192, '\0');
        QRandomGenerator uretec(42);
        for (char& b : rastgele)
            b = char(uretec.bounded(256));
        const QString gelirlerAysiz =
            "CREATE TABLE GelirlerTablosu (Kimlik INTEGER PRIMARY KEY, AnaGrup TEXT, GrupAdi TEXT, "
            "GelirYili INTEGER, GelirTahmini REAL, Gerceklesen REAL)";
        const auto satir = [](const char* ad, const QByteArray& icerik, const QStringList& sema,
                              const char* beklenen) {
            QTest::newRow(ad) << icerik << sema << QString::fromUtf8(beklenen);
        };
        satir("missing", QByteArray(), {}, "Hata 14");
        satir("plain text", QByteArray("Ocak kirası ödendi.\n").repeated(300), {}, "Hata 26");
        satir("random bytes", rastgele, {}, "Hata 26");
        satir("zero bytes", QByteArray(""), {}, "Hata 26");
        satir("old access header", eskiAccessBasligi(), {}, "eski Access (Jet)");
        satir("missing table", {}, tamSemaEksik("GiderlerTablosu"), "GiderlerTablosu tablosu");
        satir("missing field", {}, tamSemaEksik("GelirlerTablosu", gelirlerAysiz),
              "GelirlerTablosu.GelirAyi alanı");
    }
    void refusesUnusableFile()
    {
        QFETCH(QByteArray, icerik);
        QFETCH(QStringList, sema);
        QFETCH(QString, beklenen);
        QTemporaryDir dizin;
        const QString yol = DegiskenModulu::veriTabaniYolu(dizin.path());
        if (!sema.isEmpty())
            semaylaYaz(yol, sema);
        else if (!icerik.isNull())
            dosyaYaz(yol, icerik);
        const QStringList once = klasorIcerigi(dizin.path());

        QCOMPARE(Baslangic::calistir(dizin.path()), 1);
        QVERIFY(!anaFormVar());
        QVERIFY(tekHata(yol));
        QVERIFY(tekHata(beklenen));
        QCOMPARE(klasorIcerigi(dizin.path()), once);
    }

    void refusesRealAccessFiles()
    {
        const QDir ornekler(QStringLiteral(JET_ORNEKLERI));
        const QStringList dosyalar = ornekler.entryList({QStringLiteral("*.mdb")});
        if (dosyalar.isEmpty())
            QSKIP("no Access sample files beside the repository");
        for (const QString& ad : dosyalar) {
            QTemporaryDir dizin;
            QVERIFY(
                QFile::copy(ornekler.filePath(ad), DegiskenModulu::veriTabaniYolu(dizin.path())));
            MesajKutusu::gosterilenleriSil();
            QVERIFY2(Baslangic::calistir(dizin.path()) == 1, qPrintable(ad));
            QVERIFY2(tekHata("eski Access (Jet)"), qPrintable(ad));
        }
    }

    // Run as another user, since permissions do not stop root.
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
        QTemporaryDir dizin;
        const QString yol = DegiskenModulu::veriTabaniYolu(dizin.path());
        // The create tool makes a file for its owner alone, and never writes over one.
        QVERIFY(!Sema::dosyaOlustur(yol));
        QCOMPARE(QFileInfo(yol).permissions() &
                     (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
                 QFile::Permissions());
        const QStringList yeni = klasorIcerigi(dizin.path());
        const std::optional<QString> hata = Sema::dosyaOlustur(yol);
        QVERIFY2(hata && hata->contains(u"zaten var"), qPrintable(hata.value_or("no failure")));
        QCOMPARE(klasorIcerigi(dizin.path()), yeni);
        QVERIFY(::chmod(QFile::encodeName(dizin.path()).constData(), 0755) == 0);
        QVERIFY(::chmod(QFile::encodeName(yol).constData(), mode_t(izinler)) == 0);
        // The build folder may be closed to other users; the checker runs from the open temporary
        // one.
        const QString denetci = QDir(dizin.path()).filePath(QStringLiteral("acilis_denetimi"));
        QVERIFY(QFile::copy(QStringLiteral(ACILIS_DENETIMI), denetci));
        const QStringList once = klasorIcerigi(dizin.path());

        QProcess surec;
        if (::geteuid() == 0)
            surec.start(QStringLiteral("setpriv"),
                        {"--reuid=65534", "--regid=65534", "--clear-groups", denetci, yol});
        else
            surec.start(denetci, {yol});
        QVERIFY(surec.waitForFinished());
        const QString cikti = QString::fromUtf8(surec.readAllStandardOutput());

        QCOMPARE(surec.exitCode(), cikis);
        QVERIFY2(cikti.contains(beklenen), qPrintable(cikti));
        if (cikis != 0)
            QVERIFY(cikti.contains(yol));
        QCOMPARE(klasorIcerigi(dizin.path()), once);
    }

    void selectorsAndPreselection_data()
    {
        QTest::addColumn<QDate>("bugun");
        QTest::addColumn<QString>("yil");
        QTest::addColumn<QString>("ay");
        QTest::newRow("inside the range") << QDate(2024, 3, 15) << "2024" << QString("Mart");
        QTest::newRow("first year, january") << QDate(2006, 1, 1) << "2006" << QString("Ocak");
        QTest::newRow("after the range") << QDate(2041, 12, 31) << "2030" << QString("Aralık");
        QTest::newRow("before the range") << QDate(1999, 8, 10) << "2006" << QString("Ağustos");
    }
    void selectorsAndPreselection()
    {
        QFETCH(QDate, bugun);
        QFETCH(QString, yil);
        QFETCH(QString, ay);
        TestOrtami ortam;
        ortam.anaGrupYaz(gelirDefteri(), "MAAŞ");
        ortam.altGrupYaz(gelirDefteri(), "MAAŞ", "ANA İŞ");
        ortam.kayitYaz(gelirDefteri(), "MAAŞ", "ANA İŞ", bugun.year(), ay, 100, 100);
        for (const char* ad : {"ŞEKER", "SU", "ÇAY", "CEP", "İNCİR", "IRMAK", "ÖDEV", "OKUL",
                               "ÜZÜM", "UN", "ĞARİP", "GAZ", "ZEYTİN", "AVANS"})
            ortam.anaGrupYaz(giderDefteri(), ad);

        const std::unique_ptr<AnaForm> form = ortam.anaForm(bugun);

        QCOMPARE(ogeler(form->yilBilgisiKutusu()), yillar());
        QCOMPARE(ogeler(form->ayBilgisiKutusu()), QStringList{"Tüm Aylar"} + aylar());
        QCOMPARE(form->yilBilgisiKutusu()->currentText(), yil);
        QCOMPARE(form->ayBilgisiKutusu()->currentText(), ay);

        // Nothing is listed until a group is chosen.
        for (const DefterTanimi* d : {&gelirDefteri(), &giderDefteri()}) {
            QCOMPARE(form->anaGrupListesi(*d)->currentIndex(), -1);
            QCOMPARE(form->altGrupListesi(*d)->count(), 0);
            QCOMPARE(satirlar(kayitListesi(*form, *d)), QStringList());
            QCOMPARE(toplam(*form, *d), QString());
        }
        QCOMPARE(ogeler(form->anaGrupListesi(gelirDefteri())), QStringList{"MAAŞ"});
        // Main groups in Turkish alphabetical order.
        QCOMPARE(ogeler(form->anaGrupListesi(giderDefteri())),
                 (QStringList{"AVANS", "CEP", "ÇAY", "GAZ", "ĞARİP", "IRMAK", "İNCİR", "OKUL",
                              "ÖDEV", "SU", "ŞEKER", "UN", "ÜZÜM", "ZEYTİN"}));
        QCOMPARE(mesajlar(), QStringList());
    }
};

QTEST_MAIN(TestStartup)
#include "tst_baslangic.moc"

#include "AnaForm.h"
#include "Başlangıç.h"
#include "DeğişkenModülü.h"
#include "MesajKutusu.h"
#include "Okuma.h"
#include "TestOrtamı.h"
#include "Şema.h"

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
QStringList klasörİçeriği(const QString& klasör)
{
    QStringList içerik;
    for (const QFileInfo& bilgi :
         QDir(klasör).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        QFile dosya(bilgi.filePath());
        dosya.open(QIODevice::ReadOnly);
        içerik << QStringLiteral("%1 %2 %3 %4")
                      .arg(bilgi.fileName())
                      .arg(bilgi.size())
                      .arg(bilgi.lastModified().toMSecsSinceEpoch())
                      .arg(QString::fromLatin1(
                          QCryptographicHash::hash(dosya.readAll(), QCryptographicHash::Sha1)
                              .toHex()));
    }
    return içerik;
}

void dosyaYaz(const QString& yol, const QByteArray& içerik)
{
    QFile dosya(yol);
    QVERIFY(dosya.open(QIODevice::WriteOnly));
    dosya.write(içerik);
}

// A budget file whose schema is written by hand, as another program might have left it.
void şemaylaYaz(const QString& yol, const QStringList& komutlar)
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

QStringList tamŞemaEksik(const QString& atlanacak, const QString& yerine = {})
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

QByteArray eskiAccessBaşlığı()
{
    QByteArray baş(2048, '\0');
    baş[1] = 1;
    baş.replace(4, 15, "Standard Jet DB");
    baş[0x14] = 1;
    return baş;
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
        MesajKutusu::kaydetmeyeBaşla();
    }
    void cleanup()
    {
        DeğişkenModülü::kapat();
        MesajKutusu::kaydetmeyiBırak();
    }

    void pathRule_data()
    {
        QTest::addColumn<QString>("klasör");
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
        QFETCH(QString, klasör);
        QFETCH(QString, yol);
        QCOMPARE(DeğişkenModülü::veriTabanıYolu(klasör), yol);
    }

    // A file is written with the bytes, or with the schema when one is given; a null byte array
    // and no schema leave it missing.
    void refusesUnusableFile_data()
    {
        QTest::addColumn<QByteArray>("içerik");
        QTest::addColumn<QStringList>("şema");
        QTest::addColumn<QString>("beklenen");
        QByteArray rastgele(8192, '\0');
        QRandomGenerator üreteç(42);
        for (char& b : rastgele)
            b = char(üreteç.bounded(256));
        const QString gelirlerAysız =
            "CREATE TABLE GelirlerTablosu (Kimlik INTEGER PRIMARY KEY, AnaGrup TEXT, GrupAdi TEXT, "
            "GelirYili INTEGER, GelirTahmini REAL, Gerceklesen REAL)";
        const auto satır = [](const char* ad, const QByteArray& içerik, const QStringList& şema,
                              const char* beklenen) {
            QTest::newRow(ad) << içerik << şema << QString::fromUtf8(beklenen);
        };
        satır("missing", QByteArray(), {}, "Hata 14");
        satır("plain text", QByteArray("Ocak kirası ödendi.\n").repeated(300), {}, "Hata 26");
        satır("random bytes", rastgele, {}, "Hata 26");
        satır("zero bytes", QByteArray(""), {}, "Hata 26");
        satır("old access header", eskiAccessBaşlığı(), {}, "eski Access (Jet)");
        satır("missing table", {}, tamŞemaEksik("GiderlerTablosu"), "GiderlerTablosu tablosu");
        satır("missing field", {}, tamŞemaEksik("GelirlerTablosu", gelirlerAysız),
              "GelirlerTablosu.GelirAyi alanı");
    }
    void refusesUnusableFile()
    {
        QFETCH(QByteArray, içerik);
        QFETCH(QStringList, şema);
        QFETCH(QString, beklenen);
        QTemporaryDir dizin;
        const QString yol = DeğişkenModülü::veriTabanıYolu(dizin.path());
        if (!şema.isEmpty())
            şemaylaYaz(yol, şema);
        else if (!içerik.isNull())
            dosyaYaz(yol, içerik);
        const QStringList önce = klasörİçeriği(dizin.path());

        QVERIFY(!başlat(dizin.path()));
        QVERIFY(!anaFormVar());
        QVERIFY(tekHata(yol));
        QVERIFY(tekHata(beklenen));
        QCOMPARE(klasörİçeriği(dizin.path()), önce);
    }

    void refusesRealAccessFiles()
    {
        const QDir örnekler(QStringLiteral(JET_ORNEKLERI));
        const QStringList dosyalar = örnekler.entryList({QStringLiteral("*.mdb")});
        if (dosyalar.isEmpty())
            QSKIP("no Access sample files beside the repository");
        for (const QString& ad : dosyalar) {
            QTemporaryDir dizin;
            QVERIFY(
                QFile::copy(örnekler.filePath(ad), DeğişkenModülü::veriTabanıYolu(dizin.path())));
            MesajKutusu::gösterilenleriSil();
            QVERIFY2(!başlat(dizin.path()), qPrintable(ad));
            QVERIFY2(tekHata("eski Access (Jet)"), qPrintable(ad));
        }
    }

    // Run as another user, since permissions do not stop root.
    void refusesFileWithoutPermission_data()
    {
        QTest::addColumn<int>("izinler");
        QTest::addColumn<int>("çıkış");
        QTest::addColumn<QString>("beklenen");
        QTest::newRow("read and write allowed") << 0666 << 0 << QString();
        QTest::newRow("not readable") << 0000 << 1 << "Hata 14";
        QTest::newRow("not writable") << 0444 << 1 << "Hata 8";
    }
    void refusesFileWithoutPermission()
    {
        QFETCH(int, izinler);
        QFETCH(int, çıkış);
        QFETCH(QString, beklenen);
        QTemporaryDir dizin;
        const QString yol = DeğişkenModülü::veriTabanıYolu(dizin.path());
        // The create tool makes a file for its owner alone, and never writes over one.
        QVERIFY(!Şema::dosyaOluştur(yol));
        QCOMPARE(QFileInfo(yol).permissions() &
                     (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
                 QFile::Permissions());
        const QStringList yeni = klasörİçeriği(dizin.path());
        const std::optional<QString> hata = Şema::dosyaOluştur(yol);
        QVERIFY2(hata && hata->contains(u"zaten var"), qPrintable(hata.value_or("no failure")));
        QCOMPARE(klasörİçeriği(dizin.path()), yeni);
        QVERIFY(::chmod(QFile::encodeName(dizin.path()).constData(), 0755) == 0);
        QVERIFY(::chmod(QFile::encodeName(yol).constData(), mode_t(izinler)) == 0);
        // The build folder may be closed to other users; the checker runs from the open temporary
        // one.
        const QString denetçi = QDir(dizin.path()).filePath(QStringLiteral("acilis_denetimi"));
        QVERIFY(QFile::copy(QStringLiteral(ACILIS_DENETIMI), denetçi));
        const QStringList önce = klasörİçeriği(dizin.path());

        QProcess süreç;
        if (::geteuid() == 0)
            süreç.start(QStringLiteral("setpriv"),
                        {"--reuid=65534", "--regid=65534", "--clear-groups", denetçi, yol});
        else
            süreç.start(denetçi, {yol});
        QVERIFY(süreç.waitForFinished());
        const QString çıktı = QString::fromUtf8(süreç.readAllStandardOutput());

        QCOMPARE(süreç.exitCode(), çıkış);
        QVERIFY2(çıktı.contains(beklenen), qPrintable(çıktı));
        if (çıkış != 0)
            QVERIFY(çıktı.contains(yol));
        QCOMPARE(klasörİçeriği(dizin.path()), önce);
    }

    void selectorsAndPreselection_data()
    {
        QTest::addColumn<QDate>("bugün");
        QTest::addColumn<QString>("yıl");
        QTest::addColumn<QString>("ay");
        QTest::newRow("inside the range") << QDate(2024, 3, 15) << "2024" << QString("Mart");
        QTest::newRow("first year, january") << QDate(2006, 1, 1) << "2006" << QString("Ocak");
        QTest::newRow("after the range") << QDate(2041, 12, 31) << "2030" << QString("Aralık");
        QTest::newRow("before the range") << QDate(1999, 8, 10) << "2006" << QString("Ağustos");
    }
    void selectorsAndPreselection()
    {
        QFETCH(QDate, bugün);
        QFETCH(QString, yıl);
        QFETCH(QString, ay);
        TestOrtamı ortam;
        ortam.anaGrupYaz(gelirDefteri(), "MAAŞ");
        ortam.altGrupYaz(gelirDefteri(), "MAAŞ", "ANA İŞ");
        ortam.kayıtYaz(gelirDefteri(), "MAAŞ", "ANA İŞ", bugün.year(), ay, 100, 100);
        for (const char* ad : {"ŞEKER", "SU", "ÇAY", "CEP", "İNCİR", "IRMAK", "ÖDEV", "OKUL",
                               "ÜZÜM", "UN", "ĞARİP", "GAZ", "ZEYTİN", "AVANS"})
            ortam.anaGrupYaz(giderDefteri(), ad);

        const std::unique_ptr<AnaForm> form = ortam.anaForm(bugün);

        QCOMPARE(öğeler(form->yılBilgisiKutusu()), yıllar());
        QCOMPARE(öğeler(form->ayBilgisiKutusu()), QStringList{"Tüm Aylar"} + aylar());
        QCOMPARE(form->yılBilgisiKutusu()->currentText(), yıl);
        QCOMPARE(form->ayBilgisiKutusu()->currentText(), ay);

        // Nothing is listed until a group is chosen.
        for (const DefterTanımı* d : {&gelirDefteri(), &giderDefteri()}) {
            QCOMPARE(form->anaGrupListesi(*d)->currentIndex(), -1);
            QCOMPARE(form->altGrupListesi(*d)->count(), 0);
            QCOMPARE(satırlar(kayıtListesi(*form, *d)), QStringList());
            QCOMPARE(toplam(*form, *d), QString());
        }
        QCOMPARE(öğeler(form->anaGrupListesi(gelirDefteri())), QStringList{"MAAŞ"});
        // Main groups in Turkish alphabetical order.
        QCOMPARE(öğeler(form->anaGrupListesi(giderDefteri())),
                 (QStringList{"AVANS", "CEP", "ÇAY", "GAZ", "ĞARİP", "IRMAK", "İNCİR", "OKUL",
                              "ÖDEV", "SU", "ŞEKER", "UN", "ÜZÜM", "ZEYTİN"}));
        QCOMPARE(mesajlar(), QStringList());
    }
};

QTEST_MAIN(TestStartup)
#include "tst_baslangic.moc"

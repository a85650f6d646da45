#include "BütçeVerisi.h"
#include "DeğişkenModülü.h"
#include "LedgerTest.h"
#include "TürkçeMetin.h"

#include <QProcess>
#include <QStandardPaths>

using Süzgeç = BütçeVerisi::KayıtSüzgeci;

namespace
{

QList<qint64> kimlikler(const std::vector<BütçeVerisi::Kayıt>& kayıtlar)
{
    QList<qint64> sonuç;
    for (const auto& k : kayıtlar)
        sonuç << k.kimlik;
    return sonuç;
}

} // namespace

class TestData : public LedgerTest
{
    Q_OBJECT

private slots:
    void turkishCaseRules()
    {
        QCOMPARE(TürkçeMetin::büyükHarf("gider"), QStringLiteral("GİDER"));
        QCOMPARE(TürkçeMetin::büyükHarf("ılık"), QStringLiteral("ILIK"));
        QCOMPARE(TürkçeMetin::büyükHarf("şeker ağacı çöp üzüm"),
                 QStringLiteral("ŞEKER AĞACI ÇÖP ÜZÜM"));
        QVERIFY(TürkçeMetin::eşit("istanbul", "İSTANBUL"));
    }

    // The month and group conditions of every statement ignore letter case, Turkish letters
    // included.
    void statementsCompareTurkishCaseInsensitive_data()
    {
        QTest::addColumn<QString>("kayıttaki");
        QTest::addColumn<QString>("aranan");
        QTest::addColumn<bool>("bulunur");
        QTest::newRow("Nisan finds NİSAN") << "NİSAN" << QString("Nisan") << true;
        QTest::newRow("Mayıs finds MAYIS") << "MAYIS" << QString("Mayıs") << true;
        QTest::newRow("şubat finds ŞUBAT") << "ŞUBAT" << QString("şubat") << true;
        QTest::newRow("Ocak finds ocak") << "ocak" << QString("Ocak") << true;
        QTest::newRow("Nisan does not find Nısan") << "Nısan" << QString("Nisan") << false;
        QTest::newRow("Nisan does not find NISAN") << "NISAN" << QString("Nisan") << false;
        QTest::newRow("mayis does not find MAYIS") << "MAYIS" << QString("mayis") << false;
        QTest::newRow("Nisan does not find 'Nisan '") << "Nisan " << QString("Nisan") << false;
    }
    void statementsCompareTurkishCaseInsensitive()
    {
        QFETCH(QString, kayıttaki);
        QFETCH(QString, aranan);
        QFETCH(bool, bulunur);
        const DefterTanımı& d = giderDefteri();
        ortam->altGrupYaz(d, kayıttaki, "ALT");
        const qint64 kimlik = ortam->kayıtYaz(d, kayıttaki, kayıttaki, 2024, kayıttaki, 10, 5);

        QCOMPARE(BütçeVerisi::altGruplar(d, aranan), bulunur ? QStringList{"ALT"} : QStringList{});
        QCOMPARE(BütçeVerisi::anaGrupVar(d, aranan), false);
        ortam->anaGrupYaz(d, kayıttaki);
        QCOMPARE(BütçeVerisi::anaGrupVar(d, aranan), bulunur);
        const QList<qint64> beklenen = bulunur ? QList<qint64>{kimlik} : QList<qint64>{};
        QCOMPARE(kimlikler(BütçeVerisi::kayıtlar(
                     d, Süzgeç{.anaGrup = aranan, .yıl = 2024, .ay = aranan})),
                 beklenen);
        QCOMPARE(kimlikler(BütçeVerisi::kayıtlar(
                     d, Süzgeç{.anaGrup = aranan, .altGrup = aranan, .yıl = 2024})),
                 beklenen);
    }

    void namesWithQuotesAreStoredAndFound()
    {
        const DefterTanımı& d = gelirDefteri();
        const QString ad = QStringLiteral("O'NEIL");
        const QString alt = QStringLiteral("'; DROP TABLE GelirlerTablosu; --");
        BütçeVerisi::anaGrupEkle(d, ad);
        BütçeVerisi::altGrupEkle(d, ad, alt);
        const qint64 kimlik = BütçeVerisi::kayıtEkle(d, {ad, alt, 2025, "Ocak", 10, 20});

        QCOMPARE(BütçeVerisi::anaGruplar(d), QStringList{ad});
        QVERIFY(BütçeVerisi::anaGrupVar(d, ad));
        QCOMPARE(BütçeVerisi::altGruplar(d, ad), QStringList{alt});
        QCOMPARE(
            kimlikler(BütçeVerisi::kayıtlar(d, Süzgeç{.anaGrup = ad, .altGrup = alt, .yıl = 2025})),
            QList<qint64>{kimlik});
        QVERIFY(BütçeVerisi::altGrupSil(d, ad, alt));
        QCOMPARE(BütçeVerisi::altGruplar(d, ad), QStringList{});
    }

    void entryKeysComeFromTheEngineAndAreNeverReused()
    {
        const DefterTanımı& d = gelirDefteri();
        const qint64 ilk = BütçeVerisi::kayıtEkle(d, {"A", "B", 2024, "Ocak", 1, 1});
        const qint64 ikinci = BütçeVerisi::kayıtEkle(d, {"A", "B", 2024, "Ocak", 2, 2});
        QVERIFY(ikinci > ilk);
        QVERIFY(BütçeVerisi::kayıtSil(d, ikinci));
        QVERIFY(!BütçeVerisi::kayıtSil(d, ikinci));
        const qint64 üçüncü = BütçeVerisi::kayıtEkle(d, {"A", "B", 2024, "Ocak", 3, 3});
        QVERIFY(üçüncü > ikinci);
        QCOMPARE(kimlikler(BütçeVerisi::kayıtlar(d, Süzgeç{.anaGrup = "A", .yıl = 2024})),
                 (QList<qint64>{ilk, üçüncü}));
    }

    // The file stays an ordinary SQLite database that other tools can read and write, with every
    // write synced before it returns.
    void fileIsDurableAndWorksWithTheSqliteTool()
    {
        QCOMPARE(ortam->sorgula("PRAGMA synchronous").toInt(), 2); // FULL
        QCOMPARE(ortam->sorgula("PRAGMA journal_mode").toString(), QStringLiteral("delete"));
        const QString sqlite3 = QStandardPaths::findExecutable("sqlite3");
        QVERIFY2(!sqlite3.isEmpty(), "the sqlite3 command-line tool is missing");
        BütçeVerisi::anaGrupEkle(giderDefteri(), "MUTFAK");
        BütçeVerisi::altGrupEkle(giderDefteri(), "MUTFAK", "MARKET");
        BütçeVerisi::kayıtEkle(giderDefteri(),
                               {"MUTFAK", "MARKET", 2024, "Mayıs", 1500.5, 1250.25});
        DeğişkenModülü::kapat();

        const QString sql =
            QStringLiteral("SELECT count(*) FROM AnaGiderGruplariTablosu WHERE GrupAdi = 'MUTFAK';"
                           "SELECT count(*) FROM AltGiderGruplariTablosu WHERE AnaGrup = 'MUTFAK' "
                           "AND GrupAdi = 'MARKET';"
                           "SELECT Gerceklesen FROM GiderlerTablosu WHERE AnaGrup = 'MUTFAK' AND "
                           "GrupAdi = 'MARKET' "
                           "AND GiderAyi = 'Mayıs' AND GiderYili = 2024;"
                           "INSERT INTO GiderlerTablosu (AnaGrup, GrupAdi, GiderYili, GiderAyi, "
                           "GiderTahmini, Gerceklesen) "
                           "VALUES ('MUTFAK', 'MARKET', 2024, 'Haziran', 10, 12);"
                           "SELECT count(*) FROM GiderlerTablosu;"
                           "PRAGMA integrity_check;");
        QProcess süreç;
        süreç.start(sqlite3, {ortam->dosya(), sql});
        QVERIFY(süreç.waitForFinished());
        QCOMPARE(süreç.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(süreç.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts),
                 (QStringList{"1", "1", "1250.25", "2", "ok"}));

        QVERIFY(!DeğişkenModülü::aç(ortam->dosya()));
        QCOMPARE(BütçeVerisi::kayıtlar(giderDefteri(),
                                       Süzgeç{.anaGrup = "mutfak", .yıl = 2024, .ay = "HAZİRAN"})
                     .size(),
                 size_t(1));
    }
};

QTEST_MAIN(TestData)
#include "tst_veri.moc"

#include "ButceVerisi.h"
#include "DegiskenModulu.h"
#include "LedgerTest.h"
#include "Lehce.h"
#include "Takvim.h"
#include "VeriHatasi.h"

#include <QSqlError>
#include <QSqlQuery>

using Suzgec = ButceVerisi::KayitSuzgeci;

namespace
{

QList<qint64> kimlikler(const std::vector<ButceVerisi::Kayit>& kayitlar)
{
    QList<qint64> sonuc;
    for (const auto& k : kayitlar)
        sonuc << k.kimlik;
    return sonuc;
}

} // namespace

class TestVeri : public LedgerTest
{
    Q_OBJECT

private slots:
    // The month and group conditions of every statement ignore letter case, Turkish letters
    // included.
    void statementsCompareTurkishCaseInsensitive_data()
    {
        QTest::addColumn<QString>("kayittaki");
        QTest::addColumn<QString>("aranan");
        QTest::addColumn<bool>("bulunur");
        QTest::newRow("Nisan finds NİSAN") << "NİSAN" << QString("Nisan") << true;
        QTest::newRow("Mayıs finds MAYIS") << "MAYIS" << QString("Mayıs") << true;
        QTest::newRow("şubat finds ŞUBAT") << "ŞUBAT" << QString("şubat") << true;
        QTest::newRow("Nisan does not find Nısan") << "Nısan" << QString("Nisan") << false;
        QTest::newRow("Nisan does not find NISAN") << "NISAN" << QString("Nisan") << false;
        QTest::newRow("Nisan does not find 'Nisan '") << "Nisan " << QString("Nisan") << false;
    }
    void statementsCompareTurkishCaseInsensitive()
    {
        QFETCH(QString, kayittaki);
        QFETCH(QString, aranan);
        QFETCH(bool, bulunur);
        const DefterTanimi& d = giderDefteri();
        ortam->altGrupYaz(d, kayittaki, "ALT");
        const qint64 kimlik = ortam->kayitYaz(d, kayittaki, kayittaki, 2024, kayittaki, 10, 5);

        QCOMPARE(ButceVerisi::altGruplar(d, aranan), bulunur ? QStringList{"ALT"} : QStringList{});
        QCOMPARE(ButceVerisi::anaGrupVar(d, aranan), false);
        ortam->anaGrupYaz(d, kayittaki);
        QCOMPARE(ButceVerisi::anaGrupVar(d, aranan), bulunur);
        const QList<qint64> beklenen = bulunur ? QList<qint64>{kimlik} : QList<qint64>{};
        QCOMPARE(kimlikler(ButceVerisi::kayitlar(
                     d, Suzgec{.anaGrup = aranan, .donem = {2024, Takvim::ayNumarasi(aranan)}})),
                 beklenen);
        QCOMPARE(kimlikler(ButceVerisi::kayitlar(
                     d, Suzgec{.anaGrup = aranan, .altGrup = aranan, .donem = {2024}})),
                 beklenen);
    }

    // An engine error starts with a Turkish sentence for its kind, an extended code counting by
    // its primary one and a server's code as another failure; the engine's words follow in
    // parentheses. The program's own refusals carry no engine number and stay as they are.
    void engineErrorsInTurkishFirst_data()
    {
        QTest::addColumn<QString>("numara");
        QTest::addColumn<QString>("cumle");
        const QString kilitli =
            "Varnel.mdb başka bir program tarafından kilitli; biraz sonra yeniden deneyin.";
        const QString saltOkunur = "Varnel.mdb salt okunur; değişiklik kaydedilemedi.";
        const QString bozuk = "Varnel.mdb bozuk ya da bir veritabanı dosyası değil.";
        for (const auto& [numara, cumle] : std::initializer_list<std::pair<const char*, QString>>{
                 {"5", kilitli},
                 {"8", saltOkunur},
                 {"1288", saltOkunur},
                 {"13", "Disk dolu; Varnel.mdb'ye yazılamadı. Yer açıp yeniden deneyin."},
                 {"11", bozuk},
                 {"14", "Varnel.mdb açılamadı."},
                 {"19", "Veritabanı işlemi yapılamadı."},
                 {"42P01", "Veritabanı işlemi yapılamadı."},
                 {"", ""}})
            QTest::newRow(*numara ? numara : "the program's own") << QString(numara) << cumle;
    }
    void engineErrorsInTurkishFirst()
    {
        QFETCH(QString, numara);
        QFETCH(QString, cumle);
        const QString motor = numara.isEmpty() ? "metin" : "(Hata " + numara + ": metin)";
        QCOMPARE(VeriHatasi(numara, "metin").aciklama(),
                 cumle.isEmpty() ? motor : cumle + '\n' + motor);
    }

    // What the engine reports in its own general words is told for what it is: a Kimlik counter
    // at its end is no full disk, a view where a table was is no disk fault. And no extension is
    // ever loaded on the program's connection.
    void refusalsTellTheirReason_data()
    {
        QTest::addColumn<QString>("komutlar");
        QTest::addColumn<QString>("ilkSatir");
        QTest::newRow("full Kimlik counter")
            << "UPDATE sqlite_sequence SET seq = 9223372036854775807"
            << "Kimlik sayacı sonuna ulaştı: GelirlerTablosu tablosuna yeni kayıt eklenemez.";
        QTest::newRow("a view for a table")
            << "ALTER TABLE GelirlerTablosu RENAME TO Eski;CREATE VIEW GelirlerTablosu AS SELECT "
               "* FROM Eski"
            << "GelirlerTablosu bir tablo değil, görünüm; başka bir program değiştirmiş, "
               "değişiklik kaydedilemedi.";
        QTest::newRow("an extension") << "SELECT load_extension('/nonexistent/morvane.so')"
                                      << "";
    }
    void refusalsTellTheirReason()
    {
        QFETCH(QString, komutlar);
        QFETCH(QString, ilkSatir);
        if (Lehce::sunucuda())
            QSKIP("SQLite's own refusals");
        ortam->kayitYaz(gelirDefteri(), "A", "B", 2024, "Ocak", 1, 1);
        QSqlQuery sorgu(DegiskenModulu::VeriTabani());
        for (const QString& komut : komutlar.split(u';'))
            QCOMPARE(sorgu.exec(komut), !ilkSatir.isEmpty());
        if (ilkSatir.isEmpty()) {
            QCOMPARE(sorgu.lastError().databaseText(), QString("not authorized"));
            return;
        }
        QCOMPARE(hataMetni([] {
                     ButceVerisi::kayitEkle(gelirDefteri(), {"A", "B", 2024, "Ocak", 100, 100});
                 }).section(u'\n', 0, 0),
                 ilkSatir);
        QCOMPARE(ortam->satirSayisi("GelirlerTablosu"), 1);
    }

    void entryKeysComeFromTheEngineAndAreNeverReused()
    {
        const DefterTanimi& d = gelirDefteri();
        const qint64 ilk = ButceVerisi::kayitEkle(d, yeniKayit("A", "B", 2024, "Ocak", 1, 1)).ilkSatir();
        const qint64 ikinci = ButceVerisi::kayitEkle(d, yeniKayit("A", "B", 2024, "Ocak", 2, 2)).ilkSatir();
        QVERIFY(!ButceVerisi::kayitSil(d, {.kimlik = ikinci}).bos());
        const qint64 ucuncu = ButceVerisi::kayitEkle(d, yeniKayit("A", "B", 2024, "Ocak", 3, 3)).ilkSatir();
        QVERIFY(ucuncu > ikinci);
        QCOMPARE(kimlikler(ButceVerisi::kayitlar(d, Suzgec{.anaGrup = "A", .donem = {2024}})),
                 (QList<qint64>{ilk, ucuncu}));
    }

    // The file stays an ordinary SQLite database that other tools can read and write, with every
    // write synced before it returns.
    void fileIsDurableAndWorksWithTheSqliteTool()
    {
        if (Lehce::sunucuda())
            QSKIP("a file only");
        QCOMPARE(ortam->sorgula("PRAGMA synchronous").toInt(), 2); // FULL
        QCOMPARE(ortam->sorgula("PRAGMA journal_mode").toString(), QStringLiteral("delete"));
        ButceVerisi::kayitEkle(giderDefteri(),
                               yeniKayit("MUTFAK", "MARKET", 2024, "Mayıs", 1500.5, 1250.25));
        DegiskenModulu::kapat();

        const QString sql =
            QStringLiteral("SELECT Gerceklesen FROM GiderlerTablosu WHERE GiderAyi = 'Mayıs';"
                           "INSERT INTO GiderlerTablosu (AnaGrup, GrupAdi, GiderYili, GiderAyi, "
                           "GiderTahmini, Gerceklesen) "
                           "VALUES ('MUTFAK', 'MARKET', 2024, 'Haziran', 10, 12);"
                           "PRAGMA integrity_check;");
        QCOMPARE(sqliteAraci(ortam->dosya(), sql), QStringLiteral("1250.25\nok"));

        QVERIFY(!DegiskenModulu::ac(ortam->dosya()));
        QCOMPARE(ButceVerisi::kayitlar(giderDefteri(),
                                       Suzgec{.anaGrup = "mutfak", .donem = {2024, 6}})
                     .size(),
                 size_t(1));
    }
};

QTEST_MAIN(TestVeri)
#include "tst_veri.moc"

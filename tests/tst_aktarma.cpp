#include "Aktarma.h"
#include "AktarmaOnerisi.h"
#include "ButceVerisi.h"
#include "DegiskenModulu.h"
#include "JetDegeri.h"
#include "JetKaynagi.h"
#include "LedgerTest.h"
#include "MesajKutusu.h"
#include "Sema.h"
#include "VeriHatasi.h"

#include <QCryptographicHash>
#include <QProcess>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace
{

const QDir ornekler(QStringLiteral(JET_ORNEKLERI));

// Rows kept in memory, read as an old file would be; a table may claim more rows than it has, or
// fail after its first row.
class DenemeKaynagi : public ButceKaynagi
{
public:
    struct Tablo {
        QStringList alanlar;
        QList<QVariantList> satirlar;
        qint64 fazlaSatir = 0;
        bool yarida = false;
    };
    QMap<QString, Tablo> tablo;
    std::function<void()> okurken; // what another program does meanwhile

    QStringList tablolar() override { return tablo.keys(); }
    QStringList alanlar(const QString& ad) override { return tablo[ad].alanlar; }
    qint64 satirSayisi(const QString& ad) override
    {
        return tablo[ad].satirlar.size() + tablo[ad].fazlaSatir;
    }
    void oku(const QString& ad, const QStringList& alanlar, const SatirAlici& alici) override
    {
        const Tablo& t = tablo[ad];
        if (okurken)
            okurken();
        for (const QVariantList& satir : t.satirlar) {
            QVariantList secilen;
            for (const QString& alan : alanlar)
                secilen << satir.value(t.alanlar.indexOf(alan));
            alici(secilen);
            if (t.yarida)
                throw VeriHatasi(QString(), QStringLiteral("Okuma yarıda kesildi."));
        }
    }
};

// Names in the letter case an old file may use; a field the program does not use.
DenemeKaynagi butce()
{
    const QVariant bos;
    DenemeKaynagi k;
    k.tablo["anagelirgruplaritablosu"] = {{"GrupAdi", "Not"}, {{"MAAŞ", "x"}, {"kira 'ev'", "y"}}};
    k.tablo["AltGelirGruplariTablosu"] = {{"AnaGrup", "GrupAdi"}, {{"MAAŞ", "ANA İŞ"}}};
    k.tablo["GelirlerTablosu"] = {
        {"Kimlik", "AnaGrup", "GrupAdi", "GelirYili", "GelirAyi", "GelirTahmini", "Gerceklesen"},
        {{3, "MAAŞ", "ANA İŞ", 2006, "Ocak", 1234.5678, 1200.0},
         {42, "MAAŞ", "ANA İŞ", 2030, "ARALIK", bos, bos}}};
    k.tablo["AnaGiderGruplariTablosu"] = {{"GrupAdi"}, {{"MUTFAK"}, {"Iğdır \"ev\""}}};
    k.tablo["AltGiderGruplariTablosu"] = {{"AnaGrup", "GrupAdi"}, {}};
    k.tablo["GiderlerTablosu"] = {
        {"GiderAyi", "Kimlik", "AnaGrup", "GrupAdi", "GiderYili", "GiderTahmini", "Gerceklesen"},
        {{"şubat", 7, "MUTFAK", "ÇARŞI", 2024, 0.1, 0.2}}};
    return k;
}

QString metin(const QVariant& v)
{
    if (v.isNull())
        return QStringLiteral("NULL");
    if (v.typeId() == QMetaType::Double)
        return "d:" + QString::number(v.toDouble(), 'g', QLocale::FloatingPointShortest);
    if (v.typeId() == QMetaType::LongLong)
        return "i:" + v.toString();
    return v.toString();
}

QStringList tabloyuOku(ButceKaynagi& kaynak, const QString& tablo, const QStringList& alanlar)
{
    QStringList satirlar;
    kaynak.oku(tablo, alanlar, [&](const QVariantList& degerler) {
        QStringList hucreler;
        for (const QVariant& d : degerler)
            hucreler << metin(d);
        satirlar << hucreler.join(u'|');
    });
    return satirlar;
}

QStringList dosyadanOku(const QString& sql)
{
    QSqlQuery sorgu(DegiskenModulu::VeriTabani());
    if (!sorgu.exec(sql))
        qFatal("%s", qPrintable(sql));
    QStringList satirlar;
    while (sorgu.next()) {
        QStringList hucreler;
        for (int i = 0; i < sorgu.record().count(); ++i)
            hucreler << metin(sorgu.value(i).typeId() == QMetaType::Double ||
                                      sorgu.value(i).isNull()
                                  ? sorgu.value(i)
                                  : QVariant(sorgu.value(i).toString()));
        satirlar << hucreler.join(u'|');
    }
    return satirlar;
}

void yaz(const QString& yol, const QByteArray& icerik)
{
    QFile dosya(yol);
    QVERIFY(dosya.open(QIODevice::WriteOnly));
    dosya.write(icerik);
}

QByteArray ornek(const QString& ad)
{
    QFile dosya(ornekler.filePath(ad));
    if (!dosya.open(QIODevice::ReadOnly))
        qFatal("missing sample %s", qPrintable(dosya.fileName()));
    return dosya.readAll();
}

} // namespace

class TestAktarma : public DosyasizTest
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!ornekler.exists() && qgetenv("CI") != "true")
            QSKIP("no Access sample files beside the repository");
        QVERIFY2(ornekler.exists(), qPrintable(ornekler.path()));
    }

    void readsRealJetFiles_data()
    {
        QTest::addColumn<QString>("dosya");
        QTest::addColumn<QString>("tablo");
        QTest::addColumn<QStringList>("alanlar");
        QTest::addColumn<QStringList>("beklenen");
        QString tumu;
        for (char16_t c = 1; c <= 0xFF; ++c)
            tumu += QChar(c);
        QTest::newRow("compressed and uncompressed text")
            << "testUnicodeCompV2003.mdb"
            << "Table" << QStringList{"ID", "Unicode"}
            << QStringList{"i:1|only ascii chars",
                           "i:2|ääkkösiä",
                           "i:3|Мир",
                           QString::fromUtf16(u"i:4|ϰαὶ τ\u1F79τ' ἐγὼ Κ\u1F7Bϰλωπα"),
                           "i:5|漢字仮名交じり文",
                           QString::fromUtf16(u"i:6|3L9\u001D52\u0002_AB(¥\u0005!!V"),
                           "i:7|ümlaut",
                           "i:8|" + tumu};
        QTest::newRow("currency") << "pivot.mdb"
                                  << "t_pivot" << QStringList{"c_cod", "C_VAL"}
                                  << QStringList{"paperino|d:4444", "piero|d:33", "pippo|d:122",
                                                 "pluto|d:443"};
        QTest::newRow("integer, memo, decimal")
            << "functionsV2000.mdb"
            << "t_funcs" << QStringList{"id", "descr", "num"}
            << QStringList{"i:1234|Show must go off|d:-1110.554"};
        QTest::newRow("decimal 18,0")
            << "fixedNumericTestV2000.mdb"
            << "test" << QStringList{"col1", "col2", "col3", "col4", "col5", "col6", "col7"}
            << QStringList{"some data|d:1|d:0|d:0|d:4|d:-1|d:1"};
        QTest::newRow("empty table, odd names")
            << "noRoman.mdb"
            << "t_noroman" << QStringList{"ID", "end", "q3¹²³¼½¾ß€Ð×ÝÞðýþäüöß"} << QStringList();
    }
    void readsRealJetFiles()
    {
        QFETCH(QString, dosya);
        QFETCH(QString, tablo);
        QFETCH(QStringList, alanlar);
        QFETCH(QStringList, beklenen);
        qputenv("MDBPATH", ":/yok");
        JetKaynagi kaynak(ornekler.filePath(dosya));
        // libmdb loops forever on an empty MDBPATH entry when it looks for a file.
        QVERIFY(!qEnvironmentVariableIsSet("MDBPATH"));
        QCOMPARE(kaynak.tablolar(), QStringList{tablo});
        QCOMPARE(kaynak.satirSayisi(tablo), beklenen.size());
        QCOMPARE(tabloyuOku(kaynak, tablo, alanlar), beklenen);
    }

    void refusesRowsLostToACutOffFile()
    {
        QTemporaryDir dizin;
        const QString yol = dizin.filePath("kesik.mdb");
        yaz(yol, ornek("testUnicodeCompV2003.mdb").left(54 * 4096));
        JetKaynagi kaynak(yol);
        try {
            tabloyuOku(kaynak, "Table", {"ID"});
            QFAIL("a cut-off table was read");
        } catch (const VeriHatasi& h) {
            QVERIFY2(h.aciklama().contains("8 satır tutuyor, ancak 0 satırı okunabildi"),
                     qPrintable(h.aciklama()));
        }
    }

    void convertsLibmdbText_data()
    {
        QTest::addColumn<int>("tur");
        QTest::addColumn<QByteArray>("metin");
        QTest::addColumn<QString>("beklenen");
        const auto satir = [](const char* ad, JetDegeri::Tur tur, const char* metin,
                              const char* beklenen) {
            QTest::newRow(ad) << int(tur) << QByteArray(metin) << QString::fromUtf8(beklenen);
        };
        using enum JetDegeri::Tur;
        satir("currency exact", Kesin, "1234.5678", "d:1234.5678");
        satir("currency negative", Kesin, "-12.3456", "d:-12.3456");
        satir("double half up", Kayan, "0.125", "d:0.13");
        satir("double typed 1.005", Kayan, "1.005", "d:1.01");
        satir("double negative half", Kayan, "-2.675", "d:-2.68");
        satir("double decimal comma", Kayan, "1234,5", "d:1234.5");
        satir("single decimal comma", Kayan, "3,14159", "d:3.14");
        satir("double exponent", Kayan, "1e-05", "d:0");
        satir("integer", TamSayi, "2024", "i:2024");
        satir("text", Metin, "İş \"kira\" 'ev'", "İş \"kira\" 'ev'");
        satir("not a number", Kayan, "abc", "none");
        satir("not an integer", TamSayi, "20.5", "none");
    }
    void convertsLibmdbText()
    {
        QFETCH(int, tur);
        QFETCH(QByteArray, metin);
        QFETCH(QString, beklenen);
        const auto deger = JetDegeri::donustur(JetDegeri::Tur(tur), metin);
        QCOMPARE(deger ? ::metin(*deger) : QStringLiteral("none"), beklenen);
    }

    void importsEveryTable()
    {
        QTemporaryDir dizin;
        const QString yol = DegiskenModulu::veriTabaniYolu(dizin.path());
        DenemeKaynagi kaynak = butce();
        QList<qint64> ilerleme;
        const Aktarma::Rapor okunan = Aktarma::oku(kaynak);
        QCOMPARE(klasorIcerigi(dizin.path()), QStringList());
        const Aktarma::Rapor rapor = Aktarma::dosyayaAktar(
            kaynak, yol, [&](qint64 yapilan, qint64) { ilerleme << yapilan; });

        QStringList sayilar;
        for (const Aktarma::TabloSayisi& t : rapor)
            sayilar << QStringLiteral("%1 %2").arg(t.tablo).arg(t.satir);
        QCOMPARE(sayilar, (QStringList{"AnaGelirGruplariTablosu 2", "AltGelirGruplariTablosu 1",
                                       "GelirlerTablosu 2", "AnaGiderGruplariTablosu 2",
                                       "AltGiderGruplariTablosu 0", "GiderlerTablosu 1"}));
        QCOMPARE(okunan.size(), rapor.size());
        QCOMPARE(ilerleme.last(), 8);
        QCOMPARE(QDir(dizin.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"Varnel.mdb"});
        struct stat bilgi {
        };
        QCOMPARE(::stat(QFile::encodeName(yol).constData(), &bilgi), 0);
        QCOMPARE(bilgi.st_mode & 07777, 0600u);
        QVERIFY(!DegiskenModulu::ac(yol));
        QCOMPARE(dosyadanOku("SELECT GrupAdi FROM AnaGelirGruplariTablosu"),
                 (QStringList{"MAAŞ", "kira 'ev'"}));
        QCOMPARE(dosyadanOku("SELECT * FROM AltGelirGruplariTablosu"), QStringList{"MAAŞ|ANA İŞ"});
        QCOMPARE(dosyadanOku("SELECT * FROM GelirlerTablosu"),
                 (QStringList{"3|MAAŞ|ANA İŞ|2006|Ocak|d:1234.5678|d:1200",
                              "42|MAAŞ|ANA İŞ|2030|ARALIK|NULL|NULL"}));
        QCOMPARE(dosyadanOku("SELECT * FROM AnaGiderGruplariTablosu"),
                 (QStringList{"MUTFAK", "Iğdır \"ev\""}));
        QCOMPARE(dosyadanOku("SELECT count(*) FROM AltGiderGruplariTablosu"), QStringList{"0"});
        QCOMPARE(dosyadanOku("SELECT * FROM GiderlerTablosu"),
                 QStringList{"7|MUTFAK|ÇARŞI|2024|şubat|d:0.1|d:0.2"});
        // New entries continue after the highest old Kimlik.
        QCOMPARE(ButceVerisi::kayitEkle(gelirDefteri(), {"MAAŞ", "ANA İŞ", 2024, "Mart", 1, 1})
                     .ilkSatir(),
                 43);
        QCOMPARE(ButceVerisi::kayitEkle(giderDefteri(), {"MUTFAK", "ÇARŞI", 2024, "Mart", 1, 1})
                     .ilkSatir(),
                 8);
    }

    void refusesIncompleteSource_data()
    {
        QTest::addColumn<QString>("bozulma");
        QTest::addColumn<QString>("beklenen");
        QTest::newRow("missing table and field")
            << "eksik"
            << "eksik olanlar: GelirlerTablosu.GelirAyi alanı, GiderlerTablosu tablosu.";
        QTest::newRow("rows lost") << "kayip"
                                   << "GelirlerTablosu tablosu 3 satır tutuyor, ancak 2";
        QTest::newRow("read fails") << "yarida"
                                    << "Okuma yarıda kesildi.";
        QTest::newRow("file made meanwhile") << "dosyaVar"
                                             << "Varnel.mdb zaten var; üzerine yazılmadı.";
    }
    void refusesIncompleteSource()
    {
        QFETCH(QString, bozulma);
        QFETCH(QString, beklenen);
        QTemporaryDir dizin;
        const QString yol = DegiskenModulu::veriTabaniYolu(dizin.path());
        DenemeKaynagi kaynak = butce();
        if (bozulma == "eksik") {
            kaynak.tablo.remove("GiderlerTablosu");
            kaynak.tablo["GelirlerTablosu"].alanlar[4] = "Ay";
        }
        kaynak.tablo["GelirlerTablosu"].fazlaSatir = bozulma == "kayip";
        kaynak.tablo["AnaGiderGruplariTablosu"].yarida = bozulma == "yarida";
        QStringList sonra = klasorIcerigi(dizin.path());
        if (bozulma == "dosyaVar") {
            kaynak.okurken = [&] {
                if (!QFile::exists(yol))
                    yaz(yol, "başka");
            };
            sonra << "Varnel.mdb " +
                         QCryptographicHash::hash("başka", QCryptographicHash::Sha1).toHex();
        }
        try {
            Aktarma::dosyayaAktar(kaynak, yol);
            QFAIL("imported");
        } catch (const VeriHatasi& h) {
            QVERIFY2(h.aciklama().contains(beklenen), qPrintable(h.aciklama()));
        }
        QCOMPARE(klasorIcerigi(dizin.path()), sonra);
    }

    // The tool, as another user when run as root (permissions do not stop root), and with an
    // empty entry in MDBPATH.
    void toolRefusesWithNothingCreated_data()
    {
        QTest::addColumn<QByteArray>("icerik");
        QTest::addColumn<QString>("beklenen");
        QByteArray ace = ornek("pivot.mdb");
        ace.replace(4, 15, "Standard ACE DB");
        ace[0x14] = 2;
        QTest::newRow("missing") << QByteArray() << "Dosya bulunamadı.";
        QTest::newRow("unreadable") << QByteArray("-") << "Dosya okunamadı";
        QTest::newRow("zero bytes") << QByteArray("") << "Dosya boş.";
        QTest::newRow("all zero") << QByteArray(8192, '\0') << "Jet 4) veritabanı değil.";
        QTest::newRow("text") << QByteArray("Ocak kirası\n") << "Jet 4) veritabanı değil.";
        QTest::newRow("sqlite") << QByteArray("SQLite format 3\0xxxx", 20) << "(SQLite) biçiminde";
        QTest::newRow("cut off") << ornek("pivot.mdb").left(100000) << "sayfa boyutunun katı değil";
        QTest::newRow("jet 3") << ornek("size97.mdb") << "Access 97 (Jet 3) biçiminde";
        QTest::newRow("ace") << ace << "yeni Access (ACE, .accdb) biçiminde";
        QTest::newRow("no budget")
            << ornek("pivot.mdb") << "eksik olanlar: AnaGelirGruplariTablosu tablosu, Alt";
        QTest::newRow("target exists") << ornek("pivot.mdb") << "Varnel.mdb zaten var";
    }
    void toolRefusesWithNothingCreated()
    {
        QFETCH(QByteArray, icerik);
        QFETCH(QString, beklenen);
        QTemporaryDir dizin;
        const QString eski = dizin.filePath("eski.mdb");
        if (!icerik.isNull())
            yaz(eski, icerik == "-" ? ornek("pivot.mdb") : icerik);
        if (icerik == "-")
            QVERIFY(QFile::setPermissions(eski, {}));
        if (QString(QTest::currentDataTag()) == "target exists")
            yaz(DegiskenModulu::veriTabaniYolu(dizin.path()), "");
        const QString arac = dizin.filePath("varnel-aktar");
        QVERIFY(QFile::copy(QStringLiteral(VARNEL_AKTAR), arac));
        QVERIFY(QFile::setPermissions(dizin.path(), QFile::Permissions(0x7777)));
        const QStringList once = klasorIcerigi(dizin.path());

        QProcess surec;
        QProcessEnvironment ortam = QProcessEnvironment::systemEnvironment();
        ortam.insert("MDBPATH", ":");
        surec.setProcessEnvironment(ortam);
        if (::geteuid() == 0)
            surec.start("setpriv", {"--reuid=65534", "--regid=65534", "--clear-groups", arac, eski,
                                    dizin.path()});
        else
            surec.start(arac, {eski, dizin.path()});
        QVERIFY(surec.waitForFinished(20000));
        const QString hata = QString::fromUtf8(surec.readAllStandardError());
        QCOMPARE(surec.exitCode(), 1);
        QVERIFY2(hata.startsWith("Aktarma yapılamadı: ") && hata.contains(beklenen),
                 qPrintable(hata));
        QCOMPARE(surec.readAllStandardOutput(), QByteArray());
        QCOMPARE(klasorIcerigi(dizin.path()), once);
    }

    void startupOffer_data()
    {
        QTest::addColumn<QString>("durum");
        QTest::addColumn<bool>("acildi");
        QTest::addColumn<QString>("sonMesaj");
        QTest::newRow("no") << "hayir" << false << QString();
        QTest::newRow("old name taken") << "eskiVar" << false << "Varnel-eski.mdb zaten var";
        QTest::newRow("read fails") << "yarida" << false << "Okuma yarıda kesildi.";
        QTest::newRow("yes") << "evet" << true << "aktarıldı (8 satır)";
    }
    void startupOffer()
    {
        QFETCH(QString, durum);
        QFETCH(bool, acildi);
        QFETCH(QString, sonMesaj);
        QTemporaryDir dizin;
        const QString yol = DegiskenModulu::veriTabaniYolu(dizin.path());
        const QByteArray eskiBaytlar = ornek("pivot.mdb");
        yaz(yol, eskiBaytlar);
        if (durum == "eskiVar")
            yaz(dizin.filePath("Varnel-eski.mdb"), "daha eski");
        DenemeKaynagi kaynak = butce();
        kaynak.tablo["GiderlerTablosu"].yarida = durum == "yarida";
        MesajKutusu::sonrakiYanit(durum != "hayir");
        const QStringList once = klasorIcerigi(dizin.path());

        QCOMPARE(AktarmaOnerisi::sun(yol, kaynak), acildi);

        const QList<MesajKutusu::Gosterilen>& mesajlar = MesajKutusu::gosterilenler();
        QCOMPARE(mesajlar.first().simge, MesajKutusu::Simge::Soru);
        QCOMPARE(mesajlar.first().metin,
                 yol + "\n\nBu dosya eski Access biçiminde. Verileriniz Morvane biçimine "
                       "aktarılsın mı? Eski dosya Varnel-eski.mdb adıyla saklanır.");
        QCOMPARE(mesajlar.size(), sonMesaj.isEmpty() ? 1 : 2);
        if (!acildi) {
            QCOMPARE(klasorIcerigi(dizin.path()), once);
            if (!sonMesaj.isEmpty())
                QVERIFY2(mesajlar.last().simge == MesajKutusu::Simge::Hata &&
                             mesajlar.last().metin.contains("eski dosya olduğu gibi duruyor") &&
                             mesajlar.last().metin.contains(sonMesaj),
                         qPrintable(mesajlar.last().metin));
            return;
        }
        QVERIFY2(mesajlar.last().metin.contains(sonMesaj), qPrintable(mesajlar.last().metin));
        QFile eski(dizin.filePath("Varnel-eski.mdb"));
        QVERIFY(eski.open(QIODevice::ReadOnly));
        QCOMPARE(eski.readAll(), eskiBaytlar);
        QCOMPARE(ButceVerisi::anaGruplar(giderDefteri()), (QStringList{"Iğdır \"ev\"", "MUTFAK"}));
        QCOMPARE(QDir(dizin.path()).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{"Varnel-eski.mdb", "Varnel.mdb"}));
    }
};

QTEST_MAIN(TestAktarma)
#include "tst_aktarma.moc"

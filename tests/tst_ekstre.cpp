#include "BankaHareketleriFormu.h"
#include "EkstreOkuma.h"
#include "EkstreSayilari.h"
#include "EkstreSureci.h"
#include "MesajKutusu.h"
#include "Okuma.h"

#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QtTest>

namespace
{

// The test data: statements in eight layouts, each with its answer file (README.md there).
const QDir veriler(QStringLiteral(BANKA_VERILERI));

QString satir(const QString& tarih, qint64 tutar, const QString& aciklama)
{
    return tarih + u'\t' + QString::number(tutar) + u'\t' + aciklama;
}

// What was read: a refusal, or the summary's first line and each row it could not read.
QString okunan(const QString& yol)
{
    try {
        const EkstreOkuma o = EkstreOkuma::oku(yol);
        if (const auto sebep = o.bosSebebi())
            return *sebep;
        return (QStringList{o.cozum.ozetMetni().first()} + o.cozum.sorunMetinleri(o.tablo))
            .join(u'\n');
    } catch (const VeriHatasi& h) {
        return h.aciklama();
    }
}

// Every movement the window hands on when "Devam" is clicked, or "(yok)" when it does not.
QStringList devam(BankaHareketleriFormu& pencere)
{
    QStringList hareketler{QStringLiteral("(yok)")};
    const QMetaObject::Connection baglanti = QObject::connect(
        &pencere, &BankaHareketleriFormu::hareketlerOnaylandi, [&](const EkstreOkuma& o) {
            hareketler.clear();
            for (const Hareket& h : o.cozum.hareketler)
                hareketler << satir(h.tarih.toString(Qt::ISODate), h.tutar, h.aciklama);
        });
    pencere.findChild<QPushButton*>(QStringLiteral("DevamDüğmesi"))->click();
    QObject::disconnect(baglanti);
    return hareketler;
}

} // namespace

class TestEkstre : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dizin;

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
        MesajKutusu::kaydetmeyeBasla();
        EkstreSureci::programiAyarla(QStringLiteral(VARNEL_EKSTRE));
    }
    void init()
    {
        dizin = std::make_unique<QTemporaryDir>();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dizin->path());
    }

    // Each rule of reading amounts and dates, with the cases a user would notice.
    void readsAmountsAndDatesExactly_data()
    {
        QTest::addColumn<QString>("tur");
        QTest::addColumn<QString>("metin");
        QTest::addColumn<QString>("beklenen");
        for (const auto& [metin, beklenen] : {std::pair("1.234,56", "123456"),
                                              {"-1.234,56", "-123456"},
                                              {"1.234,56-", "-123456"},
                                              {"(1.234,56)", "-123456"},
                                              {"1,234.56", "123456"},
                                              {"1234.5", "123450"},
                                              {"1.234", "123400"},
                                              {"₺ 12,5", "1250"},
                                              {"1e400", "-"},
                                              {"1.23.456,00", "-"},
                                              {"12,345,6", "-"}})
            QTest::addRow("tutar %s", metin) << "tutar" << metin << beklenen;
        for (const auto& [metin, beklenen] : {std::pair("-827.3200000000001", "-82732"),
                                              {"9018.469999999999", "901847"},
                                              {"0.005", "1"},
                                              {"-0.005", "-1"},
                                              {"1.5E3", "150000"},
                                              {"1e400", "-"}})
            QTest::addRow("sayı %s", metin) << "sayi" << metin << beklenen;
        for (const auto& [metin, beklenen] : {std::pair("01.11.2024", "2024-11-01"),
                                              {"01/11/2024 07:57:58", "2024-11-01"},
                                              {"2024-11-01", "2024-11-01"},
                                              {"20241101235018.000[+3:TRT]", "2024-11-01"},
                                              {"11/01'24", "2024-11-01"},
                                              {"29.02.2023", "-"},
                                              {"32.01.2024", "-"}})
            QTest::addRow("tarih %s", metin) << "tarih" << metin << beklenen;
        QTest::newRow("Excel tarihi") << "excel"
                                      << "45597.99"
                                      << "2024-11-01";
    }
    void readsAmountsAndDatesExactly()
    {
        QFETCH(QString, tur);
        QFETCH(QString, metin);
        QFETCH(QString, beklenen);
        using namespace EkstreSayilari;
        const std::optional<qint64> kurus = tur == u"tutar"  ? tutarKurusu(metin)
                                            : tur == u"sayi" ? sayiKurusu(metin)
                                                             : std::nullopt;
        const std::optional<QDate> gun = tur == u"tarih" ? tarih(metin) : excelTarihi(metin);
        QCOMPARE(kurus ? QString::number(*kurus)
                 : gun ? gun->toString(Qt::ISODate)
                       : QStringLiteral("-"),
                 beklenen);
    }

    // Every statement of the test data reads exactly as its answer file says: each movement
    // with its row or record, the sums, the balances where the file gives them, and both of two
    // equal purchases on one day.
    void readsEveryFileAsItsAnswer_data()
    {
        QTest::addColumn<QString>("cevap");
        for (const QString& ad : veriler.entryList({QStringLiteral("*.json")}))
            QTest::newRow(qPrintable(ad)) << veriler.filePath(ad);
    }
    void readsEveryFileAsItsAnswer()
    {
        QFETCH(QString, cevap);
        const QJsonObject c = QJsonDocument::fromJson(dosyaIcerigi(cevap)).object();
        const EkstreOkuma o = EkstreOkuma::oku(veriler.filePath(c[u"file"].toString()));
        QStringList okunanlar;
        QStringList beklenenler;
        for (const Hareket& h : o.cozum.hareketler)
            okunanlar << satir(h.tarih.toString(Qt::ISODate), h.tutar, h.aciklama) + u'\t' +
                             (h.bakiye ? QString::number(*h.bakiye) : QString()) + u'\t' +
                             QString::number(h.kaynakNo);
        for (const QJsonValue t : c[u"transactions"].toArray())
            beklenenler << satir(t[u"date"].toString(), t[u"amount"].toInteger(),
                                 t[u"description"].toString()) +
                               u'\t' +
                               (t[u"balance"].isUndefined()
                                    ? QString()
                                    : QString::number(t[u"balance"].toInteger())) +
                               u'\t' +
                               QString::number(t[u"row"].toInteger(t[u"record"].toInteger()));
        QCOMPARE(okunanlar, beklenenler);
        QCOMPARE(o.cozum.sorunlar.size(), 0);
        QCOMPARE(o.cozum.kirikMetni(), QString());
        const EkstreOzeti& z = o.cozum.ozet;
        QCOMPARE(QList<qint64>({z.giren, z.cikan}),
                 QList<qint64>({c[u"sum_in"].toInteger(), c[u"sum_out"].toInteger()}));
        // A QIF file of the Turkish kind states no balance at all.
        if (c[u"layout"].toString() != u"h1")
            QCOMPARE(QList<qint64>({z.acilisBakiyesi.value_or(-1), z.kapanisBakiyesi.value_or(-1)}),
                     QList<qint64>(
                         {c[u"opening_balance"].toInteger(), c[u"closing_balance"].toInteger()}));
        for (const QJsonValue cift : c[u"same_day_same_amount_pairs"].toArray())
            QCOMPARE(o.cozum.hareketler[cift[1].toInt()].ayniGunSirasi,
                     o.cozum.hareketler[cift[0].toInt()].ayniGunSirasi + 1);
    }

    // Files that are no statement or are damaged are refused with the file and the reason; what
    // can be read is read, and the rows that cannot are named.
    void refusesOrNamesWhatItCannotRead_data()
    {
        QTest::addColumn<QString>("ad");
        QTest::addColumn<QByteArray>("icerik");
        QTest::addColumn<QString>("beklenen");
        const QByteArray baslik = "Tarih;Açıklama;Tutar\n";
        const QByteArray ikinci = "02.11.2024;BİM;-2,00\n";
        const auto bozuk = [](const char* ad) {
            return dosyaIcerigi(veriler.filePath(QStringLiteral("bozuk/") + ad));
        };
        const QByteArray kitap = dosyaIcerigi(veriler.filePath("a-hesap-hareketleri.xlsx"));
        const QByteArray ofx = dosyaIcerigi(veriler.filePath("g2-ofx211.ofx"));
        const QString okunamadi = QStringLiteral("«%1» okunamadı: %2");
        QTest::newRow("empty") << "bos.csv" << QByteArray()
                               << okunamadi.arg("bos.csv", "dosya boş.");
        QTest::newRow("no statement")
            << "not.txt" << QByteArray("Merhaba;dünya\n1;2\n")
            << "dosyada hareket tablosu bulunamadı (tarih ve tutar başlıkları olan bir satır yok).";
        QTest::newRow("workbook cut short")
            << "yarim.xlsx" << kitap.left(kitap.size() / 2)
            << okunamadi.arg("yarim.xlsx", "dosya bozuk ya da yarım (zip dizini okunamadı).");
        QTest::newRow("zip, no workbook") << "k.xlsx" << bozuk("kitap-degil.xlsx")
                                          << okunamadi.arg("k.xlsx", "Excel çalışma kitabı değil.");
        QTest::newRow("encrypted workbook")
            << "s.xlsx" << bozuk("sifreli.xlsx")
            << okunamadi.arg("s.xlsx", "çalışma kitabı parolayla şifrelenmiş; parolasını kaldırıp "
                                       "yeniden kaydedin.");
        QTest::newRow("part larger than stated")
            << "p.xlsx" << bozuk("parca-buyuk.xlsx")
            << okunamadi.arg("p.xlsx", "çalışma kitabının «xl/worksheets/sheet1.xml» bölümü bozuk "
                                       "ya da yarım (boyutu veya sağlama toplamı tutmuyor).");
        QTest::newRow("damaged xls")
            << "b.xls" << bozuk("bozuk.xls")
            << okunamadi.arg("b.xls", "Excel 97-2003 çalışma kitabı değil ya da bozuk (libfreexl "
                                      "hata kodu -11).");
        QTest::newRow("NUL byte") << "n.csv" << baslik + QByteArray("01.11.2024;A\0B;1,00\n", 20)
                                  << okunamadi.arg("n.csv", "metin dosyası değil (içinde NUL "
                                                            "baytı var).");
        QTest::newRow("cell of a megabyte")
            << "u.csv" << baslik + "01.11.2024;" + QByteArray(1 << 20, 'x') + ";1,00\n" + ikinci
            << "1 hareket, 02.11.2024 – 02.11.2024\nSatır 2: bir hücresi çok uzun (en çok 10.000 "
               "karakter okunur)";
        QTest::newRow("amount 1e400") << "e.csv" << baslik + "01.11.2024;A;1e400\n" + ikinci
                                      << "1 hareket, 02.11.2024 – 02.11.2024\nSatır 2: tutar "
                                         "okunamadı («1e400»)";
        QTest::newRow("200 nested tags")
            << "d.ofx"
            << "OFXHEADER:100\n\n<OFX>" + QByteArray("<A>").repeated(200)
            << okunamadi.arg("d.ofx", "OFX öğeleri çok derin iç içe (en çok 32).");
        QTest::newRow("OFX cut short")
            << "y.ofx" << ofx.left(ofx.indexOf("<STMTTRN>", ofx.size() / 2) + 60)
            << "83 hareket, 01.11.2024 – 15.12.2024\nKayıt 84: kayıt yarım kalmış (dosya yarım "
               "olabilir)";
        QTest::newRow("too many rows")
            << "c.csv" << baslik + QByteArray("01.11.2024;A;1,00\n").repeated(200'000)
            << okunamadi.arg("c.csv", "dosyada 200.000 satırdan fazlası var; en çok bu kadarı "
                                      "okunur.");
    }
    void refusesOrNamesWhatItCannotRead()
    {
        QFETCH(QString, ad);
        QFETCH(QByteArray, icerik);
        QFETCH(QString, beklenen);
        dosyayaYaz(dizin->filePath(ad), icerik);
        QCOMPARE(okunan(dizin->filePath(ad)), beklenen);
    }

    // An .xls reader that dies is told as a damaged file; the program goes on.
    void aCrashingReaderIsTold()
    {
        const QString program = dizin->filePath(QStringLiteral("okuyucu"));
        dosyayaYaz(program, "#!/bin/sh\nkill -SEGV $$\n");
        QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner));
        EkstreSureci::programiAyarla(program);
        const QString sonuc = okunan(veriler.filePath(QStringLiteral("c-tarih-saat.xls")));
        EkstreSureci::programiAyarla(QStringLiteral(VARNEL_EKSTRE));
        QCOMPARE(sonuc, "«c-tarih-saat.xls» okunamadı: dosya bozuk (okuyucu çöktü).");
    }

    // A header the program does not know is chosen by hand once; a file with the same header
    // words is read by that choice the next time, without a question.
    void remembersTheLayoutOfAHeader()
    {
        const QString yol = dizin->filePath(QStringLiteral("ekstre.csv"));
        dosyayaYaz(yol, "Gün;Ne;Ne kadar\n01.11.2024;MİGROS;-12,50\n02.11.2024;MAAŞ;1.000,00\n");
        BankaHareketleriFormu pencere(nullptr);
        pencere.dosyayiAc(yol);
        QCOMPARE(devam(pencere), QStringList{"(yok)"});
        const auto sec = [&](const char* kutu, int sira) {
            auto* k = pencere.findChild<QComboBox*>(QString::fromUtf8(kutu));
            k->setCurrentIndex(sira);
        };
        sec("BaşlıkSatırıKutusu", 1);
        sec("TarihKutusu", 1);
        sec("TutarKutusu", 3);
        pencere.findChild<QListWidget*>(QStringLiteral("AçıklamaListesi"))
            ->item(1)
            ->setCheckState(Qt::Checked);
        QCOMPARE(devam(pencere), QStringList({satir("2024-11-01", -1250, "MİGROS"),
                                              satir("2024-11-02", 100000, "MAAŞ")}));

        dosyayaYaz(yol, "GÜN;NE;NE KADAR\n05.12.2024;BİM;-3,00\n");
        BankaHareketleriFormu sonraki(nullptr);
        sonraki.dosyayiAc(yol);
        QCOMPARE(devam(sonraki), QStringList{satir("2024-12-05", -300, "BİM")});
    }

    // One balance off by a kuruş, in a file listing the oldest or the newest first: the row is
    // named with both figures and the window waits.
    void waitsWhileABalanceIsOffByOneKurus_data()
    {
        QTest::addColumn<bool>("ters");
        QTest::addColumn<QString>("beklenen");
        QTest::newRow("oldest first")
            << false << "Satır 57: bakiye tutmuyor (9.751,16 beklenirken 9.751,17)";
        QTest::newRow("newest first")
            << true << "Satır 114: bakiye tutmuyor (9.751,16 beklenirken 9.751,17)";
    }
    void waitsWhileABalanceIsOffByOneKurus()
    {
        QFETCH(bool, ters);
        QFETCH(QString, beklenen);
        QList<QByteArray> satirlar =
            dosyaIcerigi(veriler.filePath(QStringLiteral("e-utf8-bom-tirnakli.csv"))).split('\n');
        satirlar[56].replace("9.751,16", "9.751,17");
        if (ters)
            std::reverse(satirlar.begin() + 1, satirlar.end() - 1);
        const QString yol = dizin->filePath(QStringLiteral("kirik.csv"));
        dosyayaYaz(yol, satirlar.join('\n'));
        BankaHareketleriFormu pencere(nullptr);
        pencere.dosyayiAc(yol);
        const QString sorun = pencere.findChild<QLabel*>(QStringLiteral("SorunEtiketi"))->text();
        QVERIFY2(sorun.startsWith(beklenen), qPrintable(sorun));
        QVERIFY(!pencere.findChild<QPushButton*>(QStringLiteral("DevamDüğmesi"))->isEnabled());
    }

    // varnel-ekstre: each movement on a line of its own and nothing else on standard output, the
    // summary on standard error; a card's sign when asked; a refusal with its reason and status.
    void toolPrintsEachMovement_data()
    {
        QTest::addColumn<QStringList>("argumanlar");
        QTest::addColumn<QByteArray>("icerik");
        QTest::addColumn<int>("durum");
        QTest::addColumn<QString>("cikti");
        QTest::addColumn<QString>("hata");
        const QByteArray kart = "İşlem Tarihi;Açıklama;Tutar\n01.11.2024;MİGROS;123,45\n";
        QTest::newRow("statement")
            << QStringList() << kart << 0 << "2024-11-01\t12345\tMİGROS\n"
            << "1 hareket, 01.11.2024 – 01.11.2024\nGiren: 123,45 · Çıkan: 0,00\n";
        QTest::newRow("card")
            << QStringList{"--harcamalar-arti"} << kart << 0 << "2024-11-01\t-12345\tMİGROS\n"
            << "1 hareket, 01.11.2024 – 01.11.2024\nGiren: 0,00 · Çıkan: 123,45\n";
        QTest::newRow("refused") << QStringList() << QByteArray() << 1 << QString()
                                 << "«ekstre.csv» okunamadı: dosya boş.\n";
        QTest::newRow("balance off")
            << QStringList()
            << QByteArray("Tarih;Açıklama;Tutar;Bakiye\n01.11.2024;A;-1,00;9,00\n"
                          "02.11.2024;B;-1,00;8,01\n")
            << 1 << QString()
            << "«ekstre.csv» okunamadı: Satır 3: bakiye tutmuyor (8,00 beklenirken 8,01).\n";
    }
    void toolPrintsEachMovement()
    {
        QFETCH(QStringList, argumanlar);
        QFETCH(QByteArray, icerik);
        QFETCH(int, durum);
        QFETCH(QString, cikti);
        QFETCH(QString, hata);
        const QString yol = dizin->filePath(QStringLiteral("ekstre.csv"));
        dosyayaYaz(yol, icerik);
        QProcess arac;
        arac.start(QStringLiteral(VARNEL_EKSTRE), argumanlar << yol);
        QVERIFY(arac.waitForFinished());
        QCOMPARE(QString::fromUtf8(arac.readAllStandardOutput()), cikti);
        QCOMPARE(QString::fromUtf8(arac.readAllStandardError()), hata);
        QCOMPARE(arac.exitCode(), durum);
    }
};

QTEST_MAIN(TestEkstre)
#include "tst_ekstre.moc"

#include "AylikOzetFormu.h"
#include "CsvOkuma.h"
#include "TabloYazici.h"
#include "DisaAktarma.h"
#include "DosyaHatasi.h"
#include "KaydetmeYeri.h"
#include "LedgerTest.h"
#include "VeriHatasi.h"

#include <QtCharts>
#include <QtWidgets>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>

namespace
{

// What a program printed, or on the failure expected what it printed as its error; the test
// program ends when it is missing or ends otherwise.
QString calistir(const QString& program, const QStringList& argumanlar, int durum = 0)
{
    QProcess surec;
    surec.start(program, argumanlar);
    if (!surec.waitForFinished() || surec.exitCode() != durum)
        qFatal("%s: %s%s", qPrintable(program), qPrintable(surec.errorString()),
               surec.readAllStandardError().constData());
    return QString::fromUtf8(durum ? surec.readAllStandardError() : surec.readAllStandardOutput());
}

} // namespace

class TestDisaAktarma : public LedgerTest
{
    Q_OBJECT

private slots:
    // Both ledgers, by year, calendar month in any letter case, main and sub-group in Turkish
    // alphabetical order; the same file from the program's writer and from varnel-disa-aktar, a
    // workbook by the file's extension or as --bicim says.
    void allEntriesInExportOrder_data()
    {
        QTest::addColumn<bool>("aracla");
        QTest::addColumn<QString>("ad");
        QTest::addColumn<QStringList>("secenek");
        QTest::newRow("program, CSV") << false << "Tüm kayıtlar.csv" << QStringList();
        QTest::newRow("program, XLSX") << false << "Tüm kayıtlar.XLSX" << QStringList();
        QTest::newRow("varnel-disa-aktar --bicim xlsx")
            << true << "Tüm kayıtlar.dat" << QStringList{"--bicim", "xlsx"};
    }
    void allEntriesInExportOrder()
    {
        QFETCH(bool, aracla);
        QFETCH(QString, ad);
        QFETCH(QStringList, secenek);
        const DefterTanimi& gelir = gelirDefteri();
        const DefterTanimi& gider = giderDefteri();
        ortam->kayitYaz(gider, "MUTFAK", "MARKET", 2024, "Ocak", 100.5, 90);
        ortam->kayitYaz(gelir, "MAAŞ", "ANA İŞ", 2025, "ocak", 12500, 12000);
        ortam->kayitYaz(gelir, "MAAŞ", "ANA İŞ", 2024, "ARALIK", 12500, 12500);
        ortam->kayitYaz(gelir, "ÇOCUK", "HARÇLIK", 2024, "mart", 200, 150);
        ortam->kayitYaz(gelir, "CEP", "-İADE; \"VERGİ\"", 2024, "MART", 0, 20);
        ortam->kayitYaz(gelir, "MAAŞ", "EK İŞ", 2024, "Şubat", 300, QVariant());
        ortam->kayitYaz(gelir, "MAAŞ", "BAYRAM", 2024, "Şubat", QVariant(), 40);
        ortam->kayitYaz(gelir, "KİRA", "DÜKKAN", 2024, "Yıl sonu", 1, 1);

        const QString yol = ortam->klasor() + '/' + ad;
        if (aracla) {
            // A folder without a budget is told in Turkish, with what to do.
            const QString bos = ortam->klasor() + "/bos";
            const QString yok =
                calistir(VARNEL_DISA_AKTAR, QStringList{"--klasor", bos} + secenek << yol, 1);
            QVERIFY2(yok.startsWith("Varnel.mdb bulunamadı: " + bos + "/Varnel.mdb\n\nBütçenin") &&
                         yok.endsWith("varnel-olustur KLASÖR oluşturur.\n"),
                     qPrintable(yok));
            QCOMPARE(calistir(VARNEL_DISA_AKTAR, QStringList{"--klasor", ortam->klasor()} +
                                                     secenek + QStringList{yol}),
                     "8 kayıt yazıldı: " + yol + "\n");
        } else {
            QCOMPARE(DisaAktarma::tumKayitlariKaydet(yol), 8);
        }
        if (ad.endsWith(".csv")) {
            QCOMPARE(QString::fromUtf8(dosyaIcerigi(yol)),
                     QString::fromUtf8(csvBom) +
                         "Defter;Kimlik;Ana Grup;Alt Grup;Yıl;Ay;Tahmin;Gerçekleşen;Oran\r\n"
                         "Gelir;6;MAAŞ;BAYRAM;2024;Şubat;;\"40,00\";\r\n"
                         "Gelir;5;MAAŞ;EK İŞ;2024;Şubat;\"300,00\";;\r\n"
                         "Gelir;4;CEP;\"'-İADE; \"\"VERGİ\"\"\";2024;MART;\"0,00\";\"20,00\";\r\n"
                         "Gelir;3;ÇOCUK;HARÇLIK;2024;mart;\"200,00\";\"150,00\";\"75,00\"\r\n"
                         "Gelir;2;MAAŞ;ANA İŞ;2024;ARALIK;\"12500,00\";\"12500,00\";\"100,00\"\r\n"
                         "Gelir;7;KİRA;DÜKKAN;2024;Yıl sonu;\"1,00\";\"1,00\";\"100,00\"\r\n"
                         "Gelir;1;MAAŞ;ANA İŞ;2025;ocak;\"12500,00\";\"12000,00\";\"96,00\"\r\n"
                         "Gider;1;MUTFAK;MARKET;2024;Ocak;\"100,50\";\"90,00\";\"89,55\"\r\n");
            return;
        }
        // The order is the CSV's; a workbook has a sheet per ledger, numbers as numbers and no
        // guard before a leading sign.
        const QStringList kitap = xlsxOku(yol);
        QCOMPARE(kitap.filter("== "), (QStringList{"== Gelirler A2 A1:H8", "== Giderler A2 A1:H2"}));
        QCOMPARE(kitap.value(5),
                 "4 0|CEP|-İADE; \"VERGİ\"|2024 0|MART|0 #,##0.00 \"TL\"|20 #,##0.00 \"TL\"|");
        QCOMPARE(kitap.last(), "1 0|MUTFAK|MARKET|2024 0|Ocak|100.5 #,##0.00 \"TL\"|90 #,##0.00 "
                               "\"TL\"|0.8955223881 0.00%");
    }

    // An entry list is saved as it stands on screen, in the order it is sorted, with the month
    // and a total line; from "Dosya" > "Dışa Aktar", which names the file after the period and
    // proposes a workbook first.
    void listLeavesAsSorted_data() { defterSatirlari(); }
    void listLeavesAsSorted()
    {
        QFETCH(QString, defterAdi);
        const DefterTanimi& d = satirinDefteri();
        ortam->anaGrupYaz(d, "EV");
        ortam->kayitYaz(d, "EV", "KİRA", 2024, "Mart", 12500, 12000);
        ortam->kayitYaz(d, "EV", "AİDAT; \"SİTE\"", 2024, "ocak", 300, QVariant());
        ortam->kayitYaz(d, "EV", "ISITMA", 2024, "ŞUBAT", 1000.5, -20);
        ortam->kayitYaz(oteki(d), "EV", "KİRA", 2024, "Nisan", 1, 1);
        form = ortam->anaForm();
        form->donemSecici()->ayKutusu()->setCurrentIndex(0);
        grupSec(*form, d, "EV");
        kayitListesi(*form, d)->sortByColumn(3, Qt::DescendingOrder);
        // A folder that is not there is told, and the dialog opens again on the name chosen.
        const QString yanlis = ortam->klasor() + "/yok/liste.csv";
        QStringList onerilenler;
        KaydetmeYeri::yanitla([&](const QString& o) {
            onerilenler << o;
            return onerilenler.size() == 1 ? yanlis : ortam->klasor() + "/liste.csv";
        });
        menuKomutu(*form, defterAdi + " Listesini Kaydet…")->trigger();
        KaydetmeYeri::yanitla({});
        QVERIFY(tekHata("klasör yok"));
        QCOMPARE(QFileInfo(onerilenler.value(0)).fileName() + " | " + onerilenler.value(1),
                 "Morvane-" + defterAdi + "ler-2024.xlsx | " + yanlis);
        QCOMPARE(QString::fromUtf8(dosyaIcerigi(ortam->klasor() + "/liste.csv")),
                 QString::fromUtf8(csvBom) +
                     "Kimlik;Ana Grup;Alt Grup;Ay;Tahmin;Gerçekleşen;Oran\r\n"
                     "1;EV;KİRA;Mart;\"12500,00\";\"12000,00\";\"96,00\"\r\n"
                     "3;EV;ISITMA;ŞUBAT;\"1000,50\";\"-20,00\";\"-2,00\"\r\n"
                     "2;EV;\"AİDAT; \"\"SİTE\"\"\";ocak;\"300,00\";;\r\n"
                     "TOPLAM;;;;\"13800,50\";\"11980,00\";\"88,74\"\r\n");
        QCOMPARE(form->statusBar()->currentMessage(),
                 "Kaydedildi: liste.csv (3 kayıt) · Klasör: " + ortam->klasor());
    }

    // The overview, here comparing one year with the one before, as a workbook with the sheet
    // "Gider Özeti" and the totals bold (Ctrl+S); its page is one A4 landscape with the heading
    // and every month in the table and, as text, under the chart. Each file is confirmed in the
    // window, with its folder.
    void overviewLeavesAsShown()
    {
        const QString ad = "Morvane-Tum-Giderler-2024";
        const DefterTanimi& d = giderDefteri();
        ortam->kayitYaz(d, "EV", "KİRA", 2024, "Ocak", 12500, 12600.5);
        ortam->kayitYaz(d, "EV", "AİDAT", 2024, "ŞUBAT", 300, QVariant());
        ortam->kayitYaz(d, "EV", "KİRA", 2023, "ocak", 12000, 12000);
        ortam->kayitYaz(d, "EV", "KİRA", 2023, "Mart", 0, 50);
        AylikOzetFormu pencere(d, {2024}, nullptr);
        pencere.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pencere));
        pencere.findChild<QComboBox*>("YılBilgisiKutusu")->setCurrentText("2024");
        pencere.findChild<QCheckBox*>("KarşılaştırmaKutusu")->setChecked(true);
        KaydetmeYeri::yanitla([&](const QString& onerilen) {
            return ortam->klasor() + '/' + QFileInfo(onerilen).fileName();
        });
        QTest::keyClick(&pencere, Qt::Key_S, Qt::ControlModifier);
        const QStringList kitap = xlsxOku(ortam->klasor() + '/' + ad + ".xlsx");
        QCOMPARE(kitap.mid(0, 2), (QStringList{pencere.windowTitle() + " | Gider özeti | Morvane",
                                               "== Gider Özeti A2 A1:F13"}));
        QCOMPARE(kitap.value(15),
                 "*TOPLAM|*12800 #,##0.00 \"TL\"|*12600.5 #,##0.00 \"TL\"|*1.00804 0.00%|"
                 "*12050 #,##0.00 \"TL\"|*0.0456846473 0.00%");
        const QString pdf = ortam->klasor() + '/' + ad + ".pdf";
        QTest::mouseClick(pencere.findChild<QPushButton*>("PdfDüğmesi"), Qt::LeftButton);
        KaydetmeYeri::yanitla({});
        QCOMPARE(pencere.bildirim(), "Kaydedildi: " + ad + ".pdf · Klasör: " + ortam->klasor());
        QCOMPARE(MesajKutusu::gosterilenler().size(), 0);

        const QString bilgi = calistir("pdfinfo", {pdf});
        QVERIFY2(bilgi.contains(QRegularExpression("Pages: +1\n")), qPrintable(bilgi));
        QVERIFY2(bilgi.contains(QRegularExpression("Page size: +842 x 595 pts \\(A4\\)")),
                 qPrintable(bilgi));
        const QString metin = calistir("pdftotext", {pdf, "-"});
        QVERIFY2(metin.contains("Tüm Giderler Listesi — 2024") &&
                     metin.contains("Yazdırma tarihi:") && metin.contains("TOPLAM"),
                 qPrintable(metin));
        QVERIFY2(metin.count("OCAK") == 2 && metin.count("ARALIK") == 2, qPrintable(metin));
    }

    // Nothing new is left in the folder, and a file of the same name keeps what it held.
    void failedWriteLeavesNoFile_data()
    {
        QTest::addColumn<QString>("hata");
        QTest::addColumn<QString>("ad");
        QTest::newRow("the data fails half-way") << "okuma" << "Kayıtlar.csv";
        QTest::newRow("the disk fills half-way") << "disk" << "Kayıtlar.csv";
        QTest::newRow("workbook: the disk fills half-way") << "disk" << "Kayıtlar.xlsx";
    }
    void failedWriteLeavesNoFile()
    {
        QFETCH(QString, hata);
        const QString klasor = ortam->klasor() + "/csv";
        QVERIFY(QDir().mkdir(klasor));
        QFETCH(QString, ad);
        const QString yol = klasor + '/' + ad;
        dosyayaYaz(yol, "eski");
        const QStringList onceki = klasorIcerigi(klasor);

        const auto yaz = [&](TabloYazici& tablo) {
            tablo.tabloAc("Sayfa", {{"Satır", TabloYazici::Tur::Metin}});
            for (int i = 0; i < 100'000; ++i) {
                tablo.metin(QStringLiteral("SATIR %1").arg(i)).satirSonu();
                if (hata == "okuma" && i == 50'000)
                    throw VeriHatasi("11", "database disk image is malformed");
            }
        };
        // Files may not grow past 64 KiB while the limit stands.
        rlimit eskiSinir{};
        getrlimit(RLIMIT_FSIZE, &eskiSinir);
        const auto eskiSinyal = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit sinir{hata == "disk" ? 64 * 1024 : eskiSinir.rlim_cur, eskiSinir.rlim_max};
        setrlimit(RLIMIT_FSIZE, &sinir);
        const QString mesaj = hataMetni([&] { DisaAktarma::tabloYaz(yol, {}, yaz); });
        setrlimit(RLIMIT_FSIZE, &eskiSinir);
        std::signal(SIGXFSZ, eskiSinyal);

        if (hata == "okuma")
            QVERIFY2(mesaj.contains("Hata 11: database disk image is malformed"), qPrintable(mesaj));
        else
            QCOMPARE(mesaj, "Dosya yazılamadı: yazarken hata oluştu, disk dolu ya da çıkarılmış "
                            "olabilir.\n" + yol);
        QCOMPARE(klasorIcerigi(klasor), onceki);
    }

    void fileErrorSentences_data()
    {
        QTest::addColumn<QFileDevice::FileError>("hata");
        QTest::addColumn<QString>("klasor");
        QTest::addColumn<QString>("neden");
        QTest::newRow("no folder") << QFileDevice::OpenError << "/yok" << "klasör yok";
        QTest::newRow("not opened") << QFileDevice::OpenError << "" << "dosya açılamadı";
        QTest::newRow("no permission") << QFileDevice::PermissionsError << "" << "yazma izni yok";
        QTest::newRow("disk full") << QFileDevice::ResourceError << "" << "disk dolu";
        QTest::newRow("not put in place") << QFileDevice::RenameError << ""
                                          << "yazılan dosya yerine konamadı";
        QTest::newRow("unknown") << QFileDevice::UnspecifiedError << "" << "nedeni bilinmiyor";
    }
    void fileErrorSentences()
    {
        QFETCH(QFileDevice::FileError, hata);
        QFETCH(QString, klasor);
        QFETCH(QString, neden);
        const QString yol = ortam->klasor() + klasor + "/Özet.pdf";
        QCOMPARE(DisaAktarma::yazmaHatasi(yol, hata), "Dosya yazılamadı: " + neden + ".\n" + yol);
    }

    // What the system says when a backup, a move or a folder fails, in a user's words.
    void systemErrorSentences()
    {
        QCOMPARE(DosyaHatasi::sistemNedeni(ENOSPC), "disk dolu");
        QCOMPARE(DosyaHatasi::sistemNedeni(EDQUOT), "disk dolu");
        QCOMPARE(DosyaHatasi::sistemNedeni(EROFS), "izin yok");
        QCOMPARE(DosyaHatasi::sistemNedeni(EIO), "sistem hatası " + QString::number(EIO));
    }

    // An absolute folder that exists, even for an account without a documents folder.
    void proposesAnExistingFolder_data()
    {
        QTest::addColumn<bool>("belgeler");
        QTest::addColumn<bool>("sonKlasorKalir");
        QTest::addColumn<QString>("beklenen");
        QTest::newRow("no documents folder: home") << false << false << "";
        QTest::newRow("the documents folder") << true << false << "/Documents";
        QTest::newRow("the folder saved to last") << true << true << "/son";
    }
    void proposesAnExistingFolder()
    {
        QFETCH(bool, belgeler);
        QFETCH(bool, sonKlasorKalir);
        QFETCH(QString, beklenen);
        const QString ev = ortam->klasor() + "/ev";
        QVERIFY(QDir().mkpath(ev + "/son"));
        if (belgeler)
            QVERIFY(QDir().mkdir(ev + "/Documents"));
        const QByteArray eskiEv = qgetenv("HOME");
        const QByteArray eskiAyarlar = qgetenv("XDG_CONFIG_HOME");
        const auto geriAl = qScopeGuard([&] {
            qputenv("HOME", eskiEv);
            if (!eskiAyarlar.isNull())
                qputenv("XDG_CONFIG_HOME", eskiAyarlar);
            KaydetmeYeri::yanitla({});
        });
        qputenv("HOME", ev.toUtf8());
        qunsetenv("XDG_CONFIG_HOME");
        QString onerilen;
        KaydetmeYeri::yanitla([&](const QString& o) {
            onerilen = o;
            return ev + "/son/Özet.pdf";
        });
        KaydetmeYeri::sor(nullptr, "PDF", "Özet.pdf", {"PDF (*.pdf)"});
        if (!sonKlasorKalir)
            QVERIFY(QDir(ev + "/son").removeRecursively());
        KaydetmeYeri::sor(nullptr, "PDF", "Özet.pdf", {"PDF (*.pdf)"});
        QCOMPARE(onerilen, ev + beklenen + "/Özet.pdf");
    }
};

QTEST_MAIN(TestDisaAktarma)
#include "tst_disa_aktarma.moc"

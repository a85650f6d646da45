#include "AylikOzetFormu.h"
#include "CsvOkuma.h"
#include "TabloYazici.h"
#include "DisaAktarma.h"
#include "KaydetmeYeri.h"
#include "LedgerTest.h"
#include "VeriHatasi.h"

#include <QtCharts>
#include <QtWidgets>

#include <csignal>
#include <sys/resource.h>

namespace
{

QByteArray dosyaIcerigi(const QString& yol)
{
    QFile dosya(yol);
    return dosya.open(QIODevice::ReadOnly) ? dosya.readAll() : QByteArray("(yok)");
}

// What a window shows, as a spreadsheet reads the exported file: amounts without their thousands
// separators, ratios without "%" or sign, "—" as an empty cell.
QList<QStringList> tablosu(const QTreeWidget* liste)
{
    QList<QStringList> tablo{basliklar(liste)};
    for (const QString& satir : satirlar(liste)) {
        QStringList hucreler = satir.split(u'|');
        for (QString& hucre : hucreler)
            if (!hucre.isEmpty() && (hucre.front().isDigit() || hucre.front() == u'-' ||
                                     hucre.front() == u'+' || hucre == u"—"))
                hucre.remove(u'.').remove(u'%').remove(u'+').remove(QChar(u'—'));
        tablo << hucreler;
    }
    return tablo;
}

// What a program printed; the test program ends when it is missing or fails.
QString calistir(const QString& program, const QStringList& argumanlar)
{
    QProcess surec;
    surec.start(program, argumanlar);
    if (!surec.waitForFinished() || surec.exitCode() != 0)
        qFatal("%s: %s%s", qPrintable(program), qPrintable(surec.errorString()),
               surec.readAllStandardError().constData());
    return QString::fromUtf8(surec.readAllStandardOutput());
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
        QTest::newRow("varnel-disa-aktar, CSV") << true << "Tüm kayıtlar.csv" << QStringList();
        QTest::newRow("program, workbook") << false << "Tüm kayıtlar.xlsx" << QStringList();
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
        if (aracla)
            QCOMPARE(calistir(VARNEL_DISA_AKTAR, QStringList{"--klasor", ortam->klasor()} +
                                                     secenek + QStringList{yol}),
                     "8 kayıt yazıldı: " + yol + "\n");
        else
            QCOMPARE(DisaAktarma::tumKayitlariKaydet(yol), 8);
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
        const QString baslik = "*Kimlik|*Ana Grup|*Alt Grup|*Yıl|*Ay|*Tahmin|*Gerçekleşen|*Oran";
        QCOMPARE(xlsxOku(yol),
                 (QStringList{"Tüm Kayıtlar | Gelir ve gider kayıtları | Morvane",
                              "== Gelirler A2 A1:H8", baslik,
                              "6 0|MAAŞ|BAYRAM|2024 0|Şubat||40 #,##0.00|",
                              "5 0|MAAŞ|EK İŞ|2024 0|Şubat|300 #,##0.00||",
                              "4 0|CEP|-İADE; \"VERGİ\"|2024 0|MART|0 #,##0.00|20 #,##0.00|",
                              "3 0|ÇOCUK|HARÇLIK|2024 0|mart|200 #,##0.00|150 #,##0.00|0.75 0.00%",
                              "2 0|MAAŞ|ANA İŞ|2024 0|ARALIK|12500 #,##0.00|12500 #,##0.00|1 0.00%",
                              "7 0|KİRA|DÜKKAN|2024 0|Yıl sonu|1 #,##0.00|1 #,##0.00|1 0.00%",
                              "1 0|MAAŞ|ANA İŞ|2025 0|ocak|12500 #,##0.00|12000 #,##0.00|0.96 0.00%",
                              "== Giderler A2 A1:H2", baslik,
                              "1 0|MUTFAK|MARKET|2024 0|Ocak|100.5 #,##0.00|90 #,##0.00|"
                              "0.8955223881 0.00%"}));
    }

    // An entry list is saved as it stands on screen, in the order it is sorted, with the month
    // and a total line (bold in a workbook, below its filter); from "Dosya" > "Dışa Aktar", which
    // names the file after the period and proposes a workbook first.
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
        form->ayBilgisiKutusu()->setCurrentIndex(0);
        grupSec(*form, d, "EV");
        kayitListesi(*form, d)->sortByColumn(3, Qt::DescendingOrder);
        QString onerilen;
        for (const char* uzanti : {"xlsx", "csv"}) {
            KaydetmeYeri::yanitla([&](const QString& o) {
                onerilen = QFileInfo(o).fileName();
                return ortam->klasor() + "/liste." + uzanti;
            });
            for (QAction* a : form->menuBar()->findChildren<QAction*>())
                if (a->text() == defterAdi + " Listesini Kaydet…")
                    a->trigger();
        }
        KaydetmeYeri::yanitla({});

        QCOMPARE(onerilen, "Morvane-" + defterAdi + "ler-2024.xlsx");
        const QStringList kitap = xlsxOku(ortam->klasor() + "/liste.xlsx");
        QCOMPARE(kitap.mid(0, 3), (QStringList{defterAdi + "ler 2024 | " + defterAdi +
                                                   "ler Listesi | Morvane",
                                               "== " + defterAdi + "ler A2 A1:G4",
                                               "*Kimlik|*Ana Grup|*Alt Grup|*Ay|*Tahmin|"
                                               "*Gerçekleşen|*Oran"}));
        QCOMPARE(kitap.value(6), "*TOPLAM||||*13800.5 #,##0.00|*11980 #,##0.00|*0.8873745417 0.00%");
        QCOMPARE(csvOku(dosyaIcerigi(ortam->klasor() + "/liste.csv")),
                 (QList<QStringList>{
                     {"Kimlik", "Ana Grup", "Alt Grup", "Ay", "Tahmin", "Gerçekleşen", "Oran"},
                     {"1", "EV", "KİRA", "Mart", "12500,00", "12000,00", "96,00"},
                     {"3", "EV", "ISITMA", "ŞUBAT", "1000,50", "-20,00", "-2,00"},
                     {"2", "EV", "AİDAT; \"SİTE\"", "ocak", "300,00", "", ""},
                     {"TOPLAM", "", "", "", "13800,50", "11980,00", "88,74"}}));
        QCOMPARE(form->statusBar()->currentMessage(), "Kaydedildi: liste.csv (3 kayıt)");
    }

    // The overview's file equals its table, here comparing one year with the one before, and its
    // workbook has the sheet "Gider Özeti" with the totals bold; its
    // page is one A4 landscape with the heading, every month in the table and, as text, under the
    // chart; its picture has twice the pixels, under a title line. Each file is confirmed; the
    // buttons save as the menus do.
    void overviewLeavesAsShown()
    {
        const QString ad = "Morvane-Tum-Giderler-2024";
        const DefterTanimi& d = giderDefteri();
        ortam->kayitYaz(d, "EV", "KİRA", 2024, "Ocak", 12500, 12600.5);
        ortam->kayitYaz(d, "EV", "AİDAT", 2024, "ŞUBAT", 300, QVariant());
        ortam->kayitYaz(d, "EV", "KİRA", 2023, "ocak", 12000, 12000);
        ortam->kayitYaz(d, "EV", "KİRA", 2023, "Mart", 0, 50);
        AylikOzetFormu pencere(d, 2024, nullptr);
        pencere.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pencere));
        pencere.findChild<QComboBox*>("YılBilgisiKutusu")->setCurrentText("2024");
        pencere.findChild<QCheckBox*>("KarşılaştırmaKutusu")->setChecked(true);
        QStringList onerilenler;
        QString tabloUzantisi = ".csv";
        KaydetmeYeri::yanitla([&](const QString& onerilen) {
            onerilenler << onerilen;
            const QFileInfo o(onerilen);
            return ortam->klasor() + '/' + o.completeBaseName() +
                   (o.suffix() == "xlsx" ? tabloUzantisi : '.' + o.suffix());
        });
        const auto kaydet = [&](const QString& eylem, const QString& uzanti) {
            for (QAction* a : pencere.findChild<QChartView*>("GrafikNesnesi")->actions())
                if (a->text() == eylem)
                    a->trigger();
            return ortam->klasor() + '/' + ad + uzanti;
        };

        QTest::keyClick(&pencere, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(csvOku(dosyaIcerigi(ortam->klasor() + '/' + ad + ".csv")),
                 tablosu(kayitListesi(pencere, d)));
        tabloUzantisi = ".xlsx";
        const QStringList kitap = xlsxOku(kaydet("Tablo Olarak Kaydet…", ".xlsx"));
        QCOMPARE(kitap.mid(0, 2), (QStringList{pencere.windowTitle() + " | Gider özeti | Morvane",
                                               "== Gider Özeti A2 A1:F13"}));
        QCOMPARE(kitap.value(15), "*TOPLAM|*12800 #,##0.00|*12600.5 #,##0.00|*1.00804 0.00%|"
                                  "*12050 #,##0.00|*0.0456846473 0.00%");
        const QString pdf = ortam->klasor() + '/' + ad + ".pdf";
        QSignalSpy bildirimler(&pencere, &AylikOzetFormu::bildirim);
        QTest::mouseClick(pencere.findChild<QPushButton*>("PdfDüğmesi"), Qt::LeftButton);
        const QString png = kaydet("Grafiği Resim Olarak Kaydet…", "-Grafik.png");
        KaydetmeYeri::yanitla({});
        QCOMPARE(bildirimler.value(0).value(0).toString(), "Kaydedildi: " + ad + ".pdf");
        QCOMPARE(bildirimler.value(1).value(0).toString(), "Kaydedildi: " + ad + "-Grafik.png");
        QCOMPARE(MesajKutusu::gosterilenler().size(), 0);
        // The folder chosen last is proposed next.
        QCOMPARE(QFileInfo(onerilenler.value(1)).absolutePath(), ortam->klasor());

        const QString bilgi = calistir("pdfinfo", {pdf});
        QVERIFY2(bilgi.contains(QRegularExpression("Pages: +1\n")), qPrintable(bilgi));
        QVERIFY2(bilgi.contains(QRegularExpression("Page size: +842 x 595 pts \\(A4\\)")),
                 qPrintable(bilgi));
        const QString metin = calistir("pdftotext", {pdf, "-"});
        QVERIFY2(metin.contains("Tüm Giderler Listesi — 2024") &&
                     metin.contains("Yazdırma tarihi:") && metin.contains("TOPLAM"),
                 qPrintable(metin));
        for (const QString& ay :
             QStringList{"OCAK", "ŞUBAT", "MART", "NİSAN", "MAYIS", "HAZİRAN", "TEMMUZ", "AĞUSTOS",
                         "EYLÜL", "EKİM", "KASIM", "ARALIK"})
            QVERIFY2(metin.count(ay) == 2, qPrintable(ay + ":\n" + metin));

        const QWidget* grafik = pencere.findChild<QChartView*>("GrafikNesnesi")->viewport();
        QCOMPARE(QImage(png).width(), grafik->width() * 2);
        QVERIFY(QImage(png).height() > grafik->height() * 2);
    }

    // Nothing new is left in the folder, and a file of the same name keeps what it held.
    void failedWriteLeavesNoFile_data()
    {
        QTest::addColumn<QString>("hata");
        QTest::addColumn<QString>("ad");
        QTest::addColumn<QString>("neden");
        const QString disk = "yazarken hata oluştu, disk dolu ya da çıkarılmış olabilir";
        QTest::newRow("the data fails half-way") << "okuma" << "Kayıtlar.csv" << QString();
        QTest::newRow("the disk fills half-way") << "disk" << "Kayıtlar.csv" << disk;
        QTest::newRow("the folder does not exist") << "klasor" << "Kayıtlar.csv" << "klasör yok";
        QTest::newRow("workbook: the data fails half-way") << "okuma" << "Kayıtlar.xlsx" << QString();
        QTest::newRow("workbook: the disk fills half-way") << "disk" << "Kayıtlar.xlsx" << disk;
    }
    void failedWriteLeavesNoFile()
    {
        QFETCH(QString, hata);
        const QString klasor = ortam->klasor() + "/csv";
        QVERIFY(QDir().mkdir(klasor));
        QFETCH(QString, ad);
        const QString yol = (hata == "klasor" ? klasor + "/yok" : klasor) + '/' + ad;
        QFile eski(klasor + '/' + ad);
        QVERIFY(eski.open(QIODevice::WriteOnly) && eski.write("eski") == 4);
        eski.close();
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
        QString mesaj;
        try {
            DisaAktarma::tabloYaz(yol, {}, yaz);
        } catch (const VeriHatasi& h) {
            mesaj = h.aciklama();
        }
        setrlimit(RLIMIT_FSIZE, &eskiSinir);
        std::signal(SIGXFSZ, eskiSinyal);

        QFETCH(QString, neden);
        if (neden.isEmpty())
            QVERIFY2(mesaj.contains("Hata 11: database disk image is malformed"), qPrintable(mesaj));
        else
            QCOMPARE(mesaj, "Dosya yazılamadı: " + neden + ".\n" + yol);
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

#include "CsvOkuma.h"
#include "Doldurma.h"
#include "DonemRaporuFormu.h"
#include "KaydetmeYeri.h"
#include "LedgerTest.h"
#include "RaporGrafigi.h"

#include <QtCharts>
#include <QtWidgets>

namespace
{

// The tree as the model holds it, fully expanded: each line's cells joined by '|', indented by its
// level; "*" marks a bold line, " !" a ratio in the warning colour, " [yok]" a line in italics
// with the tooltip of a group the group lists lack.
QStringList dokum(const QAbstractItemModel* m, const QModelIndex& ust = {}, int duzey = 0)
{
    QStringList sonuc;
    for (int r = 0; r < m->rowCount(ust); ++r) {
        const QModelIndex ad = m->index(r, 0, ust);
        QStringList hucreler;
        for (int c = 0; c < m->columnCount(); ++c)
            hucreler << m->index(r, c, ust).data().toString();
        QString satir = QString(duzey * 2, u' ') + hucreler.join(u'|');
        if (ad.data(Qt::FontRole).value<QFont>().bold())
            satir.prepend(u'*');
        if (m->index(r, 4, ust).data(Qt::ForegroundRole).value<QColor>() == Doldurma::uyariRengi)
            satir += " !";
        if (ad.data(Qt::FontRole).value<QFont>().italic())
            satir += " [" + ad.data(Qt::ToolTipRole).toString() + "]";
        sonuc << satir << dokum(m, ad, duzey + 1);
    }
    return sonuc.replaceInStrings("[Grup listesinde yok]", "[yok]");
}

// The names alone, indented.
QStringList adlar(const QAbstractItemModel* m)
{
    QStringList sonuc = dokum(m);
    for (QString& s : sonuc)
        s = s.section(u'|', 0, 0).remove(u'*');
    return sonuc;
}

const QStringList mart2024{"*GELİRLER|18.500,00|16.500,00|-2.000,00|100,00%",
                           "*  ÇEYREK ALTIN|0,00|300,00|300,00|— [yok]",
                           "    DOĞUM GÜNÜ|0,00|300,00|300,00|— [yok]",
                           "*  KİRA GELİRİ|5.000,00|5.600,00|600,00|112,00%",
                           "    DAİRE|5.000,00|5.600,00|600,00|112,00%",
                           "*  MAAŞ|13.500,00|10.600,00|-2.900,00|92,17% !",
                           "    ANA İŞ|11.000,00|10.000,00|-1.000,00|90,91% !",
                           "    EK İŞ|2.000,00|—|—|—",
                           "    PRİM|500,00|600,00|100,00|120,00% [yok]",
                           "*GİDERLER|12.700,00|13.000,00|300,00|102,36% !",
                           "*  ESKİ|200,00|200,00|0,00|100,00% [yok]",
                           "    SİLİNEN|200,00|200,00|0,00|100,00% [yok]",
                           "*  EV|8.500,00|8.400,00|-100,00|98,82%",
                           "    KİRA|8.500,00|8.400,00|-100,00|98,82%",
                           "*  MUTFAK|4.000,00|4.400,00|400,00|110,00% !",
                           "    MARKET|3.000,00|3.600,00|600,00|120,00% !",
                           "    PAZAR|1.000,00|800,00|-200,00|80,00%",
                           "*BAKİYE (Gelir − Gider)|5.800,00|3.500,00|-2.300,00|"};
// A month only planned: nothing realised reads as no shortfall.
const QStringList mayis2024{"*GELİRLER|0,00|—|—|—",
                            "*GİDERLER|9.500,00|—|—|—",
                            "*  EV|2.500,00|—|—|—",
                            "    KİRA|2.500,00|—|—|—",
                            "*  ULAŞIM|7.000,00|—|—|—",
                            "    YAKIT|7.000,00|—|—|—",
                            "*BAKİYE (Gelir − Gider)|-9.500,00|—|—|"};

} // namespace

class TestDonemRaporu : public LedgerTest
{
    Q_OBJECT

    // Both ledgers' groups and entries: mixed letter case, planned and realised, pairs the group
    // lists lack, an unreadable amount, and entries of other months.
    void doldur()
    {
        const DefterTanimi& g = gelirDefteri();
        const DefterTanimi& d = giderDefteri();
        for (const auto& [defter, ana, altlar] :
             QList<std::tuple<const DefterTanimi*, QString, QStringList>>{
                 {&g, "MAAŞ", {"ANA İŞ", "EK İŞ"}},
                 {&g, "KİRA GELİRİ", {"DAİRE"}},
                 {&g, "FAİZ", {"MEVDUAT"}},
                 {&d, "EV", {"KİRA"}},
                 {&d, "MUTFAK", {"MARKET", "PAZAR"}},
                 {&d, "ULAŞIM", {"YAKIT"}}}) {
            ortam->anaGrupYaz(*defter, ana);
            for (const QString& alt : altlar)
                ortam->altGrupYaz(*defter, ana, alt);
        }
        for (const auto& [defter, ana, alt, ay, tahmin, gerceklesen] :
             QList<std::tuple<const DefterTanimi*, QString, QString, QString, QVariant, QVariant>>{
                 {&g, "MAAŞ", "ANA İŞ", "Mart", 10000, 9000},
                 {&g, "maaş", "ana iş", "MART", 1000, 1000},
                 {&g, "MAAŞ", "EK İŞ", "Mart", 2000, {}},
                 {&g, "KİRA GELİRİ", "DAİRE", "Mart", 5000, 5500},
                 {&g, "KİRA GELİRİ", "DAİRE", "mart", "yok", 100},
                 {&g, "MAAŞ", "PRİM", "Mart", 500, 600},
                 {&g, "ÇEYREK ALTIN", "DOĞUM GÜNÜ", "Mart", 0, 300},
                 {&g, "MAAŞ", "ANA İŞ", "Nisan", 999, 999},
                 {&d, "EV", "KİRA", "Mart", 8000, 8000},
                 {&d, "Ev", "Kira", "Mart", 500, 400},
                 {&d, "MUTFAK", "MARKET", "Mart", 3000, 3600},
                 {&d, "MUTFAK", "PAZAR", "Mart", 1000, 800},
                 {&d, "ESKİ", "SİLİNEN", "Mart", 200, 200},
                 {&d, "ULAŞIM", "YAKIT", "Şubat", 700, 700},
                 {&d, "EV", "KİRA", "Mayıs", 2500, {}},
                 {&d, "ULAŞIM", "YAKIT", "Mayıs", 7000, {}}})
            ortam->kayitYaz(*defter, ana, alt, 2024, ay, tahmin, gerceklesen);
        ortam->kayitYaz(d, "EV", "KİRA", 2023, "Mart", 1, 1);
    }

    std::unique_ptr<DonemRaporuFormu> rapor(int ay = 3)
    {
        doldur();
        auto pencere = std::make_unique<DonemRaporuFormu>(Donem{2024, ay}, nullptr);
        pencere->show();
        return pencere;
    }

    static QTreeView* agac(const DonemRaporuFormu& p)
    {
        return p.findChild<QTreeView*>("RaporAğacı");
    }

    // Where "Kaydet…" or "PDF Olarak Kaydet…" writes, and the name it proposed.
    QString kaydet(DonemRaporuFormu& pencere, void (DonemRaporuFormu::*komut)(),
                   const QString& dosya, QString& onerilen)
    {
        const QString yol = ortam->klasor() + "/" + dosya;
        KaydetmeYeri::yanitla([&](const QString& o) {
            onerilen = QFileInfo(o).fileName();
            return std::optional<QString>(yol);
        });
        (pencere.*komut)();
        KaydetmeYeri::yanitla({});
        return yol;
    }

private slots:
    // Every line's four figures, its ratio's colour and its type; the balance; empty groups left
    // out (the PDF shows them when asked); the caption line; expanded to the main groups. The
    // chart's expense groups, by the largest estimate while none is realised.
    void lines_data()
    {
        QTest::addColumn<int>("ay");
        QTest::addColumn<QStringList>("satirlar");
        QTest::addColumn<QString>("donem");
        QTest::addColumn<QString>("grafik");
        QTest::newRow("lived") << 3 << mart2024 << "Mart 2024 · 1 tutar okunamadı"
                               << "En büyük 10 gider: EV, MUTFAK, ESKİ";
        QTest::newRow("planned only")
            << 5 << mayis2024 << "Mayıs 2024"
            << "En büyük 10 gider (tahmine göre: henüz gerçekleşen gider yok): ULAŞIM, EV";
    }
    void lines()
    {
        QFETCH(int, ay);
        const auto pencere = rapor(ay);
        QTreeView* a = agac(*pencere);
        QTEST(dokum(a->model()), "satirlar");
        QFETCH(QString, donem);
        QCOMPARE(pencere->windowTitle(), "Dönem Raporu — " + donem.section(" · ", 0, 0));
        QCOMPARE(pencere->findChild<QLabel*>("DönemEtiketi")->text(), "Dönem: " + donem);
        const QChart* g = pencere->findChild<QChartView*>("GrafikNesnesi")->chart();
        QTEST(g->title() + ": " + qobject_cast<const RaporGrafigi*>(g)->gruplar().join(", "),
              "grafik");
        QVERIFY(a->isExpanded(a->model()->index(1, 0)));
        QVERIFY(!a->isExpanded(a->model()->index(0, 0, a->model()->index(1, 0))));
    }

    // Within each level by the ratio; the three top lines keep their places, a line without a
    // ratio sorts first going up. The chart follows the period chosen: its expense groups, largest
    // first, in lira (EV realised 8.400,00, drawn last from the bottom).
    void sorting()
    {
        const auto pencere = rapor(1);
        pencere->findChild<QComboBox*>("AyBilgisiKutusu")->setCurrentIndex(3);
        QTreeView* a = agac(*pencere);
        a->sortByColumn(4, Qt::AscendingOrder);
        QCOMPARE(adlar(a->model()),
                 (QStringList{"GELİRLER", "  ÇEYREK ALTIN", "    DOĞUM GÜNÜ", "  MAAŞ", "    EK İŞ",
                              "    ANA İŞ", "    PRİM", "  KİRA GELİRİ", "    DAİRE", "GİDERLER",
                              "  EV", "    KİRA", "  ESKİ", "    SİLİNEN", "  MUTFAK", "    PAZAR",
                              "    MARKET", "BAKİYE (Gelir − Gider)"}));
        const auto* g =
            qobject_cast<RaporGrafigi*>(pencere->findChild<QChartView*>("GrafikNesnesi")->chart());
        QCOMPARE(g->gruplar(), (QStringList{"EV", "MUTFAK", "ESKİ"}));
        QCOMPARE(qobject_cast<QAbstractBarSeries*>(g->series()[0])->barSets()[1]->at(2), 8400.0);
    }

    // "Görünüm" > "Dönem Raporu…" and the button beside the period open the report on the main
    // window's period; a sub-group chosen in it by Enter or a double-click closes the report and
    // is shown there with the report's period.
    void fromMainWindow_data() { ikiDurum("menuden", "button, double-click", "menu, Enter"); }
    void fromMainWindow()
    {
        QFETCH(bool, menuden);
        doldur();
        form = ortam->anaForm();
        form->show();
        form->donemSecici()->ayKutusu()->setCurrentIndex(2);
        QAction* eylem = form->menuBar()->actions()[2]->menu()->actions().value(0);
        auto* dugme = form->findChild<QPushButton*>("DönemRaporuDüğmesi");
        QString baslik;
        QVERIFY(acilaniIncele(
            [&] { menuden ? eylem->trigger() : QTest::mouseClick(dugme, Qt::LeftButton); },
            [&](QWidget* w) {
                baslik = w->windowTitle();
                w->findChild<QComboBox*>("AyBilgisiKutusu")->setCurrentIndex(3);
                QTreeView* a = w->findChild<QTreeView*>("RaporAğacı");
                a->expandAll();
                const QModelIndex yer = a->model()->match(a->model()->index(0, 0), Qt::DisplayRole,
                                                          "MARKET", 1, Qt::MatchRecursive)
                                            .value(0);
                a->setCurrentIndex(yer);
                if (menuden)
                    return QTest::keyClick(a, Qt::Key_Return);
                QApplication::processEvents();
                const QPoint yeri = a->visualRect(yer).center();
                QTest::mouseClick(a->viewport(), Qt::LeftButton, {}, yeri);
                QTest::mouseDClick(a->viewport(), Qt::LeftButton, {}, yeri);
            }));
        QCOMPARE(baslik, "Dönem Raporu — Şubat 2024");
        QCOMPARE(form->donemSecici()->ayKutusu()->currentText(), "Mart");
        QCOMPARE(form->bolum(giderDefteri()).anaGrupListesi()->currentText(), "MUTFAK");
        QCOMPARE(form->bolum(giderDefteri()).seciliAltGrup(), "MARKET");
        QCOMPARE(sutun(kayitListesi(*form, giderDefteri()), 4), QStringList{"3.000,00"});
    }

    // "Kaydet…": the report as a workbook, every line fully expanded. (Its CSV differs only in
    // the writer, which tst_csv_yazici and tst_disa_aktarma read back.)
    void workbook()
    {
        const auto pencere = rapor();
        QString onerilen;
        const QString yol =
            kaydet(*pencere, &DonemRaporuFormu::TabloOlarakKaydet_Click, "rapor.xlsx", onerilen);
        QCOMPARE(onerilen, "Morvane-Donem-Raporu-2024-Mart.xlsx");
        const QString t = " #,##0.00 \"TL\"|";
        const QStringList okunan = xlsxOku(yol);
        QCOMPARE(okunan.size(), 3 + mart2024.size());
        QCOMPARE(okunan.mid(0, 4),
                 (QStringList{"Dönem Raporu — Mart 2024 | Dönem Raporu | Morvane",
                              "== Dönem Raporu A2 A1:G18",
                              "*Defter|*Ana Grup|*Alt Grup|*Tahmin|*Gerçekleşen|*Fark|*Oran (%)",
                              "GELİRLER|||18500" + t + "16500" + t + "-2000" + t + "1 0.00%"}));
        QCOMPARE(okunan.last(),
                 "*BAKİYE (Gelir − Gider)|||*5800" + t + "*3500" + t + "*-2300" + t + "*");
        QCOMPARE(mesajlar(), QStringList());
    }

    // The PDF's text, page by page: the caption, the period and the print date on every page with
    // its number, the tree fully expanded.
    void pdf()
    {
        const int sayfaSayisi = 2;
        for (int i = 0; i < 60; ++i)
            ortam->altGrupYaz(giderDefteri(), "ULAŞIM", QString("HAT %1").arg(i + 1));
        const auto pencere = rapor();
        pencere->findChild<QCheckBox*>("BoşGruplarKutusu")->setChecked(true);
        QString onerilen;
        const QString yol =
            kaydet(*pencere, &DonemRaporuFormu::PdfOlarakKaydet_Click, "rapor.pdf", onerilen);
        QCOMPARE(onerilen, "Morvane-Donem-Raporu-2024-Mart.pdf");
        QProcess pdftotext;
        pdftotext.start("pdftotext", {"-layout", yol, "-"});
        QVERIFY(pdftotext.waitForFinished());
        QStringList sayfalar = QString::fromUtf8(pdftotext.readAllStandardOutput()).split(u'\f');
        sayfalar.removeAll(QString());
        QCOMPARE(sayfalar.size(), sayfaSayisi);
        const QString tarih = QLocale().toString(QDate::currentDate(), QLocale::LongFormat);
        for (int i = 0; i < sayfaSayisi; ++i) {
            const QString sayfa = sayfalar[i].simplified();
            for (const QString& parca :
                 QStringList{"Dönem Raporu", "Dönem: Mart 2024", "Yazdırma tarihi: " + tarih,
                             QString("Grup Tahmin Gerçekleşen Fark Oran (%)"),
                             QString("Sayfa %1 / %2").arg(i + 1).arg(sayfaSayisi)})
                QVERIFY2(sayfa.contains(parca), qPrintable(parca + " yok: " + sayfa));
        }
        const QString hepsi = sayfalar.join(u' ').simplified();
        QVERIFY(hepsi.contains("PRİM 500,00 600,00 100,00 120,00%"));
        QVERIFY(hepsi.contains("HAT 60") && hepsi.contains("En büyük 10 gider"));
    }

    // Opened at its smallest size; larger, the tree keeps its height and widens, the chart takes
    // the rest.
    void chartTakesTheRoom()
    {
        const auto pencere = rapor();
        QCOMPARE(pencere->size(), pencere->minimumSize());
        QWidget* grafik = pencere->findChild<QWidget*>("GrafikNesnesi");
        const QRect agacAlani = agac(*pencere)->geometry();
        const QRect grafikAlani = grafik->geometry();
        pencere->resize(pencere->size() + QSize(100, 150));
        QCOMPARE(agac(*pencere)->geometry(), agacAlani.adjusted(0, 0, 100, 0));
        QCOMPARE(grafik->geometry(), grafikAlani.adjusted(0, 0, 100, 150));
    }
};

QTEST_MAIN(TestDonemRaporu)
#include "tst_donem_raporu.moc"

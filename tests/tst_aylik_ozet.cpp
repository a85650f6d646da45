#include "AylikOzetFormu.h"
#include "LedgerTest.h"

#include <QtCharts>
#include <QtWidgets>

namespace
{

const QStringList ayEtiketleri{"OCAK",    "ŞUBAT", "MART", "NİSAN", "MAYIS",  "HAZİRAN", "TEMMUZ",
                               "AĞUSTOS", "EYLÜL", "EKİM", "KASIM", "ARALIK", "TOPLAM"};

// The list's header, then the rows that show more than a name, cells joined by '|'. A ratio the
// ledger warns of (dark red and bold) is followed by '!'.
QStringList doluSatirlar(const QWidget& pencere, const DefterTanimi& defter)
{
    const QTreeView* liste = kayitListesi<QTreeView>(pencere, defter);
    QStringList sonuc{basliklar(liste).join(u'|')};
    for (int i = 0; i < liste->model()->rowCount(); ++i) {
        const QModelIndex oran = liste->model()->index(i, 3);
        const bool uyari = oran.data(Qt::FontRole).value<QFont>().bold() &&
                           oran.data(Qt::ForegroundRole).value<QColor>() == QColor(0xB0, 0, 0x20);
        if (!satirlar(liste)[i].section(u'|', 1).remove(u'|').isEmpty())
            sonuc << satirlar(liste)[i] + (uyari ? "!" : "");
    }
    return sonuc;
}

// The chart as its legend names it: each bar set's values up to its last month above zero, the
// ratio's points as month:value with '|' where the line between them breaks; then the ends of
// the amount axis and of the ratio axis.
QStringList grafik(const QWidget& pencere)
{
    const QChart* g = pencere.findChild<QChartView*>("GrafikNesnesi")->chart();
    QStringList sonuc;
    QList<qreal> kopuklar; // the last month of each piece of the ratio's line
    for (QAbstractSeries* seri : g->series())
        if (auto* cizgi = qobject_cast<QLineSeries*>(seri); cizgi && cizgi->count())
            kopuklar << cizgi->points().last().x();
    for (QLegendMarker* isaret : g->legend()->markers()) {
        QStringList degerler;
        if (auto* cubuk = qobject_cast<QBarLegendMarker*>(isaret)) {
            for (int ay = 0; ay < cubuk->barset()->count(); ++ay)
                degerler << QString::number(cubuk->barset()->at(ay));
            while (degerler.endsWith("0"))
                degerler.removeLast();
        } else {
            for (QAbstractSeries* seri : g->series())
                if (auto* noktalar = qobject_cast<QScatterSeries*>(seri))
                    for (const QPointF& n : noktalar->points())
                        degerler << QStringLiteral("%1:%2").arg(n.x()).arg(n.y()) +
                                        (kopuklar.contains(n.x()) ? " |" : "");
            if (!degerler.isEmpty())
                degerler.last().remove(" |");
        }
        if (isaret->isVisible())
            sonuc << (QStringList{isaret->label() + ":"} + degerler).join(u' ');
    }
    QStringList uclar;
    for (QAbstractAxis* eksen : g->axes(Qt::Vertical))
        if (auto* e = qobject_cast<QValueAxis*>(eksen))
            uclar << QStringLiteral("%1-%2").arg(e->min()).arg(e->max());
    return sonuc << "eksenler: " + uclar.join(", ");
}

} // namespace

class TestAylikOzet : public LedgerTest
{
    Q_OBJECT

private slots:
    // The main window's button opens the window modally, read afresh, on the main window's year.
    void opensFromMainWindow_data() { defterSatirlari(); }
    void opensFromMainWindow()
    {
        QFETCH(QString, defterAdi);
        const DefterTanimi& d = satirinDefteri();
        ortam->kayitYaz(d, "EV", "KİRA", 2024, "Ocak", 100, 90);
        form = ortam->anaForm();
        form->show();
        form->donemSecici()->yilKutusu()->setCurrentText("2026");
        auto* dugme = form->findChild<QAbstractButton*>(d.adiyla("Tüm%1leriGösterDüğmesi"));
        QString mart = "açılmadı";
        const auto tikla = [&] { QTest::mouseClick(dugme, Qt::LeftButton); };
        const auto bak = [&](QWidget* pencere) {
            mart = sutun(kayitListesi<QTreeView>(*pencere, d), 1)[2];
            QVERIFY(pencere->isModal() && pencere->parentWidget() == form.get());
            QCOMPARE(pencere->windowTitle(), "Tüm " + defterAdi + "ler Listesi — 2026");
        };
        QVERIFY(acilaniIncele(tikla, bak));
        QCOMPARE(mart, QString());
        ortam->kayitYaz(d, "EV", "KİRA", 2026, "Mart", 200, 150);
        QVERIFY(acilaniIncele(tikla, bak));
        QCOMPARE(mart, "200,00");
    }

    // Every year's sums, months matched in any Turkish letter case, with the rows other tools
    // leave; the totals row; the warnings of each ledger; an unreadable table.
    void sumsAndRatios_data() { defterSatirlari(); }
    void sumsAndRatios()
    {
        QFETCH(QString, defterAdi);
        const DefterTanimi& d = satirinDefteri();
        // Missing amounts count as zero; months that are no month name belong nowhere.
        for (const auto& [yil, ay, tahmin, gerceklesen] :
             QList<std::tuple<int, QString, QVariant, QVariant>>{
                 {2006, "Mart", 150, 130},        {2030, "Mart", 50, 20},
                 {2024, "Ocak", 1234.5, 1234.5},  {2024, "Mayıs", 100, 125.5},
                 {2024, "ŞUBAT", 10, 5},          {2024, "şubat", 10, 5},
                 {2024, "NİSAN", 10, 5},          {2024, "nisan", 10, 5},
                 {2024, "AĞUSTOS", 10, 5},        {2024, "ağustos", 10, 5},
                 {2024, "Temmuz", 10, 40},        {2025, "Temmuz", -10, 0},
                 {2024, "Haziran", 300, 270},     {2024, "eylül", {}, 50},
                 {2024, "eYLÜL", 100, {}},        {2024, "Ekim", {}, {}},
                 {2024, "Kasım", "yok", 20},      {2024, "", 1000, 1000},
                 {2024, "Tüm Aylar", 1000, 1000}, {2024, "NISAN", 1, 1},
                 {2024, "Aralık", 500, {}}})
            ortam->kayitYaz(d, "İŞ", "ANA İŞ", yil, ay, tahmin, gerceklesen);
        const QString g = defterAdi == "Gelir" ? "!" : "";

        // The main window shows no year: every year's entries.
        AylikOzetFormu pencere(d, {}, nullptr);
        pencere.show();

        QCOMPARE(doluSatirlar(pencere, d),
                 (QStringList{"Aylar|Tahmini " + defterAdi + "|Gerçekleşen " + defterAdi +
                                  "|Gerçekleşme Oranı (%)",
                              "OCAK|1.234,50|1.234,50|100,00%", "ŞUBAT|20,00|10,00|50,00%" + g,
                              "MART|200,00|150,00|75,00%" + g, "NİSAN|20,00|10,00|50,00%" + g,
                              "MAYIS|100,00|125,50|125,50%" + QString(g.isEmpty() ? "!" : ""),
                              "HAZİRAN|300,00|270,00|90,00%" + g, "TEMMUZ|0,00|40,00|—",
                              "AĞUSTOS|20,00|10,00|50,00%" + g, "EYLÜL|100,00|50,00|—",
                              "EKİM|0,00|0,00|—", "KASIM|0,00|20,00|—", "ARALIK|500,00|0,00|—",
                              "TOPLAM|2.494,50|1.920,00|101,35%" + QString(g.isEmpty() ? "!" : "")}));
        // The total's ratio leaves the planned entries (EYLÜL's 100 and ARALIK's 500) out.
        const QAbstractItemModel* model = kayitListesi<QTreeView>(pencere, d)->model();
        QCOMPARE(model->index(12, 3).data(Qt::ToolTipRole).toString(),
                 QStringLiteral("Yalnızca gerçekleşeni girilmiş kayıtlar\n"
                                "Planlanan, henüz gerçekleşmeyen: 600,00"));
        QCOMPARE(grafik(pencere),
                 (QStringList{"Tahmin: 1234.5 20 200 20 100 300 0 20 100 0 0 500",
                              "Gerçekleşen: 1234.5 10 150 10 125.5 270 40 10 50 0 20",
                              "Oran (%): 0:100 1:50 2:75 3:50 4:125.5 5:90 | 7:50",
                              "eksenler: 0-1500, 0-150"}));
        QCOMPARE(mesajlar(), QStringList());

        // With the entry table unreadable the window opens all the same, empty, after one error.
        ortam->sorgula("ALTER TABLE " + d.kayitTablosu + " RENAME TO Eski");
        AylikOzetFormu bos(d, {2024}, nullptr);
        QCOMPARE(doluSatirlar(bos, d).size(), 1);
        QCOMPARE(sutun(kayitListesi<QTreeView>(bos, d), 0), ayEtiketleri);
        QVERIFY(tekHata(d.kayitTablosu));
    }

    // A year chosen after another one that was compared with the year before: the comparison
    // stays while a single year is chosen. Its bars peak at a round number and its ratios at
    // exactly 100 %.
    void yearChoice()
    {
        const DefterTanimi& d = gelirDefteri();
        const QList<std::tuple<int, QString, int>> kayitlar{
            {2023, "Ocak", 80},  {2023, "Nisan", 40}, {2023, "Mayıs", 0},
            {2024, "Ocak", 100}, {2024, "Şubat", 90}, {2024, "Mayıs", 30}};
        for (const auto& [kayitYili, ay, gerceklesen] : kayitlar)
            ortam->kayitYaz(d, "EV", "KİRA", kayitYili, ay, 100, gerceklesen);
        // A year another tool left as text belongs to no single year, only to all of them.
        ortam->sorgula(
            QString("UPDATE %1 SET %2 = 'yok' WHERE Kimlik = ?").arg(d.kayitTablosu, d.yilAlani),
            {ortam->kayitYaz(d, "EV", "KİRA", 2024, "Ocak", 0, 10)});
        AylikOzetFormu pencere(d, {2026}, nullptr);
        pencere.show();
        auto* yilKutusu = pencere.findChild<QComboBox*>("YılBilgisiKutusu");
        QCOMPARE(ogeler(yilKutusu), (QStringList{"Tüm Yıllar", "2023", "2024", "2026"}));
        const QString baslik = "Aylar|Tahmini Gelir|Gerçekleşen Gelir|Gerçekleşme Oranı (%)";
        QCOMPARE(doluSatirlar(pencere, d), QStringList{baslik});
        yilKutusu->setCurrentText("2023");
        auto* karsilastirma = pencere.findChild<QCheckBox*>("KarşılaştırmaKutusu");
        karsilastirma->click();
        yilKutusu->setCurrentText("2024");
        QApplication::processEvents(); // lets the list lay out its new columns

        QCOMPARE(pencere.windowTitle(), "Tüm Gelirler Listesi — 2024");
        QCOMPARE(doluSatirlar(pencere, d).replaceInStrings("!", ""),
                 (QStringList{baslik + "|2023 Gerçekleşen|Değişim (%)",
                              "OCAK|100,00|100,00|100,00%|80,00|+25,00%",
                              "ŞUBAT|100,00|90,00|90,00%||", "NİSAN||||40,00|",
                              "MAYIS|100,00|30,00|30,00%|0,00|—",
                              "TOPLAM|300,00|220,00|73,33%|120,00|+83,33%"}));
        QCOMPARE(grafik(pencere),
                 (QStringList{"Tahmin: 100 100 0 0 100", "Gerçekleşen: 100 90 0 0 30",
                              "2023 Gerçekleşen: 80 0 0 40", "Oran (%): 0:100 1:90 | 4:30",
                              "eksenler: 0-120, 0-120"}));
        QVERIFY(!kayitListesi<QTreeView>(pencere, d)->horizontalScrollBar()->isVisible());
        yilKutusu->setCurrentText("Tüm Yıllar"); // compared with nothing, the text year counted
        QVERIFY(!karsilastirma->isEnabled());
        QCOMPARE(doluSatirlar(pencere, d).last(), "TOPLAM|600,00|350,00|58,33%!");
    }

    // Larger, the list keeps its height and widens. The size comes back at the next opening, the
    // place only while the window lies wholly on a screen.
    void growsAndOpensAsLeft_data() { ikiDurum("ekranda", "hiçbir ekranda değil", "ekranda"); }
    void growsAndOpensAsLeft()
    {
        QFETCH(bool, ekranda);
        const QPoint konum = ekranda ? QPoint(20, 30) : QPoint(5000, 5000);
        const QSize fazla(40, 20);
        QSize enKucuk;
        {
            AylikOzetFormu ilk(gelirDefteri(), {2024}, nullptr);
            enKucuk = ilk.size();
            QWidget* liste = kayitListesi<QTreeView>(ilk, gelirDefteri());
            const QRect listeAlani = liste->geometry();
            ilk.setGeometry(QRect(konum, enKucuk + fazla));
            ilk.show();
            QCOMPARE(liste->geometry(), listeAlani.adjusted(0, 0, fazla.width(), 0));
            ilk.hide();
        }
        const AylikOzetFormu sonraki(gelirDefteri(), {2024}, nullptr);
        QCOMPARE(sonraki.size(), enKucuk + fazla);
        QCOMPARE(sonraki.geometry().topLeft() == konum, ekranda);
    }
};

QTEST_MAIN(TestAylikOzet)
#include "tst_aylik_ozet.moc"

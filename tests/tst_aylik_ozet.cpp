#include "AnaForm.h"
#include "AylıkÖzetFormu.h"
#include "BütçeVerisi.h"
#include "MesajKutusu.h"
#include "Takvim.h"
#include "TestOrtamı.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHeaderView>
#include <QLegendMarker>
#include <QTimer>
#include <QTreeWidget>
#include <QValueAxis>
#include <QXYSeries>
#include <QtTest>

#include <functional>
#include <memory>

namespace
{

const QStringList ayEtiketleri{"OCAK",   "ŞUBAT",   "MART",  "NİSAN", "MAYIS", "HAZİRAN",
                               "TEMMUZ", "AĞUSTOS", "EYLÜL", "EKİM",  "KASIM", "ARALIK"};

const DefterTanımı& defterAdıyla(const QString& ad)
{
    return ad == gelirDefteri().ad ? gelirDefteri() : giderDefteri();
}

void defterSatırları()
{
    QTest::addColumn<QString>("defterAdı");
    QTest::newRow("gelir") << gelirDefteri().ad;
    QTest::newRow("gider") << giderDefteri().ad;
}

QTreeWidget* listesi(const QWidget& pencere, const DefterTanımı& defter)
{
    return pencere.findChild<QTreeWidget*>(defter.adıyla("%1lerListesi"));
}

QStringList sütun(const QTreeWidget* liste, int sıra)
{
    QStringList metinler;
    for (int i = 0; i < liste->topLevelItemCount(); ++i)
        metinler << liste->topLevelItem(i)->text(sıra);
    return metinler;
}

QChart* grafiği(const QWidget& pencere)
{
    const auto* görünüm = pencere.findChild<QChartView*>(QStringLiteral("GrafikNesnesi"));
    return görünüm ? görünüm->chart() : nullptr;
}

QList<qreal> çubuklar(const QChart* grafik, const QString& etiket)
{
    for (QAbstractSeries* seri : grafik->series())
        if (auto* çubuk = qobject_cast<QBarSeries*>(seri))
            for (QBarSet* küme : çubuk->barSets())
                if (küme->label() == etiket) {
                    QList<qreal> değerler;
                    for (int i = 0; i < küme->count(); ++i)
                        değerler << küme->at(i);
                    return değerler;
                }
    return {};
}

QList<QPointF> oranNoktaları(const QChart* grafik)
{
    for (QAbstractSeries* seri : grafik->series())
        if (seri->name() == QStringLiteral("Oran (%)"))
            if (auto* xy = qobject_cast<QXYSeries*>(seri))
                return xy->points();
    return {};
}

QStringList kategoriler(const QChart* grafik)
{
    for (QAbstractAxis* eksen : grafik->axes(Qt::Horizontal))
        if (auto* kategori = qobject_cast<QBarCategoryAxis*>(eksen))
            return kategori->categories();
    return {};
}

// The names the legend shows, in its order.
QStringList göstergeAdları(const QChart* grafik)
{
    QStringList adlar;
    for (QLegendMarker* işaret : grafik->legend()->markers())
        if (işaret->isVisible())
            adlar << işaret->label();
    return adlar;
}

QList<qreal> sıfırlar()
{
    return QList<qreal>(12, 0.0);
}

// Presses a button that opens a modal window, hands that window to `bak`, then closes it.
void açılanıİncele(QAbstractButton* düğme, const std::function<void(QWidget*)>& bak)
{
    QTimer bekçi;
    bekçi.setInterval(5);
    QObject::connect(&bekçi, &QTimer::timeout, [&] {
        if (QWidget* pencere = QApplication::activeModalWidget()) {
            bekçi.stop();
            bak(pencere);
            pencere->close();
        }
    });
    bekçi.start();
    QTest::mouseClick(düğme, Qt::LeftButton);
    bekçi.stop();
}

} // namespace

class OverviewTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { ortam = std::make_unique<TestOrtamı>(); }
    void cleanup() { ortam.reset(); }

    void layoutAndLabels_data() { defterSatırları(); }
    void layoutAndLabels()
    {
        QFETCH(QString, defterAdı);
        const DefterTanımı& defter = defterAdıyla(defterAdı);
        // Two months with a ratio, so that the line joining them is drawn too.
        ortam->kayıtYaz(defter, "EV", "KİRA", 2024, "Ocak", 100, 90);
        ortam->kayıtYaz(defter, "EV", "KİRA", 2024, "Şubat", 100, 110);
        AylıkÖzetFormu pencere(defter, nullptr);

        QCOMPARE(pencere.objectName(), QStringLiteral("Tüm%1lerFormu").arg(defterAdı));
        QCOMPARE(pencere.windowTitle(), QStringLiteral("Tüm %1ler Listesi").arg(defterAdı));
        QCOMPARE(pencere.minimumSize(), QSize(731, 485));
        QCOMPARE(pencere.maximumSize(), QSize(731, 485));
        QVERIFY(!(pencere.windowFlags() & Qt::WindowMinMaxButtonsHint));

        QTreeWidget* liste = listesi(pencere, defter);
        QVERIFY(liste);
        QCOMPARE(liste->geometry(), QRect(58, 22, 559, 189));
        const QTreeWidgetItem* başlık = liste->headerItem();
        QCOMPARE(başlık->text(0), QStringLiteral("Aylar"));
        QCOMPARE(başlık->text(1), QStringLiteral("Tahmini %1").arg(defterAdı));
        QCOMPARE(başlık->text(2), QStringLiteral("Gerçekleşen %1").arg(defterAdı));
        QCOMPARE(başlık->text(3), QStringLiteral("Gerçekleşme Oranı (%)"));
        for (int sıra = 0; sıra < 4; ++sıra)
            QCOMPARE(liste->columnWidth(sıra), 133);
        for (int sıra = 0; sıra < 4; ++sıra) {
            const Qt::Alignment beklenen = sıra == 0 ? Qt::AlignLeft : Qt::AlignRight;
            QCOMPARE(Qt::Alignment(başlık->textAlignment(sıra)) & Qt::AlignHorizontal_Mask,
                     beklenen);
            QCOMPARE(Qt::Alignment(liste->topLevelItem(0)->textAlignment(sıra)) &
                         Qt::AlignHorizontal_Mask,
                     beklenen);
        }

        const auto* görünüm = pencere.findChild<QChartView*>(QStringLiteral("GrafikNesnesi"));
        QVERIFY(görünüm);
        QCOMPARE(görünüm->geometry(), QRect(18, 230, 695, 243));
        pencere.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pencere));
        QChart* grafik = görünüm->chart();
        QVERIFY(grafik->legend()->isVisible());
        QCOMPARE(göstergeAdları(grafik),
                 QStringList({"Tahmin", "Geçekleşen", QStringLiteral("Oran (%)")}));
        QCOMPARE(kategoriler(grafik), ayEtiketleri);
        // Amounts on the left, the ratio on its own axis at the right.
        QCOMPARE(grafik->axes(Qt::Vertical).size(), 2);
        for (QAbstractSeries* seri : grafik->series()) {
            const QList<QAbstractAxis*> eksenler = seri->attachedAxes();
            QCOMPARE(eksenler.size(), 2);
            const Qt::Alignment beklenen =
                qobject_cast<QBarSeries*>(seri) ? Qt::AlignLeft : Qt::AlignRight;
            QCOMPARE(eksenler.last()->alignment(), beklenen);
        }
    }

    void noEntriesShowsMonthNamesOnly_data() { defterSatırları(); }
    void noEntriesShowsMonthNamesOnly()
    {
        QFETCH(QString, defterAdı);
        const DefterTanımı& defter = defterAdıyla(defterAdı);
        AylıkÖzetFormu pencere(defter, nullptr);

        QTreeWidget* liste = listesi(pencere, defter);
        QCOMPARE(sütun(liste, 0), ayEtiketleri);
        for (int sıra = 1; sıra < 4; ++sıra)
            QCOMPARE(sütun(liste, sıra), QStringList(12, QString()));
        QChart* grafik = grafiği(pencere);
        QCOMPARE(çubuklar(grafik, "Tahmin"), sıfırlar());
        QCOMPARE(çubuklar(grafik, "Geçekleşen"), sıfırlar());
        QCOMPARE(oranNoktaları(grafik), QList<QPointF>());
        QCOMPARE(kategoriler(grafik), ayEtiketleri);
        QCOMPARE(MesajKutusu::gösterilenler().size(), 0);
    }

    void sumsAndRatios_data() { defterSatırları(); }
    void sumsAndRatios()
    {
        QFETCH(QString, defterAdı);
        const DefterTanımı& d = defterAdıyla(defterAdı);
        // March over three years and two groups: 200 estimated, 150 realised.
        ortam->kayıtYaz(d, "EV", "KİRA", 2006, "Mart", 120, 100);
        ortam->kayıtYaz(d, "İŞ", "ANA İŞ", 2024, "Mart", 50, 20);
        ortam->kayıtYaz(d, "İŞ", "ANA İŞ", 2030, "Mart", 30, 30);
        ortam->kayıtYaz(d, "İŞ", "ANA İŞ", 2024, "Ocak", 1234.5, 1234.5);
        ortam->kayıtYaz(d, "İŞ", "ANA İŞ", 2024, "Mayıs", 100, 125.5);
        // Estimates that cancel out leave July without a ratio.
        ortam->kayıtYaz(d, "EV", "KİRA", 2024, "Temmuz", 10, 40);
        ortam->kayıtYaz(d, "EV", "KİRA", 2025, "Temmuz", -10, 0);

        AylıkÖzetFormu pencere(d, nullptr);

        QTreeWidget* liste = listesi(pencere, d);
        QCOMPARE(sütun(liste, 0), ayEtiketleri);
        const QStringList tahminler{"1.234,50", "", "200,00", "", "100,00", "",
                                    "0,00",     "", "",       "", "",       ""};
        const QStringList gerçekleşenler{"1.234,50", "", "150,00", "", "125,50", "",
                                         "40,00",    "", "",       "", "",       ""};
        const QStringList oranlar{"100,00%", "", "75,00%", "", "125,50%", "",
                                  "—",       "", "",       "", "",        ""};
        QCOMPARE(sütun(liste, 1), tahminler);
        QCOMPARE(sütun(liste, 2), gerçekleşenler);
        QCOMPARE(sütun(liste, 3), oranlar);

        QChart* grafik = grafiği(pencere);
        QCOMPARE(çubuklar(grafik, "Tahmin"),
                 QList<qreal>({1234.5, 0, 200, 0, 100, 0, 0, 0, 0, 0, 0, 0}));
        QCOMPARE(çubuklar(grafik, "Geçekleşen"),
                 QList<qreal>({1234.5, 0, 150, 0, 125.5, 0, 40, 0, 0, 0, 0, 0}));
        QCOMPARE(oranNoktaları(grafik),
                 QList<QPointF>({QPointF(0, 100), QPointF(2, 75), QPointF(4, 125.5)}));
        // Every point stays inside the ratio axis.
        for (QAbstractAxis* eksen : grafik->axes(Qt::Vertical))
            if (eksen->alignment() == Qt::AlignRight)
                QVERIFY(qobject_cast<QValueAxis*>(eksen)->max() >= 125.5);
    }

    void monthMatchingIgnoresTurkishCase_data()
    {
        QTest::addColumn<QString>("defterAdı");
        QTest::addColumn<QString>("yazılış");
        QTest::addColumn<int>("ay");
        const QList<std::pair<QString, int>> yazılışlar{
            {"Şubat", 1},   {"ŞUBAT", 1}, {"şubat", 1}, {"Ağustos", 7}, {"AĞUSTOS", 7},
            {"ağustos", 7}, {"Nisan", 3}, {"NİSAN", 3}, {"nisan", 3},   {"eYLÜL", 8}};
        for (const QString& defterAdı : {gelirDefteri().ad, giderDefteri().ad})
            for (const auto& [yazılış, ay] : yazılışlar)
                QTest::addRow("%s %s", qPrintable(defterAdı), qPrintable(yazılış))
                    << defterAdı << yazılış << ay;
    }
    void monthMatchingIgnoresTurkishCase()
    {
        QFETCH(QString, defterAdı);
        QFETCH(QString, yazılış);
        QFETCH(int, ay);
        const DefterTanımı& d = defterAdıyla(defterAdı);
        // One entry as the add-entry dialog writes the month, one as another tool might.
        ortam->kayıtYaz(d, "EV", "KİRA", 2024, Takvim::ayAdları()[ay], 100, 50);
        ortam->kayıtYaz(d, "EV", "KİRA", 2025, yazılış, 10, 5);

        AylıkÖzetFormu pencere(d, nullptr);

        QTreeWidget* liste = listesi(pencere, d);
        QStringList tahminler(12), gerçekleşenler(12), oranlar(12);
        tahminler[ay] = "110,00";
        gerçekleşenler[ay] = "55,00";
        oranlar[ay] = "50,00%";
        QCOMPARE(sütun(liste, 1), tahminler);
        QCOMPARE(sütun(liste, 2), gerçekleşenler);
        QCOMPARE(sütun(liste, 3), oranlar);
        QCOMPARE(oranNoktaları(grafiği(pencere)), QList<QPointF>({QPointF(ay, 50)}));
    }

    void entriesOfDeletedSubGroupStillCount_data() { defterSatırları(); }
    void entriesOfDeletedSubGroupStillCount()
    {
        QFETCH(QString, defterAdı);
        const DefterTanımı& d = defterAdıyla(defterAdı);
        BütçeVerisi::anaGrupEkle(d, "MAAŞ");
        BütçeVerisi::altGrupEkle(d, "MAAŞ", "ANA İŞ");
        BütçeVerisi::kayıtEkle(d, {"MAAŞ", "ANA İŞ", 2024, "Haziran", 300, 270});
        QVERIFY(BütçeVerisi::altGrupSil(d, "MAAŞ", "ANA İŞ"));
        QCOMPARE(ortam->satırSayısı(d.altGrupTablosu), 0);

        AylıkÖzetFormu pencere(d, nullptr);

        const QTreeWidgetItem* haziran = listesi(pencere, d)->topLevelItem(5);
        QCOMPARE(haziran->text(0), QStringLiteral("HAZİRAN"));
        QCOMPARE(haziran->text(1), QStringLiteral("300,00"));
        QCOMPARE(haziran->text(2), QStringLiteral("270,00"));
        QCOMPARE(haziran->text(3), QStringLiteral("90,00%"));
        QCOMPARE(çubuklar(grafiği(pencere), "Tahmin").value(5), 300.0);
    }

    void oddRowsCountMissingAmountsAsZero_data() { defterSatırları(); }
    void oddRowsCountMissingAmountsAsZero()
    {
        QFETCH(QString, defterAdı);
        const DefterTanımı& d = defterAdıyla(defterAdı);
        ortam->kayıtYaz(d, "EV", "KİRA", 2024, "Eylül", QVariant(), 50);
        ortam->kayıtYaz(d, "EV", "KİRA", 2024, "Eylül", 100, QVariant());
        ortam->kayıtYaz(d, "EV", "KİRA", 2024, "Ekim", QVariant(), QVariant());
        ortam->kayıtYaz(d, "EV", "KİRA", 2024, "Kasım", "yok", 20);
        // Months that are no month name belong nowhere.
        ortam->kayıtYaz(d, "EV", "KİRA", 2024, QString(), 1000, 1000);
        ortam->kayıtYaz(d, "EV", "KİRA", 2024, "Tüm Aylar", 1000, 1000);
        ortam->kayıtYaz(d, "EV", "KİRA", 2024, "NISAN", 1000, 1000);

        AylıkÖzetFormu pencere(d, nullptr);

        QTreeWidget* liste = listesi(pencere, d);
        QCOMPARE(sütun(liste, 1),
                 QStringList({"", "", "", "", "", "", "", "", "100,00", "0,00", "0,00", ""}));
        QCOMPARE(sütun(liste, 2),
                 QStringList({"", "", "", "", "", "", "", "", "50,00", "0,00", "20,00", ""}));
        QCOMPARE(sütun(liste, 3),
                 QStringList({"", "", "", "", "", "", "", "", "50,00%", "—", "—", ""}));
        QCOMPARE(oranNoktaları(grafiği(pencere)), QList<QPointF>({QPointF(8, 50)}));
        QCOMPARE(MesajKutusu::gösterilenler().size(), 0);
    }

    void openingChangesNoData()
    {
        for (const DefterTanımı* d : {&gelirDefteri(), &giderDefteri()}) {
            ortam->kayıtYaz(*d, "EV", "KİRA", 2024, "Mart", 200, 150);
            ortam->kayıtYaz(*d, "EV", "KİRA", 2024, "mart", QVariant(), 10);
        }
        const QVariant öncekiDeğişiklikler = ortam->sorgula("SELECT total_changes()");
        const QString dökümSorgusu = QStringLiteral(
            "SELECT group_concat(quote(Kimlik) || quote(%1) || quote(%2) || quote(Gerceklesen)) "
            "FROM %3");
        const QVariant gelirler = ortam->sorgula(
            dökümSorgusu.arg("GelirAyi", "GelirTahmini", gelirDefteri().kayıtTablosu));
        const QVariant giderler = ortam->sorgula(
            dökümSorgusu.arg("GiderAyi", "GiderTahmini", giderDefteri().kayıtTablosu));

        {
            AylıkÖzetFormu gelir(gelirDefteri(), nullptr);
        }
        {
            AylıkÖzetFormu gider(giderDefteri(), nullptr);
        }

        QCOMPARE(ortam->sorgula("SELECT total_changes()"), öncekiDeğişiklikler);
        QCOMPARE(ortam->sorgula(
                     dökümSorgusu.arg("GelirAyi", "GelirTahmini", gelirDefteri().kayıtTablosu)),
                 gelirler);
        QCOMPARE(ortam->sorgula(
                     dökümSorgusu.arg("GiderAyi", "GiderTahmini", giderDefteri().kayıtTablosu)),
                 giderler);
    }

    void engineFailureIsShownAndWindowStillOpens_data() { defterSatırları(); }
    void engineFailureIsShownAndWindowStillOpens()
    {
        QFETCH(QString, defterAdı);
        const DefterTanımı& d = defterAdıyla(defterAdı);
        ortam->kayıtYaz(d, "EV", "KİRA", 2024, "Mart", 200, 150);
        ortam->sorgula(QStringLiteral("ALTER TABLE %1 RENAME TO Eski").arg(d.kayıtTablosu));

        AylıkÖzetFormu pencere(d, nullptr);

        QCOMPARE(MesajKutusu::gösterilenler().size(), 1);
        QCOMPARE(MesajKutusu::gösterilenler().first().simge, MesajKutusu::Simge::Hata);
        QVERIFY2(MesajKutusu::gösterilenler().first().metin.contains(d.kayıtTablosu),
                 qPrintable(MesajKutusu::gösterilenler().first().metin));
        QTreeWidget* liste = listesi(pencere, d);
        QCOMPARE(sütun(liste, 0), ayEtiketleri);
        QCOMPARE(sütun(liste, 1), QStringList(12, QString()));
        QCOMPARE(çubuklar(grafiği(pencere), "Tahmin"), sıfırlar());
    }

    void opensModallyFromMainWindowAfresh_data() { defterSatırları(); }
    void opensModallyFromMainWindowAfresh()
    {
        QFETCH(QString, defterAdı);
        const DefterTanımı& d = defterAdıyla(defterAdı);
        const std::unique_ptr<AnaForm> anaForm = ortam->anaForm();
        anaForm->show();
        QVERIFY(QTest::qWaitForWindowExposed(anaForm.get()));
        auto* düğme = anaForm->findChild<QAbstractButton*>(d.adıyla("Tüm%1leriGösterDüğmesi"));
        QVERIFY(düğme);

        QString ad, martTahmini = "açılmadı";
        bool modal = false;
        QWidget* sahibi = nullptr;
        const auto bak = [&](QWidget* pencere) {
            ad = pencere->objectName();
            modal = pencere->isModal();
            sahibi = pencere->parentWidget();
            const QTreeWidget* liste = listesi(*pencere, d);
            martTahmini = liste ? liste->topLevelItem(2)->text(1) : QString();
        };

        açılanıİncele(düğme, bak);
        QCOMPARE(ad, QStringLiteral("Tüm%1lerFormu").arg(defterAdı));
        QVERIFY(modal);
        QCOMPARE(sahibi, anaForm.get());
        QCOMPARE(martTahmini, QString());
        QCOMPARE(anaForm->findChildren<AylıkÖzetFormu*>().size(), 0);

        ortam->kayıtYaz(d, "EV", "KİRA", 2024, "Mart", 200, 150);
        açılanıİncele(düğme, bak);
        QCOMPARE(martTahmini, QStringLiteral("200,00"));
    }

private:
    std::unique_ptr<TestOrtamı> ortam;
};

QTEST_MAIN(OverviewTest)
#include "tst_aylik_ozet.moc"

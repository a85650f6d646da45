#include "AylıkÖzetFormu.h"
#include "BütçeVerisi.h"
#include "LedgerTest.h"
#include "Takvim.h"

#include <QAbstractButton>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLegendMarker>
#include <QTreeWidget>
#include <QValueAxis>
#include <QXYSeries>

namespace
{

const QStringList ayEtiketleri{"OCAK",   "ŞUBAT",   "MART",  "NİSAN", "MAYIS", "HAZİRAN",
                               "TEMMUZ", "AĞUSTOS", "EYLÜL", "EKİM",  "KASIM", "ARALIK"};

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

const QList<qreal> sıfırlar(12, 0.0);

// The list's rows with no amounts: each month's name and three empty cells.
QStringList boşAylar()
{
    QStringList satırlar;
    for (const QString& ay : ayEtiketleri)
        satırlar << ay + "|||";
    return satırlar;
}

} // namespace

class OverviewTest : public LedgerTest
{
    Q_OBJECT

private slots:
    void layoutAndLabels_data() { defterSatırları(); }
    void layoutAndLabels()
    {
        QFETCH(QString, defterAdı);
        const DefterTanımı& d = satırınDefteri();
        // Two months with a ratio, so that the line joining them is drawn too.
        ortam->kayıtYaz(d, "EV", "KİRA", 2024, "Ocak", 100, 90);
        ortam->kayıtYaz(d, "EV", "KİRA", 2024, "Şubat", 100, 110);
        AylıkÖzetFormu pencere(d, nullptr);

        QCOMPARE(pencere.objectName(), QStringLiteral("Tüm%1lerFormu").arg(defterAdı));
        QCOMPARE(pencere.windowTitle(), QStringLiteral("Tüm %1ler Listesi").arg(defterAdı));
        QCOMPARE(pencere.minimumSize(), QSize(731, 485));
        QCOMPARE(pencere.maximumSize(), QSize(731, 485));
        QVERIFY(!(pencere.windowFlags() & Qt::WindowMinMaxButtonsHint));

        QTreeWidget* liste = kayıtListesi(pencere, d);
        QVERIFY(liste);
        QCOMPARE(liste->geometry(), QRect(58, 22, 559, 189));
        QCOMPARE(başlıklar(liste),
                 (QStringList{"Aylar", "Tahmini " + defterAdı, "Gerçekleşen " + defterAdı,
                              "Gerçekleşme Oranı (%)"}));
        for (int sıra = 0; sıra < 4; ++sıra) {
            QCOMPARE(liste->columnWidth(sıra), 133);
            const Qt::Alignment beklenen = sıra == 0 ? Qt::AlignLeft : Qt::AlignRight;
            QCOMPARE(Qt::Alignment(liste->headerItem()->textAlignment(sıra)) &
                         Qt::AlignHorizontal_Mask,
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
        QCOMPARE(göstergeAdları(grafik), (QStringList{"Tahmin", "Geçekleşen", "Oran (%)"}));
        QCOMPARE(kategoriler(grafik), ayEtiketleri);
        // Amounts on the left, the ratio on its own axis at the right.
        QCOMPARE(grafik->axes(Qt::Vertical).size(), 2);
        for (QAbstractSeries* seri : grafik->series()) {
            const QList<QAbstractAxis*> eksenler = seri->attachedAxes();
            QCOMPARE(eksenler.size(), 2);
            QCOMPARE(
                eksenler.last()->alignment(),
                Qt::Alignment(qobject_cast<QBarSeries*>(seri) ? Qt::AlignLeft : Qt::AlignRight));
        }
    }

    // With no entries, or with the entry table unreadable (an error is shown), the window opens
    // with the month names alone.
    void noEntriesOrUnreadableShowMonthNamesOnly_data() { defterSatırları(); }
    void noEntriesOrUnreadableShowMonthNamesOnly()
    {
        const DefterTanımı& d = satırınDefteri();
        for (const bool okunamaz : {false, true}) {
            if (okunamaz) {
                ortam->kayıtYaz(d, "EV", "KİRA", 2024, "Mart", 200, 150);
                ortam->sorgula("ALTER TABLE " + d.kayıtTablosu + " RENAME TO Eski");
            }
            AylıkÖzetFormu pencere(d, nullptr);
            QCOMPARE(satırlar(kayıtListesi(pencere, d)), boşAylar());
            QChart* grafik = grafiği(pencere);
            QCOMPARE(çubuklar(grafik, "Tahmin"), sıfırlar);
            QCOMPARE(çubuklar(grafik, "Geçekleşen"), sıfırlar);
            QCOMPARE(oranNoktaları(grafik), QList<QPointF>());
            QVERIFY(okunamaz ? tekHata(d.kayıtTablosu) : mesajlar().isEmpty());
        }
    }

    // Sums over years and groups, in the list and the chart, with the rows other tools or a
    // deleted sub-group leave; opening the window changes nothing.
    void sumsAndRatios_data() { defterSatırları(); }
    void sumsAndRatios()
    {
        const DefterTanımı& d = satırınDefteri();
        // March over three years and two groups: 200 estimated, 150 realised.
        ortam->kayıtYaz(d, "EV", "KİRA", 2006, "Mart", 120, 100);
        ortam->kayıtYaz(d, "İŞ", "ANA İŞ", 2024, "Mart", 50, 20);
        ortam->kayıtYaz(d, "İŞ", "ANA İŞ", 2030, "Mart", 30, 30);
        ortam->kayıtYaz(d, "İŞ", "ANA İŞ", 2024, "Ocak", 1234.5, 1234.5);
        ortam->kayıtYaz(d, "İŞ", "ANA İŞ", 2024, "Mayıs", 100, 125.5);
        // Estimates that cancel out leave July without a ratio.
        ortam->kayıtYaz(d, "EV", "KİRA", 2024, "Temmuz", 10, 40);
        ortam->kayıtYaz(d, "EV", "KİRA", 2025, "Temmuz", -10, 0);
        // June's entry outlives its sub-group.
        BütçeVerisi::anaGrupEkle(d, "MAAŞ");
        BütçeVerisi::altGrupEkle(d, "MAAŞ", "ANA İŞ");
        BütçeVerisi::kayıtEkle(d, {"MAAŞ", "ANA İŞ", 2024, "Haziran", 300, 270});
        QVERIFY(BütçeVerisi::altGrupSil(d, "MAAŞ", "ANA İŞ"));
        QCOMPARE(ortam->satırSayısı(d.altGrupTablosu), 0);
        // Missing amounts count as zero; months that are no month name belong nowhere.
        ortam->kayıtYaz(d, "EV", "KİRA", 2024, "eylül", QVariant(), 50);
        ortam->kayıtYaz(d, "EV", "KİRA", 2024, "Eylül", 100, QVariant());
        ortam->kayıtYaz(d, "EV", "KİRA", 2024, "Ekim", QVariant(), QVariant());
        ortam->kayıtYaz(d, "EV", "KİRA", 2024, "Kasım", "yok", 20);
        for (const QString& ay : {QString(), QString("Tüm Aylar"), QString("NISAN")})
            ortam->kayıtYaz(d, "EV", "KİRA", 2024, ay, 1000, 1000);
        const QString döküm = QStringLiteral("SELECT group_concat(quote(Kimlik) || quote(%1) || "
                                             "quote(%2) || quote(Gerceklesen)) FROM %3")
                                  .arg(d.ayAlanı, d.tahminAlanı, d.kayıtTablosu);
        const QVariant önce = ortam->sorgula(döküm);
        const QVariant değişiklikler = ortam->sorgula("SELECT total_changes()");

        AylıkÖzetFormu pencere(d, nullptr);

        QStringList beklenen = boşAylar();
        beklenen[0] = "OCAK|1.234,50|1.234,50|100,00%";
        beklenen[2] = "MART|200,00|150,00|75,00%";
        beklenen[4] = "MAYIS|100,00|125,50|125,50%";
        beklenen[5] = "HAZİRAN|300,00|270,00|90,00%";
        beklenen[6] = "TEMMUZ|0,00|40,00|—";
        beklenen[8] = "EYLÜL|100,00|50,00|50,00%";
        beklenen[9] = "EKİM|0,00|0,00|—";
        beklenen[10] = "KASIM|0,00|20,00|—";
        QCOMPARE(satırlar(kayıtListesi(pencere, d)), beklenen);

        QChart* grafik = grafiği(pencere);
        QCOMPARE(çubuklar(grafik, "Tahmin"),
                 QList<qreal>({1234.5, 0, 200, 0, 100, 300, 0, 0, 100, 0, 0, 0}));
        QCOMPARE(çubuklar(grafik, "Geçekleşen"),
                 QList<qreal>({1234.5, 0, 150, 0, 125.5, 270, 40, 0, 50, 0, 20, 0}));
        QCOMPARE(oranNoktaları(grafik),
                 QList<QPointF>({QPointF(0, 100), QPointF(2, 75), QPointF(4, 125.5), QPointF(5, 90),
                                 QPointF(8, 50)}));
        // Every point stays inside the ratio axis.
        for (QAbstractAxis* eksen : grafik->axes(Qt::Vertical))
            if (eksen->alignment() == Qt::AlignRight)
                QVERIFY(qobject_cast<QValueAxis*>(eksen)->max() >= 125.5);
        QCOMPARE(mesajlar(), QStringList());
        QCOMPARE(ortam->sorgula("SELECT total_changes()"), değişiklikler);
        QCOMPARE(ortam->sorgula(döküm), önce);
    }

    void monthMatchingIgnoresTurkishCase_data()
    {
        QTest::addColumn<QString>("defterAdı");
        QTest::addColumn<QString>("yazılış");
        QTest::addColumn<int>("ay");
        const QList<std::pair<const char*, int>> yazılışlar{
            {"ŞUBAT", 1}, {"şubat", 1}, {"AĞUSTOS", 7}, {"ağustos", 7},
            {"NİSAN", 3}, {"nisan", 3}, {"eYLÜL", 8}};
        for (const char* ad : {"Gelir", "Gider"})
            for (const auto& [yazılış, ay] : yazılışlar)
                QTest::addRow("%s %s", ad, yazılış) << ad << yazılış << ay;
    }
    void monthMatchingIgnoresTurkishCase()
    {
        QFETCH(QString, yazılış);
        QFETCH(int, ay);
        const DefterTanımı& d = satırınDefteri();
        // One entry as the add-entry dialog writes the month, one as another tool might.
        ortam->kayıtYaz(d, "EV", "KİRA", 2024, Takvim::ayAdları()[ay], 100, 50);
        ortam->kayıtYaz(d, "EV", "KİRA", 2025, yazılış, 10, 5);

        AylıkÖzetFormu pencere(d, nullptr);

        QStringList beklenen = boşAylar();
        beklenen[ay] = ayEtiketleri[ay] + "|110,00|55,00|50,00%";
        QCOMPARE(satırlar(kayıtListesi(pencere, d)), beklenen);
        QCOMPARE(oranNoktaları(grafiği(pencere)), QList<QPointF>({QPointF(ay, 50)}));
    }

    void opensModallyFromMainWindowAfresh_data() { defterSatırları(); }
    void opensModallyFromMainWindowAfresh()
    {
        QFETCH(QString, defterAdı);
        const DefterTanımı& d = satırınDefteri();
        form = ortam->anaForm();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        auto* düğme = form->findChild<QAbstractButton*>(d.adıyla("Tüm%1leriGösterDüğmesi"));
        QVERIFY(düğme);

        QString görülen, martTahmini = "açılmadı";
        const auto tıkla = [&] { QTest::mouseClick(düğme, Qt::LeftButton); };
        const auto bak = [&](QWidget* pencere) {
            görülen = pencere->objectName() + (pencere->isModal() ? " modal" : "");
            QCOMPARE(pencere->parentWidget(), form.get());
            const QTreeWidget* liste = kayıtListesi(*pencere, d);
            martTahmini = liste ? liste->topLevelItem(2)->text(1) : QString();
        };

        QVERIFY(açılanıİncele(tıkla, bak));
        QCOMPARE(görülen, QStringLiteral("Tüm%1lerFormu modal").arg(defterAdı));
        QCOMPARE(martTahmini, QString());
        QCOMPARE(form->findChildren<AylıkÖzetFormu*>().size(), 0);

        ortam->kayıtYaz(d, "EV", "KİRA", 2024, "Mart", 200, 150);
        QVERIFY(açılanıİncele(tıkla, bak));
        QCOMPARE(martTahmini, QStringLiteral("200,00"));
    }
};

QTEST_MAIN(OverviewTest)
#include "tst_aylik_ozet.moc"

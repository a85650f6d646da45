#include "AylikOzetFormu.h"
#include "ButceVerisi.h"
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

QChart* grafigi(const QWidget& pencere)
{
    const auto* gorunum = pencere.findChild<QChartView*>(QStringLiteral("GrafikNesnesi"));
    return gorunum ? gorunum->chart() : nullptr;
}

QList<qreal> cubuklar(const QChart* grafik, const QString& etiket)
{
    for (QAbstractSeries* seri : grafik->series())
        if (auto* cubuk = qobject_cast<QBarSeries*>(seri))
            for (QBarSet* kume : cubuk->barSets())
                if (kume->label() == etiket) {
                    QList<qreal> degerler;
                    for (int i = 0; i < kume->count(); ++i)
                        degerler << kume->at(i);
                    return degerler;
                }
    return {};
}

QList<QPointF> oranNoktalari(const QChart* grafik)
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
QStringList gostergeAdlari(const QChart* grafik)
{
    QStringList adlar;
    for (QLegendMarker* isaret : grafik->legend()->markers())
        if (isaret->isVisible())
            adlar << isaret->label();
    return adlar;
}

const QList<qreal> sifirlar(12, 0.0);

// The list's rows with no amounts: each month's name and three empty cells.
QStringList bosAylar()
{
    QStringList satirlar;
    for (const QString& ay : ayEtiketleri)
        satirlar << ay + "|||";
    return satirlar;
}

} // namespace

class OverviewTest : public LedgerTest
{
    Q_OBJECT

private slots:
    void layoutAndLabels_data() { defterSatirlari(); }
    void layoutAndLabels()
    {
        QFETCH(QString, defterAdi);
        const DefterTanimi& d = satirinDefteri();
        // Two months with a ratio, so that the line joining them is drawn too.
        ortam->kayitYaz(d, "EV", "KİRA", 2024, "Ocak", 100, 90);
        ortam->kayitYaz(d, "EV", "KİRA", 2024, "Şubat", 100, 110);
        AylikOzetFormu pencere(d, nullptr);

        QCOMPARE(pencere.objectName(), QStringLiteral("Tüm%1lerFormu").arg(defterAdi));
        QCOMPARE(pencere.windowTitle(), QStringLiteral("Tüm %1ler Listesi").arg(defterAdi));
        QCOMPARE(pencere.minimumSize(), QSize(731, 485));
        QCOMPARE(pencere.maximumSize(), QSize(731, 485));
        QVERIFY(!(pencere.windowFlags() & Qt::WindowMinMaxButtonsHint));

        QTreeWidget* liste = kayitListesi(pencere, d);
        QVERIFY(liste);
        QCOMPARE(liste->geometry(), QRect(58, 22, 559, 189));
        QCOMPARE(basliklar(liste),
                 (QStringList{"Aylar", "Tahmini " + defterAdi, "Gerçekleşen " + defterAdi,
                              "Gerçekleşme Oranı (%)"}));
        for (int sira = 0; sira < 4; ++sira) {
            QCOMPARE(liste->columnWidth(sira), 133);
            const Qt::Alignment beklenen = sira == 0 ? Qt::AlignLeft : Qt::AlignRight;
            QCOMPARE(Qt::Alignment(liste->headerItem()->textAlignment(sira)) &
                         Qt::AlignHorizontal_Mask,
                     beklenen);
            QCOMPARE(Qt::Alignment(liste->topLevelItem(0)->textAlignment(sira)) &
                         Qt::AlignHorizontal_Mask,
                     beklenen);
        }

        const auto* gorunum = pencere.findChild<QChartView*>(QStringLiteral("GrafikNesnesi"));
        QVERIFY(gorunum);
        QCOMPARE(gorunum->geometry(), QRect(18, 230, 695, 243));
        pencere.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pencere));
        QChart* grafik = gorunum->chart();
        QVERIFY(grafik->legend()->isVisible());
        QCOMPARE(gostergeAdlari(grafik), (QStringList{"Tahmin", "Geçekleşen", "Oran (%)"}));
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
    void noEntriesOrUnreadableShowMonthNamesOnly_data() { defterSatirlari(); }
    void noEntriesOrUnreadableShowMonthNamesOnly()
    {
        const DefterTanimi& d = satirinDefteri();
        for (const bool okunamaz : {false, true}) {
            if (okunamaz) {
                ortam->kayitYaz(d, "EV", "KİRA", 2024, "Mart", 200, 150);
                ortam->sorgula("ALTER TABLE " + d.kayitTablosu + " RENAME TO Eski");
            }
            AylikOzetFormu pencere(d, nullptr);
            QCOMPARE(satirlar(kayitListesi(pencere, d)), bosAylar());
            QChart* grafik = grafigi(pencere);
            QCOMPARE(cubuklar(grafik, "Tahmin"), sifirlar);
            QCOMPARE(cubuklar(grafik, "Geçekleşen"), sifirlar);
            QCOMPARE(oranNoktalari(grafik), QList<QPointF>());
            QVERIFY(okunamaz ? tekHata(d.kayitTablosu) : mesajlar().isEmpty());
        }
    }

    // Sums over years and groups, in the list and the chart, with the rows other tools or a
    // deleted sub-group leave; opening the window changes nothing.
    void sumsAndRatios_data() { defterSatirlari(); }
    void sumsAndRatios()
    {
        const DefterTanimi& d = satirinDefteri();
        // March over three years and two groups: 200 estimated, 150 realised.
        ortam->kayitYaz(d, "EV", "KİRA", 2006, "Mart", 120, 100);
        ortam->kayitYaz(d, "İŞ", "ANA İŞ", 2024, "Mart", 50, 20);
        ortam->kayitYaz(d, "İŞ", "ANA İŞ", 2030, "Mart", 30, 30);
        ortam->kayitYaz(d, "İŞ", "ANA İŞ", 2024, "Ocak", 1234.5, 1234.5);
        ortam->kayitYaz(d, "İŞ", "ANA İŞ", 2024, "Mayıs", 100, 125.5);
        // Estimates that cancel out leave July without a ratio.
        ortam->kayitYaz(d, "EV", "KİRA", 2024, "Temmuz", 10, 40);
        ortam->kayitYaz(d, "EV", "KİRA", 2025, "Temmuz", -10, 0);
        // June's entry outlives its sub-group.
        ButceVerisi::anaGrupEkle(d, "MAAŞ");
        ButceVerisi::altGrupEkle(d, "MAAŞ", "ANA İŞ");
        ButceVerisi::kayitEkle(d, {"MAAŞ", "ANA İŞ", 2024, "Haziran", 300, 270});
        QVERIFY(ButceVerisi::altGrupSil(d, "MAAŞ", "ANA İŞ"));
        QCOMPARE(ortam->satirSayisi(d.altGrupTablosu), 0);
        // Missing amounts count as zero; months that are no month name belong nowhere.
        ortam->kayitYaz(d, "EV", "KİRA", 2024, "eylül", QVariant(), 50);
        ortam->kayitYaz(d, "EV", "KİRA", 2024, "Eylül", 100, QVariant());
        ortam->kayitYaz(d, "EV", "KİRA", 2024, "Ekim", QVariant(), QVariant());
        ortam->kayitYaz(d, "EV", "KİRA", 2024, "Kasım", "yok", 20);
        for (const QString& ay : {QString(), QString("Tüm Aylar"), QString("NISAN")})
            ortam->kayitYaz(d, "EV", "KİRA", 2024, ay, 1000, 1000);
        const QString dokum = QStringLiteral("SELECT group_concat(quote(Kimlik) || quote(%1) || "
                                             "quote(%2) || quote(Gerceklesen)) FROM %3")
                                  .arg(d.ayAlani, d.tahminAlani, d.kayitTablosu);
        const QVariant once = ortam->sorgula(dokum);
        const QVariant degisiklikler = ortam->sorgula("SELECT total_changes()");

        AylikOzetFormu pencere(d, nullptr);

        QStringList beklenen = bosAylar();
        beklenen[0] = "OCAK|1.234,50|1.234,50|100,00%";
        beklenen[2] = "MART|200,00|150,00|75,00%";
        beklenen[4] = "MAYIS|100,00|125,50|125,50%";
        beklenen[5] = "HAZİRAN|300,00|270,00|90,00%";
        beklenen[6] = "TEMMUZ|0,00|40,00|—";
        beklenen[8] = "EYLÜL|100,00|50,00|50,00%";
        beklenen[9] = "EKİM|0,00|0,00|—";
        beklenen[10] = "KASIM|0,00|20,00|—";
        QCOMPARE(satirlar(kayitListesi(pencere, d)), beklenen);

        QChart* grafik = grafigi(pencere);
        QCOMPARE(cubuklar(grafik, "Tahmin"),
                 QList<qreal>({1234.5, 0, 200, 0, 100, 300, 0, 0, 100, 0, 0, 0}));
        QCOMPARE(cubuklar(grafik, "Geçekleşen"),
                 QList<qreal>({1234.5, 0, 150, 0, 125.5, 270, 40, 0, 50, 0, 20, 0}));
        QCOMPARE(oranNoktalari(grafik),
                 QList<QPointF>({QPointF(0, 100), QPointF(2, 75), QPointF(4, 125.5), QPointF(5, 90),
                                 QPointF(8, 50)}));
        // Every point stays inside the ratio axis.
        for (QAbstractAxis* eksen : grafik->axes(Qt::Vertical))
            if (eksen->alignment() == Qt::AlignRight)
                QVERIFY(qobject_cast<QValueAxis*>(eksen)->max() >= 125.5);
        QCOMPARE(mesajlar(), QStringList());
        QCOMPARE(ortam->sorgula("SELECT total_changes()"), degisiklikler);
        QCOMPARE(ortam->sorgula(dokum), once);
    }

    void monthMatchingIgnoresTurkishCase_data()
    {
        QTest::addColumn<QString>("defterAdi");
        QTest::addColumn<QString>("yazilis");
        QTest::addColumn<int>("ay");
        const QList<std::pair<const char*, int>> yazilislar{
            {"ŞUBAT", 1}, {"şubat", 1}, {"AĞUSTOS", 7}, {"ağustos", 7},
            {"NİSAN", 3}, {"nisan", 3}, {"eYLÜL", 8}};
        for (const char* ad : {"Gelir", "Gider"})
            for (const auto& [yazilis, ay] : yazilislar)
                QTest::addRow("%s %s", ad, yazilis) << ad << yazilis << ay;
    }
    void monthMatchingIgnoresTurkishCase()
    {
        QFETCH(QString, yazilis);
        QFETCH(int, ay);
        const DefterTanimi& d = satirinDefteri();
        // One entry as the add-entry dialog writes the month, one as another tool might.
        ortam->kayitYaz(d, "EV", "KİRA", 2024, Takvim::ayAdlari()[ay], 100, 50);
        ortam->kayitYaz(d, "EV", "KİRA", 2025, yazilis, 10, 5);

        AylikOzetFormu pencere(d, nullptr);

        QStringList beklenen = bosAylar();
        beklenen[ay] = ayEtiketleri[ay] + "|110,00|55,00|50,00%";
        QCOMPARE(satirlar(kayitListesi(pencere, d)), beklenen);
        QCOMPARE(oranNoktalari(grafigi(pencere)), QList<QPointF>({QPointF(ay, 50)}));
    }

    void opensModallyFromMainWindowAfresh_data() { defterSatirlari(); }
    void opensModallyFromMainWindowAfresh()
    {
        QFETCH(QString, defterAdi);
        const DefterTanimi& d = satirinDefteri();
        form = ortam->anaForm();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        auto* dugme = form->findChild<QAbstractButton*>(d.adiyla("Tüm%1leriGösterDüğmesi"));
        QVERIFY(dugme);

        QString gorulen, martTahmini = "açılmadı";
        const auto tikla = [&] { QTest::mouseClick(dugme, Qt::LeftButton); };
        const auto bak = [&](QWidget* pencere) {
            gorulen = pencere->objectName() + (pencere->isModal() ? " modal" : "");
            QCOMPARE(pencere->parentWidget(), form.get());
            const QTreeWidget* liste = kayitListesi(*pencere, d);
            martTahmini = liste ? liste->topLevelItem(2)->text(1) : QString();
        };

        QVERIFY(acilaniIncele(tikla, bak));
        QCOMPARE(gorulen, QStringLiteral("Tüm%1lerFormu modal").arg(defterAdi));
        QCOMPARE(martTahmini, QString());
        QCOMPARE(form->findChildren<AylikOzetFormu*>().size(), 0);

        ortam->kayitYaz(d, "EV", "KİRA", 2024, "Mart", 200, 150);
        QVERIFY(acilaniIncele(tikla, bak));
        QCOMPARE(martTahmini, QStringLiteral("200,00"));
    }
};

QTEST_MAIN(OverviewTest)
#include "tst_aylik_ozet.moc"

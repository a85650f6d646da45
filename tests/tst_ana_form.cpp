#include "AnaForm.h"
#include "TestOrtamı.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

namespace
{

QRect twip(int sol, int üst, int genişlik, int yükseklik)
{
    return {sol / 15, üst / 15, genişlik / 15, yükseklik / 15};
}

} // namespace

class TestMainWindowLayout : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestOrtamı> ortam;
    std::unique_ptr<AnaForm> form;

private slots:
    void init()
    {
        ortam = std::make_unique<TestOrtamı>();
        form = ortam->anaForm();
    }
    void cleanup()
    {
        form.reset();
        ortam.reset();
    }

    void windowIsFixedWithItsCaption()
    {
        QCOMPARE(form->windowTitle(), QStringLiteral("Dalvix - Morvane"));
        QCOMPARE(form->minimumSize(), QSize(794, 568));
        QCOMPARE(form->maximumSize(), QSize(794, 568));
        QVERIFY(!(form->windowFlags() & Qt::WindowMaximizeButtonHint));
    }

    void controlsStandWhereDrawn_data()
    {
        QTest::addColumn<QString>("ad");
        QTest::addColumn<QString>("metin");
        QTest::addColumn<QRect>("alan");
        QTest::addColumn<QString>("kap");
        QTest::newRow("1") << "GiderlerListesi"
                           << "" << twip(3870, 4740, 7695, 2835) << "AnaForm";
        QTest::newRow("2") << "GiderToplamıKutusu"
                           << "" << twip(10200, 7785, 1365, 315) << "AnaForm";
        QTest::newRow("3") << "GelirToplamıKutusu"
                           << "" << twip(10200, 3765, 1365, 315) << "AnaForm";
        QTest::newRow("5") << "TümGiderleriGösterDüğmesi"
                           << "Tüm Giderleri Göster" << twip(6750, 7770, 1785, 345) << "AnaForm";
        QTest::newRow("6") << "GiderSilDüğmesi"
                           << "Gider Sil" << twip(5310, 7770, 1365, 345) << "AnaForm";
        QTest::newRow("7") << "GiderEkleDüğmesi"
                           << "Gider Ekle" << twip(3870, 7770, 1365, 345) << "AnaForm";
        QTest::newRow("8") << "TümGelirleriGösterDüğmesi"
                           << "Tüm Gelirleri Göster" << twip(6750, 3750, 1785, 345) << "AnaForm";
        QTest::newRow("9") << "GelirSilDüğmesi"
                           << "Gelir Sil" << twip(5310, 3750, 1365, 345) << "AnaForm";
        QTest::newRow("10") << "GelirEkleDüğmesi"
                            << "Gelir Ekle" << twip(3870, 3750, 1365, 345) << "AnaForm";
        QTest::newRow("11") << "GelirlerListesi"
                            << "" << twip(3870, 1620, 7695, 1995) << "AnaForm";
        QTest::newRow("13") << "AyBilgisiKutusu"
                            << "" << twip(5580, 300, 1785, 315) << "Tarih Bilgileri";
        QTest::newRow("14") << "YılBilgisiKutusu"
                            << "" << twip(780, 300, 1785, 315) << "Tarih Bilgileri";
        QTest::newRow("17") << "GiderGrubuSilDüğmesi"
                            << "Gider Grubu Sil" << twip(1980, 7770, 1575, 345) << "AnaForm";
        QTest::newRow("18") << "GiderGrubuEkleDüğmesi"
                            << "Gider Grubu Ekle" << twip(300, 7770, 1575, 345) << "AnaForm";
        QTest::newRow("20") << "AnaGiderGruplarıListesi"
                            << "" << twip(240, 570, 2775, 315) << "Giderler";
        QTest::newRow("21") << "AltGiderGruplarıListesi"
                            << "" << twip(240, 1320, 2775, 1620) << "Giderler";
        QTest::newRow("24") << "GelirGrubuSilDüğmesi"
                            << "Gelir Grubu Sil" << twip(1980, 3750, 1575, 345) << "AnaForm";
        QTest::newRow("25") << "GelirGrubuEkleDüğmesi"
                            << "Gelir Grubu Ekle" << twip(300, 3750, 1575, 345) << "AnaForm";
        QTest::newRow("27") << "AltGelirGruplarıListesi"
                            << "" << twip(240, 1320, 2775, 1620) << "Gelirler";
        QTest::newRow("28") << "AnaGelirGruplarıListesi"
                            << "" << twip(240, 570, 2775, 315) << "Gelirler";
    }
    void controlsStandWhereDrawn()
    {
        QFETCH(QString, ad);
        QFETCH(QString, metin);
        QFETCH(QRect, alan);
        QFETCH(QString, kap);
        auto* denetim = form->findChild<QWidget*>(ad);
        QVERIFY2(denetim, qPrintable(ad));
        QCOMPARE(denetim->geometry(), alan);
        auto* çerçeve = qobject_cast<QGroupBox*>(denetim->parentWidget());
        QCOMPARE(çerçeve ? çerçeve->title() : denetim->parentWidget()->objectName(), kap);
        if (auto* düğme = qobject_cast<QPushButton*>(denetim))
            QCOMPARE(düğme->text(), metin);
    }

    void framesAndLabels()
    {
        QStringList çerçeveler;
        for (auto* ç : form->findChildren<QGroupBox*>())
            çerçeveler << ç->title() + QStringLiteral(" ") + QString::number(ç->x() * 15) + "," +
                              QString::number(ç->y() * 15);
        çerçeveler.sort();
        QCOMPARE(çerçeveler, (QStringList{"Gelirler 300,390", "Giderler 300,4440",
                                          "Tarih Bilgileri 3870,390"}));
        QStringList etiketler;
        for (auto* e : form->findChildren<QLabel*>())
            etiketler << e->text();
        etiketler.sort();
        QCOMPARE(etiketler,
                 (QStringList{"Alt Gelir Grupları :", "Alt Gider Grupları :", "Ana Gelir Grupları",
                              "Ana Gider Grupları", "Ay:", "Gelir Toplamı:", "Gelirler Listesi",
                              "Gider Toplamı:", "Giderler Listesi", "Yıl:"}));
        for (auto* e : form->findChildren<QLabel*>())
            QVERIFY2(e->width() >= e->sizeHint().width(), qPrintable(e->text())); // never clipped
    }

    void entryListsHaveTheirColumnsAndAHiddenKey_data()
    {
        QTest::addColumn<QString>("ad");
        QTest::addColumn<QStringList>("başlıklar");
        QTest::newRow("income") << "GelirlerListesi" << QStringList{"",
                                                                    "Ana Grup",
                                                                    "Alt Grup",
                                                                    "Tahmini Gelir",
                                                                    "Gerçekleşen Gelir",
                                                                    "Oran (%)"};
        QTest::newRow("expense") << "GiderlerListesi" << QStringList{"",
                                                                     "Ana Grup",
                                                                     "Alt Grup",
                                                                     "Tahmini Gider",
                                                                     "Gerçekleşen Gider",
                                                                     "Oran (%)"};
    }
    void entryListsHaveTheirColumnsAndAHiddenKey()
    {
        QFETCH(QString, ad);
        QFETCH(QStringList, başlıklar);
        auto* liste = form->findChild<QTreeWidget*>(ad);
        QVERIFY(liste);
        QStringList gerçek;
        for (int i = 0; i < liste->columnCount(); ++i)
            gerçek << liste->headerItem()->text(i);
        QCOMPARE(gerçek, başlıklar);
        QVERIFY(liste->isColumnHidden(0));
        QCOMPARE(liste->columnWidth(1), 1600 / 15);
        QCOMPARE(liste->columnWidth(3), 1500 / 15);
        QCOMPARE(liste->columnWidth(5), 1000 / 15);
    }

    void controlsAreNamedForScreenReaders()
    {
        const QList<QPair<QString, QString>> adlar{
            {"GelirlerListesi", "Gelirler Listesi"},
            {"GiderlerListesi", "Giderler Listesi"},
            {"GelirToplamıKutusu", "Gelir Toplamı:"},
            {"GiderToplamıKutusu", "Gider Toplamı:"},
            {"YılBilgisiKutusu", "Yıl:"},
            {"AyBilgisiKutusu", "Ay:"},
            {"AnaGelirGruplarıListesi", "Ana Gelir Grupları"},
            {"AltGiderGruplarıListesi", "Alt Gider Grupları"}};
        for (const auto& [ad, erişilebilirAd] : adlar)
            QCOMPARE(form->findChild<QWidget*>(ad)->accessibleName(), erişilebilirAd);
    }

    void tabOrderFollowsTheDrawing()
    {
        const QStringList beklenen{"AnaGelirGruplarıListesi", "AltGelirGruplarıListesi",
                                   "GelirGrubuEkleDüğmesi",   "GelirGrubuSilDüğmesi",
                                   "AnaGiderGruplarıListesi", "AltGiderGruplarıListesi",
                                   "GiderGrubuEkleDüğmesi",   "GiderGrubuSilDüğmesi",
                                   "YılBilgisiKutusu",        "AyBilgisiKutusu",
                                   "GelirlerListesi",         "GelirEkleDüğmesi",
                                   "GelirSilDüğmesi",         "TümGelirleriGösterDüğmesi",
                                   "GelirToplamıKutusu",      "GiderEkleDüğmesi",
                                   "GiderSilDüğmesi",         "TümGiderleriGösterDüğmesi",
                                   "GiderToplamıKutusu",      "GiderlerListesi"};
        QStringList sıra;
        QWidget* w = form->findChild<QWidget*>(beklenen.first());
        do {
            if ((w->focusPolicy() & Qt::TabFocus) && beklenen.contains(w->objectName()))
                sıra << w->objectName();
            w = w->nextInFocusChain();
        } while (w && w->objectName() != beklenen.first());
        QCOMPARE(sıra, beklenen);
    }
};

QTEST_MAIN(TestMainWindowLayout)
#include "tst_ana_form.moc"

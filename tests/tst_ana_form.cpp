#include "AylikOzetFormu.h"
#include "LedgerTest.h"

#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>

namespace
{

QRect twip(int sol, int ust, int genislik, int yukseklik)
{
    return {sol / 15, ust / 15, genislik / 15, yukseklik / 15};
}

} // namespace

class TestAnaForm : public LedgerTest
{
    Q_OBJECT

private slots:
    void init()
    {
        LedgerTest::init();
        form = ortam->anaForm();
    }

    // Each control's place in the client area or its frame (wider only where grown to the right
    // for its caption), container, and caption (buttons) or the name a screen reader gives it.
    // The two halves' buttons and totals stand alike, income on a higher line than expense; the
    // group lists stand alike in their ledger's frame.
    void controlsStandWhereDrawn_data()
    {
        QTest::addColumn<QString>("ad");
        QTest::addColumn<QString>("metin");
        QTest::addColumn<QRect>("alan");
        QTest::addColumn<QString>("kap");
        const auto satir = [](const QString& ad, const QString& metin, QRect alan,
                              const QString& kap = "İstemciAlanı") {
            QTest::newRow(qPrintable(ad)) << ad << metin << alan << kap;
        };
        for (const auto& [ad, ler, y, cerceve] :
             {std::tuple{"Gelir", "Gelirleri", 3750, "Gelirler"},
              std::tuple{"Gider", "Giderleri", 7770, "Giderler"}}) {
            const QString a = ad;
            satir(a + "GrubuEkleDüğmesi", a + " Grubu Ekle", twip(300, y, 1665, 345));
            satir(a + "GrubuSilDüğmesi", a + " Grubu Sil", twip(2055, y, 1500, 345));
            satir(a + "EkleDüğmesi", a + " Ekle", twip(3870, y, 1365, 345));
            satir(a + "SilDüğmesi", a + " Sil", twip(5310, y, 1365, 345));
            satir(QString("Tüm%1GösterDüğmesi").arg(ler), QString("Tüm %1 Göster").arg(ler),
                  twip(6750, y, 1785, 345));
            satir(a + "ToplamıKutusu", a + " Toplamı:", twip(10200, y + 15, 1365, 315));
            satir("Ana" + a + "GruplarıListesi", "Ana " + a + " Grupları",
                  twip(240, 570, 2775, 315), cerceve);
            satir("Alt" + a + "GruplarıListesi", "Alt " + a + " Grupları",
                  twip(240, 1320, 2775, 1620), cerceve);
        }
        satir("GelirlerListesi", "Gelirler Listesi", twip(3870, 1620, 7695, 1995));
        satir("GiderlerListesi", "Giderler Listesi", twip(3870, 4740, 7695, 2835));
        satir("AyBilgisiKutusu", "Ay:", twip(5580, 300, 1785, 315), "Tarih Bilgileri");
        satir("YılBilgisiKutusu", "Yıl:", twip(780, 300, 1785, 315), "Tarih Bilgileri");
    }
    void controlsStandWhereDrawn()
    {
        QFETCH(QString, ad);
        QFETCH(QString, metin);
        QFETCH(QRect, alan);
        QFETCH(QString, kap);
        auto* denetim = form->findChild<QWidget*>(ad);
        QVERIFY2(denetim, qPrintable(ad));
        QCOMPARE(denetim->geometry().adjusted(0, 0, alan.width() - denetim->width(), 0), alan);
        QCOMPARE_GE(denetim->width(), alan.width());
        auto* cerceve = qobject_cast<QGroupBox*>(denetim->parentWidget());
        QCOMPARE(cerceve ? cerceve->title() : denetim->parentWidget()->objectName(), kap);
        if (auto* dugme = qobject_cast<QPushButton*>(denetim))
            QCOMPARE(dugme->text(), metin);
        else
            QCOMPARE(denetim->accessibleName(), metin);
    }

    // The client area as drawn, the menu bar above it and the status bar below; it may grow.
    void windowFramesAndLabels()
    {
        QCOMPARE(form->objectName(), QStringLiteral("AnaForm"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Dalvix - Morvane"));
        QCOMPARE(form->centralWidget()->size(), QSize(794, 568));
        QCOMPARE(form->menuBar()->geometry().bottom() + 1, form->centralWidget()->y());
        QCOMPARE(form->statusBar()->y(), form->centralWidget()->geometry().bottom() + 1);
        QVERIFY(form->windowFlags() & Qt::WindowMaximizeButtonHint);
        QStringList gorulen;
        for (auto* c : form->findChildren<QGroupBox*>())
            gorulen << QStringLiteral("%1 %2,%3").arg(c->title()).arg(c->x() * 15).arg(c->y() * 15);
        for (auto* e : form->centralWidget()->findChildren<QLabel*>())
            gorulen << e->text();
        gorulen.sort();
        QCOMPARE(gorulen.join('/'),
                 "Alt Gelir Grupları :/Alt Gider Grupları :/Ana Gelir Grupları/Ana Gider Grupları/"
                 "Ay:/Gelir Toplamı:/Gelirler 300,390/Gelirler Listesi/Gider Toplamı:/Giderler "
                 "300,4440/Giderler Listesi/Tarih Bilgileri 3870,390/Yıl:");
    }
    // Never smaller than drawn; larger, the entry lists widen and share the extra height, their
    // buttons below them, the totals at their right edge, the group frames as drawn.
    void entryListsTakeTheRoom_data()
    {
        QTest::addColumn<QSize>("boyut");
        QTest::addColumn<int>("enAzSatir");
        QTest::newRow("en küçük") << QSize(300, 200) << 8;
        QTest::newRow("1280×900") << QSize(1280, 900) << 15;
    }
    void entryListsTakeTheRoom()
    {
        QFETCH(QSize, boyut);
        QFETCH(int, enAzSatir);
        ortam->anaGrupYaz(giderDefteri(), "EV");
        ortam->kayitYaz(giderDefteri(), "EV", "KİRA", 2024, "Mart", 100, 90);
        form = ortam->anaForm();
        form->resize(boyut);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        const QSize alan = form->centralWidget()->size();
        const int en = alan.width() - 794;
        const int boy = alan.height() - 568;
        QCOMPARE(alan, QSize(794, 568).expandedTo(boyut - form->size() + alan));
        auto* gelirler = kayitListesi(*form, gelirDefteri());
        auto* giderler = kayitListesi(*form, giderDefteri());
        QCOMPARE(gelirler->geometry(), twip(3870, 1620, 7695, 1995).adjusted(0, 0, en, boy / 2));
        QCOMPARE(giderler->geometry(), twip(3870, 4740, 7695, 2835).adjusted(0, boy / 2, en, boy));
        QCOMPARE(form->findChild<QWidget*>("GiderEkleDüğmesi")->y(), twip(0, 7770, 0, 0).y() + boy);
        QCOMPARE(form->findChild<QWidget*>("GelirToplamıKutusu")->geometry().right(),
                 gelirler->geometry().right());
        for (auto* cerceve : form->findChildren<QGroupBox*>())
            if (cerceve->title() == "Giderler")
                QCOMPARE(cerceve->geometry(), twip(300, 4440, 3255, 3165).translated(0, boy / 2));
        form->anaGrupListesi(giderDefteri())->setCurrentIndex(0);
        form->AnaGiderGruplariListesi_Click();
        QCOMPARE_GE(giderler->viewport()->height() / giderler->sizeHintForRow(0), enAzSatir);
    }

    void entryListsHaveTheirColumnsAndAHiddenKey_data() { defterSatirlari(); }
    void entryListsHaveTheirColumnsAndAHiddenKey()
    {
        QFETCH(QString, defterAdi);
        auto* liste = kayitListesi(*form, satirinDefteri());
        QVERIFY(liste);
        QCOMPARE(basliklar(liste),
                 (QStringList{"", "Ana Grup", "Alt Grup", "Ay", "Tahmini " + defterAdi,
                              "Gerçekleşen " + defterAdi, "Oran (%)"}));
        QVERIFY(liste->isColumnHidden(0));
        QList<int> genislikler;
        for (int s = 1; s < liste->columnCount(); ++s)
            genislikler << liste->columnWidth(s);
        // Beside a scroll bar all fit in the list's 7695 twips.
        QCOMPARE(genislikler,
                 (QList<int>{1125 / 15, 1125 / 15, 840 / 15, 1470 / 15, 1920 / 15, 960 / 15}));
    }

    void tabOrderFollowsTheDrawing()
    {
        const QStringList beklenen =
            QString("AnaGelirGruplarıListesi AltGelirGruplarıListesi GelirGrubuEkleDüğmesi "
                    "GelirGrubuSilDüğmesi AnaGiderGruplarıListesi AltGiderGruplarıListesi "
                    "GiderGrubuEkleDüğmesi GiderGrubuSilDüğmesi YılBilgisiKutusu AyBilgisiKutusu "
                    "GelirlerListesi GelirEkleDüğmesi GelirSilDüğmesi TümGelirleriGösterDüğmesi "
                    "GelirToplamıKutusu GiderEkleDüğmesi GiderSilDüğmesi "
                    "TümGiderleriGösterDüğmesi GiderToplamıKutusu GiderlerListesi")
                .split(' ');
        QStringList sira;
        QWidget* w = form->findChild<QWidget*>(beklenen.first());
        do {
            if ((w->focusPolicy() & Qt::TabFocus) && beklenen.contains(w->objectName()))
                sira << w->objectName();
            w = w->nextInFocusChain();
        } while (w && w->objectName() != beklenen.first());
        QCOMPARE(sira, beklenen);
    }

    // At the next start the window is as the user left it: its size, maximised or not, and the
    // entry lists' column widths. "Pencere Düzenini Sıfırla" brings back the drawn layout, here
    // and in the other windows.
    void layoutComesBackUntilReset_data()
    {
        QTest::addColumn<bool>("buyuk");
        QTest::newRow("normal") << false;
        QTest::newRow("büyütülmüş") << true;
    }
    void layoutComesBackUntilReset()
    {
        QFETCH(bool, buyuk);
        const QSize enKucuk = form->size();
        const int cizilenSutun = kayitListesi(*form, giderDefteri())->columnWidth(2);
        form->resize(1000, 750);
        kayitListesi(*form, giderDefteri())->setColumnWidth(2, 200);
        form->show();
        if (buyuk)
            form->showMaximized();
        {
            AylikOzetFormu ozet(gelirDefteri(), 2024, form.get());
            ozet.resize(ozet.size() + QSize(30, 30));
            ozet.show();
            ozet.hide();
        }
        form->close();
        form = ortam->anaForm();
        QCOMPARE(form->size(), QSize(1000, 750));
        QCOMPARE(form->isMaximized(), buyuk);
        QCOMPARE(kayitListesi(*form, giderDefteri())->columnWidth(2), 200);
        form->PencereDuzeniniSifirla_Click();
        QCOMPARE(form->size(), enKucuk);
        QVERIFY(!form->isMaximized());
        QCOMPARE(kayitListesi(*form, giderDefteri())->columnWidth(2), cizilenSutun);
        const AylikOzetFormu ozet(gelirDefteri(), 2024, form.get());
        QCOMPARE(ozet.size(), ozet.minimumSize());
    }
};

QTEST_MAIN(TestAnaForm)
#include "tst_ana_form.moc"

#include "AylikOzetFormu.h"
#include "LedgerTest.h"

#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>

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

    // Never smaller than drawn; larger, the entry lists widen and share the extra height, their
    // buttons below them, the totals at their right edge. A list's columns fill it, the extra
    // width shared alike by "Ana Grup" and "Alt Grup", the figures' columns as drawn.
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
        grupSec(*form, giderDefteri(), "EV");
        QCOMPARE_GE(giderler->viewport()->height() / giderler->sizeHintForRow(0), enAzSatir);
        const KayitListesi cizilen(giderDefteri(), nullptr);
        for (int s = 3; s <= 6; ++s)
            QCOMPARE(giderler->columnWidth(s), cizilen.columnWidth(s));
        QCOMPARE(giderler->header()->length(), giderler->viewport()->width());
        QCOMPARE_LE(qAbs(giderler->columnWidth(1) - cizilen.columnWidth(1) -
                         (giderler->columnWidth(2) - cizilen.columnWidth(2))),
                    1);
    }

    // The window opens as wide as the budget's group names need in the entry lists, and no wider
    // than the screen; "Pencere Düzenini Sıfırla" brings that size back.
    void defaultSizeShowsTheNames_data()
    {
        QTest::addColumn<QString>("anaGrup");
        QTest::addColumn<QString>("altGrup");
        QTest::addColumn<bool>("sigar");
        QTest::newRow("kısa adlar") << "EV" << "KİRA" << true;
        QTest::newRow("uzun adlar") << "KİRA GELİRLERİ" << "Faiz ve Temettü Gelirleri" << true;
        QTest::newRow("ekrandan uzun") << "KİRA" << QString(200, u'Ş') << false;
    }
    void defaultSizeShowsTheNames()
    {
        QFETCH(QString, anaGrup);
        QFETCH(QString, altGrup);
        QFETCH(bool, sigar);
        ortam->anaGrupYaz(gelirDefteri(), anaGrup);
        ortam->altGrupYaz(gelirDefteri(), anaGrup, altGrup);
        for (int i = 0; i < 20; ++i)
            ortam->kayitYaz(gelirDefteri(), anaGrup, altGrup, 2024, "Mart", 100, 90);
        form = ortam->anaForm();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        grupSec(*form, gelirDefteri(), anaGrup);
        const KayitListesi* liste = kayitListesi(*form, gelirDefteri());
        QTRY_VERIFY(liste->verticalScrollBar()->isVisible());
        const int kenar = 2 * (liste->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
        const int ekran = form->screen()->availableGeometry().width();
        QCOMPARE(form->width() == 794, altGrup == "KİRA");
        QCOMPARE_LE(form->width(), ekran);
        QCOMPARE(liste->columnWidth(2) >= liste->fontMetrics().horizontalAdvance(altGrup) + kenar,
                 sigar);
        QCOMPARE_GE(liste->columnWidth(1), liste->fontMetrics().horizontalAdvance(anaGrup) + kenar);
        QCOMPARE(form->width() == ekran, !sigar);
        // Opened again at the size it was left at, and reset to this one.
        const QSize ilk = form->size();
        form->close();
        form = ortam->anaForm();
        form->PencereDuzeniniSifirla_Click();
        QCOMPARE(form->size(), ilk);
    }

    // At the program's start the window is painted before the period is summed; the status bar's
    // figures follow, as a window that sums at once shows them.
    void figuresFollowTheFirstPaint()
    {
        ortam->anaGrupYaz(giderDefteri(), "EV");
        ortam->kayitYaz(giderDefteri(), "EV", "KİRA", 2024, "Mart", 100, 90);
        const QString beklenen =
            ortam->anaForm()->findChild<QLabel*>("DönemÖzetiEtiketi")->accessibleName();
        AnaForm pencere(QDate(2024, 3, 15), nullptr, AnaForm::IlkRakamlar::Boyaninca);
        auto* ozet = pencere.findChild<QLabel*>("DönemÖzetiEtiketi");
        QVERIFY(ozet->accessibleName() != beklenen);
        pencere.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pencere));
        QTRY_COMPARE(ozet->accessibleName(), beklenen);
    }

    // A ledger's half stands on any widget: told a period, it lists a group's entries in it, and
    // a command it runs is told by its signal.
    void ledgerHalfOnABareWidget()
    {
        const DefterTanimi& d = giderDefteri();
        ortam->anaGrupYaz(d, "EV");
        ortam->altGrupYaz(d, "EV", "KİRA");
        for (const char* ay : {"Nisan", "Mart"})
            ortam->kayitYaz(d, "EV", "KİRA", 2024, ay, 100, 90);
        QWidget alan;
        auto* bolum = new DefterBolumu(d, &alan, {}, {});
        QSignalSpy komutlar(bolum, &DefterBolumu::komutYapildi);
        bolum->donemDegisti({2024, 3});
        MesajKutusu::hatalariGostererek(&alan, [&] { bolum->yenile({"EV", "KİRA"}); });
        bolum->kayitListesi()->setCurrentIndex(bolum->kayitListesi()->model()->index(0, 1));
        MesajKutusu::sonrakiYanit(true);
        bolum->kayitSil();
        QCOMPARE(komutlar.value(0).value(0).toString(), "Gider Sil");
        QCOMPARE(ortam->sutunu("SELECT " + d.ayAlani + " FROM " + d.kayitTablosu),
                 QStringList{"Nisan"});
    }

    // At the next start the window is as the user left it: its size, maximised or not, and the
    // entry lists' column widths (a name column the user widened, the other made up for it).
    // "Pencere Düzenini Sıfırla" brings back the drawn layout, here and in the other windows.
    void layoutComesBackUntilReset_data() { ikiDurum("buyuk", "normal", "büyütülmüş"); }
    void layoutComesBackUntilReset()
    {
        QFETCH(bool, buyuk);
        const QSize enKucuk = form->size();
        const int cizilenSutun = kayitListesi(*form, giderDefteri())->columnWidth(2);
        const auto goster = [&] {
            form->show();
            if (buyuk)
                form->showMaximized();
            QTRY_VERIFY(!buyuk || form->size() != QSize(1000, 750)); // the screen's, once drawn
        };
        const auto genislikler = [&] {
            QList<int> sonuc;
            for (int s = 1; s <= 6; ++s)
                sonuc << kayitListesi(*form, giderDefteri())->columnWidth(s);
            return sonuc;
        };
        form->resize(1000, 750);
        goster();
        KayitListesi* liste = kayitListesi(*form, giderDefteri());
        const int altGrup = liste->columnWidth(2) + 10;
        liste->setColumnWidth(2, altGrup);
        QCOMPARE(liste->header()->length(), liste->viewport()->width());
        const QList<int> birakilan = genislikler();
        {
            AylikOzetFormu ozet(gelirDefteri(), {2024}, form.get());
            ozet.resize(ozet.size() + QSize(30, 30));
            ozet.show();
            ozet.hide();
        }
        form->close();
        form = ortam->anaForm();
        QCOMPARE(form->size(), QSize(1000, 750));
        QCOMPARE(form->isMaximized(), buyuk);
        goster();
        QCOMPARE(genislikler(), birakilan);
        QCOMPARE(genislikler()[1], altGrup);
        form->PencereDuzeniniSifirla_Click();
        QCOMPARE(form->size(), enKucuk);
        QVERIFY(!form->isMaximized());
        QCOMPARE(kayitListesi(*form, giderDefteri())->columnWidth(2), cizilenSutun);
        const AylikOzetFormu ozet(gelirDefteri(), {2024}, form.get());
        QCOMPARE(ozet.size(), ozet.minimumSize());
    }
};

QTEST_MAIN(TestAnaForm)
#include "tst_ana_form.moc"

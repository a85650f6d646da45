#include "Bicim.h"
#include "KayitEklemeFormu.h"
#include "LedgerTest.h"

#include <QLineEdit>
#include <QPushButton>

class TestAddEntry : public LedgerTest
{
    Q_OBJECT

    std::unique_ptr<KayitEklemeFormu> pencere;

    // The main window on "EV" / "KİRA" (and an empty "AİDAT") of the ledger, with the sub-group
    // and the period chosen, and the ledger's add-entry dialog on it.
    void ac(const DefterTanimi& d, const QString& ay = "Mart", const QString& yil = "2024",
            QDate bugun = QDate(2024, 3, 15))
    {
        ortam->anaGrupYaz(d, "EV");
        ortam->altGrupYaz(d, "EV", "KİRA");
        ortam->altGrupYaz(d, "EV", "AİDAT");
        form = ortam->anaForm(bugun);
        form->ayBilgisiKutusu()->setCurrentText(ay);
        form->yilBilgisiKutusu()->setCurrentText(yil);
        grupSec(*form, d, "EV", "KİRA");
        pencere = form->kayitEklemeFormu(d);
    }
    template <class T> T* denetim(const char* ad)
    {
        return pencere->findChild<T*>(QString::fromUtf8(ad));
    }
    QLineEdit* tahmin() { return denetim<QLineEdit>("TahminKutusu"); }
    QLineEdit* gerceklesen() { return denetim<QLineEdit>("GerçekleşenKutusu"); }
    QPushButton* ekleKaydet() { return denetim<QPushButton>("EkleKaydetDüğmesi"); }
    bool giriste() { return denetim<QComboBox>("YılBilgisiKutusu")->isEnabled(); }
    void doldur(const QString& t, const QString& g)
    {
        tahmin()->setText(t);
        pencere->TahminKutusu_LostFocus();
        gerceklesen()->setText(g);
        pencere->GerceklesenKutusu_LostFocus();
    }

private slots:
    void cleanup() // the dialog before the main window it belongs to
    {
        pencere.reset();
        LedgerTest::cleanup();
    }

    // The amount rule, through the dialog and the list: what each text reads as, what leaving its
    // box shows (which reads back the same), and the entry listed or the one message "Kaydet"
    // shows.
    void amounts_data()
    {
        QTest::addColumn<QString>("defterAdi");
        QTest::addColumn<QString>("tahmin");
        QTest::addColumn<QString>("gerceklesen");
        QTest::addColumn<QVariant>("kurus"); // the estimate as read; none when it is no amount
        QTest::addColumn<QString>("sonuc");  // the entry as listed, or the message
        const auto satir = [](const char* defter, const QString& t, const QVariant& kurus,
                              const QString& sonuc, const QString& g = "100") {
            QTest::addRow("%s %s / %s", defter, qPrintable(t), qPrintable(g))
                << QString(defter) << t << g << kurus << sonuc;
        };
        const auto okunamadi = [&](const QString& t) {
            satir("Gelir", t, {},
                  "bilgi: Gelir Tahmini okunamadı: \"" + t + "\". Örnek: 12.500,00");
        };
        satir("Gelir", "12.500", 1250000, "12.500,00|100,00|0,80%");
        satir("Gelir", "12.500,5", 1250050, "12.500,50|100,00|0,80%");
        satir("Gelir", "1234,56", 123456, "1.234,56|100,00|8,10%");
        satir("Gelir", "850", 85000, "850,00|100,00|11,76%");
        satir("Gelir", "1234.5", 123450, "1.234,50|100,00|8,10%");
        satir("Gelir", "0.75", 75, "0,75|100,00|13.333,33%");
        satir("Gelir", "1.500", 150000, "1.500,00|100,00|6,67%");
        satir("Gelir", "12.500,00 TL", 1250000, "12.500,00|100,00|0,80%");
        satir("Gelir", "1.234,56 TL", 123456, "1.234,56|100,00|8,10%");
        satir("Gelir", "₺850", 85000, "850,00|100,00|11,76%");
        satir("Gelir", "\u20091\u00a0234,5 tl", 123450, "1.234,50|100,00|8,10%");
        satir("Gelir", "999.999.999.999,99", Q_INT64_C(99999999999999),
              "999.999.999.999,99|100,00|0,00%");
        satir("Gelir", "-12.500", -1250000, "-12.500,00|100,00|-0,80%");
        satir("Gelir", "\u221212.500,5", -1250050, "-12.500,50|100,00|-0,80%");
        satir("Gelir", "-1234,56", -123456, "-1.234,56|100,00|-8,10%");
        satir("Gelir", "-1234.5", -123450, "-1.234,50|100,00|-8,10%");
        satir("Gelir", "-0.75", -75, "-0,75|100,00|-13.333,33%");
        satir("Gelir", "-1.500", -150000, "-1.500,00|100,00|-6,67%");
        satir("Gelir", "₺-850", -85000, "-850,00|100,00|-11,76%");
        satir("Gelir", "- 850 Tl", -85000, "-850,00|100,00|-11,76%");
        satir("Gelir", "-100", -10000, "-100,00|-90,00|90,00%", "-90");
        for (const char* t :
             {"1,234.50", "1,2,3", "1.2.3", "5-", "12abc", "abc", "1e3", "0x10", "NaN", "inf",
              "2,345", "1234.567", "12.50.000", "&H10", "--5", "TL 5 TL", "-"})
            okunamadi(t);
        okunamadi("\u0661\u0662\u0663"); // Arabic-Indic digits
        satir("Gelir", "", 0, "bilgi: GELİR TAHMİNİ boş bırakılamaz!");
        satir("Gelir", "0", 0, "bilgi: GELİR TAHMİNİ boş bırakılamaz!");
        satir("Gelir", "10", 1000, "bilgi: GERÇEKLEŞEN GELİR boş bırakılamaz!", "0,00");
        satir("Gelir", "10", 1000,
              "bilgi: Gerçekleşen Gelir okunamadı: \"1,234.50\". Örnek: 12.500,00", "1,234.50");
        satir("Gelir", "1.000.000.000.000", Q_INT64_C(100000000000000),
              "bilgi: Gelir Tahmini saklanamayacak kadar büyük; en çok 999.999.999.999,99 "
              "olabilir.");
        satir("Gelir", "10", 1000,
              "bilgi: Gerçekleşen Gelir saklanamayacak kadar büyük; en çok 999.999.999.999,99 "
              "olabilir.",
              "-1000000000000");
        satir("Gider", "0,00 TL", 0, "bilgi: GİDER TAHMİNİ boş bırakılamaz!");
        satir("Gider", "10", 1000, "bilgi: GERÇEKLEŞEN GİDER boş bırakılamaz!", "");
        satir("Gider", "1,234.50", {},
              "bilgi: Gider Tahmini okunamadı: \"1,234.50\". Örnek: 12.500,00");
        satir("Gider", "-12.500", -1250000, "-12.500,00|100,00|-0,80%");
    }
    void amounts()
    {
        QFETCH(QString, tahmin);
        QFETCH(QString, gerceklesen);
        QFETCH(QVariant, kurus);
        QFETCH(QString, sonuc);
        const DefterTanimi& d = satirinDefteri();
        const std::optional<qint64> okunan = Bicim::tutarOku(tahmin);
        QCOMPARE(okunan ? QVariant(*okunan) : QVariant(), kurus);

        ac(d);
        pencere->EkleKaydetDugmesi_Click();
        doldur(tahmin, gerceklesen);
        const QString kutuda = this->tahmin()->text();
        QCOMPARE(Bicim::tutarOku(kutuda), okunan);
        pencere->EkleKaydetDugmesi_Click();
        if (sonuc.startsWith("bilgi: ")) {
            QCOMPARE(mesajlar(), QStringList{sonuc});
            // A text that is no amount stays as typed, marked, its tooltip saying the same.
            if (!okunan)
                QCOMPARE("bilgi: " + this->tahmin()->toolTip(), sonuc);
            QVERIFY(giriste());
            QCOMPARE(ortam->satirSayisi(d.kayitTablosu), 0);
        } else {
            QCOMPARE(mesajlar(), QStringList());
            const QStringList listede = satirlar(kayitListesi(*form, d));
            QCOMPARE(listede.size(), 1);
            QCOMPARE(listede[0].section(u'|', 4), sonuc);
            QCOMPARE(listede[0].section(u'|', 4, 4), kutuda);
        }
    }

    // The dialog's texts, its two states and the period it proposes: the main window's year and
    // month, or the current month for "Tüm Aylar".
    void statesListsAndPreset_data()
    {
        QTest::addColumn<QString>("defterAdi");
        QTest::addColumn<QString>("anaPencereninAyi");
        QTest::addColumn<QString>("beklenenAy");
        QTest::addColumn<QStringList>("metinler"); // caption, object name, waiting button
        const auto satir = [](const char* ad, const char* defter, const char* ay,
                              const char* beklenenAy, const QStringList& metinler) {
            QTest::newRow(ad) << QString(defter) << QString::fromUtf8(ay)
                              << QString::fromUtf8(beklenenAy) << metinler;
        };
        const QStringList gelir{"Gelir Ekleme", "GelirEklemeFormu", "Yeni Gelir Ekle"};
        const QStringList gider{"Gider Ekleme", "GiderEklemeFormu", "Yeni Gider Ekle"};
        satir("income, whole year", "Gelir", "Tüm Aylar", "Mart", gelir);
        satir("income, a month", "Gelir", "Ekim", "Ekim", gelir);
        satir("expense, whole year", "Gider", "Tüm Aylar", "Mart", gider);
        satir("expense, a month", "Gider", "Şubat", "Şubat", gider);
    }
    void statesListsAndPreset()
    {
        QFETCH(QString, anaPencereninAyi);
        QFETCH(QString, beklenenAy);
        QFETCH(QStringList, metinler);
        const DefterTanimi& d = satirinDefteri();
        ac(d, anaPencereninAyi, "2019");

        QCOMPARE((QStringList{pencere->windowTitle(), pencere->objectName(), ekleKaydet()->text()}),
                 metinler);
        auto* yil = denetim<QComboBox>("YılBilgisiKutusu");
        auto* ay = denetim<QComboBox>("AyBilgisiKutusu");
        QCOMPARE(ogeler(yil), yillar());
        QCOMPARE(ogeler(ay), aylar());
        // Waiting: nothing chosen, nothing to type in.
        QCOMPARE(yil->currentIndex(), -1);
        QCOMPARE(ay->currentIndex(), -1);
        QVERIFY(!yil->isEnabled() && !tahmin()->isEnabled() && !gerceklesen()->isEnabled());
        QVERIFY(denetim<QPushButton>("KapatDüğmesi")->isEnabled());

        pencere->EkleKaydetDugmesi_Click();
        QCOMPARE(yil->currentText(), QStringLiteral("2019"));
        QCOMPARE(ay->currentText(), beklenenAy);
        QVERIFY(yil->isEnabled() && ay->isEnabled() && tahmin()->isEnabled() &&
                gerceklesen()->isEnabled());
        QCOMPARE(ekleKaydet()->text(), QStringLiteral("Kaydet"));
        QVERIFY(!denetim<QPushButton>("KapatDüğmesi")->isEnabled());

        tahmin()->setText("5");
        pencere->VazgecDugmesi_Click();
        QVERIFY(!giriste());
        QCOMPARE(tahmin()->text(), QString());
        QCOMPARE(yil->currentIndex(), -1);
        QCOMPARE(ekleKaydet()->text(), metinler.last());
        QCOMPARE(ortam->satirSayisi(d.kayitTablosu), 0);
    }

    // A main window on the clock proposes the current month for "Tüm Aylar", not a pinned one.
    void wholeYearPresetFollowsTheClock()
    {
        ac(gelirDefteri(), "Tüm Aylar", "2024", QDate());
        pencere->EkleKaydetDugmesi_Click();
        QCOMPARE(denetim<QComboBox>("AyBilgisiKutusu")->currentText(),
                 aylar()[QDate::currentDate().month() - 1]);
    }

    // Each save, by the button or by Enter, writes one entry under the groups chosen when the
    // dialog opened; Escape gives up; a failing save keeps what was typed.
    void saves_data() { defterSatirlari(); }
    void saves()
    {
        const DefterTanimi& d = satirinDefteri();
        ac(d);
        const auto ekleDugmesi = [&] {
            (form.get()->*(&d == &gelirDefteri() ? &AnaForm::GelirEkleDugmesi_Click
                                                 : &AnaForm::GiderEkleDugmesi_Click))();
        };
        QVERIFY(acilaniIncele(ekleDugmesi));
        pencere->EkleKaydetDugmesi_Click();
        denetim<QComboBox>("AyBilgisiKutusu")->setCurrentText("Nisan");
        doldur("1234.5", "-12,5");
        pencere->EkleKaydetDugmesi_Click();

        QCOMPARE(mesajlar(), QStringList());
        QVERIFY(!giriste());
        QCOMPARE(tahmin()->text(), QString());
        const QString alanlar =
            QStringLiteral("SELECT AnaGrup || '|' || GrupAdi || '|' || %1 || '|' || %2 || '|' || "
                           "%3 || '|' || Gerceklesen FROM %4")
                .arg(d.yilAlani, d.ayAlani, d.tahminAlani, d.kayitTablosu);
        QCOMPARE(ortam->sutunu(alanlar), QStringList{"EV|KİRA|2024|Nisan|1234.5|-12.5"});
        // The main window lists the whole main group for its period, with the new total.
        form->ayBilgisiKutusu()->setCurrentText("Nisan");
        QCOMPARE(toplam(*form, d), QStringLiteral("-12,50"));

        // The main window's sub-group is no longer chosen, so its add button opens nothing; the
        // second entry still goes under KİRA, preset to the period the dialog opened with.
        QCOMPARE(form->altGrupListesi(d)->selectedItems().size(), 0);
        QVERIFY(!acilaniIncele(ekleDugmesi));
        pencere->EkleKaydetDugmesi_Click();
        tahmin()->setText("100");
        gerceklesen()->setText("75,5");
        QTest::keyClick(gerceklesen(), Qt::Key_Return);
        QVERIFY(!giriste());

        pencere->EkleKaydetDugmesi_Click();
        tahmin()->setText("1");
        QTest::keyClick(tahmin(), Qt::Key_Escape);
        QVERIFY(!giriste());
        QCOMPARE(tahmin()->text(), QString());
        QCOMPARE(ortam->sutunu(alanlar),
                 (QStringList{"EV|KİRA|2024|Nisan|1234.5|-12.5", "EV|KİRA|2024|Mart|100.0|75.5"}));
        QCOMPARE(ortam->satirSayisi(oteki(d).kayitTablosu), 0);
        // Enter saves from a drop-down box as from an amount box.
        pencere->EkleKaydetDugmesi_Click();
        doldur("2", "3");
        QTest::keyClick(denetim<QComboBox>("AyBilgisiKutusu"), Qt::Key_Return);
        QVERIFY(!giriste());
        QCOMPARE(ortam->satirSayisi(d.kayitTablosu), 3);

        pencere->EkleKaydetDugmesi_Click();
        doldur("100", "90");
        ortam->sorgula("DROP TABLE " + d.kayitTablosu);
        pencere->EkleKaydetDugmesi_Click();
        QVERIFY(tekHata(QString()));
        QVERIFY(giriste());
        QCOMPARE(tahmin()->text(), QStringLiteral("100,00"));
        QCOMPARE(gerceklesen()->text(), QStringLiteral("90,00"));
    }
};

QTEST_MAIN(TestAddEntry)
#include "tst_kayit_ekleme.moc"

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
    void ac(const DefterTanimi& d, const QString& ay = "Mart", const QString& yil = "2024")
    {
        ortam->anaGrupYaz(d, "EV");
        ortam->altGrupYaz(d, "EV", "KİRA");
        ortam->altGrupYaz(d, "EV", "AİDAT");
        form = ortam->anaForm(QDate(2024, 3, 15));
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

    void amountRule_data()
    {
        QTest::addColumn<QString>("yazilan");
        QTest::addColumn<double>("tutar");
        QTest::addColumn<QString>("gosterilen");
        QTest::newRow("point as decimal") << "1234.5" << 1234.5 << "1.234,50";
        QTest::newRow("regional format") << "1.234,50" << 1234.5 << "1.234,50";
        QTest::newRow("decimal comma") << "1234,5" << 1234.5 << "1.234,50";
        QTest::newRow("below one") << "0,50" << 0.5 << "0,50";
        QTest::newRow("negative") << "-12,5" << -12.5 << "-12,50";
        QTest::newRow("trailing letters") << "12abc" << 12.0 << "12,00";
        QTest::newRow("hexadecimal") << "&H10" << 16.0 << "16,00";
        QTest::newRow("octal") << "&O17" << 15.0 << "15,00";
        QTest::newRow("exponent") << "1E3" << 1000.0 << "1.000,00";
        QTest::newRow("empty") << "" << 0.0 << "0,00";
        QTest::newRow("letters only") << "abc" << 0.0 << "0,00";
        QTest::newRow("blanks around") << "  7 " << 7.0 << "7,00";
        QTest::newRow("three decimals") << "2,345" << 2.345 << "2,35";
    }
    void amountRule()
    {
        QFETCH(QString, yazilan);
        QFETCH(double, tutar);
        QFETCH(QString, gosterilen);
        QCOMPARE(Bicim::tutarOku(yazilan), tutar);

        ac(gelirDefteri());
        pencere->EkleKaydetDugmesi_Click();
        tahmin()->setText(yazilan);
        pencere->TahminKutusu_LostFocus();
        QCOMPARE(tahmin()->text(), gosterilen);
        pencere->TahminKutusu_LostFocus(); // leaving the box again keeps the amount
        QCOMPARE(tahmin()->text(), gosterilen);
    }

    // The dialog's texts, its two states and the period it proposes: the main window's year and
    // month, or the current month for "Tüm Aylar".
    void statesListsAndPreset_data()
    {
        QTest::addColumn<QString>("defterAdi");
        QTest::addColumn<QString>("anaPencereninAyi");
        QTest::addColumn<QString>("beklenenAy");
        QTest::addColumn<QStringList>("metinler"); // caption, object name, waiting button
        const QStringList gelir{"Gelir Ekleme", "GelirEklemeFormu", "Yeni Gelir Ekle"};
        const QStringList gider{"Gider Ekleme", "GiderEklemeFormu", "Yeni Gider Ekle"};
        QTest::newRow("income, whole year") << "Gelir"
                                            << "Tüm Aylar"
                                            << "Mart" << gelir;
        QTest::newRow("income, a month") << "Gelir"
                                         << "Ekim"
                                         << "Ekim" << gelir;
        QTest::newRow("expense, whole year") << "Gider"
                                             << "Tüm Aylar"
                                             << "Mart" << gider;
        QTest::newRow("expense, a month") << "Gider"
                                          << "Şubat"
                                          << "Şubat" << gider;
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

    void refusals_data()
    {
        QTest::addColumn<QString>("defterAdi");
        QTest::addColumn<QString>("tahmin");
        QTest::addColumn<QString>("gerceklesen");
        QTest::addColumn<QString>("mesaj");
        const QString sinir = " saklanamayacak kadar büyük; en çok 999.999.999.999,99 olabilir.";
        const auto satir = [](const char* ad, const char* durum, const char* t, const char* g,
                              const QString& mesaj) {
            QTest::addRow("%s: %s", ad, durum) << ad << t << g << mesaj;
        };
        for (const char* ad : {"Gelir", "Gider"}) {
            const bool gelir = ad == QLatin1String("Gelir");
            const QString bosTahmin =
                gelir ? "GELİR TAHMİNİ boş bırakılamaz!" : "GİDER TAHMİNİ boş bırakılamaz!";
            satir(ad, "zero estimate", "0", "0", bosTahmin);
            satir(ad, "empty estimate", "", "10", bosTahmin);
            satir(ad, "letters only", "abc", "10", bosTahmin);
            satir(ad, "rounds to zero", "0,001", "10", bosTahmin);
            satir(ad, "zero realised", "10", "0,00",
                  gelir ? "GERÇEKLEŞEN GELİR boş bırakılamaz!"
                        : "GERÇEKLEŞEN GİDER boş bırakılamaz!");
            satir(ad, "estimate too large", "1E20", "10",
                  (gelir ? "Gelir Tahmini" : "Gider Tahmini") + sinir);
            satir(ad, "realised beyond the limit", "10", "-1000000000000",
                  (gelir ? "Gerçekleşen Gelir" : "Gerçekleşen Gider") + sinir);
        }
    }
    void refusals()
    {
        QFETCH(QString, tahmin);
        QFETCH(QString, gerceklesen);
        QFETCH(QString, mesaj);
        const DefterTanimi& d = satirinDefteri();
        ac(d);
        pencere->EkleKaydetDugmesi_Click();
        doldur(tahmin, gerceklesen);
        pencere->EkleKaydetDugmesi_Click();
        QCOMPARE(mesajlar(), QStringList{"bilgi: " + mesaj});
        QVERIFY(giriste());
        QCOMPARE(ortam->satirSayisi(d.kayitTablosu), 0);
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

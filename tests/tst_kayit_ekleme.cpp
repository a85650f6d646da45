#include "Biçim.h"
#include "KayıtEklemeFormu.h"
#include "LedgerTest.h"

#include <QLineEdit>
#include <QPushButton>

class TestAddEntry : public LedgerTest
{
    Q_OBJECT

    std::unique_ptr<KayıtEklemeFormu> pencere;

    // The main window on "EV" / "KİRA" (and an empty "AİDAT") of the ledger, with the sub-group
    // and the period chosen, and the ledger's add-entry dialog on it.
    void aç(const DefterTanımı& d, const QString& ay = "Mart", const QString& yıl = "2024")
    {
        ortam->anaGrupYaz(d, "EV");
        ortam->altGrupYaz(d, "EV", "KİRA");
        ortam->altGrupYaz(d, "EV", "AİDAT");
        form = ortam->anaForm(QDate(2024, 3, 15));
        form->ayBilgisiKutusu()->setCurrentText(ay);
        form->yılBilgisiKutusu()->setCurrentText(yıl);
        grupSeç(*form, d, "EV", "KİRA");
        pencere = std::make_unique<KayıtEklemeFormu>(d, *form);
    }
    template <class T> T* denetim(const char* ad)
    {
        return pencere->findChild<T*>(QString::fromUtf8(ad));
    }
    QLineEdit* tahmin() { return denetim<QLineEdit>("TahminKutusu"); }
    QLineEdit* gerçekleşen() { return denetim<QLineEdit>("GerçekleşenKutusu"); }
    QPushButton* ekleKaydet() { return denetim<QPushButton>("EkleKaydetDüğmesi"); }
    bool girişte() { return denetim<QComboBox>("YılBilgisiKutusu")->isEnabled(); }
    void doldur(const QString& t, const QString& g)
    {
        tahmin()->setText(t);
        pencere->TahminKutusu_LostFocus();
        gerçekleşen()->setText(g);
        pencere->GerçekleşenKutusu_LostFocus();
    }

private slots:
    void cleanup() // the dialog before the main window it belongs to
    {
        pencere.reset();
        LedgerTest::cleanup();
    }

    void amountRule_data()
    {
        QTest::addColumn<QString>("yazılan");
        QTest::addColumn<double>("tutar");
        QTest::addColumn<QString>("gösterilen");
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
        QFETCH(QString, yazılan);
        QFETCH(double, tutar);
        QFETCH(QString, gösterilen);
        QCOMPARE(Biçim::tutarOku(yazılan), tutar);

        aç(gelirDefteri());
        pencere->EkleKaydetDüğmesi_Click();
        tahmin()->setText(yazılan);
        pencere->TahminKutusu_LostFocus();
        QCOMPARE(tahmin()->text(), gösterilen);
        pencere->TahminKutusu_LostFocus(); // leaving the box again keeps the amount
        QCOMPARE(tahmin()->text(), gösterilen);
    }

    void statesListsAndPreset_data()
    {
        QTest::addColumn<QString>("defterAdı");
        QTest::addColumn<QString>("anaPencereninAyı");
        QTest::addColumn<QString>("beklenenAy");
        QTest::newRow("income, whole year") << QString("Gelir") << QString("Tüm Aylar") << "Mart";
        QTest::newRow("income, a month") << QString("Gelir") << QString("Ekim") << "Ekim";
        QTest::newRow("expense, whole year") << QString("Gider") << QString("Tüm Aylar") << "Mart";
        QTest::newRow("expense, a month") << QString("Gider") << QString("Şubat") << "Şubat";
    }
    void statesListsAndPreset()
    {
        QFETCH(QString, anaPencereninAyı);
        QFETCH(QString, beklenenAy);
        const DefterTanımı& d = satırınDefteri();
        aç(d, anaPencereninAyı, "2019");

        QCOMPARE(pencere->windowTitle(), d.eklemeBaşlığı);
        QCOMPARE(pencere->objectName(), d.adıyla("%1EklemeFormu"));
        auto* yıl = denetim<QComboBox>("YılBilgisiKutusu");
        auto* ay = denetim<QComboBox>("AyBilgisiKutusu");
        QCOMPARE(öğeler(yıl), yıllar());
        QCOMPARE(öğeler(ay), aylar());
        // Waiting: nothing chosen, nothing to type in.
        QCOMPARE(yıl->currentIndex(), -1);
        QCOMPARE(ay->currentIndex(), -1);
        QVERIFY(!yıl->isEnabled() && !tahmin()->isEnabled() && !gerçekleşen()->isEnabled());
        QCOMPARE(ekleKaydet()->text(), d.yeniKayıtDüğmesi);
        QVERIFY(denetim<QPushButton>("KapatDüğmesi")->isEnabled());

        pencere->EkleKaydetDüğmesi_Click();
        QCOMPARE(yıl->currentText(), QStringLiteral("2019"));
        QCOMPARE(ay->currentText(), beklenenAy);
        QVERIFY(yıl->isEnabled() && ay->isEnabled() && tahmin()->isEnabled() &&
                gerçekleşen()->isEnabled());
        QCOMPARE(ekleKaydet()->text(), QStringLiteral("Kaydet"));
        QVERIFY(!denetim<QPushButton>("KapatDüğmesi")->isEnabled());

        tahmin()->setText("5");
        pencere->VazgeçDüğmesi_Click();
        QVERIFY(!girişte());
        QCOMPARE(tahmin()->text(), QString());
        QCOMPARE(yıl->currentIndex(), -1);
        QCOMPARE(ekleKaydet()->text(), d.yeniKayıtDüğmesi);
        QCOMPARE(ortam->satırSayısı(d.kayıtTablosu), 0);
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("defterAdı");
        QTest::addColumn<QString>("tahmin");
        QTest::addColumn<QString>("gerçekleşen");
        QTest::addColumn<QString>("mesaj");
        for (const QString ad : {QStringLiteral("Gelir"), QStringLiteral("Gider")}) {
            const DefterTanımı& d = defterAdıyla(ad);
            const QString sınır =
                " saklanamayacak kadar büyük; en çok 999.999.999.999,99 olabilir.";
            const auto satır = [&](const char* durum, const char* t, const char* g,
                                   const QString& mesaj) {
                QTest::addRow("%s: %s", qPrintable(ad), durum) << ad << t << g << mesaj;
            };
            satır("zero estimate", "0", "0", d.boşTahminMesajı);
            satır("empty estimate", "", "10", d.boşTahminMesajı);
            satır("letters only", "abc", "10", d.boşTahminMesajı);
            satır("rounds to zero", "0,001", "10", d.boşTahminMesajı);
            satır("zero realised", "10", "0,00", d.boşGerçekleşenMesajı);
            satır("estimate too large", "1E20", "10", d.tahminEtiketi.chopped(1) + sınır);
            satır("realised beyond the limit", "10", "-1000000000000",
                  d.gerçekleşenEtiketi.chopped(1) + sınır);
        }
    }
    void refusals()
    {
        QFETCH(QString, tahmin);
        QFETCH(QString, gerçekleşen);
        QFETCH(QString, mesaj);
        const DefterTanımı& d = satırınDefteri();
        aç(d);
        pencere->EkleKaydetDüğmesi_Click();
        doldur(tahmin, gerçekleşen);
        pencere->EkleKaydetDüğmesi_Click();
        QCOMPARE(mesajlar(), QStringList{"bilgi: " + mesaj});
        QVERIFY(girişte());
        QCOMPARE(ortam->satırSayısı(d.kayıtTablosu), 0);
    }

    // Each save, by the button or by Enter, writes one entry under the groups chosen when the
    // dialog opened; Escape gives up; a failing save keeps what was typed.
    void saves_data() { defterSatırları(); }
    void saves()
    {
        const DefterTanımı& d = satırınDefteri();
        aç(d);
        const auto ekleDüğmesi = [&] {
            (form.get()->*(&d == &gelirDefteri() ? &AnaForm::GelirEkleDüğmesi_Click
                                                 : &AnaForm::GiderEkleDüğmesi_Click))();
        };
        QVERIFY(açılanıİncele(ekleDüğmesi));
        pencere->EkleKaydetDüğmesi_Click();
        denetim<QComboBox>("AyBilgisiKutusu")->setCurrentText("Nisan");
        doldur("1234.5", "-12,5");
        pencere->EkleKaydetDüğmesi_Click();

        QCOMPARE(mesajlar(), QStringList());
        QVERIFY(!girişte());
        QCOMPARE(tahmin()->text(), QString());
        const QString alanlar =
            QStringLiteral("SELECT AnaGrup || '|' || GrupAdi || '|' || %1 || '|' || %2 || '|' || "
                           "%3 || '|' || Gerceklesen FROM %4")
                .arg(d.yılAlanı, d.ayAlanı, d.tahminAlanı, d.kayıtTablosu);
        QCOMPARE(ortam->sütunu(alanlar), QStringList{"EV|KİRA|2024|Nisan|1234.5|-12.5"});
        // The main window lists the whole main group for its period, with the new total.
        form->ayBilgisiKutusu()->setCurrentText("Nisan");
        QCOMPARE(toplam(*form, d), QStringLiteral("-12,50"));

        // The main window's sub-group is no longer chosen, so its add button opens nothing; the
        // second entry still goes under KİRA.
        QCOMPARE(form->altGrupListesi(d)->selectedItems().size(), 0);
        QVERIFY(!açılanıİncele(ekleDüğmesi));
        pencere->EkleKaydetDüğmesi_Click();
        tahmin()->setText("100");
        gerçekleşen()->setText("75,5");
        QTest::keyClick(gerçekleşen(), Qt::Key_Return);
        QVERIFY(!girişte());

        pencere->EkleKaydetDüğmesi_Click();
        tahmin()->setText("1");
        QTest::keyClick(tahmin(), Qt::Key_Escape);
        QVERIFY(!girişte());
        QCOMPARE(tahmin()->text(), QString());
        QCOMPARE(ortam->sütunu(alanlar),
                 (QStringList{"EV|KİRA|2024|Nisan|1234.5|-12.5", "EV|KİRA|2024|Nisan|100.0|75.5"}));
        QCOMPARE(ortam->satırSayısı(öteki(d).kayıtTablosu), 0);

        pencere->EkleKaydetDüğmesi_Click();
        doldur("100", "90");
        ortam->sorgula("DROP TABLE " + d.kayıtTablosu);
        pencere->EkleKaydetDüğmesi_Click();
        QVERIFY(tekHata(QString()));
        QVERIFY(girişte());
        QCOMPARE(tahmin()->text(), QStringLiteral("100,00"));
        QCOMPARE(gerçekleşen()->text(), QStringLiteral("90,00"));
    }
};

QTEST_MAIN(TestAddEntry)
#include "tst_kayit_ekleme.moc"

#include "AnaForm.h"
#include "Biçim.h"
#include "KayıtEklemeFormu.h"
#include "MesajKutusu.h"
#include "TestOrtamı.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

namespace
{

const DefterTanımı& defter(const QString& ad)
{
    return ad == QStringLiteral("Gelir") ? gelirDefteri() : giderDefteri();
}

} // namespace

class TestAddEntry : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestOrtamı> ortam;
    std::unique_ptr<AnaForm> form;
    std::unique_ptr<KayıtEklemeFormu> pencere;

    void ledgerRows()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("income") << "Gelir";
        QTest::newRow("expense") << "Gider";
    }

    // The main window on "EV" / "KİRA" (and an empty "AİDAT") of the ledger, with the sub-group
    // chosen.
    void hazırla(const DefterTanımı& d, const QString& ay = QStringLiteral("Mart"))
    {
        ortam->anaGrupYaz(d, "EV");
        ortam->altGrupYaz(d, "EV", "KİRA");
        ortam->altGrupYaz(d, "EV", "AİDAT");
        form = ortam->anaForm(QDate(2024, 3, 15));
        form->ayBilgisiKutusu()->setCurrentText(ay);
        form->anaGrupListesi(d)->setCurrentIndex(0);
        form->anaGrupTıklandı(d);
        form->altGrupListesi(d)->setCurrentItem(
            form->altGrupListesi(d)->findItems("KİRA", Qt::MatchExactly).first());
    }
    void aç(const DefterTanımı& d) { pencere = std::make_unique<KayıtEklemeFormu>(d, *form); }
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
    QStringList mesajlar()
    {
        QStringList sonuç;
        for (const auto& m : MesajKutusu::gösterilenler())
            sonuç << m.metin;
        return sonuç;
    }

    // Presses a main-window button and reports whether a modal window came up (it is closed again).
    bool açılanPencere(void (AnaForm::*tıklama)())
    {
        bool açıldı = false;
        QTimer::singleShot(0, this, [&açıldı] {
            if (QWidget* w = QApplication::activeModalWidget()) {
                açıldı = true;
                w->close();
            }
        });
        (form.get()->*tıklama)();
        QCoreApplication::processEvents();
        return açıldı;
    }

private slots:
    void init() { ortam = std::make_unique<TestOrtamı>(); }
    void cleanup()
    {
        pencere.reset();
        form.reset();
        ortam.reset();
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

        hazırla(gelirDefteri());
        aç(gelirDefteri());
        pencere->EkleKaydetDüğmesi_Click();
        tahmin()->setText(yazılan);
        pencere->TahminKutusu_LostFocus();
        QCOMPARE(tahmin()->text(), gösterilen);
        pencere->TahminKutusu_LostFocus(); // leaving the box again keeps the amount
        QCOMPARE(tahmin()->text(), gösterilen);
    }

    void addButtonNeedsASubGroup_data() { ledgerRows(); }
    void addButtonNeedsASubGroup()
    {
        QFETCH(QString, kind);
        const DefterTanımı& d = defter(kind);
        hazırla(d);
        auto tıklama =
            kind == "Gelir" ? &AnaForm::GelirEkleDüğmesi_Click : &AnaForm::GiderEkleDüğmesi_Click;
        QVERIFY(açılanPencere(tıklama));
        form->anaGrupTıklandı(d); // the sub-group list is refilled with nothing chosen
        QVERIFY(!açılanPencere(tıklama));
        QVERIFY(MesajKutusu::gösterilenler().isEmpty());
    }

    void statesListsAndPreset_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("anaPencereninAyı");
        QTest::addColumn<QString>("beklenenAy");
        QTest::newRow("income, whole year") << "Gelir"
                                            << "Tüm Aylar"
                                            << "Mart";
        QTest::newRow("income, a month") << "Gelir"
                                         << "Ekim"
                                         << "Ekim";
        QTest::newRow("expense, whole year") << "Gider"
                                             << "Tüm Aylar"
                                             << "Mart";
        QTest::newRow("expense, a month") << "Gider"
                                          << "Şubat"
                                          << "Şubat";
    }
    void statesListsAndPreset()
    {
        QFETCH(QString, kind);
        QFETCH(QString, anaPencereninAyı);
        QFETCH(QString, beklenenAy);
        const DefterTanımı& d = defter(kind);
        hazırla(d, anaPencereninAyı);
        form->yılBilgisiKutusu()->setCurrentText("2019");
        aç(d);

        QCOMPARE(pencere->windowTitle(), d.eklemeBaşlığı);
        QCOMPARE(pencere->objectName(), d.adıyla("%1EklemeFormu"));
        auto* yıl = denetim<QComboBox>("YılBilgisiKutusu");
        auto* ay = denetim<QComboBox>("AyBilgisiKutusu");
        QCOMPARE(yıl->count(), 25);
        QCOMPARE(yıl->itemText(0), QStringLiteral("2006"));
        QCOMPARE(yıl->itemText(24), QStringLiteral("2030"));
        QCOMPARE(ay->count(), 12);
        QCOMPARE(ay->itemText(0), QStringLiteral("Ocak"));
        QCOMPARE(ay->findText("Tüm Aylar"), -1);
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
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("tahmin");
        QTest::addColumn<QString>("gerçekleşen");
        QTest::addColumn<QString>("mesaj");
        for (const QString& kind : {QStringLiteral("Gelir"), QStringLiteral("Gider")}) {
            const DefterTanımı& d = defter(kind);
            const QByteArray ön = kind.toUtf8() + ": ";
            QTest::newRow(ön + "zero estimate") << kind << "0"
                                                << "0" << d.boşTahminMesajı;
            QTest::newRow(ön + "empty estimate") << kind << ""
                                                 << "10" << d.boşTahminMesajı;
            QTest::newRow(ön + "letters only") << kind << "abc"
                                               << "10" << d.boşTahminMesajı;
            QTest::newRow(ön + "rounds to zero") << kind << "0,001"
                                                 << "10" << d.boşTahminMesajı;
            QTest::newRow(ön + "zero realised") << kind << "10"
                                                << "0,00" << d.boşGerçekleşenMesajı;
            QTest::newRow(ön + "estimate too large")
                << kind << "1E20"
                << "10"
                << d.tahminEtiketi.chopped(1) + " saklanamayacak kadar büyük; "
                                                "en çok 999.999.999.999,99 olabilir.";
            QTest::newRow(ön + "realised beyond the limit")
                << kind << "10"
                << "-1000000000000"
                << d.gerçekleşenEtiketi.chopped(1) +
                       " saklanamayacak kadar büyük; en çok 999.999.999.999,99 "
                       "olabilir.";
        }
    }
    void refusals()
    {
        QFETCH(QString, kind);
        QFETCH(QString, tahmin);
        QFETCH(QString, gerçekleşen);
        QFETCH(QString, mesaj);
        const DefterTanımı& d = defter(kind);
        hazırla(d);
        aç(d);
        pencere->EkleKaydetDüğmesi_Click();
        doldur(tahmin, gerçekleşen);
        pencere->EkleKaydetDüğmesi_Click();
        QCOMPARE(mesajlar(), QStringList{mesaj});
        QCOMPARE(MesajKutusu::gösterilenler().first().simge, MesajKutusu::Simge::Bilgi);
        QVERIFY(girişte());
        QCOMPARE(ortam->satırSayısı(d.kayıtTablosu), 0);
    }

    void saveWritesOneEntryPerSaveUnderTheOpeningsGroups_data() { ledgerRows(); }
    void saveWritesOneEntryPerSaveUnderTheOpeningsGroups()
    {
        QFETCH(QString, kind);
        const DefterTanımı& d = defter(kind);
        hazırla(d);
        aç(d);
        pencere->EkleKaydetDüğmesi_Click();
        denetim<QComboBox>("AyBilgisiKutusu")->setCurrentText("Nisan");
        doldur("1234.5", "-12,5");
        pencere->EkleKaydetDüğmesi_Click();

        QVERIFY(mesajlar().isEmpty());
        QVERIFY(!girişte());
        QCOMPARE(tahmin()->text(), QString());
        QCOMPARE(ortam->satırSayısı(d.kayıtTablosu), 1);
        const QString alanlar =
            QStringLiteral("SELECT AnaGrup || '|' || GrupAdi || '|' || %1 || '|' || %2 || '|' || "
                           "%3 || '|' || Gerceklesen FROM %4")
                .arg(d.yılAlanı, d.ayAlanı, d.tahminAlanı, d.kayıtTablosu);
        QCOMPARE(ortam->sorgula(alanlar).toString(),
                 QStringLiteral("EV|KİRA|2024|Nisan|1234.5|-12.5"));
        // The main window lists the whole main group for its period, with the new total.
        form->ayBilgisiKutusu()->setCurrentText("Nisan");
        QCOMPARE(form->findChild<QLineEdit*>(d.adıyla("%1ToplamıKutusu"))->text(),
                 QStringLiteral("-12,50"));

        // The main window's sub-group is no longer chosen; the second entry still goes under KİRA.
        QCOMPARE(form->altGrupListesi(d)->selectedItems().size(), 0);
        pencere->EkleKaydetDüğmesi_Click();
        doldur("10", "20");
        pencere->EkleKaydetDüğmesi_Click();
        QCOMPARE(
            ortam
                ->sorgula(QStringLiteral(
                              "SELECT count(*) FROM %1 WHERE GrupAdi = 'KİRA' AND AnaGrup = 'EV'")
                              .arg(d.kayıtTablosu))
                .toInt(),
            2);
        QCOMPARE(ortam->satırSayısı(defter(kind == "Gelir" ? "Gider" : "Gelir").kayıtTablosu), 0);
    }

    void keyboardSavesAndGivesUp()
    {
        const DefterTanımı& d = giderDefteri();
        hazırla(d);
        aç(d);
        pencere->EkleKaydetDüğmesi_Click();
        tahmin()->setText("100");
        gerçekleşen()->setText("75,5");
        QTest::keyClick(gerçekleşen(), Qt::Key_Return);
        QCOMPARE(ortam->sorgula("SELECT Gerceklesen FROM GiderlerTablosu").toDouble(), 75.5);
        QVERIFY(!girişte());

        pencere->EkleKaydetDüğmesi_Click();
        tahmin()->setText("1");
        QTest::keyClick(tahmin(), Qt::Key_Escape);
        QVERIFY(!girişte());
        QCOMPARE(tahmin()->text(), QString());
        QCOMPARE(ortam->satırSayısı(d.kayıtTablosu), 1);
    }

    void failedSaveKeepsTheInput()
    {
        const DefterTanımı& d = gelirDefteri();
        hazırla(d);
        aç(d);
        pencere->EkleKaydetDüğmesi_Click();
        doldur("100", "90");
        ortam->sorgula("DROP TABLE GelirlerTablosu");
        pencere->EkleKaydetDüğmesi_Click();
        QCOMPARE(MesajKutusu::gösterilenler().size(), 1);
        QCOMPARE(MesajKutusu::gösterilenler().first().simge, MesajKutusu::Simge::Hata);
        QVERIFY(girişte());
        QCOMPARE(tahmin()->text(), QStringLiteral("100,00"));
        QCOMPARE(gerçekleşen()->text(), QStringLiteral("90,00"));
    }
};

QTEST_MAIN(TestAddEntry)
#include "tst_kayit_ekleme.moc"

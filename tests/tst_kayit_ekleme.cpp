#include "Bicim.h"
#include "KayitEklemeFormu.h"
#include "LedgerTest.h"

#include <QLineEdit>
#include <QPushButton>

class TestKayitEkleme : public LedgerTest
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
        form->donemSecici()->ayKutusu()->setCurrentText(ay);
        form->donemSecici()->yilKutusu()->setCurrentText(yil);
        grupSec(*form, d, "EV", "KİRA");
        pencere = form->bolum(d).kayitEklemeFormu();
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

    // The amount rule: what each text reads as (none: no amount); what it shows as reads back the
    // same.
    void amountRule_data()
    {
        QTest::addColumn<QString>("metin");
        QTest::addColumn<QVariant>("kurus");
        const std::initializer_list<std::pair<const char*, qint64>> tutarlar{
            {"12.500", 1250000},       {"12.500,5", 1250050},   {"1234,56", 123456},
            {"1234.5", 123450},        {"0.75", 75},            {"1.500", 150000},
            {"12.500,00 TL", 1250000}, {"₺850", 85000},         {"\u20091\u00a0234,5 tl", 123450},
            {"-1234.5", -123450},      {"\u221212.500,5", -1250050}, {"₺-850", -85000},
            {"- 850 Tl", -85000},      {"", 0},                 {"0,00 TL", 0},
            {"999.999.999.999,99", Q_INT64_C(99999999999999)}};
        for (const auto& [metin, kurus] : tutarlar)
            QTest::addRow("[%s]", metin) << QString::fromUtf8(metin) << QVariant(kurus);
        for (const char* metin : {"1,234.50", "1,2,3", "1.2.3", "5-", "12abc", "1e3", "0x10", "NaN",
                                  "2,345", "1234.567", "12.50.000", "--5", "TL 5 TL", "-",
                                  "\u0661\u0662\u0663"})
            QTest::addRow("[%s]", metin) << QString::fromUtf8(metin) << QVariant();
    }
    void amountRule()
    {
        QFETCH(QString, metin);
        QFETCH(QVariant, kurus);
        const std::optional<qint64> okunan = Bicim::tutarOku(metin);
        QCOMPARE(okunan ? QVariant(*okunan) : QVariant(), kurus);
        if (okunan)
            QCOMPARE(Bicim::tutarOku(Bicim::tutar(*okunan)), okunan);
    }

    // Through the dialog: leaving a box shows the amount as read, and "Kaydet" lists the entry as
    // shown, or refuses with one message, a text that is no amount staying as typed, marked.
    void typedAmounts_data()
    {
        QTest::addColumn<QString>("defterAdi");
        QTest::addColumn<QString>("tahmin");
        QTest::addColumn<QString>("gerceklesen");
        QTest::addColumn<QString>("sonuc"); // the entry as listed, or the message
        const auto satir = [](const char* defter, const char* t, const char* g, const char* sonuc) {
            QTest::addRow("%s %s / %s", defter, t, g)
                << QString(defter) << QString::fromUtf8(t) << QString::fromUtf8(g)
                << QString::fromUtf8(sonuc);
        };
        const char* sinir = " saklanamayacak kadar büyük; en çok 999.999.999.999,99 olabilir.";
        satir("Gelir", "999.999.999.999,99", "90", "999.999.999.999,99|90,00|0,00%");
        satir("Gider", "-1.234,5 TL", "100", "-1.234,50|100,00|-8,10%");
        satir("Gelir", "1,234.50", "100",
              "bilgi: Gelir Tahmini okunamadı: \"1,234.50\". Örnek: 12.500,00");
        satir("Gider", "10", "1e3", "bilgi: Gerçekleşen Gider okunamadı: \"1e3\". Örnek: 12.500,00");
        satir("Gelir", "0", "100", "bilgi: GELİR TAHMİNİ boş bırakılamaz!");
        // An empty realised box plans the entry: stored NULL, no ratio; a typed zero is realised.
        satir("Gider", "10", "", "10,00||—");
        satir("Gelir", "10", "0", "10,00|0,00|0,00%");
        satir("Gider", "1.000.000.000.000", "1",
              qPrintable(QString("bilgi: Gider Tahmini") + sinir));
        satir("Gelir", "1", "-1000000000000",
              qPrintable(QString("bilgi: Gerçekleşen Gelir") + sinir));
    }
    void typedAmounts()
    {
        QFETCH(QString, tahmin);
        QFETCH(QString, gerceklesen);
        QFETCH(QString, sonuc);
        const DefterTanimi& d = satirinDefteri();
        ac(d);
        pencere->EkleKaydetDugmesi_Click();
        doldur(tahmin, gerceklesen);
        QCOMPARE(this->gerceklesen()->text().isEmpty(), gerceklesen.isEmpty());
        QLineEdit* kutu = sonuc.contains("Gerçekleşen") ? this->gerceklesen() : this->tahmin();
        const QString kutuda = kutu->text();
        pencere->EkleKaydetDugmesi_Click();
        if (sonuc.startsWith("bilgi: ")) {
            QCOMPARE(mesajlar(), QStringList{sonuc});
            if (sonuc.contains("okunamadı"))
                QCOMPARE("bilgi: " + kutu->toolTip(), sonuc);
            QVERIFY(giriste());
            QCOMPARE(ortam->satirSayisi(d.kayitTablosu), 0);
        } else {
            QCOMPARE(mesajlar(), QStringList());
            const QStringList listede = satirlar(kayitListesi(*form, d));
            QCOMPARE(listede.size(), 1);
            QCOMPARE(listede[0].section(u'|', 4), sonuc);
            QCOMPARE(listede[0].section(u'|', 4, 4), kutuda);
            QCOMPARE(ortam->sutunu("SELECT Gerceklesen IS NULL FROM " + d.kayitTablosu),
                     QStringList{gerceklesen.isEmpty() ? "1" : "0"});
        }
    }

    // Each save, by the button or by Enter, writes one entry under the groups chosen when the
    // dialog opened; a failing save keeps what was typed. With "Tüm Aylar" on the main window the
    // dialog proposes the current month.
    void saves_data() { defterSatirlari(); }
    void saves()
    {
        const DefterTanimi& d = satirinDefteri();
        ac(d, "Tüm Aylar");
        const auto ekleDugmesi = [&] { form->bolum(d).kayitEklemeyiAc(); };
        QVERIFY(acilaniIncele(ekleDugmesi));
        pencere->EkleKaydetDugmesi_Click();
        QCOMPARE(denetim<QComboBox>("AyBilgisiKutusu")->currentText(), QStringLiteral("Mart"));
        denetim<QComboBox>("AyBilgisiKutusu")->setCurrentText("Nisan");
        doldur("1234.5", "-12,5");
        pencere->EkleKaydetDugmesi_Click();

        QCOMPARE(mesajlar(), QStringList());
        QVERIFY(!giriste());
        QCOMPARE(tahmin()->text(), QString());
        QCOMPARE(denetim<QComboBox>("AyBilgisiKutusu")->currentText(), QStringLiteral("Nisan"));
        QCOMPARE(pencere->focusWidget(), ekleKaydet());
        const QString alanlar =
            QStringLiteral("SELECT AnaGrup || '|' || GrupAdi || '|' || %1 || '|' || %2 || '|' || "
                           "%3 || '|' || Gerceklesen FROM %4")
                .arg(d.yilAlani, d.ayAlani, d.tahminAlani, d.kayitTablosu);
        QCOMPARE(ortam->sutunu(alanlar), QStringList{"EV|KİRA|2024|Nisan|1234.5|-12.5"});
        // The main window lists the whole main group for its period, with the new total.
        form->donemSecici()->ayKutusu()->setCurrentText("Nisan");
        QCOMPARE(toplam(*form, d), QStringLiteral("-12,50"));

        // The main window's sub-group is no longer chosen, so its add button opens nothing; the
        // second entry still goes under KİRA, in the period of the entry saved before it.
        QCOMPARE(form->bolum(d).altGrupListesi()->selectedItems().size(), 0);
        QVERIFY(!acilaniIncele(ekleDugmesi));
        pencere->EkleKaydetDugmesi_Click();
        tahmin()->setText("100");
        gerceklesen()->setText("75,5");
        QTest::keyClick(gerceklesen(), Qt::Key_Return);
        QVERIFY(!giriste());

        QCOMPARE(ortam->sutunu(alanlar),
                 (QStringList{"EV|KİRA|2024|Nisan|1234.5|-12.5", "EV|KİRA|2024|Nisan|100.0|75.5"}));
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

QTEST_MAIN(TestKayitEkleme)
#include "tst_kayit_ekleme.moc"

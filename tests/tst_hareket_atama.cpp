#include "LedgerTest.h"

#include "AtamaModeli.h"
#include "Bicim.h"
#include "EkstreOkuma.h"
#include "HareketAtamaFormu.h"
#include "HareketlerFormu.h"
#include "HedefSecici.h"
#include "KayitEklemeFormu.h"
#include "KuralDuzenleyici.h"
#include "KurallarFormu.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QStringListModel>
#include <QTreeWidget>

// A statement assigned, written and taken back through the windows, on a budget whose expense
// MUTFAK / MARKET is planned in November 2024 and typed by hand in December, with no entry in
// January; the statement (a-hesap-hareketleri.xlsx) runs from November to January.
class TestHareketAtama : public LedgerTest
{
    Q_OBJECT

    const QString yol = QStringLiteral(BANKA_VERILERI "/a-hesap-hareketleri.xlsx");
    std::unique_ptr<HareketAtamaFormu> pencere;

    void hazirla()
    {
        ortam->anaGrupYaz(giderDefteri(), "MUTFAK");
        ortam->altGrupYaz(giderDefteri(), "MUTFAK", "MARKET");
        ortam->anaGrupYaz(giderDefteri(), "ULAŞIM");
        ortam->anaGrupYaz(gelirDefteri(), "MAAŞ");
        ortam->altGrupYaz(gelirDefteri(), "MAAŞ", "MAAŞ");
        ortam->kayitYaz(giderDefteri(), "MUTFAK", "MARKET", 2024, "Kasım", 500, QVariant());
        ortam->kayitYaz(giderDefteri(), "MUTFAK", "MARKET", 2024, "Aralık", 500, 100);
        form = ortam->anaForm();
    }
    void ac(const QString& dosya)
    {
        pencere = form->hareketAtamaFormu(EkstreOkuma::oku(dosya), dosya);
    }
    template <typename T = QWidget> T* bul(const char* ad)
    {
        return pencere->findChild<T*>(QString::fromUtf8(ad));
    }
    // The rows chosen by `secilsin`, assigned to the target (a rule remembered when given).
    void ata(const std::function<bool(const Hareket&)>& secilsin, const QString& defter,
             const QString& anaGrup, const QString& altGrup, const QString& kural = {})
    {
        QList<int> satirlar;
        for (int i = 0; i < pencere->atamaModeli()->rowCount(); ++i)
            if (secilsin(pencere->atamaModeli()->satir(i).atama.hareket))
                satirlar << i;
        pencere->satirlariSec(satirlar);
        bul<QComboBox>("DefterKutusu")->setCurrentText(defter);
        bul<QComboBox>("AnaGrupKutusu")->setEditText(anaGrup);
        bul<QComboBox>("AltGrupKutusu")->setEditText(altGrup);
        bul<QCheckBox>("KuralKutusu")->setChecked(!kural.isEmpty());
        bul<QLineEdit>("MetinKutusu")->setText(kural);
        pencere->AtaDugmesi_Click();
    }
    // The whole statement imported, and MUTFAK / MARKET's November entry chosen on the window.
    KayitListesi* kasimdakiMarket()
    {
        hazirla();
        ac(yol);
        hepsiniAta();
        pencere->IceAktarDugmesi_Click();
        form->donemSecici()->sec({2024, 11});
        grupSec(*form, giderDefteri(), "MUTFAK", "MARKET");
        KayitListesi* liste = kayitListesi(*form, giderDefteri());
        if (liste->satirSayisi() == 1)
            liste->setCurrentIndex(liste->model()->index(0, 1));
        return liste;
    }
    static QString ipucu(const KayitListesi* liste)
    {
        return liste->model()->index(0, 5).data(Qt::ToolTipRole).toString();
    }
    // How many rows each rule assigned, by the "Kural" column and the sub-group.
    QMap<QString, int> kurallarlaAtanan()
    {
        QMap<QString, int> sayilar;
        const AtamaModeli* m = pencere->atamaModeli();
        for (int i = 0; i < m->rowCount(); ++i)
            if (m->satir(i).kural)
                ++sayilar[m->index(i, AtamaModeli::KuralSutunu).data().toString() + " → " +
                          m->satir(i).atama.hedef->altGrup];
        return sayilar;
    }
    static bool cikan(const Hareket& h) { return h.tutar < 0; }
    static bool giren(const Hareket& h) { return h.tutar > 0; }
    void hepsiniAta()
    {
        ata(cikan, "Gider", "mutfak", "market");
        ata(giren, "Gelir", "MAAŞ", "MAAŞ");
    }
    // What the statement's money out of a month adds to the expense.
    qint64 cikanToplami(int ay)
    {
        qint64 toplam = 0;
        for (const Hareket& h : EkstreOkuma::oku(yol).cozum.hareketler)
            if (h.tutar < 0 && h.tarih.month() == ay)
                toplam -= h.tutar;
        return toplam;
    }
    // An amount of MUTFAK / MARKET in the month, in kuruş.
    qint64 market(const QString& ay, const char* alan = "Gerceklesen")
    {
        return qRound64(
            100 * ortam
                      ->sorgula(QStringLiteral("SELECT %1 FROM GiderlerTablosu WHERE GrupAdi = "
                                               "'MARKET' AND GiderAyi = ?")
                                    .arg(alan),
                                {ay})
                      .toDouble());
    }

private slots:
    // The window is the main window's child.
    void cleanup()
    {
        pencere.reset();
        LedgerTest::cleanup();
    }
    void initTestCase()
    {
        if (!QFile::exists(yol))
            QSKIP("the bank statements of tests/data/banka are missing");
    }

    // Every realised amount is the sum of its movements (the planned one filled, January made
    // "plansız"), the entry typed by hand replaced or added to as chosen; one undo step takes it
    // all back, and the same file again adds nothing.
    void importsAssignedMovementsAsOneStep_data()
    {
        QTest::addColumn<int>("secim");
        QTest::newRow("İçe aktarılanla değiştir") << 0;
        QTest::newRow("Üstüne ekle") << 1;
    }
    void importsAssignedMovementsAsOneStep()
    {
        QFETCH(int, secim);
        hazirla();
        const QStringList once = ortam->tumSatirlar();
        ac(yol);
        hepsiniAta();
        QVERIFY2(bul<QLabel>("SayılarEtiketi")->text().contains("0 zaten aktarılmış"),
                 qPrintable(bul<QLabel>("SayılarEtiketi")->text()));
        auto* elle = bul<QTreeWidget>("ElleGirilenlerListesi");
        QCOMPARE(satirlar(elle), QStringList{"Gider / MUTFAK / MARKET, Aralık 2024|100,00|" +
                                             Bicim::tutar(cikanToplami(12)) + "|"});
        static_cast<QComboBox*>(elle->itemWidget(elle->topLevelItem(0), 3))->setCurrentIndex(secim);
        pencere->IceAktarDugmesi_Click();

        QCOMPARE(menuKomutu(*form, "Geri Al")->text(), "Geri Al: Banka hareketleri (168)");
        QCOMPARE(form->statusBar()->currentMessage(),
                 "Banka hareketleri içe aktarıldı: 168 yazıldı, 0 zaten vardı, 0 yok sayıldı, 4 "
                 "plansız kayıt açıldı.");
        QCOMPARE(market("Kasım"), cikanToplami(11));
        QCOMPARE(market("Aralık"), cikanToplami(12) + (secim == 1 ? 10000 : 0));
        QCOMPARE(market("Ocak"), cikanToplami(1));
        QCOMPARE(market("Ocak", "GiderTahmini"), 0);

        ac(yol);
        hepsiniAta();
        pencere->IceAktarDugmesi_Click();
        QCOMPARE(mesajlar().last().left(57),
                 "bilgi: Aktarılacak yeni hareket yok: 168 hareket zaten ak");
        QCOMPARE(menuKomutu(*form, "Geri Al")->text(), "Geri Al: Banka hareketleri (168)");

        menuKomutu(*form, "Geri Al")->trigger();
        QCOMPARE(ortam->tumSatirlar(), once);
        QCOMPARE(ortam->satirSayisi("BankaHareketleri"), 0);
    }

    // A rule learnt on one row ("migros" finds "MİGROS") assigns the others it matches; the
    // next file comes in assigned, the more specific of two matching rules winning and the window
    // saying so. The rules' dialog edits and deletes them, each an undo step.
    void rulesAssignTheNextStatement()
    {
        hazirla();
        ac(yol);
        int ilk = 0;
        ata([&](const Hareket& h) { return h.aciklama.startsWith("MİGROS") && !ilk++; }, "Gider",
            "MUTFAK", "MARKET", "migros");
        QCOMPARE(menuKomutu(*form, "Geri Al")->text(), "Geri Al: Kural Ekle");
        QCOMPARE(kurallarlaAtanan(), (QMap<QString, int>{{"içerir «migros» → MARKET", 13}}));

        Kurallar::ekle({0,
                        Kural::Kosul::Baslar,
                        "MİGROS TİC",
                        {},
                        {},
                        {&giderDefteri(), "MUTFAK", "TEMİZLİK"}});
        ac(QStringLiteral(BANKA_VERILERI "/d-borc-alacak-cp1254.csv"));
        QCOMPARE(kurallarlaAtanan(),
                 (QMap<QString, int>{
                     {"başlar «MİGROS TİC» (2 kural eşleşti, en özeli) → TEMİZLİK", 14}}));
        QCOMPARE(bul<QLabel>("KuralEtiketi")->text(),
                 "14 harekete birden çok kural uydu; en özel olanı uygulandı (Kural sütunu).");
        const AtamaModeli* m = pencere->atamaModeli();
        QVERIFY(!m->satir(0).atama.hedef && m->satir(m->rowCount() - 1).atama.hedef);
        auto* anaGrup = bul<GrupKutusu>("AnaGrupKutusu");
        bul<QComboBox>("DefterKutusu")->setCurrentText("Gider");
        anaGrup->setEditText({});
        QTest::keyClicks(anaGrup->lineEdit(), "utf");
        QCOMPARE(static_cast<QStringListModel*>(anaGrup->completer()->model())->stringList(),
                 QStringList{"MUTFAK"});

        const std::unique_ptr<KurallarFormu> kurallar = form->kurallarFormu();
        kurallar->kuralListesi()->setCurrentItem(kurallar->kuralListesi()->topLevelItem(0));
        kurallar->findChild<QComboBox*>("KoşulKutusu")->setCurrentIndex(2);
        kurallar->findChild<QLineEdit*>("EnAzKutusu")->setText("10");
        kurallar->KaydetDugmesi_Click();
        QCOMPARE(menuKomutu(*form, "Geri Al")->text(), "Geri Al: Kuralı Düzenle");
        kurallar->kuralListesi()->setCurrentItem(kurallar->kuralListesi()->topLevelItem(1));
        MesajKutusu::sonrakiYanit(true);
        kurallar->SilDugmesi_Click();
        QCOMPARE(menuKomutu(*form, "Geri Al")->text(), "Geri Al: Kuralı Sil");
        QCOMPARE(satirlar(kurallar->kuralListesi()),
                 QStringList{"eşittir|migros|10,00 – |Gider / MUTFAK / MARKET"});
    }

    // The movements behind a realised amount are listed and marked; deleting the entry asks
    // whether they go with it (a statement then brings them again) or stay recognised.
    void entryShowsItsMovementsAndDeletingAsks_data()
    {
        QTest::addColumn<int>("secim");
        QTest::addColumn<int>("kalanHareket");
        QTest::addColumn<bool>("silindi");
        QTest::newRow("Hareketleriyle Sil") << 0 << 168 - 54 << true;
        QTest::newRow("Hareketleri Sakla") << 1 << 168 << true;
        QTest::newRow("Vazgeç") << 2 << 168 << false;
    }
    void entryShowsItsMovementsAndDeletingAsks()
    {
        QFETCH(int, secim);
        QFETCH(int, kalanHareket);
        QFETCH(bool, silindi);
        KayitListesi* liste = kasimdakiMarket();
        QVERIFY(liste->seciliKimlik());
        QCOMPARE(ipucu(liste), "Banka hareketlerinden (Hareketleri Göster…)");
        QVERIFY(menuKomutu(*form, "Hareketleri Göster…")->isEnabled());

        const std::unique_ptr<HareketlerFormu> hareketler =
            form->bolum(giderDefteri()).hareketlerFormu();
        QCOMPARE(hareketler->liste()->topLevelItemCount(), 54);
        QCOMPARE(satirlar(hareketler->liste()).first(),
                 "1 Kasım 2024|BİM BİRLEŞİK MAĞAZALAR ÜSKÜDAR İSTANBUL|-174,86|"
                 "a-hesap-hareketleri.xlsx|9");

        form->TumKayitlariKaydet_Click();
        QVERIFY(mesajlar().last().contains("Bütçede 168 banka hareketi var."));

        MesajKutusu::gosterilenleriSil();
        MesajKutusu::sonrakiSecim(secim);
        form->bolum(giderDefteri()).kayitSil();
        QVERIFY(mesajlar().first().contains("banka hareketlerinden geliyor"));
        QCOMPARE(liste->satirSayisi(), silindi ? 0 : 1);
        QCOMPARE(ortam->satirSayisi("BankaHareketleri"), kalanHareket);
    }

    // Correcting the realised amount asks whether the movements stay behind the entry.
    void correctingAsksAboutTheMovements_data()
    {
        QTest::addColumn<int>("secim");
        QTest::addColumn<int>("bagliHareket");
        QTest::newRow("Kayda Bağlı Kalsın") << 0 << 54;
        QTest::newRow("Kayıttan Ayır") << 1 << 0;
    }
    void correctingAsksAboutTheMovements()
    {
        QFETCH(int, secim);
        QFETCH(int, bagliHareket);
        KayitListesi* liste = kasimdakiMarket();
        QVERIFY(liste->seciliKimlik());
        const std::unique_ptr<KayitEklemeFormu> duzenleme =
            form->bolum(giderDefteri()).kayitDuzenlemeFormu();
        QVERIFY(duzenleme->findChild<QPushButton*>("HareketleriGösterDüğmesi"));
        duzenleme->findChild<QLineEdit*>("GerçekleşenKutusu")->setText("1.000");
        MesajKutusu::sonrakiSecim(secim);
        duzenleme->EkleKaydetDugmesi_Click();
        QCOMPARE(market("Kasım"), 100000);
        QCOMPARE(
            ortam->sorgula(
                "SELECT count(*) FROM BankaHareketleri WHERE KayitKimlik = 1 AND Defter = 'Gider'"),
            bagliHareket);
        QCOMPARE(ipucu(liste).isEmpty(), bagliHareket == 0);
    }
};

QTEST_MAIN(TestHareketAtama)
#include "tst_hareket_atama.moc"

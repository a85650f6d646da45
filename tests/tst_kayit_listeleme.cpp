#include "LedgerTest.h"

#include "AylikOzetFormu.h"
#include "DonemOzeti.h"
#include "DosyaBaglantisi.h"
#include "GrupEklemeFormu.h"
#include "KayitEklemeFormu.h"
#include "KilitBeklemesi.h"
#include "Yedekleme.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <QSqlQuery>
#include <QStatusBar>
#include <QTextDocumentFragment>

class TestKayitListeleme : public LedgerTest
{
    Q_OBJECT

    KayitListesi* liste(const DefterTanimi& d) { return kayitListesi(*form, d); }
    QString toplami(const DefterTanimi& d) { return toplam(*form, d); }
    QStringList sutunu(const DefterTanimi& d, int s) { return sutun(liste(d), s); }
    static QString no(qint64 kimlik) { return QString::number(kimlik); }

private slots:
    // One month or the whole year of the chosen year; a main group, or one of its sub-groups but
    // not the same-named one of another main group; names and months in any Turkish letter case, a
    // dotless I being another letter. Totals sum the realised amounts of the rows listed, from zero
    // each time. A change of period lists the chosen sub-group again and leaves the other ledger,
    // with no group chosen, untouched.
    void listsTheChosenPeriodAndGroup_data() { defterSatirlari(); }
    void listsTheChosenPeriodAndGroup()
    {
        const DefterTanimi& d = satirinDefteri();
        for (const char* ana : {"EV", "ARABA"}) {
            ortam->anaGrupYaz(d, ana);
            ortam->altGrupYaz(d, ana, "KİRA");
            ortam->altGrupYaz(d, ana, "SİGORTA");
        }
        const qint64 ocak = ortam->kayitYaz(d, "EV", "KİRA", 2024, "Ocak", 200, 150);
        const qint64 mart = ortam->kayitYaz(d, "ev", "kira", 2024, "mART", 1000, 1234.5);
        const qint64 gecenYil = ortam->kayitYaz(d, "EV", "KİRA", 2023, "Mart", 7, 7);
        ortam->kayitYaz(d, "EV", "KIRA", 2023, "Mart", 8, 8);
        const qint64 sigorta = ortam->kayitYaz(d, "EV", "SİGORTA", 2024, "Mart", 100, 90);
        ortam->kayitYaz(d, "ARABA", "SİGORTA", 2024, "Mart", 300, 300);
        form = ortam->anaForm(QDate(2024, 3, 1));

        grupSec(*form, d, "EV");
        QCOMPARE(ogeler(form->bolum(d).altGrupListesi()), (QStringList{"KİRA", "SİGORTA"}));
        QCOMPARE(satirlar(liste(d)),
                 (QStringList{no(mart) + "|ev|kira|mART|1.000,00|1.234,50|123,45%",
                              no(sigorta) + "|EV|SİGORTA|Mart|100,00|90,00|90,00%"}));
        QCOMPARE(toplami(d), QStringLiteral("1.324,50"));
        // A screen reader hears the total box's figure with its name.
        QCOMPARE(QAccessible::queryAccessibleInterface(
                     form->findChild<QLineEdit*>(d.ad + "ToplamıKutusu"))
                     ->text(QAccessible::Name),
                 d.ad + " Toplamı: 1.324,50");
        // Deselecting the sub-group, by Ctrl+click or a click beside the items, lists the main
        // group again.
        form->show();
        QListWidget* altlar = form->bolum(d).altGrupListesi();
        const QPoint sigortaNoktasi = altlar->visualItemRect(altlar->item(1)).center();
        for (const auto& [nokta, tus] : {std::pair{sigortaNoktasi, Qt::ControlModifier},
                                         {QPoint(4, altlar->viewport()->height() - 4), {}}}) {
            QTest::mouseClick(altlar->viewport(), Qt::LeftButton, {}, sigortaNoktasi);
            QCOMPARE(sutunu(d, 0), QStringList{no(sigorta)});
            QCOMPARE(toplami(d), QStringLiteral("90,00")); // realised, never the estimate
            QTest::mouseClick(altlar->viewport(), Qt::LeftButton, tus, nokta);
            QCOMPARE(altlar->selectedItems().size(), 0);
            QCOMPARE(sutunu(d, 0), (QStringList{no(mart), no(sigorta)}));
            QCOMPARE(toplami(d), QStringLiteral("1.324,50"));
        }

        grupSec(*form, d, "EV", "KİRA");
        form->donemSecici()->ayKutusu()->setCurrentText("Tüm Aylar");
        QCOMPARE(sutunu(d, 0), (QStringList{no(ocak), no(mart)}));
        QCOMPARE(toplami(d), QStringLiteral("1.384,50"));
        form->donemSecici()->yilKutusu()->setCurrentText("2023");
        QCOMPARE(sutunu(d, 0), QStringList{no(gecenYil)}); // not KIRA
        QCOMPARE(toplami(oteki(d)), QString());            // untouched, not even a zero
        form->donemSecici()->ayKutusu()->setCurrentText("Şubat");
        QCOMPARE(satirlar(liste(d)), QStringList{});
        QCOMPARE(toplami(d), QStringLiteral("0,00"));
        QCOMPARE(mesajlar(), QStringList{});
    }

    // Expense: the list's total, the status bar and the overview sum the amounts as shown, each
    // rounded to kuruş first. Income: months in calendar order whatever their letter case; sorted
    // as numbers.
    void totalOfShownAmountsAndSorting()
    {
        ortam->anaGrupYaz(giderDefteri(), "MUTFAK");
        for (double tutar : {0.1, 0.2, 1.006, 1.006, 1.006, 1234567.895})
            ortam->kayitYaz(giderDefteri(), "MUTFAK", "MARKET", 2024, "Mart", 1, tutar);
        ortam->anaGrupYaz(gelirDefteri(), "EK İŞ");
        for (const auto& [ay, tutar] :
             {std::pair{"ARALIK", 100.0}, {"şubat", 9.0}, {"Ocak", 1000.0}, {"EKİM", 20.0}})
            ortam->kayitYaz(gelirDefteri(), "EK İŞ", "DERS", 2024, ay, 100, tutar);
        form = ortam->anaForm(QDate(2024, 3, 1));
        grupSec(*form, giderDefteri(), "MUTFAK");
        QCOMPARE(sutunu(giderDefteri(), 5).last(), QStringLiteral("1.234.567,90"));
        QCOMPARE(toplami(giderDefteri()), QStringLiteral("1.234.571,23"));
        const QString durum = form->findChild<QLabel*>("DönemÖzetiEtiketi")->accessibleName();
        QVERIFY2(durum.contains("Gider: 6,00 planlanan · 1.234.571,23 gerçekleşen"),
                 qPrintable(durum));
        AylikOzetFormu ozet(giderDefteri(), {2024}, nullptr);
        QCOMPARE(satirlar(kayitListesi<QTreeView>(ozet, giderDefteri()))[2].section(u'|', 0, 2),
                 QStringLiteral("MART|6,00|1.234.571,23"));

        const DefterTanimi& d = gelirDefteri();
        form->donemSecici()->ayKutusu()->setCurrentText("Tüm Aylar");
        grupSec(*form, d, "EK İŞ");
        QCOMPARE(sutunu(d, 5), (QStringList{"1.000,00", "9,00", "20,00", "100,00"}));
        liste(d)->sortByColumn(6, Qt::DescendingOrder);
        QCOMPARE(sutunu(d, 6), (QStringList{"1.000,00%", "100,00%", "20,00%", "9,00%"}));
    }

    // Each ratio, marked "!" when drawn coloured and bold: income short of its estimate and expense
    // over it stand out. A planned entry (no realised amount yet) and rows of other tools whose
    // amounts are no numbers in range (NULL, text, 1e17, ±1e308) show empty cells and an unmarked
    // "—", and count as zero in the total, the status bar and the overview, which all say how many
    // amounts they left out; the planned entry's missing amount is not one of them.
    void ratiosAndForeignAmounts_data()
    {
        QTest::addColumn<QString>("defterAdi");
        QTest::addColumn<QStringList>("oranlar");
        const QStringList eksikler(5, "—");
        QTest::newRow("gelir") << "Gelir"
                               << QStringList{"90,00%!!", "110,00%", "100,00%"} + eksikler;
        QTest::newRow("gider") << "Gider"
                               << QStringList{"90,00%", "110,00%!!", "100,00%"} + eksikler;
    }
    void ratiosAndForeignAmounts()
    {
        QFETCH(QString, defterAdi);
        QFETCH(QStringList, oranlar);
        const DefterTanimi& d = satirinDefteri();
        ortam->anaGrupYaz(d, "EV");
        const QVariant yok;
        const QList<std::pair<QVariant, QVariant>> tutarlar{
            {100, 90}, {100, 110}, {100, 100},     {80, yok},
            {0, 50},   {yok, 25},  {"12,5", 1e17}, {1e308, -1e308}};
        for (const auto& [tahmin, gerceklesen] : tutarlar)
            ortam->kayitYaz(d, "EV", "KİRA", 2024, "Mart", tahmin, gerceklesen);
        ortam->sorgula("UPDATE " + d.kayitTablosu + " SET GrupAdi = NULL WHERE Kimlik = 6");
        form = ortam->anaForm(QDate(2024, 3, 1));
        grupSec(*form, d, "EV");
        QStringList gosterilen;
        for (int i = 0; i < 8; ++i) {
            const QModelIndex oran = liste(d)->model()->index(i, 6);
            gosterilen << oran.data().toString() +
                              (oran.data(Qt::ForegroundRole).isValid() ? "!" : "") +
                              (oran.data(Qt::FontRole).value<QFont>().bold() ? "!" : "");
        }
        QCOMPARE(gosterilen, oranlar);
        QCOMPARE(sutunu(d, 4),
                 (QStringList{"100,00", "100,00", "100,00", "80,00", "0,00", "", "", ""}));
        QCOMPARE(sutunu(d, 5),
                 (QStringList{"90,00", "110,00", "100,00", "", "50,00", "25,00", "", ""}));
        QCOMPARE(sutunu(d, 2)[5], QString());
        liste(d)->sortByColumn(5, Qt::AscendingOrder); // rows without an amount first
        QCOMPARE(sutunu(d, 5),
                 (QStringList{"", "", "", "25,00", "50,00", "90,00", "100,00", "110,00"}));
        auto* toplamKutusu = form->findChild<QLineEdit*>(defterAdi + "ToplamıKutusu");
        QCOMPARE(QStringList({toplamKutusu->text(), toplamKutusu->toolTip()}),
                 (QStringList{"375,00", "5 tutar okunamadı"}));
        const auto* durum = form->findChild<QLabel*>("DönemÖzetiEtiketi");
        QVERIFY2(durum->accessibleName().contains(defterAdi + ": 380,00 planlanan · 375,00"),
                 qPrintable(durum->accessibleName()));
        QVERIFY(durum->toolTip().endsWith("\n5 tutar okunamadı"));

        AylikOzetFormu ozet(d, {2024}, nullptr);
        const QStringList aylar = satirlar(kayitListesi<QTreeView>(ozet, d));
        QCOMPARE(QStringList({aylar[2], aylar[12]}),
                 (QStringList{"MART|380,00|375,00|125,00%", "TOPLAM|380,00|375,00|125,00%"}));
        QCOMPARE(ozet.windowTitle(),
                 "Tüm " + defterAdi + "ler Listesi — 2024 (5 tutar okunamadı)");
        QCOMPARE(mesajlar(), QStringList{});
    }

    // The status bar: estimate and realised of each ledger over all groups for the period, from
    // start-up on, and the realised difference, in dark red when negative; shortened to the
    // realised figures, then to the bare figures, as the bar narrows; the whole in the tooltip,
    // with the period, and announced to screen readers.
    void periodFiguresInTheStatusBar_data()
    {
        QTest::addColumn<QString>("ay");
        QTest::addColumn<int>("kisaltma");
        QTest::addColumn<QString>("metin");
        QTest::newRow("wide") << "Mart" << 0
                              << "Gelir: 12.500,00 plan · 12.000,00 gerçek | Gider: 9.800,00 "
                                 "plan · 10.250,00 gerçek | Fark: 1.750,00";
        QTest::newRow("narrow") << "Mart" << 1
                                << "Gelir: 12.000,00 | Gider: 10.250,00 | Fark: 1.750,00";
        QTest::newRow("narrower") << "Mart" << 2 << "12.000,00 | 10.250,00 | 1.750,00";
        QTest::newRow("every month, negative")
            << "Tüm Aylar" << 1
            << "Gelir: 12.000,00 | Gider: 15.250,00 | <span style=\"color:#b00020\">Fark: "
               "-3.250,00</span>";
    }
    void periodFiguresInTheStatusBar()
    {
        QFETCH(QString, ay);
        QFETCH(int, kisaltma);
        QFETCH(QString, metin);
        ortam->kayitYaz(gelirDefteri(), "MAAŞ", "ANA İŞ", 2024, "Mart", 12500, 12000);
        ortam->kayitYaz(gelirDefteri(), "EK İŞ", "DERS", 2024, "Nisan", 1000, QVariant());
        ortam->kayitYaz(gelirDefteri(), "MAAŞ", "ANA İŞ", 2023, "Mart", 999, 999);
        ortam->kayitYaz(giderDefteri(), "MUTFAK", "MARKET", 2024, "mart", 9800, 10250);
        ortam->kayitYaz(giderDefteri(), "EV", "KİRA", 2024, "Nisan", 5000, 5000);
        form = ortam->anaForm(QDate(2024, 3, 1));
        form->donemSecici()->ayKutusu()->setCurrentText(ay);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        auto* ozet = form->findChild<QLabel*>("DönemÖzetiEtiketi");
        // The bar as wide as the text of the row needs; a pixel less for the shortest.
        const QString duz = QTextDocumentFragment::fromHtml(metin).toPlainText();
        form->statusBar()->resize(ozet->fontMetrics().horizontalAdvance(duz) + 8 + DonemOzeti::pay -
                                      (kisaltma < 2 ? 0 : 1),
                                  form->statusBar()->height());
        QCOMPARE(ozet->text(), metin);
        const QString donem = ay == "Mart" ? "Mart 2024" : "2024, Tüm Aylar";
        const QString gider =
            ay == "Mart" ? "9.800,00 planlanan · 10.250,00" : "14.800,00 planlanan · 15.250,00";
        QCOMPARE(ozet->toolTip().split('\n').value(1),
                 "Gider: " + gider + " gerçekleşen (" + donem + ")");
        QAccessibleInterface* erisim = QAccessible::queryAccessibleInterface(ozet);
        const QString gelir = ay == "Mart" ? "12.500,00" : "13.500,00";
        QVERIFY(erisim->text(QAccessible::Name)
                    .startsWith("Gelir: " + gelir + " planlanan · 12.000,00 gerçekleşen | Gider: "));
    }

    // Another program holding the file locked: each command, however many statements it runs,
    // the automatic backup included, waits once (5 s on a clock the test keeps) and shows one
    // message, Turkish first; once the file is free the command works, and the backup that
    // failed is taken then.
    void lockedFileOneMessagePerCommand()
    {
        const DefterTanimi& d = gelirDefteri();
        ortam->anaGrupYaz(d, "MAAŞ");
        qint64 saat = 0;
        KilitBeklemesi::saatiDegistir([&] { return saat; }, [&](qint64 ms) { saat += ms; });
        const auto gercekSaat = qScopeGuard([] { KilitBeklemesi::saatiDegistir({}, {}); });
        const DosyaBaglantisi baska(ortam->dosya(), DosyaBaglantisi::Kip::Yazilabilir);
        QVERIFY(QSqlQuery(baska.db()).exec("BEGIN EXCLUSIVE"));
        const QStringList kilitli{"hata: Varnel.mdb başka bir program tarafından kilitli; biraz "
                                  "sonra yeniden deneyin.\n(Hata 5: database is locked)"};
        const auto tekBekleme = [&](const std::function<void()>& komut) {
            MesajKutusu::gosterilenleriSil();
            const qint64 once = saat;
            komut();
            QCOMPARE(mesajlar(), kilitli);
            QCOMPARE(saat - once, KilitBeklemesi::sure);
        };

        tekBekleme([&] { form = ortam->anaForm(QDate(2024, 3, 1)); });
        const auto grupDiyalogu = form->bolum(d).grupEklemeFormu();
        for (int komut = 0; komut < 2; ++komut) // opening the input, saving
            tekBekleme([&] {
                grupDiyalogu->findChild<QComboBox*>()->setEditText("EV");
                grupDiyalogu->findChild<QLineEdit*>("AltGelirGrubuKutusu")->setText("KİRA");
                grupDiyalogu->EkleKaydetDugmesi_Click();
            });
        QVERIFY(QSqlQuery(baska.db()).exec("ROLLBACK"));
        MesajKutusu::gosterilenleriSil();
        grupDiyalogu->EkleKaydetDugmesi_Click();
        QCOMPARE(mesajlar(), QStringList());
        QCOMPARE(ogeler(form->bolum(d).anaGrupListesi()), (QStringList{"EV", "MAAŞ"}));
        QCOMPARE(Yedekleme::yedekler(ortam->klasor() + "/Yedekler").size(), 1);
    }

    // The file moved away (to the program as good as deleted) or replaced under it: the next
    // command says so, and nothing is read from the old file or written anywhere.
    void vanishedFile_data() { ikiDurum("degistirildi", "taşındı", "değiştirildi"); }
    void vanishedFile()
    {
        QFETCH(bool, degistirildi);
        const DefterTanimi& d = giderDefteri();
        ortam->kayitYaz(d, "EV", "KİRA", 2024, "Nisan", 10, 10);
        ortam->altGrupYaz(d, "EV", "KİRA");
        ortam->anaGrupYaz(d, "EV");
        form = ortam->anaForm(QDate(2024, 3, 1));
        grupSec(*form, d, "EV", "KİRA");
        const std::unique_ptr<KayitEklemeFormu> pencere = form->bolum(d).kayitEklemeFormu();
        const QString yol = ortam->dosya();
        QVERIFY(QFile::rename(yol, yol + ".eski"));
        if (degistirildi)
            QVERIFY(QFile::copy(yol + ".eski", yol));
        const QStringList icerik = klasorIcerigi(ortam->klasor());
        const QString mesaj = "Varnel.mdb, Morvane açıldıktan sonra silinmiş, taşınmış ya da "
                              "başka bir dosyayla değiştirilmiş:\n" +
                              yol + "\n\nMorvane'yi kapatıp yeniden açın.";

        pencere->EkleKaydetDugmesi_Click();
        pencere->findChild<QLineEdit*>("TahminKutusu")->setText("5");
        pencere->findChild<QLineEdit*>("GerçekleşenKutusu")->setText("5");
        pencere->EkleKaydetDugmesi_Click();
        QVERIFY(tekHata(mesaj));
        MesajKutusu::gosterilenleriSil();
        form->donemSecici()->ayKutusu()->setCurrentText("Nisan");
        QVERIFY(tekHata(mesaj));
        QCOMPARE(satirlar(liste(d)), QStringList());
        QCOMPARE(klasorIcerigi(ortam->klasor()), icerik);
    }
};

QTEST_MAIN(TestKayitListeleme)
#include "tst_kayit_listeleme.moc"

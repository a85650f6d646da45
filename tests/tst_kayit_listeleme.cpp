#include "AnaForm.h"
#include "MesajKutusu.h"
#include "Okuma.h"
#include "TestOrtamı.h"

#include <QTreeWidget>
#include <QtTest>

class TestBrowsing : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestOrtamı> ortam;
    std::unique_ptr<AnaForm> form;

    QTreeWidget* liste(const DefterTanımı& d) { return kayıtListesi(*form, d); }
    QString toplamı(const DefterTanımı& d) { return toplam(*form, d); }
    QStringList sütunu(const DefterTanımı& d, int s) { return sütun(liste(d), s); }
    static QString no(qint64 kimlik) { return QString::number(kimlik); }

private slots:
    void init() { ortam = std::make_unique<TestOrtamı>(); }
    void cleanup()
    {
        form.reset();
        ortam.reset();
    }

    void wholeYearAgainstOneMonth_data() { defterSatırları(); }
    void wholeYearAgainstOneMonth()
    {
        const DefterTanımı& d = satırınDefteri();
        ortam->anaGrupYaz(d, "EV");
        ortam->altGrupYaz(d, "EV", "KİRA");
        const qint64 ocak = ortam->kayıtYaz(d, "EV", "KİRA", 2024, "Ocak", 200, 150);
        const qint64 mart = ortam->kayıtYaz(d, "EV", "KİRA", 2024, "Mart", 1000, 1234.5);
        ortam->kayıtYaz(d, "EV", "KİRA", 2023, "Mart", 7, 7);
        form = ortam->anaForm(QDate(2024, 3, 1));

        grupSeç(*form, d, "EV");
        QCOMPARE(satırlar(liste(d)), QStringList{no(mart) + "|EV|KİRA|1.000,00|1.234,50|123,45%"});
        QCOMPARE(toplamı(d), QStringLiteral("1.234,50"));

        form->ayBilgisiKutusu()->setCurrentText("Tüm Aylar");
        QCOMPARE(sütunu(d, 0), (QStringList{no(ocak), no(mart)}));
        QCOMPARE(sütunu(d, 5), (QStringList{"75,00%", "123,45%"}));
        QCOMPARE(toplamı(d), QStringLiteral("1.384,50"));

        form->ayBilgisiKutusu()->setCurrentText("Şubat");
        QCOMPARE(satırlar(liste(d)), QStringList{});
        QCOMPARE(toplamı(d), QStringLiteral("0,00"));
        QCOMPARE(mesajlar(), QStringList{});
    }

    void subGroupListingMatchesBothNames_data() { defterSatırları(); }
    void subGroupListingMatchesBothNames()
    {
        const DefterTanımı& d = satırınDefteri();
        for (const char* ana : {"EV", "ARABA"}) {
            ortam->anaGrupYaz(d, ana);
            ortam->altGrupYaz(d, ana, "SİGORTA");
            ortam->altGrupYaz(d, ana, "BAKIM");
        }
        const qint64 evSigorta = ortam->kayıtYaz(d, "EV", "SİGORTA", 2024, "Mart", 100, 90);
        ortam->kayıtYaz(d, "EV", "BAKIM", 2024, "Mart", 50, 60);
        ortam->kayıtYaz(d, "ARABA", "SİGORTA", 2024, "Mart", 300, 300);
        form = ortam->anaForm(QDate(2024, 3, 1));

        grupSeç(*form, d, "EV");
        QCOMPARE(form->altGrupListesi(d)->count(), 2);
        QCOMPARE(toplamı(d), QStringLiteral("150,00"));
        grupSeç(*form, d, "EV", "SİGORTA");
        QCOMPARE(sütunu(d, 0), QStringList{no(evSigorta)});
        QCOMPARE(toplamı(d), QStringLiteral("90,00")); // realised, never the estimate

        // Choosing the main group again lists all its entries from a zero total.
        grupSeç(*form, d, "EV");
        QCOMPARE(sütunu(d, 0).size(), 2);
        QCOMPARE(toplamı(d), QStringLiteral("150,00"));
        QCOMPARE(form->altGrupListesi(d)->selectedItems().size(), 0);
    }

    void totalIsTheSumOfTheAmountsShown()
    {
        const DefterTanımı& d = giderDefteri();
        ortam->anaGrupYaz(d, "MUTFAK");
        for (double tutar : {0.1, 0.2, 0.1, 0.2, 0.1, 0.2, 1234567.895})
            ortam->kayıtYaz(d, "MUTFAK", "MARKET", 2024, "Mart", 1, tutar);
        form = ortam->anaForm(QDate(2024, 3, 1));
        grupSeç(*form, d, "MUTFAK");
        QCOMPARE(sütunu(d, 4).last(), QStringLiteral("1.234.567,90"));
        QCOMPARE(toplamı(d), QStringLiteral("1.234.568,80"));
    }

    void ratiosOfOddRowsFromOtherTools()
    {
        const DefterTanımı& d = gelirDefteri();
        ortam->anaGrupYaz(d, "DİĞER");
        ortam->kayıtYaz(d, "DİĞER", "A", 2024, "Mart", 0, 50);
        ortam->kayıtYaz(d, "DİĞER", "B", 2024, "Mart", QVariant(), 25);
        ortam->kayıtYaz(d, "DİĞER", "C", 2024, "Mart", 80, QVariant());
        ortam->kayıtYaz(d, "DİĞER", QString(), 2024, "Mart", 10, 10);
        ortam->sorgula("UPDATE GelirlerTablosu SET GrupAdi = NULL WHERE GrupAdi = ''");
        form = ortam->anaForm(QDate(2024, 3, 1));
        grupSeç(*form, d, "DİĞER");
        QCOMPARE(satırlar(liste(d)),
                 (QStringList{"1|DİĞER|A|0,00|50,00|—", "2|DİĞER|B||25,00|—", "3|DİĞER|C|80,00||—",
                              "4|DİĞER||10,00|10,00|100,00%"}));
        QCOMPARE(toplamı(d), QStringLiteral("85,00"));
        QCOMPARE(mesajlar(), QStringList{});
    }

    // A change of period lists again each ledger with a main group chosen, ending with the rows of
    // its chosen sub-group; a ledger without one is left untouched.
    void periodChangeRelistsLedgersWithAGroup_data() { defterSatırları(); }
    void periodChangeRelistsLedgersWithAGroup()
    {
        const DefterTanımı& d = satırınDefteri();
        const DefterTanımı& ö = öteki(d);
        ortam->anaGrupYaz(d, "EV");
        ortam->altGrupYaz(d, "EV", "KİRA");
        ortam->altGrupYaz(d, "EV", "AİDAT");
        ortam->kayıtYaz(d, "EV", "KİRA", 2025, "Mart", 10, 10);
        const qint64 aidat = ortam->kayıtYaz(d, "EV", "AİDAT", 2025, "Mart", 20, 20);
        ortam->kayıtYaz(d, "EV", "AİDAT", 2024, "Mart", 30, 30);
        ortam->anaGrupYaz(ö, "MAAŞ");
        ortam->kayıtYaz(ö, "MAAŞ", "ANA İŞ", 2025, "Mart", 100, 100);
        ortam->kayıtYaz(ö, "MAAŞ", "ANA İŞ", 2025, "Nisan", 200, 250);
        form = ortam->anaForm(QDate(2024, 3, 1));
        grupSeç(*form, d, "EV", "AİDAT");
        QCOMPARE(toplamı(d), QStringLiteral("30,00"));

        form->yılBilgisiKutusu()->setCurrentText("2025");
        QCOMPARE(sütunu(d, 0), QStringList{no(aidat)});
        QCOMPARE(toplamı(d), QStringLiteral("20,00"));
        QCOMPARE(satırlar(liste(ö)), QStringList{});
        QCOMPARE(toplamı(ö), QString()); // untouched, not even a zero

        grupSeç(*form, ö, "MAAŞ");
        QCOMPARE(toplamı(ö), QStringLiteral("100,00"));
        form->ayBilgisiKutusu()->setCurrentText("Nisan");
        QCOMPARE(toplamı(ö), QStringLiteral("250,00"));
    }

    void monthAndGroupsMatchInAnyLetterCase()
    {
        const DefterTanımı& d = giderDefteri();
        ortam->anaGrupYaz(d, "O'NEIL");
        ortam->altGrupYaz(d, "O'NEIL", "İÇECEK");
        ortam->kayıtYaz(d, "O'NEIL", "İÇECEK", 2024, "NİSAN", 1, 1);
        ortam->kayıtYaz(d, "o'neıl", "içecek", 2024, "nisan", 2, 2);
        ortam->kayıtYaz(d, "O'NEIL", "İÇECEK", 2024, "Nısan", 4, 4); // not April: dotless ı
        ortam->kayıtYaz(d, "O'NEIL", "İÇECEK", 2024, "ocak", 8, 8);
        form = ortam->anaForm(QDate(2024, 4, 1));
        grupSeç(*form, d, "O'NEIL");
        QCOMPARE(toplamı(d), QStringLiteral("3,00"));
        grupSeç(*form, d, "O'NEIL", "İÇECEK");
        QCOMPARE(toplamı(d), QStringLiteral("3,00"));
        form->ayBilgisiKutusu()->setCurrentText("Ocak");
        QCOMPARE(toplamı(d), QStringLiteral("8,00"));
        QCOMPARE(mesajlar(), QStringList{});
    }

    void rowsInEntryOrderAndSortableAsNumbers()
    {
        const DefterTanımı& d = gelirDefteri();
        ortam->anaGrupYaz(d, "EK İŞ");
        for (double tutar : {100.0, 9.0, 1000.0, 20.0})
            ortam->kayıtYaz(d, "EK İŞ", "DERS", 2024, "Mart", 100, tutar);
        form = ortam->anaForm(QDate(2024, 3, 1));
        grupSeç(*form, d, "EK İŞ");
        QCOMPARE(sütunu(d, 4), (QStringList{"100,00", "9,00", "1.000,00", "20,00"}));

        liste(d)->sortByColumn(4, Qt::AscendingOrder);
        QCOMPARE(sütunu(d, 4), (QStringList{"9,00", "20,00", "100,00", "1.000,00"}));
        liste(d)->sortByColumn(5, Qt::DescendingOrder);
        QCOMPARE(sütunu(d, 5), (QStringList{"1.000,00%", "100,00%", "20,00%", "9,00%"}));
    }

    // The ratio that needs attention stands out: income short of its estimate, expense over it.
    void warningColourMarksTheRatio_data()
    {
        QTest::addColumn<QString>("defterAdı");
        QTest::addColumn<double>("gerçekleşen");
        QTest::addColumn<bool>("uyarı");
        QTest::newRow("income short") << QString("Gelir") << 90.0 << true;
        QTest::newRow("income over") << QString("Gelir") << 110.0 << false;
        QTest::newRow("expense over") << QString("Gider") << 110.0 << true;
        QTest::newRow("expense short") << QString("Gider") << 90.0 << false;
        QTest::newRow("expense exact") << QString("Gider") << 100.0 << false;
    }
    void warningColourMarksTheRatio()
    {
        QFETCH(double, gerçekleşen);
        QFETCH(bool, uyarı);
        const DefterTanımı& d = satırınDefteri();
        ortam->anaGrupYaz(d, "EV");
        ortam->kayıtYaz(d, "EV", "KİRA", 2024, "Mart", 100, gerçekleşen);
        form = ortam->anaForm(QDate(2024, 3, 1));
        grupSeç(*form, d, "EV");
        const QTreeWidgetItem* satır = liste(d)->topLevelItem(0);
        QCOMPARE(satır->foreground(5).style() != Qt::NoBrush, uyarı);
        QCOMPARE(satır->font(5).bold(), uyarı);
        QVERIFY(satır->text(5).endsWith(u'%'));
    }

    void engineFailureIsShownAndTheProgramGoesOn()
    {
        const DefterTanımı& d = gelirDefteri();
        ortam->anaGrupYaz(d, "MAAŞ");
        ortam->anaGrupYaz(giderDefteri(), "MUTFAK");
        form = ortam->anaForm(QDate(2024, 3, 1));
        ortam->sorgula("DROP TABLE GelirlerTablosu");
        grupSeç(*form, d, "MAAŞ");
        QVERIFY(tekHata("GelirlerTablosu"));
        QCOMPARE(satırlar(liste(d)), QStringList{});

        // A change of period that fails for both ledgers still shows a single message.
        grupSeç(*form, giderDefteri(), "MUTFAK");
        ortam->sorgula("DROP TABLE GiderlerTablosu");
        MesajKutusu::gösterilenleriSil();
        form->ayBilgisiKutusu()->setCurrentText("Nisan");
        QCOMPARE(mesajlar().size(), 1);
    }
};

QTEST_MAIN(TestBrowsing)
#include "tst_kayit_listeleme.moc"

#include "AnaForm.h"
#include "MesajKutusu.h"
#include "TestOrtamı.h"

#include <QLineEdit>
#include <QTreeWidget>
#include <QtTest>

namespace
{

const DefterTanımı* defter(const QString& ad)
{
    return ad == QStringLiteral("Gelir") ? &gelirDefteri() : &giderDefteri();
}

} // namespace

class TestBrowsing : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestOrtamı> ortam;
    std::unique_ptr<AnaForm> form;

    void ledgerRows()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("income") << "Gelir";
        QTest::newRow("expense") << "Gider";
    }

    void anaGrupSeç(const DefterTanımı& d, const QString& ad)
    {
        QComboBox* liste = form->anaGrupListesi(d);
        liste->setCurrentIndex(liste->findText(ad));
        QVERIFY(liste->currentIndex() >= 0);
        form->anaGrupTıklandı(d);
    }
    void altGrupSeç(const DefterTanımı& d, const QString& ad)
    {
        const QList<QListWidgetItem*> bulunan =
            form->altGrupListesi(d)->findItems(ad, Qt::MatchExactly);
        QVERIFY(!bulunan.isEmpty());
        form->altGrupListesi(d)->setCurrentItem(bulunan.first());
    }
    void ayıSeç(const QString& ay) { form->ayBilgisiKutusu()->setCurrentText(ay); }
    void yılıSeç(int yıl) { form->yılBilgisiKutusu()->setCurrentText(QString::number(yıl)); }

    QTreeWidget* liste(const DefterTanımı& d)
    {
        return form->findChild<QTreeWidget*>(d.adıyla("%1lerListesi"));
    }
    QString toplam(const DefterTanımı& d)
    {
        return form->findChild<QLineEdit*>(d.adıyla("%1ToplamıKutusu"))->text();
    }
    // Each row as "key|main|sub|estimate|realised|ratio", in display order.
    QStringList satırlar(const DefterTanımı& d)
    {
        QStringList sonuç;
        QTreeWidget* l = liste(d);
        for (int i = 0; i < l->topLevelItemCount(); ++i) {
            QStringList hücreler;
            for (int s = 0; s < 6; ++s)
                hücreler << l->topLevelItem(i)->text(s);
            sonuç << hücreler.join(u'|');
        }
        return sonuç;
    }
    QStringList sütun(const DefterTanımı& d, int s)
    {
        QStringList sonuç;
        for (const QString& satır : satırlar(d))
            sonuç << satır.section(u'|', s, s);
        return sonuç;
    }

private slots:
    void init() { ortam = std::make_unique<TestOrtamı>(); }
    void cleanup()
    {
        form.reset();
        ortam.reset();
    }

    void wholeYearAgainstOneMonth_data() { ledgerRows(); }
    void wholeYearAgainstOneMonth()
    {
        QFETCH(QString, kind);
        const DefterTanımı& d = *defter(kind);
        ortam->anaGrupYaz(d, "EV");
        ortam->altGrupYaz(d, "EV", "KİRA");
        const qint64 ocak = ortam->kayıtYaz(d, "EV", "KİRA", 2024, "Ocak", 200, 150);
        const qint64 mart = ortam->kayıtYaz(d, "EV", "KİRA", 2024, "Mart", 1000, 1234.5);
        ortam->kayıtYaz(d, "EV", "KİRA", 2023, "Mart", 7, 7);
        form = ortam->anaForm(QDate(2024, 3, 1));

        anaGrupSeç(d, "EV");
        QCOMPARE(satırlar(d),
                 QStringList{QString::number(mart) + "|EV|KİRA|1.000,00|1.234,50|123,45%"});
        QCOMPARE(toplam(d), QStringLiteral("1.234,50"));

        ayıSeç("Tüm Aylar");
        QCOMPARE(sütun(d, 0), (QStringList{QString::number(ocak), QString::number(mart)}));
        QCOMPARE(sütun(d, 5), (QStringList{"75,00%", "123,45%"}));
        QCOMPARE(toplam(d), QStringLiteral("1.384,50"));

        ayıSeç("Şubat");
        QCOMPARE(satırlar(d), QStringList{});
        QCOMPARE(toplam(d), QStringLiteral("0,00"));
        QVERIFY(MesajKutusu::gösterilenler().isEmpty());
    }

    void subGroupListingMatchesBothNames_data() { ledgerRows(); }
    void subGroupListingMatchesBothNames()
    {
        QFETCH(QString, kind);
        const DefterTanımı& d = *defter(kind);
        for (const char* ana : {"EV", "ARABA"}) {
            ortam->anaGrupYaz(d, ana);
            ortam->altGrupYaz(d, ana, "SİGORTA");
            ortam->altGrupYaz(d, ana, "BAKIM");
        }
        const qint64 evSigorta = ortam->kayıtYaz(d, "EV", "SİGORTA", 2024, "Mart", 100, 90);
        ortam->kayıtYaz(d, "EV", "BAKIM", 2024, "Mart", 50, 60);
        ortam->kayıtYaz(d, "ARABA", "SİGORTA", 2024, "Mart", 300, 300);
        form = ortam->anaForm(QDate(2024, 3, 1));

        anaGrupSeç(d, "EV");
        QCOMPARE(form->altGrupListesi(d)->count(), 2);
        QCOMPARE(toplam(d), QStringLiteral("150,00"));
        altGrupSeç(d, "SİGORTA");
        QCOMPARE(sütun(d, 0), QStringList{QString::number(evSigorta)});
        QCOMPARE(toplam(d), QStringLiteral("90,00")); // realised, never the estimate

        // Choosing the main group again lists all its entries from a zero total.
        anaGrupSeç(d, "EV");
        QCOMPARE(satırlar(d).size(), 2);
        QCOMPARE(toplam(d), QStringLiteral("150,00"));
        QCOMPARE(form->altGrupListesi(d)->selectedItems().size(), 0);
    }

    void totalIsTheSumOfTheAmountsShown()
    {
        const DefterTanımı& d = giderDefteri();
        ortam->anaGrupYaz(d, "MUTFAK");
        for (double tutar : {0.1, 0.2, 0.1, 0.2, 0.1, 0.2, 1234567.895})
            ortam->kayıtYaz(d, "MUTFAK", "MARKET", 2024, "Mart", 1, tutar);
        form = ortam->anaForm(QDate(2024, 3, 1));
        anaGrupSeç(d, "MUTFAK");
        QCOMPARE(sütun(d, 4).last(), QStringLiteral("1.234.567,90"));
        QCOMPARE(toplam(d), QStringLiteral("1.234.568,80"));
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
        anaGrupSeç(d, "DİĞER");
        QCOMPARE(sütun(d, 2), (QStringList{"A", "B", "C", ""}));
        QCOMPARE(sütun(d, 3), (QStringList{"0,00", "", "80,00", "10,00"}));
        QCOMPARE(sütun(d, 4), (QStringList{"50,00", "25,00", "", "10,00"}));
        QCOMPARE(sütun(d, 5), (QStringList{"—", "—", "—", "100,00%"}));
        QCOMPARE(toplam(d), QStringLiteral("85,00"));
        QVERIFY(MesajKutusu::gösterilenler().isEmpty());
    }

    void periodChangeRelistsOnlyLedgersWithAGroup()
    {
        ortam->anaGrupYaz(gelirDefteri(), "MAAŞ");
        ortam->kayıtYaz(gelirDefteri(), "MAAŞ", "ANA İŞ", 2024, "Mart", 100, 100);
        ortam->kayıtYaz(gelirDefteri(), "MAAŞ", "ANA İŞ", 2024, "Nisan", 200, 250);
        ortam->anaGrupYaz(giderDefteri(), "MUTFAK");
        ortam->kayıtYaz(giderDefteri(), "MUTFAK", "MARKET", 2024, "Nisan", 5, 5);
        form = ortam->anaForm(QDate(2024, 3, 1));
        anaGrupSeç(gelirDefteri(), "MAAŞ");
        QCOMPARE(toplam(gelirDefteri()), QStringLiteral("100,00"));

        ayıSeç("Nisan");
        QCOMPARE(toplam(gelirDefteri()), QStringLiteral("250,00"));
        QCOMPARE(satırlar(giderDefteri()), QStringList{});
        QCOMPARE(toplam(giderDefteri()), QString()); // untouched, not even a zero
    }

    void periodChangeEndsWithTheSubGroupRows_data() { ledgerRows(); }
    void periodChangeEndsWithTheSubGroupRows()
    {
        QFETCH(QString, kind);
        const DefterTanımı& d = *defter(kind);
        ortam->anaGrupYaz(d, "EV");
        ortam->altGrupYaz(d, "EV", "KİRA");
        ortam->altGrupYaz(d, "EV", "AİDAT");
        ortam->kayıtYaz(d, "EV", "KİRA", 2025, "Mart", 10, 10);
        const qint64 aidat = ortam->kayıtYaz(d, "EV", "AİDAT", 2025, "Mart", 20, 20);
        ortam->kayıtYaz(d, "EV", "AİDAT", 2024, "Mart", 30, 30);
        form = ortam->anaForm(QDate(2024, 3, 1));
        anaGrupSeç(d, "EV");
        altGrupSeç(d, "AİDAT");
        QCOMPARE(toplam(d), QStringLiteral("30,00"));

        yılıSeç(2025);
        QCOMPARE(sütun(d, 0), QStringList{QString::number(aidat)});
        QCOMPARE(toplam(d), QStringLiteral("20,00"));
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
        anaGrupSeç(d, "O'NEIL");
        QCOMPARE(toplam(d), QStringLiteral("3,00"));
        altGrupSeç(d, "İÇECEK");
        QCOMPARE(toplam(d), QStringLiteral("3,00"));
        ayıSeç("Ocak");
        QCOMPARE(toplam(d), QStringLiteral("8,00"));
        QVERIFY(MesajKutusu::gösterilenler().isEmpty());
    }

    void rowsInEntryOrderAndSortableAsNumbers()
    {
        const DefterTanımı& d = gelirDefteri();
        ortam->anaGrupYaz(d, "EK İŞ");
        for (double tutar : {100.0, 9.0, 1000.0, 20.0})
            ortam->kayıtYaz(d, "EK İŞ", "DERS", 2024, "Mart", 100, tutar);
        form = ortam->anaForm(QDate(2024, 3, 1));
        anaGrupSeç(d, "EK İŞ");
        QCOMPARE(sütun(d, 4), (QStringList{"100,00", "9,00", "1.000,00", "20,00"}));

        liste(d)->sortByColumn(4, Qt::AscendingOrder);
        QCOMPARE(sütun(d, 4), (QStringList{"9,00", "20,00", "100,00", "1.000,00"}));
        liste(d)->sortByColumn(5, Qt::DescendingOrder);
        QCOMPARE(sütun(d, 5), (QStringList{"1.000,00%", "100,00%", "20,00%", "9,00%"}));
    }

    // The ratio that needs attention stands out: income short of its estimate, expense over it.
    void warningColourMarksTheRatio_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<double>("gerçekleşen");
        QTest::addColumn<bool>("uyarı");
        QTest::newRow("income short") << "Gelir" << 90.0 << true;
        QTest::newRow("income over") << "Gelir" << 110.0 << false;
        QTest::newRow("expense over") << "Gider" << 110.0 << true;
        QTest::newRow("expense short") << "Gider" << 90.0 << false;
        QTest::newRow("expense exact") << "Gider" << 100.0 << false;
    }
    void warningColourMarksTheRatio()
    {
        QFETCH(QString, kind);
        QFETCH(double, gerçekleşen);
        QFETCH(bool, uyarı);
        const DefterTanımı& d = *defter(kind);
        ortam->anaGrupYaz(d, "EV");
        ortam->kayıtYaz(d, "EV", "KİRA", 2024, "Mart", 100, gerçekleşen);
        form = ortam->anaForm(QDate(2024, 3, 1));
        anaGrupSeç(d, "EV");
        const QTreeWidgetItem* satır = liste(d)->topLevelItem(0);
        QCOMPARE(satır->foreground(5).style() != Qt::NoBrush, uyarı);
        QCOMPARE(satır->font(5).bold(), uyarı);
        QVERIFY(satır->text(5).endsWith(u'%'));
    }

    void engineFailureIsShownAndTheProgramGoesOn()
    {
        const DefterTanımı& d = gelirDefteri();
        ortam->anaGrupYaz(d, "MAAŞ");
        form = ortam->anaForm(QDate(2024, 3, 1));
        ortam->sorgula("DROP TABLE GelirlerTablosu");
        anaGrupSeç(d, "MAAŞ");
        QCOMPARE(MesajKutusu::gösterilenler().size(), 1);
        QCOMPARE(MesajKutusu::gösterilenler().first().simge, MesajKutusu::Simge::Hata);
        QVERIFY(MesajKutusu::gösterilenler().first().metin.contains("GelirlerTablosu"));
        QCOMPARE(satırlar(d), QStringList{});

        // A change of period that fails for both ledgers still shows a single message.
        ortam->anaGrupYaz(giderDefteri(), "MUTFAK");
        form = ortam->anaForm(QDate(2024, 3, 1));
        anaGrupSeç(d, "MAAŞ");
        anaGrupSeç(giderDefteri(), "MUTFAK");
        ortam->sorgula("DROP TABLE GiderlerTablosu");
        MesajKutusu::gösterilenleriSil();
        ayıSeç("Nisan");
        QCOMPARE(MesajKutusu::gösterilenler().size(), 1);
    }
};

QTEST_MAIN(TestBrowsing)
#include "tst_kayit_listeleme.moc"

#include "LedgerTest.h"

#include <QTreeWidget>

class TestDeleteEntry : public LedgerTest
{
    Q_OBJECT

    const DefterTanımı* d = nullptr;
    QString kira1, kira2, aidat, ötekiKayıt;

    // EV has KİRA with two entries of the same period and AİDAT with one; the other ledger has one
    // entry. Both ledgers list EV.
    void hazırla()
    {
        d = &satırınDefteri();
        ortam->anaGrupYaz(*d, "EV");
        ortam->altGrupYaz(*d, "EV", "KİRA");
        ortam->altGrupYaz(*d, "EV", "AİDAT");
        kira1 = QString::number(ortam->kayıtYaz(*d, "EV", "KİRA", 2024, "Mart", 100, 100));
        kira2 = QString::number(ortam->kayıtYaz(*d, "EV", "KİRA", 2024, "Mart", 100, 100));
        aidat = QString::number(ortam->kayıtYaz(*d, "EV", "AİDAT", 2024, "Mart", 30, 30));
        ortam->anaGrupYaz(öteki(*d), "EV");
        ötekiKayıt = QString::number(ortam->kayıtYaz(öteki(*d), "EV", "KİRA", 2024, "Mart", 5, 5));
        form = ortam->anaForm(QDate(2024, 3, 15));
        grupSeç(*form, *d, "EV");
        grupSeç(*form, öteki(*d), "EV");
    }
    QTreeWidget* liste(const DefterTanımı& defter) { return kayıtListesi(*form, defter); }
    void satırSeç(const QString& kimlik)
    {
        const auto bulunan = liste(*d)->findItems(kimlik, Qt::MatchExactly, 0);
        QCOMPARE(bulunan.size(), 1);
        liste(*d)->setCurrentItem(bulunan.first());
    }
    QStringList kalanlar(const DefterTanımı& defter)
    {
        return ortam->sütunu("SELECT Kimlik FROM " + defter.kayıtTablosu + " ORDER BY Kimlik");
    }
    void sil(bool yanıt)
    {
        MesajKutusu::sonrakiYanıt(yanıt);
        (form.get()->*(d == &gelirDefteri() ? &AnaForm::GelirSilDüğmesi_Click
                                            : &AnaForm::GiderSilDüğmesi_Click))();
    }

private slots:
    // Yes removes exactly the chosen entry, whatever order the list is sorted in.
    void noThenYesRemovesExactlyThatEntry_data() { defterSatırları(); }
    void noThenYesRemovesExactlyThatEntry()
    {
        hazırla();
        liste(*d)->sortByColumn(3, Qt::DescendingOrder);
        liste(*d)->clearSelection();
        sil(true);
        QCOMPARE(mesajlar(), QStringList());
        MesajKutusu::kaydetmeyeBaşla(); // drops the answer no question took

        satırSeç(kira2);
        sil(false);
        QCOMPARE(mesajlar(), QStringList{"soru: " + d->kayıtSilmeSorusu});
        QCOMPARE(kalanlar(*d), (QStringList{kira1, kira2, aidat}));
        QCOMPARE(liste(*d)->selectedItems().first()->text(0), kira2);

        sil(true);
        QCOMPARE(kalanlar(*d), (QStringList{kira1, aidat}));
        QCOMPARE(kalanlar(öteki(*d)), QStringList{ötekiKayıt});
        QCOMPARE(sütun(liste(öteki(*d)), 0), QStringList{ötekiKayıt});
        QCOMPARE(toplam(*form, öteki(*d)), QStringLiteral("5,00"));
        // No sub-group was chosen: the whole main group is listed again.
        QCOMPARE(sütun(liste(*d), 0).size(), 2);
        QCOMPARE(toplam(*form, *d), QStringLiteral("130,00"));
    }

    void viewKeepsTheChosenSubGroup_data() { defterSatırları(); }
    void viewKeepsTheChosenSubGroup()
    {
        hazırla();
        grupSeç(*form, *d, "EV", "KİRA");
        satırSeç(kira1);
        sil(true);
        QCOMPARE(form->altGrupListesi(*d)->selectedItems().first()->text(), QStringLiteral("KİRA"));
        QCOMPARE(sütun(liste(*d), 0), QStringList{kira2});
        QCOMPARE(toplam(*form, *d), QStringLiteral("100,00"));

        // When the sub-group itself is gone meanwhile, the main group's entries are shown, not an
        // empty list.
        ortam->sorgula("DELETE FROM " + d->altGrupTablosu + " WHERE GrupAdi = 'KİRA'");
        satırSeç(kira2);
        sil(true);
        QCOMPARE(form->altGrupListesi(*d)->selectedItems().size(), 0);
        QCOMPARE(sütun(liste(*d), 0), QStringList{aidat});
        QCOMPARE(toplam(*form, *d), QStringLiteral("30,00"));
    }

    void entryAlreadyGoneIsReported_data() { defterSatırları(); }
    void entryAlreadyGoneIsReported()
    {
        hazırla();
        satırSeç(kira1);
        ortam->sorgula("DELETE FROM " + d->kayıtTablosu + " WHERE Kimlik = " + kira1);
        sil(true);
        QCOMPARE(mesajlar().size(), 2);
        QVERIFY(mesajlar().last().startsWith(u"bilgi: "));
        QCOMPARE(kalanlar(*d), (QStringList{kira2, aidat}));
        QCOMPARE(sütun(liste(*d), 0).size(), 2);
    }
};

QTEST_MAIN(TestDeleteEntry)
#include "tst_kayit_silme.moc"

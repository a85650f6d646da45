#include "AnaForm.h"
#include "MesajKutusu.h"
#include "TestOrtamı.h"

#include <QLineEdit>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTreeWidget>
#include <QtTest>

class TestDeleteEntry : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestOrtamı> ortam;
    std::unique_ptr<AnaForm> form;
    const DefterTanımı* d = nullptr;
    const DefterTanımı* öteki = nullptr;
    qint64 kira1 = 0, kira2 = 0, aidat = 0, ötekiKayıt = 0;

    void ledgerRows()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("income") << "Gelir";
        QTest::newRow("expense") << "Gider";
    }

    // EV has KİRA with two entries of the same period and AİDAT with one; the other ledger has one
    // entry.
    void hazırla()
    {
        QFETCH(QString, kind);
        d = kind == "Gelir" ? &gelirDefteri() : &giderDefteri();
        öteki = kind == "Gelir" ? &giderDefteri() : &gelirDefteri();
        ortam->anaGrupYaz(*d, "EV");
        ortam->altGrupYaz(*d, "EV", "KİRA");
        ortam->altGrupYaz(*d, "EV", "AİDAT");
        kira1 = ortam->kayıtYaz(*d, "EV", "KİRA", 2024, "Mart", 100, 100);
        kira2 = ortam->kayıtYaz(*d, "EV", "KİRA", 2024, "Mart", 100, 100);
        aidat = ortam->kayıtYaz(*d, "EV", "AİDAT", 2024, "Mart", 30, 30);
        ortam->anaGrupYaz(*öteki, "EV");
        ötekiKayıt = ortam->kayıtYaz(*öteki, "EV", "KİRA", 2024, "Mart", 5, 5);
        form = ortam->anaForm(QDate(2024, 3, 15));
        for (const DefterTanımı* defter : {d, öteki}) {
            form->anaGrupListesi(*defter)->setCurrentIndex(0);
            form->anaGrupTıklandı(*defter);
        }
    }
    void altGrupSeç(const QString& ad)
    {
        form->altGrupListesi(*d)->setCurrentItem(
            form->altGrupListesi(*d)->findItems(ad, Qt::MatchExactly).first());
    }
    QTreeWidget* liste(const DefterTanımı& defter)
    {
        return form->findChild<QTreeWidget*>(defter.adıyla("%1lerListesi"));
    }
    void satırSeç(qint64 kimlik)
    {
        const auto bulunan = liste(*d)->findItems(QString::number(kimlik), Qt::MatchExactly, 0);
        QCOMPARE(bulunan.size(), 1);
        liste(*d)->setCurrentItem(bulunan.first());
    }
    QList<qint64> kalanlar(const DefterTanımı& defter)
    {
        QList<qint64> sonuç;
        QSqlQuery sorgu(
            QStringLiteral("SELECT Kimlik FROM %1 ORDER BY Kimlik").arg(defter.kayıtTablosu),
            QSqlDatabase::database("VeriTabanı"));
        while (sorgu.next())
            sonuç << sorgu.value(0).toLongLong();
        return sonuç;
    }
    QStringList listelenen(const DefterTanımı& defter)
    {
        QStringList sonuç;
        for (int i = 0; i < liste(defter)->topLevelItemCount(); ++i)
            sonuç << liste(defter)->topLevelItem(i)->text(0);
        return sonuç;
    }
    QString toplam(const DefterTanımı& defter)
    {
        return form->findChild<QLineEdit*>(defter.adıyla("%1ToplamıKutusu"))->text();
    }
    void sil()
    {
        if (d == &gelirDefteri())
            form->GelirSilDüğmesi_Click();
        else
            form->GiderSilDüğmesi_Click();
    }

private slots:
    void init() { ortam = std::make_unique<TestOrtamı>(); }
    void cleanup()
    {
        form.reset();
        ortam.reset();
    }

    void noSelectedRowOrNoDoesNothing_data() { ledgerRows(); }
    void noSelectedRowOrNoDoesNothing()
    {
        hazırla();
        liste(*d)->clearSelection();
        sil();
        QVERIFY(MesajKutusu::gösterilenler().isEmpty());

        satırSeç(kira2);
        MesajKutusu::sonrakiYanıt(false);
        sil();
        QCOMPARE(MesajKutusu::gösterilenler().size(), 1);
        QCOMPARE(MesajKutusu::gösterilenler().first().metin, d->kayıtSilmeSorusu);
        QCOMPARE(MesajKutusu::gösterilenler().first().simge, MesajKutusu::Simge::Soru);
        QCOMPARE(kalanlar(*d), (QList<qint64>{kira1, kira2, aidat}));
        QCOMPARE(liste(*d)->selectedItems().first()->text(0), QString::number(kira2));
    }

    // Yes removes exactly the chosen entry, whatever order the list is sorted in.
    void yesRemovesExactlyThatEntry_data() { ledgerRows(); }
    void yesRemovesExactlyThatEntry()
    {
        hazırla();
        liste(*d)->sortByColumn(3, Qt::DescendingOrder);
        satırSeç(kira2);
        MesajKutusu::sonrakiYanıt(true);
        sil();
        QCOMPARE(kalanlar(*d), (QList<qint64>{kira1, aidat}));
        QCOMPARE(kalanlar(*öteki), QList<qint64>{ötekiKayıt});
        QCOMPARE(listelenen(*öteki), QStringList{QString::number(ötekiKayıt)});
        QCOMPARE(toplam(*öteki), QStringLiteral("5,00"));
        // No sub-group was chosen: the whole main group is listed again.
        QCOMPARE(listelenen(*d).size(), 2);
        QCOMPARE(toplam(*d), QStringLiteral("130,00"));
    }

    void viewKeepsTheChosenSubGroup_data() { ledgerRows(); }
    void viewKeepsTheChosenSubGroup()
    {
        hazırla();
        altGrupSeç("KİRA");
        satırSeç(kira1);
        MesajKutusu::sonrakiYanıt(true);
        sil();
        QCOMPARE(form->altGrupListesi(*d)->selectedItems().first()->text(), QStringLiteral("KİRA"));
        QCOMPARE(listelenen(*d), QStringList{QString::number(kira2)});
        QCOMPARE(toplam(*d), QStringLiteral("100,00"));

        // When the sub-group itself is gone meanwhile, the main group's entries are shown, not an
        // empty list.
        ortam->sorgula(
            QStringLiteral("DELETE FROM %1 WHERE GrupAdi = 'KİRA'").arg(d->altGrupTablosu));
        satırSeç(kira2);
        MesajKutusu::sonrakiYanıt(true);
        sil();
        QCOMPARE(form->altGrupListesi(*d)->selectedItems().size(), 0);
        QCOMPARE(listelenen(*d), QStringList{QString::number(aidat)});
        QCOMPARE(toplam(*d), QStringLiteral("30,00"));
    }

    void entryAlreadyGoneIsReported_data() { ledgerRows(); }
    void entryAlreadyGoneIsReported()
    {
        hazırla();
        satırSeç(kira1);
        ortam->sorgula(QStringLiteral("DELETE FROM %1 WHERE Kimlik = ?").arg(d->kayıtTablosu),
                       {kira1});
        MesajKutusu::sonrakiYanıt(true);
        sil();
        QCOMPARE(MesajKutusu::gösterilenler().size(), 2);
        QCOMPARE(MesajKutusu::gösterilenler().last().simge, MesajKutusu::Simge::Bilgi);
        QCOMPARE(kalanlar(*d), (QList<qint64>{kira2, aidat}));
        QCOMPARE(listelenen(*d).size(), 2);
    }
};

QTEST_MAIN(TestDeleteEntry)
#include "tst_kayit_silme.moc"

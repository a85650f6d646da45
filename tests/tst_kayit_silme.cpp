#include "LedgerTest.h"

#include "DosyaBaglantisi.h"
#include "KayitEklemeFormu.h"

#include <QLineEdit>
#include <QSqlQuery>

class TestKayitSilme : public LedgerTest
{
    Q_OBJECT

    const DefterTanimi* d = nullptr;
    QString kira1, kira2, aidat, otekiKayit;

    // EV has KİRA with two entries of the same period and AİDAT with one; the other ledger has one
    // entry. Both ledgers list EV.
    void hazirla()
    {
        d = &satirinDefteri();
        ortam->anaGrupYaz(*d, "EV");
        ortam->altGrupYaz(*d, "EV", "KİRA");
        ortam->altGrupYaz(*d, "EV", "AİDAT");
        kira1 = QString::number(ortam->kayitYaz(*d, "EV", "KİRA", 2024, "Mart", 100, 100));
        kira2 = QString::number(ortam->kayitYaz(*d, "EV", "KİRA", 2024, "Mart", 100, 100));
        aidat = QString::number(ortam->kayitYaz(*d, "EV", "AİDAT", 2024, "Mart", 30, 30));
        ortam->anaGrupYaz(oteki(*d), "EV");
        otekiKayit = QString::number(ortam->kayitYaz(oteki(*d), "EV", "KİRA", 2024, "Mart", 5, 5));
        form = ortam->anaForm(QDate(2024, 3, 15));
        grupSec(*form, *d, "EV");
        grupSec(*form, oteki(*d), "EV");
    }
    KayitListesi* liste(const DefterTanimi& defter) { return kayitListesi(*form, defter); }
    void satirSec(const QString& kimlik)
    {
        liste(*d)->kimligiSec(kimlik.toLongLong());
        QCOMPARE(liste(*d)->seciliKimlik(), kimlik.toLongLong());
    }
    QStringList kalanlar(const DefterTanimi& defter)
    {
        return ortam->sutunu("SELECT Kimlik FROM " + defter.kayitTablosu + " ORDER BY Kimlik");
    }
    void sil(bool yanit)
    {
        MesajKutusu::sonrakiYanit(yanit);
        form->bolum(*d).kayitSil();
    }

private slots:
    // The question names the entry; Yes removes exactly that one, whatever order the list is
    // sorted in.
    void noThenYesRemovesExactlyThatEntry_data() { defterSatirlari(); }
    void noThenYesRemovesExactlyThatEntry()
    {
        hazirla();
        const QString soru = "Seçilen " + d->ad.toLower() + "i SİLMEK istiyor musunuz?";
        liste(*d)->sortByColumn(3, Qt::DescendingOrder);
        satirSec(kira2);
        sil(false);
        QCOMPARE(mesajlar(),
                 QStringList{"soru: " + soru + "\nEV / KİRA · Mart 2024 · 100,00 / 100,00"});
        QCOMPARE(kalanlar(*d), (QStringList{kira1, kira2, aidat}));
        QCOMPARE(liste(*d)->seciliKimlik(), kira2.toLongLong());

        sil(true);
        QCOMPARE(kalanlar(*d), (QStringList{kira1, aidat}));
        QCOMPARE(kalanlar(oteki(*d)), QStringList{otekiKayit});
        // No sub-group was chosen: the whole main group is listed again.
        QCOMPARE(sutun(liste(*d), 0).size(), 2);
        QCOMPARE(toplam(*form, *d), QStringLiteral("130,00"));
    }

    // The sub-group chosen stays chosen, unless it is gone meanwhile: then the main group's entries
    // are shown. An entry already gone is reported and nothing else goes.
    void viewKeptAndVanishedRowsReported_data() { defterSatirlari(); }
    void viewKeptAndVanishedRowsReported()
    {
        hazirla();
        grupSec(*form, *d, "EV", "KİRA");
        satirSec(kira1);
        sil(true);
        QCOMPARE(form->bolum(*d).altGrupListesi()->selectedItems().first()->text(), QStringLiteral("KİRA"));
        QCOMPARE(sutun(liste(*d), 0), QStringList{kira2});
        QCOMPARE(toplam(*form, *d), QStringLiteral("100,00"));

        ortam->sorgula("DELETE FROM " + d->altGrupTablosu + " WHERE GrupAdi = 'KİRA'");
        ortam->sorgula("DELETE FROM " + d->kayitTablosu + " WHERE Kimlik = " + kira2);
        satirSec(kira2);
        MesajKutusu::gosterilenleriSil();
        sil(true);
        QCOMPARE(mesajlar().size(), 2);
        QCOMPARE(mesajlar().last(), "bilgi: " + kayitArtikYokMesaji);
        QCOMPARE(kalanlar(*d), QStringList{aidat});
        QCOMPARE(form->bolum(*d).altGrupListesi()->selectedItems().size(), 0);
        QCOMPARE(sutun(liste(*d), 0), QStringList{aidat});
        QCOMPARE(toplam(*form, *d), QStringLiteral("30,00"));
    }

    // A command acts only on what the file holds. Another program's write is listed when the
    // window becomes active and before a command, the entry still selected, so the question names
    // the amounts as they are; a change the window cannot see (made on its own connection, as if
    // between the question and the write) is refused with a message, nothing is written, and the
    // list is read again.
    void staleViewsChecked_data()
    {
        QTest::addColumn<QString>("defterAdi");
        QTest::addColumn<QString>("komut");
        QTest::addColumn<bool>("baskaProgram");
        QTest::newRow("delete, changed unseen") << "Gelir"
                                                << "sil" << false;
        QTest::newRow("edit, changed unseen") << "Gider"
                                              << "düzenle" << false;
        QTest::newRow("delete after another program") << "Gider"
                                                      << "sil" << true;
        QTest::newRow("window activated") << "Gelir"
                                          << "etkinleş" << true;
    }
    void staleViewsChecked()
    {
        QFETCH(QString, komut);
        QFETCH(bool, baskaProgram);
        hazirla();
        satirSec(kira2);
        const QString degistir = "UPDATE " + d->kayitTablosu + " SET " + d->tahminAlani +
                                 " = 250 WHERE Kimlik = " + kira2;
        const DosyaBaglantisi baska(ortam->dosya(), DosyaBaglantisi::Kip::Yazilabilir);
        auto duzenleme = form->bolum(*d).kayitDuzenlemeFormu();
        if (baskaProgram)
            QVERIFY(QSqlQuery(baska.db()).exec(degistir));
        else
            ortam->sorgula(degistir);

        if (komut == "sil") {
            sil(true);
        } else if (komut == "düzenle") {
            duzenleme->findChild<QLineEdit*>("TahminKutusu")->setText("300");
            duzenleme->findChild<QLineEdit*>("GerçekleşenKutusu")->setText("300");
            duzenleme->EkleKaydetDugmesi_Click();
        } else {
            QEvent etkin(QEvent::WindowActivate);
            QApplication::sendEvent(form.get(), &etkin);
        }

        const QString yeni = "EV / KİRA · Mart 2024 · 250,00 / 100,00";
        const QStringList beklenen =
            komut == "etkinleş" ? QStringList()
            : baskaProgram      ? QStringList{"soru: " + d->kayitSilmeSorusu + '\n' + yeni}
            : komut == "sil"    ? QStringList{"soru: " + d->kayitSilmeSorusu +
                                               "\nEV / KİRA · Mart 2024 · 100,00 / 100,00",
                                           "bilgi: " + kayitDegismisMesaji}
                                : QStringList{"bilgi: " + kayitDegismisMesaji};
        QCOMPARE(mesajlar(), beklenen);
        const bool silindi = komut == "sil" && baskaProgram;
        QCOMPARE(kalanlar(*d),
                 silindi ? (QStringList{kira1, aidat}) : (QStringList{kira1, kira2, aidat}));
        QCOMPARE(ortam->sorgula("SELECT sum(" + d->tahminAlani + ") FROM " + d->kayitTablosu),
                 QVariant(silindi ? 130.0 : 380.0));
        if (silindi)
            return;
        const std::optional<ButceVerisi::Kayit> secili = liste(*d)->seciliKayit();
        QVERIFY(secili);
        QCOMPARE(QString::number(secili->kimlik) + ' ' + QString::number(*secili->tahminKurus),
                 kira2 + " 25000");
    }
    // Del and "Kaydı Sil" act on the entry list with the focus alone: with the focus in a group
    // list, a box or a button, not on the list used last, and the menu's command is disabled.
    void deleteFollowsTheFocus_data()
    {
        QTest::addColumn<QString>("defterAdi");
        QTest::addColumn<QString>("odak");
        QTest::addColumn<bool>("sorar");
        QTest::newRow("this entry list") << "Gelir" << "GelirlerListesi" << true;
        QTest::newRow("the other sub-group list") << "Gelir" << "AltGiderGruplarıListesi" << false;
        QTest::newRow("a button") << "Gelir" << "GiderEkleDüğmesi" << false;
    }
    void deleteFollowsTheFocus()
    {
        QFETCH(QString, odak);
        QFETCH(bool, sorar);
        hazirla();
        form->show();
        satirSec(kira1);
        form->findChild<QWidget*>(odak)->setFocus();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        MesajKutusu::sonrakiYanit(false);
        QTest::keyClick(form->focusWidget(), Qt::Key_Delete);
        QCOMPARE(mesajlar().size(), int(sorar));
        QCOMPARE(menuKomutu(*form, "Kaydı Sil")->isEnabled(), sorar);
    }
};

QTEST_MAIN(TestKayitSilme)
#include "tst_kayit_silme.moc"

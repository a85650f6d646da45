#include "GrupEklemeFormu.h"
#include "KayitEklemeFormu.h"
#include "LedgerTest.h"
#include "Lehce.h"
#include "PlanKopyalamaFormu.h"
#include "Sema.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSqlQuery>
#include <QUndoStack>

// "Geri Al" and "Yinele" of the main window, over every command that writes.
class TestGeriAlma : public LedgerTest
{
    Q_OBJECT

    qint64 gelirKira = 0, giderKira = 0;

    // Both ledgers: EV with KİRA and AİDAT, an entry of each in Mart 2024; the window shows EV /
    // KİRA over the whole of 2024.
    void hazirla()
    {
        for (const DefterTanimi* d : {&gelirDefteri(), &giderDefteri()}) {
            ortam->anaGrupYaz(*d, "EV");
            ortam->altGrupYaz(*d, "EV", "KİRA");
            ortam->altGrupYaz(*d, "EV", "AİDAT");
            (d == &gelirDefteri() ? gelirKira : giderKira) =
                ortam->kayitYaz(*d, "EV", "KİRA", 2024, "Mart", 1000, 900.5);
            ortam->kayitYaz(*d, "EV", "AİDAT", 2024, "Mart", 200, QVariant());
        }
        form = ortam->anaForm(QDate(2024, 3, 15));
        form->donemSecici()->ayKutusu()->setCurrentIndex(0);
        goster();
    }
    void goster()
    {
        grupSec(*form, gelirDefteri(), "EV", "KİRA");
        grupSec(*form, giderDefteri(), "EV", "KİRA");
    }
    QStringList dosya() { return ortam->tumSatirlar(); }
    // What the window shows of both ledgers and the period.
    QStringList gorunen() { return gorunen(*form); }
    static QStringList gorunen(AnaForm& pencere)
    {
        QStringList sonuc;
        for (const DefterTanimi* d : {&gelirDefteri(), &giderDefteri()})
            sonuc << ogeler(pencere.bolum(*d).anaGrupListesi())
                  << ogeler(pencere.bolum(*d).altGrupListesi())
                  << satirlar(kayitListesi(pencere, *d)) << toplam(pencere, *d);
        return sonuc << pencere.findChild<QLabel*>("DönemÖzetiEtiketi")->accessibleName();
    }
    // The window on the year and month (0: "Tüm Aylar"), EV / KİRA chosen in both ledgers.
    static void doneme(AnaForm& pencere, int yil, int ay)
    {
        pencere.donemSecici()->yilKutusu()->setCurrentText(QString::number(yil));
        pencere.donemSecici()->ayKutusu()->setCurrentIndex(ay);
        for (const DefterTanimi* d : {&gelirDefteri(), &giderDefteri()})
            grupSec(pencere, *d, "EV", "KİRA");
    }
    QAction* eylem(int sira) { return form->menuBar()->actions()[1]->menu()->actions()[sira]; }
    // Both actions' captions, "×" after one that is disabled.
    QString eylemler()
    {
        return eylem(0)->text() + (eylem(0)->isEnabled() ? " | " : "× | ") + eylem(1)->text() +
               (eylem(1)->isEnabled() ? "" : "×");
    }
    void kayitSec(const DefterTanimi& d, qint64 kimlik)
    {
        kayitListesi(*form, d)->kimligiSec(kimlik);
    }

    void yap(const QString& komut)
    {
        if (komut == "ekle") {
            auto p = form->bolum(gelirDefteri()).kayitEklemeFormu();
            p->EkleKaydetDugmesi_Click();
            p->findChild<QLineEdit*>("TahminKutusu")->setText("150");
            p->findChild<QLineEdit*>("GerçekleşenKutusu")->setText("120,25");
            p->EkleKaydetDugmesi_Click();
        } else if (komut == "düzenle") {
            kayitSec(giderDefteri(), giderKira);
            auto p = form->bolum(giderDefteri()).kayitDuzenlemeFormu();
            p->findChild<QLineEdit*>("TahminKutusu")->setText("1100");
            p->EkleKaydetDugmesi_Click();
        } else if (komut == "sil") {
            kayitSec(gelirDefteri(), gelirKira);
            MesajKutusu::sonrakiYanit(true);
            form->bolum(gelirDefteri()).kayitSil();
        } else if (komut == "grup ekle") {
            auto p = form->bolum(giderDefteri()).grupEklemeFormu();
            p->EkleKaydetDugmesi_Click();
            p->findChild<QComboBox*>("AnaGiderGrubuKutusu")->setEditText("ARABA");
            p->findChild<QLineEdit*>("AltGiderGrubuKutusu")->setText("BENZİN");
            p->EkleKaydetDugmesi_Click();
        } else if (komut == "grup sil") {
            grupSec(*form, gelirDefteri(), "EV", "AİDAT");
            MesajKutusu::sonrakiYanit(true);
            form->bolum(gelirDefteri()).grupSil();
        } else if (komut == "plan") {
            auto p = form->planKopyalamaFormu();
            p->findChild<QComboBox*>("KaynakYılKutusu")->setCurrentText("2024");
            p->findChild<QComboBox*>("KaynakAyKutusu")->setCurrentIndex(3);
            p->findChild<QComboBox*>("HedefAyKutusu")->setCurrentIndex(4);
            p->KopyalaDugmesi_Click();
        }
        goster();
    }

private slots:
    // Each command (or 55 of them), then "Geri Al" and "Yinele" from the menu as often, twice: the
    // file and the window are as before, then as after, each time; a deleted row comes back with
    // its Kimlik.
    void undoAndRedoEveryCommand_data()
    {
        QTest::addColumn<QString>("komut");
        QTest::addColumn<QString>("ad");
        QTest::addColumn<int>("kez");
        QTest::newRow("add an entry") << "ekle" << QString("Gelir Ekle") << 1;
        QTest::newRow("edit an entry") << "düzenle" << QString("Gider Düzenle") << 1;
        QTest::newRow("delete an entry") << "sil" << QString("Gelir Sil") << 1;
        QTest::newRow("add a main group") << "grup ekle" << QString("Gider Grubu Ekle") << 1;
        QTest::newRow("delete a sub-group") << "grup sil" << QString("Gelir Grubu Sil") << 1;
        QTest::newRow("copy a plan") << "plan" << QString("Planı Kopyala") << 1;
        QTest::newRow("55 deep") << "ekle" << QString("Gelir Ekle") << 55;
    }
    void undoAndRedoEveryCommand()
    {
        QFETCH(QString, komut);
        QFETCH(QString, ad);
        QFETCH(int, kez);
        hazirla();
        const QStringList once = dosya(), onceGorunen = gorunen();
        QCOMPARE(eylemler(), QStringLiteral("Geri Al× | Yinele×"));
        for (int i = 0; i < kez; ++i)
            yap(komut);
        const QStringList sonra = dosya(), sonraGorunen = gorunen();
        QVERIFY(sonra != once && sonraGorunen != onceGorunen);
        for (int tur = 0; tur < 2; ++tur) {
            QCOMPARE(eylemler(), "Geri Al: " + ad + " | Yinele×");
            for (int i = 0; i < kez; ++i)
                eylem(0)->trigger();
            QCOMPARE(dosya(), once);
            QCOMPARE(gorunen(), onceGorunen);
            QCOMPARE(eylemler(), "Geri Al× | Yinele: " + ad);
            for (int i = 0; i < kez; ++i)
                eylem(1)->trigger();
            QCOMPARE(dosya(), sonra);
            QCOMPARE(gorunen(), sonraGorunen);
        }
        for (const QString& m : mesajlar())
            QVERIFY2(m.startsWith("soru: "), qPrintable(m));
    }

    // An entry command taken back and done again in another period, or after another program
    // added an entry: the window shows what a window opened afresh on that period shows.
    void undoShowsWhatAFreshWindowShows_data()
    {
        QTest::addColumn<QString>("komut");
        QTest::addColumn<int>("yil");
        QTest::addColumn<int>("ay");
        QTest::addColumn<bool>("baskasiYazdi");
        QTest::newRow("delete, the same period") << "sil" << 2024 << 0 << false;
        QTest::newRow("delete, another month") << "sil" << 2024 << 4 << false;
        QTest::newRow("add, the entry's month") << "ekle" << 2024 << 3 << false;
        QTest::newRow("edit, another year") << "düzenle" << 2025 << 0 << false;
        QTest::newRow("edit, another program added") << "düzenle" << 2024 << 0 << true;
    }
    void undoShowsWhatAFreshWindowShows()
    {
        QFETCH(QString, komut);
        QFETCH(int, yil);
        QFETCH(int, ay);
        QFETCH(bool, baskasiYazdi);
        hazirla();
        yap(komut);
        doneme(*form, yil, ay);
        if (baskasiYazdi) {
            const QString dosya = TestOrtami::sunucu(false) ? QString() : ortam->dosya();
            QSqlQuery baskasi(TestOrtami::baskaBaglanti("başka program", dosya));
            QVERIFY2(baskasi.exec(Baglanti::program().lehce().uyarla(
                         "INSERT INTO GelirlerTablosu (AnaGrup, GrupAdi, GelirYili, GelirAyi, "
                         "GelirTahmini, Gerceklesen) VALUES ('EV', 'KİRA', 2024, 'Mart', 7, 7)")),
                     qPrintable(baskasi.lastError().text()));
        }
        for (int eylemSirasi : {0, 1}) {
            eylem(eylemSirasi)->trigger();
            const std::unique_ptr<AnaForm> taze = ortam->anaForm(QDate(2024, 3, 15));
            doneme(*taze, yil, ay);
            // A server tells of another program's entry through the event loop.
            QTRY_COMPARE(gorunen(), gorunen(*taze));
        }
    }

    // Rows another program changed meanwhile: refused with a message, nothing written (also of the
    // rows checked before the changed one), and the command leaves the stack.
    void refusedWhenRowsChangedMeanwhile_data()
    {
        QTest::addColumn<QString>("komut");
        QTest::addColumn<bool>("geriAlindiktanSonra");
        QTest::addColumn<QString>("baskasi");
        QTest::addColumn<QString>("mesaj");
        QTest::newRow("undo an edit")
            << "düzenle" << false << "UPDATE GiderlerTablosu SET Gerceklesen = 1 WHERE Kimlik = 1"
            << "«Gider Düzenle» geri alınamadı";
        QTest::newRow("undo a plan copy")
            << "plan" << false << "UPDATE GelirlerTablosu SET GelirAyi = 'Mayıs' WHERE Kimlik = 3"
            << "«Planı Kopyala» geri alınamadı";
        QTest::newRow("undo a delete")
            << "sil" << false << "INSERT INTO GelirlerTablosu (Kimlik, AnaGrup) VALUES (1, 'BAŞKA')"
            << "«Gelir Sil» geri alınamadı";
        QTest::newRow("redo a delete")
            << "sil" << true << "UPDATE GelirlerTablosu SET AnaGrup = 'İŞ' WHERE Kimlik = 1"
            << "«Gelir Sil» yinelenemedi";
    }
    void refusedWhenRowsChangedMeanwhile()
    {
        QFETCH(QString, komut);
        QFETCH(bool, geriAlindiktanSonra);
        QFETCH(QString, baskasi);
        QFETCH(QString, mesaj);
        hazirla();
        yap(komut);
        if (geriAlindiktanSonra)
            eylem(0)->trigger();
        ortam->sorgula(baskasi);
        const QStringList once = dosya();
        MesajKutusu::gosterilenleriSil();

        eylem(geriAlindiktanSonra ? 1 : 0)->trigger();
        QCOMPARE(mesajlar(), QStringList{"bilgi: " + mesaj +
                                         ": gereken kayıtlar bu arada başka bir program tarafından "
                                         "değiştirilmiş. Hiçbir şey değiştirilmedi."});
        QCOMPARE(dosya(), once);
        QCOMPARE(form->geriAlmaYigini()->count(), 0);
        QCOMPARE(eylemler(), QStringLiteral("Geri Al× | Yinele×"));
    }
};

QTEST_MAIN(TestGeriAlma)
#include "tst_geri_alma.moc"

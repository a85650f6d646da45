#include "GrupEklemeFormu.h"
#include "LedgerTest.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QUndoStack>

namespace
{

// Key by key as typed; keyClicks cannot send letters outside Latin-1 such as ı, ğ, ş and İ.
void yaz(QWidget* kutu, const QString& metin)
{
    for (const QChar harf : metin)
        QTest::sendKeyEvent(QTest::Click, kutu, Qt::Key_unknown, QString(harf), Qt::NoModifier);
}

// One add-group dialog as the main window's button opens it, and its controls by their names.
struct Pencere {
    std::unique_ptr<GrupEklemeFormu> form;
    QComboBox* ana;
    QLineEdit* alt;
    QPushButton *ekleKaydet, *vazgec, *kapat;

    Pencere(const DefterTanimi& d, AnaForm& anaForm)
        : form(anaForm.bolum(d).grupEklemeFormu()),
          ana(form->findChild<QComboBox*>("Ana" + d.ad + "GrubuKutusu")),
          alt(form->findChild<QLineEdit*>("Alt" + d.ad + "GrubuKutusu")),
          ekleKaydet(form->findChild<QPushButton*>("EkleKaydetDüğmesi")),
          vazgec(form->findChild<QPushButton*>("VazgeçDüğmesi")),
          kapat(form->findChild<QPushButton*>("KapatDüğmesi"))
    {
    }

    // Types into both boxes, leaving each one afterwards.
    void doldur(const QString& anaGrup, const QString& altGrup)
    {
        yaz(ana, anaGrup);
        form->AnaGrupKutusu_LostFocus();
        yaz(alt, altGrup);
        form->AltGrupKutusu_LostFocus();
    }
    void ekle(const QString& anaGrup, const QString& altGrup)
    {
        ekleKaydet->click();
        doldur(anaGrup, altGrup);
        ekleKaydet->click();
    }
    // The visible state on one line; empty names mean the waiting state.
    QString durum() const
    {
        const auto acik = [](const QWidget* w) { return w->isEnabled() ? "açık" : "kapalı"; };
        return QStringLiteral("ana %1 [%2] alt %3 [%4] düğme [%5] kapat %6")
            .arg(acik(ana), ana->currentText(), acik(alt), alt->text(), ekleKaydet->text(),
                 acik(kapat));
    }
};

QString giris(const QString& anaGrup, const QString& altGrup)
{
    return QStringLiteral("ana açık [%1] alt açık [%2] düğme [Kaydet] kapat kapalı")
        .arg(anaGrup, altGrup);
}

} // namespace

class TestGrupEkleme : public LedgerTest
{
    Q_OBJECT

    // Rows as stored, in the order written; sub-group rows read "main/sub".
    QStringList anaTablo(const DefterTanimi& d)
    {
        return ortam->sutunu("SELECT GrupAdi FROM " + d.anaGrupTablosu + " ORDER BY rowid");
    }
    QStringList altTablo(const DefterTanimi& d)
    {
        return ortam->sutunu("SELECT AnaGrup || '/' || GrupAdi FROM " + d.altGrupTablosu +
                             " ORDER BY rowid");
    }
    void grubuSil(const DefterTanimi& d, bool yanit)
    {
        MesajKutusu::sonrakiYanit(yanit);
        form->findChild<QPushButton*>(d.ad + "GrubuSilDüğmesi")->click();
    }

private slots:
    // Waiting and entry states, the names refused and those stored, capitals on leaving a box,
    // Escape.
    void states_data() { defterSatirlari(); }
    void states()
    {
        const DefterTanimi& d = satirinDefteri();
        const QString defter = QLocale(QLocale::Turkish).toUpper(d.ad); // GELİR, GİDER
        ortam->anaGrupYaz(d, "MUTFAK");
        ortam->anaGrupYaz(d, "KİRA");
        form = ortam->anaForm();
        Pencere p(d, *form);
        p.form->show();
        QVERIFY(QTest::qWaitForWindowActive(p.form.get()));
        const QString bekleme =
            "ana kapalı [] alt kapalı [] düğme [Yeni " + d.ad + " Grubu Ekle] kapat açık";
        QCOMPARE(p.durum(), bekleme);
        QCOMPARE(QApplication::focusWidget(), p.ekleKaydet);

        p.ekleKaydet->click();
        QCOMPARE(p.durum(), giris({}, {}));
        QCOMPARE(ogeler(p.ana), (QStringList{"KİRA", "MUTFAK"}));
        QCOMPARE(p.ana->currentIndex(), -1);

        // Spaces alone are no name. Names are stored trimmed and in capitals, also when "Kaydet"
        // follows the typing at once; a sub-group its main group has, in any letter case, is
        // refused.
        p.doldur(" \u00a0 ", "EKMEK");
        p.ekleKaydet->click();
        p.alt->clear();
        p.doldur("PAZAR", {});
        p.ekleKaydet->click();
        QCOMPARE(p.durum(), giris("PAZAR", {}));
        QCOMPARE(QApplication::focusWidget(), p.alt);
        p.ana->setEditText("  pazar ");
        p.alt->setText(" ekmek\t");
        p.ekleKaydet->click();
        QCOMPARE(p.durum(), bekleme);
        p.ekleKaydet->click();
        p.ana->setEditText("Pazar");
        p.alt->setText("ekmek");
        p.ekleKaydet->click();
        QTest::keyClick(p.alt, Qt::Key_Return); // saves as "Kaydet" does, and is refused again
        const QString varOlan =
            "bilgi: Bu alt " + d.ad.toLower() + " grubu zaten var: PAZAR / EKMEK";
        QCOMPARE(mesajlar(), (QStringList{"bilgi: ANA " + defter + " GRUBU boş bırakılamaz!",
                                          "bilgi: ALT " + defter + " GRUBU boş bırakılmaz!",
                                          varOlan, varOlan}));
        QCOMPARE(p.durum(), giris("PAZAR", "EKMEK"));
        QCOMPARE(altTablo(d), QStringList{"PAZAR/EKMEK"});
        QCOMPARE(p.alt->maxLength(), 100);
        QTest::keyClick(p.alt, Qt::Key_Escape); // "Vazgeç", as the boxes are open
        QCOMPARE(p.durum(), bekleme);
        QVERIFY(p.form->isVisible());

        // Leaving a box capitalises it, Turkish letters whatever the machine's language; giving
        // up stores nothing.
        p.ekleKaydet->click();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        p.doldur("çiğ Şeker ığdır", {});
        QCOMPARE(p.durum(), giris("ÇİĞ ŞEKER IĞDIR", {}));
        p.vazgec->click();
        QCOMPARE(p.durum(), bekleme);

        // Enter in the main group's box saves too, the names as leaving the box would leave them.
        p.ekleKaydet->click();
        p.ana->setEditText("pazar");
        p.alt->setText("süt");
        QTest::keyClick(p.ana, Qt::Key_Return);
        QCOMPARE(p.durum(), bekleme);
        QCOMPARE(altTablo(d), (QStringList{"PAZAR/EKMEK", "PAZAR/SÜT"}));
    }

    // A write that fails, of the main group (income) or of the sub-group (expense), takes back
    // all it wrote and keeps the input for another try. A new main group is stored once and listed
    // on the main window; an existing one typed in other letters is not stored again. The pair
    // added is chosen there, ready for its entries. Names with quotes are stored as typed and found by
    // every command; the same pair written twice takes two deletions to go. Deleting asks first; No
    // deletes nothing; entries stay.
    void savedAndDeletedGroups_data() { defterSatirlari(); }
    void savedAndDeletedGroups()
    {
        const DefterTanimi& d = satirinDefteri();
        const QString soru = "Seçilen alt " + d.ad.toLower() + " grubunu SİLMEK istiyor musunuz?";
        const QString anaGrup = "ANNE'NİN EVİ", altGrup = "O'NUN PAYI";
        const QString cift = anaGrup + '/' + altGrup;
        ortam->anaGrupYaz(d, "Kira");
        ortam->altGrupYaz(d, "Kira", "AİDAT");
        ortam->kayitYaz(d, anaGrup, altGrup, 2024, "Mart", 100, 80);
        ortam->sorgula(QStringLiteral("CREATE TRIGGER kilit BEFORE INSERT ON %1 "
                                      "BEGIN SELECT RAISE(ABORT, 'tablo salt okunur'); END")
                           .arg(&d == &gelirDefteri() ? d.anaGrupTablosu : d.altGrupTablosu));
        form = ortam->anaForm();
        grupSec(*form, d, "Kira", "AİDAT");
        {
            Pencere p(d, *form);
            p.ekle("araba", "benzin");
            QVERIFY(tekHata("tablo salt okunur"));
            QCOMPARE(p.durum(), giris("ARABA", "BENZİN"));
            QCOMPARE(anaTablo(d) + altTablo(d), (QStringList{"Kira", "Kira/AİDAT"}));
            QCOMPARE(form->bolum(d).anaGrupListesi()->currentText(), QStringLiteral("Kira"));
            QCOMPARE(form->geriAlmaYigini()->count(), 0);
            ortam->sorgula("DROP TRIGGER kilit");
            MesajKutusu::gosterilenleriSil();
            p.ekleKaydet->click();
            QCOMPARE(ogeler(form->bolum(d).anaGrupListesi()), (QStringList{"ARABA", "Kira"}));
            QCOMPARE(form->bolum(d).seciliAltGrup(), "BENZİN");
            p.ekle("kira", "depozito");
            QCOMPARE(form->bolum(d).seciliAltGrup(), "DEPOZİTO");
            p.ekle(anaGrup, altGrup);
        }
        ortam->altGrupYaz(d, anaGrup, altGrup); // the same pair again, by another program
        const QStringList oncekiler{"Kira/AİDAT", "ARABA/BENZİN", "KİRA/DEPOZİTO"};
        QCOMPARE(anaTablo(d), (QStringList{"Kira", "ARABA", anaGrup}));
        QCOMPARE(altTablo(d), (oncekiler + QStringList{cift, cift}));
        QCOMPARE(anaTablo(oteki(d)) + altTablo(oteki(d)), QStringList());

        auto* silDugmesi = form->findChild<QPushButton*>(d.ad + "GrubuSilDüğmesi");
        grupSec(*form, d, anaGrup);
        QVERIFY(!silDugmesi->isEnabled());
        grupSec(*form, d, anaGrup, altGrup);
        QCOMPARE(ogeler(form->bolum(d).altGrupListesi()), QStringList(2, altGrup));
        grubuSil(d, false);
        QCOMPARE(altTablo(d), (oncekiler + QStringList{cift, cift}));
        QCOMPARE(form->bolum(d).altGrupListesi()->currentItem()->text(), altGrup);
        grubuSil(d, true);
        QCOMPARE(altTablo(d), oncekiler + QStringList{cift});
        QCOMPARE(ogeler(form->bolum(d).altGrupListesi()), QStringList{altGrup});
        QCOMPARE(form->bolum(d).altGrupListesi()->selectedItems().size(), 0);
        QCOMPARE(form->bolum(d).anaGrupListesi()->currentText(), anaGrup);
        QCOMPARE(sutun(kayitListesi(*form, d), 2), QStringList{altGrup});
        QCOMPARE(mesajlar(), QStringList(2, "soru: " + soru));

        // A row removed meanwhile by another program is reported; nothing else goes.
        grupSec(*form, d, "Kira", "AİDAT");
        ortam->sorgula("DELETE FROM " + d.altGrupTablosu + " WHERE GrupAdi = 'AİDAT'");
        MesajKutusu::gosterilenleriSil();
        grubuSil(d, true);
        QCOMPARE(mesajlar(), (QStringList{"soru: " + soru, "bilgi: Seçilen alt grup veritabanında artık "
                                          "yok; başka bir program tarafından silinmiş olabilir."}));
        QCOMPARE(altTablo(d), oncekiler.mid(1) + QStringList{cift});
        QCOMPARE(ogeler(form->bolum(d).altGrupListesi()), QStringList{"DEPOZİTO"});
    }

    // Of a sub-group stored in two letter cases, deleting takes the row spelt as chosen.
    void deletesTheRowSpeltAsChosen()
    {
        const DefterTanimi& d = giderDefteri();
        ortam->anaGrupYaz(d, "EV");
        ortam->altGrupYaz(d, "ev", "kira");
        ortam->altGrupYaz(d, "EV", "KİRA");
        form = ortam->anaForm();
        grupSec(*form, d, "EV", "KİRA");
        grubuSil(d, true);
        QCOMPARE(altTablo(d), QStringList{"ev/kira"});
    }
};

QTEST_MAIN(TestGrupEkleme)
#include "tst_grup_ekleme.moc"

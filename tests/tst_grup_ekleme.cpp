#include "GrupEklemeFormu.h"
#include "LedgerTest.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace
{

// Key by key as typed; keyClicks cannot send letters outside Latin-1 such as ı, ğ, ş and İ.
void yaz(QWidget* kutu, const QString& metin)
{
    for (const QChar harf : metin)
        QTest::sendKeyEvent(QTest::Click, kutu, Qt::Key_unknown, QString(harf), Qt::NoModifier);
}

// One add-group dialog and its controls, found by their names.
struct Pencere {
    std::unique_ptr<GrupEklemeFormu> pencere;
    GrupEklemeFormu& form;
    QComboBox* ana;
    QLineEdit* alt;
    QPushButton* ekleKaydet;
    QPushButton* vazgec;
    QPushButton* kapat;

    Pencere(const DefterTanimi& d, AnaForm& anaForm, bool goster = false)
        : pencere(anaForm.grupEklemeFormu(d)), form(*pencere),
          ana(form.findChild<QComboBox*>(d.adiyla("Ana%1GrubuKutusu"))),
          alt(form.findChild<QLineEdit*>(d.adiyla("Alt%1GrubuKutusu"))),
          ekleKaydet(form.findChild<QPushButton*>(QStringLiteral("EkleKaydetDüğmesi"))),
          vazgec(form.findChild<QPushButton*>(QStringLiteral("VazgeçDüğmesi"))),
          kapat(form.findChild<QPushButton*>(QStringLiteral("KapatDüğmesi")))
    {
        if (goster) {
            form.show();
            QVERIFY(QTest::qWaitForWindowActive(&form));
        }
    }

    // Types into both boxes, leaving each one afterwards.
    void doldur(const QString& anaGrup, const QString& altGrup)
    {
        yaz(ana, anaGrup);
        form.AnaGrupKutusu_LostFocus();
        yaz(alt, altGrup);
        form.AltGrupKutusu_LostFocus();
    }
    void ekle(const QString& anaGrup, const QString& altGrup)
    {
        ekleKaydet->click();
        doldur(anaGrup, altGrup);
        ekleKaydet->click();
    }
};

// The dialog's visible state on one line, so that a failed comparison shows all of it.
QString durum(const Pencere& p)
{
    const auto acik = [](const QWidget* w) {
        return w->isEnabled() ? QStringLiteral("açık") : QStringLiteral("kapalı");
    };
    return QStringLiteral("ana %1 [%2] alt %3 [%4] düğme [%5] kapat %6")
        .arg(acik(p.ana), p.ana->currentText(), acik(p.alt), p.alt->text(), p.ekleKaydet->text(),
             acik(p.kapat));
}

QString bekleme(const QString& ad)
{
    return QStringLiteral("ana kapalı [] alt kapalı [] düğme [Yeni %1 Grubu Ekle] kapat açık")
        .arg(ad);
}

QString giris(const QString& anaGrup, const QString& altGrup)
{
    return QStringLiteral("ana açık [%1] alt açık [%2] düğme [Kaydet] kapat kapalı")
        .arg(anaGrup, altGrup);
}

} // namespace

class GroupDialogTest : public LedgerTest
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
        form->findChild<QPushButton*>(d.adiyla("%1GrubuSilDüğmesi"))->click();
    }

private slots:
    // Waiting and entry states, tab order, refusal of an empty box, and capitals on leaving a box.
    void states_data() { defterSatirlari(); }
    void states()
    {
        QFETCH(QString, defterAdi);
        const QString AD = defterAdi == "Gelir" ? "GELİR" : "GİDER";
        const DefterTanimi& d = satirinDefteri();
        ortam->anaGrupYaz(d, "MUTFAK");
        ortam->anaGrupYaz(d, "KİRA");
        form = ortam->anaForm();
        Pencere p(d, *form, true);

        QCOMPARE(p.form.windowTitle(), QStringLiteral("%1 Grubu Ekle").arg(defterAdi));
        QStringList etiketler;
        for (const QLabel* e : p.form.findChildren<QLabel*>()) {
            etiketler << e->text();
            QVERIFY2(e->x() >= 0 && e->width() >= e->sizeHint().width(), qPrintable(e->text()));
            QVERIFY(e->alignment() & Qt::AlignRight);
        }
        etiketler.sort();
        QCOMPARE(etiketler, (QStringList{QStringLiteral("Alt %1 Grubu:").arg(defterAdi),
                                         QStringLiteral("Ana %1 Grubu:").arg(defterAdi)}));
        QCOMPARE(durum(p), bekleme(defterAdi));
        QCOMPARE(QApplication::focusWidget(), p.ekleKaydet);

        p.ekleKaydet->click();
        QCOMPARE(durum(p), giris({}, {}));
        QCOMPARE(ogeler(p.ana), (QStringList{"KİRA", "MUTFAK"}));
        QCOMPARE(p.ana->currentIndex(), -1);
        for (QWidget* kontrol : QList<QWidget*>{p.ana, p.alt, p.ekleKaydet, p.vazgec}) {
            QCOMPARE(QApplication::focusWidget(), kontrol);
            QTest::keyClick(kontrol, Qt::Key_Tab);
        }

        p.doldur({}, "EKMEK");
        p.ekleKaydet->click();
        QCOMPARE(mesajlar(), QStringList{"bilgi: ANA " + AD + " GRUBU boş bırakılamaz!"});
        QCOMPARE(durum(p), giris({}, "EKMEK"));
        QCOMPARE(QApplication::focusWidget(), p.ana);
        MesajKutusu::gosterilenleriSil();
        p.alt->clear();
        p.doldur("PAZAR", {});
        p.ekleKaydet->click();
        QCOMPARE(mesajlar(), QStringList{"bilgi: ALT " + AD + " GRUBU boş bırakılmaz!"});
        QCOMPARE(durum(p), giris("PAZAR", {}));
        QCOMPARE(QApplication::focusWidget(), p.alt);
        QCOMPARE(altTablo(d), QStringList());

        // Blanks are a name: only an empty box is refused.
        MesajKutusu::gosterilenleriSil();
        p.ana->setEditText("   ");
        p.doldur({}, "  ");
        p.ekleKaydet->click();
        QCOMPARE(mesajlar(), QStringList());
        QCOMPARE(durum(p), bekleme(defterAdi));
        QCOMPARE(anaTablo(d), (QStringList{"MUTFAK", "KİRA", "   "}));
        QCOMPARE(altTablo(d), QStringList{"   /  "});

        // Leaving a box capitalises it, Turkish letters whatever the machine's language; giving
        // up stores nothing.
        p.ekleKaydet->click();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        for (const auto& [yazilan, beklenen] : {std::pair{"gider", "GİDER"},
                                                {"ılık", "ILIK"},
                                                {"çiğ Şeker ığdır", "ÇİĞ ŞEKER IĞDIR"}}) {
            p.ana->setEditText({});
            p.alt->clear();
            for (QWidget* kutu : {static_cast<QWidget*>(p.ana), static_cast<QWidget*>(p.alt)}) {
                kutu->setFocus();
                yaz(kutu, QString::fromUtf8(yazilan));
                QTest::keyClick(kutu, Qt::Key_Tab);
            }
            QCOMPARE(durum(p), giris(QString::fromUtf8(beklenen), QString::fromUtf8(beklenen)));
        }
        p.vazgec->click();
        QCOMPARE(durum(p), bekleme(defterAdi));
        QCOMPARE(altTablo(d), QStringList{"   /  "});
    }

    void openedModallyFromMainWindow_data() { defterSatirlari(); }
    void openedModallyFromMainWindow()
    {
        QFETCH(QString, defterAdi);
        form = ortam->anaForm();
        QString gorulen;
        const auto bak = [&](QWidget* w) {
            gorulen = w->objectName();
            QVERIFY(qobject_cast<GrupEklemeFormu*>(w) && w->parentWidget() == form.get());
        };
        auto* dugme = form->findChild<QPushButton*>(satirinDefteri().adiyla("%1GrubuEkleDüğmesi"));
        QVERIFY(acilaniIncele([&] { dugme->click(); }, bak));
        QCOMPARE(gorulen, QStringLiteral("%1GrubuEkleFormu").arg(defterAdi));
        QCOMPARE(form->findChild<GrupEklemeFormu*>(), nullptr);
    }

    // A new main group is stored once and listed on the main window, with nothing chosen; an
    // existing one typed in other letters is not stored again. Names with quotes are stored as
    // typed and found by every command; the same pair saved twice takes two deletions to go.
    void savedGroups_data() { defterSatirlari(); }
    void savedGroups()
    {
        const DefterTanimi& d = satirinDefteri();
        const QString anaGrup = "ANNE'NİN EVİ", altGrup = "O'NUN PAYI";
        const QString cift = anaGrup + '/' + altGrup;
        const QStringList oncekiler{"Kira/AİDAT", "ARABA/BENZİN", "KİRA/DEPOZİTO"};
        ortam->anaGrupYaz(d, "Kira");
        ortam->altGrupYaz(d, "Kira", "AİDAT");
        form = ortam->anaForm();
        grupSec(*form, d, "Kira", "AİDAT");
        {
            Pencere p(d, *form);
            p.ekle("araba", "benzin");
            QCOMPARE(ogeler(form->anaGrupListesi(d)), (QStringList{"ARABA", "Kira"}));
            QCOMPARE(form->anaGrupListesi(d)->currentIndex(), -1);
            QCOMPARE(ogeler(form->altGrupListesi(d)), QStringList());
            p.ekle("kira", "depozito");
            p.ekle(anaGrup, altGrup);
            p.ekle(anaGrup, altGrup);
        }
        QCOMPARE(anaTablo(d), (QStringList{"Kira", "ARABA", anaGrup}));
        QCOMPARE(altTablo(d), (oncekiler + QStringList{cift, cift}));
        QCOMPARE(anaTablo(oteki(d)), QStringList());
        QCOMPARE(altTablo(oteki(d)), QStringList());

        grupSec(*form, d, anaGrup, altGrup);
        QCOMPARE(ogeler(form->altGrupListesi(d)), QStringList(2, altGrup));
        grubuSil(d, true);
        QCOMPARE(altTablo(d), oncekiler + QStringList{cift});
        QCOMPARE(ogeler(form->altGrupListesi(d)), QStringList{altGrup});
        form->altGrupListesi(d)->setCurrentRow(0);
        grubuSil(d, true);
        QCOMPARE(altTablo(d), oncekiler);
        QCOMPARE(ogeler(form->altGrupListesi(d)), QStringList());
        QCOMPARE(form->anaGrupListesi(d)->currentText(), anaGrup);
        QCOMPARE(mesajlar(), QStringList(2, "soru: " + d.grupSilmeSorusu));
    }

    void deleteSubGroup_data() { defterSatirlari(); }
    void deleteSubGroup()
    {
        const DefterTanimi& d = satirinDefteri();
        ortam->anaGrupYaz(d, "MUTFAK");
        for (const char* altGrup : {"EKMEK", "SÜT", "ÇAY"})
            ortam->altGrupYaz(d, "MUTFAK", altGrup);
        ortam->altGrupYaz(d, "PAZAR", "EKMEK");
        ortam->kayitYaz(d, "MUTFAK", "EKMEK", 2024, "Mart", 100, 80);
        form = ortam->anaForm();
        const QStringList hepsi = altTablo(d);

        grupSec(*form, d, "MUTFAK");
        grubuSil(d, true);
        QCOMPARE(mesajlar(), QStringList());
        QCOMPARE(altTablo(d), hepsi);
        MesajKutusu::kaydetmeyeBasla(); // drops the answer no question took
        grupSec(*form, d, "MUTFAK", "EKMEK");
        grubuSil(d, false);
        QCOMPARE(altTablo(d), hepsi);
        QCOMPARE(form->altGrupListesi(d)->currentItem()->text(), QStringLiteral("EKMEK"));

        grubuSil(d, true);
        QCOMPARE(altTablo(d), (QStringList{"MUTFAK/SÜT", "MUTFAK/ÇAY", "PAZAR/EKMEK"}));
        QCOMPARE(ogeler(form->altGrupListesi(d)), (QStringList{"ÇAY", "SÜT"}));
        QCOMPARE(form->altGrupListesi(d)->selectedItems().size(), 0);
        QCOMPARE(form->anaGrupListesi(d)->currentText(), QStringLiteral("MUTFAK"));
        QCOMPARE(sutun(kayitListesi(*form, d), 2), QStringList{"EKMEK"});

        // A row removed meanwhile by another program is reported; nothing else goes.
        form->altGrupListesi(d)->setCurrentRow(1);
        ortam->sorgula("DELETE FROM " + d.altGrupTablosu + " WHERE GrupAdi = 'SÜT'");
        MesajKutusu::gosterilenleriSil();
        grubuSil(d, true);
        QCOMPARE(mesajlar().size(), 2);
        QVERIFY(mesajlar().last().startsWith(u"bilgi: "));
        QCOMPARE(altTablo(d), (QStringList{"MUTFAK/ÇAY", "PAZAR/EKMEK"}));
        QCOMPARE(ogeler(form->altGrupListesi(d)), QStringList{"ÇAY"});
    }

    void failingAppendKeepsInput_data()
    {
        QTest::addColumn<QString>("defterAdi");
        QTest::addColumn<bool>("anaKilitli");
        for (const char* ad : {"Gelir", "Gider"}) {
            QTest::addRow("%s, ana grup", ad) << ad << true;
            QTest::addRow("%s, alt grup", ad) << ad << false;
        }
    }
    void failingAppendKeepsInput()
    {
        QFETCH(QString, defterAdi);
        QFETCH(bool, anaKilitli);
        const DefterTanimi& d = satirinDefteri();
        ortam->anaGrupYaz(d, "PAZAR");
        ortam->sorgula(QStringLiteral("CREATE TRIGGER kilit BEFORE INSERT ON %1 "
                                      "BEGIN SELECT RAISE(ABORT, 'tablo salt okunur'); END")
                           .arg(anaKilitli ? d.anaGrupTablosu : d.altGrupTablosu));
        form = ortam->anaForm();
        grupSec(*form, d, "PAZAR");
        Pencere p(d, *form);

        p.ekle("ARABA", "BENZİN");
        QVERIFY(tekHata("tablo salt okunur"));
        QCOMPARE(durum(p), giris("ARABA", "BENZİN"));
        QCOMPARE(altTablo(d), QStringList());
        // The main window shows what was written, and is left alone when nothing was.
        if (anaKilitli) {
            QCOMPARE(ogeler(form->anaGrupListesi(d)), QStringList{"PAZAR"});
            QCOMPARE(form->anaGrupListesi(d)->currentText(), QStringLiteral("PAZAR"));
        } else {
            QCOMPARE(anaTablo(d), (QStringList{"PAZAR", "ARABA"}));
            QCOMPARE(ogeler(form->anaGrupListesi(d)), (QStringList{"ARABA", "PAZAR"}));
        }

        ortam->sorgula("DROP TRIGGER kilit");
        p.ekleKaydet->click();
        QCOMPARE(durum(p), bekleme(defterAdi));
        QCOMPARE(anaTablo(d), (QStringList{"PAZAR", "ARABA"}));
        QCOMPARE(altTablo(d), QStringList{"ARABA/BENZİN"});
    }
};

QTEST_MAIN(GroupDialogTest)
#include "tst_grup_ekleme.moc"

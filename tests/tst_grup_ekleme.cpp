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
    GrupEklemeFormu form;
    QComboBox* ana;
    QLineEdit* alt;
    QPushButton* ekleKaydet;
    QPushButton* vazgeç;
    QPushButton* kapat;

    Pencere(const DefterTanımı& d, AnaForm& anaForm, bool göster = false)
        : form(d, anaForm), ana(form.findChild<QComboBox*>(d.adıyla("Ana%1GrubuKutusu"))),
          alt(form.findChild<QLineEdit*>(d.adıyla("Alt%1GrubuKutusu"))),
          ekleKaydet(form.findChild<QPushButton*>(QStringLiteral("EkleKaydetDüğmesi"))),
          vazgeç(form.findChild<QPushButton*>(QStringLiteral("VazgeçDüğmesi"))),
          kapat(form.findChild<QPushButton*>(QStringLiteral("KapatDüğmesi")))
    {
        if (göster) {
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
    const auto açık = [](const QWidget* w) {
        return w->isEnabled() ? QStringLiteral("açık") : QStringLiteral("kapalı");
    };
    return QStringLiteral("ana %1 [%2] alt %3 [%4] düğme [%5] kapat %6")
        .arg(açık(p.ana), p.ana->currentText(), açık(p.alt), p.alt->text(), p.ekleKaydet->text(),
             açık(p.kapat));
}

QString bekleme(const QString& ad)
{
    return QStringLiteral("ana kapalı [] alt kapalı [] düğme [Yeni %1 Grubu Ekle] kapat açık")
        .arg(ad);
}

QString giriş(const QString& anaGrup, const QString& altGrup)
{
    return QStringLiteral("ana açık [%1] alt açık [%2] düğme [Kaydet] kapat kapalı")
        .arg(anaGrup, altGrup);
}

} // namespace

class GroupDialogTest : public LedgerTest
{
    Q_OBJECT

    // Rows as stored, in the order written; sub-group rows read "main/sub".
    QStringList anaTablo(const DefterTanımı& d)
    {
        return ortam->sütunu("SELECT GrupAdi FROM " + d.anaGrupTablosu + " ORDER BY rowid");
    }
    QStringList altTablo(const DefterTanımı& d)
    {
        return ortam->sütunu("SELECT AnaGrup || '/' || GrupAdi FROM " + d.altGrupTablosu +
                             " ORDER BY rowid");
    }
    void grubuSil(const DefterTanımı& d, bool yanıt)
    {
        MesajKutusu::sonrakiYanıt(yanıt);
        form->findChild<QPushButton*>(d.adıyla("%1GrubuSilDüğmesi"))->click();
    }

private slots:
    // Waiting and entry states, tab order, refusal of an empty box, and capitals on leaving a box.
    void states_data() { defterSatırları(); }
    void states()
    {
        QFETCH(QString, defterAdı);
        const QString AD = defterAdı == "Gelir" ? "GELİR" : "GİDER";
        const DefterTanımı& d = satırınDefteri();
        ortam->anaGrupYaz(d, "MUTFAK");
        ortam->anaGrupYaz(d, "KİRA");
        form = ortam->anaForm();
        Pencere p(d, *form, true);

        QCOMPARE(p.form.windowTitle(), QStringLiteral("%1 Grubu Ekle").arg(defterAdı));
        QStringList etiketler;
        for (const QLabel* e : p.form.findChildren<QLabel*>()) {
            etiketler << e->text();
            QVERIFY2(e->x() >= 0 && e->width() >= e->sizeHint().width(), qPrintable(e->text()));
            QVERIFY(e->alignment() & Qt::AlignRight);
        }
        etiketler.sort();
        QCOMPARE(etiketler, (QStringList{QStringLiteral("Alt %1 Grubu:").arg(defterAdı),
                                         QStringLiteral("Ana %1 Grubu:").arg(defterAdı)}));
        QCOMPARE(durum(p), bekleme(defterAdı));
        QCOMPARE(QApplication::focusWidget(), p.ekleKaydet);

        p.ekleKaydet->click();
        QCOMPARE(durum(p), giriş({}, {}));
        QCOMPARE(öğeler(p.ana), (QStringList{"KİRA", "MUTFAK"}));
        QCOMPARE(p.ana->currentIndex(), -1);
        for (QWidget* kontrol : QList<QWidget*>{p.ana, p.alt, p.ekleKaydet, p.vazgeç}) {
            QCOMPARE(QApplication::focusWidget(), kontrol);
            QTest::keyClick(kontrol, Qt::Key_Tab);
        }

        p.doldur({}, "EKMEK");
        p.ekleKaydet->click();
        QCOMPARE(mesajlar(), QStringList{"bilgi: ANA " + AD + " GRUBU boş bırakılamaz!"});
        QCOMPARE(durum(p), giriş({}, "EKMEK"));
        QCOMPARE(QApplication::focusWidget(), p.ana);
        MesajKutusu::gösterilenleriSil();
        p.alt->clear();
        p.doldur("PAZAR", {});
        p.ekleKaydet->click();
        QCOMPARE(mesajlar(), QStringList{"bilgi: ALT " + AD + " GRUBU boş bırakılmaz!"});
        QCOMPARE(durum(p), giriş("PAZAR", {}));
        QCOMPARE(QApplication::focusWidget(), p.alt);
        QCOMPARE(altTablo(d), QStringList());

        // Blanks are a name: only an empty box is refused.
        MesajKutusu::gösterilenleriSil();
        p.ana->setEditText("   ");
        p.doldur({}, "  ");
        p.ekleKaydet->click();
        QCOMPARE(mesajlar(), QStringList());
        QCOMPARE(durum(p), bekleme(defterAdı));
        QCOMPARE(anaTablo(d), (QStringList{"MUTFAK", "KİRA", "   "}));
        QCOMPARE(altTablo(d), QStringList{"   /  "});

        // Leaving a box capitalises it, Turkish letters whatever the machine's language; giving
        // up stores nothing.
        p.ekleKaydet->click();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        for (const auto& [yazılan, beklenen] : {std::pair{"gider", "GİDER"},
                                                {"ılık", "ILIK"},
                                                {"çiğ Şeker ığdır", "ÇİĞ ŞEKER IĞDIR"}}) {
            p.ana->setEditText({});
            p.alt->clear();
            for (QWidget* kutu : {static_cast<QWidget*>(p.ana), static_cast<QWidget*>(p.alt)}) {
                kutu->setFocus();
                yaz(kutu, QString::fromUtf8(yazılan));
                QTest::keyClick(kutu, Qt::Key_Tab);
            }
            QCOMPARE(durum(p), giriş(QString::fromUtf8(beklenen), QString::fromUtf8(beklenen)));
        }
        p.vazgeç->click();
        QCOMPARE(durum(p), bekleme(defterAdı));
        QCOMPARE(altTablo(d), QStringList{"   /  "});
    }

    void openedModallyFromMainWindow_data() { defterSatırları(); }
    void openedModallyFromMainWindow()
    {
        QFETCH(QString, defterAdı);
        form = ortam->anaForm();
        QString görülen;
        const auto bak = [&](QWidget* w) {
            görülen = w->objectName();
            QVERIFY(qobject_cast<GrupEklemeFormu*>(w) && w->parentWidget() == form.get());
        };
        auto* düğme = form->findChild<QPushButton*>(satırınDefteri().adıyla("%1GrubuEkleDüğmesi"));
        QVERIFY(açılanıİncele([&] { düğme->click(); }, bak));
        QCOMPARE(görülen, QStringLiteral("%1GrubuEkleFormu").arg(defterAdı));
        QCOMPARE(form->findChild<GrupEklemeFormu*>(), nullptr);
    }

    // A new main group is stored once and listed on the main window, with nothing chosen; an
    // existing one typed in other letters is not stored again. Names with quotes are stored as
    // typed and found by every command; the same pair saved twice takes two deletions to go.
    void savedGroups_data() { defterSatırları(); }
    void savedGroups()
    {
        const DefterTanımı& d = satırınDefteri();
        const QString anaGrup = "ANNE'NİN EVİ", altGrup = "O'NUN PAYI";
        const QString çift = anaGrup + '/' + altGrup;
        const QStringList öncekiler{"Kira/AİDAT", "ARABA/BENZİN", "KİRA/DEPOZİTO"};
        ortam->anaGrupYaz(d, "Kira");
        ortam->altGrupYaz(d, "Kira", "AİDAT");
        form = ortam->anaForm();
        grupSeç(*form, d, "Kira", "AİDAT");
        {
            Pencere p(d, *form);
            p.ekle("araba", "benzin");
            QCOMPARE(öğeler(form->anaGrupListesi(d)), (QStringList{"ARABA", "Kira"}));
            QCOMPARE(form->anaGrupListesi(d)->currentIndex(), -1);
            QCOMPARE(öğeler(form->altGrupListesi(d)), QStringList());
            p.ekle("kira", "depozito");
            p.ekle(anaGrup, altGrup);
            p.ekle(anaGrup, altGrup);
        }
        QCOMPARE(anaTablo(d), (QStringList{"Kira", "ARABA", anaGrup}));
        QCOMPARE(altTablo(d), (öncekiler + QStringList{çift, çift}));
        QCOMPARE(anaTablo(öteki(d)), QStringList());
        QCOMPARE(altTablo(öteki(d)), QStringList());

        grupSeç(*form, d, anaGrup, altGrup);
        QCOMPARE(öğeler(form->altGrupListesi(d)), QStringList(2, altGrup));
        grubuSil(d, true);
        QCOMPARE(altTablo(d), öncekiler + QStringList{çift});
        QCOMPARE(öğeler(form->altGrupListesi(d)), QStringList{altGrup});
        form->altGrupListesi(d)->setCurrentRow(0);
        grubuSil(d, true);
        QCOMPARE(altTablo(d), öncekiler);
        QCOMPARE(öğeler(form->altGrupListesi(d)), QStringList());
        QCOMPARE(form->anaGrupListesi(d)->currentText(), anaGrup);
        QCOMPARE(mesajlar(), QStringList(2, "soru: " + d.grupSilmeSorusu));
    }

    void deleteSubGroup_data() { defterSatırları(); }
    void deleteSubGroup()
    {
        const DefterTanımı& d = satırınDefteri();
        ortam->anaGrupYaz(d, "MUTFAK");
        for (const char* altGrup : {"EKMEK", "SÜT", "ÇAY"})
            ortam->altGrupYaz(d, "MUTFAK", altGrup);
        ortam->altGrupYaz(d, "PAZAR", "EKMEK");
        ortam->kayıtYaz(d, "MUTFAK", "EKMEK", 2024, "Mart", 100, 80);
        form = ortam->anaForm();
        const QStringList hepsi = altTablo(d);

        grupSeç(*form, d, "MUTFAK");
        grubuSil(d, true);
        QCOMPARE(mesajlar(), QStringList());
        QCOMPARE(altTablo(d), hepsi);
        MesajKutusu::kaydetmeyeBaşla(); // drops the answer no question took
        grupSeç(*form, d, "MUTFAK", "EKMEK");
        grubuSil(d, false);
        QCOMPARE(altTablo(d), hepsi);
        QCOMPARE(form->altGrupListesi(d)->currentItem()->text(), QStringLiteral("EKMEK"));

        grubuSil(d, true);
        QCOMPARE(altTablo(d), (QStringList{"MUTFAK/SÜT", "MUTFAK/ÇAY", "PAZAR/EKMEK"}));
        QCOMPARE(öğeler(form->altGrupListesi(d)), (QStringList{"ÇAY", "SÜT"}));
        QCOMPARE(form->altGrupListesi(d)->selectedItems().size(), 0);
        QCOMPARE(form->anaGrupListesi(d)->currentText(), QStringLiteral("MUTFAK"));
        QCOMPARE(sütun(kayıtListesi(*form, d), 2), QStringList{"EKMEK"});

        // A row removed meanwhile by another program is reported; nothing else goes.
        form->altGrupListesi(d)->setCurrentRow(1);
        ortam->sorgula("DELETE FROM " + d.altGrupTablosu + " WHERE GrupAdi = 'SÜT'");
        MesajKutusu::gösterilenleriSil();
        grubuSil(d, true);
        QCOMPARE(mesajlar().size(), 2);
        QVERIFY(mesajlar().last().startsWith(u"bilgi: "));
        QCOMPARE(altTablo(d), (QStringList{"MUTFAK/ÇAY", "PAZAR/EKMEK"}));
        QCOMPARE(öğeler(form->altGrupListesi(d)), QStringList{"ÇAY"});
    }

    void failingAppendKeepsInput_data()
    {
        QTest::addColumn<QString>("defterAdı");
        QTest::addColumn<bool>("anaKilitli");
        for (const char* ad : {"Gelir", "Gider"}) {
            QTest::addRow("%s, ana grup", ad) << ad << true;
            QTest::addRow("%s, alt grup", ad) << ad << false;
        }
    }
    void failingAppendKeepsInput()
    {
        QFETCH(QString, defterAdı);
        QFETCH(bool, anaKilitli);
        const DefterTanımı& d = satırınDefteri();
        ortam->anaGrupYaz(d, "PAZAR");
        ortam->sorgula(QStringLiteral("CREATE TRIGGER kilit BEFORE INSERT ON %1 "
                                      "BEGIN SELECT RAISE(ABORT, 'tablo salt okunur'); END")
                           .arg(anaKilitli ? d.anaGrupTablosu : d.altGrupTablosu));
        form = ortam->anaForm();
        grupSeç(*form, d, "PAZAR");
        Pencere p(d, *form);

        p.ekle("ARABA", "BENZİN");
        QVERIFY(tekHata("tablo salt okunur"));
        QCOMPARE(durum(p), giriş("ARABA", "BENZİN"));
        QCOMPARE(altTablo(d), QStringList());
        // The main window shows what was written, and is left alone when nothing was.
        if (anaKilitli) {
            QCOMPARE(öğeler(form->anaGrupListesi(d)), QStringList{"PAZAR"});
            QCOMPARE(form->anaGrupListesi(d)->currentText(), QStringLiteral("PAZAR"));
        } else {
            QCOMPARE(anaTablo(d), (QStringList{"PAZAR", "ARABA"}));
            QCOMPARE(öğeler(form->anaGrupListesi(d)), (QStringList{"ARABA", "PAZAR"}));
        }

        ortam->sorgula("DROP TRIGGER kilit");
        p.ekleKaydet->click();
        QCOMPARE(durum(p), bekleme(defterAdı));
        QCOMPARE(anaTablo(d), (QStringList{"PAZAR", "ARABA"}));
        QCOMPARE(altTablo(d), QStringList{"ARABA/BENZİN"});
    }
};

QTEST_MAIN(GroupDialogTest)
#include "tst_grup_ekleme.moc"

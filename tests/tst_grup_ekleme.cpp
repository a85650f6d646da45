#include "AnaForm.h"
#include "GrupEklemeFormu.h"
#include "MesajKutusu.h"
#include "Okuma.h"
#include "TestOrtamı.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

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

class GroupDialogTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestOrtamı> ortam;
    std::unique_ptr<AnaForm> anaForm;

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
        anaForm->findChild<QPushButton*>(d.adıyla("%1GrubuSilDüğmesi"))->click();
    }

private slots:
    void init() { ortam = std::make_unique<TestOrtamı>(); }
    void cleanup()
    {
        anaForm.reset();
        ortam.reset();
    }

    void states_data() { defterSatırları(); }
    void states()
    {
        QFETCH(QString, defterAdı);
        const DefterTanımı& d = satırınDefteri();
        ortam->anaGrupYaz(d, "MUTFAK");
        ortam->anaGrupYaz(d, "KİRA");
        anaForm = ortam->anaForm();
        Pencere p(d, *anaForm, true);

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

        p.doldur("ARABA", "BENZİN");
        p.vazgeç->click();
        QCOMPARE(durum(p), bekleme(defterAdı));
        QCOMPARE(altTablo(d), QStringList());

        p.ekle("ARABA", "BENZİN");
        QCOMPARE(durum(p), bekleme(defterAdı));
        QCOMPARE(mesajlar(), QStringList());
    }

    void openedModallyFromMainWindow_data() { defterSatırları(); }
    void openedModallyFromMainWindow()
    {
        QFETCH(QString, defterAdı);
        anaForm = ortam->anaForm();
        QString görülen;
        const auto bak = [&](QWidget* w) {
            görülen = w->objectName();
            QVERIFY(qobject_cast<GrupEklemeFormu*>(w) && w->parentWidget() == anaForm.get());
        };
        auto* düğme =
            anaForm->findChild<QPushButton*>(satırınDefteri().adıyla("%1GrubuEkleDüğmesi"));
        QVERIFY(açılanıİncele([&] { düğme->click(); }, bak));
        QCOMPARE(görülen, QStringLiteral("%1GrubuEkleFormu").arg(defterAdı));
        QCOMPARE(anaForm->findChild<GrupEklemeFormu*>(), nullptr);
    }

    void emptyBoxesRefused_data() { defterSatırları(); }
    void emptyBoxesRefused()
    {
        QFETCH(QString, defterAdı);
        const QString AD = defterAdı == "Gelir" ? "GELİR" : "GİDER";
        const DefterTanımı& d = satırınDefteri();
        anaForm = ortam->anaForm();
        Pencere p(d, *anaForm, true);
        p.ekleKaydet->click();

        p.doldur({}, "EKMEK");
        p.ekleKaydet->click();
        QCOMPARE(mesajlar(), QStringList{"bilgi: ANA " + AD + " GRUBU boş bırakılamaz!"});
        QCOMPARE(durum(p), giriş({}, "EKMEK"));
        QCOMPARE(QApplication::focusWidget(), p.ana);

        MesajKutusu::gösterilenleriSil();
        p.alt->clear();
        p.doldur("MUTFAK", {});
        p.ekleKaydet->click();
        QCOMPARE(mesajlar(), QStringList{"bilgi: ALT " + AD + " GRUBU boş bırakılmaz!"});
        QCOMPARE(durum(p), giriş("MUTFAK", {}));
        QCOMPARE(QApplication::focusWidget(), p.alt);
        QCOMPARE(anaTablo(d), QStringList());
        QCOMPARE(altTablo(d), QStringList());

        // Blanks are a name: only an empty box is refused.
        MesajKutusu::gösterilenleriSil();
        p.ana->setEditText("   ");
        p.doldur({}, "  ");
        p.ekleKaydet->click();
        QCOMPARE(mesajlar(), QStringList());
        QCOMPARE(anaTablo(d), QStringList{"   "});
        QCOMPARE(altTablo(d), QStringList{"   /  "});
    }

    // A new main group is stored once and the main window lists it, with nothing chosen; an
    // existing one typed in other letters is found and not stored twice.
    void newAndExistingMainGroup_data() { defterSatırları(); }
    void newAndExistingMainGroup()
    {
        const DefterTanımı& d = satırınDefteri();
        ortam->anaGrupYaz(d, "Kira");
        ortam->altGrupYaz(d, "Kira", "AİDAT");
        anaForm = ortam->anaForm();
        grupSeç(*anaForm, d, "Kira", "AİDAT");
        Pencere p(d, *anaForm);

        p.ekle("araba", "benzin");
        QCOMPARE(öğeler(anaForm->anaGrupListesi(d)), (QStringList{"ARABA", "Kira"}));
        QCOMPARE(anaForm->anaGrupListesi(d)->currentIndex(), -1);
        QCOMPARE(öğeler(anaForm->altGrupListesi(d)), QStringList());
        p.ekle("kira", "depozito");

        QCOMPARE(anaTablo(d), (QStringList{"Kira", "ARABA"}));
        QCOMPARE(altTablo(d), (QStringList{"Kira/AİDAT", "ARABA/BENZİN", "KİRA/DEPOZİTO"}));
        QCOMPARE(anaTablo(öteki(d)), QStringList());
        QCOMPARE(altTablo(öteki(d)), QStringList());
    }

    void capitalising_data()
    {
        QTest::addColumn<QString>("defterAdı");
        QTest::addColumn<QString>("yazılan");
        QTest::addColumn<QString>("beklenen");
        for (const char* ad : {"Gelir", "Gider"}) {
            QTest::addRow("%s: gider", ad) << ad << "gider" << QString("GİDER");
            QTest::addRow("%s: ılık", ad) << ad << "ılık" << QString("ILIK");
            QTest::addRow("%s: çiğ", ad) << ad << "çiğ Şeker ığdır" << QString("ÇİĞ ŞEKER IĞDIR");
        }
    }
    void capitalising()
    {
        QFETCH(QString, yazılan);
        QFETCH(QString, beklenen);
        // The Turkish letters must not depend on the machine's language.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        anaForm = ortam->anaForm();
        Pencere p(satırınDefteri(), *anaForm, true);
        p.ekleKaydet->click();

        for (QWidget* kutu : {static_cast<QWidget*>(p.ana), static_cast<QWidget*>(p.alt)}) {
            kutu->setFocus();
            yaz(kutu, yazılan);
            QTest::keyClick(kutu, Qt::Key_Tab);
        }
        QCOMPARE(durum(p), giriş(beklenen, beklenen));
    }

    // Names with quotes are stored as typed and found by every command; the same pair saved
    // twice takes two deletions to go.
    void samePairTwiceDeletedOneByOne_data() { defterSatırları(); }
    void samePairTwiceDeletedOneByOne()
    {
        const DefterTanımı& d = satırınDefteri();
        const QString anaGrup = "ANNE'NİN EVİ", altGrup = "O'NUN PAYI";
        const QString satır = anaGrup + '/' + altGrup;
        anaForm = ortam->anaForm();
        {
            Pencere p(d, *anaForm);
            p.ekle(anaGrup, altGrup);
            p.ekle(anaGrup, altGrup);
        }
        QCOMPARE(anaTablo(d), QStringList{anaGrup});
        QCOMPARE(altTablo(d), QStringList(2, satır));

        grupSeç(*anaForm, d, anaGrup, altGrup);
        QCOMPARE(öğeler(anaForm->altGrupListesi(d)), QStringList(2, altGrup));
        grubuSil(d, true);
        QCOMPARE(altTablo(d), QStringList{satır});
        QCOMPARE(öğeler(anaForm->altGrupListesi(d)), QStringList{altGrup});
        anaForm->altGrupListesi(d)->setCurrentRow(0);
        grubuSil(d, true);
        QCOMPARE(altTablo(d), QStringList());
        QCOMPARE(öğeler(anaForm->altGrupListesi(d)), QStringList());
        QCOMPARE(anaForm->anaGrupListesi(d)->currentText(), anaGrup);
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
        anaForm = ortam->anaForm();
        const QStringList hepsi = altTablo(d);

        grupSeç(*anaForm, d, "MUTFAK");
        grubuSil(d, true);
        QCOMPARE(mesajlar(), QStringList());
        QCOMPARE(altTablo(d), hepsi);
        MesajKutusu::kaydetmeyeBaşla(); // drops the answer no question took
        grupSeç(*anaForm, d, "MUTFAK", "EKMEK");
        grubuSil(d, false);
        QCOMPARE(altTablo(d), hepsi);
        QCOMPARE(anaForm->altGrupListesi(d)->currentItem()->text(), QStringLiteral("EKMEK"));

        grubuSil(d, true);
        QCOMPARE(altTablo(d), (QStringList{"MUTFAK/SÜT", "MUTFAK/ÇAY", "PAZAR/EKMEK"}));
        QCOMPARE(öğeler(anaForm->altGrupListesi(d)), (QStringList{"ÇAY", "SÜT"}));
        QCOMPARE(anaForm->altGrupListesi(d)->selectedItems().size(), 0);
        QCOMPARE(anaForm->anaGrupListesi(d)->currentText(), QStringLiteral("MUTFAK"));
        QCOMPARE(sütun(kayıtListesi(*anaForm, d), 2), QStringList{"EKMEK"});

        // A row removed meanwhile by another program is reported; nothing else goes.
        anaForm->altGrupListesi(d)->setCurrentRow(1);
        ortam->sorgula("DELETE FROM " + d.altGrupTablosu + " WHERE GrupAdi = 'SÜT'");
        MesajKutusu::gösterilenleriSil();
        grubuSil(d, true);
        QCOMPARE(mesajlar().size(), 2);
        QVERIFY(mesajlar().last().startsWith(u"bilgi: "));
        QCOMPARE(altTablo(d), (QStringList{"MUTFAK/ÇAY", "PAZAR/EKMEK"}));
        QCOMPARE(öğeler(anaForm->altGrupListesi(d)), QStringList{"ÇAY"});
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
        anaForm = ortam->anaForm();
        grupSeç(*anaForm, d, "PAZAR");
        Pencere p(d, *anaForm);

        p.ekle("ARABA", "BENZİN");
        QVERIFY(tekHata("tablo salt okunur"));
        QCOMPARE(durum(p), giriş("ARABA", "BENZİN"));
        QCOMPARE(altTablo(d), QStringList());
        // The main window shows what was written, and is left alone when nothing was.
        if (anaKilitli) {
            QCOMPARE(öğeler(anaForm->anaGrupListesi(d)), QStringList{"PAZAR"});
            QCOMPARE(anaForm->anaGrupListesi(d)->currentText(), QStringLiteral("PAZAR"));
        } else {
            QCOMPARE(anaTablo(d), (QStringList{"PAZAR", "ARABA"}));
            QCOMPARE(öğeler(anaForm->anaGrupListesi(d)), (QStringList{"ARABA", "PAZAR"}));
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

#include "AnaForm.h"
#include "DeğişkenModülü.h"
#include "GrupEklemeFormu.h"
#include "MesajKutusu.h"
#include "TestOrtamı.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTimer>
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

    Pencere(const DefterTanımı& d, AnaForm& anaForm)
        : form(d, anaForm), ana(form.findChild<QComboBox*>(d.adıyla("Ana%1GrubuKutusu"))),
          alt(form.findChild<QLineEdit*>(d.adıyla("Alt%1GrubuKutusu"))),
          ekleKaydet(form.findChild<QPushButton*>(QStringLiteral("EkleKaydetDüğmesi"))),
          vazgeç(form.findChild<QPushButton*>(QStringLiteral("VazgeçDüğmesi"))),
          kapat(form.findChild<QPushButton*>(QStringLiteral("KapatDüğmesi")))
    {
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

// Rows as stored, in the order written; sub-group rows read "main/sub".
QStringList satırlar(const QString& tablo)
{
    QSqlQuery sorgu(DeğişkenModülü::VeriTabanı());
    sorgu.exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid")
                   .arg(tablo.startsWith(u"Alt") ? "AnaGrup || '/' || GrupAdi" : "GrupAdi", tablo));
    QStringList sonuç;
    while (sorgu.next())
        sonuç << sorgu.value(0).toString();
    return sonuç;
}

QStringList öğeler(const QComboBox* liste)
{
    QStringList sonuç;
    for (int i = 0; i < liste->count(); ++i)
        sonuç << liste->itemText(i);
    return sonuç;
}

QStringList öğeler(const QListWidget* liste)
{
    QStringList sonuç;
    for (int i = 0; i < liste->count(); ++i)
        sonuç << liste->item(i)->text();
    return sonuç;
}

// The messages shown, each as "icon: text".
QStringList mesajlar()
{
    QStringList sonuç;
    for (const MesajKutusu::Gösterilen& g : MesajKutusu::gösterilenler())
        sonuç << (g.simge == MesajKutusu::Simge::Bilgi  ? QStringLiteral("bilgi: ")
                  : g.simge == MesajKutusu::Simge::Soru ? QStringLiteral("soru: ")
                                                        : QStringLiteral("hata: ")) +
                     g.metin;
    return sonuç;
}

} // namespace

class GroupDialogTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestOrtamı> ortam;
    std::unique_ptr<AnaForm> anaForm;

    // The two ledgers as data rows, with their names as the captions spell them.
    static void ikizler()
    {
        QTest::addColumn<QString>("ad");
        QTest::addColumn<QString>("AD");
    }
    static void ikizSatırları()
    {
        ikizler();
        QTest::newRow("gelir") << "Gelir"
                               << "GELİR";
        QTest::newRow("gider") << "Gider"
                               << "GİDER";
    }
    static const DefterTanımı& defter()
    {
        QFETCH(QString, ad);
        return ad == u"Gelir" ? gelirDefteri() : giderDefteri();
    }

    // Chooses on the main window a main group and, if given, one of its sub-groups.
    void seç(const DefterTanımı& d, const QString& anaGrup, const QString& altGrup = {})
    {
        QComboBox* liste = anaForm->anaGrupListesi(d);
        liste->setCurrentIndex(liste->findText(anaGrup));
        anaForm->anaGrupTıklandı(d);
        if (!altGrup.isEmpty())
            anaForm->altGrupListesi(d)->setCurrentRow(
                öğeler(anaForm->altGrupListesi(d)).indexOf(altGrup));
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

    void states_data() { ikizSatırları(); }
    void states()
    {
        QFETCH(QString, ad);
        const DefterTanımı& d = defter();
        ortam->anaGrupYaz(d, QStringLiteral("MUTFAK"));
        ortam->anaGrupYaz(d, QStringLiteral("KİRA"));
        anaForm = ortam->anaForm();
        Pencere p(d, *anaForm);
        p.form.show();
        QVERIFY(QTest::qWaitForWindowActive(&p.form));

        QCOMPARE(p.form.windowTitle(), QStringLiteral("%1 Grubu Ekle").arg(ad));
        QStringList etiketler;
        for (const QLabel* e : p.form.findChildren<QLabel*>()) {
            etiketler << e->text();
            QVERIFY2(e->x() >= 0 && e->width() >= e->sizeHint().width(), qPrintable(e->text()));
            QVERIFY(e->alignment() & Qt::AlignRight);
        }
        etiketler.sort();
        QCOMPARE(etiketler, (QStringList{QStringLiteral("Alt %1 Grubu:").arg(ad),
                                         QStringLiteral("Ana %1 Grubu:").arg(ad)}));
        QCOMPARE(durum(p), bekleme(ad));
        QCOMPARE(QApplication::focusWidget(), p.ekleKaydet);

        p.ekleKaydet->click();
        QCOMPARE(durum(p), giriş({}, {}));
        QCOMPARE(öğeler(p.ana), (QStringList{"KİRA", "MUTFAK"}));
        QCOMPARE(p.ana->currentIndex(), -1);
        const QList<QWidget*> sekmeler{p.ana, p.alt, p.ekleKaydet, p.vazgeç};
        for (QWidget* kontrol : sekmeler) {
            QCOMPARE(QApplication::focusWidget(), kontrol);
            QTest::keyClick(kontrol, Qt::Key_Tab);
        }

        p.doldur(QStringLiteral("ARABA"), QStringLiteral("BENZİN"));
        p.vazgeç->click();
        QCOMPARE(durum(p), bekleme(ad));
        QCOMPARE(satırlar(d.altGrupTablosu), QStringList());

        p.ekle(QStringLiteral("ARABA"), QStringLiteral("BENZİN"));
        QCOMPARE(durum(p), bekleme(ad));
        QCOMPARE(mesajlar(), QStringList());
    }

    void openedModallyFromMainWindow_data() { ikizSatırları(); }
    void openedModallyFromMainWindow()
    {
        QFETCH(QString, ad);
        anaForm = ortam->anaForm();
        QString görülen;
        QTimer::singleShot(0, anaForm.get(), [&] {
            auto* form = anaForm->findChild<GrupEklemeFormu*>();
            QVERIFY(form);
            görülen = form->objectName();
            if (QApplication::activeModalWidget() == form)
                görülen += QStringLiteral(" modal");
            form->findChild<QPushButton*>(QStringLiteral("KapatDüğmesi"))->click();
            if (form->isVisible())
                form->reject();
        });
        anaForm->findChild<QPushButton*>(defter().adıyla("%1GrubuEkleDüğmesi"))->click();
        QCOMPARE(görülen, QStringLiteral("%1GrubuEkleFormu modal").arg(ad));
        QCOMPARE(anaForm->findChild<GrupEklemeFormu*>(), nullptr);
    }

    void emptyBoxesRefused_data() { ikizSatırları(); }
    void emptyBoxesRefused()
    {
        QFETCH(QString, AD);
        const DefterTanımı& d = defter();
        anaForm = ortam->anaForm();
        Pencere p(d, *anaForm);
        p.form.show();
        QVERIFY(QTest::qWaitForWindowActive(&p.form));
        p.ekleKaydet->click();

        p.doldur({}, QStringLiteral("EKMEK"));
        p.ekleKaydet->click();
        QCOMPARE(mesajlar(), QStringList{"bilgi: ANA " + AD + " GRUBU boş bırakılamaz!"});
        QCOMPARE(durum(p), giriş({}, QStringLiteral("EKMEK")));
        QCOMPARE(QApplication::focusWidget(), p.ana);

        MesajKutusu::gösterilenleriSil();
        p.alt->clear();
        p.doldur(QStringLiteral("MUTFAK"), {});
        p.ekleKaydet->click();
        QCOMPARE(mesajlar(), QStringList{"bilgi: ALT " + AD + " GRUBU boş bırakılmaz!"});
        QCOMPARE(durum(p), giriş(QStringLiteral("MUTFAK"), {}));
        QCOMPARE(QApplication::focusWidget(), p.alt);
        QCOMPARE(satırlar(d.anaGrupTablosu), QStringList());
        QCOMPARE(satırlar(d.altGrupTablosu), QStringList());

        // Blanks are a name: only an empty box is refused.
        MesajKutusu::gösterilenleriSil();
        p.ana->setEditText(QStringLiteral("   "));
        p.doldur({}, QStringLiteral("  "));
        p.ekleKaydet->click();
        QCOMPARE(mesajlar(), QStringList());
        QCOMPARE(satırlar(d.anaGrupTablosu), QStringList{"   "});
        QCOMPARE(satırlar(d.altGrupTablosu), QStringList{"   /  "});
    }

    void newAndExistingMainGroup_data() { ikizSatırları(); }
    void newAndExistingMainGroup()
    {
        const DefterTanımı& d = defter();
        const DefterTanımı& öteki = &d == &gelirDefteri() ? giderDefteri() : gelirDefteri();
        ortam->anaGrupYaz(d, QStringLiteral("Kira"));
        anaForm = ortam->anaForm();
        Pencere p(d, *anaForm);

        p.ekle(QStringLiteral("mutfak"), QStringLiteral("ekmek"));
        // Typed again in other letters, the main group is found and not stored twice.
        p.ekle(QStringLiteral("kira"), QStringLiteral("depozito"));

        QCOMPARE(satırlar(d.anaGrupTablosu), (QStringList{"Kira", "MUTFAK"}));
        QCOMPARE(satırlar(d.altGrupTablosu), (QStringList{"MUTFAK/EKMEK", "KİRA/DEPOZİTO"}));
        QCOMPARE(satırlar(öteki.anaGrupTablosu), QStringList());
        QCOMPARE(satırlar(öteki.altGrupTablosu), QStringList());
    }

    void capitalising_data()
    {
        ikizler();
        QTest::addColumn<QString>("yazılan");
        QTest::addColumn<QString>("beklenen");
        for (const auto& [ad, AD] : {std::pair{"Gelir", "GELİR"}, std::pair{"Gider", "GİDER"}}) {
            QTest::addRow("%s: gider", ad) << ad << AD << "gider"
                                           << "GİDER";
            QTest::addRow("%s: ılık", ad) << ad << AD << "ılık"
                                          << "ILIK";
            QTest::addRow("%s: çiğ", ad) << ad << AD << "çiğ Şeker ığdır"
                                         << "ÇİĞ ŞEKER IĞDIR";
        }
    }
    void capitalising()
    {
        QFETCH(QString, yazılan);
        QFETCH(QString, beklenen);
        // The Turkish letters must not depend on the machine's language.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        anaForm = ortam->anaForm();
        Pencere p(defter(), *anaForm);
        p.form.show();
        QVERIFY(QTest::qWaitForWindowActive(&p.form));
        p.ekleKaydet->click();

        for (QWidget* kutu : {static_cast<QWidget*>(p.ana), static_cast<QWidget*>(p.alt)}) {
            kutu->setFocus();
            yaz(kutu, yazılan);
            QTest::keyClick(kutu, Qt::Key_Tab);
        }
        QCOMPARE(durum(p), giriş(beklenen, beklenen));
    }

    void mainWindowRefreshedAfterSave_data() { ikizSatırları(); }
    void mainWindowRefreshedAfterSave()
    {
        const DefterTanımı& d = defter();
        ortam->anaGrupYaz(d, QStringLiteral("PAZAR"));
        ortam->altGrupYaz(d, QStringLiteral("PAZAR"), QStringLiteral("MEYVE"));
        anaForm = ortam->anaForm();
        seç(d, QStringLiteral("PAZAR"), QStringLiteral("MEYVE"));

        Pencere p(d, *anaForm);
        p.ekle(QStringLiteral("ARABA"), QStringLiteral("BENZİN"));
        QCOMPARE(öğeler(anaForm->anaGrupListesi(d)), (QStringList{"ARABA", "PAZAR"}));
        QCOMPARE(anaForm->anaGrupListesi(d)->currentIndex(), -1);
        QCOMPARE(öğeler(anaForm->altGrupListesi(d)), QStringList());
    }

    // Names with quotes are stored as typed and found by every command; the same pair saved
    // twice takes two deletions to go.
    void samePairTwiceDeletedOneByOne_data() { ikizSatırları(); }
    void samePairTwiceDeletedOneByOne()
    {
        const DefterTanımı& d = defter();
        const QString anaGrup = QStringLiteral("ANNE'NİN EVİ");
        const QString altGrup = QStringLiteral("O'NUN PAYI");
        const QString satır = anaGrup + '/' + altGrup;
        anaForm = ortam->anaForm();
        {
            Pencere p(d, *anaForm);
            p.ekle(anaGrup, altGrup);
            p.ekle(anaGrup, altGrup);
        }
        QCOMPARE(satırlar(d.anaGrupTablosu), QStringList{anaGrup});
        QCOMPARE(satırlar(d.altGrupTablosu), QStringList(2, satır));

        seç(d, anaGrup, altGrup);
        QCOMPARE(öğeler(anaForm->altGrupListesi(d)), QStringList(2, altGrup));
        grubuSil(d, true);
        QCOMPARE(satırlar(d.altGrupTablosu), QStringList{satır});
        QCOMPARE(öğeler(anaForm->altGrupListesi(d)), QStringList{altGrup});
        anaForm->altGrupListesi(d)->setCurrentRow(0);
        grubuSil(d, true);
        QCOMPARE(satırlar(d.altGrupTablosu), QStringList());
        QCOMPARE(öğeler(anaForm->altGrupListesi(d)), QStringList());
        QCOMPARE(anaForm->anaGrupListesi(d)->currentText(), anaGrup);
        QCOMPARE(mesajlar(), QStringList(2, "soru: " + d.grupSilmeSorusu));
    }

    void deleteSubGroup_data() { ikizSatırları(); }
    void deleteSubGroup()
    {
        const DefterTanımı& d = defter();
        ortam->anaGrupYaz(d, QStringLiteral("MUTFAK"));
        for (const char* altGrup : {"EKMEK", "SÜT", "ÇAY"})
            ortam->altGrupYaz(d, QStringLiteral("MUTFAK"), QString::fromUtf8(altGrup));
        ortam->altGrupYaz(d, QStringLiteral("PAZAR"), QStringLiteral("EKMEK"));
        ortam->kayıtYaz(d, QStringLiteral("MUTFAK"), QStringLiteral("EKMEK"), 2024,
                        QStringLiteral("Mart"), 100, 80);
        anaForm = ortam->anaForm();
        const QStringList hepsi = satırlar(d.altGrupTablosu);

        seç(d, QStringLiteral("MUTFAK"));
        grubuSil(d, true);
        QCOMPARE(mesajlar(), QStringList());
        QCOMPARE(satırlar(d.altGrupTablosu), hepsi);
        MesajKutusu::kaydetmeyeBaşla(); // drops the answer no question took
        seç(d, QStringLiteral("MUTFAK"), QStringLiteral("EKMEK"));
        grubuSil(d, false);
        QCOMPARE(satırlar(d.altGrupTablosu), hepsi);
        QCOMPARE(anaForm->altGrupListesi(d)->currentItem()->text(), QStringLiteral("EKMEK"));

        grubuSil(d, true);
        QCOMPARE(satırlar(d.altGrupTablosu),
                 (QStringList{"MUTFAK/SÜT", "MUTFAK/ÇAY", "PAZAR/EKMEK"}));
        QCOMPARE(öğeler(anaForm->altGrupListesi(d)), (QStringList{"ÇAY", "SÜT"}));
        QCOMPARE(anaForm->altGrupListesi(d)->selectedItems().size(), 0);
        QCOMPARE(anaForm->anaGrupListesi(d)->currentText(), QStringLiteral("MUTFAK"));
        const auto* kayıtlar = anaForm->findChild<QTreeWidget*>(d.adıyla("%1lerListesi"));
        QCOMPARE(kayıtlar->topLevelItemCount(), 1);
        QCOMPARE(kayıtlar->topLevelItem(0)->text(2), QStringLiteral("EKMEK"));

        // A row removed meanwhile by another program is reported; nothing else goes.
        anaForm->altGrupListesi(d)->setCurrentRow(1);
        ortam->sorgula("DELETE FROM " + d.altGrupTablosu + " WHERE GrupAdi = 'SÜT'");
        MesajKutusu::gösterilenleriSil();
        grubuSil(d, true);
        QCOMPARE(mesajlar().size(), 2);
        QVERIFY(mesajlar().last().startsWith(QStringLiteral("bilgi: ")));
        QCOMPARE(satırlar(d.altGrupTablosu), (QStringList{"MUTFAK/ÇAY", "PAZAR/EKMEK"}));
        QCOMPARE(öğeler(anaForm->altGrupListesi(d)), QStringList{QStringLiteral("ÇAY")});
    }

    void failingAppendKeepsInput_data()
    {
        ikizler();
        QTest::addColumn<bool>("anaTablo");
        QTest::newRow("gelir, ana grup") << "Gelir"
                                         << "GELİR" << true;
        QTest::newRow("gelir, alt grup") << "Gelir"
                                         << "GELİR" << false;
        QTest::newRow("gider, ana grup") << "Gider"
                                         << "GİDER" << true;
        QTest::newRow("gider, alt grup") << "Gider"
                                         << "GİDER" << false;
    }
    void failingAppendKeepsInput()
    {
        QFETCH(QString, ad);
        QFETCH(bool, anaTablo);
        const DefterTanımı& d = defter();
        ortam->anaGrupYaz(d, QStringLiteral("PAZAR"));
        ortam->sorgula(QStringLiteral("CREATE TRIGGER kilit BEFORE INSERT ON %1 "
                                      "BEGIN SELECT RAISE(ABORT, 'tablo salt okunur'); END")
                           .arg(anaTablo ? d.anaGrupTablosu : d.altGrupTablosu));
        anaForm = ortam->anaForm();
        seç(d, QStringLiteral("PAZAR"));
        Pencere p(d, *anaForm);

        p.ekle(QStringLiteral("ARABA"), QStringLiteral("BENZİN"));
        QCOMPARE(mesajlar().size(), 1);
        QVERIFY2(mesajlar().first().startsWith(u"hata: ") &&
                     mesajlar().first().contains(u"tablo salt okunur"),
                 qPrintable(mesajlar().first()));
        QCOMPARE(durum(p), giriş(QStringLiteral("ARABA"), QStringLiteral("BENZİN")));
        QCOMPARE(satırlar(d.altGrupTablosu), QStringList());
        // The main window shows what was written, and is left alone when nothing was.
        if (anaTablo) {
            QCOMPARE(öğeler(anaForm->anaGrupListesi(d)), QStringList{"PAZAR"});
            QCOMPARE(anaForm->anaGrupListesi(d)->currentText(), QStringLiteral("PAZAR"));
        } else {
            QCOMPARE(satırlar(d.anaGrupTablosu), (QStringList{"PAZAR", "ARABA"}));
            QCOMPARE(öğeler(anaForm->anaGrupListesi(d)), (QStringList{"ARABA", "PAZAR"}));
        }

        ortam->sorgula(QStringLiteral("DROP TRIGGER kilit"));
        p.ekleKaydet->click();
        QCOMPARE(durum(p), bekleme(ad));
        QCOMPARE(satırlar(d.anaGrupTablosu), (QStringList{"PAZAR", "ARABA"}));
        QCOMPARE(satırlar(d.altGrupTablosu), QStringList{"ARABA/BENZİN"});
    }
};

QTEST_MAIN(GroupDialogTest)
#include "tst_grup_ekleme.moc"

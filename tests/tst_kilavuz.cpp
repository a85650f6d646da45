#include "KilavuzFormu.h"
#include "LedgerTest.h"
#include "TurkceMetin.h"

#include <QLabel>
#include <QLineEdit>
#include <QTextBrowser>

class TestKilavuz : public LedgerTest
{
    Q_OBJECT

    // F1 in the main window; the guide comes to the front, so that its keys reach it.
    KilavuzFormu* f1ileAc()
    {
        form = ortam->anaForm();
        form->show();
        form->activateWindow();
        if (!QTest::qWaitForWindowActive(form.get()))
            return nullptr;
        QTest::keyClick(form.get(), Qt::Key_F1);
        auto* kilavuz = form->findChild<KilavuzFormu*>();
        const auto onde = [&] { return QApplication::activeWindow() == kilavuz; };
        return kilavuz && QTest::qWaitFor(onde) ? kilavuz : nullptr;
    }

private slots:
    // Ctrl+F finds as the letters are typed, i/İ and ı/I kept apart; Enter finds the next match.
    void findsByTurkishLetterRules_data()
    {
        QTest::addColumn<QString>("aranan");
        QTest::addColumn<bool>("bulunur");
        QTest::newRow("small letters") << "geri al" << true;
        QTest::newRow("dotted capital") << "GERİ AL" << true;
        QTest::newRow("dotless capital") << "GERI AL" << false;
        QTest::newRow("the shared budget's chapter") << "ortak bütçe" << true;
    }
    void findsByTurkishLetterRules()
    {
        QFETCH(QString, aranan);
        QFETCH(bool, bulunur);
        KilavuzFormu* kilavuz = f1ileAc();
        QVERIFY(kilavuz);
        QTest::keyClick(kilavuz, Qt::Key_F, Qt::ControlModifier);
        auto* kutu = kilavuz->findChild<QLineEdit*>(QStringLiteral("BulKutusu"));
        QVERIFY(kutu->hasFocus());
        for (const QChar harf : aranan) // keyClicks takes ASCII only
            QTest::sendKeyEvent(QTest::Click, kutu, Qt::Key_unknown, harf, {});
        const QTextCursor ilk = kilavuz->metin()->textCursor();
        QCOMPARE(TurkceMetin::esit(ilk.selectedText(), aranan), bulunur);
        QCOMPARE(kilavuz->findChild<QLabel*>(QStringLiteral("BulmaSonucuEtiketi"))->text(),
                 bulunur ? QString() : QStringLiteral("Bulunamadı"));
        QTest::keyClick(kutu, Qt::Key_Return);
        const QTextCursor sonraki = kilavuz->metin()->textCursor();
        QCOMPARE(TurkceMetin::esit(sonraki.selectedText(), aranan), bulunur);
        QCOMPARE(sonraki.selectionStart() != ilk.selectionStart(), bulunur);
    }
};

QTEST_MAIN(TestKilavuz)
#include "tst_kilavuz.moc"

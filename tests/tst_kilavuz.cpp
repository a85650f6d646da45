#include "KilavuzFormu.h"
#include "LedgerTest.h"
#include "TurkceMetin.h"

#include <QLabel>
#include <QLineEdit>
#include <QTextBlock>
#include <QTextBrowser>

class TestKilavuz : public LedgerTest
{
    Q_OBJECT

    KilavuzFormu* kilavuz = nullptr;

    // What the document got for a picture: bytes, or the image made of them once drawn.
    static bool resimYuklendi(const QVariant& veri)
    {
        if (veri.userType() == QMetaType::QByteArray)
            return !QImage::fromData(veri.toByteArray()).isNull();
        return !veri.value<QImage>().isNull() || !veri.value<QPixmap>().isNull();
    }

    // F1 in the main window; the guide comes to the front, so that its keys reach it.
    bool f1ileAc()
    {
        form->show();
        form->activateWindow();
        if (!QTest::qWaitForWindowActive(form.get()))
            return false;
        QTest::keyClick(form.get(), Qt::Key_F1);
        kilavuz = form->findChild<KilavuzFormu*>();
        return kilavuz && QTest::qWaitFor([&] { return QApplication::activeWindow() == kilavuz; });
    }

private slots:
    void init()
    {
        LedgerTest::init();
        form = ortam->anaForm();
    }

    // F1 shows the guide from the program's resources with its headings and every picture.
    void f1ShowsTheGuideWithItsPictures()
    {
        QVERIFY(f1ileAc());
        QTextDocument* belge = kilavuz->metin()->document();
        QStringList basliklar;
        QStringList resimler;
        QStringList yuklenmeyenler;
        for (QTextBlock blok = belge->begin(); blok.isValid(); blok = blok.next()) {
            if (blok.blockFormat().headingLevel() > 0)
                basliklar << blok.text();
            for (auto parca = blok.begin(); !parca.atEnd(); ++parca)
                if (const QTextCharFormat b = parca.fragment().charFormat(); b.isImageFormat()) {
                    const QString ad = b.toImageFormat().name();
                    resimler << ad;
                    if (!resimYuklendi(belge->resource(QTextDocument::ImageResource, QUrl(ad))))
                        yuklenmeyenler << ad;
                }
        }
        QCOMPARE(basliklar.value(0), QStringLiteral("Morvane Kullanım Kılavuzu"));
        QVERIFY(basliklar.contains(QStringLiteral("Yedekler ve geri yükleme")));
        QVERIFY(resimler.contains(QStringLiteral("ana-form.png")));
        QCOMPARE(yuklenmeyenler, QStringList());
    }

    // Ctrl+F finds as the letters are typed, i/İ and ı/I kept apart; Enter finds the next match.
    void findsByTurkishLetterRules_data()
    {
        QTest::addColumn<QString>("aranan");
        QTest::addColumn<bool>("bulunur");
        QTest::newRow("small letters") << "geri al" << true;
        QTest::newRow("dotted capital") << "GERİ AL" << true;
        QTest::newRow("dotless capital") << "GERI AL" << false;
        QTest::newRow("nowhere") << "qxzq" << false;
    }
    void findsByTurkishLetterRules()
    {
        QFETCH(QString, aranan);
        QFETCH(bool, bulunur);
        QVERIFY(f1ileAc());
        QTest::keyClick(kilavuz, Qt::Key_F, Qt::ControlModifier);
        auto* kutu = kilavuz->findChild<QLineEdit*>(QStringLiteral("BulKutusu"));
        QVERIFY(kutu->hasFocus());
        for (const QChar harf : aranan) // keyClicks takes ASCII only
            QTest::sendKeyEvent(QTest::Click, kutu, Qt::Key_unknown, harf, {});
        const QTextCursor ilk = kilavuz->metin()->textCursor();
        QCOMPARE(TurkceMetin::esit(ilk.selectedText(), aranan), bulunur);
        QCOMPARE(kilavuz->findChild<QLabel*>(QStringLiteral("BulmaSonucuEtiketi"))->text(),
                 bulunur ? QString() : QStringLiteral("Bulunamadı"));
        if (!bulunur)
            return;
        QTest::keyClick(kutu, Qt::Key_Return);
        const QTextCursor sonraki = kilavuz->metin()->textCursor();
        QVERIFY(TurkceMetin::esit(sonraki.selectedText(), aranan));
        QVERIFY(sonraki.selectionStart() != ilk.selectionStart());
    }
};

QTEST_MAIN(TestKilavuz)
#include "tst_kilavuz.moc"

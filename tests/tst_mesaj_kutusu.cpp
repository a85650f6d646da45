#include "MesajKutusu.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

// The real message boxes, shown offscreen and answered by pressing their buttons, as a user does.
class TestMesajKutusu : public QObject
{
    Q_OBJECT

    // What the box showed: its title, icon, buttons (the default one marked *) and text.
    QString gorulen;

    // Presses the button with the given caption (or Enter, for none) on the next modal box.
    void yanitla(const QString& dugme)
    {
        QTimer::singleShot(0, this, [this, dugme] {
            auto* kutu = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(kutu);
            QStringList dugmeler;
            for (QAbstractButton* b : kutu->buttons())
                dugmeler << b->text() + (b == kutu->defaultButton() ? "*" : "");
            dugmeler.sort();
            gorulen = QStringLiteral("%1|%2|%3|%4")
                          .arg(kutu->windowTitle())
                          .arg(kutu->icon())
                          .arg(dugmeler.join(u','), kutu->text());
            if (dugme.isEmpty()) {
                QTest::keyClick(kutu, Qt::Key_Return);
                return;
            }
            for (QAbstractButton* b : kutu->buttons())
                if (b->text() == dugme)
                    return b->click();
            gorulen += QStringLiteral(" (no button %1)").arg(dugme);
            kutu->close();
        });
    }

private slots:
    void questionAnsweredByItsButtons_data()
    {
        QTest::addColumn<QString>("dugme");
        QTest::addColumn<bool>("evet");
        QTest::newRow("Hayır") << "Hayır" << false;
        QTest::newRow("Enter takes the default") << QString() << true;
    }
    void questionAnsweredByItsButtons()
    {
        QFETCH(QString, dugme);
        QFETCH(bool, evet);
        yanitla(dugme);
        QCOMPARE(MesajKutusu::sor(nullptr, "Silinsin mi?"), evet);
        QCOMPARE(gorulen, QStringLiteral("Morvane|4|Evet*,Hayır|Silinsin mi?"));
    }

    // A box of its own buttons answers with the place of the one pressed, the first the default;
    // no box is ever shown without a text.
    void choiceAnsweredByPlace()
    {
        yanitla("İki");
        QCOMPARE(MesajKutusu::sec(nullptr, MesajKutusu::Simge::Hata, " ", {"Bir", "İki", "Üç"}), 1);
        QCOMPARE(gorulen,
                 QStringLiteral("Morvane|3|Bir*,Üç,İki|Bir hata oluştu; nedeni bildirilmedi."));
    }
};

QTEST_MAIN(TestMesajKutusu)
#include "tst_mesaj_kutusu.moc"

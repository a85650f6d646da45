#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QTextBrowser;

// "Kullanım Kılavuzu": the user's guide built into the program (docs/kullanim-kilavuzu.md and its
// pictures, as resources), beside the main window rather than in front of it. Ctrl+F opens a find
// box that matches letters by the Turkish rules (i/İ, ı/I); Enter or F3 finds the next match,
// Shift+F3 the one before, Escape closes the box (and then the window).
class KilavuzFormu : public QWidget
{
    Q_OBJECT
public:
    explicit KilavuzFormu(QWidget* sahibi);

    // The owner's guide window, made at the first call, brought to the front.
    static void goster(QWidget* sahibi);
    // "Yardım" > "Hakkında": the program, its version, the data file's full path and the SQLite
    // and Qt versions it runs on.
    static void hakkinda(QWidget* sahibi);

    QTextBrowser* metin() const { return metinKutusu; }

protected:
    void keyPressEvent(QKeyEvent* olay) override;

private:
    void bulmayiAc();
    // From the start of the current match (the text typed so far grows it) or past it.
    void bul(bool geriye, bool yerinde = false);

    QTextBrowser* metinKutusu = nullptr;
    QWidget* bulmaCubugu = nullptr;
    QLineEdit* bulKutusu = nullptr;
    QLabel* sonucEtiketi = nullptr;
};

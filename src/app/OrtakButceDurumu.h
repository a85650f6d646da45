#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QLabel;
class QMainWindow;
class QMenu;
class QPushButton;

// The shared budget in the main window: its commands in the "Dosya" menu, its name in the caption
// and the status bar, what other members write listed at once, and a lost link to its server told
// by the caption, the status bar (with "Yeniden Bağlan") and the entry lists, which say why they
// are empty, until the link is back and everything is listed again. On the file it adds only the
// commands.
class OrtakButceDurumu : public QObject
{
    Q_OBJECT
public:
    // The commands go above the menu's entry at `yer`; `listele` lists everything again.
    OrtakButceDurumu(QMainWindow* pencere, QMenu* dosyaMenusu, int yer,
                     std::function<void()> listele);

    bool baglantiYok() const { return kopuk; }

private:
    void menuyuKur(QMenu* dosyaMenusu, int yer);
    void goster();

    QMainWindow* const pencere;
    const std::function<void()> listele;
    QString baslik; // the window's caption on the file
    QString ad;     // the shared budget's name; empty on the file
    QLabel* etiket = nullptr;
    QPushButton* YenidenBaglanDugmesi = nullptr;
    bool kopuk = false;
};

#pragma once

#include <functional>

class QMainWindow;
class QMenu;
class QWidget;

// The "Dosya" menu's commands of a shared budget. Each that changes which budget is open ends the
// main window's loop with Baslangic::yenidenAcilis, and start-up opens the chosen one (or, when it
// fails, the local file) in a new main window.
namespace OrtakButceKomutlari
{

void baglan(QWidget* sahibi);
void dosyadanTasi(QWidget* sahibi);
void dosyayaKaydet(QWidget* sahibi);
void yereleDon();

// The commands above the second entry of the window's "Dosya" menu; on a shared budget the
// window's caption and its status bar name it, and what another member's program writes is listed
// at once by `yenile`, the selection kept.
void pencereyeEkle(QMainWindow* pencere, QMenu* dosyaMenusu, const std::function<void()>& yenile);

} // namespace OrtakButceKomutlari

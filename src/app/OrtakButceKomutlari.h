#pragma once

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

} // namespace OrtakButceKomutlari

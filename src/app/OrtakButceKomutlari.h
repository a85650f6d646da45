#pragma once

#include <QString>

class QWidget;

// The "Dosya" menu's commands of a shared budget. Each that changes which budget is open ends the
// main window's loop with Baslangic::yenidenAcilis, and start-up opens the chosen one (or, when it
// fails, the local file) in a new main window.
namespace OrtakButceKomutlari
{

void baglan(QWidget* sahibi);
void dosyadanTasi(QWidget* sahibi);
void dosyayaKaydet(QWidget* sahibi);
// "Yerel Dosyaya Dön": names the local file and when it was last the budget, and asks whether to
// bring the shared budget back into it first ("Ortak bütçeyi bu dosyaya geri taşı") or to open it
// as it is. The shared budget on the server stays as it is either way.
void yereleDon(QWidget* sahibi);
void yereleDon(QWidget* sahibi, const QString& dosya);

// The local file start-up opens when no shared budget is chosen (VeriYeri::Konum::yol).
void yerelDosyayiBildir(const QString& dosya);

} // namespace OrtakButceKomutlari

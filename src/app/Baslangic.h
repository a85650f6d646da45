#pragma once

#include "VeriYeri.h"

#include <QDate>
#include <QString>

namespace Baslangic
{

// The main window's loop ends with this when another budget was chosen (OrtakButceKomutlari):
// start-up then opens it in a new main window.
inline constexpr int yenidenAcilis = 75;

// The whole run of the program, once its QApplication exists: opens "Varnel.mdb" where
// VeriYeri finds it for the program's folder, shows the main window on it and returns the event
// loop's exit status when the window closes. When the file cannot be used, the reason is shown,
// no window opens and the result is 1. A shared budget chosen in the settings (organisation
// Morvane) is opened instead of the file; when it cannot be, the reason is shown and the file is
// opened. `bugun` pins today's date; by default the clock's is read
// whenever needed.
int calistir(const QString& programKlasoru, QDate bugun = QDate());

// The same on a place already found. A missing file is offered for creation there; when the user
// declines (and is told what to do) or it cannot be made, the result is 1 as well.
int calistir(const VeriYeri::Konum& konum, QDate bugun = QDate());

// Qt's own Turkish (file dialogs, standard buttons, a line edit's menu) from Qt's translations
// folder, whatever the desktop's language; false when the translation is not installed.
bool qtCevirisiniYukle();

} // namespace Baslangic

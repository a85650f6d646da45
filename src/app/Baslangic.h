#pragma once

#include <QDate>
#include <QString>

namespace Baslangic
{

// The whole run of the program, once its QApplication exists: opens "Varnel.mdb" in the program's
// folder, shows the main window on it and returns the event loop's exit status when the window
// closes. When the file cannot be used, the reason is shown, no window opens and the result is 1.
int calistir(const QString& programKlasoru, QDate bugun = QDate::currentDate());

} // namespace Baslangic

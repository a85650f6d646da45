#pragma once

#include <QDate>
#include <QString>

#include <memory>

class AnaForm;

// Opens "Varnel.mdb" in the program's folder and builds the main window on it. When the file
// cannot be used, the reason is shown and the result is empty: the program must then end.
std::unique_ptr<AnaForm> baslat(const QString& programKlasoru, QDate bugun = QDate::currentDate());

#pragma once

#include <QString>

#include <functional>
#include <optional>

class QWidget;

// Where to save a file the program writes for other programs: the user picks it in a save
// dialog that proposes a name in the folder used last during this run (at first the user's
// documents folder) and asks before replacing a file.
namespace KaydetmeYeri
{

// The chosen path, with the extension added when the user left it off; none when cancelled.
std::optional<QString> sor(QWidget* sahibi, const QString& baslik, const QString& onerilenAd,
                           const QString& suzgec, const QString& uzanti);

// For tests: instead of the dialog, `yanit` gets the proposed path and gives the chosen one
// (none: cancelled). An empty function brings the dialog back.
using Yanit = std::function<std::optional<QString>(const QString& onerilen)>;
void yanitla(Yanit yanit);

} // namespace KaydetmeYeri

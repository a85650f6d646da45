#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QWidget;

// Where to save a file the program writes for other programs: the user picks it in a save
// dialog that proposes a name in the folder used last during this run (at first the user's
// documents folder, or home without one) and asks before replacing a file.
namespace KaydetmeYeri
{

// The chosen path; none when cancelled. `turler` are the dialog's file types, each a name and a
// pattern ("PDF dosyaları (*.pdf)"), the first one proposed; choosing another type changes the
// proposed name's extension to it. A name without one of the offered extensions gets the chosen
// type's.
std::optional<QString> sor(QWidget* sahibi, const QString& baslik, const QString& onerilenAd,
                           const QStringList& turler);

// Asks with sor() and writes there with `yaz`, which throws VeriHatasi. A failure is told, then the
// dialog opens again on the name chosen, until a file is written or the user gives up. The path
// written; none when cancelled.
std::optional<QString> kaydet(QWidget* sahibi, const QString& baslik, const QString& onerilenAd,
                              const QStringList& turler,
                              const std::function<void(const QString& yol)>& yaz);

// For tests: instead of the dialog, `yanit` gets the proposed path and gives the chosen one
// (none: cancelled). An empty function brings the dialog back.
using Yanit = std::function<std::optional<QString>(const QString& onerilen)>;
void yanitla(Yanit yanit);

// What a window says once a file is written, `ek` after its name, then its folder:
// "Kaydedildi: Morvane-Tum-Giderler-2026.pdf · Klasör: /home/ayse/Belgeler".
QString kaydedildi(const QString& yol, const QString& ek = {});

} // namespace KaydetmeYeri

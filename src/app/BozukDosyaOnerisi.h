#pragma once

#include "DosyaMotoru.h"

#include <QString>

class AnaForm;

// What start-up does with a damaged file: the damage is reported, and the newest backup that
// passes the check, when there is one, is named and offered for restoring, the damaged file kept
// apart in the backups' folder.
namespace BozukDosyaOnerisi
{

// Once the file is open and its check started (AcilisDenetimi), waiting for the check. True when
// the program can go on: the file passed, or the backup was restored.
bool sun(const QString& yol);

// The same without waiting, the window open meanwhile: damage found is offered over the window,
// which then lists the restored file; when the backup is not restored the window closes and the
// event loop ends with 1.
void pencereAcikkenSun(const QString& yol, AnaForm& pencere);

// For a file that did not open. A damaged one (anything but missing, not the user's to read and
// write, locked or an old Access file) with a sound backup gets the same offer; otherwise the
// reason is shown. True when the backup took its place and is open on the program's connection.
bool acilmayaniSun(const QString& yol, const Acilamama& hata);

} // namespace BozukDosyaOnerisi

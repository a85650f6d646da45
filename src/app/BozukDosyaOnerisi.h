#pragma once

#include <QString>

// What start-up does once the file is open: the engine's quick integrity check. A damaged file is
// reported with the engine's findings; the newest backup, when there is one, is named and offered
// for restoring.
namespace BozukDosyaOnerisi
{

// True when the program can go on: the file passed, or the backup was restored.
bool sun(const QString& yol);

} // namespace BozukDosyaOnerisi

#pragma once

#include <QString>

#include <functional>
#include <optional>

class QObject;

// The engine's quick integrity check of the file at start-up. It reads every page, which grows
// with the file, so it runs on a read-only connection of its own in a worker thread while the
// window opens and the user reads. Every writing command waits for it (it is registered on the
// connection to run before a write, YazmaOncesi): a damaged file is refused before anything writes
// to it. It stops when the file closes.
namespace AcilisDenetimi
{

// Starts the check of the file at `yol`, ending any earlier one. A check started `beklemede`
// waits for surdur(), or for the first command that waits for it, so that it does not compete
// with the opening window for the processor and the disk.
void baslat(const QString& yol, bool beklemede = false);
void surdur();

// Once the check has ended, `bitince` is called on the main thread with its findings (none: the
// file passed), after the event loop takes it up; not at all when the check is ended first.
void izle(std::function<void(const std::optional<QString>& bulgular)> bitince);

// Waits for the check; its findings. None when no check was started or the file passed.
std::optional<QString> bekle();

// Before every writing command: waits for the check (showing `beklerken(true)` meanwhile) and
// throws a VeriHatasi when it found damage.
void yazmadanOnce();
void beklemeGostergesi(std::function<void(bool bekliyor)> beklerken);

// The file is sound again (a backup restored into it): writing is allowed.
void saglamSay();

// Stops a running check and forgets it (when the file closes).
void durdur();

} // namespace AcilisDenetimi

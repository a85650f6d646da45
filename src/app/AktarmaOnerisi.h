#pragma once

#include <QString>

#include <memory>

class ButceKaynagi;
class QProgressDialog;

// What start-up does with a budget file that would not open. A budget in the old Access (Jet 4)
// format is offered for import; anything else is reported with its reason.
namespace AktarmaOnerisi
{

inline const QString soru =
    QStringLiteral("Bu dosya eski Access biçiminde. Verileriniz Morvane biçimine aktarılsın mı? "
                   "Eski dosya Varnel-eski.mdb adıyla saklanır.");

// `acilmaHatasi` is what opening the file reported. True when the file was imported and the new
// one is open on the program's connection; false when the user said no or it failed (shown).
bool sun(const QString& yol, const QString& acilmaHatasi);

// The question and the import for a file already known to be an importable old budget, read
// through `kaynak`.
bool sun(const QString& yol, ButceKaynagi& kaynak);

// The window that shows the import's progress, modal, without a cancel button. Its text names
// the progress bar for screen readers.
std::unique_ptr<QProgressDialog> ilerlemePenceresi();

} // namespace AktarmaOnerisi

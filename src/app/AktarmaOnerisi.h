#pragma once

#include <QString>

#include <memory>

class QProgressDialog;

// What start-up does with a budget file that would not open. A budget in the old Access (Jet 4)
// format is offered for import; anything else is reported with its reason. The old file is read
// only by varnel-aktar in a process of its own (AktarmaSureci): a file that crashes or hangs the
// reader is reported as damaged, and the program goes on.
namespace AktarmaOnerisi
{

inline const QString soru =
    QStringLiteral("Bu dosya eski Access biçiminde. Verileriniz Morvane biçimine aktarılsın mı? "
                   "Eski dosya Varnel-eski.mdb adıyla saklanır.");

// `acilmaHatasi` is what opening the file reported. True when the file was imported and the new
// one is open on the program's connection; false when the user said no, cancelled, or it failed
// (shown). Whatever happens, the old file stays as it was.
bool sun(const QString& yol, const QString& acilmaHatasi);

// The window that shows the import's progress in rows, modal, with "İptal". Its text names the
// progress bar for screen readers.
std::unique_ptr<QProgressDialog> ilerlemePenceresi();

} // namespace AktarmaOnerisi

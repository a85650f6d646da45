#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

// Copies of the budget in the folder "Yedekler" beside its file (or, for a shared budget, in the
// settings folder), named for the minute they were taken (Varnel-2026-12-06-1430.mdb), written by
// the budget's engine (Motor::dosyayaYaz): never a copy of the bytes of a file that may be
// half-way through a write.
namespace Yedekleme
{

inline const QString klasorAdi = QStringLiteral("Yedekler");
inline const QString bozukOnEki = QStringLiteral("bozuk-");

struct Yedek {
    QString yol;
    QDateTime an;
    qint64 boyut = 0;
};

// The backups' folder of a budget file.
QString klasor(const QString& dosya);

// The backups' folder of the open budget: beside its file, or in the settings folder for a
// shared budget.
QString acikButceninKlasoru();

// The backups in a folder, newest first; other files there are left out. A folder that is a
// symbolic link or not the user's own holds none: backups are neither taken nor offered there.
QList<Yedek> yedekler(const QString& klasor);

// Backs up the open budget, named for `an` (a file with its own permissions), then deletes the
// backups the keeping rule lets go. The new backup's path; failures are thrown as VeriHatasi.
QString al(const QDateTime& an);
// The same for a budget file that is not open, into the folder beside it.
QString dosyayiYedekle(const QString& dosya, const QDateTime& an);

// Of backups newest first, those the rule lets go at `an`: the newest 10 stay, and the newest of
// each of the last 12 months, this one included.
QStringList birakilacaklar(const QList<Yedek>& yedekler, const QDateTime& an);

// The entries of each ledger in a backup, income first. Thrown as VeriHatasi when unreadable.
std::pair<qint64, qint64> kayitSayilari(const QString& yedek);

// What a budget file holds, as a restore question weighs it: the entries of each ledger and the
// period of the newest ("Aralık 2026"; none without entries, or when the newest year's months
// name no month). Opened read-only; thrown as VeriHatasi when unreadable.
struct Icerik {
    qint64 gelir = 0;
    qint64 gider = 0;
    std::optional<QString> enYeniDonem;
};
Icerik icerik(const QString& dosya);
// The same of the open budget.
Icerik acikButceninIcerigi();

// Replaces the open budget's data with a backup's, in one step. The backup is checked first (its
// integrity and the tables start-up asks for), the current file is backed up (named for `an`),
// and the result is checked again. Thrown as VeriHatasi, in Turkish, when refused or failed;
// the file's data is then as before. A damaged file's copy is named Varnel-bozuk-…, which keeps
// it out of the backups: it is neither offered nor deleted.
void geriYukle(const QString& yedek, const QDateTime& an, bool bozukDosya = false);

// The newest backup in the folder that passes the check restoring makes; none without one.
std::optional<Yedek> saglamEnYeni(const QString& klasor);

// Puts a backup in the place of a file that does not open at all, so that nothing runs on it: the
// backup is checked, the file (and any journal beside it) is kept in the backups' folder as
// Varnel-bozuk-… (named for `an`), and a copy of the backup takes its name. Thrown as VeriHatasi,
// in Turkish, when refused or failed; the file then stays where it was.
void acilmayanaGeriYukle(const QString& dosya, const QString& yedek, const QDateTime& an);

} // namespace Yedekleme

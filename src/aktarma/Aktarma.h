#pragma once

#include "ButceKaynagi.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Carries a budget over from another source (the old Access file) into Morvane's own file, with
// the same six tables and fields, every row, and each entry's Kimlik kept. Fields the program
// does not use are left behind. Every refusal and failure is thrown as a VeriHatasi whose text
// tells the user what went wrong; nothing is then left on disk.
namespace Aktarma
{

// Rows done so far of all rows; called now and then while rows are copied.
using Ilerleme = std::function<void(qint64 yapilan, qint64 toplam)>;

struct TabloSayisi {
    QString tablo;
    qint64 satir = 0;
};
// An entry copied as it was although the program cannot read it as it stands.
struct SupheliKayit {
    QString tablo;
    qint64 kimlik = 0;
};
struct Rapor {
    // The rows read or copied per table, in the order of the file's tables.
    QList<TabloSayisi> tablolar;
    // Entries with an amount beyond ±999.999.999.999,99 (which the program shows as unreadable)
    // and with a year outside 1900–2100.
    QList<SupheliKayit> sinirDisiTutarlar;
    QList<SupheliKayit> sinirDisiYillar;
};

inline const QString eskiDosyaAdi = QStringLiteral("Varnel-eski.mdb");

// Refuses a source without a table or field the program needs, naming each one.
void tablolariDenetle(ButceKaynagi& kaynak);

// Reads every row of the six tables and writes nothing.
Rapor oku(ButceKaynagi& kaynak, const Ilerleme& ilerleme = {});

// Writes a new budget file at `hedef`, which must not exist, with mode 0600: first to a temporary
// file beside it, renamed into place only when every table is copied and checked (the row counts
// against the source's, the file's integrity, the entries' Kimlik counters).
Rapor dosyayaAktar(ButceKaynagi& kaynak, const QString& hedef, const Ilerleme& ilerleme = {});

// Converts the old file at `yol` in place, for the start-up: it is kept as "Varnel-eski.mdb"
// beside itself (never written over) and the new file takes its name. On any failure the old file
// stays as it was, under its own name.
Rapor eskiDosyayiDonustur(ButceKaynagi& kaynak, const QString& yol, const Ilerleme& ilerleme = {});

// Puts the old file kept by eskiDosyayiDonustur back under its own name, for a conversion that
// did not finish; a new file already in its place is removed. Only for a folder that held no
// "Varnel-eski.mdb" before the conversion.
void eskiDosyayiGeriKoy(const QString& yol);

// Removes the temporary files that imports killed before their end left in the folder, unless an
// import still holds them.
void artiklariSil(const QString& klasor);

// The lines that tell the user about the report's suspect entries, per table and Kimlik; none
// when there are none.
QStringList uyarilar(const Rapor& rapor);

} // namespace Aktarma

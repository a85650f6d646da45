#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <optional>

struct DefterTanimi;

// The six tables of the budget file, their fields and indexes.
namespace Sema
{

struct Tablo {
    QString ad;
    QStringList alanlar;
};

// The six tables with every field the program uses, income ledger first.
QList<Tablo> tablolar();

// The tables of one ledger with the fields a row holds beside its rowid, which for an entry is its
// Kimlik: what the program writes when it adds a row.
Tablo anaGrupTablosu(const DefterTanimi& defter);
Tablo altGrupTablosu(const DefterTanimi& defter);
Tablo kayitTablosu(const DefterTanimi& defter);

// The tables added since the first six, each with a Kimlik as its rowid: the bank movements
// ("BankaHareketleri") and the rules that assign them ("IceAktarmaKurallari"). A file gets them
// by the schema step below; eksikler() does not ask for them, so an old file opens and is then
// upgraded. As kayitTablosu(), the fields beside the Kimlik; ekTablolar() with it, as tablolar().
Tablo hareketTablosu();
Tablo kuralTablosu();
QList<Tablo> ekTablolar();

// A ledger's sums by year and month ("AylikGelirToplamlari", "AylikGiderToplamlari"): the year
// and month as the entries store them, then the six sums of Tutar::Toplam in its order, kept by
// triggers on the entries' table (on the server as on the file).
Tablo aylikToplamTablosu(const DefterTanimi& defter);

// The schema version this program writes: the file's "PRAGMA user_version", the server's
// MorvaneSemaSurumu. 0: the six tables alone; 1: the two above; 2: the sums by year and month.
inline constexpr int surum = 2;

// Creates the empty tables (all ten) with their triggers on an open, empty database, at the
// current version; without the sums and their triggers when not `toplamlarla`, for a bulk load
// that makes them once it is in (aylikToplamlariKur).
void olustur(QSqlDatabase db, bool toplamlarla = true);
// Makes both ledgers' sums anew from their entries, with the triggers that keep them, inside the
// caller's transaction.
void aylikToplamlariKur(QSqlDatabase db);
// Brings a file of an older version to the current one in a transaction of its own (a file
// already there, or newer, is left alone). Throws a VeriHatasi; nothing changes then.
void guncelle(QSqlDatabase db);
// Whether the file holds the ledger's sums with its three triggers as this program writes them:
// only then do the sums follow the entries. A file that lacks them (not yet upgraded, read-only,
// or a tool dropped or changed them) gets them anew from guncelle().
bool aylikToplamlarHazir(QSqlDatabase db, const DefterTanimi& defter);
// Whether the database holds the table (a file not yet upgraded lacks the newer ones).
bool tabloVar(QSqlDatabase db, const QString& ad);

// Creates a new budget file with the empty tables, readable and writable by its owner only.
// Refuses an existing file. The result is the text to show on failure.
std::optional<QString> dosyaOlustur(const QString& yol);

// Names every table or field the program uses that the database lacks (or has as a view), with
// the engine's error.
std::optional<QString> eksikler(QSqlDatabase db);

// The engine's findings when a database fails its integrity check (the quick one, which skips
// comparing indexes with their tables, when asked); none when it passes. A database another
// program holds locked is not checked: its VeriHatasi is thrown.
std::optional<QString> butunlukSorunu(QSqlDatabase db, bool hizli = false);
// What fails the check a backup gets before it is restored: its integrity, then its tables and
// fields; none when it passes.
std::optional<QString> denetimSorunu(QSqlDatabase db);
// The triggers and views in the file other than the sums' own, by name (a view marked
// "(görünüm)"): whatever another program left there to run on the program's statements.
QStringList yabancilar(QSqlDatabase db);
// Drops them all, inside the caller's transaction.
void yabancilariKaldir(QSqlDatabase db);

} // namespace Sema

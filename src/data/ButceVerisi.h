#pragma once

#include "DefterTanimi.h"
#include "Degisiklik.h"
#include "Donem.h"
#include "Tutar.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>
#include <vector>

// Every statement the program runs on the budget file. Text comparisons use the Turkish
// case-insensitive equality; every failure is thrown as a VeriHatasi. Each command that writes
// runs in one transaction, written whole or not at all, and tells what it changed.
namespace ButceVerisi
{

// Main-group names in Turkish alphabetical order.
QStringList anaGruplar(const DefterTanimi& defter);
// Sub-group names of a main group in Turkish alphabetical order.
QStringList altGruplar(const DefterTanimi& defter, const QString& anaGrup);
// Every sub-group name of the ledger, each spelling once, in Turkish alphabetical order.
QStringList tumAltGruplar(const DefterTanimi& defter);

bool anaGrupVar(const DefterTanimi& defter, const QString& ad);
// Adds the sub-group, and its main group unless one of that name is there. A sub-group its main
// group already has is left as it is: nothing is written and the change is empty.
Degisiklik grupEkle(const DefterTanimi& defter, const QString& anaGrup, const QString& altGrup);
// The same inside the caller's transaction, into its change.
void grupEkle(Degisiklik& degisiklik, const DefterTanimi& defter, const QString& anaGrup,
              const QString& altGrup);
// Deletes one row of the pair; nothing when no such row is left.
Degisiklik altGrupSil(const DefterTanimi& defter, const QString& anaGrup, const QString& ad);

struct KayitSuzgeci {
    QString anaGrup;
    std::optional<QString> altGrup; // none: every sub-group of the main group
    Donem donem;
    std::optional<qint64> kimlik; // only this entry, when it matches the rest
};

// Amounts are read by the rule of Tutar everywhere: in the entries, in their sums and in the
// counts of those unreadable (`okunamayan`).

// One entry as listed. A planned entry has no realised amount yet.
struct Kayit {
    qint64 kimlik = 0;
    QString anaGrup;
    QString altGrup;
    int yil = 0;
    QString ay; // as stored, in any letter case
    std::optional<qint64> tahminKurus;
    std::optional<qint64> gerceklesenKurus;
    int okunamayan = 0;
    // The stored fields as listed, in the order of Sema::kayitTablosu: what a command on the entry
    // expects to find still there. Empty in an entry not read from the file (taken as it is then)
    // and in tumKayitlar().
    QVariantList alanlar;

    // What a command expects to find there: the fields as listed, or none (taken as it is).
    std::optional<QVariantList> beklenen() const
    {
        return alanlar.isEmpty() ? std::nullopt : std::optional(alanlar);
    }
};

// Entries matching the filter, in the order they were entered.
std::vector<Kayit> kayitlar(const DefterTanimi& defter, const KayitSuzgeci& suzgec);

struct YeniKayit {
    QString anaGrup;
    QString altGrup;
    int yil = 0;
    QString ay;
    qint64 tahminKurus = 0;
    std::optional<qint64> gerceklesenKurus; // none: planned, stored NULL
};

// Appends an entry; its Kimlik is the change's ilkSatir().
Degisiklik kayitEkle(const DefterTanimi& defter, const YeniKayit& kayit);
// A command on a listed entry writes only while the entry holds what was listed; otherwise it
// writes nothing, and its change tells whether the entry was gone or changed by another program
// (Degisiklik::baskasiDegistirmis).

// Deletes the entry.
Degisiklik kayitSil(const DefterTanimi& defter, const Kayit& listelenen);

// What correcting an entry changes; its groups stay.
struct KayitDegeri {
    int yil = 0;
    QString ay;
    qint64 tahminKurus = 0;
    std::optional<qint64> gerceklesenKurus; // none: planned, stored NULL
};

// Corrects the entry in place, keeping its Kimlik.
Degisiklik kayitGuncelle(const DefterTanimi& defter, const Kayit& listelenen,
                         const KayitDegeri& deger);
// The same inside the caller's transaction; false when nothing was written.
bool kayitDegeriniYaz(Degisiklik& degisiklik, const DefterTanimi& defter, const Kayit& listelenen,
                      const KayitDegeri& deger);

// Sums of a period over all groups, in kuruş.
struct DonemToplami {
    qint64 tahminKurus = 0;
    qint64 gerceklesenKurus = 0;
    qint64 okunamayan = 0;
};
DonemToplami donemToplami(const DefterTanimi& defter, const Donem& donem);

// Sums of one month over all groups, in kuruş; kayitSayisi tells a month without entries from
// one whose sums are zero.
using AylikToplam = Tutar::Toplam;

// Index 0 is January. Entries are matched to months by their Turkish name in any letter case;
// entries whose month is no month name are left out. Without a year, every year's entries count.
std::array<AylikToplam, 12> aylikToplamlar(const DefterTanimi& defter,
                                           std::optional<int> yil = std::nullopt);
// A number that changes when another program's (another member's) change to the budget is
// committed, for what keeps figures it read; asking changes nothing.
qint64 veriSurumu();
// The years that have entries, in ascending order.
std::vector<int> kayitliYillar(const DefterTanimi& defter);
// The earliest year with entries in either ledger from `enErken` on; none without such entries.
std::optional<int> enEskiYil(int enErken);

// Checks of a file filled in bulk.
qint64 satirSayisi(const QString& tablo);
// The engine's findings when the file fails its integrity check; none when it passes.
std::optional<QString> butunlukSorunu();
// The highest Kimlik of the ledger's entries, and the last one the engine counts as given out
// (new entries get the next); 0 when there is none.
qint64 enBuyukKimlik(const DefterTanimi& defter);
qint64 kimlikSayaci(const DefterTanimi& defter);

// The entries of the ledger a command wrote, as they were before it (`once`) and as it left them
// (`sonra`); an entry it added has an empty `once`, one it deleted an empty `sonra` (Kimlik 0, no
// year: in no period).
struct KayitDegisimi {
    Kayit once;
    Kayit sonra;
};
std::vector<KayitDegisimi> kayitDegisimleri(const DefterTanimi& defter,
                                            const Degisiklik& degisiklik);

// Every entry of the ledger, for exporting: handed to `yil` one year at a time, the years in
// ascending order and a year's entries in no particular order, so that no more than one year is
// held however large the ledger. Entries of the same group or month share one copy of its name.
void yilYilKayitlar(const DefterTanimi& defter,
                    const std::function<void(std::vector<Kayit>& yilinKayitlari)>& yil);
} // namespace ButceVerisi

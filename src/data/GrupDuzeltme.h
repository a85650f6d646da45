#pragma once

#include "DefterTanimi.h"
#include "Degisiklik.h"

#include <QString>

#include <optional>

// Correcting the group catalogue of a ledger: renaming a main group or a sub-group, moving a
// sub-group under another main group, merging a group into another of the same name, deleting an
// empty main group. Names match in Turkish letter case; every entry and sub-group row that
// carries a changed name changes with it. Each command is one transaction, checks inside it what
// it found before asking, and writes nothing unless it is done whole. Failures are thrown as
// VeriHatasi.
namespace GrupDuzeltme
{

enum class Durum {
    Yapildi,
    AdAyni,       // the new name is the old one, in any letter case: nothing to do
    GrupYok,      // the group is no longer there (another program deleted it)
    HedefYok,     // the main group to move to is no longer there
    HedefVar,     // the new name is taken and merging was not agreed to
    KayitlariVar, // a main group to delete still holds entries
};

struct Sonuc {
    Durum durum = Durum::Yapildi;
    Degisiklik degisiklik;
    // The entries changed; for KayitlariVar, the entries that stop the deletion.
    qint64 kayitSayisi = 0;
    bool birlesti = false;
    // The names the group carries now: a merged one takes its target's stored spelling.
    QString anaGrup;
    QString altGrup;
};

// A group's name as stored, when a group of that name (in any letter case) is there.
std::optional<QString> anaGrup(const DefterTanimi& defter, const QString& ad);
std::optional<QString> altGrup(const DefterTanimi& defter, const QString& anaGrup,
                               const QString& ad);
// The entries of a main group, or of one of its sub-groups.
qint64 kayitSayisi(const DefterTanimi& defter, const QString& anaGrup,
                   const std::optional<QString>& altGrup = std::nullopt);

// The main group, its sub-groups and entries take the new name. When a main group of that name is
// there, and only if `birlestir`, the two become one: the entries and sub-groups move to it, a
// sub-group it already has takes in the moved one's entries, and the renamed group goes.
Sonuc anaGrupAdlandir(const DefterTanimi& defter, const QString& eski, const QString& yeni,
                      bool birlestir);
// The sub-group moves under `yeniAnaGrup` (which must be there) and takes the name `yeniAd`,
// its entries with it; either may be as it was. Onto a sub-group already there, only if
// `birlestir`: the entries move to it and the emptied sub-group goes.
Sonuc altGrupDuzelt(const DefterTanimi& defter, const QString& anaGrup, const QString& ad,
                    const QString& yeniAnaGrup, const QString& yeniAd, bool birlestir);
// Deletes a main group that holds no entries, with its sub-groups.
Sonuc anaGrupSil(const DefterTanimi& defter, const QString& ad);

} // namespace GrupDuzeltme

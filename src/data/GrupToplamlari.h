#pragma once

#include "DefterTanimi.h"
#include "Donem.h"
#include "Tutar.h"

#include <QString>

#include <optional>
#include <vector>

// A period's sums of one ledger by main group and sub-group, for the period report. Names are
// grouped by the Turkish case-insensitive equality: "Kira" and "KİRA" are one group, named as the
// group lists spell it (or, for a group they lack, as its entries first spell it).
namespace GrupToplamlari
{

// The sums of a group's entries by the rule of Tutar, the ratio's rule included: the same sums
// the overview reads, so both windows show the same ratio.
using Toplam = Tutar::Toplam;

// One spelling of a group pair and its entries' sums, as the grouped statement gives them.
struct Satir {
    QString anaGrup;
    QString altGrup;
    Toplam toplam;
};

// The one grouped statement: sums by the pair as spelt, in binary order of the pair. With a year
// it reads an index alone, already in that order.
std::vector<Satir> satirlar(const DefterTanimi& defter, const Donem& donem);

struct AltGrup {
    QString ad;
    bool listede = false; // the pair is in the sub-group table
    Toplam toplam;        // kayitSayisi 0: no entry in the period
};

struct AnaGrup {
    QString ad;
    bool listede = false; // the name is in the main-group table
    std::vector<AltGrup> altGruplar;
};

// Every group of the group tables, with or without entries in the period, and every pair the
// period's entries name besides; main groups and their sub-groups in Turkish alphabetical order.
std::vector<AnaGrup> oku(const DefterTanimi& defter, const Donem& donem);

} // namespace GrupToplamlari

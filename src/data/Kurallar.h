#pragma once

#include "Degisiklik.h"

#include <QString>

#include <optional>
#include <vector>

struct DefterTanimi;

// Where a bank movement goes: an entry's ledger, main group and sub-group, or nowhere ("Yok say":
// a transfer between the household's own accounts, a card payment, a cash withdrawal recorded
// otherwise). The year and month come from the movement's date.
struct Hedef {
    const DefterTanimi* defter = nullptr; // none: "Yok say"
    QString anaGrup;
    QString altGrup;

    static Hedef yokSay() { return {}; }
    bool yokSayilir() const { return defter == nullptr; }
    bool operator==(const Hedef&) const = default;
};

// A rule of "Düzenle > İçe Aktarma Kuralları…": a movement whose description meets the condition
// (Turkish case-insensitive) and whose amount, as money in or out alike, lies within the range
// goes to the rule's target.
struct Kural {
    enum class Kosul { Icerir, Baslar, Esittir };

    qint64 kimlik = 0; // 0: not stored yet
    Kosul kosul = Kosul::Icerir;
    QString metin;
    std::optional<qint64> enAzKurus; // of the amount without its sign, both ends included
    std::optional<qint64> enCokKurus;
    Hedef hedef;

    bool tutarAraligiVar() const { return enAzKurus || enCokKurus; }
    // "içerir", "başlar", "eşittir": as the table stores it and the window shows it.
    static QString kosulAdi(Kosul kosul);
    static std::optional<Kosul> kosulu(const QString& ad);
    // "açıklama içerir «MİGROS» → Gider / MUTFAK / MARKET", or "→ Yok say".
    QString metni() const;
};

// The rules kept in the budget (the table "IceAktarmaKurallari"), each change one undoable
// command. Failures are thrown as VeriHatasi.
namespace Kurallar
{

// Every rule, oldest first.
std::vector<Kural> hepsi();
// Its Kimlik is the change's ilkSatir().
Degisiklik ekle(const Kural& kural);
// The stored rule of that Kimlik made this one; nothing when it is gone.
Degisiklik degistir(const Kural& kural);
Degisiklik sil(qint64 kimlik);

// The rule a movement's description and amount call for.
struct Eslesme {
    std::optional<Kural> kazanan;
    int eslesenSayisi = 0; // more than one: the window says the most specific won
};

// Matches many movements against one set of rules, each rule's text folded once. The most
// specific rule wins: "eşittir" over "başlar" over "içerir", then the longer text, then one with
// an amount range; among equals the newest (highest Kimlik).
class Eslestirici
{
public:
    explicit Eslestirici(std::vector<Kural> kurallar);
    Eslesme eslestir(const QString& aciklama, qint64 tutarKurus) const;

private:
    struct Hazir {
        Kural kural;
        QString katlanmis;
    };
    std::vector<Hazir> hazirlar; // most specific first
};

// The "içerir" text a rule learnt from an assignment proposes: the description's first words
// (two at most) before anything carrying a digit, a date or a card number, upper case.
QString onerilenMetin(const QString& aciklama);
// A rule from an assignment: "içerir" with the proposed text, no amount range.
Kural oner(const QString& aciklama, const Hedef& hedef);

} // namespace Kurallar

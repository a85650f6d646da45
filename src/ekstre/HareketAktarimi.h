#pragma once

#include "Degisiklik.h"
#include "Hareket.h"
#include "Kurallar.h"

#include <QDate>
#include <QString>
#include <QVariantList>

#include <compare>
#include <map>
#include <optional>
#include <vector>

struct DefterTanimi;
struct EkstreOkuma;

// Writing a statement's movements into the month: each assigned movement's amount added to the
// realised amount of its entry (ledger, main group, sub-group, the year and month of its date),
// every movement kept with its fingerprint so that nothing is ever counted twice.
//
// Income takes a movement's amount as it is, expense with its sign turned: money out of the
// account adds to the realised expense, a refund assigned to an expense reduces it.
namespace HareketAktarimi
{

// A movement of the statement and where the user (or a rule) put it; none: not assigned yet,
// neither written nor kept.
struct AtanmisHareket {
    Hareket hareket;
    std::optional<Hedef> hedef;
};

// Who the statement is from, the first part of each fingerprint: the account (IBAN, account or
// card number) its title rows name, otherwise its layout (the header's words), otherwise the
// file's name.
QString kaynak(const EkstreOkuma& okuma, const QString& dosyaAdi);
// source, date, amount, the description folded (Turkish upper case, spaces collapsed) and the
// movement's place among the identical ones of its day.
QString parmakizi(const QString& kaynak, const Hareket& hareket);

// Each movement with the target of the rule that matches it, and how many rules matched.
struct Atama {
    Hareket hareket;
    Kurallar::Eslesme eslesme;
};
std::vector<Atama> ata(const QList<Hareket>& hareketler, const std::vector<Kural>& kurallar);

// The entry a group of movements goes to, by ledger, groups (folded: Turkish upper case), year and
// month.
struct KayitAnahtari {
    const DefterTanimi* defter = nullptr;
    QString anaGrup;
    QString altGrup;
    int yil = 0;
    int ay = 0; // 1 … 12

    static KayitAnahtari olustur(const Hedef& hedef, const QDate& tarih);
    std::weak_ordering operator<=>(const KayitAnahtari&) const = default;
    bool operator==(const KayitAnahtari&) const = default;
};

// An entry whose realised amount was typed by hand: replaced by the movements' sum (the default)
// or added to.
enum class ElleGirilen { Degistir, UstuneEkle };

struct KayitOnizlemesi {
    KayitAnahtari anahtar;
    QString anaGrup; // as the entry (or else the target) spells them
    QString altGrup;
    qint64 hareketToplami = 0; // what the movements add to the realised amount
    int hareketSayisi = 0;
    enum class Durum {
        Yok,          // a "plansız" entry is made, estimate 0
        Planli,       // no realised amount yet
        Hareketli,    // fed by movements before: added to
        ElleGirilmis, // typed by hand: ElleGirilen decides
    } durum = Durum::Yok;
    std::optional<qint64> kimlik; // of several entries of the same key, the lowest
    qint64 tahminKurus = 0;
    std::optional<qint64> gerceklesenKurus;
    QVariantList alanlar; // the entry's fields as read, which writing expects to find
};

struct Sayilar {
    int yeni = 0;       // to be written into entries
    int zatenVar = 0;   // fingerprint already stored (or twice in this statement)
    int yokSayilan = 0; // new, kept but written nowhere
    int atanmamis = 0;  // new, not assigned: neither written nor kept
};

struct Onizleme {
    Sayilar sayilar;
    std::vector<KayitOnizlemesi> kayitlar; // by ledger, year, month, groups
};

Onizleme onizle(const QString& kaynak, const std::vector<AtanmisHareket>& hareketler);

struct Sonuc {
    Degisiklik degisiklik; // undo text: "Banka hareketleri (N)", N = saklanan
    Sayilar sayilar;
    int saklanan = 0; // movements stored (written ones and those set aside)
    int eklenenKayit = 0;
    int guncellenenKayit = 0;
};

// One transaction: the entries written (missing groups made), the new movements kept. An entry
// typed by hand not named in `secimler` is replaced (ElleGirilen::Degistir).
Sonuc yaz(const QString& kaynak, const QString& dosyaAdi,
          const std::vector<AtanmisHareket>& hareketler,
          const std::map<KayitAnahtari, ElleGirilen>& secimler = {});

} // namespace HareketAktarimi

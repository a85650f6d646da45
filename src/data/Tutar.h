#pragma once

#include <QVariant>

#include <limits>
#include <optional>

struct sqlite3;

// What reads as an amount, wherever the program reads one: a number within ±999.999.999.999,99,
// taken in whole kuruş (rounded half away from zero). Anything else other tools may leave (NULL,
// text such as '12,5', a blob, 1e17, ±1e308) is no amount: shown as missing, counted as zero in
// every sum and counted as unreadable, except a missing realised amount, which marks an entry
// planned and not yet realised.
namespace Tutar
{

inline constexpr qint64 enBuyukKurus = 99'999'999'999'999;

// Amounts travel through the program as whole kuruş; the column holds lira as REAL, which other
// tools read too. These two are where one turns into the other.
// A stored field as the driver hands it over.
std::optional<qint64> kurus(const QVariant& alan);
// The value to bind for an amount: lira, or NULL for none.
QVariant alanDegeri(std::optional<qint64> kurus);

// Realised ÷ estimate × 100, as lists, the overview and exports show it; none when either is
// missing or the estimate is zero.
std::optional<double> oran(std::optional<qint64> gerceklesenKurus,
                           std::optional<qint64> tahminKurus);

// Adds two sums of kuruş, held at the ends of qint64 rather than overflowing.
inline qint64 topla(qint64 a, qint64 b)
{
    qint64 toplam = 0;
    if (!__builtin_add_overflow(a, b, &toplam))
        return toplam;
    return b > 0 ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
}

// The sums of a group of entries by the rule above: TUTAR_TOPLAMI(estimate, realised) in a
// statement, read back with toplam(). The sums are exact, and held by topla().
// A total's ratio is the realised sum against the estimates of the entries realised so far
// (`gerceklesenlerinTahmini`): the planned rest would read as failure.
struct Toplam {
    qint64 tahminKurus = 0;
    qint64 gerceklesenKurus = 0;
    qint64 okunamayan = 0;
    qint64 kayitSayisi = 0;
    qint64 gerceklesenlerinTahmini = 0;
    qint64 gerceklesenSayisi = 0; // entries with a realised amount
};
// The ratio of a total by the rule above; none while nothing is realised.
std::optional<double> toplamOrani(qint64 gerceklesenKurus, qint64 gerceklesenlerinTahmini,
                                  qint64 gerceklesenSayisi);
Toplam toplam(const QVariant& alan);
// Adds an entry's amounts into a total, the same way TUTAR_TOPLAMI does.
void ekle(Toplam& toplam, const Toplam& eklenen);
// Registers TUTAR_TOPLAMI on a connection; like the collation, it is never part of the file.
void toplamIsleviniKaydet(sqlite3* baglanti);

} // namespace Tutar

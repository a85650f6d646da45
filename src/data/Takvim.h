#pragma once

#include "TurkceMetin.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <optional>

// The period vocabulary: the years offered and the Turkish month names, stored by name.
namespace Takvim
{

inline constexpr int ilkYil = 2006;
inline constexpr int sonYil = 2030;

// The years the year lists offer, both ends included.
struct YilAraligi {
    int ilk = ilkYil;
    int son = sonYil;
};

// Entries of years before this one are taken for typing errors: no year list reaches back to them.
inline constexpr int enErkenYil = 1900;

// From 2006, or the earliest year with entries when earlier, to 2030, or five years after this one
// when that is later.
inline YilAraligi yilAraligi(std::optional<int> enEskiKayit, int buYil)
{
    return {std::min(ilkYil, enEskiKayit.value_or(ilkYil)), std::max(sonYil, buYil + 5)};
}

// "Ocak" … "Aralık": whatever the machine's language, entries carry these names.
inline const QStringList& ayAdlari()
{
    static const QStringList adlar{
        QStringLiteral("Ocak"),   QStringLiteral("Şubat"),   QStringLiteral("Mart"),
        QStringLiteral("Nisan"),  QStringLiteral("Mayıs"),   QStringLiteral("Haziran"),
        QStringLiteral("Temmuz"), QStringLiteral("Ağustos"), QStringLiteral("Eylül"),
        QStringLiteral("Ekim"),   QStringLiteral("Kasım"),   QStringLiteral("Aralık")};
    return adlar;
}

// 1 … 12 for a month's name in any letter case ("MART", "mart"); 0 for any other text.
inline int ayNumarasi(const QString& ad)
{
    for (int i = 0; i < 12; ++i)
        if (TurkceMetin::esit(ad, ayAdlari()[i]))
            return i + 1;
    return 0;
}

} // namespace Takvim

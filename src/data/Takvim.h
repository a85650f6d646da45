#pragma once

#include "TurkceMetin.h"

#include <QString>
#include <QStringList>

// The period vocabulary: the years offered and the Turkish month names, stored by name.
namespace Takvim
{

inline constexpr int ilkYil = 2006;
inline constexpr int sonYil = 2030;

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

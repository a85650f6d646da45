#pragma once

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

} // namespace Takvim

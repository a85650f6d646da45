#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

// Amounts and ratios in the program's regional settings (the default QLocale).
// Amounts travel as whole hundredths (kuruş) so that sums are exact.
namespace Bicim
{

qint64 kurusa(double tutar);
QString tutar(qint64 kurus); // 1.234,50 under Turkish settings
// Realised ÷ estimate × 100; none when the estimate is zero.
std::optional<double> oran(qint64 gerceklesenKurus, qint64 tahminKurus);
QString yuzde(double oran); // 75,00% under Turkish settings
// The amount a user typed: in the regional format first ("1.234,50"), else by the
// leading-number rule ("1234.5", "12abc" is 12, "&H10" is 16, letters only are 0).
double tutarOku(const QString& metin);
double ondekiSayi(const QString& metin);
inline const QString eksikOran = QStringLiteral("—");

// "6 Aralık 2026 14:30": the month by its Turkish name, whatever the machine's language.
QString tarihSaat(const QDateTime& an);
// A file's size in the regional number format: "1,5 MB".
QString boyut(qint64 bayt);

// Position and size in twips, as the layouts are drawn: 15 twips are one pixel.
constexpr int twip(int deger)
{
    return deger / 15;
}
} // namespace Bicim

#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

// Amounts and ratios in the program's regional settings (the default QLocale).
// Amounts travel as whole hundredths (kuruş) so that sums are exact.
namespace Bicim
{

QString tutar(qint64 kurus); // 1.234,50 under Turkish settings
QString yuzde(double oran);  // 75,00% under Turkish settings

// An amount the user typed, in kuruş; none when the text is no amount. The one rule, shown
// here with Turkish settings (the regional decimal and grouping marks stand for "," and "."):
// - Spaces (also non-breaking and thin ones) and one "TL" or "₺", in any letter case, before or
//   after the number, are ignored. A text with nothing else reads as 0.
// - One sign, "-" or "−", before the number, or after a leading "TL" / "₺".
// - The regional format: digits, optional "." groups of exactly three digits, then optionally
//   "," and one or two decimals: "12.500", "12.500,5", "1234,56", "850".
// - The keypad form: digits, one "." and one or two decimals: "1234.5", "0.75". A dot followed by
//   exactly three digits is a thousands group: "1.500" is one thousand five hundred.
// - Anything else is no amount: letters, a sign after the number, two decimal marks, misplaced
//   groups, more than two decimals, "1,234.50", "1e3", "0x10", "NaN", digits of other scripts.
// What tutar() shows reads back to the same value. Numbers longer than any amount that can be
// stored read as ±10^17 kuruş, so that the caller can refuse them as too large.
std::optional<qint64> tutarOku(const QString& metin);
inline const QString eksikOran = QStringLiteral("—");
// What a total's tooltip says of the amounts it left out as unreadable; nothing when none.
QString okunamayanlar(qint64 sayi);

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

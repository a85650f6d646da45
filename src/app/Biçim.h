#pragma once

#include <QString>

#include <optional>

// Amounts and ratios in the program's regional settings (the default QLocale).
// Amounts travel as whole hundredths (kuruş) so that sums are exact.
namespace Biçim {

qint64 kuruşa(double tutar);
QString tutar(qint64 kuruş);                 // 1.234,50 under Turkish settings
// Realised ÷ estimate × 100; none when the estimate is zero.
std::optional<double> oran(qint64 gerçekleşenKuruş, qint64 tahminKuruş);
QString yüzde(double oran);                   // 75,00% under Turkish settings
inline const QString eksikOran = QStringLiteral("—");

// Position and size in twips, as the layouts are drawn: 15 twips are one pixel.
constexpr int twip(int değer)
{
    return değer / 15;
}

} // namespace Biçim

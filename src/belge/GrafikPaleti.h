#pragma once

#include <QColor>
#include <QString>

class QBarSet;
class QChart;

// The colours and the look the charts of the overview and the period report share, so that an
// estimate or a realised sum reads the same in both.
namespace GrafikPaleti
{

inline const QColor tahminRengi{0x20, 0x9F, 0xDF};
inline const QColor gerceklesenRengi{0x99, 0xCA, 0x53};
// Last year's realised sums: a paler shade of this year's.
inline const QColor oncekiRengi{0xCC, 0xE4, 0xA9};
inline const QColor oranRengi{0xC0, 0x39, 0x2B};

// A set of bars filled and bordered in one colour.
QBarSet* cubukKumesi(const QString& ad, const QColor& renk);

// Numbers in the program's locale, square corners and narrow margins.
void hazirla(QChart* grafik);

} // namespace GrafikPaleti

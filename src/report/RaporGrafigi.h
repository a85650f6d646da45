#pragma once

#include "RaporModeli.h"

#include <QChart>

class QBarCategoryAxis;
class QBarSet;
class QHorizontalBarSeries;
class QValueAxis;

// "En büyük 10 gider": the estimate against the realised sum of the ten expense main groups with
// the largest realised sums (the largest estimates while no expense is realised, as the title then
// says), as horizontal bars, the largest at the top. Built once; each period only changes its
// values.
class RaporGrafigi : public QChart
{
    Q_OBJECT
public:
    static constexpr int grupSayisi = 10;

    RaporGrafigi();

    void goster(const RaporModeli& model);
    // The groups shown, top to bottom.
    QStringList gruplar() const;

private:
    QHorizontalBarSeries* cubuklar = nullptr;
    QBarSet* tahmin = nullptr;
    QBarSet* gerceklesen = nullptr;
    QBarCategoryAxis* grupEkseni = nullptr;
    QValueAxis* tutarEkseni = nullptr;
};

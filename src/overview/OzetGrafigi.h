#pragma once

#include "OzetTablosu.h"

#include <QChart>
#include <QList>

class QBarCategoryAxis;
class QBarSeries;
class QBarSet;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

// The overview's chart: each month's estimate and realised sums as bars on the amount axis
// (left), last year's realised sums beside them when compared, and the ratio as points on its
// own percent axis (right). Built once; each choice of year only changes its values, which is
// far cheaper than building a chart anew.
class OzetGrafigi : public QChart
{
    Q_OBJECT
public:
    explicit OzetGrafigi(const OzetTablosu& tablo);

    void goster(const OzetTablosu& tablo);

private:
    void oranlariCiz(const OzetTablosu& tablo);

    QBarSeries* cubuklar = nullptr;
    QBarSet* tahmin = nullptr;
    QBarSet* gerceklesen = nullptr;
    QBarSet* onceki = nullptr; // only while compared
    QScatterSeries* noktalar = nullptr;
    QList<QLineSeries*> cizgiler;
    QBarCategoryAxis* ayEkseni = nullptr;
    QValueAxis* tutarEkseni = nullptr;
    QValueAxis* oranEkseni = nullptr;
};

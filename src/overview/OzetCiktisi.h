#pragma once

#include "OzetTablosu.h"

#include <QDate>
#include <QImage>
#include <QPageLayout>
#include <QString>

class TabloYazici;
class QChartView;
class QPagedPaintDevice;

// The overview taken out of the program: its table for a spreadsheet, one printed or PDF page, and the
// chart as a picture. Everything is drawn from the same table the window shows.
namespace OzetCiktisi
{

// The table's header and its thirteen rows, the totals a total line, on the sheet `sayfaAdi`; the
// previous year's columns when compared.
void tabloyaYaz(TabloYazici& yazici, const QString& sayfaAdi, const OzetTablosu& tablo);

// A4, landscape, as the page is offered for printing.
QPageLayout sayfaDuzeni();

// One page: the heading (the window's caption, the period and the date printed), the table with
// its totals row, and the chart below it. Text and chart stay vector drawings.
void sayfayiCiz(QPagedPaintDevice& aygit, const QString& baslik, const OzetTablosu& tablo,
                QChartView& grafik, QDate tarih);

// The chart at twice the pixels it has on screen, under a line that says what it shows: `konu`
// ("Tüm Giderler — 2026") and the unit of its amounts, so that a shared picture speaks for itself.
QImage grafikResmi(QChartView& grafik, const QString& konu);

} // namespace OzetCiktisi

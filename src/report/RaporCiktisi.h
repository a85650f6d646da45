#pragma once

#include "RaporModeli.h"

#include <QDate>
#include <QPageLayout>
#include <QString>

class QPagedPaintDevice;
class TabloYazici;

// The period report taken out of the program, fully expanded in the order the tree shows it.
namespace RaporCiktisi
{

// A table for spreadsheets on the sheet "Dönem Raporu": the ledger, main group and sub-group of
// each line in columns of their own, then the figures; a blank figure stays an empty cell, and
// the balance is the total line.
void tabloyaYaz(TabloYazici& tablo, const RaporModeli& model);

// A4, portrait.
QPageLayout sayfaDuzeni();

// As many pages as the lines need, each headed by the caption, the period (with what the report
// says of it) and the print date,
// with the column captions, and numbered at its foot ("Sayfa 1 / 2"). Totals bold, groups the
// group lists lack in italics, warned ratios in the warning colour.
void sayfalariCiz(QPagedPaintDevice& aygit, const QString& baslik, const QString& donem,
                  const RaporModeli& model, QDate tarih);

} // namespace RaporCiktisi

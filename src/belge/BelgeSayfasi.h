#pragma once

#include <QDate>
#include <QPageLayout>
#include <QString>

class QAbstractItemModel;
class QChartView;
class QPagedPaintDevice;

// A document's printed or PDF pages, drawn from what its window shows: every page headed by the
// heading, the line under it (the period) and the print date, then the column captions; the
// model's lines fully expanded, indented by their level, in their own fonts, colours and
// alignment, a rule above each top-level bold line (a total); the chart below the last line, or
// on a page of its own where too little room is left; "Sayfa 1 / 2" at every page's foot. Text
// and chart stay vector drawings.
struct BelgeSayfasi {
    QString baslik;
    QString aciklama;
    QPageLayout::Orientation yon = QPageLayout::Portrait;
    double ilkSutun = 0.4; // the share of the page's width the first column takes

    // A4 in the orientation, with the margins of every page.
    QPageLayout duzen() const;
    void ciz(QPagedPaintDevice& aygit, const QAbstractItemModel& model, QChartView* grafik,
            QDate tarih) const;
};

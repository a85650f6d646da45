#include "BelgeSayfasi.h"

#include <QAbstractItemModel>
#include <QChartView>
#include <QFontMetricsF>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <vector>

namespace
{

QFont yazi(double punto, bool kalin = false)
{
    QFont f;
    f.setPointSizeF(punto);
    f.setBold(kalin);
    return f;
}

// Less room than this below the last line sends the chart to a page of its own.
constexpr double grafigeEnAzMm = 60;

struct Satir {
    QModelIndex yer;
    int duzey = 0;
};

void satirlariTopla(const QAbstractItemModel& model, const QModelIndex& ust, int duzey,
                    std::vector<Satir>& satirlar)
{
    for (int r = 0; r < model.rowCount(ust); ++r) {
        const QModelIndex yer = model.index(r, 0, ust);
        satirlar.push_back({yer, duzey});
        satirlariTopla(model, yer, duzey + 1, satirlar);
    }
}

// Lays the pages out from top to bottom, in the device's units.
class Sayfalar
{
public:
    Sayfalar(QPagedPaintDevice& hedef, const BelgeSayfasi& belge, const QAbstractItemModel& m,
             QDate gun)
        : aygit(hedef), b(belge), model(m),
          tarih(QStringLiteral("Yazdırma tarihi: ") + QLocale().toString(gun, QLocale::LongFormat)),
          mm(hedef.logicalDpiX() / 25.4), genislik(hedef.width()), yukseklik(hedef.height()),
          ilkSutun(genislik * belge.ilkSutun),
          sutun((genislik - ilkSutun) / std::max(1, model.columnCount() - 1)),
          satirBoyu(QFontMetricsF(yazi(9), &hedef).height() * 1.35),
          alt(yukseklik - QFontMetricsF(yazi(8), &hedef).height() - 3 * mm)
    {
    }

    void ciz(QChartView* grafik)
    {
        std::vector<Satir> satirlar;
        satirlariTopla(model, {}, 0, satirlar);
        const double ust = basBoyu() + satirBoyu;
        const size_t sayfadaki = size_t(std::max(1, int((alt - ust) / satirBoyu)));
        const int tabloSayfalari =
            int(std::max<size_t>(1, (satirlar.size() + sayfadaki - 1) / sayfadaki));
        const double sonY =
            ust + double(satirlar.size() - (tabloSayfalari - 1) * sayfadaki) * satirBoyu;
        const bool ayriSayfa = grafik && alt - sonY - 5 * mm < grafigeEnAzMm * mm;
        const int sayfaSayisi = tabloSayfalari + (ayriSayfa ? 1 : 0);
        QPainter ressam(&aygit);
        ressam.setRenderHint(QPainter::Antialiasing);
        for (int sayfa = 0; sayfa < tabloSayfalari; ++sayfa) {
            basla(ressam, sayfa, sayfaSayisi);
            const size_t ilk = size_t(sayfa) * sayfadaki;
            for (size_t i = ilk; i < std::min(satirlar.size(), ilk + sayfadaki); ++i)
                satirYaz(ressam, satirlar[i]);
            cizgi(ressam);
        }
        if (!grafik)
            return;
        if (ayriSayfa)
            basla(ressam, sayfaSayisi - 1, sayfaSayisi, false);
        y += 5 * mm;
        grafikCiz(ressam, *grafik);
    }

private:
    double basBoyu() const
    {
        return QFontMetricsF(yazi(14, true), &aygit).height() +
               QFontMetricsF(yazi(10), &aygit).height() + 6 * mm;
    }

    // A new page with its heading, its number and, above a table, the column captions.
    void basla(QPainter& ressam, int sayfa, int sayfaSayisi, bool tablo = true)
    {
        if (sayfa > 0)
            aygit.newPage();
        y = 0;
        ressam.setPen(Qt::black);
        ressam.setFont(yazi(14, true));
        const double baslikBoyu = QFontMetricsF(yazi(14, true), &aygit).height();
        ressam.drawText(QRectF(0, y, genislik, baslikBoyu), Qt::AlignLeft | Qt::AlignVCenter,
                        b.baslik);
        y += baslikBoyu + 2 * mm;
        ressam.setFont(yazi(10));
        const QRectF alan(0, y, genislik, QFontMetricsF(yazi(10), &aygit).height());
        ressam.drawText(alan, Qt::AlignLeft | Qt::AlignVCenter, b.aciklama);
        ressam.drawText(alan, Qt::AlignRight | Qt::AlignVCenter, tarih);
        y += alan.height() + 4 * mm;
        ressam.setFont(yazi(8));
        ressam.drawText(QRectF(0, alt, genislik, yukseklik - alt), Qt::AlignCenter,
                        QStringLiteral("Sayfa %1 / %2").arg(sayfa + 1).arg(sayfaSayisi));
        if (!tablo)
            return;
        for (int s = 0; s < model.columnCount(); ++s)
            hucreYaz(ressam, s, 0, model.headerData(s, Qt::Horizontal).toString(), yazi(9, true),
                     model.headerData(s, Qt::Horizontal, Qt::TextAlignmentRole), {});
        y += satirBoyu;
        cizgi(ressam);
    }

    void satirYaz(QPainter& ressam, const Satir& satir)
    {
        const auto yaziOf = [](const QModelIndex& yer) {
            QFont f = yazi(9);
            if (const QVariant v = yer.data(Qt::FontRole); v.isValid()) {
                f.setBold(v.value<QFont>().bold());
                f.setItalic(v.value<QFont>().italic());
            }
            return f;
        };
        if (satir.duzey == 0 && yaziOf(satir.yer).bold())
            cizgi(ressam);
        for (int s = 0; s < model.columnCount(); ++s) {
            const QModelIndex yer = satir.yer.siblingAtColumn(s);
            hucreYaz(ressam, s, s == 0 ? satir.duzey : 0, yer.data().toString(), yaziOf(yer),
                     yer.data(Qt::TextAlignmentRole), yer.data(Qt::ForegroundRole));
        }
        y += satirBoyu;
    }

    void hucreYaz(QPainter& ressam, int s, int duzey, const QString& metin, const QFont& f,
                  const QVariant& hiza, const QVariant& renk)
    {
        const double sol = s == 0 ? duzey * 5 * mm : ilkSutun + (s - 1) * sutun;
        const double en = s == 0 ? ilkSutun - sol : sutun;
        Qt::Alignment hizasi = s == 0 ? Qt::AlignLeft : Qt::AlignRight;
        if (hiza.isValid())
            hizasi = Qt::Alignment(hiza.toInt()) & Qt::AlignHorizontal_Mask;
        ressam.setFont(f);
        ressam.setPen(renk.isValid() ? renk.value<QColor>() : QColor(Qt::black));
        ressam.drawText(QRectF(sol + mm, y, en - 2 * mm, satirBoyu), hizasi | Qt::AlignVCenter,
                        metin);
        ressam.setPen(Qt::black);
    }

    void cizgi(QPainter& ressam)
    {
        ressam.setPen(QPen(Qt::black, 0.3 * mm));
        ressam.drawLine(QPointF(0, y), QPointF(genislik, y));
        ressam.setPen(Qt::black);
    }

    // The chart's scene drawn into what is left above the foot, in its own proportions.
    void grafikCiz(QPainter& ressam, QChartView& grafik)
    {
        const QRectF kaynak(QPointF(0, 0), grafik.viewport()->size());
        QRectF hedef(0, y, genislik, alt - 2 * mm - y);
        const QSizeF boyut = kaynak.size().scaled(hedef.size(), Qt::KeepAspectRatio);
        hedef = QRectF((genislik - boyut.width()) / 2, y, boyut.width(), boyut.height());
        grafik.scene()->render(&ressam, hedef, grafik.mapToScene(kaynak.toRect()).boundingRect());
    }

    QPagedPaintDevice& aygit;
    const BelgeSayfasi& b;
    const QAbstractItemModel& model;
    const QString tarih;
    const double mm;
    const double genislik;
    const double yukseklik;
    const double ilkSutun;
    const double sutun;
    const double satirBoyu;
    const double alt; // where the page number stands
    double y = 0;
};

} // namespace

QPageLayout BelgeSayfasi::duzen() const
{
    return QPageLayout(QPageSize(QPageSize::A4), yon, QMarginsF(15, 12, 15, 12),
                       QPageLayout::Millimeter);
}

void BelgeSayfasi::ciz(QPagedPaintDevice& aygit, const QAbstractItemModel& model,
                       QChartView* grafik, QDate tarih) const
{
    Sayfalar(aygit, *this, model, tarih).ciz(grafik);
}

#include "OzetGrafigi.h"

#include "Bicim.h"
#include "GrafikPaleti.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QPainter>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace
{

using GrafikPaleti::oranRengi;

struct Aralik {
    double alt;
    double ust;
    int cizgiSayisi;
};

// From zero, or from below the lowest value when that is negative, to a round number that
// reaches the highest: at most six steps of 1, 2, 2.5 or 5 times a power of ten.
Aralik yuvarlakAralik(double enKucuk, double enBuyuk)
{
    const double alt = std::min(0.0, enKucuk);
    double ust = std::max(0.0, enBuyuk);
    if (ust <= alt)
        ust = alt + 1.0;
    double kuvvet = std::pow(10.0, std::floor(std::log10((ust - alt) / 6.0)));
    for (;; kuvvet *= 10.0) {
        for (const double katsayi : {1.0, 2.0, 2.5, 5.0}) {
            const double adim = katsayi * kuvvet;
            const double ustAdim = std::ceil(ust / adim), altAdim = std::ceil(-alt / adim);
            if (ustAdim + altAdim <= 6.0)
                return {-altAdim * adim, ustAdim * adim, int(ustAdim + altAdim) + 1};
        }
    }
}

// The axis ends at least 10 % beyond the values, so nothing is cut at its ends, and never short
// of `enAzUst`.
void ekseniAyarla(QValueAxis* eksen, double enKucuk, double enBuyuk, const QString& ek,
                  double enAzUst = 0)
{
    const Aralik aralik = yuvarlakAralik(enKucuk * 1.1, std::max(enBuyuk * 1.1, enAzUst));
    eksen->setRange(aralik.alt, aralik.ust);
    eksen->setTickCount(aralik.cizgiSayisi);
    const double adim = (aralik.ust - aralik.alt) / (aralik.cizgiSayisi - 1);
    // With the chart's numbers localised, the printf-style format only gives the precision.
    eksen->setLabelFormat(QStringLiteral("%.%1f").arg(adim >= 1.0 ? 0 : 2) + ek);
}

QFont kucukYazi(const QFont& temel)
{
    QFont yazi = temel;
    yazi.setPointSizeF(std::max(6.0, temel.pointSizeF() - 1.0));
    return yazi;
}

QFont ayYazisi(QFont yazi, const QStringList& etiketler, int genislik)
{
    for (; yazi.pointSizeF() > 6.0; yazi.setPointSizeF(yazi.pointSizeF() - 0.5)) {
        const QFontMetrics olcu(yazi);
        if (std::all_of(etiketler.begin(), etiketler.end(),
                        [&](const QString& e) { return olcu.horizontalAdvance(e) <= genislik; }))
            break;
    }
    return yazi;
}

// The legend shows the ratio as the chart draws it: a line through a dot. The series only
// carries that legend entry; the points themselves are drawn by the scatter series.
QLineSeries* oranGostergesi()
{
    const int boy = 9;
    QImage nokta(boy, boy, QImage::Format_ARGB32_Premultiplied);
    nokta.fill(Qt::transparent);
    QPainter ressam(&nokta);
    ressam.setRenderHint(QPainter::Antialiasing);
    ressam.setPen(Qt::NoPen);
    ressam.setBrush(oranRengi);
    ressam.drawEllipse(QRectF(0, 0, boy, boy));
    ressam.end();
    auto* gosterge = new QLineSeries;
    gosterge->setName(QStringLiteral("Oran (%)"));
    gosterge->setPen(QPen(oranRengi, 2));
    gosterge->setLightMarker(nokta);
    gosterge->setMarkerSize(boy);
    return gosterge;
}

} // namespace

OzetGrafigi::OzetGrafigi(const OzetTablosu& tablo)
{
    GrafikPaleti::hazirla(this);
    legend()->setAlignment(Qt::AlignTop);
    legend()->setFont(kucukYazi(legend()->font()));

    cubuklar = new QBarSeries;
    tahmin = GrafikPaleti::cubukKumesi(QStringLiteral("Tahmin"), GrafikPaleti::tahminRengi);
    gerceklesen =
        GrafikPaleti::cubukKumesi(QStringLiteral("Gerçekleşen"), GrafikPaleti::gerceklesenRengi);
    cubuklar->append({tahmin, gerceklesen});
    addSeries(cubuklar);
    noktalar = new QScatterSeries;
    noktalar->setColor(oranRengi);
    noktalar->setBorderColor(oranRengi);
    noktalar->setMarkerSize(7);
    addSeries(noktalar);
    legend()->markers(noktalar).constFirst()->setVisible(false);
    QLineSeries* gosterge = oranGostergesi();
    addSeries(gosterge);
    legend()->markers(gosterge).constFirst()->setShape(QLegend::MarkerShapeFromSeries);

    QStringList etiketler;
    for (int ay = 0; ay < 12; ++ay)
        etiketler << tablo.satirlar()[ay].ad;
    ayEkseni = new QBarCategoryAxis;
    ayEkseni->append(etiketler);
    // Qt would cut a name short well before it reaches the next one; instead the font is made
    // small enough for the longest name to fit its category, the amount and ratio axes' labels
    // taking about 120 pixels of the chart's width.
    ayEkseni->setTruncateLabels(false);
    ayEkseni->setLabelsFont(ayYazisi(kucukYazi(ayEkseni->labelsFont()), etiketler,
                                     (Bicim::twip(10425) - 120) / 12 - 2));
    addAxis(ayEkseni, Qt::AlignBottom);
    tutarEkseni = new QValueAxis;
    tutarEkseni->setLabelsFont(kucukYazi(tutarEkseni->labelsFont()));
    addAxis(tutarEkseni, Qt::AlignLeft);
    oranEkseni = new QValueAxis;
    oranEkseni->setLabelsFont(kucukYazi(oranEkseni->labelsFont()));
    oranEkseni->setLabelsColor(oranRengi);
    oranEkseni->setGridLineVisible(false);
    addAxis(oranEkseni, Qt::AlignRight);
    for (QAbstractSeries* seri : series()) {
        seri->attachAxis(ayEkseni);
        seri->attachAxis(seri == cubuklar ? tutarEkseni : oranEkseni);
    }
    goster(tablo);
}

void OzetGrafigi::goster(const OzetTablosu& tablo)
{
    if (tablo.karsilastirmali() && !onceki) {
        // Last year's realised amounts stand beside this year's.
        onceki = GrafikPaleti::cubukKumesi(QString(), GrafikPaleti::oncekiRengi);
        cubuklar->append(onceki);
    } else if (!tablo.karsilastirmali() && onceki) {
        cubuklar->remove(onceki);
        onceki = nullptr;
    }
    if (onceki)
        onceki->setLabel(tablo.oncekiAdi());

    QList<qreal> tahminler, gerceklesenler, oncekiler;
    double enKucuk = 0, enBuyuk = 0;
    for (int ay = 0; ay < 12; ++ay) {
        const OzetTablosu::Satir& s = tablo.satirlar()[ay];
        tahminler << double(s.tahminKurus) / 100.0;
        gerceklesenler << double(s.gerceklesenKurus) / 100.0;
        oncekiler << double(s.oncekiKurus.value_or(0)) / 100.0;
        for (const double t : {tahminler.last(), gerceklesenler.last(), oncekiler.last()}) {
            enKucuk = std::min(enKucuk, t);
            enBuyuk = std::max(enBuyuk, t);
        }
    }
    for (const auto& [kume, degerler] :
         {std::pair{tahmin, &tahminler}, {gerceklesen, &gerceklesenler}, {onceki, &oncekiler}}) {
        if (!kume)
            continue;
        kume->remove(0, kume->count());
        kume->append(*degerler);
    }
    ekseniAyarla(tutarEkseni, enKucuk, enBuyuk, QString());
    oranlariCiz(tablo);
}

// The ratio is drawn as points joined month to month; a month without a ratio breaks the line,
// so that no value seems to stand where none was computed.
void OzetGrafigi::oranlariCiz(const OzetTablosu& tablo)
{
    for (QLineSeries* cizgi : std::as_const(cizgiler)) {
        removeSeries(cizgi);
        delete cizgi;
    }
    cizgiler.clear();
    QList<QPointF> oranlar;
    double enKucuk = 0, enBuyuk = 0;
    QLineSeries* cizgi = nullptr;
    for (int ay = 0; ay < 12; ++ay) {
        const std::optional<double> oran = tablo.satirlar()[ay].oran;
        if (!oran) {
            cizgi = nullptr;
            continue;
        }
        oranlar << QPointF(ay, *oran);
        enKucuk = std::min(enKucuk, *oran);
        enBuyuk = std::max(enBuyuk, *oran);
        if (!cizgi) {
            cizgi = new QLineSeries;
            cizgi->setPen(QPen(oranRengi, 2));
            cizgiler << cizgi;
        }
        cizgi->append(ay, *oran);
    }
    noktalar->replace(oranlar);
    for (QLineSeries* c : std::as_const(cizgiler)) {
        addSeries(c);
        c->attachAxis(ayEkseni);
        c->attachAxis(oranEkseni);
        legend()->markers(c).constFirst()->setVisible(false);
    }
    // Never short of 120 %, so that points at 100 % stand whole below the top.
    ekseniAyarla(oranEkseni, enKucuk, enBuyuk, QLocale().percent(), 120.0);
}

#include "AylikOzetFormu.h"

#include "Bicim.h"
#include "ButceVerisi.h"
#include "Denetim.h"
#include "MesajKutusu.h"
#include "Takvim.h"
#include "TurkceMetin.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHeaderView>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QTreeWidget>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <optional>

namespace
{

using Aylar = std::array<ButceVerisi::AylikToplam, 12>;

enum Sutun { AySutunu, TahminSutunu, GerceklesenSutunu, OranSutunu };

Qt::Alignment hizasi(int sutun)
{
    return (sutun == AySutunu ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter;
}

QString ayEtiketi(int ay)
{
    return TurkceMetin::buyukHarf(Takvim::ayAdlari()[ay]);
}

std::optional<double> oran(const ButceVerisi::AylikToplam& toplam)
{
    if (toplam.kayitSayisi == 0)
        return std::nullopt;
    return Bicim::oran(toplam.gerceklesenKurus, toplam.tahminKurus);
}

QTreeWidget* listeKur(const DefterTanimi& defter, QWidget* ust)
{
    auto* liste = new QTreeWidget(ust);
    liste->setObjectName(defter.adiyla("%1lerListesi"));
    liste->setAccessibleName(defter.ozetBasligi);
    liste->setGeometry(Denetim::twipAlani(870, 330, 8385, 2835));
    liste->setColumnCount(4);
    liste->setHeaderLabels({QStringLiteral("Aylar"), defter.tahminSutunu, defter.gerceklesenSutunu,
                            QStringLiteral("Gerçekleşme Oranı (%)")});
    for (int sutun = AySutunu; sutun <= OranSutunu; ++sutun) {
        liste->setColumnWidth(sutun, Bicim::twip(2000));
        liste->headerItem()->setTextAlignment(sutun, hizasi(sutun));
    }
    liste->header()->setSectionsMovable(false);
    liste->setRootIsDecorated(false);
    liste->setUniformRowHeights(true);
    liste->setAllColumnsShowFocus(true);
    // A display only: nothing to pick, and no focus that would mark January as chosen.
    liste->setSelectionMode(QAbstractItemView::NoSelection);
    liste->setFocusPolicy(Qt::NoFocus);
    return liste;
}

// A month without entries keeps its row with the name alone.
void listeyiDoldur(QTreeWidget* liste, const Aylar& toplamlar)
{
    QList<QTreeWidgetItem*> satirlar;
    for (int ay = 0; ay < 12; ++ay) {
        auto* satir = new QTreeWidgetItem({ayEtiketi(ay)});
        for (int sutun = AySutunu; sutun <= OranSutunu; ++sutun)
            satir->setTextAlignment(sutun, hizasi(sutun));
        const ButceVerisi::AylikToplam& toplam = toplamlar[ay];
        if (toplam.kayitSayisi > 0) {
            satir->setText(TahminSutunu, Bicim::tutar(toplam.tahminKurus));
            satir->setText(GerceklesenSutunu, Bicim::tutar(toplam.gerceklesenKurus));
            const std::optional<double> o = oran(toplam);
            satir->setText(OranSutunu, o ? Bicim::yuzde(*o) : Bicim::eksikOran);
        }
        satirlar.append(satir);
    }
    liste->addTopLevelItems(satirlar);
}

// Rounds the axis to readable steps; a flat or empty range still gets a scale.
void ekseniAyarla(QValueAxis* eksen, double enKucuk, double enBuyuk, const QString& ek)
{
    if (enBuyuk <= enKucuk)
        enBuyuk = enKucuk + 1.0;
    eksen->setRange(enKucuk, enBuyuk);
    eksen->applyNiceNumbers();
    const double adim = (eksen->max() - eksen->min()) / std::max(1, eksen->tickCount() - 1);
    const int ondalik = adim >= 1.0 ? 0 : 2;
    // With the chart's numbers localised, the printf-style format only gives the precision.
    eksen->setLabelFormat(QStringLiteral("%.%1f").arg(ondalik) + ek);
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

QChartView* grafikKur(const Aylar& toplamlar, QWidget* ust)
{
    auto* grafik = new QChart;
    grafik->setLocalizeNumbers(true);
    grafik->setLocale(QLocale());
    grafik->setBackgroundRoundness(0);
    grafik->setMargins(QMargins(4, 0, 4, 0));
    grafik->legend()->setAlignment(Qt::AlignTop);
    grafik->legend()->setFont(kucukYazi(grafik->legend()->font()));

    auto* tahmin = new QBarSet(QStringLiteral("Tahmin"));
    auto* gerceklesen = new QBarSet(QStringLiteral("Geçekleşen"));
    double enKucukTutar = 0, enBuyukTutar = 0;
    double enKucukOran = 0, enBuyukOran = 100;
    for (const ButceVerisi::AylikToplam& toplam : toplamlar) {
        const double t = double(toplam.tahminKurus) / 100.0;
        const double g = double(toplam.gerceklesenKurus) / 100.0;
        tahmin->append(t);
        gerceklesen->append(g);
        enKucukTutar = std::min({enKucukTutar, t, g});
        enBuyukTutar = std::max({enBuyukTutar, t, g});
        if (const std::optional<double> o = oran(toplam)) {
            enKucukOran = std::min(enKucukOran, *o);
            enBuyukOran = std::max(enBuyukOran, *o);
        }
    }
    auto* cubuklar = new QBarSeries;
    cubuklar->append(tahmin);
    cubuklar->append(gerceklesen);
    grafik->addSeries(cubuklar);

    // The ratio is drawn as points joined month to month; a month without a ratio breaks the
    // line, so that no value seems to stand where none was computed.
    const QColor oranRengi(0xC0, 0x39, 0x2B);
    QList<QLineSeries*> cizgiler;
    QLineSeries* cizgi = nullptr;
    auto* noktalar = new QScatterSeries;
    noktalar->setName(QStringLiteral("Oran (%)"));
    noktalar->setColor(oranRengi);
    noktalar->setBorderColor(oranRengi);
    noktalar->setMarkerSize(7);
    for (int ay = 0; ay < 12; ++ay) {
        const std::optional<double> o = oran(toplamlar[ay]);
        if (!o) {
            cizgi = nullptr;
            continue;
        }
        noktalar->append(ay, *o);
        if (!cizgi) {
            cizgi = new QLineSeries;
            cizgi->setPen(QPen(oranRengi, 2));
            cizgiler.append(cizgi);
        }
        cizgi->append(ay, *o);
    }
    for (QLineSeries* s : std::as_const(cizgiler)) {
        grafik->addSeries(s);
        for (QLegendMarker* isaret : grafik->legend()->markers(s))
            isaret->setVisible(false);
    }
    grafik->addSeries(noktalar);

    QStringList etiketler;
    for (int ay = 0; ay < 12; ++ay)
        etiketler << ayEtiketi(ay);
    auto* ayEkseni = new QBarCategoryAxis;
    ayEkseni->append(etiketler);
    // Qt would cut a name short well before it reaches the next one; instead the font is made
    // small enough for the longest name to fit its category, the amount and ratio axes' labels
    // taking about 120 pixels of the chart's width.
    ayEkseni->setTruncateLabels(false);
    ayEkseni->setLabelsFont(ayYazisi(kucukYazi(ayEkseni->labelsFont()), etiketler,
                                     (Bicim::twip(10425) - 120) / 12 - 2));
    grafik->addAxis(ayEkseni, Qt::AlignBottom);

    auto* tutarEkseni = new QValueAxis;
    ekseniAyarla(tutarEkseni, enKucukTutar, enBuyukTutar, QString());
    tutarEkseni->setLabelsFont(kucukYazi(tutarEkseni->labelsFont()));
    grafik->addAxis(tutarEkseni, Qt::AlignLeft);

    auto* oranEkseni = new QValueAxis;
    ekseniAyarla(oranEkseni, enKucukOran, enBuyukOran, QLocale().percent());
    oranEkseni->setLabelsFont(kucukYazi(oranEkseni->labelsFont()));
    oranEkseni->setLabelsColor(oranRengi);
    oranEkseni->setGridLineVisible(false);
    grafik->addAxis(oranEkseni, Qt::AlignRight);

    cubuklar->attachAxis(ayEkseni);
    cubuklar->attachAxis(tutarEkseni);
    for (QAbstractSeries* s : grafik->series()) {
        if (s == cubuklar)
            continue;
        s->attachAxis(ayEkseni);
        s->attachAxis(oranEkseni);
    }

    auto* gorunum = new QChartView(grafik, ust);
    gorunum->setObjectName(QStringLiteral("GrafikNesnesi"));
    gorunum->setGeometry(Denetim::twipAlani(270, 3450, 10425, 3645));
    gorunum->setRenderHint(QPainter::Antialiasing);
    return gorunum;
}

} // namespace

AylikOzetFormu::AylikOzetFormu(const DefterTanimi& defter, QWidget* sahibi) : QDialog(sahibi)
{
    setObjectName(defter.adiyla("Tüm%1lerFormu"));
    setWindowTitle(defter.ozetBasligi);
    Denetim::sabitIletisimKutusu(this, 10965, 7275);

    // On an engine failure the months stay empty: the window opens all the same.
    Aylar toplamlar{};
    MesajKutusu::hatalariGostererek(sahibi ? sahibi : this,
                                    [&] { toplamlar = ButceVerisi::aylikToplamlar(defter); });
    listeyiDoldur(listeKur(defter, this), toplamlar);
    grafikKur(toplamlar, this);
}

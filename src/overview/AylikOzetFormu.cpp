#include "AylikOzetFormu.h"

#include "Bicim.h"
#include "Denetim.h"
#include "Doldurma.h"
#include "MesajKutusu.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QScatterSeries>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <set>

namespace
{

using Aylar = OzetTablosu::Aylar;

constexpr int ilkSutun = 0;
constexpr int oranSutunu = 3;
const QColor oranRengi(0xC0, 0x39, 0x2B);

Qt::Alignment hizasi(int sutun)
{
    return (sutun == ilkSutun ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter;
}

// Column widths in twips: four columns share the list's width, six when compared.
QList<int> sutunGenislikleri(bool karsilastirmali)
{
    if (karsilastirmali)
        return {1300, 1650, 1800, 2250, 1800, 1500};
    return {2400, 2600, 2600, 2600};
}

QTreeWidget* listeKur(const DefterTanimi& defter, QWidget* ust)
{
    auto* liste = new QTreeWidget(ust);
    liste->setObjectName(defter.adiyla("%1lerListesi"));
    liste->setAccessibleName(defter.ozetBasligi);
    liste->setGeometry(Denetim::twipAlani(270, 510, 10425, 3090));
    liste->header()->setSectionsMovable(false);
    liste->setRootIsDecorated(false);
    liste->setUniformRowHeights(true);
    liste->setAllColumnsShowFocus(true);
    // A display only: nothing to pick, and no focus that would mark January as chosen.
    liste->setSelectionMode(QAbstractItemView::NoSelection);
    liste->setFocusPolicy(Qt::NoFocus);
    return liste;
}

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
QValueAxis* eksen(double enKucuk, double enBuyuk, const QString& ek, double enAzUst = 0)
{
    const Aralik aralik = yuvarlakAralik(enKucuk * 1.1, std::max(enBuyuk * 1.1, enAzUst));
    auto* eksen = new QValueAxis;
    eksen->setRange(aralik.alt, aralik.ust);
    eksen->setTickCount(aralik.cizgiSayisi);
    const double adim = (aralik.ust - aralik.alt) / (aralik.cizgiSayisi - 1);
    // With the chart's numbers localised, the printf-style format only gives the precision.
    eksen->setLabelFormat(QStringLiteral("%.%1f").arg(adim >= 1.0 ? 0 : 2) + ek);
    return eksen;
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

QBarCategoryAxis* ayEkseni(const OzetTablosu& tablo)
{
    QStringList etiketler;
    for (int ay = 0; ay < 12; ++ay)
        etiketler << tablo.satirlar()[ay].ad;
    auto* eksen = new QBarCategoryAxis;
    eksen->append(etiketler);
    // Qt would cut a name short well before it reaches the next one; instead the font is made
    // small enough for the longest name to fit its category, the amount and ratio axes' labels
    // taking about 120 pixels of the chart's width.
    eksen->setTruncateLabels(false);
    eksen->setLabelsFont(
        ayYazisi(kucukYazi(eksen->labelsFont()), etiketler, (Bicim::twip(10425) - 120) / 12 - 2));
    return eksen;
}

// The legend shows the ratio as the chart draws it: a line through a dot.
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

// The ratio is drawn as points joined month to month; a month without a ratio breaks the line,
// so that no value seems to stand where none was computed.
QList<QAbstractSeries*> oranSerileri(const OzetTablosu& tablo)
{
    auto* noktalar = new QScatterSeries;
    noktalar->setColor(oranRengi);
    noktalar->setBorderColor(oranRengi);
    noktalar->setMarkerSize(7);
    QList<QAbstractSeries*> seriler{noktalar};
    QLineSeries* cizgi = nullptr;
    for (int ay = 0; ay < 12; ++ay) {
        const std::optional<double> oran = tablo.satirlar()[ay].oran;
        if (!oran) {
            cizgi = nullptr;
            continue;
        }
        noktalar->append(ay, *oran);
        if (!cizgi) {
            cizgi = new QLineSeries;
            cizgi->setPen(QPen(oranRengi, 2));
            seriler.prepend(cizgi);
        }
        cizgi->append(ay, *oran);
    }
    return seriler;
}

QBarSet* cubukKumesi(const QString& ad, const QColor& renk)
{
    auto* kume = new QBarSet(ad);
    kume->setColor(renk);
    kume->setBorderColor(renk);
    return kume;
}

} // namespace

AylikOzetFormu::AylikOzetFormu(const DefterTanimi& defter, int anaFormunYili, QWidget* sahibi)
    : QDialog(sahibi), defter(defter), gosterilen(defter, std::nullopt, Aylar{})
{
    setObjectName(defter.adiyla("Tüm%1lerFormu"));
    Denetim::sabitIletisimKutusu(this, 10965, 7275);

    QLabel* yilEtiketi =
        Denetim::etiket(this, QStringLiteral("Yıl:"), Denetim::twipAlani(270, 120, 450, 255));
    YilBilgisiKutusu = new QComboBox(this);
    yilEtiketi->setBuddy(YilBilgisiKutusu);
    YilBilgisiKutusu->setObjectName(QStringLiteral("YılBilgisiKutusu"));
    YilBilgisiKutusu->setAccessibleName(QStringLiteral("Yıl:"));
    YilBilgisiKutusu->setGeometry(Denetim::twipAlani(720, 90, 1500, 315));
    KarsilastirmaKutusu = new QCheckBox(QStringLiteral("Önceki yılla karşılaştır"), this);
    KarsilastirmaKutusu->setObjectName(QStringLiteral("KarşılaştırmaKutusu"));
    KarsilastirmaKutusu->setGeometry(Denetim::twipAlani(2520, 90, 3600, 315));
    liste = listeKur(defter, this);
    GrafikNesnesi = new QChartView(this);
    GrafikNesnesi->setObjectName(QStringLiteral("GrafikNesnesi"));
    GrafikNesnesi->setGeometry(Denetim::twipAlani(270, 3660, 10425, 3540));
    GrafikNesnesi->setRenderHint(QPainter::Antialiasing);

    // One message at most on an engine failure; the months stay empty, the window opens.
    std::vector<int> yillar;
    Aylar toplamlar{};
    MesajKutusu::hatalariGostererek(sahibi ? sahibi : this, [&] {
        yillar = ButceVerisi::kayitliYillar(defter);
        toplamlar = ButceVerisi::aylikToplamlar(defter);
    });
    std::set<int> sunulan(yillar.begin(), yillar.end());
    sunulan.insert(anaFormunYili);
    YilBilgisiKutusu->addItem(QStringLiteral("Tüm Yıllar"));
    for (const int yil : sunulan)
        YilBilgisiKutusu->addItem(QString::number(yil), yil);
    goster(OzetTablosu(defter, std::nullopt, toplamlar));

    connect(YilBilgisiKutusu, &QComboBox::currentIndexChanged, this, [this] { yilDegisti(); });
    connect(KarsilastirmaKutusu, &QCheckBox::toggled, this, [this] { yilDegisti(); });
}

void AylikOzetFormu::yilDegisti()
{
    const QVariant secilen = YilBilgisiKutusu->currentData();
    const std::optional<int> yil =
        secilen.isValid() ? std::optional<int>(secilen.toInt()) : std::nullopt;
    const bool karsilastir = yil && KarsilastirmaKutusu->isChecked();
    Aylar toplamlar{};
    std::optional<Aylar> onceki;
    MesajKutusu::hatalariGostererek(this, [&] {
        toplamlar = ButceVerisi::aylikToplamlar(defter, yil);
        if (karsilastir)
            onceki = ButceVerisi::aylikToplamlar(defter, *yil - 1);
    });
    goster(OzetTablosu(defter, yil, toplamlar, onceki));
}

void AylikOzetFormu::goster(const OzetTablosu& tablo)
{
    gosterilen = tablo;
    setWindowTitle(defter.ozetBasligi + QStringLiteral(" — ") + tablo.yilAdi());
    {
        // Every year at once has no previous year to stand beside.
        const QSignalBlocker sessiz(KarsilastirmaKutusu);
        KarsilastirmaKutusu->setEnabled(tablo.yil().has_value());
        if (!tablo.yil())
            KarsilastirmaKutusu->setChecked(false);
    }
    listeyiDoldur();
    grafigiKur();
}

void AylikOzetFormu::listeyiDoldur()
{
    liste->clear();
    const QStringList basliklar = gosterilen.basliklar();
    liste->setColumnCount(int(basliklar.size()));
    liste->setHeaderLabels(basliklar);
    const QList<int> genislikler = sutunGenislikleri(gosterilen.karsilastirmali());
    for (int sutun = 0; sutun < basliklar.size(); ++sutun) {
        liste->setColumnWidth(sutun, Bicim::twip(genislikler[sutun]));
        liste->headerItem()->setTextAlignment(sutun, hizasi(sutun));
    }
    QList<QTreeWidgetItem*> satirlar;
    for (const OzetTablosu::Satir& s : gosterilen.satirlar()) {
        auto* satir = new QTreeWidgetItem(gosterilen.hucreler(s));
        for (int sutun = 0; sutun < basliklar.size(); ++sutun) {
            satir->setTextAlignment(sutun, hizasi(sutun));
            if (satirlar.size() == OzetTablosu::toplamSatiri) {
                QFont kalin = liste->font();
                kalin.setBold(true);
                satir->setFont(sutun, kalin);
            }
        }
        Doldurma::oranUyarisi(satir, oranSutunu, defter, s.oran);
        satirlar.append(satir);
    }
    liste->addTopLevelItems(satirlar);
}

void AylikOzetFormu::grafigiKur()
{
    auto* grafik = new QChart;
    grafik->setLocalizeNumbers(true);
    grafik->setLocale(QLocale());
    grafik->setBackgroundRoundness(0);
    grafik->setMargins(QMargins(4, 0, 4, 0));
    grafik->legend()->setAlignment(Qt::AlignTop);
    grafik->legend()->setFont(kucukYazi(grafik->legend()->font()));

    const QColor gerceklesenRengi(0x99, 0xCA, 0x53);
    auto* tahmin = cubukKumesi(QStringLiteral("Tahmin"), QColor(0x20, 0x9F, 0xDF));
    auto* gerceklesen = cubukKumesi(QStringLiteral("Gerçekleşen"), gerceklesenRengi);
    // Last year's realised amounts stand beside this year's, in a paler shade of their colour.
    QBarSet* onceki = gosterilen.karsilastirmali()
                          ? cubukKumesi(gosterilen.oncekiAdi(), QColor(0xCC, 0xE4, 0xA9))
                          : nullptr;
    double enKucukTutar = 0, enBuyukTutar = 0, enKucukOran = 0, enBuyukOran = 0;
    for (int ay = 0; ay < 12; ++ay) {
        const OzetTablosu::Satir& s = gosterilen.satirlar()[ay];
        QList<double> tutarlar{double(s.tahminKurus) / 100.0, double(s.gerceklesenKurus) / 100.0};
        tahmin->append(tutarlar[0]);
        gerceklesen->append(tutarlar[1]);
        if (onceki) {
            tutarlar << double(s.oncekiKurus.value_or(0)) / 100.0;
            onceki->append(tutarlar[2]);
        }
        for (const double t : tutarlar) {
            enKucukTutar = std::min(enKucukTutar, t);
            enBuyukTutar = std::max(enBuyukTutar, t);
        }
        if (s.oran) {
            enKucukOran = std::min(enKucukOran, *s.oran);
            enBuyukOran = std::max(enBuyukOran, *s.oran);
        }
    }
    auto* cubuklar = new QBarSeries;
    cubuklar->append(tahmin);
    cubuklar->append(gerceklesen);
    if (onceki)
        cubuklar->append(onceki);
    grafik->addSeries(cubuklar);
    QList<QAbstractSeries*> oranlar = oranSerileri(gosterilen);
    for (QAbstractSeries* seri : std::as_const(oranlar)) {
        grafik->addSeries(seri);
        for (QLegendMarker* isaret : grafik->legend()->markers(seri))
            isaret->setVisible(false);
    }
    QLineSeries* gosterge = oranGostergesi();
    grafik->addSeries(gosterge);
    grafik->legend()->markers(gosterge).first()->setShape(QLegend::MarkerShapeFromSeries);
    oranlar << gosterge;

    QBarCategoryAxis* aylar = ayEkseni(gosterilen);
    grafik->addAxis(aylar, Qt::AlignBottom);
    QValueAxis* tutarEkseni = eksen(enKucukTutar, enBuyukTutar, QString());
    tutarEkseni->setLabelsFont(kucukYazi(tutarEkseni->labelsFont()));
    grafik->addAxis(tutarEkseni, Qt::AlignLeft);
    // Never short of 120 %, so that points at 100 % stand whole below the top.
    QValueAxis* oranEkseni = eksen(enKucukOran, enBuyukOran, QLocale().percent(), 120.0);
    oranEkseni->setLabelsFont(kucukYazi(oranEkseni->labelsFont()));
    oranEkseni->setLabelsColor(oranRengi);
    oranEkseni->setGridLineVisible(false);
    grafik->addAxis(oranEkseni, Qt::AlignRight);

    cubuklar->attachAxis(aylar);
    cubuklar->attachAxis(tutarEkseni);
    for (QAbstractSeries* seri : std::as_const(oranlar)) {
        seri->attachAxis(aylar);
        seri->attachAxis(oranEkseni);
    }

    QChart* eski = GrafikNesnesi->chart();
    GrafikNesnesi->setChart(grafik);
    delete eski;
}

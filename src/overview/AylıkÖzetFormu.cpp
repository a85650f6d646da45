#include "AylıkÖzetFormu.h"

#include "Biçim.h"
#include "BütçeVerisi.h"
#include "Denetim.h"
#include "MesajKutusu.h"
#include "Takvim.h"
#include "TürkçeMetin.h"

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

using Aylar = std::array<BütçeVerisi::AylıkToplam, 12>;

enum Sütun { AySütunu, TahminSütunu, GerçekleşenSütunu, OranSütunu };

Qt::Alignment hizası(int sütun)
{
    return (sütun == AySütunu ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter;
}

QString ayEtiketi(int ay)
{
    return TürkçeMetin::büyükHarf(Takvim::ayAdları()[ay]);
}

std::optional<double> oran(const BütçeVerisi::AylıkToplam& toplam)
{
    if (toplam.kayıtSayısı == 0)
        return std::nullopt;
    return Biçim::oran(toplam.gerçekleşenKuruş, toplam.tahminKuruş);
}

QTreeWidget* listeKur(const DefterTanımı& defter, QWidget* üst)
{
    auto* liste = new QTreeWidget(üst);
    liste->setObjectName(defter.adıyla("%1lerListesi"));
    liste->setAccessibleName(defter.özetBaşlığı);
    liste->setGeometry(Denetim::twipAlanı(870, 330, 8385, 2835));
    liste->setColumnCount(4);
    liste->setHeaderLabels({QStringLiteral("Aylar"), defter.tahminSütunu, defter.gerçekleşenSütunu,
                            QStringLiteral("Gerçekleşme Oranı (%)")});
    for (int sütun = AySütunu; sütun <= OranSütunu; ++sütun) {
        liste->setColumnWidth(sütun, Biçim::twip(2000));
        liste->headerItem()->setTextAlignment(sütun, hizası(sütun));
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
    QList<QTreeWidgetItem*> satırlar;
    for (int ay = 0; ay < 12; ++ay) {
        auto* satır = new QTreeWidgetItem({ayEtiketi(ay)});
        for (int sütun = AySütunu; sütun <= OranSütunu; ++sütun)
            satır->setTextAlignment(sütun, hizası(sütun));
        const BütçeVerisi::AylıkToplam& toplam = toplamlar[ay];
        if (toplam.kayıtSayısı > 0) {
            satır->setText(TahminSütunu, Biçim::tutar(toplam.tahminKuruş));
            satır->setText(GerçekleşenSütunu, Biçim::tutar(toplam.gerçekleşenKuruş));
            const std::optional<double> o = oran(toplam);
            satır->setText(OranSütunu, o ? Biçim::yüzde(*o) : Biçim::eksikOran);
        }
        satırlar.append(satır);
    }
    liste->addTopLevelItems(satırlar);
}

// Rounds the axis to readable steps; a flat or empty range still gets a scale.
void ekseniAyarla(QValueAxis* eksen, double enKüçük, double enBüyük, const QString& ek)
{
    if (enBüyük <= enKüçük)
        enBüyük = enKüçük + 1.0;
    eksen->setRange(enKüçük, enBüyük);
    eksen->applyNiceNumbers();
    const double adım = (eksen->max() - eksen->min()) / std::max(1, eksen->tickCount() - 1);
    const int ondalık = adım >= 1.0 ? 0 : 2;
    // With the chart's numbers localised, the printf-style format only gives the precision.
    eksen->setLabelFormat(QStringLiteral("%.%1f").arg(ondalık) + ek);
}

QFont küçükYazı(const QFont& temel)
{
    QFont yazı = temel;
    yazı.setPointSizeF(std::max(6.0, temel.pointSizeF() - 1.0));
    return yazı;
}

QFont ayYazısı(QFont yazı, const QStringList& etiketler, int genişlik)
{
    for (; yazı.pointSizeF() > 6.0; yazı.setPointSizeF(yazı.pointSizeF() - 0.5)) {
        const QFontMetrics ölçü(yazı);
        if (std::all_of(etiketler.begin(), etiketler.end(),
                        [&](const QString& e) { return ölçü.horizontalAdvance(e) <= genişlik; }))
            break;
    }
    return yazı;
}

QChartView* grafikKur(const Aylar& toplamlar, QWidget* üst)
{
    auto* grafik = new QChart;
    grafik->setLocalizeNumbers(true);
    grafik->setLocale(QLocale());
    grafik->setBackgroundRoundness(0);
    grafik->setMargins(QMargins(4, 0, 4, 0));
    grafik->legend()->setAlignment(Qt::AlignTop);
    grafik->legend()->setFont(küçükYazı(grafik->legend()->font()));

    auto* tahmin = new QBarSet(QStringLiteral("Tahmin"));
    auto* gerçekleşen = new QBarSet(QStringLiteral("Geçekleşen"));
    double enKüçükTutar = 0, enBüyükTutar = 0;
    double enKüçükOran = 0, enBüyükOran = 100;
    for (const BütçeVerisi::AylıkToplam& toplam : toplamlar) {
        const double t = double(toplam.tahminKuruş) / 100.0;
        const double g = double(toplam.gerçekleşenKuruş) / 100.0;
        tahmin->append(t);
        gerçekleşen->append(g);
        enKüçükTutar = std::min({enKüçükTutar, t, g});
        enBüyükTutar = std::max({enBüyükTutar, t, g});
        if (const std::optional<double> o = oran(toplam)) {
            enKüçükOran = std::min(enKüçükOran, *o);
            enBüyükOran = std::max(enBüyükOran, *o);
        }
    }
    auto* çubuklar = new QBarSeries;
    çubuklar->append(tahmin);
    çubuklar->append(gerçekleşen);
    grafik->addSeries(çubuklar);

    // The ratio is drawn as points joined month to month; a month without a ratio breaks the
    // line, so that no value seems to stand where none was computed.
    const QColor oranRengi(0xC0, 0x39, 0x2B);
    QList<QLineSeries*> çizgiler;
    QLineSeries* çizgi = nullptr;
    auto* noktalar = new QScatterSeries;
    noktalar->setName(QStringLiteral("Oran (%)"));
    noktalar->setColor(oranRengi);
    noktalar->setBorderColor(oranRengi);
    noktalar->setMarkerSize(7);
    for (int ay = 0; ay < 12; ++ay) {
        const std::optional<double> o = oran(toplamlar[ay]);
        if (!o) {
            çizgi = nullptr;
            continue;
        }
        noktalar->append(ay, *o);
        if (!çizgi) {
            çizgi = new QLineSeries;
            çizgi->setPen(QPen(oranRengi, 2));
            çizgiler.append(çizgi);
        }
        çizgi->append(ay, *o);
    }
    for (QLineSeries* s : std::as_const(çizgiler)) {
        grafik->addSeries(s);
        for (QLegendMarker* işaret : grafik->legend()->markers(s))
            işaret->setVisible(false);
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
    ayEkseni->setLabelsFont(ayYazısı(küçükYazı(ayEkseni->labelsFont()), etiketler,
                                     (Biçim::twip(10425) - 120) / 12 - 2));
    grafik->addAxis(ayEkseni, Qt::AlignBottom);

    auto* tutarEkseni = new QValueAxis;
    ekseniAyarla(tutarEkseni, enKüçükTutar, enBüyükTutar, QString());
    tutarEkseni->setLabelsFont(küçükYazı(tutarEkseni->labelsFont()));
    grafik->addAxis(tutarEkseni, Qt::AlignLeft);

    auto* oranEkseni = new QValueAxis;
    ekseniAyarla(oranEkseni, enKüçükOran, enBüyükOran, QLocale().percent());
    oranEkseni->setLabelsFont(küçükYazı(oranEkseni->labelsFont()));
    oranEkseni->setLabelsColor(oranRengi);
    oranEkseni->setGridLineVisible(false);
    grafik->addAxis(oranEkseni, Qt::AlignRight);

    çubuklar->attachAxis(ayEkseni);
    çubuklar->attachAxis(tutarEkseni);
    for (QAbstractSeries* s : grafik->series()) {
        if (s == çubuklar)
            continue;
        s->attachAxis(ayEkseni);
        s->attachAxis(oranEkseni);
    }

    auto* görünüm = new QChartView(grafik, üst);
    görünüm->setObjectName(QStringLiteral("GrafikNesnesi"));
    görünüm->setGeometry(Denetim::twipAlanı(270, 3450, 10425, 3645));
    görünüm->setRenderHint(QPainter::Antialiasing);
    return görünüm;
}

} // namespace

AylıkÖzetFormu::AylıkÖzetFormu(const DefterTanımı& defter, QWidget* sahibi) : QDialog(sahibi)
{
    setObjectName(defter.adıyla("Tüm%1lerFormu"));
    setWindowTitle(defter.özetBaşlığı);
    Denetim::sabitİletişimKutusu(this, 10965, 7275);

    // On an engine failure the months stay empty: the window opens all the same.
    Aylar toplamlar{};
    MesajKutusu::hatalarıGöstererek(sahibi ? sahibi : this,
                                    [&] { toplamlar = BütçeVerisi::aylıkToplamlar(defter); });
    listeyiDoldur(listeKur(defter, this), toplamlar);
    grafikKur(toplamlar, this);
}

#include "AylikOzetFormu.h"

#include "Bicim.h"
#include "Denetim.h"
#include "Esneklik.h"
#include "MesajKutusu.h"
#include "OzetGrafigi.h"
#include "PencereDuzeni.h"

#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QSignalBlocker>
#include <QTreeView>

#include <set>

namespace
{

using Aylar = OzetTablosu::Aylar;

// Column widths in twips: four columns share the list's width, six when compared; the months give
// the captions of the figures their room.
QList<int> sutunGenislikleri(bool karsilastirmali)
{
    if (karsilastirmali)
        return {1200, 1500, 1950, 2400, 1900, 1350};
    return {2400, 2600, 2600, 2600};
}

// The period the sums cover, as the printed page names it.
QString donemAciklamasi(const OzetTablosu& tablo)
{
    if (!tablo.yil())
        return QStringLiteral("Dönem: tüm yıllar (her ay, bütün yılların toplamı)");
    QString metin = QStringLiteral("Dönem: %1 yılı, Ocak – Aralık").arg(*tablo.yil());
    if (tablo.karsilastirmali())
        metin += QStringLiteral(", %1 yılıyla karşılaştırmalı").arg(*tablo.yil() - 1);
    return metin;
}

} // namespace

AylikOzetFormu::AylikOzetFormu(const DefterTanimi& defterTanimi, const Donem& anaFormunDonemi,
                               QWidget* sahibi)
    : BelgePenceresi(sahibi), defter(defterTanimi), model(new OzetTablosu(defterTanimi, this))
{
    setObjectName(defter.adiyla("Tüm%1lerFormu"));
    const std::optional<int> ilkYil = anaFormunDonemi.yil;
    QWidget* icerik = icerigiKur();

    // One message at most on an engine failure; the months stay empty, the window opens.
    std::vector<int> yillar;
    Aylar ilkToplamlar{};
    MesajKutusu::hatalariGostererek(sahibi ? sahibi : this, [&] {
        yillar = ButceVerisi::kayitliYillar(defter);
        ilkToplamlar = toplamlar(ilkYil);
    });
    std::set<int> sunulan(yillar.begin(), yillar.end());
    if (ilkYil)
        sunulan.insert(*ilkYil);
    YilBilgisiKutusu->addItem(QStringLiteral("Tüm Yıllar"));
    for (const int yil : sunulan)
        YilBilgisiKutusu->addItem(QString::number(yil), yil);
    if (ilkYil)
        YilBilgisiKutusu->setCurrentIndex(YilBilgisiKutusu->findData(*ilkYil));
    goster(ilkYil, ilkToplamlar);
    satirlaraYerAc(icerik);
    kur(icerik, liste, GrafikNesnesi);
    esnet(icerik);

    connect(YilBilgisiKutusu, &QComboBox::currentIndexChanged, this, [this] { yilDegisti(); });
    connect(KarsilastirmaKutusu, &QCheckBox::toggled, this, [this] { yilDegisti(); });
}

QWidget* AylikOzetFormu::icerigiKur()
{
    auto* icerik = new QWidget(this);
    icerik->resize(Bicim::twip(10965), Bicim::twip(7275));
    QLabel* yilEtiketi =
        Denetim::etiket(icerik, QStringLiteral("Yıl:"), Denetim::twipAlani(270, 120, 450, 255));
    YilBilgisiKutusu =
        Denetim::yerlestir(new QComboBox(icerik), QStringLiteral("YılBilgisiKutusu"),
                           Denetim::twipAlani(720, 90, 1500, 315), QStringLiteral("Yıl:"));
    yilEtiketi->setBuddy(YilBilgisiKutusu);
    KarsilastirmaKutusu = Denetim::yerlestir(
        new QCheckBox(QStringLiteral("Önceki yılla karşılaştır"), icerik),
        QStringLiteral("KarşılaştırmaKutusu"), Denetim::twipAlani(2520, 90, 3600, 315));
    KarsilastirmaKutusu->resize(
        Denetim::gerekenGenislik(KarsilastirmaKutusu, KarsilastirmaKutusu->text()),
        KarsilastirmaKutusu->height());

    liste = Denetim::yerlestir(new QTreeView(icerik), defter.adiyla("%1lerListesi"),
                               Denetim::twipAlani(270, 510, 10425, 3090), defter.ozetBasligi);
    liste->setModel(model);
    liste->header()->setSectionsMovable(false);
    Denetim::adSutunlariEsner(liste, {0});
    liste->setRootIsDecorated(false);
    liste->setUniformRowHeights(true);
    liste->setAllColumnsShowFocus(true);
    // A display only: nothing to pick, and no focus that would mark January as chosen.
    liste->setSelectionMode(QAbstractItemView::NoSelection);
    liste->setFocusPolicy(Qt::NoFocus);

    grafik = new OzetGrafigi(*model);
    GrafikNesnesi =
        Denetim::yerlestir(new QChartView(grafik, icerik), QStringLiteral("GrafikNesnesi"),
                           Denetim::twipAlani(270, 3660, 10425, 3540));
    GrafikNesnesi->setRenderHint(QPainter::Antialiasing);
    return icerik;
}

AylikOzetFormu::Belge AylikOzetFormu::belge() const
{
    return {{QStringLiteral("Tüm ") + defter.ad + QStringLiteral("ler"), model->yilAdi()},
            defter.ad + QStringLiteral(" özeti"),
            {windowTitle(), donemAciklamasi(*model), QPageLayout::Landscape,
             model->karsilastirmali() ? 0.16 : 0.22}};
}

void AylikOzetFormu::tabloyaYaz(TabloYazici& tablo) const
{
    model->tabloyaYaz(tablo, defter.ad + QStringLiteral(" Özeti"));
}

// The list shows its thirteen rows without scrolling, however tall the font makes them: it grows
// downwards, and the chart and the window with it.
void AylikOzetFormu::satirlaraYerAc(QWidget* icerik)
{
    const int gereken = 2 * liste->frameWidth() + liste->header()->sizeHint().height() +
                        model->rowCount() * liste->sizeHintForRow(0);
    const int fazla = gereken - liste->height();
    if (fazla <= 0)
        return;
    liste->resize(liste->width(), gereken);
    GrafikNesnesi->move(GrafikNesnesi->x(), GrafikNesnesi->y() + fazla);
    icerik->resize(icerik->width(), icerik->height() + fazla);
}

// As drawn at the smallest; larger, the list widens and the chart takes the rest.
void AylikOzetFormu::esnet(QWidget* icerik)
{
    auto* esneklik = new Esneklik(icerik, icerik->size());
    esneklik->ekle(liste, {Esneklik::Yok, Esneklik::Yok, Esneklik::Tam, Esneklik::Yok});
    esneklik->ekle(GrafikNesnesi, {Esneklik::Yok, Esneklik::Yok, Esneklik::Tam, Esneklik::Tam});
    layout()->activate();
    resize(minimumSize());
    new PencereDuzeni(this);
}

void AylikOzetFormu::yilDegisti()
{
    const QVariant secilen = YilBilgisiKutusu->currentData();
    const std::optional<int> yil =
        secilen.isValid() ? std::optional<int>(secilen.toInt()) : std::nullopt;
    const bool karsilastir = yil && KarsilastirmaKutusu->isChecked();
    Aylar yilinkiler{};
    std::optional<Aylar> onceki;
    MesajKutusu::hatalariGostererek(this, [&] {
        yilinkiler = toplamlar(yil);
        if (karsilastir)
            onceki = toplamlar(*yil - 1);
    });
    goster(yil, yilinkiler, onceki);
}

// Going back to a year read before costs no statement: on a server that is a round trip and a
// scan of the year's sums each time.
const Aylar& AylikOzetFormu::toplamlar(std::optional<int> yil)
{
    if (const qint64 surum = ButceVerisi::veriSurumu(); surum != okunanSurum) {
        okunanlar.clear();
        okunanSurum = surum;
    }
    const auto bulunan = okunanlar.find(yil);
    if (bulunan != okunanlar.end())
        return bulunan->second;
    return okunanlar[yil] = ButceVerisi::aylikToplamlar(defter, yil);
}

void AylikOzetFormu::goster(std::optional<int> yil, const Aylar& toplamlar,
                            const std::optional<Aylar>& onceki)
{
    model->goster(yil, toplamlar, onceki);
    setWindowTitle(model->baslik());
    {
        // Every year at once has no previous year to stand beside.
        const QSignalBlocker sessiz(KarsilastirmaKutusu);
        KarsilastirmaKutusu->setEnabled(yil.has_value());
        if (!yil)
            KarsilastirmaKutusu->setChecked(false);
    }
    Denetim::sutunlar(liste, sutunGenislikleri(model->karsilastirmali()));
    grafik->goster(*model);
}

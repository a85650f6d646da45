#pragma once

#include "BelgePenceresi.h"
#include "DefterTanimi.h"
#include "Donem.h"
#include "OzetTablosu.h"

class OzetGrafigi;
class QChartView;
class QCheckBox;
class QComboBox;
class QTreeView;

// The twelve-month overview of one ledger, TümGelirlerFormu or TümGiderlerFormu: for each month
// and in total, the sums of the estimates and of the realised amounts over all groups, and their
// ratio, once as a list and once as a chart; over every year or for one, beside the previous
// year's realised sums if asked. Read afresh at every opening and every change; it changes
// nothing. Taken out of the program as its frame (BelgePenceresi) does.
class AylikOzetFormu : public BelgePenceresi
{
    Q_OBJECT
public:
    // Opens on the year of the main window's period, offered even when it has no entries yet; on
    // every year when the period has none.
    AylikOzetFormu(const DefterTanimi& defterTanimi, const Donem& anaFormunDonemi, QWidget* sahibi);

    // What the window shows now.
    const OzetTablosu& tablo() const { return *model; }

private:
    Belge belge() const override;
    void tabloyaYaz(TabloYazici& tablo) const override;
    QWidget* icerigiKur();
    void yilDegisti();
    void goster(std::optional<int> yil, const OzetTablosu::Aylar& toplamlar,
                const std::optional<OzetTablosu::Aylar>& onceki = std::nullopt);
    void satirlaraYerAc(QWidget* icerik);
    // Resizable, and opened as the user left it.
    void esnet(QWidget* icerik);

    const DefterTanimi& defter;
    OzetTablosu* model = nullptr;
    QComboBox* YilBilgisiKutusu = nullptr;
    QCheckBox* KarsilastirmaKutusu = nullptr;
    QTreeView* liste = nullptr;
    QChartView* GrafikNesnesi = nullptr;
    OzetGrafigi* grafik = nullptr; // owned by GrafikNesnesi
};

#pragma once

#include "BelgePenceresi.h"
#include "DefterTanimi.h"
#include "Donem.h"

class QCheckBox;
class QChartView;
class QComboBox;
class QLabel;
class QModelIndex;
class QTreeView;
class RaporGrafigi;
class RaporModeli;

// "Dönem Raporu": a period's estimate, realised amount, difference and ratio for every group of
// both ledgers at once, with subtotals and the balance, and a chart of the largest expenses. Read
// afresh at every opening and every change of period; it changes nothing. Double-click or Enter on
// a sub-group closes it and asks for that group and period to be shown. Taken out of the program
// as its frame (BelgePenceresi) does.
class DonemRaporuFormu : public BelgePenceresi
{
    Q_OBJECT
public:
    // The sub-group and the period to show in the main window.
    struct Hedef {
        const DefterTanimi* defter = nullptr;
        QString anaGrup;
        QString altGrup;
        Donem donem;
    };

    // Opens on the main window's period.
    DonemRaporuFormu(const Donem& donem, QWidget* sahibi);

    const RaporModeli& model() const { return *rapor; }
    Donem donem() const;

signals:
    void grupGosterilsin(const DonemRaporuFormu::Hedef& hedef);

private:
    Belge belge() const override;
    void tabloyaYaz(TabloYazici& tablo) const override;
    QWidget* denetimleriKur(const Donem& donem);
    void donemDegisti();
    void satirAcildi(const QModelIndex& yer);

    RaporModeli* rapor = nullptr;
    QComboBox* YilBilgisiKutusu = nullptr;
    QComboBox* AyBilgisiKutusu = nullptr;
    QCheckBox* BosGruplarKutusu = nullptr;
    QLabel* donemEtiketi = nullptr;
    QTreeView* agac = nullptr;
    QChartView* GrafikNesnesi = nullptr;
    RaporGrafigi* grafik = nullptr; // owned by GrafikNesnesi
};

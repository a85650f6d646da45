#pragma once

#include "DefterTanimi.h"
#include "GrupToplamlari.h"

#include <QDialog>

#include <optional>

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
// a sub-group closes it and asks for that group and period to be shown.
class DonemRaporuFormu : public QDialog
{
    Q_OBJECT
public:
    // The sub-group and period to show in the main window; no year when the report covered every
    // year, month 0 for "Tüm Aylar".
    struct Hedef {
        const DefterTanimi* defter = nullptr;
        QString anaGrup;
        QString altGrup;
        std::optional<int> yil;
        int ay = 0;
    };

    // Opens on the main window's period: `ay` 1 … 12, or 0 for "Tüm Aylar".
    DonemRaporuFormu(int yil, int ay, QWidget* sahibi);
    ~DonemRaporuFormu() override;

    const RaporModeli& model() const { return *rapor; }
    // The period as the caption names it: "Aralık 2026", "2026, Tüm Aylar", …
    QString donemAdi() const;

    // Taking the report out: buttons, the tree's context menu, Ctrl+S and Ctrl+P.
    void Kaydet_Click();
    void Yazdir_Click();
    void PdfOlarakKaydet_Click();

signals:
    void grupGosterilsin(const DonemRaporuFormu::Hedef& hedef);
    // A file written or a page sent to the printer, said in a sentence for the status bar.
    void bildirim(const QString& metin);

private:
    void denetimleriKur(int yil, int ay);
    void eylemleriKur();
    GrupToplamlari::Donem donem() const;
    void donemDegisti();
    void satirAcildi(const QModelIndex& yer);
    // Asks where to save, proposing a name for the period shown ("Morvane-Donem-Raporu-2024-
    // Mart.xlsx"); none when cancelled.
    std::optional<QString> yolSor(const QString& baslik, const QStringList& turler,
                                  const QString& uzanti);

    RaporModeli* rapor = nullptr;
    QComboBox* YilBilgisiKutusu = nullptr;
    QComboBox* AyBilgisiKutusu = nullptr;
    QCheckBox* BosGruplarKutusu = nullptr;
    QLabel* donemEtiketi = nullptr;
    QTreeView* agac = nullptr;
    QChartView* GrafikNesnesi = nullptr;
    RaporGrafigi* grafik = nullptr; // owned by GrafikNesnesi
};

#pragma once

#include "TabloYazici.h"

#include <array>
#include <memory>
#include <vector>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

// Writes tables into an Excel workbook (.xlsx), one sheet each, for any spreadsheet to open by
// double-click: texts as strings (never evaluated, so no guard is needed), integers, amounts as
// numbers in lira with two decimals and the thousands separator (#,##0.00 "TL", which a
// spreadsheet shows in the reader's own format: 12.500,00 TL in Turkish), ratios as numbers shown
// as percentages,
// missing values as empty cells. Each sheet's header row is bold, frozen and carries an autofilter
// over the rows above the totals; total lines are bold; every column is as wide as its longest
// text. Rows go to the file as they are written (libxlsxwriter's constant-memory mode), so a
// sheet's size costs no memory.
class CalismaKitabiYazici : public TabloYazici
{
public:
    // The document's title and subject, as a spreadsheet shows them among its properties.
    struct Belge {
        QString baslik;
        QString konu;
    };
    // A failure of the library, in its own words; the export names the file that failed.
    struct Hata {
        QString neden;
    };

    // Writes to `yol` only in bitir(); without it, what the library left at `yol` is unfinished.
    CalismaKitabiYazici(const QString& yol, const Belge& belge);
    ~CalismaKitabiYazici() override;
    CalismaKitabiYazici(const CalismaKitabiYazici&) = delete;
    CalismaKitabiYazici& operator=(const CalismaKitabiYazici&) = delete;

    bool sayfaliMi() const override { return true; }
    void tabloAc(const QString& ad, const QList<Sutun>& sutunlar) override;
    CalismaKitabiYazici& metin(const QString& deger) override;
    CalismaKitabiYazici& tamsayi(qint64 deger) override;
    CalismaKitabiYazici& tutar(std::optional<qint64> kurus) override;
    CalismaKitabiYazici& oran(std::optional<double> yuzde) override;
    CalismaKitabiYazici& toplam() override;
    void satirSonu() override;
    void bitir() override;

private:
    // One format per column kind, plain and bold, and the header's.
    using Bicimler = std::array<lxw_format*, 4>;

    void sayfayiKapat();
    void sayiYaz(Tur tur, std::optional<double> deger, int genislik);
    lxw_format* bicim(Tur tur) const;
    void genislikSay(int genislik);
    void filtreKur();

    struct KitapSilici {
        void operator()(lxw_workbook* kitap) const;
    };
    QString dosya;
    std::unique_ptr<lxw_workbook, KitapSilici> kitap;
    Bicimler duz{};
    Bicimler kalin{};
    lxw_format* baslikBicimi = nullptr;

    lxw_worksheet* sayfa = nullptr;
    QList<Sutun> sutunlar;
    std::vector<int> genislikler; // the longest cell of each column, in characters
    quint32 satir = 0;
    quint16 sutun = 0;
    bool toplamSatiri = false;
    bool filtreli = false; // the autofilter ends above the first total line
};

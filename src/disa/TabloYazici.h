#pragma once

#include <QList>
#include <QString>

#include <optional>

// A table written row by row for a spreadsheet: the CSV file and the workbook both take it, so
// that every export writes its rows once, whatever the file's format. A table opens with its
// sheet's name and columns; then each row gives its cells left to right, one call per column of
// the column's kind, and ends. A writer reports every failure by throwing a VeriHatasi.
class TabloYazici
{
public:
    enum class Tur { Metin, Tamsayi, Tutar, Oran };
    struct Sutun {
        QString baslik;
        Tur tur;
    };

    virtual ~TabloYazici() = default;

    // Whether the file keeps several tables, each on its own sheet; a CSV file holds one.
    virtual bool sayfaliMi() const = 0;
    // Starts a table (a sheet named `ad` where the file has sheets) with its header row.
    virtual void tabloAc(const QString& ad, const QList<Sutun>& sutunlar) = 0;

    virtual TabloYazici& metin(const QString& deger) = 0;
    virtual TabloYazici& tamsayi(qint64 deger) = 0;
    // Amounts in kuruş and ratios in percent; an empty cell when missing.
    virtual TabloYazici& tutar(std::optional<qint64> kurus) = 0;
    virtual TabloYazici& oran(std::optional<double> yuzde) = 0;
    // Makes the row about to be written a total line, bold where the file can show it; called
    // before the row's first cell.
    virtual TabloYazici& toplam() = 0;
    virtual void satirSonu() = 0;

    // Hands everything written to the file.
    virtual void bitir() = 0;
};

#pragma once

#include "ButceVerisi.h"
#include "DefterTanimi.h"

#include <QAbstractTableModel>
#include <QSet>

#include <optional>
#include <vector>

// The rows of an entry list: one ledger's entries kept in entry order, shown through an order of
// rows that the sort rearranges. A cell is formatted when the view asks for it, so listing costs
// what is painted, not what is listed. Sorted by any column: numbers as numbers (a missing one
// first), months in calendar order, names in Turkish alphabetical order; rows equal in the sorted
// column stand in Kimlik order.
class KayitModeli : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Sutun {
        KimlikSutunu,
        AnaGrupSutunu,
        AltGrupSutunu,
        AySutunu,
        TahminSutunu,
        GerceklesenSutunu,
        OranSutunu,
        SutunSayisi
    };

    KayitModeli(const DefterTanimi& defterTanimi, QObject* ust);

    // Replaces the entries; they stand sorted as the rows were.
    void kayitlariKoy(std::vector<ButceVerisi::Kayit> yeniKayitlar);
    // The listed entry with the same Kimlik becomes `kayit`, its row sorted again; the entry as it
    // was listed, or none when it is not listed.
    std::optional<ButceVerisi::Kayit> kayitYenile(const ButceVerisi::Kayit& kayit);

    // The entries whose realised amount bank movements fed: their realised amount shows it (a
    // statement sign and a tooltip).
    void hareketlileriBildir(QSet<qint64> kimlikler) { hareketliler = std::move(kimlikler); }
    bool hareketli(qint64 kimlik) const { return hareketliler.contains(kimlik); }

    const std::vector<ButceVerisi::Kayit>& kayitlar() const { return kayitlar_; }
    const ButceVerisi::Kayit& satirdaki(int satir) const { return kayitlar_.at(sira.at(satir)); }
    // The row of the entry, or -1 when it is not listed.
    int satiri(qint64 kimlik) const;

    int rowCount(const QModelIndex& ust = {}) const override;
    int columnCount(const QModelIndex& ust = {}) const override;
    QVariant data(const QModelIndex& yer, int rol) const override;
    QVariant headerData(int bolum, Qt::Orientation yon, int rol) const override;
    void sort(int sutun, Qt::SortOrder yon) override;

private:
    QString metin(const ButceVerisi::Kayit& kayit, int sutun) const;
    // Whether entry `a` stands before entry `b` in the sorted column, ascending.
    bool once(size_t a, size_t b) const;
    void sirala();

    const DefterTanimi& defter;
    std::vector<ButceVerisi::Kayit> kayitlar_;
    std::vector<int> aylar;   // each entry's month number; 0 when its text names no month
    std::vector<size_t> sira; // row → entry
    QSet<qint64> hareketliler;
    int siraliSutun = AySutunu;
    Qt::SortOrder siraYonu = Qt::AscendingOrder;
};

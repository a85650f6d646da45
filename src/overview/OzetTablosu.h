#pragma once

#include "ButceVerisi.h"
#include "DefterTanimi.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

#include <array>
#include <optional>

class TabloYazici;

// What the overview shows for one choice of year, as values and as the cells of its list: the
// twelve months, then the totals row, each with its sums and ratio, and, when compared, the
// previous year's realised sum and the change from it. The window's list shows this model, its
// chart and its pages are drawn from the same rows. A ratio the ledger warns of is dark red and
// bold, the totals row bold, and its ratio's tooltip says what the ratio leaves out.
class OzetTablosu : public QAbstractTableModel
{
    Q_OBJECT
public:
    using Aylar = std::array<ButceVerisi::AylikToplam, 12>;

    struct Satir {
        QString ad;            // "OCAK" … "ARALIK", or "TOPLAM"
        bool kayitVar = false; // a month without entries shows its name alone
        qint64 tahminKurus = 0;
        qint64 gerceklesenKurus = 0;
        qint64 okunamayan = 0;             // amounts left out of the sums as unreadable
        qint64 planlananKurus = 0;         // estimates of the entries not realised yet
        std::optional<double> oran;        // none while nothing is realised, or on a zero estimate
        std::optional<qint64> oncekiKurus; // none when not compared or the month had no entries
        std::optional<double> degisim;     // change from the previous year, in percent
    };

    static constexpr int toplamSatiri = 12;
    static constexpr int oranSutunu = 3;

    // Every year's months, all empty, until goster().
    explicit OzetTablosu(const DefterTanimi& defter, QObject* ust = nullptr);

    // `yil` none: every year. `onceki`: the previous year's sums, when compared.
    void goster(std::optional<int> yil, const Aylar& toplamlar,
                const std::optional<Aylar>& onceki = std::nullopt);

    std::optional<int> yil() const { return secilenYil; }
    bool karsilastirmali() const { return karsilastirma; }
    // "Tüm Yıllar" or the year, as the window's caption and year box name it.
    QString yilAdi() const;
    // The caption: "Tüm Gelirler Listesi — 2024", and how many amounts were left out, if any.
    QString baslik() const;
    // The previous year's column and bar set: "2025 Gerçekleşen".
    QString oncekiAdi() const;

    // Thirteen rows: the months in calendar order, then the totals row.
    const QList<Satir>& satirlar() const { return satirListesi; }

    // The header and the thirteen rows on the sheet `sayfaAdi`, the totals a total line; the
    // previous year's columns when compared.
    void tabloyaYaz(TabloYazici& yazici, const QString& sayfaAdi) const;

    int rowCount(const QModelIndex& ust = {}) const override;
    int columnCount(const QModelIndex& ust = {}) const override;
    QVariant data(const QModelIndex& yer, int rol = Qt::DisplayRole) const override;
    QVariant headerData(int bolum, Qt::Orientation yon, int rol = Qt::DisplayRole) const override;

private:
    // A row's cells as the list shows them; a month without entries has its name alone.
    QStringList hucreler(const Satir& satir) const;

    const DefterTanimi& defter;
    QStringList sutunlar;
    std::optional<int> secilenYil;
    bool karsilastirma = false;
    QList<Satir> satirListesi;
};

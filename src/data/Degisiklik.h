#pragma once

#include "Sema.h"

#include <QVariantList>

#include <functional>
#include <map>
#include <optional>
#include <vector>

// What one writing command changed in the budget: each row it added, changed or deleted, as it was
// before and as the command left it, by table and rowid (an entry's rowid is its Kimlik). Taking
// the command back writes every row as it was, doing it again as the command left it, each in one
// transaction of its own; either is refused, writing nothing, when a row is no longer as expected,
// so that nothing another program changed meanwhile is overwritten. Every row is written by a
// statement that itself requires the row to be as expected, so no other connection can change it
// between a check and the write, on the file or on a server.
class Degisiklik
{
public:
    // Writing inside the caller's transaction, each row remembered; values in the order of the
    // table's fields. Failures are thrown as VeriHatasi.
    qint64 satirEkle(const Sema::Tablo& tablo, const QVariantList& degerler);
    // False, with nothing written or remembered, when there is no such row, or when the caller
    // said what it read there (`okunan`) and the row no longer holds it: the check taking back
    // makes, so that a window listed earlier never changes what another program wrote since.
    bool satirSil(const Sema::Tablo& tablo, qint64 satir,
                  const std::optional<QVariantList>& okunan = std::nullopt);
    // The row's values as stored are handed to `degistir`, which changes the ones to be written.
    bool satirGuncelle(const Sema::Tablo& tablo, qint64 satir,
                       const std::optional<QVariantList>& okunan,
                       const std::function<void(QVariantList&)>& degistir);
    // Every row that `kosul` (an SQL condition with its values bound) selects, its fields set to
    // `yeni` (by their place among the table's fields) or deleted, by one statement; how many.
    qsizetype satirlariGuncelle(const Sema::Tablo& tablo, const QString& kosul,
                                const QVariantList& degerler, const std::map<int, QVariant>& yeni);
    qsizetype satirlariSil(const Sema::Tablo& tablo, const QString& kosul,
                           const QVariantList& degerler);
    // A row the caller appended itself, with exactly these values.
    void eklendi(const Sema::Tablo& tablo, qint64 satir, const QVariantList& degerler);

    // False, with nothing written, when a row is no longer as expected. Failures are thrown as
    // VeriHatasi; nothing is written then either.
    bool geriAl() const { return uygula(true); }
    bool yinele() const { return uygula(false); }

    bool bos() const { return satirlar.empty(); }
    // Whether a row was left alone because it no longer held what the caller had read.
    bool baskasiDegistirmis() const { return degismisBulundu; }
    qsizetype satirSayisi() const { return qsizetype(satirlar.size()); }
    // The rowid of the first row the command wrote: a new entry's Kimlik.
    qint64 ilkSatir() const { return satirlar.empty() ? 0 : satirlar.front().satir; }

    // One row written, as it was and as the command left it, its values in the order of the
    // table's fields.
    struct Satir {
        Sema::Tablo tablo;
        qint64 satir = 0;
        std::optional<QVariantList> once; // none: the row did not exist
        std::optional<QVariantList> sonra;
    };
    const std::vector<Satir>& yazilanlar() const { return satirlar; }

private:

    bool uygula(bool geriye) const;
    // The row from what the caller read (or, without it, from what it holds) to what `degistir`
    // makes of that (none: deleted), in one statement that finds it so.
    bool satiriYaz(const Sema::Tablo& tablo, qint64 satir,
                   const std::optional<QVariantList>& okunan,
                   const std::function<std::optional<QVariantList>(QVariantList)>& degistir);
    qsizetype topluYaz(const Sema::Tablo& tablo, const QString& kosul, const QVariantList& degerler,
                       const std::map<int, QVariant>* yeni);

    std::vector<Satir> satirlar;
    bool degismisBulundu = false;
};

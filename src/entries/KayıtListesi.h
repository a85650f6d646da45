#pragma once

#include "BütçeVerisi.h"
#include "DefterTanımı.h"

#include <QTreeWidget>

#include <optional>
#include <vector>

// The main window's list of one ledger's entries: a hidden key column with the entry's Kimlik,
// the groups, the amounts and the realisation ratio. Sortable by any column, as numbers where
// the column holds numbers.
class KayıtListesi : public QTreeWidget
{
public:
    KayıtListesi(const DefterTanımı& defter, QWidget* üst);

    // Replaces the rows; the result is the sum of the listed realised amounts as displayed.
    qint64 doldur(const std::vector<BütçeVerisi::Kayıt>& kayıtlar);
    void boşalt() { clear(); }

    // The Kimlik the selected row carries, whatever the sort.
    std::optional<qint64> seçiliKimlik() const;

private:
    const DefterTanımı& defter;
};

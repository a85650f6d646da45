#pragma once

#include "ButceVerisi.h"
#include "DefterTanimi.h"

#include <QTreeWidget>

#include <optional>
#include <vector>

// The main window's list of one ledger's entries: a hidden key column with the entry's Kimlik,
// the groups, the amounts and the realisation ratio. Sortable by any column, as numbers where
// the column holds numbers.
class KayitListesi : public QTreeWidget
{
    Q_OBJECT
public:
    KayitListesi(const DefterTanimi& defter, QWidget* ust);

    // Replaces the rows; the result is the sum of the listed realised amounts as displayed.
    qint64 doldur(const std::vector<ButceVerisi::Kayit>& kayitlar);
    void bosalt() { clear(); }

    // The Kimlik the selected row carries, whatever the sort.
    std::optional<qint64> seciliKimlik() const;

private:
    const DefterTanimi& defter;
};

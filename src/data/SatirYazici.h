#pragma once

#include "Sema.h"

#include <QSqlQuery>
#include <QVariantList>

// Appends rows to one table of the open file through one prepared statement, for writing many
// rows at once; the caller holds the transaction. Every failure is thrown as a VeriHatasi; a table
// whose Kimlik counter is at its end is told as such, not as a full disk.
class SatirYazici
{
public:
    explicit SatirYazici(const Sema::Tablo& tablo);
    SatirYazici(const SatirYazici&) = delete;
    SatirYazici& operator=(const SatirYazici&) = delete;

    // The values in the order of the table's fields; the result is the new row's rowid.
    qint64 yaz(const QVariantList& degerler);

private:
    const QString tabloAdi;
    QSqlQuery sorgu;
};

#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <optional>

// The six tables of the budget file, their fields and indexes.
namespace Sema
{

struct Tablo {
    QString ad;
    QStringList alanlar;
};

// The six tables with every field the program uses, income ledger first.
QList<Tablo> tablolar();

// Creates the six empty tables on an open, empty database.
void olustur(QSqlDatabase db);

// Creates a new budget file with the empty tables, readable and writable by its owner only.
// Refuses an existing file. The result is the text to show on failure.
std::optional<QString> dosyaOlustur(const QString& yol);

// Names every table or field the program uses that the database lacks, with the engine's error.
std::optional<QString> eksikler(QSqlDatabase db);
} // namespace Sema

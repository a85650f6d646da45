#pragma once

#include <QSqlDatabase>
#include <QString>

#include <optional>

// The six tables of the budget file, their fields and indexes.
struct Sema {

    // Creates the six empty tables on an open, empty database.
    static void olustur(QSqlDatabase db);

    // Creates a new budget file with the empty tables, readable and writable by its owner only.
    // Refuses an existing file. The result is the text to show on failure.
    static std::optional<QString> dosyaOlustur(const QString& yol);

    // Names every table or field the program uses that the database lacks, with the engine's error.
    static std::optional<QString> eksikler(QSqlDatabase db);
};

#pragma once

#include <QByteArray>
#include <QStringList>

inline const QByteArray csvBom = QByteArrayLiteral("\xEF\xBB\xBF");

// A workbook as openpyxl reads it, one line each (tests/destek/xlsx_dokumu.py): the document's
// title, subject and author; per sheet its name, frozen cell and filter range, then its rows.
QStringList xlsxOku(const QString& yol);

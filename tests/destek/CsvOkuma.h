#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QStringView>

inline const QByteArray csvBom = QByteArrayLiteral("\xEF\xBB\xBF");

// A strict reader of the program's CSV files (RFC 4180 with ";" between fields, or any of
// `ayiricilar`, as a spreadsheet's import may be set): a byte-order mark first, every record
// ending in CRLF, a quoted field holding anything with its quotes doubled. Anything else gives one
// record saying why, which no expected table holds.
QList<QStringList> csvOku(const QByteArray& veri, QStringView ayiricilar = u";");

// A workbook as openpyxl reads it, one line each (tests/destek/xlsx_dokumu.py): the document's
// title, subject and author; per sheet its name, frozen cell and filter range, then its rows.
QStringList xlsxOku(const QString& yol);

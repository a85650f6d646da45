#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

inline const QByteArray csvBom = QByteArrayLiteral("\xEF\xBB\xBF");

// A strict reader of the program's CSV files (RFC 4180 with ";" between fields): a byte-order
// mark first, every record ending in CRLF, a quoted field holding anything with its quotes
// doubled. Anything else gives one record saying why, which no expected table holds.
QList<QStringList> csvOku(const QByteArray& veri);

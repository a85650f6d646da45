#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// What differs between the two engines a budget can live on: the SQLite file (the default) and a
// PostgreSQL server shared by a household. The program's statements are written for SQLite; on a
// server they go through uyarla() first, so every other place stays the same for both.
namespace Lehce
{

// Whether the program's connection is to a PostgreSQL server.
bool sunucuda();
bool sunucuda(const QSqlDatabase& db);

// The statement as the connection's engine takes it: unchanged on SQLite. On the server, rowid is
// the Kimlik column every table has there, "x IS ?" compares NULL with NULL, the Turkish collation
// is the server's own (of the same name) and TUTAR_TOPLAMI gives its sums as text.
QString uyarla(const QString& sql);
QString uyarla(const QSqlDatabase& db, const QString& sql);

// What follows an INSERT so that the new row's Kimlik can be read back as the first column of a
// result (nothing on SQLite, where the driver hands it over).
QString eklemeSonu(const QSqlDatabase& db);

// The statements creating the budget's tables, indexes, collation and version table on an empty
// server database.
QStringList sunucuSemasi();
// The tables the server database of a budget holds, in lower case as the server names them.
QStringList sunucuTablolari();
// The notification every change of the shared budget sends when it is committed.
inline const QString degisiklikBildirimi = QStringLiteral("morvane_degisti");
// The version of the server's schema that this program writes.
inline constexpr int semaSurumu = 1;

// The last Kimlik the table's counter gave out, bound to the table's name; 0 before the first.
QString kimlikSayaciSorgusu();

} // namespace Lehce

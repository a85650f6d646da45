#pragma once

#include <QSqlDatabase>
#include <QString>

struct sqlite3;

// A budget file other than the open one (a backup, a file a budget moves from or to) on a
// connection of its own, removed when the scope ends.
class DosyaBaglantisi
{
public:
    enum class Kip { SaltOkunur, Yazilabilir };

    DosyaBaglantisi(const QString& yol, Kip kip);
    ~DosyaBaglantisi();
    DosyaBaglantisi(const DosyaBaglantisi&) = delete;
    DosyaBaglantisi& operator=(const DosyaBaglantisi&) = delete;

    QSqlDatabase db() const { return QSqlDatabase::database(ad, false); }
    sqlite3* tutamac() const;

private:
    const QString ad;
};

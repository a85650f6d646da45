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
    sqlite3* tutamac() const { return tutamac(db()); }

    // The engine's own handle of an SQLite connection, for what Qt does not offer (the online
    // backup); none for another driver.
    static sqlite3* tutamac(const QSqlDatabase& db);
    // Every page of the source into the target in one step, in one transaction of the target,
    // through the engine's online backup: never a copy of the bytes of a file that may be half-way
    // through a write. Throws a VeriHatasi.
    static void sayfalariKopyala(sqlite3* hedef, sqlite3* kaynak);
    // The same into an empty file that is already there and gets its name only once whole (a
    // backup being taken): it needs no journal, and one flush to disk at the end instead of one
    // per step, which is the caller's.
    static void bosDosyayaKopyala(const QString& bosDosya, sqlite3* kaynak);

private:
    const QString ad;
};

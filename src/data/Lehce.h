#pragma once

#include <QSqlDatabase>
#include <QString>

class QSqlError;
class VeriHatasi;

// What the statements of an engine look like: the SQLite file's (the default) or the PostgreSQL
// server's of a shared budget. The program's statements are written for SQLite; each engine owns
// its dialect (Motor::lehce), and the statements go through uyarla() before they are prepared, so
// every other place stays the same for both.
class Lehce
{
public:
    virtual ~Lehce() = default;

    // The dialects of the two engines.
    static const Lehce& dosya();
    static const Lehce& sunucu();

    // The statement as the engine takes it. On the server rowid is the Kimlik column every table
    // has there, "x IS ?" compares NULL with NULL, the Turkish collation is the server's own (of
    // the same name) and TUTAR_TOPLAMI gives its sums as text.
    virtual QString uyarla(const QString& sql) const { return sql; }
    // What follows an INSERT so that the new row's Kimlik can be read back as the first column of
    // a result (nothing on SQLite, where the driver hands it over).
    virtual QString eklemeSonu() const { return {}; }
    // What follows a SELECT whose rows the transaction is about to write, so that no other
    // connection changes them in between: nothing on SQLite, where a transaction that writes
    // holds the whole file.
    virtual QString satirKilidi() const { return {}; }
    // What makes a transaction read one snapshot of the data, whatever others commit meanwhile:
    // nothing on SQLite, where a transaction's first read holds the file.
    virtual QString anlikOkumaKomutu() const { return {}; }
    // The last Kimlik the table's counter gave out, bound to the table's name; 0 before the first.
    virtual QString kimlikSayaciSorgusu() const;
    // A failure of a statement in this dialect, with its first sentence in Turkish.
    virtual VeriHatasi hata(const QSqlError& hata) const;
    // Puts the table's counter where the next Kimlik follows `deger`, on a connection of this
    // engine, inside the caller's transaction. Throws a VeriHatasi.
    virtual void sayaciKur(QSqlDatabase db, const QString& tablo, qint64 deger) const;
};

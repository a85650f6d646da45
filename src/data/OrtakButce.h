#pragma once

#include <QSqlError>
#include <QString>

#include <optional>

// Where a household's shared budget lives: a database on a PostgreSQL server. The password is
// never held here: libpq reads it from ~/.pgpass.
struct SunucuAdresi {
    QString sunucu;
    int port = 5432;
    QString veritabani;
    QString kullanici;
    QString servis; // a libpq service name (pg_service.conf), in place of the four above
    bool sifreliZorunlu = false; // otherwise encrypted when the server offers it
    int beklemeSaniyesi = 10;   // how long to wait for the server to answer

    // "ev-sunucusu/butce", or the service's name.
    QString ad() const;
};

namespace OrtakButce
{

// Opens the program's connection on the server's database: creates the budget's tables on an
// empty database and refuses one holding other tables, a server older than PostgreSQL 12, and a
// schema written by a newer Morvane. The result is the text to show on failure, in Turkish, with
// the server's own words; the connection is closed then. The connection's driver then sends
// QSqlDriver::notification (Lehce::degisiklikBildirimi) whenever a member's command is committed.
std::optional<QString> ac(const SunucuAdresi& adres);

// Keeps the password where libpq looks for it: the line of this server, port, database and user
// in ~/.pgpass (or $PGPASSFILE), replaced when there, the file readable by its owner only. The
// result is the text to show on failure.
std::optional<QString> sifreyiKaydet(const SunucuAdresi& adres, const QString& sifre);

// Whether a failure on the shared budget's connection means the connection is lost (the server
// stopped, the network went); the next command then connects again first.
bool baglantiKoptu(const QSqlError& hata);
// Connects again when the connection was lost; run before every command. Throws a VeriHatasi
// when the server is still unreachable.
void gerekirseYenidenBaglan();

// The open shared budget's name; empty while a file is open.
QString acikButce();

// Copies every row of the budget file into the open shared budget, which must hold no rows, in
// one transaction: each row keeps its Kimlik (or rowid) and each Kimlik counter its place, and
// the row counts and counters are compared before it is committed. Throws a VeriHatasi.
void dosyadanTasi(const QString& dosya);
// Writes the open shared budget into a new budget file, checked the same way; refuses an
// existing file. Throws a VeriHatasi.
void dosyayaKaydet(const QString& yeniDosya);
// Replaces every row of the open shared budget with a budget file's (a backup), in one
// transaction; the Kimlik counters never go back. Throws a VeriHatasi.
void yedektenGeriYukle(const QString& yedek);
// The same into an empty file that is already there (a backup's temporary file).
void dosyayaYaz(const QString& bosDosya);
// Where a shared budget's backups are taken: Yedekleme::klasor() of this path is the folder
// "Yedekler" in the program's settings folder, which is made when missing.
QString yedekYeri();

} // namespace OrtakButce

#pragma once

#include <QSqlDatabase>
#include <QString>

#include <optional>

struct sqlite3;

// Keeps the program's one database connection.
namespace DegiskenModulu
{

inline const QString dosyaAdi = QStringLiteral("Varnel.mdb");
// The name of the program's connection, to a file or to a server (OrtakButce).
inline const QString baglantiAdi = QStringLiteral("VeriTabanı");

// The open connection; statements run through SorguSonucu on it.
QSqlDatabase VeriTabani();

// The file's path in a folder: a separator ("\" or "/") is added unless the folder ends in one.
QString veriTabaniYolu(const QString& klasor);

// Opens an existing file read-write and checks that it is a database with every table and
// field the program uses. Nothing on disk is created or changed when it fails; the result is
// then the text to show the user, naming the file and the engine's error number and text.
std::optional<QString> ac(const QString& yol);

// Why a file would not open, for start-up to choose what to offer: it is missing; the user may
// not read or write it (or it is no file); another program holds it locked; it is an old Access
// file; its contents are damaged or no budget; something else (the engine ran out of memory).
struct Acilamama {
    enum class Neden { Yok, Erisilemez, Kilitli, EskiBicim, Bozuk, Baska };
    Neden neden = Neden::Bozuk;
    QString metin; // as ac() reports it
};
// The same as ac(), telling why on failure.
std::optional<Acilamama> acmayiDene(const QString& yol);

// Opens a connection on a file without checking its tables (for creating the schema).
std::optional<QString> semasizAc(const QString& yol);

// The engine's own handle of a connection, for what Qt does not offer (the online backup).
sqlite3* tutamac(const QSqlDatabase& db);

// On a shared budget whose connection was lost, connects again first (OrtakButce).
// Throws a VeriHatasi when the open file is no longer at its path: deleted, moved or replaced by
// another file since it was opened. Run before every command's statements, so that none goes on
// with the old file's rows, writes anywhere or copies the file.
void dosyayiDenetle();

// Whether another program wrote to the file since the last time this was asked (or since it was
// opened). Asked without waiting; false when the file is locked at the moment.
bool baskasiDegistirdi();

// The result code of the connection's last failed call, or 0.
int sonHataKodu();

// The open file's path, and the version of the SQLite library the program runs on.
QString dosyaYolu();
QString sqliteSurumu();

// Closes and removes the connection; no SorguSonucu may be alive.
void kapat();
} // namespace DegiskenModulu

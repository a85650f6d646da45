#pragma once

#include "SunucuAdresi.h"

#include <QDateTime>
#include <QString>

#include <optional>

// What is done with a shared budget besides opening it (Baglanti::sunucuyaBaglan): keeping its
// password where libpq looks for it, and taking it back into a budget file.
namespace OrtakButce
{

// Keeps the password where libpq looks for it: the line of this server, port, database and user
// in ~/.pgpass (or $PGPASSFILE), replaced when there, the file readable by its owner only. The
// result is the text to show on failure.
std::optional<QString> sifreyiKaydet(const SunucuAdresi& adres, const QString& sifre);

// Writes the open budget into a new budget file, whole or not at all; refuses an existing file.
// Throws a VeriHatasi.
void dosyayaKaydet(const QString& yeniDosya);

// Brings the open shared budget back into a budget file: a file that is missing is made as
// dosyayaKaydet makes it; one that is there is backed up first (named for `an`), then every row of
// it is replaced with the server's in one transaction, checked as the move checks (counts and
// Kimlik counters), the file's counters never going back. The server's budget stays as it is.
// Throws a VeriHatasi; the file is then as it was.
void dosyayaGeriTasi(const QString& dosya, const QDateTime& an);

} // namespace OrtakButce

#pragma once

#include <QString>

// Renaming files within one folder without ever writing over another file, and making a finished
// file last through a power cut.
namespace DosyaTasima
{

// Moves `kaynak` to `hedef`, refusing when `hedef` exists; the folder's new entries are flushed to
// disk. Throws a VeriHatasi with a Turkish reason.
void uzerineYazmadan(const QString& kaynak, const QString& hedef);

// Moves `kaynak` to `hedef`, replacing it in one step; the folder is flushed to disk. Throws a
// VeriHatasi with a Turkish reason.
void yerineKoy(const QString& kaynak, const QString& hedef);

// Flushes the file's contents to disk. Throws a VeriHatasi.
void diskeYaz(const QString& yol);

// Gives `hedef` the permissions of `kaynak`. Throws a VeriHatasi.
void izinleriAktar(const QString& kaynak, const QString& hedef);

} // namespace DosyaTasima

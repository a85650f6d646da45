#pragma once

#include "ButceVerisi.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class CsvYazici;
class QIODevice;

// Writing the budget out for other programs: the program's menus and varnel-disa-aktar share it.
namespace DisaAktarma
{

// Writes a file whole or not at all: under a temporary name beside it, renamed into place only
// when everything is written and flushed to disk. On any failure (no right to write, a full disk,
// an exception thrown by `yaz`) nothing new is left in the folder and a file already there keeps
// its content. Failures are thrown as VeriHatasi, with a Turkish reason naming the file.
void dosyayaYaz(const QString& yol, const std::function<void(QIODevice&)>& yaz);
void csvYaz(const QString& yol, const std::function<void(CsvYazici&)>& yaz);

// Every entry of both ledgers, income first, under the header
// "Defter;Kimlik;Ana Grup;Alt Grup;Yıl;Ay;Tahmin;Gerçekleşen;Oran". Returns how many. Each ledger's
// entries go by year, calendar month (the Turkish name in any letter case; texts that name no
// month after December), main group and sub-group in Turkish alphabetical order, then Kimlik.
qint64 tumKayitlariYaz(CsvYazici& csv);

// The entries of a list in the order given, then a line "TOPLAM" with the sums and their ratio.
void kayitListesiniYaz(CsvYazici& csv, const std::vector<ButceVerisi::Kayit>& kayitlar);

// A file name to propose: "Morvane", then the parts, joined by "-" and spelt in ASCII letters
// ("Morvane-Gelirler-2026-Aralik.csv").
QString dosyaAdi(const QStringList& parcalar, const QString& uzanti);

} // namespace DisaAktarma

#pragma once

#include "ButceVerisi.h"
#include "CalismaKitabiYazici.h"

#include <QFileDevice>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class QIODevice;
struct DefterTanimi;

// Writing the budget out for other programs: the program's menus and varnel-disa-aktar share it.
namespace DisaAktarma
{

// Writes a file whole or not at all: under a temporary name beside it, renamed into place only
// when everything is written and flushed to disk. On any failure (no right to write, a full disk,
// an exception thrown by `yaz`) nothing new is left in the folder and a file already there keeps
// its content. Failures are thrown as VeriHatasi, with a Turkish reason naming the file.
void dosyayaYaz(const QString& yol, const std::function<void(QIODevice&)>& yaz);
// The reason a file could not be written, one Turkish sentence for each kind of failure
// ("Dosya yazılamadı: klasör yok."), and the file's path on the line below. A file that would not
// open is told by its folder: missing, or not writable.
QString yazmaHatasi(const QString& yol, QFileDevice::FileError hata);

// The two files a table is saved as: a workbook, or CSV for other programs and scripts.
enum class Bicim { Xlsx, Csv };
// By the file's extension in any letter case, ".xlsx" or ".csv"; none for another.
std::optional<Bicim> bicimi(const QString& yol);
// The save dialog's file types, the workbook first.
QStringList tabloTurleri();

// The one place where a table's file format is chosen: writes the tables that `yaz` gives as a
// workbook (with the document's title and subject) when `yol` ends in ".xlsx", otherwise as CSV,
// or in the format `bicim` forces; whole or not at all as dosyayaYaz.
using Belge = CalismaKitabiYazici::Belge;
void tabloYaz(const QString& yol, const Belge& belge, const std::function<void(TabloYazici&)>& yaz,
              std::optional<Bicim> bicim = std::nullopt);

// Every entry of both ledgers, "Kimlik", "Ana Grup", "Alt Grup", "Yıl", "Ay", "Tahmin",
// "Gerçekleşen", "Oran": in a workbook on the sheets "Gelirler" and "Giderler", in one CSV table
// income first with a first column "Defter". Returns how many. Each ledger's entries go by year,
// calendar month (the Turkish name in any letter case; texts that name no month after December),
// main group and sub-group in Turkish alphabetical order, then Kimlik. With `hareketlerle`, a
// workbook gets the bank movements on a sheet "Hareketler", by date: "Tarih", "Açıklama", "Tutar"
// (money out negative), "Defter" ("Yok say" for those set aside), "Ana Grup", "Alt Grup", "Yıl",
// "Ay" (of their entry; empty when it was deleted), "Dosya", "Satır". A CSV file holds one table:
// the entries alone.
qint64 tumKayitlariYaz(TabloYazici& tablo, bool hareketlerle = false);
// The same into a file, as the menu and varnel-disa-aktar write it.
qint64 tumKayitlariKaydet(const QString& yol, std::optional<Bicim> bicim = std::nullopt,
                          bool hareketlerle = false);

// The entries of a list in the order given, then a total line "TOPLAM" with the sums and their
// ratio, on the ledger's sheet ("Gelirler").
void kayitListesiniYaz(TabloYazici& tablo, const DefterTanimi& defter,
                       const std::vector<ButceVerisi::Kayit>& kayitlar);

// A file name to propose: "Morvane", then the parts, joined by "-" and spelt in ASCII letters
// ("Morvane-Gelirler-2026-Aralik.xlsx").
QString dosyaAdi(const QStringList& parcalar, const QString& uzanti);

} // namespace DisaAktarma

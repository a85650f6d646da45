#pragma once

#include "EkstreTablosu.h"

#include <QList>
#include <QString>

#include <optional>

// How a statement's table is read: which row is its header, which column holds the date, the
// description (one or several, joined), the amount or a debit / credit pair, the balance; and
// whether spending is written positive, as card statements write it. Columns count from 0, rows
// are indexes into the table's rows; -1 is none.
struct EkstreDuzeni {
    int baslikSatiri = -1;
    int tarih = -1;
    QList<int> aciklama;
    int tutar = -1;
    int borc = -1;
    int alacak = -1;
    int bakiye = -1;
    bool harcamalarArti = false;

    bool okunur() const
    {
        return baslikSatiri >= 0 && tarih >= 0 && (tutar >= 0 || borc >= 0 || alacak >= 0);
    }
    bool operator==(const EkstreDuzeni&) const = default;

    // The layout the table's own words show: the header is the row among its first with the most
    // words of a header (Turkish or English: "Tarih", "İşlem Tarihi", "Açıklama", "Tutar", "Borç",
    // "Alacak", "Bakiye", "Date", "Amount", …) that names a date and an amount; spending is
    // positive when the title names a card or the table a "Taksit" column or "Dönem Borcu".
    static EkstreDuzeni bul(const EkstreTablosu& tablo);
    // The layout the words of the row show, taken as the header (columns it names none for are
    // -1), for a header the user chose.
    static EkstreDuzeni satirdan(const EkstreTablosu& tablo, int satir);

    // A row's words as a header, the key under which its layout is remembered.
    static QString imza(const EkstreTablosu& tablo, int satir);
    // A cell's text as header words are compared: trimmed, upper case by the Turkish rules,
    // without a closing ":" or a currency in brackets ("Tutar (TL)" is "TUTAR").
    static QString sade(const QString& metin);
};

// Layouts the user confirmed, kept in the settings under their header's words (group
// "BankaEkstreDuzenleri") and used again for a file whose header has the same words.
namespace DuzenHafizasi
{
void kaydet(const EkstreTablosu& tablo, const EkstreDuzeni& duzen);
// The layout remembered for a row of the table among its first, if any.
std::optional<EkstreDuzeni> bul(const EkstreTablosu& tablo);
} // namespace DuzenHafizasi

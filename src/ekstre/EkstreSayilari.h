#pragma once

#include <QChar>
#include <QDate>
#include <QStringView>

#include <optional>

// Amounts and dates of a statement, read exactly from their text: amounts in whole kuruş, never
// through a double, and nothing depends on the machine's locale.
namespace EkstreSayilari
{

// A number as a program stores it in a file: a sign, digits, one '.', an exponent
// ("-827.3200000000001", "30000", "1.5E-3"). In kuruş, rounded once, half away from zero; none
// for anything else or beyond ±999.999.999.999,99.
std::optional<qint64> sayiKurusu(QStringView yazi);

// An amount as people write it: "1.234,56", "-1.234,56", "1.234,56-", "(1.234,56)", "1,234.56",
// "1234.5", with or without "TL" / "₺" and spaces. `ondalik` is the column's decimal mark (',' or
// '.'), or null for the mark this text shows (see ondalikIsareti).
std::optional<qint64> tutarKurusu(QStringView yazi, QChar ondalik = {});
// The decimal mark an amount shows beyond doubt: of two marks the last; one mark that is there
// once and followed by one or two digits (or more than three); null when it could be either
// ("1.234", "850").
QChar ondalikIsareti(QStringView yazi);

// Day and month in a date written with '/': "05/11/2024".
enum class GunAy { GunOnce, AyOnce };

// A date as statements write it: "01.11.2024", "01/11/2024 07:57:58", "2024-11-01",
// "20241101075758.000[+3:TRT]" (OFX), "11/01'24" (QIF); two-digit years are 1970 … 2069.
std::optional<QDate> tarih(QStringView yazi, GunAy sira = GunAy::GunOnce);
// The order a date written with '/' shows beyond doubt (a day above 12, or QIF's "'" before the
// year), if it does.
std::optional<GunAy> tarihSirasi(QStringView yazi);

// A workbook's date serial (days since 1899-12-30, or since 1904-01-01 in a 1904 workbook);
// the time of day a fraction carries is dropped.
std::optional<QDate> excelTarihi(QStringView sayi, bool tarih1904 = false);

} // namespace EkstreSayilari

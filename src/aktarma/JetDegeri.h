#pragma once

#include <QByteArrayView>
#include <QString>
#include <QVariant>

#include <optional>

// The values that libmdb writes out as text for the fields of an Access (Jet 4) file, turned into
// the values of a budget file.
namespace JetDegeri
{

enum class Tur {
    Metin,   // Text, Memo
    TamSayi, // Byte, Integer, Long Integer
    Kesin,   // Currency, Decimal: exact decimal text
    Kayan,   // Single, Double
    Okunmaz, // anything a budget has no use for (date, binary, OLE, ...)
};

// The kind of a libmdb column type, and its name as Access shows it.
Tur tur(int mdbTuru);
QString turAdi(int mdbTuru);

// The value of a field that is not NULL. Exact kinds become the double nearest their decimal
// text, floating ones are rounded to kuruş (half away from zero, on their decimal digits). The
// decimal sign is '.', as libmdb prints in the "C" locale (JetKaynagi). None when the text is no
// value of its kind.
std::optional<QVariant> donustur(Tur tur, QByteArrayView metin);

// A Currency value from its stored whole number of ten-thousandths: the double nearest it, as
// from its decimal text. None beyond 2^53 ten-thousandths, where only the text gives that.
std::optional<double> paradan(qint64 onBinde);

} // namespace JetDegeri

#include "JetDegeri.h"

#include <QLocale>

#include <mdbtools.h>

#include <cmath>

namespace
{

std::optional<double> sayi(const QByteArray& metin)
{
    bool tamam = false;
    const double deger = QLocale::c().toDouble(metin, &tamam);
    if (!tamam || !std::isfinite(deger))
        return std::nullopt;
    return deger;
}

// On the decimal digits, so that 1.005 (stored as 1.00499…) still rounds up as it was typed.
std::optional<double> kurusaYuvarla(const QByteArray& metin)
{
    const std::optional<double> deger = sayi(metin);
    if (!deger)
        return std::nullopt;
    const qsizetype nokta = metin.indexOf('.');
    if (metin.contains('e') || metin.contains('E')) // only far outside any amount of money
        return std::round(*deger * 100) / 100;
    if (nokta < 0 || metin.size() - nokta - 1 <= 2)
        return deger;
    QByteArray kurusMetni = metin.left(nokta + 3);
    kurusMetni.remove(nokta, 1);
    qint64 kurus = kurusMetni.toLongLong();
    if (metin.at(nokta + 3) >= '5')
        kurus += metin.startsWith('-') ? -1 : 1;
    return double(kurus) / 100;
}

} // namespace

JetDegeri::Tur JetDegeri::tur(int mdbTuru)
{
    switch (mdbTuru) {
    case MDB_TEXT:
    case MDB_MEMO:
        return Tur::Metin;
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
        return Tur::TamSayi;
    case MDB_MONEY:
    case MDB_NUMERIC:
        return Tur::Kesin;
    case MDB_FLOAT:
    case MDB_DOUBLE:
        return Tur::Kayan;
    default:
        return Tur::Okunmaz;
    }
}

QString JetDegeri::turAdi(int mdbTuru)
{
    switch (mdbTuru) {
    case MDB_BOOL:
        return QStringLiteral("Evet/Hayır");
    case MDB_DATETIME:
        return QStringLiteral("Tarih/Saat");
    case MDB_BINARY:
        return QStringLiteral("İkili");
    case MDB_OLE:
        return QStringLiteral("OLE Nesnesi");
    case MDB_REPID:
        return QStringLiteral("Çoğaltma Kimliği");
    default:
        return QStringLiteral("tür %1").arg(mdbTuru);
    }
}

std::optional<QVariant> JetDegeri::donustur(Tur tur, QByteArrayView metin)
{
    const QByteArray sayiMetni = metin.toByteArray().trimmed();
    switch (tur) {
    case Tur::Metin:
        // Empty text is no NULL: a null QString would be written as one.
        return metin.isEmpty() ? QStringLiteral("") : QString::fromUtf8(metin);
    case Tur::TamSayi: {
        bool tamam = false;
        const qint64 deger = sayiMetni.toLongLong(&tamam);
        return tamam ? std::optional<QVariant>(deger) : std::nullopt;
    }
    case Tur::Kesin:
        if (const auto deger = sayi(sayiMetni))
            return *deger;
        return std::nullopt;
    case Tur::Kayan:
        if (const auto deger = kurusaYuvarla(sayiMetni))
            return *deger;
        return std::nullopt;
    case Tur::Okunmaz:
        break;
    }
    return std::nullopt;
}

std::optional<double> JetDegeri::paradan(qint64 onBinde)
{
    // Both operands are exact doubles, so the quotient is rounded once, to the nearest.
    constexpr qint64 tamSinir = qint64(1) << 53;
    if (onBinde > tamSinir || onBinde < -tamSinir)
        return std::nullopt;
    return double(onBinde) / 10000;
}

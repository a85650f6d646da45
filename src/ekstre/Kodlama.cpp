#include "Kodlama.h"

#include <QStringDecoder>

namespace
{

// Windows-1254 from 0x80 to 0x9F; 0 where it defines no character.
constexpr char16_t windows1254Ust[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0,      0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0,      0x0178};

// Both Turkish code pages are Latin-1 from 0xA0 on, but for six letters.
char16_t turkceHarf(uchar bayt)
{
    switch (bayt) {
    case 0xD0:
        return u'Ğ';
    case 0xDD:
        return u'İ';
    case 0xDE:
        return u'Ş';
    case 0xF0:
        return u'ğ';
    case 0xFD:
        return u'ı';
    case 0xFE:
        return u'ş';
    default:
        return bayt;
    }
}

QString kodSayfasi(const QByteArray& veri, bool windows)
{
    QString metin(veri.size(), Qt::Uninitialized);
    QChar* yaz = metin.data();
    for (const char c : veri) {
        const auto bayt = uchar(c);
        char16_t harf = turkceHarf(bayt);
        if (windows && bayt >= 0x80 && bayt < 0xA0)
            harf = windows1254Ust[bayt - 0x80] ? windows1254Ust[bayt - 0x80] : char16_t(0xFFFD);
        *yaz++ = QChar(harf);
    }
    return metin;
}

} // namespace

QString Kodlama::adi(Tur tur)
{
    switch (tur) {
    case Tur::Utf8:
        return QStringLiteral("UTF-8");
    case Tur::Windows1254:
        return QStringLiteral("Windows-1254");
    case Tur::Iso8859_9:
        return QStringLiteral("ISO-8859-9");
    case Tur::Utf16:
        return QStringLiteral("UTF-16");
    }
    return {};
}

Kodlama::Tur Kodlama::bul(const QByteArray& veri)
{
    if (veri.startsWith("\xFF\xFE") || veri.startsWith("\xFE\xFF"))
        return Tur::Utf16;
    if (veri.startsWith("\xEF\xBB\xBF"))
        return Tur::Utf8;
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString deneme = utf8(veri);
    return utf8.hasError() ? Tur::Windows1254 : Tur::Utf8;
}

QString Kodlama::coz(const QByteArray& veri, Tur tur)
{
    switch (tur) {
    case Tur::Windows1254:
        return kodSayfasi(veri, true);
    case Tur::Iso8859_9:
        return kodSayfasi(veri, false);
    case Tur::Utf16: {
        // The mark says which byte order; without one, little-endian as Windows writes it.
        QStringDecoder utf16(veri.startsWith("\xFE\xFF") ? QStringConverter::Utf16BE
                                                         : QStringConverter::Utf16LE,
                             QStringConverter::Flag::Default);
        return utf16(veri);
    }
    case Tur::Utf8:
        break;
    }
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Default);
    return utf8(veri);
}

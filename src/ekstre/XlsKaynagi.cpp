#include "XlsKaynagi.h"

#include "EkstreOkuyucu.h"

#include <QFile>
#include <QFileInfo>

#include <freexl.h>

#include <charconv>
#include <memory>

namespace
{

struct Kapatici {
    void operator()(const void* kitap) const { freexl_close(kitap); }
};

// The shortest text that reads back as the same double: 9018.469999999999 for what the file stores
// as 9018.47 less a trifle, so that the kuruş are rounded once, from this text.
QString sayiMetni(double sayi)
{
    char metin[32];
    const auto sonuc = std::to_chars(std::begin(metin), std::end(metin), sayi);
    return QString::fromLatin1(metin, sonuc.ptr - metin);
}

Hucre hucre(const FreeXL_CellValue& deger)
{
    using T = Hucre::Tur;
    switch (deger.type) {
    case FREEXL_CELL_INT:
        return {T::Sayi, QString::number(deger.value.int_value)};
    case FREEXL_CELL_DOUBLE:
        return {T::Sayi, sayiMetni(deger.value.double_value)};
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
        return {T::Tarih, QString::fromUtf8(deger.value.text_value)};
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_TIME:
        return {T::Metin, QString::fromUtf8(deger.value.text_value)};
    default:
        return {};
    }
}

} // namespace

EkstreTablosu XlsKaynagi::oku(const QString& yol)
{
    if (QFileInfo(yol).size() > EkstreSiniri::dosya)
        throw EkstreOkuyucu::hata(yol, QStringLiteral("dosya okunamayacak kadar büyük."));
    const void* acilan = nullptr;
    const int acilis = freexl_open(QFile::encodeName(yol).constData(), &acilan);
    const std::unique_ptr<const void, Kapatici> kitap(acilan);
    if (acilis != FREEXL_OK)
        throw EkstreOkuyucu::hata(
            yol, QStringLiteral("Excel 97-2003 çalışma kitabı değil ya da bozuk (libfreexl hata "
                                "kodu %1).")
                     .arg(acilis));
    unsigned int parola = 0;
    if (freexl_get_info(acilan, FREEXL_BIFF_PASSWORD, &parola) == FREEXL_OK &&
        parola == FREEXL_BIFF_OBFUSCATED)
        throw EkstreOkuyucu::hata(yol, QStringLiteral("çalışma kitabı parolayla şifrelenmiş."));
    unsigned int satirSayisi = 0;
    unsigned short sutunSayisi = 0;
    if (freexl_select_active_worksheet(acilan, 0) != FREEXL_OK ||
        freexl_worksheet_dimensions(acilan, &satirSayisi, &sutunSayisi) != FREEXL_OK)
        throw EkstreOkuyucu::hata(yol, QStringLiteral("çalışma kitabında okunacak sayfa yok."));
    if (sutunSayisi > EkstreSiniri::sutun)
        throw EkstreOkuyucu::hata(
            yol, QStringLiteral("en çok %1 sütun okunur.").arg(EkstreSiniri::sutun));
    EkstreTablosu tablo;
    for (unsigned int i = 0; i < satirSayisi; ++i) {
        TabloSatiri satir{qint64(i) + 1, {}, {}};
        for (unsigned short j = 0; j < sutunSayisi; ++j) {
            FreeXL_CellValue deger{};
            Hucre h =
                freexl_get_cell_value(acilan, i, j, &deger) == FREEXL_OK ? hucre(deger) : Hucre();
            if (h.tur == Hucre::Tur::Bos)
                continue;
            h.metin = EkstreOkuyucu::hucreMetni(std::move(h.metin), satir);
            satir.hucreler.resize(j + 1);
            satir.hucreler[j] = std::move(h);
        }
        if (satir.hucreler.isEmpty())
            continue;
        EkstreOkuyucu::satirSiniri(yol, tablo);
        tablo.satirlar.append(std::move(satir));
    }
    return tablo;
}

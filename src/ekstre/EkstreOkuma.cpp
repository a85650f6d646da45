#include "EkstreOkuma.h"

EkstreOkuma EkstreOkuma::oku(const QString& yol, const OkumaSecenekleri& secenekler,
                             bool hatirlanan)
{
    const std::unique_ptr<EkstreOkuyucu> okuyucu = EkstreOkuyucu::sec(yol);
    EkstreOkuma o;
    o.tablo = okuyucu->oku(yol, secenekler);
    o.metinBicimi = okuyucu->metinMi();
    const std::optional<EkstreDuzeni> hatirlanmis =
        hatirlanan ? DuzenHafizasi::bul(o.tablo) : std::nullopt;
    o.duzenle(hatirlanmis.value_or(EkstreDuzeni::bul(o.tablo)));
    return o;
}

void EkstreOkuma::duzenle(const EkstreDuzeni& yeni)
{
    duzen = yeni;
    cozum = EkstreCozumu::coz(tablo, duzen);
}

std::optional<QString> EkstreOkuma::bosSebebi() const
{
    if (!duzen.okunur())
        return QStringLiteral("dosyada hareket tablosu bulunamadı (tarih ve tutar başlıkları "
                              "olan bir satır yok).");
    if (cozum.hareketler.isEmpty())
        return QStringLiteral("tabloda okunabilen hareket yok.");
    return std::nullopt;
}

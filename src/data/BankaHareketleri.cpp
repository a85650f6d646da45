#include "BankaHareketleri.h"

#include "Baglanti.h"
#include "DefterTanimi.h"
#include "Islem.h"
#include "Sema.h"
#include "SorguSonucu.h"

namespace
{

const QString secim = QStringLiteral(
    "SELECT h.Kimlik, h.Tarih, h.Aciklama, h.Tutar, h.Defter, h.KayitKimlik, h.Kaynak, h.Dosya, "
    "h.KaynakNo, h.Parmakizi");
const QString kayitHareketleriSorgusu =
    secim + QStringLiteral(" FROM BankaHareketleri h WHERE h.Defter = ? AND h.KayitKimlik = ? "
                           "ORDER BY h.Tarih, h.Kimlik");
const QString hareketliSorgusu = QStringLiteral(
    "SELECT DISTINCT KayitKimlik FROM BankaHareketleri WHERE Defter = ? AND KayitKimlik IS NOT "
    "NULL");
// Each ledger's entry beside its movements: %1 the ledger's table, %2 its alias.
const QString kayitBirlesimi =
    QStringLiteral(" LEFT JOIN %1 %2 ON h.Defter = ? AND %2.Kimlik = h.KayitKimlik");
const QString kayitAlanlari =
    QStringLiteral(", coalesce(g.AnaGrup, d.AnaGrup), "
                   "coalesce(g.GrupAdi, d.GrupAdi), coalesce(g.%1, d.%2), "
                   "coalesce(g.%3, d.%4)");
const QString kayitKosulu = QStringLiteral("Defter = ? AND KayitKimlik = ?");

BankaHareketleri::KayitliHareket oku(const SorguSonucu& s)
{
    BankaHareketleri::KayitliHareket h;
    h.kimlik = s.alan(0).toLongLong();
    h.tarih = QDate::fromString(s.alan(1).toString(), Qt::ISODate);
    h.aciklama = s.alan(2).toString();
    h.tutarKurus = s.alan(3).toLongLong();
    h.defter = s.alan(4).toString();
    if (!s.alan(5).isNull())
        h.kayitKimlik = s.alan(5).toLongLong();
    h.kaynak = s.alan(6).toString();
    h.dosya = s.alan(7).toString();
    h.kaynakNo = s.alan(8).toLongLong();
    h.parmakizi = s.alan(9).toString();
    return h;
}

} // namespace

std::vector<BankaHareketleri::KayitliHareket>
BankaHareketleri::kayitHareketleri(const DefterTanimi& defter, qint64 kayitKimlik)
{
    std::vector<KayitliHareket> sonuc;
    SorguSonucu sorgu(kayitHareketleriSorgusu, {defter.ad, kayitKimlik});
    while (sorgu.sonraki())
        sonuc.push_back(oku(sorgu));
    return sonuc;
}

QSet<qint64> BankaHareketleri::hareketliKimlikler(const DefterTanimi& defter)
{
    QSet<qint64> kimlikler;
    if (!Sema::tabloVar(Baglanti::program().db(), Sema::hareketTablosu().ad))
        return kimlikler;
    SorguSonucu sorgu(hareketliSorgusu, {defter.ad});
    while (sorgu.sonraki())
        kimlikler.insert(sorgu.alan(0).toLongLong());
    return kimlikler;
}

std::vector<BankaHareketleri::KayitliHareket> BankaHareketleri::hepsi()
{
    std::vector<KayitliHareket> sonuc;
    if (!Sema::tabloVar(Baglanti::program().db(), Sema::hareketTablosu().ad))
        return sonuc;
    const DefterTanimi& g = gelirDefteri();
    const DefterTanimi& d = giderDefteri();
    const QString sql = secim + kayitAlanlari.arg(g.yilAlani, d.yilAlani, g.ayAlani, d.ayAlani) +
                        QStringLiteral(" FROM BankaHareketleri h") +
                        kayitBirlesimi.arg(g.kayitTablosu, QStringLiteral("g")) +
                        kayitBirlesimi.arg(d.kayitTablosu, QStringLiteral("d")) +
                        QStringLiteral(" ORDER BY h.Tarih, h.Kimlik");
    SorguSonucu sorgu(sql, {g.ad, d.ad});
    while (sorgu.sonraki()) {
        KayitliHareket h = oku(sorgu);
        h.anaGrup = sorgu.alan(10).toString();
        h.altGrup = sorgu.alan(11).toString();
        h.yil = sorgu.alan(12).toInt();
        h.ay = sorgu.alan(13).toString();
        sonuc.push_back(std::move(h));
    }
    return sonuc;
}

namespace
{

// The entry's movements, in the caller's transaction: deleted, or no longer tied to an entry.
void hareketleriBirak(Degisiklik& degisiklik, const DefterTanimi& defter, qint64 kimlik, bool sil)
{
    const Sema::Tablo tablo = Sema::hareketTablosu();
    const QVariantList degerler{defter.ad, kimlik};
    if (sil)
        degisiklik.satirlariSil(tablo, kayitKosulu, degerler);
    else
        degisiklik.satirlariGuncelle(tablo, kayitKosulu, degerler,
                                     {{int(tablo.alanlar.indexOf(QStringLiteral("KayitKimlik"))),
                                       QVariant(QMetaType::fromType<qint64>())}});
}

} // namespace

Degisiklik BankaHareketleri::kayitSil(const DefterTanimi& defter,
                                      const ButceVerisi::Kayit& listelenen, bool hareketleriyle)
{
    Islem islem;
    Degisiklik degisiklik;
    if (degisiklik.satirSil(Sema::kayitTablosu(defter), listelenen.kimlik, listelenen.beklenen()))
        hareketleriBirak(degisiklik, defter, listelenen.kimlik, hareketleriyle);
    islem.onayla();
    return degisiklik;
}

Degisiklik BankaHareketleri::kayitGuncelle(const DefterTanimi& defter,
                                           const ButceVerisi::Kayit& listelenen,
                                           const ButceVerisi::KayitDegeri& deger,
                                           bool hareketleriAyir)
{
    Islem islem;
    Degisiklik degisiklik;
    const bool yazildi = ButceVerisi::kayitDegeriniYaz(degisiklik, defter, listelenen, deger);
    if (yazildi && hareketleriAyir)
        hareketleriBirak(degisiklik, defter, listelenen.kimlik, false);
    islem.onayla();
    return degisiklik;
}

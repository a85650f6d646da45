#include "ButceVerisi.h"

#include "SorguSonucu.h"
#include "Takvim.h"
#include "TurkceMetin.h"

#include <climits>
#include <cmath>

namespace
{

// %1 and on are table and field names from the ledger descriptor; values are always bound.
const QString anaGruplarSorgusu = QStringLiteral("SELECT GrupAdi FROM %1");
const QString altGruplarSorgusu =
    QStringLiteral("SELECT GrupAdi FROM %1 WHERE AnaGrup = ? COLLATE TURKCE");
const QString anaGrupVarSorgusu =
    QStringLiteral("SELECT 1 FROM %1 WHERE GrupAdi = ? COLLATE TURKCE LIMIT 1");
const QString anaGrupEklemeKomutu = QStringLiteral("INSERT INTO %1 (GrupAdi) VALUES (?)");
const QString altGrupEklemeKomutu =
    QStringLiteral("INSERT INTO %1 (AnaGrup, GrupAdi) VALUES (?, ?)");
// One row of the pair goes; a row spelt exactly as listed is preferred over one in other case.
const QString altGrupSilmeKomutu = QStringLiteral(
    "DELETE FROM %1 WHERE rowid = (SELECT rowid FROM %1 WHERE AnaGrup = ? COLLATE TURKCE "
    "AND GrupAdi = ? COLLATE TURKCE ORDER BY GrupAdi = ? DESC, AnaGrup = ? DESC, rowid LIMIT 1)");

const QString kayitlarSorgusu =
    QStringLiteral("SELECT Kimlik, AnaGrup, GrupAdi, %2, Gerceklesen FROM %1 WHERE %3 = ? AND "
                   "AnaGrup = ? COLLATE TURKCE");
const QString altGrupKosulu = QStringLiteral(" AND GrupAdi = ? COLLATE TURKCE");
const QString ayKosulu = QStringLiteral(" AND %1 = ? COLLATE TURKCE");
const QString kimlikSirasi = QStringLiteral(" ORDER BY Kimlik");

const QString kayitEklemeKomutu = QStringLiteral(
    "INSERT INTO %1 (AnaGrup, GrupAdi, %2, %3, %4, Gerceklesen) VALUES (?, ?, ?, ?, ?, ?)");
const QString kayitSilmeKomutu = QStringLiteral("DELETE FROM %1 WHERE Kimlik = ?");

// Amounts are summed in hundredths so that the sums are exact. %4 is empty or the year
// condition; either way an index holds every field read, so the table itself is not visited.
const QString aylikToplamlarSorgusu =
    QStringLiteral("SELECT %2, SUM(ROUND(%3 * 100)), SUM(ROUND(Gerceklesen * 100)), COUNT(*) "
                   "FROM %1%4 GROUP BY %2");
const QString yilKosulu = QStringLiteral(" WHERE %1 = ?");
// Hops from one year to the next along the year index instead of reading every entry: a few
// dozen index look-ups rather than a scan of the table.
const QString yillarSorgusu = QStringLiteral(
    "WITH RECURSIVE Yillar(Yil) AS (SELECT MIN(%2) FROM %1 UNION ALL "
    "SELECT (SELECT MIN(%2) FROM %1 WHERE %2 > Yil) FROM Yillar WHERE Yil IS NOT NULL) "
    "SELECT Yil FROM Yillar WHERE Yil IS NOT NULL");

const QString satirSayisiSorgusu = QStringLiteral("SELECT count(*) FROM %1");
const QString butunlukSorgusu = QStringLiteral("PRAGMA integrity_check");
const QString enBuyukKimlikSorgusu = QStringLiteral("SELECT ifnull(max(Kimlik), 0) FROM %1");
const QString kimlikSayaciSorgusu =
    QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = ?");

qint64 tekSayi(const QString& sql, const QVariantList& degerler = {})
{
    SorguSonucu KayitKumesi(sql, degerler);
    return KayitKumesi.sonraki() ? KayitKumesi.alan(0).toLongLong() : 0;
}

QStringList adlariOku(SorguSonucu& kume)
{
    QStringList adlar;
    while (kume.sonraki())
        adlar << kume.alan(0).toString();
    TurkceMetin::alfabetikSirala(adlar);
    return adlar;
}

// A value other tools may have left missing, as text or out of range reads as missing.
std::optional<double> tutar(const QVariant& deger)
{
    if (deger.isNull())
        return std::nullopt;
    bool sayi = false;
    const double v = deger.toDouble(&sayi);
    if (!sayi || !std::isfinite(v))
        return std::nullopt;
    return v;
}

qint64 kurus(const QVariant& toplam)
{
    const double v = toplam.toDouble();
    return std::isfinite(v) ? std::llround(v) : 0;
}

} // namespace

QStringList ButceVerisi::anaGruplar(const DefterTanimi& defter)
{
    SorguSonucu KayitKumesi(anaGruplarSorgusu.arg(defter.anaGrupTablosu));
    return adlariOku(KayitKumesi);
}

QStringList ButceVerisi::altGruplar(const DefterTanimi& defter, const QString& anaGrup)
{
    SorguSonucu KayitKumesi(altGruplarSorgusu.arg(defter.altGrupTablosu), {anaGrup});
    return adlariOku(KayitKumesi);
}

bool ButceVerisi::anaGrupVar(const DefterTanimi& defter, const QString& ad)
{
    SorguSonucu KayitKumesi(anaGrupVarSorgusu.arg(defter.anaGrupTablosu), {ad});
    return KayitKumesi.sonraki();
}

void ButceVerisi::anaGrupEkle(const DefterTanimi& defter, const QString& ad)
{
    SorguSonucu KayitKumesi(anaGrupEklemeKomutu.arg(defter.anaGrupTablosu), {ad});
}

void ButceVerisi::altGrupEkle(const DefterTanimi& defter, const QString& anaGrup, const QString& ad)
{
    SorguSonucu KayitKumesi(altGrupEklemeKomutu.arg(defter.altGrupTablosu), {anaGrup, ad});
}

bool ButceVerisi::altGrupSil(const DefterTanimi& defter, const QString& anaGrup, const QString& ad)
{
    SorguSonucu KayitKumesi(altGrupSilmeKomutu.arg(defter.altGrupTablosu),
                            {anaGrup, ad, ad, anaGrup});
    return KayitKumesi.etkilenenSatirlar() > 0;
}

std::vector<ButceVerisi::Kayit> ButceVerisi::kayitlar(const DefterTanimi& defter,
                                                      const KayitSuzgeci& suzgec)
{
    QString sql = kayitlarSorgusu.arg(defter.kayitTablosu, defter.tahminAlani, defter.yilAlani);
    QVariantList degerler{suzgec.yil, suzgec.anaGrup};
    if (suzgec.altGrup) {
        sql += altGrupKosulu;
        degerler << *suzgec.altGrup;
    }
    if (suzgec.ay) {
        sql += ayKosulu.arg(defter.ayAlani);
        degerler << *suzgec.ay;
    }
    sql += kimlikSirasi;

    SorguSonucu KayitKumesi(sql, degerler);
    std::vector<Kayit> sonuc;
    while (KayitKumesi.sonraki())
        sonuc.push_back({KayitKumesi.alan(0).toLongLong(), KayitKumesi.alan(1).toString(),
                         KayitKumesi.alan(2).toString(), tutar(KayitKumesi.alan(3)),
                         tutar(KayitKumesi.alan(4))});
    return sonuc;
}

qint64 ButceVerisi::kayitEkle(const DefterTanimi& defter, const YeniKayit& kayit)
{
    SorguSonucu KayitKumesi(
        kayitEklemeKomutu.arg(defter.kayitTablosu, defter.yilAlani, defter.ayAlani,
                              defter.tahminAlani),
        {kayit.anaGrup, kayit.altGrup, kayit.yil, kayit.ay, kayit.tahmin, kayit.gerceklesen});
    return KayitKumesi.eklenenKimlik();
}

bool ButceVerisi::kayitSil(const DefterTanimi& defter, qint64 kimlik)
{
    SorguSonucu KayitKumesi(kayitSilmeKomutu.arg(defter.kayitTablosu), {kimlik});
    return KayitKumesi.etkilenenSatirlar() > 0;
}

std::array<ButceVerisi::AylikToplam, 12> ButceVerisi::aylikToplamlar(const DefterTanimi& defter,
                                                                     std::optional<int> yil)
{
    std::array<AylikToplam, 12> toplamlar{};
    SorguSonucu KayitKumesi(
        aylikToplamlarSorgusu.arg(defter.kayitTablosu, defter.ayAlani, defter.tahminAlani,
                                  yil ? yilKosulu.arg(defter.yilAlani) : QString()),
        yil ? QVariantList{*yil} : QVariantList{});
    while (KayitKumesi.sonraki()) {
        const QString ay = KayitKumesi.alan(0).toString();
        for (int i = 0; i < 12; ++i) {
            if (TurkceMetin::esit(ay, Takvim::ayAdlari()[i])) {
                toplamlar[i].tahminKurus += kurus(KayitKumesi.alan(1));
                toplamlar[i].gerceklesenKurus += kurus(KayitKumesi.alan(2));
                toplamlar[i].kayitSayisi += KayitKumesi.alan(3).toLongLong();
                break;
            }
        }
    }
    return toplamlar;
}

qint64 ButceVerisi::satirSayisi(const QString& tablo)
{
    return tekSayi(satirSayisiSorgusu.arg(tablo));
}

std::optional<QString> ButceVerisi::butunlukSorunu()
{
    SorguSonucu KayitKumesi(butunlukSorgusu);
    QStringList bulgular;
    while (KayitKumesi.sonraki())
        bulgular << KayitKumesi.alan(0).toString();
    if (bulgular == QStringList{QStringLiteral("ok")})
        return std::nullopt;
    return bulgular.join(u'\n');
}

qint64 ButceVerisi::enBuyukKimlik(const DefterTanimi& defter)
{
    return tekSayi(enBuyukKimlikSorgusu.arg(defter.kayitTablosu));
}

qint64 ButceVerisi::kimlikSayaci(const DefterTanimi& defter)
{
    return tekSayi(kimlikSayaciSorgusu, {defter.kayitTablosu});
}

// Other tools may have left years that are text or fractions; those only count under every year.
std::vector<int> ButceVerisi::kayitliYillar(const DefterTanimi& defter)
{
    SorguSonucu KayitKumesi(yillarSorgusu.arg(defter.kayitTablosu, defter.yilAlani));
    std::vector<int> yillar;
    while (KayitKumesi.sonraki()) {
        const QVariant yil = KayitKumesi.alan(0);
        const qint64 deger = yil.toLongLong();
        if (yil.typeId() == QMetaType::LongLong && deger >= INT_MIN && deger <= INT_MAX)
            yillar.push_back(int(deger));
    }
    return yillar;
}

#include "BütçeVerisi.h"

#include "SorguSonucu.h"
#include "Takvim.h"
#include "TürkçeMetin.h"

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

const QString kayıtlarSorgusu =
    QStringLiteral("SELECT Kimlik, AnaGrup, GrupAdi, %2, Gerceklesen FROM %1 WHERE %3 = ? AND "
                   "AnaGrup = ? COLLATE TURKCE");
const QString altGrupKoşulu = QStringLiteral(" AND GrupAdi = ? COLLATE TURKCE");
const QString ayKoşulu = QStringLiteral(" AND %1 = ? COLLATE TURKCE");
const QString kimlikSırası = QStringLiteral(" ORDER BY Kimlik");

const QString kayıtEklemeKomutu = QStringLiteral(
    "INSERT INTO %1 (AnaGrup, GrupAdi, %2, %3, %4, Gerceklesen) VALUES (?, ?, ?, ?, ?, ?)");
const QString kayıtSilmeKomutu = QStringLiteral("DELETE FROM %1 WHERE Kimlik = ?");

// Amounts are summed in hundredths so that the sums are exact.
const QString aylıkToplamlarSorgusu = QStringLiteral(
    "SELECT %2, SUM(ROUND(%3 * 100)), SUM(ROUND(Gerceklesen * 100)), COUNT(*) FROM %1 GROUP BY %2");

QStringList adlarıOku(SorguSonucu& küme)
{
    QStringList adlar;
    while (küme.sonraki())
        adlar << küme.alan(0).toString();
    TürkçeMetin::alfabetikSırala(adlar);
    return adlar;
}

// A value other tools may have left missing, as text or out of range reads as missing.
std::optional<double> tutar(const QVariant& değer)
{
    if (değer.isNull())
        return std::nullopt;
    bool sayı = false;
    const double v = değer.toDouble(&sayı);
    if (!sayı || !std::isfinite(v))
        return std::nullopt;
    return v;
}

qint64 kuruş(const QVariant& toplam)
{
    const double v = toplam.toDouble();
    return std::isfinite(v) ? std::llround(v) : 0;
}

} // namespace

QStringList BütçeVerisi::anaGruplar(const DefterTanımı& defter)
{
    SorguSonucu KayıtKümesi(anaGruplarSorgusu.arg(defter.anaGrupTablosu));
    return adlarıOku(KayıtKümesi);
}

QStringList BütçeVerisi::altGruplar(const DefterTanımı& defter, const QString& anaGrup)
{
    SorguSonucu KayıtKümesi(altGruplarSorgusu.arg(defter.altGrupTablosu), {anaGrup});
    return adlarıOku(KayıtKümesi);
}

bool BütçeVerisi::anaGrupVar(const DefterTanımı& defter, const QString& ad)
{
    SorguSonucu KayıtKümesi(anaGrupVarSorgusu.arg(defter.anaGrupTablosu), {ad});
    return KayıtKümesi.sonraki();
}

void BütçeVerisi::anaGrupEkle(const DefterTanımı& defter, const QString& ad)
{
    SorguSonucu KayıtKümesi(anaGrupEklemeKomutu.arg(defter.anaGrupTablosu), {ad});
}

void BütçeVerisi::altGrupEkle(const DefterTanımı& defter, const QString& anaGrup, const QString& ad)
{
    SorguSonucu KayıtKümesi(altGrupEklemeKomutu.arg(defter.altGrupTablosu), {anaGrup, ad});
}

bool BütçeVerisi::altGrupSil(const DefterTanımı& defter, const QString& anaGrup, const QString& ad)
{
    SorguSonucu KayıtKümesi(altGrupSilmeKomutu.arg(defter.altGrupTablosu),
                            {anaGrup, ad, ad, anaGrup});
    return KayıtKümesi.etkilenenSatırlar() > 0;
}

std::vector<BütçeVerisi::Kayıt> BütçeVerisi::kayıtlar(const DefterTanımı& defter,
                                                      const KayıtSüzgeci& süzgeç)
{
    QString sql = kayıtlarSorgusu.arg(defter.kayıtTablosu, defter.tahminAlanı, defter.yılAlanı);
    QVariantList değerler{süzgeç.yıl, süzgeç.anaGrup};
    if (süzgeç.altGrup) {
        sql += altGrupKoşulu;
        değerler << *süzgeç.altGrup;
    }
    if (süzgeç.ay) {
        sql += ayKoşulu.arg(defter.ayAlanı);
        değerler << *süzgeç.ay;
    }
    sql += kimlikSırası;

    SorguSonucu KayıtKümesi(sql, değerler);
    std::vector<Kayıt> sonuç;
    while (KayıtKümesi.sonraki())
        sonuç.push_back({KayıtKümesi.alan(0).toLongLong(), KayıtKümesi.alan(1).toString(),
                         KayıtKümesi.alan(2).toString(), tutar(KayıtKümesi.alan(3)),
                         tutar(KayıtKümesi.alan(4))});
    return sonuç;
}

qint64 BütçeVerisi::kayıtEkle(const DefterTanımı& defter, const YeniKayıt& kayıt)
{
    SorguSonucu KayıtKümesi(
        kayıtEklemeKomutu.arg(defter.kayıtTablosu, defter.yılAlanı, defter.ayAlanı,
                              defter.tahminAlanı),
        {kayıt.anaGrup, kayıt.altGrup, kayıt.yıl, kayıt.ay, kayıt.tahmin, kayıt.gerçekleşen});
    return KayıtKümesi.eklenenKimlik();
}

bool BütçeVerisi::kayıtSil(const DefterTanımı& defter, qint64 kimlik)
{
    SorguSonucu KayıtKümesi(kayıtSilmeKomutu.arg(defter.kayıtTablosu), {kimlik});
    return KayıtKümesi.etkilenenSatırlar() > 0;
}

std::array<BütçeVerisi::AylıkToplam, 12> BütçeVerisi::aylıkToplamlar(const DefterTanımı& defter)
{
    std::array<AylıkToplam, 12> toplamlar{};
    SorguSonucu KayıtKümesi(
        aylıkToplamlarSorgusu.arg(defter.kayıtTablosu, defter.ayAlanı, defter.tahminAlanı));
    while (KayıtKümesi.sonraki()) {
        const QString ay = KayıtKümesi.alan(0).toString();
        for (int i = 0; i < 12; ++i) {
            if (TürkçeMetin::eşit(ay, Takvim::ayAdları()[i])) {
                toplamlar[i].tahminKuruş += kuruş(KayıtKümesi.alan(1));
                toplamlar[i].gerçekleşenKuruş += kuruş(KayıtKümesi.alan(2));
                toplamlar[i].kayıtSayısı += KayıtKümesi.alan(3).toLongLong();
                break;
            }
        }
    }
    return toplamlar;
}

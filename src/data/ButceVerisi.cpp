#include "ButceVerisi.h"

#include "DegiskenModulu.h"
#include "Islem.h"
#include "SatirYazici.h"
#include "Sema.h"
#include "SorguSonucu.h"
#include "Takvim.h"
#include "TurkceMetin.h"
#include "Tutar.h"

#include <QHash>
#include <QSet>

#include <algorithm>
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
const QString altGrupVarSorgusu = QStringLiteral(
    "SELECT 1 FROM %1 WHERE AnaGrup = ? COLLATE TURKCE AND GrupAdi = ? COLLATE TURKCE LIMIT 1");
// The row of the pair that goes; one spelt exactly as listed is preferred over one in other case.
const QString altGrupSatiriSorgusu =
    QStringLiteral("SELECT rowid FROM %1 WHERE AnaGrup = ? COLLATE TURKCE AND GrupAdi = ? COLLATE "
                   "TURKCE ORDER BY GrupAdi = ? DESC, AnaGrup = ? DESC, rowid LIMIT 1");

// Every entry, read by kayitOku(); the listings add their conditions.
const QString kayitSecimi =
    QStringLiteral("SELECT Kimlik, AnaGrup, GrupAdi, %3, %4, %2, Gerceklesen FROM %1");
const QString kayitlarSorgusu =
    kayitSecimi + QStringLiteral(" WHERE %3 = ? AND AnaGrup = ? COLLATE TURKCE");
const QString altGrupKosulu = QStringLiteral(" AND GrupAdi = ? COLLATE TURKCE");
const QString ayKosulu = QStringLiteral(" AND %1 = ? COLLATE TURKCE");
const QString kimlikSirasi = QStringLiteral(" ORDER BY Kimlik");

// Sums by the amount rule of Tutar, the same in every statement.
const QString donemToplamiSorgusu =
    QStringLiteral("SELECT TUTAR_TOPLAMI(%2, Gerceklesen) FROM %1 WHERE %3 = ?");
// The plan copy's source, and the groups that already have entries in its target.
const QString planKaynagiSorgusu =
    QStringLiteral("SELECT AnaGrup, GrupAdi, %3, %2 FROM %1 WHERE %4 = ?");
const QString doluGruplarSorgusu =
    QStringLiteral("SELECT AnaGrup, GrupAdi, %2 FROM %1 WHERE %3 = ?");

// %4 is empty or the year condition; either way an index holds every field read, so the table
// itself is not visited.
const QString aylikToplamlarSorgusu =
    QStringLiteral("SELECT %2, TUTAR_TOPLAMI(%3, Gerceklesen) FROM %1%4 GROUP BY %2");
const QString yilKosulu = QStringLiteral(" WHERE %1 = ?");
// Hops from one year to the next along the year index instead of reading every entry: a few
// dozen index look-ups rather than a scan of the table.
const QString yillarSorgusu = QStringLiteral(
    "WITH RECURSIVE Yillar(Yil) AS (SELECT MIN(%2) FROM %1 UNION ALL "
    "SELECT (SELECT MIN(%2) FROM %1 WHERE %2 > Yil) FROM Yillar WHERE Yil IS NOT NULL) "
    "SELECT Yil FROM Yillar WHERE Yil IS NOT NULL");

const QString satirSayisiSorgusu = QStringLiteral("SELECT count(*) FROM %1");
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

// An amount as Tutar reads it, in lira.
std::optional<double> tutar(const std::optional<qint64>& kurus)
{
    return kurus ? std::optional(double(*kurus) / 100.0) : std::nullopt;
}

ButceVerisi::Kayit kayitOku(const SorguSonucu& kume)
{
    const std::optional<qint64> tahmin = Tutar::kurus(kume.alan(5));
    const std::optional<qint64> gerceklesen = Tutar::kurus(kume.alan(6));
    const int okunamayan = !tahmin + (!gerceklesen && !kume.alan(6).isNull());
    return {kume.alan(0).toLongLong(), kume.alan(1).toString(),
            kume.alan(2).toString(),   kume.alan(3).toInt(),
            kume.alan(4).toString(),   tutar(tahmin),
            tutar(gerceklesen),        okunamayan};
}

// A year's or a month's statement: the month condition only when a month is given.
SorguSonucu donemSorgusu(const QString& sql, const DefterTanimi& defter, int yil,
                         const std::optional<QString>& ay, const QString& sira = {})
{
    if (!ay)
        return SorguSonucu(sql + sira, {yil});
    return SorguSonucu(sql + ayKosulu.arg(defter.ayAlani) + sira, {yil, *ay});
}

// A sub-group in a month, in any letter case.
QString grupAnahtari(int ay, const QVariant& anaGrup, const QVariant& altGrup)
{
    return QStringLiteral("%1\x1f%2\x1f%3")
        .arg(QString::number(ay), TurkceMetin::buyukHarf(anaGrup.toString()),
             TurkceMetin::buyukHarf(altGrup.toString()));
}

std::optional<QString> ayAdi(const std::optional<int>& ay)
{
    return ay ? std::optional(Takvim::ayAdlari()[*ay - 1]) : std::nullopt;
}

// The estimate in kuruş raised by the increase, rounded half away from zero to whole kuruş.
double artirilmis(qint64 tahminKurus, qint64 artisOnBinde)
{
    const __int128 carpim = __int128(tahminKurus) * (10'000 + artisOnBinde);
    const __int128 kurus = (carpim + (carpim < 0 ? -5'000 : 5'000)) / 10'000;
    return double(qint64(kurus)) / 100.0;
}

struct PlanSatiri {
    QVariant anaGrup;
    QVariant altGrup;
    int ay = 0;
    QVariant tahmin;
};

struct Plan {
    std::vector<PlanSatiri> olusacak;
    qint64 atlanacak = 0;
};

// The entries a copy creates, read afresh: what the preview counts is what the copy writes.
Plan planHazirla(const DefterTanimi& defter, const ButceVerisi::PlanKopyasi& kopya)
{
    QSet<QString> dolu;
    if (kopya.yalnizcaBoslar) {
        SorguSonucu KayitKumesi = donemSorgusu(
            doluGruplarSorgusu.arg(defter.kayitTablosu, defter.ayAlani, defter.yilAlani), defter,
            kopya.hedefYil, ayAdi(kopya.hedefAy));
        while (KayitKumesi.sonraki())
            dolu.insert(grupAnahtari(Takvim::ayNumarasi(KayitKumesi.alan(2).toString()),
                                     KayitKumesi.alan(0), KayitKumesi.alan(1)));
    }
    const qint64 artis = std::llround(kopya.artisYuzde * 100.0);
    Plan plan;
    SorguSonucu KayitKumesi =
        donemSorgusu(planKaynagiSorgusu.arg(defter.kayitTablosu, defter.tahminAlani, defter.ayAlani,
                                            defter.yilAlani),
                     defter, kopya.kaynakYil, ayAdi(kopya.kaynakAy), kimlikSirasi);
    while (KayitKumesi.sonraki()) {
        // A whole year goes month by month; a month that is no month name has no place in it.
        const int ay =
            kopya.hedefAy ? *kopya.hedefAy : Takvim::ayNumarasi(KayitKumesi.alan(2).toString());
        if (ay == 0)
            continue;
        if (dolu.contains(grupAnahtari(ay, KayitKumesi.alan(0), KayitKumesi.alan(1)))) {
            ++plan.atlanacak;
            continue;
        }
        const std::optional<qint64> tahmin = Tutar::kurus(KayitKumesi.alan(3));
        plan.olusacak.push_back({KayitKumesi.alan(0), KayitKumesi.alan(1), ay,
                                 tahmin ? QVariant(artirilmis(*tahmin, artis)) : QVariant()});
    }
    return plan;
}

// Each distinct text's place in the Turkish alphabetical order, so that sorting many rows compares
// numbers.
QHash<QString, int> alfabetikSiralar(const QSet<QString>& metinler)
{
    QStringList sirali(metinler.begin(), metinler.end());
    TurkceMetin::alfabetikSirala(sirali);
    QHash<QString, int> siralar;
    siralar.reserve(sirali.size());
    for (int i = 0; i < sirali.size(); ++i)
        siralar.insert(sirali[i], i);
    return siralar;
}

// Groups and months repeat over many entries: the rows share one copy of each distinct text,
// which also gives the texts to rank.
struct OrtakMetinler {
    QSet<QString> anaGruplar;
    QSet<QString> altGruplar;
    QSet<QString> aylar;

    void paylas(ButceVerisi::Kayit& k)
    {
        k.anaGrup = *anaGruplar.insert(k.anaGrup);
        k.altGrup = *altGruplar.insert(k.altGrup);
        k.ay = *aylar.insert(k.ay);
    }
};

struct DisaAktarimSirasi {
    int yil = 0;
    int ay = 0;
    int anaGrup = 0;
    int altGrup = 0;
    qint64 kimlik = 0;
    size_t kayit = 0;
    auto operator<=>(const DisaAktarimSirasi&) const = default;
};

void disaAktarimSirasinaKoy(std::vector<ButceVerisi::Kayit>& kayitlar, const OrtakMetinler& ortak)
{
    const QHash<QString, int> anaSira = alfabetikSiralar(ortak.anaGruplar);
    const QHash<QString, int> altSira = alfabetikSiralar(ortak.altGruplar);
    // Texts that name no month come after December.
    QHash<QString, int> ayNumaralari;
    for (const QString& ay : ortak.aylar)
        ayNumaralari.insert(ay, Takvim::ayNumarasi(ay) > 0 ? Takvim::ayNumarasi(ay) : 13);
    std::vector<DisaAktarimSirasi> sira;
    sira.reserve(kayitlar.size());
    for (size_t i = 0; i < kayitlar.size(); ++i) {
        const ButceVerisi::Kayit& k = kayitlar[i];
        sira.push_back({k.yil, ayNumaralari.value(k.ay), anaSira.value(k.anaGrup),
                        altSira.value(k.altGrup), k.kimlik, i});
    }
    std::sort(sira.begin(), sira.end());
    std::vector<ButceVerisi::Kayit> sirali;
    sirali.reserve(kayitlar.size());
    for (const DisaAktarimSirasi& s : sira)
        sirali.push_back(std::move(kayitlar[s.kayit]));
    kayitlar = std::move(sirali);
}

bool altGrupVar(const DefterTanimi& defter, const QString& anaGrup, const QString& ad)
{
    SorguSonucu KayitKumesi(altGrupVarSorgusu.arg(defter.altGrupTablosu), {anaGrup, ad});
    return KayitKumesi.sonraki();
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

Degisiklik ButceVerisi::grupEkle(const DefterTanimi& defter, const QString& anaGrup,
                                 const QString& altGrup)
{
    Islem islem;
    Degisiklik degisiklik;
    // Asked inside the transaction, so that no other program adds the same one in between.
    if (altGrupVar(defter, anaGrup, altGrup))
        return degisiklik;
    if (!anaGrupVar(defter, anaGrup))
        degisiklik.satirEkle(Sema::anaGrupTablosu(defter), {anaGrup});
    degisiklik.satirEkle(Sema::altGrupTablosu(defter), {anaGrup, altGrup});
    islem.onayla();
    return degisiklik;
}

Degisiklik ButceVerisi::altGrupSil(const DefterTanimi& defter, const QString& anaGrup,
                                   const QString& ad)
{
    Islem islem;
    Degisiklik degisiklik;
    if (const qint64 satir =
            tekSayi(altGrupSatiriSorgusu.arg(defter.altGrupTablosu), {anaGrup, ad, ad, anaGrup}))
        degisiklik.satirSil(Sema::altGrupTablosu(defter), satir);
    islem.onayla();
    return degisiklik;
}

std::vector<ButceVerisi::Kayit> ButceVerisi::kayitlar(const DefterTanimi& defter,
                                                      const KayitSuzgeci& suzgec)
{
    QString sql = kayitlarSorgusu.arg(defter.kayitTablosu, defter.tahminAlani, defter.yilAlani,
                                      defter.ayAlani);
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
        sonuc.push_back(kayitOku(KayitKumesi));
    return sonuc;
}

Degisiklik ButceVerisi::kayitEkle(const DefterTanimi& defter, const YeniKayit& kayit)
{
    Islem islem;
    Degisiklik degisiklik;
    degisiklik.satirEkle(Sema::kayitTablosu(defter), {kayit.anaGrup, kayit.altGrup, kayit.yil,
                                                      kayit.ay, kayit.tahmin, kayit.gerceklesen});
    islem.onayla();
    return degisiklik;
}

Degisiklik ButceVerisi::kayitSil(const DefterTanimi& defter, qint64 kimlik)
{
    Islem islem;
    Degisiklik degisiklik;
    degisiklik.satirSil(Sema::kayitTablosu(defter), kimlik);
    islem.onayla();
    return degisiklik;
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
                const Tutar::Toplam t = Tutar::toplam(KayitKumesi.alan(1));
                AylikToplam& ayin = toplamlar[i];
                ayin.tahminKurus = Tutar::topla(ayin.tahminKurus, t.tahminKurus);
                ayin.gerceklesenKurus = Tutar::topla(ayin.gerceklesenKurus, t.gerceklesenKurus);
                ayin.okunamayan += t.okunamayan;
                ayin.kayitSayisi += t.kayitSayisi;
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
    return Sema::butunlukSorunu(DegiskenModulu::VeriTabani());
}

qint64 ButceVerisi::enBuyukKimlik(const DefterTanimi& defter)
{
    return tekSayi(enBuyukKimlikSorgusu.arg(defter.kayitTablosu));
}

qint64 ButceVerisi::kimlikSayaci(const DefterTanimi& defter)
{
    return tekSayi(kimlikSayaciSorgusu, {defter.kayitTablosu});
}

std::optional<int> ButceVerisi::enEskiYil(int enErken)
{
    std::optional<int> enEski;
    for (const DefterTanimi* defter : {&gelirDefteri(), &giderDefteri()}) {
        const std::vector<int> yillar = kayitliYillar(*defter);
        const auto ilk = std::lower_bound(yillar.begin(), yillar.end(), enErken);
        if (ilk != yillar.end())
            enEski = std::min(enEski.value_or(*ilk), *ilk);
    }
    return enEski;
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

Degisiklik ButceVerisi::kayitGuncelle(const DefterTanimi& defter, qint64 kimlik,
                                      const KayitDegeri& deger)
{
    Islem islem;
    Degisiklik degisiklik;
    // The groups, the first two fields, stay as stored.
    degisiklik.satirGuncelle(Sema::kayitTablosu(defter), kimlik, [&](QVariantList& alanlar) {
        alanlar[2] = deger.yil;
        alanlar[3] = deger.ay;
        alanlar[4] = deger.tahmin;
        alanlar[5] = deger.gerceklesen;
    });
    islem.onayla();
    return degisiklik;
}

ButceVerisi::DonemToplami ButceVerisi::donemToplami(const DefterTanimi& defter, int yil,
                                                    const std::optional<QString>& ay)
{
    SorguSonucu KayitKumesi = donemSorgusu(
        donemToplamiSorgusu.arg(defter.kayitTablosu, defter.tahminAlani, defter.yilAlani), defter,
        yil, ay);
    if (!KayitKumesi.sonraki())
        return {};
    const Tutar::Toplam t = Tutar::toplam(KayitKumesi.alan(0));
    return {t.tahminKurus, t.gerceklesenKurus, t.okunamayan};
}

ButceVerisi::PlanSayilari ButceVerisi::planSay(const QList<const DefterTanimi*>& defterler,
                                               const PlanKopyasi& kopya)
{
    PlanSayilari sayilar;
    for (const DefterTanimi* defter : defterler) {
        const Plan plan = planHazirla(*defter, kopya);
        sayilar.olusacak += qint64(plan.olusacak.size());
        sayilar.atlanacak += plan.atlanacak;
    }
    return sayilar;
}

ButceVerisi::KopyalananPlan ButceVerisi::planKopyala(const QList<const DefterTanimi*>& defterler,
                                                     const PlanKopyasi& kopya)
{
    Islem islem;
    KopyalananPlan sonuc;
    for (const DefterTanimi* defter : defterler) {
        const Plan plan = planHazirla(*defter, kopya);
        const Sema::Tablo tablo = Sema::kayitTablosu(*defter);
        SatirYazici yazici(tablo);
        for (const PlanSatiri& satir : plan.olusacak) {
            const QVariantList degerler{satir.anaGrup,  satir.altGrup,
                                        kopya.hedefYil, Takvim::ayAdlari()[satir.ay - 1],
                                        satir.tahmin,   QVariant()};
            sonuc.degisiklik.eklendi(tablo, yazici.yaz(degerler), degerler);
        }
        sonuc.sayilar.olusacak += qint64(plan.olusacak.size());
        sonuc.sayilar.atlanacak += plan.atlanacak;
    }
    islem.onayla();
    return sonuc;
}

std::vector<ButceVerisi::Kayit> ButceVerisi::tumKayitlar(const DefterTanimi& defter)
{
    std::vector<Kayit> kayitlar;
    OrtakMetinler ortak;
    {
        SorguSonucu KayitKumesi(kayitSecimi.arg(defter.kayitTablosu, defter.tahminAlani,
                                                defter.yilAlani, defter.ayAlani));
        while (KayitKumesi.sonraki()) {
            kayitlar.push_back(kayitOku(KayitKumesi));
            ortak.paylas(kayitlar.back());
        }
    }
    disaAktarimSirasinaKoy(kayitlar, ortak);
    return kayitlar;
}

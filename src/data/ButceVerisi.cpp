#include "ButceVerisi.h"

#include "Baglanti.h"
#include "Islem.h"
#include "Lehce.h"
#include "Motor.h"
#include "Sema.h"
#include "SorguSonucu.h"
#include "Takvim.h"
#include "TurkceMetin.h"
#include "Tutar.h"

#include <QSet>

#include <algorithm>
#include <climits>

namespace
{

// %1 and on are table and field names from the ledger descriptor; values are always bound.
const QString anaGruplarSorgusu = QStringLiteral("SELECT GrupAdi FROM %1");
const QString altGruplarSorgusu =
    QStringLiteral("SELECT GrupAdi FROM %1 WHERE AnaGrup = ? COLLATE TURKCE");
const QString tumAltGruplarSorgusu = QStringLiteral("SELECT DISTINCT GrupAdi FROM %1");
const QString anaGrupVarSorgusu =
    QStringLiteral("SELECT 1 FROM %1 WHERE GrupAdi = ? COLLATE TURKCE LIMIT 1");
const QString altGrupVarSorgusu = QStringLiteral(
    "SELECT 1 FROM %1 WHERE AnaGrup = ? COLLATE TURKCE AND GrupAdi = ? COLLATE TURKCE LIMIT 1");
// The row of the pair that goes; one spelt exactly as listed is preferred over one in other case.
const QString altGrupSatiriSorgusu = QStringLiteral(
    "SELECT rowid, AnaGrup FROM %1 WHERE AnaGrup = ? COLLATE TURKCE AND GrupAdi = ? COLLATE "
    "TURKCE ORDER BY GrupAdi = ? DESC, AnaGrup = ? DESC, rowid LIMIT 1");

// Every entry, read by kayitOku(); the listings add their conditions.
const QString kayitSecimi =
    QStringLiteral("SELECT Kimlik, AnaGrup, GrupAdi, %3, %4, %2, Gerceklesen FROM %1");
const QString anaGrupKosulu = QStringLiteral("AnaGrup = ? COLLATE TURKCE");
// The same within a year (%2 its field): the spellings of the main group among the year's entries,
// found by hopping from one distinct name to the next along the (year, main group, …) index, then
// sought in it. A few dozen look-ups instead of the Turkish comparison of every entry of the
// year, which no index can serve.
const QString yildakiAnaGrupKosulu = QStringLiteral(
    "AnaGrup IN (WITH RECURSIVE Yazimlar(Ad) AS (SELECT MIN(AnaGrup) FROM %1 WHERE %2 = ? "
    "UNION ALL SELECT (SELECT MIN(AnaGrup) FROM %1 WHERE %2 = ? AND AnaGrup > Ad) FROM Yazimlar "
    "WHERE Ad IS NOT NULL) SELECT Ad FROM Yazimlar WHERE Ad = ? COLLATE TURKCE)");
const QString altGrupKosulu = QStringLiteral("GrupAdi = ? COLLATE TURKCE");
const QString kimlikKosulu = QStringLiteral("Kimlik = ?");

// Sums by the amount rule of Tutar, the same in every statement.
const QString donemToplamiSorgusu = QStringLiteral("SELECT TUTAR_TOPLAMI(%2, Gerceklesen) FROM %1");

// %4 is empty or the year condition; either way an index holds every field read, so the table
// itself is not visited.
const QString aylikToplamlarSorgusu =
    QStringLiteral("SELECT %2, TUTAR_TOPLAMI(%3, Gerceklesen) FROM %1%4 GROUP BY %2");
const QString yilKosulu = QStringLiteral(" WHERE %1 = ?");
// The same from the sums the triggers keep by year and month: a few hundred rows at most.
const QString saklananToplamlarSorgusu = QStringLiteral("SELECT %2 FROM %1%3");
// Hops from one year to the next along the year index instead of reading every entry: a few
// dozen index look-ups rather than a scan of the table.
const QString yillarSorgusu = QStringLiteral(
    "WITH RECURSIVE Yillar(Yil) AS (SELECT MIN(%2) FROM %1 UNION ALL "
    "SELECT (SELECT MIN(%2) FROM %1 WHERE %2 > Yil) FROM Yillar WHERE Yil IS NOT NULL) "
    "SELECT Yil FROM Yillar WHERE Yil IS NOT NULL");

const QString satirSayisiSorgusu = QStringLiteral("SELECT count(*) FROM %1");
const QString enBuyukKimlikSorgusu = QStringLiteral("SELECT ifnull(max(Kimlik), 0) FROM %1");

qint64 tekSayi(const QString& sql, const QVariantList& degerler = {})
{
    SorguSonucu sorgu(sql, degerler);
    return sorgu.sonraki() ? sorgu.alan(0).toLongLong() : 0;
}

QStringList adlariOku(SorguSonucu& sorgu)
{
    QStringList adlar;
    while (sorgu.sonraki())
        adlar << sorgu.alan(0).toString();
    TurkceMetin::alfabetikSirala(adlar);
    return adlar;
}

// An entry from its Kimlik and its six stored fields (Sema::kayitTablosu's), `alan(i)` giving
// the i-th.
template <typename Alan>
ButceVerisi::Kayit kayitYap(qint64 kimlik, const Alan& alan, QVariantList alanlar)
{
    const std::optional<qint64> tahmin = Tutar::kurus(alan(4));
    const std::optional<qint64> gerceklesen = Tutar::kurus(alan(5));
    const int okunamayan = !tahmin + (!gerceklesen && !alan(5).isNull());
    return {kimlik,       alan(0).toString(), alan(1).toString(), alan(2).toInt(),
            alan(3).toString(), tahmin,      gerceklesen,       okunamayan,
            std::move(alanlar)};
}

ButceVerisi::Kayit kayitOku(const SorguSonucu& sorgu, bool alanlariyla)
{
    QVariantList alanlar;
    for (int i = 1; alanlariyla && i <= 6; ++i)
        alanlar << sorgu.alan(i);
    return kayitYap(sorgu.alan(0).toLongLong(), [&](int i) { return sorgu.alan(i + 1); },
                    std::move(alanlar));
}

// Groups and months repeat over many entries: the rows share one copy of each distinct text.
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

bool altGrupVar(const DefterTanimi& defter, const QString& anaGrup, const QString& ad)
{
    SorguSonucu sorgu(altGrupVarSorgusu.arg(defter.altGrupTablosu), {anaGrup, ad});
    return sorgu.sonraki();
}

} // namespace

QStringList ButceVerisi::anaGruplar(const DefterTanimi& defter)
{
    SorguSonucu sorgu(anaGruplarSorgusu.arg(defter.anaGrupTablosu));
    return adlariOku(sorgu);
}

QStringList ButceVerisi::altGruplar(const DefterTanimi& defter, const QString& anaGrup)
{
    SorguSonucu sorgu(altGruplarSorgusu.arg(defter.altGrupTablosu), {anaGrup});
    return adlariOku(sorgu);
}

QStringList ButceVerisi::tumAltGruplar(const DefterTanimi& defter)
{
    SorguSonucu sorgu(tumAltGruplarSorgusu.arg(defter.altGrupTablosu));
    return adlariOku(sorgu);
}

bool ButceVerisi::anaGrupVar(const DefterTanimi& defter, const QString& ad)
{
    SorguSonucu sorgu(anaGrupVarSorgusu.arg(defter.anaGrupTablosu), {ad});
    return sorgu.sonraki();
}

Degisiklik ButceVerisi::grupEkle(const DefterTanimi& defter, const QString& anaGrup,
                                 const QString& altGrup)
{
    Islem islem;
    Degisiklik degisiklik;
    grupEkle(degisiklik, defter, anaGrup, altGrup);
    islem.onayla();
    return degisiklik;
}

void ButceVerisi::grupEkle(Degisiklik& degisiklik, const DefterTanimi& defter,
                           const QString& anaGrup, const QString& altGrup)
{
    // Asked inside the transaction, so that no other program adds the same one in between.
    if (altGrupVar(defter, anaGrup, altGrup))
        return;
    if (!anaGrupVar(defter, anaGrup))
        degisiklik.satirEkle(Sema::anaGrupTablosu(defter), {anaGrup});
    degisiklik.satirEkle(Sema::altGrupTablosu(defter), {anaGrup, altGrup});
}

Degisiklik ButceVerisi::altGrupSil(const DefterTanimi& defter, const QString& anaGrup,
                                   const QString& ad)
{
    Islem islem;
    Degisiklik degisiklik;
    qint64 satir = 0;
    QVariant satirinAnaGrubu;
    {
        SorguSonucu sorgu(altGrupSatiriSorgusu.arg(defter.altGrupTablosu),
                          {anaGrup, ad, ad, anaGrup});
        if (sorgu.sonraki())
            satir = sorgu.alan(0).toLongLong(), satirinAnaGrubu = sorgu.alan(1);
    }
    // The sub-group goes only while it is spelt as listed; one another program renamed stays.
    if (satir)
        degisiklik.satirSil(Sema::altGrupTablosu(defter), satir, QVariantList{satirinAnaGrubu, ad});
    islem.onayla();
    return degisiklik;
}

std::vector<ButceVerisi::Kayit> ButceVerisi::kayitlar(const DefterTanimi& defter,
                                                      const KayitSuzgeci& suzgec)
{
    QVariantList degerler;
    QStringList kosullar;
    if (suzgec.donem.yil) {
        kosullar << yildakiAnaGrupKosulu.arg(defter.kayitTablosu, defter.yilAlani);
        degerler << *suzgec.donem.yil << *suzgec.donem.yil << suzgec.anaGrup;
    } else {
        kosullar << anaGrupKosulu;
        degerler << suzgec.anaGrup;
    }
    if (suzgec.altGrup) {
        kosullar << altGrupKosulu;
        degerler << *suzgec.altGrup;
    }
    if (suzgec.kimlik) {
        kosullar << kimlikKosulu;
        degerler << *suzgec.kimlik;
    }
    const QString sql =
        kayitSecimi.arg(defter.kayitTablosu, defter.tahminAlani, defter.yilAlani, defter.ayAlani) +
        suzgec.donem.kosulu(defter, degerler, kosullar);

    // Sorted here rather than by ORDER BY Kimlik, which steers the engine to the year index (its
    // entries come in Kimlik order) and so to every entry of the year read from the table; without
    // it the engine reads the (year, main group, sub-group, month, amounts) index alone, which
    // holds every field listed.
    SorguSonucu sorgu(sql, degerler);
    std::vector<Kayit> sonuc;
    while (sorgu.sonraki())
        sonuc.push_back(kayitOku(sorgu, true));
    std::sort(sonuc.begin(), sonuc.end(),
              [](const Kayit& a, const Kayit& b) { return a.kimlik < b.kimlik; });
    return sonuc;
}

Degisiklik ButceVerisi::kayitEkle(const DefterTanimi& defter, const YeniKayit& kayit)
{
    Islem islem;
    Degisiklik degisiklik;
    degisiklik.satirEkle(Sema::kayitTablosu(defter),
                         {kayit.anaGrup, kayit.altGrup, kayit.yil, kayit.ay,
                          Tutar::alanDegeri(kayit.tahminKurus),
                          Tutar::alanDegeri(kayit.gerceklesenKurus)});
    islem.onayla();
    return degisiklik;
}

Degisiklik ButceVerisi::kayitSil(const DefterTanimi& defter, const Kayit& listelenen)
{
    Islem islem;
    Degisiklik degisiklik;
    degisiklik.satirSil(Sema::kayitTablosu(defter), listelenen.kimlik, listelenen.beklenen());
    islem.onayla();
    return degisiklik;
}

namespace
{

// Adds a month's sums, the month as stored, into the twelve; other spellings count nowhere.
void ayaEkle(std::array<ButceVerisi::AylikToplam, 12>& toplamlar, const QString& ay,
             const Tutar::Toplam& eklenen)
{
    for (int i = 0; i < 12; ++i) {
        if (TurkceMetin::esit(ay, Takvim::ayAdlari()[i])) {
            Tutar::ekle(toplamlar[i], eklenen);
            return;
        }
    }
}

// None when a stored sum is no whole number: it overflowed once and is no longer exact.
std::optional<std::array<ButceVerisi::AylikToplam, 12>>
saklananToplamlar(const DefterTanimi& defter, std::optional<int> yil)
{
    const Sema::Tablo tablo = Sema::aylikToplamTablosu(defter);
    SorguSonucu sorgu(saklananToplamlarSorgusu.arg(tablo.ad,
                                                   tablo.alanlar.mid(1).join(QStringLiteral(", ")),
                                                   yil ? yilKosulu.arg(tablo.alanlar[0])
                                                       : QString()),
                      yil ? QVariantList{*yil} : QVariantList{});
    std::array<ButceVerisi::AylikToplam, 12> toplamlar{};
    while (sorgu.sonraki()) {
        qint64 t[6];
        for (int i = 0; i < 6; ++i) {
            const QVariant deger = sorgu.alan(i + 1);
            // The server's driver reads a BIGINT that is not negative as an unsigned number.
            if (deger.typeId() != QMetaType::LongLong && deger.typeId() != QMetaType::ULongLong)
                return std::nullopt;
            t[i] = deger.toLongLong();
        }
        ayaEkle(toplamlar, sorgu.alan(0).toString(), {t[0], t[1], t[2], t[3], t[4], t[5]});
    }
    return toplamlar;
}

} // namespace

std::array<ButceVerisi::AylikToplam, 12> ButceVerisi::aylikToplamlar(const DefterTanimi& defter,
                                                                     std::optional<int> yil)
{
    if (Baglanti::program().motor().aylikToplamlarHazir(defter))
        if (auto saklanan = saklananToplamlar(defter, yil))
            return *saklanan;
    std::array<AylikToplam, 12> toplamlar{};
    SorguSonucu sorgu(aylikToplamlarSorgusu.arg(defter.kayitTablosu, defter.ayAlani,
                                                defter.tahminAlani,
                                                yil ? yilKosulu.arg(defter.yilAlani) : QString()),
                      yil ? QVariantList{*yil} : QVariantList{});
    while (sorgu.sonraki())
        ayaEkle(toplamlar, sorgu.alan(0).toString(), Tutar::toplam(sorgu.alan(1)));
    return toplamlar;
}

qint64 ButceVerisi::satirSayisi(const QString& tablo)
{
    return tekSayi(satirSayisiSorgusu.arg(tablo));
}

std::optional<QString> ButceVerisi::butunlukSorunu()
{
    return Sema::butunlukSorunu(Baglanti::program().db());
}

qint64 ButceVerisi::enBuyukKimlik(const DefterTanimi& defter)
{
    return tekSayi(enBuyukKimlikSorgusu.arg(defter.kayitTablosu));
}

qint64 ButceVerisi::kimlikSayaci(const DefterTanimi& defter)
{
    return tekSayi(Baglanti::program().lehce().kimlikSayaciSorgusu(), {defter.kayitTablosu});
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

qint64 ButceVerisi::veriSurumu()
{
    return Baglanti::program().motor().veriSurumu();
}

// Other tools may have left years that are text or fractions; those only count under every year.
std::vector<int> ButceVerisi::kayitliYillar(const DefterTanimi& defter)
{
    SorguSonucu sorgu(yillarSorgusu.arg(defter.kayitTablosu, defter.yilAlani));
    std::vector<int> yillar;
    while (sorgu.sonraki()) {
        const QVariant yil = sorgu.alan(0);
        const qint64 deger = yil.toLongLong();
        // The server's driver reads a BIGINT as an unsigned number.
        const bool tamsayi =
            yil.typeId() == QMetaType::LongLong || yil.typeId() == QMetaType::ULongLong;
        if (tamsayi && deger >= INT_MIN && deger <= INT_MAX)
            yillar.push_back(int(deger));
    }
    return yillar;
}

Degisiklik ButceVerisi::kayitGuncelle(const DefterTanimi& defter, const Kayit& listelenen,
                                      const KayitDegeri& deger)
{
    Islem islem;
    Degisiklik degisiklik;
    kayitDegeriniYaz(degisiklik, defter, listelenen, deger);
    islem.onayla();
    return degisiklik;
}

bool ButceVerisi::kayitDegeriniYaz(Degisiklik& degisiklik, const DefterTanimi& defter,
                                   const Kayit& listelenen, const KayitDegeri& deger)
{
    // The groups, the first two fields, stay as stored.
    return degisiklik.satirGuncelle(Sema::kayitTablosu(defter), listelenen.kimlik,
                                    listelenen.beklenen(), [&](QVariantList& alanlar) {
                                        alanlar[2] = deger.yil;
                                        alanlar[3] = deger.ay;
                                        alanlar[4] = Tutar::alanDegeri(deger.tahminKurus);
                                        alanlar[5] = Tutar::alanDegeri(deger.gerceklesenKurus);
                                    });
}

ButceVerisi::DonemToplami ButceVerisi::donemToplami(const DefterTanimi& defter, const Donem& donem)
{
    QVariantList degerler;
    const QString sql = donemToplamiSorgusu.arg(defter.kayitTablosu, defter.tahminAlani) +
                        donem.kosulu(defter, degerler);
    SorguSonucu sorgu(sql, degerler);
    if (!sorgu.sonraki())
        return {};
    const Tutar::Toplam t = Tutar::toplam(sorgu.alan(0));
    return {t.tahminKurus, t.gerceklesenKurus, t.okunamayan};
}

namespace
{

// An entry from a row as a command wrote it; empty for none.
ButceVerisi::Kayit yazilanKayit(qint64 kimlik, const std::optional<QVariantList>& alanlar)
{
    if (!alanlar)
        return {};
    return kayitYap(kimlik, [&](int i) { return alanlar->value(i); }, *alanlar);
}

} // namespace

std::vector<ButceVerisi::KayitDegisimi>
ButceVerisi::kayitDegisimleri(const DefterTanimi& defter, const Degisiklik& degisiklik)
{
    std::vector<KayitDegisimi> degisimler;
    for (const Degisiklik::Satir& s : degisiklik.yazilanlar())
        if (s.tablo.ad == defter.kayitTablosu)
            degisimler.push_back({yazilanKayit(s.satir, s.once), yazilanKayit(s.satir, s.sonra)});
    return degisimler;
}

// Ordered by the year alone, which the (year, main group, sub-group, month, amounts) index serves
// as it stands, with the Kimlik it carries: the table itself is not read.
void ButceVerisi::yilYilKayitlar(const DefterTanimi& defter,
                                 const std::function<void(std::vector<Kayit>&)>& yil)
{
    std::vector<Kayit> kayitlar;
    OrtakMetinler ortak;
    SorguSonucu sorgu(kayitSecimi.arg(defter.kayitTablosu, defter.tahminAlani, defter.yilAlani,
                                      defter.ayAlani) +
                      QStringLiteral(" ORDER BY %1").arg(defter.yilAlani));
    while (sorgu.sonraki()) {
        Kayit k = kayitOku(sorgu, false);
        if (!kayitlar.empty() && k.yil != kayitlar.back().yil) {
            yil(kayitlar);
            kayitlar.clear();
        }
        ortak.paylas(k);
        kayitlar.push_back(std::move(k));
    }
    if (!kayitlar.empty())
        yil(kayitlar);
}

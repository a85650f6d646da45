#include "GrupDuzeltme.h"

#include "Islem.h"
#include "Sema.h"
#include "SorguSonucu.h"
#include "TurkceMetin.h"

namespace
{

// %1 is a table of the ledger, %2 a condition below; values are always bound. Of several rows
// that match in letter case, the one spelt as asked comes first.
const QString adSorgusu =
    QStringLiteral("SELECT GrupAdi FROM %1 WHERE %2 ORDER BY GrupAdi = ? DESC, rowid LIMIT 1");
const QString sayiSorgusu = QStringLiteral("SELECT count(*) FROM %1 WHERE %2");

const QString adKosulu = QStringLiteral("GrupAdi = ? COLLATE TURKCE");
const QString anaGrupKosulu = QStringLiteral("AnaGrup = ? COLLATE TURKCE");
const QString ciftKosulu = anaGrupKosulu + QStringLiteral(" AND ") + adKosulu;
// The sub-groups of one main group (first value) that another (second value) has by the same
// name; %1 is the sub-group table.
const QString ortakAltGrupKosulu =
    anaGrupKosulu + QStringLiteral(" AND EXISTS (SELECT 1 FROM %1 AS hedef WHERE hedef.AnaGrup = ? "
                                   "COLLATE TURKCE AND hedef.GrupAdi = %1.GrupAdi COLLATE TURKCE)");

std::optional<QString> ad(const QString& tablo, const QString& kosul, QVariantList degerler,
                          const QString& aranan)
{
    SorguSonucu sorgu(adSorgusu.arg(tablo, kosul), degerler << aranan);
    if (!sorgu.sonraki())
        return std::nullopt;
    return sorgu.alan(0).toString();
}

qint64 say(const QString& tablo, const QString& kosul, const QVariantList& degerler)
{
    SorguSonucu sorgu(sayiSorgusu.arg(tablo, kosul), degerler);
    return sorgu.sonraki() ? sorgu.alan(0).toLongLong() : 0;
}

GrupDuzeltme::Sonuc reddet(GrupDuzeltme::Durum durum, qint64 kayitSayisi = 0)
{
    GrupDuzeltme::Sonuc sonuc;
    sonuc.durum = durum;
    sonuc.kayitSayisi = kayitSayisi;
    return sonuc;
}

} // namespace

std::optional<QString> GrupDuzeltme::anaGrup(const DefterTanimi& defter, const QString& ad)
{
    return ::ad(defter.anaGrupTablosu, adKosulu, {ad}, ad);
}

std::optional<QString> GrupDuzeltme::altGrup(const DefterTanimi& defter, const QString& anaGrup,
                                             const QString& ad)
{
    return ::ad(defter.altGrupTablosu, ciftKosulu, {anaGrup, ad}, ad);
}

qint64 GrupDuzeltme::kayitSayisi(const DefterTanimi& defter, const QString& anaGrup,
                                 const std::optional<QString>& altGrup)
{
    if (altGrup)
        return say(defter.kayitTablosu, ciftKosulu, {anaGrup, *altGrup});
    return say(defter.kayitTablosu, anaGrupKosulu, {anaGrup});
}

GrupDuzeltme::Sonuc GrupDuzeltme::anaGrupAdlandir(const DefterTanimi& defter, const QString& eski,
                                                  const QString& yeni, bool birlestir)
{
    if (TurkceMetin::esit(eski, yeni))
        return reddet(Durum::AdAyni);
    Islem islem;
    // Asked again inside the transaction: another program may have changed either meanwhile.
    if (!anaGrup(defter, eski))
        return reddet(Durum::GrupYok);
    const std::optional<QString> hedef = anaGrup(defter, yeni);
    if (hedef && !birlestir)
        return reddet(Durum::HedefVar);

    Sonuc sonuc;
    sonuc.anaGrup = hedef.value_or(yeni);
    sonuc.birlesti = hedef.has_value();
    const std::map<int, QVariant> adlandir{{0, sonuc.anaGrup}};
    Degisiklik& d = sonuc.degisiklik;
    const Sema::Tablo altGruplar = Sema::altGrupTablosu(defter);
    if (hedef) {
        d.satirlariSil(Sema::anaGrupTablosu(defter), adKosulu, {eski});
        // A sub-group the target has already: its entries join the target's one of that name.
        d.satirlariSil(altGruplar, ortakAltGrupKosulu.arg(altGruplar.ad), {eski, *hedef});
    } else {
        d.satirlariGuncelle(Sema::anaGrupTablosu(defter), adKosulu, {eski}, adlandir);
    }
    d.satirlariGuncelle(altGruplar, anaGrupKosulu, {eski}, adlandir);
    sonuc.kayitSayisi =
        d.satirlariGuncelle(Sema::kayitTablosu(defter), anaGrupKosulu, {eski}, adlandir);
    islem.onayla();
    return sonuc;
}

GrupDuzeltme::Sonuc GrupDuzeltme::altGrupDuzelt(const DefterTanimi& defter, const QString& anaGrup,
                                                const QString& ad, const QString& yeniAnaGrup,
                                                const QString& yeniAd, bool birlestir)
{
    const bool tasinir = !TurkceMetin::esit(anaGrup, yeniAnaGrup);
    if (!tasinir && TurkceMetin::esit(ad, yeniAd))
        return reddet(Durum::AdAyni);
    Islem islem;
    const std::optional<QString> kaynak = altGrup(defter, anaGrup, ad);
    if (!kaynak)
        return reddet(Durum::GrupYok);
    const std::optional<QString> hedefAnaGrup =
        tasinir ? GrupDuzeltme::anaGrup(defter, yeniAnaGrup) : anaGrup;
    if (!hedefAnaGrup)
        return reddet(Durum::HedefYok);
    const std::optional<QString> hedef = altGrup(defter, *hedefAnaGrup, yeniAd);
    if (hedef && !birlestir)
        return reddet(Durum::HedefVar);

    Sonuc sonuc;
    sonuc.birlesti = hedef.has_value();
    const bool adDegisir = hedef || !TurkceMetin::esit(ad, yeniAd);
    sonuc.anaGrup = tasinir ? *hedefAnaGrup : anaGrup;
    sonuc.altGrup = adDegisir ? hedef.value_or(yeniAd) : *kaynak;
    std::map<int, QVariant> duzelt;
    if (tasinir)
        duzelt[0] = sonuc.anaGrup;
    if (adDegisir)
        duzelt[1] = sonuc.altGrup;
    const Sema::Tablo altGruplar = Sema::altGrupTablosu(defter);
    if (hedef)
        sonuc.degisiklik.satirlariSil(altGruplar, ciftKosulu, {anaGrup, ad});
    else
        sonuc.degisiklik.satirlariGuncelle(altGruplar, ciftKosulu, {anaGrup, ad}, duzelt);
    sonuc.kayitSayisi = sonuc.degisiklik.satirlariGuncelle(Sema::kayitTablosu(defter), ciftKosulu,
                                                           {anaGrup, ad}, duzelt);
    islem.onayla();
    return sonuc;
}

GrupDuzeltme::Sonuc GrupDuzeltme::anaGrupSil(const DefterTanimi& defter, const QString& ad)
{
    Islem islem;
    if (!anaGrup(defter, ad))
        return reddet(Durum::GrupYok);
    if (const qint64 kayitlar = kayitSayisi(defter, ad))
        return reddet(Durum::KayitlariVar, kayitlar);
    Sonuc sonuc;
    sonuc.degisiklik.satirlariSil(Sema::altGrupTablosu(defter), anaGrupKosulu, {ad});
    sonuc.degisiklik.satirlariSil(Sema::anaGrupTablosu(defter), adKosulu, {ad});
    islem.onayla();
    return sonuc;
}

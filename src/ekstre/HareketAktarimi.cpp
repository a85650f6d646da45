#include "HareketAktarimi.h"

#include "BankaHareketleri.h"
#include "ButceVerisi.h"
#include "DefterTanimi.h"
#include "EkstreOkuma.h"
#include "Islem.h"
#include "Sema.h"
#include "SorguSonucu.h"
#include "Takvim.h"
#include "TurkceMetin.h"
#include "Tutar.h"
#include "VeriHatasi.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <set>

using namespace HareketAktarimi;

namespace
{

const QString parmakizleriSorgusu =
    QStringLiteral("SELECT Parmakizi FROM BankaHareketleri WHERE Kaynak = ?");
// A year's entries of the ledger, each with its stored fields in the order of Sema::kayitTablosu.
const QString yilKayitlariSorgusu =
    QStringLiteral("SELECT Kimlik, AnaGrup, GrupAdi, %2, %3, %4, Gerceklesen FROM %1 WHERE %2 = ?");

QString katla(const QString& metin)
{
    return TurkceMetin::buyukHarf(metin.simplified());
}

// What a movement adds to its entry's realised amount.
qint64 katki(const Hedef& hedef, qint64 tutar)
{
    return hedef.defter == &gelirDefteri() ? tutar : -tutar;
}

struct Grup {
    Hedef hedef;
    qint64 toplam = 0;
    int sayi = 0;
    std::vector<size_t> hareketler;
};

// The movements sorted out against what the budget holds: the new ones to keep, each assigned
// one in the group of its entry.
struct Ayiklama {
    Sayilar sayilar;
    std::vector<QString> parmakizleri;
    std::vector<size_t> saklanacak;
    std::map<KayitAnahtari, Grup> gruplar;
};

Ayiklama ayikla(const QString& kaynak, const std::vector<AtanmisHareket>& hareketler)
{
    QSet<QString> bilinen;
    {
        SorguSonucu sorgu(parmakizleriSorgusu, {kaynak});
        while (sorgu.sonraki())
            bilinen.insert(sorgu.alan(0).toString());
    }
    Ayiklama a;
    for (size_t i = 0; i < hareketler.size(); ++i) {
        const AtanmisHareket& h = hareketler[i];
        a.parmakizleri.push_back(parmakizi(kaynak, h.hareket));
        if (bilinen.contains(a.parmakizleri.back())) {
            ++a.sayilar.zatenVar;
            continue;
        }
        // A movement without a date belongs to no month.
        if (!h.hedef || !h.hareket.tarih.isValid()) {
            ++a.sayilar.atanmamis;
            continue;
        }
        bilinen.insert(a.parmakizleri.back());
        a.saklanacak.push_back(i);
        if (h.hedef->yokSayilir()) {
            ++a.sayilar.yokSayilan;
            continue;
        }
        ++a.sayilar.yeni;
        Grup& g = a.gruplar[KayitAnahtari::olustur(*h.hedef, h.hareket.tarih)];
        if (g.sayi++ == 0)
            g.hedef = *h.hedef;
        g.toplam = Tutar::topla(g.toplam, katki(*h.hedef, h.hareket.tutar));
        g.hareketler.push_back(i);
    }
    return a;
}

// An entry as stored: Kimlik, then the fields of Sema::kayitTablosu.
struct MevcutKayit {
    qint64 kimlik = 0;
    QVariantList alanlar;
};

// The entry of each key the movements go to: of several, the lowest Kimlik. Each ledger's year
// is read once.
std::map<KayitAnahtari, MevcutKayit> mevcutKayitlar(const std::map<KayitAnahtari, Grup>& gruplar)
{
    std::map<KayitAnahtari, MevcutKayit> sonuc;
    std::set<std::pair<const DefterTanimi*, int>> okunan;
    for (const auto& [anahtar, grup] : gruplar) {
        if (!okunan.insert({anahtar.defter, anahtar.yil}).second)
            continue;
        const DefterTanimi& d = *anahtar.defter;
        SorguSonucu sorgu(yilKayitlariSorgusu.arg(d.kayitTablosu, d.yilAlani, d.ayAlani,
                                                  d.tahminAlani),
                          {anahtar.yil});
        while (sorgu.sonraki()) {
            const KayitAnahtari k{&d, katla(sorgu.alan(1).toString()),
                                  katla(sorgu.alan(2).toString()), anahtar.yil,
                                  Takvim::ayNumarasi(sorgu.alan(4).toString().trimmed())};
            if (!gruplar.contains(k))
                continue;
            const qint64 kimlik = sorgu.alan(0).toLongLong();
            auto [yer, yeni] = sonuc.try_emplace(k);
            if (!yeni && yer->second.kimlik < kimlik)
                continue;
            yer->second.kimlik = kimlik;
            yer->second.alanlar.clear();
            for (int i = 1; i <= 6; ++i)
                yer->second.alanlar << sorgu.alan(i);
        }
    }
    return sonuc;
}

std::vector<KayitOnizlemesi> onizlemeler(const Ayiklama& a)
{
    const std::map<KayitAnahtari, MevcutKayit> mevcut = mevcutKayitlar(a.gruplar);
    std::map<const DefterTanimi*, QSet<qint64>> hareketliler;
    std::vector<KayitOnizlemesi> sonuc;
    for (const auto& [anahtar, grup] : a.gruplar) {
        KayitOnizlemesi o;
        o.anahtar = anahtar;
        o.anaGrup = grup.hedef.anaGrup;
        o.altGrup = grup.hedef.altGrup;
        o.hareketToplami = grup.toplam;
        o.hareketSayisi = grup.sayi;
        const auto bulunan = mevcut.find(anahtar);
        if (bulunan != mevcut.end()) {
            const MevcutKayit& m = bulunan->second;
            o.kimlik = m.kimlik;
            o.alanlar = m.alanlar;
            o.anaGrup = m.alanlar[0].toString();
            o.altGrup = m.alanlar[1].toString();
            o.tahminKurus = Tutar::kurus(m.alanlar[4]).value_or(0);
            o.gerceklesenKurus = Tutar::kurus(m.alanlar[5]);
            if (!hareketliler.contains(anahtar.defter))
                hareketliler[anahtar.defter] =
                    BankaHareketleri::hareketliKimlikler(*anahtar.defter);
            using D = KayitOnizlemesi::Durum;
            o.durum = hareketliler[anahtar.defter].contains(m.kimlik) ? D::Hareketli
                      : m.alanlar[5].isNull()                          ? D::Planli
                                                                       : D::ElleGirilmis;
        }
        sonuc.push_back(std::move(o));
    }
    std::sort(sonuc.begin(), sonuc.end(), [](const KayitOnizlemesi& x, const KayitOnizlemesi& y) {
        const auto sira = [](const KayitOnizlemesi& o) {
            return std::tuple(o.anahtar.defter != &gelirDefteri(), o.anahtar.yil, o.anahtar.ay);
        };
        if (sira(x) != sira(y))
            return sira(x) < sira(y);
        return TurkceMetin::alfabetikOnce(x.anaGrup + u'\x1f' + x.altGrup,
                                          y.anaGrup + u'\x1f' + y.altGrup);
    });
    return sonuc;
}

// The realised amount the entry is left with.
std::optional<qint64> yeniGerceklesen(const KayitOnizlemesi& o, ElleGirilen secim)
{
    using D = KayitOnizlemesi::Durum;
    const bool ustuneEkle =
        o.durum == D::Hareketli || (o.durum == D::ElleGirilmis && secim == ElleGirilen::UstuneEkle);
    return ustuneEkle ? Tutar::topla(o.gerceklesenKurus.value_or(0), o.hareketToplami)
                      : o.hareketToplami;
}

QVariant bos()
{
    return QVariant(QMetaType::fromType<QString>());
}

} // namespace

KayitAnahtari KayitAnahtari::olustur(const Hedef& hedef, const QDate& tarih)
{
    return {hedef.defter, katla(hedef.anaGrup), katla(hedef.altGrup), tarih.year(), tarih.month()};
}

QString HareketAktarimi::kaynak(const EkstreOkuma& okuma, const QString& dosyaAdi)
{
    static const QRegularExpression iban(
        QStringLiteral("\\bTR\\s?\\d{2}(?:\\s?\\d{4}){5}\\s?\\d{2}\\b"));
    static const QRegularExpression kart(
        QStringLiteral("\\b\\d{4}\\s?\\d{2}[*Xx]{2}\\s?[*Xx]{4}\\s?\\d{4}\\b"));
    const int baslik = okuma.duzen.baslikSatiri;
    for (int i = 0; i < baslik && i < okuma.tablo.satirlar.size(); ++i)
        for (const Hucre& h : okuma.tablo.satirlar[i].hucreler)
            for (const QRegularExpression* desen : {&iban, &kart})
                if (const auto bulunan = desen->match(h.metin); bulunan.hasMatch())
                    return QStringLiteral("Hesap: ") +
                           bulunan.captured().remove(u' ').toUpper();
    if (baslik >= 0)
        return QStringLiteral("Düzen: ") + EkstreDuzeni::imza(okuma.tablo, baslik);
    return QStringLiteral("Dosya: ") + dosyaAdi;
}

QString HareketAktarimi::parmakizi(const QString& kaynak, const Hareket& h)
{
    const QString metin = QStringList{kaynak, h.tarih.toString(Qt::ISODate), QString::number(h.tutar),
                                      katla(h.aciklama), QString::number(h.ayniGunSirasi)}
                              .join(u'\x1f');
    return QString::fromLatin1(
        QCryptographicHash::hash(metin.toUtf8(), QCryptographicHash::Sha256).toHex());
}

std::vector<Atama> HareketAktarimi::ata(const QList<Hareket>& hareketler,
                                        const std::vector<Kural>& kurallar)
{
    const Kurallar::Eslestirici eslestirici(kurallar);
    std::vector<Atama> sonuc;
    sonuc.reserve(hareketler.size());
    for (const Hareket& h : hareketler)
        sonuc.push_back({h, eslestirici.eslestir(h.aciklama, h.tutar)});
    return sonuc;
}

Onizleme HareketAktarimi::onizle(const QString& kaynak, const std::vector<AtanmisHareket>& hareketler)
{
    const Ayiklama a = ayikla(kaynak, hareketler);
    return {a.sayilar, onizlemeler(a)};
}

Sonuc HareketAktarimi::yaz(const QString& kaynak, const QString& dosyaAdi,
                           const std::vector<AtanmisHareket>& hareketler,
                           const std::map<KayitAnahtari, ElleGirilen>& secimler)
{
    Islem islem;
    Sonuc sonuc;
    // Read again inside the transaction: what the preview showed may have changed since.
    const Ayiklama a = ayikla(kaynak, hareketler);
    sonuc.sayilar = a.sayilar;
    std::map<size_t, qint64> kayitlari; // movement → the entry it went into
    Degisiklik& d = sonuc.degisiklik;
    for (const KayitOnizlemesi& o : onizlemeler(a)) {
        const Grup& grup = a.gruplar.at(o.anahtar);
        const DefterTanimi& defter = *o.anahtar.defter;
        const auto secim = secimler.find(o.anahtar);
        const std::optional<qint64> gerceklesen =
            yeniGerceklesen(o, secim == secimler.end() ? ElleGirilen::Degistir : secim->second);
        qint64 kimlik = 0;
        if (o.kimlik) {
            kimlik = *o.kimlik;
            const bool yazildi = d.satirGuncelle(
                Sema::kayitTablosu(defter), kimlik, o.alanlar,
                [&](QVariantList& alanlar) { alanlar[5] = Tutar::alanDegeri(gerceklesen); });
            if (!yazildi)
                throw VeriHatasi(QString(),
                                 QStringLiteral("Ayın kayıtları bu sırada başka bir program "
                                                "tarafından değiştirildi; banka hareketlerinden "
                                                "hiçbiri yazılmadı. Yeniden deneyin."));
            ++sonuc.guncellenenKayit;
        } else {
            // A rule may name groups deleted since: they are made again.
            ButceVerisi::grupEkle(d, defter, grup.hedef.anaGrup, grup.hedef.altGrup);
            kimlik = d.satirEkle(Sema::kayitTablosu(defter),
                                 {grup.hedef.anaGrup, grup.hedef.altGrup, o.anahtar.yil,
                                  Takvim::ayAdlari()[o.anahtar.ay - 1], Tutar::alanDegeri(0),
                                  Tutar::alanDegeri(gerceklesen)});
            ++sonuc.eklenenKayit;
        }
        for (size_t i : grup.hareketler)
            kayitlari[i] = kimlik;
    }
    const Sema::Tablo tablo = Sema::hareketTablosu();
    for (size_t i : a.saklanacak) {
        const AtanmisHareket& h = hareketler[i];
        const bool yokSay = h.hedef->yokSayilir();
        d.satirEkle(tablo, {h.hareket.tarih.toString(Qt::ISODate), h.hareket.aciklama,
                            h.hareket.tutar, yokSay ? bos() : QVariant(h.hedef->defter->ad),
                            yokSay ? QVariant(QMetaType::fromType<qint64>())
                                   : QVariant(kayitlari.at(i)),
                            kaynak, dosyaAdi, h.hareket.kaynakNo, a.parmakizleri[i]});
        ++sonuc.saklanan;
    }
    islem.onayla();
    return sonuc;
}

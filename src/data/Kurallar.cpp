#include "Kurallar.h"

#include "DefterTanimi.h"
#include "Islem.h"
#include "Sema.h"
#include "SorguSonucu.h"
#include "TurkceMetin.h"

#include <QRegularExpression>

#include <algorithm>

namespace
{

const QString kurallarSorgusu = QStringLiteral(
    "SELECT Kimlik, Kosul, Metin, EnAz, EnCok, Defter, AnaGrup, GrupAdi FROM IceAktarmaKurallari "
    "ORDER BY Kimlik");

const DefterTanimi* defteri(const QString& ad)
{
    for (const DefterTanimi* d : {&gelirDefteri(), &giderDefteri()})
        if (d->ad == ad)
            return d;
    return nullptr;
}

std::optional<qint64> sayi(const QVariant& alan)
{
    return alan.isNull() ? std::nullopt : std::optional(alan.toLongLong());
}

QVariant alan(std::optional<qint64> deger)
{
    return deger ? QVariant(*deger) : QVariant(QMetaType::fromType<qint64>());
}

QVariantList alanlari(const Kural& k)
{
    const bool yokSay = k.hedef.yokSayilir();
    return {Kural::kosulAdi(k.kosul),
            k.metin,
            alan(k.enAzKurus),
            alan(k.enCokKurus),
            yokSay ? QVariant(QMetaType::fromType<QString>()) : QVariant(k.hedef.defter->ad),
            yokSay ? QVariant(QMetaType::fromType<QString>()) : QVariant(k.hedef.anaGrup),
            yokSay ? QVariant(QMetaType::fromType<QString>()) : QVariant(k.hedef.altGrup)};
}

int kosulAgirligi(Kural::Kosul kosul)
{
    switch (kosul) {
    case Kural::Kosul::Esittir:
        return 2;
    case Kural::Kosul::Baslar:
        return 1;
    case Kural::Kosul::Icerir:
        break;
    }
    return 0;
}

// Whether `a` is more specific than `b`, by the order Eslestirici tells.
bool dahaOzel(const Kural& a, const Kural& b)
{
    return std::tuple(kosulAgirligi(a.kosul), a.metin.size(), a.tutarAraligiVar(), a.kimlik) >
           std::tuple(kosulAgirligi(b.kosul), b.metin.size(), b.tutarAraligiVar(), b.kimlik);
}

} // namespace

QString Kural::kosulAdi(Kosul kosul)
{
    switch (kosul) {
    case Kosul::Esittir:
        return QStringLiteral("eşittir");
    case Kosul::Baslar:
        return QStringLiteral("başlar");
    case Kosul::Icerir:
        break;
    }
    return QStringLiteral("içerir");
}

std::optional<Kural::Kosul> Kural::kosulu(const QString& ad)
{
    for (Kosul k : {Kosul::Icerir, Kosul::Baslar, Kosul::Esittir})
        if (TurkceMetin::esit(ad, kosulAdi(k)))
            return k;
    return std::nullopt;
}

QString Kural::metni() const
{
    const QString hedefMetni =
        hedef.yokSayilir()
            ? QStringLiteral("Yok say")
            : QStringLiteral("%1 / %2 / %3").arg(hedef.defter->ad, hedef.anaGrup, hedef.altGrup);
    return QStringLiteral("açıklama %1 «%2» → %3").arg(kosulAdi(kosul), metin, hedefMetni);
}

std::vector<Kural> Kurallar::hepsi()
{
    std::vector<Kural> kurallar;
    SorguSonucu sorgu(kurallarSorgusu);
    while (sorgu.sonraki()) {
        Kural k;
        k.kimlik = sorgu.alan(0).toLongLong();
        // A condition another program wrote that names none of the three is read as "içerir".
        k.kosul = Kural::kosulu(sorgu.alan(1).toString()).value_or(Kural::Kosul::Icerir);
        k.metin = sorgu.alan(2).toString();
        k.enAzKurus = sayi(sorgu.alan(3));
        k.enCokKurus = sayi(sorgu.alan(4));
        if (const DefterTanimi* d = defteri(sorgu.alan(5).toString()))
            k.hedef = {d, sorgu.alan(6).toString(), sorgu.alan(7).toString()};
        kurallar.push_back(std::move(k));
    }
    return kurallar;
}

Degisiklik Kurallar::ekle(const Kural& kural)
{
    Islem islem;
    Degisiklik degisiklik;
    degisiklik.satirEkle(Sema::kuralTablosu(), alanlari(kural));
    islem.onayla();
    return degisiklik;
}

Degisiklik Kurallar::degistir(const Kural& kural)
{
    Islem islem;
    Degisiklik degisiklik;
    degisiklik.satirGuncelle(Sema::kuralTablosu(), kural.kimlik, std::nullopt,
                             [&](QVariantList& alanlar) { alanlar = alanlari(kural); });
    islem.onayla();
    return degisiklik;
}

Degisiklik Kurallar::sil(qint64 kimlik)
{
    Islem islem;
    Degisiklik degisiklik;
    degisiklik.satirSil(Sema::kuralTablosu(), kimlik);
    islem.onayla();
    return degisiklik;
}

Kurallar::Eslestirici::Eslestirici(std::vector<Kural> kurallar)
{
    std::sort(kurallar.begin(), kurallar.end(), dahaOzel);
    for (Kural& k : kurallar) {
        QString katlanmis = TurkceMetin::buyukHarf(k.metin.simplified());
        // An empty text would match every movement: such a rule matches none.
        if (!katlanmis.isEmpty())
            hazirlar.push_back({std::move(k), std::move(katlanmis)});
    }
}

Kurallar::Eslesme Kurallar::Eslestirici::eslestir(const QString& aciklama, qint64 tutarKurus) const
{
    const QString metin = TurkceMetin::buyukHarf(aciklama.simplified());
    const qint64 tutar = tutarKurus < 0 ? -tutarKurus : tutarKurus;
    Eslesme sonuc;
    for (const Hazir& h : hazirlar) {
        const Kural& k = h.kural;
        if ((k.enAzKurus && tutar < *k.enAzKurus) || (k.enCokKurus && tutar > *k.enCokKurus))
            continue;
        const bool uyar = k.kosul == Kural::Kosul::Esittir  ? metin == h.katlanmis
                          : k.kosul == Kural::Kosul::Baslar ? metin.startsWith(h.katlanmis)
                                                            : metin.contains(h.katlanmis);
        if (!uyar)
            continue;
        if (sonuc.eslesenSayisi++ == 0)
            sonuc.kazanan = k;
    }
    return sonuc;
}

QString Kurallar::onerilenMetin(const QString& aciklama)
{
    static const QRegularExpression ayrac(QStringLiteral("\\s[-/|]\\s|\\s[-/|]$|^[-/|]\\s"));
    static const QRegularExpression harf(QStringLiteral("\\p{L}"));
    static const QRegularExpression rakamSonu(QStringLiteral("[\\d*]"));
    const QString bas = aciklama.section(ayrac, 0, 0).simplified();
    QStringList kelimeler;
    for (const QString& kelime : bas.split(u' ', Qt::SkipEmptyParts)) {
        // A number, a date, an amount or a masked card number ends the words worth keeping.
        if (!kelime.contains(harf) || kelime.contains(u'*') ||
            kelime.count(rakamSonu) * 2 > kelime.size())
            break;
        kelimeler << kelime;
        if (kelimeler.size() == 2)
            break;
    }
    return TurkceMetin::buyukHarf(kelimeler.isEmpty() ? bas : kelimeler.join(u' '));
}

Kural Kurallar::oner(const QString& aciklama, const Hedef& hedef)
{
    Kural k;
    k.metin = onerilenMetin(aciklama);
    k.hedef = hedef;
    return k;
}

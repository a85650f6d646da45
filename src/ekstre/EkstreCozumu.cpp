#include "EkstreCozumu.h"

#include "EkstreSayilari.h"
#include "Tutar.h"

#include <QLocale>

namespace
{

using EkstreSayilari::GunAy;

QString tutarMetni(qint64 kurus)
{
    return QLocale().toString(double(kurus) / 100.0, 'f', 2);
}

// How the table writes amounts and dates where it writes them as text: the decimal mark most of
// its amounts show, and the order of day and month most of its dates show.
struct Yazim {
    QChar ondalik;
    GunAy sira = GunAy::GunOnce;
};

Yazim yazim(const EkstreTablosu& tablo, const EkstreDuzeni& d)
{
    int virgul = 0;
    int nokta = 0;
    int ayOnce = 0;
    int gunOnce = 0;
    for (qsizetype s = d.baslikSatiri + 1; s < tablo.satirlar.size(); ++s) {
        const QList<Hucre>& h = tablo.satirlar[s].hucreler;
        for (const int sutun : {d.tutar, d.borc, d.alacak, d.bakiye})
            if (h.value(sutun).tur == Hucre::Tur::Metin) {
                const QChar isaret = EkstreSayilari::ondalikIsareti(h[sutun].metin);
                virgul += isaret == u',';
                nokta += isaret == u'.';
            }
        if (h.value(d.tarih).tur == Hucre::Tur::Metin)
            if (const auto sira = EkstreSayilari::tarihSirasi(h[d.tarih].metin))
                ++(*sira == GunAy::AyOnce ? ayOnce : gunOnce);
    }
    return {virgul > nokta   ? QChar(u',')
            : nokta > virgul ? QChar(u'.')
                             : QChar(),
            ayOnce > gunOnce ? GunAy::AyOnce : GunAy::GunOnce};
}

std::optional<QDate> tarihOku(const Hucre& h, GunAy sira)
{
    if (h.tur == Hucre::Tur::Sayi)
        return EkstreSayilari::excelTarihi(h.metin);
    return h.tur == Hucre::Tur::Bos ? std::nullopt : EkstreSayilari::tarih(h.metin, sira);
}

std::optional<qint64> tutarOku(const Hucre& h, QChar ondalik)
{
    if (h.tur == Hucre::Tur::Sayi)
        return EkstreSayilari::sayiKurusu(h.metin);
    return h.tur == Hucre::Tur::Metin ? EkstreSayilari::tutarKurusu(h.metin, ondalik)
                                      : std::nullopt;
}

QString alinti(const Hucre& h)
{
    return QStringLiteral("«%1»").arg(h.metin.left(40));
}

struct Okunan {
    std::optional<Hareket> hareket;
    QString sorun;
    bool bos = false; // nothing in its amount cells
};

Okunan satirOku(const TabloSatiri& satir, const EkstreDuzeni& d, const Yazim& y)
{
    const auto hucre = [&](int sutun) { return satir.hucreler.value(sutun); };
    const Hucre tarihHucresi = hucre(d.tarih);
    std::optional<qint64> tutar;
    Hucre tutarHucresi = hucre(d.tutar);
    if (d.tutar < 0) {
        // Money out in one column and money in in the other, either unsigned or signed.
        const Hucre borc = hucre(d.borc);
        const Hucre alacak = hucre(d.alacak);
        const auto okunan = [&](const Hucre& h) {
            return h.tur == Hucre::Tur::Bos ? std::optional<qint64>(0) : tutarOku(h, y.ondalik);
        };
        const std::optional<qint64> giden = okunan(borc);
        const std::optional<qint64> gelen = okunan(alacak);
        if (giden && gelen && (borc.tur != Hucre::Tur::Bos || alacak.tur != Hucre::Tur::Bos))
            tutar = std::abs(*gelen) - std::abs(*giden);
        tutarHucresi = !giden                        ? borc
                       : !gelen                      ? alacak
                       : borc.tur != Hucre::Tur::Bos ? borc
                                                     : alacak;
    } else {
        tutar = tutarOku(tutarHucresi, y.ondalik);
    }
    Okunan o;
    // A row with no amount is no movement (a blank row, a balance carried over), unless the reader
    // could not take it whole.
    o.bos = tutarHucresi.tur == Hucre::Tur::Bos && satir.sorun.isEmpty();
    const std::optional<QDate> tarih = tarihOku(tarihHucresi, y.sira);
    const Hucre bakiyeHucresi = hucre(d.bakiye);
    const std::optional<qint64> bakiye = tutarOku(bakiyeHucresi, y.ondalik);
    if (!satir.sorun.isEmpty())
        o.sorun = satir.sorun;
    else if (!tarih)
        o.sorun = QStringLiteral("tarih okunamadı (%1)").arg(alinti(tarihHucresi));
    else if (!tutar)
        o.sorun = QStringLiteral("tutar okunamadı (%1)").arg(alinti(tutarHucresi));
    else if (!bakiye && bakiyeHucresi.tur != Hucre::Tur::Bos)
        o.sorun = QStringLiteral("bakiye okunamadı (%1)").arg(alinti(bakiyeHucresi));
    if (!o.sorun.isEmpty())
        return o;
    QStringList aciklama;
    for (const int sutun : d.aciklama)
        if (const QString metin = hucre(sutun).metin.trimmed(); !metin.isEmpty())
            aciklama << metin;
    const int isaret = d.harcamalarArti ? -1 : 1;
    o.hareket = Hareket{*tarih, aciklama.join(u' '), isaret * *tutar,
                        bakiye ? std::optional(isaret * *bakiye) : std::nullopt, satir.no};
    return o;
}

// Whether the balances follow the file's order from the bottom up (the newest first): more of its
// neighbouring rows agree so than top down; with no balances, whether its dates go down.
bool tersSirada(const QList<Hareket>& h)
{
    int asagi = 0;
    int yukari = 0;
    for (qsizetype i = 1; i < h.size(); ++i) {
        if (!h[i].bakiye || !h[i - 1].bakiye)
            continue;
        asagi += *h[i].bakiye == *h[i - 1].bakiye + h[i].tutar;
        yukari += *h[i - 1].bakiye == *h[i].bakiye + h[i - 1].tutar;
    }
    if (asagi != yukari)
        return yukari > asagi;
    return h.size() > 1 && h.first().tarih > h.last().tarih;
}

// A card statement's "Önceki Dönem Borcu" and "Dönem Borcu" from its summary below the lines: the
// first amount to the right of the label.
struct DonemBorcu {
    std::optional<qint64> onceki;
    std::optional<qint64> son;
    qint64 satirNo = 0;
};

DonemBorcu donemBorcu(const EkstreTablosu& tablo, const EkstreCozumu& c, QChar ondalik)
{
    DonemBorcu borc;
    for (qsizetype s = 0; s < tablo.satirlar.size(); ++s) {
        if (c.satirlar[s] != EkstreCozumu::Satir::Disarida)
            continue;
        const QList<Hucre>& h = tablo.satirlar[s].hucreler;
        for (qsizetype i = 0; i < h.size(); ++i) {
            const QString etiket = EkstreDuzeni::sade(h[i].metin);
            const bool onceki = etiket == u"ÖNCEKİ DÖNEM BORCU";
            if (!onceki && etiket != u"DÖNEM BORCU")
                continue;
            for (qsizetype j = i + 1; j < h.size(); ++j)
                if (const std::optional<qint64> tutar = tutarOku(h[j], ondalik)) {
                    (onceki ? borc.onceki : borc.son) = tutar;
                    if (!onceki)
                        borc.satirNo = tablo.satirlar[s].no;
                    break;
                }
        }
    }
    return borc;
}

void ozetle(EkstreCozumu& c, const EkstreTablosu& tablo, const EkstreDuzeni& d, QChar ondalik)
{
    EkstreOzeti& o = c.ozet;
    qint64 toplam = 0;
    for (const Hareket& h : std::as_const(c.hareketler)) {
        (h.tutar > 0 ? o.giren : o.cikan) = Tutar::topla(h.tutar > 0 ? o.giren : o.cikan, h.tutar);
        toplam = Tutar::topla(toplam, h.tutar);
        if (!o.ilk.isValid() || h.tarih < o.ilk)
            o.ilk = h.tarih;
        if (!o.son.isValid() || h.tarih > o.son)
            o.son = h.tarih;
    }
    o.sayi = c.hareketler.size();
    std::optional<qint64> acilis = tablo.acilisBakiyesi;
    std::optional<qint64> kapanis = tablo.kapanisBakiyesi;
    if (!c.hareketler.isEmpty() && c.hareketler.first().bakiye)
        acilis = *c.hareketler.first().bakiye - c.hareketler.first().tutar;
    if (!c.hareketler.isEmpty() && c.hareketler.last().bakiye)
        kapanis = c.hareketler.last().bakiye;
    if (d.harcamalarArti) {
        // The debt is the household's balance below zero.
        const DonemBorcu borc = donemBorcu(tablo, c, ondalik);
        if (borc.onceki)
            acilis = -*borc.onceki;
        if (borc.son)
            kapanis = -*borc.son;
        if (borc.onceki && borc.son && *acilis + toplam != *kapanis && !c.kirik)
            c.kirik = {borc.satirNo, -(*acilis + toplam), *borc.son, true};
    }
    o.acilisBakiyesi = acilis ? acilis : kapanis ? std::optional(*kapanis - toplam) : std::nullopt;
    o.kapanisBakiyesi = kapanis ? kapanis : acilis ? std::optional(*acilis + toplam) : std::nullopt;
}

} // namespace

EkstreCozumu EkstreCozumu::coz(const EkstreTablosu& tablo, const EkstreDuzeni& d)
{
    EkstreCozumu c;
    c.satirlar.fill(Satir::Disarida, tablo.satirlar.size());
    if (!d.okunur() || d.baslikSatiri >= tablo.satirlar.size())
        return c;
    c.satirlar[d.baslikSatiri] = Satir::Baslik;
    const Yazim y = yazim(tablo, d);
    qsizetype sonHareket = -1;
    for (qsizetype s = d.baslikSatiri + 1; s < tablo.satirlar.size(); ++s) {
        Okunan o = satirOku(tablo.satirlar[s], d, y);
        if (o.hareket) {
            c.hareketler.append(std::move(*o.hareket));
            c.satirlar[s] = Satir::Hareket;
            sonHareket = s;
        } else if (!o.bos) {
            c.satirlar[s] = Satir::Okunamadi;
            c.sorunlar.insert(int(s), o.sorun);
        }
    }
    // What follows the last movement is the table's foot (totals, a card's summary), unless the
    // reader found it damaged: a file cut short ends in such a row.
    for (qsizetype s = sonHareket + 1; s < tablo.satirlar.size() && sonHareket >= 0; ++s)
        if (c.satirlar[s] == Satir::Okunamadi && tablo.satirlar[s].sorun.isEmpty()) {
            c.satirlar[s] = Satir::Disarida;
            c.sorunlar.remove(int(s));
        }

    if (tersSirada(c.hareketler))
        std::reverse(c.hareketler.begin(), c.hareketler.end());
    std::optional<qint64> beklenen;
    QHash<QString, int> ayniGun;
    for (Hareket& h : c.hareketler) {
        if (beklenen) {
            const qint64 bakiye = *beklenen + h.tutar;
            if (h.bakiye && *h.bakiye != bakiye && !c.kirik)
                c.kirik = Kirik{h.kaynakNo, bakiye, *h.bakiye};
            beklenen = h.bakiye.value_or(bakiye);
        } else {
            beklenen = h.bakiye;
        }
        h.ayniGunSirasi = ayniGun[QString::number(h.tarih.toJulianDay()) + u'|' +
                                  QString::number(h.tutar) + u'|' + h.aciklama]++;
    }
    ozetle(c, tablo, d, y.ondalik);
    return c;
}

QString EkstreCozumu::kirikMetni() const
{
    if (!kirik)
        return {};
    return QStringLiteral("Satır %1: %2 tutmuyor (%3 beklenirken %4)")
        .arg(kirik->satirNo)
        .arg(kirik->donemBorcu ? QStringLiteral("dönem borcu") : QStringLiteral("bakiye"),
             tutarMetni(kirik->beklenen), tutarMetni(kirik->bulunan));
}

QStringList EkstreCozumu::sorunMetinleri(const EkstreTablosu& tablo) const
{
    QList<int> siralar = sorunlar.keys();
    std::sort(siralar.begin(), siralar.end());
    QStringList metinler;
    for (const int s : siralar)
        metinler << QStringLiteral("%1 %2: %3")
                        .arg(tablo.kayitlar ? QStringLiteral("Kayıt") : QStringLiteral("Satır"))
                        .arg(tablo.satirlar[s].no)
                        .arg(sorunlar[s]);
    return metinler;
}

QStringList EkstreCozumu::ozetMetni() const
{
    const QString tarih = QStringLiteral("dd.MM.yyyy");
    QStringList metinler{
        QStringLiteral("%1 hareket, %2 – %3")
            .arg(QLocale().toString(ozet.sayi), ozet.ilk.toString(tarih), ozet.son.toString(tarih)),
        QStringLiteral("Giren: %1 · Çıkan: %2")
            .arg(tutarMetni(ozet.giren), tutarMetni(-ozet.cikan))};
    if (ozet.acilisBakiyesi && ozet.kapanisBakiyesi)
        metinler << QStringLiteral("Açılış bakiyesi: %1 · Kapanış bakiyesi: %2")
                        .arg(tutarMetni(*ozet.acilisBakiyesi), tutarMetni(*ozet.kapanisBakiyesi));
    return metinler;
}

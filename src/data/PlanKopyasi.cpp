#include "PlanKopyasi.h"

#include "Islem.h"
#include "SatirYazici.h"
#include "Sema.h"
#include "SorguSonucu.h"
#include "Takvim.h"
#include "TurkceMetin.h"
#include "Tutar.h"

#include <QSet>

#include <cmath>
#include <vector>

namespace
{

// %1 and on are table and field names from the ledger descriptor; values are always bound.
// The copy's source, and the groups that already have entries in its target.
const QString kaynakSorgusu = QStringLiteral("SELECT AnaGrup, GrupAdi, %3, %2 FROM %1");
const QString doluGruplarSorgusu = QStringLiteral("SELECT AnaGrup, GrupAdi, %2 FROM %1");
const QString kimlikSirasi = QStringLiteral(" ORDER BY Kimlik");

SorguSonucu donemSorgusu(const QString& sql, const DefterTanimi& defter, const Donem& donem,
                         const QString& sira = {})
{
    QVariantList degerler;
    const QString kosul = donem.kosulu(defter, degerler);
    return SorguSonucu(sql + kosul + sira, degerler);
}

// A sub-group in a month, in any letter case.
QString grupAnahtari(int ay, const QVariant& anaGrup, const QVariant& altGrup)
{
    return QStringLiteral("%1\x1f%2\x1f%3")
        .arg(QString::number(ay), TurkceMetin::buyukHarf(anaGrup.toString()),
             TurkceMetin::buyukHarf(altGrup.toString()));
}

// The estimate raised by the increase, rounded half away from zero to whole kuruş.
qint64 artirilmis(qint64 tahminKurus, qint64 artisOnBinde)
{
    const __int128 carpim = __int128(tahminKurus) * (10'000 + artisOnBinde);
    return qint64((carpim + (carpim < 0 ? -5'000 : 5'000)) / 10'000);
}

struct PlanSatiri {
    QVariant anaGrup;
    QVariant altGrup;
    int ay = 0;
    std::optional<qint64> tahminKurus;
};

struct Plan {
    std::vector<PlanSatiri> olusacak;
    qint64 atlanacak = 0;
};

// The entries a copy creates, read afresh: what the preview counts is what the copy writes.
Plan planHazirla(const DefterTanimi& defter, const PlanKopyasi& kopya)
{
    QSet<QString> dolu;
    if (kopya.yalnizcaBoslar) {
        SorguSonucu KayitKumesi = donemSorgusu(
            doluGruplarSorgusu.arg(defter.kayitTablosu, defter.ayAlani), defter, kopya.hedef);
        while (KayitKumesi.sonraki())
            dolu.insert(grupAnahtari(Takvim::ayNumarasi(KayitKumesi.alan(2).toString()),
                                     KayitKumesi.alan(0), KayitKumesi.alan(1)));
    }
    const qint64 artis = std::llround(kopya.artisYuzde * 100.0);
    Plan plan;
    SorguSonucu KayitKumesi =
        donemSorgusu(kaynakSorgusu.arg(defter.kayitTablosu, defter.tahminAlani, defter.ayAlani),
                     defter, kopya.kaynak, kimlikSirasi);
    while (KayitKumesi.sonraki()) {
        // A whole year goes month by month; a month that is no month name has no place in it.
        const int ay = kopya.hedef.ay > 0 ? kopya.hedef.ay
                                          : Takvim::ayNumarasi(KayitKumesi.alan(2).toString());
        if (ay == 0)
            continue;
        if (dolu.contains(grupAnahtari(ay, KayitKumesi.alan(0), KayitKumesi.alan(1)))) {
            ++plan.atlanacak;
            continue;
        }
        const std::optional<qint64> tahmin = Tutar::kurus(KayitKumesi.alan(3));
        plan.olusacak.push_back(
            {KayitKumesi.alan(0), KayitKumesi.alan(1), ay,
             tahmin ? std::optional(artirilmis(*tahmin, artis)) : std::nullopt});
    }
    return plan;
}

} // namespace

PlanSayilari PlanKopyasi::say(const QList<const DefterTanimi*>& defterler) const
{
    PlanSayilari sayilar;
    for (const DefterTanimi* defter : defterler) {
        const Plan plan = planHazirla(*defter, *this);
        sayilar.olusacak += qint64(plan.olusacak.size());
        sayilar.atlanacak += plan.atlanacak;
    }
    return sayilar;
}

KopyalananPlan PlanKopyasi::kopyala(const QList<const DefterTanimi*>& defterler) const
{
    Islem islem;
    KopyalananPlan sonuc;
    for (const DefterTanimi* defter : defterler) {
        const Plan plan = planHazirla(*defter, *this);
        const Sema::Tablo tablo = Sema::kayitTablosu(*defter);
        SatirYazici yazici(tablo);
        for (const PlanSatiri& satir : plan.olusacak) {
            const QVariantList degerler{satir.anaGrup,
                                        satir.altGrup,
                                        hedef.yil.value(),
                                        Takvim::ayAdlari()[satir.ay - 1],
                                        Tutar::alanDegeri(satir.tahminKurus),
                                        QVariant()};
            sonuc.degisiklik.eklendi(tablo, yazici.yaz(degerler), degerler);
        }
        sonuc.sayilar.olusacak += qint64(plan.olusacak.size());
        sonuc.sayilar.atlanacak += plan.atlanacak;
    }
    islem.onayla();
    return sonuc;
}

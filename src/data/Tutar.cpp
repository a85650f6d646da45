#include "Tutar.h"

#include <QByteArray>
#include <QStringList>

#include <sqlite3.h>

#include <cmath>
#include <cstring>

namespace
{

std::optional<qint64> liraninKurusu(double lira)
{
    const double kurus = std::round(lira * 100.0);
    // NaN and the infinities fail the comparison too.
    if (!(std::fabs(kurus) <= double(Tutar::enBuyukKurus)))
        return std::nullopt;
    return qint64(kurus);
}

// SQLite aligns an aggregate's memory to 8 bytes only: no wider fields here.
struct Birikim {
    qint64 tahmin = 0;
    qint64 gerceklesen = 0;
    qint64 okunamayan = 0;
    qint64 kayitSayisi = 0;
    qint64 gerceklesenlerinTahmini = 0;
    qint64 gerceklesenSayisi = 0;
};

std::optional<qint64> degerinKurusu(sqlite3_value* deger)
{
    const int tur = sqlite3_value_type(deger);
    if (tur != SQLITE_INTEGER && tur != SQLITE_FLOAT)
        return std::nullopt;
    return liraninKurusu(sqlite3_value_double(deger));
}

void adim(sqlite3_context* baglam, int, sqlite3_value** degerler)
{
    auto* b = static_cast<Birikim*>(sqlite3_aggregate_context(baglam, sizeof(Birikim)));
    if (!b)
        return sqlite3_result_error_nomem(baglam);
    ++b->kayitSayisi;
    if (const std::optional<qint64> tahmin = degerinKurusu(degerler[0]))
        b->tahmin = Tutar::topla(b->tahmin, *tahmin);
    else
        ++b->okunamayan;
    if (const std::optional<qint64> gerceklesen = degerinKurusu(degerler[1])) {
        b->gerceklesen = Tutar::topla(b->gerceklesen, *gerceklesen);
        ++b->gerceklesenSayisi;
        b->gerceklesenlerinTahmini = Tutar::topla(b->gerceklesenlerinTahmini,
                                                  degerinKurusu(degerler[0]).value_or(0));
    } else if (sqlite3_value_type(degerler[1]) != SQLITE_NULL)
        ++b->okunamayan;
}

void son(sqlite3_context* baglam)
{
    const auto* b = static_cast<Birikim*>(sqlite3_aggregate_context(baglam, 0));
    const Birikim bos;
    if (!b)
        b = &bos;
    const qint64 sonuc[6] = {b->tahmin,       b->gerceklesen,
                             b->okunamayan,   b->kayitSayisi,
                             b->gerceklesenlerinTahmini, b->gerceklesenSayisi};
    sqlite3_result_blob(baglam, sonuc, sizeof sonuc, SQLITE_TRANSIENT);
}

} // namespace

std::optional<qint64> Tutar::kurus(const QVariant& alan)
{
    if (alan.isNull() ||
        (alan.typeId() != QMetaType::LongLong && alan.typeId() != QMetaType::Double))
        return std::nullopt;
    return liraninKurusu(alan.toDouble());
}

QVariant Tutar::alanDegeri(std::optional<qint64> kurus)
{
    return kurus ? QVariant(double(*kurus) / 100.0) : QVariant();
}

std::optional<double> Tutar::oran(std::optional<qint64> gerceklesenKurus,
                                  std::optional<qint64> tahminKurus)
{
    if (!gerceklesenKurus || !tahminKurus || *tahminKurus == 0)
        return std::nullopt;
    return double(*gerceklesenKurus) / double(*tahminKurus) * 100.0;
}

Tutar::Toplam Tutar::toplam(const QVariant& alan)
{
    qint64 sonuc[6] = {};
    // A server gives the sums as text (Lehce).
    if (alan.typeId() == QMetaType::QString) {
        const QStringList sayilar = alan.toString().split(u',');
        for (qsizetype i = 0; i < 6 && sayilar.size() == 6; ++i)
            sonuc[i] = sayilar[i].toLongLong();
        return {sonuc[0], sonuc[1], sonuc[2], sonuc[3], sonuc[4], sonuc[5]};
    }
    const QByteArray veri = alan.toByteArray();
    if (veri.size() == sizeof sonuc)
        std::memcpy(sonuc, veri.constData(), sizeof sonuc);
    return {sonuc[0], sonuc[1], sonuc[2], sonuc[3], sonuc[4], sonuc[5]};
}

void Tutar::ekle(Toplam& toplam, const Toplam& eklenen)
{
    toplam.tahminKurus = topla(toplam.tahminKurus, eklenen.tahminKurus);
    toplam.gerceklesenKurus = topla(toplam.gerceklesenKurus, eklenen.gerceklesenKurus);
    toplam.okunamayan += eklenen.okunamayan;
    toplam.kayitSayisi += eklenen.kayitSayisi;
    toplam.gerceklesenlerinTahmini =
        topla(toplam.gerceklesenlerinTahmini, eklenen.gerceklesenlerinTahmini);
    toplam.gerceklesenSayisi += eklenen.gerceklesenSayisi;
}

std::optional<double> Tutar::toplamOrani(qint64 gerceklesenKurus, qint64 gerceklesenlerinTahmini,
                                         qint64 gerceklesenSayisi)
{
    if (gerceklesenSayisi == 0)
        return std::nullopt;
    return oran(gerceklesenKurus, gerceklesenlerinTahmini);
}

void Tutar::toplamIsleviniKaydet(sqlite3* baglanti)
{
    sqlite3_create_function_v2(baglanti, "TUTAR_TOPLAMI", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                               nullptr, nullptr, adim, son, nullptr);
}

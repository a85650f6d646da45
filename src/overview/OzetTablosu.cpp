#include "OzetTablosu.h"

#include "Bicim.h"
#include "Takvim.h"
#include "TurkceMetin.h"

#include <QLocale>

#include <cmath>

namespace
{

OzetTablosu::Satir satir(const QString& ad, const ButceVerisi::AylikToplam& toplam,
                         const ButceVerisi::AylikToplam* onceki)
{
    OzetTablosu::Satir s{.ad = ad,
                         .kayitVar = toplam.kayitSayisi > 0,
                         .tahminKurus = toplam.tahminKurus,
                         .gerceklesenKurus = toplam.gerceklesenKurus,
                         .okunamayan = toplam.okunamayan,
                         .planlananKurus = toplam.tahminKurus - toplam.gerceklesenlerinTahmini};
    s.oran = Tutar::toplamOrani(toplam.gerceklesenKurus, toplam.gerceklesenlerinTahmini,
                                toplam.gerceklesenSayisi);
    if (onceki && onceki->kayitSayisi > 0) {
        s.oncekiKurus = onceki->gerceklesenKurus;
        // A month not yet filled in this year has no change to show.
        if (s.kayitVar && *s.oncekiKurus != 0)
            s.degisim = double(s.gerceklesenKurus - *s.oncekiKurus) /
                        double(std::llabs(*s.oncekiKurus)) * 100.0;
    }
    return s;
}

ButceVerisi::AylikToplam topla(const OzetTablosu::Aylar& aylar)
{
    ButceVerisi::AylikToplam toplam;
    for (const ButceVerisi::AylikToplam& ay : aylar)
        Tutar::ekle(toplam, ay);
    return toplam;
}

QString degisimMetni(double degisim)
{
    const QString metin = Bicim::yuzde(degisim);
    return degisim > 0 ? QLocale().positiveSign() + metin : metin;
}

} // namespace

OzetTablosu::OzetTablosu(const DefterTanimi& defter, std::optional<int> yil, const Aylar& toplamlar,
                         const std::optional<Aylar>& onceki)
    : ozetBasligi(defter.ozetBasligi), secilenYil(yil), karsilastirma(yil && onceki)
{
    sutunlar = {QStringLiteral("Aylar"), defter.tahminSutunu, defter.gerceklesenSutunu,
                QStringLiteral("Gerçekleşme Oranı (%)")};
    if (karsilastirma)
        sutunlar << oncekiAdi() << QStringLiteral("Değişim (%)");
    for (int ay = 0; ay < 12; ++ay)
        satirListesi << satir(TurkceMetin::buyukHarf(Takvim::ayAdlari()[ay]), toplamlar[ay],
                              karsilastirma ? &(*onceki)[ay] : nullptr);
    const ButceVerisi::AylikToplam oncekiToplam =
        karsilastirma ? topla(*onceki) : ButceVerisi::AylikToplam{};
    satirListesi << satir(QStringLiteral("TOPLAM"), topla(toplamlar),
                          karsilastirma ? &oncekiToplam : nullptr);
}

QString OzetTablosu::yilAdi() const
{
    return secilenYil ? QString::number(*secilenYil) : QStringLiteral("Tüm Yıllar");
}

QString OzetTablosu::baslik() const
{
    const QString ana = ozetBasligi + QStringLiteral(" — ") + yilAdi();
    const qint64 okunamayan = satirListesi[toplamSatiri].okunamayan;
    return okunamayan > 0 ? ana + QStringLiteral(" (%1 tutar okunamadı)").arg(okunamayan) : ana;
}

QString OzetTablosu::oncekiAdi() const
{
    return secilenYil ? QStringLiteral("%1 Gerçekleşen").arg(*secilenYil - 1) : QString();
}

QStringList OzetTablosu::basliklar() const
{
    return sutunlar;
}

QString OzetTablosu::oranIpucu(const Satir& s)
{
    return QStringLiteral("Yalnızca gerçekleşeni girilmiş kayıtlar\nPlanlanan, henüz gerçekleşmeyen: %1")
        .arg(Bicim::tutar(s.planlananKurus));
}

QStringList OzetTablosu::hucreler(const Satir& s) const
{
    QStringList hucre(sutunlar.size());
    hucre[0] = s.ad;
    if (s.kayitVar) {
        hucre[1] = Bicim::tutar(s.tahminKurus);
        hucre[2] = Bicim::tutar(s.gerceklesenKurus);
        hucre[3] = s.oran ? Bicim::yuzde(*s.oran) : Bicim::eksikOran;
    }
    if (karsilastirma && s.oncekiKurus) {
        hucre[4] = Bicim::tutar(*s.oncekiKurus);
        if (s.kayitVar)
            hucre[5] = s.degisim ? degisimMetni(*s.degisim) : Bicim::eksikOran;
    }
    return hucre;
}

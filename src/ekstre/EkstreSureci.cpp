#include "EkstreSureci.h"

#include "EkstreOkuyucu.h"

namespace
{

QString program;
AltSurec::Sinirlar sinirlar{std::chrono::milliseconds(30'000), qint64(1) << 30};

constexpr char turler[] = {'-', 'm', 's', 't'}; // Hucre::Tur in order

struct Okunan {
    EkstreTablosu tablo;
    bool fazla = false;
};

void satiriOku(const QByteArray& satir, Okunan& okunan)
{
    const QList<QByteArray> alanlar = satir.split('\t');
    if (alanlar.first() != "satir" || alanlar.size() < 3)
        return;
    // A child gone wrong is no more trusted than the file: its rows keep to the same limit.
    if (okunan.tablo.satirlar.size() >= EkstreSiniri::satir) {
        okunan.fazla = true;
        return;
    }
    TabloSatiri s{alanlar[1].toLongLong(), {}, AltSurec::coz(alanlar[2])};
    for (qsizetype i = 3; i < alanlar.size() && s.hucreler.size() < EkstreSiniri::sutun; ++i) {
        const QByteArray& alan = alanlar[i];
        const char* tur =
            std::find(std::begin(turler), std::end(turler), alan.isEmpty() ? 0 : alan[0]);
        s.hucreler.append(
            {tur == std::end(turler) ? Hucre::Tur::Bos : Hucre::Tur(tur - std::begin(turler)),
             AltSurec::coz(alan.mid(1)).left(EkstreSiniri::hucre)});
    }
    okunan.tablo.satirlar.append(std::move(s));
}

} // namespace

void EkstreSureci::programiAyarla(const QString& yeni)
{
    program = yeni;
}

void EkstreSureci::sinirlariAyarla(const AltSurec::Sinirlar& yeni)
{
    sinirlar = yeni;
}

EkstreTablosu EkstreSureci::calistir(const QString& yol)
{
    Okunan okunan;
    const AltSurec::Sonuc sonuc = AltSurec::calistir(
        QStringLiteral("Excel okuyucusu"),
        program.isEmpty() ? AltSurec::aracYolu(QStringLiteral("varnel-ekstre")) : program,
        {secenek, yol}, sinirlar, [&](const QByteArray& s) { satiriOku(s, okunan); });
    if (sonuc.tamam() && !okunan.fazla)
        return std::move(okunan.tablo);
    if (okunan.fazla)
        EkstreOkuyucu::satirSiniri(yol, okunan.tablo);
    if (sonuc.normal && sonuc.hata)
        throw VeriHatasi(QString(), *sonuc.hata);
    throw EkstreOkuyucu::hata(yol, QStringLiteral("dosya bozuk (okuyucu çöktü)."));
}

QByteArray EkstreSureci::satirSatiri(const TabloSatiri& satir)
{
    QList<QByteArray> alanlar{"satir", QByteArray::number(satir.no), AltSurec::kacir(satir.sorun)};
    for (const Hucre& h : satir.hucreler)
        alanlar << turler[int(h.tur)] + AltSurec::kacir(h.metin);
    return AltSurec::satir(alanlar);
}

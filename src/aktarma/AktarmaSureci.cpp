#include "AktarmaSureci.h"

#include "VeriHatasi.h"

#include <QDir>
#include <QFileInfo>

namespace
{

QString program;
AktarmaSureci::Sinirlar sinirlar;

using AltSurec::coz;
using AltSurec::kacir;
using AltSurec::satir;

// What the child has said so far.
struct Okunan {
    Aktarma::Rapor rapor;
    qint64 yapilan = 0;
    qint64 toplam = 0;
};

void satiriOku(const QByteArray& metin, Okunan& okunan)
{
    const QList<QByteArray> alanlar = metin.split('\t');
    const QByteArray tur = alanlar.first();
    if (alanlar.size() != 3)
        return;
    const QString ad = coz(alanlar[1]);
    const qint64 sayi = alanlar[2].toLongLong();
    if (tur == "ilerleme") {
        okunan.yapilan = alanlar[1].toLongLong();
        okunan.toplam = sayi;
    } else if (tur == "tablo") {
        okunan.rapor.tablolar << Aktarma::TabloSayisi{ad, sayi};
    } else if (tur == "tutar") {
        okunan.rapor.sinirDisiTutarlar << Aktarma::SupheliKayit{ad, sayi};
    } else if (tur == "yil") {
        okunan.rapor.sinirDisiYillar << Aktarma::SupheliKayit{ad, sayi};
    }
}

} // namespace

void AktarmaSureci::programiAyarla(const QString& yeni)
{
    program = yeni;
}

void AktarmaSureci::sinirlariAyarla(const Sinirlar& yeni)
{
    sinirlar = yeni;
}

std::optional<Aktarma::Rapor>
AktarmaSureci::calistir(Is is, const QString& yol, const Izleyici& izleyici, const QString& hedef)
{
    // Where the work leaves its temporary files.
    const QString klasor = QFileInfo(is == Is::Aktar ? hedef : yol).absolutePath();
    const bool eskiVardi = QFileInfo::exists(QDir(klasor).filePath(Aktarma::eskiDosyaAdi));
    Okunan okunan;
    const AltSurec::Sonuc sonuc = AltSurec::calistir(
        QStringLiteral("Aktarma aracı"),
        program.isEmpty() ? AltSurec::aracYolu(QStringLiteral("varnel-aktar")) : program,
        is == Is::Aktar ? QStringList{secenek, isAdi(is), yol, hedef}
                        : QStringList{secenek, isAdi(is), yol},
        sinirlar, [&](const QByteArray& s) { satiriOku(s, okunan); },
        [&] { return !izleyici || izleyici(okunan.yapilan, okunan.toplam); });
    if (sonuc.tamam())
        return okunan.rapor;
    if (is == Is::Donustur && !eskiVardi)
        Aktarma::eskiDosyayiGeriKoy(yol);
    Aktarma::artiklariSil(klasor);
    if (sonuc.iptal)
        return std::nullopt;
    throw VeriHatasi(QString(), sonuc.normal && sonuc.hata ? *sonuc.hata : cokmeMesaji);
}

namespace
{

const QStringList isAdlari{QStringLiteral("denetle"), QStringLiteral("donustur"),
                           QStringLiteral("oku"), QStringLiteral("aktar")};

} // namespace

QString AktarmaSureci::isAdi(Is is)
{
    return isAdlari.at(int(is));
}

std::optional<AktarmaSureci::Is> AktarmaSureci::isi(const QString& ad)
{
    const qsizetype sira = isAdlari.indexOf(ad);
    return sira < 0 ? std::nullopt : std::optional(Is(sira));
}

QByteArray AktarmaSureci::ilerlemeSatiri(qint64 yapilan, qint64 toplam)
{
    return satir({"ilerleme", QByteArray::number(yapilan), QByteArray::number(toplam)});
}

QByteArray AktarmaSureci::raporSatirlari(const Aktarma::Rapor& rapor)
{
    QByteArray satirlar;
    for (const Aktarma::TabloSayisi& t : rapor.tablolar)
        satirlar += satir({"tablo", kacir(t.tablo), QByteArray::number(t.satir)});
    for (const Aktarma::SupheliKayit& k : rapor.sinirDisiTutarlar)
        satirlar += satir({"tutar", kacir(k.tablo), QByteArray::number(k.kimlik)});
    for (const Aktarma::SupheliKayit& k : rapor.sinirDisiYillar)
        satirlar += satir({"yil", kacir(k.tablo), QByteArray::number(k.kimlik)});
    return satirlar;
}


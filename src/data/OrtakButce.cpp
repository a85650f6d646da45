#include "OrtakButce.h"

#include "Baglanti.h"
#include "ButceKopyasi.h"
#include "DosyaBaglantisi.h"
#include "DosyaHatasi.h"
#include "DosyaTasima.h"
#include "Lehce.h"
#include "Sema.h"
#include "VeriHatasi.h"
#include "Yedekleme.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

void OrtakButce::dosyayaKaydet(const QString& yeniDosya)
{
    if (QFileInfo::exists(yeniDosya))
        throw VeriHatasi(QString(), QStringLiteral("%1 zaten var; üzerine yazılmadı.")
                                        .arg(QDir::toNativeSeparators(yeniDosya)));
    // Written beside its place and moved there whole.
    QTemporaryFile gecici(QFileInfo(yeniDosya).absolutePath() + QStringLiteral("/.Varnel-XXXXXX"));
    if (!gecici.open())
        throw VeriHatasi(QString(),
                         QStringLiteral("%1 oluşturulamadı: %2")
                             .arg(QDir::toNativeSeparators(yeniDosya), DosyaHatasi::neden(gecici)));
    Baglanti::program().motor().dosyayaYaz(gecici.fileName());
    DosyaTasima::diskeYaz(gecici.fileName());
    DosyaTasima::uzerineYazmadan(gecici.fileName(), yeniDosya);
    gecici.setAutoRemove(false);
}

void OrtakButce::dosyayaGeriTasi(const QString& dosya, const QDateTime& an)
{
    if (!QFileInfo::exists(dosya))
        return dosyayaKaydet(dosya);
    Yedekleme::dosyayiYedekle(dosya, an);
    const DosyaBaglantisi hedef(dosya, DosyaBaglantisi::Kip::Yazilabilir);
    if (const auto eksik = Sema::eksikler(hedef.db()))
        throw VeriHatasi(QString(), *eksik);
    Baglanti& b = Baglanti::program();
    b.deyimdenOnce();
    const ButceKopyasi::Taraf sunucu{b.db(), b.lehce()};
    const ButceKopyasi::Taraf dosyaTarafi{hedef.db(), Lehce::dosya()};
    ButceKopyasi::okurken(sunucu, [&] {
        ButceKopyasi::islemle(dosyaTarafi, [&] { ButceKopyasi::yerineKoy(sunucu, dosyaTarafi); });
    });
}

namespace
{

// A field of a ~/.pgpass line: ':' and '\\' escaped; an empty one matches anything.
QString kacir(QString deger)
{
    return deger.replace(u'\\', QStringLiteral("\\\\")).replace(u':', QStringLiteral("\\:"));
}

QString pgpassAlani(const QString& deger)
{
    return deger.isEmpty() ? QStringLiteral("*") : kacir(deger);
}

} // namespace

std::optional<QString> OrtakButce::sifreyiKaydet(const SunucuAdresi& adres, const QString& sifre)
{
    if (!adres.servis.isEmpty())
        return QStringLiteral("Hizmet adıyla bağlanırken şifre, hizmetin tanımında ya da ~/.pgpass "
                              "dosyasında elle tutulur.");
    const QString yol = qEnvironmentVariableIsSet("PGPASSFILE")
                            ? qEnvironmentVariable("PGPASSFILE")
                            : QDir::homePath() + QStringLiteral("/.pgpass");
    const QString onEk = QStringList{pgpassAlani(adres.sunucu.isEmpty() ? QStringLiteral("localhost")
                                                                        : adres.sunucu),
                                     QString::number(adres.port), pgpassAlani(adres.veritabani),
                                     pgpassAlani(adres.kullanici)}
                             .join(u':') +
                         u':';
    QStringList satirlar;
    if (QFile eski(yol); eski.open(QIODevice::ReadOnly | QIODevice::Text))
        for (const QString& satir : QString::fromUtf8(eski.readAll()).split(u'\n', Qt::SkipEmptyParts))
            if (!satir.startsWith(onEk))
                satirlar << satir;
    satirlar << onEk + kacir(sifre);
    QFile dosya(yol);
    // libpq ignores a file others may read.
    if (!dosya.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text) ||
        !dosya.setPermissions(QFile::ReadOwner | QFile::WriteOwner) ||
        dosya.write((satirlar.join(u'\n') + u'\n').toUtf8()) < 0 || !dosya.flush())
        return QStringLiteral("Şifre %1 dosyasına kaydedilemedi: %2")
            .arg(QDir::toNativeSeparators(yol), DosyaHatasi::neden(dosya));
    return std::nullopt;
}

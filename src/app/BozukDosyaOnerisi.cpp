#include "BozukDosyaOnerisi.h"

#include "Bicim.h"
#include "DegiskenModulu.h"
#include "MesajKutusu.h"
#include "Sema.h"
#include "VeriHatasi.h"
#include "Yedekleme.h"

#include <QDir>
#include <QFileInfo>

#include <functional>

namespace
{

// `bozuk` tells the damage; `geriYukle` puts the backup in the file's place.
bool yedegiOner(const QString& bozuk, const Yedekleme::Yedek& yedek,
                const std::function<void()>& geriYukle)
{
    if (!MesajKutusu::sor(
            nullptr, bozuk + QStringLiteral("En yeni yedek: %1 (%2)\nBu yedek geri yüklensin "
                                            "mi? Bozuk dosya, Yedekler klasöründe "
                                            "Varnel-bozuk-… adıyla saklanır.")
                                 .arg(QFileInfo(yedek.yol).fileName(), Bicim::tarihSaat(yedek.an))))
        return false;
    return MesajKutusu::hatalariGostererek(nullptr, geriYukle);
}

} // namespace

bool BozukDosyaOnerisi::sun(const QString& yol)
{
    const auto sorun = Sema::butunlukSorunu(DegiskenModulu::VeriTabani(), true);
    if (!sorun)
        return true;
    const QString bozuk = QStringLiteral("Veritabanı dosyası bozuk:\n%1\n\nVeritabanı motorunun "
                                         "bulguları:\n%2\n\n")
                              .arg(QDir::toNativeSeparators(yol), *sorun);
    const QString klasor = Yedekleme::klasor(yol);
    const std::optional<Yedekleme::Yedek> yedek = Yedekleme::saglamEnYeni(klasor);
    if (!yedek) {
        MesajKutusu::hata(nullptr, bozuk + QStringLiteral("Geri yüklenecek bir yedek yok: %1")
                                               .arg(QDir::toNativeSeparators(klasor)));
        return false;
    }
    return yedegiOner(bozuk, *yedek, [&] {
        Yedekleme::geriYukle(yedek->yol, QDateTime::currentDateTime(), true);
    });
}

bool BozukDosyaOnerisi::acilmayaniSun(const QString& yol, const DegiskenModulu::Acilamama& hata)
{
    std::optional<Yedekleme::Yedek> yedek;
    if (hata.neden == DegiskenModulu::Acilamama::Neden::Bozuk)
        yedek = Yedekleme::saglamEnYeni(Yedekleme::klasor(yol));
    if (!yedek) {
        MesajKutusu::hata(nullptr, hata.metin);
        return false;
    }
    return yedegiOner(hata.metin + QStringLiteral("\n\n"), *yedek, [&] {
        Yedekleme::acilmayanaGeriYukle(yol, yedek->yol, QDateTime::currentDateTime());
        if (const auto acilmadi = DegiskenModulu::ac(yol))
            throw VeriHatasi(QString(), *acilmadi);
    });
}

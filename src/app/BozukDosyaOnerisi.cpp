#include "BozukDosyaOnerisi.h"

#include "AcilisDenetimi.h"
#include "AnaForm.h"
#include "Baglanti.h"
#include "Bicim.h"
#include "MesajKutusu.h"
#include "VeriHatasi.h"
#include "Yedekleme.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <functional>

namespace
{

// `bozuk` tells the damage; `geriYukle` puts the backup in the file's place.
bool yedegiOner(const QString& bozuk, const Yedekleme::Yedek& yedek,
                const std::function<void()>& geriYukle, QWidget* ust = nullptr)
{
    if (!MesajKutusu::sor(
            ust, bozuk + QStringLiteral("En yeni yedek: %1 (%2)\nBu yedek geri yüklensin "
                                        "mi? Bozuk dosya, Yedekler klasöründe "
                                        "Varnel-bozuk-… adıyla saklanır.")
                             .arg(QFileInfo(yedek.yol).fileName(), Bicim::tarihSaat(yedek.an))))
        return false;
    return MesajKutusu::hatalariGostererek(ust, geriYukle);
}

// The offer for the check's findings; the backup restored, when it was.
std::optional<Yedekleme::Yedek> bulguyuSun(const QString& yol, const QString& sorun, QWidget* ust)
{
    const QString bozuk = QStringLiteral("Veritabanı dosyası bozuk:\n%1\n\nVeritabanı motorunun "
                                         "bulguları:\n%2\n\n")
                              .arg(QDir::toNativeSeparators(yol), sorun);
    const QString klasor = Yedekleme::klasor(yol);
    const std::optional<Yedekleme::Yedek> yedek = Yedekleme::saglamEnYeni(klasor);
    if (!yedek) {
        MesajKutusu::hata(ust, bozuk + QStringLiteral("Geri yüklenecek bir yedek yok: %1")
                                           .arg(QDir::toNativeSeparators(klasor)));
        return std::nullopt;
    }
    const bool geriYuklendi = yedegiOner(
        bozuk, *yedek,
        [&] { Yedekleme::geriYukle(yedek->yol, QDateTime::currentDateTime(), true); }, ust);
    return geriYuklendi ? yedek : std::nullopt;
}

} // namespace

bool BozukDosyaOnerisi::sun(const QString& yol)
{
    const auto sorun = AcilisDenetimi::bekle();
    return !sorun || bulguyuSun(yol, *sorun, nullptr);
}

void BozukDosyaOnerisi::pencereAcikkenSun(const QString& yol, AnaForm& pencere)
{
    AcilisDenetimi::izle([yol, &pencere](const std::optional<QString>& sorun) {
        if (!sorun)
            return;
        if (const auto yedek = bulguyuSun(yol, *sorun, &pencere)) {
            pencere.geriYuklendi(yedek->yol);
            return;
        }
        pencere.hide();
        QApplication::exit(1);
    });
}

bool BozukDosyaOnerisi::acilmayaniSun(const QString& yol, const Acilamama& hata)
{
    std::optional<Yedekleme::Yedek> yedek;
    if (hata.neden == Acilamama::Neden::Bozuk)
        yedek = Yedekleme::saglamEnYeni(Yedekleme::klasor(yol));
    if (!yedek) {
        MesajKutusu::hata(nullptr, hata.metin);
        return false;
    }
    return yedegiOner(hata.metin + QStringLiteral("\n\n"), *yedek, [&] {
        Yedekleme::acilmayanaGeriYukle(yol, yedek->yol, QDateTime::currentDateTime());
        if (const auto acilmadi = Baglanti::program().ac(yol))
            throw VeriHatasi(QString(), *acilmadi);
    });
}

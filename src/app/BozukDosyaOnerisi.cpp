#include "BozukDosyaOnerisi.h"

#include "Bicim.h"
#include "DegiskenModulu.h"
#include "MesajKutusu.h"
#include "Sema.h"
#include "Yedekleme.h"

#include <QDir>
#include <QFileInfo>

bool BozukDosyaOnerisi::sun(const QString& yol)
{
    const auto sorun = Sema::butunlukSorunu(DegiskenModulu::VeriTabani(), true);
    if (!sorun)
        return true;
    const QString bozuk = QStringLiteral("Veritabanı dosyası bozuk:\n%1\n\nVeritabanı motorunun "
                                         "bulguları:\n%2\n\n")
                              .arg(QDir::toNativeSeparators(yol), *sorun);
    const QString klasor = Yedekleme::klasor(yol);
    const QList<Yedekleme::Yedek> yedekler = Yedekleme::yedekler(klasor);
    if (yedekler.isEmpty()) {
        MesajKutusu::hata(nullptr, bozuk + QStringLiteral("Geri yüklenecek bir yedek yok: %1")
                                               .arg(QDir::toNativeSeparators(klasor)));
        return false;
    }
    const Yedekleme::Yedek& enYeni = yedekler.first();
    if (!MesajKutusu::sor(
            nullptr,
            bozuk + QStringLiteral("En yeni yedek: %1 (%2)\nBu yedek geri yüklensin "
                                   "mi? Bozuk dosya, Yedekler klasöründe "
                                   "Varnel-bozuk-… adıyla saklanır.")
                        .arg(QFileInfo(enYeni.yol).fileName(), Bicim::tarihSaat(enYeni.an))))
        return false;
    return MesajKutusu::hatalariGostererek(
        nullptr, [&] { Yedekleme::geriYukle(enYeni.yol, QDateTime::currentDateTime(), true); });
}

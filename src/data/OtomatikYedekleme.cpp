#include "OtomatikYedekleme.h"

#include "VeriHatasi.h"
#include "Yedekleme.h"

OtomatikYedekleme::OtomatikYedekleme(Bildirim bildirim, Saat saatKaynagi)
    : bildir(std::move(bildirim)), saat(std::move(saatKaynagi))
{
}

void OtomatikYedekleme::yazmadanOnce()
{
    const QDateTime simdi = saat();
    // A clock set back counts as time gone by.
    if (sonYedek && sonYedek->secsTo(simdi) < aralik && *sonYedek <= simdi)
        return;
    try {
        Yedekleme::al(simdi);
        sonYedek = simdi;
        bildirildi = false;
    } catch (const VeriHatasi& hata) {
        if (!bildirildi)
            bildir(QStringLiteral("Otomatik yedek alınamadı: %1").arg(hata.aciklama()));
        bildirildi = true;
    }
}

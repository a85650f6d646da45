#include "AktarmaOnerisi.h"

#include "Aktarma.h"
#include "EskiBicim.h"
#include "JetKaynagi.h"
#include "MesajKutusu.h"
#include "VeriHatasi.h"

#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QProgressDialog>

#include <algorithm>
#include <climits>
#include <memory>

bool AktarmaOnerisi::sun(const QString& yol, const QString& acilmaHatasi)
{
    if (eskiBicim(yol) == EskiBicim::Degil) {
        MesajKutusu::hata(nullptr, acilmaHatasi);
        return false;
    }
    // Offered only when it can work: a file that is no Jet 4 budget is refused at once, with why.
    std::unique_ptr<JetKaynagi> kaynak;
    try {
        kaynak = std::make_unique<JetKaynagi>(yol);
        Aktarma::tablolariDenetle(*kaynak);
    } catch (const VeriHatasi& h) {
        MesajKutusu::hata(nullptr, QStringLiteral("%1\n\nMorvane biçimine aktarılamıyor: %2")
                                       .arg(acilmaHatasi, h.aciklama()));
        return false;
    }
    return sun(yol, *kaynak);
}

bool AktarmaOnerisi::sun(const QString& yol, ButceKaynagi& kaynak)
{
    if (!MesajKutusu::sor(nullptr,
                          QStringLiteral("%1\n\n%2").arg(QDir::toNativeSeparators(yol), soru)))
        return false;
    const std::unique_ptr<QProgressDialog> ilerleme = ilerlemePenceresi();
    try {
        const Aktarma::Rapor rapor =
            Aktarma::eskiDosyayiDonustur(kaynak, yol, [&](qint64 yapilan, qint64 toplam) {
                ilerleme->setMaximum(int(std::min<qint64>(toplam, INT_MAX)));
                ilerleme->setValue(int(std::min<qint64>(yapilan, INT_MAX)));
            });
        ilerleme->close();
        qint64 toplam = 0;
        for (const Aktarma::TabloSayisi& t : rapor)
            toplam += t.satir;
        MesajKutusu::bilgi(nullptr, QStringLiteral("Verileriniz Morvane biçimine aktarıldı (%1 "
                                                   "satır). Eski dosya %2 adıyla saklandı.")
                                        .arg(QLocale().toString(toplam), Aktarma::eskiDosyaAdi));
        return true;
    } catch (const VeriHatasi& h) {
        ilerleme->close();
        MesajKutusu::hata(nullptr, QStringLiteral("Aktarma yapılamadı; eski dosya olduğu gibi "
                                                  "duruyor.\n\n%1")
                                       .arg(h.aciklama()));
        return false;
    }
}

std::unique_ptr<QProgressDialog> AktarmaOnerisi::ilerlemePenceresi()
{
    auto ilerleme = std::make_unique<QProgressDialog>(
        QStringLiteral("Eski dosyadaki veriler aktarılıyor…"), QString(), 0, 0);
    ilerleme->setObjectName(QStringLiteral("AktarmaIlerlemesi"));
    ilerleme->setWindowTitle(QStringLiteral("Morvane"));
    ilerleme->setWindowModality(Qt::ApplicationModal);
    ilerleme->setMinimumDuration(0);
    auto* metin = ilerleme->findChild<QLabel*>();
    metin->setBuddy(ilerleme->findChild<QProgressBar*>());
    // The window is as wide as its text: a margin keeps the text clear of its edges.
    metin->setMargin(2);
    return ilerleme;
}

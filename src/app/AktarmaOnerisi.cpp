#include "AktarmaOnerisi.h"

#include "Aktarma.h"
#include "AktarmaSureci.h"
#include "Baglanti.h"
#include "EskiBicim.h"
#include "MesajKutusu.h"
#include "VeriHatasi.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QProgressDialog>

#include <algorithm>
#include <climits>

namespace
{

const QString basarisiz = QStringLiteral("Aktarma yapılamadı; eski dosya olduğu gibi duruyor.");

// The child's import with the progress window; none when the user cancelled it.
std::optional<Aktarma::Rapor> aktar(const QString& yol)
{
    const std::unique_ptr<QProgressDialog> ilerleme = AktarmaOnerisi::ilerlemePenceresi();
    return AktarmaSureci::calistir(AktarmaSureci::Is::Donustur, yol,
                                   [&](qint64 yapilan, qint64 toplam) {
                                       ilerleme->setMaximum(int(std::min<qint64>(toplam, INT_MAX)));
                                       ilerleme->setValue(int(std::min<qint64>(yapilan, INT_MAX)));
                                       QApplication::processEvents();
                                       return !ilerleme->wasCanceled();
                                   });
}

// The new file opened as the program's connection; the old one is put back when it will not.
bool ac(const QString& yol, const Aktarma::Rapor& rapor)
{
    if (const auto hata = Baglanti::program().ac(yol)) {
        Aktarma::eskiDosyayiGeriKoy(yol);
        MesajKutusu::hata(nullptr, QStringLiteral("%1\n\n%2").arg(basarisiz, *hata));
        return false;
    }
    qint64 toplam = 0;
    for (const Aktarma::TabloSayisi& t : rapor.tablolar)
        toplam += t.satir;
    QStringList metin{QStringLiteral("Verileriniz Morvane biçimine aktarıldı (%1 satır). Eski "
                                     "dosya %2 adıyla saklandı.")
                          .arg(QLocale().toString(toplam), Aktarma::eskiDosyaAdi)};
    MesajKutusu::bilgi(nullptr, (metin + Aktarma::uyarilar(rapor)).join(QStringLiteral("\n\n")));
    return true;
}

} // namespace

bool AktarmaOnerisi::sun(const QString& yol, const QString& acilmaHatasi)
{
    // Told by the header alone: only the child opens the file with libmdb.
    if (eskiBicim(yol) == EskiBicim::Degil) {
        MesajKutusu::hata(nullptr, acilmaHatasi);
        return false;
    }
    // Offered only when it can work: a file that is no Jet 4 budget is refused at once, with why.
    try {
        AktarmaSureci::calistir(AktarmaSureci::Is::Denetle, yol);
    } catch (const VeriHatasi& h) {
        MesajKutusu::hata(nullptr, QStringLiteral("%1\n\nMorvane biçimine aktarılamıyor: %2")
                                       .arg(acilmaHatasi, h.aciklama()));
        return false;
    }
    if (!MesajKutusu::sor(nullptr,
                          QStringLiteral("%1\n\n%2").arg(QDir::toNativeSeparators(yol), soru)))
        return false;
    try {
        const std::optional<Aktarma::Rapor> rapor = aktar(yol);
        if (!rapor) {
            MesajKutusu::bilgi(nullptr, QStringLiteral("Aktarma iptal edildi; eski dosya olduğu "
                                                       "gibi duruyor."));
            return false;
        }
        return ac(yol, *rapor);
    } catch (const VeriHatasi& h) {
        MesajKutusu::hata(nullptr, QStringLiteral("%1\n\n%2").arg(basarisiz, h.aciklama()));
        return false;
    }
}

std::unique_ptr<QProgressDialog> AktarmaOnerisi::ilerlemePenceresi()
{
    auto ilerleme = std::make_unique<QProgressDialog>(
        QStringLiteral("Eski dosyadaki veriler aktarılıyor…"), QStringLiteral("İptal"), 0, 0);
    ilerleme->setObjectName(QStringLiteral("AktarmaIlerlemesi"));
    ilerleme->setWindowTitle(QStringLiteral("Morvane"));
    ilerleme->setWindowModality(Qt::ApplicationModal);
    ilerleme->setMinimumDuration(0);
    // The window stays until the import ends, whatever the bar shows.
    ilerleme->setAutoClose(false);
    ilerleme->setAutoReset(false);
    auto* metin = ilerleme->findChild<QLabel*>();
    metin->setBuddy(ilerleme->findChild<QProgressBar*>());
    // The window is as wide as its text: a margin keeps the text clear of its edges.
    metin->setMargin(2);
    return ilerleme;
}

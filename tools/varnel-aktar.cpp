// varnel-aktar ESKİ_DOSYA [KLASÖR]: carries a budget kept in an Access 2000 (Jet 4) "Varnel.mdb"
// over into a new "Varnel.mdb" in KLASÖR (by default where Morvane looks for it from this tool's
// folder, as VeriYeri finds it). An existing file is never overwritten. With --yalnizca-denetle
// the old file is only read and reported on. The old file is read by this tool run again with
// --surec in a process of its own, as the program runs it (see AktarmaSureci).
#include "Aktarma.h"
#include "AktarmaSureci.h"
#include "AracSurumu.h"
#include "CYereli.h"
#include "JetKaynagi.h"
#include "VeriHatasi.h"
#include "VeriYeri.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

namespace
{

const QString denetleSecenegi = QStringLiteral("--yalnizca-denetle");

// --surec İŞ ESKİ_DOSYA [HEDEF]: the work asked for (AktarmaSureci::Is), reported in the lines
// AktarmaSureci reads, each written as soon as it is known.
int surecOlarak(const QStringList& argumanlar)
{
    using AktarmaSureci::Is;
    const std::optional<Is> is = AktarmaSureci::isi(argumanlar.value(0));
    if (!is || argumanlar.size() != (is == Is::Aktar ? 3 : 2))
        return 2;
    const QString& yol = argumanlar.at(1);
    return AltSurec::cocukOlarak([&](const AltSurec::Yazici& yaz) {
        const auto ilerleme = [&](qint64 y, qint64 t) { yaz(AktarmaSureci::ilerlemeSatiri(y, t)); };
        JetKaynagi kaynak(yol);
        Aktarma::Rapor rapor;
        switch (*is) {
        case Is::Denetle:
            Aktarma::tablolariDenetle(kaynak);
            break;
        case Is::Donustur:
            rapor = Aktarma::eskiDosyayiDonustur(kaynak, yol, ilerleme);
            break;
        case Is::Oku:
            rapor = Aktarma::oku(kaynak, ilerleme);
            break;
        case Is::Aktar:
            rapor = Aktarma::dosyayaAktar(kaynak, argumanlar.at(2), ilerleme);
            break;
        }
        yaz(AktarmaSureci::raporSatirlari(rapor));
    });
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication uygulama(argc, argv);
    CYereli::sabitle();
    if (AracSurumu::yazildi(uygulama.arguments()))
        return 0;
    QTextStream cikti(stdout);
    QTextStream hata(stderr);
    QStringList argumanlar = uygulama.arguments().mid(1);
    if (argumanlar.value(0) == AktarmaSureci::secenek)
        return surecOlarak(argumanlar.mid(1));
    const bool yalnizcaDenetle = argumanlar.removeAll(denetleSecenegi) > 0;
    if (argumanlar.isEmpty() || argumanlar.size() > 2 || argumanlar.first().startsWith(u'-')) {
        hata << "Kullanım: varnel-aktar [--yalnizca-denetle] ESKİ_DOSYA [KLASÖR]\n";
        return 2;
    }
    const bool varsayilanYer = argumanlar.size() == 1;
    const QString hedef = varsayilanYer ? VeriYeri::bul(QCoreApplication::applicationDirPath()).yol
                                        : VeriYeri::veriTabaniYolu(argumanlar.at(1));
    // Only the user's data folder is made when missing; a folder named by hand must exist.
    if (varsayilanYer && !yalnizcaDenetle) {
        if (const auto sorun = VeriYeri::klasorunuHazirla(hedef)) {
            hata << *sorun << '\n';
            return 1;
        }
    }
    const QString fiil = yalnizcaDenetle ? QStringLiteral("okundu") : QStringLiteral("aktarıldı");
    // Read in a child of its own, as the program reads: a damaged file that crashes or hangs
    // libmdb ends in a message rather than taking this tool down.
    AktarmaSureci::programiAyarla(QCoreApplication::applicationFilePath());
    try {
        using AktarmaSureci::Is;
        const Aktarma::Rapor rapor = AktarmaSureci::calistir(yalnizcaDenetle ? Is::Oku : Is::Aktar,
                                                             argumanlar.first(), {}, hedef)
                                         .value();
        qint64 toplam = 0;
        for (const Aktarma::TabloSayisi& t : rapor.tablolar) {
            cikti << t.tablo << ": " << t.satir << " satır " << fiil << ".\n";
            toplam += t.satir;
        }
        for (const QString& uyari : Aktarma::uyarilar(rapor))
            cikti << uyari << '\n';
        if (yalnizcaDenetle)
            cikti << "Toplam " << toplam << " satır okundu; hiçbir dosya yazılmadı.\n";
        else
            cikti << "Toplam " << toplam << " satır aktarıldı: " << QDir::toNativeSeparators(hedef)
                  << "\n";
        return 0;
    } catch (const VeriHatasi& h) {
        hata << "Aktarma yapılamadı: " << h.aciklama() << '\n';
        return 1;
    }
}

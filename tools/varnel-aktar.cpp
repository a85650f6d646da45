// varnel-aktar ESKİ_DOSYA [KLASÖR]: carries a budget kept in an Access 2000 (Jet 4) "Varnel.mdb"
// over into a new "Varnel.mdb" in KLASÖR (by default where Morvane looks for it from this tool's
// folder, as VeriYeri finds it). An existing file is never overwritten. With --yalnizca-denetle
// the old file is only read and reported on. The program runs it with --surec to read an old
// file away from its own process (see AktarmaSureci).
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

// --surec denetle|donustur ESKİ_DOSYA: the work the program asks for, reported in the lines
// AktarmaSureci reads, each written as soon as it is known.
int surecOlarak(const QStringList& argumanlar)
{
    using AktarmaSureci::Is;
    const QString is = argumanlar.value(0);
    if (argumanlar.size() != 2 || (is != isAdi(Is::Denetle) && is != isAdi(Is::Donustur)))
        return 2;
    return AltSurec::cocukOlarak([&](const AltSurec::Yazici& yaz) {
        JetKaynagi kaynak(argumanlar.at(1));
        Aktarma::Rapor rapor;
        if (is == isAdi(Is::Denetle))
            Aktarma::tablolariDenetle(kaynak);
        else
            rapor = Aktarma::eskiDosyayiDonustur(kaynak, argumanlar.at(1), [&](qint64 y, qint64 t) {
                yaz(AktarmaSureci::ilerlemeSatiri(y, t));
            });
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
    try {
        JetKaynagi kaynak(argumanlar.first());
        const Aktarma::Rapor rapor =
            yalnizcaDenetle ? Aktarma::oku(kaynak) : Aktarma::dosyayaAktar(kaynak, hedef);
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

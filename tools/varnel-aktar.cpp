// varnel-aktar ESKİ_DOSYA [KLASÖR]: carries a budget kept in an Access 2000 (Jet 4) "Varnel.mdb"
// over into a new "Varnel.mdb" in KLASÖR (by default this tool's own folder). An existing file is
// never overwritten. With --yalnizca-denetle the old file is only read and reported on.
#include "Aktarma.h"
#include "DegiskenModulu.h"
#include "JetKaynagi.h"
#include "VeriHatasi.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

namespace
{

const QString denetleSecenegi = QStringLiteral("--yalnizca-denetle");

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication uygulama(argc, argv);
    QTextStream cikti(stdout);
    QTextStream hata(stderr);
    QStringList argumanlar = uygulama.arguments().mid(1);
    const bool yalnizcaDenetle = argumanlar.removeAll(denetleSecenegi) > 0;
    if (argumanlar.isEmpty() || argumanlar.size() > 2 || argumanlar.first().startsWith(u'-')) {
        hata << "Kullanım: varnel-aktar [--yalnizca-denetle] ESKİ_DOSYA [KLASÖR]\n";
        return 2;
    }
    const QString klasor =
        argumanlar.size() > 1 ? argumanlar.at(1) : QCoreApplication::applicationDirPath();
    const QString hedef = DegiskenModulu::veriTabaniYolu(klasor);
    const QString fiil = yalnizcaDenetle ? QStringLiteral("okundu") : QStringLiteral("aktarıldı");
    try {
        JetKaynagi kaynak(argumanlar.first());
        const Aktarma::Rapor rapor =
            yalnizcaDenetle ? Aktarma::oku(kaynak) : Aktarma::dosyayaAktar(kaynak, hedef);
        qint64 toplam = 0;
        for (const Aktarma::TabloSayisi& t : rapor) {
            cikti << t.tablo << ": " << t.satir << " satır " << fiil << ".\n";
            toplam += t.satir;
        }
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

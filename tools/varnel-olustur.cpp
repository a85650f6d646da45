// varnel-olustur [KLASÖR]: creates an empty "Varnel.mdb" with the six tables in KLASÖR; by default
// where Morvane looks for it from this tool's folder (VeriYeri): beside the tool in a portable
// copy, in the user's data folder when installed. An existing file is never overwritten.
#include "AracSurumu.h"
#include "CYereli.h"
#include "DegiskenModulu.h"
#include "Sema.h"
#include "VeriYeri.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication uygulama(argc, argv);
    CYereli::sabitle();
    if (AracSurumu::yazildi(uygulama.arguments()))
        return 0;
    QTextStream hata(stderr);
    const QStringList argumanlar = uygulama.arguments().mid(1);
    if (argumanlar.size() > 1) {
        hata << "Kullanım: varnel-olustur [KLASÖR]\n";
        return 2;
    }
    const QString yol = argumanlar.isEmpty()
                            ? VeriYeri::bul(QCoreApplication::applicationDirPath()).yol
                            : DegiskenModulu::veriTabaniYolu(argumanlar.first());
    // Only the user's data folder is made when missing; a folder named by hand must exist.
    const auto sorun = argumanlar.isEmpty() ? VeriYeri::olustur(yol) : Sema::dosyaOlustur(yol);
    if (sorun) {
        hata << *sorun << '\n';
        return 1;
    }
    QTextStream(stdout) << QDir::toNativeSeparators(yol) << " oluşturuldu.\n";
    return 0;
}

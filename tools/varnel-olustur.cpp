// varnel-olustur [KLASÖR]: creates an empty "Varnel.mdb" with the six tables in KLASÖR
// (by default this tool's own folder). An existing file is never overwritten.
#include "DegiskenModulu.h"
#include "Sema.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication uygulama(argc, argv);
    QTextStream hata(stderr);
    const QStringList argumanlar = uygulama.arguments().mid(1);
    if (argumanlar.size() > 1) {
        hata << "Kullanım: varnel-olustur [KLASÖR]\n";
        return 2;
    }
    const QString klasor =
        argumanlar.isEmpty() ? QCoreApplication::applicationDirPath() : argumanlar.first();
    const QString yol = DegiskenModulu::veriTabaniYolu(klasor);
    if (const auto sorun = Sema::dosyaOlustur(yol)) {
        hata << *sorun << '\n';
        return 1;
    }
    QTextStream(stdout) << QDir::toNativeSeparators(yol) << " oluşturuldu.\n";
    return 0;
}

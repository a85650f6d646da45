// varnel-olustur [KLASÖR]: creates an empty "Varnel.mdb" with the six tables in KLASÖR
// (by default this tool's own folder). An existing file is never overwritten.
#include "DeğişkenModülü.h"
#include "Şema.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication uygulama(argc, argv);
    QTextStream hata(stderr);
    const QStringList argümanlar = uygulama.arguments().mid(1);
    if (argümanlar.size() > 1) {
        hata << "Kullanım: varnel-olustur [KLASÖR]\n";
        return 2;
    }
    const QString klasör =
        argümanlar.isEmpty() ? QCoreApplication::applicationDirPath() : argümanlar.first();
    const QString yol = DeğişkenModülü::veriTabanıYolu(klasör);
    if (const auto sorun = Şema::dosyaOluştur(yol)) {
        hata << *sorun << '\n';
        return 1;
    }
    QTextStream(stdout) << QDir::toNativeSeparators(yol) << " oluşturuldu.\n";
    return 0;
}

// konum_denetimi PROGRAM_KLASÖRÜ KURULU KULLANICI_KLASÖRÜ: prints where the program would keep its
// budget file, then 1 when that is the user's data folder and 0 when not. The installation tests
// run it under another user, since folder permissions do not stop root.
#include "VeriYeri.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication uygulama(argc, argv);
    const QStringList a = uygulama.arguments();
    if (a.size() != 4)
        return 2;
    const VeriYeri::Konum konum = VeriYeri::bul(a.at(1), a.at(2) == QLatin1String("1"), a.at(3));
    QTextStream(stdout) << konum.yol << '\n' << int(konum.kullaniciKlasorunde) << '\n';
    return 0;
}

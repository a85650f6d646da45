// Opens a budget file the way the program does at start-up and reports the result:
// exit status 0 when it opens, 1 with the message on standard output when it does not.
// The start-up tests run it under another user to see permission failures even as root.
#include "Baglanti.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication uygulama(argc, argv);
    if (uygulama.arguments().size() != 2)
        return 2;
    const auto hata = Baglanti::program().ac(uygulama.arguments().at(1));
    Baglanti::program().kapat();
    if (hata)
        QTextStream(stdout) << *hata;
    return hata ? 1 : 0;
}

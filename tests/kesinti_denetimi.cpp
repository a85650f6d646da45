// Saves income entries into a budget file the way the add-entry dialog does, one command after
// another with the automatic backup in force, printing each entry's Kimlik once its command has
// returned. The crash tests kill it at random moments; it stops by itself after a while.
#include "ButceVerisi.h"
#include "DegiskenModulu.h"
#include "OtomatikYedekleme.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication uygulama(argc, argv);
    if (uygulama.arguments().size() != 2 || DegiskenModulu::ac(uygulama.arguments().at(1)))
        return 2;
    OtomatikYedekleme yedekleme([](const QString&) {});
    QElapsedTimer saat;
    saat.start();
    for (int i = 1; saat.elapsed() < 10'000; ++i) {
        const ButceVerisi::YeniKayit kayit{"EV", "KİRA", 2024, "Mart", i * 100, 100};
        std::printf("%lld\n", ButceVerisi::kayitEkle(gelirDefteri(), kayit).ilkSatir());
        std::fflush(stdout);
    }
    return 0;
}

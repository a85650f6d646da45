#include "Başlangıç.h"

#include "AnaForm.h"
#include "DeğişkenModülü.h"
#include "MesajKutusu.h"

std::unique_ptr<AnaForm> başlat(const QString& programKlasörü, QDate bugün)
{
    if (const auto hata = DeğişkenModülü::aç(DeğişkenModülü::veriTabanıYolu(programKlasörü))) {
        MesajKutusu::hata(nullptr, *hata);
        return nullptr;
    }
    return std::make_unique<AnaForm>(bugün);
}

#include "Baslangic.h"

#include "AnaForm.h"
#include "DegiskenModulu.h"
#include "MesajKutusu.h"

std::unique_ptr<AnaForm> baslat(const QString& programKlasoru, QDate bugun)
{
    if (const auto hata = DegiskenModulu::ac(DegiskenModulu::veriTabaniYolu(programKlasoru))) {
        MesajKutusu::hata(nullptr, *hata);
        return nullptr;
    }
    return std::make_unique<AnaForm>(bugun);
}

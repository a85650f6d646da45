#include "Baslangic.h"

#include "AnaForm.h"
#include "DegiskenModulu.h"
#include "MesajKutusu.h"

#include <QApplication>

int Baslangic::calistir(const QString& programKlasoru, QDate bugun)
{
    QApplication::setApplicationName(QStringLiteral("Morvane"));
    int sonuc = 1;
    if (const auto hata = DegiskenModulu::ac(DegiskenModulu::veriTabaniYolu(programKlasoru))) {
        MesajKutusu::hata(nullptr, *hata);
    } else {
        AnaForm anaForm(bugun);
        anaForm.show();
        sonuc = QApplication::exec();
    }
    DegiskenModulu::kapat();
    return sonuc;
}

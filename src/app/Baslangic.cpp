#include "Baslangic.h"

#include "AktarmaOnerisi.h"
#include "AnaForm.h"
#include "DegiskenModulu.h"

#include <QApplication>

int Baslangic::calistir(const QString& programKlasoru, QDate bugun)
{
    QApplication::setApplicationName(QStringLiteral("Morvane"));
    int sonuc = 1;
    const QString yol = DegiskenModulu::veriTabaniYolu(programKlasoru);
    // A file that will not open is reported, unless it is an old budget the user lets import.
    if (const auto hata = DegiskenModulu::ac(yol); !hata || AktarmaOnerisi::sun(yol, *hata)) {
        AnaForm anaForm(bugun);
        anaForm.show();
        sonuc = QApplication::exec();
    }
    DegiskenModulu::kapat();
    return sonuc;
}

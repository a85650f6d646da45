#include "AnaForm.h"
#include "Baslangic.h"
#include "DegiskenModulu.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication uygulama(argc, argv);
    uygulama.setApplicationName(QStringLiteral("Morvane"));
    int sonuc = 1;
    if (std::unique_ptr<AnaForm> anaForm = baslat(QCoreApplication::applicationDirPath())) {
        anaForm->show();
        sonuc = uygulama.exec();
    }
    DegiskenModulu::kapat();
    return sonuc;
}

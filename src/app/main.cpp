#include "AnaForm.h"
#include "Başlangıç.h"
#include "DeğişkenModülü.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication uygulama(argc, argv);
    uygulama.setApplicationName(QStringLiteral("Morvane"));
    int sonuç = 1;
    if (std::unique_ptr<AnaForm> anaForm = başlat(QCoreApplication::applicationDirPath())) {
        anaForm->show();
        sonuç = uygulama.exec();
    }
    DeğişkenModülü::kapat();
    return sonuç;
}

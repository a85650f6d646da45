#include "Baslangic.h"
#include "CYereli.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication uygulama(argc, argv);
    CYereli::sabitle();
    return Baslangic::calistir(QCoreApplication::applicationDirPath());
}

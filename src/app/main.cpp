#include "Baslangic.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication uygulama(argc, argv);
    return Baslangic::calistir(QCoreApplication::applicationDirPath());
}

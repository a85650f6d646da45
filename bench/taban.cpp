// The floor for timing the program's start: a bare Qt Widgets program that shows an empty main
// window. Run by morvane-bench, never by hand.
#include "Gosterilince.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication uygulama(argc, argv);
    Gosterilince gosterilince;
    uygulama.installEventFilter(&gosterilince);
    QMainWindow pencere;
    pencere.show();
    return QApplication::exec();
}

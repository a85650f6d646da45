// The floor for timing the program's start: a bare Qt program that shows an empty main window
// holding an empty chart view, so that it loads Qt Widgets and Qt Charts as the program's first
// window does. Run by morvane-bench, never by hand.
#include "Gosterilince.h"

#include <QApplication>
#include <QChartView>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication uygulama(argc, argv);
    Gosterilince gosterilince;
    uygulama.installEventFilter(&gosterilince);
    QMainWindow pencere;
    pencere.setCentralWidget(new QChartView);
    pencere.show();
    return QApplication::exec();
}

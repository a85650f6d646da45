// The floor for timing the program's start: a bare Qt program that shows an empty main window
// holding an empty chart view, so that it loads Qt Widgets and Qt Charts as the program's first
// window does, at the size given (the program's window: Qt's own 200 × 100 pixels would leave a
// seventh of the background to paint). Run by morvane-bench as "morvane-taban WIDTH HEIGHT",
// never by hand.
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
    if (argc > 2)
        pencere.resize(QByteArray(argv[1]).toInt(), QByteArray(argv[2]).toInt());
    pencere.show();
    return QApplication::exec();
}

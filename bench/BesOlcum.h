#pragma once

#include <QElapsedTimer>
#include <QList>

#include <algorithm>
#include <ctime>
#include <functional>

// Five timed runs of a piece of work after one untimed, as the smaller benchmarks take them:
// wall and processor milliseconds, each sorted, so [2] is the median and last() the worst.
// `sonra` runs after each, untimed (to take the work back).
struct BesOlcum {
    QList<double> sureler;
    QList<double> islemci;
};

// The process's processor time, in milliseconds: on a machine shared with other work the wall
// time says less.
inline double islemciZamani()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

inline BesOlcum besKezOlc(const std::function<void()>& is, const std::function<void()>& sonra)
{
    is();
    sonra();
    BesOlcum olcum;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer saat;
        const double once = islemciZamani();
        saat.start();
        is();
        olcum.sureler << saat.nsecsElapsed() / 1e6;
        olcum.islemci << islemciZamani() - once;
        sonra();
    }
    std::sort(olcum.sureler.begin(), olcum.sureler.end());
    std::sort(olcum.islemci.begin(), olcum.islemci.end());
    return olcum;
}

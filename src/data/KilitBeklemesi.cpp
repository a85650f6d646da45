#include "KilitBeklemesi.h"

#include <QDeadlineTimer>
#include <QThread>

#include <sqlite3.h>

#include <algorithm>
#include <optional>

namespace
{

// Short steps, so that a lock let go is noticed soon.
constexpr qint64 adim = 20;

std::function<qint64()> saat;
std::function<void(qint64)> uyu;
int derinlik = 0;
std::optional<qint64> komutunSonu;
qint64 deyiminSonu = 0;

qint64 simdi()
{
    return saat ? saat() : QDeadlineTimer::current().deadline();
}

// When a wait that starts now must end.
qint64 sonAn(bool yeniDeyim)
{
    const qint64 an = simdi();
    if (yeniDeyim)
        deyiminSonu = an + KilitBeklemesi::sure;
    if (derinlik > 0 && !komutunSonu)
        komutunSonu = an + KilitBeklemesi::sure;
    return derinlik > 0 ? *komutunSonu : deyiminSonu;
}

// One step of a wait that must end at `son`; false when the time is up.
bool birAdimBekle(qint64 son)
{
    const qint64 an = simdi();
    if (an >= son)
        return false;
    const qint64 sure = std::min(adim, son - an);
    if (uyu)
        uyu(sure);
    else
        QThread::msleep(quint64(sure));
    return true;
}

// The engine's busy handler: `kacinci` counts the tries of one statement from 0.
int mesgulken(void*, int kacinci)
{
    return birAdimBekle(sonAn(kacinci == 0)) ? 1 : 0;
}

} // namespace

void KilitBeklemesi::kur(sqlite3* h)
{
    sqlite3_busy_handler(h, mesgulken, nullptr);
}

KilitBeklemesi::Komut::Komut()
{
    ++derinlik;
}

KilitBeklemesi::Komut::~Komut()
{
    if (--derinlik == 0)
        komutunSonu.reset();
}

bool KilitBeklemesi::bekle(const std::function<bool()>& bitti)
{
    const qint64 son = sonAn(true);
    while (!bitti())
        if (!birAdimBekle(son))
            return false;
    return true;
}

void KilitBeklemesi::saatiDegistir(std::function<qint64()> yeniSaat,
                                   std::function<void(qint64)> yeniUyku)
{
    saat = std::move(yeniSaat);
    uyu = std::move(yeniUyku);
}

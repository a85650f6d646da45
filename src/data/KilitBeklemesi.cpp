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

// The engine's busy handler: `kacinci` counts the tries of one statement from 0.
int bekle(void*, int kacinci)
{
    const qint64 an = simdi();
    if (kacinci == 0)
        deyiminSonu = an + KilitBeklemesi::sure;
    if (derinlik > 0 && !komutunSonu)
        komutunSonu = an + KilitBeklemesi::sure;
    const qint64 son = derinlik > 0 ? *komutunSonu : deyiminSonu;
    if (an >= son)
        return 0;
    const qint64 sure = std::min(adim, son - an);
    if (uyu)
        uyu(sure);
    else
        QThread::msleep(quint64(sure));
    return 1;
}

} // namespace

void KilitBeklemesi::kur(sqlite3* h)
{
    sqlite3_busy_handler(h, bekle, nullptr);
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

void KilitBeklemesi::saatiDegistir(std::function<qint64()> yeniSaat,
                                   std::function<void(qint64)> yeniUyku)
{
    saat = std::move(yeniSaat);
    uyu = std::move(yeniUyku);
}

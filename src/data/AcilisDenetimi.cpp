#include "AcilisDenetimi.h"

#include "Baglanti.h"
#include "DosyaBaglantisi.h"
#include "KilitBeklemesi.h"
#include "Sema.h"
#include "VeriHatasi.h"

#include <QCoreApplication>
#include <QDir>
#include <QScopeGuard>
#include <QSqlDatabase>
#include <QUrl>

#include <sqlite3.h>

#include <atomic>
#include <future>
#include <mutex>
#include <thread>
#include <utility>

namespace
{

using Bulgular = std::optional<QString>;

struct Denetim {
    QString yol;
    std::thread is;
    std::function<void()> isiBaslat; // until the worker has started
    std::shared_future<Bulgular> sonuc;
    std::function<void(const Bulgular&)> bitince;
    bool bildirildi = false;
    bool saglam = false; // restored since: the findings no longer hold
};
std::optional<Denetim> denetim;
std::function<void(bool)> gosterge;
std::optional<YazmaOncesi> kanca;

// The worker's connection, for durdur() to interrupt; guarded by `kilit`.
std::mutex kilit;
sqlite3* calisan = nullptr;

// Counts the checks started, so that a late report of an ended one is dropped and the worker of
// an ended one stops.
std::atomic<int> kusak = 0;

// The lock another program holds on the file while the check waits for it; guarded by `kilit`.
std::optional<VeriHatasi> kilidi;

std::optional<VeriHatasi> tutulanKilit()
{
    const std::lock_guard kilitli(kilit);
    return kilidi;
}

// The file another program holds locked is checked once it lets go, however long that takes.
Bulgular kilitKalkincaDenetle(QSqlDatabase db, int no)
{
    for (;;) {
        try {
            const Bulgular bulgular = Sema::butunlukSorunu(db, true);
            const std::lock_guard kilitli(kilit);
            kilidi.reset();
            return bulgular;
        } catch (const VeriHatasi& hata) {
            {
                const std::lock_guard kilitli(kilit);
                kilidi = hata;
            }
            if (no != kusak)
                return std::nullopt;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
}

Bulgular denetle(const QString& yol, int no)
{
    const QString ad = QStringLiteral("AcilisDenetimi%1").arg(no);
    Bulgular bulgular;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), ad);
        db.setDatabaseName(QUrl::fromLocalFile(yol).toString(QUrl::FullyEncoded) +
                           QStringLiteral("?mode=ro"));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=100"));
        if (!db.open()) {
            bulgular = VeriHatasi(db.lastError()).aciklama();
        } else {
            {
                const std::lock_guard kilitli(kilit);
                calisan = DosyaBaglantisi::tutamac(db);
            }
            bulgular = kilitKalkincaDenetle(db, no);
            const std::lock_guard kilitli(kilit);
            calisan = nullptr;
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(ad);
    return bulgular;
}

void isiBaslat()
{
    if (denetim && denetim->isiBaslat)
        std::exchange(denetim->isiBaslat, {})();
}

bool bitti()
{
    return denetim->sonuc.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

// Waits for the check to end, showing it. `sinirli`: a check held up by another program's lock
// is waited for only as long as a statement waits for a lock (KilitBeklemesi); the lock, when it
// is still held then.
std::optional<VeriHatasi> bitmesiniBekle(bool sinirli)
{
    isiBaslat();
    if (bitti())
        return std::nullopt;
    if (gosterge)
        gosterge(true);
    const auto gostergeyiKapat = qScopeGuard([] {
        if (gosterge)
            gosterge(false);
    });
    while (!bitti()) {
        if (sinirli && tutulanKilit() && !KilitBeklemesi::bekle(bitti))
            if (std::optional<VeriHatasi> tutulan = tutulanKilit())
                return tutulan;
        denetim->sonuc.wait_for(std::chrono::milliseconds(20));
    }
    return std::nullopt;
}

void bildir(int no)
{
    if (!denetim || no != kusak || denetim->bildirildi || !denetim->bitince)
        return;
    if (denetim->sonuc.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
        return;
    denetim->bildirildi = true;
    // Copied: the call may end the check.
    const auto bitince = denetim->bitince;
    const Bulgular bulgular = denetim->saglam ? std::nullopt : denetim->sonuc.get();
    bitince(bulgular);
}

void bildirimiSirala(int no)
{
    if (QCoreApplication* uygulama = QCoreApplication::instance())
        QMetaObject::invokeMethod(
            uygulama, [no] { bildir(no); }, Qt::QueuedConnection);
}

} // namespace

void AcilisDenetimi::baslat(const QString& yol, bool beklemede)
{
    durdur();
    const int no = ++kusak;
    auto gorev = std::make_shared<std::promise<Bulgular>>();
    denetim.emplace();
    denetim->yol = yol;
    denetim->sonuc = gorev->get_future().share();
    // No write before the check has ended, none on a damaged file; and the check stops with
    // the file.
    kanca.emplace(YazmaOncesi::Sira::AcilisDenetimi, &AcilisDenetimi::yazmadanOnce);
    Baglanti::program().kapaninca(&AcilisDenetimi::durdur);
    denetim->isiBaslat = [yol, no, gorev] {
        denetim->is = std::thread([yol, no, gorev] {
            gorev->set_value(denetle(yol, no));
            bildirimiSirala(no);
        });
    };
    if (!beklemede)
        isiBaslat();
}

void AcilisDenetimi::surdur()
{
    isiBaslat();
}

void AcilisDenetimi::izle(std::function<void(const Bulgular&)> bitince)
{
    if (!denetim)
        return;
    denetim->bitince = std::move(bitince);
    bildirimiSirala(kusak);
}

Bulgular AcilisDenetimi::bekle()
{
    if (!denetim || denetim->saglam)
        return std::nullopt;
    bitmesiniBekle(false);
    return denetim->sonuc.get();
}

void AcilisDenetimi::yazmadanOnce()
{
    if (!denetim || denetim->saglam)
        return;
    if (const std::optional<VeriHatasi> tutulan = bitmesiniBekle(true))
        throw *tutulan;
    if (const Bulgular bulgular = denetim->sonuc.get())
        throw VeriHatasi(QString(),
                         QStringLiteral("Veritabanı dosyası bozuk; hiçbir şey yazılmadı:\n%1\n\n"
                                        "Veritabanı motorunun bulguları:\n%2")
                             .arg(QDir::toNativeSeparators(denetim->yol), *bulgular));
}

void AcilisDenetimi::beklemeGostergesi(std::function<void(bool)> beklerken)
{
    gosterge = std::move(beklerken);
}

void AcilisDenetimi::saglamSay()
{
    if (denetim)
        denetim->saglam = true;
}

void AcilisDenetimi::durdur()
{
    kanca.reset();
    if (!denetim)
        return;
    ++kusak;
    {
        const std::lock_guard kilitli(kilit);
        if (calisan)
            sqlite3_interrupt(calisan);
    }
    if (denetim->is.joinable())
        denetim->is.join();
    denetim.reset();
    const std::lock_guard kilitli(kilit);
    kilidi.reset();
}

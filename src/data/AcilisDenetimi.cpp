#include "AcilisDenetimi.h"

#include "Baglanti.h"
#include "DosyaBaglantisi.h"
#include "Sema.h"
#include "VeriHatasi.h"

#include <QCoreApplication>
#include <QDir>
#include <QSqlDatabase>
#include <QUrl>

#include <sqlite3.h>

#include <future>
#include <mutex>
#include <thread>

namespace
{

using Bulgular = std::optional<QString>;

struct Denetim {
    QString yol;
    std::thread is;
    std::shared_future<Bulgular> sonuc;
    std::function<void(const Bulgular&)> bitince;
    bool bildirildi = false;
    bool saglam = false; // restored since: the findings no longer hold
};
std::optional<Denetim> denetim;
// Counts the checks started, so that a late report of an ended one is dropped.
int kusak = 0;
std::function<void(bool)> gosterge;
std::optional<YazmaOncesi> kanca;

// The worker's connection, for durdur() to interrupt; guarded by `kilit`.
std::mutex kilit;
sqlite3* calisan = nullptr;

Bulgular denetle(const QString& yol, int no)
{
    const QString ad = QStringLiteral("AcilisDenetimi%1").arg(no);
    Bulgular bulgular;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), ad);
        db.setDatabaseName(QUrl::fromLocalFile(yol).toString(QUrl::FullyEncoded) +
                           QStringLiteral("?mode=ro"));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
        if (!db.open()) {
            bulgular = VeriHatasi(db.lastError()).aciklama();
        } else {
            {
                const std::lock_guard kilitli(kilit);
                calisan = DosyaBaglantisi::tutamac(db);
            }
            bulgular = Sema::butunlukSorunu(db, true);
            const std::lock_guard kilitli(kilit);
            calisan = nullptr;
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(ad);
    return bulgular;
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

void AcilisDenetimi::baslat(const QString& yol)
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
    denetim->is = std::thread([yol, no, gorev] {
        gorev->set_value(denetle(yol, no));
        bildirimiSirala(no);
    });
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
    if (denetim->sonuc.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
        if (gosterge)
            gosterge(true);
        denetim->sonuc.wait();
        if (gosterge)
            gosterge(false);
    }
    return denetim->sonuc.get();
}

void AcilisDenetimi::yazmadanOnce()
{
    if (const Bulgular bulgular = bekle())
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
    denetim->is.join();
    denetim.reset();
}

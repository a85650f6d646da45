#pragma once

#include "Baglanti.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>

// The backups taken on their own while the program runs: before the first writing command of the
// run, and before a later one once the last backup is an hour old. A backup that fails never
// stops the command and is tried again before the next one; it is told through `bildir` once,
// and again only after one has succeeded since.
// It runs before every writing command while it lives; the newest one is in force (YazmaOncesi).
class OtomatikYedekleme
{
public:
    using Saat = std::function<QDateTime()>;
    using Bildirim = std::function<void(const QString&)>;

    explicit OtomatikYedekleme(Bildirim bildirim, Saat saatKaynagi = &QDateTime::currentDateTime);
    OtomatikYedekleme(const OtomatikYedekleme&) = delete;
    OtomatikYedekleme& operator=(const OtomatikYedekleme&) = delete;

    static constexpr qint64 aralik = 3600; // seconds between two backups

private:
    void yazmadanOnce();

    Bildirim bildir;
    Saat saat;
    std::optional<QDateTime> sonYedek;
    bool bildirildi = false;
    // Last, so that it is unhooked before the rest goes.
    YazmaOncesi kanca{YazmaOncesi::Sira::OtomatikYedek, [this] { yazmadanOnce(); }};
};

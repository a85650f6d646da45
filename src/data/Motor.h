#pragma once

#include "VeriHatasi.h"

#include <QObject>
#include <QSqlDatabase>
#include <QString>

class Lehce;
struct DefterTanimi;
struct SunucuAdresi;

// What the program's connection tells the windows, whichever engine it runs on. It outlives the
// engines: a window connects to it once, and hears it through every reconnection.
class BaglantiOlaylari : public QObject
{
    Q_OBJECT
signals:
    // Another member's program committed a change to the shared budget.
    void baskasiYazdi();
    // The shared budget's server cannot be reached; commands write nothing until it can.
    void koptu();
    // The link is back: what others wrote meanwhile was not heard, so everything is listed again.
    void yenidenBaglandi();
};

// One engine a budget can live on: the SQLite file (DosyaMotoru) or a PostgreSQL server shared
// by a household (SunucuMotoru). Each owns its Qt connection and its dialect, notices in its own
// way that what it opened is gone (a file moved, a link lost) and, where it can, connects again.
// Only the engines know which one they are; everything above asks them.
class Motor
{
public:
    virtual ~Motor() = default;

    virtual QSqlDatabase db() const = 0;
    virtual const Lehce& lehce() const = 0;

    // Before every statement: throws a VeriHatasi when what was opened is gone (the file
    // deleted, moved or replaced) or cannot be reached again; a link lost before is connected
    // again first, unless a transaction is open on it (`islemde`).
    virtual void deyimdenOnce(bool islemde) = 0;
    // A failure of a statement on the connection, as the user reads it; a lost link is noticed
    // here.
    virtual VeriHatasi hatasi(const QSqlError& hata, bool onaylanirken = false) = 0;
    // Connects again, listens again and tells the windows to list everything again; a VeriHatasi
    // when the server still cannot be reached. A file is not lost so: nothing to do there.
    virtual void yenidenBaglan() = 0;
    // Whether another program wrote since the last time this was asked, for an engine that does
    // not tell by itself (BaglantiOlaylari::baskasiYazdi).
    virtual bool baskasiDegistirdi() = 0;
    // A number that changes when another program's change to the budget is committed (or, on a
    // server, heard of), for what keeps figures it read: asking does not change it.
    virtual qint64 veriSurumu() = 0;

    // Whether the ledger's sums by year and month (Sema::aylikToplamTablosu) follow its entries:
    // the table is there and so are the triggers that keep it. When not, the sums are read from
    // the entries themselves.
    virtual bool aylikToplamlarHazir(const DefterTanimi& defter) = 0;
    // "Veri dosyası: /yol/Varnel.mdb" or "Ortak bütçe: ev-sunucusu/butce", for "Hakkında".
    virtual QString tanim() const = 0;
    // The budget file's path; empty for a shared budget.
    virtual QString dosyaYolu() const { return {}; }
    // The shared budget's address; none for the file.
    virtual const SunucuAdresi* sunucu() const { return nullptr; }

    // The path the backups' folder (Yedekleme::klasor) goes beside.
    virtual QString yedekYeri() const = 0;
    // The budget copied into an empty budget file that is already there (a backup being taken).
    // Throws a VeriHatasi.
    virtual void dosyayaYaz(const QString& bosDosya) = 0;
    // The budget's data replaced by a checked backup's, in one step: on failure it is as before
    // (the file going back to `oncesi`, the copy of it taken just before).
    // Throws a VeriHatasi.
    virtual void yedektenYukle(const QString& yedek, const QString& oncesi) = 0;
};

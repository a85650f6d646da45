#pragma once

#include "ButceVerisi.h"
#include "DefterTanimi.h"
#include "MesajKutusu.h"
#include "OrtakButce.h"

#include <QLocale>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QVariant>

#include <memory>
#include <optional>

class AnaForm;

// An entry as the data layer's commands take it, amounts in lira: the one line of the tests that
// knows how the commands hold amounts.
ButceVerisi::YeniKayit yeniKayit(const QString& anaGrup, const QString& altGrup, int yil,
                                 const QString& ay, double tahmin, double gerceklesen);

// A fresh budget file in a temporary folder, opened as the program's connection, with the
// locale pinned to Turkish, message boxes recorded instead of shown and the user's settings
// kept in that folder. Restores all on
// destruction. Create one per test function (in init()) and drop it in cleanup().
class TestOrtami
{
public:
    TestOrtami();
    ~TestOrtami();

    QString klasor() const { return dizin.path(); }
    // The PostgreSQL server the tests run on instead of a file, when MORVANE_TEST_SUNUCUSU names
    // its socket folder: each TestOrtami then starts on an empty database of the test program's own
    // (`bosalt` empties it and closes the program's connection).
    static std::optional<SunucuAdresi> sunucu(bool bosalt = true);
    // A connection of the tests' own to a database on that server, opened once under its name.
    static QSqlDatabase sunucuBaglantisi(const QString& ad, const QString& veritabani);
    // Another program's connection, in the calling thread, to the budget the tests run on: the
    // file at `dosya`, or the test program's database on the server when that is empty.
    static QSqlDatabase baskaBaglanti(const QString& ad, const QString& dosya);
    QString dosya() const;

    // Rows written directly, as another program could.
    void anaGrupYaz(const DefterTanimi& defter, const QString& ad);
    void altGrupYaz(const DefterTanimi& defter, const QString& anaGrup, const QString& ad);
    qint64 kayitYaz(const DefterTanimi& defter, const QString& anaGrup, const QString& altGrup,
                    int yil, const QString& ay, const QVariant& tahmin,
                    const QVariant& gerceklesen);
    // Runs a statement on the connection and returns the first column of the first row.
    QVariant sorgula(const QString& sql, const QVariantList& degerler = {});
    // The first column of every row a query on the program's connection returns, as text.
    static QStringList sutunu(const QString& sql);
    // Every row of the eight tables with its rowid and values exactly as stored.
    static QStringList tumSatirlar();
    int satirSayisi(const QString& tablo);
    // Fails the test unless the ledger's stored sums by year and month follow its entries and
    // equal TUTAR_TOPLAMI's over them.
    static void aylikToplamlariDenetle(const DefterTanimi& defter);

    // The main window on this file, built as at start-up on the given day.
    std::unique_ptr<AnaForm> anaForm(QDate bugun = QDate(2024, 3, 15));

private:
    QTemporaryDir dizin;
    QLocale oncekiYerel;
};

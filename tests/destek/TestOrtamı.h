#pragma once

#include "DefterTanımı.h"
#include "MesajKutusu.h"

#include <QLocale>
#include <QTemporaryDir>
#include <QVariant>

#include <memory>

class AnaForm;

// A fresh budget file in a temporary folder, opened as the program's connection, with the
// locale pinned to Turkish and message boxes recorded instead of shown. Restores all on
// destruction. Create one per test function (in init()) and drop it in cleanup().
class TestOrtamı
{
public:
    TestOrtamı();
    ~TestOrtamı();

    QString klasör() const { return dizin.path(); }
    QString dosya() const;

    // Rows written directly, as another program could.
    void anaGrupYaz(const DefterTanımı& defter, const QString& ad);
    void altGrupYaz(const DefterTanımı& defter, const QString& anaGrup, const QString& ad);
    qint64 kayıtYaz(const DefterTanımı& defter, const QString& anaGrup, const QString& altGrup,
                    int yıl, const QString& ay, const QVariant& tahmin,
                    const QVariant& gerçekleşen);
    // Runs a statement on the connection and returns the first column of the first row.
    QVariant sorgula(const QString& sql, const QVariantList& değerler = {});
    // The first column of every row a query returns, as text.
    QStringList sütunu(const QString& sql);
    int satırSayısı(const QString& tablo);

    // The main window on this file, built as at start-up on the given day.
    std::unique_ptr<AnaForm> anaForm(QDate bugün = QDate(2024, 3, 15));

private:
    QTemporaryDir dizin;
    QLocale öncekiYerel;
};

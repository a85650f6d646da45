#include "DosyaBaglantisi.h"

#include "VeriHatasi.h"

#include <QFile>
#include <QSqlDriver>
#include <QSqlError>
#include <QUrl>
#include <QVariant>

#include <sqlite3.h>

#include <memory>

namespace
{

int sayac = 0;

VeriHatasi motorHatasi(sqlite3* h)
{
    return VeriHatasi(QString::number(sqlite3_errcode(h)), QString::fromUtf8(sqlite3_errmsg(h)));
}

} // namespace

DosyaBaglantisi::DosyaBaglantisi(const QString& yol, Kip kip)
    : ad(QStringLiteral("Dosya %1").arg(++sayac))
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), ad);
    if (kip == Kip::SaltOkunur) {
        db.setDatabaseName(QUrl::fromLocalFile(yol).toString(QUrl::FullyEncoded) +
                           QStringLiteral("?mode=ro"));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
    } else
        db.setDatabaseName(yol);
    if (!db.open()) {
        const VeriHatasi hata(db.lastError());
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(ad);
        throw hata;
    }
}

DosyaBaglantisi::~DosyaBaglantisi()
{
    QSqlDatabase::database(ad, false).close();
    QSqlDatabase::removeDatabase(ad);
}

sqlite3* DosyaBaglantisi::tutamac(const QSqlDatabase& db)
{
    if (!db.driver())
        return nullptr;
    const QVariant h = db.driver()->handle();
    if (!h.isValid() || qstrcmp(h.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(h.constData());
}

void DosyaBaglantisi::sayfalariKopyala(sqlite3* hedef, sqlite3* kaynak)
{
    sqlite3_backup* yedek = sqlite3_backup_init(hedef, "main", kaynak, "main");
    if (!yedek)
        throw motorHatasi(hedef);
    const int adim = sqlite3_backup_step(yedek, -1);
    if (sqlite3_backup_finish(yedek) != SQLITE_OK)
        throw motorHatasi(hedef);
    if (adim != SQLITE_DONE)
        throw VeriHatasi(QString::number(adim), QString::fromUtf8(sqlite3_errstr(adim)));
}

void DosyaBaglantisi::bosDosyayaKopyala(const QString& bosDosya, sqlite3* kaynak)
{
    sqlite3* h = nullptr;
    const int kod = sqlite3_open_v2(QFile::encodeName(bosDosya).constData(), &h,
                                    SQLITE_OPEN_READWRITE, nullptr);
    const std::unique_ptr<sqlite3, int (*)(sqlite3*)> hedef(h, sqlite3_close);
    if (kod != SQLITE_OK)
        throw motorHatasi(h);
    if (sqlite3_exec(h, "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF", nullptr, nullptr,
                     nullptr) != SQLITE_OK)
        throw motorHatasi(h);
    sayfalariKopyala(h, kaynak);
}

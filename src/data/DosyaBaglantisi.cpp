#include "DosyaBaglantisi.h"

#include "DegiskenModulu.h"
#include "VeriHatasi.h"

#include <QSqlError>
#include <QUrl>

namespace
{
int sayac = 0;
}

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

sqlite3* DosyaBaglantisi::tutamac() const
{
    return DegiskenModulu::tutamac(db());
}

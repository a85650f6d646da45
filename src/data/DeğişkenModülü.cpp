#include "DeğişkenModülü.h"

#include "TürkçeMetin.h"
#include "VeriHatası.h"
#include "Şema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include <sqlite3.h>

#include <cstring>

namespace
{

const QString bağlantıAdı = QStringLiteral("VeriTabanı");

// Case-folding comparison of two UTF-8 texts, registered as the collation "TURKCE" on the
// program's own connection only, so the file stays readable by any SQLite tool.
int türkçeKarşılaştır(void*, int aUzunluk, const void* a, int bUzunluk, const void* b)
{
    if (aUzunluk == bUzunluk && std::memcmp(a, b, size_t(aUzunluk)) == 0)
        return 0;
    const QString x = QString::fromUtf8(static_cast<const char*>(a), aUzunluk);
    const QString y = QString::fromUtf8(static_cast<const char*>(b), bUzunluk);
    return TürkçeMetin::karşılaştır(x.constData(), x.size(), y.constData(), y.size());
}

sqlite3* tutamaç(const QSqlDatabase& db)
{
    const QVariant h = db.driver()->handle();
    if (!h.isValid() || qstrcmp(h.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(h.constData());
}

QString motorHatası(int kod)
{
    return VeriHatası(QString::number(kod), QString::fromUtf8(sqlite3_errstr(kod))).açıklama();
}

QString açılamadı(const QString& yol, const QString& neden)
{
    return QStringLiteral("Veritabanı dosyası açılamadı:\n%1\n\n%2")
        .arg(QDir::toNativeSeparators(yol), neden);
}

// The old Access format starts with "Standard Jet DB" (or "Standard ACE DB") at byte 4.
bool eskiAccessBiçimi(const QString& yol)
{
    QFile dosya(yol);
    if (!dosya.open(QIODevice::ReadOnly))
        return false;
    const QByteArray baş = dosya.read(19);
    return baş.size() == 19 && (baş.mid(4) == "Standard Jet DB" || baş.mid(4) == "Standard ACE DB");
}

std::optional<QString> bağlan(const QString& yol)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), bağlantıAdı);
    // mode=rw: the engine must never create a missing file.
    db.setDatabaseName(QUrl::fromLocalFile(yol).toString(QUrl::FullyEncoded) +
                       QStringLiteral("?mode=rw"));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
    if (!db.open())
        return VeriHatası(db.lastError()).açıklama();
    sqlite3* h = tutamaç(db);
    if (!h)
        return QStringLiteral("SQLite sürücüsü kullanılamıyor.");
    if (sqlite3_db_readonly(h, "main") == 1)
        return motorHatası(SQLITE_READONLY);
    sqlite3_create_collation_v2(h, "TURKCE", SQLITE_UTF8, nullptr, türkçeKarşılaştır, nullptr);
    QSqlQuery sorgu(db);
    // Reading the catalogue is the first real read: a file that is no database fails here.
    if (!sorgu.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
        return VeriHatası(sorgu.lastError()).açıklama();
    // A saved or deleted row must survive a power cut right after the command returns.
    sorgu.exec(QStringLiteral("PRAGMA synchronous = FULL"));
    return std::nullopt;
}

} // namespace

QSqlDatabase DeğişkenModülü::VeriTabanı()
{
    return QSqlDatabase::database(bağlantıAdı, false);
}

QString DeğişkenModülü::veriTabanıYolu(const QString& klasör)
{
    if (klasör.endsWith(u'\\') || klasör.endsWith(u'/'))
        return klasör + dosyaAdı;
    const qsizetype tersBölü = klasör.lastIndexOf(u'\\');
    const qsizetype bölü = klasör.lastIndexOf(u'/');
    const QChar ayraç = tersBölü > bölü ? u'\\' : u'/';
    return klasör + ayraç + dosyaAdı;
}

std::optional<QString> DeğişkenModülü::şemasızAç(const QString& yol)
{
    kapat();
    if (auto hata = bağlan(yol)) {
        kapat();
        return açılamadı(yol, *hata);
    }
    return std::nullopt;
}

std::optional<QString> DeğişkenModülü::aç(const QString& yol)
{
    kapat();
    const QFileInfo bilgi(yol);
    if (bilgi.exists() && bilgi.isFile() && eskiAccessBiçimi(yol))
        return açılamadı(yol, QStringLiteral("Dosya eski Access (Jet) biçiminde; Morvane yalnızca "
                                             "SQLite biçimindeki veritabanını açabilir.\n") +
                                  motorHatası(SQLITE_NOTADB));
    // The engine would take an empty file for a new, empty database.
    if (bilgi.exists() && bilgi.isFile() && bilgi.size() == 0)
        return açılamadı(yol, QStringLiteral("Dosya boş.\n") + motorHatası(SQLITE_NOTADB));
    std::optional<QString> hata = bağlan(yol);
    if (!hata)
        hata = Şema::eksikler(VeriTabanı());
    if (hata) {
        kapat();
        return açılamadı(yol, *hata);
    }
    return std::nullopt;
}

void DeğişkenModülü::kapat()
{
    if (!QSqlDatabase::contains(bağlantıAdı))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(bağlantıAdı, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(bağlantıAdı);
}

#include "DegiskenModulu.h"

#include "EskiBicim.h"
#include "Sema.h"
#include "TurkceMetin.h"
#include "Tutar.h"
#include "VeriHatasi.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include <sqlite3.h>

#include <cstring>
#include <sys/stat.h>

namespace
{

const QString baglantiAdi = QStringLiteral("VeriTabanı");

// The file as it was opened: its path, device and inode.
struct AcilanDosya {
    QString yol;
    dev_t aygit = 0;
    ino_t dugum = 0;
};
std::optional<AcilanDosya> acilan;

std::optional<AcilanDosya> dosyaKimligi(const QString& yol)
{
    struct stat bilgi {
    };
    if (::stat(QFile::encodeName(yol).constData(), &bilgi) != 0)
        return std::nullopt;
    return AcilanDosya{yol, bilgi.st_dev, bilgi.st_ino};
}

// Case-folding comparison of two UTF-8 texts, registered as the collation "TURKCE" on the
// program's own connection only, so the file stays readable by any SQLite tool.
int turkceKarsilastir(void*, int aUzunluk, const void* a, int bUzunluk, const void* b)
{
    if (aUzunluk == bUzunluk && std::memcmp(a, b, size_t(aUzunluk)) == 0)
        return 0;
    const QString x = QString::fromUtf8(static_cast<const char*>(a), aUzunluk);
    const QString y = QString::fromUtf8(static_cast<const char*>(b), bUzunluk);
    return TurkceMetin::karsilastir(x.constData(), x.size(), y.constData(), y.size());
}

QString motorHatasi(int kod)
{
    return VeriHatasi(QString::number(kod), QString::fromUtf8(sqlite3_errstr(kod))).motorunSozu();
}

QString acilamadi(const QString& yol, const QString& neden)
{
    return QStringLiteral("Veritabanı dosyası açılamadı:\n%1\n\n%2")
        .arg(QDir::toNativeSeparators(yol), neden);
}

QString bulunamadi(const QString& yol, const QString& neden)
{
    return QStringLiteral("%1 bulunamadı: %2\n\n%3")
        .arg(QFileInfo(yol).fileName(), QDir::toNativeSeparators(yol), neden);
}

std::optional<QString> baglan(const QString& yol)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), baglantiAdi);
    // mode=rw: the engine must never create a missing file.
    db.setDatabaseName(QUrl::fromLocalFile(yol).toString(QUrl::FullyEncoded) +
                       QStringLiteral("?mode=rw"));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
    if (!db.open())
        return VeriHatasi(db.lastError()).motorunSozu();
    sqlite3* h = DegiskenModulu::tutamac(db);
    if (!h)
        return QStringLiteral("SQLite sürücüsü kullanılamıyor.");
    if (sqlite3_db_readonly(h, "main") == 1)
        return motorHatasi(SQLITE_READONLY);
    sqlite3_create_collation_v2(h, "TURKCE", SQLITE_UTF8, nullptr, turkceKarsilastir, nullptr);
    Tutar::toplamIsleviniKaydet(h);
    QSqlQuery sorgu(db);
    // Reading the catalogue is the first real read: a file that is no database fails here.
    if (!sorgu.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
        return VeriHatasi(sorgu.lastError()).motorunSozu();
    // A saved or deleted row must survive a power cut right after the command returns.
    sorgu.exec(QStringLiteral("PRAGMA synchronous = FULL"));
    // A file another program holds locked is waited for this long before the command gives up.
    sorgu.exec(QStringLiteral("PRAGMA busy_timeout = 5000"));
    acilan = dosyaKimligi(yol);
    return std::nullopt;
}

} // namespace

sqlite3* DegiskenModulu::tutamac(const QSqlDatabase& db)
{
    const QVariant h = db.driver()->handle();
    if (!h.isValid() || qstrcmp(h.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(h.constData());
}

QSqlDatabase DegiskenModulu::VeriTabani()
{
    return QSqlDatabase::database(baglantiAdi, false);
}

QString DegiskenModulu::veriTabaniYolu(const QString& klasor)
{
    if (klasor.endsWith(u'\\') || klasor.endsWith(u'/'))
        return klasor + dosyaAdi;
    const qsizetype tersBolu = klasor.lastIndexOf(u'\\');
    const qsizetype bolu = klasor.lastIndexOf(u'/');
    const QChar ayrac = tersBolu > bolu ? u'\\' : u'/';
    return klasor + ayrac + dosyaAdi;
}

std::optional<QString> DegiskenModulu::semasizAc(const QString& yol)
{
    kapat();
    if (auto hata = baglan(yol)) {
        kapat();
        return acilamadi(yol, *hata);
    }
    return std::nullopt;
}

std::optional<QString> DegiskenModulu::ac(const QString& yol)
{
    kapat();
    const QFileInfo bilgi(yol);
    if (bilgi.exists() && bilgi.isFile() && eskiBicim(yol) != EskiBicim::Degil)
        return acilamadi(yol, QStringLiteral("Dosya eski Access (Jet) biçiminde; Morvane yalnızca "
                                             "SQLite biçimindeki veritabanını açabilir.\n") +
                                  motorHatasi(SQLITE_NOTADB));
    // The engine would take an empty file for a new, empty database.
    if (bilgi.exists() && bilgi.isFile() && bilgi.size() == 0)
        return acilamadi(yol, QStringLiteral("Dosya boş.\n") + motorHatasi(SQLITE_NOTADB));
    std::optional<QString> hata = baglan(yol);
    if (!hata)
        hata = Sema::eksikler(VeriTabani());
    if (hata) {
        kapat();
        return bilgi.exists() ? acilamadi(yol, *hata) : bulunamadi(yol, *hata);
    }
    return std::nullopt;
}

void DegiskenModulu::dosyayiDenetle()
{
    if (!acilan)
        return;
    const std::optional<AcilanDosya> simdiki = dosyaKimligi(acilan->yol);
    if (simdiki && simdiki->aygit == acilan->aygit && simdiki->dugum == acilan->dugum)
        return;
    throw VeriHatasi(QString(), QStringLiteral("Varnel.mdb, Morvane açıldıktan sonra silinmiş, "
                                               "taşınmış ya da başka bir dosyayla değiştirilmiş:\n"
                                               "%1\n\nMorvane'yi kapatıp yeniden açın.")
                                    .arg(QDir::toNativeSeparators(acilan->yol)));
}

int DegiskenModulu::sonHataKodu()
{
    sqlite3* h = tutamac(VeriTabani());
    return h ? sqlite3_extended_errcode(h) : SQLITE_OK;
}

QString DegiskenModulu::dosyaYolu()
{
    // The connection's name is the file's URL with its opening mode.
    return QUrl(VeriTabani().databaseName()).toLocalFile();
}

QString DegiskenModulu::sqliteSurumu()
{
    return QString::fromLatin1(sqlite3_libversion());
}

void DegiskenModulu::kapat()
{
    acilan.reset();
    if (!QSqlDatabase::contains(baglantiAdi))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(baglantiAdi, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(baglantiAdi);
}

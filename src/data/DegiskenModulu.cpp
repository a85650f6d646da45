#include "DegiskenModulu.h"

#include "AcilisDenetimi.h"
#include "EskiBicim.h"
#include "KilitBeklemesi.h"
#include "OrtakButce.h"
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
#include <unistd.h>

namespace
{

const QString& baglantiAdi = DegiskenModulu::baglantiAdi;

// The file as it was opened: its path, device and inode.
struct AcilanDosya {
    QString yol;
    dev_t aygit = 0;
    ino_t dugum = 0;
};
std::optional<AcilanDosya> acilan;
// The file's data_version when the program last looked: it changes when another connection writes.
std::optional<qint64> bilinenSurum;

std::optional<AcilanDosya> dosyaKimligi(const QString& yol)
{
    struct stat bilgi {
    };
    if (::stat(QFile::encodeName(yol).constData(), &bilgi) != 0)
        return std::nullopt;
    return AcilanDosya{yol, bilgi.st_dev, bilgi.st_ino};
}

// UTF-8 into UTF-16 in a buffer of the caller's, for the collation below: a listing compares tens
// of thousands of group names, and two QStrings a comparison cost more than the comparing. False
// for what does not fit or is not well-formed UTF-8 of the Basic Multilingual Plane, which the
// collation then takes through QString.
constexpr int kisaMetin = 64;
bool utf16Yaz(const unsigned char* s, int uzunluk, char16_t (&hedef)[kisaMetin], int& yazilan)
{
    yazilan = 0;
    for (int i = 0; i < uzunluk; ++yazilan) {
        if (yazilan == kisaMetin)
            return false;
        const unsigned c = s[i];
        if (c < 0x80) {
            hedef[yazilan] = char16_t(c);
            i += 1;
        } else if (c >= 0xC2 && c < 0xE0 && i + 1 < uzunluk && (s[i + 1] & 0xC0) == 0x80) {
            hedef[yazilan] = char16_t(((c & 0x1F) << 6) | (s[i + 1] & 0x3F));
            i += 2;
        } else if (c >= 0xE0 && c < 0xF0 && i + 2 < uzunluk && (s[i + 1] & 0xC0) == 0x80 &&
                   (s[i + 2] & 0xC0) == 0x80) {
            const unsigned k = ((c & 0x0F) << 12) | ((s[i + 1] & 0x3F) << 6) | (s[i + 2] & 0x3F);
            if (k < 0x800 || (k >= 0xD800 && k < 0xE000))
                return false;
            hedef[yazilan] = char16_t(k);
            i += 3;
        } else {
            return false;
        }
    }
    return true;
}

// Case-folding comparison of two UTF-8 texts, registered as the collation "TURKCE" on the
// program's own connection only, so the file stays readable by any SQLite tool.
int turkceKarsilastir(void*, int aUzunluk, const void* a, int bUzunluk, const void* b)
{
    if (aUzunluk == bUzunluk && std::memcmp(a, b, size_t(aUzunluk)) == 0)
        return 0;
    char16_t x16[kisaMetin], y16[kisaMetin];
    int xUzunluk = 0, yUzunluk = 0;
    if (utf16Yaz(static_cast<const unsigned char*>(a), aUzunluk, x16, xUzunluk) &&
        utf16Yaz(static_cast<const unsigned char*>(b), bUzunluk, y16, yUzunluk))
        return TurkceMetin::karsilastir(QStringView(x16, xUzunluk).data(), xUzunluk,
                                        QStringView(y16, yUzunluk).data(), yUzunluk);
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

// Why the engine would not open a file: only what points at its contents is damage.
DegiskenModulu::Acilamama::Neden nedeni(int kod)
{
    using N = DegiskenModulu::Acilamama::Neden;
    switch (kod & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return N::Kilitli;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
    case SQLITE_CANTOPEN:
        return N::Erisilemez;
    case SQLITE_NOMEM:
        return N::Baska;
    default:
        return N::Bozuk;
    }
}

// Nothing but the program's own statements runs on its connection: no extension is ever loaded,
// and the file's own schema (a view or trigger another program left) may call no function that
// is not harmless.
void kisitla(sqlite3* h)
{
    sqlite3_enable_load_extension(h, 0);
    sqlite3_db_config(h, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(h, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
}

// The engine's words add nothing to a missing file; what to do does.
QString bulunamadi(const QString& yol)
{
    return QStringLiteral("%1 bulunamadı: %2\n\nBütçenin bulunduğu klasörü seçin ya da orada boş "
                          "bir bütçe dosyası oluşturun: Morvane ilk açılışta bunu önerir, komut "
                          "satırında varnel-olustur KLASÖR oluşturur.")
        .arg(QFileInfo(yol).fileName(), QDir::toNativeSeparators(yol));
}

struct BaglanmaHatasi {
    int kod = SQLITE_ERROR;
    QString metin;
};

std::optional<BaglanmaHatasi> hatasi(const QSqlError& hata)
{
    return BaglanmaHatasi{hata.nativeErrorCode().toInt(), VeriHatasi(hata).motorunSozu()};
}

std::optional<BaglanmaHatasi> baglan(const QString& yol)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), baglantiAdi);
    // mode=rw: the engine must never create a missing file.
    db.setDatabaseName(QUrl::fromLocalFile(yol).toString(QUrl::FullyEncoded) +
                       QStringLiteral("?mode=rw"));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
    if (!db.open())
        return hatasi(db.lastError());
    sqlite3* h = DegiskenModulu::tutamac(db);
    if (!h)
        return BaglanmaHatasi{SQLITE_ERROR, QStringLiteral("SQLite sürücüsü kullanılamıyor.")};
    if (sqlite3_db_readonly(h, "main") == 1)
        return BaglanmaHatasi{SQLITE_READONLY, motorHatasi(SQLITE_READONLY)};
    kisitla(h);
    KilitBeklemesi::kur(h);
    sqlite3_create_collation_v2(h, "TURKCE", SQLITE_UTF8, nullptr, turkceKarsilastir, nullptr);
    Tutar::toplamIsleviniKaydet(h);
    QSqlQuery sorgu(db);
    // Reading the catalogue is the first real read: a file that is no database fails here.
    if (!sorgu.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
        return hatasi(sorgu.lastError());
    // A saved or deleted row must survive a power cut right after the command returns.
    sorgu.exec(QStringLiteral("PRAGMA synchronous = FULL"));
    acilan = dosyaKimligi(yol);
    bilinenSurum.reset();
    DegiskenModulu::baskasiDegistirdi();
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
        return acilamadi(yol, hata->metin);
    }
    return std::nullopt;
}

std::optional<QString> DegiskenModulu::ac(const QString& yol)
{
    if (auto hata = acmayiDene(yol))
        return hata->metin;
    return std::nullopt;
}

std::optional<DegiskenModulu::Acilamama> DegiskenModulu::acmayiDene(const QString& yol)
{
    using N = Acilamama::Neden;
    kapat();
    const QFileInfo bilgi(yol);
    const bool dosya = bilgi.exists() && bilgi.isFile();
    if (dosya && eskiBicim(yol) != EskiBicim::Degil)
        return Acilamama{N::EskiBicim,
                         acilamadi(yol, QStringLiteral("Dosya eski Access (Jet) biçiminde; Morvane "
                                                       "yalnızca SQLite biçimindeki veritabanını "
                                                       "açabilir.\n") +
                                            motorHatasi(SQLITE_NOTADB))};
    // The engine would take an empty file for a new, empty database.
    if (dosya && bilgi.size() == 0)
        return Acilamama{
            N::Bozuk, acilamadi(yol, QStringLiteral("Dosya boş.\n") + motorHatasi(SQLITE_NOTADB))};
    std::optional<Acilamama> sonuc;
    if (const auto hata = baglan(yol))
        sonuc = Acilamama{nedeni(hata->kod), hata->metin};
    else if (const auto eksik = Sema::eksikler(VeriTabani()))
        sonuc = Acilamama{N::Bozuk, *eksik};
    if (!sonuc)
        return std::nullopt;
    kapat();
    if (!bilgi.exists())
        return Acilamama{N::Yok, bulunamadi(yol)};
    // What the user may not read or write is no damage, whatever the engine made of it.
    if (!dosya || ::access(QFile::encodeName(yol).constData(), R_OK | W_OK) != 0)
        sonuc->neden = N::Erisilemez;
    sonuc->metin = acilamadi(yol, sonuc->metin);
    return sonuc;
}

bool DegiskenModulu::baskasiDegistirdi()
{
    sqlite3* h = tutamac(VeriTabani());
    if (!h)
        return false;
    // Asked without waiting: a file locked now is looked at again later.
    sqlite3_busy_handler(h, nullptr, nullptr);
    sqlite3_stmt* deyim = nullptr;
    std::optional<qint64> surum;
    if (sqlite3_prepare_v2(h, "PRAGMA data_version", -1, &deyim, nullptr) == SQLITE_OK &&
        sqlite3_step(deyim) == SQLITE_ROW)
        surum = sqlite3_column_int64(deyim, 0);
    sqlite3_finalize(deyim);
    KilitBeklemesi::kur(h);
    if (!surum)
        return false;
    const bool degisti = bilinenSurum && *surum != *bilinenSurum;
    bilinenSurum = surum;
    return degisti;
}

void DegiskenModulu::dosyayiDenetle()
{
    OrtakButce::gerekirseYenidenBaglan();
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
    AcilisDenetimi::durdur();
    acilan.reset();
    bilinenSurum.reset();
    if (!QSqlDatabase::contains(baglantiAdi))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(baglantiAdi, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(baglantiAdi);
}

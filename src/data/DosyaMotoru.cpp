#include "DosyaMotoru.h"

#include "DosyaBaglantisi.h"
#include "DosyaTasima.h"
#include "EskiBicim.h"
#include "KilitBeklemesi.h"
#include "Lehce.h"
#include "Sema.h"
#include "TurkceMetin.h"
#include "Tutar.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include <sqlite3.h>

#include <cstring>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

int sayac = 0;

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
Acilamama::Neden nedeni(int kod)
{
    using N = Acilamama::Neden;
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

std::optional<std::pair<dev_t, ino_t>> kimlik(const QString& yol)
{
    struct stat bilgi {
    };
    if (::stat(QFile::encodeName(yol).constData(), &bilgi) != 0)
        return std::nullopt;
    return std::pair(bilgi.st_dev, bilgi.st_ino);
}

// A file of an older version gets the tables added since. One that cannot take them now (locked
// for long, a full disk) still opens: only what needs them fails, and the next opening tries again.
void semayiGuncelle(QSqlDatabase db)
{
    try {
        Sema::guncelle(db);
    } catch (const VeriHatasi&) {
    }
}

} // namespace

DosyaMotoru::DosyaMotoru(const QString& dosya)
    : yol(dosya), ad(QStringLiteral("Bütçe dosyası %1").arg(++sayac))
{
}

DosyaMotoru::~DosyaMotoru()
{
    if (!QSqlDatabase::contains(ad))
        return;
    QSqlDatabase::database(ad, false).close();
    QSqlDatabase::removeDatabase(ad);
}

QSqlDatabase DosyaMotoru::db() const
{
    return QSqlDatabase::database(ad, false);
}

bool DosyaMotoru::aylikToplamlarHazir(const DefterTanimi& defter)
{
    return Sema::aylikToplamlarHazir(db(), defter);
}

const Lehce& DosyaMotoru::lehce() const
{
    return Lehce::dosya();
}

sqlite3* DosyaMotoru::tutamac() const
{
    return DosyaBaglantisi::tutamac(db());
}

std::optional<std::pair<int, QString>> DosyaMotoru::baglan()
{
    const auto hatasi = [](const QSqlError& e) {
        return std::pair(e.nativeErrorCode().toInt(), VeriHatasi(e).motorunSozu());
    };
    QSqlDatabase vt = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), ad);
    // mode=rw: the engine must never create a missing file.
    vt.setDatabaseName(QUrl::fromLocalFile(yol).toString(QUrl::FullyEncoded) +
                       QStringLiteral("?mode=rw"));
    vt.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
    if (!vt.open())
        return hatasi(vt.lastError());
    sqlite3* h = tutamac();
    if (!h)
        return std::pair(SQLITE_ERROR, QStringLiteral("SQLite sürücüsü kullanılamıyor."));
    if (sqlite3_db_readonly(h, "main") == 1)
        return std::pair(SQLITE_READONLY, motorHatasi(SQLITE_READONLY));
    kisitla(h);
    KilitBeklemesi::kur(h);
    sqlite3_create_collation_v2(h, "TURKCE", SQLITE_UTF8, nullptr, turkceKarsilastir, nullptr);
    Tutar::toplamIsleviniKaydet(h);
    QSqlQuery sorgu(vt);
    // Reading the catalogue is the first real read: a file that is no database fails here.
    if (!sorgu.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
        return hatasi(sorgu.lastError());
    // A saved or deleted row must survive a power cut right after the command returns.
    sorgu.exec(QStringLiteral("PRAGMA synchronous = FULL"));
    if (const auto k = kimlik(yol))
        std::tie(aygit, dugum) = *k;
    baskasiDegistirdi();
    return std::nullopt;
}

DosyaMotoru::Acilis DosyaMotoru::ac(const QString& yol, bool semayla)
{
    using N = Acilamama::Neden;
    const QFileInfo bilgi(yol);
    const bool dosya = bilgi.exists() && bilgi.isFile();
    // A file being made (semasiz) is empty until its tables are created.
    if (semayla && dosya && eskiBicim(yol) != EskiBicim::Degil)
        return {
            nullptr,
            {N::EskiBicim,
             acilamadi(yol, QStringLiteral("Dosya eski Access (Jet) biçiminde; Morvane yalnızca "
                                           "SQLite biçimindeki veritabanını açabilir.\n") +
                                motorHatasi(SQLITE_NOTADB))}};
    // The engine would take an empty file for a new, empty database.
    if (semayla && dosya && bilgi.size() == 0)
        return {nullptr,
                {N::Bozuk,
                 acilamadi(yol, QStringLiteral("Dosya boş.\n") + motorHatasi(SQLITE_NOTADB))}};
    std::unique_ptr<DosyaMotoru> motor(new DosyaMotoru(yol));
    std::optional<Acilamama> sonuc;
    if (const auto hata = motor->baglan())
        sonuc = Acilamama{nedeni(hata->first), hata->second};
    else if (const auto eksik = semayla ? Sema::eksikler(motor->db()) : std::nullopt)
        sonuc = Acilamama{N::Bozuk, *eksik};
    if (!sonuc) {
        if (semayla)
            semayiGuncelle(motor->db());
        return {std::move(motor), {}};
    }
    motor.reset();
    if (!bilgi.exists())
        return {nullptr, {N::Yok, bulunamadi(yol)}};
    // What the user may not read or write is no damage, whatever the engine made of it.
    if (!dosya || ::access(QFile::encodeName(yol).constData(), R_OK | W_OK) != 0)
        sonuc->neden = N::Erisilemez;
    sonuc->metin = acilamadi(yol, sonuc->metin);
    return {nullptr, *sonuc};
}

void DosyaMotoru::deyimdenOnce(bool)
{
    if (kimlik(yol) == std::pair(aygit, dugum))
        return;
    throw VeriHatasi(QString(), QStringLiteral("Varnel.mdb, Morvane açıldıktan sonra silinmiş, "
                                               "taşınmış ya da başka bir dosyayla değiştirilmiş:\n"
                                               "%1\n\nMorvane'yi kapatıp yeniden açın.")
                                    .arg(QDir::toNativeSeparators(yol)));
}

VeriHatasi DosyaMotoru::hatasi(const QSqlError& hata, bool)
{
    VeriHatasi sonuc(hata);
    // Qt leaves the engine's number out of a failed commit; the connection still holds it.
    if (sonuc.numara().isEmpty() && hata.type() == QSqlError::TransactionError)
        if (sqlite3* h = tutamac(); h && sqlite3_extended_errcode(h) != SQLITE_OK)
            return VeriHatasi(QString::number(sqlite3_extended_errcode(h)), sonuc.metin());
    return sonuc;
}

// Asked without waiting: a file locked now is looked at again later (none then).
std::optional<qint64> DosyaMotoru::dosyaSurumu() const
{
    sqlite3* h = tutamac();
    if (!h)
        return std::nullopt;
    sqlite3_busy_handler(h, nullptr, nullptr);
    sqlite3_stmt* deyim = nullptr;
    std::optional<qint64> surum;
    if (sqlite3_prepare_v2(h, "PRAGMA data_version", -1, &deyim, nullptr) == SQLITE_OK &&
        sqlite3_step(deyim) == SQLITE_ROW)
        surum = sqlite3_column_int64(deyim, 0);
    sqlite3_finalize(deyim);
    KilitBeklemesi::kur(h);
    return surum;
}

bool DosyaMotoru::baskasiDegistirdi()
{
    const std::optional<qint64> surum = dosyaSurumu();
    if (!surum)
        return false;
    const bool degisti = bilinenSurum && *surum != *bilinenSurum;
    bilinenSurum = surum;
    return degisti;
}

qint64 DosyaMotoru::veriSurumu()
{
    return dosyaSurumu().value_or(-1);
}

QString DosyaMotoru::tanim() const
{
    return QStringLiteral("Veri dosyası: ") + QDir::toNativeSeparators(yol);
}

void DosyaMotoru::dosyayaYaz(const QString& bosDosya)
{
    DosyaBaglantisi::bosDosyayaKopyala(bosDosya, tutamac());
    DosyaTasima::izinleriAktar(yol, bosDosya);
}

void DosyaMotoru::yedektenYukle(const QString& yedek, const QString& oncesi)
{
    {
        const DosyaBaglantisi kaynak(yedek, DosyaBaglantisi::Kip::SaltOkunur);
        DosyaBaglantisi::sayfalariKopyala(tutamac(), kaynak.tutamac());
    }
    if (const auto sorun = Sema::denetimSorunu(db())) {
        const DosyaBaglantisi onceki(oncesi, DosyaBaglantisi::Kip::SaltOkunur);
        DosyaBaglantisi::sayfalariKopyala(tutamac(), onceki.tutamac());
        throw VeriHatasi(QString(), QStringLiteral("Geri yüklenen veriler denetimden geçemedi; "
                                                   "dosya eski hâline döndürüldü.\n\n%1")
                                        .arg(*sorun));
    }
    semayiGuncelle(db());
}

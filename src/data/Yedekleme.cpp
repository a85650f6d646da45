#include "Yedekleme.h"

#include "AcilisDenetimi.h"
#include "DefterTanimi.h"
#include "DegiskenModulu.h"
#include "DosyaBaglantisi.h"
#include "DosyaHatasi.h"
#include "DosyaTasima.h"
#include "Lehce.h"
#include "OrtakButce.h"
#include "Sema.h"
#include "Takvim.h"
#include "VeriHatasi.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryFile>

#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include <sys/stat.h>
#include <unistd.h>

namespace
{

constexpr qsizetype enYeniler = 10;
constexpr int aylar = 12;
// A half-written backup, left by a program that was stopped while writing it, is deleted after:
constexpr qint64 yarimKalmaSuresi = 3600;

const QString adBicimi = QStringLiteral("yyyy-MM-dd-HHmm");
const QString geciciAd = QStringLiteral(".yedek-");

[[noreturn]] void reddet(const QString& metin)
{
    throw VeriHatasi(QString(), metin);
}

VeriHatasi motorHatasi(sqlite3* h)
{
    return VeriHatasi(QString::number(sqlite3_errcode(h)), QString::fromUtf8(sqlite3_errmsg(h)));
}

sqlite3* acikDosya()
{
    return DegiskenModulu::tutamac(DegiskenModulu::VeriTabani());
}

// Every page of the source in one step, in one transaction of the target.
void kopyala(sqlite3* hedef, sqlite3* kaynak)
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

std::optional<QString> sorunu(QSqlDatabase db)
{
    if (auto sorun = Sema::butunlukSorunu(db))
        return sorun;
    return Sema::eksikler(db);
}

void izinleriAktar(const QString& kaynak, const QString& hedef);

// Backups stay in a real folder of the user's own: never where a symbolic link leads, never in a
// folder someone else owns and could fill with files of their choosing.
std::optional<QString> klasorSorunu(const QString& klasor)
{
    const QString ad = QDir::toNativeSeparators(klasor);
    struct stat bilgi {
    };
    if (::lstat(QFile::encodeName(klasor).constData(), &bilgi) != 0)
        return QStringLiteral("%1 klasörü okunamadı: %2")
            .arg(ad, DosyaHatasi::sistemNedeni(errno));
    if (S_ISLNK(bilgi.st_mode))
        return QStringLiteral("%1 sembolik bir bağlantı; yedekler yalnızca gerçek bir klasöre "
                              "alınır.")
            .arg(ad);
    if (!S_ISDIR(bilgi.st_mode))
        return QStringLiteral("%1 bir klasör değil.").arg(ad);
    if (bilgi.st_uid != ::geteuid())
        return QStringLiteral("%1 klasörü başka bir kullanıcıya ait; yedekler yalnızca sizin "
                              "klasörünüze alınır.")
            .arg(ad);
    return std::nullopt;
}

void klasoruHazirla(const QString& klasor)
{
    if (::mkdir(QFile::encodeName(klasor).constData(), 0700) != 0 && errno != EEXIST)
        reddet(QStringLiteral("%1 klasörü oluşturulamadı: %2")
                   .arg(QDir::toNativeSeparators(klasor), DosyaHatasi::sistemNedeni(errno)));
    if (const auto sorun = klasorSorunu(klasor))
        reddet(*sorun);
}

// A closed file copied byte for byte under a temporary name in `klasor`, made to last, with the
// permissions of `izinler`; the copy's path, which the caller renames.
QString diskeKopyala(const QString& kaynak, const QString& klasor, const QString& izinler)
{
    QTemporaryFile gecici(QDir(klasor).filePath(geciciAd + QStringLiteral("XXXXXX")));
    QFile okunan(kaynak);
    if (!gecici.open() || !okunan.open(QIODevice::ReadOnly))
        reddet(QStringLiteral("%1 kopyalanamadı: %2")
                   .arg(QDir::toNativeSeparators(kaynak),
                        DosyaHatasi::neden(gecici.isOpen() ? static_cast<QFileDevice&>(okunan)
                                                           : gecici)));
    while (!okunan.atEnd()) {
        const QByteArray parca = okunan.read(1 << 20);
        if (parca.isEmpty() || gecici.write(parca) != parca.size())
            reddet(QStringLiteral("%1 kopyalanamadı: %2")
                       .arg(QDir::toNativeSeparators(kaynak), DosyaHatasi::neden(gecici)));
    }
    gecici.close();
    DosyaTasima::diskeYaz(gecici.fileName());
    izinleriAktar(izinler, gecici.fileName());
    gecici.setAutoRemove(false);
    return gecici.fileName();
}

QString onEk()
{
    return QFileInfo(DegiskenModulu::dosyaAdi).completeBaseName() + u'-';
}

// The minute's name, numbered when a file of that minute is already there.
QString bosAd(const QString& klasor, const QString& adOnEki, const QDateTime& an)
{
    const QString kok = QDir(klasor).filePath(adOnEki + an.toString(adBicimi));
    QString yol = kok + QStringLiteral(".mdb");
    for (int sira = 2; QFileInfo::exists(yol); ++sira)
        yol = kok + QStringLiteral("-%1.mdb").arg(sira);
    return yol;
}

void izinleriAktar(const QString& kaynak, const QString& hedef)
{
    struct stat bilgi {
    };
    if (::stat(QFile::encodeName(kaynak).constData(), &bilgi) != 0 ||
        ::chmod(QFile::encodeName(hedef).constData(), bilgi.st_mode & 07777) != 0)
        reddet(QStringLiteral("%1 izinleri ayarlanamadı: %2")
                   .arg(QDir::toNativeSeparators(hedef), DosyaHatasi::sistemNedeni(errno)));
}

// Written under a temporary name and renamed when whole, so that a backup's name always stands
// for a complete copy.
QString yedekle(const QDateTime& an, const QString& adOnEki = onEk())
{
    // A file deleted, moved or replaced since it was opened is copied nowhere.
    DegiskenModulu::dosyayiDenetle();
    const bool sunucuda = Lehce::sunucuda();
    const QString klasor = Yedekleme::acikButceninKlasoru();
    klasoruHazirla(klasor);
    QTemporaryFile gecici(QDir(klasor).filePath(geciciAd + QStringLiteral("XXXXXX")));
    if (!gecici.open())
        reddet(
            QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(klasor), DosyaHatasi::neden(gecici)));
    if (sunucuda)
        OrtakButce::dosyayaYaz(gecici.fileName());
    else {
        sqlite3* h = nullptr;
        const int kod = sqlite3_open_v2(QFile::encodeName(gecici.fileName()).constData(), &h,
                                        SQLITE_OPEN_READWRITE, nullptr);
        const std::unique_ptr<sqlite3, int (*)(sqlite3*)> hedef(h, sqlite3_close);
        if (kod != SQLITE_OK)
            throw motorHatasi(h);
        // Nothing to roll back in a file that only gets its name once whole: no journal, and one
        // flush to disk at the end instead of one per step.
        if (sqlite3_exec(h, "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF", nullptr, nullptr,
                         nullptr) != SQLITE_OK)
            throw motorHatasi(h);
        kopyala(h, acikDosya());
    }
    DosyaTasima::diskeYaz(gecici.fileName());
    if (!sunucuda)
        izinleriAktar(DegiskenModulu::dosyaYolu(), gecici.fileName());
    const QString yol = bosAd(klasor, adOnEki, an);
    DosyaTasima::uzerineYazmadan(gecici.fileName(), yol);
    gecici.setAutoRemove(false);
    return yol;
}

void birak(const QString& klasor, const QDateTime& an)
{
    for (const QString& yol : Yedekleme::birakilacaklar(Yedekleme::yedekler(klasor), an))
        QFile::remove(yol);
    for (const QFileInfo& yarim :
         QDir(klasor).entryInfoList({geciciAd + u'*'}, QDir::Files | QDir::Hidden))
        if (yarim.lastModified().secsTo(an) > yarimKalmaSuresi)
            QFile::remove(yarim.filePath());
}

} // namespace

QString Yedekleme::klasor(const QString& dosya)
{
    return QFileInfo(dosya).absoluteDir().filePath(klasorAdi);
}

QString Yedekleme::acikButceninKlasoru()
{
    return klasor(Lehce::sunucuda() ? OrtakButce::yedekYeri() : DegiskenModulu::dosyaYolu());
}

QList<Yedekleme::Yedek> Yedekleme::yedekler(const QString& klasor)
{
    if (klasorSorunu(klasor))
        return {};
    static const QRegularExpression desen(
        QStringLiteral(R"(^%1(\d{4}-\d{2}-\d{2}-\d{4})(?:-(\d+))?\.mdb$)").arg(onEk()));
    QList<std::pair<Yedek, int>> bulunan;
    for (const QFileInfo& bilgi : QDir(klasor).entryInfoList(QDir::Files)) {
        const QRegularExpressionMatch m = desen.match(bilgi.fileName());
        const QDateTime an = QDateTime::fromString(m.captured(1), adBicimi);
        if (m.hasMatch() && an.isValid())
            bulunan.append({{bilgi.filePath(), an, bilgi.size()}, m.captured(2).toInt()});
    }
    std::sort(bulunan.begin(), bulunan.end(), [](const auto& a, const auto& b) {
        return std::pair(a.first.an, a.second) > std::pair(b.first.an, b.second);
    });
    QList<Yedek> sonuc;
    for (const auto& [yedek, sira] : bulunan)
        sonuc << yedek;
    return sonuc;
}

QStringList Yedekleme::birakilacaklar(const QList<Yedek>& yedekler, const QDateTime& an)
{
    const QDate bugun = an.date();
    const QDate ilkAy = QDate(bugun.year(), bugun.month(), 1).addMonths(1 - aylar);
    QSet<int> temsilEdilen;
    QStringList sonuc;
    for (qsizetype i = 0; i < yedekler.size(); ++i) {
        const QDate gun = yedekler[i].an.date();
        const int ay = gun.year() * 12 + gun.month();
        const bool aylik = gun >= ilkAy && !temsilEdilen.contains(ay);
        temsilEdilen.insert(ay);
        if (i >= enYeniler && !aylik)
            sonuc << yedekler[i].yol;
    }
    return sonuc;
}

QString Yedekleme::al(const QDateTime& an)
{
    const QString yol = yedekle(an);
    birak(QFileInfo(yol).absolutePath(), an);
    return yol;
}

std::pair<qint64, qint64> Yedekleme::kayitSayilari(const QString& yedek)
{
    const DosyaBaglantisi baglanti(yedek, DosyaBaglantisi::Kip::SaltOkunur);
    qint64 sayilar[2] = {};
    for (const DefterTanimi* d : {&gelirDefteri(), &giderDefteri()}) {
        QSqlQuery sorgu(baglanti.db());
        if (!sorgu.exec(QStringLiteral("SELECT count(*) FROM %1").arg(d->kayitTablosu)) ||
            !sorgu.next())
            throw VeriHatasi(sorgu.lastError());
        sayilar[d == &giderDefteri()] = sorgu.value(0).toLongLong();
    }
    return {sayilar[0], sayilar[1]};
}

Yedekleme::Icerik Yedekleme::icerik(const QString& dosya)
{
    Icerik sonuc;
    std::tie(sonuc.gelir, sonuc.gider) = kayitSayilari(dosya);
    const DosyaBaglantisi baglanti(dosya, DosyaBaglantisi::Kip::SaltOkunur);
    std::pair<int, int> enYeni{0, 0}; // year, month
    for (const DefterTanimi* d : {&gelirDefteri(), &giderDefteri()}) {
        QSqlQuery sorgu(baglanti.db());
        if (!sorgu.exec(QStringLiteral("SELECT DISTINCT %1, %2 FROM %3 WHERE %1 = "
                                       "(SELECT max(%1) FROM %3)")
                            .arg(d->yilAlani, d->ayAlani, d->kayitTablosu)))
            throw VeriHatasi(sorgu.lastError());
        while (sorgu.next())
            enYeni = std::max(enYeni, {sorgu.value(0).toInt(),
                                       Takvim::ayNumarasi(sorgu.value(1).toString())});
    }
    if (enYeni.second > 0)
        sonuc.enYeniDonem =
            Takvim::ayAdlari()[enYeni.second - 1] + u' ' + QString::number(enYeni.first);
    return sonuc;
}

void Yedekleme::geriYukle(const QString& yedek, const QDateTime& an, bool bozukDosya)
{
    const DosyaBaglantisi kaynak(yedek, DosyaBaglantisi::Kip::SaltOkunur);
    if (const auto sorun = sorunu(kaynak.db()))
        reddet(QStringLiteral("Bu yedek denetimden geçemedi; geri yüklenmedi, hiçbir şey "
                              "değiştirilmedi.\n\n%1")
                   .arg(*sorun));
    QString oncesi;
    try {
        oncesi = yedekle(an, bozukDosya ? onEk() + bozukOnEki : onEk());
    } catch (const VeriHatasi& h) {
        reddet(QStringLiteral("Şu anki dosya yedeklenemediği için geri yükleme yapılmadı.\n\n%1")
                   .arg(h.aciklama()));
    }
    // A shared budget's rows are replaced in one transaction: on failure nothing changed.
    if (Lehce::sunucuda()) {
        OrtakButce::yedektenGeriYukle(yedek);
        birak(acikButceninKlasoru(), an);
        return;
    }
    kopyala(acikDosya(), kaynak.tutamac());
    if (const auto sorun = sorunu(DegiskenModulu::VeriTabani())) {
        const DosyaBaglantisi onceki(oncesi, DosyaBaglantisi::Kip::SaltOkunur);
        kopyala(acikDosya(), onceki.tutamac());
        reddet(QStringLiteral("Geri yüklenen veriler denetimden geçemedi; dosya eski hâline "
                              "döndürüldü.\n\n%1")
                   .arg(*sorun));
    }
    AcilisDenetimi::saglamSay();
    birak(klasor(DegiskenModulu::dosyaYolu()), an);
}

std::optional<Yedekleme::Yedek> Yedekleme::saglamEnYeni(const QString& klasor)
{
    for (const Yedek& yedek : yedekler(klasor)) {
        try {
            const DosyaBaglantisi baglanti(yedek.yol, DosyaBaglantisi::Kip::SaltOkunur);
            if (!sorunu(baglanti.db()))
                return yedek;
        } catch (const VeriHatasi&) {
        }
    }
    return std::nullopt;
}

void Yedekleme::acilmayanaGeriYukle(const QString& dosya, const QString& yedek, const QDateTime& an)
{
    {
        const DosyaBaglantisi kaynak(yedek, DosyaBaglantisi::Kip::SaltOkunur);
        if (const auto sorun = sorunu(kaynak.db()))
            reddet(QStringLiteral("Bu yedek denetimden geçemedi; geri yüklenmedi, hiçbir şey "
                                  "değiştirilmedi.\n\n%1")
                       .arg(*sorun));
    }
    const QString yedekKlasoru = klasor(dosya);
    klasoruHazirla(yedekKlasoru);
    const QString yerine = diskeKopyala(yedek, QFileInfo(dosya).absolutePath(), dosya);
    try {
        const QString bozuk = bosAd(yedekKlasoru, onEk() + bozukOnEki, an);
        DosyaTasima::uzerineYazmadan(diskeKopyala(dosya, yedekKlasoru, dosya), bozuk);
        // A journal left beside the damaged file would be played back into the backup's copy.
        for (const char* ek : {"-journal", "-wal", "-shm"})
            if (QFileInfo::exists(dosya + QLatin1String(ek)))
                DosyaTasima::uzerineYazmadan(dosya + QLatin1String(ek), bozuk + QLatin1String(ek));
        DosyaTasima::yerineKoy(yerine, dosya);
    } catch (const VeriHatasi&) {
        QFile::remove(yerine);
        throw;
    }
}

#include "Sema.h"

#include "DefterTanimi.h"
#include "DosyaBaglantisi.h"
#include "DosyaHatasi.h"
#include "VeriHatasi.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

QList<Sema::Tablo> Sema::tablolar()
{
    QList<Tablo> sonuc;
    for (const DefterTanimi* d : {&gelirDefteri(), &giderDefteri()}) {
        Tablo kayitlar = kayitTablosu(*d);
        kayitlar.alanlar.prepend(QStringLiteral("Kimlik"));
        sonuc << anaGrupTablosu(*d) << altGrupTablosu(*d) << kayitlar;
    }
    return sonuc;
}

Sema::Tablo Sema::anaGrupTablosu(const DefterTanimi& defter)
{
    return {defter.anaGrupTablosu, {QStringLiteral("GrupAdi")}};
}

Sema::Tablo Sema::altGrupTablosu(const DefterTanimi& defter)
{
    return {defter.altGrupTablosu, {QStringLiteral("AnaGrup"), QStringLiteral("GrupAdi")}};
}

Sema::Tablo Sema::kayitTablosu(const DefterTanimi& defter)
{
    return {defter.kayitTablosu,
            {QStringLiteral("AnaGrup"), QStringLiteral("GrupAdi"), defter.yilAlani, defter.ayAlani,
             defter.tahminAlani, QStringLiteral("Gerceklesen")}};
}

Sema::Tablo Sema::hareketTablosu()
{
    return {QStringLiteral("BankaHareketleri"),
            {QStringLiteral("Tarih"), QStringLiteral("Aciklama"), QStringLiteral("Tutar"),
             QStringLiteral("Defter"), QStringLiteral("KayitKimlik"), QStringLiteral("Kaynak"),
             QStringLiteral("Dosya"), QStringLiteral("KaynakNo"), QStringLiteral("Parmakizi")}};
}

Sema::Tablo Sema::kuralTablosu()
{
    return {QStringLiteral("IceAktarmaKurallari"),
            {QStringLiteral("Kosul"), QStringLiteral("Metin"), QStringLiteral("EnAz"),
             QStringLiteral("EnCok"), QStringLiteral("Defter"), QStringLiteral("AnaGrup"),
             QStringLiteral("GrupAdi")}};
}

QList<Sema::Tablo> Sema::ekTablolar()
{
    QList<Tablo> sonuc{hareketTablosu(), kuralTablosu()};
    for (Tablo& t : sonuc)
        t.alanlar.prepend(QStringLiteral("Kimlik"));
    return sonuc;
}

namespace
{

// Version 1: the bank movements and the rules. Amounts in whole kuruş, dates as yyyy-MM-dd; a
// movement set aside ("Yok say") has no Defter, one whose entry went keeps its Defter alone. The
// fingerprint is unique: no statement brings a movement in twice, whatever the program does.
QStringList surum1Komutlari()
{
    return {QStringLiteral("CREATE TABLE IF NOT EXISTS BankaHareketleri (Kimlik INTEGER PRIMARY "
                           "KEY AUTOINCREMENT, Tarih TEXT, Aciklama TEXT, Tutar INTEGER, Defter "
                           "TEXT, KayitKimlik INTEGER, Kaynak TEXT, Dosya TEXT, KaynakNo INTEGER, "
                           "Parmakizi TEXT)"),
            QStringLiteral("CREATE UNIQUE INDEX IF NOT EXISTS BankaHareketleri_Parmakizi ON "
                           "BankaHareketleri (Parmakizi)"),
            QStringLiteral("CREATE INDEX IF NOT EXISTS BankaHareketleri_Kayit ON "
                           "BankaHareketleri (Defter, KayitKimlik)"),
            QStringLiteral("CREATE INDEX IF NOT EXISTS BankaHareketleri_Kaynak ON "
                           "BankaHareketleri (Kaynak)"),
            QStringLiteral("CREATE TABLE IF NOT EXISTS IceAktarmaKurallari (Kimlik INTEGER "
                           "PRIMARY KEY AUTOINCREMENT, Kosul TEXT, Metin TEXT, EnAz INTEGER, "
                           "EnCok INTEGER, Defter TEXT, AnaGrup TEXT, GrupAdi TEXT)"),
            QStringLiteral("PRAGMA user_version = %1").arg(Sema::surum)};
}

int dosyaSurumu(QSqlDatabase db)
{
    QSqlQuery sorgu(db);
    if (!sorgu.exec(QStringLiteral("PRAGMA user_version")) || !sorgu.next())
        throw VeriHatasi(sorgu.lastError());
    return sorgu.value(0).toInt();
}

void calistir(QSqlDatabase db, const QStringList& komutlar)
{
    QSqlQuery sorgu(db);
    for (const QString& komut : komutlar)
        if (!sorgu.exec(komut))
            throw VeriHatasi(sorgu.lastError());
}

// Kimlik is AUTOINCREMENT so that a deleted entry's number is never given to another one.
QStringList olusturmaKomutlari()
{
    QStringList komutlar;
    for (const DefterTanimi* d : {&gelirDefteri(), &giderDefteri()}) {
        komutlar
            << QStringLiteral("CREATE TABLE %1 (GrupAdi TEXT)").arg(d->anaGrupTablosu)
            << QStringLiteral("CREATE TABLE %1 (AnaGrup TEXT, GrupAdi TEXT)").arg(d->altGrupTablosu)
            << QStringLiteral("CREATE TABLE %1 (Kimlik INTEGER PRIMARY KEY AUTOINCREMENT, "
                              "AnaGrup TEXT, GrupAdi TEXT, %2 INTEGER, %3 TEXT, %4 REAL, "
                              "Gerceklesen REAL)")
                   .arg(d->kayitTablosu, d->yilAlani, d->ayAlani, d->tahminAlani)
            // Every listing filters by year; the index keeps it fast on years of entries.
            << QStringLiteral("CREATE INDEX %1_%2 ON %1 (%2)").arg(d->kayitTablosu, d->yilAlani)
            // The twelve-month sums read these indexes alone, already in month order: over every
            // year the first, for one year the second. Files made before the second still work:
            // their year's sums then go through the year index and a sort.
            << QStringLiteral("CREATE INDEX %1_%2 ON %1 (%2, %3, Gerceklesen)")
                   .arg(d->kayitTablosu, d->ayAlani, d->tahminAlani)
            << QStringLiteral("CREATE INDEX %1_%2_%3 ON %1 (%2, %3, %4, Gerceklesen)")
                   .arg(d->kayitTablosu, d->yilAlani, d->ayAlani, d->tahminAlani)
            // The period report's sums by group read this one alone, already in group order.
            << QStringLiteral("CREATE INDEX %1_%2_AnaGrup ON %1 (%2, AnaGrup, GrupAdi, %3, %4, "
                              "Gerceklesen)")
                   .arg(d->kayitTablosu, d->yilAlani, d->ayAlani, d->tahminAlani);
    }
    return komutlar;
}

} // namespace

void Sema::olustur(QSqlDatabase db)
{
    calistir(db, olusturmaKomutlari() + surum1Komutlari());
}

void Sema::guncelle(QSqlDatabase db)
{
    if (dosyaSurumu(db) >= surum)
        return;
    if (!db.transaction())
        throw VeriHatasi(db.lastError());
    try {
        // Asked again inside: another program may have upgraded it in between.
        if (dosyaSurumu(db) < surum)
            calistir(db, surum1Komutlari());
    } catch (...) {
        db.rollback();
        throw;
    }
    if (!db.commit())
        throw VeriHatasi(db.lastError());
}

bool Sema::tabloVar(QSqlDatabase db, const QString& ad)
{
    return db.tables().contains(ad, Qt::CaseInsensitive);
}

std::optional<QString> Sema::dosyaOlustur(const QString& yol)
{
    const QByteArray yerelYol = QFile::encodeName(yol);
    const int fd = ::open(yerelYol.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0) {
        if (errno == EEXIST)
            return QStringLiteral("%1 zaten var; üzerine yazılmadı.")
                .arg(QDir::toNativeSeparators(yol));
        return QStringLiteral("%1 oluşturulamadı: %2")
            .arg(QDir::toNativeSeparators(yol), DosyaHatasi::sistemNedeni(errno));
    }
    ::close(fd);
    std::optional<QString> hata;
    try {
        const DosyaBaglantisi dosya(yol, DosyaBaglantisi::Kip::Yazilabilir);
        olustur(dosya.db());
    } catch (const VeriHatasi& h) {
        hata = QStringLiteral("Veritabanı dosyası açılamadı:\n%1\n\n%2")
                   .arg(QDir::toNativeSeparators(yol), h.aciklama());
    }
    if (hata)
        QFile::remove(yol);
    return hata;
}

std::optional<QString> Sema::eksikler(QSqlDatabase db)
{
    QStringList eksik;
    QString motorunSozu;
    for (const Tablo& tablo : tablolar()) {
        // A view reads like the table it stands in for, but nothing can be written to it.
        QSqlQuery tur(db);
        tur.prepare(QStringLiteral("SELECT type FROM sqlite_master WHERE name = ? COLLATE NOCASE"));
        tur.addBindValue(tablo.ad);
        if (tur.exec() && tur.next() && tur.value(0).toString() == u"view") {
            eksik << QStringLiteral("%1 tablosu (yerinde bir görünüm var)").arg(tablo.ad);
            continue;
        }
        QSqlQuery deneme(db);
        if (deneme.exec(QStringLiteral("SELECT %1 FROM %2 LIMIT 0")
                            .arg(tablo.alanlar.join(u','), tablo.ad)))
            continue;
        if (motorunSozu.isEmpty())
            motorunSozu = VeriHatasi(deneme.lastError()).motorunSozu();
        const QSqlRecord kayit = db.record(tablo.ad);
        if (kayit.isEmpty()) {
            eksik << QStringLiteral("%1 tablosu").arg(tablo.ad);
            continue;
        }
        for (const QString& alan : tablo.alanlar)
            if (!kayit.contains(alan))
                eksik << QStringLiteral("%1.%2 alanı").arg(tablo.ad, alan);
    }
    if (eksik.isEmpty())
        return std::nullopt;
    return QStringLiteral("Dosyada eksik olanlar: %1\n%2")
        .arg(eksik.join(QStringLiteral(", ")), motorunSozu);
}

std::optional<QString> Sema::butunlukSorunu(QSqlDatabase db, bool hizli)
{
    QSqlQuery sorgu(db);
    // A file damaged badly enough fails the check itself; the engine's error is the finding then.
    // A file another program holds locked is not damaged: that is thrown.
    if (!sorgu.exec(hizli ? QStringLiteral("PRAGMA quick_check")
                          : QStringLiteral("PRAGMA integrity_check"))) {
        const VeriHatasi hata(sorgu.lastError());
        if (hata.kilitli())
            throw hata;
        return hata.aciklama();
    }
    QStringList bulgular;
    while (sorgu.next())
        bulgular << sorgu.value(0).toString();
    if (bulgular == QStringList{QStringLiteral("ok")})
        return std::nullopt;
    return bulgular.join(u'\n');
}

std::optional<QString> Sema::denetimSorunu(QSqlDatabase db)
{
    if (auto sorun = butunlukSorunu(db))
        return sorun;
    return eksikler(db);
}

QStringList Sema::yabancilar(QSqlDatabase db)
{
    QSqlQuery sorgu(db);
    if (!sorgu.exec(QStringLiteral("SELECT type, name FROM sqlite_master WHERE type IN "
                                   "('trigger', 'view') ORDER BY type, name")))
        throw VeriHatasi(sorgu.lastError());
    QStringList adlar;
    while (sorgu.next())
        adlar << (sorgu.value(0).toString() == u"view"
                      ? QStringLiteral("%1 (görünüm)").arg(sorgu.value(1).toString())
                      : sorgu.value(1).toString());
    return adlar;
}

void Sema::yabancilariKaldir(QSqlDatabase db)
{
    QStringList komutlar;
    {
        QSqlQuery sorgu(db);
        if (!sorgu.exec(QStringLiteral("SELECT type, name FROM sqlite_master WHERE type IN "
                                       "('trigger', 'view')")))
            throw VeriHatasi(sorgu.lastError());
        // Names are no values to bind: quoted as identifiers instead.
        while (sorgu.next())
            komutlar << QStringLiteral("DROP %1 \"%2\"")
                            .arg(sorgu.value(0).toString().toUpper(),
                                 sorgu.value(1).toString().replace(u'"', QStringLiteral("\"\"")));
    }
    QSqlQuery sorgu(db);
    for (const QString& komut : komutlar)
        if (!sorgu.exec(komut))
            throw VeriHatasi(sorgu.lastError());
}

#include "Şema.h"

#include "DefterTanımı.h"
#include "DeğişkenModülü.h"
#include "VeriHatası.h"

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

namespace
{

struct Tablo {
    QString ad;
    QStringList alanlar;
};

QList<Tablo> tablolar()
{
    QList<Tablo> sonuç;
    for (const DefterTanımı* d : {&gelirDefteri(), &giderDefteri()}) {
        sonuç.append({d->anaGrupTablosu, {QStringLiteral("GrupAdi")}});
        sonuç.append({d->altGrupTablosu, {QStringLiteral("AnaGrup"), QStringLiteral("GrupAdi")}});
        sonuç.append(
            {d->kayıtTablosu,
             {QStringLiteral("Kimlik"), QStringLiteral("AnaGrup"), QStringLiteral("GrupAdi"),
              d->yılAlanı, d->ayAlanı, d->tahminAlanı, QStringLiteral("Gerceklesen")}});
    }
    return sonuç;
}

// Kimlik is AUTOINCREMENT so that a deleted entry's number is never given to another one.
QStringList oluşturmaKomutları()
{
    QStringList komutlar;
    for (const DefterTanımı* d : {&gelirDefteri(), &giderDefteri()}) {
        komutlar
            << QStringLiteral("CREATE TABLE %1 (GrupAdi TEXT)").arg(d->anaGrupTablosu)
            << QStringLiteral("CREATE TABLE %1 (AnaGrup TEXT, GrupAdi TEXT)").arg(d->altGrupTablosu)
            << QStringLiteral("CREATE TABLE %1 (Kimlik INTEGER PRIMARY KEY AUTOINCREMENT, "
                              "AnaGrup TEXT, GrupAdi TEXT, %2 INTEGER, %3 TEXT, %4 REAL, "
                              "Gerceklesen REAL)")
                   .arg(d->kayıtTablosu, d->yılAlanı, d->ayAlanı, d->tahminAlanı)
            // Every listing filters by year; the index keeps it fast on years of entries.
            << QStringLiteral("CREATE INDEX %1_%2 ON %1 (%2)").arg(d->kayıtTablosu, d->yılAlanı)
            // The twelve-month sums read this index alone, already in month order.
            << QStringLiteral("CREATE INDEX %1_%2 ON %1 (%2, %3, Gerceklesen)")
                   .arg(d->kayıtTablosu, d->ayAlanı, d->tahminAlanı);
    }
    return komutlar;
}

} // namespace

void Şema::oluştur(QSqlDatabase db)
{
    QSqlQuery sorgu(db);
    for (const QString& komut : oluşturmaKomutları())
        if (!sorgu.exec(komut))
            throw VeriHatası(sorgu.lastError());
}

std::optional<QString> Şema::dosyaOluştur(const QString& yol)
{
    const QByteArray yerelYol = QFile::encodeName(yol);
    const int fd = ::open(yerelYol.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0) {
        if (errno == EEXIST)
            return QStringLiteral("%1 zaten var; üzerine yazılmadı.")
                .arg(QDir::toNativeSeparators(yol));
        return QStringLiteral("%1 oluşturulamadı: %2")
            .arg(QDir::toNativeSeparators(yol), QString::fromLocal8Bit(strerror(errno)));
    }
    ::close(fd);
    std::optional<QString> hata = DeğişkenModülü::şemasızAç(yol);
    if (!hata) {
        try {
            oluştur(DeğişkenModülü::VeriTabanı());
        } catch (const VeriHatası& h) {
            hata = h.açıklama();
        }
    }
    DeğişkenModülü::kapat();
    if (hata)
        QFile::remove(yol);
    return hata;
}

std::optional<QString> Şema::eksikler(QSqlDatabase db)
{
    QStringList eksik;
    QString motorunSözü;
    for (const Tablo& tablo : tablolar()) {
        QSqlQuery deneme(db);
        if (deneme.exec(QStringLiteral("SELECT %1 FROM %2 LIMIT 0")
                            .arg(tablo.alanlar.join(u','), tablo.ad)))
            continue;
        if (motorunSözü.isEmpty())
            motorunSözü = VeriHatası(deneme.lastError()).açıklama();
        const QSqlRecord kayıt = db.record(tablo.ad);
        if (kayıt.isEmpty()) {
            eksik << QStringLiteral("%1 tablosu").arg(tablo.ad);
            continue;
        }
        for (const QString& alan : tablo.alanlar)
            if (!kayıt.contains(alan))
                eksik << QStringLiteral("%1.%2 alanı").arg(tablo.ad, alan);
    }
    if (eksik.isEmpty())
        return std::nullopt;
    return QStringLiteral("Dosyada eksik olanlar: %1\n%2")
        .arg(eksik.join(QStringLiteral(", ")), motorunSözü);
}

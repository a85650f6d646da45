#include "Sema.h"

#include "DefterTanimi.h"
#include "DosyaBaglantisi.h"
#include "DosyaHatasi.h"
#include "Tutar.h"
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
                           "EnCok INTEGER, Defter TEXT, AnaGrup TEXT, GrupAdi TEXT)")};
}

QString surumKomutu()
{
    return QStringLiteral("PRAGMA user_version = %1").arg(Sema::surum);
}

// Version 2: each ledger's sums by year and month, kept by three triggers in plain SQL, so that
// whatever writes the file (this program, the import, another SQLite tool) keeps them right in
// the same transaction. The key is the year and month as stored, compared as the entries' GROUP BY
// compares them; the program folds the month's spellings when it reads. The sums' fields have no
// type: a sum that ever overflowed stays REAL, and the program then reads the entries instead.

// An amount field of the entry `satir` (NEW, OLD or none) in whole kuruş by Tutar's rule, NULL
// when it reads as none. Rounded half away from zero by hand: round() is not std::round at every
// value (it adds 0.5 and truncates). Below the limit the product's fraction is exact.
QString kurusIfadesi(const QString& alan)
{
    const QString carpim = QStringLiteral("(%1 * 100.0)").arg(alan);
    const QString tam = QStringLiteral("CAST(%1 AS INTEGER)").arg(carpim);
    return QStringLiteral("(CASE WHEN typeof(%1) IN ('integer', 'real') AND abs(%2) < %4.5 THEN "
                          "%3 + (%2 - %3 >= 0.5) - (%2 - %3 <= -0.5) END)")
        .arg(alan, carpim, tam)
        .arg(Tutar::enBuyukKurus);
}

// What one entry adds to each of the six sums (Tutar::Toplam's order), its fields read through
// `satir` ("NEW.", "OLD." or "" for the table's own).
QStringList katkilar(const DefterTanimi& d, const QString& satir)
{
    const QString tahmin = kurusIfadesi(satir + d.tahminAlani);
    const QString gerceklesen = kurusIfadesi(satir + QStringLiteral("Gerceklesen"));
    return {QStringLiteral("ifnull(%1, 0)").arg(tahmin),
            QStringLiteral("ifnull(%1, 0)").arg(gerceklesen),
            QStringLiteral("((%1 IS NULL) + (%2 IS NULL AND %3Gerceklesen IS NOT NULL))")
                .arg(tahmin, gerceklesen, satir),
            QStringLiteral("1"),
            QStringLiteral("(CASE WHEN %2 IS NOT NULL THEN ifnull(%1, 0) ELSE 0 END)")
                .arg(tahmin, gerceklesen),
            QStringLiteral("(%1 IS NOT NULL)").arg(gerceklesen)};
}

QString anahtarKosulu(const DefterTanimi& d, const QString& satir)
{
    return QStringLiteral("Yil IS %1%2 AND Ay IS %1%3").arg(satir, d.yilAlani, d.ayAlani);
}

// "Tahmin = Tahmin + …, …": the entry `satir` added to (isaret '+') or taken from the sums.
QString atamalar(const DefterTanimi& d, const QString& satir, QChar isaret)
{
    const QStringList alanlar = Sema::aylikToplamTablosu(d).alanlar.mid(2);
    const QStringList katki = katkilar(d, satir);
    QStringList sonuc;
    for (int i = 0; i < katki.size(); ++i)
        sonuc << QStringLiteral("%1 = %1 %2 %3").arg(alanlar[i]).arg(isaret).arg(katki[i]);
    return sonuc.join(QStringLiteral(", "));
}

// The statements of a trigger's body that add (or take away) the entry `satir` in its month's row,
// creating the row first or dropping it once empty.
QString ekleyenKomutlar(const DefterTanimi& d, const QString& satir)
{
    return QStringLiteral("INSERT INTO %1 (Yil, Ay) SELECT %2%3, %2%4 WHERE NOT EXISTS (SELECT 1 "
                          "FROM %1 WHERE %5); UPDATE %1 SET %6 WHERE %5;")
        .arg(d.aylikToplamTablosu, satir, d.yilAlani, d.ayAlani, anahtarKosulu(d, satir),
             atamalar(d, satir, u'+'));
}

QString cikaranKomutlar(const DefterTanimi& d, const QString& satir)
{
    return QStringLiteral("UPDATE %1 SET %2 WHERE %3; DELETE FROM %1 WHERE %3 AND KayitSayisi = 0;")
        .arg(d.aylikToplamTablosu, atamalar(d, satir, u'-'), anahtarKosulu(d, satir));
}

using Tetikler = QList<std::pair<QString, QString>>;

Tetikler tetikleriYaz(const DefterTanimi& d)
{
    const QString ad = Sema::aylikToplamTablosu(d).ad;
    const QString bas = QStringLiteral("CREATE TRIGGER %1_%2 AFTER %3 ON %4 BEGIN %5 END");
    return {{ad + QStringLiteral("_Ekleme"),
             bas.arg(ad, QStringLiteral("Ekleme"), QStringLiteral("INSERT"), d.kayitTablosu,
                     ekleyenKomutlar(d, QStringLiteral("NEW.")))},
            {ad + QStringLiteral("_Silme"),
             bas.arg(ad, QStringLiteral("Silme"), QStringLiteral("DELETE"), d.kayitTablosu,
                     cikaranKomutlar(d, QStringLiteral("OLD.")))},
            {ad + QStringLiteral("_Guncelleme"),
             bas.arg(ad, QStringLiteral("Guncelleme"),
                     QStringLiteral("UPDATE OF %1, %2, %3, Gerceklesen")
                         .arg(d.yilAlani, d.ayAlani, d.tahminAlani),
                     d.kayitTablosu,
                     cikaranKomutlar(d, QStringLiteral("OLD.")) + u' ' +
                         ekleyenKomutlar(d, QStringLiteral("NEW.")))}};
}

// Name and statement of each trigger, as the file stores them: one that differs is not ours.
// Written once: the overview asks for them at each reading, the start-up check for each object.
const Tetikler& toplamTetikleri(const DefterTanimi& d)
{
    static const Tetikler gelir = tetikleriYaz(gelirDefteri());
    static const Tetikler gider = tetikleriYaz(giderDefteri());
    Q_ASSERT(&d == &gelirDefteri() || &d == &giderDefteri());
    return &d == &gelirDefteri() ? gelir : gider;
}

// The ledger's sums made anew from its entries, with their triggers.
QStringList toplamKomutlari(const DefterTanimi& d)
{
    const Sema::Tablo t = Sema::aylikToplamTablosu(d);
    QStringList komutlar;
    for (const auto& [ad, komut] : toplamTetikleri(d))
        komutlar << QStringLiteral("DROP TRIGGER IF EXISTS %1").arg(ad);
    QStringList alanlar, toplamlar;
    for (const QString& katki : katkilar(d, QString()))
        toplamlar << QStringLiteral("sum(%1)").arg(katki);
    for (const QString& alan : t.alanlar.mid(2))
        alanlar << QStringLiteral("%1 DEFAULT 0").arg(alan);
    komutlar << QStringLiteral("DROP TABLE IF EXISTS %1").arg(t.ad)
             << QStringLiteral("CREATE TABLE %1 (Yil, Ay, %2)")
                    .arg(t.ad, alanlar.join(QStringLiteral(", ")))
             << QStringLiteral("CREATE INDEX %1_Anahtar ON %1 (Yil, Ay)").arg(t.ad)
             << QStringLiteral("INSERT INTO %1 (%2) SELECT %3, %4, %5 FROM %6 GROUP BY %3, %4")
                    .arg(t.ad, t.alanlar.join(QStringLiteral(", ")), d.yilAlani, d.ayAlani,
                         toplamlar.join(QStringLiteral(", ")), d.kayitTablosu);
    for (const auto& [ad, komut] : toplamTetikleri(d))
        komutlar << komut;
    return komutlar;
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

void Sema::olustur(QSqlDatabase db, bool toplamlarla)
{
    calistir(db, olusturmaKomutlari() + surum1Komutlari() + QStringList{surumKomutu()});
    if (toplamlarla)
        aylikToplamlariKur(db);
}

void Sema::aylikToplamlariKur(QSqlDatabase db)
{
    calistir(db, toplamKomutlari(gelirDefteri()) + toplamKomutlari(giderDefteri()));
}

namespace
{

bool guncel(QSqlDatabase db)
{
    const int dosyaninki = dosyaSurumu(db);
    return dosyaninki > Sema::surum ||
           (dosyaninki == Sema::surum && Sema::aylikToplamlarHazir(db, gelirDefteri()) &&
            Sema::aylikToplamlarHazir(db, giderDefteri()));
}

} // namespace

void Sema::guncelle(QSqlDatabase db)
{
    if (guncel(db))
        return;
    if (!db.transaction())
        throw VeriHatasi(db.lastError());
    try {
        // Asked again inside: another program may have upgraded it in between. Sums a tool
        // dropped or changed are made anew as well.
        if (!guncel(db)) {
            if (dosyaSurumu(db) < 1)
                calistir(db, surum1Komutlari());
            for (const DefterTanimi* d : {&gelirDefteri(), &giderDefteri()})
                if (!aylikToplamlarHazir(db, *d))
                    calistir(db, toplamKomutlari(*d));
            calistir(db, {surumKomutu()});
        }
    } catch (...) {
        db.rollback();
        throw;
    }
    if (!db.commit())
        throw VeriHatasi(db.lastError());
}

Sema::Tablo Sema::aylikToplamTablosu(const DefterTanimi& defter)
{
    return {defter.aylikToplamTablosu,
            {QStringLiteral("Yil"), QStringLiteral("Ay"), QStringLiteral("Tahmin"),
             QStringLiteral("Gerceklesen"), QStringLiteral("Okunamayan"),
             QStringLiteral("KayitSayisi"), QStringLiteral("GerceklesenlerinTahmini"),
             QStringLiteral("GerceklesenSayisi")}};
}

bool Sema::aylikToplamlarHazir(QSqlDatabase db, const DefterTanimi& defter)
{
    if (!tabloVar(db, defter.aylikToplamTablosu))
        return false;
    QSqlQuery sorgu(db);
    sorgu.prepare(QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'trigger' AND name = ?"));
    for (const auto& [ad, komut] : toplamTetikleri(defter)) {
        sorgu.addBindValue(ad);
        if (!sorgu.exec())
            throw VeriHatasi(sorgu.lastError());
        if (!sorgu.next() || sorgu.value(0).toString() != komut)
            return false;
    }
    return true;
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

namespace
{

bool bizimTetik(const QString& ad, const QString& komut)
{
    for (const DefterTanimi* d : {&gelirDefteri(), &giderDefteri()})
        for (const auto& tetik : toplamTetikleri(*d))
            if (tetik == std::pair(ad, komut))
                return true;
    return false;
}

struct Nesne {
    QString tur; // "trigger" or "view"
    QString ad;
};

// The triggers and views of the file other than the sums' own, by type and name.
QList<Nesne> yabanciNesneler(QSqlDatabase db)
{
    QSqlQuery sorgu(db);
    if (!sorgu.exec(QStringLiteral("SELECT type, name, sql FROM sqlite_master WHERE type IN "
                                   "('trigger', 'view') ORDER BY type, name")))
        throw VeriHatasi(sorgu.lastError());
    QList<Nesne> nesneler;
    while (sorgu.next())
        if (!bizimTetik(sorgu.value(1).toString(), sorgu.value(2).toString()))
            nesneler.append({sorgu.value(0).toString(), sorgu.value(1).toString()});
    return nesneler;
}

} // namespace

QStringList Sema::yabancilar(QSqlDatabase db)
{
    QStringList adlar;
    for (const Nesne& n : yabanciNesneler(db))
        adlar << (n.tur == u"view" ? QStringLiteral("%1 (görünüm)").arg(n.ad) : n.ad);
    return adlar;
}

void Sema::yabancilariKaldir(QSqlDatabase db)
{
    QSqlQuery sorgu(db);
    // Names are no values to bind: quoted as identifiers instead.
    for (const Nesne& n : yabanciNesneler(db))
        if (!sorgu.exec(
                QStringLiteral("DROP %1 \"%2\"")
                    .arg(n.tur.toUpper(), QString(n.ad).replace(u'"', QStringLiteral("\"\"")))))
            throw VeriHatasi(sorgu.lastError());
}

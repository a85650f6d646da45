#include "OrtakButce.h"

#include "ButceVerisi.h"
#include "CYereli.h"
#include "DefterTanimi.h"
#include "DegiskenModulu.h"
#include "DosyaBaglantisi.h"
#include "DosyaHatasi.h"
#include "DosyaTasima.h"
#include "Lehce.h"
#include "Sema.h"
#include "VeriHatasi.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <algorithm>
#include <functional>

#include <QSet>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>

namespace
{

QString acikAd;
bool koptu = false;

QString baglantiSecenekleri(const SunucuAdresi& adres)
{
    QStringList secenekler{QStringLiteral("connect_timeout=%1").arg(adres.beklemeSaniyesi),
                           adres.sifreliZorunlu ? QStringLiteral("sslmode=require")
                                                : QStringLiteral("sslmode=prefer"),
                           QStringLiteral("application_name=Morvane")};
    if (!adres.servis.isEmpty())
        secenekler << QStringLiteral("service=%1").arg(adres.servis);
    return secenekler.join(u';');
}

// The first sentence for why the server would not take the connection, then the server's words in
// parentheses.
QString baglanamadi(const QString& sunucununSozu)
{
    static const std::pair<QStringList, const char*> nedenler[] = {
        {{"password"}, "Şifre yanlış ya da verilmemiş. Şifre ~/.pgpass dosyasında tutulur."},
        {{"does not exist"}, "Sunucuda bu adda bir veritabanı ya da kullanıcı yok."},
        {{"permission denied"}, "Bu veritabanına bağlanma izniniz yok."},
        {{"pg_hba.conf"}, "Sunucu bu bağlantıya izin vermiyor."},
        {{"SSL"}, "Sunucu şifreli bağlantı kabul etmiyor."},
        {{"could not", "No such file", "refused", "timeout", "unreachable", "No route"},
         "Sunucuya ulaşılamadı; adını, portunu ve çalıştığını denetleyin."},
    };
    for (const auto& [izler, cumle] : nedenler)
        for (const QString& iz : izler)
            if (sunucununSozu.contains(iz, Qt::CaseInsensitive))
                return QStringLiteral("%1\n(%2)")
                    .arg(QString::fromUtf8(cumle), sunucununSozu.trimmed());
    return QStringLiteral("Ortak bütçeye bağlanılamadı.\n(%1)").arg(sunucununSozu.trimmed());
}

QStringList tekSutun(QSqlDatabase db, const QString& sql)
{
    QSqlQuery sorgu(db);
    if (!sorgu.exec(sql))
        throw VeriHatasi(sorgu.lastError());
    QStringList sonuc;
    while (sorgu.next())
        sonuc << sorgu.value(0).toString();
    return sonuc;
}

void semaOlustur(QSqlDatabase db)
{
    if (!db.transaction())
        throw VeriHatasi(db.lastError());
    QSqlQuery sorgu(db);
    for (const QString& komut : Lehce::sunucuSemasi())
        if (!sorgu.exec(komut)) {
            const QSqlError hata = sorgu.lastError();
            db.rollback();
            throw VeriHatasi(hata);
        }
    if (!db.commit())
        throw VeriHatasi(db.lastError());
}

// Why the database cannot hold this budget; none when it can (its tables were created if it was
// empty).
std::optional<QString> hazirla(QSqlDatabase db)
{
    const int surum = tekSutun(db, QStringLiteral("SHOW server_version_num")).value(0).toInt();
    if (surum < 120000)
        return QStringLiteral("Sunucu PostgreSQL %1.%2; ortak bütçe için en az PostgreSQL 12 "
                              "gerekir.")
            .arg(surum / 10000)
            .arg(surum % 10000);
    const QStringList tablolar = tekSutun(
        db, QStringLiteral("SELECT lower(table_name) FROM information_schema.tables WHERE "
                           "table_schema = current_schema() ORDER BY 1"));
    if (tablolar.isEmpty()) {
        semaOlustur(db);
        return std::nullopt;
    }
    const QStringList bizim = Lehce::sunucuTablolari();
    QStringList yabancilar;
    for (const QString& t : tablolar)
        if (!bizim.contains(t))
            yabancilar << t;
    if (!yabancilar.isEmpty() || tablolar.size() != bizim.size())
        return QStringLiteral("Bu veritabanında Morvane'nin olmayan tablolar var (%1); ortak "
                              "bütçe yalnızca boş bir veritabanına kurulur.")
            .arg((yabancilar.isEmpty() ? QStringList{QStringLiteral("eksik tablolar")} : yabancilar)
                     .join(QStringLiteral(", ")));
    const int semaSurumu =
        tekSutun(db, QStringLiteral("SELECT max(Surum) FROM MorvaneSemaSurumu")).value(0).toInt();
    if (semaSurumu > Lehce::semaSurumu)
        return QStringLiteral("Bu ortak bütçe Morvane'nin daha yeni bir sürümüyle kurulmuş; "
                              "Morvane'yi güncelleyin.");
    return std::nullopt;
}

} // namespace

QString SunucuAdresi::ad() const
{
    if (!servis.isEmpty())
        return servis;
    return QStringLiteral("%1/%2").arg(sunucu.isEmpty() ? QStringLiteral("localhost") : sunucu,
                                       veritabani);
}

std::optional<QString> OrtakButce::ac(const SunucuAdresi& adres)
{
    DegiskenModulu::kapat();
    acikAd.clear();
    std::optional<QString> sorun;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), DegiskenModulu::baglantiAdi);
        if (!db.isValid())
            return QStringLiteral("PostgreSQL sürücüsü kurulu değil (libqt6sql6-psql).");
        db.setHostName(adres.sunucu);
        if (adres.servis.isEmpty())
            db.setPort(adres.port);
        db.setDatabaseName(adres.veritabani);
        db.setUserName(adres.kullanici);
        db.setConnectOptions(baglantiSecenekleri(adres));
        // libpq's refusals in the English that baglanamadi() recognises, in any program.
        const bool acildi = [&] {
            const CYereli::Kapsam c;
            return db.open();
        }();
        if (!acildi)
            sorun = baglanamadi(db.lastError().databaseText().isEmpty()
                                    ? db.lastError().text()
                                    : db.lastError().databaseText());
        else
            try {
                sorun = hazirla(db);
                if (!sorun && !db.driver()->subscribeToNotification(Lehce::degisiklikBildirimi))
                    sorun =
                        QStringLiteral("Ortak bütçenin değişiklik bildirimleri alınamıyor.\n(%1)")
                            .arg(db.driver()->lastError().text());
            } catch (const VeriHatasi& h) {
                sorun = QStringLiteral("Ortak bütçe hazırlanamadı.\n") + h.motorunSozu();
            }
    }
    if (sorun) {
        DegiskenModulu::kapat();
        return sorun;
    }
    acikAd = adres.ad();
    koptu = false;
    return std::nullopt;
}

bool OrtakButce::baglantiKoptu(const QSqlError& hata)
{
    static const char* const izler[] = {"server closed the connection", "no connection to the server",
                                        "terminating connection", "could not receive data",
                                        "could not send data", "connection to server"};
    const QString metin = hata.databaseText() + hata.driverText();
    for (const char* iz : izler)
        if (metin.contains(QLatin1String(iz), Qt::CaseInsensitive))
            return koptu = true;
    const QString kod = hata.nativeErrorCode();
    if (kod.startsWith(QLatin1String("08")) || kod.startsWith(QLatin1String("57P0")))
        return koptu = true;
    return false;
}

void OrtakButce::gerekirseYenidenBaglan()
{
    if (!koptu || !Lehce::sunucuda())
        return;
    QSqlDatabase db = DegiskenModulu::VeriTabani();
    db.close();
    if (!db.open())
        throw VeriHatasi(QString(), baglanamadi(db.lastError().databaseText().isEmpty()
                                                     ? db.lastError().text()
                                                     : db.lastError().databaseText()));
    koptu = false;
    db.driver()->subscribeToNotification(Lehce::degisiklikBildirimi);
}

QString OrtakButce::acikButce()
{
    return Lehce::sunucuda() ? acikAd : QString();
}

namespace
{

QSqlQuery calistir(QSqlDatabase db, const QString& sql, const QVariantList& degerler = {})
{
    QSqlQuery sorgu(db);
    sorgu.setForwardOnly(true);
    if (!sorgu.prepare(Lehce::uyarla(db, sql)))
        throw VeriHatasi(sorgu.lastError());
    for (const QVariant& d : degerler)
        sorgu.addBindValue(d);
    if (!sorgu.exec())
        throw VeriHatasi(sorgu.lastError());
    return sorgu;
}

qint64 sayi(QSqlDatabase db, const QString& sql, const QVariantList& degerler = {})
{
    QSqlQuery sorgu = calistir(db, sql, degerler);
    return sorgu.next() ? sorgu.value(0).toLongLong() : 0;
}

// The last Kimlik the entries' counter gave out.
qint64 sayac(QSqlDatabase db, const QString& tablo)
{
    if (Lehce::sunucuda(db))
        return sayi(db, QStringLiteral("SELECT coalesce(last_value, 0) FROM pg_sequences WHERE "
                                       "schemaname = current_schema() AND sequencename = lower(?) "
                                       "|| '_kimlik_seq'"),
                    {tablo});
    return sayi(db, QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = ?"), {tablo});
}

void sayaciKur(QSqlDatabase db, const QString& tablo, qint64 deger)
{
    if (Lehce::sunucuda(db))
        calistir(db, QStringLiteral("SELECT setval(pg_get_serial_sequence(lower(?), 'kimlik'), "
                                    "greatest(?::bigint, 1), ?::bigint > 0)"),
                 {tablo, deger, deger});
    else if (deger > 0) {
        calistir(db, QStringLiteral("DELETE FROM sqlite_sequence WHERE name = ?"), {tablo});
        calistir(db, QStringLiteral("INSERT INTO sqlite_sequence (name, seq) VALUES (?, ?)"),
                 {tablo, deger});
    }
}

// Every row of the six tables from one connection to the other, inside the target's transaction,
// then the counts and counters compared.
void kopyala(QSqlDatabase kaynak, QSqlDatabase hedef)
{
    for (const Sema::Tablo& t : Sema::tablolar()) {
        QStringList alanlar = t.alanlar;
        alanlar.removeAll(QStringLiteral("Kimlik"));
        if (sayi(hedef, QStringLiteral("SELECT count(*) FROM %1").arg(t.ad)) != 0)
            throw VeriHatasi(QString(), QStringLiteral("Ortak bütçe boş değil: %1 tablosunda "
                                                       "kayıt var; hiçbir şey taşınmadı.")
                                            .arg(t.ad));
        QSqlQuery okuma = calistir(
            kaynak, QStringLiteral("SELECT rowid, %2 FROM %1 ORDER BY rowid").arg(t.ad, alanlar.join(u',')));
        QSqlQuery yazma(hedef);
        if (!yazma.prepare(Lehce::uyarla(
                hedef, QStringLiteral("INSERT INTO %1 (rowid, %2) VALUES (?%3)")
                           .arg(t.ad, alanlar.join(u','),
                                QStringLiteral(", ?").repeated(alanlar.size())))))
            throw VeriHatasi(yazma.lastError());
        qint64 enBuyuk = 0;
        while (okuma.next()) {
            for (int i = 0; i <= alanlar.size(); ++i)
                yazma.bindValue(i, okuma.value(i));
            enBuyuk = std::max(enBuyuk, okuma.value(0).toLongLong());
            if (!yazma.exec())
                throw VeriHatasi(yazma.lastError());
        }
        const bool kayitlar = t.alanlar.contains(QStringLiteral("Kimlik"));
        // A number the target gave out before (a shared budget restored) is not given again.
        sayaciKur(hedef, t.ad,
                  std::max({kayitlar ? sayac(kaynak, t.ad) : 0, enBuyuk,
                            kayitlar ? sayac(hedef, t.ad) : 0}));
        const QString say = QStringLiteral("SELECT count(*) FROM %1").arg(t.ad);
        if (sayi(kaynak, say) != sayi(hedef, say) ||
            (kayitlar && sayac(kaynak, t.ad) > sayac(hedef, t.ad)))
            throw VeriHatasi(QString(), QStringLiteral("%1 tablosu eksiksiz kopyalanamadı; hiçbir "
                                                       "şey taşınmadı.")
                                            .arg(t.ad));
    }
}

void islemle(QSqlDatabase db, const std::function<void()>& is)
{
    if (!db.transaction())
        throw VeriHatasi(db.lastError());
    try {
        is();
    } catch (...) {
        db.rollback();
        throw;
    }
    if (!db.commit())
        throw VeriHatasi(db.lastError());
}

} // namespace

void OrtakButce::dosyadanTasi(const QString& dosya)
{
    const DosyaBaglantisi kaynak(dosya, DosyaBaglantisi::Kip::Yazilabilir);
    if (const auto eksik = Sema::eksikler(kaynak.db()))
        throw VeriHatasi(QString(), *eksik);
    QSqlDatabase hedef = DegiskenModulu::VeriTabani();
    // Nothing the file holds may change while it is read.
    islemle(kaynak.db(), [&] { islemle(hedef, [&] { kopyala(kaynak.db(), hedef); }); });
}

void OrtakButce::yedektenGeriYukle(const QString& yedek)
{
    const DosyaBaglantisi kaynak(yedek, DosyaBaglantisi::Kip::Yazilabilir);
    QSqlDatabase hedef = DegiskenModulu::VeriTabani();
    islemle(kaynak.db(), [&] {
        islemle(hedef, [&] {
            for (const Sema::Tablo& t : Sema::tablolar())
                calistir(hedef, QStringLiteral("DELETE FROM %1").arg(t.ad));
            kopyala(kaynak.db(), hedef);
        });
    });
}

void OrtakButce::dosyayaKaydet(const QString& yeniDosya)
{
    if (QFileInfo::exists(yeniDosya))
        throw VeriHatasi(QString(), QStringLiteral("%1 zaten var; üzerine yazılmadı.")
                                        .arg(QDir::toNativeSeparators(yeniDosya)));
    // Written beside its place and moved there whole.
    QTemporaryFile gecici(QFileInfo(yeniDosya).absolutePath() + QStringLiteral("/.Varnel-XXXXXX"));
    if (!gecici.open())
        throw VeriHatasi(QString(), QStringLiteral("%1 oluşturulamadı: %2")
                                        .arg(QDir::toNativeSeparators(yeniDosya), DosyaHatasi::neden(gecici)));
    dosyayaYaz(gecici.fileName());
    DosyaTasima::diskeYaz(gecici.fileName());
    DosyaTasima::uzerineYazmadan(gecici.fileName(), yeniDosya);
    gecici.setAutoRemove(false);
}

void OrtakButce::dosyayaYaz(const QString& bosDosya)
{
    const DosyaBaglantisi hedef(bosDosya, DosyaBaglantisi::Kip::Yazilabilir);
    Sema::olustur(hedef.db());
    QSqlDatabase kaynak = DegiskenModulu::VeriTabani();
    // One snapshot of the server's rows, whatever the other members write meanwhile.
    islemle(kaynak, [&] {
        QSqlQuery anlik(kaynak);
        if (!anlik.exec(QStringLiteral("SET TRANSACTION ISOLATION LEVEL REPEATABLE READ")))
            throw VeriHatasi(anlik.lastError());
        islemle(hedef.db(), [&] { kopyala(kaynak, hedef.db()); });
    });
}

QString OrtakButce::yedekYeri()
{
    // The settings folder, made when the program has kept no settings yet.
    const QString klasor =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
        QStringLiteral("/Morvane");
    QDir().mkpath(klasor);
    return klasor + u'/' + DegiskenModulu::dosyaAdi;
}

namespace
{

// A field of a ~/.pgpass line: ':' and '\\' escaped; an empty one matches anything.
QString kacir(QString deger)
{
    return deger.replace(u'\\', QStringLiteral("\\\\")).replace(u':', QStringLiteral("\\:"));
}

QString pgpassAlani(const QString& deger)
{
    return deger.isEmpty() ? QStringLiteral("*") : kacir(deger);
}

} // namespace

std::optional<QString> OrtakButce::sifreyiKaydet(const SunucuAdresi& adres, const QString& sifre)
{
    if (!adres.servis.isEmpty())
        return QStringLiteral("Hizmet adıyla bağlanırken şifre, hizmetin tanımında ya da ~/.pgpass "
                              "dosyasında elle tutulur.");
    const QString yol = qEnvironmentVariableIsSet("PGPASSFILE")
                            ? qEnvironmentVariable("PGPASSFILE")
                            : QDir::homePath() + QStringLiteral("/.pgpass");
    const QString onEk = QStringList{pgpassAlani(adres.sunucu.isEmpty() ? QStringLiteral("localhost")
                                                                        : adres.sunucu),
                                     QString::number(adres.port), pgpassAlani(adres.veritabani),
                                     pgpassAlani(adres.kullanici)}
                             .join(u':') +
                         u':';
    QStringList satirlar;
    if (QFile eski(yol); eski.open(QIODevice::ReadOnly | QIODevice::Text))
        for (const QString& satir : QString::fromUtf8(eski.readAll()).split(u'\n', Qt::SkipEmptyParts))
            if (!satir.startsWith(onEk))
                satirlar << satir;
    satirlar << onEk + kacir(sifre);
    QFile dosya(yol);
    // libpq ignores a file others may read.
    if (!dosya.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text) ||
        !dosya.setPermissions(QFile::ReadOwner | QFile::WriteOwner) ||
        dosya.write((satirlar.join(u'\n') + u'\n').toUtf8()) < 0 || !dosya.flush())
        return QStringLiteral("Şifre %1 dosyasına kaydedilemedi: %2")
            .arg(QDir::toNativeSeparators(yol), DosyaHatasi::neden(dosya));
    return std::nullopt;
}

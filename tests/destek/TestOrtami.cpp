#include "TestOrtami.h"

#include "AnaForm.h"
#include "Baglanti.h"
#include "Denetim.h"
#include "Lehce.h"
#include "MesajKutusu.h"
#include "Okuma.h"
#include "Motor.h"
#include "Sema.h"
#include "SorguSonucu.h"
#include "VeriYeri.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

#include <cmath>

ButceVerisi::YeniKayit yeniKayit(const QString& anaGrup, const QString& altGrup, int yil,
                                 const QString& ay, double tahmin, double gerceklesen)
{
    return {anaGrup, altGrup, yil, ay, std::llround(tahmin * 100), std::llround(gerceklesen * 100)};
}

TestOrtami::TestOrtami()
{
    Denetim::gorunumuKur();
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    MesajKutusu::kaydetmeyeBasla();
    // Windows remember their layout in settings of this test's own.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, klasor());
    if (const auto adres = sunucu()) {
        // A shared budget's backups go to the settings folder: here, this test's own.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dizin.path()));
        if (const auto acilis = Baglanti::program().sunucuyaBaglan(*adres))
            qFatal("%s", qPrintable(*acilis));
        return;
    }
    const auto olusturma = Sema::dosyaOlustur(dosya());
    if (olusturma)
        qFatal("%s", qPrintable(*olusturma));
    const auto acilis = Baglanti::program().ac(dosya());
    if (acilis)
        qFatal("%s", qPrintable(*acilis));
}

TestOrtami::~TestOrtami()
{
    Baglanti::program().kapat();
    MesajKutusu::kaydetmeyiBirak();
    QLocale::setDefault(oncekiYerel);
}

QSqlDatabase TestOrtami::sunucuBaglantisi(const QString& ad, const QString& veritabani)
{
    if (QSqlDatabase::contains(ad))
        return QSqlDatabase::database(ad);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), ad);
    db.setHostName(qEnvironmentVariable("MORVANE_TEST_SUNUCUSU"));
    db.setPort(sunucu(false)->port);
    db.setUserName(QStringLiteral("morvane"));
    db.setDatabaseName(veritabani);
    db.setConnectOptions(QStringLiteral("connect_timeout=5"));
    if (!db.open())
        qFatal("Test sunucusu: %s", qPrintable(db.lastError().text()));
    return db;
}

QSqlDatabase TestOrtami::baskaBaglanti(const QString& ad, const QString& dosya)
{
    if (dosya.isEmpty())
        return sunucuBaglantisi(ad, sunucu(false)->veritabani);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), ad);
    db.setDatabaseName(dosya);
    if (!db.open())
        qFatal("%s", qPrintable(db.lastError().text()));
    return db;
}

namespace
{

void yonet(const QString& veritabani, const QStringList& komutlar)
{
    const QString ad = QStringLiteral("test-yonetim");
    {
        QSqlQuery sorgu(TestOrtami::sunucuBaglantisi(ad, veritabani));
        sorgu.exec(QStringLiteral("SET client_min_messages = warning"));
        for (const QString& komut : komutlar)
            if (!sorgu.exec(komut))
                qFatal("%s: %s", qPrintable(komut), qPrintable(sorgu.lastError().text()));
    }
    QSqlDatabase::removeDatabase(ad);
}

} // namespace

std::optional<SunucuAdresi> TestOrtami::sunucu(bool bosalt)
{
    const QString klasor = qEnvironmentVariable("MORVANE_TEST_SUNUCUSU");
    if (klasor.isEmpty())
        return std::nullopt;
    const QString veritabani = QCoreApplication::applicationName().toLower();
    static bool olusturuldu = false;
    if (bosalt && !std::exchange(olusturuldu, true))
        yonet(QStringLiteral("morvane"),
              {QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(veritabani),
               QStringLiteral("CREATE DATABASE %1").arg(veritabani)});
    if (bosalt) {
        Baglanti::program().kapat();
        yonet(veritabani, {QStringLiteral("DROP SCHEMA public CASCADE"),
                           QStringLiteral("CREATE SCHEMA public")});
    }
    SunucuAdresi adres;
    adres.sunucu = klasor;
    adres.port = dosyaIcerigi(klasor + QStringLiteral("/port")).trimmed().toInt();
    adres.veritabani = veritabani;
    adres.kullanici = QStringLiteral("morvane");
    adres.beklemeSaniyesi = 5;
    return adres;
}

QString TestOrtami::dosya() const
{
    return VeriYeri::veriTabaniYolu(dizin.path());
}

QVariant TestOrtami::sorgula(const QString& sql, const QVariantList& degerler)
{
    QSqlQuery sorgu(Baglanti::program().db());
    const QString komut =
        Baglanti::program().lehce().uyarla(sql) + (sql.startsWith(QStringLiteral("INSERT"))
                                                       ? Baglanti::program().lehce().eklemeSonu()
                                                       : QString());
    if (!sorgu.prepare(komut))
        qFatal("%s: %s", qPrintable(sql), qPrintable(sorgu.lastError().text()));
    for (const QVariant& d : degerler)
        sorgu.addBindValue(d);
    if (!sorgu.exec())
        qFatal("%s: %s", qPrintable(sql), qPrintable(sorgu.lastError().text()));
    if (sorgu.isSelect() && sorgu.next())
        return sorgu.value(0);
    return sorgu.lastInsertId();
}

void TestOrtami::anaGrupYaz(const DefterTanimi& defter, const QString& ad)
{
    sorgula(QStringLiteral("INSERT INTO %1 (GrupAdi) VALUES (?)").arg(defter.anaGrupTablosu), {ad});
}

void TestOrtami::altGrupYaz(const DefterTanimi& defter, const QString& anaGrup, const QString& ad)
{
    sorgula(QStringLiteral("INSERT INTO %1 (AnaGrup, GrupAdi) VALUES (?, ?)")
                .arg(defter.altGrupTablosu),
            {anaGrup, ad});
}

qint64 TestOrtami::kayitYaz(const DefterTanimi& defter, const QString& anaGrup,
                            const QString& altGrup, int yil, const QString& ay,
                            const QVariant& tahmin, const QVariant& gerceklesen)
{
    return sorgula(
               QStringLiteral("INSERT INTO %1 (AnaGrup, GrupAdi, %2, %3, %4, Gerceklesen) "
                              "VALUES (?, ?, ?, ?, ?, ?)")
                   .arg(defter.kayitTablosu, defter.yilAlani, defter.ayAlani, defter.tahminAlani),
               {anaGrup, altGrup, yil, ay, tahmin, gerceklesen})
        .toLongLong();
}

QStringList TestOrtami::sutunu(const QString& sql)
{
    QSqlQuery sorgu(Baglanti::program().db());
    if (!sorgu.exec(Baglanti::program().lehce().uyarla(sql)))
        qFatal("%s: %s", qPrintable(sql), qPrintable(sorgu.lastError().text()));
    QStringList sonuc;
    while (sorgu.next())
        sonuc << sorgu.value(0).toString();
    return sonuc;
}

namespace
{

// "year|month|six sums" for every row of a statement giving year, month, then the sums, either as
// TUTAR_TOPLAMI's one value or as six fields.
QStringList ayAySatirlar(const QString& sql)
{
    SorguSonucu sorgu(sql);
    QStringList satirlar;
    while (sorgu.sonraki()) {
        Tutar::Toplam t = Tutar::toplam(sorgu.alan(2));
        if (!sorgu.alan(3).isNull())
            t = {sorgu.alan(2).toLongLong(), sorgu.alan(3).toLongLong(),
                 sorgu.alan(4).toLongLong(), sorgu.alan(5).toLongLong(),
                 sorgu.alan(6).toLongLong(), sorgu.alan(7).toLongLong()};
        satirlar << QStringLiteral("%1|%2|%3,%4,%5,%6,%7,%8")
                        .arg(sorgu.alan(0).toString(), sorgu.alan(1).toString())
                        .arg(t.tahminKurus)
                        .arg(t.gerceklesenKurus)
                        .arg(t.okunamayan)
                        .arg(t.kayitSayisi)
                        .arg(t.gerceklesenlerinTahmini)
                        .arg(t.gerceklesenSayisi);
    }
    satirlar.sort();
    return satirlar;
}

} // namespace

void TestOrtami::aylikToplamlariDenetle(const DefterTanimi& d)
{
    QVERIFY(Baglanti::program().motor().aylikToplamlarHazir(d));
    const Sema::Tablo t = Sema::aylikToplamTablosu(d);
    const QStringList saklanan =
        ayAySatirlar(QStringLiteral("SELECT %1 FROM %2").arg(t.alanlar.join(u','), t.ad));
    QVERIFY(!saklanan.isEmpty());
    QCOMPARE(saklanan, ayAySatirlar(QStringLiteral("SELECT %2, %3, TUTAR_TOPLAMI(%4, Gerceklesen) "
                                                   "FROM %1 GROUP BY %2, %3")
                                        .arg(d.kayitTablosu, d.yilAlani, d.ayAlani,
                                             d.tahminAlani)));
}

QStringList TestOrtami::tumSatirlar()
{
    QStringList satirlar;
    for (const Sema::Tablo& t : Sema::tablolar() + Sema::ekTablolar())
        satirlar << sutunu(
            QStringLiteral("SELECT '%1:' || rowid || '|' || quote(%2) FROM %1 ORDER BY rowid")
                .arg(t.ad, t.alanlar.join(") || '|' || quote("))
                .replace(QStringLiteral("quote("), Baglanti::program().motor().sunucu()
                                                       ? QStringLiteral("quote_nullable(")
                                                       : QStringLiteral("quote(")));
    return satirlar;
}

int TestOrtami::satirSayisi(const QString& tablo)
{
    return sorgula(QStringLiteral("SELECT count(*) FROM %1").arg(tablo)).toInt();
}

std::unique_ptr<AnaForm> TestOrtami::anaForm(QDate bugun)
{
    return std::make_unique<AnaForm>(bugun);
}

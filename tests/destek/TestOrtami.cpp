#include "TestOrtami.h"

#include "AnaForm.h"
#include "DegiskenModulu.h"
#include "Denetim.h"
#include "MesajKutusu.h"
#include "Sema.h"

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
    const auto olusturma = Sema::dosyaOlustur(dosya());
    if (olusturma)
        qFatal("%s", qPrintable(*olusturma));
    const auto acilis = DegiskenModulu::ac(dosya());
    if (acilis)
        qFatal("%s", qPrintable(*acilis));
}

TestOrtami::~TestOrtami()
{
    DegiskenModulu::kapat();
    MesajKutusu::kaydetmeyiBirak();
    QLocale::setDefault(oncekiYerel);
}

QString TestOrtami::dosya() const
{
    return DegiskenModulu::veriTabaniYolu(dizin.path());
}

QVariant TestOrtami::sorgula(const QString& sql, const QVariantList& degerler)
{
    QSqlQuery sorgu(DegiskenModulu::VeriTabani());
    if (!sorgu.prepare(sql))
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
    QSqlQuery sorgu(DegiskenModulu::VeriTabani());
    if (!sorgu.exec(sql))
        qFatal("%s: %s", qPrintable(sql), qPrintable(sorgu.lastError().text()));
    QStringList sonuc;
    while (sorgu.next())
        sonuc << sorgu.value(0).toString();
    return sonuc;
}

QStringList TestOrtami::tumSatirlar()
{
    QStringList satirlar;
    for (const Sema::Tablo& t : Sema::tablolar())
        satirlar << sutunu(
            QStringLiteral("SELECT '%1:' || rowid || '|' || quote(%2) FROM %1 ORDER BY rowid")
                .arg(t.ad, t.alanlar.join(") || '|' || quote(")));
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

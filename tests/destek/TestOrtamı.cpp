#include "TestOrtamı.h"

#include "AnaForm.h"
#include "DeğişkenModülü.h"
#include "MesajKutusu.h"
#include "Şema.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

TestOrtamı::TestOrtamı()
{
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    MesajKutusu::kaydetmeyeBaşla();
    const auto oluşturma = Şema::dosyaOluştur(dosya());
    if (oluşturma)
        qFatal("%s", qPrintable(*oluşturma));
    const auto açılış = DeğişkenModülü::aç(dosya());
    if (açılış)
        qFatal("%s", qPrintable(*açılış));
}

TestOrtamı::~TestOrtamı()
{
    DeğişkenModülü::kapat();
    MesajKutusu::kaydetmeyiBırak();
    QLocale::setDefault(öncekiYerel);
}

QString TestOrtamı::dosya() const
{
    return DeğişkenModülü::veriTabanıYolu(dizin.path());
}

QVariant TestOrtamı::sorgula(const QString& sql, const QVariantList& değerler)
{
    QSqlQuery sorgu(DeğişkenModülü::VeriTabanı());
    if (!sorgu.prepare(sql))
        qFatal("%s: %s", qPrintable(sql), qPrintable(sorgu.lastError().text()));
    for (const QVariant& d : değerler)
        sorgu.addBindValue(d);
    if (!sorgu.exec())
        qFatal("%s: %s", qPrintable(sql), qPrintable(sorgu.lastError().text()));
    if (sorgu.isSelect() && sorgu.next())
        return sorgu.value(0);
    return sorgu.lastInsertId();
}

void TestOrtamı::anaGrupYaz(const DefterTanımı& defter, const QString& ad)
{
    sorgula(QStringLiteral("INSERT INTO %1 (GrupAdi) VALUES (?)").arg(defter.anaGrupTablosu), {ad});
}

void TestOrtamı::altGrupYaz(const DefterTanımı& defter, const QString& anaGrup, const QString& ad)
{
    sorgula(QStringLiteral("INSERT INTO %1 (AnaGrup, GrupAdi) VALUES (?, ?)")
                .arg(defter.altGrupTablosu),
            {anaGrup, ad});
}

qint64 TestOrtamı::kayıtYaz(const DefterTanımı& defter, const QString& anaGrup,
                            const QString& altGrup, int yıl, const QString& ay,
                            const QVariant& tahmin, const QVariant& gerçekleşen)
{
    return sorgula(
               QStringLiteral("INSERT INTO %1 (AnaGrup, GrupAdi, %2, %3, %4, Gerceklesen) "
                              "VALUES (?, ?, ?, ?, ?, ?)")
                   .arg(defter.kayıtTablosu, defter.yılAlanı, defter.ayAlanı, defter.tahminAlanı),
               {anaGrup, altGrup, yıl, ay, tahmin, gerçekleşen})
        .toLongLong();
}

QStringList TestOrtamı::sütunu(const QString& sql)
{
    QSqlQuery sorgu(DeğişkenModülü::VeriTabanı());
    if (!sorgu.exec(sql))
        qFatal("%s: %s", qPrintable(sql), qPrintable(sorgu.lastError().text()));
    QStringList sonuç;
    while (sorgu.next())
        sonuç << sorgu.value(0).toString();
    return sonuç;
}

int TestOrtamı::satırSayısı(const QString& tablo)
{
    return sorgula(QStringLiteral("SELECT count(*) FROM %1").arg(tablo)).toInt();
}

std::unique_ptr<AnaForm> TestOrtamı::anaForm(QDate bugün)
{
    return std::make_unique<AnaForm>(bugün);
}

#include "SatirYazici.h"

#include "DegiskenModulu.h"
#include "VeriHatasi.h"

#include <QSqlError>

namespace
{

// %1 is the table, %2 its fields, %3 one placeholder per field.
const QString eklemeKomutu = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)");

} // namespace

SatirYazici::SatirYazici(const Sema::Tablo& tablo) : sorgu(DegiskenModulu::VeriTabani())
{
    DegiskenModulu::dosyayiDenetle();
    QStringList yerler;
    for (qsizetype i = 0; i < tablo.alanlar.size(); ++i)
        yerler << QStringLiteral("?");
    if (!sorgu.prepare(eklemeKomutu.arg(tablo.ad, tablo.alanlar.join(u','), yerler.join(u','))))
        throw VeriHatasi(sorgu.lastError());
}

qint64 SatirYazici::yaz(const QVariantList& degerler)
{
    for (qsizetype i = 0; i < degerler.size(); ++i)
        sorgu.bindValue(int(i), degerler.at(i));
    if (!sorgu.exec())
        throw VeriHatasi(sorgu.lastError());
    return sorgu.lastInsertId().toLongLong();
}

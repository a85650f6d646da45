#include "SatirYazici.h"

#include "Baglanti.h"
#include "Lehce.h"

#include <QSqlError>

#include <sqlite3.h>

namespace
{

// %1 is the table, %2 its fields, %3 one placeholder per field.
const QString eklemeKomutu = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)");
// Whether the table's Kimlik counter has given out its last number, after which the engine
// refuses every new row as if the disk were full.
const QString sayacSonundaSorgusu = QStringLiteral(
    "SELECT 1 FROM sqlite_sequence WHERE name = ? AND max(seq, (SELECT ifnull(max(rowid), 0) FROM "
    "%1)) = 9223372036854775807");

} // namespace

SatirYazici::SatirYazici(const Sema::Tablo& tablo)
    : tabloAdi(tablo.ad), sorgu(Baglanti::program().db())
{
    Baglanti& b = Baglanti::program();
    b.deyimdenOnce();
    QStringList yerler;
    for (qsizetype i = 0; i < tablo.alanlar.size(); ++i)
        yerler << QStringLiteral("?");
    if (!sorgu.prepare(eklemeKomutu.arg(tablo.ad, tablo.alanlar.join(u','), yerler.join(u',')) +
                       b.lehce().eklemeSonu()))
        throw b.hatasi(sorgu.lastError());
}

qint64 SatirYazici::yaz(const QVariantList& degerler)
{
    for (qsizetype i = 0; i < degerler.size(); ++i)
        sorgu.bindValue(int(i), degerler.at(i));
    if (!sorgu.exec()) {
        const VeriHatasi hata = Baglanti::program().hatasi(sorgu.lastError());
        QSqlQuery sayac(Baglanti::program().db());
        sayac.prepare(sayacSonundaSorgusu.arg(tabloAdi));
        sayac.addBindValue(tabloAdi);
        if ((hata.numara().toInt() & 0xff) == SQLITE_FULL && sayac.exec() && sayac.next())
            throw VeriHatasi(QString(), QStringLiteral("Kimlik sayacı sonuna ulaştı: %1 "
                                                       "tablosuna yeni kayıt eklenemez.\n%2")
                                            .arg(tabloAdi, hata.motorunSozu()));
        throw hata;
    }
    if (sorgu.isSelect()) // the server returns the new Kimlik as a row
        return sorgu.next() ? sorgu.value(0).toLongLong() : 0;
    return sorgu.lastInsertId().toLongLong();
}

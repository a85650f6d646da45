#include "ButceKopyasi.h"

#include "Sema.h"
#include "VeriHatasi.h"

#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>

namespace
{

using Taraf = ButceKopyasi::Taraf;

QSqlQuery calistir(const Taraf& t, const QString& sql, const QVariantList& degerler = {})
{
    QSqlQuery sorgu(t.db);
    sorgu.setForwardOnly(true);
    if (!sorgu.prepare(t.lehce.uyarla(sql)))
        throw t.lehce.hata(sorgu.lastError());
    for (const QVariant& d : degerler)
        sorgu.addBindValue(d);
    if (!sorgu.exec())
        throw t.lehce.hata(sorgu.lastError());
    return sorgu;
}

qint64 sayi(const Taraf& t, const QString& sql, const QVariantList& degerler = {})
{
    QSqlQuery sorgu = calistir(t, sql, degerler);
    return sorgu.next() ? sorgu.value(0).toLongLong() : 0;
}

// The last Kimlik the entries' counter gave out.
qint64 sayac(const Taraf& t, const QString& tablo)
{
    return sayi(t, t.lehce.kimlikSayaciSorgusu(), {tablo});
}

} // namespace

void ButceKopyasi::islemle(const Taraf& taraf, const std::function<void()>& is)
{
    QSqlDatabase db = taraf.db;
    if (!db.transaction())
        throw taraf.lehce.hata(db.lastError());
    try {
        is();
    } catch (...) {
        db.rollback();
        throw;
    }
    if (!db.commit())
        throw taraf.lehce.hata(db.lastError());
}

void ButceKopyasi::okurken(const Taraf& taraf, const std::function<void()>& is)
{
    islemle(taraf, [&] {
        // Not prepared: the server prepares no SET.
        if (QSqlQuery ayar(taraf.db);
            !taraf.lehce.anlikOkumaKomutu().isEmpty() && !ayar.exec(taraf.lehce.anlikOkumaKomutu()))
            throw taraf.lehce.hata(ayar.lastError());
        is();
    });
}

namespace
{

// The six tables, then those of the later versions that both sides hold: a budget not yet
// upgraded has none of the bank movements to copy.
QList<Sema::Tablo> ortakTablolar(const Taraf& a, const Taraf& b)
{
    QList<Sema::Tablo> tablolar = Sema::tablolar();
    for (const Sema::Tablo& t : Sema::ekTablolar())
        if (Sema::tabloVar(a.db, t.ad) && Sema::tabloVar(b.db, t.ad))
            tablolar << t;
    return tablolar;
}

} // namespace

void ButceKopyasi::kopyala(const Taraf& kaynak, const Taraf& hedef)
{
    for (const Sema::Tablo& t : ortakTablolar(kaynak, hedef)) {
        QStringList alanlar = t.alanlar;
        alanlar.removeAll(QStringLiteral("Kimlik"));
        const QString say = QStringLiteral("SELECT count(*) FROM %1").arg(t.ad);
        if (sayi(hedef, say) != 0)
            throw VeriHatasi(QString(), QStringLiteral("Ortak bütçe boş değil: %1 tablosunda "
                                                       "kayıt var; hiçbir şey taşınmadı.")
                                            .arg(t.ad));
        QSqlQuery okuma = calistir(kaynak, QStringLiteral("SELECT rowid, %2 FROM %1 ORDER BY rowid")
                                               .arg(t.ad, alanlar.join(u',')));
        QSqlQuery yazma(hedef.db);
        if (!yazma.prepare(
                hedef.lehce.uyarla(QStringLiteral("INSERT INTO %1 (rowid, %2) VALUES (?%3)")
                                       .arg(t.ad, alanlar.join(u','),
                                            QStringLiteral(", ?").repeated(alanlar.size())))))
            throw hedef.lehce.hata(yazma.lastError());
        qint64 enBuyuk = 0;
        while (okuma.next()) {
            for (int i = 0; i <= alanlar.size(); ++i)
                yazma.bindValue(i, okuma.value(i));
            enBuyuk = std::max(enBuyuk, okuma.value(0).toLongLong());
            if (!yazma.exec())
                throw hedef.lehce.hata(yazma.lastError());
        }
        const bool kayitlar = t.alanlar.contains(QStringLiteral("Kimlik"));
        // A number the target gave out before (a budget restored) is not given again.
        hedef.lehce.sayaciKur(hedef.db, t.ad,
                              std::max({kayitlar ? sayac(kaynak, t.ad) : 0, enBuyuk,
                                        kayitlar ? sayac(hedef, t.ad) : 0}));
        if (sayi(kaynak, say) != sayi(hedef, say) ||
            (kayitlar && sayac(kaynak, t.ad) > sayac(hedef, t.ad)))
            throw VeriHatasi(QString(), QStringLiteral("%1 tablosu eksiksiz kopyalanamadı; hiçbir "
                                                       "şey taşınmadı.")
                                            .arg(t.ad));
    }
}

void ButceKopyasi::yerineKoy(const Taraf& kaynak, const Taraf& hedef)
{
    QList<Sema::Tablo> tablolar = Sema::tablolar();
    for (const Sema::Tablo& t : Sema::ekTablolar())
        if (Sema::tabloVar(hedef.db, t.ad))
            tablolar << t;
    for (const Sema::Tablo& t : tablolar)
        calistir(hedef, QStringLiteral("DELETE FROM %1").arg(t.ad));
    kopyala(kaynak, hedef);
}

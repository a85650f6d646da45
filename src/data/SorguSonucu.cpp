#include "SorguSonucu.h"

#include "Baglanti.h"
#include "Lehce.h"

#include <QSqlError>

SorguSonucu::SorguSonucu(const QString& sql, const QVariantList& degerler)
{
    Baglanti& b = Baglanti::program();
    b.deyimdenOnce();
    std::optional<VeriHatasi> hata = calistir(sql, degerler);
    if (hata && b.yenidenDenenir(*hata)) {
        b.deyimdenOnce();
        hata = calistir(sql, degerler);
    }
    if (hata)
        throw *hata;
}

std::optional<VeriHatasi> SorguSonucu::calistir(const QString& sql, const QVariantList& degerler)
{
    Baglanti& b = Baglanti::program();
    sorgu = QSqlQuery(b.db());
    sorgu.setForwardOnly(true);
    if (!sorgu.prepare(b.lehce().uyarla(sql)))
        return b.hatasi(sorgu.lastError());
    for (const QVariant& deger : degerler)
        sorgu.addBindValue(deger);
    if (!sorgu.exec())
        return b.hatasi(sorgu.lastError());
    return std::nullopt;
}

SorguSonucu::~SorguSonucu()
{
    sorgu.finish();
}

#include "SorguSonucu.h"

#include "DegiskenModulu.h"
#include "Lehce.h"
#include "VeriHatasi.h"

#include <QSqlError>

SorguSonucu::SorguSonucu(const QString& sql, const QVariantList& degerler)
    : sorgu(DegiskenModulu::VeriTabani())
{
    DegiskenModulu::dosyayiDenetle();
    sorgu.setForwardOnly(true);
    if (!sorgu.prepare(Lehce::uyarla(sql)))
        throw VeriHatasi(sorgu.lastError());
    for (const QVariant& deger : degerler)
        sorgu.addBindValue(deger);
    if (!sorgu.exec())
        throw VeriHatasi(sorgu.lastError());
}

SorguSonucu::~SorguSonucu()
{
    sorgu.finish();
}

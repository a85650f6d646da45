#include "SorguSonucu.h"

#include "DeğişkenModülü.h"
#include "VeriHatası.h"

#include <QSqlError>

SorguSonucu::SorguSonucu(const QString& sql, const QVariantList& değerler)
    : sorgu(DeğişkenModülü::VeriTabanı())
{
    sorgu.setForwardOnly(true);
    if (!sorgu.prepare(sql))
        throw VeriHatası(sorgu.lastError());
    for (const QVariant& değer : değerler)
        sorgu.addBindValue(değer);
    if (!sorgu.exec())
        throw VeriHatası(sorgu.lastError());
}

SorguSonucu::~SorguSonucu()
{
    sorgu.finish();
}

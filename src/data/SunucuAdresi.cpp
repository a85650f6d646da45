#include "SunucuAdresi.h"

#include <QStringList>

QString SunucuAdresi::sunucuAdi() const
{
    if (!servis.isEmpty())
        return servis;
    return sunucu.isEmpty() ? QStringLiteral("localhost") : sunucu;
}

QString SunucuAdresi::ad() const
{
    if (!servis.isEmpty())
        return servis;
    return sunucuAdi() + u'/' + veritabani;
}

// A link that stops answering (a network gone, a machine switched off) is given up after about
// 20 s, instead of the minutes TCP would wait.
QString SunucuAdresi::baglantiSecenekleri() const
{
    QStringList secenekler{QStringLiteral("connect_timeout=%1").arg(beklemeSaniyesi),
                           sifreliZorunlu ? QStringLiteral("sslmode=require")
                                          : QStringLiteral("sslmode=prefer"),
                           QStringLiteral("application_name=Morvane"),
                           QStringLiteral("keepalives_idle=10"),
                           QStringLiteral("keepalives_interval=5"),
                           QStringLiteral("keepalives_count=2"),
                           QStringLiteral("tcp_user_timeout=20000")};
    if (!servis.isEmpty())
        secenekler << QStringLiteral("service=%1").arg(servis);
    return secenekler.join(u';');
}

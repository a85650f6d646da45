#include "AracSurumu.h"

#include "DerlemeBilgisi.h"

#include <QCoreApplication>
#include <QTextStream>

bool AracSurumu::yazildi(const QStringList& argumanlar)
{
    if (argumanlar.mid(1) != QStringList{QStringLiteral("--version")})
        return false;
    QTextStream(stdout) << QCoreApplication::applicationName() << ' ' << DerlemeBilgisi::surum
                        << '\n';
    return true;
}

#include "EskiBicim.h"

#include <QFile>

EskiBicim eskiBicim(const QString& yol)
{
    QFile dosya(yol);
    if (!dosya.open(QIODevice::ReadOnly))
        return EskiBicim::Degil;
    const QByteArray bas = dosya.read(0x15);
    if (bas.size() < 0x15)
        return EskiBicim::Degil;
    const QByteArray imza = bas.mid(4, 15);
    if (imza == "Standard ACE DB")
        return EskiBicim::Ace;
    if (imza != "Standard Jet DB")
        return EskiBicim::Degil;
    switch (bas.at(0x14)) {
    case 0:
        return EskiBicim::Jet3;
    case 1:
        return EskiBicim::Jet4;
    default: // later engines wrote their versions here too
        return EskiBicim::Ace;
    }
}

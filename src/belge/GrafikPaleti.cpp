#include "GrafikPaleti.h"

#include <QBarSet>
#include <QChart>
#include <QLocale>

QBarSet* GrafikPaleti::cubukKumesi(const QString& ad, const QColor& renk)
{
    auto* kume = new QBarSet(ad);
    kume->setColor(renk);
    kume->setBorderColor(renk);
    return kume;
}

void GrafikPaleti::hazirla(QChart* grafik)
{
    grafik->setLocalizeNumbers(true);
    grafik->setLocale(QLocale());
    grafik->setBackgroundRoundness(0);
    grafik->setMargins(QMargins(4, 0, 4, 0));
}

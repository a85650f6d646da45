#pragma once

#include <QPushButton>

// A button of the bank windows, named for its tests, that Enter in a box never presses.
inline QPushButton* bankaDugmesi(QWidget* ust, const QString& metin, const QString& ad)
{
    auto* d = new QPushButton(metin, ust);
    d->setObjectName(ad);
    d->setAutoDefault(false);
    return d;
}

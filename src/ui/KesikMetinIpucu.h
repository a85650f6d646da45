#pragma once

#include <QObject>

// Shows the whole text in a tooltip wherever a list cell or a selector cuts it short: a long
// group name in a narrow column or box. Watches the whole application; items and selectors with
// tooltips of their own keep them.
class KesikMetinIpucu : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    bool eventFilter(QObject* nesne, QEvent* olay) override;
};

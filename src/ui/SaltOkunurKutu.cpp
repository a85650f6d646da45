#include "SaltOkunurKutu.h"

#include <QAccessibleWidget>

namespace
{

class SaltOkunurErisim : public QAccessibleWidget
{
public:
    explicit SaltOkunurErisim(SaltOkunurKutu* kutu)
        : QAccessibleWidget(kutu, QAccessible::StaticText)
    {
    }

    // Static text is read by its name alone, so the name carries the figure: "Gelir Toplamı:
    // 1.234,50".
    QString text(QAccessible::Text tur) const override
    {
        const QString metin = static_cast<const QLineEdit*>(widget())->text();
        if (tur == QAccessible::Value)
            return metin;
        const QString ad = QAccessibleWidget::text(tur);
        if (tur != QAccessible::Name || metin.isEmpty())
            return ad;
        return ad.isEmpty() ? metin : ad + u' ' + metin;
    }

    QAccessible::State state() const override
    {
        QAccessible::State durum = QAccessibleWidget::state();
        durum.readOnly = true;
        durum.editable = false;
        return durum;
    }
};

QAccessibleInterface* erisimYarat(const QString& sinif, QObject* nesne)
{
    if (sinif == QLatin1String(SaltOkunurKutu::staticMetaObject.className()))
        return new SaltOkunurErisim(static_cast<SaltOkunurKutu*>(nesne));
    return nullptr;
}

} // namespace

SaltOkunurKutu::SaltOkunurKutu(QWidget* ust) : QLineEdit(ust)
{
    // Qt asks each factory for the most derived class first, so this one answers before the
    // one it has for every line edit.
    static const bool kuruldu = (QAccessible::installFactory(erisimYarat), true);
    Q_UNUSED(kuruldu);
    setReadOnly(true);
    connect(this, &QLineEdit::textChanged, this, [this] {
        QAccessibleEvent olay(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&olay);
    });
}

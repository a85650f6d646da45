#include "KesikMetinIpucu.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHelpEvent>
#include <QStyleOptionComboBox>
#include <QToolTip>

namespace
{

bool sigiyor(const QString& metin, const QFont& yazi, int genislik)
{
    return QFontMetrics(yazi).horizontalAdvance(metin) <= genislik;
}

// The text of the cell under `nokta`, when it is cut short.
QString kesikHucre(const QAbstractItemView& gorunum, QPoint nokta)
{
    const QModelIndex oge = gorunum.indexAt(nokta);
    if (!oge.isValid() || oge.data(Qt::ToolTipRole).isValid())
        return {};
    const QString metin = oge.data(Qt::DisplayRole).toString();
    const QVariant yazi = oge.data(Qt::FontRole);
    // The style keeps a margin on either side of a cell's text.
    const int pay = 2 * (gorunum.style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    if (sigiyor(metin, yazi.isValid() ? yazi.value<QFont>() : gorunum.font(),
                gorunum.visualRect(oge).width() - pay))
        return {};
    return metin;
}

QString kesikSecim(const QComboBox& kutu)
{
    if (!kutu.toolTip().isEmpty())
        return {};
    QStyleOptionComboBox secenek;
    secenek.initFrom(&kutu);
    secenek.editable = kutu.isEditable();
    const QRect alan = kutu.style()->subControlRect(QStyle::CC_ComboBox, &secenek,
                                                    QStyle::SC_ComboBoxEditField, &kutu);
    return sigiyor(kutu.currentText(), kutu.font(), alan.width()) ? QString() : kutu.currentText();
}

} // namespace

bool KesikMetinIpucu::eventFilter(QObject* nesne, QEvent* olay)
{
    if (olay->type() != QEvent::ToolTip || !nesne->isWidgetType())
        return false;
    auto* denetim = static_cast<QWidget*>(nesne);
    const auto* yardim = static_cast<QHelpEvent*>(olay);
    QString metin;
    if (const auto* gorunum = qobject_cast<QAbstractItemView*>(denetim->parentWidget());
        gorunum && gorunum->viewport() == denetim)
        metin = kesikHucre(*gorunum, yardim->pos());
    else if (const auto* kutu = qobject_cast<QComboBox*>(denetim))
        metin = kesikSecim(*kutu);
    if (metin.isEmpty())
        return false;
    QToolTip::showText(yardim->globalPos(), metin, denetim);
    return true;
}

#include "Denetim.h"

#include "Biçim.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace Denetim
{

QRect twipAlanı(int sol, int üst, int genişlik, int yükseklik)
{
    return {Biçim::twip(sol), Biçim::twip(üst), Biçim::twip(genişlik), Biçim::twip(yükseklik)};
}

void sabitİletişimKutusu(QDialog* pencere, int genişlik, int yükseklik)
{
    pencere->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    pencere->setFixedSize(Biçim::twip(genişlik), Biçim::twip(yükseklik));
}

QLabel* etiket(QWidget* üst, const QString& metin, QRect alan, bool sağaYaslı)
{
    auto* label = new QLabel(metin, üst);
    const QSize gereken = label->sizeHint();
    if (gereken.width() > alan.width()) {
        if (sağaYaslı) {
            alan.setLeft(alan.right() + 1 - gereken.width());
            if (alan.left() < 0)
                alan.moveLeft(0);
        } else
            alan.setWidth(gereken.width());
    }
    alan.setHeight(std::max(alan.height(), gereken.height()));
    label->setGeometry(alan);
    label->setAlignment((sağaYaslı ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    return label;
}

QPushButton* düğme(QWidget* üst, const QString& ad, const QString& metin, QRect alan)
{
    auto* b = new QPushButton(metin, üst);
    b->setObjectName(ad);
    b->setGeometry(alan);
    b->setAutoDefault(false);
    return b;
}

} // namespace Denetim

#include "Denetim.h"

#include "Bicim.h"

#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace
{

// Enter on a focused button presses it, as Space does.
class EnterIleBasma : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject* nesne, QEvent* olay) override
    {
        if (olay->type() != QEvent::KeyPress)
            return false;
        const auto* tus = static_cast<QKeyEvent*>(olay);
        if ((tus->key() != Qt::Key_Return && tus->key() != Qt::Key_Enter) || tus->isAutoRepeat() ||
            (tus->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        static_cast<QPushButton*>(nesne)->click();
        return true;
    }
};

} // namespace

namespace Denetim
{

QRect twipAlani(int sol, int ust, int genislik, int yukseklik)
{
    return {Bicim::twip(sol), Bicim::twip(ust), Bicim::twip(genislik), Bicim::twip(yukseklik)};
}

void sabitIletisimKutusu(QDialog* pencere, int genislik, int yukseklik)
{
    pencere->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    pencere->setFixedSize(Bicim::twip(genislik), Bicim::twip(yukseklik));
}

QLabel* etiket(QWidget* ust, const QString& metin, QRect alan, bool sagaYasli)
{
    auto* label = new QLabel(metin, ust);
    const QSize gereken = label->sizeHint();
    if (gereken.width() > alan.width()) {
        if (sagaYasli) {
            alan.setLeft(alan.right() + 1 - gereken.width());
            if (alan.left() < 0)
                alan.moveLeft(0);
        } else
            alan.setWidth(gereken.width());
    }
    alan.setHeight(std::max(alan.height(), gereken.height()));
    label->setGeometry(alan);
    label->setAlignment((sagaYasli ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    return label;
}

QPushButton* dugme(QWidget* ust, const QString& ad, const QString& metin, QRect alan)
{
    auto* b = new QPushButton(metin, ust);
    b->setObjectName(ad);
    b->setGeometry(alan);
    b->setAutoDefault(false);
    b->installEventFilter(new EnterIleBasma(b));
    return b;
}

} // namespace Denetim

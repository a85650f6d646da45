#include "Denetim.h"

#include "Bicim.h"
#include "KesikMetinIpucu.h"
#include "OkunurStil.h"

#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include <algorithm>

namespace
{

// Enter on a focused button presses it, as Space does.
class EnterIleBasma : public QObject
{
    Q_OBJECT
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

constexpr int bosluk = 4;

// `alan` as wide as its caption needs: grown to the right, or to the left without passing the
// container's left edge.
QRect genislet(QRect alan, int gereken, bool solaDogru)
{
    if (gereken <= alan.width())
        return alan;
    if (!solaDogru) {
        alan.setWidth(gereken);
        return alan;
    }
    alan.setLeft(alan.right() + 1 - gereken);
    if (alan.left() < 0)
        alan.moveLeft(0);
    return alan;
}

} // namespace

namespace Denetim
{

void gorunumuKur()
{
    OkunurStil::uygula();
    static KesikMetinIpucu* ipucu = nullptr;
    if (!ipucu) {
        ipucu = new KesikMetinIpucu(qApp);
        qApp->installEventFilter(ipucu);
    }
}

int gerekenGenislik(const QWidget* denetim, const QString& metin)
{
    const int yazi = denetim->fontMetrics().horizontalAdvance(QString(metin).remove(u'&'));
    return std::max(denetim->sizeHint().width(), yazi + bosluk);
}

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
    alan = genislet(alan, gerekenGenislik(label, metin), sagaYasli);
    alan.setHeight(std::max(alan.height(), label->sizeHint().height()));
    label->setGeometry(alan);
    label->setAlignment((sagaYasli ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    return label;
}

QPushButton* dugme(QWidget* ust, const QString& ad, const QString& metin, QRect alan,
                   bool solaGenisler)
{
    auto* b = new QPushButton(metin, ust);
    b->setObjectName(ad);
    b->setGeometry(genislet(alan, gerekenGenislik(b, metin), solaGenisler));
    b->setAutoDefault(false);
    b->installEventFilter(new EnterIleBasma(b));
    return b;
}

void sutunlar(QTreeView* liste, const QList<int>& twipler)
{
    liste->setAlternatingRowColors(true);
    const QHeaderView* baslik = liste->header();
    for (int sutun = 0; sutun < baslik->count(); ++sutun) {
        const QString metin = liste->model()->headerData(sutun, Qt::Horizontal).toString();
        int genislik = Bicim::twip(twipler.value(sutun));
        if (!metin.isEmpty())
            genislik = std::max({genislik, baslik->sectionSizeHint(sutun),
                                 baslik->fontMetrics().horizontalAdvance(metin) + bosluk});
        liste->setColumnWidth(sutun, genislik);
    }
}

void adSutunlariEsner(QTreeView* liste, const QList<int>& sutunlar)
{
    liste->header()->setStretchLastSection(false);
    for (const int sutun : sutunlar)
        liste->header()->setSectionResizeMode(sutun, QHeaderView::Stretch);
}

void sutunlar(QTreeWidget* liste, const QStringList& basliklar, const QList<int>& twipler)
{
    liste->setColumnCount(int(basliklar.size()));
    liste->setHeaderLabels(basliklar);
    sutunlar(static_cast<QTreeView*>(liste), twipler);
}

} // namespace Denetim

#include "Denetim.moc"

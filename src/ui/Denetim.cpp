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

// Keeps a list's columns as wide as its viewport, as a stretched column would, while every
// column stays the user's to resize and its width can be saved and taken back: a wider or
// narrower viewport widens or narrows the name columns, shared alike; a column the user
// resizes is made up for by the other name columns. A name column narrows no further than its
// caption (or the width the user gave it, when less); past that the list scrolls.
class AdSutunuEsnetici : public QObject
{
    Q_OBJECT
public:
    AdSutunuEsnetici(QTreeView* liste, const QList<int>& adSutunlari)
        : QObject(liste), gorunum(liste), sutunlar(adSutunlari)
    {
        gorunum->viewport()->installEventFilter(this);
        connect(gorunum->header(), &QHeaderView::sectionResized, this,
                [this](int sutun) { esnet(sutun); });
    }

    bool eventFilter(QObject* nesne, QEvent* olay) override
    {
        if (olay->type() == QEvent::Resize)
            esnet(-1);
        return QObject::eventFilter(nesne, olay);
    }

private:
    // Gives the width the columns leave free to the name columns but `disinda` (the one resized).
    void esnet(int disinda)
    {
        QHeaderView* baslik = gorunum->header();
        // Hidden, the list has no width of its own yet; it gets one, and a resize, when shown.
        if (esnetiyor || !gorunum->isVisible() ||
            (disinda >= 0 && baslik->isSectionHidden(disinda)))
            return;
        QList<int> alanlar;
        for (const int sutun : sutunlar)
            if (sutun != disinda && !baslik->isSectionHidden(sutun))
                alanlar << sutun;
        int bos = gorunum->viewport()->width() - baslik->length();
        esnetiyor = true;
        for (qsizetype i = 0; i < alanlar.size() && bos != 0; ++i) {
            const int sutun = alanlar[i];
            const int simdi = baslik->sectionSize(sutun);
            const int enAz = std::min(simdi, baslik->sectionSizeHint(sutun));
            const int yeni = std::max(simdi + bos / int(alanlar.size() - i), enAz);
            bos -= yeni - simdi;
            baslik->resizeSection(sutun, yeni);
        }
        esnetiyor = false;
    }

    QTreeView* gorunum;
    QList<int> sutunlar;
    bool esnetiyor = false;
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
    new AdSutunuEsnetici(liste, sutunlar);
}

void sutunlar(QTreeWidget* liste, const QStringList& basliklar, const QList<int>& twipler)
{
    liste->setColumnCount(int(basliklar.size()));
    liste->setHeaderLabels(basliklar);
    sutunlar(static_cast<QTreeView*>(liste), twipler);
}

} // namespace Denetim

#include "Denetim.moc"

#include "Esneklik.h"

#include <QEvent>
#include <QWidget>

#include <algorithm>

namespace
{

int payi(Esneklik::Pay pay, int fazla)
{
    switch (pay) {
    case Esneklik::Yok:
        return 0;
    case Esneklik::Yari:
        return fazla / 2;
    case Esneklik::Tam:
        return fazla;
    }
    return 0;
}

} // namespace

Esneklik::Esneklik(QWidget* kap, QSize enKucuk) : QObject(kap), alan(kap), cizilen(enKucuk)
{
    alan->setMinimumSize(cizilen);
    alan->installEventFilter(this);
}

void Esneklik::ekle(QWidget* denetim, Kenarlar kenarlar)
{
    ogeler.append({denetim, denetim->geometry(), kenarlar});
    yerlestir();
}

bool Esneklik::eventFilter(QObject* nesne, QEvent* olay)
{
    if (nesne == alan && olay->type() == QEvent::Resize)
        yerlestir();
    return QObject::eventFilter(nesne, olay);
}

void Esneklik::yerlestir()
{
    const int en = std::max(0, alan->width() - cizilen.width());
    const int boy = std::max(0, alan->height() - cizilen.height());
    for (const Oge& oge : std::as_const(ogeler))
        if (oge.denetim)
            oge.denetim->setGeometry(
                oge.cizilen.adjusted(payi(oge.kenarlar.sol, en), payi(oge.kenarlar.ust, boy),
                                     payi(oge.kenarlar.sag, en), payi(oge.kenarlar.alt, boy)));
}

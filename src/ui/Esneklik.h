#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>

class QWidget;

// Controls placed as drawn in a container at its drawn (and smallest) size that move and grow
// when the container is larger: each edge of a control follows none, half or all of the room the
// container has beyond its drawn width (left and right edges) or height (top and bottom edges).
// Two controls whose facing edges follow the same share never overlap.
class Esneklik : public QObject
{
    Q_OBJECT
public:
    enum Pay { Yok, Yari, Tam };
    struct Kenarlar {
        Pay sol = Yok;
        Pay ust = Yok;
        Pay sag = Yok;
        Pay alt = Yok;
    };

    // `kap` gets its drawn size, `enKucuk`, as its smallest.
    Esneklik(QWidget* kap, QSize enKucuk);

    // The control's place now is its drawn place.
    void ekle(QWidget* denetim, Kenarlar kenarlar);

private:
    bool eventFilter(QObject* nesne, QEvent* olay) override;
    void yerlestir();

    struct Oge {
        QPointer<QWidget> denetim;
        QRect cizilen;
        Kenarlar kenarlar;
    };
    QWidget* alan;
    QSize cizilen;
    QList<Oge> ogeler;
};

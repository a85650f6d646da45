#pragma once

#include <QPointer>
#include <QProxyStyle>

class QFocusFrame;
class QStyleOptionHeader;

// The platform's style with what a Turkish reader needs of it, for every window at once:
// - list rows and header sections tall enough for the marks above capitals (the dots of İ, Ü, Ö
//   and the breve of Ğ reach above the font's ascent in common fonts, and are cut where the text
//   is centred on the ascent alone), with the text lowered to leave them room;
// - a sort arrow drawn above a header's caption, so that sorting takes no width from it;
// - a 2 px focus ring around whichever control has the keyboard focus.
class OkunurStil : public QProxyStyle
{
    Q_OBJECT
public:
    OkunurStil();

    // Sets this style on the application, once.
    static void uygula();

    QSize sizeFromContents(ContentsType tur, const QStyleOption* secenek, const QSize& boyut,
                           const QWidget* denetim) const override;
    QRect subElementRect(SubElement oge, const QStyleOption* secenek,
                         const QWidget* denetim) const override;
    void drawControl(ControlElement oge, const QStyleOption* secenek, QPainter* ressam,
                     const QWidget* denetim) const override;
    void polish(QApplication* uygulama) override;
    using QProxyStyle::polish;

private:
    void basligiCiz(const QStyleOptionHeader& baslik, QPainter* ressam,
                    const QWidget* denetim) const;
    void odakDegisti(QWidget* eski, QWidget* odak);

    QPointer<QFocusFrame> odakCercevesi;
    // Set while an item view's cell is painted (see drawControl).
    mutable bool ogeCiziliyor = false;
};

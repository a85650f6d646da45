#include "OkunurStil.h"

#include <QApplication>
#include <QFocusFrame>
#include <QHeaderView>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOption>

#include <algorithm>

namespace
{

// Pixels kept clear above the marks and below the descent, so that neighbouring rows, the header
// and selection edges never touch a letter.
constexpr int pay = 1;
// The room of the sort arrow above a caption.
constexpr int okYuksekligi = 5;

// How far the marks reach past the ascent (above) and the descent (below, the cedillas of Ş and Ç).
struct Tasma {
    int ust;
    int alt;
};

Tasma tasma(const QFont& yazi)
{
    const QFontMetrics olcu(yazi);
    const QRect harfler = olcu.boundingRect(QStringLiteral("İĞÜÖŞÇ"));
    return {std::max(0, -harfler.top() - olcu.ascent()),
            std::max(0, harfler.bottom() + 1 - olcu.descent())};
}

// The room one line of text needs with its marks and a margin above and below.
int satirYuksekligi(const QFont& yazi)
{
    const Tasma t = tasma(yazi);
    return QFontMetrics(yazi).height() + t.ust + t.alt + 2 * pay;
}

bool okluBaslik(const QStyleOption* secenek, const QWidget* denetim)
{
    if (const auto* baslik = qobject_cast<const QHeaderView*>(denetim))
        return baslik->isSortIndicatorShown();
    const auto* h = qstyleoption_cast<const QStyleOptionHeader*>(secenek);
    return h && h->sortIndicator != QStyleOptionHeader::None;
}

// One line of text placed so that the marks above it and its descent sit in the middle of `alan`.
QRect satirAlani(const QRect& alan, const QFont& yazi)
{
    const Tasma t = tasma(yazi);
    const int yukseklik = QFontMetrics(yazi).height();
    const int bos = alan.height() - (yukseklik + t.ust + t.alt);
    if (bos < 0)
        return alan;
    return {alan.x(), alan.y() + bos / 2 + t.ust, alan.width(), yukseklik};
}

} // namespace

OkunurStil::OkunurStil() = default;

void OkunurStil::uygula()
{
    if (!qobject_cast<OkunurStil*>(QApplication::style()))
        QApplication::setStyle(new OkunurStil);
}

QSize OkunurStil::sizeFromContents(ContentsType tur, const QStyleOption* secenek,
                                   const QSize& boyut, const QWidget* denetim) const
{
    if (tur == CT_ItemViewItem) {
        QSize s = QProxyStyle::sizeFromContents(tur, secenek, boyut, denetim);
        if (const auto* oge = qstyleoption_cast<const QStyleOptionViewItem*>(secenek))
            s.setHeight(std::max(s.height(), satirYuksekligi(oge->font)));
        return s;
    }
    if (tur == CT_HeaderSection) {
        if (const auto* h = qstyleoption_cast<const QStyleOptionHeader*>(secenek)) {
            // The arrow stands above the caption: the width is the caption's alone.
            QStyleOptionHeader oksuz(*h);
            oksuz.sortIndicator = QStyleOptionHeader::None;
            QSize s = QProxyStyle::sizeFromContents(tur, &oksuz, boyut, denetim);
            const Tasma t = tasma(denetim ? denetim->font() : QApplication::font());
            s.rheight() += t.ust + t.alt + (okluBaslik(secenek, denetim) ? okYuksekligi : 0);
            return s;
        }
    }
    return QProxyStyle::sizeFromContents(tur, secenek, boyut, denetim);
}

QRect OkunurStil::subElementRect(SubElement oge, const QStyleOption* secenek,
                                 const QWidget* denetim) const
{
    if (oge == SE_HeaderLabel) {
        if (const auto* h = qstyleoption_cast<const QStyleOptionHeader*>(secenek)) {
            QStyleOptionHeader oksuz(*h);
            oksuz.sortIndicator = QStyleOptionHeader::None;
            // Captions keep 4 px from the sections' edges, where the platform may keep less.
            QRect alan = QProxyStyle::subElementRect(oge, &oksuz, denetim).adjusted(2, 0, -2, 0);
            if (okluBaslik(secenek, denetim))
                alan.setTop(alan.top() + okYuksekligi);
            return satirAlani(alan, denetim ? denetim->font() : QApplication::font());
        }
    }
    if (oge == SE_ItemViewItemText && ogeCiziliyor) {
        const auto* v = qstyleoption_cast<const QStyleOptionViewItem*>(secenek);
        const QRect alan = QProxyStyle::subElementRect(oge, secenek, denetim);
        if (v && !(v->features & QStyleOptionViewItem::WrapText) && !v->text.contains(u'\n'))
            return satirAlani(alan, v->font);
        return alan;
    }
    return QProxyStyle::subElementRect(oge, secenek, denetim);
}

void OkunurStil::drawControl(ControlElement oge, const QStyleOption* secenek, QPainter* ressam,
                             const QWidget* denetim) const
{
    switch (oge) {
    case CE_ItemViewItem:
        // The text is lowered below the marks only when painted: an editor opened on the item
        // keeps the item's whole height.
        ogeCiziliyor = true;
        QProxyStyle::drawControl(oge, secenek, ressam, denetim);
        ogeCiziliyor = false;
        return;
    case CE_Header:
        if (const auto* h = qstyleoption_cast<const QStyleOptionHeader*>(secenek)) {
            basligiCiz(*h, ressam, denetim);
            return;
        }
        break;
    case CE_FocusFrame: {
        ressam->save();
        ressam->setRenderHint(QPainter::Antialiasing);
        ressam->setPen(QPen(secenek->palette.color(QPalette::Active, QPalette::Highlight), 2));
        ressam->setBrush(Qt::NoBrush);
        ressam->drawRoundedRect(QRectF(secenek->rect).adjusted(1, 1, -1, -1), 3, 3);
        ressam->restore();
        return;
    }
    default:
        break;
    }
    QProxyStyle::drawControl(oge, secenek, ressam, denetim);
}

void OkunurStil::basligiCiz(const QStyleOptionHeader& h, QPainter* ressam,
                            const QWidget* denetim) const
{
    ressam->save();
    ressam->setClipRect(h.rect, Qt::IntersectClip);
    proxy()->drawControl(CE_HeaderSection, &h, ressam, denetim);
    QStyleOptionHeader yazi(h);
    yazi.rect = subElementRect(SE_HeaderLabel, &h, denetim);
    proxy()->drawControl(CE_HeaderLabel, &yazi, ressam, denetim);
    if (h.sortIndicator != QStyleOptionHeader::None) {
        // A small chevron centred above the caption, pointing as the platform's arrow would,
        // in the room kept for it below the section's top edge.
        const qreal dikey = (h.sortIndicator == QStyleOptionHeader::SortUp ? -1.5 : 1.5);
        const QPointF orta(h.rect.center().x() + 0.5, h.rect.top() + 3.5);
        QPainterPath ok;
        ok.moveTo(orta.x() - 4, orta.y() - dikey);
        ok.lineTo(orta.x(), orta.y() + dikey);
        ok.lineTo(orta.x() + 4, orta.y() - dikey);
        QColor renk = h.palette.color(QPalette::WindowText);
        renk.setAlpha(180);
        ressam->setRenderHint(QPainter::Antialiasing);
        ressam->setPen(QPen(renk, 1.5));
        ressam->drawPath(ok);
    }
    ressam->restore();
}

void OkunurStil::polish(QApplication* uygulama)
{
    QProxyStyle::polish(uygulama);
    connect(uygulama, &QApplication::focusChanged, this, &OkunurStil::odakDegisti,
            Qt::UniqueConnection);
}

void OkunurStil::odakDegisti(QWidget*, QWidget* odak)
{
    // The ring marks a control in a window; a window itself or a pop-up list has none.
    if (!odak || odak->isWindow() || odak->window()->windowType() == Qt::Popup) {
        if (odakCercevesi)
            odakCercevesi->setWidget(nullptr);
        return;
    }
    if (!odakCercevesi)
        odakCercevesi = new QFocusFrame(odak->parentWidget());
    odakCercevesi->setWidget(odak);
}

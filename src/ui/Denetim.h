#pragma once

#include <QRect>
#include <QString>
#include <QWidget>

class QDialog;
class QLabel;
class QPushButton;
class QTreeView;
class QTreeWidget;

// Controls placed as the windows are drawn, in twips, shared by the main window and the dialogs.
namespace Denetim
{

// The look every window shares, set once on the application: rows, headers and a focus ring as
// OkunurStil draws them, and the whole text in a tooltip wherever a cell or a selector cuts it.
void gorunumuKur();

// The width a caption needs: its text with 4 px to spare, or what the style asks for the
// control's frame, margins and indicator when that is more.
int gerekenGenislik(const QWidget* denetim, const QString& metin);

QRect twipAlani(int sol, int ust, int genislik, int yukseklik);

// A control named for tests and other tools, placed as drawn and, when `okunanAd` is given,
// named so for screen readers. A member holding a control that has a name is spelled like that
// name in ASCII, without the ledger's word (AnaGrupKutusu for "AnaGelirGrubuKutusu"), as its
// handlers are (AnaGrupKutusu_LostFocus).
template <typename T>
T* yerlestir(T* denetim, const QString& ad, QRect alan, const QString& okunanAd = QString())
{
    denetim->setObjectName(ad);
    denetim->setGeometry(alan);
    if (!okunanAd.isEmpty())
        denetim->setAccessibleName(okunanAd);
    return denetim;
}

// A dialog of fixed size in twips, with a close box and no minimise or maximise button.
void sabitIletisimKutusu(QDialog* pencere, int genislik, int yukseklik);

// A label as drawn, widened when its caption needs more room (see gerekenGenislik); a
// right-aligned one keeps its right edge unless that would cut it off at its container's left
// edge.
QLabel* etiket(QWidget* ust, const QString& metin, QRect alan, bool sagaYasli = false);

// A button that Enter in another control does not press (none of the windows has a default
// button); Enter on the button itself presses it, as Space does. Widened like a label when its
// caption needs more room: to the right, or to the left when `solaGenisler`.
QPushButton* dugme(QWidget* ust, const QString& ad, const QString& metin, QRect alan,
                   bool solaGenisler = false);

// A list's columns: their widths in twips, each widened where its model's caption needs more
// room. Rows in alternating colours, easier to follow across a wide list.
void sutunlar(QTreeView* liste, const QList<int>& twipler);
// The same for a list that holds its rows itself, given its captions.
void sutunlar(QTreeWidget* liste, const QStringList& basliklar, const QList<int>& twipler);
// A wider list gives its extra width to these name columns, shared alike, rather than to its last
// column: the figures stay together at the right. Every column stays resizable by the user, and
// widths saved with the header's state come back as they were.
void adSutunlariEsner(QTreeView* liste, const QList<int>& sutunlar);

} // namespace Denetim

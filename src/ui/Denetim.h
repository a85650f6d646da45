#pragma once

#include <QRect>
#include <QString>

class QDialog;
class QLabel;
class QPushButton;
class QWidget;

// Controls placed as the windows are drawn, in twips, shared by the main window and the dialogs.
namespace Denetim
{

QRect twipAlani(int sol, int ust, int genislik, int yukseklik);

// A dialog of fixed size in twips, with a close box and no minimise or maximise button.
void sabitIletisimKutusu(QDialog* pencere, int genislik, int yukseklik);

// A label as drawn, widened when the font needs more room; a right-aligned one keeps its right
// edge unless that would cut it off at its container's left edge.
QLabel* etiket(QWidget* ust, const QString& metin, QRect alan, bool sagaYasli = false);

// A button that Enter in another control does not press (none of the windows has a default
// button); Enter on the button itself presses it, as Space does.
QPushButton* dugme(QWidget* ust, const QString& ad, const QString& metin, QRect alan);

} // namespace Denetim

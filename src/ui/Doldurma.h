#pragma once

#include <QStringList>

class QComboBox;
class QListWidget;

// Filling the selectors every window shares: group lists and the period.
namespace Doldurma
{

// Fills a group list with the given names; nothing stays selected.
void SorguCalistir(const QStringList& adlar, QComboBox* liste);
void SorguCalistir(const QStringList& adlar, QListWidget* liste);

// The years offered and the twelve month names, in calendar order.
void AyYilEkle(QComboBox* yilKutusu, QComboBox* ayKutusu);

} // namespace Doldurma

#pragma once

#include "DefterTanimi.h"
#include "Takvim.h"

#include <QColor>
#include <QStringList>

#include <optional>

class QComboBox;
class QListWidget;

// Filling the selectors every window shares: group lists and the period.
namespace Doldurma
{

// Fills a group list with the given names; nothing stays selected.
void SorguCalistir(const QStringList& adlar, QComboBox* liste);
void SorguCalistir(const QStringList& adlar, QListWidget* liste);

// The years offered and the twelve month names, in calendar order.
void AyYilEkle(QComboBox* yilKutusu, QComboBox* ayKutusu, const Takvim::YilAraligi& yillar);

// The dark red of figures that need attention: it stays readable on the default light background.
inline const QColor uyariRengi{0xB0, 0x00, 0x20};

// Whether the ledger warns of the ratio: income below 100 %, expense above it.
bool oranUyaridir(const DefterTanimi& defter, std::optional<double> oran);

} // namespace Doldurma

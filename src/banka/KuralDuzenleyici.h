#pragma once

#include "Kurallar.h"

#include <QWidget>

#include <optional>

class HedefSecici;
class QComboBox;
class QLineEdit;

// A rule's condition on a movement: "açıklama içerir / başlar / eşittir" a text, and optionally an
// amount range ("En az", "En çok", as money in or out alike); with `hedefli`, also its target.
class KuralDuzenleyici : public QWidget
{
    Q_OBJECT
public:
    KuralDuzenleyici(QWidget* ust, bool hedefli);

    void goster(const Kural& kural);
    // The rule as the boxes stand, its Kimlik and (without a target box) its target as shown
    // last; none, after telling the user why, while the text is empty or an amount unreadable.
    std::optional<Kural> kural();
    HedefSecici* hedefSecici() const { return hedefKutusu; }

private:
    std::optional<std::optional<qint64>> tutar(QLineEdit* kutu);

    Kural gosterilen;
    QComboBox* KosulKutusu = nullptr;
    QLineEdit* MetinKutusu = nullptr;
    QLineEdit* EnAzKutusu = nullptr;
    QLineEdit* EnCokKutusu = nullptr;
    HedefSecici* hedefKutusu = nullptr;
};

#pragma once

#include "Donem.h"
#include "Takvim.h"

#include <QGroupBox>

class QComboBox;

// "Tarih Bilgileri": the main window's period, a year of those offered and a month or
// "Tüm Aylar". The one place that reads its boxes; it says degisti() once for every choice.
class DonemSecici : public QGroupBox
{
    Q_OBJECT
public:
    DonemSecici(QWidget* alan, const Takvim::YilAraligi& yillar);

    Donem donem() const;
    // Chooses as the user would, said once. A period without a year, or with one the box does
    // not offer, keeps the year shown.
    void sec(const Donem& yeni);

    // The boxes, for the window's tab order and for tests and tools that choose as a user does.
    QComboBox* yilKutusu() const { return YilBilgisiKutusu; }
    QComboBox* ayKutusu() const { return AyBilgisiKutusu; }

signals:
    void degisti(const Donem& donem);

private:
    QComboBox* YilBilgisiKutusu = nullptr;
    QComboBox* AyBilgisiKutusu = nullptr;
};

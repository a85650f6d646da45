#pragma once

#include "Degisiklik.h"
#include "PlanKopyasi.h"
#include "Takvim.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;

// "Planı Kopyala": copies one period's entries of one or both ledgers into another period as
// planned entries (estimate only), a month into a month or a whole year into a whole year. Before
// anything is written it says how many entries the copy creates and skips. It tells its opener
// through planKopyalandi() what a copy did and wrote.
class PlanKopyalamaFormu : public QDialog
{
    Q_OBJECT
public:
    // Opens on copying the period before the main window's one into it: the month before, or the
    // year before when the main window shows "Tüm Aylar".
    PlanKopyalamaFormu(const Donem& donem, const Takvim::YilAraligi& yillar, QWidget* sahibi);

    void KopyalaDugmesi_Click();

signals:
    void planKopyalandi(qint64 olusturulan, qint64 atlanan, const Degisiklik& degisiklik);

private:
    QComboBox* yilKutusu(int sol, int ust, const QString& ad, QWidget* cerceve);
    QComboBox* ayKutusu(int sol, int ust, const QString& ad, QWidget* cerceve);
    void donemKur(const QString& baslik, int sol, const Takvim::YilAraligi& yillar, QComboBox*& yil,
                  QComboBox*& ay);
    // "Tüm Aylar" on one side means the whole year on both.
    void aylariEsle(QComboBox* degisen, QComboBox* oteki);
    QList<const DefterTanimi*> defterler() const;
    PlanKopyasi kopya() const;
    void onizle();

    QComboBox* defterKutusu = nullptr;
    QComboBox* kaynakYil = nullptr;
    QComboBox* kaynakAy = nullptr;
    QComboBox* hedefYil = nullptr;
    QComboBox* hedefAy = nullptr;
    QDoubleSpinBox* artisKutusu = nullptr;
    QCheckBox* yalnizcaBoslar = nullptr;
    QLabel* onizleme = nullptr;
    QPushButton* kopyalaDugmesi = nullptr;
};

#pragma once

#include "Kurallar.h"

#include <QDialog>

#include <vector>

class KuralDuzenleyici;
class QPushButton;
class QTreeWidget;

// "İçe Aktarma Kuralları": every rule kept in the budget, with its condition, amount range and
// target. The chosen rule is shown in the boxes below: "Kaydet" stores it as corrected, "Sil"
// deletes it (after asking). Each change is one command, told by kuralDegisti().
class KurallarFormu : public QDialog
{
    Q_OBJECT
public:
    // Reads the rules; throws a VeriHatasi when it cannot.
    explicit KurallarFormu(QWidget* sahibi);

    QTreeWidget* kuralListesi() const { return KuralListesi; }
    KuralDuzenleyici* duzenleyici() const { return kuralDuzenleyici; }
    void KaydetDugmesi_Click();
    void SilDugmesi_Click();

signals:
    void kuralDegisti(const QString& komut, const Degisiklik& degisiklik);

private:
    void listele(qint64 secilecek);
    void secimDegisti();
    const Kural* secili() const;

    std::vector<Kural> kurallar;
    QTreeWidget* KuralListesi = nullptr;
    KuralDuzenleyici* kuralDuzenleyici = nullptr;
    QPushButton* KaydetDugmesi = nullptr;
    QPushButton* SilDugmesi = nullptr;
};

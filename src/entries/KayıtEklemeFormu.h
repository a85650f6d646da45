#pragma once

#include "DefterTanımı.h"

#include <QDialog>

#include <optional>

class AnaForm;
class QComboBox;
class QLineEdit;
class QPushButton;

// The add-entry dialog of one ledger, GelirEklemeFormu or GiderEklemeFormu. Any number of
// entries per opening, each filed under the groups chosen on the main window when it opened.
class KayıtEklemeFormu : public QDialog
{
public:
    KayıtEklemeFormu(const DefterTanımı& defter, AnaForm& anaForm);

    void EkleKaydetDüğmesi_Click();
    void VazgeçDüğmesi_Click();
    void KapatDüğmesi_Click();
    void TahminKutusu_LostFocus();
    void GerçekleşenKutusu_LostFocus();

    // Largest amount a box takes, in kuruş: what a REAL column and the display keep exactly.
    static constexpr qint64 enBüyükKuruş = 99'999'999'999'999;

protected:
    bool eventFilter(QObject* nesne, QEvent* olay) override;
    void keyPressEvent(QKeyEvent* olay) override;

private:
    bool girişte() const;
    void girdileriAç(bool açık);
    void girişeGeç();
    void kaydet();
    // The amount of a box in kuruş, after telling the user when it cannot be stored.
    std::optional<qint64> geçerliTutar(QLineEdit* kutu, const QString& boşMesajı);
    static void biçimle(QLineEdit* kutu);

    const DefterTanımı& defter;
    AnaForm& anaForm;
    const QString anaGrup;
    const QString altGrup;

    QComboBox* YılBilgisiKutusu = nullptr;
    QComboBox* AyBilgisiKutusu = nullptr;
    QLineEdit* TahminKutusu = nullptr;
    QLineEdit* GerçekleşenKutusu = nullptr;
    QPushButton* EkleKaydetDüğmesi = nullptr;
    QPushButton* VazgeçDüğmesi = nullptr;
    QPushButton* KapatDüğmesi = nullptr;
};

#pragma once

#include "DefterTanımı.h"

#include <QDialog>

class AnaForm;
class QComboBox;
class QLineEdit;
class QPushButton;

// The add-group dialog of one ledger: GelirGrubuEkleFormu or GiderGrubuEkleFormu. It opens
// waiting, with both boxes disabled; "Yeni … Grubu Ekle" lets the user type a main group and a
// sub-group, "Kaydet" stores them and waits again, as many times as the user likes.
class GrupEklemeFormu : public QDialog
{
    Q_OBJECT
public:
    GrupEklemeFormu(const DefterTanımı& defter, AnaForm& anaForm);

    void EkleKaydetDüğmesi_Click();
    void VazgeçDüğmesi_Click();
    void KapatDüğmesi_Click();
    void AnaGrupKutusu_LostFocus();
    void AltGrupKutusu_LostFocus();

protected:
    bool eventFilter(QObject* nesne, QEvent* olay) override;

private:
    void girişeGeç();
    void kaydet(const QString& anaGrup, const QString& altGrup);
    void anaFormuYenile();
    QString büyükHarfle(QString metin) const;

    const DefterTanımı& defter;
    AnaForm& anaForm;
    QComboBox* anaGrupKutusu;
    QLineEdit* altGrupKutusu;
    QPushButton* ekleKaydetDüğmesi;
    QPushButton* vazgeçDüğmesi;
    QPushButton* kapatDüğmesi;
};

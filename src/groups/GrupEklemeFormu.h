#pragma once

#include "DefterTanimi.h"
#include "Degisiklik.h"
#include "EklemeFormu.h"

class QComboBox;
class QLineEdit;

// The add-group dialog of one ledger: GelirGrubuEkleFormu or GiderGrubuEkleFormu. It opens
// waiting, with both boxes disabled; "Yeni … Grubu Ekle" lets the user type a main group and a
// sub-group, "Kaydet" stores them and waits again, as many times as the user likes. It tells its
// opener through gruplarDegisti() what each save wrote.
class GrupEklemeFormu : public EklemeFormu
{
    Q_OBJECT
public:
    GrupEklemeFormu(const DefterTanimi& defterTanimi, QWidget* sahibi);

    void AnaGrupKutusu_LostFocus();
    void AltGrupKutusu_LostFocus();

    // The longest group name stored, in characters.
    static constexpr int enUzunAd = 100;

signals:
    // The pair as stored.
    void gruplarDegisti(const Degisiklik& degisiklik, const QString& anaGrup,
                        const QString& altGrup);

private:
    void girisiHazirla() override;
    void kaydet() override;
    void bosalt() override;
    void kutudanCikildi(QWidget* kutu) override;
    // False, after telling the user, when the name cannot be stored.
    bool adUygun(QWidget* kutu, const QString& ad, const QString& bosMesaji);
    void kaydet(const QString& anaGrup, const QString& altGrup);
    QString buyukHarfle(QString metin) const;

    const DefterTanimi& defter;
    QComboBox* AnaGrupKutusu = nullptr;
    QLineEdit* AltGrupKutusu = nullptr;
};

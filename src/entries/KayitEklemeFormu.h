#pragma once

#include "ButceVerisi.h"
#include "DefterTanimi.h"
#include "Donem.h"
#include "EklemeFormu.h"
#include "Takvim.h"
#include "Tutar.h"

#include <QDate>

#include <optional>
#include <utility>

class QComboBox;
class QLineEdit;

// The add-entry dialog of one ledger, GelirEklemeFormu or GiderEklemeFormu. Any number of
// entries per opening, each filed under the groups chosen on the main window when it opened. It
// tells its opener through kayitEklendi() what each entry it stored wrote.
// Opened on an entry instead, it corrects that one entry: its groups shown at the top, the inputs
// filled and open, "Kaydet" stores with the same checks as adding and closes, "Vazgeç" closes.
// kayitDuzenlendi() tells the opener to list the entry again, also when it was found deleted or
// changed by another program since it was listed (and nothing was written).
class KayitEklemeFormu : public EklemeFormu
{
    Q_OBJECT
public:
    // What the main window shows when the dialog opens.
    struct Secim {
        QString anaGrup;
        QString altGrup;
        Donem donem;
        QDate bugun; // its month is offered for a whole year
        Takvim::YilAraligi yillar;
    };

    KayitEklemeFormu(const DefterTanimi& defterTanimi, const Secim& ilkSecim, QWidget* sahibi);
    KayitEklemeFormu(const DefterTanimi& defterTanimi, const ButceVerisi::Kayit& duzenlenen,
                     const Takvim::YilAraligi& yillar, QWidget* sahibi);

    // The entry being corrected is fed by bank movements: "Hareketleri Göster…" lists them, and
    // changing its period or realised amount asks whether they stay behind it.
    void hareketliOlarakAc();
    void HareketleriGosterDugmesi_Click();

    void TahminKutusu_LostFocus();
    void GerceklesenKutusu_LostFocus();

    // Largest amount a box takes, in kuruş: what a REAL column and the display keep exactly.
    static constexpr qint64 enBuyukKurus = Tutar::enBuyukKurus;

signals:
    void kayitEklendi(const Degisiklik& degisiklik);
    void kayitDuzenlendi(qint64 kimlik, const Degisiklik& degisiklik);

private:
    // Builds the controls, lowered by `ust` twips below a line for the entry's groups.
    void kur(int ust);
    void duzenlemeyeAc(const ButceVerisi::Kayit& kayit);
    void girisiHazirla() override;
    void kaydet() override;
    void bosalt() override;
    void kutudanCikildi(QWidget* kutu) override;
    bool tekSeferlik() const override { return duzenlenen.has_value(); }
    // The amount of a box in kuruş, after telling the user when it cannot be stored.
    std::optional<qint64> gecerliTutar(QLineEdit* kutu, const QString& bosMesaji);
    // The realised amount: none inside when the box is empty (a plan); none at all when refused.
    std::optional<std::optional<qint64>> gecerliGerceklesen();
    static void bicimle(QLineEdit* kutu);
    // The correction written, the movements untied from the entry or not as the user answers;
    // none when the user gave up.
    std::optional<Degisiklik> duzeltmeyiYaz(const ButceVerisi::KayitDegeri& deger);

    const DefterTanimi& defter;
    const Secim secim;
    const std::optional<ButceVerisi::Kayit> duzenlenen; // the entry being corrected, as listed
    std::optional<std::pair<int, int>> sonDonem; // year and month of the last entry saved
    bool hareketli = false;

    QComboBox* YilBilgisiKutusu = nullptr;
    QComboBox* AyBilgisiKutusu = nullptr;
    QLineEdit* TahminKutusu = nullptr;
    QLineEdit* GerceklesenKutusu = nullptr;
    QWidget* planIpucuEtiketi = nullptr;
};

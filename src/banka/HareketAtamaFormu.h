#pragma once

#include "AtamaModeli.h"
#include "EkstreOkuma.h"
#include "HareketAktarimi.h"

#include <QDialog>

class HedefSecici;
class KuralDuzenleyici;
class QCheckBox;
class QLabel;
class QPushButton;
class QTableView;
class QTreeWidget;

// "Banka Hareketlerini İçe Aktar" after the statement was read: each movement gets a ledger, a
// main group and a sub-group, or "Yok say". The rules assign what they match (shown as such);
// the rows nobody assigned come first. The rows chosen (several at once) take the target of the
// boxes below by "Ata", and with "Kural olarak hatırla" the rule proposed from the first of them,
// as corrected, is kept and assigns every row still unassigned that it matches. Above the buttons
// stand the counts (already imported, to write, set aside, unassigned) and every entry whose
// realised amount was typed by hand, with the choice of replacing it by the movements' sum
// ("İçe aktarılanla değiştir") or adding to it ("Üstüne ekle"). "İçe Aktar" writes it all in one
// command and tells it by aktarildi().
class HareketAtamaFormu : public QDialog
{
    Q_OBJECT
public:
    // `dosya`: the statement's path. Reads the rules; throws a VeriHatasi when it cannot.
    HareketAtamaFormu(const EkstreOkuma& okuma, const QString& dosya, QWidget* sahibi);
    ~HareketAtamaFormu() override;

    AtamaModeli* atamaModeli() const { return model; }
    // Chooses the rows (by their place in the table) as the user would.
    void satirlariSec(const QList<int>& satirlar);
    void AtaDugmesi_Click();
    void IceAktarDugmesi_Click();

signals:
    // A rule learnt here, as one command of its own.
    void kuralEklendi(const Degisiklik& degisiklik);
    void aktarildi(const HareketAktarimi::Sonuc& sonuc);

private:
    QList<int> seciliSatirlar() const;
    void secimDegisti();
    // The counts and the entries typed by hand, as the assignments stand.
    void onizle();
    std::map<HareketAktarimi::KayitAnahtari, HareketAktarimi::ElleGirilen> secimler() const;

    QString dosya;
    QString kaynak;
    std::vector<HareketAktarimi::KayitOnizlemesi> elleGirilenler;
    AtamaModeli* model = nullptr;
    QTableView* HareketTablosu = nullptr;
    HedefSecici* hedefSecici = nullptr;
    QCheckBox* KuralKutusu = nullptr;
    KuralDuzenleyici* kuralDuzenleyici = nullptr;
    QLabel* KuralEtiketi = nullptr;
    QLabel* SayilarEtiketi = nullptr;
    QTreeWidget* ElleGirilenlerListesi = nullptr;
    QPushButton* AtaDugmesi = nullptr;
    QPushButton* IceAktarDugmesi = nullptr;
};

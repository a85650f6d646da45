#pragma once

#include "DefterBolumu.h"
#include "DefterTanimi.h"
#include "Degisiklik.h"
#include "DonemRaporuFormu.h"
#include "Takvim.h"

#include <QComboBox>
#include <QDate>
#include <QListWidget>
#include <QMainWindow>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class TabloYazici;
class GrupEklemeFormu;
class KayitEklemeFormu;
class OtomatikYedekleme;
class PencereDuzeni;
class PlanKopyalamaFormu;
class YedekGeriYuklemeFormu;
class QAction;
class DonemOzeti;
class QLabel;
class QMenu;
class QPushButton;
class QUndoStack;

// The main window: the two ledgers' halves (DefterBolumu) and the period, drawn in a client area
// between the menu bar and the status bar, which shows the period's figures; the drawn area is
// the smallest, and a larger one gives the entry lists the room (esnet). Handlers
// carry the names of the controls they serve; the dialogs it opens report their changes by signals,
// which it answers by listing again and by keeping each change on its undo stack. While it is open,
// the file is backed up before the first change and hourly after that (before the next change
// when a backup failed).
class AnaForm : public QMainWindow
{
    Q_OBJECT
public:
    // `bugun` pins today's date (for tests and pictures); an invalid date follows the clock.
    explicit AnaForm(QDate bugun = QDate(), QWidget* ust = nullptr);
    ~AnaForm() override;

    void AnaGelirGruplariListesi_Click() { gelir->anaGrupTiklandi(); }
    void AltGelirGruplariListesi_Click() { gelir->altGrupTiklandi(); }
    void AnaGiderGruplariListesi_Click() { gider->anaGrupTiklandi(); }
    void AltGiderGruplariListesi_Click() { gider->altGrupTiklandi(); }
    void AnaGrupGelirleriniListele() { gelir->listele(false); }
    void AltGrupGelirleriniListele() { gelir->listele(true); }
    void AnaGrupGiderleriniListele() { gider->listele(false); }
    void AltGrupGiderleriniListele() { gider->listele(true); }
    void YilBilgisiKutusu_Click() { donemDegisti(); }
    void AyBilgisiKutusu_Click() { donemDegisti(); }
    void GelirGrubuEkleDugmesi_Click() { gelir->grupEklemeyiAc(); }
    void GiderGrubuEkleDugmesi_Click() { gider->grupEklemeyiAc(); }
    void GelirGrubuSilDugmesi_Click() { gelir->grupSil(); }
    void GiderGrubuSilDugmesi_Click() { gider->grupSil(); }
    void GelirEkleDugmesi_Click() { gelir->kayitEklemeyiAc(); }
    void GiderEkleDugmesi_Click() { gider->kayitEklemeyiAc(); }
    void GelirSilDugmesi_Click() { gelir->kayitSil(); }
    void GiderSilDugmesi_Click() { gider->kayitSil(); }
    void TumGelirleriGosterDugmesi_Click() { gelir->ozetiAc(); }
    void TumGiderleriGosterDugmesi_Click() { gider->ozetiAc(); }
    // "Görünüm" > "Dönem Raporu…" and the button beside the period.
    void DonemRaporu_Click();

    // Menu commands. Editing and deleting act on the entry list with the focus (kayitBolumu).
    void KaydiDuzenle_Click()
    {
        if (DefterBolumu* b = kayitBolumu())
            b->kayitDuzenlemeyiAc();
    }
    void KaydiSil_Click()
    {
        if (DefterBolumu* b = kayitBolumu())
            b->kayitSil();
    }
    void PlaniKopyala_Click();
    // The group commands act on the group list with the focus or used last: F2 there renames.
    void GrubuYenidenAdlandir_Click() { grupBolumu->grubuYenidenAdlandir(); }
    void AnaGrubuSil_Click() { grupBolumu->anaGrupSil(); }
    void YedektenGeriYukle_Click();
    // "Dosya" > "Banka Hareketlerini İçe Aktar…", also on the entry lists' menu.
    void BankaHareketleriniIceAktar_Click();
    // "Görünüm" > "Pencere Düzenini Sıfırla": the drawn sizes, here and in every window.
    void PencereDuzeniniSifirla_Click();
    void Hakkinda_Click();
    // "Dosya" > "Dışa Aktar" > "Tüm Kayıtları Kaydet…"; the entry lists are saved
    // by the submenu's entries above it, each as the list stands.
    void TumKayitlariKaydet_Click();

    // The dialogs as the window opens them, wired to it. Editing needs a selected entry.
    std::unique_ptr<GrupEklemeFormu> grupEklemeFormu(const DefterTanimi& defter);
    std::unique_ptr<KayitEklemeFormu> kayitEklemeFormu(const DefterTanimi& defter);
    std::unique_ptr<KayitEklemeFormu> kayitDuzenlemeFormu(const DefterTanimi& defter);
    std::unique_ptr<PlanKopyalamaFormu> planKopyalamaFormu();
    std::unique_ptr<GrupDuzeltmeFormu> grupDuzeltmeFormu(const DefterTanimi& defter,
                                                         GrupDuzeltmeFormu::Is is, bool altGrup)
    {
        return bolum(defter).grupDuzeltmeFormu(is, altGrup);
    }
    std::unique_ptr<YedekGeriYuklemeFormu> yedekGeriYuklemeFormu();
    // Opens on this window's period; a sub-group chosen in it is shown here.
    std::unique_ptr<DonemRaporuFormu> donemRaporuFormu();
    // After a backup took the file's data: everything listed again, the undo stack emptied.
    void geriYuklendi(const QString& yedek);
    // Every writing command of this run, for "Geri Al" and "Yinele".
    QUndoStack* geriAlmaYigini() const { return geriAlma; }

    // The same by ledger.
    DefterBolumu& bolum(const DefterTanimi& defter);
    void anaGrupTiklandi(const DefterTanimi& defter) { bolum(defter).anaGrupTiklandi(); }
    QComboBox* anaGrupListesi(const DefterTanimi& defter) { return bolum(defter).anaGrupListesi(); }
    QListWidget* altGrupListesi(const DefterTanimi& defter)
    {
        return bolum(defter).altGrupListesi();
    }
    // The chosen sub-group's name; none when no sub-group is chosen.
    std::optional<QString> seciliAltGrup(const DefterTanimi& defter)
    {
        return bolum(defter).seciliAltGrup();
    }

    QComboBox* yilBilgisiKutusu() const { return YilBilgisiKutusu; }
    QComboBox* ayBilgisiKutusu() const { return AyBilgisiKutusu; }

private:
    // The halves read the period and today's date, show the period's figures again and save
    // their lists through tabloKaydet.
    friend class DefterBolumu;

    // The client area as drawn, the window's smallest.
    static QSize cizilenAlan();
    void donemKur(QWidget* alan);
    void esnet(QWidget* alan);
    void sekmeSirasiniKur();
    // One function per menu: a command joins its menu there.
    void dosyaMenusunuKur();
    void duzenleMenusunuKur();
    void yiginEylemleriniGuncelle();
    void gorunumMenusunuKur();
    void yardimMenusunuKur();
    void durumCubugunuKur();

    // Everything listed again, the groups and entries the user chose still chosen while they exist.
    void hepsiniYenile();
    void ortakBildirimleriDinle();
    void ortakButceMenusunuKur();
    // Lists everything again when another program wrote to the file since the window last looked:
    // when the window becomes active and before each command, so that what the user acts on is
    // what the file holds.
    void disaridanDegisenleriListele();
    bool event(QEvent* olay) override;
    // Keeps what a command wrote on the undo stack, named as the user gave the command.
    void komutuKaydet(const QString& ad, const Degisiklik& degisiklik);
    void donemDegisti();
    void donemOzetiniYaz(); // throws VeriHatasi
    // After one entry of the ledger changed from `once` to `sonra` (as listed): the period's
    // figures follow by the difference instead of the period being summed again.
    void donemOzetiniDuzelt(const DefterTanimi& defter, const ButceVerisi::Kayit& once,
                            const ButceVerisi::Kayit& sonra); // throws VeriHatasi
    void donemOzetiniBas();
    std::optional<QString> seciliAy() const;
    int secilenYil() const;
    void donemOzetiniGoster();
    // Enables what can act: the buttons of each ledger, and the menu's entry commands.
    void durumlariGuncelle();
    // The half whose entry "Kaydı Düzenle…", "Kaydı Sil" and Del act on: the one whose entry list
    // has the focus, or the one used last while no control of the window has it. Never the entry
    // list the user is not looking at: with the focus in a group list, a box or a button, none.
    DefterBolumu* kayitBolumu() const;
    void planKopyalandi(qint64 olusturulan, qint64 atlanan, const Degisiklik& degisiklik);
    void raporGrubunuGoster(const DonemRaporuFormu::Hedef& hedef);
    // Asks where to save a workbook or CSV file and writes it; the status bar says how many
    // entries went.
    void tabloKaydet(const QString& baslik, const QStringList& adParcalari,
                     const std::function<qint64(const QString& yol)>& yaz);

    QDate bugun() const { return bugun_.isValid() ? bugun_ : QDate::currentDate(); }
    const Takvim::YilAraligi& yilAraligi() const { return yillar; }

    QDate bugun_;
    Takvim::YilAraligi yillar;
    DefterBolumu* gelir = nullptr;
    DefterBolumu* gider = nullptr;
    DefterBolumu* etkinBolum = nullptr; // whose entry list has the focus or was used last
    DefterBolumu* grupBolumu = nullptr; // whose group list has the focus or was used last
    QComboBox* YilBilgisiKutusu = nullptr;
    QComboBox* AyBilgisiKutusu = nullptr;
    DonemOzeti* donemOzeti = nullptr;
    std::array<ButceVerisi::DonemToplami, 2> donemToplamlari; // income, expense as shown
    QPushButton* DonemRaporuDugmesi = nullptr;
    PencereDuzeni* duzen = nullptr;

    QMenu* dosyaMenusu = nullptr;
    QMenu* duzenleMenusu = nullptr;
    QMenu* gorunumMenusu = nullptr;
    QMenu* yardimMenusu = nullptr;
    QAction* kaydiDuzenleEylemi = nullptr;
    QAction* kaydiSilEylemi = nullptr;
    QAction* bankaHareketleriEylemi = nullptr;
    QAction* grubuAdlandirEylemi = nullptr;
    QAction* anaGrubuSilEylemi = nullptr;
    QUndoStack* geriAlma = nullptr;
    QAction* geriAlEylemi = nullptr;
    QAction* yineleEylemi = nullptr;
    std::unique_ptr<OtomatikYedekleme> otomatikYedekleme;
};

#pragma once

#include "DefterTanimi.h"
#include "Degisiklik.h"
#include "GrupDuzeltmeFormu.h"
#include "Takvim.h"

#include <QComboBox>
#include <QDate>
#include <QListWidget>
#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class CsvYazici;
class GrupEklemeFormu;
class KayitEklemeFormu;
class KayitListesi;
class OtomatikYedekleme;
class PlanKopyalamaFormu;
class YedekGeriYuklemeFormu;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QUndoStack;

// The main window: both ledgers' group lists, entry lists and totals, and the period, drawn in a
// client area of fixed size between the menu bar and the status bar, which shows the period's
// figures. Handlers carry the names of the controls they serve; the dialogs it opens report their
// changes by signals, which it answers by listing again and by keeping each change on its undo
// stack. While it is open, the file is backed up before the first change and hourly after that.
class AnaForm : public QMainWindow
{
    Q_OBJECT
public:
    // `bugun` pins today's date (for tests and pictures); an invalid date follows the clock.
    explicit AnaForm(QDate bugun = QDate(), QWidget* ust = nullptr);
    ~AnaForm() override;

    void AnaGelirGruplariListesi_Click() { anaGrupTiklandi(gelir); }
    void AltGelirGruplariListesi_Click() { altGrupTiklandi(gelir); }
    void AnaGiderGruplariListesi_Click() { anaGrupTiklandi(gider); }
    void AltGiderGruplariListesi_Click() { altGrupTiklandi(gider); }
    void AnaGrupGelirleriniListele() { listele(gelir, false); }
    void AltGrupGelirleriniListele() { listele(gelir, true); }
    void AnaGrupGiderleriniListele() { listele(gider, false); }
    void AltGrupGiderleriniListele() { listele(gider, true); }
    void YilBilgisiKutusu_Click() { donemDegisti(); }
    void AyBilgisiKutusu_Click() { donemDegisti(); }
    void GelirGrubuEkleDugmesi_Click() { grupEklemeyiAc(gelir); }
    void GiderGrubuEkleDugmesi_Click() { grupEklemeyiAc(gider); }
    void GelirGrubuSilDugmesi_Click() { grupSil(gelir); }
    void GiderGrubuSilDugmesi_Click() { grupSil(gider); }
    void GelirEkleDugmesi_Click() { kayitEklemeyiAc(gelir); }
    void GiderEkleDugmesi_Click() { kayitEklemeyiAc(gider); }
    void GelirSilDugmesi_Click() { kayitSil(gelir); }
    void GiderSilDugmesi_Click() { kayitSil(gider); }
    void TumGelirleriGosterDugmesi_Click() { ozetiAc(gelir); }
    void TumGiderleriGosterDugmesi_Click() { ozetiAc(gider); }

    // Menu commands. Editing and deleting act on the entry list with the focus or used last.
    void KaydiDuzenle_Click();
    void KaydiSil_Click();
    void PlaniKopyala_Click();
    // The group commands act on the group list with the focus or used last: F2 there renames.
    void GrubuYenidenAdlandir_Click();
    void AnaGrubuSil_Click();
    void YedektenGeriYukle_Click();
    void Hakkinda_Click();
    // "Dosya" > "Dışa Aktar" > "Tüm Kayıtları CSV Olarak Kaydet…"; the entry lists are saved
    // by the submenu's entries above it, each as the list stands.
    void TumKayitlariKaydet_Click();

    // The dialogs as the window opens them, wired to it. Editing needs a selected entry.
    std::unique_ptr<GrupEklemeFormu> grupEklemeFormu(const DefterTanimi& defter);
    std::unique_ptr<KayitEklemeFormu> kayitEklemeFormu(const DefterTanimi& defter);
    std::unique_ptr<KayitEklemeFormu> kayitDuzenlemeFormu(const DefterTanimi& defter);
    std::unique_ptr<PlanKopyalamaFormu> planKopyalamaFormu();
    // Renaming the chosen main group, or the chosen sub-group, or moving that; none without it.
    std::unique_ptr<GrupDuzeltmeFormu> grupDuzeltmeFormu(const DefterTanimi& defter,
                                                         GrupDuzeltmeFormu::Is is, bool altGrup);
    std::unique_ptr<YedekGeriYuklemeFormu> yedekGeriYuklemeFormu();
    // Every writing command of this run, for "Geri Al" and "Yinele".
    QUndoStack* geriAlmaYigini() const { return geriAlma; }

    // The same by ledger.
    void anaGrupTiklandi(const DefterTanimi& defter) { anaGrupTiklandi(bolum(defter)); }
    QComboBox* anaGrupListesi(const DefterTanimi& defter) { return bolum(defter).anaGruplar; }
    QListWidget* altGrupListesi(const DefterTanimi& defter) { return bolum(defter).altGruplar; }
    // The chosen sub-group's name; none when no sub-group is chosen.
    std::optional<QString> seciliAltGrup(const DefterTanimi& defter);

    QComboBox* yilBilgisiKutusu() const { return YilBilgisiKutusu; }
    QComboBox* ayBilgisiKutusu() const { return AyBilgisiKutusu; }

private:
    // The controls of one ledger; the upper half of the window serves income, the lower expense.
    struct Bolum {
        const DefterTanimi* defter = nullptr;
        QComboBox* anaGruplar = nullptr;
        QListWidget* altGruplar = nullptr;
        KayitListesi* liste = nullptr;
        QLineEdit* toplamKutusu = nullptr;
        QPushButton* grupEkle = nullptr;
        QPushButton* grupSil = nullptr;
        QPushButton* ekle = nullptr;
        QPushButton* sil = nullptr;
        QPushButton* tumunuGoster = nullptr;
        QAction* listeyiKaydet = nullptr;
        // The group lists' own menus.
        QAction* anaGrubuAdlandir = nullptr;
        QAction* anaGrubuSil = nullptr;
        QAction* altGrubuAdlandir = nullptr;
        QAction* altGrubuTasi = nullptr;
    };
    // The groups to show chosen after a group command, or after taking it back.
    struct GrupSecimi {
        QString anaGrup;
        std::optional<QString> altGrup;
    };
    struct Yerlesim;

    void bolumuKur(QWidget* alan, Bolum& bolum, const DefterTanimi& defter, const Yerlesim& yer);
    void donemKur(QWidget* alan);
    void sekmeSirasiniKur();
    // One function per menu: a command joins its menu there.
    void dosyaMenusunuKur();
    void duzenleMenusunuKur();
    void yiginEylemleriniGuncelle();
    void yardimMenusunuKur();
    void durumCubugunuKur();
    Bolum& bolum(const DefterTanimi& defter)
    {
        return defter.ad == gelir.defter->ad ? gelir : gider;
    }

    void anaGrupTiklandi(Bolum& bolum);
    void altGrupTiklandi(Bolum& bolum);
    void listele(Bolum& bolum, bool altGrupla);
    void listeyiDoldur(Bolum& bolum, bool altGrupla); // throws VeriHatasi
    // Everything listed again, the groups the user chose still chosen while they exist.
    void hepsiniYenile();
    void bolumuYenile(Bolum& bolum);                          // throws VeriHatasi
    void bolumuYenile(Bolum& bolum, const GrupSecimi& secim); // throws VeriHatasi
    // Keeps what a command wrote on the undo stack, named as the user gave the command.
    void komutuKaydet(const QString& ad, const Degisiklik& degisiklik);
    void donemDegisti();
    void donemOzetiniYaz(); // throws VeriHatasi
    void donemOzetiniGoster();
    // Enables what can act: the buttons of each ledger, and the menu's entry commands.
    void durumlariGuncelle();
    void etkinYap(Bolum& bolum);
    void grupEklemeyiAc(Bolum& bolum);
    void anaGruplariYenile(Bolum& bolum);
    void grupSil(Bolum& bolum);
    void grupMenuleriniKur(Bolum& bolum);
    bool eventFilter(QObject* nesne, QEvent* olay) override;
    void grupDuzeltmeyiAc(Bolum& bolum, GrupDuzeltmeFormu::Is is, bool altGrup);
    void grupDuzeltildi(Bolum& bolum, const QString& komut, const GrupDuzeltme::Sonuc& sonuc,
                        const QString& bildirim);
    void anaGrupSil(Bolum& bolum);
    // Keeps a group command on the undo stack; the lists show `once` after taking it back and
    // `sonra` after doing it again.
    void grupKomutunuKaydet(Bolum& bolum, const QString& ad, const Degisiklik& degisiklik,
                            const GrupSecimi& once, const GrupSecimi& sonra);
    void kayitEklemeyiAc(Bolum& bolum);
    void kayitDuzenlemeyiAc(Bolum& bolum);
    void duzenlenenKaydiGoster(Bolum& bolum, qint64 kimlik);
    void kayitSil(Bolum& bolum);
    void planKopyalandi(qint64 olusturulan, qint64 atlanan, const Degisiklik& degisiklik);
    void geriYuklendi(const QString& yedek);
    void listeyiKaydet(Bolum& bolum);
    // Asks where to save a CSV file and writes it; the status bar says how many entries went.
    void csvKaydet(const QString& baslik, const QStringList& adParcalari,
                   const std::function<qint64(CsvYazici&)>& yaz);
    void ozetiAc(Bolum& bolum);

    QDate bugun() const { return bugun_.isValid() ? bugun_ : QDate::currentDate(); }

    QDate bugun_;
    Takvim::YilAraligi yillar;
    Bolum gelir;
    Bolum gider;
    Bolum* etkinBolum = nullptr;      // whose entry list has the focus or was used last
    Bolum* grupBolumu = &gelir;       // whose group list has the focus or was used last
    bool altGrupListesiEtkin = false; // and whether that was the sub-group list
    QComboBox* YilBilgisiKutusu = nullptr;
    QComboBox* AyBilgisiKutusu = nullptr;
    QLabel* donemOzeti = nullptr;

    QMenu* dosyaMenusu = nullptr;
    QMenu* duzenleMenusu = nullptr;
    QMenu* yardimMenusu = nullptr;
    QAction* kaydiDuzenleEylemi = nullptr;
    QAction* kaydiSilEylemi = nullptr;
    QAction* grubuAdlandirEylemi = nullptr;
    QAction* anaGrubuSilEylemi = nullptr;
    QUndoStack* geriAlma = nullptr;
    QAction* geriAlEylemi = nullptr;
    QAction* yineleEylemi = nullptr;
    std::unique_ptr<OtomatikYedekleme> otomatikYedekleme;
};

#pragma once

#include "DefterBolumu.h"
#include "DefterTanimi.h"
#include "Degisiklik.h"
#include "DonemRaporuFormu.h"
#include "DonemSecici.h"
#include "HareketAktarimi.h"

#include <QDate>
#include <QKeySequence>
#include <QList>
#include <QMainWindow>

#include <functional>
#include <memory>

class DonemOzeti;
class HareketAtamaFormu;
class KurallarFormu;
struct EkstreOkuma;
class OtomatikYedekleme;
class PencereDuzeni;
class PlanKopyalamaFormu;
class YedekGeriYuklemeFormu;
class QAction;
class QUndoStack;

// The main window: the two ledgers' halves (DefterBolumu) and the period (DonemSecici), drawn in a
// client area between the menu bar and the status bar, which shows the period's figures
// (DonemOzeti); the drawn area is the smallest, and a larger one gives the entry lists the room.
// It tells the halves the period, keeps what their commands wrote on its undo stack, shows their
// messages and figures, and builds its menus from one table. While it is open, the file is backed
// up before the first change and hourly after that (before the next change when a backup failed).
class AnaForm : public QMainWindow
{
    Q_OBJECT
public:
    // When the status bar's first figures are summed: while the window is built, or once it has
    // been painted the first time (the program's start, so that the window shows without waiting
    // for the sums of the period's entries).
    enum class IlkRakamlar { Hemen, Boyaninca };
    // `bugun` pins today's date (for tests and pictures); an invalid date follows the clock.
    explicit AnaForm(QDate bugun = QDate(), QWidget* ust = nullptr,
                     IlkRakamlar ilkRakamlar = IlkRakamlar::Hemen);
    ~AnaForm() override;

    // The ledger's half, with its controls and commands.
    DefterBolumu& bolum(const DefterTanimi& defter);
    DonemSecici* donemSecici() const { return secici; }
    // Every writing command of this run, for "Geri Al" and "Yinele".
    QUndoStack* geriAlmaYigini() const { return geriAlma; }

    // Commands of the window itself, with the dialogs they open wired to it.
    // "Görünüm" > "Dönem Raporu…" and the button beside the period: opens on the window's period;
    // a sub-group chosen in it is shown here, in the report's period.
    void DonemRaporu_Click();
    std::unique_ptr<DonemRaporuFormu> donemRaporuFormu();
    void PlaniKopyala_Click();
    std::unique_ptr<PlanKopyalamaFormu> planKopyalamaFormu();
    void YedektenGeriYukle_Click();
    // "Dosya" > "Banka Hareketlerini İçe Aktar…", also on the entry lists' menu: the statement
    // read and confirmed, then its movements assigned and written (hareketAtamaFormu).
    void BankaHareketleriniIceAktar_Click();
    std::unique_ptr<HareketAtamaFormu> hareketAtamaFormu(const EkstreOkuma& okuma,
                                                         const QString& dosya);
    // "Düzenle" > "İçe Aktarma Kuralları…".
    void IceAktarmaKurallari_Click();
    std::unique_ptr<KurallarFormu> kurallarFormu();
    std::unique_ptr<YedekGeriYuklemeFormu> yedekGeriYuklemeFormu();
    // After a backup took the file's data: everything listed again, the undo stack emptied.
    void geriYuklendi(const QString& yedek);
    // "Dosya" > "Dışa Aktar" > "Tüm Kayıtları Kaydet…"; the entry lists are saved by the
    // submenu's entries above it, each as the list stands.
    void TumKayitlariKaydet_Click();
    // "Görünüm" > "Pencere Düzenini Sıfırla": the drawn sizes, here and in every window.
    void PencereDuzeniniSifirla_Click();

signals:
    // Once, when the first figures wait for the first paint (IlkRakamlar::Boyaninca) and that
    // paint has gone to the screen: what the first window need not wait for starts here.
    void ilkBoyamaBitti();

private:
    // A row of the menu table: the menu ("&Dosya", a submenu as "&Dosya/Dışa Aktar"), the
    // caption and keys, and the command; a row without a caption is a separator. `etkin`, when
    // given, tells whether the command can act now.
    struct MenuKomutu {
        QString menu;
        QString ad;
        QList<QKeySequence> tuslar;
        std::function<void()> islem;
        std::function<bool()> etkin;
    };

    // The client area as drawn, the window's smallest.
    static QSize cizilenAlan();
    QSize varsayilanBoyut();
    void halleriBagla();
    void esnet(QWidget* alan);
    void sekmeSirasiniKur();
    void menuleriKur();
    QList<MenuKomutu> menuTablosu();
    // "Geri Al" or "Yinele", then the two commands' texts.
    void yigindan(void (QUndoStack::*is)());
    // An entry command on the half the user works in, if any.
    void kayitBolumundan(void (DefterBolumu::*is)());
    void yiginEylemleriniGuncelle();

    void donemDegisti(const Donem& donem);
    void rakamlariGoster();
    // Everything listed again, the groups and entries the user chose still chosen while they exist.
    void hepsiniYenile();
    // Lists everything again when another program wrote to the file since the window last looked:
    // when the window becomes active and before each command, so that what the user acts on is
    // what the file holds.
    void disaridanDegisenleriListele();
    bool event(QEvent* olay) override;
    // The one place that keeps what a command wrote on the undo stack, named as the user gave the
    // command; `ardindan` shows the lists after taking it back or redoing it, or everything is
    // listed again.
    void komutuKaydet(const QString& ad, const Degisiklik& degisiklik,
                      const DefterBolumu::Ardindan& ardindan);
    // Enables what can act: the buttons of each ledger, and the menu's commands.
    void durumlariGuncelle();
    // The half whose entry "Kaydı Düzenle…", "Kaydı Sil" and Del act on: the one whose entry list
    // has the focus, or the one used last while no control of the window has it. Never the entry
    // list the user is not looking at: with the focus in a group list, a box or a button, none.
    DefterBolumu* kayitBolumu() const;
    void planKopyalandi(qint64 olusturulan, qint64 atlanan, const Degisiklik& degisiklik);
    void hareketlerAktarildi(const HareketAktarimi::Sonuc& sonuc);

    const QDate bugun;
    bool rakamlarBoyaninca; // the first figures wait for the first paint
    Takvim::YilAraligi yillar;
    DefterBolumu* gelir = nullptr;
    DefterBolumu* gider = nullptr;
    DefterBolumu* etkinBolum = nullptr; // whose entry list has the focus or was used last
    DefterBolumu* grupBolumu = nullptr; // whose group list has the focus or was used last
    DonemSecici* secici = nullptr;
    QWidget* DonemRaporuDugmesi = nullptr;
    DonemOzeti* donemOzeti = nullptr;
    PencereDuzeni* duzen = nullptr;

    QList<std::pair<QAction*, std::function<bool()>>> etkinlikler; // of the menu table
    QUndoStack* geriAlma = nullptr;
    QAction* geriAlEylemi = nullptr;
    QAction* yineleEylemi = nullptr;
    std::unique_ptr<OtomatikYedekleme> otomatikYedekleme;
};

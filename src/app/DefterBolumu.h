#pragma once

#include "ButceVerisi.h"
#include "DefterTanimi.h"
#include "Degisiklik.h"
#include "Donem.h"
#include "Esneklik.h"
#include "GrupDuzeltmeFormu.h"
#include "KayitListesi.h"

#include "Takvim.h"

#include <QComboBox>
#include <QDate>
#include <QList>
#include <QListWidget>
#include <QObject>
#include <QRect>

#include <functional>
#include <memory>
#include <optional>

class GrupEklemeFormu;
class HareketlerFormu;
class KayitEklemeFormu;
class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// One ledger's half of the main window: the upper half serves income, the lower expense. It owns
// the half's controls in the window's client area, lists the entries of the chosen groups in the
// period it is told, and runs the group and entry commands and the list's export. It knows
// nothing of the window and speaks by signals only: what each command wrote and what taking it
// back shows (komutYapildi), a sentence for the status bar (bildirim), how the period's figures
// changed (kayitDegisti, rakamlarDegisti), that a command is about to act (komutBasliyor), that
// its entry list or a group list was used (etkinOldu, grupEtkinOldu) and that what can act may
// have changed (durumDegisti). A new command is one public function here that opens a
// MesajKutusu::Komut, emits komutBasliyor() before it reads the lists, and komutYapildi() with
// what it wrote; the window gives it a row of its menu table.
class DefterBolumu : public QObject
{
    Q_OBJECT
public:
    // Where the half's controls stand in the client area, in twips.
    struct Yerlesim {
        QRect cerceve;
        QRect liste;
        QRect listeEtiketi;
        QRect toplamKutusu;
        QRect toplamEtiketi;
        int dugmeUstu;
        int anaEtiketGenisligi;
        int altEtiketGenisligi;
    };

    // What the lists show after a command is taken back (`geriye`) or done again.
    using Ardindan = std::function<void(bool geriye)>;

    // The controls stand in `alan`, whose window owns the dialogs and messages. `bugun` pins
    // today's date (for tests and pictures); an invalid date follows the clock.
    DefterBolumu(const DefterTanimi& defter, QWidget* alan, const Yerlesim& yer,
                 const Takvim::YilAraligi& yillar, QDate bugun = QDate());
    // In a larger window the frame and its buttons move down by `ust` of the extra height and
    // keep their size; the list widens and its bottom, with the buttons and the total below it,
    // moves down by `alt`; the total keeps to the list's right edge.
    void esnet(Esneklik& esneklik, Esneklik::Pay ust, Esneklik::Pay alt);

    const DefterTanimi& defter() const { return defter_; }
    QComboBox* anaGrupListesi() const { return AnaGruplarListesi; }
    QListWidget* altGrupListesi() const { return AltGruplarListesi; }
    KayitListesi* kayitListesi() const { return KayitlarListesi; }
    // How much wider the entry list must be to show the ledger's group names whole.
    int adlaraGerekenEk() const; // throws VeriHatasi
    // The chosen sub-group's name; none when no sub-group is chosen.
    std::optional<QString> seciliAltGrup() const;
    // The controls in the order Tab visits them: the groups', and the entries' below the list.
    QList<QWidget*> gruplarSekmeSirasi() const;
    QList<QWidget*> kayitlarSekmeSirasi() const;
    // Whether the entry list has rows to save, and an entry is chosen.
    bool listeKaydedilebilir() const;
    bool kayitSecili() const;

    // Each command below shows at most one message, however many statements fail.
    void anaGrupTiklandi();
    void altGrupTiklandi();
    void listele(bool altGrupla);
    void listeyiDoldur(bool altGrupla); // throws VeriHatasi
    // The chosen groups' entries listed again in the period.
    void donemDegisti(const Donem& yeni);
    // Listed again, the groups the user chose still chosen while they exist.
    void yenile(); // throws VeriHatasi
    // The groups to show chosen after a group command, or after taking it back.
    struct GrupSecimi {
        QString anaGrup;
        std::optional<QString> altGrup;
    };
    void yenile(const GrupSecimi& secim); // throws VeriHatasi
    // Enables the buttons that can act, and the list's export when it has rows.
    void dugmeleriGuncelle();

    std::unique_ptr<GrupEklemeFormu> grupEklemeFormu();
    std::unique_ptr<KayitEklemeFormu> kayitEklemeFormu();
    std::unique_ptr<KayitEklemeFormu> kayitDuzenlemeFormu();
    void grupEklemeyiAc();
    void grupSil();
    // Renaming the chosen main group, or the chosen sub-group, or moving that; none without it.
    std::unique_ptr<GrupDuzeltmeFormu> grupDuzeltmeFormu(GrupDuzeltmeFormu::Is is, bool altGrup);
    void grupDuzeltmeyiAc(GrupDuzeltmeFormu::Is is, bool altGrup);
    void anaGrupSil();
    // The menu's group commands act on the group list of this half with the focus or used last.
    void grubuYenidenAdlandir() { grupDuzeltmeyiAc(GrupDuzeltmeFormu::Is::Adlandir, altGrupEtkin); }
    bool adlandirilabilir() const;
    bool anaGrupSilinebilir() const;
    void kayitEklemeyiAc();
    void kayitDuzenlemeyiAc();
    // Asks what happens to the movements of an entry fed by them.
    void kayitSil();
    // "Hareketleri Göster…": the bank movements behind the chosen entry's realised amount.
    bool hareketliSecili() const;
    std::unique_ptr<HareketlerFormu> hareketlerFormu(); // throws VeriHatasi
    void hareketleriGoster();
    void ozetiAc();
    void listeyiKaydet();
    // Chooses the groups of the names, as the lists spell them or else by the Turkish letter
    // rules, as the user would; a group the lists lack leaves the main group, or nothing, chosen.
    void grubuGoster(const QString& anaGrup, const QString& altGrup);

signals:
    // `ardindan` empty: everything is listed again after taking the command back or redoing it.
    void komutYapildi(const QString& ad, const Degisiklik& degisiklik,
                      const DefterBolumu::Ardindan& ardindan);
    void bildirim(const QString& metin);
    // One entry of the ledger changed from `once` to `sonra` (as listed).
    void kayitDegisti(const ButceVerisi::Kayit& once, const ButceVerisi::Kayit& sonra);
    // The period's figures changed in a way only summing again tells.
    void rakamlarDegisti();
    // A command is about to act on what the lists show: what another program wrote since is to
    // be listed first.
    void komutBasliyor();
    void etkinOldu();
    void durumDegisti();
    // One of the half's group lists got the focus or was used.
    void grupEtkinOldu();

private:
    void kur(const Yerlesim& yer);
    void bagla();
    // Another program's changes listed first (komutBasliyor); the chosen entry as listed now. One
    // chosen before and gone since is told.
    std::optional<ButceVerisi::Kayit> guncelSecim();
    void duzenlenenKaydiGoster(qint64 kimlik, bool yazildi);
    // The filter of the list as the groups and the period stand.
    ButceVerisi::KayitSuzgeci listeSuzgeci(bool altGrupla) const;
    void toplamiYaz(const KayitListesi::Toplam& toplam);
    // The edited entry's row shown again with the list's total, and the period's figures told;
    // false when it no longer belongs to the list (or was not in it), with nothing changed.
    bool duzenleneniYenile(qint64 kimlik);
    void grupMenuleriniKur();
    bool eventFilter(QObject* nesne, QEvent* olay) override;
    void grupListesiEtkin(bool alt);
    void grupDuzeltildi(const QString& komut, const GrupDuzeltme::Sonuc& sonuc,
                        const QString& bildirim);
    // Tells of a group command; the lists show `once` after taking it back and `sonra` after
    // doing it again.
    void grupKomutuYapildi(const QString& ad, const Degisiklik& degisiklik, const GrupSecimi& once,
                           const GrupSecimi& sonra);
    void listeyiGoster(const std::vector<ButceVerisi::Kayit>& kayitlar);
    // The listed entries, with those a command wrote read again by their Kimlik under the list's
    // filter (one look-up each instead of the list's statement), in the order they were entered.
    void yazilanlariListele(const std::vector<ButceVerisi::KayitDegisimi>& degisimler);
    // After an entry command is taken back or done again: the entries it wrote are listed again
    // where they now belong, the entry chosen before still chosen, and the period's figures follow
    // by them (kayitDegisti); the groups and the other half stay as listed.
    Ardindan kayitKomutununArdindan(const Degisiklik& degisiklik);
    // The window the half stands in: the owner of its dialogs and messages.
    QWidget* sahibi() const;

    const DefterTanimi& defter_;
    QWidget* const alan;
    const Takvim::YilAraligi yillar;
    const QDate bugun;
    Donem donem;

    QComboBox* AnaGruplarListesi = nullptr;
    QListWidget* AltGruplarListesi = nullptr;
    KayitListesi* KayitlarListesi = nullptr;
    QLineEdit* ToplamKutusu = nullptr;
    QLabel* listeEtiketi = nullptr;
    QLabel* toplamEtiketi = nullptr;
    QPushButton* GrupEkleDugmesi = nullptr;
    QPushButton* GrupSilDugmesi = nullptr;
    QPushButton* EkleDugmesi = nullptr;
    QPushButton* SilDugmesi = nullptr;
    QPushButton* TumunuGosterDugmesi = nullptr;
    // The group lists' own menus.
    QAction* anaGrubuAdlandirEylemi = nullptr;
    QAction* anaGrubuSilEylemi = nullptr;
    QAction* altGrubuAdlandirEylemi = nullptr;
    QAction* altGrubuTasiEylemi = nullptr;
    bool altGrupEtkin = false; // whether the sub-group list was the group list used last
};

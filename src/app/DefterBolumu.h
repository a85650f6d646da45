#pragma once

#include "ButceVerisi.h"
#include "DefterTanimi.h"
#include "Degisiklik.h"
#include "Esneklik.h"
#include "GrupDuzeltmeFormu.h"
#include "KayitListesi.h"

#include <QList>
#include <QObject>
#include <QRect>

#include <memory>
#include <optional>

class AnaForm;
class GrupEklemeFormu;
class KayitEklemeFormu;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QWidget;

// One ledger's half of the main window: the upper half serves income, the lower expense. It owns
// the half's controls in the window's client area, lists the entries of the chosen groups in the
// window's period, and runs the group and entry commands and the list's export. It tells the
// window what each command wrote (komutYapildi), that its entry list was used (etkinOldu) and
// that what can act may have changed (durumDegisti).
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

    DefterBolumu(const DefterTanimi& defter, AnaForm& anaForm, QWidget* alan, const Yerlesim& yer);
    // In a larger window the frame and its buttons move down by `ust` of the extra height and
    // keep their size; the list widens and its bottom, with the buttons and the total below it,
    // moves down by `alt`; the total keeps to the list's right edge.
    void esnet(Esneklik& esneklik, Esneklik::Pay ust, Esneklik::Pay alt);

    const DefterTanimi& defter() const { return defter_; }
    QComboBox* anaGrupListesi() const { return AnaGruplarListesi; }
    QListWidget* altGrupListesi() const { return AltGruplarListesi; }
    KayitListesi* kayitListesi() const { return KayitlarListesi; }
    // The chosen sub-group's name; none when no sub-group is chosen.
    std::optional<QString> seciliAltGrup() const;
    // The controls in the order Tab visits them: the groups', and the entries' below the list.
    QList<QWidget*> gruplarSekmeSirasi() const;
    QList<QWidget*> kayitlarSekmeSirasi() const;
    // The tooltip of a total: how many amounts were left out as unreadable.
    static QString okunamayanlar(qint64 sayi);
    // Adds "… Listesini CSV Olarak Kaydet…" to the menu.
    void listeyiKaydetEyleminiEkle(QMenu* menu);

    // Each command below shows at most one message, however many statements fail.
    void anaGrupTiklandi();
    void altGrupTiklandi();
    void listele(bool altGrupla);
    void listeyiDoldur(bool altGrupla); // throws VeriHatasi
    // The chosen groups' entries listed again, in a new period.
    void donemiListele(); // throws VeriHatasi
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
    void kayitSil();
    void ozetiAc();
    void listeyiKaydet();

signals:
    void komutYapildi(const QString& ad, const Degisiklik& degisiklik);
    void etkinOldu();
    void durumDegisti();
    // One of the half's group lists got the focus or was used.
    void grupEtkinOldu();

private:
    void kur(QWidget* alan, const Yerlesim& yer);
    void bagla();
    void anaGruplariYenile();
    // Another program's changes listed first (AnaForm::disaridanDegisenleriListele); the chosen
    // entry as listed now. One chosen before and gone since is told.
    std::optional<ButceVerisi::Kayit> guncelSecim();
    void duzenlenenKaydiGoster(qint64 kimlik, bool yazildi);
    // The filter of the list as the groups and the period stand.
    ButceVerisi::KayitSuzgeci listeSuzgeci(bool altGrupla) const;
    void toplamiYaz(const KayitListesi::Toplam& toplam);
    // The edited entry's row shown again with the list's total and the period's figures; false
    // when it no longer belongs to the list (or was not in it), with nothing changed.
    bool duzenleneniYenile(qint64 kimlik);
    void grupMenuleriniKur();
    bool eventFilter(QObject* nesne, QEvent* olay) override;
    void grupListesiEtkin(bool alt);
    void grupDuzeltildi(const QString& komut, const GrupDuzeltme::Sonuc& sonuc,
                        const QString& bildirim);
    // Keeps a group command on the undo stack; the lists show `once` after taking it back and
    // `sonra` after doing it again.
    void grupKomutunuKaydet(const QString& ad, const Degisiklik& degisiklik,
                            const GrupSecimi& once, const GrupSecimi& sonra);

    const DefterTanimi& defter_;
    AnaForm& pencere;

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
    QAction* listeyiKaydetEylemi = nullptr;
    // The group lists' own menus.
    QAction* anaGrubuAdlandirEylemi = nullptr;
    QAction* anaGrubuSilEylemi = nullptr;
    QAction* altGrubuAdlandirEylemi = nullptr;
    QAction* altGrubuTasiEylemi = nullptr;
    bool altGrupEtkin = false; // whether the sub-group list was the group list used last
};

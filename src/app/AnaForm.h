#pragma once

#include "DefterTanımı.h"

#include <QComboBox>
#include <QDate>
#include <QListWidget>
#include <QStringList>
#include <QWidget>

#include <optional>

class KayıtListesi;
class QLineEdit;
class QPushButton;

// The main window: both ledgers' group lists, entry lists and totals, and the period.
// Handlers carry the names of the controls they serve; the dialogs call back into the
// public ones after every change they make.
class AnaForm : public QWidget
{
    Q_OBJECT
public:
    explicit AnaForm(QDate bugün = QDate::currentDate(), QWidget* üst = nullptr);

    // Fills a group list with the given names; nothing stays selected.
    static void SorguÇalıştır(const QStringList& adlar, QComboBox* liste);
    static void SorguÇalıştır(const QStringList& adlar, QListWidget* liste);
    static void AyYılEkle(QComboBox* yılKutusu, QComboBox* ayKutusu);

    void AnaGelirGruplarıListesi_Click() { anaGrupTıklandı(gelir); }
    void AltGelirGruplarıListesi_Click() { altGrupTıklandı(gelir); }
    void AnaGiderGruplarıListesi_Click() { anaGrupTıklandı(gider); }
    void AltGiderGruplarıListesi_Click() { altGrupTıklandı(gider); }
    void AnaGrupGelirleriniListele() { listele(gelir, false); }
    void AltGrupGelirleriniListele() { listele(gelir, true); }
    void AnaGrupGiderleriniListele() { listele(gider, false); }
    void AltGrupGiderleriniListele() { listele(gider, true); }
    void YılBilgisiKutusu_Click() { dönemDeğişti(); }
    void AyBilgisiKutusu_Click() { dönemDeğişti(); }
    void GelirGrubuEkleDüğmesi_Click() { grupEklemeyiAç(gelir); }
    void GiderGrubuEkleDüğmesi_Click() { grupEklemeyiAç(gider); }
    void GelirGrubuSilDüğmesi_Click() { grupSil(gelir); }
    void GiderGrubuSilDüğmesi_Click() { grupSil(gider); }
    void GelirEkleDüğmesi_Click() { kayıtEklemeyiAç(gelir); }
    void GiderEkleDüğmesi_Click() { kayıtEklemeyiAç(gider); }
    void GelirSilDüğmesi_Click() { kayıtSil(gelir); }
    void GiderSilDüğmesi_Click() { kayıtSil(gider); }
    void TümGelirleriGösterDüğmesi_Click() { özetiAç(gelir); }
    void TümGiderleriGösterDüğmesi_Click() { özetiAç(gider); }

    // The same by ledger, for the twin dialogs.
    void anaGrupTıklandı(const DefterTanımı& defter) { anaGrupTıklandı(bölüm(defter)); }
    QComboBox* anaGrupListesi(const DefterTanımı& defter) { return bölüm(defter).anaGruplar; }
    QListWidget* altGrupListesi(const DefterTanımı& defter) { return bölüm(defter).altGruplar; }
    // The chosen sub-group's name; none when no sub-group is chosen.
    std::optional<QString> seçiliAltGrup(const DefterTanımı& defter);

    QComboBox* yılBilgisiKutusu() const { return YılBilgisiKutusu; }
    QComboBox* ayBilgisiKutusu() const { return AyBilgisiKutusu; }
    QDate bugün() const { return bugün_; }

private:
    // The controls of one ledger; the upper half of the window serves income, the lower expense.
    struct Bölüm {
        const DefterTanımı* defter = nullptr;
        QComboBox* anaGruplar = nullptr;
        QListWidget* altGruplar = nullptr;
        KayıtListesi* liste = nullptr;
        QLineEdit* toplamKutusu = nullptr;
        QPushButton* grupEkle = nullptr;
        QPushButton* grupSil = nullptr;
        QPushButton* ekle = nullptr;
        QPushButton* sil = nullptr;
        QPushButton* tümünüGöster = nullptr;
    };
    struct Yerleşim;

    void bölümüKur(Bölüm& bölüm, const DefterTanımı& defter, const Yerleşim& yer);
    void dönemKur();
    void sekmeSırasınıKur();
    Bölüm& bölüm(const DefterTanımı& defter)
    {
        return defter.ad == gelir.defter->ad ? gelir : gider;
    }

    void anaGrupTıklandı(Bölüm& bölüm);
    void altGrupTıklandı(Bölüm& bölüm);
    void listele(Bölüm& bölüm, bool altGrupla);
    void listeyiDoldur(Bölüm& bölüm, bool altGrupla); // throws VeriHatası
    void dönemDeğişti();
    void grupEklemeyiAç(Bölüm& bölüm);
    void grupSil(Bölüm& bölüm);
    void kayıtEklemeyiAç(Bölüm& bölüm);
    void kayıtSil(Bölüm& bölüm);
    void özetiAç(Bölüm& bölüm);

    QDate bugün_;
    Bölüm gelir;
    Bölüm gider;
    QComboBox* YılBilgisiKutusu = nullptr;
    QComboBox* AyBilgisiKutusu = nullptr;
};

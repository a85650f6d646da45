#pragma once

#include "EkstreDuzeni.h"
#include "EkstreTablosu.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QListWidget;

// The choices of how a statement's table is read, each correctable: its header row, the column of
// the date, the description (several may be ticked and are joined), the amount or a debit and a
// credit column, the balance, and "Harcamalar artı" for a card statement. Every change is told by
// degisti() with the whole layout.
class DuzenSecici : public QWidget
{
    Q_OBJECT
public:
    explicit DuzenSecici(QWidget* ust);

    // Offers the table's rows and columns and shows the layout; tells nothing.
    void goster(const EkstreTablosu& tablo, const EkstreDuzeni& duzen);
    EkstreDuzeni duzen() const;

signals:
    void degisti(const EkstreDuzeni& duzen);

private:
    QComboBox* sutunKutusu(const QString& etiket, const QString& ad, int satir, int sutun);
    void baslikSecildi();
    void sutunlariDoldur();

    const EkstreTablosu* tablo = nullptr;
    bool dolduruluyor = false; // the selectors are being filled, not changed by the user
    QComboBox* BaslikSatiriKutusu = nullptr;
    QComboBox* TarihKutusu = nullptr;
    QComboBox* TutarKutusu = nullptr;
    QComboBox* BorcKutusu = nullptr;
    QComboBox* AlacakKutusu = nullptr;
    QComboBox* BakiyeKutusu = nullptr;
    QListWidget* AciklamaListesi = nullptr;
    QCheckBox* HarcamalarArtiKutusu = nullptr;
};

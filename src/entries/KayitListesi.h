#pragma once

#include "ButceVerisi.h"
#include "DefterTanimi.h"

#include <QTreeView>

#include <optional>
#include <vector>

class KayitModeli;

// The main window's list of one ledger's entries: a hidden key column with the entry's Kimlik,
// the groups, the month, the amounts and the realisation ratio. Sortable by any column: numbers
// as numbers, months in calendar order (see KayitModeli). Double-click or Enter on a row asks for
// it to be edited.
class KayitListesi : public QTreeView
{
    Q_OBJECT
public:
    KayitListesi(const DefterTanimi& defterTanimi, QWidget* ust);

    struct Toplam {
        qint64 gerceklesenKurus = 0; // the listed realised amounts as displayed
        int okunamayan = 0;          // amounts listed as missing that are there but unreadable
    };
    // Replaces the rows.
    Toplam doldur(std::vector<ButceVerisi::Kayit> yeniKayitlar);
    // The listed row of the entry with the same Kimlik shows it as given: the list's new total and
    // the entry as it was listed. None, with nothing changed, when the entry is not listed.
    struct Yenilenen {
        Toplam toplam;
        ButceVerisi::Kayit once;
    };
    std::optional<Yenilenen> satiriYenile(const ButceVerisi::Kayit& kayit);
    void bosalt();
    int satirSayisi() const;
    // How much wider than it stands now the list must be for its name columns, sharing the width
    // alike, to show the widest of these names whole.
    int adlaraGerekenEk(const QStringList& anaGruplar, const QStringList& altGruplar) const;

    // The entry of the selected row, whatever the sort.
    std::optional<qint64> seciliKimlik() const;
    // The entries whose realised amount bank movements fed, shown so from the next filling on.
    void hareketlileriBildir(QSet<qint64> kimlikler);
    bool hareketli(qint64 kimlik) const;
    std::optional<ButceVerisi::Kayit> seciliKayit() const;
    // The listed entries in the order the rows stand, as sorted on screen.
    std::vector<ButceVerisi::Kayit> listelenenler() const;
    // Selects the row of the entry, if it is listed.
    void kimligiSec(qint64 kimlik);
    // What the list says while it has no rows because they cannot be read (the shared budget's
    // server out of reach); empty: nothing, the list is empty because the period has no entries.
    void bosMetniYaz(const QString& metin);
    const QString& bosMetin() const { return bosMetin_; }

signals:
    void duzenlemeIstendi();
    void odaklandi();
    void secimDegisti();

protected:
    void keyPressEvent(QKeyEvent* olay) override;
    void focusInEvent(QFocusEvent* olay) override;
    void paintEvent(QPaintEvent* olay) override;

private:
    std::optional<int> seciliSatir() const;
    Toplam toplam() const;

    KayitModeli* model_;
    QString bosMetin_;
};

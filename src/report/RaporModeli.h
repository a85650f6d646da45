#pragma once

#include "DefterTanimi.h"
#include "GrupToplamlari.h"

#include <QAbstractItemModel>
#include <QStringList>

class TabloYazici;

#include <memory>
#include <optional>
#include <vector>

// The period report as a tree: "GELİRLER" and "GİDERLER", each with its main groups and their
// sub-groups, then the balance line. Every line shows the estimate, the realised amount, their
// difference and ratio; a main group and a ledger line sum what is below them. Sorting orders the
// lines within each level of each ledger; the three top lines keep their places.
class RaporModeli : public QAbstractItemModel
{
    Q_OBJECT
public:
    enum Sutun { GrupSutunu, TahminSutunu, GerceklesenSutunu, FarkSutunu, OranSutunu, SutunSayisi };
    enum class Tur { Defter, AnaGrup, AltGrup, Bakiye };

    struct Satir {
        Tur tur = Tur::AltGrup;
        const DefterTanimi* defter = nullptr; // none for the balance
        QString ad;
        bool listede = true; // false: a group the group tables lack, named as its entries name it
        bool bos = false;    // no entry in the period: the figures are left blank
        qint64 tahminKurus = 0;
        qint64 gerceklesenKurus = 0;
        // Something below is realised. Without it the realised amount and the difference are
        // "—": a month not yet lived is no shortfall.
        bool gerceklesenVar = false;
        std::optional<double> oran; // none: no estimate, nothing realised yet, or the balance

        qint64 farkKurus() const { return gerceklesenKurus - tahminKurus; }
        // Subtotals, totals and the balance.
        bool kalin() const { return tur != Tur::AltGrup; }
        // The ratio in the ledger's warning colour: income under plan, expense over it.
        bool uyari() const;
        // The five cells as the tree shows them.
        QStringList hucreler() const;
    };

    // A line of the fully expanded tree in the order shown, with the names above it (the ledger
    // line's caption, then the main group's name).
    struct AcikSatir {
        int duzey = 0;
        QStringList yol;
        const Satir* satir = nullptr;
    };

    explicit RaporModeli(QObject* ust = nullptr);
    ~RaporModeli() override;

    static QStringList basliklar();

    // Replaces the figures with those of both ledgers; groups without an entry in the period are
    // left out unless `boslariGoster`. The sort chosen last stays.
    void doldur(std::vector<GrupToplamlari::AnaGrup> gelirler,
                std::vector<GrupToplamlari::AnaGrup> giderler, bool boslariGoster);
    void boslariGoster(bool goster);

    const Satir* satir(const QModelIndex& yer) const;
    // Amounts left out of the sums as unreadable, over both ledgers.
    qint64 okunamayan() const { return okunamayanSayisi; }
    std::vector<AcikSatir> acikSatirlar() const;
    // The expense main groups with entries, the largest realised sum first, at most `sayi`; the
    // largest estimate first while no expense is realised (tahmineGore()).
    std::vector<const Satir*> enBuyukGiderler(int sayi) const;
    bool tahmineGore() const;
    // A table for spreadsheets on the sheet "Dönem Raporu", fully expanded in the order shown:
    // the ledger, main group and sub-group of each line in columns of their own, then the
    // figures; a blank figure stays an empty cell, and the balance is the total line.
    void tabloyaYaz(TabloYazici& tablo) const;

    QModelIndex index(int satir, int sutun, const QModelIndex& ust = {}) const override;
    QModelIndex parent(const QModelIndex& yer) const override;
    int rowCount(const QModelIndex& ust = {}) const override;
    int columnCount(const QModelIndex& ust = {}) const override;
    QVariant data(const QModelIndex& yer, int rol = Qt::DisplayRole) const override;
    QVariant headerData(int bolum, Qt::Orientation yon, int rol = Qt::DisplayRole) const override;
    void sort(int sutun, Qt::SortOrder sira = Qt::AscendingOrder) override;

private:
    struct Dugum;
    void agaciKur();
    static void sirala(Dugum& dugum, int sutun, Qt::SortOrder yon);
    QModelIndex yeri(const Dugum* dugum, int sutun) const;

    std::vector<GrupToplamlari::AnaGrup> gelirGruplari;
    std::vector<GrupToplamlari::AnaGrup> giderGruplari;
    bool boslar = false;
    int siraSutunu = GrupSutunu;
    Qt::SortOrder siraYonu = Qt::AscendingOrder;
    qint64 okunamayanSayisi = 0;
    std::vector<std::unique_ptr<Dugum>> ustSatirlar;
};

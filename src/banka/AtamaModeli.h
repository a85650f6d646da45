#pragma once

#include "HareketAktarimi.h"

#include <QAbstractTableModel>

#include <vector>

// The movements of a statement and where each goes, for the assigning window: "Tarih",
// "Açıklama", "Tutar", "Defter", "Ana Grup", "Alt Grup", "Kural". The rows not assigned come
// first, then by date; a row assigned by a rule is tinted and names it (with how many rules
// matched, when more than one did: the most specific won).
class AtamaModeli : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Sutun { Tarih, Aciklama, TutarSutunu, Defter, AnaGrup, AltGrup, KuralSutunu, SutunSayisi };

    struct Satir {
        HareketAktarimi::AtanmisHareket atama;
        std::optional<Kural> kural; // the rule that assigned it, until the user changes it
        int eslesenSayisi = 0;
    };

    using QAbstractTableModel::QAbstractTableModel;

    // The rules' assignments, unassigned rows first.
    void doldur(const std::vector<HareketAktarimi::Atama>& atamalar);
    // The rows given assigned by the user; their rules forgotten.
    void ata(const QList<int>& satirlar, const Hedef& hedef);
    // The rows nobody assigned yet matched again (after a rule was learnt); how many it assigned.
    int kurallaAta(const Kurallar::Eslestirici& eslestirici);

    const Satir& satir(int sira) const { return satirlar_[size_t(sira)]; }
    std::vector<HareketAktarimi::AtanmisHareket> atananlar() const;
    // Rows more than one rule matched.
    int cokEslesenSayisi() const;

    int rowCount(const QModelIndex& ust = {}) const override;
    int columnCount(const QModelIndex& ust = {}) const override;
    QVariant data(const QModelIndex& yer, int rol) const override;
    QVariant headerData(int bolum, Qt::Orientation yon, int rol) const override;

private:
    QString kuralMetni(const Satir& s) const;

    std::vector<Satir> satirlar_;
};

#include "AtamaModeli.h"

#include "Bicim.h"
#include "DefterTanimi.h"
#include "Takvim.h"

#include <QBrush>
#include <QColor>

#include <algorithm>

void AtamaModeli::doldur(const std::vector<HareketAktarimi::Atama>& atamalar)
{
    beginResetModel();
    satirlar_.clear();
    satirlar_.reserve(atamalar.size());
    for (const HareketAktarimi::Atama& a : atamalar) {
        Satir s{{a.hareket, std::nullopt}, a.eslesme.kazanan, a.eslesme.eslesenSayisi};
        if (s.kural)
            s.atama.hedef = s.kural->hedef;
        satirlar_.push_back(std::move(s));
    }
    std::stable_sort(satirlar_.begin(), satirlar_.end(), [](const Satir& a, const Satir& b) {
        return !a.atama.hedef && b.atama.hedef;
    });
    endResetModel();
}

void AtamaModeli::ata(const QList<int>& sira, const Hedef& hedef)
{
    for (const int i : sira) {
        Satir& s = satirlar_[size_t(i)];
        s.atama.hedef = hedef;
        s.kural.reset();
        s.eslesenSayisi = 0;
        emit dataChanged(index(i, 0), index(i, SutunSayisi - 1));
    }
}

int AtamaModeli::kurallaAta(const Kurallar::Eslestirici& eslestirici)
{
    int sayi = 0;
    for (size_t i = 0; i < satirlar_.size(); ++i) {
        Satir& s = satirlar_[i];
        if (s.atama.hedef)
            continue;
        const Kurallar::Eslesme e =
            eslestirici.eslestir(s.atama.hareket.aciklama, s.atama.hareket.tutar);
        if (!e.kazanan)
            continue;
        s.kural = e.kazanan;
        s.eslesenSayisi = e.eslesenSayisi;
        s.atama.hedef = e.kazanan->hedef;
        ++sayi;
        emit dataChanged(index(int(i), 0), index(int(i), SutunSayisi - 1));
    }
    return sayi;
}

std::vector<HareketAktarimi::AtanmisHareket> AtamaModeli::atananlar() const
{
    std::vector<HareketAktarimi::AtanmisHareket> sonuc;
    sonuc.reserve(satirlar_.size());
    for (const Satir& s : satirlar_)
        sonuc.push_back(s.atama);
    return sonuc;
}

int AtamaModeli::cokEslesenSayisi() const
{
    return int(std::count_if(satirlar_.begin(), satirlar_.end(),
                             [](const Satir& s) { return s.kural && s.eslesenSayisi > 1; }));
}

int AtamaModeli::rowCount(const QModelIndex& ust) const
{
    return ust.isValid() ? 0 : int(satirlar_.size());
}

int AtamaModeli::columnCount(const QModelIndex& ust) const
{
    return ust.isValid() ? 0 : SutunSayisi;
}

QString AtamaModeli::kuralMetni(const Satir& s) const
{
    if (!s.kural)
        return {};
    QString metin = QStringLiteral("%1 «%2»").arg(Kural::kosulAdi(s.kural->kosul), s.kural->metin);
    if (s.eslesenSayisi > 1)
        metin += QStringLiteral(" (%1 kural eşleşti, en özeli)").arg(s.eslesenSayisi);
    return metin;
}

QVariant AtamaModeli::data(const QModelIndex& yer, int rol) const
{
    if (!yer.isValid())
        return {};
    const Satir& s = satirlar_[size_t(yer.row())];
    const Hareket& h = s.atama.hareket;
    const std::optional<Hedef>& hedef = s.atama.hedef;
    if (rol == Qt::DisplayRole) {
        switch (yer.column()) {
        case Tarih:
            return QStringLiteral("%1 %2 %3")
                .arg(h.tarih.day())
                .arg(Takvim::ayAdlari()[h.tarih.month() - 1])
                .arg(h.tarih.year());
        case Aciklama:
            return h.aciklama;
        case TutarSutunu:
            return Bicim::tutar(h.tutar);
        case Defter:
            return !hedef                ? QString()
                   : hedef->yokSayilir() ? QStringLiteral("Yok say")
                                         : hedef->defter->ad;
        case AnaGrup:
            return hedef ? hedef->anaGrup : QString();
        case AltGrup:
            return hedef ? hedef->altGrup : QString();
        case KuralSutunu:
            return kuralMetni(s);
        }
    }
    if (rol == Qt::ToolTipRole && yer.column() == KuralSutunu && s.kural)
        return s.kural->metni();
    if (rol == Qt::TextAlignmentRole && yer.column() == TutarSutunu)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (rol == Qt::BackgroundRole && s.kural)
        return QBrush(QColor(s.eslesenSayisi > 1 ? 0xfff3d6 : 0xe3efff));
    if (rol == Qt::ForegroundRole && yer.column() == TutarSutunu && h.tutar < 0)
        return QBrush(Qt::darkRed);
    return {};
}

QVariant AtamaModeli::headerData(int bolum, Qt::Orientation yon, int rol) const
{
    if (rol != Qt::DisplayRole)
        return {};
    if (yon == Qt::Vertical)
        return bolum + 1;
    static const QStringList basliklar{QStringLiteral("Tarih"),    QStringLiteral("Açıklama"),
                                       QStringLiteral("Tutar"),    QStringLiteral("Defter"),
                                       QStringLiteral("Ana Grup"), QStringLiteral("Alt Grup"),
                                       QStringLiteral("Kural")};
    return basliklar.value(bolum);
}

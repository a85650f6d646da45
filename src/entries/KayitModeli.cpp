#include "KayitModeli.h"

#include "Bicim.h"
#include "Doldurma.h"
#include "Takvim.h"
#include "TurkceMetin.h"
#include "Tutar.h"

#include <QFont>
#include <QHash>
#include <QIcon>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <numeric>

namespace
{

// The mark of an entry fed by bank movements: a sheet with lines, as a statement.
const QIcon& hareketSimgesi()
{
    static const QIcon simge = [] {
        QPixmap resim(12, 12);
        resim.fill(Qt::transparent);
        QPainter boya(&resim);
        boya.setPen(QColor(0x2a5ea8));
        boya.drawRect(1, 0, 9, 11);
        for (int y = 3; y <= 8; y += 2)
            boya.drawLine(3, y, 8, y);
        return QIcon(resim);
    }();
    return simge;
}

// A missing number sorts first.
template <typename T> int karsilastir(const std::optional<T>& a, const std::optional<T>& b)
{
    if (a.has_value() != b.has_value())
        return a.has_value() ? 1 : -1;
    if (!a)
        return 0;
    return *a < *b ? -1 : *b < *a ? 1 : 0;
}

int karsilastir(const QString& a, const QString& b)
{
    return TurkceMetin::alfabetikOnce(a, b) ? -1 : TurkceMetin::alfabetikOnce(b, a) ? 1 : 0;
}

} // namespace

KayitModeli::KayitModeli(const DefterTanimi& defterTanimi, QObject* ust)
    : QAbstractTableModel(ust), defter(defterTanimi)
{
}

void KayitModeli::kayitlariKoy(std::vector<ButceVerisi::Kayit> yeniKayitlar)
{
    beginResetModel();
    kayitlar_ = std::move(yeniKayitlar);
    // The few spellings of the months are each looked up once.
    QHash<QString, int> ayNumaralari;
    aylar.resize(kayitlar_.size());
    for (size_t i = 0; i < kayitlar_.size(); ++i) {
        auto bulunan = ayNumaralari.find(kayitlar_[i].ay);
        if (bulunan == ayNumaralari.end())
            bulunan = ayNumaralari.insert(kayitlar_[i].ay, Takvim::ayNumarasi(kayitlar_[i].ay));
        aylar[i] = *bulunan;
    }
    sira.resize(kayitlar_.size());
    std::iota(sira.begin(), sira.end(), size_t(0));
    sirala();
    endResetModel();
}

std::optional<ButceVerisi::Kayit> KayitModeli::kayitYenile(const ButceVerisi::Kayit& kayit)
{
    const int satir = satiri(kayit.kimlik);
    if (satir < 0)
        return std::nullopt;
    const size_t yer = sira[size_t(satir)];
    ButceVerisi::Kayit once = std::exchange(kayitlar_[yer], kayit);
    aylar[yer] = Takvim::ayNumarasi(kayit.ay);
    emit dataChanged(index(satir, 0), index(satir, SutunSayisi - 1));
    sort(siraliSutun, siraYonu);
    return once;
}

int KayitModeli::satiri(qint64 kimlik) const
{
    for (size_t satir = 0; satir < sira.size(); ++satir)
        if (kayitlar_[sira[satir]].kimlik == kimlik)
            return int(satir);
    return -1;
}

int KayitModeli::rowCount(const QModelIndex& ust) const
{
    return ust.isValid() ? 0 : int(sira.size());
}

int KayitModeli::columnCount(const QModelIndex& ust) const
{
    return ust.isValid() ? 0 : SutunSayisi;
}

QString KayitModeli::metin(const ButceVerisi::Kayit& kayit, int sutun) const
{
    switch (sutun) {
    case KimlikSutunu:
        return QString::number(kayit.kimlik);
    case AnaGrupSutunu:
        return kayit.anaGrup;
    case AltGrupSutunu:
        return kayit.altGrup;
    case AySutunu:
        return kayit.ay;
    case TahminSutunu:
        return kayit.tahminKurus ? Bicim::tutar(*kayit.tahminKurus) : QString();
    case GerceklesenSutunu:
        return kayit.gerceklesenKurus ? Bicim::tutar(*kayit.gerceklesenKurus) : QString();
    case OranSutunu: {
        const std::optional<double> oran = Tutar::oran(kayit.gerceklesenKurus, kayit.tahminKurus);
        return oran ? Bicim::yuzde(*oran) : Bicim::eksikOran;
    }
    default:
        return {};
    }
}

QVariant KayitModeli::data(const QModelIndex& yer, int rol) const
{
    if (!yer.isValid() || yer.row() >= rowCount())
        return {};
    const ButceVerisi::Kayit& kayit = satirdaki(yer.row());
    // Dark red and bold (for colour-blind eyes) where the ledger warns of the ratio.
    const auto uyari = [&] {
        return yer.column() == OranSutunu &&
               Doldurma::oranUyaridir(defter,
                                      Tutar::oran(kayit.gerceklesenKurus, kayit.tahminKurus));
    };
    const bool hareketten = yer.column() == GerceklesenSutunu && hareketli(kayit.kimlik);
    switch (rol) {
    case Qt::DisplayRole:
        return metin(kayit, yer.column());
    case Qt::DecorationRole:
        return hareketten ? QVariant(hareketSimgesi()) : QVariant();
    case Qt::ToolTipRole:
        return hareketten ? QVariant(QStringLiteral("Banka hareketlerinden (Hareketleri Göster…)"))
                          : QVariant();
    case Qt::TextAlignmentRole:
        return headerData(yer.column(), Qt::Horizontal, rol);
    case Qt::ForegroundRole:
        return uyari() ? QVariant(Doldurma::uyariRengi) : QVariant();
    case Qt::FontRole: {
        if (!uyari())
            return {};
        QFont kalin;
        kalin.setBold(true);
        return kalin;
    }
    default:
        return {};
    }
}

QVariant KayitModeli::headerData(int bolum, Qt::Orientation yon, int rol) const
{
    if (yon != Qt::Horizontal)
        return {};
    if (rol == Qt::TextAlignmentRole)
        return QVariant::fromValue((bolum >= TahminSutunu ? Qt::AlignRight : Qt::AlignLeft) |
                                   Qt::AlignVCenter);
    if (rol != Qt::DisplayRole)
        return {};
    switch (bolum) {
    case AnaGrupSutunu:
        return QStringLiteral("Ana Grup");
    case AltGrupSutunu:
        return QStringLiteral("Alt Grup");
    case AySutunu:
        return QStringLiteral("Ay");
    case TahminSutunu:
        return defter.tahminSutunu;
    case GerceklesenSutunu:
        return defter.gerceklesenSutunu;
    case OranSutunu:
        return QStringLiteral("Oran (%)");
    default:
        return QString();
    }
}

bool KayitModeli::once(size_t a, size_t b) const
{
    const ButceVerisi::Kayit& x = kayitlar_[a];
    const ButceVerisi::Kayit& y = kayitlar_[b];
    int fark = 0;
    switch (siraliSutun) {
    case AnaGrupSutunu:
        fark = karsilastir(x.anaGrup, y.anaGrup);
        break;
    case AltGrupSutunu:
        fark = karsilastir(x.altGrup, y.altGrup);
        break;
    case AySutunu:
        fark = aylar[a] - aylar[b];
        break;
    case TahminSutunu:
        fark = karsilastir(x.tahminKurus, y.tahminKurus);
        break;
    case GerceklesenSutunu:
        fark = karsilastir(x.gerceklesenKurus, y.gerceklesenKurus);
        break;
    case OranSutunu:
        fark = karsilastir(Tutar::oran(x.gerceklesenKurus, x.tahminKurus),
                           Tutar::oran(y.gerceklesenKurus, y.tahminKurus));
        break;
    default:
        break;
    }
    return fark != 0 ? fark < 0 : x.kimlik < y.kimlik;
}

void KayitModeli::sirala()
{
    // Descending is the ascending order reversed, the Kimlik order of equal rows included.
    if (siraYonu == Qt::AscendingOrder)
        std::sort(sira.begin(), sira.end(), [this](size_t a, size_t b) { return once(a, b); });
    else
        std::sort(sira.begin(), sira.end(), [this](size_t a, size_t b) { return once(b, a); });
}

void KayitModeli::sort(int sutun, Qt::SortOrder yon)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // The selection and the current row follow their entries.
    const QModelIndexList eskiYerler = persistentIndexList();
    std::vector<size_t> eskiKayitlar;
    eskiKayitlar.reserve(size_t(eskiYerler.size()));
    for (const QModelIndex& yer : eskiYerler)
        eskiKayitlar.push_back(sira[size_t(yer.row())]);
    siraliSutun = sutun;
    siraYonu = yon;
    sirala();
    std::vector<int> satirlari(sira.size());
    for (size_t satir = 0; satir < sira.size(); ++satir)
        satirlari[sira[satir]] = int(satir);
    QModelIndexList yeniYerler;
    yeniYerler.reserve(eskiYerler.size());
    for (qsizetype i = 0; i < eskiYerler.size(); ++i)
        yeniYerler << index(satirlari[eskiKayitlar[size_t(i)]], eskiYerler[i].column());
    changePersistentIndexList(eskiYerler, yeniYerler);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

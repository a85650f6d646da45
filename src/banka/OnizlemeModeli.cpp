#include "OnizlemeModeli.h"

#include "Bicim.h"
#include "EkstreSayilari.h"

#include <QColor>
#include <QFont>

void OnizlemeModeli::goster(const EkstreTablosu* yeniTablo, const EkstreDuzeni* yeniDuzen,
                            const EkstreCozumu* yeniCozum)
{
    beginResetModel();
    tablo = yeniTablo;
    duzen = yeniDuzen;
    cozum = yeniCozum;
    sutunlar = tablo ? tablo->sutunSayisi() : 0;
    endResetModel();
}

int OnizlemeModeli::rowCount(const QModelIndex& ust) const
{
    return ust.isValid() || !tablo ? 0 : int(tablo->satirlar.size());
}

int OnizlemeModeli::columnCount(const QModelIndex& ust) const
{
    return ust.isValid() ? 0 : sutunlar;
}

QString OnizlemeModeli::sutunHarfi(int sutun)
{
    QString harf;
    for (int n = sutun + 1; n > 0; n = (n - 1) / 26)
        harf.prepend(QChar(u'A' + (n - 1) % 26));
    return harf;
}

QString OnizlemeModeli::hucreMetni(const Hucre& h, int sutun) const
{
    switch (h.tur) {
    case Hucre::Tur::Sayi:
        // A number in an amount's column, or with a fraction, is shown as an amount; another
        // whole number (a receipt's) as it is.
        if (h.metin.contains(u'.') || h.metin.contains(u'e', Qt::CaseInsensitive) ||
            sutun == duzen->tutar || sutun == duzen->borc || sutun == duzen->alacak ||
            sutun == duzen->bakiye)
            if (const auto kurus = EkstreSayilari::sayiKurusu(h.metin))
                return Bicim::tutar(*kurus);
        return h.metin;
    case Hucre::Tur::Tarih:
        if (const auto tarih = EkstreSayilari::tarih(h.metin))
            return tarih->toString(QStringLiteral("dd.MM.yyyy")) +
                   h.metin.mid(10).replace(u'T', u' ');
        return h.metin;
    default:
        return h.metin;
    }
}

QVariant OnizlemeModeli::data(const QModelIndex& yer, int rol) const
{
    if (!tablo || !yer.isValid())
        return {};
    const TabloSatiri& satir = tablo->satirlar.at(yer.row());
    const Hucre hucre = satir.hucreler.value(yer.column());
    const EkstreCozumu::Satir tur = cozum->satirlar.value(yer.row(), EkstreCozumu::Satir::Disarida);
    switch (rol) {
    case Qt::DisplayRole:
        return hucreMetni(hucre, yer.column());
    case Qt::TextAlignmentRole:
        return hucre.tur == Hucre::Tur::Sayi ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                             : QVariant();
    case Qt::ForegroundRole:
        if (tur == EkstreCozumu::Satir::Disarida)
            return QColor(Qt::gray);
        return tur == EkstreCozumu::Satir::Okunamadi ? QVariant(QColor(Qt::darkRed)) : QVariant();
    case Qt::FontRole:
        if (tur == EkstreCozumu::Satir::Baslik) {
            QFont kalin;
            kalin.setBold(true);
            return kalin;
        }
        return {};
    case Qt::ToolTipRole:
        if (tur == EkstreCozumu::Satir::Okunamadi)
            return cozum->sorunlar.value(yer.row());
        return tur == EkstreCozumu::Satir::Disarida
                   ? QVariant(QStringLiteral("Tablonun dışında: hareket olarak alınmaz."))
                   : QVariant();
    default:
        return {};
    }
}

QString OnizlemeModeli::sutunRolu(int sutun) const
{
    if (sutun == duzen->tarih)
        return QStringLiteral("Tarih");
    if (duzen->aciklama.contains(sutun))
        return QStringLiteral("Açıklama");
    if (sutun == duzen->tutar)
        return QStringLiteral("Tutar");
    if (sutun == duzen->borc)
        return QStringLiteral("Borç");
    if (sutun == duzen->alacak)
        return QStringLiteral("Alacak");
    return sutun == duzen->bakiye ? QStringLiteral("Bakiye") : QString();
}

QVariant OnizlemeModeli::headerData(int bolum, Qt::Orientation yon, int rol) const
{
    if (rol != Qt::DisplayRole || !tablo)
        return QAbstractTableModel::headerData(bolum, yon, rol);
    if (yon == Qt::Vertical) {
        const qint64 no = tablo->satirlar.value(bolum).no;
        return no > 0 ? QString::number(no) : QStringLiteral("—");
    }
    const QString rolu = sutunRolu(bolum);
    return rolu.isEmpty() ? sutunHarfi(bolum) : sutunHarfi(bolum) + QStringLiteral(" · ") + rolu;
}

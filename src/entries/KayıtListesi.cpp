#include "KayıtListesi.h"

#include "Biçim.h"
#include "TürkçeMetin.h"

#include <QHeaderView>

namespace
{

enum Sütun {
    KimlikSütunu,
    AnaGrupSütunu,
    AltGrupSütunu,
    TahminSütunu,
    GerçekleşenSütunu,
    OranSütunu
};

// The sort key of a cell: numeric columns keep their number, a missing one sorts first.
constexpr int sıralamaRolü = Qt::UserRole;

class KayıtSatırı : public QTreeWidgetItem
{
public:
    using QTreeWidgetItem::QTreeWidgetItem;

    bool operator<(const QTreeWidgetItem& öteki) const override
    {
        const int sütun = treeWidget() ? treeWidget()->sortColumn() : 0;
        const QVariant a = data(sütun, sıralamaRolü);
        const QVariant b = öteki.data(sütun, sıralamaRolü);
        if (a.isValid() || b.isValid()) {
            if (a.isValid() != b.isValid())
                return !a.isValid();
            return a.toDouble() < b.toDouble();
        }
        return TürkçeMetin::alfabetikÖnce(text(sütun), öteki.text(sütun));
    }
};

void sayıYaz(QTreeWidgetItem* satır, int sütun, const QString& metin, const QVariant& değer)
{
    satır->setText(sütun, metin);
    satır->setData(sütun, sıralamaRolü, değer);
    satır->setTextAlignment(sütun, Qt::AlignRight | Qt::AlignVCenter);
}

} // namespace

KayıtListesi::KayıtListesi(const DefterTanımı& defter, QWidget* üst)
    : QTreeWidget(üst), defter(defter)
{
    setObjectName(defter.adıyla("%1lerListesi"));
    setAccessibleName(defter.listeEtiketi);
    setColumnCount(6);
    setHeaderLabels({QString(), QStringLiteral("Ana Grup"), QStringLiteral("Alt Grup"),
                     defter.tahminSütunu, defter.gerçekleşenSütunu, QStringLiteral("Oran (%)")});
    const int genişlikler[] = {0, 1600, 1600, 1500, 1600, 1000};
    for (int sütun = 0; sütun < 6; ++sütun)
        setColumnWidth(sütun, Biçim::twip(genişlikler[sütun]));
    for (int sütun = TahminSütunu; sütun <= OranSütunu; ++sütun)
        headerItem()->setTextAlignment(sütun, Qt::AlignRight | Qt::AlignVCenter);
    setColumnHidden(KimlikSütunu, true);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(true);
    sortByColumn(KimlikSütunu, Qt::AscendingOrder);
}

qint64 KayıtListesi::doldur(const std::vector<BütçeVerisi::Kayıt>& kayıtlar)
{
    setSortingEnabled(false);
    clear();
    qint64 toplam = 0;
    QList<QTreeWidgetItem*> satırlar;
    satırlar.reserve(qsizetype(kayıtlar.size()));
    for (const BütçeVerisi::Kayıt& kayıt : kayıtlar) {
        auto* satır = new KayıtSatırı;
        sayıYaz(satır, KimlikSütunu, QString::number(kayıt.kimlik), kayıt.kimlik);
        satır->setText(AnaGrupSütunu, kayıt.anaGrup);
        satır->setText(AltGrupSütunu, kayıt.altGrup);
        std::optional<qint64> tahmin, gerçekleşen;
        if (kayıt.tahmin) {
            tahmin = Biçim::kuruşa(*kayıt.tahmin);
            sayıYaz(satır, TahminSütunu, Biçim::tutar(*tahmin), double(*tahmin));
        }
        if (kayıt.gerçekleşen) {
            gerçekleşen = Biçim::kuruşa(*kayıt.gerçekleşen);
            sayıYaz(satır, GerçekleşenSütunu, Biçim::tutar(*gerçekleşen), double(*gerçekleşen));
            toplam += *gerçekleşen;
        }
        const std::optional<double> oran =
            tahmin && gerçekleşen ? Biçim::oran(*gerçekleşen, *tahmin) : std::nullopt;
        sayıYaz(satır, OranSütunu, oran ? Biçim::yüzde(*oran) : Biçim::eksikOran,
                oran ? QVariant(*oran) : QVariant());
        if (oran && (defter.yüksekOranUyarıdır ? *oran > 100.0 : *oran < 100.0)) {
            // A dark red stays readable on the default light background; bold for colour-blind
            // eyes.
            satır->setForeground(OranSütunu, QColor(0xB0, 0x00, 0x20));
            QFont kalın = font();
            kalın.setBold(true);
            satır->setFont(OranSütunu, kalın);
        }
        satırlar.append(satır);
    }
    addTopLevelItems(satırlar);
    setSortingEnabled(true);
    return toplam;
}

std::optional<qint64> KayıtListesi::seçiliKimlik() const
{
    const QList<QTreeWidgetItem*> seçili = selectedItems();
    if (seçili.isEmpty())
        return std::nullopt;
    bool sayı = false;
    const qint64 kimlik = seçili.first()->text(KimlikSütunu).toLongLong(&sayı);
    return sayı ? std::optional(kimlik) : std::nullopt;
}

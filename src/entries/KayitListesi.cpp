#include "KayitListesi.h"

#include "Bicim.h"
#include "Doldurma.h"
#include "TurkceMetin.h"

#include <QHeaderView>

namespace
{

enum Sutun {
    KimlikSutunu,
    AnaGrupSutunu,
    AltGrupSutunu,
    TahminSutunu,
    GerceklesenSutunu,
    OranSutunu
};

// The sort key of a cell: numeric columns keep their number, a missing one sorts first.
constexpr int siralamaRolu = Qt::UserRole;

class KayitSatiri : public QTreeWidgetItem
{
public:
    using QTreeWidgetItem::QTreeWidgetItem;

    bool operator<(const QTreeWidgetItem& oteki) const override
    {
        const int sutun = treeWidget() ? treeWidget()->sortColumn() : 0;
        const QVariant a = data(sutun, siralamaRolu);
        const QVariant b = oteki.data(sutun, siralamaRolu);
        if (a.isValid() || b.isValid()) {
            if (a.isValid() != b.isValid())
                return !a.isValid();
            return a.toDouble() < b.toDouble();
        }
        return TurkceMetin::alfabetikOnce(text(sutun), oteki.text(sutun));
    }
};

void sayiYaz(QTreeWidgetItem* satir, int sutun, const QString& metin, const QVariant& deger)
{
    satir->setText(sutun, metin);
    satir->setData(sutun, siralamaRolu, deger);
    satir->setTextAlignment(sutun, Qt::AlignRight | Qt::AlignVCenter);
}

} // namespace

KayitListesi::KayitListesi(const DefterTanimi& defter, QWidget* ust)
    : QTreeWidget(ust), defter(defter)
{
    setObjectName(defter.adiyla("%1lerListesi"));
    setAccessibleName(defter.listeEtiketi);
    setColumnCount(6);
    setHeaderLabels({QString(), QStringLiteral("Ana Grup"), QStringLiteral("Alt Grup"),
                     defter.tahminSutunu, defter.gerceklesenSutunu, QStringLiteral("Oran (%)")});
    const int genislikler[] = {0, 1600, 1600, 1500, 1600, 1000};
    for (int sutun = 0; sutun < 6; ++sutun)
        setColumnWidth(sutun, Bicim::twip(genislikler[sutun]));
    for (int sutun = TahminSutunu; sutun <= OranSutunu; ++sutun)
        headerItem()->setTextAlignment(sutun, Qt::AlignRight | Qt::AlignVCenter);
    setColumnHidden(KimlikSutunu, true);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(true);
    sortByColumn(KimlikSutunu, Qt::AscendingOrder);
}

qint64 KayitListesi::doldur(const std::vector<ButceVerisi::Kayit>& kayitlar)
{
    setSortingEnabled(false);
    clear();
    qint64 toplam = 0;
    QList<QTreeWidgetItem*> satirlar;
    satirlar.reserve(qsizetype(kayitlar.size()));
    for (const ButceVerisi::Kayit& kayit : kayitlar) {
        auto* satir = new KayitSatiri;
        sayiYaz(satir, KimlikSutunu, QString::number(kayit.kimlik), kayit.kimlik);
        satir->setText(AnaGrupSutunu, kayit.anaGrup);
        satir->setText(AltGrupSutunu, kayit.altGrup);
        std::optional<qint64> tahmin, gerceklesen;
        if (kayit.tahmin) {
            tahmin = Bicim::kurusa(*kayit.tahmin);
            sayiYaz(satir, TahminSutunu, Bicim::tutar(*tahmin), double(*tahmin));
        }
        if (kayit.gerceklesen) {
            gerceklesen = Bicim::kurusa(*kayit.gerceklesen);
            sayiYaz(satir, GerceklesenSutunu, Bicim::tutar(*gerceklesen), double(*gerceklesen));
            toplam += *gerceklesen;
        }
        const std::optional<double> oran =
            tahmin && gerceklesen ? Bicim::oran(*gerceklesen, *tahmin) : std::nullopt;
        sayiYaz(satir, OranSutunu, oran ? Bicim::yuzde(*oran) : Bicim::eksikOran,
                oran ? QVariant(*oran) : QVariant());
        Doldurma::oranUyarisi(satir, OranSutunu, defter, oran);
        satirlar.append(satir);
    }
    addTopLevelItems(satirlar);
    setSortingEnabled(true);
    return toplam;
}

std::optional<qint64> KayitListesi::seciliKimlik() const
{
    const QList<QTreeWidgetItem*> secili = selectedItems();
    if (secili.isEmpty())
        return std::nullopt;
    bool sayi = false;
    const qint64 kimlik = secili.first()->text(KimlikSutunu).toLongLong(&sayi);
    return sayi ? std::optional(kimlik) : std::nullopt;
}

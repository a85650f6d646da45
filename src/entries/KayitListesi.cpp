#include "KayitListesi.h"

#include "Bicim.h"
#include "Denetim.h"
#include "Doldurma.h"
#include "Takvim.h"
#include "TurkceMetin.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>

namespace
{

enum Sutun {
    KimlikSutunu,
    AnaGrupSutunu,
    AltGrupSutunu,
    AySutunu,
    TahminSutunu,
    GerceklesenSutunu,
    OranSutunu
};

// The sort key of a cell: numeric columns keep their number, a missing one sorts first.
constexpr int siralamaRolu = Qt::UserRole;
// On the key column: where the row's entry stands in the list's copy of the entries.
constexpr int sirasiRolu = Qt::UserRole + 1;

// Whether row `a` sorts before row `b` in the column.
bool once(const QTreeWidgetItem& a, const QTreeWidgetItem& b, int sutun)
{
    const QVariant x = a.data(sutun, siralamaRolu);
    const QVariant y = b.data(sutun, siralamaRolu);
    if (x.isValid() || y.isValid()) {
        if (x.isValid() != y.isValid())
            return !x.isValid();
        return x.toDouble() < y.toDouble();
    }
    return TurkceMetin::alfabetikOnce(a.text(sutun), b.text(sutun));
}

class KayitSatiri : public QTreeWidgetItem
{
public:
    using QTreeWidgetItem::QTreeWidgetItem;

    // Rows equal in the sorted column keep their entry order.
    bool operator<(const QTreeWidgetItem& oteki) const override
    {
        const int sutun = treeWidget() ? treeWidget()->sortColumn() : 0;
        return once(*this, oteki, sutun) ||
               (!once(oteki, *this, sutun) && once(*this, oteki, KimlikSutunu));
    }
};

void sayiYaz(QTreeWidgetItem* satir, int sutun, const QString& metin, const QVariant& deger)
{
    satir->setText(sutun, metin);
    satir->setData(sutun, siralamaRolu, deger);
    satir->setTextAlignment(sutun, Qt::AlignRight | Qt::AlignVCenter);
}

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

} // namespace

KayitListesi::KayitListesi(const DefterTanimi& defterTanimi, QWidget* ust)
    : QTreeWidget(ust), defter(defterTanimi)
{
    setObjectName(defter.adiyla("%1lerListesi"));
    setAccessibleName(defter.listeEtiketi);
    // Beside a scroll bar every column fits the list: the figures' captions whole, the groups
    // with what is left (a longer name shows whole in a tooltip).
    Denetim::sutunlar(this,
                      {QString(), QStringLiteral("Ana Grup"), QStringLiteral("Alt Grup"),
                       QStringLiteral("Ay"), defter.tahminSutunu, defter.gerceklesenSutunu,
                       QStringLiteral("Oran (%)")},
                      {0, 1125, 1125, 840, 1470, 1920, 1080});
    // A wider list widens the main group; the sub-group keeps the width the user gives it.
    Denetim::adSutunlariEsner(this, {AnaGrupSutunu});
    for (int sutun = TahminSutunu; sutun <= OranSutunu; ++sutun)
        headerItem()->setTextAlignment(sutun, Qt::AlignRight | Qt::AlignVCenter);
    setColumnHidden(KimlikSutunu, true);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Months in calendar order, each in entry order.
    setSortingEnabled(true);
    sortByColumn(AySutunu, Qt::AscendingOrder);
    connect(this, &QTreeWidget::itemDoubleClicked, this, [this] { emit duzenlemeIstendi(); });
}

KayitListesi::Toplam KayitListesi::doldur(const std::vector<ButceVerisi::Kayit>& yeniKayitlar)
{
    setSortingEnabled(false);
    clear();
    kayitlar = yeniKayitlar;
    QList<QTreeWidgetItem*> satirlar;
    satirlar.reserve(qsizetype(kayitlar.size()));
    for (size_t sira = 0; sira < kayitlar.size(); ++sira) {
        auto* satir = new KayitSatiri;
        satir->setData(KimlikSutunu, sirasiRolu, qulonglong(sira));
        satiriYaz(satir, kayitlar[sira]);
        satirlar.append(satir);
    }
    addTopLevelItems(satirlar);
    setSortingEnabled(true);
    return toplam();
}

std::optional<KayitListesi::Yenilenen>
KayitListesi::satiriYenile(const ButceVerisi::Kayit& kayit)
{
    QTreeWidgetItem* satir =
        findItems(QString::number(kayit.kimlik), Qt::MatchExactly, KimlikSutunu).value(0);
    if (!satir)
        return std::nullopt;
    ButceVerisi::Kayit& listelenen = kayitlar.at(satir->data(KimlikSutunu, sirasiRolu).toULongLong());
    ButceVerisi::Kayit once = std::exchange(listelenen, kayit);
    satiriYaz(satir, kayit);
    return Yenilenen{toplam(), std::move(once)};
}

void KayitListesi::satiriYaz(QTreeWidgetItem* satir, const ButceVerisi::Kayit& kayit) const
{
    sayiYaz(satir, KimlikSutunu, QString::number(kayit.kimlik), kayit.kimlik);
    satir->setText(AnaGrupSutunu, kayit.anaGrup);
    satir->setText(AltGrupSutunu, kayit.altGrup);
    // Calendar order; a text that names no month sorts first.
    const int ay = Takvim::ayNumarasi(kayit.ay);
    satir->setText(AySutunu, kayit.ay);
    satir->setData(AySutunu, siralamaRolu, ay > 0 ? QVariant(ay) : QVariant());
    const std::optional<qint64> tahmin = kayit.tahminKurus;
    const std::optional<qint64> gerceklesen = kayit.gerceklesenKurus;
    for (const auto& [sutun, tutar] :
         {std::pair(TahminSutunu, tahmin), std::pair(GerceklesenSutunu, gerceklesen)}) {
        if (tutar)
            sayiYaz(satir, sutun, Bicim::tutar(*tutar), *tutar);
        else
            sayiYaz(satir, sutun, QString(), QVariant());
    }
    const bool hareketten = hareketli(kayit.kimlik);
    satir->setIcon(GerceklesenSutunu, hareketten ? hareketSimgesi() : QIcon());
    satir->setToolTip(GerceklesenSutunu,
                      hareketten ? QStringLiteral("Banka hareketlerinden (Hareketleri Göster…)")
                                 : QString());
    const std::optional<double> oran = Tutar::oran(gerceklesen, tahmin);
    sayiYaz(satir, OranSutunu, oran ? Bicim::yuzde(*oran) : Bicim::eksikOran,
            oran ? QVariant(*oran) : QVariant());
    // A row shown again may have been a warning before.
    satir->setData(OranSutunu, Qt::ForegroundRole, QVariant());
    satir->setData(OranSutunu, Qt::FontRole, QVariant());
    Doldurma::oranUyarisi(satir, OranSutunu, defter, oran);
}

KayitListesi::Toplam KayitListesi::toplam() const
{
    Toplam sonuc;
    for (const ButceVerisi::Kayit& kayit : kayitlar) {
        if (kayit.gerceklesenKurus)
            sonuc.gerceklesenKurus = Tutar::topla(sonuc.gerceklesenKurus, *kayit.gerceklesenKurus);
        sonuc.okunamayan += kayit.okunamayan;
    }
    return sonuc;
}

void KayitListesi::bosalt()
{
    clear();
    kayitlar.clear();
}

std::optional<ButceVerisi::Kayit> KayitListesi::seciliKayit() const
{
    const QList<QTreeWidgetItem*> secili = selectedItems();
    if (secili.isEmpty())
        return std::nullopt;
    return kayitlar.at(secili.first()->data(KimlikSutunu, sirasiRolu).toULongLong());
}

std::vector<ButceVerisi::Kayit> KayitListesi::listelenenler() const
{
    std::vector<ButceVerisi::Kayit> sonuc;
    sonuc.reserve(kayitlar.size());
    for (int i = 0; i < topLevelItemCount(); ++i)
        sonuc.push_back(kayitlar.at(topLevelItem(i)->data(KimlikSutunu, sirasiRolu).toULongLong()));
    return sonuc;
}

void KayitListesi::kimligiSec(qint64 kimlik)
{
    const QList<QTreeWidgetItem*> bulunan =
        findItems(QString::number(kimlik), Qt::MatchExactly, KimlikSutunu);
    if (!bulunan.isEmpty())
        setCurrentItem(bulunan.first());
}

void KayitListesi::keyPressEvent(QKeyEvent* olay)
{
    if ((olay->key() == Qt::Key_Return || olay->key() == Qt::Key_Enter) &&
        !selectedItems().isEmpty()) {
        emit duzenlemeIstendi();
        return;
    }
    QTreeWidget::keyPressEvent(olay);
}

void KayitListesi::focusInEvent(QFocusEvent* olay)
{
    QTreeWidget::focusInEvent(olay);
    emit odaklandi();
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

void KayitListesi::bosMetniYaz(const QString& metin)
{
    bosMetin_ = metin;
    setAccessibleDescription(metin);
    viewport()->update();
}

void KayitListesi::paintEvent(QPaintEvent* olay)
{
    QTreeWidget::paintEvent(olay);
    if (bosMetin_.isEmpty() || topLevelItemCount() > 0)
        return;
    QPainter boya(viewport());
    boya.setPen(palette().color(QPalette::PlaceholderText));
    boya.drawText(viewport()->rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap,
                  bosMetin_);
}

#include "KayitListesi.h"

#include "Denetim.h"
#include "KayitModeli.h"
#include "Tutar.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>

#include <algorithm>

KayitListesi::KayitListesi(const DefterTanimi& defterTanimi, QWidget* ust)
    : QTreeView(ust), model_(new KayitModeli(defterTanimi, this))
{
    setModel(model_);
    setObjectName(defterTanimi.adiyla("%1lerListesi"));
    setAccessibleName(defterTanimi.listeEtiketi);
    setColumnHidden(KayitModeli::KimlikSutunu, true);
    // Beside a scroll bar every column fits the list: the figures' captions whole, the groups
    // with what is left (a longer name shows whole in a tooltip).
    Denetim::sutunlar(this, {0, 1125, 1125, 840, 1470, 1920, 1080});
    // A wider list widens the group names; every column keeps the width the user gives it.
    Denetim::adSutunlariEsner(this, {KayitModeli::AnaGrupSutunu, KayitModeli::AltGrupSutunu});
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    // Entries are changed in the edit dialog, never in a cell.
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Months in calendar order, each in entry order.
    header()->setSortIndicator(KayitModeli::AySutunu, Qt::AscendingOrder);
    setSortingEnabled(true);
    connect(this, &QTreeView::doubleClicked, this, [this] { emit duzenlemeIstendi(); });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &KayitListesi::secimDegisti);
}

KayitListesi::Toplam KayitListesi::doldur(std::vector<ButceVerisi::Kayit> yeniKayitlar)
{
    // Told, as a cleared selection always is: the commands on the selected entry go grey.
    selectionModel()->clear();
    model_->kayitlariKoy(std::move(yeniKayitlar));
    return toplam();
}

std::optional<KayitListesi::Yenilenen> KayitListesi::satiriYenile(const ButceVerisi::Kayit& kayit)
{
    std::optional<ButceVerisi::Kayit> once = model_->kayitYenile(kayit);
    if (!once)
        return std::nullopt;
    return Yenilenen{toplam(), std::move(*once)};
}

int KayitListesi::adlaraGerekenEk(const QStringList& anaGruplar,
                                  const QStringList& altGruplar) const
{
    int enGenisAd = 0;
    for (const QStringList* adlar : {&anaGruplar, &altGruplar})
        for (const QString& ad : *adlar)
            enGenisAd = std::max(enGenisAd, fontMetrics().horizontalAdvance(ad));
    // A cell's text stands within the style's focus frame margin on either side.
    const int kenar = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    // The columns as they fit beside a scroll bar (see the constructor).
    int adlaraKalan =
        width() - 2 * frameWidth() - style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    for (int sutun = 0; sutun < model_->columnCount(); ++sutun)
        if (sutun != KayitModeli::AnaGrupSutunu && sutun != KayitModeli::AltGrupSutunu &&
            !isColumnHidden(sutun))
            adlaraKalan -= columnWidth(sutun);
    return std::max(0, 2 * (enGenisAd + 2 * kenar) - adlaraKalan);
}

KayitListesi::Toplam KayitListesi::toplam() const
{
    Toplam sonuc;
    for (const ButceVerisi::Kayit& kayit : model_->kayitlar()) {
        if (kayit.gerceklesenKurus)
            sonuc.gerceklesenKurus = Tutar::topla(sonuc.gerceklesenKurus, *kayit.gerceklesenKurus);
        sonuc.okunamayan += kayit.okunamayan;
    }
    return sonuc;
}

void KayitListesi::bosalt()
{
    doldur({});
}

int KayitListesi::satirSayisi() const
{
    return model_->rowCount();
}

std::optional<int> KayitListesi::seciliSatir() const
{
    const QModelIndexList secili = selectionModel()->selectedRows();
    if (secili.isEmpty())
        return std::nullopt;
    return secili.first().row();
}

void KayitListesi::hareketlileriBildir(QSet<qint64> kimlikler)
{
    model_->hareketlileriBildir(std::move(kimlikler));
}

bool KayitListesi::hareketli(qint64 kimlik) const
{
    return model_->hareketli(kimlik);
}

std::optional<qint64> KayitListesi::seciliKimlik() const
{
    const std::optional<int> satir = seciliSatir();
    return satir ? std::optional(model_->satirdaki(*satir).kimlik) : std::nullopt;
}

std::optional<ButceVerisi::Kayit> KayitListesi::seciliKayit() const
{
    const std::optional<int> satir = seciliSatir();
    return satir ? std::optional(model_->satirdaki(*satir)) : std::nullopt;
}

std::vector<ButceVerisi::Kayit> KayitListesi::listelenenler() const
{
    std::vector<ButceVerisi::Kayit> sonuc;
    sonuc.reserve(model_->kayitlar().size());
    for (int satir = 0; satir < model_->rowCount(); ++satir)
        sonuc.push_back(model_->satirdaki(satir));
    return sonuc;
}

void KayitListesi::kimligiSec(qint64 kimlik)
{
    if (const int satir = model_->satiri(kimlik); satir >= 0)
        setCurrentIndex(model_->index(satir, KayitModeli::AnaGrupSutunu));
}

void KayitListesi::keyPressEvent(QKeyEvent* olay)
{
    if ((olay->key() == Qt::Key_Return || olay->key() == Qt::Key_Enter) && seciliSatir()) {
        emit duzenlemeIstendi();
        return;
    }
    QTreeView::keyPressEvent(olay);
}

void KayitListesi::focusInEvent(QFocusEvent* olay)
{
    QTreeView::focusInEvent(olay);
    emit odaklandi();
}

void KayitListesi::bosMetniYaz(const QString& metin)
{
    bosMetin_ = metin;
    setAccessibleDescription(metin);
    viewport()->update();
}

void KayitListesi::paintEvent(QPaintEvent* olay)
{
    QTreeView::paintEvent(olay);
    if (bosMetin_.isEmpty() || model_->rowCount() > 0)
        return;
    QPainter boya(viewport());
    boya.setPen(palette().color(QPalette::PlaceholderText));
    boya.drawText(viewport()->rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap,
                  bosMetin_);
}

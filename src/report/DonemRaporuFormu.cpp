#include "DonemRaporuFormu.h"

#include "Bicim.h"
#include "ButceVerisi.h"
#include "Denetim.h"
#include "GrupToplamlari.h"
#include "MesajKutusu.h"
#include "PencereDuzeni.h"
#include "RaporGrafigi.h"
#include "RaporModeli.h"
#include "Takvim.h"

#include <QApplication>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <QVBoxLayout>

#include <set>

namespace
{

// Rows as tall as the view's own font needs, bold or not: in some fonts the bold marks above
// capitals need less room than the regular ones, and the totals come first.
class SatirYuksekligi : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& secenek, const QModelIndex& yer) const override
    {
        QStyleOptionViewItem duz(secenek);
        initStyleOption(&duz, yer);
        duz.font = secenek.font;
        const QStyle* stil = secenek.widget ? secenek.widget->style() : QApplication::style();
        return stil->sizeFromContents(QStyle::CT_ItemViewItem, &duz, QSize(), secenek.widget)
            .expandedTo(QStyledItemDelegate::sizeHint(secenek, yer));
    }
};

QComboBox* kutu(QWidget* ust, QHBoxLayout* satir, const QString& etiket, const QString& ad)
{
    auto* yazi = new QLabel(etiket, ust);
    yazi->setMinimumWidth(Denetim::gerekenGenislik(yazi, etiket));
    auto* kutu = new QComboBox(ust);
    kutu->setObjectName(ad);
    kutu->setAccessibleName(etiket);
    yazi->setBuddy(kutu);
    satir->addWidget(yazi);
    satir->addWidget(kutu);
    return kutu;
}

} // namespace

DonemRaporuFormu::DonemRaporuFormu(const Donem& donem, QWidget* sahibi) : BelgePenceresi(sahibi)
{
    setObjectName(QStringLiteral("DonemRaporuFormu"));
    rapor = new RaporModeli(this);
    QWidget* icerik = denetimleriKur(donem);
    kur(icerik, agac, GrafikNesnesi);
    resize(800, 760);
    donemDegisti();
    connect(YilBilgisiKutusu, &QComboBox::currentIndexChanged, this, [this] { donemDegisti(); });
    connect(AyBilgisiKutusu, &QComboBox::currentIndexChanged, this, [this] { donemDegisti(); });
    connect(BosGruplarKutusu, &QCheckBox::toggled, this, [this](bool goster) {
        rapor->boslariGoster(goster);
        agac->expandToDepth(0);
    });
    connect(agac, &QTreeView::activated, this, &DonemRaporuFormu::satirAcildi);
    // Opened at its smallest size until the user changes it; larger, the tree keeps its height
    // and the chart takes the room.
    setMinimumSize(size());
    layout()->activate();
    icerik->layout()->activate();
    agac->setFixedHeight(agac->height());
    new PencereDuzeni(this);
}

QWidget* DonemRaporuFormu::denetimleriKur(const Donem& donem)
{
    auto* icerik = new QWidget(this);
    auto* duzen = new QVBoxLayout(icerik);
    const int kenar = Bicim::twip(270);
    duzen->setContentsMargins(kenar, kenar / 2, kenar, 0);
    auto* ust = new QHBoxLayout;
    YilBilgisiKutusu =
        kutu(icerik, ust, QStringLiteral("Yıl:"), QStringLiteral("YılBilgisiKutusu"));
    AyBilgisiKutusu = kutu(icerik, ust, QStringLiteral("Ay:"), QStringLiteral("AyBilgisiKutusu"));
    BosGruplarKutusu = new QCheckBox(QStringLiteral("Boş grupları göster"), icerik);
    BosGruplarKutusu->setObjectName(QStringLiteral("BoşGruplarKutusu"));
    ust->addSpacing(12);
    ust->addWidget(BosGruplarKutusu);
    ust->addStretch();
    duzen->addLayout(ust);

    // Every year with entries in either ledger, and the main window's year even without any.
    std::set<int> yillar;
    if (donem.yil)
        yillar.insert(*donem.yil);
    MesajKutusu::hatalariGostererek(parentWidget() ? parentWidget() : this, [&] {
        for (const DefterTanimi* defter : {&gelirDefteri(), &giderDefteri()})
            for (const int y : ButceVerisi::kayitliYillar(*defter))
                yillar.insert(y);
    });
    YilBilgisiKutusu->addItem(QStringLiteral("Tüm Yıllar"));
    for (const int y : yillar)
        YilBilgisiKutusu->addItem(QString::number(y), y);
    if (donem.yil)
        YilBilgisiKutusu->setCurrentIndex(YilBilgisiKutusu->findData(*donem.yil));
    AyBilgisiKutusu->addItem(QStringLiteral("Tüm Aylar"));
    AyBilgisiKutusu->addItems(Takvim::ayAdlari());
    AyBilgisiKutusu->setCurrentIndex(std::clamp(donem.ay, 0, 12));

    donemEtiketi = new QLabel(icerik);
    donemEtiketi->setObjectName(QStringLiteral("DönemEtiketi"));
    // The period and its figures, to read and copy; no control's caption.
    donemEtiketi->setTextInteractionFlags(Qt::TextSelectableByMouse);
    duzen->addWidget(donemEtiketi);

    agac = new QTreeView(icerik);
    agac->setObjectName(QStringLiteral("RaporAğacı"));
    agac->setAccessibleName(QStringLiteral("Dönem Raporu"));
    agac->setModel(rapor);
    agac->setItemDelegate(new SatirYuksekligi(agac));
    agac->setUniformRowHeights(true);
    agac->setAllColumnsShowFocus(true);
    agac->setAlternatingRowColors(true);
    agac->setSelectionMode(QAbstractItemView::SingleSelection);
    agac->header()->setSectionsMovable(false);
    agac->header()->setSortIndicator(RaporModeli::GrupSutunu, Qt::AscendingOrder);
    agac->setSortingEnabled(true);
    // The names take what the figures leave.
    agac->header()->setStretchLastSection(false);
    agac->header()->setSectionResizeMode(RaporModeli::GrupSutunu, QHeaderView::Stretch);
    for (int sutun = RaporModeli::TahminSutunu; sutun < RaporModeli::SutunSayisi; ++sutun)
        agac->setColumnWidth(sutun, 115);
    duzen->addWidget(agac, 3);

    grafik = new RaporGrafigi;
    GrafikNesnesi = new QChartView(grafik, icerik);
    GrafikNesnesi->setObjectName(QStringLiteral("GrafikNesnesi"));
    GrafikNesnesi->setRenderHint(QPainter::Antialiasing);
    GrafikNesnesi->setMinimumHeight(260);
    duzen->addWidget(GrafikNesnesi, 2);
    return icerik;
}

Donem DonemRaporuFormu::donem() const
{
    const QVariant yil = YilBilgisiKutusu->currentData();
    return {yil.isValid() ? std::optional<int>(yil.toInt()) : std::nullopt,
            AyBilgisiKutusu->currentIndex()};
}

void DonemRaporuFormu::donemDegisti()
{
    const Donem d = donem();
    std::vector<GrupToplamlari::AnaGrup> gelirler, giderler;
    MesajKutusu::hatalariGostererek(parentWidget() && !isVisible() ? parentWidget() : this, [&] {
        gelirler = GrupToplamlari::oku(gelirDefteri(), d);
        giderler = GrupToplamlari::oku(giderDefteri(), d);
    });
    rapor->doldur(std::move(gelirler), std::move(giderler), BosGruplarKutusu->isChecked());
    agac->expandToDepth(0);
    grafik->goster(*rapor);
    setWindowTitle(QStringLiteral("Dönem Raporu — ") + d.ad());
    QString metin = QStringLiteral("Dönem: ") + d.ad();
    if (rapor->okunamayan() > 0)
        metin += QStringLiteral(" · %1 tutar okunamadı").arg(rapor->okunamayan());
    donemEtiketi->setText(metin);
}

void DonemRaporuFormu::satirAcildi(const QModelIndex& yer)
{
    const RaporModeli::Satir* satir = rapor->satir(yer);
    if (!satir || satir->tur != RaporModeli::Tur::AltGrup)
        return;
    const Hedef hedef{.defter = satir->defter,
                      .anaGrup = rapor->satir(yer.parent())->ad,
                      .altGrup = satir->ad,
                      .donem = donem()};
    accept();
    emit grupGosterilsin(hedef);
}

DonemRaporuFormu::Belge DonemRaporuFormu::belge() const
{
    const QString ad = QStringLiteral("Dönem Raporu");
    return {QStringList{ad} + donem().adParcalari(),
            ad,
            {ad, donemEtiketi->text(), QPageLayout::Portrait, 0.40}};
}

void DonemRaporuFormu::tabloyaYaz(TabloYazici& tablo) const
{
    rapor->tabloyaYaz(tablo);
}

#include "DonemRaporuFormu.moc"

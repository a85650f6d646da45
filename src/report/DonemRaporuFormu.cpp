#include "DonemRaporuFormu.h"

#include "ButceVerisi.h"
#include "Denetim.h"
#include "DisaAktarma.h"
#include "KaydetmeYeri.h"
#include "MesajKutusu.h"
#include "PencereDuzeni.h"
#include "RaporCiktisi.h"
#include "RaporGrafigi.h"
#include "RaporModeli.h"
#include "TabloYazici.h"
#include "Takvim.h"

#include <QAction>
#include <QApplication>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIODevice>
#include <QLabel>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
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

DonemRaporuFormu::DonemRaporuFormu(int yil, int ay, QWidget* sahibi) : QDialog(sahibi)
{
    setObjectName(QStringLiteral("DonemRaporuFormu"));
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
    rapor = new RaporModeli(this);
    denetimleriKur(yil, ay);
    eylemleriKur();
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
    agac->setFixedHeight(agac->height());
    new PencereDuzeni(this);
}

DonemRaporuFormu::~DonemRaporuFormu() = default;

void DonemRaporuFormu::denetimleriKur(int yil, int ay)
{
    auto* duzen = new QVBoxLayout(this);
    auto* ust = new QHBoxLayout;
    YilBilgisiKutusu = kutu(this, ust, QStringLiteral("Yıl:"), QStringLiteral("YılBilgisiKutusu"));
    AyBilgisiKutusu = kutu(this, ust, QStringLiteral("Ay:"), QStringLiteral("AyBilgisiKutusu"));
    BosGruplarKutusu = new QCheckBox(QStringLiteral("Boş grupları göster"), this);
    BosGruplarKutusu->setObjectName(QStringLiteral("BoşGruplarKutusu"));
    ust->addSpacing(12);
    ust->addWidget(BosGruplarKutusu);
    ust->addStretch();
    duzen->addLayout(ust);

    // Every year with entries in either ledger, and the main window's year even without any.
    std::set<int> yillar{yil};
    MesajKutusu::hatalariGostererek(parentWidget() ? parentWidget() : this, [&] {
        for (const DefterTanimi* defter : {&gelirDefteri(), &giderDefteri()})
            for (const int y : ButceVerisi::kayitliYillar(*defter))
                yillar.insert(y);
    });
    YilBilgisiKutusu->addItem(QStringLiteral("Tüm Yıllar"));
    for (const int y : yillar)
        YilBilgisiKutusu->addItem(QString::number(y), y);
    YilBilgisiKutusu->setCurrentIndex(YilBilgisiKutusu->findData(yil));
    AyBilgisiKutusu->addItem(QStringLiteral("Tüm Aylar"));
    AyBilgisiKutusu->addItems(Takvim::ayAdlari());
    AyBilgisiKutusu->setCurrentIndex(std::clamp(ay, 0, 12));

    donemEtiketi = new QLabel(this);
    donemEtiketi->setObjectName(QStringLiteral("DönemEtiketi"));
    // The period and its figures, to read and copy; no control's caption.
    donemEtiketi->setTextInteractionFlags(Qt::TextSelectableByMouse);
    duzen->addWidget(donemEtiketi);

    agac = new QTreeView(this);
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
    GrafikNesnesi = new QChartView(grafik, this);
    GrafikNesnesi->setObjectName(QStringLiteral("GrafikNesnesi"));
    GrafikNesnesi->setRenderHint(QPainter::Antialiasing);
    GrafikNesnesi->setMinimumHeight(260);
    duzen->addWidget(GrafikNesnesi, 2);
    resize(800, 760);
}

void DonemRaporuFormu::eylemleriKur()
{
    auto* alt = new QHBoxLayout;
    const auto eylem = [&](const QString& metin, void (DonemRaporuFormu::*islem)(),
                           const QKeySequence& kisayol) {
        auto* e = new QAction(metin, this);
        e->setShortcut(kisayol);
        connect(e, &QAction::triggered, this, islem);
        auto* dugme = new QPushButton(metin, this);
        dugme->setAutoDefault(false);
        connect(dugme, &QPushButton::clicked, e, &QAction::trigger);
        alt->addWidget(dugme);
        return e;
    };
    const QList<QAction*> eylemler{
        eylem(QStringLiteral("Kaydet…"), &DonemRaporuFormu::Kaydet_Click,
              QKeySequence(Qt::CTRL | Qt::Key_S)),
        eylem(QStringLiteral("Yazdır…"), &DonemRaporuFormu::Yazdir_Click,
              QKeySequence(Qt::CTRL | Qt::Key_P)),
        eylem(QStringLiteral("PDF Olarak Kaydet…"), &DonemRaporuFormu::PdfOlarakKaydet_Click, {})};
    // The window's own actions give the shortcuts wherever the focus is.
    addActions(eylemler);
    agac->setContextMenuPolicy(Qt::ActionsContextMenu);
    agac->addActions(eylemler);
    alt->addStretch();
    auto* kapat = new QPushButton(QStringLiteral("Kapat"), this);
    kapat->setObjectName(QStringLiteral("KapatDüğmesi"));
    kapat->setAutoDefault(false);
    connect(kapat, &QPushButton::clicked, this, &QDialog::reject);
    alt->addWidget(kapat);
    static_cast<QVBoxLayout*>(layout())->addLayout(alt);
}

GrupToplamlari::Donem DonemRaporuFormu::donem() const
{
    GrupToplamlari::Donem d;
    if (const QVariant yil = YilBilgisiKutusu->currentData(); yil.isValid())
        d.yil = yil.toInt();
    if (AyBilgisiKutusu->currentIndex() > 0)
        d.ay = AyBilgisiKutusu->currentText();
    return d;
}

QString DonemRaporuFormu::donemAdi() const
{
    const GrupToplamlari::Donem d = donem();
    if (d.yil && d.ay)
        return QStringLiteral("%1 %2").arg(*d.ay).arg(*d.yil);
    return QStringLiteral("%1, %2").arg(d.ay ? *d.ay : YilBilgisiKutusu->currentText(),
                                        d.ay ? YilBilgisiKutusu->currentText()
                                             : AyBilgisiKutusu->currentText());
}

void DonemRaporuFormu::donemDegisti()
{
    const GrupToplamlari::Donem d = donem();
    std::vector<GrupToplamlari::AnaGrup> gelirler, giderler;
    MesajKutusu::hatalariGostererek(parentWidget() && !isVisible() ? parentWidget() : this, [&] {
        gelirler = GrupToplamlari::oku(gelirDefteri(), d);
        giderler = GrupToplamlari::oku(giderDefteri(), d);
    });
    rapor->doldur(std::move(gelirler), std::move(giderler), BosGruplarKutusu->isChecked());
    agac->expandToDepth(0);
    grafik->goster(*rapor);
    setWindowTitle(QStringLiteral("Dönem Raporu — ") + donemAdi());
    QString metin = QStringLiteral("Dönem: ") + donemAdi();
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
                      .yil = donem().yil,
                      .ay = AyBilgisiKutusu->currentIndex()};
    accept();
    emit grupGosterilsin(hedef);
}

std::optional<QString> DonemRaporuFormu::yolSor(const QString& baslik, const QStringList& turler,
                                                const QString& uzanti)
{
    QStringList parcalar{QStringLiteral("Dönem Raporu"), YilBilgisiKutusu->currentText()};
    if (const GrupToplamlari::Donem d = donem(); d.ay)
        parcalar << *d.ay;
    return KaydetmeYeri::sor(this, baslik, DisaAktarma::dosyaAdi(parcalar, uzanti), turler);
}

void DonemRaporuFormu::Kaydet_Click()
{
    const std::optional<QString> yol =
        yolSor(QStringLiteral("Kaydet"), DisaAktarma::tabloTurleri(), QStringLiteral("xlsx"));
    if (!yol)
        return;
    const DisaAktarma::Belge belge{windowTitle(), QStringLiteral("Dönem Raporu")};
    if (MesajKutusu::hatalariGostererek(this, [&] {
            DisaAktarma::tabloYaz(*yol, belge, [this](TabloYazici& tablo) {
                RaporCiktisi::tabloyaYaz(tablo, *rapor);
            });
        }))
        emit bildirim(KaydetmeYeri::kaydedildi(*yol));
}

void DonemRaporuFormu::Yazdir_Click()
{
    QPrinter yazici(QPrinter::HighResolution);
    yazici.setPageLayout(RaporCiktisi::sayfaDuzeni());
    yazici.setDocName(windowTitle());
    QPrintDialog pencere(&yazici, this);
    pencere.setWindowTitle(QStringLiteral("Yazdır"));
    if (pencere.exec() != QDialog::Accepted)
        return;
    RaporCiktisi::sayfalariCiz(yazici, QStringLiteral("Dönem Raporu"), donemEtiketi->text(),
                               *rapor, QDate::currentDate());
    emit bildirim(QStringLiteral("Yazıcıya gönderildi: ") + windowTitle());
}

void DonemRaporuFormu::PdfOlarakKaydet_Click()
{
    const std::optional<QString> yol =
        yolSor(QStringLiteral("PDF Olarak Kaydet"), {QStringLiteral("PDF dosyaları (*.pdf)")},
               QStringLiteral("pdf"));
    if (!yol)
        return;
    if (MesajKutusu::hatalariGostererek(this, [&] {
        DisaAktarma::dosyayaYaz(*yol, [this](QIODevice& dosya) {
            QPdfWriter pdf(&dosya);
            pdf.setTitle(windowTitle());
            pdf.setCreator(QStringLiteral("Morvane"));
            pdf.setPageLayout(RaporCiktisi::sayfaDuzeni());
            RaporCiktisi::sayfalariCiz(pdf, QStringLiteral("Dönem Raporu"), donemEtiketi->text(),
                                       *rapor, QDate::currentDate());
        });
    }))
        emit bildirim(KaydetmeYeri::kaydedildi(*yol));
}

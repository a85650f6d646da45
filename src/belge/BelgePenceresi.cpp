#include "BelgePenceresi.h"

#include "Bicim.h"
#include "Denetim.h"
#include "DisaAktarma.h"
#include "KaydetmeYeri.h"
#include "VeriHatasi.h"

#include <QAbstractItemView>
#include <QAction>
#include <QChartView>
#include <QIODevice>
#include <QLabel>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{

// The chart at twice the pixels it has on screen, under a line that says what it shows and the
// unit of its amounts, so that a shared picture speaks for itself.
QImage grafikResmi(QChartView& grafik, const QString& konu)
{
    const double oran = 2.0 * grafik.devicePixelRatioF();
    const QSize boyut = grafik.viewport()->size();
    QFont baslik;
    baslik.setPointSizeF(11);
    baslik.setBold(true);
    const int satir = QFontMetrics(baslik).height() * 2;
    QImage resim(QSize(boyut.width(), boyut.height() + satir) * oran,
                 QImage::Format_ARGB32_Premultiplied);
    resim.setDevicePixelRatio(oran);
    resim.fill(Qt::white);
    QPainter ressam(&resim);
    ressam.setRenderHint(QPainter::Antialiasing);
    const QRectF baslikAlani(8, 0, boyut.width() - 16, satir);
    ressam.setFont(baslik);
    ressam.drawText(baslikAlani, Qt::AlignLeft | Qt::AlignVCenter, konu);
    baslik.setPointSizeF(9);
    baslik.setBold(false);
    ressam.setFont(baslik);
    ressam.drawText(baslikAlani, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Tutarlar TL"));
    grafik.scene()->render(&ressam, QRectF(QPointF(0, satir), boyut),
                           grafik.mapToScene(QRect(QPoint(0, 0), boyut)).boundingRect());
    return resim;
}

} // namespace

BelgePenceresi::BelgePenceresi(QWidget* sahibi) : QDialog(sahibi)
{
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
}

void BelgePenceresi::kur(QWidget* icerik, QAbstractItemView* liste, QChartView* grafik)
{
    belgeListesi = liste;
    belgeGrafigi = grafik;
    // The document to the window's edges, as the feature draws it; below it, inset as the
    // document's controls are, the confirmation (shown once there is one) and the buttons.
    auto* duzen = new QVBoxLayout(this);
    duzen->setContentsMargins({});
    duzen->addWidget(icerik, 1);
    auto* alt = new QVBoxLayout;
    const int kenar = Bicim::twip(270);
    alt->setContentsMargins(kenar, 0, kenar, kenar / 2);
    duzen->addLayout(alt);
    // What was written where, to read and copy; no control's caption.
    bildirimEtiketi = new QLabel(this);
    bildirimEtiketi->setObjectName(QStringLiteral("BildirimEtiketi"));
    bildirimEtiketi->setWordWrap(true);
    bildirimEtiketi->setTextInteractionFlags(Qt::TextSelectableByMouse);
    bildirimEtiketi->hide();
    alt->addWidget(bildirimEtiketi);
    eylemleriKur(alt);
}

void BelgePenceresi::eylemleriKur(QBoxLayout* duzen)
{
    struct Komut {
        QString ad; // of the button
        QString dugme;
        QString metin; // of the menu entry
        void (BelgePenceresi::*islem)();
        QKeySequence kisayol;
    };
    const QList<Komut> komutlar{
        {QStringLiteral("KaydetDüğmesi"), QStringLiteral("Kaydet…"),
         QStringLiteral("Tablo Olarak Kaydet…"), &BelgePenceresi::TabloOlarakKaydet_Click,
         QKeySequence(Qt::CTRL | Qt::Key_S)},
        {QStringLiteral("YazdırDüğmesi"), QStringLiteral("Yazdır…"), QStringLiteral("Yazdır…"),
         &BelgePenceresi::Yazdir_Click, QKeySequence(Qt::CTRL | Qt::Key_P)},
        {QStringLiteral("ÖnizlemeDüğmesi"),
         QStringLiteral("Baskı Önizleme…"),
         QStringLiteral("Baskı Önizleme…"),
         &BelgePenceresi::BaskiOnizleme_Click,
         {}},
        {QStringLiteral("PdfDüğmesi"),
         QStringLiteral("PDF…"),
         QStringLiteral("PDF Olarak Kaydet…"),
         &BelgePenceresi::PdfOlarakKaydet_Click,
         {}},
        {QStringLiteral("ResimDüğmesi"),
         QStringLiteral("Resim…"),
         QStringLiteral("Grafiği Resim Olarak Kaydet…"),
         &BelgePenceresi::GrafigiResimOlarakKaydet_Click,
         {}}};
    auto* satir = new QHBoxLayout;
    QList<QAction*> eylemler;
    for (const Komut& k : komutlar) {
        auto* eylem = new QAction(k.metin, this);
        eylem->setShortcut(k.kisayol);
        connect(eylem, &QAction::triggered, this, k.islem);
        eylemler << eylem;
        QPushButton* dugme = Denetim::dugme(this, k.ad, k.dugme, {});
        dugme->setToolTip(k.metin);
        connect(dugme, &QPushButton::clicked, eylem, &QAction::trigger);
        satir->addWidget(dugme);
    }
    satir->addStretch();
    QPushButton* kapat =
        Denetim::dugme(this, QStringLiteral("KapatDüğmesi"), QStringLiteral("Kapat"), {});
    connect(kapat, &QPushButton::clicked, this, &QDialog::reject);
    satir->addWidget(kapat);
    duzen->addLayout(satir);

    // The window's own actions give the shortcuts wherever the focus is; the picture is the
    // chart's alone, after a separator.
    QAction* resim = eylemler.takeLast();
    addActions(eylemler);
    belgeListesi->setContextMenuPolicy(Qt::ActionsContextMenu);
    belgeListesi->addActions(eylemler);
    auto* ayrac = new QAction(this);
    ayrac->setSeparator(true);
    belgeGrafigi->setContextMenuPolicy(Qt::ActionsContextMenu);
    belgeGrafigi->addActions(eylemler + QList<QAction*>{ayrac, resim});
}

QString BelgePenceresi::bildirim() const
{
    return bildirimEtiketi->text();
}

void BelgePenceresi::bildir(const QString& metin)
{
    bildirimEtiketi->setText(metin);
    bildirimEtiketi->show();
}

void BelgePenceresi::kaydet(const QString& baslik, const QStringList& turler, const QString& uzanti,
                            const QString& ek, const std::function<void(const QString& yol)>& yaz)
{
    QStringList parcalar = belge().adParcalari;
    if (!ek.isEmpty())
        parcalar << ek;
    if (const std::optional<QString> yol =
            KaydetmeYeri::kaydet(this, QString(baslik).remove(u'…'),
                                 DisaAktarma::dosyaAdi(parcalar, uzanti), turler, yaz))
        bildir(KaydetmeYeri::kaydedildi(*yol));
}

void BelgePenceresi::TabloOlarakKaydet_Click()
{
    const Belge b = belge();
    kaydet(QStringLiteral("Tablo Olarak Kaydet"), DisaAktarma::tabloTurleri(),
           QStringLiteral("xlsx"), {}, [&](const QString& yol) {
               DisaAktarma::tabloYaz(yol, {windowTitle(), b.konu},
                                     [this](TabloYazici& tablo) { tabloyaYaz(tablo); });
           });
}

void BelgePenceresi::yaziciyiHazirla(QPrinter& yazici) const
{
    yazici.setPageLayout(belge().sayfa.duzen());
    yazici.setDocName(windowTitle());
}

void BelgePenceresi::sayfalariCiz(QPagedPaintDevice& aygit) const
{
    belge().sayfa.ciz(aygit, *belgeListesi->model(), belgeGrafigi, QDate::currentDate());
}

void BelgePenceresi::Yazdir_Click()
{
    QPrinter yazici(QPrinter::HighResolution);
    yaziciyiHazirla(yazici);
    QPrintDialog pencere(&yazici, this);
    pencere.setWindowTitle(QStringLiteral("Yazdır"));
    if (pencere.exec() != QDialog::Accepted)
        return;
    sayfalariCiz(yazici);
    bildir(QStringLiteral("Yazıcıya gönderildi: ") + windowTitle());
}

// The pages as they will be printed; printing from there is confirmed as from "Yazdır…".
void BelgePenceresi::BaskiOnizleme_Click()
{
    QPrinter yazici(QPrinter::HighResolution);
    yaziciyiHazirla(yazici);
    QPrintPreviewDialog pencere(&yazici, this);
    pencere.setWindowTitle(QStringLiteral("Baskı Önizleme"));
    connect(&pencere, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* hedef) { sayfalariCiz(*hedef); });
    if (pencere.exec() == QDialog::Accepted)
        bildir(QStringLiteral("Yazıcıya gönderildi: ") + windowTitle());
}

void BelgePenceresi::PdfOlarakKaydet_Click()
{
    kaydet(QStringLiteral("PDF Olarak Kaydet"), {QStringLiteral("PDF dosyaları (*.pdf)")},
           QStringLiteral("pdf"), {}, [this](const QString& yol) {
               DisaAktarma::dosyayaYaz(yol, [this](QIODevice& dosya) {
                   QPdfWriter pdf(&dosya);
                   pdf.setTitle(windowTitle());
                   pdf.setCreator(QStringLiteral("Morvane"));
                   pdf.setPageLayout(belge().sayfa.duzen());
                   sayfalariCiz(pdf);
               });
           });
}

void BelgePenceresi::GrafigiResimOlarakKaydet_Click()
{
    const QImage resim = grafikResmi(*belgeGrafigi, windowTitle());
    kaydet(QStringLiteral("Grafiği Resim Olarak Kaydet"), {QStringLiteral("PNG resimleri (*.png)")},
           QStringLiteral("png"), QStringLiteral("Grafik"), [&](const QString& yol) {
               DisaAktarma::dosyayaYaz(yol, [&](QIODevice& dosya) {
                   if (!resim.save(&dosya, "PNG"))
                       throw VeriHatasi(QString(), QStringLiteral("Resim yazılamadı."));
               });
           });
}

#include "AylikOzetFormu.h"

#include "Bicim.h"
#include "Denetim.h"
#include "DisaAktarma.h"
#include "Doldurma.h"
#include "Esneklik.h"
#include "KaydetmeYeri.h"
#include "MesajKutusu.h"
#include "OzetCiktisi.h"
#include "OzetGrafigi.h"
#include "PencereDuzeni.h"
#include "VeriHatasi.h"

#include <QAction>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>

#include <set>

namespace
{

using Aylar = OzetTablosu::Aylar;

constexpr int ilkSutun = 0;
constexpr int oranSutunu = 3;

Qt::Alignment hizasi(int sutun)
{
    return (sutun == ilkSutun ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter;
}

// Column widths in twips: four columns share the list's width, six when compared; the months give
// the captions of the figures their room.
QList<int> sutunGenislikleri(bool karsilastirmali)
{
    if (karsilastirmali)
        return {1200, 1500, 1950, 2400, 1900, 1350};
    return {2400, 2600, 2600, 2600};
}

QTreeWidget* listeKur(const DefterTanimi& defter, QWidget* ust)
{
    auto* liste = Denetim::yerlestir(new QTreeWidget(ust), defter.adiyla("%1lerListesi"),
                                     Denetim::twipAlani(270, 510, 10425, 3090), defter.ozetBasligi);
    liste->header()->setSectionsMovable(false);
    liste->setRootIsDecorated(false);
    liste->setUniformRowHeights(true);
    liste->setAllColumnsShowFocus(true);
    // A display only: nothing to pick, and no focus that would mark January as chosen.
    liste->setSelectionMode(QAbstractItemView::NoSelection);
    liste->setFocusPolicy(Qt::NoFocus);
    return liste;
}

} // namespace

AylikOzetFormu::AylikOzetFormu(const DefterTanimi& defterTanimi, int anaFormunYili, QWidget* sahibi)
    : QDialog(sahibi), defter(defterTanimi), gosterilen(defterTanimi, std::nullopt, Aylar{})
{
    setObjectName(defter.adiyla("Tüm%1lerFormu"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    resize(Bicim::twip(10965), Bicim::twip(7275));

    QLabel* yilEtiketi =
        Denetim::etiket(this, QStringLiteral("Yıl:"), Denetim::twipAlani(270, 120, 450, 255));
    YilBilgisiKutusu =
        Denetim::yerlestir(new QComboBox(this), QStringLiteral("YılBilgisiKutusu"),
                           Denetim::twipAlani(720, 90, 1500, 315), QStringLiteral("Yıl:"));
    yilEtiketi->setBuddy(YilBilgisiKutusu);
    KarsilastirmaKutusu = Denetim::yerlestir(
        new QCheckBox(QStringLiteral("Önceki yılla karşılaştır"), this),
        QStringLiteral("KarşılaştırmaKutusu"), Denetim::twipAlani(2520, 90, 3600, 315));
    liste = listeKur(defter, this);

    // One message at most on an engine failure; the months stay empty, the window opens.
    // It opens on the year in front of the user; on every year when the main window shows none.
    const std::optional<int> ilkYil =
        anaFormunYili > 0 ? std::optional<int>(anaFormunYili) : std::nullopt;
    std::vector<int> yillar;
    Aylar ilkToplamlar{};
    MesajKutusu::hatalariGostererek(sahibi ? sahibi : this, [&] {
        yillar = ButceVerisi::kayitliYillar(defter);
        ilkToplamlar = toplamlar(ilkYil);
    });
    std::set<int> sunulan(yillar.begin(), yillar.end());
    if (ilkYil)
        sunulan.insert(*ilkYil);
    YilBilgisiKutusu->addItem(QStringLiteral("Tüm Yıllar"));
    for (const int yil : sunulan)
        YilBilgisiKutusu->addItem(QString::number(yil), yil);
    if (ilkYil)
        YilBilgisiKutusu->setCurrentIndex(YilBilgisiKutusu->findData(*ilkYil));
    grafik = new OzetGrafigi(OzetTablosu(defter, ilkYil, ilkToplamlar));
    GrafikNesnesi =
        Denetim::yerlestir(new QChartView(grafik, this), QStringLiteral("GrafikNesnesi"),
                           Denetim::twipAlani(270, 3660, 10425, 3540));
    GrafikNesnesi->setRenderHint(QPainter::Antialiasing);
    goster(OzetTablosu(defter, ilkYil, ilkToplamlar));
    satirlaraYerAc();
    esnet();

    connect(YilBilgisiKutusu, &QComboBox::currentIndexChanged, this, [this] { yilDegisti(); });
    connect(KarsilastirmaKutusu, &QCheckBox::toggled, this, [this] { yilDegisti(); });
    eylemleriKur();
}

void AylikOzetFormu::eylemleriKur()
{
    const auto eylem = [this](const QString& metin, void (AylikOzetFormu::*islem)(),
                              const QKeySequence& kisayol = {}) {
        auto* e = new QAction(metin, this);
        e->setShortcut(kisayol);
        connect(e, &QAction::triggered, this, islem);
        return e;
    };
    const QList<QAction*> ortak{
        eylem(QStringLiteral("Tablo Olarak Kaydet…"), &AylikOzetFormu::TabloOlarakKaydet_Click,
              QKeySequence(Qt::CTRL | Qt::Key_S)),
        eylem(QStringLiteral("Yazdır…"), &AylikOzetFormu::Yazdir_Click,
              QKeySequence(Qt::CTRL | Qt::Key_P)),
        eylem(QStringLiteral("PDF Olarak Kaydet…"), &AylikOzetFormu::PdfOlarakKaydet_Click)};
    // The window's own actions give the shortcuts wherever the focus is.
    addActions(ortak);
    liste->setContextMenuPolicy(Qt::ActionsContextMenu);
    liste->addActions(ortak);
    auto* ayrac = new QAction(this);
    ayrac->setSeparator(true);
    GrafikNesnesi->setContextMenuPolicy(Qt::ActionsContextMenu);
    GrafikNesnesi->addActions(ortak);
    QAction* resim = eylem(QStringLiteral("Grafiği Resim Olarak Kaydet…"),
                           &AylikOzetFormu::GrafigiResimOlarakKaydet_Click);
    GrafikNesnesi->addActions({ayrac, resim});
    dugmeleriKur(ortak + QList<QAction*>{resim});
}

// The same commands without the right mouse button, in the year's row.
void AylikOzetFormu::dugmeleriKur(const QList<QAction*>& eylemler)
{
    const QList<std::pair<QString, QString>> dugmeler{
        {QStringLiteral("KaydetDüğmesi"), QStringLiteral("Kaydet…")},
        {QStringLiteral("YazdırDüğmesi"), QStringLiteral("Yazdır…")},
        {QStringLiteral("PdfDüğmesi"), QStringLiteral("PDF…")},
        {QStringLiteral("ResimDüğmesi"), QStringLiteral("Resim…")}};
    // From the right edge leftwards, each as wide as its caption needs; the check box beside
    // them keeps the width its caption needs.
    KarsilastirmaKutusu->resize(
        Denetim::gerekenGenislik(KarsilastirmaKutusu, KarsilastirmaKutusu->text()),
        KarsilastirmaKutusu->height());
    QList<QPushButton*> sira;
    for (int i = 0; i < dugmeler.size(); ++i) {
        sira << Denetim::dugme(this, dugmeler[i].first, dugmeler[i].second,
                               Denetim::twipAlani(0, 75, 1035, 345));
        sira.last()->setToolTip(eylemler[i]->text());
        connect(sira.last(), &QPushButton::clicked, eylemler[i], &QAction::trigger);
    }
    int sag = Bicim::twip(10695);
    for (qsizetype i = sira.size() - 1; i >= 0; --i) {
        sira[i]->move(sag - sira[i]->width(), sira[i]->y());
        sag = sira[i]->x() - Bicim::twip(90);
    }
}

QString AylikOzetFormu::konu() const
{
    return QStringLiteral("Tüm %1ler — %2").arg(defter.ad, gosterilen.yilAdi());
}

std::optional<QString> AylikOzetFormu::yolSor(const QString& baslik, const QStringList& turler,
                                              const QString& uzanti, const QString& ek)
{
    QStringList parcalar{QStringLiteral("Tüm ") + defter.ad + QStringLiteral("ler"),
                         gosterilen.yilAdi()};
    if (!ek.isEmpty())
        parcalar << ek;
    return KaydetmeYeri::sor(this, baslik, DisaAktarma::dosyaAdi(parcalar, uzanti), turler);
}

void AylikOzetFormu::kaydet(const QString& baslik, const QString& tur, const QString& uzanti,
                            const QString& ek, const std::function<void(QIODevice&)>& yaz)
{
    const std::optional<QString> yol =
        yolSor(baslik, {QStringLiteral("%1 (*.%2)").arg(tur, uzanti)}, uzanti, ek);
    if (yol && MesajKutusu::hatalariGostererek(this, [&] { DisaAktarma::dosyayaYaz(*yol, yaz); }))
        emit bildirim(KaydetmeYeri::kaydedildi(*yol));
}

void AylikOzetFormu::TabloOlarakKaydet_Click()
{
    const std::optional<QString> yol = yolSor(QStringLiteral("Tablo Olarak Kaydet"),
                                              DisaAktarma::tabloTurleri(), QStringLiteral("xlsx"), {});
    if (!yol)
        return;
    const DisaAktarma::Belge belge{windowTitle(), defter.ad + QStringLiteral(" özeti")};
    if (MesajKutusu::hatalariGostererek(this, [&] {
            DisaAktarma::tabloYaz(*yol, belge, [this](TabloYazici& tablo) {
                OzetCiktisi::tabloyaYaz(tablo, defter.ad + QStringLiteral(" Özeti"), gosterilen);
            });
        }))
        emit bildirim(KaydetmeYeri::kaydedildi(*yol));
}

void AylikOzetFormu::Yazdir_Click()
{
    QPrinter yazici(QPrinter::HighResolution);
    yazici.setPageLayout(OzetCiktisi::sayfaDuzeni());
    yazici.setDocName(windowTitle());
    QPrintDialog pencere(&yazici, this);
    pencere.setWindowTitle(QStringLiteral("Yazdır"));
    if (pencere.exec() != QDialog::Accepted)
        return;
    OzetCiktisi::sayfayiCiz(yazici, windowTitle(), gosterilen, *GrafikNesnesi,
                            QDate::currentDate());
    emit bildirim(QStringLiteral("Yazıcıya gönderildi: ") + windowTitle());
}

void AylikOzetFormu::PdfOlarakKaydet_Click()
{
    kaydet(QStringLiteral("PDF Olarak Kaydet"), QStringLiteral("PDF dosyaları"),
           QStringLiteral("pdf"), {}, [this](QIODevice& dosya) {
               QPdfWriter pdf(&dosya);
               pdf.setTitle(windowTitle());
               pdf.setCreator(QStringLiteral("Morvane"));
               pdf.setPageLayout(OzetCiktisi::sayfaDuzeni());
               OzetCiktisi::sayfayiCiz(pdf, windowTitle(), gosterilen, *GrafikNesnesi,
                                       QDate::currentDate());
           });
}

void AylikOzetFormu::GrafigiResimOlarakKaydet_Click()
{
    const QImage resim = OzetCiktisi::grafikResmi(*GrafikNesnesi, konu());
    kaydet(QStringLiteral("Grafiği Resim Olarak Kaydet"), QStringLiteral("PNG resimleri"),
           QStringLiteral("png"), QStringLiteral("Grafik"), [&](QIODevice& dosya) {
               if (!resim.save(&dosya, "PNG"))
                   throw VeriHatasi(QString(), QStringLiteral("Resim yazılamadı."));
           });
}

// The list shows its thirteen rows without scrolling, however tall the font makes them: it grows
// downwards, and the chart and the window with it.
void AylikOzetFormu::satirlaraYerAc()
{
    const int gereken = 2 * liste->frameWidth() + liste->header()->sizeHint().height() +
                        liste->topLevelItemCount() * liste->sizeHintForRow(0);
    const int fazla = gereken - liste->height();
    if (fazla <= 0)
        return;
    liste->resize(liste->width(), gereken);
    GrafikNesnesi->move(GrafikNesnesi->x(), GrafikNesnesi->y() + fazla);
    resize(width(), height() + fazla);
}

// As drawn at the smallest; larger, the list widens and the chart takes the rest.
void AylikOzetFormu::esnet()
{
    auto* esneklik = new Esneklik(this, size());
    esneklik->ekle(liste, {Esneklik::Yok, Esneklik::Yok, Esneklik::Tam, Esneklik::Yok});
    esneklik->ekle(GrafikNesnesi, {Esneklik::Yok, Esneklik::Yok, Esneklik::Tam, Esneklik::Tam});
    new PencereDuzeni(this);
}

void AylikOzetFormu::yilDegisti()
{
    const QVariant secilen = YilBilgisiKutusu->currentData();
    const std::optional<int> yil =
        secilen.isValid() ? std::optional<int>(secilen.toInt()) : std::nullopt;
    const bool karsilastir = yil && KarsilastirmaKutusu->isChecked();
    Aylar yilinkiler{};
    std::optional<Aylar> onceki;
    MesajKutusu::hatalariGostererek(this, [&] {
        yilinkiler = toplamlar(yil);
        if (karsilastir)
            onceki = toplamlar(*yil - 1);
    });
    goster(OzetTablosu(defter, yil, yilinkiler, onceki));
}

// Going back to a year read before costs no statement: on a server that is a round trip and a
// scan of the year's sums each time.
const Aylar& AylikOzetFormu::toplamlar(std::optional<int> yil)
{
    if (const qint64 surum = ButceVerisi::veriSurumu(); surum != okunanSurum) {
        okunanlar.clear();
        okunanSurum = surum;
    }
    const auto bulunan = okunanlar.find(yil);
    if (bulunan != okunanlar.end())
        return bulunan->second;
    return okunanlar[yil] = ButceVerisi::aylikToplamlar(defter, yil);
}

void AylikOzetFormu::goster(const OzetTablosu& tablo)
{
    gosterilen = tablo;
    setWindowTitle(tablo.baslik());
    {
        // Every year at once has no previous year to stand beside.
        const QSignalBlocker sessiz(KarsilastirmaKutusu);
        KarsilastirmaKutusu->setEnabled(tablo.yil().has_value());
        if (!tablo.yil())
            KarsilastirmaKutusu->setChecked(false);
    }
    listeyiDoldur();
    grafik->goster(tablo);
}

void AylikOzetFormu::listeyiDoldur()
{
    liste->clear();
    const QStringList basliklar = gosterilen.basliklar();
    Denetim::sutunlar(liste, basliklar, sutunGenislikleri(gosterilen.karsilastirmali()));
    for (int sutun = 0; sutun < basliklar.size(); ++sutun)
        liste->headerItem()->setTextAlignment(sutun, hizasi(sutun));
    QList<QTreeWidgetItem*> satirlar;
    for (const OzetTablosu::Satir& s : gosterilen.satirlar()) {
        auto* satir = new QTreeWidgetItem(gosterilen.hucreler(s));
        for (int sutun = 0; sutun < basliklar.size(); ++sutun) {
            satir->setTextAlignment(sutun, hizasi(sutun));
            if (satirlar.size() == OzetTablosu::toplamSatiri) {
                QFont kalin = liste->font();
                kalin.setBold(true);
                satir->setFont(sutun, kalin);
            }
        }
        Doldurma::oranUyarisi(satir, oranSutunu, defter, s.oran);
        if (satirlar.size() == OzetTablosu::toplamSatiri)
            satir->setToolTip(oranSutunu, OzetTablosu::oranIpucu(s));
        satirlar.append(satir);
    }
    liste->addTopLevelItems(satirlar);
}

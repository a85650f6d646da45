#include "BankaHareketleriFormu.h"

#include "BankaDugmesi.h"
#include "Denetim.h"
#include "DuzenSecici.h"
#include "MesajKutusu.h"
#include "OnizlemeModeli.h"
#include "PencereDuzeni.h"
#include "SaltOkunurKutu.h"

#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>
#include <QVBoxLayout>

namespace
{

// A control with its label before it, in a row.
template <typename T>
T* etiketli(QWidget* ust, QHBoxLayout* satir, const QString& etiket, const QString& ad, T* denetim)
{
    auto* yazi = new QLabel(etiket, ust);
    yazi->setMinimumWidth(Denetim::gerekenGenislik(yazi, etiket));
    denetim->setObjectName(ad);
    denetim->setAccessibleName(etiket.chopped(1));
    yazi->setBuddy(denetim);
    satir->addWidget(yazi);
    satir->addWidget(denetim, 1);
    return denetim;
}

// Figures and findings to read and copy; no control's caption.
QLabel* bilgiEtiketi(QWidget* ust, const QString& ad)
{
    auto* e = new QLabel(ust);
    e->setObjectName(ad);
    e->setWordWrap(true);
    e->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return e;
}

} // namespace

BankaHareketleriFormu::BankaHareketleriFormu(QWidget* sahibi) : QDialog(sahibi)
{
    setObjectName(QStringLiteral("BankaHareketleriFormu"));
    setWindowTitle(QStringLiteral("Banka Hareketlerini İçe Aktar"));
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
    setAcceptDrops(true);
    auto* duzen = new QVBoxLayout(this);

    auto* dosyaSatiri = new QHBoxLayout;
    DosyaKutusu = etiketli(this, dosyaSatiri, QStringLiteral("Dosya:"),
                           QStringLiteral("DosyaKutusu"), new SaltOkunurKutu(this));
    auto* sec = bankaDugmesi(this, QStringLiteral("Dosya Seç…"), QStringLiteral("DosyaSeçDüğmesi"));
    dosyaSatiri->addWidget(sec);
    duzen->addLayout(dosyaSatiri);

    auto* bicimSatiri = new QHBoxLayout;
    BicimKutusu = etiketli(this, bicimSatiri, QStringLiteral("Biçim:"),
                           QStringLiteral("BiçimKutusu"), new SaltOkunurKutu(this));
    KodlamaKutusu = etiketli(this, bicimSatiri, QStringLiteral("Kodlama:"),
                             QStringLiteral("KodlamaKutusu"), new QComboBox(this));
    for (const Kodlama::Tur tur : Kodlama::turler)
        KodlamaKutusu->addItem(Kodlama::adi(tur), int(tur));
    duzen->addLayout(bicimSatiri);

    secici = new DuzenSecici(this);
    duzen->addWidget(secici);

    model = new OnizlemeModeli(this);
    OnizlemeTablosu = new QTableView(this);
    OnizlemeTablosu->setObjectName(QStringLiteral("ÖnizlemeTablosu"));
    OnizlemeTablosu->setAccessibleName(QStringLiteral("Önizleme"));
    OnizlemeTablosu->setModel(model);
    OnizlemeTablosu->setEditTriggers(QAbstractItemView::NoEditTriggers);
    OnizlemeTablosu->setSelectionBehavior(QAbstractItemView::SelectRows);
    OnizlemeTablosu->setWordWrap(false);
    OnizlemeTablosu->horizontalHeader()->setDefaultSectionSize(140);
    duzen->addWidget(OnizlemeTablosu, 1);

    OzetEtiketi = bilgiEtiketi(this, QStringLiteral("ÖzetEtiketi"));
    SorunEtiketi = bilgiEtiketi(this, QStringLiteral("SorunEtiketi"));
    SorunEtiketi->setStyleSheet(QStringLiteral("color: darkred; font-weight: bold"));
    duzen->addWidget(OzetEtiketi);
    duzen->addWidget(SorunEtiketi);

    auto* alt = new QHBoxLayout;
    alt->addStretch();
    DevamDugmesi = bankaDugmesi(this, QStringLiteral("Devam"), QStringLiteral("DevamDüğmesi"));
    auto* kapat = bankaDugmesi(this, QStringLiteral("Kapat"), QStringLiteral("KapatDüğmesi"));
    alt->addWidget(DevamDugmesi);
    alt->addWidget(kapat);
    duzen->addLayout(alt);

    connect(sec, &QPushButton::clicked, this, &BankaHareketleriFormu::DosyaSecDugmesi_Click);
    connect(DevamDugmesi, &QPushButton::clicked, this, &BankaHareketleriFormu::DevamDugmesi_Click);
    connect(kapat, &QPushButton::clicked, this, &QDialog::reject);
    connect(KodlamaKutusu, &QComboBox::activated, this,
            [this] { oku(yol, {Kodlama::Tur(KodlamaKutusu->currentData().toInt())}); });
    connect(secici, &DuzenSecici::degisti, this, &BankaHareketleriFormu::duzenDegisti);
    goster();
    resize(960, 680);
    setMinimumSize(720, 520);
    new PencereDuzeni(this);
}

BankaHareketleriFormu::~BankaHareketleriFormu() = default;

void BankaHareketleriFormu::DosyaSecDugmesi_Click()
{
    const QString klasor = yol.isEmpty()
                               ? QStandardPaths::writableLocation(QStandardPaths::DownloadLocation)
                               : QFileInfo(yol).absolutePath();
    const QString secilen = QFileDialog::getOpenFileName(
        this, QStringLiteral("Banka Hareketleri Dosyası"), klasor,
        QStringLiteral("Banka hareketleri (*.xlsx *.xls *.csv *.txt *.ofx *.qfx *.qif);;"
                       "Tüm dosyalar (*)"));
    if (!secilen.isEmpty())
        dosyayiAc(secilen);
}

void BankaHareketleriFormu::dosyayiAc(const QString& dosya)
{
    oku(dosya, {});
}

void BankaHareketleriFormu::oku(const QString& dosya, const OkumaSecenekleri& secenekler)
{
    std::unique_ptr<EkstreOkuma> yeni;
    if (!MesajKutusu::hatalariGostererek(this, [&] {
            yeni = std::make_unique<EkstreOkuma>(EkstreOkuma::oku(dosya, secenekler, true));
        }))
        return;
    // The model shows the old rows until it is given the new ones.
    model->goster(nullptr, nullptr, nullptr);
    okuma = std::move(yeni);
    yol = dosya;
    secici->goster(okuma->tablo, okuma->duzen);
    goster();
}

void BankaHareketleriFormu::duzenDegisti(const EkstreDuzeni& duzen)
{
    MesajKutusu::hatalariGostererek(this, [&] { okuma->duzenle(duzen); });
    goster();
}

void BankaHareketleriFormu::goster()
{
    const bool var = okuma != nullptr;
    secici->setEnabled(var);
    KodlamaKutusu->setEnabled(var && okuma->metinBicimi);
    if (!var) {
        OzetEtiketi->setText(QStringLiteral("Bankanızın internet şubesinden indirdiğiniz hesap "
                                            "hareketleri ya da kredi kartı ekstresi dosyasını "
                                            "seçin veya bu pencereye bırakın (.xlsx, .xls, CSV, "
                                            "OFX, QIF)."));
        SorunEtiketi->clear();
        DevamDugmesi->setEnabled(false);
        return;
    }
    DosyaKutusu->setText(QDir::toNativeSeparators(yol));
    BicimKutusu->setText(okuma->tablo.bicim);
    if (okuma->tablo.kodlama)
        KodlamaKutusu->setCurrentIndex(KodlamaKutusu->findData(int(*okuma->tablo.kodlama)));
    model->goster(&okuma->tablo, &okuma->duzen, &okuma->cozum);
    OnizlemeTablosu->clearSpans();
    for (const EkstreTablosu::Birlesik& b : std::as_const(okuma->tablo.birlesikler))
        OnizlemeTablosu->setSpan(b.satir, b.sutun, b.satirSayisi, b.sutunSayisi);
    // A title above the table, in its first cell alone, is shown across it as a sheet shows it.
    for (int s = 0; s < okuma->duzen.baslikSatiri; ++s)
        if (okuma->tablo.satirlar[s].hucreler.size() == 1 && model->columnCount() > 1)
            OnizlemeTablosu->setSpan(s, 0, 1, model->columnCount());
    sutunlariGenislet();

    const EkstreCozumu& c = okuma->cozum;
    const QStringList sorunlar = c.sorunMetinleri(okuma->tablo);
    const std::optional<QString> bos = okuma->bosSebebi();
    QString ozet = bos ? *bos : c.ozetMetni().join(u'\n');
    if (!sorunlar.isEmpty())
        ozet += QStringLiteral("\n%1 satır okunamadı ve alınmayacak: %2")
                    .arg(sorunlar.size())
                    .arg(sorunlar.mid(0, 3).join(QStringLiteral("; ")) +
                         (sorunlar.size() > 3 ? QStringLiteral("; …") : QString()));
    OzetEtiketi->setText(ozet);
    SorunEtiketi->setText(c.kirik ? c.kirikMetni() +
                                        QStringLiteral(". Tutarlar bakiyeyle doğrulanamadı: sütun "
                                                       "seçimlerini denetleyin (ya da bakiye "
                                                       "sütununu bırakın).")
                                  : QString());
    DevamDugmesi->setEnabled(!bos && !c.kirik);
}

// Each column as wide as its text from the header down (a title above is wider than any column,
// and shown across its merged cells), within limits.
void BankaHareketleriFormu::sutunlariGenislet()
{
    const QFontMetrics olcu(OnizlemeTablosu->font());
    const int ilk = std::max(okuma->duzen.baslikSatiri, 0);
    const int son = std::min(ilk + 50, model->rowCount());
    for (int sutun = 0; sutun < model->columnCount(); ++sutun) {
        int genislik = OnizlemeTablosu->horizontalHeader()->sectionSizeHint(sutun);
        for (int satir = ilk; satir < son; ++satir)
            genislik = std::max(
                genislik, olcu.horizontalAdvance(
                              model->data(model->index(satir, sutun), Qt::DisplayRole).toString()));
        OnizlemeTablosu->setColumnWidth(sutun, std::clamp(genislik + 16, 60, 420));
    }
}

void BankaHareketleriFormu::DevamDugmesi_Click()
{
    if (!okuma || okuma->bosSebebi() || okuma->cozum.kirik)
        return;
    const QStringList sorunlar = okuma->cozum.sorunMetinleri(okuma->tablo);
    if (!sorunlar.isEmpty() &&
        !MesajKutusu::sor(this, QStringLiteral("%1 satır okunamadı:\n%2\n\nBu satırlar olmadan "
                                               "devam edilsin mi?")
                                    .arg(sorunlar.size())
                                    .arg(sorunlar.mid(0, 10).join(u'\n'))))
        return;
    DuzenHafizasi::kaydet(okuma->tablo, okuma->duzen);
    emit hareketlerOnaylandi(*okuma);
    accept();
}

void BankaHareketleriFormu::dragEnterEvent(QDragEnterEvent* olay)
{
    if (olay->mimeData()->hasUrls() && olay->mimeData()->urls().first().isLocalFile())
        olay->acceptProposedAction();
}

void BankaHareketleriFormu::dropEvent(QDropEvent* olay)
{
    const QList<QUrl> adresler = olay->mimeData()->urls();
    if (adresler.isEmpty() || !adresler.first().isLocalFile())
        return;
    olay->acceptProposedAction();
    dosyayiAc(adresler.first().toLocalFile());
}

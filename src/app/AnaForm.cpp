#include "AnaForm.h"

#include "AylikOzetFormu.h"
#include "Bicim.h"
#include "ButceVerisi.h"
#include "CsvYazici.h"
#include "DegiskenModulu.h"
#include "Denetim.h"
#include "DisaAktarma.h"
#include "Doldurma.h"
#include "GrupDuzeltme.h"
#include "GrupEklemeFormu.h"
#include "KaydetmeYeri.h"
#include "KayitEklemeFormu.h"
#include "KayitListesi.h"
#include "KilavuzFormu.h"
#include "MesajKutusu.h"
#include "OtomatikYedekleme.h"
#include "PlanKopyalamaFormu.h"
#include "SaltOkunurKutu.h"
#include "Takvim.h"
#include "YazmaKomutu.h"
#include "YedekGeriYuklemeFormu.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QUndoStack>

#include <algorithm>

using Denetim::dugme;
using Denetim::etiket;
using Denetim::twipAlani;

namespace
{

constexpr int twip(int deger)
{
    return Bicim::twip(deger);
}

std::optional<QString> seciliMetin(const QListWidget* liste)
{
    const QList<QListWidgetItem*> secili = liste->selectedItems();
    if (secili.isEmpty())
        return std::nullopt;
    return secili.first()->text();
}

// The total's tooltip: how many amounts were left out as unreadable.
QString okunamayanlar(qint64 sayi)
{
    return sayi > 0 ? QStringLiteral("%1 tutar okunamadı").arg(sayi) : QString();
}

QString tutarVeyaEksik(const std::optional<qint64>& kurus)
{
    return kurus ? Bicim::tutar(*kurus) : Bicim::eksikOran;
}

// The entry a delete question names: "MAAŞ / EK İŞ · Aralık 2026 · 12.500,00 / 12.000,00".
QString kayitTanimi(const ButceVerisi::Kayit& kayit)
{
    return QStringLiteral("%1 / %2 · %3 %4 · %5 / %6")
        .arg(kayit.anaGrup, kayit.altGrup, kayit.ay, QString::number(kayit.yil),
             tutarVeyaEksik(kayit.tahminKurus), tutarVeyaEksik(kayit.gerceklesenKurus));
}

} // namespace

// Where one ledger's controls stand, in twips.
struct AnaForm::Yerlesim {
    QRect cerceve;
    QRect liste;
    QRect listeEtiketi;
    QRect toplamKutusu;
    QRect toplamEtiketi;
    int dugmeUstu;
    int anaEtiketGenisligi;
    int altEtiketGenisligi;
};

AnaForm::AnaForm(QDate bugun, QWidget* ust) : QMainWindow(ust), bugun_(bugun)
{
    setObjectName(QStringLiteral("AnaForm"));
    setWindowTitle(QStringLiteral("Dalvix - Morvane"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    // The controls stand in a client area of the drawn size; the bars add to the window.
    auto* alan = new QWidget(this);
    alan->setObjectName(QStringLiteral("İstemciAlanı"));
    alan->setFixedSize(twip(11910), twip(8520));
    setCentralWidget(alan);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    bolumuKur(alan, gelir, gelirDefteri(),
              {twipAlani(300, 390, 3255, 3165), twipAlani(3870, 1620, 7695, 1995),
               twipAlani(3870, 1350, 960, 195), twipAlani(10200, 3765, 1365, 315),
               twipAlani(9180, 3825, 960, 195), 3750, 1230, 1215});
    bolumuKur(alan, gider, giderDefteri(),
              {twipAlani(300, 4440, 3255, 3165), twipAlani(3870, 4740, 7695, 2835),
               twipAlani(3870, 4470, 1020, 195), twipAlani(10200, 7785, 1365, 315),
               twipAlani(9120, 7845, 1020, 195), 7770, 1290, 1275});
    donemKur(alan);
    sekmeSirasiniKur();
    geriAlma = new QUndoStack(this);
    geriAlma->setUndoLimit(100);
    dosyaMenusunuKur();
    duzenleMenusunuKur();
    yardimMenusunuKur();
    durumCubugunuKur();
    otomatikYedekleme = std::make_unique<OtomatikYedekleme>(
        [this](const QString& sorun) { statusBar()->showMessage(sorun); });

    const MesajKutusu::Komut komut;
    std::optional<int> enEskiYil;
    MesajKutusu::hatalariGostererek(this, [&] {
        Doldurma::SorguCalistir(ButceVerisi::anaGruplar(gelirDefteri()), gelir.anaGruplar);
        Doldurma::SorguCalistir(ButceVerisi::anaGruplar(giderDefteri()), gider.anaGruplar);
        enEskiYil = ButceVerisi::enEskiYil(Takvim::enErkenYil);
    });
    yillar = Takvim::yilAraligi(enEskiYil, this->bugun().year());
    AyBilgisiKutusu->addItem(QStringLiteral("Tüm Aylar"));
    Doldurma::AyYilEkle(YilBilgisiKutusu, AyBilgisiKutusu, yillar);
    connect(YilBilgisiKutusu, &QComboBox::currentIndexChanged, this,
            [this] { YilBilgisiKutusu_Click(); });
    connect(AyBilgisiKutusu, &QComboBox::currentIndexChanged, this,
            [this] { AyBilgisiKutusu_Click(); });
    // Choosing the month (never "Tüm Aylar" here) raises the period's handler, which also shows
    // the period's figures.
    const QDate acilis = this->bugun();
    YilBilgisiKutusu->setCurrentIndex(std::clamp(acilis.year(), yillar.ilk, yillar.son) -
                                      yillar.ilk);
    AyBilgisiKutusu->setCurrentIndex(acilis.month());
    durumlariGuncelle();

    layout()->activate();
    if (const QScreen* ekran = screen())
        move(ekran->availableGeometry().center() - rect().center());
}

AnaForm::~AnaForm() = default;

void AnaForm::bolumuKur(QWidget* alan, Bolum& b, const DefterTanimi& defter, const Yerlesim& yer)
{
    b.defter = &defter;

    auto* cerceve = new QGroupBox(defter.cerceveBasligi, alan);
    cerceve->setGeometry(yer.cerceve);
    QLabel* anaEtiket =
        etiket(cerceve, defter.anaGruplarEtiketi, twipAlani(240, 300, yer.anaEtiketGenisligi, 195));
    QLabel* altEtiket = etiket(cerceve, defter.altGruplarEtiketi,
                               twipAlani(240, 1050, yer.altEtiketGenisligi, 195));
    b.anaGruplar = new QComboBox(cerceve);
    b.anaGruplar->setObjectName(defter.adiyla("Ana%1GruplarıListesi"));
    b.anaGruplar->setAccessibleName(defter.anaGruplarEtiketi);
    b.anaGruplar->setGeometry(twipAlani(240, 570, 2775, 315));
    b.altGruplar = new QListWidget(cerceve);
    b.altGruplar->setObjectName(defter.adiyla("Alt%1GruplarıListesi"));
    b.altGruplar->setAccessibleName(defter.altGruplarEtiketi.chopped(2));
    b.altGruplar->setGeometry(twipAlani(240, 1320, 2775, 1620));
    anaEtiket->setBuddy(b.anaGruplar);
    altEtiket->setBuddy(b.altGruplar);

    const int ust = yer.dugmeUstu;
    // The longer caption takes the larger share of the frame's width.
    b.grupEkle = dugme(alan, defter.adiyla("%1GrubuEkleDüğmesi"), defter.grupEkleDugmesi,
                       twipAlani(300, ust, 1665, 345));
    b.grupSil = dugme(alan, defter.adiyla("%1GrubuSilDüğmesi"), defter.grupSilDugmesi,
                      twipAlani(2055, ust, 1500, 345));
    b.ekle = dugme(alan, defter.adiyla("%1EkleDüğmesi"), defter.ekleDugmesi,
                   twipAlani(3870, ust, 1365, 345));
    b.sil = dugme(alan, defter.adiyla("%1SilDüğmesi"), defter.silDugmesi,
                  twipAlani(5310, ust, 1365, 345));
    b.tumunuGoster = dugme(alan, defter.adiyla("Tüm%1leriGösterDüğmesi"),
                           defter.tumunuGosterDugmesi, twipAlani(6750, ust, 1785, 345));

    b.liste = new KayitListesi(defter, alan);
    b.liste->setGeometry(yer.liste);
    etiket(alan, defter.listeEtiketi, yer.listeEtiketi)->setBuddy(b.liste);
    b.toplamKutusu = new SaltOkunurKutu(alan);
    b.toplamKutusu->setObjectName(defter.adiyla("%1ToplamıKutusu"));
    b.toplamKutusu->setAccessibleName(defter.toplamEtiketi);
    b.toplamKutusu->setGeometry(yer.toplamKutusu);
    etiket(alan, defter.toplamEtiketi, yer.toplamEtiketi, true)->setBuddy(b.toplamKutusu);
    b.toplamKutusu->setAlignment(Qt::AlignRight);
    QFont kalin = b.toplamKutusu->font();
    kalin.setBold(true);
    b.toplamKutusu->setFont(kalin);

    connect(b.anaGruplar, &QComboBox::activated, this, [this, &b] { anaGrupTiklandi(b); });
    // Deselecting the sub-group (Ctrl+click, a click beside the items) lists the main group again.
    connect(b.altGruplar, &QListWidget::itemSelectionChanged, this, [this, &b] {
        if (seciliMetin(b.altGruplar))
            altGrupTiklandi(b);
        else
            listele(b, false);
        durumlariGuncelle();
    });
    connect(b.liste, &QTreeWidget::itemSelectionChanged, this, [this, &b] {
        if (b.liste->seciliKimlik())
            etkinYap(b);
        durumlariGuncelle();
    });
    connect(b.liste, &KayitListesi::odaklandi, this, [this, &b] { etkinYap(b); });
    connect(b.liste, &KayitListesi::duzenlemeIstendi, this, [this, &b] { kayitDuzenlemeyiAc(b); });
    connect(b.grupEkle, &QPushButton::clicked, this, [this, &b] { grupEklemeyiAc(b); });
    connect(b.grupSil, &QPushButton::clicked, this, [this, &b] { grupSil(b); });
    connect(b.ekle, &QPushButton::clicked, this, [this, &b] { kayitEklemeyiAc(b); });
    connect(b.sil, &QPushButton::clicked, this, [this, &b] { kayitSil(b); });
    connect(b.tumunuGoster, &QPushButton::clicked, this, [this, &b] { ozetiAc(b); });
    grupMenuleriniKur(b);
}

void AnaForm::grupMenuleriniKur(Bolum& b)
{
    const auto eylem = [this](QWidget* liste, const QString& ad, const std::function<void()>& is) {
        auto* e = new QAction(ad, liste);
        connect(e, &QAction::triggered, this, is);
        liste->addAction(e);
        return e;
    };
    using Is = GrupDuzeltmeFormu::Is;
    b.anaGrubuAdlandir = eylem(b.anaGruplar, QStringLiteral("Grubu Yeniden Adlandır…"),
                               [this, &b] { grupDuzeltmeyiAc(b, Is::Adlandir, false); });
    b.anaGrubuSil =
        eylem(b.anaGruplar, QStringLiteral("Ana Grubu Sil…"), [this, &b] { anaGrupSil(b); });
    b.altGrubuAdlandir = eylem(b.altGruplar, QStringLiteral("Grubu Yeniden Adlandır…"),
                               [this, &b] { grupDuzeltmeyiAc(b, Is::Adlandir, true); });
    b.altGrubuTasi = eylem(b.altGruplar, QStringLiteral("Alt Grubu Taşı…"),
                           [this, &b] { grupDuzeltmeyiAc(b, Is::Tasi, true); });
    for (QWidget* liste :
         {static_cast<QWidget*>(b.anaGruplar), static_cast<QWidget*>(b.altGruplar)}) {
        liste->setContextMenuPolicy(Qt::ActionsContextMenu);
        liste->installEventFilter(this);
    }
}

// F2 on a group list renames its group rather than editing an entry; the menu's group commands
// follow the group list last in focus.
bool AnaForm::eventFilter(QObject* nesne, QEvent* olay)
{
    for (Bolum* b : {&gelir, &gider}) {
        if (nesne != b->anaGruplar && nesne != b->altGruplar)
            continue;
        const bool alt = nesne == b->altGruplar;
        if (olay->type() == QEvent::FocusIn) {
            grupBolumu = b;
            altGrupListesiEtkin = alt;
            durumlariGuncelle();
        }
        const bool f2 =
            (olay->type() == QEvent::ShortcutOverride || olay->type() == QEvent::KeyPress) &&
            static_cast<QKeyEvent*>(olay)->key() == Qt::Key_F2 &&
            static_cast<QKeyEvent*>(olay)->modifiers() == Qt::NoModifier;
        if (f2) {
            olay->accept();
            if (olay->type() == QEvent::KeyPress)
                grupDuzeltmeyiAc(*b, GrupDuzeltmeFormu::Is::Adlandir, alt);
            return true;
        }
    }
    return QMainWindow::eventFilter(nesne, olay);
}

void AnaForm::donemKur(QWidget* alan)
{
    auto* cerceve = new QGroupBox(QStringLiteral("Tarih Bilgileri"), alan);
    cerceve->setGeometry(twipAlani(3870, 390, 7695, 795));
    AyBilgisiKutusu = new QComboBox(cerceve);
    AyBilgisiKutusu->setObjectName(QStringLiteral("AyBilgisiKutusu"));
    AyBilgisiKutusu->setAccessibleName(QStringLiteral("Ay:"));
    AyBilgisiKutusu->setGeometry(twipAlani(5580, 300, 1785, 315));
    YilBilgisiKutusu = new QComboBox(cerceve);
    YilBilgisiKutusu->setObjectName(QStringLiteral("YılBilgisiKutusu"));
    YilBilgisiKutusu->setAccessibleName(QStringLiteral("Yıl:"));
    YilBilgisiKutusu->setGeometry(twipAlani(780, 300, 1785, 315));
    etiket(cerceve, QStringLiteral("Ay:"), twipAlani(5160, 360, 225, 195), true)
        ->setBuddy(AyBilgisiKutusu);
    etiket(cerceve, QStringLiteral("Yıl:"), twipAlani(360, 360, 210, 195), true)
        ->setBuddy(YilBilgisiKutusu);
}

void AnaForm::durumCubugunuKur()
{
    donemOzeti = new QLabel(this);
    donemOzeti->setObjectName(QStringLiteral("DönemÖzetiEtiketi"));
    donemOzeti->setTextFormat(Qt::RichText);
    // Figures to read and copy, not the caption of a control.
    donemOzeti->setTextInteractionFlags(Qt::TextSelectableByMouse);
    donemOzeti->setContentsMargins(4, 0, 4, 0);
    statusBar()->addPermanentWidget(donemOzeti);
    statusBar()->setSizeGripEnabled(false);
}

void AnaForm::sekmeSirasiniKur()
{
    const QList<QWidget*> sira{
        gelir.anaGruplar, gelir.altGruplar,   gelir.grupEkle,     gelir.grupSil,
        gider.anaGruplar, gider.altGruplar,   gider.grupEkle,     gider.grupSil,
        YilBilgisiKutusu, AyBilgisiKutusu,    gelir.liste,        gelir.ekle,
        gelir.sil,        gelir.tumunuGoster, gelir.toplamKutusu, gider.ekle,
        gider.sil,        gider.tumunuGoster, gider.toplamKutusu, gider.liste};
    for (qsizetype i = 1; i < sira.size(); ++i)
        setTabOrder(sira[i - 1], sira[i]);
}

void AnaForm::dosyaMenusunuKur()
{
    dosyaMenusu = menuBar()->addMenu(QStringLiteral("&Dosya"));
    QMenu* disaAktar = dosyaMenusu->addMenu(QStringLiteral("Dışa Aktar"));
    for (Bolum* b : {&gelir, &gider})
        b->listeyiKaydet = disaAktar->addAction(
            QStringLiteral("%1 Listesini CSV Olarak Kaydet…").arg(b->defter->ad), this,
            [this, b] { listeyiKaydet(*b); });
    disaAktar->addAction(QStringLiteral("Tüm Kayıtları CSV Olarak Kaydet…"), this,
                         &AnaForm::TumKayitlariKaydet_Click);
    dosyaMenusu->addAction(QStringLiteral("Yedekten Geri Yükle…"), this,
                           &AnaForm::YedektenGeriYukle_Click);
    dosyaMenusu->addSeparator();
    QAction* cikis = dosyaMenusu->addAction(QStringLiteral("Çıkış"), this, &QWidget::close);
    cikis->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
}

void AnaForm::duzenleMenusunuKur()
{
    duzenleMenusu = menuBar()->addMenu(QStringLiteral("Dü&zenle"));
    geriAlEylemi = duzenleMenusu->addAction(QString(), this, [this] {
        geriAlma->undo();
        yiginEylemleriniGuncelle();
    });
    geriAlEylemi->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    yineleEylemi = duzenleMenusu->addAction(QString(), this, [this] {
        geriAlma->redo();
        yiginEylemleriniGuncelle();
    });
    yineleEylemi->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(geriAlma, &QUndoStack::indexChanged, this, &AnaForm::yiginEylemleriniGuncelle);
    yiginEylemleriniGuncelle();
    duzenleMenusu->addSeparator();
    kaydiDuzenleEylemi = duzenleMenusu->addAction(QStringLiteral("Kaydı Düzenle…"), this,
                                                  &AnaForm::KaydiDuzenle_Click);
    kaydiDuzenleEylemi->setShortcut(Qt::Key_F2);
    kaydiSilEylemi =
        duzenleMenusu->addAction(QStringLiteral("Kaydı Sil"), this, &AnaForm::KaydiSil_Click);
    kaydiSilEylemi->setShortcut(QKeySequence::Delete);
    duzenleMenusu->addSeparator();
    grubuAdlandirEylemi = duzenleMenusu->addAction(QStringLiteral("Grubu Yeniden Adlandır…"), this,
                                                   &AnaForm::GrubuYenidenAdlandir_Click);
    anaGrubuSilEylemi = duzenleMenusu->addAction(QStringLiteral("Ana Grubu Sil…"), this,
                                                 &AnaForm::AnaGrubuSil_Click);
    duzenleMenusu->addSeparator();
    duzenleMenusu->addAction(QStringLiteral("Planı Kopyala…"), this, &AnaForm::PlaniKopyala_Click);
    // Each entry list offers the entry commands on its own menu.
    for (KayitListesi* liste : {gelir.liste, gider.liste}) {
        liste->setContextMenuPolicy(Qt::ActionsContextMenu);
        liste->addActions({kaydiDuzenleEylemi, kaydiSilEylemi});
    }
}

// The captions name the command ("Geri Al: Gider Sil"). Set here rather than by the stack's own
// actions, which would read "Geri Al:" with nothing to take back and miss a command a refused
// redo dropped: that leaves the stack's index, and so its signals, where they were.
void AnaForm::yiginEylemleriniGuncelle()
{
    const auto yaz = [](QAction* eylem, const QString& ad, bool var, const QString& komut) {
        eylem->setText(komut.isEmpty() ? ad : ad + QStringLiteral(": ") + komut);
        eylem->setEnabled(var);
    };
    yaz(geriAlEylemi, QStringLiteral("Geri Al"), geriAlma->canUndo(), geriAlma->undoText());
    yaz(yineleEylemi, QStringLiteral("Yinele"), geriAlma->canRedo(), geriAlma->redoText());
}

void AnaForm::yardimMenusunuKur()
{
    yardimMenusu = menuBar()->addMenu(QStringLiteral("&Yardım"));
    yardimMenusu
        ->addAction(QStringLiteral("Kullanım Kılavuzu"), this,
                    [this] { KilavuzFormu::goster(this); })
        ->setShortcut(Qt::Key_F1);
    yardimMenusu->addAction(QStringLiteral("Hakkında"), this, &AnaForm::Hakkinda_Click);
}

std::optional<QString> AnaForm::seciliAltGrup(const DefterTanimi& defter)
{
    return seciliMetin(bolum(defter).altGruplar);
}

// Each command below shows at most one message, however many statements fail.
void AnaForm::anaGrupTiklandi(Bolum& b)
{
    grupBolumu = &b;
    altGrupListesiEtkin = false;
    b.liste->bosalt();
    b.toplamKutusu->clear();
    b.toplamKutusu->setToolTip(QString());
    durumlariGuncelle();
    MesajKutusu::hatalariGostererek(this, [&] {
        {
            // Refilling drops the chosen sub-group: no deselection to answer.
            const QSignalBlocker sessiz(b.altGruplar);
            Doldurma::SorguCalistir(ButceVerisi::altGruplar(*b.defter, b.anaGruplar->currentText()),
                                    b.altGruplar);
        }
        listeyiDoldur(b, false);
    });
}

void AnaForm::altGrupTiklandi(Bolum& b)
{
    grupBolumu = &b;
    altGrupListesiEtkin = true;
    listele(b, true);
}

void AnaForm::listele(Bolum& b, bool altGrupla)
{
    MesajKutusu::hatalariGostererek(this, [&] { listeyiDoldur(b, altGrupla); });
}

void AnaForm::listeyiDoldur(Bolum& b, bool altGrupla)
{
    b.liste->bosalt();
    b.toplamKutusu->clear();
    b.toplamKutusu->setToolTip(QString());
    ButceVerisi::KayitSuzgeci suzgec{.anaGrup = b.anaGruplar->currentText(),
                                     .yil = YilBilgisiKutusu->currentText().toInt()};
    if (altGrupla)
        suzgec.altGrup = seciliMetin(b.altGruplar).value_or(QString());
    if (AyBilgisiKutusu->currentIndex() > 0)
        suzgec.ay = AyBilgisiKutusu->currentText();
    const KayitListesi::Toplam toplam = b.liste->doldur(ButceVerisi::kayitlar(*b.defter, suzgec));
    b.toplamKutusu->setText(Bicim::tutar(toplam.gerceklesenKurus));
    b.toplamKutusu->setToolTip(okunamayanlar(toplam.okunamayan));
    durumlariGuncelle();
}

void AnaForm::donemDegisti()
{
    MesajKutusu::hatalariGostererek(this, [this] {
        for (Bolum* b : {&gelir, &gider}) {
            if (b->anaGruplar->currentIndex() >= 0)
                listeyiDoldur(*b, false);
            if (seciliMetin(b->altGruplar))
                listeyiDoldur(*b, true);
        }
        donemOzetiniYaz();
    });
}

// Estimate / realised of each ledger over all groups, and the realised difference.
void AnaForm::donemOzetiniYaz()
{
    const int yil = YilBilgisiKutusu->currentText().toInt();
    std::optional<QString> ay;
    if (AyBilgisiKutusu->currentIndex() > 0)
        ay = AyBilgisiKutusu->currentText();
    const ButceVerisi::DonemToplami gelirler = ButceVerisi::donemToplami(gelirDefteri(), yil, ay);
    const ButceVerisi::DonemToplami giderler = ButceVerisi::donemToplami(giderDefteri(), yil, ay);
    const qint64 fark = gelirler.gerceklesenKurus - giderler.gerceklesenKurus;
    QString farkMetni = QStringLiteral("Fark ") + Bicim::tutar(fark);
    if (fark < 0)
        farkMetni = QStringLiteral("<span style=\"color:%1\">%2</span>")
                        .arg(Doldurma::uyariRengi.name(), farkMetni);
    donemOzeti->setToolTip(okunamayanlar(gelirler.okunamayan + giderler.okunamayan));
    donemOzeti->setText(QStringLiteral("Gelir %1 / %2 · Gider %3 / %4 · %5")
                            .arg(Bicim::tutar(gelirler.tahminKurus),
                                 Bicim::tutar(gelirler.gerceklesenKurus),
                                 Bicim::tutar(giderler.tahminKurus),
                                 Bicim::tutar(giderler.gerceklesenKurus), farkMetni));
}

void AnaForm::donemOzetiniGoster()
{
    MesajKutusu::hatalariGostererek(this, [this] { donemOzetiniYaz(); });
}

void AnaForm::durumlariGuncelle()
{
    for (Bolum* b : {&gelir, &gider}) {
        const bool altGrupVar = seciliMetin(b->altGruplar).has_value();
        const bool anaGrupVar = b->anaGruplar->currentIndex() >= 0;
        b->anaGrubuAdlandir->setEnabled(anaGrupVar);
        b->anaGrubuSil->setEnabled(anaGrupVar);
        b->altGrubuAdlandir->setEnabled(altGrupVar);
        b->altGrubuTasi->setEnabled(altGrupVar);
        b->grupSil->setEnabled(altGrupVar);
        b->ekle->setEnabled(altGrupVar);
        b->sil->setEnabled(b->liste->seciliKimlik().has_value());
    }
    // A list is saved as it stands; an empty one has nothing to give.
    for (Bolum* b : {&gelir, &gider})
        if (b->listeyiKaydet)
            b->listeyiKaydet->setEnabled(b->liste->topLevelItemCount() > 0);
    const bool kayitSecili = etkinBolum && etkinBolum->liste->seciliKimlik();
    kaydiDuzenleEylemi->setEnabled(kayitSecili);
    kaydiSilEylemi->setEnabled(kayitSecili);
    if (grubuAdlandirEylemi) {
        const Bolum& g = *grupBolumu;
        grubuAdlandirEylemi->setEnabled(altGrupListesiEtkin ? g.altGrubuAdlandir->isEnabled()
                                                            : g.anaGrubuAdlandir->isEnabled());
        anaGrubuSilEylemi->setEnabled(g.anaGrubuSil->isEnabled());
    }
}

void AnaForm::etkinYap(Bolum& b)
{
    etkinBolum = &b;
    durumlariGuncelle();
}

std::unique_ptr<GrupEklemeFormu> AnaForm::grupEklemeFormu(const DefterTanimi& defter)
{
    Bolum& b = bolum(defter);
    auto form = std::make_unique<GrupEklemeFormu>(defter, this);
    connect(form.get(), &GrupEklemeFormu::gruplarDegisti, this,
            [this, &b](const Degisiklik& degisiklik) {
                anaGruplariYenile(b);
                komutuKaydet(b.defter->grupEkleDugmesi, degisiklik);
            });
    return form;
}

void AnaForm::grupEklemeyiAc(Bolum& b)
{
    grupEklemeFormu(*b.defter)->exec();
}

void AnaForm::anaGruplariYenile(Bolum& b)
{
    if (MesajKutusu::hatalariGostererek(this, [&] {
            Doldurma::SorguCalistir(ButceVerisi::anaGruplar(*b.defter), b.anaGruplar);
        }))
        anaGrupTiklandi(b);
}

void AnaForm::grupSil(Bolum& b)
{
    const MesajKutusu::Komut komut;
    const std::optional<QString> altGrup = seciliMetin(b.altGruplar);
    if (!altGrup || !MesajKutusu::sor(this, b.defter->grupSilmeSorusu))
        return;
    Degisiklik degisiklik;
    if (!MesajKutusu::hatalariGostererek(this, [&] {
            degisiklik = ButceVerisi::altGrupSil(*b.defter, b.anaGruplar->currentText(), *altGrup);
        }))
        return;
    komutuKaydet(b.defter->grupSilDugmesi, degisiklik);
    if (degisiklik.bos())
        MesajKutusu::bilgi(this,
                           QStringLiteral("Seçilen alt grup veritabanında artık yok; başka bir "
                                          "program tarafından silinmiş olabilir."));
    anaGrupTiklandi(b);
}

void AnaForm::GrubuYenidenAdlandir_Click()
{
    grupDuzeltmeyiAc(*grupBolumu, GrupDuzeltmeFormu::Is::Adlandir, altGrupListesiEtkin);
}

void AnaForm::AnaGrubuSil_Click()
{
    anaGrupSil(*grupBolumu);
}

std::unique_ptr<GrupDuzeltmeFormu>
AnaForm::grupDuzeltmeFormu(const DefterTanimi& defter, GrupDuzeltmeFormu::Is is, bool altGrup)
{
    Bolum& b = bolum(defter);
    const std::optional<QString> secili = seciliMetin(b.altGruplar);
    if (b.anaGruplar->currentIndex() < 0 || (altGrup && !secili))
        return nullptr;
    auto form = std::make_unique<GrupDuzeltmeFormu>(defter, is, b.anaGruplar->currentText(),
                                                    altGrup ? secili : std::nullopt, this);
    connect(form.get(), &GrupDuzeltmeFormu::grupDuzeltildi, this,
            [this, &b](const QString& komut, const GrupDuzeltme::Sonuc& sonuc,
                       const QString& bildirim) { grupDuzeltildi(b, komut, sonuc, bildirim); });
    return form;
}

void AnaForm::grupDuzeltmeyiAc(Bolum& b, GrupDuzeltmeFormu::Is is, bool altGrup)
{
    if (std::unique_ptr<GrupDuzeltmeFormu> form = grupDuzeltmeFormu(*b.defter, is, altGrup))
        form->exec();
}

// The lists follow the group to its new name; the sub-group chosen stays chosen under a renamed
// main group.
void AnaForm::grupDuzeltildi(Bolum& b, const QString& komut, const GrupDuzeltme::Sonuc& sonuc,
                             const QString& bildirim)
{
    const GrupSecimi once{b.anaGruplar->currentText(), seciliMetin(b.altGruplar)};
    GrupSecimi sonra{sonuc.anaGrup, once.altGrup};
    if (!sonuc.altGrup.isEmpty())
        sonra.altGrup = sonuc.altGrup;
    grupKomutunuKaydet(b, komut, sonuc.degisiklik, once, sonra);
    if (!bildirim.isEmpty())
        statusBar()->showMessage(bildirim);
    MesajKutusu::hatalariGostererek(
        this, [&] { bolumuYenile(b, sonuc.degisiklik.bos() ? once : sonra); });
}

void AnaForm::grupKomutunuKaydet(Bolum& b, const QString& ad, const Degisiklik& degisiklik,
                                 const GrupSecimi& once, const GrupSecimi& sonra)
{
    if (degisiklik.bos())
        return;
    geriAlma->push(new YazmaKomutu(ad, degisiklik, this, [this, &b, once, sonra](bool geriye) {
        MesajKutusu::hatalariGostererek(this, [&] { bolumuYenile(b, geriye ? once : sonra); });
    }));
}

// Only an empty main group goes, with its sub-groups; one with entries is refused with their
// count, before the question and again inside the deletion.
void AnaForm::anaGrupSil(Bolum& b)
{
    const MesajKutusu::Komut komut;
    if (b.anaGruplar->currentIndex() < 0)
        return;
    const QString ad = b.anaGruplar->currentText();
    const auto kayitlarVar = [this](qint64 sayi) {
        MesajKutusu::bilgi(this, QStringLiteral("Bu grupta %1 kayıt var; önce kayıtları silin ya "
                                                "da grubu başka bir grupla birleştirin.")
                                     .arg(QLocale().toString(sayi)));
    };
    qint64 kayitlar = 0, altGruplar = 0;
    if (!MesajKutusu::hatalariGostererek(this, [&] {
            kayitlar = GrupDuzeltme::kayitSayisi(*b.defter, ad);
            altGruplar = GrupDuzeltme::altGrupSayisi(*b.defter, ad);
        }))
        return;
    if (kayitlar > 0)
        return kayitlarVar(kayitlar);
    const QString altGrupMetni =
        altGruplar > 0 ? QStringLiteral(" ve %1 alt grubunu").arg(QLocale().toString(altGruplar))
                       : QString();
    if (!MesajKutusu::sor(this, b.defter->anaGrupSilmeSorusu.arg(altGrupMetni)))
        return;
    GrupDuzeltme::Sonuc sonuc;
    if (!MesajKutusu::hatalariGostererek(this,
                                         [&] { sonuc = GrupDuzeltme::anaGrupSil(*b.defter, ad); }))
        return;
    if (sonuc.durum == GrupDuzeltme::Durum::KayitlariVar)
        kayitlarVar(sonuc.kayitSayisi);
    else if (sonuc.durum == GrupDuzeltme::Durum::GrupYok)
        MesajKutusu::bilgi(this,
                           QStringLiteral("Seçilen ana grup veritabanında artık yok; başka bir "
                                          "program tarafından silinmiş olabilir."));
    else
        statusBar()->showMessage(QStringLiteral("«%1» ana grubu silindi.").arg(ad));
    const GrupSecimi once{ad, seciliMetin(b.altGruplar)};
    grupKomutunuKaydet(b, QStringLiteral("Ana Grubu Sil"), sonuc.degisiklik, once, {});
    MesajKutusu::hatalariGostererek(this, [&] { bolumuYenile(b, {}); });
}

std::unique_ptr<KayitEklemeFormu> AnaForm::kayitEklemeFormu(const DefterTanimi& defter)
{
    Bolum& b = bolum(defter);
    const KayitEklemeFormu::Secim secim{.anaGrup = b.anaGruplar->currentText(),
                                        .altGrup = seciliMetin(b.altGruplar).value_or(QString()),
                                        .yil = YilBilgisiKutusu->currentText(),
                                        .ay = AyBilgisiKutusu->currentIndex(),
                                        .bugun = bugun(),
                                        .yillar = yillar};
    auto form = std::make_unique<KayitEklemeFormu>(defter, secim, this);
    connect(form.get(), &KayitEklemeFormu::kayitEklendi, this,
            [this, &b](const Degisiklik& degisiklik) {
                anaGrupTiklandi(b);
                donemOzetiniGoster();
                komutuKaydet(b.defter->ekleDugmesi, degisiklik);
            });
    return form;
}

std::unique_ptr<KayitEklemeFormu> AnaForm::kayitDuzenlemeFormu(const DefterTanimi& defter)
{
    Bolum& b = bolum(defter);
    const std::optional<ButceVerisi::Kayit> kayit = b.liste->seciliKayit();
    if (!kayit)
        return nullptr;
    auto form = std::make_unique<KayitEklemeFormu>(defter, *kayit, yillar, this);
    connect(form.get(), &KayitEklemeFormu::kayitDuzenlendi, this,
            [this, &b](qint64 kimlik, const Degisiklik& degisiklik) {
                duzenlenenKaydiGoster(b, kimlik);
                komutuKaydet(b.defter->duzenlemeBasligi, degisiklik);
            });
    return form;
}

void AnaForm::kayitDuzenlemeyiAc(Bolum& b)
{
    if (std::unique_ptr<KayitEklemeFormu> form = kayitDuzenlemeFormu(*b.defter))
        form->exec();
}

// The list as the user left it, groups and all, with the edited entry still selected.
void AnaForm::duzenlenenKaydiGoster(Bolum& b, qint64 kimlik)
{
    MesajKutusu::hatalariGostererek(this, [&] {
        listeyiDoldur(b, seciliMetin(b.altGruplar).has_value());
        donemOzetiniYaz();
    });
    b.liste->kimligiSec(kimlik);
}

void AnaForm::kayitEklemeyiAc(Bolum& b)
{
    if (seciliMetin(b.altGruplar))
        kayitEklemeFormu(*b.defter)->exec();
}

void AnaForm::kayitSil(Bolum& b)
{
    const MesajKutusu::Komut komut;
    const std::optional<ButceVerisi::Kayit> kayit = b.liste->seciliKayit();
    if (!kayit || !MesajKutusu::sor(this, b.defter->kayitSilmeSorusu + u'\n' + kayitTanimi(*kayit)))
        return;
    Degisiklik degisiklik;
    if (!MesajKutusu::hatalariGostererek(
            this, [&] { degisiklik = ButceVerisi::kayitSil(*b.defter, kayit->kimlik); }))
        return;
    komutuKaydet(b.defter->silDugmesi, degisiklik);
    if (degisiklik.bos())
        MesajKutusu::bilgi(this, kayitArtikYokMesaji);
    MesajKutusu::hatalariGostererek(this, [&] {
        bolumuYenile(b);
        donemOzetiniYaz();
    });
}

void AnaForm::KaydiDuzenle_Click()
{
    if (etkinBolum)
        kayitDuzenlemeyiAc(*etkinBolum);
}

void AnaForm::KaydiSil_Click()
{
    if (etkinBolum)
        kayitSil(*etkinBolum);
}

std::unique_ptr<PlanKopyalamaFormu> AnaForm::planKopyalamaFormu()
{
    auto form = std::make_unique<PlanKopyalamaFormu>(YilBilgisiKutusu->currentText().toInt(),
                                                     AyBilgisiKutusu->currentIndex(), yillar, this);
    connect(form.get(), &PlanKopyalamaFormu::planKopyalandi, this, &AnaForm::planKopyalandi);
    return form;
}

void AnaForm::PlaniKopyala_Click()
{
    planKopyalamaFormu()->exec();
}

void AnaForm::planKopyalandi(qint64 olusturulan, qint64 atlanan, const Degisiklik& degisiklik)
{
    donemDegisti();
    komutuKaydet(QStringLiteral("Planı Kopyala"), degisiklik);
    statusBar()->showMessage(QStringLiteral("Plan kopyalandı: %1 kayıt eklendi, %2 atlandı.")
                                 .arg(olusturulan)
                                 .arg(atlanan));
}

void AnaForm::listeyiKaydet(Bolum& b)
{
    QStringList adParcalari{b.defter->ad + QStringLiteral("ler"), YilBilgisiKutusu->currentText()};
    if (AyBilgisiKutusu->currentIndex() > 0)
        adParcalari << AyBilgisiKutusu->currentText();
    const std::vector<ButceVerisi::Kayit> kayitlar = b.liste->listelenenler();
    csvKaydet(b.listeyiKaydet->text(), adParcalari, [&](CsvYazici& csv) {
        DisaAktarma::kayitListesiniYaz(csv, kayitlar);
        return qint64(kayitlar.size());
    });
}

void AnaForm::TumKayitlariKaydet_Click()
{
    csvKaydet(QStringLiteral("Tüm Kayıtları CSV Olarak Kaydet…"), {QStringLiteral("Tüm Kayıtlar")},
              [](CsvYazici& csv) { return DisaAktarma::tumKayitlariYaz(csv); });
}

void AnaForm::csvKaydet(const QString& baslik, const QStringList& adParcalari,
                        const std::function<qint64(CsvYazici&)>& yaz)
{
    const std::optional<QString> yol = KaydetmeYeri::sor(
        this, QString(baslik).remove(u'…'), DisaAktarma::dosyaAdi(adParcalari, "csv"),
        QStringLiteral("CSV dosyaları (*.csv)"), QStringLiteral("csv"));
    if (!yol)
        return;
    qint64 sayi = 0;
    if (MesajKutusu::hatalariGostererek(
            this, [&] { DisaAktarma::csvYaz(*yol, [&](CsvYazici& csv) { sayi = yaz(csv); }); }))
        statusBar()->showMessage(QStringLiteral("%1 kayıt kaydedildi: %2")
                                     .arg(sayi)
                                     .arg(QDir::toNativeSeparators(*yol)));
}

std::unique_ptr<YedekGeriYuklemeFormu> AnaForm::yedekGeriYuklemeFormu()
{
    auto form = std::make_unique<YedekGeriYuklemeFormu>(
        Yedekleme::klasor(DegiskenModulu::dosyaYolu()), this);
    connect(form.get(), &YedekGeriYuklemeFormu::geriYuklendi, this, &AnaForm::geriYuklendi);
    return form;
}

void AnaForm::YedektenGeriYukle_Click()
{
    yedekGeriYuklemeFormu()->exec();
}

// The commands of this run were written to rows the restored file may not have.
void AnaForm::geriYuklendi(const QString& yedek)
{
    geriAlma->clear();
    hepsiniYenile();
    statusBar()->showMessage(
        QStringLiteral("Yedek geri yüklendi: %1").arg(QFileInfo(yedek).fileName()));
}

void AnaForm::komutuKaydet(const QString& ad, const Degisiklik& degisiklik)
{
    if (!degisiklik.bos())
        geriAlma->push(new YazmaKomutu(ad, degisiklik, this, [this](bool) { hepsiniYenile(); }));
}

void AnaForm::hepsiniYenile()
{
    MesajKutusu::hatalariGostererek(this, [this] {
        bolumuYenile(gelir);
        bolumuYenile(gider);
        donemOzetiniYaz();
    });
}

void AnaForm::bolumuYenile(Bolum& b)
{
    bolumuYenile(b, {b.anaGruplar->currentText(), seciliMetin(b.altGruplar)});
}

void AnaForm::bolumuYenile(Bolum& b, const GrupSecimi& secim)
{
    const QString& anaGrup = secim.anaGrup;
    const std::optional<QString>& altGrup = secim.altGrup;
    Doldurma::SorguCalistir(ButceVerisi::anaGruplar(*b.defter), b.anaGruplar);
    b.anaGruplar->setCurrentIndex(b.anaGruplar->findText(anaGrup));
    {
        const QSignalBlocker sessiz(b.altGruplar);
        b.altGruplar->clear();
        if (b.anaGruplar->currentIndex() >= 0)
            Doldurma::SorguCalistir(ButceVerisi::altGruplar(*b.defter, anaGrup), b.altGruplar);
        if (altGrup)
            if (const auto bulunan = b.altGruplar->findItems(*altGrup, Qt::MatchExactly);
                !bulunan.isEmpty())
                b.altGruplar->setCurrentItem(bulunan.first());
    }
    if (b.anaGruplar->currentIndex() >= 0) {
        listeyiDoldur(b, seciliMetin(b.altGruplar).has_value());
    } else {
        b.liste->bosalt();
        b.toplamKutusu->clear();
        durumlariGuncelle();
    }
}

void AnaForm::Hakkinda_Click()
{
    QStringList satirlar{QStringLiteral("Morvane: ev bütçesi planlama ve izleme")};
    if (const QString surum = QApplication::applicationVersion(); !surum.isEmpty())
        satirlar << QStringLiteral("Sürüm ") + surum;
    satirlar << QString()
             << QStringLiteral("Veri dosyası: ") +
                    QDir::toNativeSeparators(DegiskenModulu::dosyaYolu())
             << QStringLiteral("SQLite ") + DegiskenModulu::sqliteSurumu()
             << QStringLiteral("Qt ") + QString::fromLatin1(qVersion());
    MesajKutusu::bilgi(this, satirlar.join(u'\n'));
}

void AnaForm::ozetiAc(Bolum& b)
{
    AylikOzetFormu form(*b.defter, YilBilgisiKutusu->currentText().toInt(), this);
    form.exec();
}

#include "AnaForm.h"

#include "BankaHareketleriFormu.h"
#include "Bicim.h"
#include "ButceVerisi.h"
#include "DefterBolumu.h"
#include "DegiskenModulu.h"
#include "Denetim.h"
#include "DisaAktarma.h"
#include "Doldurma.h"
#include "DonemOzeti.h"
#include "Esneklik.h"
#include "GrupEklemeFormu.h"
#include "KaydetmeYeri.h"
#include "KayitEklemeFormu.h"
#include "KayitListesi.h"
#include "KilavuzFormu.h"
#include "Lehce.h"
#include "MesajKutusu.h"
#include "OrtakButce.h"
#include "OrtakButceKomutlari.h"
#include "OtomatikYedekleme.h"
#include "PencereDuzeni.h"
#include "PlanKopyalamaFormu.h"
#include "Takvim.h"
#include "TurkceMetin.h"
#include "YazmaKomutu.h"
#include "YedekGeriYuklemeFormu.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSqlDriver>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QUndoStack>

#include <algorithm>
#include <climits>

using Denetim::etiket;
using Denetim::twipAlani;
using Denetim::yerlestir;

AnaForm::AnaForm(QDate bugun, QWidget* ust) : QMainWindow(ust), bugun_(bugun)
{
    setObjectName(QStringLiteral("AnaForm"));
    setWindowTitle(QStringLiteral("Dalvix - Morvane"));
    // The controls stand in a client area of the drawn size at least; the bars add to the window.
    auto* alan = new QWidget(this);
    alan->setObjectName(QStringLiteral("İstemciAlanı"));
    alan->resize(cizilenAlan());
    setCentralWidget(alan);

    gelir = new DefterBolumu(gelirDefteri(), *this, alan,
                             {twipAlani(300, 390, 3255, 3165), twipAlani(3870, 1620, 7695, 1995),
                              twipAlani(3870, 1350, 960, 195), twipAlani(10200, 3765, 1365, 315),
                              twipAlani(9180, 3825, 960, 195), 3750, 1230, 1215});
    gider = new DefterBolumu(giderDefteri(), *this, alan,
                             {twipAlani(300, 4440, 3255, 3165), twipAlani(3870, 4740, 7695, 2835),
                              twipAlani(3870, 4470, 1020, 195), twipAlani(10200, 7785, 1365, 315),
                              twipAlani(9120, 7845, 1020, 195), 7770, 1290, 1275});
    for (DefterBolumu* b : {gelir, gider}) {
        connect(b, &DefterBolumu::komutYapildi, this, &AnaForm::komutuKaydet);
        connect(b, &DefterBolumu::durumDegisti, this, &AnaForm::durumlariGuncelle);
        connect(b, &DefterBolumu::etkinOldu, this, [this, b] {
            etkinBolum = b;
            durumlariGuncelle();
        });
        connect(b, &DefterBolumu::grupEtkinOldu, this, [this, b] {
            grupBolumu = b;
            durumlariGuncelle();
        });
    }
    grupBolumu = gelir;
    donemKur(alan);
    esnet(alan);
    sekmeSirasiniKur();
    geriAlma = new QUndoStack(this);
    geriAlma->setUndoLimit(100);
    dosyaMenusunuKur();
    duzenleMenusunuKur();
    gorunumMenusunuKur();
    yardimMenusunuKur();
    durumCubugunuKur();
    // The entry commands follow the focus (kayitBolumu).
    connect(qApp, &QApplication::focusChanged, this, &AnaForm::durumlariGuncelle);
    ortakBildirimleriDinle();
    ortakButceMenusunuKur();
    otomatikYedekleme = std::make_unique<OtomatikYedekleme>(
        [this](const QString& sorun) { statusBar()->showMessage(sorun); });

    const MesajKutusu::Komut komut;
    std::optional<int> enEskiYil;
    MesajKutusu::hatalariGostererek(this, [&] {
        for (DefterBolumu* b : {gelir, gider})
            Doldurma::SorguCalistir(ButceVerisi::anaGruplar(b->defter()), b->anaGrupListesi());
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
    resize(minimumSize());
    if (const QScreen* ekran = screen())
        move(ekran->availableGeometry().center() - rect().center());
    duzen =
        new PencereDuzeni(this, {gelir->kayitListesi()->header(), gider->kayitListesi()->header()});
}

// The undo stack is a child, so ~QWidget deletes it after this window's own members are gone;
// the indexChanged it sends while clearing itself must not reach them.
AnaForm::~AnaForm()
{
    geriAlma->disconnect(this);
    // Deleting the controls moves the focus.
    qApp->disconnect(this);
}

void AnaForm::donemKur(QWidget* alan)
{
    auto* cerceve = new QGroupBox(QStringLiteral("Tarih Bilgileri"), alan);
    cerceve->setGeometry(twipAlani(3870, 390, 7695, 795));
    AyBilgisiKutusu = yerlestir(new QComboBox(cerceve), QStringLiteral("AyBilgisiKutusu"),
                                twipAlani(5580, 300, 1785, 315), QStringLiteral("Ay:"));
    YilBilgisiKutusu = yerlestir(new QComboBox(cerceve), QStringLiteral("YılBilgisiKutusu"),
                                 twipAlani(780, 300, 1785, 315), QStringLiteral("Yıl:"));
    etiket(cerceve, QStringLiteral("Ay:"), twipAlani(5160, 360, 225, 195), true)
        ->setBuddy(AyBilgisiKutusu);
    etiket(cerceve, QStringLiteral("Yıl:"), twipAlani(360, 360, 210, 195), true)
        ->setBuddy(YilBilgisiKutusu);
    DonemRaporuDugmesi =
        Denetim::dugme(cerceve, QStringLiteral("DönemRaporuDüğmesi"),
                       QStringLiteral("Dönem Raporu"), twipAlani(2880, 285, 1950, 345));
    connect(DonemRaporuDugmesi, &QPushButton::clicked, this, &AnaForm::DonemRaporu_Click);
}

QSize AnaForm::cizilenAlan()
{
    return {Bicim::twip(11910), Bicim::twip(8520)};
}

// Right of the group frames everything widens; the ledgers share the extra height equally.
void AnaForm::esnet(QWidget* alan)
{
    auto* esneklik = new Esneklik(alan, cizilenAlan());
    esneklik->ekle(YilBilgisiKutusu->parentWidget(),
                   {Esneklik::Yok, Esneklik::Yok, Esneklik::Tam, Esneklik::Yok});
    gelir->esnet(*esneklik, Esneklik::Yok, Esneklik::Yari);
    gider->esnet(*esneklik, Esneklik::Yari, Esneklik::Tam);
}

void AnaForm::durumCubugunuKur()
{
    donemOzeti = new DonemOzeti(statusBar());
}

void AnaForm::sekmeSirasiniKur()
{
    const QList<QWidget*> sira = gelir->gruplarSekmeSirasi() + gider->gruplarSekmeSirasi() +
                                 QList<QWidget*>{YilBilgisiKutusu, DonemRaporuDugmesi,
                                                 AyBilgisiKutusu, gelir->kayitListesi()} +
                                 gelir->kayitlarSekmeSirasi() + gider->kayitlarSekmeSirasi() +
                                 QList<QWidget*>{gider->kayitListesi()};
    for (qsizetype i = 1; i < sira.size(); ++i)
        setTabOrder(sira[i - 1], sira[i]);
}

void AnaForm::dosyaMenusunuKur()
{
    dosyaMenusu = menuBar()->addMenu(QStringLiteral("&Dosya"));
    QMenu* disaAktar = dosyaMenusu->addMenu(QStringLiteral("Dışa Aktar"));
    for (DefterBolumu* b : {gelir, gider})
        b->listeyiKaydetEyleminiEkle(disaAktar);
    disaAktar->addAction(QStringLiteral("Tüm Kayıtları Kaydet…"), this,
                         &AnaForm::TumKayitlariKaydet_Click);
    bankaHareketleriEylemi =
        dosyaMenusu->addAction(QStringLiteral("Banka Hareketlerini İçe Aktar…"), this,
                               &AnaForm::BankaHareketleriniIceAktar_Click);
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
    for (KayitListesi* liste : {gelir->kayitListesi(), gider->kayitListesi()}) {
        liste->setContextMenuPolicy(Qt::ActionsContextMenu);
        liste->addActions({kaydiDuzenleEylemi, kaydiSilEylemi, bankaHareketleriEylemi});
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

void AnaForm::gorunumMenusunuKur()
{
    gorunumMenusu = menuBar()->addMenu(QStringLiteral("&Görünüm"));
    gorunumMenusu->addAction(QStringLiteral("Dönem Raporu…"), this, &AnaForm::DonemRaporu_Click)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    gorunumMenusu->addSeparator();
    gorunumMenusu->addAction(QStringLiteral("Pencere Düzenini Sıfırla"), this,
                             &AnaForm::PencereDuzeniniSifirla_Click);
}

void AnaForm::PencereDuzeniniSifirla_Click()
{
    duzen->sifirla();
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

DefterBolumu& AnaForm::bolum(const DefterTanimi& defter)
{
    Q_ASSERT(&defter == &gelir->defter() || &defter == &gider->defter());
    return &defter == &gelir->defter() ? *gelir : *gider;
}

std::unique_ptr<GrupEklemeFormu> AnaForm::grupEklemeFormu(const DefterTanimi& defter)
{
    return bolum(defter).grupEklemeFormu();
}

std::unique_ptr<KayitEklemeFormu> AnaForm::kayitEklemeFormu(const DefterTanimi& defter)
{
    return bolum(defter).kayitEklemeFormu();
}

std::unique_ptr<KayitEklemeFormu> AnaForm::kayitDuzenlemeFormu(const DefterTanimi& defter)
{
    return bolum(defter).kayitDuzenlemeFormu();
}

void AnaForm::donemDegisti()
{
    MesajKutusu::hatalariGostererek(this, [this] {
        for (DefterBolumu* b : {gelir, gider})
            b->donemiListele();
        donemOzetiniYaz();
    });
}

// Estimate and realised of each ledger over all groups, and the realised difference.
void AnaForm::donemOzetiniYaz()
{
    const std::optional<QString> ay = seciliAy();
    donemToplamlari = {ButceVerisi::donemToplami(gelirDefteri(), secilenYil(), ay),
                       ButceVerisi::donemToplami(giderDefteri(), secilenYil(), ay)};
    donemOzetiniBas();
}

std::optional<QString> AnaForm::seciliAy() const
{
    if (AyBilgisiKutusu->currentIndex() > 0)
        return AyBilgisiKutusu->currentText();
    return std::nullopt;
}

int AnaForm::secilenYil() const
{
    return YilBilgisiKutusu->currentText().toInt();
}

void AnaForm::donemOzetiniDuzelt(const DefterTanimi& defter, const ButceVerisi::Kayit& once,
                                 const ButceVerisi::Kayit& sonra)
{
    ButceVerisi::DonemToplami& t = donemToplamlari[&defter == &giderDefteri()];
    const auto sinirda = [](qint64 x) { return x == LLONG_MAX || x == LLONG_MIN; };
    const auto ekle = [&](const ButceVerisi::Kayit& k, int isaret) {
        const std::optional<QString> ay = seciliAy();
        if (k.yil != secilenYil() || (ay && !TurkceMetin::esit(k.ay, *ay)))
            return;
        t.tahminKurus = Tutar::topla(t.tahminKurus, isaret * k.tahminKurus.value_or(0));
        t.gerceklesenKurus =
            Tutar::topla(t.gerceklesenKurus, isaret * k.gerceklesenKurus.value_or(0));
        t.okunamayan += isaret * k.okunamayan;
    };
    // A sum held at its limit no longer tells what one entry adds to it.
    if (sinirda(t.tahminKurus) || sinirda(t.gerceklesenKurus))
        return donemOzetiniYaz();
    ekle(once, -1);
    ekle(sonra, 1);
    if (sinirda(t.tahminKurus) || sinirda(t.gerceklesenKurus))
        return donemOzetiniYaz();
    donemOzetiniBas();
}

void AnaForm::donemOzetiniBas()
{
    const auto& [gelirler, giderler] = donemToplamlari;
    const std::optional<QString> ay = seciliAy();
    const int yil = secilenYil();
    const auto defterParcasi = [](const QString& ad, const ButceVerisi::DonemToplami& t) {
        const QString gerceklesen = Bicim::tutar(t.gerceklesenKurus);
        return DonemOzeti::Parca{
            QStringLiteral("%1: %2 planlanan · %3 gerçekleşen")
                .arg(ad, Bicim::tutar(t.tahminKurus), gerceklesen),
            QStringLiteral("%1: %2").arg(ad, gerceklesen), gerceklesen};
    };
    const qint64 fark = gelirler.gerceklesenKurus - giderler.gerceklesenKurus;
    const QString farkMetni = Bicim::tutar(fark);
    donemOzeti->goster(
        {defterParcasi(QStringLiteral("Gelir"), gelirler),
         defterParcasi(QStringLiteral("Gider"), giderler),
         {QStringLiteral("Fark (gerçekleşen): ") + farkMetni, QStringLiteral("Fark: ") + farkMetni,
          farkMetni, fark < 0}},
        ay ? *ay + u' ' + QString::number(yil) : QStringLiteral("%1, tüm aylar").arg(yil),
        DefterBolumu::okunamayanlar(gelirler.okunamayan + giderler.okunamayan));
}

void AnaForm::donemOzetiniGoster()
{
    MesajKutusu::hatalariGostererek(this, [this] { donemOzetiniYaz(); });
}

void AnaForm::durumlariGuncelle()
{
    for (DefterBolumu* b : {gelir, gider})
        b->dugmeleriGuncelle();
    const DefterBolumu* kayitlar = kayitBolumu();
    const bool kayitSecili = kayitlar && kayitlar->kayitListesi()->seciliKimlik();
    kaydiDuzenleEylemi->setEnabled(kayitSecili);
    kaydiSilEylemi->setEnabled(kayitSecili);
    grubuAdlandirEylemi->setEnabled(grupBolumu->adlandirilabilir());
    anaGrubuSilEylemi->setEnabled(grupBolumu->anaGrupSilinebilir());
}

DefterBolumu* AnaForm::kayitBolumu() const
{
    const QWidget* odak = focusWidget();
    for (DefterBolumu* b : {gelir, gider})
        if (odak == b->kayitListesi())
            return b;
    return odak && odak != menuBar() ? nullptr : etkinBolum;
}

std::unique_ptr<PlanKopyalamaFormu> AnaForm::planKopyalamaFormu()
{
    auto form = std::make_unique<PlanKopyalamaFormu>(secilenYil(),
                                                     AyBilgisiKutusu->currentIndex(), yillar, this);
    connect(form.get(), &PlanKopyalamaFormu::planKopyalandi, this, &AnaForm::planKopyalandi);
    return form;
}

void AnaForm::PlaniKopyala_Click()
{
    disaridanDegisenleriListele();
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

void AnaForm::TumKayitlariKaydet_Click()
{
    tabloKaydet(QStringLiteral("Tüm Kayıtları Kaydet…"), {QStringLiteral("Tüm Kayıtlar")},
                [](const QString& yol) { return DisaAktarma::tumKayitlariKaydet(yol); });
}

void AnaForm::tabloKaydet(const QString& baslik, const QStringList& adParcalari,
                          const std::function<qint64(const QString& yol)>& yaz)
{
    const std::optional<QString> yol =
        KaydetmeYeri::sor(this, QString(baslik).remove(u'…'),
                          DisaAktarma::dosyaAdi(adParcalari, "xlsx"), DisaAktarma::tabloTurleri());
    if (!yol)
        return;
    qint64 sayi = 0;
    if (MesajKutusu::hatalariGostererek(this, [&] { sayi = yaz(*yol); }))
        statusBar()->showMessage(
            QStringLiteral("%1 (%2 kayıt)").arg(KaydetmeYeri::kaydedildi(*yol)).arg(sayi));
}

std::unique_ptr<YedekGeriYuklemeFormu> AnaForm::yedekGeriYuklemeFormu()
{
    auto form = std::make_unique<YedekGeriYuklemeFormu>(
        Yedekleme::acikButceninKlasoru(), this);
    connect(form.get(), &YedekGeriYuklemeFormu::geriYuklendi, this, &AnaForm::geriYuklendi);
    return form;
}

void AnaForm::YedektenGeriYukle_Click()
{
    yedekGeriYuklemeFormu()->exec();
}

void AnaForm::BankaHareketleriniIceAktar_Click()
{
    BankaHareketleriFormu pencere(this);
    connect(&pencere, &BankaHareketleriFormu::hareketlerOnaylandi, this,
            [this](const EkstreOkuma& okuma) {
                statusBar()->showMessage(
                    QStringLiteral("Banka ekstresi okundu: %1 hareket.").arg(okuma.cozum.ozet.sayi));
            });
    pencere.exec();
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

void AnaForm::disaridanDegisenleriListele()
{
    if (DegiskenModulu::baskasiDegistirdi())
        hepsiniYenile();
}

bool AnaForm::event(QEvent* olay)
{
    if (olay->type() == QEvent::WindowActivate)
        disaridanDegisenleriListele();
    return QMainWindow::event(olay);
}

// The shared budget's commands above "Yedekten Geri Yükle…"; on one the caption and the status bar
// name it.
void AnaForm::ortakButceMenusunuKur()
{
    QAction* yer = dosyaMenusu->actions().at(1);
    const bool ortak = Lehce::sunucuda();
    auto ekle = [&](const QString& ad, bool etkin, auto komut) {
        QAction* eylem = new QAction(ad, dosyaMenusu);
        eylem->setEnabled(etkin);
        connect(eylem, &QAction::triggered, this, komut);
        dosyaMenusu->insertAction(yer, eylem);
    };
    ekle(QStringLiteral("Ortak Bütçeye Bağlan…"), true, [this] { OrtakButceKomutlari::baglan(this); });
    ekle(QStringLiteral("Bu Bütçeyi Ortak Bütçeye Taşı…"), !ortak,
         [this] { OrtakButceKomutlari::dosyadanTasi(this); });
    ekle(QStringLiteral("Ortak Bütçeyi Dosyaya Kaydet…"), ortak,
         [this] { OrtakButceKomutlari::dosyayaKaydet(this); });
    ekle(QStringLiteral("Yerel Dosyaya Dön"), ortak, [] { OrtakButceKomutlari::yereleDon(); });
    dosyaMenusu->insertSeparator(yer);
    if (!ortak)
        return;
    const QString ad = QStringLiteral("Ortak bütçe: %1").arg(OrtakButce::acikButce());
    setWindowTitle(windowTitle() + QStringLiteral(" - ") + ad);
    auto* etiket = new QLabel(ad, this);
    etiket->setObjectName(QStringLiteral("OrtakBütçeEtiketi"));
    statusBar()->addPermanentWidget(etiket);
}

// On a shared budget, what another member's program writes is listed at once, the selection kept.
void AnaForm::ortakBildirimleriDinle()
{
    const QSqlDriver* surucu = DegiskenModulu::VeriTabani().driver();
    if (!Lehce::sunucuda() || !surucu)
        return;
    connect(surucu, &QSqlDriver::notification, this,
            [this](const QString&, QSqlDriver::NotificationSource kaynak) {
                if (kaynak == QSqlDriver::OtherSource)
                    hepsiniYenile();
            });
}

void AnaForm::hepsiniYenile()
{
    MesajKutusu::hatalariGostererek(this, [this] {
        gelir->yenile();
        gider->yenile();
        donemOzetiniYaz();
    });
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

std::unique_ptr<DonemRaporuFormu> AnaForm::donemRaporuFormu()
{
    auto form = std::make_unique<DonemRaporuFormu>(secilenYil(),
                                                   AyBilgisiKutusu->currentIndex(), this);
    connect(form.get(), &DonemRaporuFormu::grupGosterilsin, this, &AnaForm::raporGrubunuGoster);
    connect(form.get(), &DonemRaporuFormu::bildirim, this,
            [this](const QString& metin) { statusBar()->showMessage(metin); });
    return form;
}

void AnaForm::DonemRaporu_Click()
{
    donemRaporuFormu()->exec();
}

// The period first, then the groups, found by the Turkish letter rules; a group the lists lack
// leaves the main group, or nothing, chosen.
void AnaForm::raporGrubunuGoster(const DonemRaporuFormu::Hedef& hedef)
{
    const MesajKutusu::Komut komut;
    {
        const QSignalBlocker yil(YilBilgisiKutusu);
        const QSignalBlocker ay(AyBilgisiKutusu);
        if (hedef.yil && YilBilgisiKutusu->findText(QString::number(*hedef.yil)) >= 0)
            YilBilgisiKutusu->setCurrentText(QString::number(*hedef.yil));
        AyBilgisiKutusu->setCurrentIndex(hedef.ay);
    }
    donemDegisti();
    DefterBolumu& b = bolum(*hedef.defter);
    const auto bul = [](const QStringList& adlar, const QString& ad) {
        for (int i = 0; i < adlar.size(); ++i)
            if (TurkceMetin::esit(adlar[i], ad))
                return i;
        return -1;
    };
    QStringList anaGruplar;
    for (int i = 0; i < b.anaGrupListesi()->count(); ++i)
        anaGruplar << b.anaGrupListesi()->itemText(i);
    const int ana = bul(anaGruplar, hedef.anaGrup);
    if (ana < 0)
        return;
    b.anaGrupListesi()->setCurrentIndex(ana);
    b.anaGrupTiklandi();
    QStringList altGruplar;
    for (int i = 0; i < b.altGrupListesi()->count(); ++i)
        altGruplar << b.altGrupListesi()->item(i)->text();
    if (const int alt = bul(altGruplar, hedef.altGrup); alt >= 0)
        b.altGrupListesi()->setCurrentRow(alt);
}

#include "AnaForm.h"

#include "Baglanti.h"
#include "BankaHareketleriFormu.h"
#include "Bicim.h"
#include "ButceVerisi.h"
#include "Denetim.h"
#include "DisaAktarma.h"
#include "DonemOzeti.h"
#include "DonemSecici.h"
#include "Esneklik.h"
#include "HareketAtamaFormu.h"
#include "KaydetmeYeri.h"
#include "KayitListesi.h"
#include "KilavuzFormu.h"
#include "KurallarFormu.h"
#include "MesajKutusu.h"
#include "OrtakButceDurumu.h"
#include "OtomatikYedekleme.h"
#include "PencereDuzeni.h"
#include "PlanKopyalamaFormu.h"
#include "Sema.h"
#include "Takvim.h"
#include "YazmaKomutu.h"
#include "YedekGeriYuklemeFormu.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QUndoStack>

#include <algorithm>

using Denetim::twipAlani;

AnaForm::AnaForm(QDate bugunTarihi, QWidget* ust, IlkRakamlar ilkRakamlar)
    : QMainWindow(ust), bugun(bugunTarihi), rakamlarBoyaninca(ilkRakamlar == IlkRakamlar::Boyaninca)
{
    setObjectName(QStringLiteral("AnaForm"));
    setWindowTitle(QStringLiteral("Dalvix - Morvane"));
    // One message at most while the window is built.
    const MesajKutusu::Komut komut;
    const QDate acilis = bugun.isValid() ? bugun : QDate::currentDate();
    std::optional<int> enEskiYil;
    MesajKutusu::hatalariGostererek(
        this, [&] { enEskiYil = ButceVerisi::enEskiYil(Takvim::enErkenYil); });
    yillar = Takvim::yilAraligi(enEskiYil, acilis.year());

    // The controls stand in a client area of the drawn size at least; the bars add to the window.
    auto* alan = new QWidget(this);
    alan->setObjectName(QStringLiteral("İstemciAlanı"));
    alan->resize(cizilenAlan());
    setCentralWidget(alan);
    gelir = new DefterBolumu(gelirDefteri(), alan,
                             {twipAlani(300, 390, 3255, 3165), twipAlani(3870, 1620, 7695, 1995),
                              twipAlani(3870, 1350, 960, 195), twipAlani(10200, 3765, 1365, 315),
                              twipAlani(9180, 3825, 960, 195), 3750, 1230, 1215},
                             yillar, bugun);
    gider = new DefterBolumu(giderDefteri(), alan,
                             {twipAlani(300, 4440, 3255, 3165), twipAlani(3870, 4740, 7695, 2835),
                              twipAlani(3870, 4470, 1020, 195), twipAlani(10200, 7785, 1365, 315),
                              twipAlani(9120, 7845, 1020, 195), 7770, 1290, 1275},
                             yillar, bugun);
    grupBolumu = gelir;
    secici = new DonemSecici(alan, yillar);
    DonemRaporuDugmesi =
        Denetim::dugme(secici, QStringLiteral("DönemRaporuDüğmesi"), QStringLiteral("Dönem Raporu"),
                       twipAlani(2880, 285, 1950, 345));
    connect(static_cast<QPushButton*>(DonemRaporuDugmesi), &QPushButton::clicked, this,
            &AnaForm::DonemRaporu_Click);
    esnet(alan);
    sekmeSirasiniKur();
    geriAlma = new QUndoStack(this);
    geriAlma->setUndoLimit(100);
    menuleriKur();
    donemOzeti = new DonemOzeti(statusBar());
    halleriBagla();
    // The entry commands follow the focus (kayitBolumu).
    connect(qApp, &QApplication::focusChanged, this, &AnaForm::durumlariGuncelle);
    // The shared budget's commands above the second entry of "Dosya".
    new OrtakButceDurumu(this, menuBar()->actions().constFirst()->menu(), 1,
                         [this] { hepsiniYenile(); });
    otomatikYedekleme = std::make_unique<OtomatikYedekleme>(
        [this](const QString& sorun) { statusBar()->showMessage(sorun); });

    MesajKutusu::hatalariGostererek(this, [this] {
        gelir->yenile();
        gider->yenile();
    });
    connect(secici, &DonemSecici::degisti, this, &AnaForm::donemDegisti);
    secici->sec({std::clamp(acilis.year(), yillar.ilk, yillar.son), acilis.month()});
    durumlariGuncelle();

    layout()->activate();
    // Measuring the names costs a statement and their texts: not for a size kept from before.
    resize(PencereDuzeni::kayitli(objectName()) ? minimumSize() : varsayilanBoyut());
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

void AnaForm::halleriBagla()
{
    for (DefterBolumu* b : {gelir, gider}) {
        connect(b, &DefterBolumu::komutYapildi, this, &AnaForm::komutuKaydet);
        connect(b, &DefterBolumu::komutBasliyor, this, &AnaForm::disaridanDegisenleriListele);
        connect(b, &DefterBolumu::bildirim, this,
                [this](const QString& metin) { statusBar()->showMessage(metin); });
        connect(b, &DefterBolumu::rakamlarDegisti, this, &AnaForm::rakamlariGoster);
        connect(b, &DefterBolumu::kayitDegisti, this,
                [this, b](const ButceVerisi::Kayit& once, const ButceVerisi::Kayit& sonra) {
                    MesajKutusu::hatalariGostererek(
                        this, [&] { donemOzeti->duzelt(b->defter(), once, sonra); });
                });
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
}

QSize AnaForm::cizilenAlan()
{
    return {Bicim::twip(11910), Bicim::twip(8520)};
}

// The drawn size, widened as far as the screen allows where the entry lists would cut the
// budget's group names.
QSize AnaForm::varsayilanBoyut()
{
    int ek = 0;
    MesajKutusu::hatalariGostererek(this, [&] {
        ek = std::max(gelir->adlaraGerekenEk(), gider->adlaraGerekenEk());
    });
    QSize boyut = minimumSize() + QSize(ek, 0);
    if (const QScreen* ekran = screen())
        boyut.setWidth(
            std::min(boyut.width(), std::max(minimumWidth(), ekran->availableGeometry().width())));
    return boyut;
}

// Right of the group frames everything widens; the ledgers share the extra height equally.
void AnaForm::esnet(QWidget* alan)
{
    auto* esneklik = new Esneklik(alan, cizilenAlan());
    esneklik->ekle(secici, {Esneklik::Yok, Esneklik::Yok, Esneklik::Tam, Esneklik::Yok});
    gelir->esnet(*esneklik, Esneklik::Yok, Esneklik::Yari);
    gider->esnet(*esneklik, Esneklik::Yari, Esneklik::Tam);
}

void AnaForm::sekmeSirasiniKur()
{
    const QList<QWidget*> sira = gelir->gruplarSekmeSirasi() + gider->gruplarSekmeSirasi() +
                                 QList<QWidget*>{secici->yilKutusu(), DonemRaporuDugmesi,
                                                 secici->ayKutusu(), gelir->kayitListesi()} +
                                 gelir->kayitlarSekmeSirasi() + gider->kayitlarSekmeSirasi() +
                                 QList<QWidget*>{gider->kayitListesi()};
    for (qsizetype i = 1; i < sira.size(); ++i)
        setTabOrder(sira[i - 1], sira[i]);
}

// Every command of the menu bar, in its order. A command of a ledger's half acts on the half
// the user works in: the entry commands on kayitBolumu(), the group commands on the half whose
// group list has the focus or was used last.
QList<AnaForm::MenuKomutu> AnaForm::menuTablosu()
{
    const QString dosya = QStringLiteral("&Dosya"), duzenle = QStringLiteral("Dü&zenle"),
                  gorunum = QStringLiteral("&Görünüm"), yardim = QStringLiteral("&Yardım");
    const QString disaAktar = dosya + QStringLiteral("/Dışa Aktar");
    // Each command is a lambda of its own: UBSan under GCC 12 misreads a pointer captured by a
    // lambda made inside another and fails "Geri Al".
    const auto kayitSecili = [this] { return kayitBolumu() && kayitBolumu()->kayitSecili(); };
    QList<MenuKomutu> tablo;
    for (DefterBolumu* b : {gelir, gider})
        tablo.append({disaAktar, b->defter().ad + QStringLiteral(" Listesini Kaydet…"), {},
                      [b] { b->listeyiKaydet(); }, [b] { return b->listeKaydedilebilir(); }});
    // clang-format off
    return tablo + QList<MenuKomutu>{
        {disaAktar, QStringLiteral("Tüm Kayıtları Kaydet…"), {}, [this] { TumKayitlariKaydet_Click(); }},
        {dosya, QStringLiteral("Banka Hareketlerini İçe Aktar…"), {}, [this] { BankaHareketleriniIceAktar_Click(); }},
        {dosya, QStringLiteral("Yedekten Geri Yükle…"), {}, [this] { YedektenGeriYukle_Click(); }},
        {dosya},
        {dosya, QStringLiteral("Çıkış"), {Qt::CTRL | Qt::Key_Q}, [this] { close(); }},
        {duzenle, QStringLiteral("Geri Al"), {Qt::CTRL | Qt::Key_Z}, [this] { yigindan(&QUndoStack::undo); }},
        {duzenle, QStringLiteral("Yinele"), {Qt::CTRL | Qt::Key_Y, Qt::CTRL | Qt::SHIFT | Qt::Key_Z},
         [this] { yigindan(&QUndoStack::redo); }},
        {duzenle},
        {duzenle, QStringLiteral("Kaydı Düzenle…"), {Qt::Key_F2}, [this] { kayitBolumundan(&DefterBolumu::kayitDuzenlemeyiAc); },
         kayitSecili},
        {duzenle, QStringLiteral("Kaydı Sil"), {QKeySequence::Delete}, [this] { kayitBolumundan(&DefterBolumu::kayitSil); },
         kayitSecili},
        {duzenle, QStringLiteral("Hareketleri Göster…"), {}, [this] { kayitBolumundan(&DefterBolumu::hareketleriGoster); },
         [this] { return kayitBolumu() && kayitBolumu()->hareketliSecili(); }},
        {duzenle},
        {duzenle, QStringLiteral("Grubu Yeniden Adlandır…"), {}, [this] { grupBolumu->grubuYenidenAdlandir(); },
         [this] { return grupBolumu->adlandirilabilir(); }},
        {duzenle, QStringLiteral("Ana Grubu Sil…"), {}, [this] { grupBolumu->anaGrupSil(); },
         [this] { return grupBolumu->anaGrupSilinebilir(); }},
        {duzenle},
        {duzenle, QStringLiteral("Planı Kopyala…"), {}, [this] { PlaniKopyala_Click(); }},
        {duzenle, QStringLiteral("İçe Aktarma Kuralları…"), {}, [this] { IceAktarmaKurallari_Click(); }},
        {gorunum, QStringLiteral("Dönem Raporu…"), {Qt::CTRL | Qt::Key_R}, [this] { DonemRaporu_Click(); }},
        {gorunum},
        {gorunum, QStringLiteral("Pencere Düzenini Sıfırla"), {}, [this] { PencereDuzeniniSifirla_Click(); }},
        {yardim, QStringLiteral("Kullanım Kılavuzu"), {Qt::Key_F1}, [this] { KilavuzFormu::goster(this); }},
        {yardim, QStringLiteral("Hakkında"), {}, [this] { KilavuzFormu::hakkinda(this); }}};
    // clang-format on
}

void AnaForm::yigindan(void (QUndoStack::*is)())
{
    (geriAlma->*is)();
    yiginEylemleriniGuncelle();
}

void AnaForm::kayitBolumundan(void (DefterBolumu::*is)())
{
    if (DefterBolumu* b = kayitBolumu())
        (b->*is)();
}

void AnaForm::menuleriKur()
{
    QHash<QString, QMenu*> menuler;
    // A menu made where first named, a submenu in its menu.
    const std::function<QMenu*(const QString&)> menusu = [&](const QString& yol) {
        if (QMenu* var = menuler.value(yol))
            return var;
        const qsizetype bolu = yol.lastIndexOf(u'/');
        QMenu* yeni = bolu < 0 ? menuBar()->addMenu(yol)
                               : menusu(yol.left(bolu))->addMenu(yol.mid(bolu + 1));
        menuler.insert(yol, yeni);
        return yeni;
    };
    QHash<QString, QAction*> eylemler;
    for (const MenuKomutu& k : menuTablosu()) {
        QMenu* menu = menusu(k.menu);
        if (k.ad.isEmpty()) {
            menu->addSeparator();
            continue;
        }
        QAction* eylem = menu->addAction(k.ad, this, k.islem);
        eylem->setShortcuts(k.tuslar);
        eylemler.insert(k.ad, eylem);
        if (k.etkin)
            etkinlikler.append({eylem, k.etkin});
    }
    geriAlEylemi = eylemler.value(QStringLiteral("Geri Al"));
    yineleEylemi = eylemler.value(QStringLiteral("Yinele"));
    connect(geriAlma, &QUndoStack::indexChanged, this, &AnaForm::yiginEylemleriniGuncelle);
    yiginEylemleriniGuncelle();
    // Each entry list offers the entry commands on its own menu.
    for (KayitListesi* liste : {gelir->kayitListesi(), gider->kayitListesi()}) {
        liste->setContextMenuPolicy(Qt::ActionsContextMenu);
        liste->addActions({eylemler.value(QStringLiteral("Kaydı Düzenle…")),
                           eylemler.value(QStringLiteral("Kaydı Sil")),
                           eylemler.value(QStringLiteral("Hareketleri Göster…")),
                           eylemler.value(QStringLiteral("Banka Hareketlerini İçe Aktar…"))});
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

void AnaForm::PencereDuzeniniSifirla_Click()
{
    duzen->sifirla();
    resize(varsayilanBoyut());
}

DefterBolumu& AnaForm::bolum(const DefterTanimi& defter)
{
    Q_ASSERT(&defter == &gelir->defter() || &defter == &gider->defter());
    return &defter == &gelir->defter() ? *gelir : *gider;
}

// One message at most, however many statements fail.
void AnaForm::donemDegisti(const Donem& donem)
{
    const MesajKutusu::Komut komut;
    for (DefterBolumu* b : {gelir, gider})
        b->donemDegisti(donem);
    if (!rakamlarBoyaninca)
        rakamlariGoster();
}

void AnaForm::rakamlariGoster()
{
    MesajKutusu::hatalariGostererek(this, [this] { donemOzeti->oku(secici->donem()); });
}

void AnaForm::durumlariGuncelle()
{
    for (DefterBolumu* b : {gelir, gider})
        b->dugmeleriGuncelle();
    for (const auto& [eylem, etkin] : std::as_const(etkinlikler))
        eylem->setEnabled(etkin());
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
    auto form = std::make_unique<PlanKopyalamaFormu>(secici->donem(), yillar, this);
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
    donemDegisti(secici->donem());
    komutuKaydet(QStringLiteral("Planı Kopyala"), degisiklik, {});
    statusBar()->showMessage(QStringLiteral("Plan kopyalandı: %1 kayıt eklendi, %2 atlandı.")
                                 .arg(olusturulan)
                                 .arg(atlanan));
}

// The bank movements are offered on a sheet of their own when the budget has any.
void AnaForm::TumKayitlariKaydet_Click()
{
    const QString tablo = Sema::hareketTablosu().ad;
    qint64 hareketSayisi = 0;
    if (!MesajKutusu::hatalariGostererek(this, [&] {
            if (Sema::tabloVar(Baglanti::program().db(), tablo))
                hareketSayisi = ButceVerisi::satirSayisi(tablo);
        }))
        return;
    bool hareketlerle = false;
    if (hareketSayisi > 0) {
        const int secim = MesajKutusu::sec(
            this, MesajKutusu::Simge::Soru,
            QStringLiteral("Bütçede %1 banka hareketi var. Hareketler de ayrı bir \"Hareketler\" "
                           "sayfasında kaydedilsin mi?")
                .arg(hareketSayisi),
            {QStringLiteral("Hareketlerle Kaydet"), QStringLiteral("Hareketsiz Kaydet")});
        if (secim < 0)
            return;
        hareketlerle = secim == 0;
    }
    const QStringList ad{QStringLiteral("Tüm Kayıtlar")};
    qint64 sayi = 0;
    if (const std::optional<QString> yol = KaydetmeYeri::kaydet(
            this, QStringLiteral("Tüm Kayıtları Kaydet"),
            DisaAktarma::dosyaAdi(ad, QStringLiteral("xlsx")), DisaAktarma::tabloTurleri(),
            [&](const QString& hedef) {
                sayi = DisaAktarma::tumKayitlariKaydet(hedef, std::nullopt, hareketlerle);
            }))
        statusBar()->showMessage(
            KaydetmeYeri::kaydedildi(*yol, QStringLiteral("(%1 kayıt)").arg(sayi)));
}

std::unique_ptr<YedekGeriYuklemeFormu> AnaForm::yedekGeriYuklemeFormu()
{
    auto form = std::make_unique<YedekGeriYuklemeFormu>(Yedekleme::acikButceninKlasoru(), this);
    connect(form.get(), &YedekGeriYuklemeFormu::geriYuklendi, this, &AnaForm::geriYuklendi);
    return form;
}

void AnaForm::YedektenGeriYukle_Click()
{
    yedekGeriYuklemeFormu()->exec();
}

void AnaForm::BankaHareketleriniIceAktar_Click()
{
    disaridanDegisenleriListele();
    BankaHareketleriFormu pencere(this);
    std::optional<EkstreOkuma> onaylanan;
    connect(&pencere, &BankaHareketleriFormu::hareketlerOnaylandi, this,
            [&](const EkstreOkuma& okuma) { onaylanan = okuma; });
    if (pencere.exec() != QDialog::Accepted || !onaylanan)
        return;
    std::unique_ptr<HareketAtamaFormu> atama;
    if (MesajKutusu::hatalariGostererek(
            this, [&] { atama = hareketAtamaFormu(*onaylanan, pencere.dosya()); }))
        atama->exec();
}

std::unique_ptr<HareketAtamaFormu> AnaForm::hareketAtamaFormu(const EkstreOkuma& okuma,
                                                              const QString& dosya)
{
    auto form = std::make_unique<HareketAtamaFormu>(okuma, dosya, this);
    connect(form.get(), &HareketAtamaFormu::kuralEklendi, this,
            [this](const Degisiklik& d) { komutuKaydet(QStringLiteral("Kural Ekle"), d, {}); });
    connect(form.get(), &HareketAtamaFormu::aktarildi, this, &AnaForm::hareketlerAktarildi);
    return form;
}

void AnaForm::hareketlerAktarildi(const HareketAktarimi::Sonuc& sonuc)
{
    komutuKaydet(QStringLiteral("Banka hareketleri (%1)").arg(sonuc.saklanan), sonuc.degisiklik,
                 {});
    hepsiniYenile();
    statusBar()->showMessage(QStringLiteral("Banka hareketleri içe aktarıldı: %1 yazıldı, %2 "
                                            "zaten vardı, %3 yok sayıldı, %4 plansız kayıt "
                                            "açıldı.")
                                 .arg(sonuc.sayilar.yeni)
                                 .arg(sonuc.sayilar.zatenVar)
                                 .arg(sonuc.sayilar.yokSayilan)
                                 .arg(sonuc.eklenenKayit));
}

std::unique_ptr<KurallarFormu> AnaForm::kurallarFormu()
{
    auto form = std::make_unique<KurallarFormu>(this);
    connect(form.get(), &KurallarFormu::kuralDegisti, this,
            [this](const QString& ad, const Degisiklik& d) { komutuKaydet(ad, d, {}); });
    return form;
}

void AnaForm::IceAktarmaKurallari_Click()
{
    disaridanDegisenleriListele();
    std::unique_ptr<KurallarFormu> form;
    if (MesajKutusu::hatalariGostererek(this, [&] { form = kurallarFormu(); }))
        form->exec();
}

// The commands of this run were written to rows the restored file may not have.
void AnaForm::geriYuklendi(const QString& yedek)
{
    geriAlma->clear();
    hepsiniYenile();
    statusBar()->showMessage(
        QStringLiteral("Yedek geri yüklendi: %1").arg(QFileInfo(yedek).fileName()));
}

void AnaForm::komutuKaydet(const QString& ad, const Degisiklik& degisiklik,
                           const DefterBolumu::Ardindan& ardindan)
{
    if (degisiklik.bos())
        return;
    // The command's own follow-up only when it wrote and nothing else did: what another program
    // changed meanwhile, or a refusal, lists everything again.
    geriAlma->push(new YazmaKomutu(ad, degisiklik, this, [this, ardindan](bool geriye, bool yazildi) {
        if (ardindan && yazildi && !Baglanti::program().baskasiDegistirdi())
            ardindan(geriye);
        else
            hepsiniYenile();
    }));
}

void AnaForm::disaridanDegisenleriListele()
{
    if (Baglanti::program().baskasiDegistirdi())
        hepsiniYenile();
}

bool AnaForm::event(QEvent* olay)
{
    if (olay->type() == QEvent::WindowActivate)
        disaridanDegisenleriListele();
    // Summed once the paint has gone to the screen.
    if (olay->type() == QEvent::Paint && rakamlarBoyaninca) {
        rakamlarBoyaninca = false;
        QTimer::singleShot(0, this, [this] {
            emit ilkBoyamaBitti();
            rakamlariGoster();
        });
    }
    return QMainWindow::event(olay);
}

void AnaForm::hepsiniYenile()
{
    MesajKutusu::hatalariGostererek(this, [this] {
        gelir->yenile();
        gider->yenile();
        donemOzeti->oku(secici->donem());
    });
}

std::unique_ptr<DonemRaporuFormu> AnaForm::donemRaporuFormu()
{
    auto form = std::make_unique<DonemRaporuFormu>(secici->donem(), this);
    connect(form.get(), &DonemRaporuFormu::grupGosterilsin, this,
            [this](const DonemRaporuFormu::Hedef& hedef) {
                const MesajKutusu::Komut komut;
                secici->sec(hedef.donem);
                bolum(*hedef.defter).grubuGoster(hedef.anaGrup, hedef.altGrup);
            });
    return form;
}

void AnaForm::DonemRaporu_Click()
{
    donemRaporuFormu()->exec();
}

#include "DefterBolumu.h"

#include "AnaForm.h"
#include "AylikOzetFormu.h"
#include "Bicim.h"
#include "ButceVerisi.h"
#include "Denetim.h"
#include "DisaAktarma.h"
#include "Doldurma.h"
#include "GrupDuzeltme.h"
#include "GrupEklemeFormu.h"
#include "KayitEklemeFormu.h"
#include "KayitListesi.h"
#include "MesajKutusu.h"
#include "SaltOkunurKutu.h"
#include "YazmaKomutu.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QUndoStack>

using Denetim::dugme;
using Denetim::etiket;
using Denetim::twipAlani;
using Denetim::yerlestir;

namespace
{

std::optional<QString> seciliMetin(const QListWidget* liste)
{
    const QList<QListWidgetItem*> secili = liste->selectedItems();
    if (secili.isEmpty())
        return std::nullopt;
    return secili.first()->text();
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

QString DefterBolumu::okunamayanlar(qint64 sayi)
{
    return sayi > 0 ? QStringLiteral("%1 tutar okunamadı").arg(sayi) : QString();
}

DefterBolumu::DefterBolumu(const DefterTanimi& defter, AnaForm& anaForm, QWidget* alan,
                           const Yerlesim& yer)
    : QObject(&anaForm), defter_(defter), pencere(anaForm)
{
    kur(alan, yer);
    bagla();
}

void DefterBolumu::kur(QWidget* alan, const Yerlesim& yer)
{
    const DefterTanimi& defter = defter_;
    auto* cerceve = new QGroupBox(defter.cerceveBasligi, alan);
    cerceve->setGeometry(yer.cerceve);
    QLabel* anaEtiket =
        etiket(cerceve, defter.anaGruplarEtiketi, twipAlani(240, 300, yer.anaEtiketGenisligi, 195));
    QLabel* altEtiket = etiket(cerceve, defter.altGruplarEtiketi,
                               twipAlani(240, 1050, yer.altEtiketGenisligi, 195));
    AnaGruplarListesi = yerlestir(new QComboBox(cerceve), defter.adiyla("Ana%1GruplarıListesi"),
                                  twipAlani(240, 570, 2775, 315), defter.anaGruplarEtiketi);
    AltGruplarListesi =
        yerlestir(new QListWidget(cerceve), defter.adiyla("Alt%1GruplarıListesi"),
                  twipAlani(240, 1320, 2775, 1620), defter.altGruplarEtiketi.chopped(2));
    anaEtiket->setBuddy(AnaGruplarListesi);
    altEtiket->setBuddy(AltGruplarListesi);

    const int ust = yer.dugmeUstu;
    // The longer caption takes the larger share of the frame's width.
    GrupEkleDugmesi = dugme(alan, defter.adiyla("%1GrubuEkleDüğmesi"), defter.grupEkleDugmesi,
                            twipAlani(300, ust, 1665, 345));
    GrupSilDugmesi = dugme(alan, defter.adiyla("%1GrubuSilDüğmesi"), defter.grupSilDugmesi,
                           twipAlani(2055, ust, 1500, 345));
    EkleDugmesi = dugme(alan, defter.adiyla("%1EkleDüğmesi"), defter.ekleDugmesi,
                        twipAlani(3870, ust, 1365, 345));
    SilDugmesi = dugme(alan, defter.adiyla("%1SilDüğmesi"), defter.silDugmesi,
                       twipAlani(5310, ust, 1365, 345));
    TumunuGosterDugmesi = dugme(alan, defter.adiyla("Tüm%1leriGösterDüğmesi"),
                                defter.tumunuGosterDugmesi, twipAlani(6750, ust, 1785, 345));

    KayitlarListesi = new KayitListesi(defter, alan);
    KayitlarListesi->setGeometry(yer.liste);
    listeEtiketi = etiket(alan, defter.listeEtiketi, yer.listeEtiketi);
    listeEtiketi->setBuddy(KayitlarListesi);
    ToplamKutusu = yerlestir(new SaltOkunurKutu(alan), defter.adiyla("%1ToplamıKutusu"),
                             yer.toplamKutusu, defter.toplamEtiketi);
    toplamEtiketi = etiket(alan, defter.toplamEtiketi, yer.toplamEtiketi, true);
    toplamEtiketi->setBuddy(ToplamKutusu);
    ToplamKutusu->setAlignment(Qt::AlignRight);
    QFont kalin = ToplamKutusu->font();
    kalin.setBold(true);
    ToplamKutusu->setFont(kalin);
}

void DefterBolumu::esnet(Esneklik& esneklik, Esneklik::Pay ust, Esneklik::Pay alt)
{
    using E = Esneklik;
    for (QWidget* d : {AnaGruplarListesi->parentWidget(), static_cast<QWidget*>(GrupEkleDugmesi),
                       static_cast<QWidget*>(GrupSilDugmesi), static_cast<QWidget*>(listeEtiketi)})
        esneklik.ekle(d, {E::Yok, ust, E::Yok, ust});
    esneklik.ekle(KayitlarListesi, {E::Yok, ust, E::Tam, alt});
    for (QWidget* d : {EkleDugmesi, SilDugmesi, TumunuGosterDugmesi})
        esneklik.ekle(d, {E::Yok, alt, E::Yok, alt});
    for (QWidget* d : {static_cast<QWidget*>(ToplamKutusu), static_cast<QWidget*>(toplamEtiketi)})
        esneklik.ekle(d, {E::Tam, alt, E::Tam, alt});
}

void DefterBolumu::bagla()
{
    connect(AnaGruplarListesi, &QComboBox::activated, this, [this] { anaGrupTiklandi(); });
    // Deselecting the sub-group (Ctrl+click, a click beside the items) lists the main group again.
    connect(AltGruplarListesi, &QListWidget::itemSelectionChanged, this, [this] {
        if (seciliMetin(AltGruplarListesi))
            altGrupTiklandi();
        else
            listele(false);
        emit durumDegisti();
    });
    connect(KayitlarListesi, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (KayitlarListesi->seciliKimlik())
            emit etkinOldu();
        emit durumDegisti();
    });
    connect(KayitlarListesi, &KayitListesi::odaklandi, this, &DefterBolumu::etkinOldu);
    connect(KayitlarListesi, &KayitListesi::duzenlemeIstendi, this,
            &DefterBolumu::kayitDuzenlemeyiAc);
    connect(GrupEkleDugmesi, &QPushButton::clicked, this, &DefterBolumu::grupEklemeyiAc);
    connect(GrupSilDugmesi, &QPushButton::clicked, this, &DefterBolumu::grupSil);
    connect(EkleDugmesi, &QPushButton::clicked, this, &DefterBolumu::kayitEklemeyiAc);
    connect(SilDugmesi, &QPushButton::clicked, this, &DefterBolumu::kayitSil);
    connect(TumunuGosterDugmesi, &QPushButton::clicked, this, &DefterBolumu::ozetiAc);
    grupMenuleriniKur();
}

void DefterBolumu::grupMenuleriniKur()
{
    const auto eylem = [this](QWidget* liste, const QString& ad, const std::function<void()>& is) {
        auto* e = new QAction(ad, liste);
        connect(e, &QAction::triggered, this, is);
        liste->addAction(e);
        return e;
    };
    using Is = GrupDuzeltmeFormu::Is;
    anaGrubuAdlandirEylemi =
        eylem(AnaGruplarListesi, QStringLiteral("Grubu Yeniden Adlandır…"),
              [this] { grupDuzeltmeyiAc(Is::Adlandir, false); });
    anaGrubuSilEylemi =
        eylem(AnaGruplarListesi, QStringLiteral("Ana Grubu Sil…"), [this] { anaGrupSil(); });
    altGrubuAdlandirEylemi =
        eylem(AltGruplarListesi, QStringLiteral("Grubu Yeniden Adlandır…"),
              [this] { grupDuzeltmeyiAc(Is::Adlandir, true); });
    altGrubuTasiEylemi = eylem(AltGruplarListesi, QStringLiteral("Alt Grubu Taşı…"),
                               [this] { grupDuzeltmeyiAc(Is::Tasi, true); });
    for (QWidget* liste : {static_cast<QWidget*>(AnaGruplarListesi),
                           static_cast<QWidget*>(AltGruplarListesi)}) {
        liste->setContextMenuPolicy(Qt::ActionsContextMenu);
        liste->installEventFilter(this);
    }
}

// F2 on a group list renames its group rather than editing an entry; the menu's group commands
// follow the group list last in focus.
bool DefterBolumu::eventFilter(QObject* nesne, QEvent* olay)
{
    if (nesne != AnaGruplarListesi && nesne != AltGruplarListesi)
        return QObject::eventFilter(nesne, olay);
    const bool alt = nesne == AltGruplarListesi;
    if (olay->type() == QEvent::FocusIn)
        grupListesiEtkin(alt);
    const bool f2 =
        (olay->type() == QEvent::ShortcutOverride || olay->type() == QEvent::KeyPress) &&
        static_cast<QKeyEvent*>(olay)->key() == Qt::Key_F2 &&
        static_cast<QKeyEvent*>(olay)->modifiers() == Qt::NoModifier;
    if (!f2)
        return QObject::eventFilter(nesne, olay);
    olay->accept();
    if (olay->type() == QEvent::KeyPress)
        grupDuzeltmeyiAc(GrupDuzeltmeFormu::Is::Adlandir, alt);
    return true;
}

void DefterBolumu::grupListesiEtkin(bool alt)
{
    altGrupEtkin = alt;
    emit grupEtkinOldu();
}

std::optional<QString> DefterBolumu::seciliAltGrup() const
{
    return seciliMetin(AltGruplarListesi);
}

QList<QWidget*> DefterBolumu::gruplarSekmeSirasi() const
{
    return {AnaGruplarListesi, AltGruplarListesi, GrupEkleDugmesi, GrupSilDugmesi};
}

QList<QWidget*> DefterBolumu::kayitlarSekmeSirasi() const
{
    return {EkleDugmesi, SilDugmesi, TumunuGosterDugmesi, ToplamKutusu};
}

void DefterBolumu::listeyiKaydetEyleminiEkle(QMenu* menu)
{
    listeyiKaydetEylemi =
        menu->addAction(QStringLiteral("%1 Listesini Kaydet…").arg(defter_.ad), this,
                        &DefterBolumu::listeyiKaydet);
}

void DefterBolumu::anaGrupTiklandi()
{
    grupListesiEtkin(false);
    KayitlarListesi->bosalt();
    ToplamKutusu->clear();
    ToplamKutusu->setToolTip(QString());
    emit durumDegisti();
    MesajKutusu::hatalariGostererek(&pencere, [&] {
        {
            // Refilling drops the chosen sub-group: no deselection to answer.
            const QSignalBlocker sessiz(AltGruplarListesi);
            Doldurma::SorguCalistir(
                ButceVerisi::altGruplar(defter_, AnaGruplarListesi->currentText()),
                AltGruplarListesi);
        }
        listeyiDoldur(false);
    });
}

void DefterBolumu::altGrupTiklandi()
{
    grupListesiEtkin(true);
    listele(true);
}

void DefterBolumu::listele(bool altGrupla)
{
    MesajKutusu::hatalariGostererek(&pencere, [&] { listeyiDoldur(altGrupla); });
}

ButceVerisi::KayitSuzgeci DefterBolumu::listeSuzgeci(bool altGrupla) const
{
    ButceVerisi::KayitSuzgeci suzgec{.anaGrup = AnaGruplarListesi->currentText(),
                                     .yil = pencere.yilBilgisiKutusu()->currentText().toInt()};
    if (altGrupla)
        suzgec.altGrup = seciliMetin(AltGruplarListesi).value_or(QString());
    if (pencere.ayBilgisiKutusu()->currentIndex() > 0)
        suzgec.ay = pencere.ayBilgisiKutusu()->currentText();
    return suzgec;
}

void DefterBolumu::listeyiDoldur(bool altGrupla)
{
    KayitlarListesi->bosalt();
    ToplamKutusu->clear();
    ToplamKutusu->setToolTip(QString());
    toplamiYaz(KayitlarListesi->doldur(ButceVerisi::kayitlar(defter_, listeSuzgeci(altGrupla))));
}

void DefterBolumu::toplamiYaz(const KayitListesi::Toplam& toplam)
{
    ToplamKutusu->setText(Bicim::tutar(toplam.gerceklesenKurus));
    ToplamKutusu->setToolTip(okunamayanlar(toplam.okunamayan));
    emit durumDegisti();
}

bool DefterBolumu::duzenleneniYenile(qint64 kimlik)
{
    ButceVerisi::KayitSuzgeci suzgec = listeSuzgeci(seciliMetin(AltGruplarListesi).has_value());
    suzgec.kimlik = kimlik;
    const std::vector<ButceVerisi::Kayit> bulunan = ButceVerisi::kayitlar(defter_, suzgec);
    if (bulunan.size() != 1)
        return false;
    const std::optional<KayitListesi::Yenilenen> yenilenen =
        KayitlarListesi->satiriYenile(bulunan[0]);
    if (!yenilenen)
        return false;
    toplamiYaz(yenilenen->toplam);
    pencere.donemOzetiniDuzelt(defter_, yenilenen->once, bulunan[0]);
    return true;
}

void DefterBolumu::donemiListele()
{
    if (AnaGruplarListesi->currentIndex() >= 0)
        listeyiDoldur(false);
    if (seciliMetin(AltGruplarListesi))
        listeyiDoldur(true);
}

void DefterBolumu::yenile()
{
    yenile({AnaGruplarListesi->currentText(), seciliMetin(AltGruplarListesi)});
}

void DefterBolumu::yenile(const GrupSecimi& secim)
{
    const std::optional<qint64> kayit = KayitlarListesi->seciliKimlik();
    const QString anaGrup = secim.anaGrup;
    const std::optional<QString> altGrup = secim.altGrup;
    Doldurma::SorguCalistir(ButceVerisi::anaGruplar(defter_), AnaGruplarListesi);
    AnaGruplarListesi->setCurrentIndex(AnaGruplarListesi->findText(anaGrup));
    {
        const QSignalBlocker sessiz(AltGruplarListesi);
        AltGruplarListesi->clear();
        if (AnaGruplarListesi->currentIndex() >= 0)
            Doldurma::SorguCalistir(ButceVerisi::altGruplar(defter_, anaGrup), AltGruplarListesi);
        if (altGrup)
            if (const auto bulunan = AltGruplarListesi->findItems(*altGrup, Qt::MatchExactly);
                !bulunan.isEmpty())
                AltGruplarListesi->setCurrentItem(bulunan.first());
    }
    if (AnaGruplarListesi->currentIndex() >= 0) {
        listeyiDoldur(seciliMetin(AltGruplarListesi).has_value());
        if (kayit)
            KayitlarListesi->kimligiSec(*kayit);
    } else {
        KayitlarListesi->bosalt();
        ToplamKutusu->clear();
        emit durumDegisti();
    }
}

void DefterBolumu::dugmeleriGuncelle()
{
    const bool altGrupVar = seciliMetin(AltGruplarListesi).has_value();
    const bool anaGrupVar = AnaGruplarListesi->currentIndex() >= 0;
    anaGrubuAdlandirEylemi->setEnabled(anaGrupVar);
    anaGrubuSilEylemi->setEnabled(anaGrupVar);
    altGrubuAdlandirEylemi->setEnabled(altGrupVar);
    altGrubuTasiEylemi->setEnabled(altGrupVar);
    GrupSilDugmesi->setEnabled(altGrupVar);
    EkleDugmesi->setEnabled(altGrupVar);
    SilDugmesi->setEnabled(KayitlarListesi->seciliKimlik().has_value());
    // A list is saved as it stands; an empty one has nothing to give.
    if (listeyiKaydetEylemi)
        listeyiKaydetEylemi->setEnabled(KayitlarListesi->topLevelItemCount() > 0);
}

std::unique_ptr<GrupEklemeFormu> DefterBolumu::grupEklemeFormu()
{
    auto form = std::make_unique<GrupEklemeFormu>(defter_, &pencere);
    connect(form.get(), &GrupEklemeFormu::gruplarDegisti, this,
            [this](const Degisiklik& degisiklik) {
                anaGruplariYenile();
                emit komutYapildi(defter_.grupEkleDugmesi, degisiklik);
            });
    return form;
}

void DefterBolumu::grupEklemeyiAc()
{
    pencere.disaridanDegisenleriListele();
    grupEklemeFormu()->exec();
}

void DefterBolumu::anaGruplariYenile()
{
    if (MesajKutusu::hatalariGostererek(&pencere, [&] {
            Doldurma::SorguCalistir(ButceVerisi::anaGruplar(defter_), AnaGruplarListesi);
        }))
        anaGrupTiklandi();
}

void DefterBolumu::grupSil()
{
    const MesajKutusu::Komut komut;
    pencere.disaridanDegisenleriListele();
    const std::optional<QString> altGrup = seciliMetin(AltGruplarListesi);
    if (!altGrup || !MesajKutusu::sor(&pencere, defter_.grupSilmeSorusu))
        return;
    Degisiklik degisiklik;
    if (!MesajKutusu::hatalariGostererek(&pencere, [&] {
            degisiklik =
                ButceVerisi::altGrupSil(defter_, AnaGruplarListesi->currentText(), *altGrup);
        }))
        return;
    emit komutYapildi(defter_.grupSilDugmesi, degisiklik);
    if (degisiklik.baskasiDegistirmis())
        MesajKutusu::bilgi(&pencere,
                           QStringLiteral("Seçilen alt grup, listelendikten sonra başka "
                                          "bir program tarafından değiştirilmiş; hiçbir "
                                          "şey değiştirilmedi. Liste yeniden getirildi."));
    else if (degisiklik.bos())
        MesajKutusu::bilgi(&pencere,
                           QStringLiteral("Seçilen alt grup veritabanında artık yok; başka bir "
                                          "program tarafından silinmiş olabilir."));
    anaGrupTiklandi();
}

bool DefterBolumu::adlandirilabilir() const
{
    return (altGrupEtkin ? altGrubuAdlandirEylemi : anaGrubuAdlandirEylemi)->isEnabled();
}

bool DefterBolumu::anaGrupSilinebilir() const
{
    return anaGrubuSilEylemi->isEnabled();
}

std::unique_ptr<GrupDuzeltmeFormu> DefterBolumu::grupDuzeltmeFormu(GrupDuzeltmeFormu::Is is,
                                                                   bool altGrup)
{
    const std::optional<QString> secili = seciliMetin(AltGruplarListesi);
    if (AnaGruplarListesi->currentIndex() < 0 || (altGrup && !secili))
        return nullptr;
    auto form = std::make_unique<GrupDuzeltmeFormu>(defter_, is, AnaGruplarListesi->currentText(),
                                                    altGrup ? secili : std::nullopt, &pencere);
    connect(form.get(), &GrupDuzeltmeFormu::grupDuzeltildi, this, &DefterBolumu::grupDuzeltildi);
    return form;
}

void DefterBolumu::grupDuzeltmeyiAc(GrupDuzeltmeFormu::Is is, bool altGrup)
{
    if (std::unique_ptr<GrupDuzeltmeFormu> form = grupDuzeltmeFormu(is, altGrup))
        form->exec();
}

// The lists follow the group to its new name; the sub-group chosen stays chosen under a renamed
// main group.
void DefterBolumu::grupDuzeltildi(const QString& komut, const GrupDuzeltme::Sonuc& sonuc,
                                  const QString& bildirim)
{
    const GrupSecimi once{AnaGruplarListesi->currentText(), seciliMetin(AltGruplarListesi)};
    GrupSecimi sonra{sonuc.anaGrup, once.altGrup};
    if (!sonuc.altGrup.isEmpty())
        sonra.altGrup = sonuc.altGrup;
    grupKomutunuKaydet(komut, sonuc.degisiklik, once, sonra);
    if (!bildirim.isEmpty())
        pencere.statusBar()->showMessage(bildirim);
    MesajKutusu::hatalariGostererek(&pencere,
                                    [&] { yenile(sonuc.degisiklik.bos() ? once : sonra); });
}

void DefterBolumu::grupKomutunuKaydet(const QString& ad, const Degisiklik& degisiklik,
                                      const GrupSecimi& once, const GrupSecimi& sonra)
{
    if (degisiklik.bos())
        return;
    pencere.geriAlmaYigini()->push(
        new YazmaKomutu(ad, degisiklik, &pencere, [this, once, sonra](bool geriye) {
            MesajKutusu::hatalariGostererek(&pencere,
                                            [&] { yenile(geriye ? once : sonra); });
        }));
}

// Only an empty main group goes, with its sub-groups; one with entries is refused with their
// count, before the question and again inside the deletion.
void DefterBolumu::anaGrupSil()
{
    const MesajKutusu::Komut komut;
    if (AnaGruplarListesi->currentIndex() < 0)
        return;
    const QString ad = AnaGruplarListesi->currentText();
    const auto kayitlarVar = [this](qint64 sayi) {
        MesajKutusu::bilgi(&pencere,
                           QStringLiteral("Bu grupta %1 kayıt var; önce kayıtları silin ya "
                                          "da grubu başka bir grupla birleştirin.")
                               .arg(QLocale().toString(sayi)));
    };
    qint64 kayitlar = 0, altGruplar = 0;
    if (!MesajKutusu::hatalariGostererek(&pencere, [&] {
            kayitlar = GrupDuzeltme::kayitSayisi(defter_, ad);
            altGruplar = GrupDuzeltme::altGrupSayisi(defter_, ad);
        }))
        return;
    if (kayitlar > 0)
        return kayitlarVar(kayitlar);
    const QString altGrupMetni =
        altGruplar > 0 ? QStringLiteral(" ve %1 alt grubunu").arg(QLocale().toString(altGruplar))
                       : QString();
    if (!MesajKutusu::sor(&pencere, defter_.anaGrupSilmeSorusu.arg(altGrupMetni)))
        return;
    GrupDuzeltme::Sonuc sonuc;
    if (!MesajKutusu::hatalariGostererek(&pencere,
                                         [&] { sonuc = GrupDuzeltme::anaGrupSil(defter_, ad); }))
        return;
    if (sonuc.durum == GrupDuzeltme::Durum::KayitlariVar)
        kayitlarVar(sonuc.kayitSayisi);
    else if (sonuc.durum == GrupDuzeltme::Durum::GrupYok)
        MesajKutusu::bilgi(&pencere,
                           QStringLiteral("Seçilen ana grup veritabanında artık yok; başka bir "
                                          "program tarafından silinmiş olabilir."));
    else
        pencere.statusBar()->showMessage(QStringLiteral("«%1» ana grubu silindi.").arg(ad));
    const GrupSecimi once{ad, seciliMetin(AltGruplarListesi)};
    grupKomutunuKaydet(QStringLiteral("Ana Grubu Sil"), sonuc.degisiklik, once, {});
    MesajKutusu::hatalariGostererek(&pencere, [&] { yenile(GrupSecimi{}); });
}

std::unique_ptr<KayitEklemeFormu> DefterBolumu::kayitEklemeFormu()
{
    const KayitEklemeFormu::Secim secim{.anaGrup = AnaGruplarListesi->currentText(),
                                        .altGrup =
                                            seciliMetin(AltGruplarListesi).value_or(QString()),
                                        .yil = pencere.yilBilgisiKutusu()->currentText(),
                                        .ay = pencere.ayBilgisiKutusu()->currentIndex(),
                                        .bugun = pencere.bugun(),
                                        .yillar = pencere.yilAraligi()};
    auto form = std::make_unique<KayitEklemeFormu>(defter_, secim, &pencere);
    connect(form.get(), &KayitEklemeFormu::kayitEklendi, this,
            [this](const Degisiklik& degisiklik) {
                anaGrupTiklandi();
                pencere.donemOzetiniGoster();
                emit komutYapildi(defter_.ekleDugmesi, degisiklik);
            });
    return form;
}

std::unique_ptr<KayitEklemeFormu> DefterBolumu::kayitDuzenlemeFormu()
{
    const std::optional<ButceVerisi::Kayit> kayit = KayitlarListesi->seciliKayit();
    if (!kayit)
        return nullptr;
    auto form = std::make_unique<KayitEklemeFormu>(defter_, *kayit, pencere.yilAraligi(), &pencere);
    connect(form.get(), &KayitEklemeFormu::kayitDuzenlendi, this,
            [this](qint64 kimlik, const Degisiklik& degisiklik) {
                duzenlenenKaydiGoster(kimlik, !degisiklik.bos());
                emit komutYapildi(defter_.duzenlemeBasligi, degisiklik);
            });
    return form;
}

std::optional<ButceVerisi::Kayit> DefterBolumu::guncelSecim()
{
    const std::optional<qint64> onceki = KayitlarListesi->seciliKimlik();
    pencere.disaridanDegisenleriListele();
    std::optional<ButceVerisi::Kayit> kayit = KayitlarListesi->seciliKayit();
    if (onceki && !kayit)
        MesajKutusu::bilgi(&pencere, kayitArtikYokMesaji);
    return kayit;
}

void DefterBolumu::kayitDuzenlemeyiAc()
{
    if (!guncelSecim())
        return;
    if (std::unique_ptr<KayitEklemeFormu> form = kayitDuzenlemeFormu())
        form->exec();
}

// The list as the user left it, groups and all, with the edited entry still selected. Only its row
// is read again when this program wrote it and it still belongs to the list, the totals following
// by its difference; otherwise the whole list and the period's figures are.
void DefterBolumu::duzenlenenKaydiGoster(qint64 kimlik, bool yazildi)
{
    MesajKutusu::hatalariGostererek(&pencere, [&] {
        if (yazildi && duzenleneniYenile(kimlik))
            return;
        listeyiDoldur(seciliMetin(AltGruplarListesi).has_value());
        pencere.donemOzetiniYaz();
    });
    KayitlarListesi->kimligiSec(kimlik);
}

void DefterBolumu::kayitEklemeyiAc()
{
    pencere.disaridanDegisenleriListele();
    if (seciliMetin(AltGruplarListesi))
        kayitEklemeFormu()->exec();
}

void DefterBolumu::kayitSil()
{
    const MesajKutusu::Komut komut;
    const std::optional<ButceVerisi::Kayit> kayit = guncelSecim();
    if (!kayit ||
        !MesajKutusu::sor(&pencere, defter_.kayitSilmeSorusu + u'\n' + kayitTanimi(*kayit)))
        return;
    Degisiklik degisiklik;
    if (!MesajKutusu::hatalariGostererek(
            &pencere, [&] { degisiklik = ButceVerisi::kayitSil(defter_, *kayit); }))
        return;
    emit komutYapildi(defter_.silDugmesi, degisiklik);
    if (degisiklik.bos())
        MesajKutusu::bilgi(&pencere, degisiklik.baskasiDegistirmis() ? kayitDegismisMesaji
                                                                     : kayitArtikYokMesaji);
    MesajKutusu::hatalariGostererek(&pencere, [&] {
        yenile();
        pencere.donemOzetiniYaz();
    });
}

void DefterBolumu::listeyiKaydet()
{
    QStringList adParcalari{defter_.ad + QStringLiteral("ler"),
                            pencere.yilBilgisiKutusu()->currentText()};
    if (pencere.ayBilgisiKutusu()->currentIndex() > 0)
        adParcalari << pencere.ayBilgisiKutusu()->currentText();
    const std::vector<ButceVerisi::Kayit> kayitlar = KayitlarListesi->listelenenler();
    const DisaAktarma::Belge belge{adParcalari.join(u' '), defter_.listeEtiketi};
    pencere.tabloKaydet(listeyiKaydetEylemi->text(), adParcalari, [&](const QString& yol) {
        DisaAktarma::tabloYaz(yol, belge, [&](TabloYazici& tablo) {
            DisaAktarma::kayitListesiniYaz(tablo, defter_, kayitlar);
        });
        return qint64(kayitlar.size());
    });
}

void DefterBolumu::ozetiAc()
{
    AylikOzetFormu form(defter_, pencere.yilBilgisiKutusu()->currentText().toInt(), &pencere);
    connect(&form, &AylikOzetFormu::bildirim, this,
            [this](const QString& metin) { pencere.statusBar()->showMessage(metin); });
    form.exec();
}

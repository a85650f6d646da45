#include "DefterBolumu.h"

#include "AylikOzetFormu.h"
#include "BankaHareketleri.h"
#include "Bicim.h"
#include "ButceVerisi.h"
#include "Denetim.h"
#include "DisaAktarma.h"
#include "Doldurma.h"
#include "GrupDuzeltme.h"
#include "GrupEklemeFormu.h"
#include "HareketlerFormu.h"
#include "KaydetmeYeri.h"
#include "KayitEklemeFormu.h"
#include "KayitListesi.h"
#include "MesajKutusu.h"
#include "SaltOkunurKutu.h"
#include "TurkceMetin.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>

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

// Where a name stands in a list: spelt as given, or else in other letter case; -1 when absent.
int listedekiYeri(const QStringList& adlar, const QString& ad)
{
    if (const qsizetype yer = adlar.indexOf(ad); yer >= 0)
        return int(yer);
    const auto esit = std::find_if(adlar.begin(), adlar.end(),
                                   [&](const QString& a) { return TurkceMetin::esit(a, ad); });
    return esit == adlar.end() ? -1 : int(esit - adlar.begin());
}

// " ve 2 alt grubunu (KİRA, SİGORTA)" for the delete question: the first few names, then "…".
QString altGrupMetni(const QStringList& adlar)
{
    constexpr int enFazla = 5;
    if (adlar.isEmpty())
        return {};
    QString liste = adlar.mid(0, enFazla).join(QStringLiteral(", "));
    if (adlar.size() > enFazla)
        liste += QStringLiteral(", …");
    return QStringLiteral(" ve %1 alt grubunu (%2)").arg(QLocale().toString(adlar.size()), liste);
}

} // namespace

DefterBolumu::DefterBolumu(const DefterTanimi& defter, QWidget* kap, const Yerlesim& yer,
                           const Takvim::YilAraligi& yillarAraligi, QDate buGun)
    : QObject(kap), defter_(defter), alan(kap), yillar(yillarAraligi), bugun(buGun)
{
    kur(yer);
    bagla();
}

QWidget* DefterBolumu::sahibi() const
{
    return alan->window();
}

void DefterBolumu::kur(const Yerlesim& yer)
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
    // The group frame and its sub-group list take the height the entry list takes.
    QWidget* cerceve = AnaGruplarListesi->parentWidget();
    esneklik.ekle(cerceve, {E::Yok, ust, E::Yok, alt});
    (new Esneklik(cerceve, cerceve->size()))
        ->ekle(AltGruplarListesi, {E::Yok, E::Yok, E::Yok, E::Tam});
    for (QWidget* d : {GrupEkleDugmesi, GrupSilDugmesi})
        esneklik.ekle(d, {E::Yok, alt, E::Yok, alt});
    esneklik.ekle(listeEtiketi, {E::Yok, ust, E::Yok, ust});
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
    connect(KayitlarListesi, &KayitListesi::secimDegisti, this, [this] {
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
    anaGrubuAdlandirEylemi = eylem(AnaGruplarListesi, QStringLiteral("Grubu Yeniden Adlandır…"),
                                   [this] { grupDuzeltmeyiAc(Is::Adlandir, false); });
    anaGrubuSilEylemi =
        eylem(AnaGruplarListesi, QStringLiteral("Ana Grubu Sil…"), [this] { anaGrupSil(); });
    altGrubuAdlandirEylemi = eylem(AltGruplarListesi, QStringLiteral("Grubu Yeniden Adlandır…"),
                                   [this] { grupDuzeltmeyiAc(Is::Adlandir, true); });
    altGrubuTasiEylemi = eylem(AltGruplarListesi, QStringLiteral("Alt Grubu Taşı…"),
                               [this] { grupDuzeltmeyiAc(Is::Tasi, true); });
    for (QWidget* liste :
         {static_cast<QWidget*>(AnaGruplarListesi), static_cast<QWidget*>(AltGruplarListesi)}) {
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

int DefterBolumu::adlaraGerekenEk() const
{
    QStringList anaGruplar;
    for (int i = 0; i < AnaGruplarListesi->count(); ++i)
        anaGruplar << AnaGruplarListesi->itemText(i);
    return KayitlarListesi->adlaraGerekenEk(anaGruplar, ButceVerisi::tumAltGruplar(defter_));
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

void DefterBolumu::anaGrupTiklandi()
{
    grupListesiEtkin(false);
    KayitlarListesi->bosalt();
    ToplamKutusu->clear();
    ToplamKutusu->setToolTip(QString());
    emit durumDegisti();
    MesajKutusu::hatalariGostererek(sahibi(), [&] {
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
    MesajKutusu::hatalariGostererek(sahibi(), [&] { listeyiDoldur(altGrupla); });
}

ButceVerisi::KayitSuzgeci DefterBolumu::listeSuzgeci(bool altGrupla) const
{
    ButceVerisi::KayitSuzgeci suzgec{.anaGrup = AnaGruplarListesi->currentText(), .donem = donem};
    if (altGrupla)
        suzgec.altGrup = seciliMetin(AltGruplarListesi).value_or(QString());
    return suzgec;
}

void DefterBolumu::listeyiDoldur(bool altGrupla)
{
    listeyiGoster(ButceVerisi::kayitlar(defter_, listeSuzgeci(altGrupla)));
}

void DefterBolumu::listeyiGoster(const std::vector<ButceVerisi::Kayit>& kayitlar)
{
    KayitlarListesi->bosalt();
    ToplamKutusu->clear();
    ToplamKutusu->setToolTip(QString());
    KayitlarListesi->hareketlileriBildir(BankaHareketleri::hareketliKimlikler(defter_));
    toplamiYaz(KayitlarListesi->doldur(kayitlar));
}

void DefterBolumu::yazilanlariListele(const std::vector<ButceVerisi::KayitDegisimi>& degisimler)
{
    std::vector<ButceVerisi::Kayit> kayitlar = KayitlarListesi->listelenenler();
    ButceVerisi::KayitSuzgeci suzgec = listeSuzgeci(seciliMetin(AltGruplarListesi).has_value());
    for (const ButceVerisi::KayitDegisimi& d : degisimler) {
        const qint64 kimlik = d.once.kimlik ? d.once.kimlik : d.sonra.kimlik;
        std::erase_if(kayitlar, [&](const ButceVerisi::Kayit& k) { return k.kimlik == kimlik; });
        suzgec.kimlik = kimlik;
        for (ButceVerisi::Kayit& k : ButceVerisi::kayitlar(defter_, suzgec))
            kayitlar.push_back(std::move(k));
    }
    std::sort(kayitlar.begin(), kayitlar.end(),
              [](const ButceVerisi::Kayit& a, const ButceVerisi::Kayit& b) {
                  return a.kimlik < b.kimlik;
              });
    listeyiGoster(kayitlar);
}

void DefterBolumu::toplamiYaz(const KayitListesi::Toplam& toplam)
{
    ToplamKutusu->setText(Bicim::tutar(toplam.gerceklesenKurus));
    ToplamKutusu->setToolTip(Bicim::okunamayanlar(toplam.okunamayan));
    emit durumDegisti();
}

bool DefterBolumu::duzenleneniYenile(qint64 kimlik)
{
    ButceVerisi::KayitSuzgeci suzgec = listeSuzgeci(seciliMetin(AltGruplarListesi).has_value());
    suzgec.kimlik = kimlik;
    const std::vector<ButceVerisi::Kayit> bulunan = ButceVerisi::kayitlar(defter_, suzgec);
    if (bulunan.size() != 1)
        return false;
    KayitlarListesi->hareketlileriBildir(BankaHareketleri::hareketliKimlikler(defter_));
    const std::optional<KayitListesi::Yenilenen> yenilenen =
        KayitlarListesi->satiriYenile(bulunan[0]);
    if (!yenilenen)
        return false;
    toplamiYaz(yenilenen->toplam);
    emit kayitDegisti(yenilenen->once, bulunan[0]);
    return true;
}

void DefterBolumu::donemDegisti(const Donem& yeni)
{
    donem = yeni;
    if (AnaGruplarListesi->currentIndex() >= 0)
        listele(seciliMetin(AltGruplarListesi).has_value());
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
    const QStringList anaGruplar = ButceVerisi::anaGruplar(defter_);
    Doldurma::SorguCalistir(anaGruplar, AnaGruplarListesi);
    AnaGruplarListesi->setCurrentIndex(listedekiYeri(anaGruplar, anaGrup));
    {
        const QSignalBlocker sessiz(AltGruplarListesi);
        AltGruplarListesi->clear();
        if (AnaGruplarListesi->currentIndex() >= 0) {
            const QStringList altGruplar = ButceVerisi::altGruplar(defter_, anaGrup);
            Doldurma::SorguCalistir(altGruplar, AltGruplarListesi);
            if (altGrup)
                AltGruplarListesi->setCurrentRow(listedekiYeri(altGruplar, *altGrup));
        }
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
}

// A list is saved as it stands; an empty one has nothing to give.
bool DefterBolumu::listeKaydedilebilir() const
{
    return KayitlarListesi->satirSayisi() > 0;
}

bool DefterBolumu::kayitSecili() const
{
    return KayitlarListesi->seciliKimlik().has_value();
}

// The pair just added is chosen, ready for its entries.
std::unique_ptr<GrupEklemeFormu> DefterBolumu::grupEklemeFormu()
{
    auto form = std::make_unique<GrupEklemeFormu>(defter_, sahibi());
    connect(form.get(), &GrupEklemeFormu::gruplarDegisti, this,
            [this](const Degisiklik& degisiklik, const QString& anaGrup, const QString& altGrup) {
                MesajKutusu::hatalariGostererek(sahibi(), [&] { yenile({anaGrup, altGrup}); });
                emit komutYapildi(defter_.grupEkleDugmesi, degisiklik, {});
            });
    return form;
}

void DefterBolumu::grupEklemeyiAc()
{
    emit komutBasliyor();
    grupEklemeFormu()->exec();
}

void DefterBolumu::grupSil()
{
    const MesajKutusu::Komut komut;
    emit komutBasliyor();
    const std::optional<QString> altGrup = seciliMetin(AltGruplarListesi);
    if (!altGrup || !MesajKutusu::sor(sahibi(), defter_.grupSilmeSorusu))
        return;
    Degisiklik degisiklik;
    if (!MesajKutusu::hatalariGostererek(sahibi(), [&] {
            degisiklik =
                ButceVerisi::altGrupSil(defter_, AnaGruplarListesi->currentText(), *altGrup);
        }))
        return;
    emit komutYapildi(defter_.grupSilDugmesi, degisiklik, {});
    if (degisiklik.baskasiDegistirmis())
        MesajKutusu::bilgi(sahibi(),
                           QStringLiteral("Seçilen alt grup, listelendikten sonra başka "
                                          "bir program tarafından değiştirilmiş; hiçbir "
                                          "şey değiştirilmedi. Liste yeniden getirildi."));
    else if (degisiklik.bos())
        MesajKutusu::bilgi(sahibi(),
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
                                                    altGrup ? secili : std::nullopt, sahibi());
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
                                  const QString& metin)
{
    const GrupSecimi once{AnaGruplarListesi->currentText(), seciliMetin(AltGruplarListesi)};
    GrupSecimi sonra{sonuc.anaGrup, once.altGrup};
    if (!sonuc.altGrup.isEmpty())
        sonra.altGrup = sonuc.altGrup;
    grupKomutuYapildi(komut, sonuc.degisiklik, once, sonra);
    if (!metin.isEmpty())
        emit bildirim(metin);
    MesajKutusu::hatalariGostererek(sahibi(),
                                    [&] { yenile(sonuc.degisiklik.bos() ? once : sonra); });
}

void DefterBolumu::grupKomutuYapildi(const QString& ad, const Degisiklik& degisiklik,
                                     const GrupSecimi& once, const GrupSecimi& sonra)
{
    emit komutYapildi(ad, degisiklik, [this, once, sonra](bool geriye) {
        MesajKutusu::hatalariGostererek(sahibi(), [&] { yenile(geriye ? once : sonra); });
    });
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
        MesajKutusu::bilgi(sahibi(),
                           QStringLiteral("Bu grupta %1 kayıt var; önce kayıtları silin ya "
                                          "da grubu başka bir grupla birleştirin.")
                               .arg(QLocale().toString(sayi)));
    };
    qint64 kayitlar = 0;
    QStringList altGruplar;
    if (!MesajKutusu::hatalariGostererek(sahibi(), [&] {
            kayitlar = GrupDuzeltme::kayitSayisi(defter_, ad);
            altGruplar = ButceVerisi::altGruplar(defter_, ad);
        }))
        return;
    if (kayitlar > 0)
        return kayitlarVar(kayitlar);
    if (!MesajKutusu::sor(sahibi(), defter_.anaGrupSilmeSorusu.arg(ad, altGrupMetni(altGruplar))))
        return;
    GrupDuzeltme::Sonuc sonuc;
    if (!MesajKutusu::hatalariGostererek(sahibi(),
                                         [&] { sonuc = GrupDuzeltme::anaGrupSil(defter_, ad); }))
        return;
    if (sonuc.durum == GrupDuzeltme::Durum::KayitlariVar)
        kayitlarVar(sonuc.kayitSayisi);
    else if (sonuc.durum == GrupDuzeltme::Durum::GrupYok)
        MesajKutusu::bilgi(sahibi(),
                           QStringLiteral("Seçilen ana grup veritabanında artık yok; başka bir "
                                          "program tarafından silinmiş olabilir."));
    else
        emit bildirim(QStringLiteral("«%1» ana grubu silindi.").arg(ad));
    const GrupSecimi once{ad, seciliMetin(AltGruplarListesi)};
    grupKomutuYapildi(QStringLiteral("Ana Grubu Sil"), sonuc.degisiklik, once, {});
    MesajKutusu::hatalariGostererek(sahibi(), [&] { yenile(GrupSecimi{}); });
}

std::unique_ptr<KayitEklemeFormu> DefterBolumu::kayitEklemeFormu()
{
    const KayitEklemeFormu::Secim secim{.anaGrup = AnaGruplarListesi->currentText(),
                                        .altGrup =
                                            seciliMetin(AltGruplarListesi).value_or(QString()),
                                        .donem = donem,
                                        .bugun = bugun.isValid() ? bugun : QDate::currentDate(),
                                        .yillar = yillar};
    auto form = std::make_unique<KayitEklemeFormu>(defter_, secim, sahibi());
    connect(form.get(), &KayitEklemeFormu::kayitEklendi, this,
            [this](const Degisiklik& degisiklik) {
                const MesajKutusu::Komut komut;
                anaGrupTiklandi();
                emit rakamlarDegisti();
                emit komutYapildi(defter_.ekleDugmesi, degisiklik,
                                  kayitKomutununArdindan(degisiklik));
            });
    return form;
}

std::unique_ptr<KayitEklemeFormu> DefterBolumu::kayitDuzenlemeFormu()
{
    const std::optional<ButceVerisi::Kayit> kayit = KayitlarListesi->seciliKayit();
    if (!kayit)
        return nullptr;
    auto form = std::make_unique<KayitEklemeFormu>(defter_, *kayit, yillar, sahibi());
    if (KayitlarListesi->hareketli(kayit->kimlik))
        form->hareketliOlarakAc();
    connect(form.get(), &KayitEklemeFormu::kayitDuzenlendi, this,
            [this](qint64 kimlik, const Degisiklik& degisiklik) {
                duzenlenenKaydiGoster(kimlik, !degisiklik.bos());
                emit komutYapildi(defter_.duzenlemeBasligi, degisiklik,
                                  kayitKomutununArdindan(degisiklik));
            });
    return form;
}

std::optional<ButceVerisi::Kayit> DefterBolumu::guncelSecim()
{
    const std::optional<qint64> onceki = KayitlarListesi->seciliKimlik();
    emit komutBasliyor();
    std::optional<ButceVerisi::Kayit> kayit = KayitlarListesi->seciliKayit();
    if (onceki && !kayit)
        MesajKutusu::bilgi(sahibi(), kayitArtikYokMesaji);
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
    const MesajKutusu::Komut komut;
    MesajKutusu::hatalariGostererek(sahibi(), [&] {
        if (yazildi && duzenleneniYenile(kimlik))
            return;
        listeyiDoldur(seciliMetin(AltGruplarListesi).has_value());
        emit rakamlarDegisti();
    });
    KayitlarListesi->kimligiSec(kimlik);
}

void DefterBolumu::kayitEklemeyiAc()
{
    emit komutBasliyor();
    if (seciliMetin(AltGruplarListesi))
        kayitEklemeFormu()->exec();
}

void DefterBolumu::kayitSil()
{
    const MesajKutusu::Komut komut;
    const std::optional<ButceVerisi::Kayit> kayit = guncelSecim();
    if (!kayit)
        return;
    const bool hareketli = KayitlarListesi->hareketli(kayit->kimlik);
    bool hareketleriyle = false;
    if (hareketli) {
        const int secim = MesajKutusu::sec(
            sahibi(), MesajKutusu::Simge::Soru,
            defter_.kayitSilmeSorusu + u'\n' + kayitTanimi(*kayit) +
                QStringLiteral("\n\nBu kaydın gerçekleşen tutarı banka hareketlerinden geliyor. "
                               "Hareketleriyle silinirse aynı ekstre yeniden içe aktarıldığında "
                               "gelirler; hareketler saklanırsa tanınırlar ve yeniden alınmazlar."),
            {QStringLiteral("Hareketleriyle Sil"), QStringLiteral("Hareketleri Sakla"),
             QStringLiteral("Vazgeç")});
        if (secim < 0 || secim == 2)
            return;
        hareketleriyle = secim == 0;
    } else if (!MesajKutusu::sor(sahibi(),
                                 defter_.kayitSilmeSorusu + u'\n' + kayitTanimi(*kayit))) {
        return;
    }
    Degisiklik degisiklik;
    if (!MesajKutusu::hatalariGostererek(sahibi(), [&] {
            degisiklik = hareketli ? BankaHareketleri::kayitSil(defter_, *kayit, hareketleriyle)
                                   : ButceVerisi::kayitSil(defter_, *kayit);
        }))
        return;
    emit komutYapildi(defter_.silDugmesi, degisiklik, kayitKomutununArdindan(degisiklik));
    if (degisiklik.bos())
        MesajKutusu::bilgi(sahibi(), degisiklik.baskasiDegistirmis() ? kayitDegismisMesaji
                                                                     : kayitArtikYokMesaji);
    MesajKutusu::hatalariGostererek(sahibi(), [&] { yenile(); });
    emit rakamlarDegisti();
}

DefterBolumu::Ardindan DefterBolumu::kayitKomutununArdindan(const Degisiklik& degisiklik)
{
    return [this, degisimler = ButceVerisi::kayitDegisimleri(defter_, degisiklik)](bool geriye) {
        MesajKutusu::hatalariGostererek(sahibi(), [&] {
            if (AnaGruplarListesi->currentIndex() >= 0) {
                const std::optional<qint64> secili = KayitlarListesi->seciliKimlik();
                yazilanlariListele(degisimler);
                if (secili)
                    KayitlarListesi->kimligiSec(*secili);
            }
            for (const ButceVerisi::KayitDegisimi& d : degisimler)
                emit kayitDegisti(geriye ? d.sonra : d.once, geriye ? d.once : d.sonra);
        });
    };
}

bool DefterBolumu::hareketliSecili() const
{
    const std::optional<qint64> kimlik = KayitlarListesi->seciliKimlik();
    return kimlik && KayitlarListesi->hareketli(*kimlik);
}

std::unique_ptr<HareketlerFormu> DefterBolumu::hareketlerFormu()
{
    const std::optional<ButceVerisi::Kayit> kayit = KayitlarListesi->seciliKayit();
    if (!kayit)
        return nullptr;
    return std::make_unique<HareketlerFormu>(defter_, *kayit, sahibi());
}

void DefterBolumu::hareketleriGoster()
{
    const MesajKutusu::Komut komut;
    if (!guncelSecim())
        return;
    std::unique_ptr<HareketlerFormu> form;
    if (MesajKutusu::hatalariGostererek(sahibi(), [&] { form = hareketlerFormu(); }) && form)
        form->exec();
}

void DefterBolumu::listeyiKaydet()
{
    const QStringList adParcalari =
        QStringList{defter_.ad + QStringLiteral("ler")} + donem.adParcalari();
    const std::vector<ButceVerisi::Kayit> kayitlar = KayitlarListesi->listelenenler();
    const DisaAktarma::Belge belge{adParcalari.join(u' '), defter_.listeEtiketi};
    const auto yaz = [&](const QString& hedef) {
        DisaAktarma::tabloYaz(hedef, belge, [&](TabloYazici& tablo) {
            DisaAktarma::kayitListesiniYaz(tablo, defter_, kayitlar);
        });
    };
    if (const std::optional<QString> yol = KaydetmeYeri::kaydet(
            sahibi(), QStringLiteral("%1 Listesini Kaydet").arg(defter_.ad),
            DisaAktarma::dosyaAdi(adParcalari, QStringLiteral("xlsx")), DisaAktarma::tabloTurleri(),
            yaz))
        emit bildirim(
            KaydetmeYeri::kaydedildi(*yol, QStringLiteral("(%1 kayıt)").arg(kayitlar.size())));
}

void DefterBolumu::ozetiAc()
{
    AylikOzetFormu(defter_, donem, sahibi()).exec();
}

// The lists as the user would choose them: the main group listed, then its sub-group chosen.
void DefterBolumu::grubuGoster(const QString& anaGrup, const QString& altGrup)
{
    // As spelt first, then by the Turkish letter rules.
    const auto bul = [](const QStringList& adlar, const QString& ad) {
        if (const qsizetype tam = adlar.indexOf(ad); tam >= 0)
            return int(tam);
        for (int i = 0; i < adlar.size(); ++i)
            if (TurkceMetin::esit(adlar[i], ad))
                return i;
        return -1;
    };
    QStringList anaGruplar;
    for (int i = 0; i < AnaGruplarListesi->count(); ++i)
        anaGruplar << AnaGruplarListesi->itemText(i);
    const int ana = bul(anaGruplar, anaGrup);
    if (ana < 0)
        return;
    AnaGruplarListesi->setCurrentIndex(ana);
    anaGrupTiklandi();
    QStringList altGruplar;
    for (int i = 0; i < AltGruplarListesi->count(); ++i)
        altGruplar << AltGruplarListesi->item(i)->text();
    if (const int alt = bul(altGruplar, altGrup); alt >= 0)
        AltGruplarListesi->setCurrentRow(alt);
}

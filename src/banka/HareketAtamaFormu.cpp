#include "HareketAtamaFormu.h"

#include "BankaDugmesi.h"
#include "Bicim.h"
#include "DefterTanimi.h"
#include "HedefSecici.h"
#include "KuralDuzenleyici.h"
#include "MesajKutusu.h"
#include "PencereDuzeni.h"
#include "Takvim.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace
{

const QStringList elleGirilenSecenekleri{QStringLiteral("İçe aktarılanla değiştir"),
                                         QStringLiteral("Üstüne ekle")};

QString kayitAdi(const HareketAktarimi::KayitOnizlemesi& k)
{
    return QStringLiteral("%1 / %2 / %3, %4 %5")
        .arg(k.anahtar.defter->ad, k.anaGrup, k.altGrup, Takvim::ayAdlari()[k.anahtar.ay - 1])
        .arg(k.anahtar.yil);
}

} // namespace

HareketAtamaFormu::HareketAtamaFormu(const EkstreOkuma& okuma, const QString& yol, QWidget* sahibi)
    : QDialog(sahibi), dosya(yol), kaynak(HareketAktarimi::kaynak(okuma, QFileInfo(yol).fileName()))
{
    setObjectName(QStringLiteral("HareketAtamaFormu"));
    setWindowTitle(QStringLiteral("Banka Hareketlerini İçe Aktar"));
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
    auto* duzen = new QVBoxLayout(this);

    model = new AtamaModeli(this);
    const QList<Hareket>& hareketler = okuma.cozum.hareketler;
    model->doldur(HareketAktarimi::ata({hareketler.begin(), hareketler.end()}, Kurallar::hepsi()));
    HareketTablosu = new QTableView(this);
    HareketTablosu->setObjectName(QStringLiteral("HareketTablosu"));
    HareketTablosu->setAccessibleName(QStringLiteral("Hareketler"));
    HareketTablosu->setModel(model);
    HareketTablosu->setEditTriggers(QAbstractItemView::NoEditTriggers);
    HareketTablosu->setSelectionBehavior(QAbstractItemView::SelectRows);
    HareketTablosu->setSelectionMode(QAbstractItemView::ExtendedSelection);
    HareketTablosu->setWordWrap(false);
    HareketTablosu->horizontalHeader()->setSectionResizeMode(AtamaModeli::Aciklama,
                                                             QHeaderView::Stretch);
    HareketTablosu->resizeColumnsToContents();
    duzen->addWidget(HareketTablosu, 1);
    KuralEtiketi = new QLabel(this);
    KuralEtiketi->setObjectName(QStringLiteral("KuralEtiketi"));
    KuralEtiketi->setWordWrap(true);
    duzen->addWidget(KuralEtiketi);

    auto* atama = new QGroupBox(QStringLiteral("Seçilen hareketler"), this);
    auto* atamaDuzeni = new QVBoxLayout(atama);
    auto* hedefSatiri = new QHBoxLayout;
    hedefSecici = new HedefSecici(atama);
    AtaDugmesi = bankaDugmesi(atama, QStringLiteral("&Ata"), QStringLiteral("AtaDüğmesi"));
    hedefSatiri->addWidget(hedefSecici, 1);
    hedefSatiri->addWidget(AtaDugmesi);
    atamaDuzeni->addLayout(hedefSatiri);
    KuralKutusu = new QCheckBox(QStringLiteral("Kural olarak &hatırla"), atama);
    KuralKutusu->setObjectName(QStringLiteral("KuralKutusu"));
    atamaDuzeni->addWidget(KuralKutusu);
    kuralDuzenleyici = new KuralDuzenleyici(atama, false);
    atamaDuzeni->addWidget(kuralDuzenleyici);
    duzen->addWidget(atama);

    SayilarEtiketi = new QLabel(this);
    SayilarEtiketi->setObjectName(QStringLiteral("SayılarEtiketi"));
    SayilarEtiketi->setWordWrap(true);
    SayilarEtiketi->setTextInteractionFlags(Qt::TextSelectableByMouse);
    duzen->addWidget(SayilarEtiketi);
    ElleGirilenlerListesi = new QTreeWidget(this);
    ElleGirilenlerListesi->setObjectName(QStringLiteral("ElleGirilenlerListesi"));
    ElleGirilenlerListesi->setAccessibleName(QStringLiteral("Elle girilmiş kayıtlar"));
    ElleGirilenlerListesi->setRootIsDecorated(false);
    ElleGirilenlerListesi->setHeaderLabels(
        {QStringLiteral("Elle girilmiş kayıt"), QStringLiteral("Girilen"),
         QStringLiteral("Hareketlerin toplamı"), QStringLiteral("Ne yapılsın")});
    ElleGirilenlerListesi->setMaximumHeight(130);
    duzen->addWidget(ElleGirilenlerListesi);

    auto* alt = new QHBoxLayout;
    alt->addStretch();
    IceAktarDugmesi =
        bankaDugmesi(this, QStringLiteral("İçe Aktar"), QStringLiteral("İçeAktarDüğmesi"));
    auto* vazgec = bankaDugmesi(this, QStringLiteral("Vazgeç"), QStringLiteral("VazgeçDüğmesi"));
    alt->addWidget(IceAktarDugmesi);
    alt->addWidget(vazgec);
    duzen->addLayout(alt);

    connect(HareketTablosu->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &HareketAtamaFormu::secimDegisti);
    connect(AtaDugmesi, &QPushButton::clicked, this, &HareketAtamaFormu::AtaDugmesi_Click);
    connect(IceAktarDugmesi, &QPushButton::clicked, this,
            &HareketAtamaFormu::IceAktarDugmesi_Click);
    connect(vazgec, &QPushButton::clicked, this, &QDialog::reject);
    connect(KuralKutusu, &QCheckBox::toggled, kuralDuzenleyici, &QWidget::setEnabled);
    secimDegisti();
    onizle();
    resize(1000, 720);
    setMinimumSize(760, 560);
    new PencereDuzeni(this);
}

HareketAtamaFormu::~HareketAtamaFormu() = default;

void HareketAtamaFormu::satirlariSec(const QList<int>& satirlar)
{
    QItemSelection secim;
    for (const int s : satirlar)
        secim.select(model->index(s, 0), model->index(s, AtamaModeli::SutunSayisi - 1));
    HareketTablosu->selectionModel()->select(secim, QItemSelectionModel::ClearAndSelect);
}

QList<int> HareketAtamaFormu::seciliSatirlar() const
{
    QList<int> satirlar;
    for (const QModelIndex& yer : HareketTablosu->selectionModel()->selectedRows())
        satirlar << yer.row();
    std::sort(satirlar.begin(), satirlar.end());
    return satirlar;
}

// The boxes offer what the first chosen row has, or its ledger by the sign of its amount; the
// rule proposed from its description, remembered at once when every chosen row proposes it.
void HareketAtamaFormu::secimDegisti()
{
    const QList<int> satirlar = seciliSatirlar();
    AtaDugmesi->setEnabled(!satirlar.isEmpty());
    KuralKutusu->setEnabled(!satirlar.isEmpty());
    if (satirlar.isEmpty()) {
        kuralDuzenleyici->setEnabled(false);
        return;
    }
    const AtamaModeli::Satir& ilk = model->satir(satirlar.first());
    if (ilk.atama.hedef)
        hedefSecici->goster(*ilk.atama.hedef);
    else
        hedefSecici->defteriSec(ilk.atama.hareket.tutar >= 0 ? &gelirDefteri() : &giderDefteri());
    const QString oneri = Kurallar::onerilenMetin(ilk.atama.hareket.aciklama);
    kuralDuzenleyici->goster(Kurallar::oner(ilk.atama.hareket.aciklama, Hedef::yokSay()));
    const bool hepsiAyni = std::all_of(satirlar.begin(), satirlar.end(), [&](int s) {
        return Kurallar::onerilenMetin(model->satir(s).atama.hareket.aciklama) == oneri;
    });
    KuralKutusu->setChecked(hepsiAyni && !oneri.isEmpty());
    kuralDuzenleyici->setEnabled(KuralKutusu->isChecked());
}

void HareketAtamaFormu::AtaDugmesi_Click()
{
    const QList<int> satirlar = seciliSatirlar();
    if (satirlar.isEmpty())
        return;
    const std::optional<Hedef> hedef = hedefSecici->hedef();
    if (!hedef) {
        MesajKutusu::hata(this, QStringLiteral("Ana grubu ve alt grubu seçin (ya da Defter: "
                                               "Yok say)."));
        return;
    }
    std::optional<Kural> kural;
    if (KuralKutusu->isChecked()) {
        kural = kuralDuzenleyici->kural();
        if (!kural)
            return;
        kural->hedef = *hedef;
    }
    const MesajKutusu::Komut komut;
    model->ata(satirlar, *hedef);
    if (kural && MesajKutusu::hatalariGostererek(this, [&] {
            emit kuralEklendi(Kurallar::ekle(*kural));
            model->kurallaAta(Kurallar::Eslestirici(Kurallar::hepsi()));
        }))
        KuralEtiketi->setText(QStringLiteral("Kural eklendi: %1").arg(kural->metni()));
    onizle();
}

void HareketAtamaFormu::onizle()
{
    const auto eski = secimler();
    HareketAktarimi::Onizleme o;
    if (!MesajKutusu::hatalariGostererek(
            this, [&] { o = HareketAktarimi::onizle(kaynak, model->atananlar()); }))
        return;
    const HareketAktarimi::Sayilar& s = o.sayilar;
    const auto plansiz = std::count_if(o.kayitlar.begin(), o.kayitlar.end(), [](const auto& k) {
        return k.durum == HareketAktarimi::KayitOnizlemesi::Durum::Yok;
    });
    QString metin = QStringLiteral("%1 hareket: %2 zaten aktarılmış (yeniden alınmayacak), %3 "
                                   "yazılacak, %4 yok sayılacak, %5 atanmamış.")
                        .arg(model->rowCount())
                        .arg(s.zatenVar)
                        .arg(s.yeni)
                        .arg(s.yokSayilan)
                        .arg(s.atanmamis);
    if (plansiz > 0)
        metin += QStringLiteral(" %1 plansız kayıt açılacak.").arg(plansiz);
    SayilarEtiketi->setText(metin);
    if (const int cok = model->cokEslesenSayisi(); cok > 0 && KuralEtiketi->text().isEmpty())
        KuralEtiketi->setText(QStringLiteral("%1 harekete birden çok kural uydu; en özel olanı "
                                             "uygulandı (Kural sütunu).")
                                  .arg(cok));

    elleGirilenler.clear();
    ElleGirilenlerListesi->clear();
    for (const HareketAktarimi::KayitOnizlemesi& k : o.kayitlar) {
        if (k.durum != HareketAktarimi::KayitOnizlemesi::Durum::ElleGirilmis)
            continue;
        auto* satir = new QTreeWidgetItem(
            ElleGirilenlerListesi, {kayitAdi(k), Bicim::tutar(k.gerceklesenKurus.value_or(0)),
                                    Bicim::tutar(k.hareketToplami)});
        satir->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        satir->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        auto* secim = new QComboBox(ElleGirilenlerListesi);
        secim->addItems(elleGirilenSecenekleri);
        const auto onceki = eski.find(k.anahtar);
        secim->setCurrentIndex(onceki != eski.end() &&
                               onceki->second == HareketAktarimi::ElleGirilen::UstuneEkle);
        ElleGirilenlerListesi->setItemWidget(satir, 3, secim);
        elleGirilenler.push_back(k);
    }
    ElleGirilenlerListesi->setVisible(!elleGirilenler.empty());
    ElleGirilenlerListesi->resizeColumnToContents(0);
}

std::map<HareketAktarimi::KayitAnahtari, HareketAktarimi::ElleGirilen>
HareketAtamaFormu::secimler() const
{
    std::map<HareketAktarimi::KayitAnahtari, HareketAktarimi::ElleGirilen> sonuc;
    for (size_t i = 0; i < elleGirilenler.size(); ++i) {
        const auto* kutu = static_cast<QComboBox*>(
            ElleGirilenlerListesi->itemWidget(ElleGirilenlerListesi->topLevelItem(int(i)), 3));
        sonuc[elleGirilenler[i].anahtar] = kutu->currentIndex() == 1
                                               ? HareketAktarimi::ElleGirilen::UstuneEkle
                                               : HareketAktarimi::ElleGirilen::Degistir;
    }
    return sonuc;
}

void HareketAtamaFormu::IceAktarDugmesi_Click()
{
    const MesajKutusu::Komut komut;
    const std::vector<HareketAktarimi::AtanmisHareket> hareketler = model->atananlar();
    HareketAktarimi::Onizleme o;
    if (!MesajKutusu::hatalariGostererek(this,
                                         [&] { o = HareketAktarimi::onizle(kaynak, hareketler); }))
        return;
    if (o.sayilar.yeni + o.sayilar.yokSayilan == 0) {
        MesajKutusu::bilgi(this, QStringLiteral("Aktarılacak yeni hareket yok: %1 hareket zaten "
                                                "aktarılmış, %2 hareket atanmamış.")
                                     .arg(o.sayilar.zatenVar)
                                     .arg(o.sayilar.atanmamis));
        return;
    }
    if (o.sayilar.atanmamis > 0 &&
        !MesajKutusu::sor(this, QStringLiteral("%1 hareket atanmadı; bunlar alınmayacak (bir "
                                               "sonraki ekstrede yeniden gelirler).\n\nAtanan "
                                               "hareketler içe aktarılsın mı?")
                                    .arg(o.sayilar.atanmamis)))
        return;
    HareketAktarimi::Sonuc sonuc;
    if (!MesajKutusu::hatalariGostererek(this, [&] {
            sonuc =
                HareketAktarimi::yaz(kaynak, QFileInfo(dosya).fileName(), hareketler, secimler());
        }))
        return;
    emit aktarildi(sonuc);
    accept();
}

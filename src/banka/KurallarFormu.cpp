#include "KurallarFormu.h"

#include "BankaDugmesi.h"
#include "Bicim.h"
#include "DefterTanimi.h"
#include "KuralDuzenleyici.h"
#include "MesajKutusu.h"
#include "PencereDuzeni.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace
{

QString aralik(const Kural& k)
{
    if (!k.tutarAraligiVar())
        return {};
    return QStringLiteral("%1 – %2").arg(k.enAzKurus ? Bicim::tutar(*k.enAzKurus) : QString(),
                                         k.enCokKurus ? Bicim::tutar(*k.enCokKurus) : QString());
}

QString hedefMetni(const Hedef& h)
{
    return h.yokSayilir() ? QStringLiteral("Yok say")
                          : QStringLiteral("%1 / %2 / %3").arg(h.defter->ad, h.anaGrup, h.altGrup);
}

} // namespace

KurallarFormu::KurallarFormu(QWidget* sahibi) : QDialog(sahibi)
{
    setObjectName(QStringLiteral("KurallarFormu"));
    setWindowTitle(QStringLiteral("İçe Aktarma Kuralları"));
    auto* duzen = new QVBoxLayout(this);
    auto* aciklama = new QLabel(QStringLiteral("Banka hareketleri içe aktarılırken açıklaması ve "
                                               "tutarı bir kurala uyan hareket, kuralın grubuna "
                                               "atanmış gelir. Birden çok kural uyarsa en özel "
                                               "olan (eşittir, başlar, içerir; uzun metin; tutar "
                                               "aralığı olan) uygulanır."),
                                this);
    aciklama->setWordWrap(true);
    duzen->addWidget(aciklama);
    KuralListesi = new QTreeWidget(this);
    KuralListesi->setObjectName(QStringLiteral("KuralListesi"));
    KuralListesi->setAccessibleName(QStringLiteral("Kurallar"));
    aciklama->setBuddy(KuralListesi);
    KuralListesi->setRootIsDecorated(false);
    KuralListesi->setHeaderLabels({QStringLiteral("Koşul"), QStringLiteral("Metin"),
                                   QStringLiteral("Tutar aralığı"), QStringLiteral("Hedef")});
    duzen->addWidget(KuralListesi, 1);
    kuralDuzenleyici = new KuralDuzenleyici(this, true);
    duzen->addWidget(kuralDuzenleyici);
    auto* alt = new QHBoxLayout;
    KaydetDugmesi = bankaDugmesi(this, QStringLiteral("&Kaydet"), QStringLiteral("KaydetDüğmesi"));
    SilDugmesi = bankaDugmesi(this, QStringLiteral("&Sil"), QStringLiteral("SilDüğmesi"));
    auto* kapat = bankaDugmesi(this, QStringLiteral("Kapat"), QStringLiteral("KapatDüğmesi"));
    alt->addWidget(KaydetDugmesi);
    alt->addWidget(SilDugmesi);
    alt->addStretch();
    alt->addWidget(kapat);
    duzen->addLayout(alt);
    connect(KuralListesi, &QTreeWidget::currentItemChanged, this, &KurallarFormu::secimDegisti);
    connect(KaydetDugmesi, &QPushButton::clicked, this, &KurallarFormu::KaydetDugmesi_Click);
    connect(SilDugmesi, &QPushButton::clicked, this, &KurallarFormu::SilDugmesi_Click);
    connect(kapat, &QPushButton::clicked, this, &QDialog::accept);
    kurallar = Kurallar::hepsi();
    listele(0);
    resize(820, 520);
    setMinimumSize(QSize(640, 420).expandedTo(minimumSizeHint()));
    new PencereDuzeni(this);
}

void KurallarFormu::listele(qint64 secilecek)
{
    KuralListesi->clear();
    for (const Kural& k : kurallar) {
        auto* satir = new QTreeWidgetItem(
            KuralListesi, {Kural::kosulAdi(k.kosul), k.metin, aralik(k), hedefMetni(k.hedef)});
        satir->setData(0, Qt::UserRole, k.kimlik);
        if (k.kimlik == secilecek)
            KuralListesi->setCurrentItem(satir);
    }
    for (int s = 0; s < KuralListesi->columnCount(); ++s)
        KuralListesi->resizeColumnToContents(s);
    if (!KuralListesi->currentItem() && KuralListesi->topLevelItemCount() > 0)
        KuralListesi->setCurrentItem(KuralListesi->topLevelItem(0));
    secimDegisti();
}

const Kural* KurallarFormu::secili() const
{
    const QTreeWidgetItem* satir = KuralListesi->currentItem();
    if (!satir)
        return nullptr;
    const qint64 kimlik = satir->data(0, Qt::UserRole).toLongLong();
    for (const Kural& k : kurallar)
        if (k.kimlik == kimlik)
            return &k;
    return nullptr;
}

void KurallarFormu::secimDegisti()
{
    const Kural* k = secili();
    kuralDuzenleyici->setEnabled(k);
    KaydetDugmesi->setEnabled(k);
    SilDugmesi->setEnabled(k);
    if (k)
        kuralDuzenleyici->goster(*k);
}

void KurallarFormu::KaydetDugmesi_Click()
{
    if (!secili())
        return;
    const std::optional<Kural> kural = kuralDuzenleyici->kural();
    if (!kural)
        return;
    const MesajKutusu::Komut komut;
    MesajKutusu::hatalariGostererek(this, [&] {
        const Degisiklik d = Kurallar::degistir(*kural);
        if (d.bos())
            MesajKutusu::bilgi(this, QStringLiteral("Kural artık yok; başka bir program "
                                                    "tarafından silinmiş olabilir."));
        emit kuralDegisti(QStringLiteral("Kuralı Düzenle"), d);
        kurallar = Kurallar::hepsi();
        listele(kural->kimlik);
    });
}

void KurallarFormu::SilDugmesi_Click()
{
    const Kural* k = secili();
    if (!k || !MesajKutusu::sor(this, QStringLiteral("Bu kural silinsin mi?\n%1").arg(k->metni())))
        return;
    const qint64 kimlik = k->kimlik;
    const MesajKutusu::Komut komut;
    MesajKutusu::hatalariGostererek(this, [&] {
        emit kuralDegisti(QStringLiteral("Kuralı Sil"), Kurallar::sil(kimlik));
        kurallar = Kurallar::hepsi();
        listele(0);
    });
}

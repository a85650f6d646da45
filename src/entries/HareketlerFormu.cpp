#include "HareketlerFormu.h"

#include "Bicim.h"
#include "PencereDuzeni.h"
#include "Takvim.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

HareketlerFormu::HareketlerFormu(const DefterTanimi& defter, const ButceVerisi::Kayit& kayit,
                                 QWidget* sahibi)
    : QDialog(sahibi)
{
    setObjectName(QStringLiteral("HareketlerFormu"));
    setWindowTitle(QStringLiteral("Hareketler: %1 / %2 / %3, %4 %5")
                       .arg(defter.ad, kayit.anaGrup, kayit.altGrup, kayit.ay)
                       .arg(kayit.yil));
    auto* duzen = new QVBoxLayout(this);
    HareketListesi = new QTreeWidget(this);
    HareketListesi->setObjectName(QStringLiteral("HareketListesi"));
    HareketListesi->setAccessibleName(QStringLiteral("Hareketler"));
    HareketListesi->setRootIsDecorated(false);
    HareketListesi->setHeaderLabels({QStringLiteral("Tarih"), QStringLiteral("Açıklama"),
                                     QStringLiteral("Tutar"), QStringLiteral("Dosya"),
                                     QStringLiteral("Satır")});
    qint64 toplam = 0;
    const std::vector<BankaHareketleri::KayitliHareket> hareketler =
        BankaHareketleri::kayitHareketleri(defter, kayit.kimlik);
    for (const BankaHareketleri::KayitliHareket& h : hareketler) {
        auto* satir =
            new QTreeWidgetItem(HareketListesi, {QStringLiteral("%1 %2 %3")
                                                     .arg(h.tarih.day())
                                                     .arg(Takvim::ayAdlari()[h.tarih.month() - 1])
                                                     .arg(h.tarih.year()),
                                                 h.aciklama, Bicim::tutar(h.tutarKurus), h.dosya,
                                                 QString::number(h.kaynakNo)});
        satir->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        satir->setTextAlignment(4, Qt::AlignRight | Qt::AlignVCenter);
        toplam += h.tutarKurus;
    }
    for (int s = 0; s < HareketListesi->columnCount(); ++s)
        HareketListesi->resizeColumnToContents(s);
    duzen->addWidget(HareketListesi, 1);
    auto* ozet = new QLabel(
        QStringLiteral("%1 hareket, toplam %2").arg(hareketler.size()).arg(Bicim::tutar(toplam)),
        this);
    ozet->setObjectName(QStringLiteral("ÖzetEtiketi"));
    duzen->addWidget(ozet);
    auto* dugmeler = new QDialogButtonBox(QDialogButtonBox::Close, this);
    dugmeler->button(QDialogButtonBox::Close)->setText(QStringLiteral("Kapat"));
    connect(dugmeler, &QDialogButtonBox::rejected, this, &QDialog::reject);
    duzen->addWidget(dugmeler);
    resize(760, 420);
    setMinimumSize(520, 300);
    new PencereDuzeni(this);
}

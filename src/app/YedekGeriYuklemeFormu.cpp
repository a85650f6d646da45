#include "YedekGeriYuklemeFormu.h"

#include "Bicim.h"
#include "Denetim.h"
#include "MesajKutusu.h"
#include "VeriHatasi.h"

#include <QDir>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>

using Denetim::twipAlani;

YedekGeriYuklemeFormu::YedekGeriYuklemeFormu(const QString& yedekKlasoru, QWidget* sahibi)
    : QDialog(sahibi), klasor(yedekKlasoru)
{
    setObjectName(QStringLiteral("YedekGeriYüklemeFormu"));
    setWindowTitle(QStringLiteral("Yedekten Geri Yükle"));
    Denetim::sabitIletisimKutusu(this, 7500, 4500);

    liste = new QTreeWidget(this);
    liste->setObjectName(QStringLiteral("YedeklerListesi"));
    liste->setAccessibleName(QStringLiteral("Yedekler"));
    liste->setGeometry(twipAlani(240, 240, 7020, 3300));
    liste->setRootIsDecorated(false);
    // Beside a scroll bar all four fit in the list's 7020 twips.
    Denetim::sutunlar(liste,
                      {QStringLiteral("Tarih"), QStringLiteral("Boyut"),
                       QStringLiteral("Gelir Kayıtları"), QStringLiteral("Gider Kayıtları")},
                      {2400, 1200, 1560, 1560});
    for (int sutun = 1; sutun < 4; ++sutun)
        liste->headerItem()->setTextAlignment(sutun, Qt::AlignRight | Qt::AlignVCenter);

    geriYukleDugmesi =
        Denetim::dugme(this, QStringLiteral("GeriYükleDüğmesi"), QStringLiteral("Geri Yükle"),
                       twipAlani(4320, 3780, 1395, 345));
    auto* kapat = Denetim::dugme(this, QStringLiteral("KapatDüğmesi"), QStringLiteral("Kapat"),
                                 twipAlani(5865, 3780, 1395, 345));
    connect(geriYukleDugmesi, &QPushButton::clicked, this, [this] { GeriYukleDugmesi_Click(); });
    connect(kapat, &QPushButton::clicked, this, &QDialog::reject);
    connect(liste, &QTreeWidget::itemSelectionChanged, this,
            [this] { geriYukleDugmesi->setEnabled(!liste->selectedItems().isEmpty()); });
    listele();
}

void YedekGeriYuklemeFormu::listele()
{
    liste->clear();
    yedekler = Yedekleme::yedekler(klasor);
    for (const Yedekleme::Yedek& y : yedekler) {
        QStringList sayilar{QStringLiteral("okunamadı"), QStringLiteral("okunamadı")};
        try {
            const auto [gelir, gider] = Yedekleme::kayitSayilari(y.yol);
            sayilar = {QLocale().toString(gelir), QLocale().toString(gider)};
        } catch (const VeriHatasi&) {
            // Told in the list; restoring it is refused with the reason.
        }
        auto* satir = new QTreeWidgetItem(
            liste, {Bicim::tarihSaat(y.an), Bicim::boyut(y.boyut), sayilar[0], sayilar[1]});
        satir->setToolTip(0, QDir::toNativeSeparators(y.yol));
        for (int sutun = 1; sutun < 4; ++sutun)
            satir->setTextAlignment(sutun, Qt::AlignRight | Qt::AlignVCenter);
    }
    if (!yedekler.isEmpty())
        liste->setCurrentItem(liste->topLevelItem(0));
    geriYukleDugmesi->setEnabled(!yedekler.isEmpty());
}

void YedekGeriYuklemeFormu::GeriYukleDugmesi_Click()
{
    const int sira = liste->indexOfTopLevelItem(liste->currentItem());
    if (sira < 0)
        return;
    const Yedekleme::Yedek yedek = yedekler.at(sira);
    if (!MesajKutusu::sor(this, QStringLiteral("%1 tarihli yedek geri yüklensin mi?\n\nŞu anki "
                                               "verilerin yerini bu yedektekiler alır; şu anki "
                                               "dosya önce yedeklenir.")
                                    .arg(Bicim::tarihSaat(yedek.an))))
        return;
    if (!MesajKutusu::hatalariGostererek(
            this, [&] { Yedekleme::geriYukle(yedek.yol, QDateTime::currentDateTime()); })) {
        listele();
        return;
    }
    emit geriYuklendi(yedek.yol);
    accept();
}

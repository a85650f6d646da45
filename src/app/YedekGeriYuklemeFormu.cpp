#include "YedekGeriYuklemeFormu.h"

#include "Bicim.h"
#include "Denetim.h"
#include "MesajKutusu.h"
#include "VeriHatasi.h"

#include <QDir>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>

#include <functional>

using Denetim::twipAlani;

YedekGeriYuklemeFormu::YedekGeriYuklemeFormu(const QString& yedekKlasoru, QWidget* sahibi)
    : QDialog(sahibi), klasor(yedekKlasoru)
{
    setObjectName(QStringLiteral("YedekGeriYüklemeFormu"));
    setWindowTitle(QStringLiteral("Yedekten Geri Yükle"));
    Denetim::sabitIletisimKutusu(this, 7500, 4500);

    YedeklerListesi =
        Denetim::yerlestir(new QTreeWidget(this), QStringLiteral("YedeklerListesi"),
                           twipAlani(240, 240, 7020, 3300), QStringLiteral("Yedekler"));
    YedeklerListesi->setRootIsDecorated(false);
    // Beside a scroll bar all four fit in the list's 7020 twips.
    Denetim::sutunlar(YedeklerListesi,
                      {QStringLiteral("Tarih"), QStringLiteral("Boyut"),
                       QStringLiteral("Gelir Kayıtları"), QStringLiteral("Gider Kayıtları")},
                      {2400, 1200, 1560, 1560});
    for (int sutun = 1; sutun < 4; ++sutun)
        YedeklerListesi->headerItem()->setTextAlignment(sutun, Qt::AlignRight | Qt::AlignVCenter);

    GeriYukleDugmesi =
        Denetim::dugme(this, QStringLiteral("GeriYükleDüğmesi"), QStringLiteral("Geri Yükle"),
                       twipAlani(4320, 3780, 1395, 345));
    auto* kapat = Denetim::dugme(this, QStringLiteral("KapatDüğmesi"), QStringLiteral("Kapat"),
                                 twipAlani(5865, 3780, 1395, 345));
    connect(GeriYukleDugmesi, &QPushButton::clicked, this, [this] { GeriYukleDugmesi_Click(); });
    connect(kapat, &QPushButton::clicked, this, &QDialog::reject);
    connect(YedeklerListesi, &QTreeWidget::itemSelectionChanged, this,
            [this] { GeriYukleDugmesi->setEnabled(!YedeklerListesi->selectedItems().isEmpty()); });
    listele();
}

void YedekGeriYuklemeFormu::listele()
{
    YedeklerListesi->clear();
    yedekler = Yedekleme::yedekler(klasor);
    for (const Yedekleme::Yedek& y : yedekler) {
        QStringList sayilar{QStringLiteral("okunamadı"), QStringLiteral("okunamadı")};
        try {
            const auto [gelir, gider] = Yedekleme::kayitSayilari(y.yol);
            sayilar = {QLocale().toString(gelir), QLocale().toString(gider)};
        } catch (const VeriHatasi&) {
            // Told in the list; restoring it is refused with the reason.
        }
        auto* satir =
            new QTreeWidgetItem(YedeklerListesi, {Bicim::tarihSaat(y.an), Bicim::boyut(y.boyut),
                                                  sayilar[0], sayilar[1]});
        satir->setToolTip(0, QDir::toNativeSeparators(y.yol));
        for (int sutun = 1; sutun < 4; ++sutun)
            satir->setTextAlignment(sutun, Qt::AlignRight | Qt::AlignVCenter);
    }
    if (!yedekler.isEmpty())
        YedeklerListesi->setCurrentItem(YedeklerListesi->topLevelItem(0));
    GeriYukleDugmesi->setEnabled(!yedekler.isEmpty());
}

QString YedekGeriYuklemeFormu::soru(const Yedekleme::Yedek& yedek) const
{
    const auto icerigi = [](const std::function<Yedekleme::Icerik()>& oku) {
        try {
            const Yedekleme::Icerik i = oku();
            QString metin = QStringLiteral("%1 gelir, %2 gider kaydı")
                                .arg(QLocale().toString(i.gelir), QLocale().toString(i.gider));
            if (i.enYeniDonem)
                metin += QStringLiteral(", en yenisi %1").arg(*i.enYeniDonem);
            return metin + u'.';
        } catch (const VeriHatasi&) {
            return QStringLiteral("okunamadı.");
        }
    };
    return QStringLiteral("%1 tarihli yedek geri yüklensin mi?\n\nŞu anki dosya: %2 Yedek: %3"
                          "\n\nŞu anki verilerin yerini bu yedektekiler alır; şu anki dosya önce "
                          "yedeklenir.")
        .arg(Bicim::tarihSaat(yedek.an), icerigi(&Yedekleme::acikButceninIcerigi),
             icerigi([&] { return Yedekleme::icerik(yedek.yol); }));
}

void YedekGeriYuklemeFormu::GeriYukleDugmesi_Click()
{
    const int sira = YedeklerListesi->indexOfTopLevelItem(YedeklerListesi->currentItem());
    if (sira < 0)
        return;
    const Yedekleme::Yedek yedek = yedekler.at(sira);
    // Losing work takes a deliberate choice: No is the default.
    if (!MesajKutusu::hayirVarsayilanlaSor(this, soru(yedek)))
        return;
    if (!MesajKutusu::hatalariGostererek(
            this, [&] { Yedekleme::geriYukle(yedek.yol, QDateTime::currentDateTime()); })) {
        listele();
        return;
    }
    emit geriYuklendi(yedek.yol);
    accept();
}

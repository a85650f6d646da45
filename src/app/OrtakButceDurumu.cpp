#include "OrtakButceDurumu.h"

#include "Baglanti.h"
#include "KayitListesi.h"
#include "MesajKutusu.h"
#include "OrtakButceKomutlari.h"
#include "SunucuAdresi.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>

OrtakButceDurumu::OrtakButceDurumu(QMainWindow* anaPencere, QMenu* dosyaMenusu, int yer,
                                   std::function<void()> hepsiniListele)
    : QObject(anaPencere), pencere(anaPencere), listele(std::move(hepsiniListele)),
      baslik(anaPencere->windowTitle())
{
    menuyuKur(dosyaMenusu, yer);
    const SunucuAdresi* sunucu = Baglanti::program().motor().sunucu();
    if (!sunucu)
        return;
    ad = sunucu->ad();
    etiket = new QLabel(pencere);
    etiket->setObjectName(QStringLiteral("OrtakBütçeEtiketi"));
    YenidenBaglanDugmesi = new QPushButton(QStringLiteral("Yeniden Bağlan"), pencere);
    YenidenBaglanDugmesi->setObjectName(QStringLiteral("YenidenBağlanDüğmesi"));
    pencere->statusBar()->addPermanentWidget(etiket);
    pencere->statusBar()->addPermanentWidget(YenidenBaglanDugmesi);
    connect(YenidenBaglanDugmesi, &QPushButton::clicked, this, [this] {
        MesajKutusu::hatalariGostererek(pencere, [] { Baglanti::program().yenidenBaglan(); });
    });
    BaglantiOlaylari& olaylar = Baglanti::program().olaylar();
    // Each of these may come in the middle of a command: the lists follow once it has ended.
    connect(
        &olaylar, &BaglantiOlaylari::baskasiYazdi, this, [this] { listele(); },
        Qt::QueuedConnection);
    connect(&olaylar, &BaglantiOlaylari::koptu, this, [this] {
        kopuk = true;
        goster();
    });
    connect(&olaylar, &BaglantiOlaylari::yenidenBaglandi, this, [this] {
        kopuk = false;
        goster();
        QMetaObject::invokeMethod(
            this, [this] { listele(); }, Qt::QueuedConnection);
    });
    goster();
}

void OrtakButceDurumu::menuyuKur(QMenu* dosyaMenusu, int yer)
{
    QAction* once = dosyaMenusu->actions().at(yer);
    const bool ortak = Baglanti::program().motor().sunucu() != nullptr;
    QWidget* sahibi = pencere;
    const auto ekle = [&](const QString& eylemAdi, bool etkin, auto komut) {
        auto* eylem = new QAction(eylemAdi, dosyaMenusu);
        eylem->setEnabled(etkin);
        connect(eylem, &QAction::triggered, this, komut);
        dosyaMenusu->insertAction(once, eylem);
    };
    ekle(QStringLiteral("Ortak Bütçeye Bağlan…"), true,
         [sahibi] { OrtakButceKomutlari::baglan(sahibi); });
    ekle(QStringLiteral("Bu Bütçeyi Ortak Bütçeye Taşı…"), !ortak,
         [sahibi] { OrtakButceKomutlari::dosyadanTasi(sahibi); });
    ekle(QStringLiteral("Ortak Bütçeyi Dosyaya Kaydet…"), ortak,
         [sahibi] { OrtakButceKomutlari::dosyayaKaydet(sahibi); });
    ekle(QStringLiteral("Yerel Dosyaya Dön"), ortak,
         [sahibi] { OrtakButceKomutlari::yereleDon(sahibi); });
    dosyaMenusu->insertSeparator(once);
}

void OrtakButceDurumu::goster()
{
    const QString adi = QStringLiteral("Ortak bütçe: %1").arg(ad);
    pencere->setWindowTitle(baslik + QStringLiteral(" - ") + adi +
                            (kopuk ? QStringLiteral(" (bağlantı yok)") : QString()));
    etiket->setText(kopuk ? adi + QStringLiteral(" · sunucuya ulaşılamıyor") : adi);
    etiket->setStyleSheet(kopuk ? QStringLiteral("color: #8b0000; font-weight: bold") : QString());
    YenidenBaglanDugmesi->setVisible(kopuk);
    const QString bos = kopuk ? QStringLiteral("Ortak bütçenin sunucusuna ulaşılamıyor; kayıtlar "
                                               "bağlantı gelince listelenir.")
                              : QString();
    for (KayitListesi* liste : pencere->findChildren<KayitListesi*>())
        liste->bosMetniYaz(bos);
}

#include "DonemSecici.h"

#include "Denetim.h"
#include "Doldurma.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>

using Denetim::etiket;
using Denetim::twipAlani;
using Denetim::yerlestir;

DonemSecici::DonemSecici(QWidget* alan, const Takvim::YilAraligi& yillar)
    : QGroupBox(QStringLiteral("Tarih Bilgileri"), alan)
{
    setGeometry(twipAlani(3870, 390, 7695, 795));
    AyBilgisiKutusu = yerlestir(new QComboBox(this), QStringLiteral("AyBilgisiKutusu"),
                                twipAlani(5580, 300, 1785, 315), QStringLiteral("Ay:"));
    YilBilgisiKutusu = yerlestir(new QComboBox(this), QStringLiteral("YılBilgisiKutusu"),
                                 twipAlani(780, 300, 1785, 315), QStringLiteral("Yıl:"));
    etiket(this, QStringLiteral("Ay:"), twipAlani(5160, 360, 225, 195), true)
        ->setBuddy(AyBilgisiKutusu);
    etiket(this, QStringLiteral("Yıl:"), twipAlani(360, 360, 210, 195), true)
        ->setBuddy(YilBilgisiKutusu);
    AyBilgisiKutusu->addItem(QStringLiteral("Tüm Aylar"));
    Doldurma::AyYilEkle(YilBilgisiKutusu, AyBilgisiKutusu, yillar);
    for (QComboBox* kutu : {YilBilgisiKutusu, AyBilgisiKutusu})
        connect(kutu, &QComboBox::currentIndexChanged, this, [this] { emit degisti(donem()); });
}

Donem DonemSecici::donem() const
{
    return {YilBilgisiKutusu->currentText().toInt(), AyBilgisiKutusu->currentIndex()};
}

void DonemSecici::sec(const Donem& yeni)
{
    {
        const QSignalBlocker yil(YilBilgisiKutusu);
        const QSignalBlocker ay(AyBilgisiKutusu);
        if (const int yer = YilBilgisiKutusu->findText(yeni.yilAdi()); yeni.yil && yer >= 0)
            YilBilgisiKutusu->setCurrentIndex(yer);
        AyBilgisiKutusu->setCurrentIndex(yeni.ay);
    }
    emit degisti(donem());
}

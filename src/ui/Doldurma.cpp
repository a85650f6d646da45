#include "Doldurma.h"

#include <QComboBox>
#include <QListWidget>

namespace Doldurma
{

void SorguCalistir(const QStringList& adlar, QComboBox* liste)
{
    liste->clear();
    liste->addItems(adlar);
    liste->setCurrentIndex(-1);
}

void SorguCalistir(const QStringList& adlar, QListWidget* liste)
{
    liste->clear();
    liste->addItems(adlar);
}

void AyYilEkle(QComboBox* yilKutusu, QComboBox* ayKutusu, const Takvim::YilAraligi& yillar)
{
    for (int yil = yillar.ilk; yil <= yillar.son; ++yil)
        yilKutusu->addItem(QString::number(yil));
    ayKutusu->addItems(Takvim::ayAdlari());
}

bool oranUyaridir(const DefterTanimi& defter, std::optional<double> oran)
{
    return oran && (defter.yuksekOranUyaridir ? *oran > 100.0 : *oran < 100.0);
}

} // namespace Doldurma

#include "Doldurma.h"

#include "Takvim.h"

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

void AyYilEkle(QComboBox* yilKutusu, QComboBox* ayKutusu)
{
    for (int yil = Takvim::ilkYil; yil <= Takvim::sonYil; ++yil)
        yilKutusu->addItem(QString::number(yil));
    ayKutusu->addItems(Takvim::ayAdlari());
}

} // namespace Doldurma

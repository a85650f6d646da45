#include "Doldurma.h"

#include <QComboBox>
#include <QListWidget>
#include <QTreeWidget>

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

void oranUyarisi(QTreeWidgetItem* satir, int sutun, const DefterTanimi& defter,
                 std::optional<double> oran)
{
    if (!oranUyaridir(defter, oran))
        return;
    // Bold as well, for colour-blind eyes.
    satir->setForeground(sutun, uyariRengi);
    QFont kalin = satir->font(sutun);
    kalin.setBold(true);
    satir->setFont(sutun, kalin);
}

} // namespace Doldurma

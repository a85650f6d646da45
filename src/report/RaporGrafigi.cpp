#include "RaporGrafigi.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QHorizontalBarSeries>
#include <QLocale>
#include <QValueAxis>

#include <algorithm>

namespace
{

QBarSet* cubukKumesi(const QString& ad, const QColor& renk)
{
    auto* kume = new QBarSet(ad);
    kume->setColor(renk);
    kume->setBorderColor(renk);
    return kume;
}

} // namespace

RaporGrafigi::RaporGrafigi()
{
    setTitle(QStringLiteral("En büyük 10 gider"));
    setLocalizeNumbers(true);
    setLocale(QLocale());
    setBackgroundRoundness(0);
    setMargins(QMargins(4, 0, 4, 0));
    legend()->setAlignment(Qt::AlignRight);
    cubuklar = new QHorizontalBarSeries;
    // The colours of the overview's chart.
    tahmin = cubukKumesi(QStringLiteral("Tahmin"), QColor(0x20, 0x9F, 0xDF));
    gerceklesen = cubukKumesi(QStringLiteral("Gerçekleşen"), QColor(0x99, 0xCA, 0x53));
    cubuklar->append({tahmin, gerceklesen});
    addSeries(cubuklar);
    grupEkseni = new QBarCategoryAxis;
    addAxis(grupEkseni, Qt::AlignLeft);
    tutarEkseni = new QValueAxis;
    tutarEkseni->setLabelFormat(QStringLiteral("%.0f"));
    addAxis(tutarEkseni, Qt::AlignBottom);
    cubuklar->attachAxis(grupEkseni);
    cubuklar->attachAxis(tutarEkseni);
}

void RaporGrafigi::goster(const RaporModeli& model)
{
    std::vector<const RaporModeli::Satir*> gruplar = model.enBuyukGiderler(grupSayisi);
    // The axis stacks its first category at the bottom.
    std::reverse(gruplar.begin(), gruplar.end());
    QStringList adlar;
    QList<qreal> tahminler, gerceklesenler;
    double enBuyuk = 0, enKucuk = 0;
    for (const RaporModeli::Satir* s : gruplar) {
        adlar << s->ad;
        tahminler << double(s->tahminKurus) / 100.0;
        gerceklesenler << double(s->gerceklesenKurus) / 100.0;
        for (const double d : {tahminler.last(), gerceklesenler.last()}) {
            enBuyuk = std::max(enBuyuk, d);
            enKucuk = std::min(enKucuk, d);
        }
    }
    tahmin->remove(0, tahmin->count());
    gerceklesen->remove(0, gerceklesen->count());
    grupEkseni->clear();
    grupEkseni->append(adlar);
    tahmin->append(tahminler);
    gerceklesen->append(gerceklesenler);
    tutarEkseni->setRange(enKucuk * 1.1, std::max(enBuyuk * 1.1, 1.0));
    tutarEkseni->applyNiceNumbers();
}

QStringList RaporGrafigi::gruplar() const
{
    QStringList adlar = grupEkseni->categories();
    std::reverse(adlar.begin(), adlar.end());
    return adlar;
}

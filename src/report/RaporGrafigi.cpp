#include "RaporGrafigi.h"

#include "GrafikPaleti.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QHorizontalBarSeries>
#include <QValueAxis>

#include <algorithm>

RaporGrafigi::RaporGrafigi()
{
    GrafikPaleti::hazirla(this);
    legend()->setAlignment(Qt::AlignRight);
    cubuklar = new QHorizontalBarSeries;
    tahmin = GrafikPaleti::cubukKumesi(QStringLiteral("Tahmin"), GrafikPaleti::tahminRengi);
    gerceklesen =
        GrafikPaleti::cubukKumesi(QStringLiteral("Gerçekleşen"), GrafikPaleti::gerceklesenRengi);
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
    setTitle(model.tahmineGore() ? QStringLiteral("En büyük 10 gider (tahmine göre: henüz "
                                                  "gerçekleşen gider yok)")
                                 : QStringLiteral("En büyük 10 gider"));
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

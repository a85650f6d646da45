#include "Biçim.h"

#include <QLocale>

#include <cmath>

qint64 Biçim::kuruşa(double tutar)
{
    return std::llround(tutar * 100.0);
}

QString Biçim::tutar(qint64 kuruş)
{
    return QLocale().toString(double(kuruş) / 100.0, 'f', 2);
}

std::optional<double> Biçim::oran(qint64 gerçekleşenKuruş, qint64 tahminKuruş)
{
    if (tahminKuruş == 0)
        return std::nullopt;
    return double(gerçekleşenKuruş) / double(tahminKuruş) * 100.0;
}

QString Biçim::yüzde(double oran)
{
    const QLocale yerel;
    return yerel.toString(oran, 'f', 2) + yerel.percent();
}

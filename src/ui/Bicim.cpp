#include "Bicim.h"

#include "Takvim.h"

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace
{

// Beyond every amount that can be stored; longer numbers stop here instead of overflowing.
constexpr qint64 tavan = 100'000'000'000'000'000;

bool isaretiAl(QString& s)
{
    if (s.isEmpty() || (s[0] != u'-' && s[0] != u'\u2212'))
        return false;
    s.remove(0, 1);
    return true;
}

bool paraBiriminiAl(QString& s, bool bastan)
{
    for (const QString& ad : {QStringLiteral("TL"), QStringLiteral("₺")}) {
        if (bastan ? s.startsWith(ad, Qt::CaseInsensitive) : s.endsWith(ad, Qt::CaseInsensitive)) {
            if (bastan)
                s.remove(0, ad.size());
            else
                s.chop(ad.size());
            return true;
        }
    }
    return false;
}

// The number without sign or currency, in kuruş.
std::optional<qint64> sayiOku(const QString& s)
{
    const QLocale yerel;
    const QRegularExpression bolgesel(
        QStringLiteral("^([0-9]{1,3}(?:%1[0-9]{3})+|[0-9]+)(?:%2([0-9]{1,2}))?$")
            .arg(QRegularExpression::escape(yerel.groupSeparator()),
                 QRegularExpression::escape(yerel.decimalPoint())));
    static const QRegularExpression tuslu(QStringLiteral("^([0-9]+)\\.([0-9]{1,2})$"));
    QRegularExpressionMatch eslesme = bolgesel.match(s);
    if (!eslesme.hasMatch())
        eslesme = tuslu.match(s);
    if (!eslesme.hasMatch())
        return std::nullopt;
    const QString rakamlar = eslesme.captured(1).remove(yerel.groupSeparator()) +
                             eslesme.captured(2).leftJustified(2, u'0');
    qint64 kurus = 0;
    for (const QChar rakam : rakamlar)
        kurus = std::min(kurus * 10 + (rakam.unicode() - u'0'), tavan);
    return kurus;
}

} // namespace

QString Bicim::tutar(qint64 kurus)
{
    return QLocale().toString(double(kurus) / 100.0, 'f', 2);
}

QString Bicim::yuzde(double oran)
{
    const QLocale yerel;
    return yerel.toString(oran, 'f', 2) + yerel.percent();
}

std::optional<qint64> Bicim::tutarOku(const QString& metin)
{
    QString s = metin;
    s.removeIf([](QChar c) { return c.isSpace(); });
    bool eksi = isaretiAl(s);
    const bool paraOnde = paraBiriminiAl(s, true);
    if (!eksi && paraOnde)
        eksi = isaretiAl(s);
    if (!paraOnde)
        paraBiriminiAl(s, false);
    if (s.isEmpty())
        return eksi ? std::nullopt : std::optional<qint64>(0);
    const std::optional<qint64> kurus = sayiOku(s);
    return kurus && eksi ? std::optional(-*kurus) : kurus;
}

QString Bicim::tarihSaat(const QDateTime& an)
{
    const QDate gun = an.date();
    return QStringLiteral("%1 %2 %3 %4")
        .arg(QString::number(gun.day()), Takvim::ayAdlari()[gun.month() - 1],
             QString::number(gun.year()), an.toString(QStringLiteral("HH:mm")));
}

QString Bicim::boyut(qint64 bayt)
{
    return QLocale().formattedDataSize(bayt, 1, QLocale::DataSizeTraditionalFormat);
}

QString Bicim::okunamayanlar(qint64 sayi)
{
    return sayi > 0 ? QStringLiteral("%1 tutar okunamadı").arg(sayi) : QString();
}

#include "Bicim.h"

#include "Takvim.h"

#include <QLocale>

#include <cmath>

qint64 Bicim::kurusa(double tutar)
{
    return std::llround(tutar * 100.0);
}

QString Bicim::tutar(qint64 kurus)
{
    return QLocale().toString(double(kurus) / 100.0, 'f', 2);
}

std::optional<double> Bicim::oran(qint64 gerceklesenKurus, qint64 tahminKurus)
{
    if (tahminKurus == 0)
        return std::nullopt;
    return double(gerceklesenKurus) / double(tahminKurus) * 100.0;
}

QString Bicim::yuzde(double oran)
{
    const QLocale yerel;
    return yerel.toString(oran, 'f', 2) + yerel.percent();
}

double Bicim::tutarOku(const QString& metin)
{
    bool bolgesel = false;
    const double tutar = QLocale().toDouble(metin.trimmed(), &bolgesel);
    return bolgesel ? tutar : ondekiSayi(metin);
}

// Blanks, tabs and line feeds are skipped wherever they stand; then a sign, digits with one
// "." at most and an exponent (E or D), or &H / &O with a hexadecimal or octal whole number.
// Reading stops at the first character that cannot continue the number.
double Bicim::ondekiSayi(const QString& metin)
{
    QString s = metin;
    s.remove(u' ').remove(u'\t').remove(u'\n');
    if (s.size() > 2 && s[0] == u'&' && (s[1].toUpper() == u'H' || s[1].toUpper() == u'O')) {
        const bool onaltilik = s[1].toUpper() == u'H';
        const QString basamaklar =
            onaltilik ? QStringLiteral("0123456789ABCDEF") : QStringLiteral("01234567");
        qsizetype son = 2;
        while (son < s.size() && basamaklar.contains(s[son].toUpper()))
            ++son;
        return double(s.mid(2, son - 2).toULongLong(nullptr, onaltilik ? 16 : 8));
    }
    QString sayi;
    qsizetype i = 0;
    bool rakamVar = false;
    const auto rakamlar = [&] {
        for (; i < s.size() && s[i] >= u'0' && s[i] <= u'9'; ++i) {
            sayi += s[i];
            rakamVar = true;
        }
    };
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
        sayi += s[i++];
    rakamlar();
    if (i < s.size() && s[i] == u'.') {
        sayi += s[i++];
        rakamlar();
    }
    if (!rakamVar)
        return 0.0;
    if (i + 1 < s.size() && (s[i].toUpper() == u'E' || s[i].toUpper() == u'D')) {
        QString us = QStringLiteral("e");
        qsizetype j = i + 1;
        if (s[j] == u'+' || s[j] == u'-')
            us += s[j++];
        if (j < s.size() && s[j] >= u'0' && s[j] <= u'9') {
            sayi += us;
            i = j;
            rakamlar();
        }
    }
    bool tamam = false;
    const double deger = sayi.toDouble(&tamam); // the C format, whatever the regional settings
    return tamam || std::isinf(deger) ? deger : 0.0;
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

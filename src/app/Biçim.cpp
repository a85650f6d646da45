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

double Biçim::tutarOku(const QString& metin)
{
    bool bölgesel = false;
    const double tutar = QLocale().toDouble(metin.trimmed(), &bölgesel);
    return bölgesel ? tutar : öndekiSayı(metin);
}

// Blanks, tabs and line feeds are skipped wherever they stand; then a sign, digits with one
// "." at most and an exponent (E or D), or &H / &O with a hexadecimal or octal whole number.
// Reading stops at the first character that cannot continue the number.
double Biçim::öndekiSayı(const QString& metin)
{
    QString s = metin;
    s.remove(u' ').remove(u'\t').remove(u'\n');
    if (s.size() > 2 && s[0] == u'&' && (s[1].toUpper() == u'H' || s[1].toUpper() == u'O')) {
        const bool onaltılık = s[1].toUpper() == u'H';
        const QString basamaklar =
            onaltılık ? QStringLiteral("0123456789ABCDEF") : QStringLiteral("01234567");
        qsizetype son = 2;
        while (son < s.size() && basamaklar.contains(s[son].toUpper()))
            ++son;
        return double(s.mid(2, son - 2).toULongLong(nullptr, onaltılık ? 16 : 8));
    }
    QString sayı;
    qsizetype i = 0;
    bool rakamVar = false;
    const auto rakamlar = [&] {
        for (; i < s.size() && s[i] >= u'0' && s[i] <= u'9'; ++i) {
            sayı += s[i];
            rakamVar = true;
        }
    };
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
        sayı += s[i++];
    rakamlar();
    if (i < s.size() && s[i] == u'.') {
        sayı += s[i++];
        rakamlar();
    }
    if (!rakamVar)
        return 0.0;
    if (i + 1 < s.size() && (s[i].toUpper() == u'E' || s[i].toUpper() == u'D')) {
        QString üs = QStringLiteral("e");
        qsizetype j = i + 1;
        if (s[j] == u'+' || s[j] == u'-')
            üs += s[j++];
        if (j < s.size() && s[j] >= u'0' && s[j] <= u'9') {
            sayı += üs;
            i = j;
            rakamlar();
        }
    }
    bool tamam = false;
    const double değer = sayı.toDouble(&tamam); // the C format, whatever the regional settings
    return tamam || std::isinf(değer) ? değer : 0.0;
}

#include "TurkceMetin.h"

#include <algorithm>

namespace
{

constexpr char16_t noktaliBuyukI = u'\u0130';
constexpr char16_t noktasizKucuki = u'\u0131';

char16_t buyuge(QChar c)
{
    if (c == u'i')
        return noktaliBuyukI;
    if (c == noktasizKucuki)
        return u'I';
    return c.toUpper().unicode();
}

// Letters of the Turkish alphabet, with the foreign Q, W, X where Latin puts them.
const QString alfabe = QStringLiteral("ABCÇDEFGĞHIİJKLMNOÖPQRSŞTUÜVWXYZ");

// Letters sort above every other character, in the order of the alphabet.
char32_t siraDegeri(char16_t buyuk)
{
    const qsizetype yer = alfabe.indexOf(QChar(buyuk));
    return yer >= 0 ? 0x110000 + char32_t(yer) : char32_t(buyuk);
}

} // namespace

QString TurkceMetin::buyukHarf(const QString& metin)
{
    QString sonuc(metin.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < metin.size(); ++i)
        sonuc[i] = QChar(buyuge(metin[i]));
    return sonuc;
}

int TurkceMetin::karsilastir(const QChar* a, qsizetype aUzunluk, const QChar* b, qsizetype bUzunluk)
{
    const qsizetype ortak = std::min(aUzunluk, bUzunluk);
    for (qsizetype i = 0; i < ortak; ++i) {
        if (a[i] == b[i])
            continue;
        const char16_t x = buyuge(a[i]);
        const char16_t y = buyuge(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return aUzunluk == bUzunluk ? 0 : (aUzunluk < bUzunluk ? -1 : 1);
}

bool TurkceMetin::esit(const QString& a, const QString& b)
{
    return karsilastir(a.constData(), a.size(), b.constData(), b.size()) == 0;
}

bool TurkceMetin::alfabetikOnce(const QString& a, const QString& b)
{
    const qsizetype ortak = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < ortak; ++i) {
        const char32_t x = siraDegeri(buyuge(a[i]));
        const char32_t y = siraDegeri(buyuge(b[i]));
        if (x != y)
            return x < y;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b; // same letters in other case: keep a stable, deterministic order
}

void TurkceMetin::alfabetikSirala(QStringList& liste)
{
    std::stable_sort(liste.begin(), liste.end(), alfabetikOnce);
}

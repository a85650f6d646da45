#include "TürkçeMetin.h"

#include <algorithm>

namespace
{

constexpr char16_t noktalıBüyükİ = u'\u0130';
constexpr char16_t noktasızKüçükı = u'\u0131';

char16_t büyüğe(QChar c)
{
    if (c == u'i')
        return noktalıBüyükİ;
    if (c == noktasızKüçükı)
        return u'I';
    return c.toUpper().unicode();
}

// Letters of the Turkish alphabet, with the foreign Q, W, X where Latin puts them.
const QString alfabe = QStringLiteral("ABCÇDEFGĞHIİJKLMNOÖPQRSŞTUÜVWXYZ");

// Letters sort above every other character, in the order of the alphabet.
char32_t sıraDeğeri(char16_t büyük)
{
    const qsizetype yer = alfabe.indexOf(QChar(büyük));
    return yer >= 0 ? 0x110000 + char32_t(yer) : char32_t(büyük);
}

} // namespace

QString TürkçeMetin::büyükHarf(const QString& metin)
{
    QString sonuç(metin.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < metin.size(); ++i)
        sonuç[i] = QChar(büyüğe(metin[i]));
    return sonuç;
}

int TürkçeMetin::karşılaştır(const QChar* a, qsizetype aUzunluk, const QChar* b, qsizetype bUzunluk)
{
    const qsizetype ortak = std::min(aUzunluk, bUzunluk);
    for (qsizetype i = 0; i < ortak; ++i) {
        if (a[i] == b[i])
            continue;
        const char16_t x = büyüğe(a[i]);
        const char16_t y = büyüğe(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return aUzunluk == bUzunluk ? 0 : (aUzunluk < bUzunluk ? -1 : 1);
}

bool TürkçeMetin::eşit(const QString& a, const QString& b)
{
    return karşılaştır(a.constData(), a.size(), b.constData(), b.size()) == 0;
}

bool TürkçeMetin::alfabetikÖnce(const QString& a, const QString& b)
{
    const qsizetype ortak = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < ortak; ++i) {
        const char32_t x = sıraDeğeri(büyüğe(a[i]));
        const char32_t y = sıraDeğeri(büyüğe(b[i]));
        if (x != y)
            return x < y;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b; // same letters in other case: keep a stable, deterministic order
}

void TürkçeMetin::alfabetikSırala(QStringList& liste)
{
    std::stable_sort(liste.begin(), liste.end(), alfabetikÖnce);
}

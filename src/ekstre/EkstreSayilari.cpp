#include "EkstreSayilari.h"

#include "Tutar.h"

#include <QString>
#include <QVarLengthArray>

namespace
{

bool rakam(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// A decimal number exactly: its significant digits (no leading zeros) times 10^us.
struct Ondalik {
    QVarLengthArray<char, 48> rakamlar;
    int us = 0;
    bool eksi = false;
};

// More significant digits than this are beyond any amount or date; those after the point are
// dropped, since kuruş are decided within the first digits.
constexpr int enCokRakam = 40;

std::optional<Ondalik> ayristir(QStringView yazi)
{
    const QStringView s = yazi.trimmed();
    Ondalik o;
    qsizetype i = 0;
    if (i < s.size() && (s[i] == u'-' || s[i] == u'+'))
        o.eksi = s[i++] == u'-';
    bool nokta = false;
    bool rakamVar = false;
    for (; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == u'.' && !nokta) {
            nokta = true;
            continue;
        }
        if (!rakam(c))
            break;
        rakamVar = true;
        if (o.rakamlar.isEmpty() && c == u'0') {
            o.us -= nokta;
            continue;
        }
        if (o.rakamlar.size() == enCokRakam) {
            if (!nokta)
                return std::nullopt;
            continue;
        }
        o.rakamlar.append(char(c.unicode()));
        o.us -= nokta;
    }
    if (!rakamVar)
        return std::nullopt;
    if (i < s.size()) {
        if (s[i] != u'e' && s[i] != u'E')
            return std::nullopt;
        ++i;
        bool usEksi = false;
        if (i < s.size() && (s[i] == u'-' || s[i] == u'+'))
            usEksi = s[i++] == u'-';
        const qsizetype bas = i;
        int us = 0;
        for (; i < s.size() && rakam(s[i]); ++i) {
            if (i - bas == 4)
                return std::nullopt;
            us = us * 10 + s[i].digitValue();
        }
        if (i == bas || i != s.size())
            return std::nullopt;
        o.us += usEksi ? -us : us;
    }
    return o;
}

// The number times 10^kaydir as a whole number: rounded half away from zero, or cut toward zero
// when not `yuvarla`; none beyond ±enBuyukKurus.
std::optional<qint64> tamSayi(const Ondalik& o, int kaydir, bool yuvarla)
{
    const int n = int(o.rakamlar.size());
    const int tutulan = n + o.us + kaydir;
    if (n == 0 || tutulan < 0)
        return 0;
    if (tutulan > 17)
        return std::nullopt;
    qint64 deger = 0;
    for (int k = 0; k < tutulan; ++k)
        deger = deger * 10 + (k < n ? o.rakamlar[k] - '0' : 0);
    if (yuvarla && tutulan < n && o.rakamlar[tutulan] >= '5')
        ++deger;
    if (deger > Tutar::enBuyukKurus)
        return std::nullopt;
    return o.eksi ? -deger : deger;
}

// "TL", "TRY" or "₺" before or after the number.
void paraBiriminiAt(QString& s)
{
    for (const QString& birim :
         {QStringLiteral("TRY"), QStringLiteral("TL"), QStringLiteral("₺")}) {
        if (s.startsWith(birim, Qt::CaseInsensitive))
            s.remove(0, birim.size());
        else if (s.endsWith(birim, Qt::CaseInsensitive))
            s.chop(birim.size());
    }
}

// Digits where `i` stands (after any spaces), at most `enCok` of them.
struct Parca {
    int deger = 0;
    int uzunluk = 0;
};

std::optional<Parca> parcaOku(QStringView s, qsizetype& i, int enCok)
{
    while (i < s.size() && s[i] == u' ')
        ++i;
    Parca p;
    for (; i < s.size() && rakam(s[i]) && p.uzunluk < enCok; ++i, ++p.uzunluk)
        p.deger = p.deger * 10 + s[i].digitValue();
    if (p.uzunluk == 0 || (i < s.size() && rakam(s[i])))
        return std::nullopt;
    return p;
}

// Nothing, or a time after the date: " 07:57:58", "T07:57", " 7:05:00.000".
bool saatMi(QStringView kalan)
{
    if (kalan.isEmpty())
        return true;
    if (kalan.front() != u' ' && kalan.front() != u'T')
        return false;
    const QStringView saat = kalan.mid(1).trimmed();
    bool ikiNokta = false;
    for (const QChar c : saat) {
        if (c == u':')
            ikiNokta = true;
        else if (!rakam(c) && c != u'.')
            return false;
    }
    return ikiNokta;
}

// What follows an OFX date: nothing, or up to six digits of the time, a fraction of a second and
// the zone in brackets ("235018.000[+3:TRT]").
bool ofxSaati(QStringView kalan)
{
    qsizetype i = 0;
    while (i < kalan.size() && rakam(kalan[i]) && i < 6)
        ++i;
    if (i < kalan.size() && kalan[i] == u'.')
        for (++i; i < kalan.size() && rakam(kalan[i]);)
            ++i;
    return i == kalan.size() || (kalan[i] == u'[' && kalan.endsWith(u']'));
}

std::optional<QDate> gecerli(int yil, int ay, int gun)
{
    const QDate tarih(yil, ay, gun);
    if (!tarih.isValid() || yil < 1900 || yil > 2100)
        return std::nullopt;
    return tarih;
}

} // namespace

std::optional<qint64> EkstreSayilari::sayiKurusu(QStringView yazi)
{
    const std::optional<Ondalik> o = ayristir(yazi);
    return o ? tamSayi(*o, 2, true) : std::nullopt;
}

QChar EkstreSayilari::ondalikIsareti(QStringView s)
{
    const qsizetype nokta = s.lastIndexOf(u'.');
    const qsizetype virgul = s.lastIndexOf(u',');
    if (nokta >= 0 && virgul >= 0)
        return nokta > virgul ? u'.' : u',';
    const qsizetype son = std::max(nokta, virgul);
    if (son < 0)
        return {};
    const QChar isaret = s[son];
    if (s.count(isaret) > 1)
        return isaret == u'.' ? u',' : u'.';
    qsizetype sonra = 0;
    while (son + 1 + sonra < s.size() && rakam(s[son + 1 + sonra]))
        ++sonra;
    return sonra == 3 ? QChar() : isaret;
}

std::optional<qint64> EkstreSayilari::tutarKurusu(QStringView yazi, QChar ondalik)
{
    QString s;
    s.reserve(yazi.size());
    for (const QChar c : yazi)
        if (!c.isSpace())
            s += c;
    paraBiriminiAt(s);
    int isaretler = 0;
    bool eksi = false;
    if (s.size() >= 2 && s.front() == u'(' && s.back() == u')') {
        s = s.mid(1, s.size() - 2);
        eksi = true;
        ++isaretler;
    }
    if (!s.isEmpty() && (s.front() == u'-' || s.front() == u'+' || s.front() == QChar(0x2212))) {
        eksi = s.front() != u'+';
        s.remove(0, 1);
        ++isaretler;
    } else if (!s.isEmpty() && s.back() == u'-') {
        eksi = true;
        s.chop(1);
        ++isaretler;
    }
    paraBiriminiAt(s);
    if (isaretler > 1 || s.isEmpty() || !rakam(s.front()) || !rakam(s.back()))
        return std::nullopt;

    const QChar isaret = ondalik.isNull() ? ondalikIsareti(s) : ondalik;
    const qsizetype ayrim = isaret.isNull() ? -1 : s.lastIndexOf(isaret);
    const QStringView tam = QStringView(s).left(ayrim < 0 ? s.size() : ayrim);
    const QStringView kesir = ayrim < 0 ? QStringView() : QStringView(s).mid(ayrim + 1);
    QString sayi = eksi ? QStringLiteral("-") : QString();
    // Group marks: the mark that is not the decimal one, splitting the whole part in threes.
    QChar grup;
    int grupBoyu = 0;
    bool gruplu = false;
    for (const QChar c : tam) {
        if (rakam(c)) {
            sayi += c;
            ++grupBoyu;
            continue;
        }
        if ((c != u'.' && c != u',') || c == isaret || (!grup.isNull() && c != grup) ||
            grupBoyu == 0 || grupBoyu > 3 || (gruplu && grupBoyu != 3))
            return std::nullopt;
        grup = c;
        gruplu = true;
        grupBoyu = 0;
    }
    if (gruplu && grupBoyu != 3)
        return std::nullopt;
    for (const QChar c : kesir)
        if (!rakam(c))
            return std::nullopt;
    sayi += u'.';
    sayi += kesir;
    return sayiKurusu(sayi);
}

std::optional<QDate> EkstreSayilari::tarih(QStringView yazi, GunAy sira)
{
    const QStringView s = yazi.trimmed();
    qsizetype i = 0;
    // OFX: yyyyMMdd, perhaps followed by the time and its zone, which do not move the date.
    if (s.size() >= 8 && std::all_of(s.begin(), s.begin() + 8, rakam) && ofxSaati(s.mid(8)))
        return gecerli(s.left(4).toInt(), s.mid(4, 2).toInt(), s.mid(6, 2).toInt());
    const std::optional<Parca> a = parcaOku(s, i, 4);
    if (!a || i >= s.size())
        return std::nullopt;
    const QChar ayrac1 = s[i++];
    const std::optional<Parca> b = parcaOku(s, i, 2);
    if (!b || i >= s.size() || (ayrac1 != u'.' && ayrac1 != u'/' && ayrac1 != u'-'))
        return std::nullopt;
    const QChar ayrac2 = s[i++];
    const std::optional<Parca> c = parcaOku(s, i, 4);
    if (!c || !saatMi(s.mid(i)))
        return std::nullopt;
    if (a->uzunluk == 4)
        return ayrac1 == ayrac2 && c->uzunluk <= 2 ? gecerli(a->deger, b->deger, c->deger)
                                                   : std::nullopt;
    if (a->uzunluk > 2 || (c->uzunluk != 2 && c->uzunluk != 4))
        return std::nullopt;
    // QIF writes the years from 2000 on with an apostrophe: "11/01'24".
    if (ayrac2 == u'\'')
        return ayrac1 == u'/'
                   ? gecerli(c->uzunluk == 2 ? 2000 + c->deger : c->deger, a->deger, b->deger)
                   : std::nullopt;
    if (ayrac1 != ayrac2)
        return std::nullopt;
    const int yil = c->uzunluk == 4 ? c->deger : c->deger < 70 ? 2000 + c->deger : 1900 + c->deger;
    if (ayrac1 == u'/' && sira == GunAy::AyOnce)
        return gecerli(yil, a->deger, b->deger);
    return gecerli(yil, b->deger, a->deger);
}

std::optional<EkstreSayilari::GunAy> EkstreSayilari::tarihSirasi(QStringView yazi)
{
    const QStringView s = yazi.trimmed();
    qsizetype i = 0;
    const std::optional<Parca> a = parcaOku(s, i, 2);
    if (!a || i >= s.size() || s[i++] != u'/')
        return std::nullopt;
    const std::optional<Parca> b = parcaOku(s, i, 2);
    if (!b || i >= s.size())
        return std::nullopt;
    if (s[i] == u'\'' || b->deger > 12)
        return GunAy::AyOnce;
    if (a->deger > 12)
        return GunAy::GunOnce;
    return std::nullopt;
}

std::optional<QDate> EkstreSayilari::excelTarihi(QStringView sayi, bool tarih1904)
{
    const std::optional<Ondalik> o = ayristir(sayi);
    const std::optional<qint64> gun = o ? tamSayi(*o, 0, false) : std::nullopt;
    // 1 is 1900-01-01 and 2958465 is 9999-12-31; 60 is the 29 February 1900 that was never.
    if (!gun || *gun < 1 || *gun > 2958465 || (!tarih1904 && *gun == 60))
        return std::nullopt;
    const QDate tarih = tarih1904   ? QDate(1904, 1, 1).addDays(*gun)
                        : *gun < 60 ? QDate(1899, 12, 31).addDays(*gun)
                                    : QDate(1899, 12, 30).addDays(*gun);
    return gecerli(tarih.year(), tarih.month(), tarih.day());
}

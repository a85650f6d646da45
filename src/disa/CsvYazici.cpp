#include "CsvYazici.h"

#include "VeriHatasi.h"

#include <QIODevice>

#include <algorithm>

namespace
{

constexpr qsizetype tamponSiniri = 64 * 1024;

// Spreadsheets run a cell beginning with these as a formula, even after a sign that reads as a
// number ("-5" in a name); an apostrophe keeps it text.
bool formulGibi(QStringView deger)
{
    static const QString baslangiclar = QStringLiteral("=+-@\t\r");
    return !deger.isEmpty() && baslangiclar.contains(deger.front());
}

bool tirnakGerekir(QStringView deger)
{
    return std::any_of(deger.begin(), deger.end(),
                       [](QChar c) { return c == u';' || c == u'"' || c == u'\n' || c == u'\r'; });
}

} // namespace

CsvYazici::CsvYazici(QIODevice& cikti) : hedef(cikti), sayiBicimi(QLocale::Turkish, QLocale::Turkey)
{
    // The file's format is fixed, whatever the machine's regional settings.
    sayiBicimi.setNumberOptions(QLocale::OmitGroupSeparator);
    tampon = QByteArrayLiteral("\xEF\xBB\xBF");
}

void CsvYazici::tabloAc(const QString&, const QList<Sutun>& sutunlar)
{
    Q_ASSERT(tampon.size() <= 3); // one table, right after the byte-order mark
    for (const Sutun& s : sutunlar)
        metin(s.baslik);
    satirSonu();
}

CsvYazici& CsvYazici::metin(const QString& deger)
{
    alanAc();
    const bool tirnak = tirnakGerekir(deger);
    if (tirnak)
        tampon += '"';
    if (formulGibi(deger))
        tampon += '\'';
    if (tirnak) {
        tampon += deger.toUtf8().replace('"', QByteArrayLiteral("\"\""));
        tampon += '"';
    } else {
        utf8Ekle(deger);
    }
    return *this;
}

CsvYazici& CsvYazici::tamsayi(qint64 deger)
{
    alan(QByteArray::number(deger));
    return *this;
}

CsvYazici& CsvYazici::tutar(std::optional<qint64> kurus)
{
    sayiAlani(kurus ? std::optional(double(*kurus) / 100.0) : std::nullopt);
    return *this;
}

CsvYazici& CsvYazici::oran(std::optional<double> yuzde)
{
    sayiAlani(yuzde);
    return *this;
}

void CsvYazici::satirSonu()
{
    tampon += "\r\n";
    satirBasi = true;
    if (tampon.size() >= tamponSiniri)
        bosalt();
}

void CsvYazici::bitir()
{
    bosalt();
}

void CsvYazici::alan(const QByteArray& deger)
{
    alanAc();
    tampon += deger;
}

void CsvYazici::sayiAlani(std::optional<double> deger)
{
    alan(deger ? '"' + sayiBicimi.toString(*deger, 'f', 2).toUtf8() + '"' : QByteArray());
}

void CsvYazici::alanAc()
{
    if (!satirBasi)
        tampon += ';';
    satirBasi = false;
}

// Straight into the buffer: most fields are plain names, and this runs for every one of them.
void CsvYazici::utf8Ekle(QStringView metin)
{
    const qsizetype eski = tampon.size();
    tampon.resize(eski + kodlayici.requiredSpace(metin.size()));
    char* son = kodlayici.appendToBuffer(tampon.data() + eski, metin);
    tampon.truncate(son - tampon.constData());
}

// A device may take part of the data without an error (a file reaching its size limit); the
// error comes with the next attempt.
void CsvYazici::bosalt()
{
    for (qsizetype yazilan = 0; yazilan < tampon.size();) {
        const qint64 bu = hedef.write(tampon.constData() + yazilan, tampon.size() - yazilan);
        if (bu <= 0)
            throw VeriHatasi(QString(), hedef.errorString());
        yazilan += qsizetype(bu);
    }
    tampon.clear();
}

#include "CsvOkuma.h"

#include <QProcess>
#include <QString>

#include <utility>

namespace
{

QList<QStringList> bozuk(const char* neden, qsizetype yer)
{
    return {{QStringLiteral("CSV okunamadı: %1, karakter %2").arg(neden).arg(yer)}};
}

} // namespace

QList<QStringList> csvOku(const QByteArray& veri, QStringView ayiricilar)
{
    if (!veri.startsWith(csvBom))
        return bozuk("no byte-order mark", 0);
    const QString metin = QString::fromUtf8(veri.mid(csvBom.size()));
    const auto karakter = [&](qsizetype i) { return i < metin.size() ? metin[i] : QChar(); };
    QList<QStringList> kayitlar;
    QStringList kayit;
    QString alan;
    qsizetype i = 0;
    while (i < metin.size()) {
        if (metin[i] == u'"') {
            for (++i; !(karakter(i) == u'"' && karakter(i + 1) != u'"'); ++i) {
                if (i >= metin.size())
                    return bozuk("unterminated quote", i);
                alan += metin[metin[i] == u'"' ? i++ : i];
            }
            ++i;
        }
        if (i < metin.size() && ayiricilar.contains(karakter(i))) {
            kayit << std::exchange(alan, {});
            ++i;
        } else if (karakter(i) == u'\r' && karakter(i + 1) == u'\n') {
            kayitlar << (kayit << std::exchange(alan, {}));
            kayit.clear();
            i += 2;
        } else if (karakter(i) == u'"' || karakter(i) == u'\r' || karakter(i) == u'\n' ||
                   i >= metin.size()) {
            return bozuk("stray quote or line break", i);
        } else {
            alan += metin[i++];
        }
    }
    if (!kayit.isEmpty() || !alan.isEmpty())
        return bozuk("last record without CRLF", i);
    return kayitlar;
}

QStringList xlsxOku(const QString& yol)
{
    QProcess okuyucu;
    okuyucu.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(XLSX_DOKUMU), yol});
    okuyucu.waitForFinished();
    return QString::fromUtf8(okuyucu.readAllStandardOutput() + okuyucu.readAllStandardError())
        .split(u'\n', Qt::SkipEmptyParts);
}

#include "CsvOkuma.h"

#include <QString>

#include <utility>

QList<QStringList> csvOku(const QByteArray& veri)
{
    if (!veri.startsWith(csvBom))
        qFatal("no byte-order mark");
    const QString metin = QString::fromUtf8(veri.mid(csvBom.size()));
    QList<QStringList> kayitlar;
    QStringList kayit;
    QString alan;
    qsizetype i = 0;
    while (i < metin.size()) {
        if (metin[i] == u'"') {
            for (++i; !(metin[i] == u'"' && metin.mid(i + 1, 1) != u"\""); ++i)
                alan += metin[metin[i] == u'"' ? i++ : i];
            ++i;
        }
        if (metin[i] == u';') {
            kayit << std::exchange(alan, {});
            ++i;
        } else if (metin.mid(i, 2) == u"\r\n") {
            kayitlar << (kayit << std::exchange(alan, {}));
            kayit.clear();
            i += 2;
        } else if (metin[i] == u'"' || metin[i] == u'\r' || metin[i] == u'\n') {
            qFatal("malformed at %lld", qlonglong(i));
        } else {
            alan += metin[i++];
        }
    }
    if (!kayit.isEmpty() || !alan.isEmpty())
        qFatal("last record without CRLF");
    return kayitlar;
}

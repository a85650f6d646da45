#include "CsvOkuma.h"

#include <QProcess>
#include <QString>

QStringList xlsxOku(const QString& yol)
{
    QProcess okuyucu;
    okuyucu.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(XLSX_DOKUMU), yol});
    okuyucu.waitForFinished();
    return QString::fromUtf8(okuyucu.readAllStandardOutput() + okuyucu.readAllStandardError())
        .split(u'\n', Qt::SkipEmptyParts);
}

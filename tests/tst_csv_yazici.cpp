#include "CsvOkuma.h"
#include "CsvYazici.h"

#include <QBuffer>
#include <QLocale>
#include <QtTest>

#include <optional>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(std::optional<qint64>)
Q_DECLARE_METATYPE(std::optional<double>)

namespace
{

QVariant tutar(std::optional<qint64> kurus)
{
    return QVariant::fromValue(kurus);
}

QVariant oran(std::optional<double> yuzde)
{
    return QVariant::fromValue(yuzde);
}

void satir(const char* ad, const QVariant& deger, const QByteArray& yazilan)
{
    QTest::newRow(ad) << deger << yazilan;
}

} // namespace

class TestCsvYazici : public QObject
{
    Q_OBJECT

private slots:
    // The machine's own locale is English, so the file's Turkish format cannot come from it.
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanup() { QLocale::setDefault(QLocale::system()); }

    // One cell between two plain ones: the bytes written.
    void cellsAreWrittenForTurkishSpreadsheets_data()
    {
        QTest::addColumn<QVariant>("deger"); // QString: text, qint64: kuruş, double: ratio
        QTest::addColumn<QByteArray>("yazilan");
        satir("Turkish letters", "ŞEKER ığüşöç İ", "ŞEKER ığüşöç İ");
        satir("semicolon", "EV; KİRA", "\"EV; KİRA\"");
        satir("quotes", "O\"NEIL \"A\"", "\"O\"\"NEIL \"\"A\"\"\"");
        satir("line break", "A\nB", "\"A\nB\"");
        satir("=1+1", "=1+1", "'=1+1");
        satir("-5", "-5", "'-5");
        satir("carriage return", "\rX", "\"'\rX\"");
        satir("formula with a semicolon", "=A1;B1", "\"'=A1;B1\"");
        satir("sign inside a name", "A-5=B", "A-5=B");
        satir("amount", tutar(1'250'000), "\"12500,00\"");
        satir("negative amount", tutar(-505), "\"-5,05\"");
        satir("missing amount", tutar(std::nullopt), "");
        satir("ratio", oran(75.0), "\"75,00\"");
        satir("missing ratio", oran(std::nullopt), "");
    }
    void cellsAreWrittenForTurkishSpreadsheets()
    {
        QFETCH(QVariant, deger);
        QFETCH(QByteArray, yazilan);
        QBuffer tampon;
        tampon.open(QIODevice::WriteOnly);
        CsvYazici csv(tampon);
        csv.metin("A");
        if (deger.typeId() == QMetaType::QString)
            csv.metin(deger.toString());
        else if (deger.canConvert<std::optional<qint64>>())
            csv.tutar(deger.value<std::optional<qint64>>());
        else
            csv.oran(deger.value<std::optional<double>>());
        csv.metin("Z").satirSonu();
        csv.metin("İKİNCİ").satirSonu();
        csv.bitir();

        QCOMPARE(tampon.data(), csvBom + "A;" + yazilan + ";Z\r\nİKİNCİ\r\n"_ba);
    }
};

QTEST_MAIN(TestCsvYazici)
#include "tst_csv_yazici.moc"

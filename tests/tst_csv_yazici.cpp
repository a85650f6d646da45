#include "CsvOkuma.h"
#include "CsvYazici.h"

#include <QBuffer>
#include <QLocale>
#include <QtTest>

#include <optional>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(std::optional<qint64>)
Q_DECLARE_METATYPE(std::optional<double>)

class TestCsvYazici : public QObject
{
    Q_OBJECT

private slots:
    // The machine's own locale is English, so the file's Turkish format cannot come from it.
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanup() { QLocale::setDefault(QLocale::system()); }

    // One cell between two plain ones: the bytes written, and what a reader gets back.
    void cellsAreWrittenForTurkishSpreadsheets_data()
    {
        QTest::addColumn<QVariant>("deger"); // QString: text, qint64: kuruş, double: ratio
        QTest::addColumn<QByteArray>("yazilan");
        QTest::addColumn<QString>("okunan");
        const QVariant eksikTutar = QVariant::fromValue(std::optional<qint64>());
        const QVariant eksikOran = QVariant::fromValue(std::optional<double>());
        QTest::newRow("Turkish letters") << QVariant("ŞEKER ığüşöç İ") << "ŞEKER ığüşöç İ"_ba
                                         << "ŞEKER ığüşöç İ";
        QTest::newRow("semicolon") << QVariant("EV; KİRA") << "\"EV; KİRA\""_ba
                                   << "EV; KİRA";
        QTest::newRow("quotes") << QVariant("O\"NEIL \"A\"") << "\"O\"\"NEIL \"\"A\"\"\""_ba
                                << "O\"NEIL \"A\"";
        QTest::newRow("line break") << QVariant("A\nB") << "\"A\nB\""_ba
                                    << "A\nB";
        QTest::newRow("=1+1") << QVariant("=1+1") << "'=1+1"_ba
                              << "'=1+1";
        QTest::newRow("-5") << QVariant("-5") << "'-5"_ba
                            << "'-5";
        QTest::newRow("+90") << QVariant("+90 HAT") << "'+90 HAT"_ba
                             << "'+90 HAT";
        QTest::newRow("@SUM") << QVariant("@SUM(A1)") << "'@SUM(A1)"_ba
                              << "'@SUM(A1)";
        QTest::newRow("tab") << QVariant("\tX") << "'\tX"_ba
                             << "'\tX";
        QTest::newRow("carriage return") << QVariant("\rX") << "\"'\rX\""_ba
                                         << "'\rX";
        QTest::newRow("formula with a semicolon") << QVariant("=A1;B1") << "\"'=A1;B1\""_ba
                                                  << "'=A1;B1";
        QTest::newRow("sign inside a name") << QVariant("A-5=B") << "A-5=B"_ba
                                            << "A-5=B";
        QTest::newRow("amount") << QVariant::fromValue(std::optional<qint64>(1'250'000))
                                << "12500,00"_ba
                                << "12500,00";
        QTest::newRow("largest amount")
            << QVariant::fromValue(std::optional<qint64>(99'999'999'999'999))
            << "999999999999,99"_ba
            << "999999999999,99";
        QTest::newRow("negative amount")
            << QVariant::fromValue(std::optional<qint64>(-505)) << "-5,05"_ba
            << "-5,05";
        QTest::newRow("zero amount") << QVariant::fromValue(std::optional<qint64>(0)) << "0,00"_ba
                                     << "0,00";
        QTest::newRow("missing amount") << eksikTutar << ""_ba
                                        << "";
        QTest::newRow("ratio") << QVariant::fromValue(std::optional<double>(75.0)) << "75,00"_ba
                               << "75,00";
        QTest::newRow("ratio over 1000")
            << QVariant::fromValue(std::optional<double>(1234.567)) << "1234,57"_ba
            << "1234,57";
        QTest::newRow("missing ratio") << eksikOran << ""_ba
                                       << "";
    }
    void cellsAreWrittenForTurkishSpreadsheets()
    {
        QFETCH(QVariant, deger);
        QFETCH(QByteArray, yazilan);
        QFETCH(QString, okunan);
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
        QCOMPARE(csvOku(tampon.data()),
                 (QList<QStringList>{{"A", okunan, "Z"}, {QStringLiteral("İKİNCİ")}}));
    }
};

QTEST_MAIN(TestCsvYazici)
#include "tst_csv_yazici.moc"

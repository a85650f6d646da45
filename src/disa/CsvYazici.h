#pragma once

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QStringEncoder>

#include <optional>

class QIODevice;

// Writes a table that a spreadsheet set to Turkish opens right by double-click: UTF-8 with a
// byte-order mark, ";" between fields, CRLF line ends, amounts with a decimal comma and no
// thousands separator (12500,00), ratios as plain numbers (75,00). Fields are quoted by RFC 4180
// when they hold ";", quotes or line breaks, and a text that a spreadsheet would take for a
// formula gets a leading apostrophe. Every failure is thrown as a VeriHatasi.
class CsvYazici
{
public:
    explicit CsvYazici(QIODevice& cikti);
    CsvYazici(const CsvYazici&) = delete;
    CsvYazici& operator=(const CsvYazici&) = delete;

    CsvYazici& metin(const QString& deger);
    CsvYazici& sayi(qint64 deger);
    // An empty cell when missing.
    CsvYazici& tutar(std::optional<qint64> kurus);
    CsvYazici& oran(std::optional<double> yuzde);
    // Ends the row.
    void satirSonu();
    // Hands everything written to the device.
    void bitir();

private:
    void alan(const QByteArray& deger);
    void alanAc();
    void utf8Ekle(QStringView metin);
    void bosalt();

    QIODevice& hedef;
    QByteArray tampon;
    bool satirBasi = true;
    QLocale sayiBicimi;
    QStringEncoder kodlayici{QStringEncoder::Utf8};
};

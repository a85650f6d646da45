#pragma once

#include "TabloYazici.h"

#include <QByteArray>
#include <QLocale>
#include <QStringEncoder>

class QIODevice;

// Writes a table that a spreadsheet set to Turkish opens right by double-click: UTF-8 with a
// byte-order mark, ";" between fields, CRLF line ends, amounts with a decimal comma and no
// thousands separator (12500,00), ratios as plain numbers (75,00). Amounts and ratios are always
// quoted, so that an import splitting at commas as well keeps them whole; other fields are quoted
// by RFC 4180 when they hold ";", quotes or line breaks. A text that a spreadsheet would take for
// a formula gets a leading apostrophe. One table per file, without a sheet name; total lines are
// plain rows.
class CsvYazici : public TabloYazici
{
public:
    explicit CsvYazici(QIODevice& cikti);
    CsvYazici(const CsvYazici&) = delete;
    CsvYazici& operator=(const CsvYazici&) = delete;

    bool sayfaliMi() const override { return false; }
    void tabloAc(const QString& ad, const QList<Sutun>& sutunlar) override;
    CsvYazici& metin(const QString& deger) override;
    CsvYazici& tamsayi(qint64 deger) override;
    CsvYazici& tutar(std::optional<qint64> kurus) override;
    CsvYazici& oran(std::optional<double> yuzde) override;
    CsvYazici& toplam() override { return *this; }
    void satirSonu() override;
    void bitir() override;

private:
    void alan(const QByteArray& deger);
    void sayiAlani(std::optional<double> deger);
    void alanAc();
    void utf8Ekle(QStringView metin);
    void bosalt();

    QIODevice& hedef;
    QByteArray tampon;
    bool satirBasi = true;
    QLocale sayiBicimi;
    QStringEncoder kodlayici{QStringEncoder::Utf8};
};

#pragma once

#include <QSqlError>
#include <QString>

#include <exception>

// A failure of the database engine, carried up to the window that shows it, or (without a number)
// a refusal the program words itself.
class VeriHatasi : public std::exception
{
public:
    VeriHatasi(QString numara, QString metin) : numara_(std::move(numara)), metin_(std::move(metin))
    {
    }
    // A failure on the program's connection.
    explicit VeriHatasi(const QSqlError& hata);

    const QString& numara() const { return numara_; }
    const QString& metin() const { return metin_; }
    // The engine's own words, in parentheses after a Turkish sentence: "(Hata 5: database is
    // locked)"; a refusal the program words itself as it is.
    QString motorunSozu() const;
    // As shown to the user: an engine failure starts with a Turkish sentence for its kind (locked,
    // read-only, disk full, damaged, cannot open, other; a view where a table was), then the
    // engine's words.
    QString aciklama() const;
    const char* what() const noexcept override { return "VeriHatası"; }

private:
    QString numara_;
    QString metin_;
};

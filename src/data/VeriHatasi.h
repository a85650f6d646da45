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
    // A failure on an SQLite connection: its first sentence follows the result code.
    explicit VeriHatasi(const QSqlError& hata);
    // A failure whose first sentence its engine chose (the server's, whose codes are no SQLite
    // result codes).
    static VeriHatasi cumleyle(const QString& cumle, const QString& numara, const QString& metin);
    // The shared budget's server could not be reached (`sunucu` names it): the command wrote
    // nothing, or, when the link broke while the change was being committed, may have.
    static VeriHatasi baglantiYok(const QString& sunucu, const QString& motorunSozu,
                                  bool onaylanirken = false);

    const QString& numara() const { return numara_; }
    const QString& metin() const { return metin_; }
    // Whether the command met a lost link to the shared budget's server.
    bool baglantiKoptu() const { return baglantiKoptu_; }
    // Whether another program held the file locked: nothing wrong with the file itself.
    bool kilitli() const;
    // The engine's own words, in parentheses after a Turkish sentence: "(Hata 5: database is
    // locked)".
    QString motorunSozu() const;
    // As shown to the user, never empty: an engine failure starts with a Turkish sentence for its
    // kind (locked, read-only, disk full, damaged, cannot open, other; a view where a table was),
    // then the engine's words.
    QString aciklama() const;
    const char* what() const noexcept override { return "VeriHatası"; }

private:
    QString ilkCumle() const;

    QString numara_;
    QString metin_;
    QString cumle_; // the first sentence, when the engine chose it
    bool baglantiKoptu_ = false;
};

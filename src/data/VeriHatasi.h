#pragma once

#include <QSqlError>
#include <QString>

#include <exception>

// A failure of the database engine, carried up to the window that shows it.
class VeriHatasi : public std::exception
{
public:
    VeriHatasi(QString numara, QString metin) : numara_(std::move(numara)), metin_(std::move(metin))
    {
    }
    explicit VeriHatasi(const QSqlError& hata)
        : VeriHatasi(hata.nativeErrorCode(),
                     hata.databaseText().isEmpty() ? hata.text() : hata.databaseText())
    {
    }

    const QString& numara() const { return numara_; }
    const QString& metin() const { return metin_; }
    // "Hata 19: ..." as shown to the user.
    QString aciklama() const
    {
        return numara_.isEmpty() ? metin_ : QStringLiteral("Hata %1: %2").arg(numara_, metin_);
    }
    const char* what() const noexcept override { return "VeriHatası"; }

private:
    QString numara_;
    QString metin_;
};

#pragma once

#include "ButceKaynagi.h"

#include <QString>

#include <memory>

// An Access 2000 (Jet 4) file read through libmdb. Opening refuses, with a Turkish reason naming
// the file, anything else: a missing or unreadable file, an empty or cut-off one, the Access 97
// (Jet 3) and the newer (ACE) formats, a SQLite or text file. Nothing is ever written to it.
class JetKaynagi : public ButceKaynagi
{
public:
    // Throws a VeriHatasi with the reason.
    explicit JetKaynagi(const QString& yol);
    ~JetKaynagi() override;
    JetKaynagi(const JetKaynagi&) = delete;
    JetKaynagi& operator=(const JetKaynagi&) = delete;

    QStringList tablolar() override { return tablolar_; }
    QStringList alanlar(const QString& tablo) override;
    qint64 satirSayisi(const QString& tablo) override;
    // Also refuses a table that yields fewer rows than it says it holds (a cut-off file).
    void oku(const QString& tablo, const QStringList& alanlar, const SatirAlici& alici) override;

private:
    struct Tutamac; // libmdb's handle of the open file
    QString yol_;
    std::unique_ptr<Tutamac> tutamac_;
    QStringList tablolar_;
};

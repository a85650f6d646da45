#pragma once

#include "EkstreOkuyucu.h"

// A statement as text (.csv, .txt): in the encoding it shows (or the one chosen), split at the
// separator most of its lines agree on (';', tab or ','), fields quoted by RFC 4180. A row's
// number is the line it starts on.
class CsvOkuyucu : public EkstreOkuyucu
{
public:
    EkstreTablosu oku(const QString& yol, const OkumaSecenekleri& secenekler) const override;
};

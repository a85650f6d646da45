#pragma once

#include "EkstreOkuyucu.h"

// An old Excel workbook (.xls, BIFF8), read by libfreexl in a process of its own (EkstreSureci).
class XlsOkuyucu : public EkstreOkuyucu
{
public:
    EkstreTablosu oku(const QString& yol, const OkumaSecenekleri& secenekler) const override;
    bool metinMi() const override { return false; }
};

#pragma once

#include "EkstreOkuyucu.h"

// An Excel workbook (.xlsx): its package unpacked by minizip as it is read, its XML read by
// QXmlStreamReader. The first visible sheet's cells: shared and inline strings, numbers as
// written, booleans, a formula's cached value (never evaluated), dates by their cell's number
// format (or as ISO text), merged cells.
class XlsxOkuyucu : public EkstreOkuyucu
{
public:
    EkstreTablosu oku(const QString& yol, const OkumaSecenekleri& secenekler) const override;
    bool metinMi() const override { return false; }
};

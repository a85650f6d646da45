#pragma once

#include "EkstreOkuyucu.h"

// OFX, in both of its forms: 1.x, SGML after a header of "KEY:VALUE" lines, whose leaf elements
// are not closed, and 2.x, XML, read by QXmlStreamReader. One reader of elements serves both: a
// leaf is an element holding text and no element. Every <STMTTRN> is a row (date from the first
// eight digits of DTPOSTED, whatever its time and zone; NAME; TRNAMT; MEMO; TRNTYPE; FITID) under
// a heading of the program's own; LEDGERBAL's BALAMT is the closing balance. Elements nest at
// most EkstreSiniri::derinlik deep. Read in the program's own process: no library is involved.
class OfxOkuyucu : public EkstreOkuyucu
{
public:
    EkstreTablosu oku(const QString& yol, const OkumaSecenekleri& secenekler) const override;
};

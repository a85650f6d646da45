#pragma once

#include "EkstreOkuyucu.h"

// QIF, the line format other budget programs write: the records of the "!Type:Bank", "CCard",
// "Cash", "Oth A" and "Oth L" sections, each ended by "^", as rows (D date, P payee, T amount,
// M memo, L category, N number) under a heading of the program's own. A section's first record
// "Opening Balance" with a transfer category carries the opening balance and is no movement.
// Dates come as "dd.MM.yyyy" or "MM/dd'yy", amounts in either style; the layout decides them.
class QifOkuyucu : public EkstreOkuyucu
{
public:
    EkstreTablosu oku(const QString& yol, const OkumaSecenekleri& secenekler) const override;
};

#pragma once

#include "EkstreTablosu.h"

#include <QString>

// The first sheet of an .xls workbook as libfreexl reads it: numbers as their shortest exact text
// (one rounding to kuruş later), dates as ISO text, the rest as text. Run only in varnel-ekstre's
// child process (EkstreSureci). Throws a VeriHatasi naming the file and the reason.
namespace XlsKaynagi
{
EkstreTablosu oku(const QString& yol);
}

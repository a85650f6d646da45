#pragma once

#include "AltSurec.h"
#include "EkstreTablosu.h"

#include <QByteArray>
#include <QString>

// An old Excel workbook (.xls) is read by libfreexl, which has overrun its buffers on damaged
// files before: only varnel-ekstre links it (XlsKaynagi), and the program, the tool itself and
// the tests run it with `secenek` in a process of its own (AltSurec), which sends the sheet's rows
// back in the lines written by the functions below.
namespace EkstreSureci
{

inline const QString secenek = QStringLiteral("--surec");

// The varnel-ekstre to run (by default the one beside the program, else the one on PATH), and its
// limits; both are set by the tests.
void programiAyarla(const QString& program);
void sinirlariAyarla(const AltSurec::Sinirlar& sinirlar);

// The rows the child read from the workbook at `yol`. Throws a VeriHatasi with the child's reason
// or, when it crashed, hung or ran out of memory, that the file is damaged.
EkstreTablosu calistir(const QString& yol);

// The child's side: a row as a line.
QByteArray satirSatiri(const TabloSatiri& satir);

} // namespace EkstreSureci

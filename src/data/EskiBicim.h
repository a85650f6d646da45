#pragma once

#include <QString>

// The older Access formats a budget file may still be in, told by the file's first bytes.
enum class EskiBicim {
    Degil, // none of them (or the file cannot be read)
    Jet3,  // Access 97
    Jet4,  // Access 2000 to 2003
    Ace,   // Access 2007 and later (.accdb)
};

// Bytes 4 to 18 read "Standard Jet DB" (or "Standard ACE DB"); byte 0x14 is the Jet version.
EskiBicim eskiBicim(const QString& yol);

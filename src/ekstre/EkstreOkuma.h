#pragma once

#include "EkstreCozumu.h"
#include "EkstreDuzeni.h"
#include "EkstreOkuyucu.h"
#include "EkstreTablosu.h"

#include <optional>

// A statement file read as the window shows it before anything is corrected and as varnel-ekstre
// prints it: its rows, the layout of its table (one remembered for its header, or the one its
// words show) and what that layout reads from them.
struct EkstreOkuma {
    EkstreTablosu tablo;
    EkstreDuzeni duzen;
    EkstreCozumu cozum;
    bool metinBicimi = false; // the encoding can be chosen

    // Throws a VeriHatasi naming the file and the reason when it cannot be read.
    static EkstreOkuma oku(const QString& yol, const OkumaSecenekleri& secenekler = {},
                           bool hatirlanan = false);

    // Reads the rows again by another layout.
    void duzenle(const EkstreDuzeni& yeni);

    // Why nothing can be taken from the file, when nothing can: no table, or no movement in it.
    std::optional<QString> bosSebebi() const;
};

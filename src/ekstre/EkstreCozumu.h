#pragma once

#include "EkstreDuzeni.h"
#include "EkstreTablosu.h"
#include "Hareket.h"

#include <QHash>
#include <QList>
#include <QStringList>

#include <optional>

// A statement's table read by a layout: what each row is, the movements in the order they
// happened (a file listing the newest first is turned round), and the proof that every amount
// was read right: where the file has a balance column, each row's balance equals the one before
// plus its amount, in the file's order either way; a card statement's debt at the start plus its
// lines equals its "Dönem Borcu".
struct EkstreCozumu {
    enum class Satir : quint8 {
        Disarida, // above or below the table, or a blank row: skipped
        Baslik,
        Hareket,
        Okunamadi, // within the table but neither a movement nor blank: named
    };
    QList<Satir> satirlar;        // one for each row of the table
    QHash<int, QString> sorunlar; // why each unreadable row is so, by row index

    QList<Hareket> hareketler;
    EkstreOzeti ozet;

    // The first row whose balance does not follow: for a card statement, its "Dönem Borcu".
    struct Kirik {
        qint64 satirNo = 0;
        qint64 beklenen = 0;
        qint64 bulunan = 0;
        bool donemBorcu = false;
    };
    std::optional<Kirik> kirik;

    static EkstreCozumu coz(const EkstreTablosu& tablo, const EkstreDuzeni& duzen);

    // "Satır 57: bakiye tutmuyor (1.234,56 beklenirken 1.243,56)"; "dönem borcu" for a card.
    QString kirikMetni() const;
    // The summary shown before anything is written: "168 hareket, 01.11.2024 – 31.01.2025",
    // "Giren: 272.799,07 · Çıkan: 254.938,32", "Açılış bakiyesi: … · Kapanış bakiyesi: …".
    QStringList ozetMetni() const;
    // "Satır 12: tarih okunamadı («32.13.2024»)", one for each unreadable row, in file order.
    QStringList sorunMetinleri(const EkstreTablosu& tablo) const;
};

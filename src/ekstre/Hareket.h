#pragma once

#include <QDate>
#include <QString>

#include <optional>

// One movement of a statement, as the month will take it: its date, its description, its amount
// in kuruş (money out negative, whatever the file's sign convention), the balance after it where
// the file shows one, and where it stands in the file.
struct Hareket {
    QDate tarih;
    QString aciklama;
    qint64 tutar = 0;
    std::optional<qint64> bakiye;
    qint64 kaynakNo = 0; // the file's row (workbook, CSV line) or record (OFX, QIF), from 1
    // How many movements of the same day, amount and description come before this one in the
    // statement: two equal purchases on one day are both real, and told apart by it.
    int ayniGunSirasi = 0;

    bool operator==(const Hareket&) const = default;
};

// What a statement holds, shown before anything is written.
struct EkstreOzeti {
    qint64 sayi = 0;
    QDate ilk;
    QDate son;
    qint64 giren = 0; // money in
    qint64 cikan = 0; // money out, negative
    std::optional<qint64> acilisBakiyesi;
    std::optional<qint64> kapanisBakiyesi;
};

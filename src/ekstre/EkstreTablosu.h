#pragma once

#include "Kodlama.h"

#include <QList>
#include <QString>

#include <optional>

// One cell of a statement as its reader found it, with its kind, so that a number a program
// stored and an amount written for people are each read by their own rules.
struct Hucre {
    enum class Tur : quint8 {
        Bos,
        Metin, // text written for people: "01.11.2024", "-1.234,56", a description
        Sayi,  // a number as a program stores it: "-827.3200000000001", "1.5E-3"
        Tarih, // a date, "2024-11-01", perhaps with its time ("2024-11-01T07:57:58")
    };
    Tur tur = Tur::Bos;
    QString metin;
};

struct TabloSatiri {
    // The sheet's row, the text file's line (the first, for a record over several lines) or the
    // record (OFX, QIF), from 1; 0 for the heading a reader of records puts above them.
    qint64 no = 0;
    QList<Hucre> hucreler;
    // Why the reader could not take the row whole (a cell cut at its limit, a quote left open).
    QString sorun;
};

// A statement's rows as they stand in the file, before any of them is taken for a movement:
// the title above the table, its header, the movements and whatever follows them.
struct EkstreTablosu {
    QList<TabloSatiri> satirlar;
    // Cells a workbook merges (a title over the table's width): the first one's value is in every
    // cell the range covers; the ranges are kept so that a preview shows each once.
    struct Birlesik {
        int satir = 0; // index into satirlar
        int sutun = 0;
        int satirSayisi = 1;
        int sutunSayisi = 1;
    };
    QList<Birlesik> birlesikler;
    // What the file states beside its rows (QIF's opening balance, OFX's ledger balance).
    std::optional<qint64> acilisBakiyesi;
    std::optional<qint64> kapanisBakiyesi;
    // "Excel çalışma kitabı (.xlsx)", "CSV", … for the window.
    QString bicim;
    // Rows are records (OFX, QIF), named so in messages.
    bool kayitlar = false;
    // The encoding a text format was read in; none for a workbook.
    std::optional<Kodlama::Tur> kodlama;

    int sutunSayisi() const
    {
        qsizetype enCok = 0;
        for (const TabloSatiri& s : satirlar)
            enCok = std::max(enCok, s.hucreler.size());
        return int(enCok);
    }
};

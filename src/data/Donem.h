#pragma once

#include "DefterTanimi.h"

#include <QString>
#include <QStringList>
#include <QVariantList>

#include <optional>

// A period of the budget: a year and one of its months, or the whole year. No year means every
// year, which the overview and the period report offer and the main window never does. The one
// shape of a period from the main window's boxes to the statements.
struct Donem {
    std::optional<int> yil;
    int ay = 0; // 1 … 12; 0: the whole year ("Tüm Aylar")

    bool operator==(const Donem&) const = default;

    // The month as entries name it ("Mart"); none for the whole year.
    std::optional<QString> ayAdi() const;
    // Whether an entry of this year and month (its name in any letter case) falls in the period.
    bool kapsar(int kayitYili, const QString& kayitAyi) const;
    // As captions and the status bar name it: "Mart 2024", "2024, Tüm Aylar", "Mart, Tüm Yıllar".
    QString ad() const;
    // The year's part of a caption or a file name: "2024", or "Tüm Yıllar".
    QString yilAdi() const;
    // The parts of a file name: {"2024", "Mart"}, {"2024"}, {"Tüm Yıllar"}.
    QStringList adParcalari() const;
    // A statement's " WHERE …" on a ledger's entries: the conditions `oncekiler` (their values
    // already in `degerler`), then those that keep to the period, whose values are appended.
    // Empty when nothing is left to keep to.
    QString kosulu(const DefterTanimi& defter, QVariantList& degerler,
                   QStringList oncekiler = {}) const;
};

#pragma once

#include "DefterTanimi.h"
#include "Degisiklik.h"
#include "Donem.h"

#include <QList>

#include <optional>

struct PlanSayilari {
    qint64 olusacak = 0;
    qint64 atlanacak = 0;
};

struct KopyalananPlan {
    PlanSayilari sayilar;
    Degisiklik degisiklik; // exactly the entries created
};

// Copying a period's entries forward as planned ones: one new entry per source entry, with the
// same groups, the estimate raised by the increase and rounded to kuruş, and no realised amount.
// Either a month to a month, or (both whole years) a whole year to a whole year month by month.
// Both periods have a year.
struct PlanKopyasi {
    Donem kaynak;
    Donem hedef;
    double artisYuzde = 0;      // -100 and up, to hundredths of a percent
    bool yalnizcaBoslar = true; // skip a sub-group that has an entry in the target month

    // What copying into these ledgers would create and skip, without writing.
    PlanSayilari say(const QList<const DefterTanimi*>& defterler) const;
    // Copies into every ledger given, in one transaction: all of it or, on failure, nothing.
    KopyalananPlan kopyala(const QList<const DefterTanimi*>& defterler) const;
};

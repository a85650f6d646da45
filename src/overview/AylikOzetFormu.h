#pragma once

#include "DefterTanimi.h"

#include <QDialog>

// The twelve-month overview of one ledger, TümGelirlerFormu or TümGiderlerFormu: for each month
// the sums of the estimates and of the realised amounts over all years and groups, and their
// ratio, once as a list and once as a chart. Read afresh at every opening; it changes nothing.
class AylikOzetFormu : public QDialog
{
    Q_OBJECT
public:
    AylikOzetFormu(const DefterTanimi& defter, QWidget* sahibi);
};

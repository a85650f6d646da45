#pragma once

#include "DefterTanımı.h"

#include <QDialog>

// The twelve-month overview of one ledger: TümGelirlerFormu or TümGiderlerFormu.
class AylıkÖzetFormu : public QDialog {
public:
    AylıkÖzetFormu(const DefterTanımı& defter, QWidget* sahibi);

private:
    const DefterTanımı& defter;
};

#pragma once

#include "DefterTanımı.h"

#include <QDialog>

class AnaForm;

// The add-entry dialog of one ledger: GelirEklemeFormu or GiderEklemeFormu.
class KayıtEklemeFormu : public QDialog
{
public:
    KayıtEklemeFormu(const DefterTanımı& defter, AnaForm& anaForm);

private:
    const DefterTanımı& defter;
    AnaForm& anaForm;
};

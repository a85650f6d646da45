#pragma once

#include "DefterTanımı.h"

#include <QDialog>

class AnaForm;

// The add-group dialog of one ledger: GelirGrubuEkleFormu or GiderGrubuEkleFormu.
class GrupEklemeFormu : public QDialog
{
    Q_OBJECT
public:
    GrupEklemeFormu(const DefterTanımı& defter, AnaForm& anaForm);

private:
    const DefterTanımı& defter;
    AnaForm& anaForm;
};

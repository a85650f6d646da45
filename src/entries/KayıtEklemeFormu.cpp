#include "KayıtEklemeFormu.h"

#include "AnaForm.h"
#include "Biçim.h"

KayıtEklemeFormu::KayıtEklemeFormu(const DefterTanımı& defter, AnaForm& anaForm)
    : QDialog(&anaForm), defter(defter), anaForm(anaForm)
{
    setObjectName(defter.adıyla("%1EklemeFormu"));
    setWindowTitle(defter.eklemeBaşlığı);
    setFixedSize(Biçim::twip(5655), Biçim::twip(3660));
}

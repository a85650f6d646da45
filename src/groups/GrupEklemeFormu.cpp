#include "GrupEklemeFormu.h"

#include "AnaForm.h"
#include "Biçim.h"

GrupEklemeFormu::GrupEklemeFormu(const DefterTanımı& defter, AnaForm& anaForm)
    : QDialog(&anaForm), defter(defter), anaForm(anaForm)
{
    setObjectName(defter.adıyla("%1GrubuEkleFormu"));
    setWindowTitle(defter.grupEklemeBaşlığı);
    setFixedSize(Biçim::twip(5625), Biçim::twip(2670));
}

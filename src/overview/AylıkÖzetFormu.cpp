#include "AylıkÖzetFormu.h"

#include "Biçim.h"

AylıkÖzetFormu::AylıkÖzetFormu(const DefterTanımı& defter, QWidget* sahibi)
    : QDialog(sahibi), defter(defter)
{
    setObjectName(defter.adıyla("Tüm%1lerFormu"));
    setWindowTitle(defter.özetBaşlığı);
    setFixedSize(Biçim::twip(10965), Biçim::twip(7275));
}

#include "Islem.h"

#include "DegiskenModulu.h"
#include "VeriHatasi.h"

#include <QSqlError>

Islem::Islem()
{
    QSqlDatabase db = DegiskenModulu::VeriTabani();
    if (!db.transaction())
        throw VeriHatasi(db.lastError());
}

Islem::~Islem()
{
    if (acik)
        DegiskenModulu::VeriTabani().rollback();
}

void Islem::onayla()
{
    QSqlDatabase db = DegiskenModulu::VeriTabani();
    if (!db.commit())
        throw VeriHatasi(db.lastError());
    acik = false;
}

#include "Islem.h"

#include "AcilisDenetimi.h"
#include "DegiskenModulu.h"
#include "VeriHatasi.h"

#include <QSqlError>

namespace
{

YazmaOncesi* etkinKanca = nullptr;

} // namespace

YazmaOncesi::YazmaOncesi(std::function<void()> yapilacak) : is(std::move(yapilacak))
{
    etkinKanca = this;
}

YazmaOncesi::~YazmaOncesi()
{
    if (etkinKanca == this)
        etkinKanca = nullptr;
}

Islem::Islem()
{
    // Before the backup and before undo, whose writes go round SatirYazici.
    DegiskenModulu::dosyayiDenetle();
    AcilisDenetimi::yazmadanOnce();
    if (etkinKanca)
        etkinKanca->is();
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

#include "Islem.h"

#include "DegiskenModulu.h"
#include "VeriHatasi.h"

#include <QSqlError>

namespace
{

std::function<void()>& oncekiIs()
{
    static std::function<void()> is;
    return is;
}

} // namespace

void Islem::yazmadanOnce(std::function<void()> is)
{
    oncekiIs() = std::move(is);
}

Islem::Islem()
{
    // Before the backup and before undo, whose writes go round SatirYazici.
    DegiskenModulu::dosyayiDenetle();
    if (oncekiIs())
        oncekiIs()();
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

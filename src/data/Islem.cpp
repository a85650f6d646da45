#include "Islem.h"

#include "Baglanti.h"

Islem::Islem()
{
    Baglanti& b = Baglanti::program();
    b.yazmadanOnce();
    try {
        basla();
    } catch (const VeriHatasi& h) {
        // A link found lost before anything was written is tried once more: the server may be
        // back.
        if (!b.yenidenDenenir(h))
            throw;
        b.deyimdenOnce();
        basla();
    }
}

void Islem::basla()
{
    Baglanti& b = Baglanti::program();
    QSqlDatabase db = b.db();
    if (!db.transaction())
        throw b.hatasi(db.lastError());
    acik = true;
    ++b.islemDerinligi;
}

Islem::~Islem()
{
    if (!acik)
        return;
    Baglanti& b = Baglanti::program();
    --b.islemDerinligi;
    b.db().rollback();
}

void Islem::onayla()
{
    Baglanti& b = Baglanti::program();
    QSqlDatabase db = b.db();
    acik = false;
    --b.islemDerinligi;
    if (!db.commit()) {
        const VeriHatasi hata = b.hatasi(db.lastError(), true);
        db.rollback();
        throw hata;
    }
}

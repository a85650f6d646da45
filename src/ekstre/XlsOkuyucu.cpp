#include "XlsOkuyucu.h"

#include "EkstreSureci.h"

EkstreTablosu XlsOkuyucu::oku(const QString& yol, const OkumaSecenekleri&) const
{
    EkstreTablosu tablo = EkstreSureci::calistir(yol);
    tablo.bicim = QStringLiteral("Excel 97-2003 çalışma kitabı (.xls)");
    return tablo;
}

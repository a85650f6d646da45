#include "Donem.h"

#include "Takvim.h"
#include "TurkceMetin.h"

namespace
{

const QString tumAylar = QStringLiteral("Tüm Aylar");

} // namespace

std::optional<QString> Donem::ayAdi() const
{
    if (ay < 1 || ay > 12)
        return std::nullopt;
    return Takvim::ayAdlari()[ay - 1];
}

bool Donem::kapsar(int kayitYili, const QString& kayitAyi) const
{
    const std::optional<QString> adi = ayAdi();
    return (!yil || kayitYili == *yil) && (!adi || TurkceMetin::esit(kayitAyi, *adi));
}

QString Donem::yilAdi() const
{
    return yil ? QString::number(*yil) : QStringLiteral("Tüm Yıllar");
}

QString Donem::ad() const
{
    const std::optional<QString> adi = ayAdi();
    if (yil && adi)
        return *adi + u' ' + yilAdi();
    return adi ? *adi + QStringLiteral(", ") + yilAdi()
               : yilAdi() + QStringLiteral(", ") + tumAylar;
}

QStringList Donem::adParcalari() const
{
    QStringList parcalar{yilAdi()};
    if (const std::optional<QString> adi = ayAdi())
        parcalar << *adi;
    return parcalar;
}

// The month is compared by the Turkish letter rules, as entries may spell it in any case.
QString Donem::kosulu(const DefterTanimi& defter, QVariantList& degerler,
                      QStringList oncekiler) const
{
    if (yil) {
        oncekiler << defter.yilAlani + QStringLiteral(" = ?");
        degerler << *yil;
    }
    if (const std::optional<QString> adi = ayAdi()) {
        oncekiler << defter.ayAlani + QStringLiteral(" = ? COLLATE TURKCE");
        degerler << *adi;
    }
    return oncekiler.isEmpty()
               ? QString()
               : QStringLiteral(" WHERE ") + oncekiler.join(QStringLiteral(" AND "));
}

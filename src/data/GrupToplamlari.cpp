#include "GrupToplamlari.h"

#include "SorguSonucu.h"
#include "TurkceMetin.h"

#include <QHash>

#include <algorithm>

namespace
{

// Grouped as spelt, so that SQLite walks the (year, main group, sub-group, …) index in its own
// order without sorting; a GROUP BY in the Turkish collation would sort every entry of the
// period through it. The few spellings are folded into groups afterwards, in oku().
const QString satirlarSorgusu =
    QStringLiteral("SELECT AnaGrup, GrupAdi, TUTAR_TOPLAMI(%2, Gerceklesen) "
                   "FROM %1%3 GROUP BY AnaGrup, GrupAdi");
const QString anaGruplarSorgusu = QStringLiteral("SELECT GrupAdi FROM %1");
const QString altGruplarSorgusu = QStringLiteral("SELECT AnaGrup, GrupAdi FROM %1");

// Collects groups by their case-folded names, keeping the first spelling met.
class Katalog
{
public:
    GrupToplamlari::AnaGrup& anaGrup(const QString& ad, bool listede)
    {
        const QString anahtar = TurkceMetin::buyukHarf(ad);
        auto yer = anaSira.find(anahtar);
        if (yer == anaSira.end()) {
            yer = anaSira.insert(anahtar, gruplar.size());
            gruplar.push_back({ad, listede, {}});
        }
        GrupToplamlari::AnaGrup& grup = gruplar[*yer];
        grup.listede = grup.listede || listede;
        return grup;
    }

    GrupToplamlari::AltGrup& altGrup(const QString& ana, const QString& ad, bool listede)
    {
        GrupToplamlari::AnaGrup& grup = anaGrup(ana, false);
        const QString anahtar =
            TurkceMetin::buyukHarf(grup.ad) + u'\n' + TurkceMetin::buyukHarf(ad);
        auto yer = altSira.find(anahtar);
        if (yer == altSira.end()) {
            yer = altSira.insert(anahtar, grup.altGruplar.size());
            grup.altGruplar.push_back({ad, listede, {}});
        }
        GrupToplamlari::AltGrup& alt = grup.altGruplar[*yer];
        alt.listede = alt.listede || listede;
        return alt;
    }

    std::vector<GrupToplamlari::AnaGrup> sirali()
    {
        const auto adaGore = [](const auto& a, const auto& b) {
            return TurkceMetin::alfabetikOnce(a.ad, b.ad);
        };
        for (GrupToplamlari::AnaGrup& grup : gruplar)
            std::stable_sort(grup.altGruplar.begin(), grup.altGruplar.end(), adaGore);
        std::stable_sort(gruplar.begin(), gruplar.end(), adaGore);
        return std::move(gruplar);
    }

private:
    std::vector<GrupToplamlari::AnaGrup> gruplar;
    QHash<QString, size_t> anaSira;
    QHash<QString, size_t> altSira;
};

} // namespace

std::vector<GrupToplamlari::Satir> GrupToplamlari::satirlar(const DefterTanimi& defter,
                                                            const Donem& donem)
{
    QVariantList degerler;
    const QString kosul = donem.kosulu(defter, degerler);
    SorguSonucu sorgu(satirlarSorgusu.arg(defter.kayitTablosu, defter.tahminAlani, kosul),
                      degerler);
    std::vector<Satir> sonuc;
    while (sorgu.sonraki())
        sonuc.push_back({sorgu.alan(0).toString(), sorgu.alan(1).toString(),
                         Tutar::toplam(sorgu.alan(2))});
    return sonuc;
}

std::vector<GrupToplamlari::AnaGrup> GrupToplamlari::oku(const DefterTanimi& defter,
                                                         const Donem& donem)
{
    Katalog katalog;
    {
        SorguSonucu sorgu(anaGruplarSorgusu.arg(defter.anaGrupTablosu));
        while (sorgu.sonraki())
            katalog.anaGrup(sorgu.alan(0).toString(), true);
    }
    {
        SorguSonucu sorgu(altGruplarSorgusu.arg(defter.altGrupTablosu));
        while (sorgu.sonraki())
            katalog.altGrup(sorgu.alan(0).toString(), sorgu.alan(1).toString(), true);
    }
    for (const Satir& s : satirlar(defter, donem))
        Tutar::ekle(katalog.altGrup(s.anaGrup, s.altGrup, false).toplam, s.toplam);
    return katalog.sirali();
}

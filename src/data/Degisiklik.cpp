#include "Degisiklik.h"

#include "DegiskenModulu.h"
#include "Islem.h"
#include "Lehce.h"
#include "SatirYazici.h"
#include "SorguSonucu.h"
#include "VeriHatasi.h"

#include <QSqlError>
#include <QSqlQuery>

#include <map>
#include <memory>

namespace
{

// %1 is the table, %2 its fields or their conditions; values are always bound.
const QString okumaSorgusu = QStringLiteral("SELECT %2 FROM %1 WHERE rowid = ?");
const QString varSorgusu = QStringLiteral("SELECT 1 FROM %1 WHERE rowid = ?");
// IS compares NULL with NULL too; the field's type rules apply to the bound value, as on writing.
const QString ayniSorgusu = QStringLiteral("SELECT 1 FROM %1 WHERE rowid = ?%2");
const QString eklemeKomutu = QStringLiteral("INSERT INTO %1 (rowid, %2) VALUES (?%3)");
const QString guncellemeKomutu = QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?");
const QString silmeKomutu = QStringLiteral("DELETE FROM %1 WHERE rowid = ?");
const QString kosulluOkumaSorgusu = QStringLiteral("SELECT rowid, %2 FROM %1 WHERE %3");
const QString kosulluGuncellemeKomutu = QStringLiteral("UPDATE %1 SET %2 WHERE %3");
const QString kosulluSilmeKomutu = QStringLiteral("DELETE FROM %1 WHERE %2");

std::optional<QVariantList> oku(const Sema::Tablo& tablo, qint64 satir)
{
    SorguSonucu KayitKumesi(okumaSorgusu.arg(tablo.ad, tablo.alanlar.join(u',')), {satir});
    if (!KayitKumesi.sonraki())
        return std::nullopt;
    QVariantList degerler;
    for (int i = 0; i < tablo.alanlar.size(); ++i)
        degerler << KayitKumesi.alan(i);
    return degerler;
}

QString parcalar(const QStringList& alanlar, const QString& sablon, const QString& ayrac)
{
    QStringList sonuc;
    for (const QString& alan : alanlar)
        sonuc << sablon.arg(alan);
    return sonuc.join(ayrac);
}

// One table's statements, prepared once for every row of it that a command takes back or redoes.
class TabloKomutlari
{
public:
    explicit TabloKomutlari(const Sema::Tablo& tablo)
        : var(db()), ayni(db()), ekleme(db()), guncelleme(db()), silme(db())
    {
        const QStringList& a = tablo.alanlar;
        hazirla(var, varSorgusu.arg(tablo.ad));
        hazirla(ayni, ayniSorgusu.arg(tablo.ad, parcalar(a, QStringLiteral(" AND %1 IS ?"), {})));
        hazirla(ekleme,
                eklemeKomutu.arg(tablo.ad, a.join(u','), QStringLiteral(", ?").repeated(a.size())));
        hazirla(guncelleme,
                guncellemeKomutu.arg(tablo.ad, parcalar(a, QStringLiteral("%1 = ?"), ", ")));
        hazirla(silme, silmeKomutu.arg(tablo.ad));
    }

    // Whether the row is as expected: there with these values, or (none) not there.
    bool durumda(qint64 satir, const std::optional<QVariantList>& beklenen)
    {
        QSqlQuery& sorgu = beklenen ? ayni : var;
        sorgu.addBindValue(satir);
        for (const QVariant& deger : beklenen.value_or(QVariantList()))
            sorgu.addBindValue(deger);
        calistir(sorgu);
        const bool bulundu = sorgu.next();
        sorgu.finish();
        return bulundu == beklenen.has_value();
    }

    void yaz(qint64 satir, bool varken, const std::optional<QVariantList>& hedef)
    {
        if (!hedef) {
            silme.addBindValue(satir);
            calistir(silme);
            return;
        }
        QSqlQuery& sorgu = varken ? guncelleme : ekleme;
        if (!varken)
            sorgu.addBindValue(satir);
        for (const QVariant& deger : *hedef)
            sorgu.addBindValue(deger);
        if (varken)
            sorgu.addBindValue(satir);
        calistir(sorgu);
    }

private:
    static QSqlDatabase db() { return DegiskenModulu::VeriTabani(); }
    static void hazirla(QSqlQuery& sorgu, const QString& sql)
    {
        if (!sorgu.prepare(Lehce::uyarla(sql)))
            throw VeriHatasi(sorgu.lastError());
    }
    static void calistir(QSqlQuery& sorgu)
    {
        if (!sorgu.exec())
            throw VeriHatasi(sorgu.lastError());
    }

    QSqlQuery var, ayni, ekleme, guncelleme, silme;
};

} // namespace

qint64 Degisiklik::satirEkle(const Sema::Tablo& tablo, const QVariantList& degerler)
{
    const qint64 satir = SatirYazici(tablo).yaz(degerler);
    eklendi(tablo, satir, degerler);
    return satir;
}

void Degisiklik::eklendi(const Sema::Tablo& tablo, qint64 satir, const QVariantList& degerler)
{
    satirlar.push_back({tablo, satir, std::nullopt, degerler});
}

std::optional<QVariantList> Degisiklik::beklendigiGibi(const Sema::Tablo& tablo, qint64 satir,
                                                       const std::optional<QVariantList>& okunan)
{
    std::optional<QVariantList> simdi = oku(tablo, satir);
    if (simdi && okunan) {
        SorguSonucu KayitKumesi(
            ayniSorgusu.arg(tablo.ad, parcalar(tablo.alanlar, QStringLiteral(" AND %1 IS ?"), {})),
            QVariantList{satir} + *okunan);
        if (!KayitKumesi.sonraki()) {
            degismisBulundu = true;
            return std::nullopt;
        }
    }
    return simdi;
}

bool Degisiklik::satirSil(const Sema::Tablo& tablo, qint64 satir,
                          const std::optional<QVariantList>& okunan)
{
    std::optional<QVariantList> once = beklendigiGibi(tablo, satir, okunan);
    if (!once)
        return false;
    SorguSonucu KayitKumesi(silmeKomutu.arg(tablo.ad), {satir});
    satirlar.push_back({tablo, satir, std::move(once), std::nullopt});
    return true;
}

bool Degisiklik::satirGuncelle(const Sema::Tablo& tablo, qint64 satir,
                               const std::optional<QVariantList>& okunan,
                               const std::function<void(QVariantList&)>& degistir)
{
    std::optional<QVariantList> once = beklendigiGibi(tablo, satir, okunan);
    if (!once)
        return false;
    QVariantList sonra = *once;
    degistir(sonra);
    SorguSonucu KayitKumesi(
        guncellemeKomutu.arg(tablo.ad, parcalar(tablo.alanlar, QStringLiteral("%1 = ?"), ", ")),
        QVariantList(sonra) << satir);
    satirlar.push_back({tablo, satir, std::move(once), std::move(sonra)});
    return true;
}

qsizetype Degisiklik::satirlariGuncelle(const Sema::Tablo& tablo, const QString& kosul,
                                        const QVariantList& degerler,
                                        const std::map<int, QVariant>& yeni)
{
    return topluYaz(tablo, kosul, degerler, &yeni);
}

qsizetype Degisiklik::satirlariSil(const Sema::Tablo& tablo, const QString& kosul,
                                   const QVariantList& degerler)
{
    return topluYaz(tablo, kosul, degerler, nullptr);
}

// The rows are read as they were, then written by one statement over the same condition: on
// thousands of rows far faster than one statement each. The caller's transaction keeps other
// programs from changing them in between.
qsizetype Degisiklik::topluYaz(const Sema::Tablo& tablo, const QString& kosul,
                               const QVariantList& degerler, const std::map<int, QVariant>* yeni)
{
    const size_t ilk = satirlar.size();
    {
        SorguSonucu KayitKumesi(kosulluOkumaSorgusu.arg(tablo.ad, tablo.alanlar.join(u','), kosul),
                                degerler);
        while (KayitKumesi.sonraki()) {
            QVariantList once;
            for (int i = 1; i <= tablo.alanlar.size(); ++i)
                once << KayitKumesi.alan(i);
            std::optional<QVariantList> sonra;
            if (yeni) {
                sonra = once;
                for (const auto& [alan, deger] : *yeni)
                    (*sonra)[alan] = deger;
            }
            satirlar.push_back(
                {tablo, KayitKumesi.alan(0).toLongLong(), std::move(once), std::move(sonra)});
        }
    }
    const qsizetype sayi = qsizetype(satirlar.size() - ilk);
    if (sayi == 0)
        return 0;
    if (!yeni) {
        SorguSonucu KayitKumesi(kosulluSilmeKomutu.arg(tablo.ad, kosul), degerler);
        return sayi;
    }
    QStringList atamalar;
    QVariantList atananlar;
    for (const auto& [alan, deger] : *yeni) {
        atamalar << tablo.alanlar[alan] + QStringLiteral(" = ?");
        atananlar << deger;
    }
    SorguSonucu KayitKumesi(kosulluGuncellemeKomutu.arg(tablo.ad, atamalar.join(u','), kosul),
                            atananlar + degerler);
    return sayi;
}

bool Degisiklik::uygula(bool geriye) const
{
    Islem islem;
    {
        std::map<QString, std::unique_ptr<TabloKomutlari>> komutlar;
        // Taken back newest first, as the rows were written the other way round.
        for (size_t i = 0; i < satirlar.size(); ++i) {
            const Satir& s = geriye ? satirlar[satirlar.size() - 1 - i] : satirlar[i];
            const std::optional<QVariantList>& simdi = geriye ? s.sonra : s.once;
            std::unique_ptr<TabloKomutlari>& k = komutlar[s.tablo.ad];
            if (!k)
                k = std::make_unique<TabloKomutlari>(s.tablo);
            if (!k->durumda(s.satir, simdi))
                return false;
            k->yaz(s.satir, simdi.has_value(), geriye ? s.once : s.sonra);
        }
    }
    islem.onayla();
    return true;
}

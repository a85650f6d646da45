#include "Degisiklik.h"

#include "Baglanti.h"
#include "Islem.h"
#include "Lehce.h"
#include "SatirYazici.h"
#include "SorguSonucu.h"

#include <QSqlError>
#include <QSqlQuery>

#include <map>
#include <memory>

namespace
{

// %1 is the table, %2 its fields or their assignments, %3 the condition that the row is as
// expected: every field IS its value, which compares NULL with NULL too, the field's type rules
// applying to the bound value as on writing. Values are always bound.
const QString okumaSorgusu = QStringLiteral("SELECT %2 FROM %1 WHERE rowid = ?");
const QString varSorgusu = QStringLiteral("SELECT 1 FROM %1 WHERE rowid = ?");
const QString eklemeKomutu =
    QStringLiteral("INSERT INTO %1 (rowid, %2) VALUES (?%3) ON CONFLICT DO NOTHING");
const QString guncellemeKomutu = QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?%3");
const QString silmeKomutu = QStringLiteral("DELETE FROM %1 WHERE rowid = ?%2");
const QString kosulluOkumaSorgusu = QStringLiteral("SELECT rowid, %2 FROM %1 WHERE %3");
const QString kosulluGuncellemeKomutu = QStringLiteral("UPDATE %1 SET %2 WHERE %3");
const QString kosulluSilmeKomutu = QStringLiteral("DELETE FROM %1 WHERE %2");

QString parcalar(const QStringList& alanlar, const QString& sablon, const QString& ayrac)
{
    QStringList sonuc;
    for (const QString& alan : alanlar)
        sonuc << sablon.arg(alan);
    return sonuc.join(ayrac);
}

// One table's statements, each prepared once, when first needed, for every row of the table that
// a command writes. A row is written only from the state it is expected in, checked by the
// writing statement itself: no other connection can change it in between, on either engine.
class TabloKomutlari
{
public:
    explicit TabloKomutlari(const Sema::Tablo& t) : tablo(t) {}

    // The row from `once` (none: not there) to `sonra` (none: deleted); false, with nothing
    // written, when the row is not as `once` says.
    bool yaz(qint64 satir, const std::optional<QVariantList>& once,
             const std::optional<QVariantList>& sonra)
    {
        if (!once && !sonra)
            return !var(satir);
        const QStringList& a = tablo.alanlar;
        const QString kosul = parcalar(a, QStringLiteral(" AND %1 IS ?"), {});
        QSqlQuery* sorgu = nullptr;
        QVariantList degerler;
        if (!once) {
            sorgu = &hazir(ekleme, eklemeKomutu.arg(tablo.ad, a.join(u','),
                                                    QStringLiteral(", ?").repeated(a.size())));
            degerler << satir << *sonra;
        } else if (!sonra) {
            sorgu = &hazir(silme, silmeKomutu.arg(tablo.ad, kosul));
            degerler << satir << *once;
        } else {
            sorgu = &hazir(
                guncelleme,
                guncellemeKomutu.arg(tablo.ad, parcalar(a, QStringLiteral("%1 = ?"), ", "), kosul));
            degerler << *sonra << satir << *once;
        }
        for (const QVariant& deger : degerler)
            sorgu->addBindValue(deger);
        calistir(*sorgu);
        return sorgu->numRowsAffected() == 1;
    }

    bool var(qint64 satir)
    {
        QSqlQuery& sorgu = hazir(varmi, varSorgusu.arg(tablo.ad));
        sorgu.addBindValue(satir);
        calistir(sorgu);
        const bool bulundu = sorgu.next();
        sorgu.finish();
        return bulundu;
    }

    // The row as it stands, held for this transaction; none when it is not there.
    std::optional<QVariantList> oku(qint64 satir)
    {
        QSqlQuery& sorgu = hazir(okuma, okumaSorgusu.arg(tablo.ad, tablo.alanlar.join(u',')) +
                                            Baglanti::program().lehce().satirKilidi());
        sorgu.addBindValue(satir);
        calistir(sorgu);
        std::optional<QVariantList> degerler;
        if (sorgu.next()) {
            degerler.emplace();
            for (int i = 0; i < tablo.alanlar.size(); ++i)
                *degerler << sorgu.value(i);
        }
        sorgu.finish();
        return degerler;
    }

private:
    QSqlQuery& hazir(std::unique_ptr<QSqlQuery>& sorgu, const QString& sql)
    {
        if (sorgu)
            return *sorgu;
        Baglanti& b = Baglanti::program();
        b.deyimdenOnce();
        sorgu = std::make_unique<QSqlQuery>(b.db());
        if (!sorgu->prepare(b.lehce().uyarla(sql)))
            throw b.hatasi(sorgu->lastError());
        return *sorgu;
    }
    static void calistir(QSqlQuery& sorgu)
    {
        if (!sorgu.exec())
            throw Baglanti::program().hatasi(sorgu.lastError());
    }

    const Sema::Tablo tablo;
    std::unique_ptr<QSqlQuery> varmi, okuma, ekleme, guncelleme, silme;
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

bool Degisiklik::satiriYaz(const Sema::Tablo& tablo, qint64 satir,
                           const std::optional<QVariantList>& okunan,
                           const std::function<std::optional<QVariantList>(QVariantList)>& degistir)
{
    TabloKomutlari komutlar(tablo);
    // Without what the caller read, the row as it stands, held until the command ends.
    std::optional<QVariantList> once = okunan ? okunan : komutlar.oku(satir);
    if (!once)
        return false;
    std::optional<QVariantList> sonra = degistir(*once);
    if (!komutlar.yaz(satir, once, sonra)) {
        degismisBulundu = komutlar.var(satir);
        return false;
    }
    satirlar.push_back({tablo, satir, std::move(once), std::move(sonra)});
    return true;
}

bool Degisiklik::satirSil(const Sema::Tablo& tablo, qint64 satir,
                          const std::optional<QVariantList>& okunan)
{
    return satiriYaz(tablo, satir, okunan, [](QVariantList) { return std::nullopt; });
}

bool Degisiklik::satirGuncelle(const Sema::Tablo& tablo, qint64 satir,
                               const std::optional<QVariantList>& okunan,
                               const std::function<void(QVariantList&)>& degistir)
{
    return satiriYaz(tablo, satir, okunan, [&](QVariantList alanlar) {
        degistir(alanlar);
        return std::optional(alanlar);
    });
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

// The rows are read as they were, held for the transaction, then written by one statement over
// the same condition: on thousands of rows far faster than one statement each. That statement
// must meet exactly the rows read; a row another member added in between refuses the command.
qsizetype Degisiklik::topluYaz(const Sema::Tablo& tablo, const QString& kosul,
                               const QVariantList& degerler, const std::map<int, QVariant>* yeni)
{
    const size_t ilk = satirlar.size();
    {
        SorguSonucu okuma(kosulluOkumaSorgusu.arg(tablo.ad, tablo.alanlar.join(u','), kosul) +
                              Baglanti::program().lehce().satirKilidi(),
                          degerler);
        while (okuma.sonraki()) {
            QVariantList once;
            for (int i = 1; i <= tablo.alanlar.size(); ++i)
                once << okuma.alan(i);
            std::optional<QVariantList> sonra;
            if (yeni) {
                sonra = once;
                for (const auto& [alan, deger] : *yeni)
                    (*sonra)[alan] = deger;
            }
            satirlar.push_back(
                {tablo, okuma.alan(0).toLongLong(), std::move(once), std::move(sonra)});
        }
    }
    const qsizetype sayi = qsizetype(satirlar.size() - ilk);
    if (sayi == 0)
        return 0;
    QStringList atamalar;
    QVariantList atananlar;
    for (const auto& [alan, deger] : yeni ? *yeni : std::map<int, QVariant>{}) {
        atamalar << tablo.alanlar[alan] + QStringLiteral(" = ?");
        atananlar << deger;
    }
    const SorguSonucu yazma(yeni ? kosulluGuncellemeKomutu.arg(tablo.ad, atamalar.join(u','), kosul)
                                 : kosulluSilmeKomutu.arg(tablo.ad, kosul),
                            atananlar + degerler);
    if (yazma.etkilenenSatirlar() != sayi)
        throw VeriHatasi(QString(), QStringLiteral("Aynı kayıtları bu sırada başka bir program da "
                                                   "değiştirdi; hiçbir şey değiştirilmedi."));
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
            std::unique_ptr<TabloKomutlari>& k = komutlar[s.tablo.ad];
            if (!k)
                k = std::make_unique<TabloKomutlari>(s.tablo);
            if (!k->yaz(s.satir, geriye ? s.sonra : s.once, geriye ? s.once : s.sonra))
                return false;
        }
    }
    islem.onayla();
    return true;
}

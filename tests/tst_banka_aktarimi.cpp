#include "BankaHareketleri.h"
#include "EkstreOkuma.h"
#include "HareketAktarimi.h"
#include "Sema.h"
#include "TestOrtami.h"
#include "TurkceMetin.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

using namespace HareketAktarimi;

namespace
{

const QString ekstreDosyasi = QStringLiteral(BANKA_VERILERI "/a-hesap-hareketleri.xlsx");

Hedef gider(const QString& ana, const QString& alt) { return {&giderDefteri(), ana, alt}; }
Hedef gelir(const QString& ana, const QString& alt) { return {&gelirDefteri(), ana, alt}; }

// The household's rules; none of their texts meets another's movements.
std::vector<Kural> kurallar()
{
    std::vector<Kural> k;
    for (const auto& [metin, hedef] : std::vector<std::pair<QString, Hedef>>{
             {"MİGROS", gider("MUTFAK", "MARKET")},
             {"bim", gider("MUTFAK", "MARKET")},
             {"MAAŞ", gelir("MAAŞ", "MAAŞ")},
             {"VİRMAN", Hedef::yokSay()},
             {"İADE - GETİR", gider("MUTFAK", "GETİR")},
             {"GETİR PERAKENDE", gider("MUTFAK", "GETİR")}})
        k.push_back({0, Kural::Kosul::Icerir, metin, {}, {}, hedef});
    return k;
}

// The statement's movements up to `son` (none: all), assigned by the rules above.
std::vector<AtanmisHareket> atanmis(QDate son = {})
{
    std::vector<AtanmisHareket> sonuc;
    for (const Atama& a : ata(EkstreOkuma::oku(ekstreDosyasi).cozum.hareketler, kurallar()))
        if (!son.isValid() || a.hareket.tarih <= son)
            sonuc.push_back({a.hareket, a.eslesme.kazanan
                                            ? std::optional(a.eslesme.kazanan->hedef)
                                            : std::nullopt});
    return sonuc;
}

// From the answer file alone: what each entry's realised amount must become.
std::map<KayitAnahtari, qint64> beklenenToplamlar()
{
    QFile f(QStringLiteral(BANKA_VERILERI "/a-hesap-hareketleri.json"));
    f.open(QIODevice::ReadOnly);
    std::map<KayitAnahtari, qint64> toplamlar;
    for (const QJsonValue v : QJsonDocument::fromJson(f.readAll())["transactions"].toArray()) {
        const QString aciklama = TurkceMetin::buyukHarf(v["description"].toString());
        for (const Kural& k : kurallar()) {
            if (!aciklama.contains(TurkceMetin::buyukHarf(k.metin)) || k.hedef.yokSayilir())
                continue;
            const qint64 tutar = qint64(v["amount"].toDouble());
            toplamlar[KayitAnahtari::olustur(
                k.hedef, QDate::fromString(v["date"].toString(), Qt::ISODate))] +=
                k.hedef.defter == &gelirDefteri() ? tutar : -tutar;
            break;
        }
    }
    return toplamlar;
}

std::optional<qint64> gerceklesen(const KayitAnahtari& a)
{
    for (const ButceVerisi::Kayit& k :
         ButceVerisi::kayitlar(*a.defter, {a.anaGrup, a.altGrup, Donem{a.yil, a.ay}}))
        return k.gerceklesenKurus;
    return std::nullopt;
}

} // namespace

class TestBankaAktarimi : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestOrtami> ortam;

private slots:
    void init() { ortam = std::make_unique<TestOrtami>(); }
    void cleanup() { ortam.reset(); }

    // A budget planned for November and December (January unplanned) takes the statement: every
    // realised amount is its movements' sum, whatever came in before; undone, all is as before.
    void aktarim_data()
    {
        QTest::addColumn<QDate>("ilkKisim"); // a first, overlapping statement up to this day
        QTest::addColumn<QVariant>("elleGirilen"); // December's MARKET typed by hand
        QTest::addColumn<ElleGirilen>("secim");
        QTest::addColumn<int>("tekrar"); // the same file again, so many times
        QTest::newRow("planlı bütçe") << QDate() << QVariant() << ElleGirilen::Degistir << 0;
        QTest::newRow("elle girilen: değiştir")
            << QDate() << QVariant(123.45) << ElleGirilen::Degistir << 0;
        QTest::newRow("elle girilen: üstüne ekle")
            << QDate() << QVariant(123.45) << ElleGirilen::UstuneEkle << 0;
        QTest::newRow("aynı dosya yine") << QDate() << QVariant() << ElleGirilen::Degistir << 2;
        QTest::newRow("örtüşen ekstre")
            << QDate(2024, 12, 20) << QVariant() << ElleGirilen::Degistir << 0;
    }
    void aktarim()
    {
        QFETCH(QDate, ilkKisim);
        QFETCH(QVariant, elleGirilen);
        QFETCH(ElleGirilen, secim);
        QFETCH(int, tekrar);
        for (const char* ay : {"Kasım", "Aralık"}) {
            ortam->kayitYaz(giderDefteri(), "MUTFAK", "MARKET", 2024, ay, 5000,
                            QString(ay) == "Aralık" ? elleGirilen : QVariant());
            ortam->kayitYaz(gelirDefteri(), "MAAŞ", "MAAŞ", 2024, ay, 90000, QVariant());
        }
        const QStringList once = ortam->tumSatirlar();
        const QString kaynak = HareketAktarimi::kaynak(EkstreOkuma::oku(ekstreDosyasi), "a.xlsx");
        QCOMPARE(kaynak, "Hesap: TR000000000000000000000001");
        std::vector<Degisiklik> yapilan;
        if (ilkKisim.isValid())
            yapilan.push_back(yaz(kaynak, "a.xlsx", atanmis(ilkKisim)).degisiklik);

        const KayitAnahtari aralikMarket =
            KayitAnahtari::olustur(gider("Mutfak", "market"), {2024, 12, 1});
        const Onizleme o = onizle(kaynak, atanmis());
        const auto market = std::find_if(o.kayitlar.begin(), o.kayitlar.end(),
                                         [&](const auto& k) { return k.anahtar == aralikMarket; });
        QVERIFY(market != o.kayitlar.end());
        using D = KayitOnizlemesi::Durum;
        QCOMPARE(market->durum, ilkKisim.isValid() ? D::Hareketli
                                : elleGirilen.isNull() ? D::Planli : D::ElleGirilmis);
        const Sonuc s = yaz(kaynak, "a.xlsx", atanmis(), {{aralikMarket, secim}});
        yapilan.push_back(s.degisiklik);
        QCOMPARE(s.sayilar.yeni + s.sayilar.zatenVar + s.sayilar.yokSayilan + s.sayilar.atanmamis,
                 168);
        QCOMPARE(s.sayilar.yeni, o.sayilar.yeni);
        // Unplanned ("plansız"): GETİR thrice, January's MARKET and MAAŞ.
        QCOMPARE(s.eklenenKayit, ilkKisim.isValid() ? 3 : 5);
        const QStringList sonra = ortam->tumSatirlar();
        for (int i = 0; i < tekrar; ++i) {
            const Sonuc yine = yaz(kaynak, "a.xlsx", atanmis());
            QCOMPARE(yine.sayilar.zatenVar, s.saklanan + s.sayilar.zatenVar);
            QVERIFY(yine.degisiklik.bos());
            QCOMPARE(ortam->tumSatirlar(), sonra);
        }

        for (const auto& [anahtar, toplam] : beklenenToplamlar()) {
            const bool ustuneEkle = anahtar == aralikMarket && secim == ElleGirilen::UstuneEkle;
            QCOMPARE(gerceklesen(anahtar), toplam + (ustuneEkle ? 12345 : 0));
        }
        // Two purchases at BİM on 7 November, the same amount: both count, once.
        QCOMPARE(ortam->sorgula("SELECT count(*) FROM BankaHareketleri WHERE Tarih = '2024-11-07' "
                                "AND Tutar = -8854").toInt(), 2);
        QCOMPARE(ortam->sorgula("SELECT count(*) FROM BankaHareketleri WHERE Defter IS NULL").toInt(),
                 ortam->sorgula("SELECT count(*) FROM BankaHareketleri WHERE Aciklama LIKE "
                                "'%VİRMAN%'").toInt());

        while (!yapilan.empty()) {
            QVERIFY(yapilan.back().geriAl());
            yapilan.pop_back();
        }
        QCOMPARE(ortam->tumSatirlar(), once);
    }
};

QTEST_MAIN(TestBankaAktarimi)
#include "tst_banka_aktarimi.moc"

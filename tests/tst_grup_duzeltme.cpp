#include "GrupDuzeltme.h"
#include "LedgerTest.h"
#include "Sema.h"

// Renaming, moving, merging and deleting groups in the data layer: the tables each command leaves,
// taking it back to the exact rows and doing it again, and the refusals that write nothing.
class TestGrupDuzeltme : public LedgerTest
{
    Q_OBJECT

    // Both ledgers alike, names stored in mixed letter case as other programs may have left them.
    void hazirla()
    {
        for (const DefterTanimi* d : {&gelirDefteri(), &giderDefteri()}) {
            for (const char* ad : {"Mutafk", "MARKET", "SÜPERMARKET", "boş"})
                ortam->anaGrupYaz(*d, ad);
            for (const auto& [ana, alt] : tabloAdlari(altGruplar))
                ortam->altGrupYaz(*d, ana, alt);
            for (const auto& [ana, alt] : tabloAdlari(kayitlar))
                ortam->kayitYaz(*d, ana, alt, 2024, "Mart", 10, 5);
        }
    }
    static inline const QString anaGruplar = "Mutafk|MARKET|SÜPERMARKET|boş";
    static inline const QString altGruplar =
        "Mutafk/çay|MUTAFK/KAHVE|MARKET/SEBZE|MARKET/meyve|SÜPERMARKET/Sebze|boş/A|BOŞ/B";
    static inline const QString kayitlar =
        "Mutafk/çay|MUTAFK/ÇAY|Mutafk/KAHVE|MARKET/SEBZE|market/sebze|MARKET/meyve|"
        "SÜPERMARKET/Sebze";
    static QList<std::pair<QString, QString>> tabloAdlari(const QString& tablo)
    {
        QList<std::pair<QString, QString>> sonuc;
        for (const QString& s : tablo.split('|'))
            sonuc << std::pair(s.section('/', 0, 0), s.section('/', 1));
        return sonuc;
    }

    // One ledger's three tables as above, in rowid order.
    QStringList tablolar(const DefterTanimi& d)
    {
        return {
            ortam->sutunu("SELECT GrupAdi FROM " + d.anaGrupTablosu + " ORDER BY rowid").join('|'),
            ortam
                ->sutunu("SELECT AnaGrup || '/' || GrupAdi FROM " + d.altGrupTablosu +
                         " ORDER BY rowid")
                .join('|'),
            ortam
                ->sutunu("SELECT AnaGrup || '/' || GrupAdi FROM " + d.kayitTablosu +
                         " ORDER BY rowid")
                .join('|')};
    }
    // Every row of the six tables with its rowid and values exactly as stored.
    QStringList dosya()
    {
        QStringList satirlar;
        for (const Sema::Tablo& t : Sema::tablolar())
            satirlar << ortam->sutunu(
                QStringLiteral("SELECT '%1:' || rowid || '|' || quote(%2) FROM %1 ORDER BY rowid")
                    .arg(t.ad, t.alanlar.join(") || '|' || quote(")));
        return satirlar;
    }

private slots:
    void correctionsAndTheirUndo_data()
    {
        QTest::addColumn<QString>("islem");
        QTest::addColumn<QStringList>("adlar");
        QTest::addColumn<bool>("birlestir");
        QTest::addColumn<int>("durum");
        QTest::addColumn<qint64>("kayitSayisi");
        QTest::addColumn<QString>("yeniAd");    // main / sub the group carries now
        QTest::addColumn<QStringList>("sonra"); // empty: nothing written
        using D = GrupDuzeltme::Durum;
        const auto satir = [](const char* ad, const char* islem, const QStringList& adlar,
                              bool birlestir, D durum, qint64 sayi, const char* yeniAd,
                              const QStringList& sonra) {
            for (const char* defter : {"gelir", "gider"})
                QTest::addRow("%s, %s", ad, defter)
                    << islem << (QStringList{defter} << adlar) << birlestir << int(durum) << sayi
                    << QString(yeniAd) << sonra;
        };
        satir("rename a main group typed in other case", "adlandır", {"MUTAFK", "MUTFAK"}, false,
              D::Yapildi, 3, "MUTFAK/",
              {"MUTFAK|MARKET|SÜPERMARKET|boş",
               "MUTFAK/çay|MUTFAK/KAHVE|MARKET/SEBZE|MARKET/meyve|SÜPERMARKET/Sebze|boş/A|BOŞ/B",
               "MUTFAK/çay|MUTFAK/ÇAY|MUTFAK/KAHVE|MARKET/SEBZE|market/sebze|MARKET/meyve|"
               "SÜPERMARKET/Sebze"});
        satir("merge main groups, a common sub-group joined", "adlandır", {"market", "süpermarket"},
              true, D::Yapildi, 3, "SÜPERMARKET/",
              {"Mutafk|SÜPERMARKET|boş",
               "Mutafk/çay|MUTAFK/KAHVE|SÜPERMARKET/meyve|SÜPERMARKET/Sebze|boş/A|BOŞ/B",
               "Mutafk/çay|MUTAFK/ÇAY|Mutafk/KAHVE|SÜPERMARKET/SEBZE|SÜPERMARKET/sebze|"
               "SÜPERMARKET/meyve|SÜPERMARKET/Sebze"});
        satir("rename a sub-group", "düzelt", {"mutafk", "ÇAY", "mutafk", "ÇAYLAR"}, false,
              D::Yapildi, 2, "mutafk/ÇAYLAR",
              {anaGruplar,
               "Mutafk/ÇAYLAR|MUTAFK/KAHVE|MARKET/SEBZE|MARKET/meyve|SÜPERMARKET/Sebze|boş/A|BOŞ/B",
               "Mutafk/ÇAYLAR|MUTAFK/ÇAYLAR|Mutafk/KAHVE|MARKET/SEBZE|market/sebze|MARKET/meyve|"
               "SÜPERMARKET/Sebze"});
        satir("merge sub-groups by renaming", "düzelt", {"MARKET", "MEYVE", "MARKET", "sebze"},
              true, D::Yapildi, 1, "MARKET/SEBZE",
              {anaGruplar, "Mutafk/çay|MUTAFK/KAHVE|MARKET/SEBZE|SÜPERMARKET/Sebze|boş/A|BOŞ/B",
               "Mutafk/çay|MUTAFK/ÇAY|Mutafk/KAHVE|MARKET/SEBZE|market/sebze|MARKET/SEBZE|"
               "SÜPERMARKET/Sebze"});
        satir("move a sub-group", "düzelt", {"MARKET", "meyve", "SÜPERMARKET", "meyve"}, false,
              D::Yapildi, 1, "SÜPERMARKET/meyve",
              {anaGruplar,
               "Mutafk/çay|MUTAFK/KAHVE|MARKET/SEBZE|SÜPERMARKET/meyve|SÜPERMARKET/Sebze|boş/A|"
               "BOŞ/B",
               "Mutafk/çay|MUTAFK/ÇAY|Mutafk/KAHVE|MARKET/SEBZE|market/sebze|SÜPERMARKET/meyve|"
               "SÜPERMARKET/Sebze"});
        satir("move onto a sub-group of that name", "düzelt",
              {"MARKET", "SEBZE", "süpermarket", "SEBZE"}, true, D::Yapildi, 2, "SÜPERMARKET/Sebze",
              {anaGruplar, "Mutafk/çay|MUTAFK/KAHVE|MARKET/meyve|SÜPERMARKET/Sebze|boş/A|BOŞ/B",
               "Mutafk/çay|MUTAFK/ÇAY|Mutafk/KAHVE|SÜPERMARKET/Sebze|SÜPERMARKET/Sebze|"
               "MARKET/meyve|SÜPERMARKET/Sebze"});
        satir("delete an empty main group with its sub-groups", "sil", {"BOŞ"}, false, D::Yapildi,
              0, "/",
              {"Mutafk|MARKET|SÜPERMARKET",
               "Mutafk/çay|MUTAFK/KAHVE|MARKET/SEBZE|MARKET/meyve|SÜPERMARKET/Sebze", kayitlar});

        satir("merge not agreed to", "adlandır", {"MARKET", "SÜPERMARKET"}, false, D::HedefVar, 0,
              "/", {});
        satir("sub-group merge not agreed to", "düzelt", {"MARKET", "meyve", "MARKET", "SEBZE"},
              false, D::HedefVar, 0, "/", {});
        satir("same name in other case", "adlandır", {"Mutafk", "MUTAFK"}, true, D::AdAyni, 0, "/",
              {});
        satir("sub-group, same name", "düzelt", {"MARKET", "SEBZE", "market", "sebze"}, true,
              D::AdAyni, 0, "/", {});
        satir("main group gone", "adlandır", {"ARABA", "OTO"}, true, D::GrupYok, 0, "/", {});
        satir("sub-group gone", "düzelt", {"MARKET", "ET", "MARKET", "TAVUK"}, true, D::GrupYok, 0,
              "/", {});
        satir("target main group gone", "düzelt", {"MARKET", "SEBZE", "MANAV", "SEBZE"}, true,
              D::HedefYok, 0, "/", {});
        satir("deleting a main group that holds entries", "sil", {"market"}, false, D::KayitlariVar,
              3, "/", {});
        satir("deleting a main group gone", "sil", {"ARABA"}, false, D::GrupYok, 0, "/", {});
    }
    void correctionsAndTheirUndo()
    {
        QFETCH(QString, islem);
        QFETCH(QStringList, adlar);
        QFETCH(bool, birlestir);
        QFETCH(int, durum);
        QFETCH(qint64, kayitSayisi);
        QFETCH(QString, yeniAd);
        QFETCH(QStringList, sonra);
        hazirla();
        const DefterTanimi& d = defterAdiyla(adlar.takeFirst());
        const QStringList once = dosya(), digeri = tablolar(oteki(d));
        QCOMPARE(tablolar(d), (QStringList{anaGruplar, altGruplar, kayitlar}));

        const GrupDuzeltme::Sonuc sonuc =
            islem == "sil" ? GrupDuzeltme::anaGrupSil(d, adlar[0])
            : islem == "adlandır"
                ? GrupDuzeltme::anaGrupAdlandir(d, adlar[0], adlar[1], birlestir)
                : GrupDuzeltme::altGrupDuzelt(d, adlar[0], adlar[1], adlar[2], adlar[3], birlestir);
        QCOMPARE(int(sonuc.durum), durum);
        QCOMPARE(sonuc.kayitSayisi, kayitSayisi);
        QCOMPARE(tablolar(oteki(d)), digeri);
        if (sonra.isEmpty()) {
            QVERIFY(sonuc.degisiklik.bos());
            QCOMPARE(dosya(), once);
            return;
        }
        QCOMPARE(sonuc.anaGrup + '/' + sonuc.altGrup, yeniAd);
        QCOMPARE(tablolar(d), sonra);
        const QStringList sonraki = dosya();
        QVERIFY(sonuc.degisiklik.geriAl());
        QCOMPARE(dosya(), once);
        QVERIFY(sonuc.degisiklik.yinele());
        QCOMPARE(dosya(), sonraki);
    }

    // Taking a rename back is refused, writing nothing, once another program has changed one of
    // its entries meanwhile.
    void undoRefusedAfterAnotherProgramsChange()
    {
        hazirla();
        const GrupDuzeltme::Sonuc sonuc =
            GrupDuzeltme::anaGrupAdlandir(gelirDefteri(), "MARKET", "PAZAR", false);
        ortam->sorgula("UPDATE GelirlerTablosu SET Gerceklesen = 6 WHERE Kimlik = 6");
        const QStringList once = dosya();
        QVERIFY(!sonuc.degisiklik.geriAl());
        QCOMPARE(dosya(), once);
    }
};

QTEST_MAIN(TestGrupDuzeltme)
#include "tst_grup_duzeltme.moc"

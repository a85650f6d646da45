#include "Baglanti.h"
#include "ButceVerisi.h"
#include "GrupDuzeltme.h"
#include "HareketAktarimi.h"
#include "Motor.h"
#include "PlanKopyasi.h"
#include "Sema.h"
#include "TestOrtami.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

namespace
{

bool sunucuda()
{
    return Baglanti::program().motor().sunucu();
}

void calistir(QSqlDatabase db, const QString& sql)
{
    QSqlQuery sorgu(db);
    QVERIFY2(sorgu.exec(sql), qPrintable(sorgu.lastError().text()));
}

} // namespace

class TestAylikToplamlar : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestOrtami> ortam;

    QSqlDatabase baska()
    {
        return TestOrtami::baskaBaglanti(QStringLiteral("başka"),
                                         sunucuda() ? QString() : ortam->dosya());
    }

private slots:
    void init() { ortam = std::make_unique<TestOrtami>(); }
    void cleanup()
    {
        QSqlDatabase::database(QStringLiteral("başka"), false).close();
        QSqlDatabase::removeDatabase(QStringLiteral("başka"));
        ortam.reset();
    }

    // Whatever writes the entries, the program's commands or a plain connection with values the
    // program never writes, the sums stay those of the entries.
    void herYazanla()
    {
        const DefterTanimi& gelir = gelirDefteri();
        const DefterTanimi& gider = giderDefteri();
        std::vector<Degisiklik> yapilan;
        for (const auto& [ay, tutar] : {std::pair("Ocak", 100.01), {"ocak", -2.68},
                                        {"Şubat", 0.29}, {"Aralık", 999999999999.99}})
            yapilan.push_back(ButceVerisi::kayitEkle(gelir, yeniKayit("MAAŞ", "ANA", 2024, ay,
                                                                      tutar, tutar / 4)));
        ButceVerisi::kayitEkle(gider, yeniKayit("MUTFAK", "MARKET", 2024, "Mart", 50, 0));
        std::vector<ButceVerisi::Kayit> kayitlar = ButceVerisi::kayitlar(gelir, {"MAAŞ"});
        yapilan.push_back(ButceVerisi::kayitGuncelle(gelir, kayitlar[1],
                                                     {2023, "Mayıs", 1234, std::nullopt}));
        yapilan.push_back(ButceVerisi::kayitSil(gelir, kayitlar[2]));
        QVERIFY(yapilan.back().geriAl());
        QVERIFY(yapilan.front().geriAl());
        PlanKopyasi kopya{{2024}, {2025}, 12.5, true};
        QVERIFY(kopya.kopyala({&gelir, &gider}).sayilar.olusacak > 0);
        HareketAktarimi::yaz("Hesap: 1", "a.csv",
                             {{{QDate(2024, 3, 2), "MARKET", -12345}, {{&gider, "MUTFAK", "MARKET"}}},
                              {{QDate(2024, 7, 9), "MAAŞ", 99}, {{&gelir, "MAAŞ", "EK"}}}});
        GrupDuzeltme::anaGrupAdlandir(gider, "MUTFAK", "EV", false);

        QSqlDatabase db = baska();
        const QString ekle = QStringLiteral("INSERT INTO %1 (AnaGrup, GrupAdi, %2, %3, %4, "
                                            "Gerceklesen) VALUES ")
                                 .arg(gelir.kayitTablosu, gelir.yilAlani, gelir.ayAlani,
                                      gelir.tahminAlani);
        if (sunucuda()) {
            calistir(db, ekle + "('A', 'B', NULL, NULL, NULL, 5.5), ('A', 'B', 2024, 'Ocak', "
                                "0.125, NULL), ('A', 'B', 2024, 'Nisan', 7, 8)");
        } else {
            calistir(db, ekle + "('A', 'B', NULL, x'01', '12,5', x'00'), ('A', 'B', 2024, "
                                "'Ocak', 1e17, NULL), ('A', 'B', 'yıl', 'Nisan', 0.125, '8'), "
                                "('A', 'B', 2024, 'Nisan', 0.0049999999999999994, -1e308)");
        }
        calistir(db, QStringLiteral("UPDATE %1 SET %2 = 'Temmuz' WHERE %2 = 'Nisan'")
                         .arg(gelir.kayitTablosu, gelir.ayAlani));
        calistir(db, QStringLiteral("UPDATE %1 SET %2 = 2030 WHERE %3 = 'Şubat'")
                         .arg(gelir.kayitTablosu, gelir.yilAlani, gelir.ayAlani));
        calistir(db, QStringLiteral("DELETE FROM %1 WHERE %2 = 'Aralık'")
                         .arg(gelir.kayitTablosu, gelir.ayAlani));
        TestOrtami::aylikToplamlariDenetle(gelir);
        TestOrtami::aylikToplamlariDenetle(gider);
    }

    // A file of the version before the sums gets them, filled from its entries, when opened.
    void eskiDosya()
    {
        if (sunucuda())
            QSKIP("a file's step");
        for (const char* ay : {"Ocak", "OCAK", "Haziran"})
            ortam->kayitYaz(giderDefteri(), "A", "B", 2024, ay, 10.5, 3);
        for (const char* komut : {"DROP TABLE AylikGiderToplamlari",
                                     "DROP TRIGGER AylikGelirToplamlari_Guncelleme",
                                     "PRAGMA user_version = 1"})
            ortam->sorgula(komut);
        Baglanti::program().kapat();
        QVERIFY(!Baglanti::program().ac(ortam->dosya()));
        QCOMPARE(ortam->sorgula("PRAGMA user_version").toInt(), Sema::surum);
        QVERIFY(Sema::yabancilar(Baglanti::program().db()).isEmpty());
        TestOrtami::aylikToplamlariDenetle(giderDefteri());
        ortam->kayitYaz(gelirDefteri(), "A", "B", 2024, "Ocak", 1, 2);
        TestOrtami::aylikToplamlariDenetle(gelirDefteri());
    }

    // The overview's twelve sums from the stored ones, spellings of a month folded; without the
    // trigger that keeps them, from the entries: never a wrong figure.
    void tetikYoksa()
    {
        const DefterTanimi& d = gelirDefteri();
        ortam->kayitYaz(d, "A", "B", 2024, "Ocak", 10, 20.5);
        ortam->kayitYaz(d, "A", "B", 2024, "ocak", 5, QVariant());
        ortam->kayitYaz(d, "A", "B", 2023, "OCAK", 0.01, 0.02);
        const auto ocakSinanir = [&](qint64 fazlasi) {
            for (const std::optional<int> yil : {std::optional<int>(), std::optional(2024)}) {
                const Tutar::Toplam ocak = ButceVerisi::aylikToplamlar(d, yil)[0];
                const qint64 oncekiYil = yil ? 0 : 1;
                QCOMPARE(ocak.tahminKurus, 1500 + fazlasi + oncekiYil);
                QCOMPARE(ocak.gerceklesenKurus, 2050 + 2 * oncekiYil);
                QCOMPARE(ocak.kayitSayisi, 2 + (fazlasi > 0) + oncekiYil);
                QCOMPARE(ocak.gerceklesenlerinTahmini, 1000 + oncekiYil);
                QCOMPARE(ocak.gerceklesenSayisi, 1 + oncekiYil);
            }
        };
        QVERIFY(Baglanti::program().motor().aylikToplamlarHazir(d));
        ocakSinanir(0);
        calistir(baska(), sunucuda()
                              ? "DROP TRIGGER AylikGelirToplamlari_satir ON GelirlerTablosu"
                              : "DROP TRIGGER AylikGelirToplamlari_Ekleme");
        ortam->kayitYaz(d, "A", "B", 2024, "OcaK", 7, QVariant());
        QVERIFY(!Baglanti::program().motor().aylikToplamlarHazir(d));
        ocakSinanir(700);
    }
};

QTEST_MAIN(TestAylikToplamlar)
#include "tst_aylik_toplamlar.moc"

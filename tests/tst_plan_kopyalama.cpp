#include "LedgerTest.h"
#include "PlanKopyalamaFormu.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>

class TestPlanKopyalama : public LedgerTest
{
    Q_OBJECT

    std::unique_ptr<PlanKopyalamaFormu> pencere;

    // Income: EV / KİRA and EV / AİDAT in Mart 2024, KİRA already in Nisan (in other letter case),
    // AİDAT in May written in capitals. Expense: MUTFAK / MARKET in Mart 2024. The main window
    // shows income's EV for Nisan 2024.
    void hazirla()
    {
        ortam->anaGrupYaz(gelirDefteri(), "EV");
        ortam->kayitYaz(gelirDefteri(), "EV", "KİRA", 2024, "Mart", 100, 100);
        ortam->kayitYaz(gelirDefteri(), "EV", "AİDAT", 2024, "Mart", 33.33, 30);
        ortam->kayitYaz(gelirDefteri(), "ev", "kira", 2024, "Nisan", 100, 100);
        ortam->kayitYaz(gelirDefteri(), "EV", "AİDAT", 2024, "MAYIS", 10.05, 10);
        ortam->kayitYaz(giderDefteri(), "MUTFAK", "MARKET", 2024, "Mart", 10.05, 12);
        form = ortam->anaForm(QDate(2024, 4, 15));
        grupSec(*form, gelirDefteri(), "EV");
        pencere = form->planKopyalamaFormu();
    }
    template <class T> T* denetim(const char* ad)
    {
        return pencere->findChild<T*>(QString::fromUtf8(ad));
    }
    QString onizleme() { return denetim<QLabel>("ÖnizlemeEtiketi")->text(); }
    // The planned entries: those without a realised amount.
    QStringList planlar()
    {
        QStringList sonuc;
        for (const DefterTanimi* d : {&gelirDefteri(), &giderDefteri()})
            sonuc << ortam->sutunu(
                QStringLiteral("SELECT '%1|' || AnaGrup || '|' || GrupAdi || '|' "
                               "|| %2 || '|' || %3 || '|' || %4 FROM %5 WHERE "
                               "Gerceklesen IS NULL ORDER BY Kimlik")
                    .arg(d->ad, d->yilAlani, d->ayAlani, d->tahminAlani, d->kayitTablosu));
        return sonuc;
    }

private slots:
    void cleanup()
    {
        pencere.reset();
        LedgerTest::cleanup();
    }

    // It opens on copying the month before the main window's into it, for both ledgers;
    // "Tüm Aylar" on one side is the whole year on both; a period onto itself copies nothing.
    void opensOnLastMonthsPlan()
    {
        hazirla();
        const auto secim = [&] {
            QStringList sonuc;
            for (const char* ad : {"DefterKutusu", "KaynakYılKutusu", "KaynakAyKutusu",
                                   "HedefYılKutusu", "HedefAyKutusu"})
                sonuc << denetim<QComboBox>(ad)->currentText();
            return sonuc.join(' ') + ' ' + denetim<QDoubleSpinBox>("ArtışKutusu")->text() + ' ' +
                   QString::number(denetim<QCheckBox>("YalnızcaBoşOlanlarKutusu")->isChecked());
        };
        QCOMPARE(secim(), QStringLiteral("İkisi de 2024 Mart 2024 Nisan 0,00 1"));
        QCOMPARE(onizleme(), QStringLiteral("2 kayıt oluşturulacak, 1 kayıt atlanacak."));
        denetim<QComboBox>("HedefAyKutusu")->setCurrentText("Tüm Aylar");
        QCOMPARE(secim(), QStringLiteral("İkisi de 2024 Tüm Aylar 2024 Tüm Aylar 0,00 1"));
        QCOMPARE(onizleme(),
                 QStringLiteral("Kaynak ile hedef aynı dönem; kopyalanacak bir şey yok."));
        QVERIFY(!denetim<QPushButton>("KopyalaDüğmesi")->isEnabled());
    }

    // The preview counts exactly what "Kopyala" writes; the main window says what was done.
    void copies_data()
    {
        QTest::addColumn<QStringList>("secim"); // ledger, source year and month, target ones
        QTest::addColumn<double>("artis");
        QTest::addColumn<bool>("yalnizcaBoslar");
        QTest::addColumn<QStringList>("beklenen"); // preview, status bar, the planned entries
        QTest::newRow("month to month, empty sub-groups only")
            << QStringList{"Gelirler", "2024", "Mart", "2024", "Nisan"} << 0.0 << true
            << QStringList{"1 kayıt oluşturulacak, 1 kayıt atlanacak.",
                           "Plan kopyalandı: 1 kayıt eklendi, 1 atlandı.",
                           "Gelir|EV|AİDAT|2024|Nisan|33.33"};
        // 0.57 is 0.56999… as a double: the increase is rounded to hundredths of a percent.
        QTest::newRow("month to month, all, 0.57 %")
            << QStringList{"Gelirler", "2024", "Mart", "2024", "Nisan"} << 0.57 << false
            << QStringList{"2 kayıt oluşturulacak, 0 kayıt atlanacak.",
                           "Plan kopyalandı: 2 kayıt eklendi, 0 atlandı.",
                           "Gelir|EV|KİRA|2024|Nisan|100.57", "Gelir|EV|AİDAT|2024|Nisan|33.52"};
        QTest::newRow("both ledgers, 10 % rounded half away from zero")
            << QStringList{"İkisi de", "2024", "Mart", "2025", "Ocak"} << 10.0 << true
            << QStringList{"3 kayıt oluşturulacak, 0 kayıt atlanacak.",
                           "Plan kopyalandı: 3 kayıt eklendi, 0 atlandı.",
                           "Gelir|EV|KİRA|2025|Ocak|110.0", "Gelir|EV|AİDAT|2025|Ocak|36.66",
                           "Gider|MUTFAK|MARKET|2025|Ocak|11.06"};
        QTest::newRow("year to year, month by month")
            << QStringList{"Gelirler", "2024", "Tüm Aylar", "2026", "Tüm Aylar"} << -100.0 << true
            << QStringList{"4 kayıt oluşturulacak, 0 kayıt atlanacak.",
                           "Plan kopyalandı: 4 kayıt eklendi, 0 atlandı.",
                           "Gelir|EV|KİRA|2026|Mart|0.0",
                           "Gelir|EV|AİDAT|2026|Mart|0.0",
                           "Gelir|ev|kira|2026|Nisan|0.0",
                           "Gelir|EV|AİDAT|2026|Mayıs|0.0"};
    }
    void copies()
    {
        QFETCH(QStringList, secim);
        QFETCH(double, artis);
        QFETCH(bool, yalnizcaBoslar);
        QFETCH(QStringList, beklenen);
        hazirla();
        const char* adlar[] = {"DefterKutusu", "KaynakYılKutusu", "KaynakAyKutusu",
                               "HedefYılKutusu", "HedefAyKutusu"};
        for (int i = 0; i < 5; ++i)
            denetim<QComboBox>(adlar[i])->setCurrentText(secim[i]);
        denetim<QDoubleSpinBox>("ArtışKutusu")->setValue(artis);
        denetim<QCheckBox>("YalnızcaBoşOlanlarKutusu")->setChecked(yalnizcaBoslar);
        QCOMPARE(onizleme(), beklenen.first());
        QCOMPARE(planlar(), QStringList{});

        QTest::keyClick(denetim<QPushButton>("KopyalaDüğmesi"), Qt::Key_Return);
        QCOMPARE(pencere->result(), int(QDialog::Accepted));
        QCOMPARE(planlar(), beklenen.mid(2));
        QCOMPARE(form->statusBar()->currentMessage(), beklenen[1]);
        QCOMPARE(mesajlar(), QStringList{});
    }

    // A copy failing half-way, in the second ledger, writes nothing in either; the dialog stays.
    void failureWritesNothing()
    {
        hazirla();
        ortam->sorgula("CREATE TRIGGER dur BEFORE INSERT ON GiderlerTablosu BEGIN SELECT "
                       "RAISE(ABORT, 'yazılamadı'); END");
        denetim<QCheckBox>("YalnızcaBoşOlanlarKutusu")->setChecked(false);
        QCOMPARE(onizleme(), QStringLiteral("3 kayıt oluşturulacak, 0 kayıt atlanacak."));
        pencere->KopyalaDugmesi_Click();
        QVERIFY(tekHata("yazılamadı"));
        QCOMPARE(planlar(), QStringList{});
        QCOMPARE(pencere->result(), int(QDialog::Rejected));
        QVERIFY(pencere->findChild<QPushButton*>("KopyalaDüğmesi")->isEnabled());
    }
};

QTEST_MAIN(TestPlanKopyalama)
#include "tst_plan_kopyalama.moc"

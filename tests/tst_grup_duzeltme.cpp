#include "GrupDuzeltme.h"
#include "LedgerTest.h"
#include "Sema.h"

#include <QLineEdit>
#include <QStatusBar>
#include <QUndoStack>

// Renaming, moving, merging and deleting groups: in the data layer the tables each command leaves,
// taking it back to the exact rows and doing it again, and the refusals that write nothing; on the
// main window the questions, messages, status bar, undo and the groups left chosen.
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
        QStringList sonuc;
        for (const QString& tablo : {d.anaGrupTablosu, d.altGrupTablosu, d.kayitTablosu})
            sonuc << ortam->sutunu(QString("SELECT %1 FROM %2 ORDER BY rowid")
                                       .arg(tablo == d.anaGrupTablosu ? "GrupAdi"
                                                                      : "AnaGrup || '/' || GrupAdi",
                                            tablo))
                         .join('|');
        return sonuc;
    }
    QStringList dosya() { return ortam->tumSatirlar(); }

    // The main window with the ledger's group (and sub-group) chosen.
    void pencere(const DefterTanimi& d, const QString& ana, const QString& alt = {})
    {
        hazirla();
        form = ortam->anaForm();
        grupSec(*form, d, ana, alt);
        MesajKutusu::gosterilenleriSil();
    }
    QString secim(const DefterTanimi& d)
    {
        const QListWidgetItem* alt = form->bolum(d).altGrupListesi()->currentItem();
        return form->bolum(d).anaGrupListesi()->currentText() + " / " +
               (alt && alt->isSelected() ? alt->text() : QString());
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
            for (const char* defter : {"Gelir", "Gider"})
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
        satir("main group gone", "adlandır", {"ARABA", "OTO"}, true, D::GrupYok, 0, "/", {});
        satir("target main group gone", "düzelt", {"MARKET", "SEBZE", "MANAV", "SEBZE"}, true,
              D::HedefYok, 0, "/", {});
        satir("deleting a main group that holds entries", "sil", {"market"}, false, D::KayitlariVar,
              3, "/", {});
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

    // The rename and move dialogs from the main window: the name as typed is trimmed and
    // upper-cased, a merge is asked with No the default, the status bar tells what was done, the
    // lists keep the group chosen, and "Geri Al" / "Yinele" go back and forth to the exact rows.
    void windowCommands_data()
    {
        QTest::addColumn<QString>("defterAdi");
        QTest::addColumn<QString>("islem"); // "ana", "alt" (rename) or "taşı"
        QTest::addColumn<QStringList>("secili");
        QTest::addColumn<QString>("girdi");
        QTest::addColumn<bool>("evet");
        QTest::addColumn<QStringList>("mesajlar");
        QTest::addColumn<QString>("durumCubugu"); // empty: nothing written
        QTest::addColumn<QString>("sonraSecim");
        QTest::addColumn<QString>("komut");
        // The sub-group chosen after a '/'; one message at most; undone: the undo command's name.
        const auto satir = [](const char* ad, const char* d, const char* islem, const char* secili,
                              const char* girdi, bool evet, const char* mesaj, const char* durum,
                              const char* sonraSecim, const char* komut) {
            QTest::addRow("%s, %s", ad, d)
                << QString(d) << QString(islem) << QString(secili).split('/') << QString(girdi)
                << evet << (*mesaj ? QStringList{mesaj} : QStringList()) << QString(durum)
                << QString(sonraSecim) << QString(komut);
        };
        for (const char* d : {"Gelir", "Gider"}) {
            satir("rename a main group", d, "ana", "Mutafk/KAHVE", "  mutfak ", false, "",
                  "Mutafk → MUTFAK: 3 kayıt güncellendi.", "MUTFAK / KAHVE",
                  "Grubu Yeniden Adlandır");
            satir("merge main groups", d, "ana", "MARKET", "süpermarket", true,
                  "soru (Hayır): «SÜPERMARKET» zaten var. İki grup birleştirilsin mi? 3 kayıt "
                  "taşınacak.",
                  "MARKET → SÜPERMARKET: 3 kayıt taşındı; iki grup birleştirildi.",
                  "SÜPERMARKET / ", "Grupları Birleştir");
        }
        satir("merge not agreed to", "Gelir", "alt", "MARKET/meyve", "sebze", false,
              "soru (Hayır): «SEBZE» zaten var. İki grup birleştirilsin mi? 1 kayıt taşınacak.", "",
              "MARKET / meyve", "");
        satir("move a sub-group", "Gider", "taşı", "MARKET/meyve", "SÜPERMARKET", false, "",
              "MARKET / meyve → SÜPERMARKET / meyve: 1 kayıt güncellendi.", "SÜPERMARKET / meyve",
              "Alt Grubu Taşı");
        satir("group deleted meanwhile", "Gider", "alt", "MARKET/meyve", "ELMA", false,
              "bilgi: Seçilen grup veritabanında artık yok; başka bir program tarafından silinmiş "
              "olabilir. Hiçbir şey değiştirilmedi.",
              "", "MARKET / ", "");
    }
    void windowCommands()
    {
        QFETCH(QString, defterAdi);
        QFETCH(QString, islem);
        QFETCH(QStringList, secili);
        QFETCH(QString, girdi);
        QFETCH(bool, evet);
        QFETCH(QStringList, mesajlar);
        QFETCH(QString, durumCubugu);
        QFETCH(QString, sonraSecim);
        QFETCH(QString, komut);
        const DefterTanimi& d = defterAdiyla(defterAdi);
        pencere(d, secili[0], secili.value(1));
        if (QTest::currentDataTag() == QByteArray("group deleted meanwhile, Gider"))
            ortam->sorgula("DELETE FROM " + d.altGrupTablosu + " WHERE GrupAdi = 'meyve'");
        const QStringList once = dosya();
        const QString onceSecim = secim(d);

        auto p = form->bolum(d).grupDuzeltmeFormu(islem == "taşı" ? GrupDuzeltmeFormu::Is::Tasi : GrupDuzeltmeFormu::Is::Adlandir,
            islem != "ana");
        if (islem == "taşı")
            p->findChild<QComboBox*>("AnaGrupKutusu")->setCurrentText(girdi);
        else
            p->findChild<QLineEdit*>("AdKutusu")->setText(girdi);
        MesajKutusu::sonrakiYanit(evet);
        p->TamamDugmesi_Click();
        QCOMPARE(::mesajlar(), mesajlar);
        QCOMPARE(form->statusBar()->currentMessage(), durumCubugu);
        QCOMPARE(secim(d), sonraSecim);
        if (durumCubugu.isEmpty()) {
            QCOMPARE(dosya(), once);
            QCOMPARE(form->geriAlmaYigini()->count(), 0);
            return;
        }
        QVERIFY(p->result() == QDialog::Accepted);
        const QStringList sonra = dosya();
        QCOMPARE(menuKomutu(*form, "Geri Al")->text(), "Geri Al: " + komut);
        menuKomutu(*form, "Geri Al")->trigger();
        QCOMPARE(dosya(), once);
        QCOMPARE(form->statusBar()->currentMessage(), "Geri alındı: " + komut);
        QCOMPARE(secim(d), onceSecim);
        menuKomutu(*form, "Yinele")->trigger();
        QCOMPARE(dosya(), sonra);
        QCOMPARE(secim(d), sonraSecim);
    }

    // Deleting an empty main group from the window: it goes with its sub-groups after the
    // question, and comes back chosen on "Geri Al".
    void deleteMainGroup_data() { defterSatirlari(); }
    void deleteMainGroup()
    {
        const DefterTanimi& d = satirinDefteri();
        pencere(d, "boş");
        const QStringList once = dosya();
        MesajKutusu::sonrakiYanit(true);
        form->bolum(d).anaGrupListesi()->actions()[1]->trigger(); // its own menu's "Ana Grubu Sil…"
        QCOMPARE(::mesajlar(),
                 QStringList{"soru: «boş» ana " + d.ad.toLower() +
                             " grubunu ve 2 alt grubunu (A, B) SİLMEK istiyor musunuz?"});
        QCOMPARE(ogeler(form->bolum(d).anaGrupListesi()), (QStringList{"MARKET", "Mutafk", "SÜPERMARKET"}));
        QCOMPARE(form->statusBar()->currentMessage(), "«boş» ana grubu silindi.");
        menuKomutu(*form, "Geri Al: Ana Grubu Sil")->trigger();
        QCOMPARE(dosya(), once);
        QCOMPARE(secim(d), "boş / ");
    }

    // F2 on a focused group list renames its group instead of editing an entry.
    void f2RenamesTheGroup()
    {
        pencere(giderDefteri(), "MARKET", "meyve");
        form->show();
        QListWidget* altlar = form->bolum(giderDefteri()).altGrupListesi();
        altlar->setFocus();
        QString ad;
        QVERIFY(acilaniIncele([&] { QTest::keyClick(altlar, Qt::Key_F2); },
                              [&](QWidget* w) {
                                  const auto* kutu = w->findChild<QLineEdit*>("AdKutusu");
                                  ad = w->objectName() + ": " + kutu->text() + " " +
                                       QString::number(kutu->maxLength());
                              }));
        QCOMPARE(ad, "GiderGrubuAdlandırmaFormu: meyve 100");
    }
};

QTEST_MAIN(TestGrupDuzeltme)
#include "tst_grup_duzeltme.moc"

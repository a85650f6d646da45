// morvane-bench: times the main window's entry listings and the twelve-month overview on a budget
// file of 100,000 entries per ledger, offscreen, each beside the bare statement behind it on the
// same connection in the same run. Prints Markdown tables for the README. Run it on an optimised
// build; it is not a test and CTest does not run it.
#include "AnaForm.h"
#include "AylıkÖzetFormu.h"
#include "BütçeVerisi.h"
#include "DeğişkenModülü.h"
#include "MesajKutusu.h"
#include "Takvim.h"
#include "TürkçeMetin.h"
#include "VeriHatası.h"
#include "Şema.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <QTreeWidget>

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace
{

constexpr int kayıtSayısı = 100'000;
constexpr int anaGrupSayısı = 20;
constexpr int altGrupSayısı = 10;
constexpr int tekrar = 50;
constexpr int ölçülenYıl = 2024;
constexpr int ölçülenAy = 6; // index in the month box: 0 is "Tüm Aylar", 6 is "Haziran"

QTextStream çıktı(stdout);

struct Süre {
    double ortanca = 0;
    double enKötü = 0;
};

// One untimed run first, so that first-use costs (fonts, statement caches) stay out.
Süre ölç(const std::function<void()>& iş)
{
    iş();
    std::vector<double> süreler;
    for (int i = 0; i < tekrar; ++i) {
        QElapsedTimer saat;
        saat.start();
        iş();
        süreler.push_back(double(saat.nsecsElapsed()) / 1e6);
    }
    std::sort(süreler.begin(), süreler.end());
    const size_t orta = süreler.size() / 2;
    return {(süreler[orta - 1] + süreler[orta]) / 2.0, süreler.back()};
}

QString ms(double değer)
{
    return QString::number(değer, 'f', değer < 10 ? 2 : 1);
}

QString anaGrupAdı(int sıra)
{
    return QStringLiteral("ANA GRUP %1").arg(sıra + 1, 2, 10, QLatin1Char('0'));
}

QString altGrupAdı(int ana, int alt)
{
    return QStringLiteral("ALT GRUP %1-%2")
        .arg(ana + 1, 2, 10, QLatin1Char('0'))
        .arg(alt + 1, 2, 10, QLatin1Char('0'));
}

// Every sub-group gets entries in every month of every year (100,000 entries over 60,000 such
// pairs); one entry in ten carries its month in capitals, as other tools may write it.
void doldur(const DefterTanımı& defter)
{
    for (int a = 0; a < anaGrupSayısı; ++a) {
        BütçeVerisi::anaGrupEkle(defter, anaGrupAdı(a));
        for (int b = 0; b < altGrupSayısı; ++b)
            BütçeVerisi::altGrupEkle(defter, anaGrupAdı(a), altGrupAdı(a, b));
    }
    const int altGruplar = anaGrupSayısı * altGrupSayısı;
    const int yıllar = Takvim::sonYıl - Takvim::ilkYıl + 1;
    const int birleşimler = altGruplar * yıllar * 12;
    for (int i = 0; i < kayıtSayısı; ++i) {
        // A step prime to the number of pairs visits each pair once before any gets a second
        // entry, and spreads the second ones evenly over groups and years.
        const int birleşim = int((qint64(i) * 7919) % birleşimler);
        const int altGrup = birleşim % altGruplar;
        const int dönem = birleşim / altGruplar;
        const QString& ay = Takvim::ayAdları()[dönem % 12];
        const double tahmin = 100.0 + double((qint64(i) * 7919) % 900'000) / 100.0;
        const double gerçekleşen = std::round(tahmin * (80 + i % 41)) / 100.0;
        BütçeVerisi::kayıtEkle(
            defter, {anaGrupAdı(altGrup / altGrupSayısı),
                     altGrupAdı(altGrup / altGrupSayısı, altGrup % altGrupSayısı),
                     Takvim::ilkYıl + dönem / 12, i % 10 == 9 ? TürkçeMetin::büyükHarf(ay) : ay,
                     tahmin, gerçekleşen});
    }
}

QString işlemci()
{
    QFile bilgi(QStringLiteral("/proc/cpuinfo"));
    if (bilgi.open(QIODevice::ReadOnly))
        for (const QString& satır : QString::fromUtf8(bilgi.readAll()).split(u'\n'))
            if (satır.startsWith(QStringLiteral("model name")))
                return satır.section(u':', 1).trimmed();
    return QStringLiteral("?");
}

// Other work on the machine shows in the figures; the load average tells how much there was.
QString yükOrtalaması()
{
    QFile yük(QStringLiteral("/proc/loadavg"));
    if (!yük.open(QIODevice::ReadOnly))
        return QStringLiteral("?");
    return QString::fromLatin1(yük.readAll()).section(u' ', 0, 2);
}

struct Satır {
    QString ad;
    int satırlar = 0;
    Süre pencere;
    Süre boyalı;
    Süre yalınSorgu;
};

void tabloYaz(const QString& başlık, const QString& boyalıBaşlığı, const QList<Satır>& satırlar)
{
    çıktı << "\n"
          << başlık << "\n\n"
          << "| | rows | median ms | worst ms | " << boyalıBaşlığı
          << ": median / worst ms | bare statement: median / worst ms | median ÷ bare |\n"
          << "|---|--:|--:|--:|--:|--:|--:|\n";
    for (const Satır& s : satırlar)
        çıktı << "| " << s.ad << " | " << s.satırlar << " | " << ms(s.pencere.ortanca) << " | "
              << ms(s.pencere.enKötü) << " | " << ms(s.boyalı.ortanca) << " / "
              << ms(s.boyalı.enKötü) << " | " << ms(s.yalınSorgu.ortanca) << " / "
              << ms(s.yalınSorgu.enKötü) << " | "
              << QString::number(s.pencere.ortanca / s.yalınSorgu.ortanca, 'f', 1) << "× |\n";
    çıktı.flush();
}

struct Listeleme {
    const DefterTanımı* defter;
    void (AnaForm::*anaGrup)();
    void (AnaForm::*altGrup)();
};

QList<Satır> listelemeleriÖlç(AnaForm& anaForm, const Listeleme& l)
{
    const DefterTanımı& defter = *l.defter;
    auto* liste = anaForm.findChild<QTreeWidget*>(defter.adıyla("%1lerListesi"));
    QComboBox* anaGruplar = anaForm.anaGrupListesi(defter);
    QListWidget* altGruplar = anaForm.altGrupListesi(defter);
    QComboBox* ayKutusu = anaForm.ayBilgisiKutusu();

    // The groups' own handlers fill the sub-group list; the timed part is the listing alone.
    anaGruplar->setCurrentIndex(anaGrupSayısı / 2);
    anaForm.anaGrupTıklandı(defter);
    {
        const QSignalBlocker sessiz(altGruplar);
        altGruplar->setCurrentRow(altGrupSayısı / 2);
    }
    const QString anaGrup = anaGruplar->currentText();
    const QString altGrup = altGruplar->currentItem()->text();

    struct Durum {
        QString ad;
        bool altGrupla;
        int ay;
    };
    const QList<Durum> durumlar{
        {QStringLiteral("main group, Tüm Aylar"), false, 0},
        {QStringLiteral("main group, one month"), false, ölçülenAy},
        {QStringLiteral("sub-group, one month"), true, ölçülenAy},
    };
    QList<Satır> sonuç;
    for (const Durum& d : durumlar) {
        {
            const QSignalBlocker sessiz(ayKutusu);
            ayKutusu->setCurrentIndex(d.ay);
        }
        const auto listele = [&] { (anaForm.*(d.altGrupla ? l.altGrup : l.anaGrup))(); };
        BütçeVerisi::KayıtSüzgeci süzgeç{.anaGrup = anaGrup, .yıl = ölçülenYıl};
        if (d.altGrupla)
            süzgeç.altGrup = altGrup;
        if (d.ay > 0)
            süzgeç.ay = ayKutusu->currentText();
        Satır s{defter.ad + QStringLiteral(": ") + d.ad};
        s.pencere = ölç(listele);
        s.satırlar = liste->topLevelItemCount();
        s.boyalı = ölç([&] {
            listele();
            liste->viewport()->repaint();
        });
        s.yalınSorgu = ölç([&] { BütçeVerisi::kayıtlar(defter, süzgeç); });
        sonuç << s;
    }
    return sonuç;
}

// The overview as first written: one statement per month, each matching the month name with
// the Turkish case-insensitive equality. Kept here only to compare it with the grouped one.
const QString aylıkSorgu = QStringLiteral("SELECT SUM(ROUND(%2 * 100)), SUM(ROUND(Gerceklesen * "
                                          "100)), COUNT(*) FROM %1 WHERE %3 = ? COLLATE TURKCE");

void onİkiSorgu(const DefterTanımı& defter)
{
    QSqlQuery sorgu(DeğişkenModülü::VeriTabanı());
    sorgu.setForwardOnly(true);
    if (!sorgu.prepare(aylıkSorgu.arg(defter.kayıtTablosu, defter.tahminAlanı, defter.ayAlanı)))
        throw VeriHatası(sorgu.lastError());
    for (const QString& ay : Takvim::ayAdları()) {
        sorgu.addBindValue(TürkçeMetin::büyükHarf(ay));
        if (!sorgu.exec())
            throw VeriHatası(sorgu.lastError());
        sorgu.next();
    }
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication uygulama(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    MesajKutusu::kaydetmeyeBaşla();

    QTemporaryDir geçici;
    const QString yol = DeğişkenModülü::veriTabanıYolu(geçici.path());
    if (const auto sorun = Şema::dosyaOluştur(yol)) {
        QTextStream(stderr) << *sorun << '\n';
        return 1;
    }
    if (const auto sorun = DeğişkenModülü::aç(yol)) {
        QTextStream(stderr) << *sorun << '\n';
        return 1;
    }

    çıktı << "Machine: " << işlemci() << ", " << QThread::idealThreadCount()
          << " logical CPUs (nproc); Qt " << qVersion() << ", SQLite " << sqlite3_libversion()
#ifdef NDEBUG
          << ", optimised build"
#else
          << ", DEBUG BUILD (figures not representative)"
#endif
          << "; offscreen; " << tekrar << " timed runs after one untimed; load average at start "
          << yükOrtalaması() << ".\n";
    çıktı.flush();

    try {
        QElapsedTimer saat;
        saat.start();
        QSqlDatabase db = DeğişkenModülü::VeriTabanı();
        db.transaction();
        doldur(gelirDefteri());
        doldur(giderDefteri());
        if (!db.commit())
            throw VeriHatası(db.lastError());
        çıktı << "Filled " << kayıtSayısı << " entries per ledger (" << anaGrupSayısı
              << " main groups × " << altGrupSayısı << " sub-groups, " << Takvim::ilkYıl << "–"
              << Takvim::sonYıl << ", every month) in " << ms(double(saat.elapsed()) / 1000.0)
              << " s, one transaction.\n";

        AnaForm anaForm(QDate(ölçülenYıl, ölçülenAy, 15));
        anaForm.show();
        QApplication::processEvents();

        QList<Satır> listelemeler =
            listelemeleriÖlç(anaForm, {&gelirDefteri(), &AnaForm::AnaGrupGelirleriniListele,
                                       &AnaForm::AltGrupGelirleriniListele});
        listelemeler << listelemeleriÖlç(anaForm,
                                         {&giderDefteri(), &AnaForm::AnaGrupGiderleriniListele,
                                          &AnaForm::AltGrupGiderleriniListele});
        tabloYaz(QStringLiteral("Entry listings through the main window (year %1, month Haziran)")
                     .arg(ölçülenYıl),
                 QStringLiteral("with the list repainted"), listelemeler);

        QList<Satır> özetler;
        for (const DefterTanımı* defter : {&gelirDefteri(), &giderDefteri()}) {
            Satır s{defter->adıyla("Tüm%1lerFormu"), 12};
            s.pencere = ölç([&] { AylıkÖzetFormu pencere(*defter, &anaForm); });
            s.boyalı = ölç([&] {
                AylıkÖzetFormu pencere(*defter, &anaForm);
                pencere.grab();
            });
            s.yalınSorgu = ölç([&] { BütçeVerisi::aylıkToplamlar(*defter); });
            özetler << s;
        }
        tabloYaz(QStringLiteral("Opening an overview window (built with its list and chart)"),
                 QStringLiteral("with its first paint"), özetler);

        çıktı << "\nThe overview's statement, grouped against one per month:\n\n"
              << "| | grouped statement: median / worst ms | twelve statements: median / worst "
                 "ms |\n|---|--:|--:|\n";
        for (const DefterTanımı* defter : {&gelirDefteri(), &giderDefteri()}) {
            const Süre gruplu = ölç([&] { BütçeVerisi::aylıkToplamlar(*defter); });
            const Süre onİki = ölç([&] { onİkiSorgu(*defter); });
            çıktı << "| " << defter->ad << " | " << ms(gruplu.ortanca) << " / " << ms(gruplu.enKötü)
                  << " | " << ms(onİki.ortanca) << " / " << ms(onİki.enKötü) << " |\n";
        }
    } catch (const VeriHatası& h) {
        QTextStream(stderr) << h.açıklama() << '\n';
        DeğişkenModülü::kapat();
        return 1;
    }
    çıktı << "\nLoad average at the end: " << yükOrtalaması() << ".\n";
    çıktı.flush();
    const bool hataVar = !MesajKutusu::gösterilenler().isEmpty();
    for (const MesajKutusu::Gösterilen& m : MesajKutusu::gösterilenler())
        QTextStream(stderr) << "Message shown: " << m.metin << '\n';
    DeğişkenModülü::kapat();
    return hataVar ? 1 : 0;
}

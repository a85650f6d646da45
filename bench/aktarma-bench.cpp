// aktarma-bench [JET_KLASÖRÜ]: times the import. The whole import of the large Access budget
// (jet4-butce/butce-buyuk.mdb beside the folder of samples: 100,000 entries per ledger) into a new
// file, and reading it only; the writing side alone, carrying as many entries from a source that
// makes its rows as they are asked for; the reading side alone on the largest sample file. Prints
// Markdown for docs/hiz.md. Run it by hand on an
// optimised build; CTest does not.
#include "Aktarma.h"
#include "DefterTanimi.h"
#include "JetKaynagi.h"
#include "Sema.h"
#include "Takvim.h"
#include "VeriHatasi.h"
#include "VeriYeri.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

#include <sqlite3.h>

#include <algorithm>
#include <ctime>
#include <functional>
#include <vector>

namespace
{

constexpr int kayitSayisi = 100'000;
constexpr int anaGrupSayisi = 20;
constexpr int altGrupSayisi = 10;

QTextStream cikti(stdout);

// Rows made on demand, so that the figures are the importer's and not a copy of a list.
class UretilenKaynak : public ButceKaynagi
{
public:
    QStringList tablolar() override
    {
        QStringList adlar;
        for (const Sema::Tablo& t : Sema::tablolar())
            adlar << t.ad;
        return adlar;
    }
    QStringList alanlar(const QString& tablo) override
    {
        for (const Sema::Tablo& t : Sema::tablolar())
            if (t.ad == tablo)
                return t.alanlar;
        return {};
    }
    qint64 satirSayisi(const QString& tablo) override
    {
        if (tablo.startsWith(u"Ana"))
            return anaGrupSayisi;
        if (tablo.startsWith(u"Alt"))
            return anaGrupSayisi * altGrupSayisi;
        return kayitSayisi;
    }
    void oku(const QString& tablo, const QStringList&, const SatirAlici& alici) override
    {
        for (int i = 0; i < satirSayisi(tablo); ++i) {
            const QString ana = QStringLiteral("ANA GRUP %1").arg(i % anaGrupSayisi);
            const QString alt = QStringLiteral("ALT GRUP %1").arg(i % altGrupSayisi);
            if (tablo.startsWith(u"Ana"))
                alici({ana});
            else if (tablo.startsWith(u"Alt"))
                alici({ana, alt});
            else
                alici({qint64(i + 1), ana, alt, qint64(Takvim::ilkYil + i % 25),
                       Takvim::ayAdlari()[i % 12], 100.0 + (i % 90'000) / 100.0,
                       90.0 + (i % 70'000) / 100.0});
        }
    }
};

// Other work on the machine shows in the wall-clock figures; the load average tells how much there
// was, and the processor time of this process alone is given beside them.
QString yukOrtalamasi()
{
    QFile yuk(QStringLiteral("/proc/loadavg"));
    if (!yuk.open(QIODevice::ReadOnly))
        return QStringLiteral("?");
    return QString::fromLatin1(yuk.readAll()).section(u' ', 0, 2);
}

double islemciSaniyesi()
{
    return double(std::clock()) / CLOCKS_PER_SEC;
}

double saniye(const std::function<void()>& is, std::vector<double>* islemci = nullptr)
{
    QElapsedTimer saat;
    const double islemciBasi = islemciSaniyesi();
    saat.start();
    is();
    if (islemci)
        islemci->push_back(islemciSaniyesi() - islemciBasi);
    return double(saat.nsecsElapsed()) / 1e9;
}

std::pair<double, double> ortancaVeEnKotu(std::vector<double> sureler)
{
    std::sort(sureler.begin(), sureler.end());
    const size_t orta = sureler.size() / 2;
    return {sureler.size() % 2 ? sureler[orta] : (sureler[orta - 1] + sureler[orta]) / 2,
            sureler.back()};
}

void yazmaTarafi()
{
    constexpr int tekrar = 5;
    std::vector<double> aktarma;
    std::vector<double> aktarmaIslemci;
    std::vector<double> yalnizOkuma;
    for (int i = 0; i < tekrar; ++i) {
        UretilenKaynak kaynak;
        QTemporaryDir dizin;
        yalnizOkuma.push_back(saniye([&] { Aktarma::oku(kaynak); }));
        aktarma.push_back(
            saniye([&] { Aktarma::dosyayaAktar(kaynak, VeriYeri::veriTabaniYolu(dizin.path())); },
                   &aktarmaIslemci));
    }
    const auto [ortanca, enKotu] = ortancaVeEnKotu(aktarma);
    const auto [okumaOrtanca, okumaEnKotu] = ortancaVeEnKotu(yalnizOkuma);
    const auto [islemciOrtanca, islemciEnKotu] = ortancaVeEnKotu(aktarmaIslemci);
    cikti << "\n| writing side, " << tekrar << " runs | median s | worst s |\n|---|--:|--:|\n"
          << "| import of " << kayitSayisi << " entries per ledger into a new file (written, "
          << "checked, renamed) | " << QString::number(ortanca, 'f', 2) << " | "
          << QString::number(enKotu, 'f', 2) << " |\n"
          << "| its processor time | " << QString::number(islemciOrtanca, 'f', 2) << " | "
          << QString::number(islemciEnKotu, 'f', 2) << " |\n"
          << "| the same rows only read from the source | " << QString::number(okumaOrtanca, 'f', 2)
          << " | " << QString::number(okumaEnKotu, 'f', 2) << " |\n";
}

QString ikiBasamak(double sayi)
{
    return QString::number(sayi, 'f', 2);
}

void buyukButce(const QString& dosya)
{
    if (!QFileInfo::exists(dosya))
        return;
    constexpr int tekrar = 5;
    std::vector<double> aktarma;
    std::vector<double> islemci;
    std::vector<double> okuma;
    for (int i = 0; i < tekrar; ++i) {
        QTemporaryDir dizin;
        okuma.push_back(saniye([&] {
            JetKaynagi kaynak(dosya);
            Aktarma::oku(kaynak);
        }));
        aktarma.push_back(saniye(
            [&] {
                JetKaynagi kaynak(dosya);
                Aktarma::dosyayaAktar(kaynak, VeriYeri::veriTabaniYolu(dizin.path()));
            },
            &islemci));
    }
    const auto [ortanca, enKotu] = ortancaVeEnKotu(aktarma);
    const auto [islemciOrtanca, islemciEnKotu] = ortancaVeEnKotu(islemci);
    const auto [okumaOrtanca, okumaEnKotu] = ortancaVeEnKotu(okuma);
    cikti << "\n| " << QFileInfo(dosya).fileName() << ", " << tekrar
          << " runs | median s | worst s |\n|---|--:|--:|\n"
          << "| whole import into a new file (read, written, checked, flushed, renamed) | "
          << ikiBasamak(ortanca) << " | " << ikiBasamak(enKotu) << " |\n"
          << "| its processor time | " << ikiBasamak(islemciOrtanca) << " | "
          << ikiBasamak(islemciEnKotu) << " |\n"
          << "| every row only read (--yalnizca-denetle) | " << ikiBasamak(okumaOrtanca) << " | "
          << ikiBasamak(okumaEnKotu) << " |\n";
}

void okumaTarafi(const QDir& ornekler)
{
    const QFileInfoList dosyalar =
        ornekler.entryInfoList({QStringLiteral("*.mdb")}, QDir::Files, QDir::Size);
    for (const QFileInfo& dosya : dosyalar) {
        if (QFile(dosya.filePath()).open(QIODevice::ReadOnly) &&
            dosya.fileName() != QStringLiteral("size97.mdb")) { // the Jet 3 file is refused
            constexpr int tekrar = 50;
            std::vector<double> sureler;
            qint64 satirlar = 0;
            for (int i = 0; i < tekrar; ++i)
                sureler.push_back(saniye([&] {
                    JetKaynagi kaynak(dosya.filePath());
                    satirlar = 0;
                    for (const QString& tablo : kaynak.tablolar())
                        kaynak.oku(tablo, kaynak.alanlar(tablo).mid(0, 2),
                                   [&](const QVariantList&) { ++satirlar; });
                }));
            const auto [ortanca, enKotu] = ortancaVeEnKotu(sureler);
            cikti << "\n| reading side, " << tekrar << " runs | bytes | rows | median ms | worst "
                  << "ms |\n|---|--:|--:|--:|--:|\n| " << dosya.fileName() << ": open, list "
                  << "tables, read every row | " << dosya.size() << " | " << satirlar << " | "
                  << QString::number(ortanca * 1000, 'f', 2) << " | "
                  << QString::number(enKotu * 1000, 'f', 2) << " |\n";
            return;
        }
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication uygulama(argc, argv);
    const QDir ornekler(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(JET_ORNEKLERI));
    cikti << "Machine: " << QThread::idealThreadCount() << " logical CPUs; Qt " << qVersion()
          << ", SQLite " << sqlite3_libversion()
#ifdef NDEBUG
          << ", optimised build"
#else
          << ", DEBUG BUILD (figures not representative)"
#endif
          << "; load average at start " << yukOrtalamasi() << ".\n";
    try {
        buyukButce(ornekler.filePath(QStringLiteral("../jet4-butce/butce-buyuk.mdb")));
        yazmaTarafi();
        okumaTarafi(ornekler);
    } catch (const VeriHatasi& h) {
        QTextStream(stderr) << h.aciklama() << '\n';
        return 1;
    }
    return 0;
}

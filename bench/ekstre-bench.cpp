// ekstre-bench [DOSYA]: times a bank statement read and shown as the import window shows it, by
// default the 50,000-row workbook of the test data (../shared/testdata/banka/a-buyuk-50000.xlsx):
// the reader alone (the file's rows), the layout found and every row read by it (the balances
// proved), and the whole window: the file opened, its preview filled and painted. One untimed run,
// then five; and the memory the rows and movements hold, per row. Prints Markdown for
// docs/hiz.md. Run it by hand on an optimised build, offscreen; CTest does not.
#include "BankaHareketleriFormu.h"
#include "BesOlcum.h"
#include "CYereli.h"
#include "Denetim.h"
#include "EkstreOkuma.h"
#include "EkstreSureci.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>

#include <unistd.h>

#include <algorithm>
#include <functional>

namespace
{

QTextStream cikti(stdout);

// The process's resident memory, in bytes.
qint64 bellek()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    return statm.readAll().split(' ').value(1).toLongLong() * sysconf(_SC_PAGESIZE);
}

void olc(const QString& ad, const std::function<void()>& is)
{
    const BesOlcum olcum = besKezOlc(is, [] {});
    cikti << "| " << ad << " | " << QString::number(olcum.sureler[2], 'f', 0) << " | "
          << QString::number(olcum.sureler.last(), 'f', 0) << " | "
          << QString::number(olcum.islemci[2], 'f', 0) << " |\n";
    cikti.flush();
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication uygulama(argc, argv);
    CYereli::sabitle();
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    Denetim::gorunumuKur();
    // No layout the user remembered takes part.
    QTemporaryDir ayarlar;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, ayarlar.path());
    EkstreSureci::programiAyarla(QStringLiteral(VARNEL_EKSTRE));
    const QString yol = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(EKSTRE_ORNEGI);

    try {
        const qint64 once = bellek();
        const EkstreOkuma okuma = EkstreOkuma::oku(yol);
        const qint64 satirlar = okuma.tablo.satirlar.size();
        const qint64 tutulan = bellek() - once;
        cikti << "File: " << QFileInfo(yol).fileName() << ", " << satirlar << " rows, "
              << okuma.cozum.hareketler.size() << " movements, "
              << (okuma.cozum.kirik ? okuma.cozum.kirikMetni() : QStringLiteral("balances follow"))
              << ".\n\n| 5 runs | median ms | worst ms | processor ms (median) "
                 "|\n|---|--:|--:|--:|\n";
        olc(QStringLiteral("reading the rows"), [&] { EkstreOkuyucu::sec(yol)->oku(yol, {}); });
        olc(QStringLiteral("finding the layout and reading every row by it"),
            [&] { EkstreCozumu::coz(okuma.tablo, EkstreDuzeni::bul(okuma.tablo)); });
        olc(QStringLiteral("the window: the file opened, the preview filled and painted"), [&] {
            BankaHareketleriFormu pencere(nullptr);
            pencere.show();
            QApplication::processEvents();
            pencere.dosyayiAc(yol);
            pencere.grab();
        });
        cikti << "\nMemory held by the rows and movements: " << tutulan / (1 << 20) << " MB, "
              << tutulan / std::max<qint64>(satirlar, 1) << " bytes per row.\n";
    } catch (const VeriHatasi& h) {
        QTextStream(stderr) << h.aciklama() << '\n';
        return 1;
    }
    return 0;
}

#include "AltSurec.h"

#include "VeriHatasi.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <sys/resource.h>

#include <cstdio>

namespace
{

void sinirla([[maybe_unused]] qint64 bellek)
{
#ifndef __SANITIZE_ADDRESS__
    // AddressSanitizer reserves terabytes of address space for its shadow memory when a program
    // starts, so under it (the tests' sanitizer build) this limit would end every reader at once.
    const rlimit alan{rlim_t(bellek), rlim_t(bellek)};
    ::setrlimit(RLIMIT_AS, &alan);
#endif
    // A crash leaves no core file behind.
    const rlimit cekirdek{0, 0};
    ::setrlimit(RLIMIT_CORE, &cekirdek);
}

} // namespace

QString AltSurec::aracYolu(const QString& ad)
{
    const QString yaninda = QDir(QCoreApplication::applicationDirPath()).filePath(ad);
    if (QFileInfo(yaninda).isExecutable())
        return yaninda;
    const QString yolda = QStandardPaths::findExecutable(ad);
    return yolda.isEmpty() ? yaninda : yolda;
}

AltSurec::Sonuc AltSurec::calistir(const QString& aracAdi, const QString& program,
                                   const QStringList& argumanlar, const Sinirlar& sinirlar,
                                   const std::function<void(const QByteArray&)>& satir,
                                   const std::function<bool()>& devam)
{
    QProcess surec;
    surec.setProgram(program);
    surec.setArguments(argumanlar);
    surec.setStandardErrorFile(QProcess::nullDevice());
    surec.setChildProcessModifier([bellek = sinirlar.bellek] { sinirla(bellek); });
    surec.start();
    if (!surec.waitForStarted())
        throw VeriHatasi(QString(),
                         QStringLiteral("%1 başlatılamadı: %2\n(%3)")
                             .arg(aracAdi, QDir::toNativeSeparators(program), surec.errorString()));
    Sonuc sonuc;
    QElapsedTimer sessiz;
    sessiz.start();
    bool asti = false;
    for (;;) {
        if (!surec.canReadLine())
            surec.waitForReadyRead(100);
        // Once the child has ended, all it wrote is waiting to be read.
        const bool bitti = surec.state() == QProcess::NotRunning;
        while (surec.canReadLine()) {
            QByteArray okunan = surec.readLine();
            okunan.chop(1);
            if (okunan == "bitti")
                sonuc.bitti = true;
            else if (okunan.startsWith("hata\t"))
                sonuc.hata = coz(okunan.mid(5));
            else
                satir(okunan);
            sessiz.restart();
        }
        if (devam && !devam() && !bitti)
            sonuc.iptal = true;
        if (bitti || sonuc.iptal)
            break;
        if (sessiz.elapsed() > sinirlar.sessizlik.count()) {
            asti = true;
            break;
        }
    }
    if (surec.state() != QProcess::NotRunning) {
        surec.kill();
        surec.waitForFinished(-1);
    }
    sonuc.normal = surec.exitStatus() == QProcess::NormalExit && !sonuc.iptal && !asti;
    sonuc.cikisKodu = surec.exitCode();
    return sonuc;
}

int AltSurec::cocukOlarak(const std::function<void(const Yazici& yaz)>& is)
{
    const Yazici yaz = [](const QByteArray& satirlar) {
        std::fwrite(satirlar.constData(), 1, size_t(satirlar.size()), stdout);
        std::fflush(stdout);
    };
    try {
        is(yaz);
        yaz(satir({"bitti"}));
        return 0;
    } catch (const VeriHatasi& h) {
        yaz(satir({"hata", kacir(h.aciklama())}));
        return 1;
    }
}

QByteArray AltSurec::satir(const QList<QByteArray>& alanlar)
{
    QByteArray sonuc = alanlar.join('\t');
    return sonuc += '\n';
}

QByteArray AltSurec::kacir(const QString& metin)
{
    return metin.toUtf8()
        .replace('\\', "\\\\")
        .replace('\n', "\\n")
        .replace('\t', "\\t")
        .replace('\r', "\\r");
}

QString AltSurec::coz(const QByteArray& metin)
{
    QByteArray sonuc;
    for (qsizetype i = 0; i < metin.size(); ++i) {
        if (metin[i] != '\\' || i + 1 == metin.size()) {
            sonuc += metin[i];
            continue;
        }
        const char c = metin[++i];
        sonuc += c == 'n' ? '\n' : c == 't' ? '\t' : c == 'r' ? '\r' : c;
    }
    return QString::fromUtf8(sonuc);
}

#include "AktarmaSureci.h"

#include "VeriHatasi.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <sys/resource.h>

namespace
{

QString program;
AktarmaSureci::Sinirlar sinirlar;

const QString aracAdi = QStringLiteral("varnel-aktar");

QString programYolu()
{
    if (!program.isEmpty())
        return program;
    const QString yaninda = QDir(QCoreApplication::applicationDirPath()).filePath(aracAdi);
    if (QFileInfo(yaninda).isExecutable())
        return yaninda;
    const QString yolda = QStandardPaths::findExecutable(aracAdi);
    return yolda.isEmpty() ? yaninda : yolda;
}

// One line: its fields separated by tabs. Text may hold neither a tab nor a line break.
QByteArray satir(const QList<QByteArray>& alanlar)
{
    QByteArray sonuc = alanlar.join('\t');
    return sonuc += '\n';
}

QByteArray kacir(const QString& metin)
{
    return metin.toUtf8()
        .replace('\\', "\\\\")
        .replace('\n', "\\n")
        .replace('\t', "\\t")
        .replace('\r', "\\r");
}

QString coz(const QByteArray& metin)
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

// What the child has said so far.
struct Okunan {
    Aktarma::Rapor rapor;
    qint64 yapilan = 0;
    qint64 toplam = 0;
    std::optional<QString> hata;
    bool bitti = false;
};

void satiriOku(QByteArray metin, Okunan& okunan)
{
    metin.chop(1);
    const QList<QByteArray> alanlar = metin.split('\t');
    const QByteArray tur = alanlar.first();
    if (tur == "bitti") {
        okunan.bitti = true;
        return;
    }
    if (alanlar.size() == 2 && tur == "hata")
        okunan.hata = coz(alanlar[1]);
    if (alanlar.size() != 3)
        return;
    const QString ad = coz(alanlar[1]);
    const qint64 sayi = alanlar[2].toLongLong();
    if (tur == "ilerleme") {
        okunan.yapilan = alanlar[1].toLongLong();
        okunan.toplam = sayi;
    } else if (tur == "tablo") {
        okunan.rapor.tablolar << Aktarma::TabloSayisi{ad, sayi};
    } else if (tur == "tutar") {
        okunan.rapor.sinirDisiTutarlar << Aktarma::SupheliKayit{ad, sayi};
    } else if (tur == "yil") {
        okunan.rapor.sinirDisiYillar << Aktarma::SupheliKayit{ad, sayi};
    }
}

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

void AktarmaSureci::programiAyarla(const QString& yeni)
{
    program = yeni;
}

void AktarmaSureci::sinirlariAyarla(const Sinirlar& yeni)
{
    sinirlar = yeni;
}

std::optional<Aktarma::Rapor>
AktarmaSureci::calistir(Is is, const QString& yol, const Izleyici& izleyici, const QString& hedef)
{
    // Where the work leaves its temporary files.
    const QString klasor = QFileInfo(is == Is::Aktar ? hedef : yol).absolutePath();
    const bool eskiVardi = QFileInfo::exists(QDir(klasor).filePath(Aktarma::eskiDosyaAdi));
    QProcess surec;
    surec.setProgram(programYolu());
    surec.setArguments(is == Is::Aktar ? QStringList{secenek, isAdi(is), yol, hedef}
                                       : QStringList{secenek, isAdi(is), yol});
    surec.setStandardErrorFile(QProcess::nullDevice());
    surec.setChildProcessModifier([bellek = sinirlar.bellek] { sinirla(bellek); });
    surec.start();
    if (!surec.waitForStarted())
        throw VeriHatasi(QString(),
                         QStringLiteral("Aktarma aracı başlatılamadı: %1\n(%2)")
                             .arg(QDir::toNativeSeparators(surec.program()), surec.errorString()));
    Okunan okunan;
    QElapsedTimer sessiz;
    sessiz.start();
    bool iptal = false;
    bool asti = false;
    for (;;) {
        if (!surec.canReadLine())
            surec.waitForReadyRead(100);
        // Once the child has ended, all it wrote is waiting to be read.
        const bool bitti = surec.state() == QProcess::NotRunning;
        while (surec.canReadLine()) {
            satiriOku(surec.readLine(), okunan);
            sessiz.restart();
        }
        if (izleyici && !izleyici(okunan.yapilan, okunan.toplam) && !bitti)
            iptal = true;
        if (bitti || iptal)
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
    const bool normal = surec.exitStatus() == QProcess::NormalExit && !iptal && !asti;
    if (normal && surec.exitCode() == 0 && okunan.bitti)
        return okunan.rapor;
    if (is == Is::Donustur && !eskiVardi)
        Aktarma::eskiDosyayiGeriKoy(yol);
    Aktarma::artiklariSil(klasor);
    if (iptal)
        return std::nullopt;
    throw VeriHatasi(QString(), normal && okunan.hata ? *okunan.hata : cokmeMesaji);
}

namespace
{

const QStringList isAdlari{QStringLiteral("denetle"), QStringLiteral("donustur"),
                           QStringLiteral("oku"), QStringLiteral("aktar")};

} // namespace

QString AktarmaSureci::isAdi(Is is)
{
    return isAdlari.at(int(is));
}

std::optional<AktarmaSureci::Is> AktarmaSureci::isi(const QString& ad)
{
    const qsizetype sira = isAdlari.indexOf(ad);
    return sira < 0 ? std::nullopt : std::optional(Is(sira));
}

QByteArray AktarmaSureci::ilerlemeSatiri(qint64 yapilan, qint64 toplam)
{
    return satir({"ilerleme", QByteArray::number(yapilan), QByteArray::number(toplam)});
}

QByteArray AktarmaSureci::raporSatirlari(const Aktarma::Rapor& rapor)
{
    QByteArray satirlar;
    for (const Aktarma::TabloSayisi& t : rapor.tablolar)
        satirlar += satir({"tablo", kacir(t.tablo), QByteArray::number(t.satir)});
    for (const Aktarma::SupheliKayit& k : rapor.sinirDisiTutarlar)
        satirlar += satir({"tutar", kacir(k.tablo), QByteArray::number(k.kimlik)});
    for (const Aktarma::SupheliKayit& k : rapor.sinirDisiYillar)
        satirlar += satir({"yil", kacir(k.tablo), QByteArray::number(k.kimlik)});
    return satirlar;
}

QByteArray AktarmaSureci::hataSatiri(const QString& metin)
{
    return satir({"hata", kacir(metin)});
}

QByteArray AktarmaSureci::bittiSatiri()
{
    return satir({"bitti"});
}

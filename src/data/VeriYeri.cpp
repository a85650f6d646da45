#include "VeriYeri.h"

#include "DerlemeBilgisi.h"
#include "DosyaHatasi.h"
#include "Sema.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

QString VeriYeri::veriTabaniYolu(const QString& klasor)
{
    if (klasor.endsWith(u'\\') || klasor.endsWith(u'/'))
        return klasor + dosyaAdi;
    const qsizetype tersBolu = klasor.lastIndexOf(u'\\');
    const qsizetype bolu = klasor.lastIndexOf(u'/');
    const QChar ayrac = tersBolu > bolu ? u'\\' : u'/';
    return klasor + ayrac + dosyaAdi;
}

VeriYeri::Konum VeriYeri::bul(const QString& programKlasoru, bool kuruluDerleme,
                              const QString& kullaniciKlasoru)
{
    const QString yanindaki = veriTabaniYolu(programKlasoru);
    // access() asks as the real user, which is who will write the file and its backups.
    const bool yazilabilir = ::access(QFile::encodeName(programKlasoru).constData(), W_OK) == 0;
    if (QFileInfo::exists(yanindaki) || (yazilabilir && !kuruluDerleme))
        return {yanindaki, yanindaki, false};
    return {veriTabaniYolu(kullaniciKlasoru), yanindaki, true};
}

VeriYeri::Konum VeriYeri::bul(const QString& programKlasoru)
{
    return bul(programKlasoru, DerlemeBilgisi::kurulu, kullaniciKlasoru());
}

QString VeriYeri::kullaniciKlasoru()
{
    // Not AppDataLocation itself: that follows the asking program's name, and the tools have their
    // own.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Morvane");
}

std::optional<QString> VeriYeri::klasorunuHazirla(const QString& yol)
{
    const QString klasor = QFileInfo(yol).absolutePath();
    if (QFileInfo::exists(klasor))
        return std::nullopt;
    // Only the budget's own folder is closed to others; the folders above it are the user's.
    QDir().mkpath(QFileInfo(klasor).absolutePath());
    if (::mkdir(QFile::encodeName(klasor).constData(), 0700) == 0)
        return std::nullopt;
    return QStringLiteral("%1 klasörü oluşturulamadı: %2")
        .arg(QDir::toNativeSeparators(klasor), DosyaHatasi::sistemNedeni(errno));
}

std::optional<QString> VeriYeri::olustur(const QString& yol)
{
    if (auto hata = klasorunuHazirla(yol))
        return hata;
    return Sema::dosyaOlustur(yol);
}

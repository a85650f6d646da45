#include "DosyaTasima.h"

#include "DosyaHatasi.h"
#include "VeriHatasi.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

[[noreturn]] void sistemHatasi(const QString& ne, int kod)
{
    throw VeriHatasi(QString(),
                     QStringLiteral("%1: %2").arg(ne, DosyaHatasi::sistemNedeni(kod)));
}

void senkronla(const QByteArray& yol, int bayraklar, const QString& ne)
{
    const int fd = ::open(yol.constData(), bayraklar);
    if (fd < 0 || ::fsync(fd) != 0) {
        const int kod = errno;
        if (fd >= 0)
            ::close(fd);
        sistemHatasi(ne, kod);
    }
    ::close(fd);
}

// Some file systems (FAT on a memory stick) can neither rename without replacing nor link; there
// the check and the rename are two steps.
int tasi(const QByteArray& kaynak, const QByteArray& hedef)
{
    if (::renameat2(AT_FDCWD, kaynak.constData(), AT_FDCWD, hedef.constData(), RENAME_NOREPLACE) ==
        0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    if (::link(kaynak.constData(), hedef.constData()) == 0)
        return ::unlink(kaynak.constData()) == 0 ? 0 : errno;
    if (errno != EPERM && errno != EOPNOTSUPP)
        return errno;
    if (::access(hedef.constData(), F_OK) == 0)
        return EEXIST;
    return ::rename(kaynak.constData(), hedef.constData()) == 0 ? 0 : errno;
}

} // namespace

void DosyaTasima::uzerineYazmadan(const QString& kaynak, const QString& hedef)
{
    const int kod = tasi(QFile::encodeName(kaynak), QFile::encodeName(hedef));
    if (kod == EEXIST)
        throw VeriHatasi(QString(), QStringLiteral("%1 zaten var; üzerine yazılmadı.")
                                        .arg(QDir::toNativeSeparators(hedef)));
    if (kod != 0)
        sistemHatasi(QStringLiteral("%1, %2 adını alamadı")
                         .arg(QDir::toNativeSeparators(kaynak), QDir::toNativeSeparators(hedef)),
                     kod);
    const QString klasor = QFileInfo(hedef).absolutePath();
    senkronla(QFile::encodeName(klasor), O_RDONLY | O_DIRECTORY,
              QStringLiteral("%1 diske yazılamadı").arg(QDir::toNativeSeparators(klasor)));
}

void DosyaTasima::yerineKoy(const QString& kaynak, const QString& hedef)
{
    if (::rename(QFile::encodeName(kaynak).constData(), QFile::encodeName(hedef).constData()) != 0)
        sistemHatasi(QStringLiteral("%1, %2 adını alamadı")
                         .arg(QDir::toNativeSeparators(kaynak), QDir::toNativeSeparators(hedef)),
                     errno);
    const QString klasor = QFileInfo(hedef).absolutePath();
    senkronla(QFile::encodeName(klasor), O_RDONLY | O_DIRECTORY,
              QStringLiteral("%1 diske yazılamadı").arg(QDir::toNativeSeparators(klasor)));
}

void DosyaTasima::diskeYaz(const QString& yol)
{
    senkronla(QFile::encodeName(yol), O_RDONLY,
              QStringLiteral("%1 diske yazılamadı").arg(QDir::toNativeSeparators(yol)));
}

void DosyaTasima::izinleriAktar(const QString& kaynak, const QString& hedef)
{
    struct stat bilgi {
    };
    if (::stat(QFile::encodeName(kaynak).constData(), &bilgi) != 0 ||
        ::chmod(QFile::encodeName(hedef).constData(), bilgi.st_mode & 07777) != 0)
        sistemHatasi(
            QStringLiteral("%1 izinleri ayarlanamadı").arg(QDir::toNativeSeparators(hedef)), errno);
}

#include "DosyaHatasi.h"

#include <QFileInfo>

#include <cerrno>

namespace
{

// Qt reports every failed open alike; the folder and the file tell which it was.
QString acilamamaNedeni(const QString& yol)
{
    const QFileInfo dosya(yol);
    const QFileInfo klasor(dosya.absolutePath());
    if (!klasor.isDir())
        return QStringLiteral("klasör yok");
    if (dosya.exists() && !dosya.isReadable())
        return QStringLiteral("okuma izni yok");
    if (!klasor.isWritable())
        return QStringLiteral("yazma izni yok");
    return QStringLiteral("dosya açılamadı");
}

} // namespace

QString DosyaHatasi::neden(const QString& yol, QFileDevice::FileError hata)
{
    switch (hata) {
    case QFileDevice::NoError:
    case QFileDevice::UnspecifiedError:
        return QStringLiteral("nedeni bilinmiyor");
    case QFileDevice::OpenError:
        return acilamamaNedeni(yol);
    case QFileDevice::PermissionsError:
        return QStringLiteral("yazma izni yok");
    case QFileDevice::ResourceError:
        return QStringLiteral("disk dolu");
    case QFileDevice::WriteError:
        return QStringLiteral("yazarken hata oluştu, disk dolu ya da çıkarılmış olabilir");
    case QFileDevice::ReadError:
        return QStringLiteral("okurken hata oluştu");
    case QFileDevice::FatalError:
        return QStringLiteral("onarılamaz bir hata oluştu");
    case QFileDevice::AbortError:
        return QStringLiteral("işlem yarıda bırakıldı");
    case QFileDevice::TimeOutError:
        return QStringLiteral("zaman aşımı");
    case QFileDevice::RemoveError:
        return QStringLiteral("eski dosya silinemedi");
    case QFileDevice::RenameError:
        return QStringLiteral("yazılan dosya yerine konamadı");
    case QFileDevice::PositionError:
        return QStringLiteral("dosyada ilerlenemedi");
    case QFileDevice::ResizeError:
        return QStringLiteral("dosyanın boyu değiştirilemedi");
    case QFileDevice::CopyError:
        return QStringLiteral("dosya kopyalanamadı");
    }
    return QStringLiteral("nedeni bilinmiyor");
}

QString DosyaHatasi::neden(const QFileDevice& dosya)
{
    return neden(dosya.fileName(), dosya.error());
}

QString DosyaHatasi::sistemNedeni(int hataNo)
{
    switch (hataNo) {
    case EACCES:
    case EPERM:
    case EROFS:
        return QStringLiteral("izin yok");
    case ENOENT:
        return QStringLiteral("klasör yok");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("disk dolu");
    case ENOTDIR:
        return QStringLiteral("yolda klasör olmayan bir ad var");
    default:
        return QStringLiteral("sistem hatası %1").arg(hataNo);
    }
}

#pragma once

#include <QFileDevice>
#include <QString>

// Why a file could not be read or written, in Turkish: Qt's own reasons are in English.
namespace DosyaHatasi
{

// The reason behind `hata` on the file at `yol`, without a full stop ("klasör yok").
QString neden(const QString& yol, QFileDevice::FileError hata);

// The reason of the file's last error.
QString neden(const QFileDevice& dosya);

// The reason behind a failed system call's `errno`.
QString sistemNedeni(int hataNo);

} // namespace DosyaHatasi

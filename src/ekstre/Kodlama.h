#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The encodings a statement written as text comes in: UTF-8 (with or without a byte-order mark),
// UTF-16 with its mark, or one of the Turkish code pages older banks still write.
namespace Kodlama
{

enum class Tur { Utf8, Windows1254, Iso8859_9, Utf16 };

inline constexpr Tur turler[] = {Tur::Utf8, Tur::Windows1254, Tur::Iso8859_9, Tur::Utf16};

// "UTF-8", "Windows-1254", "ISO-8859-9", "UTF-16", as the window offers them.
QString adi(Tur tur);

// The encoding the bytes show: a byte-order mark, else UTF-8 when they are valid UTF-8, else
// Windows-1254 (which reads ISO-8859-9's letters alike).
Tur bul(const QByteArray& veri);

// The text of the bytes, without a byte-order mark; a byte the encoding does not define reads as
// U+FFFD.
QString coz(const QByteArray& veri, Tur tur);

} // namespace Kodlama

#pragma once

#include <QString>

#include <optional>

// Where the budget file lives. A portable copy keeps it beside the program, and a file found there
// is always used first. An installed program, whose folder the user cannot write to or which was
// built for installing, keeps it in the user's data folder instead.
namespace VeriYeri
{

inline const QString dosyaAdi = QStringLiteral("Varnel.mdb");

// The file's path in a folder: a separator ("\" or "/") is added unless the folder ends in one.
QString veriTabaniYolu(const QString& klasor);

struct Konum {
    QString yol;                      // the file to open
    QString yanindaki;                // the file beside the program, looked at first
    bool kullaniciKlasorunde = false; // the installed way: yol is in the user's data folder
};

Konum bul(const QString& programKlasoru, bool kuruluDerleme, const QString& kullaniciKlasoru);

// The same for this build and this user.
Konum bul(const QString& programKlasoru);

// ~/.local/share/Morvane: the program's AppDataLocation, the same whichever tool asks.
QString kullaniciKlasoru();

// Makes the folder of a budget file, for its owner alone, when it is missing. The result is the
// text to show on failure.
std::optional<QString> klasorunuHazirla(const QString& yol);

// Creates an empty budget file through the schema, making its folder first when it is missing.
std::optional<QString> olustur(const QString& yol);

} // namespace VeriYeri

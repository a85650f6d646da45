#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <optional>

// A library that crashes or loops forever on some damaged files (libmdb, libfreexl) reads them in a
// process of its own, one of the program's tools run with a secret option, so that neither may
// take the program down. The child reports in lines of tab-separated fields, which the program
// reads as they come. A child that dies by a signal, runs past its memory limit or reports
// nothing for too long is ended.
namespace AltSurec
{

struct Sinirlar {
    std::chrono::milliseconds sessizlik{60'000}; // the longest wait for the child's next line
    qint64 bellek = qint64(1) << 30;             // the child's address space, in bytes
};

struct Sonuc {
    bool iptal = false;  // `devam` answered false
    bool normal = false; // the child ended by itself, neither by a signal nor cut off
    int cikisKodu = -1;
    bool bitti = false;          // the child said it had done its work
    std::optional<QString> hata; // the reason the child gave for refusing it

    bool tamam() const { return normal && cikisKodu == 0 && bitti; }
};

// The tool of that name beside the program, else the one on PATH.
QString aracYolu(const QString& ad);

// Runs `program`, handing each line it writes to its standard output (without the line end; but
// for its last word, "bitti" or "hata", which goes into the result) to `satir` as it comes, and
// asking `devam` after each and every tenth of a second meanwhile; false ends the child. Throws a
// VeriHatasi, naming `aracAdi` ("Aktarma aracı"), when it cannot start.
Sonuc calistir(const QString& aracAdi, const QString& program, const QStringList& argumanlar,
               const Sinirlar& sinirlar, const std::function<void(const QByteArray&)>& satir,
               const std::function<bool()>& devam = {});

// The child's side: runs `is`, which hands its lines to `yaz` (each written at once), then says
// "bitti"; a VeriHatasi it throws is said as "hata METİN" instead. The child's exit status: 0, or 1
// after a refusal.
using Yazici = std::function<void(const QByteArray& satirlar)>;
int cocukOlarak(const std::function<void(const Yazici& yaz)>& is);

// One line of fields; text travels through kacir() and coz(), holding neither a tab nor a line end.
QByteArray satir(const QList<QByteArray>& alanlar);
QByteArray kacir(const QString& metin);
QString coz(const QByteArray& metin);

} // namespace AltSurec

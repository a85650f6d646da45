#pragma once

#include "EkstreTablosu.h"
#include "VeriHatasi.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

class QXmlStreamReader;

// A statement file from outside is hostile until read: each reader keeps to these limits and
// refuses (or cuts, naming the row) what lies beyond them.
namespace EkstreSiniri
{
inline constexpr qint64 dosya = qint64(64) << 20;       // bytes of the file
inline constexpr qint64 zipGirdisi = qint64(256) << 20; // bytes a workbook's part unpacks to
inline constexpr qsizetype satir = 200'000;
inline constexpr int sutun = 256;
inline constexpr qsizetype hucre = 10'000; // characters of a cell
inline constexpr int derinlik = 32;        // elements within elements (OFX)
} // namespace EkstreSiniri

struct OkumaSecenekleri {
    // The encoding of a text format, when the user chose one; else the one the file shows.
    std::optional<Kodlama::Tur> kodlama;
};

// Reads one format of statement into its rows. Each format is one class behind this interface,
// shared by the window, varnel-ekstre and the tests.
class EkstreOkuyucu
{
public:
    virtual ~EkstreOkuyucu() = default;

    // The rows of the file at `yol`. Throws a VeriHatasi naming the file and the reason when it
    // cannot be read at all; a row read only in part carries its `sorun`.
    virtual EkstreTablosu oku(const QString& yol, const OkumaSecenekleri& secenekler) const = 0;
    // Whether the user may choose the encoding (the text formats).
    virtual bool metinMi() const { return true; }

    // The reader for the file's content (its first bytes say xlsx, xls, OFX or QIF; anything else
    // is read as CSV). Throws a VeriHatasi for a file that cannot be opened, is empty or too large,
    // or is a workbook saved with a password.
    static std::unique_ptr<EkstreOkuyucu> sec(const QString& yol);

    // "«ekstre.xlsx» okunamadı: neden"
    static VeriHatasi hata(const QString& yol, const QString& neden);
    // The whole file, within EkstreSiniri::dosya; refused when empty or larger.
    static QByteArray dosyayiOku(const QString& yol);
    // The text of a text format: refused when it holds a NUL byte (no text does); in the chosen
    // encoding, else `beyan` (what the file says of itself), else the one the bytes show.
    static QString metin(const QString& yol, const QByteArray& veri,
                         const OkumaSecenekleri& secenekler, EkstreTablosu& tablo,
                         std::optional<Kodlama::Tur> beyan = {});
    // A cell's text within EkstreSiniri::hucre; a longer one is cut and its row says so.
    static QString hucreMetni(QString metin, TabloSatiri& satir);
    // Where and why XML broke off: "satır 3: …", without the control characters it may quote.
    static QString xmlHatasi(const QXmlStreamReader& xml);
    // The next row may be added; refuses the file beyond EkstreSiniri::satir rows.
    static void satirSiniri(const QString& yol, const EkstreTablosu& tablo);
};

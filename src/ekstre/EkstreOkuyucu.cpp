#include "EkstreOkuyucu.h"

#include "CsvOkuyucu.h"
#include "OfxOkuyucu.h"
#include "QifOkuyucu.h"
#include "XlsOkuyucu.h"
#include "XlsxOkuyucu.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QXmlStreamReader>

namespace
{

const QString buyuk =
    QStringLiteral("dosya okunamayacak kadar büyük (en çok %1 MB).").arg(EkstreSiniri::dosya >> 20);

// Whether the text, after a byte-order mark and blanks, starts with one of the words.
bool basliyor(QByteArray bas, std::initializer_list<const char*> kelimeler)
{
    if (bas.startsWith("\xEF\xBB\xBF"))
        bas.remove(0, 3);
    bas = bas.trimmed().toUpper();
    return std::any_of(kelimeler.begin(), kelimeler.end(),
                       [&](const char* k) { return bas.startsWith(k); });
}

} // namespace

VeriHatasi EkstreOkuyucu::hata(const QString& yol, const QString& neden)
{
    return VeriHatasi(QString(),
                      QStringLiteral("«%1» okunamadı: %2").arg(QFileInfo(yol).fileName(), neden));
}

std::unique_ptr<EkstreOkuyucu> EkstreOkuyucu::sec(const QString& yol)
{
    QFile dosya(yol);
    if (!dosya.open(QIODevice::ReadOnly))
        throw hata(yol, QStringLiteral("dosya açılamadı (%1).").arg(dosya.errorString()));
    if (dosya.size() == 0)
        throw hata(yol, QStringLiteral("dosya boş."));
    if (dosya.size() > EkstreSiniri::dosya)
        throw hata(yol, buyuk);
    const QByteArray bas = dosya.read(4096);
    if (bas.startsWith("PK"))
        return std::make_unique<XlsxOkuyucu>();
    if (bas.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1")) {
        // A workbook saved with a password is a compound file too, holding its encrypted package.
        const char16_t paket[] = u"EncryptedPackage";
        if ((bas + dosya.readAll())
                .contains(QByteArray(reinterpret_cast<const char*>(paket), sizeof paket - 2)))
            throw hata(yol, QStringLiteral("çalışma kitabı parolayla şifrelenmiş; parolasını "
                                           "kaldırıp yeniden kaydedin."));
        return std::make_unique<XlsOkuyucu>();
    }
    if (basliyor(bas, {"OFXHEADER", "<OFX>"}) || bas.contains("<?OFX") ||
        (basliyor(bas, {"<?XML"}) && bas.contains("<OFX>")))
        return std::make_unique<OfxOkuyucu>();
    if (basliyor(bas, {"!TYPE:", "!ACCOUNT", "!OPTION:", "!CLEAR:"}))
        return std::make_unique<QifOkuyucu>();
    return std::make_unique<CsvOkuyucu>();
}

QByteArray EkstreOkuyucu::dosyayiOku(const QString& yol)
{
    QFile dosya(yol);
    if (!dosya.open(QIODevice::ReadOnly))
        throw hata(yol, QStringLiteral("dosya açılamadı (%1).").arg(dosya.errorString()));
    if (dosya.size() > EkstreSiniri::dosya)
        throw hata(yol, buyuk);
    const QByteArray veri = dosya.read(EkstreSiniri::dosya + 1);
    if (veri.isEmpty())
        throw hata(yol, QStringLiteral("dosya boş."));
    if (veri.size() > EkstreSiniri::dosya)
        throw hata(yol, buyuk);
    return veri;
}

QString EkstreOkuyucu::metin(const QString& yol, const QByteArray& veri,
                             const OkumaSecenekleri& secenekler, EkstreTablosu& tablo,
                             std::optional<Kodlama::Tur> beyan)
{
    const Kodlama::Tur tur = secenekler.kodlama.value_or(beyan.value_or(Kodlama::bul(veri)));
    tablo.kodlama = tur;
    QString metin = Kodlama::coz(veri, tur);
    if (metin.contains(QChar(0)))
        throw hata(yol, QStringLiteral("metin dosyası değil (içinde NUL baytı var)."));
    return metin;
}

QString EkstreOkuyucu::hucreMetni(QString metin, TabloSatiri& satir)
{
    if (metin.size() <= EkstreSiniri::hucre)
        return metin;
    satir.sorun = QStringLiteral("bir hücresi çok uzun (en çok %1 karakter okunur)")
                      .arg(QLocale().toString(EkstreSiniri::hucre));
    metin.truncate(EkstreSiniri::hucre);
    return metin;
}

QString EkstreOkuyucu::xmlHatasi(const QXmlStreamReader& xml)
{
    QString neden = xml.errorString();
    neden.removeIf([](QChar c) { return c.unicode() < 0x20; });
    return QStringLiteral("satır %1: %2").arg(xml.lineNumber()).arg(neden);
}

void EkstreOkuyucu::satirSiniri(const QString& yol, const EkstreTablosu& tablo)
{
    if (tablo.satirlar.size() >= EkstreSiniri::satir)
        throw hata(yol, QStringLiteral("dosyada %1 satırdan fazlası var; en çok bu kadarı okunur.")
                            .arg(QLocale().toString(EkstreSiniri::satir)));
}

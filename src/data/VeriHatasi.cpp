#include "VeriHatasi.h"

#include <QRegularExpression>

#include <sqlite3.h>

namespace
{

// Extended result codes count by their primary code.
int anaKod(const QString& numara)
{
    return numara.toInt() & 0xff;
}

// The first sentence for an SQLite result code.
QString turkceCumle(int kod)
{
    switch (kod) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral(
            "Varnel.mdb başka bir program tarafından kilitli; biraz sonra yeniden deneyin.");
    case SQLITE_READONLY:
        return QStringLiteral("Varnel.mdb salt okunur; değişiklik kaydedilemedi.");
    case SQLITE_FULL:
        return QStringLiteral("Disk dolu; Varnel.mdb'ye yazılamadı. Yer açıp yeniden deneyin.");
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return QStringLiteral("Varnel.mdb bozuk ya da bir veritabanı dosyası değil.");
    case SQLITE_CANTOPEN:
        return QStringLiteral("Varnel.mdb açılamadı.");
    default:
        return QStringLiteral("Veritabanı işlemi yapılamadı.");
    }
}

} // namespace

VeriHatasi::VeriHatasi(const QSqlError& hata)
    : VeriHatasi(hata.nativeErrorCode(),
                 hata.databaseText().isEmpty() ? hata.text() : hata.databaseText())
{
}

VeriHatasi VeriHatasi::cumleyle(const QString& cumle, const QString& numara, const QString& metin)
{
    VeriHatasi h(numara, metin);
    h.cumle_ = cumle;
    return h;
}

VeriHatasi VeriHatasi::baglantiYok(const QString& sunucu, const QString& motorunSozu,
                                   bool onaylanirken)
{
    VeriHatasi h(QString(), motorunSozu.trimmed());
    const QString ad = sunucu.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(sunucu);
    h.cumle_ = onaylanirken
                   ? QStringLiteral("Ortak bütçenin sunucusuyla bağlantı, değişiklik kaydedilirken "
                                    "koptu%1; kaydedilip kaydedilmediği bağlantı gelince "
                                    "listelerde görünür.")
                         .arg(ad)
                   : QStringLiteral("Ortak bütçenin sunucusuna ulaşılamıyor%1; hiçbir şey "
                                    "yazılmadı.")
                         .arg(ad);
    h.baglantiKoptu_ = true;
    return h;
}

bool VeriHatasi::kilitli() const
{
    return cumle_.isEmpty() && (anaKod(numara_) == SQLITE_BUSY || anaKod(numara_) == SQLITE_LOCKED);
}

QString VeriHatasi::motorunSozu() const
{
    return numara_.isEmpty() ? metin_ : QStringLiteral("(Hata %1: %2)").arg(numara_, metin_);
}

QString VeriHatasi::ilkCumle() const
{
    if (!cumle_.isEmpty())
        return cumle_;
    if (numara_.isEmpty())
        return {};
    // Another program put a view where one of the tables was.
    static const QRegularExpression gorunum(
        QStringLiteral("cannot modify (\\S+) because it is a view"));
    if (const QRegularExpressionMatch m = gorunum.match(metin_); m.hasMatch())
        return QStringLiteral("%1 bir tablo değil, görünüm; başka bir program değiştirmiş, "
                              "değişiklik kaydedilemedi.")
            .arg(m.captured(1));
    // A server's code that is no number (PostgreSQL's SQLSTATE 42P01) counts as 0: other.
    return turkceCumle(anaKod(numara_));
}

// A refusal the program words itself stands as it is; after a Turkish sentence, the engine's
// words follow in parentheses.
QString VeriHatasi::aciklama() const
{
    const QString cumle = ilkCumle();
    const QString metin = metin_.trimmed();
    if (cumle.isEmpty() && metin.isEmpty())
        return QStringLiteral("Veritabanı işlemi yapılamadı; veritabanı sürücüsü bir neden "
                              "bildirmedi.");
    if (cumle.isEmpty())
        return metin;
    if (metin.isEmpty())
        return cumle;
    return cumle + u'\n' + (numara_.isEmpty() ? u'(' + metin + u')' : motorunSozu());
}

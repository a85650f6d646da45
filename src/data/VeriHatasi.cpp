#include "VeriHatasi.h"

#include "DegiskenModulu.h"
#include "Lehce.h"
#include "OrtakButce.h"

#include <QRegularExpression>

#include <sqlite3.h>

namespace
{

// The first sentence for an engine result code; extended codes count by their primary code.
QString turkceCumle(int kod)
{
    switch (kod & 0xff) {
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
    if (Lehce::sunucuda() && OrtakButce::baglantiKoptu(hata)) {
        metin_ = QStringLiteral("Ortak bütçenin sunucusuyla bağlantı koptu; komut kaydedilmedi. "
                                "Sonraki komutta yeniden bağlanılacak.\n(") +
                 metin_.trimmed() + u')';
        numara_.clear();
        return;
    }
    // Qt leaves the engine's number out of a failed commit; the connection still holds it.
    if (numara_.isEmpty() && hata.type() == QSqlError::TransactionError)
        if (const int kod = DegiskenModulu::sonHataKodu(); kod != SQLITE_OK)
            numara_ = QString::number(kod);
}

QString VeriHatasi::motorunSozu() const
{
    return numara_.isEmpty() ? metin_ : QStringLiteral("(Hata %1: %2)").arg(numara_, metin_);
}

QString VeriHatasi::aciklama() const
{
    if (numara_.isEmpty())
        return metin_;
    // Another program put a view where one of the tables was.
    static const QRegularExpression gorunum(
        QStringLiteral("cannot modify (\\S+) because it is a view"));
    if (const QRegularExpressionMatch m = gorunum.match(metin_); m.hasMatch())
        return QStringLiteral("%1 bir tablo değil, görünüm; başka bir program değiştirmiş, "
                              "değişiklik kaydedilemedi.\n")
                   .arg(m.captured(1)) +
               motorunSozu();
    // A server's code that is no number (PostgreSQL's SQLSTATE 42P01) counts as 0: other.
    return turkceCumle(numara_.toInt()) + u'\n' + motorunSozu();
}

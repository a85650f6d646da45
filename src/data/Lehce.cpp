#include "Lehce.h"

#include "VeriHatasi.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace
{

void calistir(const Lehce& lehce, QSqlDatabase db, const QString& sql, const QVariantList& degerler)
{
    QSqlQuery sorgu(db);
    if (!sorgu.prepare(sql))
        throw lehce.hata(sorgu.lastError());
    for (const QVariant& d : degerler)
        sorgu.addBindValue(d);
    if (!sorgu.exec())
        throw lehce.hata(sorgu.lastError());
}

// The server's error classes (SQLSTATE) the program words itself.
const std::pair<const char*, const char*> sunucuHatalari[] = {
    {"55P03", "Ortak bütçede bu kayıtlar şu anda başka bir üyenin değişikliğinde; biraz sonra "
              "yeniden deneyin."},
    {"40", "Ortak bütçede aynı kayıtları başka bir üye de aynı anda değiştirdi; yeniden deneyin."},
    {"53", "Ortak bütçenin sunucusunda yer ya da bellek kalmadı; değişiklik kaydedilemedi."},
    {"42501", "Ortak bütçede bu işlem için izniniz yok."},
    {"25006", "Ortak bütçe sunucuda salt okunur; değişiklik kaydedilemedi."},
    {"22", "Ortak bütçenin sunucusu bir değeri kabul etmedi."},
    {"23", "Ortak bütçenin sunucusu değişikliği kurallarına aykırı buldu."},
};

// The six sums of Tutar::Toplam, comma-separated. On the server an amount is always a number or
// NULL, so only a missing estimate is unreadable; the sums are exact, in whole kuruş.
const QString toplamIfadesi = QStringLiteral(
    "concat_ws(',', round(coalesce(sum(\\1), 0) * 100)::bigint, "
    "round(coalesce(sum(\\2), 0) * 100)::bigint, count(*) - count(\\1), count(*), "
    "round(coalesce(sum(\\1) FILTER (WHERE \\2 IS NOT NULL), 0) * 100)::bigint, count(\\2))");

// Whether a failure on the server's connection means that the link is lost: the server stopped or
// restarted, the network went. The driver reports some of these without the server's code.
bool baglantiKoptu(const QString& kod, const QString& metin)
{
    static const char* const izler[] = {"server closed the connection",
                                        "no connection to the server",
                                        "terminating connection",
                                        "could not receive data",
                                        "could not send data",
                                        "connection to server",
                                        "database not open",
                                        "SSL SYSCALL error",
                                        "EOF detected"};
    for (const char* iz : izler)
        if (metin.contains(QLatin1String(iz), Qt::CaseInsensitive))
            return true;
    return kod.startsWith(QLatin1String("08")) || kod.startsWith(QLatin1String("57P0"));
}

class SunucuLehcesi : public Lehce
{
public:
    QString uyarla(const QString& sql) const override
    {
        static const QRegularExpression satir(QStringLiteral("\\browid\\b"));
        static const QRegularExpression ayni(QStringLiteral(" IS \\?"));
        static const QRegularExpression toplam(QStringLiteral("TUTAR_TOPLAMI\\((\\w+), (\\w+)\\)"));
        static const QRegularExpression yoksa(QStringLiteral("\\bifnull\\("));
        QString sonuc = sql;
        sonuc.replace(satir, QStringLiteral("Kimlik"))
            .replace(ayni, QStringLiteral(" IS NOT DISTINCT FROM ?"))
            .replace(toplam, toplamIfadesi)
            .replace(yoksa, QStringLiteral("coalesce("));
        return sonuc;
    }
    QString eklemeSonu() const override { return QStringLiteral(" RETURNING Kimlik"); }
    VeriHatasi hata(const QSqlError& hata) const override
    {
        const QString kod = hata.nativeErrorCode();
        const QString metin = hata.databaseText().isEmpty() ? hata.text() : hata.databaseText();
        if (baglantiKoptu(kod, metin + hata.driverText()))
            return VeriHatasi::baglantiYok(QString(), metin);
        for (const auto& [sinif, cumle] : sunucuHatalari)
            if (kod.startsWith(QLatin1String(sinif)))
                return VeriHatasi::cumleyle(QString::fromUtf8(cumle), kod, metin.trimmed());
        return VeriHatasi::cumleyle(QStringLiteral("Ortak bütçede işlem yapılamadı."), kod,
                                    metin.trimmed());
    }
    QString satirKilidi() const override { return QStringLiteral(" FOR UPDATE"); }
    QString anlikOkumaKomutu() const override
    {
        return QStringLiteral("SET TRANSACTION ISOLATION LEVEL REPEATABLE READ");
    }
    QString kimlikSayaciSorgusu() const override
    {
        return QStringLiteral("SELECT coalesce(last_value, 0) FROM pg_sequences WHERE schemaname "
                              "= current_schema() AND sequencename = lower(?) || '_kimlik_seq'");
    }
    void sayaciKur(QSqlDatabase db, const QString& tablo, qint64 deger) const override
    {
        calistir(*this, db,
                 QStringLiteral("SELECT setval(pg_get_serial_sequence(lower(?), 'kimlik'), "
                                "greatest(?::bigint, 1), ?::bigint > 0)"),
                 {tablo, deger, deger});
    }
};

} // namespace

const Lehce& Lehce::dosya()
{
    static const Lehce lehce;
    return lehce;
}

const Lehce& Lehce::sunucu()
{
    static const SunucuLehcesi lehce;
    return lehce;
}

VeriHatasi Lehce::hata(const QSqlError& hata) const
{
    return VeriHatasi(hata);
}

QString Lehce::kimlikSayaciSorgusu() const
{
    return QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = ?");
}

// A counter of 0 is no row at all.
void Lehce::sayaciKur(QSqlDatabase db, const QString& tablo, qint64 deger) const
{
    if (deger <= 0)
        return;
    calistir(*this, db, QStringLiteral("DELETE FROM sqlite_sequence WHERE name = ?"), {tablo});
    calistir(*this, db, QStringLiteral("INSERT INTO sqlite_sequence (name, seq) VALUES (?, ?)"),
             {tablo, deger});
}

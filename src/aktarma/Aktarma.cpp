#include "Aktarma.h"

#include "ButceVerisi.h"
#include "DegiskenModulu.h"
#include "DosyaTasima.h"
#include "SatirYazici.h"
#include "Sema.h"
#include "VeriHatasi.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <optional>

namespace
{

constexpr qint64 ilerlemeAdimi = 2000;

// One table of the file, with the names the source spells it and its fields with.
struct Eslesme {
    Sema::Tablo hedef;
    QString kaynakTablosu;
    QStringList kaynakAlanlari;
    qint64 satirSayisi = 0;
};

[[noreturn]] void hata(const QString& metin)
{
    throw VeriHatasi(QString(), metin);
}

// Jet names tables and fields whatever their letter case.
std::optional<QString> bul(const QStringList& adlar, const QString& ad)
{
    for (const QString& aday : adlar)
        if (aday.compare(ad, Qt::CaseInsensitive) == 0)
            return aday;
    return std::nullopt;
}

QList<Eslesme> eslestir(ButceKaynagi& kaynak)
{
    const QStringList tablolar = kaynak.tablolar();
    QList<Eslesme> eslesmeler;
    QStringList eksik;
    for (const Sema::Tablo& tablo : Sema::tablolar()) {
        const std::optional<QString> kaynakTablosu = bul(tablolar, tablo.ad);
        if (!kaynakTablosu) {
            eksik << QStringLiteral("%1 tablosu").arg(tablo.ad);
            continue;
        }
        const QStringList alanlar = kaynak.alanlar(*kaynakTablosu);
        Eslesme eslesme{tablo, *kaynakTablosu, {}, kaynak.satirSayisi(*kaynakTablosu)};
        for (const QString& alan : tablo.alanlar) {
            if (const std::optional<QString> kaynakAlani = bul(alanlar, alan))
                eslesme.kaynakAlanlari << *kaynakAlani;
            else
                eksik << QStringLiteral("%1.%2 alanı").arg(tablo.ad, alan);
        }
        eslesmeler << eslesme;
    }
    if (!eksik.isEmpty())
        hata(QStringLiteral("Bu bir Morvane bütçe dosyası değil; eksik olanlar: %1.")
                 .arg(eksik.join(QStringLiteral(", "))));
    return eslesmeler;
}

// Copies (or, without a file to write to, only reads) every table; each must yield the rows it
// says it holds.
Aktarma::Rapor kopyala(ButceKaynagi& kaynak, bool yaz, const Aktarma::Ilerleme& ilerleme)
{
    const QList<Eslesme> eslesmeler = eslestir(kaynak);
    qint64 toplam = 0;
    for (const Eslesme& e : eslesmeler)
        toplam += e.satirSayisi;
    qint64 yapilan = 0;
    if (ilerleme)
        ilerleme(0, toplam);
    Aktarma::Rapor rapor;
    for (const Eslesme& e : eslesmeler) {
        std::optional<SatirYazici> yazici;
        if (yaz)
            yazici.emplace(e.hedef);
        qint64 okunan = 0;
        kaynak.oku(e.kaynakTablosu, e.kaynakAlanlari, [&](const QVariantList& degerler) {
            if (yazici)
                yazici->yaz(degerler);
            ++okunan;
            if (ilerleme && ++yapilan % ilerlemeAdimi == 0)
                ilerleme(yapilan, toplam);
        });
        if (okunan != e.satirSayisi)
            hata(QStringLiteral("%1 tablosu %2 satır tutuyor, ancak %3 satırı okunabildi.")
                     .arg(e.kaynakTablosu)
                     .arg(e.satirSayisi)
                     .arg(okunan));
        rapor << Aktarma::TabloSayisi{e.hedef.ad, okunan};
    }
    if (ilerleme)
        ilerleme(toplam, toplam);
    return rapor;
}

void denetle(const Aktarma::Rapor& rapor)
{
    for (const Aktarma::TabloSayisi& t : rapor) {
        const qint64 yazilan = ButceVerisi::satirSayisi(t.tablo);
        if (yazilan != t.satir)
            hata(QStringLiteral("%1 tablosuna %2 satır okundu, ancak %3 satır yazıldı.")
                     .arg(t.tablo)
                     .arg(t.satir)
                     .arg(yazilan));
    }
    if (const auto sorun = ButceVerisi::butunlukSorunu())
        hata(QStringLiteral("Yeni dosya bütünlük denetiminden geçemedi:\n%1").arg(*sorun));
    for (const DefterTanimi* d : {&gelirDefteri(), &giderDefteri()})
        if (ButceVerisi::kimlikSayaci(*d) < ButceVerisi::enBuyukKimlik(*d))
            hata(QStringLiteral("%1 tablosunda yeni kayıtların Kimlik sayacı ayarlanamadı.")
                     .arg(d->kayitTablosu));
}

void calistir(QSqlQuery& sorgu, const QString& komut)
{
    if (!sorgu.exec(komut))
        throw VeriHatasi(sorgu.lastError());
}

// The new file's indexes, dropped so that the rows go in without keeping them up to date row by
// row; building each once afterwards is many times faster. The statements that make them again.
QStringList indeksleriKaldir(QSqlDatabase db)
{
    QSqlQuery sorgu(db);
    calistir(sorgu, QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type = 'index' AND "
                                   "sql IS NOT NULL"));
    QStringList adlar;
    QStringList komutlar;
    while (sorgu.next()) {
        adlar << sorgu.value(0).toString();
        komutlar << sorgu.value(1).toString();
    }
    for (const QString& ad : adlar)
        calistir(sorgu, QStringLiteral("DROP INDEX %1").arg(ad));
    return komutlar;
}

void yazVeDenetle(ButceKaynagi& kaynak, const QString& yol, const Aktarma::Ilerleme& ilerleme,
                  Aktarma::Rapor& rapor)
{
    if (const auto sorun = DegiskenModulu::semasizAc(yol))
        hata(*sorun);
    QSqlDatabase db = DegiskenModulu::VeriTabani();
    // The file is thrown away on any failure and flushed to disk once it is complete: it needs no
    // journal, and a cache as large as it is keeps the writes from reading pages back.
    QSqlQuery ayar(db);
    calistir(ayar, QStringLiteral("PRAGMA journal_mode = OFF"));
    calistir(ayar, QStringLiteral("PRAGMA synchronous = OFF"));
    calistir(ayar, QStringLiteral("PRAGMA cache_size = -131072"));
    if (!db.transaction())
        throw VeriHatasi(db.lastError());
    const QStringList indeksler = indeksleriKaldir(db);
    rapor = kopyala(kaynak, true, ilerleme);
    for (const QString& komut : indeksler)
        calistir(ayar, komut);
    if (!db.commit())
        throw VeriHatasi(db.lastError());
    denetle(rapor);
}

// The new file, complete and checked, under a temporary name beside `hedef`.
QString geciciDosyayaYaz(ButceKaynagi& kaynak, const QString& hedef,
                         const Aktarma::Ilerleme& ilerleme, Aktarma::Rapor& rapor)
{
    eslestir(kaynak); // refuses a source that is no budget before anything is created
    const QString gecici = QStringLiteral("%1.aktariliyor-%2")
                               .arg(hedef)
                               .arg(QRandomGenerator::global()->generate(), 8, 16, QChar(u'0'));
    if (const auto sorun = Sema::dosyaOlustur(gecici))
        hata(*sorun);
    try {
        yazVeDenetle(kaynak, gecici, ilerleme, rapor);
        DegiskenModulu::kapat();
        DosyaTasima::diskeYaz(gecici);
    } catch (...) {
        DegiskenModulu::kapat();
        QFile::remove(gecici);
        throw;
    }
    return gecici;
}

void zatenVarsaReddet(const QString& yol)
{
    if (QFileInfo::exists(yol) || QFileInfo(yol).isSymLink())
        hata(QStringLiteral("%1 zaten var; üzerine yazılmadı.").arg(QDir::toNativeSeparators(yol)));
}

} // namespace

void Aktarma::tablolariDenetle(ButceKaynagi& kaynak)
{
    eslestir(kaynak);
}

Aktarma::Rapor Aktarma::oku(ButceKaynagi& kaynak, const Ilerleme& ilerleme)
{
    return kopyala(kaynak, false, ilerleme);
}

Aktarma::Rapor Aktarma::dosyayaAktar(ButceKaynagi& kaynak, const QString& hedef,
                                     const Ilerleme& ilerleme)
{
    zatenVarsaReddet(hedef);
    Rapor rapor;
    const QString gecici = geciciDosyayaYaz(kaynak, hedef, ilerleme, rapor);
    try {
        DosyaTasima::uzerineYazmadan(gecici, hedef);
    } catch (...) {
        QFile::remove(gecici);
        throw;
    }
    return rapor;
}

Aktarma::Rapor Aktarma::eskiDosyayiDonustur(ButceKaynagi& kaynak, const QString& yol,
                                            const Ilerleme& ilerleme)
{
    const QString eski = QFileInfo(yol).dir().filePath(eskiDosyaAdi);
    zatenVarsaReddet(eski);
    Rapor rapor;
    const QString gecici = geciciDosyayaYaz(kaynak, yol, ilerleme, rapor);
    try {
        DosyaTasima::uzerineYazmadan(yol, eski);
    } catch (...) {
        QFile::remove(gecici);
        throw;
    }
    // From here on every failure puts the old file back under its own name.
    try {
        DosyaTasima::uzerineYazmadan(gecici, yol);
        if (const auto sorun = DegiskenModulu::ac(yol)) {
            QFile::remove(yol);
            hata(*sorun);
        }
    } catch (...) {
        QFile::remove(gecici);
        DosyaTasima::uzerineYazmadan(eski, yol);
        throw;
    }
    return rapor;
}

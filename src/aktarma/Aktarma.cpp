#include "Aktarma.h"

#include "Baglanti.h"
#include "ButceVerisi.h"
#include "DosyaHatasi.h"
#include "DosyaTasima.h"
#include "SatirYazici.h"
#include "Sema.h"
#include "Takvim.h"
#include "Tutar.h"
#include "VeriHatasi.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <optional>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

constexpr qint64 ilerlemeAdimi = 2000;
constexpr int enGecYil = 2100;
// The most Kimlik numbers a warning lists per table.
constexpr qsizetype listelenenKimlik = 10;

// "Varnel.mdb.aktariliyor-0a1b2c3d", and the journal SQLite may keep beside it.
const QRegularExpression
    geciciAdi(QStringLiteral("^(.+\\.aktariliyor-[0-9a-f]{8})(-journal|-wal|-shm)?$"));

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

// Where an entry's Kimlik, year and amounts stand among its table's fields, for the ledger tables.
struct KayitAlanlari {
    qsizetype kimlik = -1;
    qsizetype yil = -1;
    QList<qsizetype> tutarlar;
};

KayitAlanlari kayitAlanlari(const Sema::Tablo& tablo)
{
    for (const DefterTanimi* d : {&gelirDefteri(), &giderDefteri()})
        if (tablo.ad == d->kayitTablosu)
            return {tablo.alanlar.indexOf(QStringLiteral("Kimlik")),
                    tablo.alanlar.indexOf(d->yilAlani),
                    {tablo.alanlar.indexOf(d->tahminAlani),
                     tablo.alanlar.indexOf(QStringLiteral("Gerceklesen"))}};
    return {};
}

// Notes an entry whose amount or year the program would not read as it stands.
void supheliyseNotEt(const QString& tablo, const KayitAlanlari& alanlar,
                     const QVariantList& degerler, Aktarma::Rapor& rapor)
{
    if (alanlar.kimlik < 0)
        return;
    const Aktarma::SupheliKayit kayit{tablo, degerler.at(alanlar.kimlik).toLongLong()};
    for (const qsizetype tutar : alanlar.tutarlar) {
        const QVariant& deger = degerler.at(tutar);
        if (!deger.isNull() && !Tutar::kurus(deger.toDouble())) {
            rapor.sinirDisiTutarlar << kayit;
            break;
        }
    }
    const QVariant& yil = degerler.at(alanlar.yil);
    if (!yil.isNull() && (yil.toLongLong() < Takvim::enErkenYil || yil.toLongLong() > enGecYil))
        rapor.sinirDisiYillar << kayit;
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
        const KayitAlanlari alanlar = kayitAlanlari(e.hedef);
        qint64 okunan = 0;
        kaynak.oku(e.kaynakTablosu, e.kaynakAlanlari, [&](const QVariantList& degerler) {
            if (yazici)
                yazici->yaz(degerler);
            supheliyseNotEt(e.hedef.ad, alanlar, degerler, rapor);
            ++okunan;
            if (ilerleme && ++yapilan % ilerlemeAdimi == 0)
                ilerleme(yapilan, toplam);
        });
        if (okunan != e.satirSayisi)
            hata(QStringLiteral("%1 tablosu %2 satır tutuyor, ancak %3 satırı okunabildi.")
                     .arg(e.kaynakTablosu)
                     .arg(e.satirSayisi)
                     .arg(okunan));
        rapor.tablolar << Aktarma::TabloSayisi{e.hedef.ad, okunan};
    }
    if (ilerleme)
        ilerleme(toplam, toplam);
    return rapor;
}

void denetle(const Aktarma::Rapor& rapor)
{
    for (const Aktarma::TabloSayisi& t : rapor.tablolar) {
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

void yazVeDenetle(ButceKaynagi& kaynak, const Aktarma::Ilerleme& ilerleme, Aktarma::Rapor& rapor)
{
    QSqlDatabase db = Baglanti::program().db();
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
    // Summed once over the entries' index rather than by a trigger row by row.
    Sema::aylikToplamlariKur(db);
    if (!db.commit())
        throw VeriHatasi(db.lastError());
    denetle(rapor);
}

// The new file under a temporary name beside its target, created empty and held (flock) for as
// long as this import runs, so that no other import or start-up takes it for a leftover. Removed
// unless kept.
class GeciciDosya
{
public:
    explicit GeciciDosya(const QString& hedef)
        : yol(QStringLiteral("%1.aktariliyor-%2")
                  .arg(hedef)
                  .arg(QRandomGenerator::global()->generate(), 8, 16, QChar(u'0')))
    {
        const QByteArray yerelYol = QFile::encodeName(yol);
        tutamac = ::open(yerelYol.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (tutamac < 0)
            hata(QStringLiteral("%1 oluşturulamadı: %2")
                     .arg(QDir::toNativeSeparators(yol), DosyaHatasi::sistemNedeni(errno)));
        // Another start-up may have taken the new file for a leftover before it was held.
        struct stat bilgi {
        };
        if (::flock(tutamac, LOCK_EX | LOCK_NB) != 0 || ::fstat(tutamac, &bilgi) != 0 ||
            bilgi.st_nlink == 0) {
            ::close(tutamac);
            hata(QStringLiteral("%1 oluşturulamadı.").arg(QDir::toNativeSeparators(yol)));
        }
    }
    ~GeciciDosya()
    {
        if (!tasindi) {
            QFile::remove(yol);
            QFile::remove(yol + QStringLiteral("-journal"));
        }
        ::close(tutamac);
    }
    GeciciDosya(const GeciciDosya&) = delete;
    GeciciDosya& operator=(const GeciciDosya&) = delete;

    // Moves the file to `hedef`, which must not exist; it is then no longer this one's to remove.
    void tasi(const QString& hedef)
    {
        DosyaTasima::uzerineYazmadan(yol, hedef);
        tasindi = true;
    }

    const QString yol;

private:
    int tutamac = -1;
    bool tasindi = false;
};

// The new file, complete, checked and flushed to disk, in the temporary file.
Aktarma::Rapor geciciDosyayaYaz(ButceKaynagi& kaynak, const GeciciDosya& gecici,
                                const Aktarma::Ilerleme& ilerleme)
{
    if (const auto sorun = Baglanti::program().semasizAc(gecici.yol))
        hata(*sorun);
    Aktarma::Rapor rapor;
    try {
        Sema::olustur(Baglanti::program().db(), false);
        yazVeDenetle(kaynak, ilerleme, rapor);
    } catch (...) {
        Baglanti::program().kapat();
        throw;
    }
    Baglanti::program().kapat();
    DosyaTasima::diskeYaz(gecici.yol);
    return rapor;
}

QString klasoru(const QString& yol)
{
    return QFileInfo(yol).absolutePath();
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
    eslestir(kaynak); // refuses a source that is no budget before anything is created
    artiklariSil(klasoru(hedef));
    GeciciDosya gecici(hedef);
    const Rapor rapor = geciciDosyayaYaz(kaynak, gecici, ilerleme);
    gecici.tasi(hedef);
    return rapor;
}

Aktarma::Rapor Aktarma::eskiDosyayiDonustur(ButceKaynagi& kaynak, const QString& yol,
                                            const Ilerleme& ilerleme)
{
    const QString eski = QDir(klasoru(yol)).filePath(eskiDosyaAdi);
    zatenVarsaReddet(eski);
    eslestir(kaynak);
    artiklariSil(klasoru(yol));
    GeciciDosya gecici(yol);
    const Rapor rapor = geciciDosyayaYaz(kaynak, gecici, ilerleme);
    DosyaTasima::uzerineYazmadan(yol, eski);
    try {
        gecici.tasi(yol);
    } catch (...) {
        DosyaTasima::uzerineYazmadan(eski, yol);
        throw;
    }
    return rapor;
}

void Aktarma::eskiDosyayiGeriKoy(const QString& yol)
{
    const QString eski = QDir(klasoru(yol)).filePath(eskiDosyaAdi);
    if (!QFileInfo::exists(eski))
        return;
    QFile::remove(yol);
    DosyaTasima::uzerineYazmadan(eski, yol);
}

void Aktarma::artiklariSil(const QString& klasor)
{
    const QDir dizin(klasor);
    for (const QString& ad : dizin.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        // Every start comes here: the expression is compiled only for a name that may match.
        if (!ad.contains(QLatin1StringView(".aktariliyor-")))
            continue;
        const QRegularExpressionMatch eslesme = geciciAdi.match(ad);
        if (!eslesme.hasMatch())
            continue;
        // A running import holds its file; the lock is kept while the leftover goes.
        const QByteArray ana = QFile::encodeName(dizin.filePath(eslesme.captured(1)));
        const int tutamac = ::open(ana.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (tutamac < 0 || ::flock(tutamac, LOCK_EX | LOCK_NB) == 0)
            QFile::remove(dizin.filePath(ad));
        if (tutamac >= 0)
            ::close(tutamac);
    }
}

QStringList Aktarma::uyarilar(const Rapor& rapor)
{
    const auto satir = [](const QString& ne, const QList<SupheliKayit>& kayitlar) {
        QStringList tablolar;
        QString tablo;
        qsizetype tablodaki = 0;
        for (const SupheliKayit& k : kayitlar) {
            if (k.tablo != tablo) {
                tablo = k.tablo;
                tablodaki = 0;
                tablolar << QStringLiteral("%1 %2").arg(tablo).arg(k.kimlik);
            } else if (++tablodaki < listelenenKimlik) {
                tablolar.last() += QStringLiteral(", %1").arg(k.kimlik);
            } else if (tablodaki == listelenenKimlik) {
                tablolar.last() += QStringLiteral(" …");
            }
        }
        return QStringLiteral("%1 kayıt %2: %3.")
            .arg(QLocale().toString(kayitlar.size()), ne, tablolar.join(QStringLiteral("; ")));
    };
    QStringList satirlar;
    if (!rapor.sinirDisiTutarlar.isEmpty())
        satirlar << satir(QStringLiteral("sınır dışı tutar taşıyor"), rapor.sinirDisiTutarlar);
    if (!rapor.sinirDisiYillar.isEmpty())
        satirlar << satir(QStringLiteral("1900–2100 dışında bir yıl taşıyor"),
                          rapor.sinirDisiYillar);
    return satirlar;
}

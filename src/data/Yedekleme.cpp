#include "Yedekleme.h"

#include "AcilisDenetimi.h"
#include "Baglanti.h"
#include "DefterTanimi.h"
#include "DosyaBaglantisi.h"
#include "DosyaHatasi.h"
#include "DosyaTasima.h"
#include "Sema.h"
#include "SorguSonucu.h"
#include "Takvim.h"
#include "VeriHatasi.h"
#include "VeriYeri.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>

#include <sys/stat.h>
#include <unistd.h>

namespace
{

constexpr qsizetype enYeniler = 10;
constexpr int aylar = 12;
// A half-written backup, left by a program that was stopped while writing it, is deleted after:
constexpr qint64 yarimKalmaSuresi = 3600;

const QString adBicimi = QStringLiteral("yyyy-MM-dd-HHmm");
const QString geciciAd = QStringLiteral(".yedek-");

[[noreturn]] void reddet(const QString& metin)
{
    throw VeriHatasi(QString(), metin);
}

// Backups stay in a real folder of the user's own: never where a symbolic link leads, never in a
// folder someone else owns and could fill with files of their choosing.
std::optional<QString> klasorSorunu(const QString& klasor)
{
    const QString ad = QDir::toNativeSeparators(klasor);
    struct stat bilgi {
    };
    if (::lstat(QFile::encodeName(klasor).constData(), &bilgi) != 0)
        return QStringLiteral("%1 klasörü okunamadı: %2")
            .arg(ad, DosyaHatasi::sistemNedeni(errno));
    if (S_ISLNK(bilgi.st_mode))
        return QStringLiteral("%1 sembolik bir bağlantı; yedekler yalnızca gerçek bir klasöre "
                              "alınır.")
            .arg(ad);
    if (!S_ISDIR(bilgi.st_mode))
        return QStringLiteral("%1 bir klasör değil.").arg(ad);
    if (bilgi.st_uid != ::geteuid())
        return QStringLiteral("%1 klasörü başka bir kullanıcıya ait; yedekler yalnızca sizin "
                              "klasörünüze alınır.")
            .arg(ad);
    return std::nullopt;
}

void klasoruHazirla(const QString& klasor)
{
    if (::mkdir(QFile::encodeName(klasor).constData(), 0700) != 0 && errno != EEXIST)
        reddet(QStringLiteral("%1 klasörü oluşturulamadı: %2")
                   .arg(QDir::toNativeSeparators(klasor), DosyaHatasi::sistemNedeni(errno)));
    if (const auto sorun = klasorSorunu(klasor))
        reddet(*sorun);
}

// A closed file copied byte for byte under a temporary name in `klasor`, made to last, with the
// permissions of `izinler`; the copy's path, which the caller renames.
QString diskeKopyala(const QString& kaynak, const QString& klasor, const QString& izinler)
{
    QTemporaryFile gecici(QDir(klasor).filePath(geciciAd + QStringLiteral("XXXXXX")));
    QFile okunan(kaynak);
    if (!gecici.open() || !okunan.open(QIODevice::ReadOnly))
        reddet(QStringLiteral("%1 kopyalanamadı: %2")
                   .arg(QDir::toNativeSeparators(kaynak),
                        DosyaHatasi::neden(gecici.isOpen() ? static_cast<QFileDevice&>(okunan)
                                                           : gecici)));
    while (!okunan.atEnd()) {
        const QByteArray parca = okunan.read(1 << 20);
        if (parca.isEmpty() || gecici.write(parca) != parca.size())
            reddet(QStringLiteral("%1 kopyalanamadı: %2")
                       .arg(QDir::toNativeSeparators(kaynak), DosyaHatasi::neden(gecici)));
    }
    gecici.close();
    DosyaTasima::diskeYaz(gecici.fileName());
    DosyaTasima::izinleriAktar(izinler, gecici.fileName());
    gecici.setAutoRemove(false);
    return gecici.fileName();
}

QString onEk()
{
    return QFileInfo(VeriYeri::dosyaAdi).completeBaseName() + u'-';
}

// The minute's name, numbered when a file of that minute is already there.
QString bosAd(const QString& klasor, const QString& adOnEki, const QDateTime& an)
{
    const QString kok = QDir(klasor).filePath(adOnEki + an.toString(adBicimi));
    QString yol = kok + QStringLiteral(".mdb");
    for (int sira = 2; QFileInfo::exists(yol); ++sira)
        yol = kok + QStringLiteral("-%1.mdb").arg(sira);
    return yol;
}

// Written under a temporary name in `klasor` by `yaz` and renamed when whole, so that a
// backup's name always stands for a complete copy.
QString yedekle(const QString& klasor, const std::function<void(const QString& bosDosya)>& yaz,
                const QDateTime& an, const QString& adOnEki)
{
    klasoruHazirla(klasor);
    QTemporaryFile gecici(QDir(klasor).filePath(geciciAd + QStringLiteral("XXXXXX")));
    if (!gecici.open())
        reddet(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(klasor),
                                            DosyaHatasi::neden(gecici)));
    yaz(gecici.fileName());
    DosyaTasima::diskeYaz(gecici.fileName());
    const QString yol = bosAd(klasor, adOnEki, an);
    DosyaTasima::uzerineYazmadan(gecici.fileName(), yol);
    gecici.setAutoRemove(false);
    return yol;
}

// The open budget, wherever it lives.
QString acikButceyiYedekle(const QDateTime& an, const QString& adOnEki = onEk())
{
    Motor& motor = Baglanti::program().motor();
    // A file deleted, moved or replaced since it was opened is copied nowhere.
    Baglanti::program().deyimdenOnce();
    return yedekle(
        Yedekleme::acikButceninKlasoru(),
        [&](const QString& bosDosya) { motor.dosyayaYaz(bosDosya); }, an, adOnEki);
}

void birak(const QString& klasor, const QDateTime& an)
{
    for (const QString& yol : Yedekleme::birakilacaklar(Yedekleme::yedekler(klasor), an))
        QFile::remove(yol);
    for (const QFileInfo& yarim :
         QDir(klasor).entryInfoList({geciciAd + u'*'}, QDir::Files | QDir::Hidden))
        if (yarim.lastModified().secsTo(an) > yarimKalmaSuresi)
            QFile::remove(yarim.filePath());
}

} // namespace

QString Yedekleme::klasor(const QString& dosya)
{
    return QFileInfo(dosya).absoluteDir().filePath(klasorAdi);
}

QString Yedekleme::acikButceninKlasoru()
{
    return klasor(Baglanti::program().motor().yedekYeri());
}

QList<Yedekleme::Yedek> Yedekleme::yedekler(const QString& klasor)
{
    if (klasorSorunu(klasor))
        return {};
    static const QRegularExpression desen(
        QStringLiteral(R"(^%1(\d{4}-\d{2}-\d{2}-\d{4})(?:-(\d+))?\.mdb$)").arg(onEk()));
    QList<std::pair<Yedek, int>> bulunan;
    for (const QFileInfo& bilgi : QDir(klasor).entryInfoList(QDir::Files)) {
        const QRegularExpressionMatch m = desen.match(bilgi.fileName());
        const QDateTime an = QDateTime::fromString(m.captured(1), adBicimi);
        if (m.hasMatch() && an.isValid())
            bulunan.append({{bilgi.filePath(), an, bilgi.size()}, m.captured(2).toInt()});
    }
    std::sort(bulunan.begin(), bulunan.end(), [](const auto& a, const auto& b) {
        return std::pair(a.first.an, a.second) > std::pair(b.first.an, b.second);
    });
    QList<Yedek> sonuc;
    for (const auto& [yedek, sira] : bulunan)
        sonuc << yedek;
    return sonuc;
}

QStringList Yedekleme::birakilacaklar(const QList<Yedek>& yedekler, const QDateTime& an)
{
    const QDate bugun = an.date();
    const QDate ilkAy = QDate(bugun.year(), bugun.month(), 1).addMonths(1 - aylar);
    QSet<int> temsilEdilen;
    QStringList sonuc;
    for (qsizetype i = 0; i < yedekler.size(); ++i) {
        const QDate gun = yedekler[i].an.date();
        const int ay = gun.year() * 12 + gun.month();
        const bool aylik = gun >= ilkAy && !temsilEdilen.contains(ay);
        temsilEdilen.insert(ay);
        if (i >= enYeniler && !aylik)
            sonuc << yedekler[i].yol;
    }
    return sonuc;
}

QString Yedekleme::al(const QDateTime& an)
{
    const QString yol = acikButceyiYedekle(an);
    birak(QFileInfo(yol).absolutePath(), an);
    return yol;
}

QString Yedekleme::dosyayiYedekle(const QString& dosya, const QDateTime& an)
{
    const QString yol = yedekle(
        klasor(dosya),
        [&](const QString& bosDosya) {
            const DosyaBaglantisi kaynak(dosya, DosyaBaglantisi::Kip::SaltOkunur);
            DosyaBaglantisi::bosDosyayaKopyala(bosDosya, kaynak.tutamac());
            DosyaTasima::izinleriAktar(dosya, bosDosya);
        },
        an, onEk());
    birak(QFileInfo(yol).absolutePath(), an);
    return yol;
}

namespace
{

const QString kayitSayisiSorgusu = QStringLiteral("SELECT count(*) FROM %1");
// The months of the newest year with entries; %1 the year field, %2 the month field, %3 the table.
const QString enYeniAylarSorgusu =
    QStringLiteral("SELECT DISTINCT %1, %2 FROM %3 WHERE %1 = (SELECT max(%1) FROM %3)");

// What a budget holds, its statements run by `sorgula`, which hands each row to `satir`.
using Sorgulayici =
    std::function<void(const QString& sql, const std::function<void(const QVariantList&)>& satir)>;

Yedekleme::Icerik icerikOku(const Sorgulayici& sorgula)
{
    Yedekleme::Icerik sonuc;
    std::pair<int, int> enYeni{0, 0}; // year, month
    for (const DefterTanimi* d : {&gelirDefteri(), &giderDefteri()}) {
        sorgula(kayitSayisiSorgusu.arg(d->kayitTablosu), [&](const QVariantList& satir) {
            (d == &gelirDefteri() ? sonuc.gelir : sonuc.gider) = satir.value(0).toLongLong();
        });
        sorgula(enYeniAylarSorgusu.arg(d->yilAlani, d->ayAlani, d->kayitTablosu),
                [&](const QVariantList& satir) {
                    enYeni = std::max(enYeni, {satir.value(0).toInt(),
                                               Takvim::ayNumarasi(satir.value(1).toString())});
                });
    }
    if (enYeni.second > 0)
        sonuc.enYeniDonem =
            Takvim::ayAdlari()[enYeni.second - 1] + u' ' + QString::number(enYeni.first);
    return sonuc;
}

} // namespace

std::pair<qint64, qint64> Yedekleme::kayitSayilari(const QString& yedek)
{
    const DosyaBaglantisi baglanti(yedek, DosyaBaglantisi::Kip::SaltOkunur);
    qint64 sayilar[2] = {};
    for (const DefterTanimi* d : {&gelirDefteri(), &giderDefteri()}) {
        QSqlQuery sorgu(baglanti.db());
        if (!sorgu.exec(kayitSayisiSorgusu.arg(d->kayitTablosu)) || !sorgu.next())
            throw VeriHatasi(sorgu.lastError());
        sayilar[d == &giderDefteri()] = sorgu.value(0).toLongLong();
    }
    return {sayilar[0], sayilar[1]};
}

Yedekleme::Icerik Yedekleme::icerik(const QString& dosya)
{
    const DosyaBaglantisi baglanti(dosya, DosyaBaglantisi::Kip::SaltOkunur);
    return icerikOku([&](const QString& sql, const auto& satir) {
        QSqlQuery sorgu(baglanti.db());
        if (!sorgu.exec(sql))
            throw VeriHatasi(sorgu.lastError());
        while (sorgu.next())
            satir({sorgu.value(0), sorgu.value(1)});
    });
}

Yedekleme::Icerik Yedekleme::acikButceninIcerigi()
{
    return icerikOku([](const QString& sql, const auto& satir) {
        SorguSonucu sorgu(sql);
        while (sorgu.sonraki())
            satir({sorgu.alan(0), sorgu.alan(1)});
    });
}

void Yedekleme::geriYukle(const QString& yedek, const QDateTime& an, bool bozukDosya)
{
    {
        const DosyaBaglantisi kaynak(yedek, DosyaBaglantisi::Kip::SaltOkunur);
        if (const auto sorun = Sema::denetimSorunu(kaynak.db()))
            reddet(QStringLiteral("Bu yedek denetimden geçemedi; geri yüklenmedi, hiçbir şey "
                                  "değiştirilmedi.\n\n%1")
                       .arg(*sorun));
    }
    QString oncesi;
    try {
        oncesi = acikButceyiYedekle(an, bozukDosya ? onEk() + bozukOnEki : onEk());
    } catch (const VeriHatasi& h) {
        reddet(QStringLiteral("Şu anki dosya yedeklenemediği için geri yükleme yapılmadı.\n\n%1")
                   .arg(h.aciklama()));
    }
    Baglanti::program().motor().yedektenYukle(yedek, oncesi);
    AcilisDenetimi::saglamSay();
    birak(acikButceninKlasoru(), an);
}

std::optional<Yedekleme::Yedek> Yedekleme::saglamEnYeni(const QString& klasor)
{
    for (const Yedek& yedek : yedekler(klasor)) {
        try {
            const DosyaBaglantisi baglanti(yedek.yol, DosyaBaglantisi::Kip::SaltOkunur);
            if (!Sema::denetimSorunu(baglanti.db()))
                return yedek;
        } catch (const VeriHatasi&) {
        }
    }
    return std::nullopt;
}

void Yedekleme::acilmayanaGeriYukle(const QString& dosya, const QString& yedek, const QDateTime& an)
{
    {
        const DosyaBaglantisi kaynak(yedek, DosyaBaglantisi::Kip::SaltOkunur);
        if (const auto sorun = Sema::denetimSorunu(kaynak.db()))
            reddet(QStringLiteral("Bu yedek denetimden geçemedi; geri yüklenmedi, hiçbir şey "
                                  "değiştirilmedi.\n\n%1")
                       .arg(*sorun));
    }
    const QString yedekKlasoru = klasor(dosya);
    klasoruHazirla(yedekKlasoru);
    const QString yerine = diskeKopyala(yedek, QFileInfo(dosya).absolutePath(), dosya);
    try {
        const QString bozuk = bosAd(yedekKlasoru, onEk() + bozukOnEki, an);
        DosyaTasima::uzerineYazmadan(diskeKopyala(dosya, yedekKlasoru, dosya), bozuk);
        // A journal left beside the damaged file would be played back into the backup's copy.
        for (const char* ek : {"-journal", "-wal", "-shm"})
            if (QFileInfo::exists(dosya + QLatin1String(ek)))
                DosyaTasima::uzerineYazmadan(dosya + QLatin1String(ek), bozuk + QLatin1String(ek));
        DosyaTasima::yerineKoy(yerine, dosya);
    } catch (const VeriHatasi&) {
        QFile::remove(yerine);
        throw;
    }
}

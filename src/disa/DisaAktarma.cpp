#include "DisaAktarma.h"

#include "BankaHareketleri.h"
#include "CsvYazici.h"
#include "DefterTanimi.h"
#include "DosyaHatasi.h"
#include "Takvim.h"
#include "TurkceMetin.h"
#include "Tutar.h"
#include "VeriHatasi.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QSet>
#include <QTemporaryFile>

#include <algorithm>

namespace
{

// Each distinct text's place in the Turkish alphabetical order, so that sorting many rows compares
// numbers.
QHash<QString, int> alfabetikSiralar(const QSet<QString>& metinler)
{
    QStringList sirali(metinler.begin(), metinler.end());
    TurkceMetin::alfabetikSirala(sirali);
    QHash<QString, int> siralar;
    siralar.reserve(sirali.size());
    for (int i = 0; i < sirali.size(); ++i)
        siralar.insert(sirali[i], i);
    return siralar;
}

struct Sira {
    int yil = 0;
    int ay = 0;
    int anaGrup = 0;
    int altGrup = 0;
    qint64 kimlik = 0;
    size_t kayit = 0;
    auto operator<=>(const Sira&) const = default;
};

// By year, calendar month (texts that name no month after December), main group and sub-group in
// Turkish alphabetical order, then Kimlik.
std::vector<ButceVerisi::Kayit> disaAktarimSirasiyla(std::vector<ButceVerisi::Kayit> kayitlar)
{
    QSet<QString> anaGruplar, altGruplar, aylar;
    for (const ButceVerisi::Kayit& k : kayitlar) {
        anaGruplar.insert(k.anaGrup);
        altGruplar.insert(k.altGrup);
        aylar.insert(k.ay);
    }
    const QHash<QString, int> anaSira = alfabetikSiralar(anaGruplar);
    const QHash<QString, int> altSira = alfabetikSiralar(altGruplar);
    QHash<QString, int> ayNumaralari;
    for (const QString& ay : aylar)
        ayNumaralari.insert(ay, Takvim::ayNumarasi(ay) > 0 ? Takvim::ayNumarasi(ay) : 13);
    std::vector<Sira> sira;
    sira.reserve(kayitlar.size());
    for (size_t i = 0; i < kayitlar.size(); ++i) {
        const ButceVerisi::Kayit& k = kayitlar[i];
        sira.push_back({k.yil, ayNumaralari.value(k.ay), anaSira.value(k.anaGrup),
                        altSira.value(k.altGrup), k.kimlik, i});
    }
    std::sort(sira.begin(), sira.end());
    std::vector<ButceVerisi::Kayit> sirali;
    sirali.reserve(kayitlar.size());
    for (const Sira& s : sira)
        sirali.push_back(std::move(kayitlar[s.kayit]));
    return sirali;
}

VeriHatasi yazilamadi(const QString& yol, QFileDevice::FileError hata)
{
    return VeriHatasi(QString(), DisaAktarma::yazmaHatasi(yol, hata));
}

VeriHatasi yazilamadi(const QString& yol, const QFileDevice& dosya)
{
    return yazilamadi(yol, dosya.error());
}

using Tur = TabloYazici::Tur;

const QList<TabloYazici::Sutun> kayitSutunlari{
    {QStringLiteral("Kimlik"), Tur::Tamsayi},   {QStringLiteral("Ana Grup"), Tur::Metin},
    {QStringLiteral("Alt Grup"), Tur::Metin},   {QStringLiteral("Yıl"), Tur::Tamsayi},
    {QStringLiteral("Ay"), Tur::Metin},         {QStringLiteral("Tahmin"), Tur::Tutar},
    {QStringLiteral("Gerçekleşen"), Tur::Tutar}, {QStringLiteral("Oran"), Tur::Oran}};

// The estimate, the realised amount and their ratio, ending the row.
void tutarlariYaz(TabloYazici& tablo, std::optional<qint64> tahmin,
                  std::optional<qint64> gerceklesen)
{
    tablo.tutar(tahmin).tutar(gerceklesen).oran(Tutar::oran(gerceklesen, tahmin));
    tablo.satirSonu();
}

// The workbook is made in a file of its own, the library's only way, and copied into place.
void kitabiYaz(const QString& yol, QIODevice& hedef, const DisaAktarma::Belge& belge,
               const std::function<void(TabloYazici&)>& yaz)
{
    QTemporaryFile gecici(QDir::temp().filePath(QStringLiteral("morvane-XXXXXX.xlsx")));
    if (!gecici.open())
        throw yazilamadi(yol, gecici);
    try {
        CalismaKitabiYazici kitap(gecici.fileName(), belge);
        yaz(kitap);
        kitap.bitir();
    } catch (const CalismaKitabiYazici::Hata&) {
        // The library's reason is in English and names its temporary file, not the user's.
        throw yazilamadi(yol, QFileDevice::WriteError);
    }
    QByteArray parca;
    while (!(parca = gecici.read(1 << 20)).isEmpty())
        if (hedef.write(parca) != parca.size())
            throw yazilamadi(yol, QFileDevice::WriteError);
}

} // namespace

void DisaAktarma::dosyayaYaz(const QString& yol, const std::function<void(QIODevice&)>& yaz)
{
    QSaveFile dosya(yol);
    if (!dosya.open(QIODevice::WriteOnly))
        throw yazilamadi(yol, dosya);
    // Leaving without commit() removes the temporary file.
    try {
        yaz(dosya);
    } catch (const VeriHatasi&) {
        if (dosya.error() != QFileDevice::NoError)
            throw yazilamadi(yol, dosya);
        throw;
    }
    if (!dosya.commit())
        throw yazilamadi(yol, dosya);
}

QString DisaAktarma::yazmaHatasi(const QString& yol, QFileDevice::FileError hata)
{
    return QStringLiteral("Dosya yazılamadı: %1.\n%2")
        .arg(DosyaHatasi::neden(yol, hata), QDir::toNativeSeparators(yol));
}

std::optional<DisaAktarma::Bicim> DisaAktarma::bicimi(const QString& yol)
{
    const QString uzanti = QFileInfo(yol).suffix().toLower();
    if (uzanti == u"xlsx")
        return Bicim::Xlsx;
    if (uzanti == u"csv")
        return Bicim::Csv;
    return std::nullopt;
}

QStringList DisaAktarma::tabloTurleri()
{
    return {QStringLiteral("Excel Çalışma Kitabı (*.xlsx)"),
            QStringLiteral("CSV (noktalı virgülle ayrılmış) (*.csv)")};
}

void DisaAktarma::tabloYaz(const QString& yol, const Belge& belge,
                           const std::function<void(TabloYazici&)>& yaz, std::optional<Bicim> bicim)
{
    dosyayaYaz(yol, [&](QIODevice& dosya) {
        if (bicim.value_or(bicimi(yol).value_or(Bicim::Csv)) == Bicim::Xlsx) {
            kitabiYaz(yol, dosya, belge, yaz);
            return;
        }
        CsvYazici csv(dosya);
        yaz(csv);
        csv.bitir();
    });
}

namespace
{

void hareketleriYaz(TabloYazici& tablo)
{
    tablo.tabloAc(QStringLiteral("Hareketler"),
                  {{QStringLiteral("Tarih"), Tur::Metin},
                   {QStringLiteral("Açıklama"), Tur::Metin},
                   {QStringLiteral("Tutar"), Tur::Tutar},
                   {QStringLiteral("Defter"), Tur::Metin},
                   {QStringLiteral("Ana Grup"), Tur::Metin},
                   {QStringLiteral("Alt Grup"), Tur::Metin},
                   {QStringLiteral("Yıl"), Tur::Tamsayi},
                   {QStringLiteral("Ay"), Tur::Metin},
                   {QStringLiteral("Dosya"), Tur::Metin},
                   {QStringLiteral("Satır"), Tur::Tamsayi}});
    for (const BankaHareketleri::KayitliHareket& h : BankaHareketleri::hepsi()) {
        tablo.metin(h.tarih.toString(QStringLiteral("dd.MM.yyyy")))
            .metin(h.aciklama)
            .tutar(h.tutarKurus)
            .metin(h.defter.isEmpty() ? QStringLiteral("Yok say") : h.defter)
            .metin(h.anaGrup)
            .metin(h.altGrup);
        if (h.yil)
            tablo.tamsayi(h.yil);
        else
            tablo.metin({});
        tablo.metin(h.ay).metin(h.dosya).tamsayi(h.kaynakNo);
        tablo.satirSonu();
    }
}

} // namespace

qint64 DisaAktarma::tumKayitlariYaz(TabloYazici& tablo, bool hareketlerle)
{
    const bool sayfali = tablo.sayfaliMi();
    if (!sayfali)
        tablo.tabloAc(QStringLiteral("Tüm Kayıtlar"),
                      QList<TabloYazici::Sutun>{{QStringLiteral("Defter"), Tur::Metin}} +
                          kayitSutunlari);
    qint64 sayi = 0;
    for (const DefterTanimi* defter : {&gelirDefteri(), &giderDefteri()}) {
        if (sayfali)
            tablo.tabloAc(defter->cerceveBasligi, kayitSutunlari);
        for (const ButceVerisi::Kayit& k :
             disaAktarimSirasiyla(ButceVerisi::tumKayitlar(*defter))) {
            if (!sayfali)
                tablo.metin(defter->ad);
            tablo.tamsayi(k.kimlik).metin(k.anaGrup).metin(k.altGrup).tamsayi(k.yil).metin(k.ay);
            tutarlariYaz(tablo, k.tahminKurus, k.gerceklesenKurus);
            ++sayi;
        }
    }
    if (hareketlerle && sayfali)
        hareketleriYaz(tablo);
    return sayi;
}

qint64 DisaAktarma::tumKayitlariKaydet(const QString& yol, std::optional<Bicim> bicim,
                                       bool hareketlerle)
{
    qint64 sayi = 0;
    tabloYaz(
        yol, {QStringLiteral("Tüm Kayıtlar"), QStringLiteral("Gelir ve gider kayıtları")},
        [&](TabloYazici& tablo) { sayi = tumKayitlariYaz(tablo, hareketlerle); }, bicim);
    return sayi;
}

void DisaAktarma::kayitListesiniYaz(TabloYazici& tablo, const DefterTanimi& defter,
                                    const std::vector<ButceVerisi::Kayit>& kayitlar)
{
    QList<TabloYazici::Sutun> sutunlar = kayitSutunlari;
    sutunlar.removeAt(3); // the list is of one year
    tablo.tabloAc(defter.cerceveBasligi, sutunlar);
    Tutar::Toplam t;
    for (const ButceVerisi::Kayit& k : kayitlar) {
        tablo.tamsayi(k.kimlik).metin(k.anaGrup).metin(k.altGrup).metin(k.ay);
        tutarlariYaz(tablo, k.tahminKurus, k.gerceklesenKurus);
        const qint64 tahmin = k.tahminKurus.value_or(0);
        Tutar::ekle(t, {.tahminKurus = tahmin,
                        .gerceklesenKurus = k.gerceklesenKurus.value_or(0),
                        .gerceklesenlerinTahmini = k.gerceklesenKurus ? tahmin : 0,
                        .gerceklesenSayisi = k.gerceklesenKurus ? 1 : 0});
    }
    tablo.toplam().metin(QStringLiteral("TOPLAM")).metin({}).metin({}).metin({});
    tablo.tutar(t.tahminKurus)
        .tutar(t.gerceklesenKurus)
        .oran(Tutar::toplamOrani(t.gerceklesenKurus, t.gerceklesenlerinTahmini,
                                 t.gerceklesenSayisi));
    tablo.satirSonu();
}

QString DisaAktarma::dosyaAdi(const QStringList& parcalar, const QString& uzanti)
{
    static const QString turkce = QStringLiteral("ıİşŞğĞçÇöÖüÜ");
    static const QString ascii = QStringLiteral("iIsSgGcCoOuU");
    QString ad = (QStringList{QStringLiteral("Morvane")} + parcalar).join(u'-');
    for (QChar& c : ad) {
        const qsizetype yer = turkce.indexOf(c);
        if (yer >= 0)
            c = ascii[yer];
        else if (c == u' ')
            c = u'-';
    }
    return ad + u'.' + uzanti;
}

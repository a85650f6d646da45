#include "DisaAktarma.h"

#include "CsvYazici.h"
#include "Takvim.h"
#include "TurkceMetin.h"
#include "Tutar.h"
#include "VeriHatasi.h"

#include <QDir>
#include <QHash>
#include <QSaveFile>
#include <QSet>

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

QString neden(const QFileDevice& dosya)
{
    switch (dosya.error()) {
    case QFileDevice::ResourceError:
        return QStringLiteral("Diskte yeterli yer yok.");
    case QFileDevice::OpenError:
    case QFileDevice::PermissionsError:
        return QStringLiteral("Dosya bu klasörde oluşturulamadı.");
    default:
        return QStringLiteral("Dosyaya yazılamadı.");
    }
}

VeriHatasi yazilamadi(const QString& yol, const QFileDevice& dosya)
{
    return VeriHatasi(QString(),
                      QStringLiteral("%1 kaydedilemedi. %2\n(%3)")
                          .arg(QDir::toNativeSeparators(yol), neden(dosya), dosya.errorString()));
}

void basliklariYaz(CsvYazici& csv, std::initializer_list<const char*> basliklar)
{
    for (const char* baslik : basliklar)
        csv.metin(QString::fromUtf8(baslik));
    csv.satirSonu();
}

// The estimate, the realised amount and their ratio, ending the row.
void tutarlariYaz(CsvYazici& csv, std::optional<qint64> tahmin, std::optional<qint64> gerceklesen)
{
    csv.tutar(tahmin).tutar(gerceklesen).oran(Tutar::oran(gerceklesen, tahmin));
    csv.satirSonu();
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

void DisaAktarma::csvYaz(const QString& yol, const std::function<void(CsvYazici&)>& yaz)
{
    dosyayaYaz(yol, [&](QIODevice& dosya) {
        CsvYazici csv(dosya);
        yaz(csv);
        csv.bitir();
    });
}

qint64 DisaAktarma::tumKayitlariYaz(CsvYazici& csv)
{
    basliklariYaz(csv, {"Defter", "Kimlik", "Ana Grup", "Alt Grup", "Yıl", "Ay", "Tahmin",
                        "Gerçekleşen", "Oran"});
    qint64 sayi = 0;
    for (const DefterTanimi* defter : {&gelirDefteri(), &giderDefteri()}) {
        for (const ButceVerisi::Kayit& k :
             disaAktarimSirasiyla(ButceVerisi::tumKayitlar(*defter))) {
            csv.metin(defter->ad).sayi(k.kimlik).metin(k.anaGrup).metin(k.altGrup).sayi(k.yil);
            csv.metin(k.ay);
            tutarlariYaz(csv, k.tahminKurus, k.gerceklesenKurus);
            ++sayi;
        }
    }
    return sayi;
}

void DisaAktarma::kayitListesiniYaz(CsvYazici& csv, const std::vector<ButceVerisi::Kayit>& kayitlar)
{
    basliklariYaz(csv, {"Kimlik", "Ana Grup", "Alt Grup", "Ay", "Tahmin", "Gerçekleşen", "Oran"});
    qint64 tahminToplami = 0, gerceklesenToplami = 0;
    for (const ButceVerisi::Kayit& k : kayitlar) {
        csv.sayi(k.kimlik).metin(k.anaGrup).metin(k.altGrup).metin(k.ay);
        tutarlariYaz(csv, k.tahminKurus, k.gerceklesenKurus);
        tahminToplami = Tutar::topla(tahminToplami, k.tahminKurus.value_or(0));
        gerceklesenToplami = Tutar::topla(gerceklesenToplami, k.gerceklesenKurus.value_or(0));
    }
    csv.metin(QStringLiteral("TOPLAM")).metin({}).metin({}).metin({});
    tutarlariYaz(csv, tahminToplami, gerceklesenToplami);
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

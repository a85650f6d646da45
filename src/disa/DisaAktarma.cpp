#include "DisaAktarma.h"

#include "CsvYazici.h"
#include "Tutar.h"
#include "VeriHatasi.h"

#include <QDir>
#include <QSaveFile>

namespace
{

std::optional<qint64> kurus(std::optional<double> tutar)
{
    return tutar ? Tutar::kurus(*tutar) : std::nullopt;
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
    csv.tutar(tahmin).tutar(gerceklesen).oran(DisaAktarma::oran(gerceklesen, tahmin));
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
        for (const ButceVerisi::Kayit& k : ButceVerisi::tumKayitlar(*defter)) {
            csv.metin(defter->ad).sayi(k.kimlik).metin(k.anaGrup).metin(k.altGrup).sayi(k.yil);
            csv.metin(k.ay);
            tutarlariYaz(csv, kurus(k.tahmin), kurus(k.gerceklesen));
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
        const std::optional<qint64> tahmin = kurus(k.tahmin);
        const std::optional<qint64> gerceklesen = kurus(k.gerceklesen);
        csv.sayi(k.kimlik).metin(k.anaGrup).metin(k.altGrup).metin(k.ay);
        tutarlariYaz(csv, tahmin, gerceklesen);
        tahminToplami = Tutar::topla(tahminToplami, tahmin.value_or(0));
        gerceklesenToplami = Tutar::topla(gerceklesenToplami, gerceklesen.value_or(0));
    }
    csv.metin(QStringLiteral("TOPLAM")).metin({}).metin({}).metin({});
    tutarlariYaz(csv, tahminToplami, gerceklesenToplami);
}

std::optional<double> DisaAktarma::oran(std::optional<qint64> gerceklesenKurus,
                                        std::optional<qint64> tahminKurus)
{
    if (!gerceklesenKurus || !tahminKurus || *tahminKurus == 0)
        return std::nullopt;
    return double(*gerceklesenKurus) / double(*tahminKurus) * 100.0;
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

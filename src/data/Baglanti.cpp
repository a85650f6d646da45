#include "Baglanti.h"

#include "ButceKopyasi.h"
#include "SunucuMotoru.h"

#include <sqlite3.h>

Baglanti& Baglanti::program()
{
    // Never destroyed: the windows and the engines' Qt connections may outlive static data.
    static Baglanti* const baglanti = new Baglanti;
    return *baglanti;
}

void Baglanti::tak(std::unique_ptr<Motor> motor)
{
    kapat();
    motor_ = std::move(motor);
}

std::optional<Acilamama> Baglanti::dosyayiAc(const QString& yol)
{
    kapat();
    DosyaMotoru::Acilis acilis = DosyaMotoru::ac(yol, true);
    if (!acilis.motor)
        return acilis.hata;
    tak(std::move(acilis.motor));
    return std::nullopt;
}

std::optional<QString> Baglanti::ac(const QString& yol)
{
    if (auto hata = dosyayiAc(yol))
        return hata->metin;
    return std::nullopt;
}

std::optional<QString> Baglanti::semasizAc(const QString& yol)
{
    kapat();
    DosyaMotoru::Acilis acilis = DosyaMotoru::ac(yol, false);
    if (!acilis.motor)
        return acilis.hata.metin;
    tak(std::move(acilis.motor));
    return std::nullopt;
}

std::optional<QString> Baglanti::sunucuyaBaglan(const SunucuAdresi& adres)
{
    kapat();
    SunucuMotoru::Acilis acilis = SunucuMotoru::ac(adres, olaylar_);
    if (!acilis.motor)
        return acilis.hata;
    tak(std::move(acilis.motor));
    return std::nullopt;
}

std::optional<QString> Baglanti::sunucuyaTasi(const SunucuAdresi& adres)
{
    SunucuMotoru::Acilis acilis = SunucuMotoru::ac(adres, olaylar_);
    if (!acilis.motor)
        return acilis.hata;
    try {
        const ButceKopyasi::Taraf kaynak{db(), lehce()};
        const ButceKopyasi::Taraf hedef{acilis.motor->db(), acilis.motor->lehce()};
        // Nothing the file holds may change while it is read.
        ButceKopyasi::okurken(kaynak, [&] {
            ButceKopyasi::islemle(hedef, [&] { ButceKopyasi::kopyala(kaynak, hedef); });
        });
    } catch (const VeriHatasi& h) {
        return h.aciklama();
    }
    tak(std::move(acilis.motor));
    return std::nullopt;
}

void Baglanti::kapat()
{
    for (const auto& is : std::exchange(kapanirken, {}))
        is();
    motor_.reset();
}

Motor& Baglanti::motor() const
{
    if (!motor_)
        throw VeriHatasi(QString(), QStringLiteral("Açık bir bütçe yok."));
    return *motor_;
}

QSqlDatabase Baglanti::db() const
{
    return motor_ ? motor_->db() : QSqlDatabase();
}

void Baglanti::yazmadanOnce()
{
    deyimdenOnce();
    for (YazmaOncesi* kanca : kancalar)
        if (kanca)
            kanca->is();
}

QString Baglanti::sqliteSurumu()
{
    return QString::fromLatin1(sqlite3_libversion());
}

YazmaOncesi::YazmaOncesi(Sira yeri, std::function<void()> yapilacak)
    : sira(yeri), is(std::move(yapilacak))
{
    Baglanti::program().kancalar[size_t(sira)] = this;
}

YazmaOncesi::~YazmaOncesi()
{
    YazmaOncesi*& yer = Baglanti::program().kancalar[size_t(sira)];
    if (yer == this)
        yer = nullptr;
}

#include "OrtakButceKomutlari.h"

#include "Baglanti.h"
#include "Baslangic.h"
#include "Bicim.h"
#include "KaydetmeYeri.h"
#include "MesajKutusu.h"
#include "OrtakButce.h"
#include "OrtakButceFormu.h"
#include "VeriHatasi.h"
#include "VeriYeri.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace
{

QString yerelDosya;

// When the program last left the file for a shared budget.
const QString birakilmaAni = QStringLiteral("OrtakButce/DosyaBirakildi");

// The address the user gives, with the password kept when asked for; none when cancelled.
std::optional<SunucuAdresi> sor(QWidget* sahibi, const QString& baslik)
{
    QSettings a(QStringLiteral("Morvane"), QStringLiteral("Morvane"));
    OrtakButceFormu form(baslik, OrtakButceFormu::sonAdres(a), sahibi);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    if (!form.sifre().isEmpty())
        if (const auto hata = OrtakButce::sifreyiKaydet(form.adres(), form.sifre())) {
            MesajKutusu::hata(sahibi, *hata);
            return std::nullopt;
        }
    return form.adres();
}

void ac(const std::optional<SunucuAdresi>& adres)
{
    QSettings a(QStringLiteral("Morvane"), QStringLiteral("Morvane"));
    if (adres && !Baglanti::program().dosyaYolu().isEmpty())
        a.setValue(birakilmaAni, QDateTime::currentDateTime());
    OrtakButceFormu::sec(a, adres);
    QCoreApplication::exit(Baslangic::yenidenAcilis);
}

// What "Yerel Dosyaya Dön" tells before it asks.
QString donusSorusu(const QString& dosya)
{
    const QString yol = QDir::toNativeSeparators(dosya);
    if (!QFileInfo::exists(dosya))
        return QStringLiteral("Yerel dosya henüz yok: %1\n\n«Ortak bütçeyi bu dosyaya geri taşı» "
                              "ortak bütçenin bütün kayıtlarıyla bu dosyayı oluşturur. Ortak bütçe "
                              "sunucuda olduğu gibi kalır.")
            .arg(yol);
    QSettings a(QStringLiteral("Morvane"), QStringLiteral("Morvane"));
    const QDateTime kayitli = a.value(birakilmaAni).toDateTime();
    const QDateTime son = kayitli.isValid() ? kayitli : QFileInfo(dosya).lastModified();
    return QStringLiteral("Yerel dosya: %1\nBütçe olarak en son kullanıldığı an: %2. Ortak bütçeye "
                          "o andan sonra yazılanlar bu dosyada yok.\n\n«Ortak bütçeyi bu dosyaya "
                          "geri taşı» önce dosyanın bir yedeğini alır, sonra ortak bütçenin bütün "
                          "kayıtlarını dosyaya yazar. «Dosyayı olduğu gibi aç» dosyayı bugünkü "
                          "hâliyle açar. Ortak bütçe sunucuda olduğu gibi kalır.")
        .arg(yol, Bicim::tarihSaat(son));
}

} // namespace

void OrtakButceKomutlari::yerelDosyayiBildir(const QString& dosya)
{
    yerelDosya = dosya;
}

void OrtakButceKomutlari::baglan(QWidget* sahibi)
{
    if (const auto adres = sor(sahibi, QStringLiteral("Ortak Bütçeye Bağlan")))
        ac(adres);
}

// The file's rows go to the server in one transaction; on any failure the file stays open as it
// was.
void OrtakButceKomutlari::dosyadanTasi(QWidget* sahibi)
{
    const auto adres = sor(sahibi, QStringLiteral("Bu Bütçeyi Ortak Bütçeye Taşı"));
    if (!adres)
        return;
    if (const auto hata = Baglanti::program().sunucuyaTasi(*adres)) {
        MesajKutusu::hata(sahibi, *hata + QStringLiteral("\n\nBütçe taşınmadı; dosya açık kaldı."));
        return;
    }
    QSettings(QStringLiteral("Morvane"), QStringLiteral("Morvane"))
        .setValue(birakilmaAni, QDateTime::currentDateTime());
    MesajKutusu::bilgi(sahibi, QStringLiteral("Bütçe ortak bütçeye taşındı: %1\nDosya yerinde "
                                              "duruyor; bundan sonra ortak bütçe açılır.")
                                   .arg(adres->ad()));
    ac(adres);
}

void OrtakButceKomutlari::dosyayaKaydet(QWidget* sahibi)
{
    const auto yol =
        KaydetmeYeri::sor(sahibi, QStringLiteral("Ortak Bütçeyi Dosyaya Kaydet"),
                          VeriYeri::dosyaAdi, {QStringLiteral("Bütçe dosyaları (*.mdb)")});
    if (!yol)
        return;
    if (MesajKutusu::hatalariGostererek(sahibi, [&] { OrtakButce::dosyayaKaydet(*yol); }))
        MesajKutusu::bilgi(sahibi, QStringLiteral("Ortak bütçe dosyaya kaydedildi: %1").arg(*yol));
}

void OrtakButceKomutlari::yereleDon(QWidget* sahibi)
{
    yereleDon(sahibi, yerelDosya);
}

void OrtakButceKomutlari::yereleDon(QWidget* sahibi, const QString& dosya)
{
    const int secim =
        MesajKutusu::sec(sahibi, MesajKutusu::Simge::Soru, donusSorusu(dosya),
                         {QStringLiteral("Ortak bütçeyi bu dosyaya geri taşı"),
                          QStringLiteral("Dosyayı olduğu gibi aç"), QStringLiteral("Vazgeç")});
    if (secim == 0) {
        if (!MesajKutusu::hatalariGostererek(
                sahibi, [&] { OrtakButce::dosyayaGeriTasi(dosya, QDateTime::currentDateTime()); }))
            return;
        MesajKutusu::bilgi(sahibi, QStringLiteral("Ortak bütçe dosyaya geri taşındı: %1\nDosyanın "
                                                  "önceki hâli Yedekler klasöründe; ortak bütçe "
                                                  "sunucuda olduğu gibi duruyor.")
                                       .arg(QDir::toNativeSeparators(dosya)));
    } else if (secim != 1) {
        return;
    }
    ac(std::nullopt);
}

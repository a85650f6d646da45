#include "OrtakButceKomutlari.h"

#include "Baslangic.h"
#include "DegiskenModulu.h"
#include "KaydetmeYeri.h"
#include "MesajKutusu.h"
#include "OrtakButceFormu.h"
#include "VeriHatasi.h"

#include <QCoreApplication>
#include <QSettings>

namespace
{

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
    OrtakButceFormu::sec(a, adres);
    QCoreApplication::exit(Baslangic::yenidenAcilis);
}

} // namespace

void OrtakButceKomutlari::baglan(QWidget* sahibi)
{
    if (const auto adres = sor(sahibi, QStringLiteral("Ortak Bütçeye Bağlan")))
        ac(adres);
}

// The file's rows go to the server in one transaction; on any failure the file is opened again
// as it was.
void OrtakButceKomutlari::dosyadanTasi(QWidget* sahibi)
{
    const auto adres = sor(sahibi, QStringLiteral("Bu Bütçeyi Ortak Bütçeye Taşı"));
    if (!adres)
        return;
    const QString dosya = DegiskenModulu::dosyaYolu();
    std::optional<QString> hata = OrtakButce::ac(*adres);
    if (!hata)
        try {
            OrtakButce::dosyadanTasi(dosya);
        } catch (const VeriHatasi& h) {
            hata = h.aciklama();
        }
    if (hata) {
        MesajKutusu::hata(sahibi, *hata + QStringLiteral("\n\nBütçe taşınmadı; dosya yeniden açılıyor."));
        ac(std::nullopt);
        return;
    }
    MesajKutusu::bilgi(sahibi, QStringLiteral("Bütçe ortak bütçeye taşındı: %1\nDosya yerinde "
                                              "duruyor; bundan sonra ortak bütçe açılır.")
                                   .arg(adres->ad()));
    ac(adres);
}

void OrtakButceKomutlari::dosyayaKaydet(QWidget* sahibi)
{
    const auto yol = KaydetmeYeri::sor(sahibi, QStringLiteral("Ortak Bütçeyi Dosyaya Kaydet"),
                                       DegiskenModulu::dosyaAdi,
                                       {QStringLiteral("Bütçe dosyaları (*.mdb)")});
    if (!yol)
        return;
    if (MesajKutusu::hatalariGostererek(sahibi, [&] { OrtakButce::dosyayaKaydet(*yol); }))
        MesajKutusu::bilgi(sahibi, QStringLiteral("Ortak bütçe dosyaya kaydedildi: %1").arg(*yol));
}

void OrtakButceKomutlari::yereleDon()
{
    ac(std::nullopt);
}

#include "OrtakButceKomutlari.h"

#include "Baslangic.h"
#include "DegiskenModulu.h"
#include "KaydetmeYeri.h"
#include "Lehce.h"
#include "MesajKutusu.h"
#include "OrtakButceFormu.h"
#include "VeriHatasi.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QSettings>
#include <QSqlDriver>
#include <QStatusBar>

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

void OrtakButceKomutlari::pencereyeEkle(QMainWindow* pencere, QMenu* dosyaMenusu,
                                        const std::function<void()>& yenile)
{
    QAction* yer = dosyaMenusu->actions().at(1);
    const bool ortak = Lehce::sunucuda();
    auto ekle = [&](const QString& ad, bool etkin, auto komut) {
        QAction* eylem = new QAction(ad, dosyaMenusu);
        eylem->setEnabled(etkin);
        QObject::connect(eylem, &QAction::triggered, pencere, komut);
        dosyaMenusu->insertAction(yer, eylem);
    };
    ekle(QStringLiteral("Ortak Bütçeye Bağlan…"), true, [pencere] { baglan(pencere); });
    ekle(QStringLiteral("Bu Bütçeyi Ortak Bütçeye Taşı…"), !ortak,
         [pencere] { dosyadanTasi(pencere); });
    ekle(QStringLiteral("Ortak Bütçeyi Dosyaya Kaydet…"), ortak,
         [pencere] { dosyayaKaydet(pencere); });
    ekle(QStringLiteral("Yerel Dosyaya Dön"), ortak, [] { yereleDon(); });
    dosyaMenusu->insertSeparator(yer);
    if (!ortak)
        return;
    const QString ad = QStringLiteral("Ortak bütçe: %1").arg(OrtakButce::acikButce());
    pencere->setWindowTitle(pencere->windowTitle() + QStringLiteral(" - ") + ad);
    auto* etiket = new QLabel(ad, pencere);
    etiket->setObjectName(QStringLiteral("OrtakBütçeEtiketi"));
    pencere->statusBar()->addPermanentWidget(etiket);
    if (const QSqlDriver* surucu = DegiskenModulu::VeriTabani().driver())
        QObject::connect(surucu, &QSqlDriver::notification, pencere,
                         [yenile](const QString&, QSqlDriver::NotificationSource kaynak) {
                             if (kaynak == QSqlDriver::OtherSource)
                                 yenile();
                         });
}

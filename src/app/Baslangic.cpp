#include "Baslangic.h"

#include "AcilisDenetimi.h"
#include "Aktarma.h"
#include "AktarmaOnerisi.h"
#include "AnaForm.h"
#include "Baglanti.h"
#include "BozukDosyaOnerisi.h"
#include "Denetim.h"
#include "DerlemeBilgisi.h"
#include "Islem.h"
#include "MesajKutusu.h"
#include "OrtakButceFormu.h"
#include "OrtakButceKomutlari.h"
#include "Sema.h"
#include "VeriYeri.h"
#include "Yedekleme.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QSettings>
#include <QTranslator>

namespace
{

// The desktop matches the windows to the menu entry "morvane.desktop" by this name and by the
// window class, which X11 takes from the program's file name.
void uygulamayiTanit()
{
    QApplication::setApplicationName(QStringLiteral("Morvane"));
    QApplication::setApplicationVersion(QString::fromLatin1(DerlemeBilgisi::surum));
    QGuiApplication::setDesktopFileName(QStringLiteral("morvane"));
}

// Decoding the icon's three sizes took about 6 ms of the first window's start, so the windows get
// it once the first one has been painted (the desktop shows it from then on).
void simgeyiKur()
{
    if (!QApplication::windowIcon().availableSizes().isEmpty())
        return;
    QIcon simge;
    for (const QFileInfo& boyut : QDir(QStringLiteral(":/simge")).entryInfoList())
        simge.addFile(boyut.filePath());
    QApplication::setWindowIcon(simge);
}

QString klasoru(const VeriYeri::Konum& konum)
{
    return QDir::toNativeSeparators(QFileInfo(konum.yol).absolutePath());
}

QString olusturmaSorusu(const VeriYeri::Konum& konum)
{
    const QString soru = QStringLiteral("Morvane için henüz bir bütçe dosyası yok. Boş bir bütçe "
                                        "dosyası oluşturulsun mu?\n\n%1")
                             .arg(QDir::toNativeSeparators(konum.yol));
    if (!konum.kullaniciKlasorunde)
        return QStringLiteral("Varnel.mdb programın klasöründe bulunamadı:\n%1\n\n")
                   .arg(klasoru(konum)) +
               soru;
    return QStringLiteral("Varnel.mdb şu yerlerde arandı, bulunamadı:\n%1\n%2\n\n")
               .arg(QDir::toNativeSeparators(konum.yanindaki),
                    QDir::toNativeSeparators(konum.yol)) +
           soru;
}

// A missing file is created where the program looks for it (beside a portable copy, in the user's
// data folder when installed) when the user agrees; otherwise the user is told what to do. False
// when the program must end.
bool dosyaHazir(const VeriYeri::Konum& konum)
{
    if (QFileInfo::exists(konum.yol))
        return true;
    if (!MesajKutusu::sor(nullptr, olusturmaSorusu(konum))) {
        MesajKutusu::bilgi(
            nullptr, QStringLiteral("Bütçe dosyası oluşturulmadı; Morvane kapanıyor. Bütçenizi "
                                    "açmak için Varnel.mdb dosyanızı şu klasöre koyun ya da "
                                    "Morvane'yi yeniden açıp boş bir bütçe oluşturun:\n%1")
                         .arg(klasoru(konum)));
        return false;
    }
    if (const auto hata = VeriYeri::olustur(konum.yol)) {
        MesajKutusu::hata(nullptr, *hata);
        return false;
    }
    return true;
}

// A file that will not open is reported, unless it is an old budget the user lets import, or a
// damaged one whose newest sound backup the user lets take its place. False when the program
// must end.
bool dosyayiAc(const QString& yol)
{
    const auto hata = Baglanti::program().dosyayiAc(yol);
    if (!hata)
        return true;
    if (hata->neden == Acilamama::Neden::EskiBicim)
        return AktarmaOnerisi::sun(yol, hata->metin);
    return BozukDosyaOnerisi::acilmayaniSun(yol, *hata);
}

// Nothing another program left in the file runs on the program's statements: its triggers and
// views are named and removed only when the user agrees, after a backup, in one transaction; a
// damaged file is offered its backup first. False when the program must end.
bool yabancilariKaldir(const QString& yol)
{
    QStringList adlar;
    if (!MesajKutusu::hatalariGostererek(
            nullptr, [&] { adlar = Sema::yabancilar(Baglanti::program().db()); }))
        return false;
    if (adlar.isEmpty())
        return true;
    if (!BozukDosyaOnerisi::sun(yol))
        return false;
    if (!MesajKutusu::sor(nullptr,
                          QStringLiteral("Dosyada Morvane'nin oluşturmadığı tetikleyiciler var: "
                                         "%1. Kaldırılsın mı? (Önce dosyanın bir kopyası alınır.)")
                              .arg(adlar.join(QStringLiteral(", ")))))
        return false;
    return MesajKutusu::hatalariGostererek(nullptr, [] {
        Yedekleme::al(QDateTime::currentDateTime());
        Islem islem;
        Sema::yabancilariKaldir(Baglanti::program().db());
        islem.onayla();
    });
}

enum class Acilan { Hicbiri, OrtakButce, Dosya };

// The shared budget chosen last, or else the file, whose check is started here, to run once the
// window has been painted.
Acilan butceyiAc(const VeriYeri::Konum& konum)
{
    QSettings ayarlar(QStringLiteral("Morvane"), QStringLiteral("Morvane"));
    if (const auto adres = OrtakButceFormu::secilen(ayarlar)) {
        const auto hata = Baglanti::program().sunucuyaBaglan(*adres);
        if (!hata)
            return Acilan::OrtakButce;
        MesajKutusu::hata(nullptr, *hata + QStringLiteral("\n\nYerel dosya açılıyor."));
    }
    if (!dosyaHazir(konum))
        return Acilan::Hicbiri;
    // An import killed before its end (a power cut, a crash) leaves its half-written file.
    Aktarma::artiklariSil(QFileInfo(konum.yol).absolutePath());
    if (!dosyayiAc(konum.yol))
        return Acilan::Hicbiri;
    AcilisDenetimi::baslat(konum.yol, true);
    return yabancilariKaldir(konum.yol) ? Acilan::Dosya : Acilan::Hicbiri;
}

} // namespace

bool Baslangic::qtCevirisiniYukle()
{
    auto* ceviri = new QTranslator(qApp);
    if (ceviri->load(QStringLiteral("qtbase_tr"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(ceviri))
        return true;
    delete ceviri;
    return false;
}

int Baslangic::calistir(const QString& programKlasoru, QDate bugun)
{
    return calistir(VeriYeri::bul(programKlasoru), bugun);
}

int Baslangic::calistir(const VeriYeri::Konum& konum, QDate bugun)
{
    uygulamayiTanit();
    qtCevirisiniYukle();
    Denetim::gorunumuKur();
    // A writing command that comes before the file's check has ended waits for it.
    AcilisDenetimi::beklemeGostergesi([](bool bekliyor) {
        if (bekliyor)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    });
    OrtakButceKomutlari::yerelDosyayiBildir(konum.yol);
    int sonuc = yenidenAcilis;
    while (sonuc == yenidenAcilis) {
        sonuc = 1;
        const Acilan acilan = butceyiAc(konum);
        if (acilan == Acilan::Hicbiri)
            break;
        AnaForm anaForm(bugun, nullptr, AnaForm::IlkRakamlar::Boyaninca);
        QObject::connect(&anaForm, &AnaForm::ilkBoyamaBitti, [] {
            AcilisDenetimi::surdur();
            simgeyiKur();
        });
        if (acilan == Acilan::Dosya)
            BozukDosyaOnerisi::pencereAcikkenSun(konum.yol, anaForm);
        anaForm.show();
        sonuc = QApplication::exec();
    }
    Baglanti::program().kapat();
    return sonuc;
}

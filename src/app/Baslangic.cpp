#include "Baslangic.h"

#include "Aktarma.h"
#include "AktarmaOnerisi.h"
#include "AnaForm.h"
#include "BozukDosyaOnerisi.h"
#include "DegiskenModulu.h"
#include "Denetim.h"
#include "DerlemeBilgisi.h"
#include "MesajKutusu.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>

namespace
{

// The desktop matches the windows to the menu entry "morvane.desktop" by this name and by the
// window class, which X11 takes from the program's file name.
void uygulamayiTanit()
{
    QApplication::setApplicationName(QStringLiteral("Morvane"));
    QApplication::setApplicationVersion(QString::fromLatin1(DerlemeBilgisi::surum));
    QGuiApplication::setDesktopFileName(QStringLiteral("morvane"));
    QIcon simge;
    for (const QFileInfo& boyut : QDir(QStringLiteral(":/simge")).entryInfoList())
        simge.addFile(boyut.filePath());
    QApplication::setWindowIcon(simge);
}

QString olusturmaSorusu(const VeriYeri::Konum& konum)
{
    return QStringLiteral("Varnel.mdb şu yerlerde arandı, bulunamadı:\n%1\n%2\n\n"
                          "Morvane için henüz bir bütçe dosyası yok. Boş bir bütçe dosyası "
                          "oluşturulsun mu?\n\n%2")
        .arg(QDir::toNativeSeparators(konum.yanindaki), QDir::toNativeSeparators(konum.yol));
}

// A file missing from the user's data folder is created when the user agrees; a portable copy
// leaves a missing file to the refusal on opening. False when the program must end.
bool dosyaHazir(const VeriYeri::Konum& konum)
{
    if (!konum.kullaniciKlasorunde || QFileInfo::exists(konum.yol))
        return true;
    if (!MesajKutusu::sor(nullptr, olusturmaSorusu(konum)))
        return false;
    if (const auto hata = VeriYeri::olustur(konum.yol)) {
        MesajKutusu::hata(nullptr, *hata);
        return false;
    }
    return true;
}

} // namespace

int Baslangic::calistir(const QString& programKlasoru, QDate bugun)
{
    return calistir(VeriYeri::bul(programKlasoru), bugun);
}

int Baslangic::calistir(const VeriYeri::Konum& konum, QDate bugun)
{
    uygulamayiTanit();
    Denetim::gorunumuKur();
    if (!dosyaHazir(konum))
        return 1;
    // An import killed before its end (a power cut, a crash) leaves its half-written file.
    Aktarma::artiklariSil(QFileInfo(konum.yol).absolutePath());
    int sonuc = 1;
    // A file that will not open is reported, unless it is an old budget the user lets import; a
    // damaged one, unless the user lets its newest backup be restored.
    if (const auto hata = DegiskenModulu::ac(konum.yol);
        (!hata || AktarmaOnerisi::sun(konum.yol, *hata)) && BozukDosyaOnerisi::sun(konum.yol)) {
        AnaForm anaForm(bugun);
        anaForm.show();
        sonuc = QApplication::exec();
    }
    DegiskenModulu::kapat();
    return sonuc;
}

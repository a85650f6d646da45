#include "YazmaKomutu.h"

#include "MesajKutusu.h"
#include "VeriHatasi.h"

#include <QMainWindow>
#include <QStatusBar>

YazmaKomutu::YazmaKomutu(const QString& ad, Degisiklik yapilan, QWidget* pencere,
                         std::function<void(bool geriye, bool yazildi)> ardindan)
    : QUndoCommand(ad), degisiklik(std::move(yapilan)), sahibi(pencere), sonra(std::move(ardindan))
{
}

void YazmaKomutu::redo()
{
    if (yapildi) {
        yapildi = false;
        return;
    }
    uygula(false);
}

void YazmaKomutu::uygula(bool geriye)
{
    const QString yapilamadi = QStringLiteral("«%1» %2").arg(
        text(), geriye ? QStringLiteral("geri alınamadı") : QStringLiteral("yinelenemedi"));
    // The status bar tells what was done last, never what this took back.
    QString durum =
        (geriye ? QStringLiteral("Geri alındı: ") : QStringLiteral("Yinelendi: ")) + text();
    bool yazildi = false;
    try {
        yazildi = geriye ? degisiklik.geriAl() : degisiklik.yinele();
        if (!yazildi) {
            durum = yapilamadi + u'.';
            setObsolete(true);
            MesajKutusu::bilgi(sahibi,
                               yapilamadi + QStringLiteral(": gereken kayıtlar bu arada başka bir "
                                                           "program tarafından değiştirilmiş. "
                                                           "Hiçbir şey değiştirilmedi."));
        }
    } catch (const VeriHatasi& hata) {
        durum = yapilamadi + u'.';
        setObsolete(true);
        MesajKutusu::hata(sahibi, yapilamadi + QStringLiteral("; hiçbir şey değiştirilmedi.\n\n") +
                                      hata.aciklama());
    }
    sonra(geriye, yazildi);
    if (auto* pencere = qobject_cast<QMainWindow*>(sahibi))
        pencere->statusBar()->showMessage(durum);
}

#include "MesajKutusu.h"

#include "VeriHatasi.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>

namespace
{

struct Kayit {
    bool acik = false;
    QList<bool> yanitlar;
    QList<MesajKutusu::Gosterilen> gosterilenler;
};

Kayit& kayit()
{
    static Kayit k;
    return k;
}

// The command being run: how deeply its scopes nest, and whether it showed an engine failure.
struct Calisan {
    int derinlik = 0;
    bool hataGosterildi = false;
};

Calisan& calisan()
{
    static Calisan c;
    return c;
}

bool goster(QWidget* sahibi, MesajKutusu::Simge simge, const QString& metin,
            bool hayirVarsayilan = false)
{
    if (kayit().acik) {
        kayit().gosterilenler.append({simge, metin, hayirVarsayilan});
        return simge == MesajKutusu::Simge::Soru && !kayit().yanitlar.isEmpty() &&
               kayit().yanitlar.takeFirst();
    }
    QMessageBox kutu(sahibi);
    kutu.setWindowTitle(QStringLiteral("Morvane"));
    kutu.setText(metin);
    if (simge == MesajKutusu::Simge::Soru) {
        kutu.setIcon(QMessageBox::Question);
        QPushButton* evet = kutu.addButton(QStringLiteral("Evet"), QMessageBox::YesRole);
        QPushButton* hayir = kutu.addButton(QStringLiteral("Hayır"), QMessageBox::NoRole);
        kutu.setDefaultButton(hayirVarsayilan ? hayir : evet);
        kutu.exec();
        return kutu.clickedButton() == evet;
    }
    kutu.setIcon(simge == MesajKutusu::Simge::Bilgi ? QMessageBox::Information
                                                    : QMessageBox::Critical);
    kutu.addButton(QStringLiteral("Tamam"), QMessageBox::AcceptRole);
    kutu.exec();
    return true;
}

} // namespace

void MesajKutusu::bilgi(QWidget* sahibi, const QString& metin)
{
    goster(sahibi, Simge::Bilgi, metin);
}

void MesajKutusu::hata(QWidget* sahibi, const QString& metin)
{
    goster(sahibi, Simge::Hata, metin);
}

bool MesajKutusu::sor(QWidget* sahibi, const QString& metin)
{
    return goster(sahibi, Simge::Soru, metin);
}

bool MesajKutusu::hayirVarsayilanlaSor(QWidget* sahibi, const QString& metin)
{
    return goster(sahibi, Simge::Soru, metin, true);
}

bool MesajKutusu::hatalariGostererek(QWidget* sahibi, const std::function<void()>& komut)
{
    const KilitBeklemesi::Komut bekleme;
    try {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        const auto geriAl = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
        komut();
        return true;
    } catch (const VeriHatasi& h) {
        if (!calisan().hataGosterildi)
            hata(sahibi, h.aciklama());
        calisan().hataGosterildi = calisan().derinlik > 0;
        return false;
    }
}

MesajKutusu::Komut::Komut()
{
    ++calisan().derinlik;
}

MesajKutusu::Komut::~Komut()
{
    if (--calisan().derinlik == 0)
        calisan().hataGosterildi = false;
}

void MesajKutusu::kaydetmeyeBasla()
{
    kayit() = Kayit{.acik = true};
}

void MesajKutusu::kaydetmeyiBirak()
{
    kayit() = Kayit{};
}

void MesajKutusu::sonrakiYanit(bool evet)
{
    kayit().yanitlar.append(evet);
}

const QList<MesajKutusu::Gosterilen>& MesajKutusu::gosterilenler()
{
    return kayit().gosterilenler;
}

void MesajKutusu::gosterilenleriSil()
{
    kayit().gosterilenler.clear();
}

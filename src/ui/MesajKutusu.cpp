#include "MesajKutusu.h"

#include "Baglanti.h"
#include "VeriHatasi.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>

namespace
{

struct Kayit {
    bool acik = false;
    QList<int> yanitlar; // the places of the buttons pressed: Evet 0, Hayır 1
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

// Shows the message; the place of the button pressed, -1 when none was.
int goster(QWidget* sahibi, MesajKutusu::Simge simge, QString metin, const QStringList& dugmeler,
           bool hayirVarsayilan = false)
{
    // A message with nothing to say would leave the user guessing.
    if (metin.trimmed().isEmpty())
        metin = QStringLiteral("Bir hata oluştu; nedeni bildirilmedi.");
    if (kayit().acik) {
        kayit().gosterilenler.append({simge, metin, hayirVarsayilan, dugmeler});
        return dugmeler.size() > 1 && !kayit().yanitlar.isEmpty() ? kayit().yanitlar.takeFirst()
                                                                  : -1;
    }
    QMessageBox kutu(sahibi);
    kutu.setWindowTitle(QStringLiteral("Morvane"));
    kutu.setText(metin);
    kutu.setIcon(simge == MesajKutusu::Simge::Soru    ? QMessageBox::Question
                 : simge == MesajKutusu::Simge::Bilgi ? QMessageBox::Information
                                                      : QMessageBox::Critical);
    QList<QPushButton*> basilabilir;
    for (const QString& ad : dugmeler)
        basilabilir << kutu.addButton(ad, basilabilir.isEmpty() ? QMessageBox::AcceptRole
                                                                : QMessageBox::RejectRole);
    kutu.setDefaultButton(basilabilir.value(hayirVarsayilan ? 1 : 0));
    // Escape and the window's close button answer as the last button: Hayır, Tamam, Vazgeç.
    kutu.setEscapeButton(basilabilir.last());
    kutu.exec();
    return int(basilabilir.indexOf(qobject_cast<QPushButton*>(kutu.clickedButton())));
}

const QStringList evetHayir{QStringLiteral("Evet"), QStringLiteral("Hayır")};
const QStringList tamam{QStringLiteral("Tamam")};

// An engine failure; a lost link offers to connect again, as often as the user asks.
void hatayiGoster(QWidget* sahibi, const VeriHatasi& hata)
{
    if (!hata.baglantiKoptu())
        return MesajKutusu::hata(sahibi, hata.aciklama());
    QString metin = hata.aciklama();
    while (MesajKutusu::sec(sahibi, MesajKutusu::Simge::Hata, metin,
                            {QStringLiteral("Yeniden Bağlan"), QStringLiteral("Tamam")}) == 0) {
        try {
            Baglanti::program().yenidenBaglan();
            return;
        } catch (const VeriHatasi& yeni) {
            metin = yeni.aciklama();
        }
    }
}

} // namespace

void MesajKutusu::bilgi(QWidget* sahibi, const QString& metin)
{
    goster(sahibi, Simge::Bilgi, metin, tamam);
}

void MesajKutusu::hata(QWidget* sahibi, const QString& metin)
{
    goster(sahibi, Simge::Hata, metin, tamam);
}

bool MesajKutusu::sor(QWidget* sahibi, const QString& metin)
{
    return goster(sahibi, Simge::Soru, metin, evetHayir) == 0;
}

bool MesajKutusu::hayirVarsayilanlaSor(QWidget* sahibi, const QString& metin)
{
    return goster(sahibi, Simge::Soru, metin, evetHayir, true) == 0;
}

int MesajKutusu::sec(QWidget* sahibi, Simge simge, const QString& metin,
                     const QStringList& dugmeler)
{
    return goster(sahibi, simge, metin, dugmeler);
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
            hatayiGoster(sahibi, h);
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
    kayit().yanitlar.append(evet ? 0 : 1);
}

void MesajKutusu::sonrakiSecim(int sira)
{
    kayit().yanitlar.append(sira);
}

const QList<MesajKutusu::Gosterilen>& MesajKutusu::gosterilenler()
{
    return kayit().gosterilenler;
}

void MesajKutusu::gosterilenleriSil()
{
    kayit().gosterilenler.clear();
}

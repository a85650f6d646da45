#include "MesajKutusu.h"

#include "VeriHatası.h"

#include <QMessageBox>
#include <QPushButton>

namespace
{

struct Kayıt {
    bool açık = false;
    QList<bool> yanıtlar;
    QList<MesajKutusu::Gösterilen> gösterilenler;
};

Kayıt& kayıt()
{
    static Kayıt k;
    return k;
}

bool göster(QWidget* sahibi, MesajKutusu::Simge simge, const QString& metin)
{
    if (kayıt().açık) {
        kayıt().gösterilenler.append({simge, metin});
        return simge == MesajKutusu::Simge::Soru && !kayıt().yanıtlar.isEmpty() &&
               kayıt().yanıtlar.takeFirst();
    }
    QMessageBox kutu(sahibi);
    kutu.setWindowTitle(QStringLiteral("Morvane"));
    kutu.setText(metin);
    if (simge == MesajKutusu::Simge::Soru) {
        kutu.setIcon(QMessageBox::Question);
        QPushButton* evet = kutu.addButton(QStringLiteral("Evet"), QMessageBox::YesRole);
        kutu.addButton(QStringLiteral("Hayır"), QMessageBox::NoRole);
        kutu.setDefaultButton(evet);
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
    göster(sahibi, Simge::Bilgi, metin);
}

void MesajKutusu::hata(QWidget* sahibi, const QString& metin)
{
    göster(sahibi, Simge::Hata, metin);
}

bool MesajKutusu::sor(QWidget* sahibi, const QString& metin)
{
    return göster(sahibi, Simge::Soru, metin);
}

bool MesajKutusu::hatalarıGöstererek(QWidget* sahibi, const std::function<void()>& komut)
{
    try {
        komut();
        return true;
    } catch (const VeriHatası& h) {
        hata(sahibi, h.açıklama());
        return false;
    }
}

void MesajKutusu::kaydetmeyeBaşla()
{
    kayıt() = Kayıt{.açık = true};
}

void MesajKutusu::kaydetmeyiBırak()
{
    kayıt() = Kayıt{};
}

void MesajKutusu::sonrakiYanıt(bool evet)
{
    kayıt().yanıtlar.append(evet);
}

const QList<MesajKutusu::Gösterilen>& MesajKutusu::gösterilenler()
{
    return kayıt().gösterilenler;
}

void MesajKutusu::gösterilenleriSil()
{
    kayıt().gösterilenler.clear();
}

#include "PencereDuzeni.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QSettings>
#include <QWidget>

#include <algorithm>

namespace
{

const QString kok = QStringLiteral("Pencereler");

QSettings ayarlar()
{
    return QSettings(QStringLiteral("Morvane"), QStringLiteral("Morvane"));
}

bool ekrandaSigar(const QRect& alan)
{
    const QList<QScreen*> ekranlar = QGuiApplication::screens();
    return std::any_of(ekranlar.begin(), ekranlar.end(), [&](const QScreen* ekran) {
        return ekran->availableGeometry().contains(alan);
    });
}

} // namespace

PencereDuzeni::PencereDuzeni(QWidget* izlenen, const QList<QHeaderView*>& listeBasliklari)
    : QObject(izlenen), pencere(izlenen), cizilenBoyut(izlenen->size())
{
    for (QHeaderView* baslik : listeBasliklari) {
        basliklar << baslik;
        cizilenSutunlar << baslik->saveState();
    }
    geriYukle();
    pencere->installEventFilter(this);
}

bool PencereDuzeni::kayitli(const QString& pencereAdi)
{
    return ayarlar().contains(kok + u'/' + pencereAdi + QStringLiteral("/alan"));
}

void PencereDuzeni::geriYukle()
{
    QSettings a = ayarlar();
    a.beginGroup(kok + u'/' + pencere->objectName());
    if (const QRect alan = a.value(QStringLiteral("alan")).toRect(); alan.isValid()) {
        if (ekrandaSigar(alan)) {
            pencere->setGeometry(alan);
        } else {
            // Off every screen the window keeps its own centre, or the one it gets on showing.
            const QPoint merkez = pencere->geometry().center();
            pencere->resize(alan.size());
            if (pencere->testAttribute(Qt::WA_Moved))
                pencere->move(pencere->pos() + merkez - pencere->geometry().center());
        }
    }
    if (a.value(QStringLiteral("buyuk")).toBool())
        pencere->setWindowState(pencere->windowState() | Qt::WindowMaximized);
    QList<QByteArray> sutunlar;
    for (const QVariant& durum : a.value(QStringLiteral("sutunlar")).toList())
        sutunlar << durum.toByteArray();
    if (sutunlar.size() == basliklar.size())
        sutunlariKur(sutunlar);
}

void PencereDuzeni::kaydet() const
{
    QSettings a = ayarlar();
    a.beginGroup(kok + u'/' + pencere->objectName());
    a.setValue(QStringLiteral("alan"), pencere->normalGeometry());
    a.setValue(QStringLiteral("buyuk"), pencere->isMaximized());
    QVariantList sutunlar;
    for (const QHeaderView* baslik : basliklar)
        if (baslik)
            sutunlar << baslik->saveState();
    a.setValue(QStringLiteral("sutunlar"), sutunlar);
}

void PencereDuzeni::sifirla()
{
    ayarlar().remove(kok);
    pencere->setWindowState(pencere->windowState() & ~Qt::WindowMaximized);
    pencere->resize(cizilenBoyut);
    sutunlariKur(cizilenSutunlar);
}

void PencereDuzeni::sutunlariKur(const QList<QByteArray>& durumlar)
{
    for (qsizetype i = 0; i < basliklar.size(); ++i)
        if (basliklar[i])
            basliklar[i]->restoreState(durumlar[i]);
}

bool PencereDuzeni::eventFilter(QObject* nesne, QEvent* olay)
{
    if (nesne == pencere && olay->type() == QEvent::Hide)
        kaydet();
    return QObject::eventFilter(nesne, olay);
}

#include "KaydetmeYeri.h"

#include "MesajKutusu.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace
{

// Only for this run: the program keeps no settings.
QString& sonKlasor()
{
    static QString klasor;
    return klasor;
}

// Always an absolute folder that exists: the one saved to last while it still does, else the
// documents folder when the account has one, else home.
QString onerilenKlasor()
{
    if (!sonKlasor().isEmpty() && QFileInfo(sonKlasor()).isDir())
        return sonKlasor();
    const QString belgeler = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (QDir::isAbsolutePath(belgeler) && QFileInfo(belgeler).isDir())
        return belgeler;
    return QDir::homePath();
}

KaydetmeYeri::Yanit& testYaniti()
{
    static KaydetmeYeri::Yanit yanit;
    return yanit;
}

// "xlsx" from "Excel Çalışma Kitabı (*.xlsx)".
QString uzantisi(const QString& tur)
{
    const qsizetype yer = tur.lastIndexOf(QStringLiteral("(*."));
    return tur.mid(yer + 3).chopped(1);
}

std::optional<QString> diyalogla(QWidget* sahibi, const QString& baslik, const QString& onerilen,
                                 const QStringList& turler)
{
    QFileDialog pencere(sahibi, baslik);
    pencere.setAcceptMode(QFileDialog::AcceptSave);
    pencere.setFileMode(QFileDialog::AnyFile);
    pencere.setNameFilters(turler);
    pencere.setDefaultSuffix(uzantisi(turler.first()));
    pencere.selectFile(onerilen);
    QObject::connect(&pencere, &QFileDialog::filterSelected, &pencere, [&](const QString& tur) {
        pencere.setDefaultSuffix(uzantisi(tur));
        pencere.selectFile(QFileInfo(onerilen).completeBaseName() + u'.' + uzantisi(tur));
    });
    if (pencere.exec() != QDialog::Accepted || pencere.selectedFiles().isEmpty())
        return std::nullopt;
    QString secilen = pencere.selectedFiles().first();
    const QString uzanti = QFileInfo(secilen).suffix().toLower();
    if (std::none_of(turler.begin(), turler.end(),
                     [&](const QString& tur) { return uzantisi(tur) == uzanti; }))
        secilen += u'.' + uzantisi(pencere.selectedNameFilter());
    return secilen;
}

} // namespace

std::optional<QString> KaydetmeYeri::sor(QWidget* sahibi, const QString& baslik,
                                         const QString& onerilenAd, const QStringList& turler)
{
    const QString onerilen = QDir(onerilenKlasor()).filePath(onerilenAd);
    const std::optional<QString> secilen =
        testYaniti() ? testYaniti()(onerilen) : diyalogla(sahibi, baslik, onerilen, turler);
    if (secilen)
        sonKlasor() = QFileInfo(*secilen).absolutePath();
    return secilen;
}

std::optional<QString> KaydetmeYeri::kaydet(QWidget* sahibi, const QString& baslik,
                                            const QString& onerilenAd, const QStringList& turler,
                                            const std::function<void(const QString& yol)>& yaz)
{
    QString ad = onerilenAd;
    for (;;) {
        const std::optional<QString> yol = sor(sahibi, baslik, ad, turler);
        if (!yol || MesajKutusu::hatalariGostererek(sahibi, [&] { yaz(*yol); }))
            return yol;
        ad = *yol;
    }
}

QString KaydetmeYeri::kaydedildi(const QString& yol, const QString& ek)
{
    const QFileInfo dosya(yol);
    QString metin = QStringLiteral("Kaydedildi: ") + dosya.fileName();
    if (!ek.isEmpty())
        metin += u' ' + ek;
    return metin + QStringLiteral(" · Klasör: ") + QDir::toNativeSeparators(dosya.absolutePath());
}

void KaydetmeYeri::yanitla(Yanit yanit)
{
    testYaniti() = std::move(yanit);
}

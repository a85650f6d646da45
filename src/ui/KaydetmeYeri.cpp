#include "KaydetmeYeri.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace
{

// Only for this run: the program keeps no settings.
QString& sonKlasor()
{
    static QString klasor = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return klasor;
}

KaydetmeYeri::Yanit& testYaniti()
{
    static KaydetmeYeri::Yanit yanit;
    return yanit;
}

std::optional<QString> diyalogla(QWidget* sahibi, const QString& baslik, const QString& onerilen,
                                 const QString& suzgec, const QString& uzanti)
{
    QFileDialog pencere(sahibi, baslik);
    pencere.setAcceptMode(QFileDialog::AcceptSave);
    pencere.setFileMode(QFileDialog::AnyFile);
    pencere.setNameFilter(suzgec);
    pencere.setDefaultSuffix(uzanti);
    pencere.selectFile(onerilen);
    if (pencere.exec() != QDialog::Accepted || pencere.selectedFiles().isEmpty())
        return std::nullopt;
    return pencere.selectedFiles().first();
}

} // namespace

std::optional<QString> KaydetmeYeri::sor(QWidget* sahibi, const QString& baslik,
                                         const QString& onerilenAd, const QString& suzgec,
                                         const QString& uzanti)
{
    const QString onerilen = QDir(sonKlasor()).filePath(onerilenAd);
    const std::optional<QString> secilen =
        testYaniti() ? testYaniti()(onerilen) : diyalogla(sahibi, baslik, onerilen, suzgec, uzanti);
    if (secilen)
        sonKlasor() = QFileInfo(*secilen).absolutePath();
    return secilen;
}

void KaydetmeYeri::yanitla(Yanit yanit)
{
    testYaniti() = std::move(yanit);
}

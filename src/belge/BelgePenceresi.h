#pragma once

#include "BelgeSayfasi.h"

#include <QDialog>
#include <QStringList>

#include <functional>

class QAbstractItemView;
class QBoxLayout;
class QChartView;
class QIODevice;
class QLabel;
class QPagedPaintDevice;
class QPrinter;
class TabloYazici;

// The frame of a window that shows a document, a list and its chart, and takes it out of the
// program: as a table for spreadsheets, printed (its pages previewed first if asked), as a PDF,
// and the chart as a picture. Each command is a button below the document, an entry of the
// list's and the chart's context menus, and Ctrl+S or Ctrl+P from anywhere in the window. The
// feature gives its controls, its model (the list's) and its page; the frame asks where to save,
// proposing a name for what is shown, asks again on the same name after a failure, and confirms
// in the window what was written or printed, naming the folder.
class BelgePenceresi : public QDialog
{
    Q_OBJECT
public:
    void TabloOlarakKaydet_Click();
    void Yazdir_Click();
    void BaskiOnizleme_Click();
    void PdfOlarakKaydet_Click();
    void GrafigiResimOlarakKaydet_Click();

    // The confirmation the window shows, empty before the first.
    QString bildirim() const;

protected:
    // What a feature's document is besides its model and chart.
    struct Belge {
        QStringList adParcalari; // of the file names: "Dönem Raporu", "2024", "Mart"
        QString konu;            // the subject a workbook names: "Dönem Raporu"
        BelgeSayfasi sayfa;
    };

    explicit BelgePenceresi(QWidget* sahibi);

    // Once the feature's controls stand in `icerik`: the buttons and the confirmation below it,
    // the commands on the context menus of `liste` and `grafik`, whose model and chart the pages
    // show.
    void kur(QWidget* icerik, QAbstractItemView* liste, QChartView* grafik);

    virtual Belge belge() const = 0;
    // The table for spreadsheets, on one sheet.
    virtual void tabloyaYaz(TabloYazici& tablo) const = 0;

private:
    void eylemleriKur(QBoxLayout* duzen);
    // Asks where to save, proposing a name of the document's parts, `ek` and `uzanti`, and
    // writes the file whole or not at all.
    void kaydet(const QString& baslik, const QStringList& turler, const QString& uzanti,
                const QString& ek, const std::function<void(const QString& yol)>& yaz);
    void bildir(const QString& metin);
    // The printer set up for the pages.
    void yaziciyiHazirla(QPrinter& yazici) const;
    void sayfalariCiz(QPagedPaintDevice& aygit) const;

    QAbstractItemView* belgeListesi = nullptr;
    QChartView* belgeGrafigi = nullptr;
    QLabel* bildirimEtiketi = nullptr;
};

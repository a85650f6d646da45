#pragma once

#include "DefterTanimi.h"
#include "OzetTablosu.h"

#include <QDialog>

#include <functional>
#include <map>
#include <optional>

class OzetGrafigi;
class QChartView;
class QIODevice;
class QCheckBox;
class QComboBox;
class QTreeWidget;

// The twelve-month overview of one ledger, TümGelirlerFormu or TümGiderlerFormu: for each month
// and in total, the sums of the estimates and of the realised amounts over all groups, and their
// ratio, once as a list and once as a chart; over every year or for one, beside the previous
// year's realised sums if asked. Read afresh at every opening; a year read once is shown again
// from what was read until another program (another member) changes the budget. It changes
// nothing.
class AylikOzetFormu : public QDialog
{
    Q_OBJECT
public:
    // `anaFormunYili` is offered even when it has no entries yet, and the window opens on it; on
    // every year when it is 0 (the main window shows no year).
    AylikOzetFormu(const DefterTanimi& defterTanimi, int anaFormunYili, QWidget* sahibi);

    // What the window shows now.
    const OzetTablosu& tablo() const { return gosterilen; }

    // Taking the overview out: the context menus of the list and the chart, Ctrl+S and Ctrl+P.
    void TabloOlarakKaydet_Click();
    void Yazdir_Click();
    void PdfOlarakKaydet_Click();
    void GrafigiResimOlarakKaydet_Click();

signals:
    // A file written or a page sent to the printer, said in a sentence for the status bar.
    void bildirim(const QString& metin);

private:
    void eylemleriKur();
    void dugmeleriKur(const QList<QAction*>& eylemler);
    // "Tüm Giderler — 2026", as the chart's picture is titled.
    QString konu() const;
    // Asks where to save, proposing a name for what the window shows
    // ("Morvane-Tum-Gelirler-2026.pdf"),
    // and writes the file whole or not at all, saying so.
    void kaydet(const QString& baslik, const QString& tur, const QString& uzanti, const QString& ek,
                const std::function<void(QIODevice&)>& yaz);
    std::optional<QString> yolSor(const QString& baslik, const QStringList& turler,
                                  const QString& uzanti, const QString& ek);
    void yilDegisti();
    // The year's sums (every year's without one), read once while the budget stays as it was.
    // Throws a VeriHatasi.
    const OzetTablosu::Aylar& toplamlar(std::optional<int> yil);
    void goster(const OzetTablosu& tablo);
    void listeyiDoldur();
    void satirlaraYerAc();
    // Resizable, and opened as the user left it.
    void esnet();

    const DefterTanimi& defter;
    OzetTablosu gosterilen;
    QComboBox* YilBilgisiKutusu = nullptr;
    QCheckBox* KarsilastirmaKutusu = nullptr;
    QTreeWidget* liste = nullptr;
    QChartView* GrafikNesnesi = nullptr;
    OzetGrafigi* grafik = nullptr; // owned by GrafikNesnesi
    // The sums read, by year (none: every year), as the budget stood at `okunanSurum`.
    std::map<std::optional<int>, OzetTablosu::Aylar> okunanlar;
    qint64 okunanSurum = 0;
};

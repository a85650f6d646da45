#pragma once

#include "ButceVerisi.h"
#include "Donem.h"

#include <QLabel>
#include <QList>

#include <array>

class QStatusBar;

// The period's figures at the right of the main window's status bar, in three parts (income,
// expense, the realised difference): estimate and realised of each ledger over all groups, and
// the realised difference, in dark red when negative. Each part says what its figures are in short
// words while the bar is wide enough (the main window's smallest width is); a narrower bar shows
// the realised figures alone, then the bare figures. The text in full words stays in the tooltip,
// each part's with its period where the mouse points, and in the accessible name that screen
// readers announce.
class DonemOzeti : public QLabel
{
    Q_OBJECT
public:
    // One part in full words ("Gelir: 1,00 planlanan · 2,00 gerçekleşen"), then at each width:
    // "Gelir: 1,00 plan · 2,00 gerçek", "Gelir: 2,00", "2,00".
    struct Parca {
        QString uzun;
        QString tam;
        QString kisa;
        QString rakam;
        bool uyari = false; // drawn in the warning colour (a negative difference)
    };

    // Placed at the right of `cubuk`, fitting its text whenever the bar's width or its message
    // changes.
    explicit DonemOzeti(QStatusBar* cubuk);

    // The bar's width the figures leave to the bar's own frame and gaps, beside the text.
    static constexpr int pay = 24;

    // Sums both ledgers over the period and shows them. Throws VeriHatasi.
    void oku(const Donem& donem);
    // After one entry of the ledger changed from `once` to `sonra` (as listed): the figures follow
    // by the difference instead of the period being summed again. Throws VeriHatasi.
    void duzelt(const DefterTanimi& defter, const ButceVerisi::Kayit& once,
                const ButceVerisi::Kayit& sonra);

protected:
    bool eventFilter(QObject* nesne, QEvent* olay) override;
    bool event(QEvent* olay) override;

private:
    void bas();
    // The parts for the period ("Mart 2024"); `ek` closes the tooltip (amounts left unread).
    void goster(const QList<Parca>& yeniParcalar, const QString& ek);
    // The widest texts that fit the bar as it is now.
    void sigdir();
    QStringList metinler(int kisaltma) const;
    QString ipucu(const Parca& parca) const;

    QStatusBar* const cubuk;
    Donem donem;
    std::array<ButceVerisi::DonemToplami, 2> toplamlar; // income, expense as shown
    QList<Parca> parcalar;
    int duzey = 0;
};

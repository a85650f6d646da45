#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSize>

class QHeaderView;
class QWidget;

// Where the user left a window, kept in the user's settings (~/.config/Morvane/Morvane.conf)
// under the window's object name: its size, its place while that lies wholly on a present
// screen, whether it was maximised, and the column widths of the lists given. Taken back when the
// window is built, written whenever it is hidden.
class PencereDuzeni : public QObject
{
    Q_OBJECT
public:
    // What `izlenen` and the lists of `listeBasliklari` have now is their drawn layout; what was
    // kept replaces it.
    explicit PencereDuzeni(QWidget* izlenen, const QList<QHeaderView*>& listeBasliklari = {});

    // Whether a layout of the window of that object name was kept.
    static bool kayitli(const QString& pencereAdi);

    void kaydet() const;
    // The drawn layout again, in this window now and in every window at its next opening.
    void sifirla();

private:
    bool eventFilter(QObject* nesne, QEvent* olay) override;
    void geriYukle();
    void sutunlariKur(const QList<QByteArray>& durumlar);

    QWidget* pencere;
    QList<QPointer<QHeaderView>> basliklar;
    QSize cizilenBoyut;
    QList<QByteArray> cizilenSutunlar;
};

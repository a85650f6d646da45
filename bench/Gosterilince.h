#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <functional>

// For timing a program's start from outside: once its first window has been exposed and painted
// (and `sonra` has run), one line goes to standard output, "gosterildi" and the window's width
// and height, and the event loop ends.
class Gosterilince : public QObject
{
    Q_OBJECT
public:
    explicit Gosterilince(std::function<void()> sonra = [] {}) : bekle(std::move(sonra)) {}

protected:
    bool eventFilter(QObject* nesne, QEvent* olay) override
    {
        if (!bildirildi && olay->type() == QEvent::Expose && nesne->isWindowType() &&
            static_cast<QWindow*>(nesne)->isExposed()) {
            bildirildi = true;
            const QSize boyut = static_cast<QWindow*>(nesne)->size();
            // After the exposure's paint.
            QTimer::singleShot(0, [this, boyut] {
                bekle();
                std::printf("gosterildi %d %d\n", boyut.width(), boyut.height());
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    std::function<void()> bekle;
    bool bildirildi = false;
};

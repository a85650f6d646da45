#pragma once

#include "Degisiklik.h"

#include <QUndoCommand>

#include <functional>

class QWidget;

// One writing command of this run on the main window's undo stack, named as the user gave it
// ("Gider Sil"). It is pushed once done, so its first redo() writes nothing; every later redo()
// and undo() writes in one transaction of its own. One that is refused (another program changed
// its rows meanwhile) or fails changes nothing, says so and leaves the stack. `ardindan` lists the
// window again after each, told whether it was an undo and whether it wrote; the window's status
// bar then says what was done ("Geri alındı: Gider Sil").
class YazmaKomutu : public QUndoCommand
{
public:
    YazmaKomutu(const QString& ad, Degisiklik yapilan, QWidget* pencere,
                std::function<void(bool geriye, bool yazildi)> ardindan);

    void undo() override { uygula(true); }
    void redo() override;

private:
    void uygula(bool geriye);

    const Degisiklik degisiklik;
    QWidget* const sahibi;
    const std::function<void(bool geriye, bool yazildi)> sonra;
    bool yapildi = true;
};

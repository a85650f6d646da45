#pragma once

#include "KilitBeklemesi.h"

// One writing command as one transaction on the program's connection: begun on construction,
// written by onayla(), rolled back when the scope ends without it, on every path. Commands do not
// nest. Failures are thrown as VeriHatasi. Its waits on a locked file, the automatic backup's
// included, count as one command's. What is registered to run before a write (YazmaOncesi) runs
// before it begins.
class Islem
{
public:
    Islem();
    ~Islem();
    Islem(const Islem&) = delete;
    Islem& operator=(const Islem&) = delete;

    void onayla();

private:
    void basla();

    const KilitBeklemesi::Komut bekleme;
    bool acik = false;
};

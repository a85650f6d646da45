#pragma once

#include "KilitBeklemesi.h"

#include <functional>

// One writing command as one transaction on the program's connection: begun on construction,
// written by onayla(), rolled back when the scope ends without it, on every path. Commands do not
// nest. Failures are thrown as VeriHatasi. Its waits on a locked file, the automatic backup's
// included, count as one command's.
class Islem
{
public:
    Islem();
    ~Islem();
    Islem(const Islem&) = delete;
    Islem& operator=(const Islem&) = delete;

    void onayla();

private:
    const KilitBeklemesi::Komut bekleme;
    bool acik = true;
};

// Work that runs before every writing command, outside its transaction (the automatic backup),
// while this lives; it must not throw. The newest one is in force: when it goes, none is, even if
// an older one still lives.
class YazmaOncesi
{
public:
    explicit YazmaOncesi(std::function<void()> yapilacak);
    ~YazmaOncesi();
    YazmaOncesi(const YazmaOncesi&) = delete;
    YazmaOncesi& operator=(const YazmaOncesi&) = delete;

private:
    friend class Islem;
    std::function<void()> is;
};

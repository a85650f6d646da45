#pragma once

#include <functional>

// One writing command as one transaction on the program's connection: begun on construction,
// written by onayla(), rolled back when the scope ends without it, on every path. Commands do not
// nest. Failures are thrown as VeriHatasi.
class Islem
{
public:
    Islem();
    ~Islem();
    Islem(const Islem&) = delete;
    Islem& operator=(const Islem&) = delete;

    void onayla();

    // Runs before every writing command, outside its transaction (the automatic backup); it must
    // not throw. An empty one removes it.
    static void yazmadanOnce(std::function<void()> is);

private:
    bool acik = true;
};

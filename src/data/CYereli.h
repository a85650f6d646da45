#pragma once

#include <clocale>

// The C library's locale, kept apart from the desktop's language. Numbers in files never follow
// it: the C library formats and parses them (printf, strtod, and through them libxlsxwriter and
// libmdb) with the decimal point of its numeric locale, which must stay "C". The libraries' own
// messages (libpq's) stay in the English the program recognises: it words every failure in
// Turkish itself and adds theirs in parentheses. What people read follows QLocale instead.
namespace CYereli
{

// Puts the process's numbers and library messages back to "C" after Q(Core)Application took the
// environment's locale; every program calls it right after making its application object.
void sabitle();

// For its lifetime, the C library in this thread works in "C", whatever the process's locale is,
// and the thread's own setting comes back afterwards: library code that writes or reads numbers
// or recognises a library's messages holds one, so it is right whichever program calls it.
class Kapsam
{
public:
    Kapsam();
    ~Kapsam();
    Kapsam(const Kapsam&) = delete;
    Kapsam& operator=(const Kapsam&) = delete;

private:
    locale_t onceki;
};

} // namespace CYereli

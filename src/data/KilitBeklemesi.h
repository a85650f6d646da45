#pragma once

#include <QtGlobal>

#include <functional>

struct sqlite3;

// How long the program waits for a file another program holds locked. Within one user command,
// however many statements it runs (the automatic backup included), the waits add up to at most
// `sure`, counted from the first: a command under a lock ends after one wait with one message.
// Outside a command each statement waits up to `sure` on its own.
namespace KilitBeklemesi
{

inline constexpr qint64 sure = 5000; // milliseconds

// Makes the connection wait by this rule.
void kur(sqlite3* h);

// One user command while it lives. Scopes may nest; the outermost one counts.
class Komut
{
public:
    Komut();
    ~Komut();
    Komut(const Komut&) = delete;
    Komut& operator=(const Komut&) = delete;
};

// Waits by the same rule, inside the same command's time, until `bitti` holds: whether it did.
bool bekle(const std::function<bool()>& bitti);

// For tests: the clock (milliseconds) and the sleep the waits use; empty functions bring back the
// real ones.
void saatiDegistir(std::function<qint64()> saat, std::function<void(qint64)> uyu);

} // namespace KilitBeklemesi

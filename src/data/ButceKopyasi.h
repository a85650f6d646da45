#pragma once

#include "Lehce.h"

#include <QSqlDatabase>

#include <functional>

// A whole budget copied from one connection to another, either being the SQLite file or the
// server: every row of the six tables with its Kimlik (or rowid), each Kimlik counter where it
// stood, and both compared before the target's transaction is committed. Failures are thrown as
// VeriHatasi, in the words of the side that failed.
namespace ButceKopyasi
{

struct Taraf {
    QSqlDatabase db;
    const Lehce& lehce;
};

// Runs `is` in one transaction of the connection: committed when it returns, rolled back when it
// throws.
void islemle(const Taraf& taraf, const std::function<void()>& is);
// The same in a transaction that reads one snapshot, whatever others commit meanwhile.
void okurken(const Taraf& taraf, const std::function<void()>& is);

// Copies into a target that holds no rows, inside its transaction: a target with rows is refused.
void kopyala(const Taraf& kaynak, const Taraf& hedef);
// Every row of the target replaced with the source's, inside its transaction; no Kimlik the
// target gave out before is given again.
void yerineKoy(const Taraf& kaynak, const Taraf& hedef);

} // namespace ButceKopyasi

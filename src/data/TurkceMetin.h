#pragma once

#include <QString>
#include <QStringList>

// Turkish letter rules that must not depend on the machine's locale:
// i/İ and ı/I are distinct pairs, and the alphabet puts Ç after C, Ğ after G and so on.
namespace TurkceMetin
{

QString buyukHarf(const QString& metin);

// Case-insensitive equality with Turkish letters: "Nisan" equals "NİSAN" but not "NISAN".
bool esit(const QString& a, const QString& b);

// Three-way comparison on the case-folded texts, usable as a collation.
int karsilastir(const QChar* a, qsizetype aUzunluk, const QChar* b, qsizetype bUzunluk);

// Alphabetical order of the Turkish alphabet (C < Ç < D, I < İ), whatever the machine's locale.
bool alfabetikOnce(const QString& a, const QString& b);
void alfabetikSirala(QStringList& liste);
} // namespace TurkceMetin

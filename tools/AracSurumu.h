#pragma once

#include <QStringList>

namespace AracSurumu
{

// When the only argument is --version, prints "<tool> <version>" to standard output and returns
// true: the tool then ends successfully without doing anything else.
bool yazildi(const QStringList& argumanlar);

} // namespace AracSurumu

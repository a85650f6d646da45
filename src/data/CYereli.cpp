#include "CYereli.h"

namespace
{

locale_t cYereli()
{
    // Made once and kept for the whole run; threads share it. Wholly "C": the libraries handle
    // their text byte by byte and name its encoding themselves.
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return c;
}

} // namespace

void CYereli::sabitle()
{
    std::setlocale(LC_NUMERIC, "C");
    std::setlocale(LC_MESSAGES, "C");
}

CYereli::Kapsam::Kapsam() : onceki(uselocale(cYereli())) {}

CYereli::Kapsam::~Kapsam()
{
    uselocale(onceki);
}

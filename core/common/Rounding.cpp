#include "common/Rounding.h"

#include "common/Exceptions.h"

#include <cmath>

namespace vastrel {

namespace {

void CheckRange(double x)
{
    // 2^63 is exactly representable; anything at or beyond it does not fit.
    constexpr double kLimit = 9223372036854775808.0;
    if (!std::isfinite(x) || x >= kLimit || x < -kLimit)
        throw EMathError("Operação de ponto flutuante inválida.");
}

} // namespace

std::int64_t RoundHalfEven(double x)
{
    CheckRange(x);
    // nearbyint honours the current rounding mode, which is round-to-nearest
    // with ties to even unless someone changed it; std::rint would be the same.
    const double r = std::nearbyint(x);
    CheckRange(r);
    return static_cast<std::int64_t>(r);
}

std::int64_t TruncChecked(double x)
{
    CheckRange(x);
    return static_cast<std::int64_t>(std::trunc(x));
}

} // namespace vastrel

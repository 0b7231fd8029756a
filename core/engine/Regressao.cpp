#include "engine/Regressao.h"

#include <algorithm>
#include <cstddef>

#include "common/CheckedMath.h"
#include "common/Exceptions.h"

namespace vastrel {

TRegressao::TRegressao(int n)
    : N(std::max(n, 0)),
      X(static_cast<std::size_t>(N), 0.0),
      Y(static_cast<std::size_t>(N), 0.0)
{
}

std::pair<double, double> TRegressao::AjusteLinear() const
{
    const auto n = static_cast<std::size_t>(std::max(N, 0));
    if (X.size() < n || Y.size() < n)
        throw Exception("A regressão tem menos valores do que pares declarados.");

    // Sums of the normal equations.
    double sx = 0, sy = 0, sxy = 0, sxx = 0;
    for (std::size_t i = 0; i < n; ++i) {
        sx += X[i];
        sy += Y[i];
        sxy += X[i] * Y[i];
        sxx += X[i] * X[i];
    }

    // Slope b = (Sxy − Sx·Sy/N)/(Sxx − Sx²/N), intercept a = Sy/N − b·Sx/N.
    const double nr = static_cast<double>(N);
    const double b = cm::Div(sxy - cm::Div(sx * sy, nr), sxx - cm::Div(sx * sx, nr));
    const double a = cm::Div(sy, nr) - cm::Div(sx * b, nr);
    return {a, b};
}

std::pair<double, double> TRegressao::AjustePotencia() const
{
    const auto n = static_cast<std::size_t>(N);
    if (X.size() < n || Y.size() < n)
        throw Exception("A regressão tem menos valores do que pares declarados.");

    // The same fit in decimal logarithms; the temporary is released on every
    // exit, a failed fit included.
    TRegressao logs(N);
    for (std::size_t i = 0; i < n; ++i) {
        logs.X[i] = cm::Log10(X[i]);
        logs.Y[i] = (Y[i] == 0.0) ? 0.0 : cm::Log10(Y[i]);
    }
    const auto [logA, b] = logs.AjusteLinear();
    return {cm::Power(10.0, logA), b};
}

} // namespace vastrel

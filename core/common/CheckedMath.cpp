#include "common/CheckedMath.h"

#include "common/Exceptions.h"

#include <cmath>

namespace vastrel::cm {

namespace {

[[noreturn]] void Fault(const char* what) { throw EMathError(what); }

} // namespace

double Finite(double x)
{
    if (!std::isfinite(x))
        Fault("Operação de ponto flutuante inválida.");
    return x;
}

double Div(double a, double b)
{
    if (b == 0.0)
        Fault("Divisão por zero.");
    const double q = a / b;
    if (!std::isfinite(q))
        Fault("Estouro de ponto flutuante.");
    return q;
}

double Ln(double x)
{
    if (!(x > 0.0) || !std::isfinite(x))
        Fault("Operação de ponto flutuante inválida.");
    return std::log(x);
}

double Log10(double x)
{
    if (!(x > 0.0) || !std::isfinite(x))
        Fault("Operação de ponto flutuante inválida.");
    return std::log10(x);
}

double Exp(double x)
{
    const double y = std::exp(Finite(x));
    if (!std::isfinite(y))
        Fault("Estouro de ponto flutuante.");
    return y;
}

double Power(double base, double exponent)
{
    if (!(base > 0.0) || !std::isfinite(base) || !std::isfinite(exponent))
        Fault("Operação de ponto flutuante inválida.");
    // exp(e * ln b) in extended precision.
    const long double r = std::exp(static_cast<long double>(exponent) *
                                   std::log(static_cast<long double>(base)));
    const double d = static_cast<double>(r);
    if (!std::isfinite(d))
        Fault("Estouro de ponto flutuante.");
    return d;
}

double PowerOrZero(double base, double exponent)
{
    return base == 0.0 ? 0.0 : Power(base, exponent);
}

double Sqrt(double x)
{
    if (!(x >= 0.0) || !std::isfinite(x))
        Fault("Operação de ponto flutuante inválida.");
    return std::sqrt(x);
}

double ArcTan(double x) { return std::atan(Finite(x)); }

} // namespace vastrel::cm

#pragma once
// Checked arithmetic for the engine. Each helper raises EMathError where IEEE
// arithmetic would silently produce an infinity or a NaN, so that the error
// guard of a computation fires with its own message.

namespace vastrel::cm {

// Throws EMathError when x is not finite; returns x otherwise.
double Finite(double x);

// a / b; b == 0 or a non-finite quotient raise.
double Div(double a, double b);

// Natural and decimal logarithms; x <= 0 raises.
double Ln(double x);
double Log10(double x);

// e^x; overflow raises.
double Exp(double x);

// base^exponent computed as exp(exponent * ln(base)) in long double, the way
// the published formulas of this system are evaluated. base <= 0 raises
// (the logarithm of a non-positive number), as does an overflowing result.
double Power(double base, double exponent);

// Same as Power, but a base of exactly 0 gives 0 instead of raising.
double PowerOrZero(double base, double exponent);

// sqrt(x); x < 0 raises.
double Sqrt(double x);

// atan(x), raising for a non-finite argument.
double ArcTan(double x);

} // namespace vastrel::cm

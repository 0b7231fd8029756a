#pragma once
// Least-squares fits of N pairs (x, y): the straight line y = a + b·x and the
// power law y = a·x^b (a straight line in log10–log10). The graded channel
// uses the power law to express the wetted perimeter of a trapezoidal
// section as a power of its flow area.

#include <utility>
#include <vector>

namespace vastrel {

class TRegressao {
public:
    // n pairs, all 0; the caller fills X and Y. A negative n counts as 0.
    explicit TRegressao(int n);

    int N;                  // number of pairs
    std::vector<double> X;  // abscissae
    std::vector<double> Y;  // ordinates

    // (a, b) of y = a + b·x. Fewer than two distinct abscissae make the
    // normal equations singular and raise EMathError; X or Y holding fewer
    // than N values raises Exception.
    std::pair<double, double> AjusteLinear() const;

    // (a, b) of y = a·x^b, fitted as log10 y = log10 a + b·log10 x; a y of 0
    // counts as log10 y = 0. A non-positive x or a negative y raises
    // EMathError.
    std::pair<double, double> AjustePotencia() const;
};

} // namespace vastrel

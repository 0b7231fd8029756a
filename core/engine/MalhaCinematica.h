#pragma once
// Node arrays of the explicit kinematic-wave schemes of the hillslope and of
// the graded channel: the state variable Y (flow depth in m on the hillslope,
// flow area in m² in the channel) and the reduced discharge Q = Y^m = q/α at
// each node, at the old and at the new time level. Node 0 is the upstream
// end. The arrays are allocated once per computation and reused by every
// time step.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace vastrel {

struct TMalhaCinematica {
    explicit TMalhaCinematica(std::size_t nos) : Yold(nos, 0.0), Ynew(nos, 0.0), Qold(nos, 0.0), Qnew(nos, 0.0) {}

    std::vector<double> Yold, Ynew;  // depth (m) or area (m²)
    std::vector<double> Qold, Qnew;  // reduced discharge

    std::size_t Nos() const { return Ynew.size(); }

    // Stores the new state of node i: a wet node with its area or depth M
    // and reduced discharge, or a dry one. Returns what the step's
    // finiteness check sums.
    double Guardar(std::size_t i, double M, double Qreduzida)
    {
        if (M > 0) {
            Ynew[i] = M;
            Qnew[i] = Qreduzida;
        } else {
            Ynew[i] = 0;
            Qnew[i] = 0;
        }
        return M + Qnew[i];
    }

    // The new level becomes the old one; the new interior starts empty (the
    // upstream node is set by the boundary condition).
    void Trocar()
    {
        std::copy(Ynew.begin(), Ynew.end(), Yold.begin());
        std::copy(Qnew.begin(), Qnew.end(), Qold.begin());
        std::fill(Ynew.begin() + 1, Ynew.end(), 0.0);
        std::fill(Qnew.begin() + 1, Qnew.end(), 0.0);
    }
};

// base^e as exp(e·ln base), for a base known to be positive. Used only inside
// the node loops, whose results are checked for finiteness once per time
// step; everywhere else the checked cm::Power applies.
inline double PotenciaPositiva(double base, double e)
{
    return std::exp(e * std::log(base));
}

} // namespace vastrel

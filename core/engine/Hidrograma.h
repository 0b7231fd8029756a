#pragma once
// Hydrograph: a time series of discharges, as the hillslope model produces
// it and the channel routing reads it.
//
// Units: time in minutes; discharge in L/s (per metre of width for a
// hillslope hydrograph). Times increase strictly in the order of appending.

#include <cstddef>
#include <vector>

namespace vastrel {

class THidrograma {
public:
    // One point of the series.
    struct TPonto {
        double Tempo;  // min
        double Vazao;  // L/s (or L/s per metre)
    };

    // Appends the point (tempo, vazao). The series grows without a fixed
    // limit on the number of points.
    void Adicionar(double vazao, double tempo);
    // Removes every point and frees the storage.
    void Limpar();

    // Discharge at time t by linear interpolation between the two points
    // that bracket t, found by bisection over the indices. 0 outside the
    // open interval between the first and the last time.
    double ValorEm(double t) const;

    // Straightens the falling limb after a secondary rise: the first point k
    // at which the discharge rises again after having started to fall, and
    // every point after it but the last, are put on the straight line from
    // point k − 1 down to zero at the last time. The explicit hillslope
    // scheme can leave such a numerical ripple on the recession.
    void SuavizarRecessao();

    std::size_t Quantidade() const { return Pontos.size(); }
    bool Vazio() const { return Pontos.empty(); }
    double Tempo(std::size_t i) const { return Pontos.at(i).Tempo; }
    double Vazao(std::size_t i) const { return Pontos.at(i).Vazao; }

private:
    std::vector<TPonto> Pontos;
};

} // namespace vastrel

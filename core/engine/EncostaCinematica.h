#pragma once
// Kinematic-wave runoff of the hillslope strip above a graded terrace.
//
// The strip, one horizontal spacing long, receives the rain excess over the
// stable infiltration rate once the initial abstraction is filled; the
// excess is routed down the slope as overland flow obeying Manning's law per
// metre of width,
//
//   q = α·y^(5/3),   α = √St / nt        (q in m²/s, y in m),
//
// (the kinematic-wave approximation of overland flow of Woolhiser & Liggett,
// Water Resources Research 3(3), 1967), with an explicit finite-difference
// scheme of the continuity equation ∂y/∂t + ∂q/∂x = excess rate. The scheme
// switches node by node between the depth form (explicit in y, stable while
// the Courant number (5/3)·α·y^(2/3)·Δt/Δx stays below 1) and the discharge
// form (explicit in q, stable for large Courant numbers).
//
// Units: lengths and depths in m, times in minutes (seconds inside the
// scheme), intensities in mm/h, outflow in L/s per metre of width.

#include <cstdint>
#include <memory>

#include "engine/Hidrograma.h"
#include "engine/Terreno.h"

namespace vastrel {

class TPrecipitacaoExponencialNegativa;

class TEncostaCinematicaCustom : public TTerreno {
public:
    TEncostaCinematicaCustom();

    // Length of the strip along the slope, m; 0 after a reset.
    std::int32_t Comprimento = 0;

    // Stores L; a negative L raises Exception and leaves the field as it was.
    void SetComprimento(std::int32_t L);

    // Resets the terrain part and the length.
    void Zerar() override;

    // Number of computation nodes: 100 up to 50 m, 2 per metre beyond.
    int NumeroNos() const;

    // Outflow hydrograph of the strip (time in min, L/s per metre of width)
    // for the storm, on N nodes (the caller passes NumeroNos()). An empty
    // hydrograph means that the storm gives no runoff on the strip. Errors
    // before the time stepping propagate; a floating-point fault during the
    // time stepping ends it, keeping the points computed so far.
    std::unique_ptr<THidrograma> CalculaHidrogramaEncosta(int N, TPrecipitacaoExponencialNegativa& chuva);

    // Time (min) at which the instantaneous intensity of the storm falls to
    // x (mm/h), by Newton's method from t = 1 min. Raises Exception when the
    // storm starts at or below x (no runoff) or when Newton does not
    // converge in 201 iterations.
    double TempoFinalEscoamento(TPrecipitacaoExponencialNegativa& chuva, double x);

    // Time step of the scheme (min) for the infiltration rate VIB (mm/h):
    // the faster the infiltration, the steeper the excess hydrograph.
    static double PassoTempo(double VIB);
    // Space step of the scheme (m): Comprimento/100, at most 0.5 m.
    double PassoEspaco() const;
};

class TEncostaCinematica : public TEncostaCinematicaCustom {};

} // namespace vastrel

#pragma once
// Graded terrace channels and the graded terrace system.
//
// A graded terrace drains its runoff along a channel of small bed slope Sc.
// The channel must carry the peak discharge that reaches its outlet while the
// hillslope strip above it (one horizontal spacing long) feeds it along its
// whole length. The dimensioning chain is:
//
//   hillslope hydrograph (TEncostaCinematica, L/s per metre of channel)
//   → kinematic-wave routing of that lateral inflow along the channel,
//     Q = α·A^m (CalculaHidrogramaCanal) → peak discharge Q
//   → Manning normal depth H of the channel for Q (ProfundidadeNormal).
//
// Units: lengths and depths in m, slopes in m/m, Q in L/s (m³/s inside the
// depth computation), times in minutes, Manning roughness in s/m^(1/3).

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/Canal.h"
#include "engine/EncostaCinematica.h"
#include "engine/Espacamento.h"
#include "engine/Hidrograma.h"
#include "engine/Terreno.h"

namespace vastrel {

class TIniFile;
class TPrecipitacao;
class TPrecipitacaoExponencialNegativa;

class TCanalGradienteCustom : public TCanal {
public:
    TCanalGradienteCustom();
    explicit TCanalGradienteCustom(const std::string& sufixo);

    double Sc = 0;                 // bed slope of the channel, m/m
    double Q = 0;                  // design discharge, L/s, never negative; the current inflow while routing
    std::int32_t Comprimento = 0;  // channel length, m, never negative
    TReal nc;                      // Manning roughness of the channel, with its reference index

    void SetSc(double x);                 // stored unchanged
    void SetQ(double x);                  // x, or 0 when negative
    void SetComprimento(std::int32_t n);  // n, or 0 when negative

    // The channel reset, then Sc, Q, Comprimento = 0, nc = (0, 0) and the
    // trapezoidal shape, the default of graded channels.
    void Zerar() override;

    using TCanal::Gravar;
    using TCanal::Ler;
    // Section "Canal"+Sufixo, then "CanalGradiente"+Sufixo.
    bool Ler(TIniFile& ini) override;
    bool Gravar(TIniFile& ini) override;
};

// Coefficients of the kinematic wave in the channel, Q = α·A^m (Q in m³/s,
// A in m²).
struct TCoeficientesCinematicos {
    double Alfa;
    double m;
};

// Space and time steps of the channel routing.
struct TGradeCanal {
    double dx;        // m
    double dt;        // min
    std::size_t Nos;  // number of nodes
};

class TCanalGradiente : public TCanalGradienteCustom {
public:
    using TCanalGradienteCustom::TCanalGradienteCustom;

    // The hillslope strip that feeds the channel; configured before each
    // computation.
    TEncostaCinematica Encosta;

    // Longest channel the routing admits, m.
    static constexpr std::int32_t ComprimentoMaximo = 65535;

    // Peak outflow (L/s) of a channel of length L (m) fed along its length by
    // the hillslope hydrograph (L/s per metre of channel); VIB (mm/h) sets the
    // time step, St the land slope (m/m) bounding the triangular section, Sc
    // the bed slope (m/m), nc the Manning roughness. Sets Q to the upstream
    // inflow of each step (m³/s per metre) while it routes. Errors of the
    // routing raise Exception "Ocorreu um erro em CalculaHidrogramaCanal."; a
    // length outside 0 … ComprimentoMaximo raises Exception saying so.
    double CalculaHidrogramaCanal(std::int32_t L, const THidrograma& hidrograma, double VIB, double st,
                                  double sc, double n);

    // Manning normal depth (m) of the channel for the discharge q (m³/s):
    // ridge face slope sm, land slope st, bed slope sc (m/m), roughness n,
    // bottom width b (m), side slope z (horizontal per vertical). The shape
    // is the channel's own.
    double ProfundidadeNormal(double sm, double st, double sc, double n, double b, double z, double q);

    // α and m of the channel's shape (triangular: exact; trapezoidal: from a
    // power fit of the wetted perimeter on the area).
    TCoeficientesCinematicos CoeficientesCinematicos(double st, double sc, double n) const;

    // Grid of the routing for a channel of L m and the infiltration rate VIB
    // (mm/h): the faster the infiltration, the sharper the inflow and the
    // finer the grid.
    static TGradeCanal GradeCanal(std::int32_t L, double VIB);

    // Empty when L lies in 0 … ComprimentoMaximo; otherwise the message
    // that says why the length cannot be routed.
    static std::string ProblemaComprimento(std::int32_t L);
};

// Result of a graded dimensioning.
struct TResultadoGradiente {
    double H;  // normal depth of the channel, m
    double Q;  // design discharge, L/s
};

class TTerracosGradiente : public TCanalGradiente {
public:
    TTerracosGradiente();
    explicit TTerracosGradiente(const std::string& sufixo);

    TEspacamento Espacamento;

    // Normal depth and design discharge for the given horizontal spacing EH
    // (m), bed slope sc (m/m), channel roughness n and channel length L (m);
    // stores neither. No runoff from the strip gives 0 for both. Any error
    // raises EDimensionamento.
    TResultadoGradiente DimensionarCom(TPrecipitacaoExponencialNegativa& chuva, TTerreno& terreno, double EH,
                                       double sc, double n, std::int32_t L);

    // The same on the stored spacing EH, Sc, nc and Comprimento, with H and
    // Q stored. The storm must be the IDF storm. A strip that yields no
    // runoff for the storm gives Q = 0 and H = 0. Any error raises
    // EDimensionamento; H is then 0 and Q whatever the failed computation
    // left in it.
    void Dimensionar(TTerreno& terreno, TPrecipitacao& chuva) override;

    // The spacing, then the graded channel.
    void Zerar() override;

    using TCanalGradiente::Gravar;
    using TCanalGradiente::Ler;
    // The graded channel's sections, then "ESPAÇAMENTO".
    bool Ler(TIniFile& ini) override;
    bool Gravar(TIniFile& ini) override;

private:
    // The dimensioning chain, writing Q and H as it goes.
    void Calcula(TPrecipitacaoExponencialNegativa& chuva, TTerreno& terreno, double EH, double sc, double n,
                 std::int32_t L);
};

} // namespace vastrel

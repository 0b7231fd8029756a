#pragma once
// The geometry of a graded-terrace layout on an elevation grid.
//
// The levels, spacings and closed lines come from the level layout
// (TracadoNivel.h): each level line is where a graded terrace leaves the
// ground at its outlet. Outlets are where the line crosses a main drainage
// line of the land (cells draining at least a set area, found by flow
// accumulation over the depression-filled surface), where a grassed waterway
// will run; an open line also ends on the edge of the land with data.
//
// A line between two outlets drains half to each, so the two terraces meet
// at their upstream ends; a line between an outlet and the edge drains
// whole to the outlet when it is short enough, otherwise half of it drains
// to the edge; a line that meets no drainage drains to its end that draws
// more water (or, when too long, half to each end); a closed line that meets
// none drains to the point of it that draws the most water. A terrace
// longer than allowed gets one more outlet where the most water crosses it
// (a lesser drainage line), until none is longer.
//
// Each terrace then follows the ground at the channel grade Sc: from its
// outlet at the level L of its line, the point s metres upstream along the
// terrace lies where the ground stands at L + Sc·s, found on the upslope
// normal of the level line (the arc length is refined until it is that of
// the graded line itself). The longest allowed terrace also keeps its rise
// Sc·s below the vertical interval EV of its strip, so a terrace never
// climbs to the level of the line above it and lines never cross.
//
// The strips: every cell drains along the steepest descent of the filled
// surface into the first terrace its flow path crosses, or into none.

#include "location/Lista.h"
#include "location/Pixel.h"
#include "location/TracadoNivel.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace vastrel {

struct TTerracoGradiente {
    // Image coordinates (fractional column, row; cell centres at whole
    // numbers) from the upstream end to the outlet; Z is the elevation of
    // the channel bed there, m, falling at the grade towards the outlet.
    TLinha Linha;
    double CotaSaida = 0;     // bed at the outlet (the level of its level line), m
    double CotaMontante = 0;  // bed at the upstream end, m
    double Comprimento = 0;   // m
    double EV = 0;            // height of the strip above its level line, m
    TFormaTerraco Forma = TFormaTerraco::Aberto; // of its level line
    std::int64_t Celulas = 0;     // cells of its contributing strip
    double DeclividadeFaixa = 0;  // mean slope of its strip, %
    std::int32_t Saida = -1;      // index of its outlet in TTracadoGradiente::Saidas
    std::int32_t LinhaNivel = -1; // index of the level line it follows
};

struct TSaidaGradiente {
    TPonto Ponto;                // image coordinates; Z the level, m
    std::int64_t Celula = -1;    // row-major cell of the drainage line it lies on
    bool Borda = false;          // on the edge of the land: the water leaves there
    // Outlets whose water flows down the drainage line through this one
    // (the waterway here carries their flow as well as its own).
    std::vector<std::int32_t> Montante;
};

struct TOpcoesGradiente {
    TOpcoesTracado Nivel;         // the level layout's options (spacing, cell area, progress, stop)
    double Sc = 0.005;            // channel grade, m/m
    double ComprimentoMaximo = 0; // longest channel, m
    double DX = 1, DY = 1;        // width and height of a cell, m
    // Least area a cell must drain to lie on a main drainage line, m²; 0
    // takes the automatic choice: 5 % of the land with data, at least
    // 1 ha and at least 20 cells.
    double AreaDrenagem = 0;
};

struct TTracadoGradiente {
    std::vector<TTerracoGradiente> Terracos; // numbered 1, 2, ... in this order (Linha.Numero)
    std::vector<TSaidaGradiente> Saidas;
    std::vector<TTerracoTracado> LinhasNivel; // the level lines the terraces follow
    std::int64_t CelulasBacia = 0;
    std::int64_t CelulasRestantes = 0;
    double DeclividadeMedia = 0;   // %
    std::int32_t FaixasPlanas = 0;
    bool Interrompido = false;
    double AreaDrenagem = 0;       // m², the threshold used
    std::int32_t Descartados = 0;  // pieces of level line where no graded terrace fits
    std::int32_t Cruzamentos = 0;  // pairs of terraces that cross (0 on any sound layout)
    std::vector<std::int32_t> Faixa; // with Nivel.GuardarFaixas, as in TTracadoNivel
};

// The layout over an elevation grid (0 = no data, m) and its slope grid (%).
// Raises Exception for a grade or a longest channel that is not positive,
// and the spacing method's error when it fails.
TTracadoGradiente TracarTerracosGradiente(const TMatrixSingle& elevacao, const TMatrixSingle& declividade,
                                          const TOpcoesGradiente& opcoes);

// Pairs of polylines of different terraces that cross, touching at a shared
// end not counted (two terraces that meet at their upstream ends or at one
// outlet). Image coordinates. `quais` receives the pairs (indices).
std::int32_t ContarCruzamentos(const std::vector<TTerracoGradiente>& terracos,
                               std::vector<std::pair<std::int32_t, std::int32_t>>* quais = nullptr);

} // namespace vastrel

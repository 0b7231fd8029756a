#pragma once
// The geometry of a level-terrace layout on an elevation grid.
//
// Terraces are contour lines traced down from the summit. The vertical
// interval below a line is the spacing EV that the chosen method gives for
// the mean slope of the strip the next line drains, so the spacing follows
// the local slope. The land is split level by level: below each line the
// land lower than the next level falls into connected regions, each of
// which is terraced on its own; a hill rising inside a strip is terraced
// upward from its rim, a hollow sinking inside one downward from its rim,
// when its relief exceeds the EV of its own slope and it is wide enough to
// hold a terrace of that spacing.
//
// Lines are the marching-squares contours of the grid (cell centres as the
// vertices, crossings interpolated linearly along the cell edges), so an
// open line runs until it meets a cell without data or the raster's edge,
// and a closed line closes. Below a level, cells are 8-connected; above it,
// 4-connected; the saddle cells are cut accordingly, so that lines at
// different levels never cross.
//
// Each terrace drains the cells whose flow path (steepest descent over the
// depression-filled surface; the bottoms of terraced hollows keep their
// water) first crosses its line going down. Every cell with data thus
// drains into exactly one terrace, or into none: the area below the lowest
// terraces, the bottoms of hollows, land that runs off the raster's edge
// between terraces.

#include "location/Lista.h"
#include "location/Pixel.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

namespace vastrel {

// The spacing of a strip: vertical EV and horizontal EH, m.
struct TEspacamentoFaixa {
    double EV = 0;
    double EH = 0;
};

// The spacing method applied to the mean slope of a strip, in percent.
using FuncaoEspacamento = std::function<TEspacamentoFaixa(double declividadePct)>;

enum class TFormaTerraco {
    Aberto,    // from the watershed's edge to its edge
    Morro,     // closed round higher ground
    Depressao, // closed round lower ground
};

struct TTerracoTracado {
    TLinha Linha;                 // image coordinates: fractional column, row (cell centres at whole numbers); Z the level
    double Cota = 0;              // level of the line, m
    double EV = 0;                // height of the strip the line drains (the spacing above it), m
    TFormaTerraco Forma = TFormaTerraco::Aberto;
    std::int64_t Celulas = 0;     // cells of its contributing strip
    double DeclividadeFaixa = 0;  // mean slope of its contributing strip, %
    double Comprimento = 0;       // length of the line, in cells (multiply by the cell side for m)
};

struct TOpcoesTracado {
    FuncaoEspacamento Espacamento;
    // Area of one cell, m², and the side of a square cell of that area, m.
    double AreaCelula = 1;
    // Progress: the fraction done (0 to 1) and the terraces placed so far.
    std::function<void(double fracao, std::int32_t terracos)> Progresso;
    // Stop request: the layout stops placing terraces at its next check and
    // gives those placed so far, with their strips.
    const std::atomic<bool>* Parar = nullptr;
    // Keep the strip of every cell in the result (for tests and drawings).
    bool GuardarFaixas = false;
    // Keep where every cell drains in the result.
    bool GuardarDrenagem = false;
};

// The eight neighbours of a cell as (row, column) offsets, in the order of
// the drainage directions: north, south, east, west, north-west,
// north-east, south-west, south-east.
inline constexpr int kDirecaoLinha[8] = {-1, 1, 0, 0, -1, -1, 1, 1};
inline constexpr int kDirecaoColuna[8] = {0, 0, 1, -1, -1, 1, -1, 1};
// A cell whose water leaves the land with data or stays in it.
inline constexpr std::int8_t kDrenagemFim = -1;

struct TTracadoNivel {
    std::vector<TTerracoTracado> Terracos; // numbered 1, 2, ... in this order (Linha.Numero)
    std::int64_t CelulasBacia = 0;         // cells with data
    std::int64_t CelulasRestantes = 0;     // cells that drain into no terrace
    double DeclividadeMedia = 0;           // mean slope of the cells with data, %
    std::int32_t FaixasPlanas = 0;         // strips flatter than the least slope the spacing is computed for
    bool Interrompido = false;             // stopped by the request before the end
    // With GuardarFaixas: per cell, row-major, the number of the terrace
    // whose strip holds it, 0 when none, −1 without data.
    std::vector<std::int32_t> Faixa;
    // With GuardarDrenagem: per cell, row-major, the neighbour it drains to
    // over the depression-filled surface (an index of kDirecaoLinha), or
    // kDrenagemFim.
    std::vector<std::int8_t> Drenagem;
};

// The least slope a spacing is computed for, %: a flatter strip gets the
// spacing of this slope (EH = EV/St would grow without bound).
inline constexpr double kDeclividadeMinimaFaixa = 0.1;

// The layout over an elevation grid (0 = no data, m) and its slope grid (%,
// same size; cells of the watershed whose slope reads 0 are flat). Raises
// the spacing method's error when it fails.
TTracadoNivel TracarTerracosNivel(const TMatrixSingle& elevacao, const TMatrixSingle& declividade,
                                  const TOpcoesTracado& opcoes);

} // namespace vastrel

#pragma once
// Elevation image of the watershed (m; 0 = no data, outside the watershed)
// with the three geometric operations of the terrace location:
//
// - LocalizarTopo: the summit, where the first terrace starts from;
// - VizinhoExtremo: one step to the highest or lowest neighbour, to cross a
//   freshly traced line onto the side a search or a fill starts from;
// - TracarCurvaNivel: the contour line at a level through a cell, walked
//   cell edge by cell edge with the crossing interpolated linearly on each
//   edge, inside the land the support image leaves open.
//
// Neighbours are numbered, which fixes every tie-break:
//
//     1 NW   2 N   3 NE
//     8 W    ·     4 E
//     7 SW   6 S   5 SE
//
// The tracer keeps, at each step, the current edge as a pair of cells (a, b):
// a on the right-hand side of the walking direction, b on the left (north
// is up, rows grow southward):
//
//     walking   step      right   left
//     east      col + 1   south   north
//     west      col − 1   north   south
//     south     row + 1   west    east
//     north     row − 1   east    west
//
// Ahead of the edge lies the cell square a, b, b′ = b + step, a′ = a + step.
// The level leaves the square through its left side (b, b′), its front
// (b′, a′) or its right side (a, a′); where it leaves through more than one,
// the gentlest edge (smallest difference of elevation) wins, later
// candidates winning ties, except at a saddle (corners alternating about the
// level), where the mean of the four corners decides which pair of opposite
// corners is joined, as in marching squares, so that contours of one level
// never cross or merge. Where the level meets a cell centre exactly (a corner
// at the level), the step looks one cell further to that side, and where no
// edge is crossed at all it snaps to the centre of the cell nearest to the
// level. Points are (fractional column, fractional row, level).

#include "location/ImgApoio.h"
#include "location/Lista.h"
#include "location/Pixel.h"

#include <cstdint>

namespace vastrel {

// Why a walk of the tracer ended.
enum class TFimCaminhada : std::uint8_t {
    Fechou,    // it came back to the start of the line: a closed contour
    Contorno,  // the next cell is outside the watershed or the image
    Linha,     // the next cell is a line or land already closed
    Repeticao, // it came back to a state it had been in (a guard; no real contour does)
    SemInicio  // no walk: the start cell has no edge crossed by the level
};

struct TResultadoTraco {
    bool Fechada = false; // the line is a closed loop, its last point equal to its first
    TFimCaminhada Fim1 = TFimCaminhada::SemInicio; // end of the first walk
    TFimCaminhada Fim2 = TFimCaminhada::SemInicio; // end of the second walk (SemInicio when closed)

    // Closed, or open with both ends on the watershed outline: the line
    // alone cuts the land it encloses from the rest of the open land.
    bool Isola() const
    {
        return Fechada || (Fim1 == TFimCaminhada::Contorno && Fim2 == TFimCaminhada::Contorno);
    }
};

class TImgElevacao : public TMatrixSingle {
public:
    // The first cell, rows from the north and columns from the west, whose
    // elevation v is not 0 and satisfies |v − ValorMax| < 0.05; its Valor is
    // ValorMax itself. Column 0, row 0 and value 0 when there is none.
    TPixelS LocalizarTopo() const;

    // Moves the pixel to its highest (sentido 0) or lowest (sentido 1)
    // neighbour, counting only neighbours inside the image with a non-zero
    // tens digit in the support image and a non-zero elevation, starting
    // from the pixel's own cell: a neighbour replaces the best when strictly
    // higher (lower); ties go to the lower neighbour number. The pixel's
    // Valor becomes that neighbour's elevation. No neighbour better than the
    // cell itself leaves the pixel as it was.
    void VizinhoExtremo(TPixelS& pixel, const TImgApoio& apoio, int sentido) const;

    // Traces the contour at level T = pixel.Valor through the pixel's cell
    // into the line (emptied first; its number untouched). The line runs
    // from the far end of the first walk through the start point to the
    // far end of the second, with the start cell on its left; a closed
    // contour is walked once, its last point equal to its first. On return pixel.Valor is the elevation of the
    // start cell, and the pixel sits on the start point rounded to the
    // nearest cell (halves to even), or stays where it was when the start
    // cell lies exactly on the level.
    TResultadoTraco TracarCurvaNivel(TPixelS& pixel, TLinha& linha, const TImgApoio& apoio) const;
};

} // namespace vastrel

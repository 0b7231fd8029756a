#pragma once
// Support image and slope image of the terrace location.
//
// The support image holds, for every cell of the elevation image, a code of
// two decimal digits that tells the location which land is still to be
// terraced, where the lines already placed run and which area a new terrace
// drains:
//
//   tens digit   0 closed (outside the watershed, or a line, or land already
//                  terraced), 1 open and unmarked, 3 marked (inside the area
//                  being measured, or visited by a search in progress);
//   units digit  1 the contour tracer and the search may walk on the cell,
//                0 they may not.
//
//   code  0  outside the watershed, a terrace line fixed, land closed
//         1  the line being placed
//        11  open watershed cell
//        31  marked by the current flood fill or search
//
// A cycle per terrace: a trial or final line is drawn with code 1, the land
// on one side of it is marked 31 by a flood fill, measured (count and mean
// slope of the marked cells), and then either Restaurar undoes the marks and
// the line (a trial) or Consolidar turns the line into a barrier and closes
// the marked land (a terrace placed).
//
// The support image remembers which cells it has set to 1 or 31 since the
// last Restaurar or Consolidar. Every operation that looks for those codes
// (Restaurar, Consolidar, ContarMarcadas, MediaMarcada, CandidatosEnclave)
// visits only those cells: elsewhere the codes are 0 or 11, which none of
// them counts or changes, so the results are those of a scan of the whole
// image at the cost of the land a step has touched. VarreduraCompleta makes
// them scan the whole image instead, as a reference.

#include "location/Lista.h"
#include "location/Pixel.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace vastrel {

inline constexpr std::uint8_t kApoioFechado = 0;
inline constexpr std::uint8_t kApoioLinha = 1;
inline constexpr std::uint8_t kApoioAberto = 11;
inline constexpr std::uint8_t kApoioMarcado = 31;

class TImgApoio : public TMatrixByte {
public:
    // Same size, unit and geometry as the elevation image; 11 where the
    // elevation is not 0, 0 where it is. ValorMax 31, ValorMin 0.
    explicit TImgApoio(const TMatrixSingle& elevacao);

    bool VarreduraCompleta = false; // scan the whole image (reference for tests and timing)

    // The code of a cell; 0 (closed) outside the image.
    std::uint8_t Codigo(std::int32_t col, std::int32_t lin) const { return GetValor(lin, col); }
    std::uint8_t Dezena(std::int32_t col, std::int32_t lin) const { return static_cast<std::uint8_t>(Codigo(col, lin) / 10); }
    // Inside the image with both digits non-zero (11 or 31): the tracer
    // and the search may walk on it.
    bool Aberto(std::int32_t col, std::int32_t lin) const
    {
        const std::uint8_t c = Codigo(col, lin);
        return c / 10 != 0 && c % 10 != 0;
    }
    // Resizing keeps the codes (new cells 0) and what is remembered of them.
    void SetLinhas(std::int32_t n) override;
    void SetColunas(std::int32_t n) override;
    // Writes a code, remembering the cells set to a code other than 0 and 11.
    void SetValor(std::int32_t lin, std::int32_t col, std::uint8_t codigo);

    // 31 and 1 become 11; 10, 20, 30 become 0; 0 and 11 stay.
    void Restaurar();
    // 1 becomes 0 (a fixed line) and 3x becomes 0 (closed land); 0 and 11 stay.
    void Consolidar();
    // The cell of every point of the line (row = Round(Y), column = Round(X),
    // halves to even) receives the code u (0 or 1). Where two consecutive
    // points fall on cells that do not touch, the cells between them on the
    // straight line are set too, so that a line is always a barrier to the
    // 4-connected fill.
    void MarcarLinha(const TLinha& linha, std::uint8_t u);

    // Number of cells whose tens digit is 3.
    std::int64_t ContarMarcadas() const;
    // Mean of M's cells over the cells whose tens digit is 3, summed in
    // 64-bit floating point; 0 when there is none.
    double MediaMarcada(const TMatrixSingle& M) const;

    // All eight neighbours inside the image with a non-zero tens digit.
    bool Interior(std::int32_t col, std::int32_t lin) const;

    // Marks 31 the 4-connected region of cells with a non-zero tens digit
    // that holds the cell, by row runs with a list of seeds. A closed cell
    // (or one outside the image) marks nothing.
    void Inundar(std::int32_t col, std::int32_t lin);

    // Searches the open region around the cell, row run by row run, for a
    // cell next to level T of the elevation image E: sentido 0 looks for a
    // cell above T, 1 for one below T. The cell found is open, interior, and
    // has a 4-neighbour on the other side of T or on it (so that a contour
    // can start there); pixel receives its column, row and elevation. When
    // none is found pixel's column and row become −1 and its value is kept.
    // Every cell visited is left at 11. When `aceitar` is given, a cell it
    // refuses is passed over and the search goes on.
    void BuscarNivel(std::int32_t col, std::int32_t lin, int sentido, TPixelS& pixel, const TMatrixSingle& E,
                     float T, const std::function<bool(const TPixel&)>& aceitar = {});

    // Cells whose tens digit is 3 and whose elevation equals q to the
    // centimetre (Round(q·100) = Round(e·100)) or that have the level q on
    // one of their edges with an open neighbour (Atravessa), in row-major
    // order: the cells a closed contour at q inside the marked land passes
    // by.
    // `desnivel`, when given, is DesnivelMaximo(E): cells whose elevation
    // is farther from q than from any neighbour cannot have the level on an
    // edge and are passed over without reading their neighbours.
    std::vector<TPixel> CandidatosEnclave(double q, const TMatrixSingle& E,
                                          const std::vector<float>* desnivel = nullptr) const;

    // The lowest (sentido 1) or highest (sentido 0) cell of E in the
    // 4-connected region of cells with a non-zero tens digit that holds the
    // given cell, the first met on a tie; column −1 when the cell is closed.
    TPixel ExtremoDaRegiao(std::int32_t col, std::int32_t lin, const TMatrixSingle& E, int sentido) const;

    // True when the cell `alvo` lies in the 4-connected region of cells with
    // a non-zero tens digit that holds (col, lin), the cells MarcarLinha
    // would mark for `barreira` counted as closed. Nothing is changed. The
    // walk heads for `alvo` (nearest cells first, by row and column
    // distance), so a barrier with a way round costs about the land between
    // it and the way round, not the whole region; when `alvo` cannot be
    // reached the whole region is walked, as any search must.
    bool Alcanca(std::int32_t col, std::int32_t lin, const TPixel& alvo, const TLinha& barreira) const;


    // True when a contour at level T can start from the cell: the cell is on
    // the level, or the level crosses between it and one of its open
    // 4-neighbours (v < T ≤ v(n) or v(n) ≤ T < v); in both cases it has an
    // open 4-neighbour.
    bool Atravessa(std::int32_t col, std::int32_t lin, const TMatrixSingle& E, float T) const;

private:
    struct TNivelEnclave {
        double Q100 = 0;       // the level × 100
        std::int64_t Alvo = 0; // Round(level × 100)
        float T = 0;           // the level in single precision
    };
    // Whether the marked cell of index i is a candidate of CandidatosEnclave.
    bool CandidataEnclave(std::size_t i, const TNivelEnclave& n, const TMatrixSingle& E,
                          const std::vector<float>* desnivel) const;
    // Atravessa for the cell of row-major index i, e being the cells of an
    // elevation image of this image's size.
    bool AtravessaNaGrade(std::size_t i, const std::vector<float>& e, float T) const;
    void Lembrar(std::int64_t indice);
    template <class F>
    void ParaCadaTocada(F&& f) const;
    void Esquecer();
    void Relembrar();
    // Every touched cell (every cell, with VarreduraCompleta) takes the
    // code the table gives for its code; then nothing is remembered.
    void Reescrever(const std::array<std::uint8_t, 256>& tabela);

    template <class F>
    void CelulasDaLinha(const TLinha& linha, F&& f) const;
    template <class F>
    bool Percorrer(std::int64_t inicio, F&& visitar) const;
    void GarantirVisitada() const;

    std::vector<std::int64_t> tocadas_; // cells set to 1 or 31 since the last Restaurar/Consolidar
    std::vector<std::uint8_t> lembrada_; // 1 for the cells in tocadas_

    // Scratch of the walks, kept between calls so that a run of hundreds of
    // terraces does not allocate (and page in) buffers of the image's size
    // at every step. None of them carries anything from one call to the next.
    mutable std::vector<std::uint8_t> visitada_;             // Percorrer, Alcanca: all 0 between calls
    mutable std::vector<std::int64_t> fila_;                 // Alcanca's flagged cells; Percorrer's queue (then released)
    mutable std::vector<std::vector<std::int64_t>> baldes_;  // Alcanca: cells by distance to the target
    std::vector<TPixel> sementes_;                           // Inundar's row-run seeds
};

// For every cell of E, the largest difference of elevation |v − w| between
// it and one of its four neighbours inside the image, rounded up to single
// precision: a level farther than that from the cell's elevation crosses
// none of its edges. Computed once per run, the elevations being fixed.
std::vector<float> DesnivelMaximo(const TMatrixSingle& E);

// The slope image (%), read from the output of the slope map; 0 means no data.
class TImgDeclive : public TMatrixSingle {
public:
    // Mean of the non-zero cells, summed in 64-bit floating point; n
    // receives their number. 0 when there is none.
    double MediaDeclividade(std::int64_t& n) const;
};

} // namespace vastrel

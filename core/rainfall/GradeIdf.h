#pragma once
// The gridded IDF equations of the GRIDF-BR data set: K, a, b and c of
// i = K·Tr^a / (t + b)^c fitted cell by cell on a 0.1° grid over Brazil from
// bias-corrected gridded daily rainfall (Gomes Jr. et al.). Converted at
// build time from the data set's GeoTIFF into a plain file of the shared
// data folder:
//
//   "GradeIdf_GRIDF_BR.bin"
//     0  "VGRD"           magic
//     4  uint32           version, 1
//     8  int32 cols, int32 rows
//    16  double lon0      western edge, degrees east (negative west)
//    24  double lat0      northern edge, degrees north
//    32  double cell      cell size, degrees
//    40  float32 × 4 × cols × rows: K, a, b, c of each cell, rows from the
//        north, NaN outside Brazil
//
// Little-endian, no padding.

#include <filesystem>
#include <optional>
#include <vector>

namespace vastrel {

inline constexpr const char* kArquivoGrade = "GradeIdf_GRIDF_BR.bin";
// The source label of gridded equations.
inline constexpr const char* kFonteGrade = "GRIDF-BR, grade 0,1°";

struct TEquacaoGrade {
    double K = 0, A = 0, B = 0, C = 0;
    double LatitudeCelula = 0;  // centre of the cell used, degrees south
    double LongitudeCelula = 0; // degrees west
    bool Vizinha = false;       // the point's own cell is empty (sea): a neighbour's
};

class TGradeIdf {
public:
    int Colunas = 0, Linhas = 0;
    double Lon0 = 0, Lat0 = 0, Celula = 0;
    std::vector<float> Valores; // 4 per cell

    bool Carregada() const { return Colunas > 0 && Linhas > 0; }

    // Reads the file; raises EArquivoNaoExiste when it is missing and
    // EBDPrecipitacao when it does not follow the layout.
    void Carregar(const std::filesystem::path& arquivo);
    // Writes the file (for the converter and for tests); EInOutError.
    void Gravar(const std::filesystem::path& arquivo) const;

    // The equation of the cell holding a point (decimal degrees, south and
    // west positive); a point of the coast whose cell is empty takes the
    // nearest full cell within two cells. Nothing outside the data.
    std::optional<TEquacaoGrade> Equacao(double latitude, double longitude) const;

private:
    bool Cheia(int col, int lin) const;
};

} // namespace vastrel

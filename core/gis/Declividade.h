#pragma once
// Slope map: from an elevation image (".ras", elevations in metres) to a
// real image of the same size and extent whose cells hold the terrain slope
// in percent.
//
// The slope of a cell is the steepest of the drops to its up to eight
// neighbours, each drop divided by the distance between the cell centres:
//
//     nw  n  ne         |z_w − z|, |z_e − z|        over dx
//      w  c  e          |z_n − z|, |z_s − z|        over dy
//     sw  s  se         |z_nw − z| … |z_se − z|     over dd = √(dx² + dy²)
//
// with dx = (XMax − XMin) / Colunas and dy = (YMax − YMin) / Linhas in
// metres. A cell of elevation 0 has no data and gets slope 0; a neighbour
// of elevation 0 or outside the image adds no drop, so a cell whose
// neighbours are all without data also gets 0. The result is 100 × the
// steepest drop, in 32-bit floats.

#include "gis/MemoryRaster.h"
#include "gis/Progresso.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace vastrel::gis {

inline constexpr const char* kMsgDeclividadeConcluida = "Cálculo de declividade finalizado com sucesso.";
inline constexpr const char* kMsgUnidadeInvalida = "A unidade de distância utilizada na imagem é inválida";

// Row helpers of the slope map and the filters.
class TFFunc {
public:
    // The largest / smallest of the first n values of the row (n ≥ 1).
    static float MaxValor(const float* linha, std::int64_t n);
    static float MinValor(const float* linha, std::int64_t n);
    // |z1 − z2| / d: the drop to a neighbour in the same row (d = dx) or
    // column (d = dy), and to a diagonal neighbour (d = dd).
    static float DeclivLateral(float z1, float z2, float d);
    static float DeclivDiagonal(float z1, float z2, float d);
};

// The 3 × 3 window around one cell, named by compass direction.
struct TJanela3x3 {
    float nw, n, ne;
    float w, c, e;
    float sw, s, se;
};

// Grid spacing in metres: dx, dy and the diagonal dd.
struct TEspacamentoGrade {
    float dx = 0, dy = 0, dd = 0;
};

// Slope of the centre cell, m/m (before the conversion to percent).
float DeclividadeCelula(const TJanela3x3& j, const TEspacamentoGrade& g);

// dx, dy, dd of a raster header whose coordinates are in `metrosPorUnidade`
// metres per unit. EEscolhaGis when the extent is not positive or the
// spacing is not a finite positive number.
TEspacamentoGrade EspacamentoGrade(const TCabecalhoRaster& cab, double metrosPorUnidade);

// Slope map of an elevation image already in memory, of type "R", "I" or
// "B", whose spacing is given: the output raster (type "R", the input's header, the
// title given), cells in percent, ValorMin and ValorMax set.
TMemoryRaster MapaDeclividade(const TMemoryRaster& elevacao, const TEspacamentoGrade& g,
                              const std::string& titulo, const TProgressoGis& progresso);

// Elevation images of type "R". A unit other than "M" or "KM" is refused
// with kMsgUnidadeInvalida.
class DecTipoSingle {
public:
    // Reads the elevation file row by row and writes the slope map under
    // `saida` row by row (a few rows in memory whatever the image's size);
    // the output replaces its file only when complete, so nothing is
    // written when an error or the stop flag ends the run.
    void CalcularDeclividade(const std::filesystem::path& entrada, const std::filesystem::path& saida,
                             const std::string& titulo, const TProgressoGis& progresso = {});
    bool Executando() const { return executando_; }

private:
    bool executando_ = false;
};

// Elevation images of type "I". A unit other than "KM" is taken as metres.
class DecTipoInteger {
public:
    void CalcularDeclividade(const std::filesystem::path& entrada, const std::filesystem::path& saida,
                             const std::string& titulo, const TProgressoGis& progresso = {});
    bool Executando() const { return executando_; }

private:
    bool executando_ = false;
};

// The steps of the window's "&Processar": checks the input (EEscolhaGis
// kMsgEntradaInvalida, field Entrada) and the output (kMsgSaidaInvalida,
// field Saida), probes the cell type and runs DecTipoSingle or
// DecTipoInteger; a byte image is refused with kMsgTipoByte, a file that is
// not a raster of this format with EArquivoGis saying why. One run at a
// time: a second call while one is going raises EProcessoEmAndamento.
void CalcularMapaDeclividade(const std::filesystem::path& entrada, const std::filesystem::path& saida,
                             const std::string& titulo, const TProgressoGis& progresso = {});

// Default title of a slope image made from the named file (file name
// without folder): "Imagem declividade gerada do arquivo imagem de elevação X".
std::string TituloPadraoDeclividade(const std::filesystem::path& entrada);

} // namespace vastrel::gis

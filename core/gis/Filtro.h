#pragma once
// 3 × 3 mean filter that ignores cells without data (value 0), repeated a
// given number of times:
//
//     nw  n  ne
//      w  c  e       result = (sum of the nonzero values of the window)
//     sw  s  se               / (number of nonzero values), when c ≠ 0
//
// and 0 when c is 0. Neighbours outside the image count as cells without
// data, so the divisor of a full window is 9 inside the image, 6 on an edge
// and 4 in a corner. The result is a real image of the same size and
// extent.
//
// The passes stream their images row by row: the first reads the input
// file, each later one the result of the previous pass, kept in a temporary
// file of the system's temporary folder under a name of its own and removed
// at the end whatever happens. The output file is written by the last pass
// and replaces its file only when complete, so it may be the input file
// itself.

#include "gis/MemoryRaster.h"
#include "gis/Progresso.h"

#include <filesystem>
#include <string>

namespace vastrel::gis {

inline constexpr const char* kMsgFiltragemConcluida = "Processo de filtragem finalizado com sucesso.";
inline constexpr int kMaxPassadasFiltro = 50;

struct TJanela3x3;

// Mean of the nonzero cells of the window, or 0 when the centre is 0.
float MediaFiltro(const TJanela3x3& j);

// One pass over a loaded image of type "R", "I" or "B": the output raster
// (type "R", the input's header, the title given) with ValorMin, ValorMax.
TMemoryRaster PassadaFiltro(const TMemoryRaster& entrada, const std::string& titulo,
                            const TProgressoGis& progresso, double inicio = 0, double fracao = 1,
                            const std::string& etapa = {});

// Images of type "R".
class FiltroTipoSingle {
public:
    // `passadas` from 1 to 50 (EEscolhaGis otherwise). Nothing is written
    // when an error or the stop flag ends the run.
    void Filtrar(const std::filesystem::path& entrada, const std::filesystem::path& saida,
                 const std::string& titulo, int passadas, const TProgressoGis& progresso = {});
    bool Executando() const { return executando_; }

private:
    bool executando_ = false;
};

// Images of type "I": the first pass reads 16-bit integers.
class FiltroTipoInteger {
public:
    void Filtrar(const std::filesystem::path& entrada, const std::filesystem::path& saida,
                 const std::string& titulo, int passadas, const TProgressoGis& progresso = {});
    bool Executando() const { return executando_; }

private:
    bool executando_ = false;
};

// The steps of the window's "&Processar" (as CalcularMapaDeclividade),
// one run at a time.
void FiltrarImagem(const std::filesystem::path& entrada, const std::filesystem::path& saida,
                   const std::string& titulo, int passadas, const TProgressoGis& progresso = {});

// "Imagem filtrada do arquivo de imagem X" (file name without folder).
std::string TituloPadraoFiltro(const std::filesystem::path& entrada);

} // namespace vastrel::gis

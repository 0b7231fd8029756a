#pragma once
// Graded-terrace location over a watershed.
//
// Lays out graded terraces on the elevation raster (TracadoGradiente.h),
// dimensions the channel of each on its own strip with the graded
// dimensioning (the design storm's peak discharge Q routed along the
// channel, its normal depth H and recommended height Hr), sums the
// discharges reaching each outlet and down each waterway, and writes the
// vector file (".vet", Z the channel bed), the table (".bdt" version 2) and
// the coordinate system of the elevation raster (".prj") beside it.

#include "gis/Progresso.h"
#include "location/LocacaoNivel.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vastrel {

class TPrecipitacao;
class TTerreno;
class TTerracosGradiente;

// What a run needs. The design objects are read, never changed.
struct TEntradaLocacaoGradiente {
    std::filesystem::path ImgElev, ImgDecli, VetSaida;
    TPrecipitacao& Chuva;                // the IDF design storm
    const TTerreno& Terreno;
    const TTerracosGradiente& Terracos;  // spacing method, channel shape, Sc, nc, longest channel, CDu
    double AreaDrenagem = 0;             // least area of a main drainage line, m²; 0 automatic
};

// The spacing of the watershed's mean slope and the warnings before a run,
// as for level terraces; raises Exception when the inputs cannot be used.
TPrevisaoLocacao PreverLocacaoGradiente(const TEntradaLocacaoGradiente& entrada);

// The whole run, as LocarNivel: input that cannot be used raises Exception
// before anything is written (also a grade, roughness or longest channel
// that is not positive, a storm that is not an IDF storm, and the spacing
// method of the arbitrated height, which is for level terraces); so does a
// run that places no terrace. A stop request writes what was placed.
TResultadoLocacao LocarGradiente(const TEntradaLocacaoGradiente& entrada, const gis::TProgressoGis& progresso = {});

// The numbers of the terraces that drain to an outlet, as "3, 4".
std::string TerracosDaSaida(const TTabelaGradiente& tabela, std::int32_t saida);

// The waterways as lines of text: each outlet on a drainage line with its
// discharge and the waterway's, then the outlets on the edge.
std::vector<std::string> TextoEscoadouros(const TResultadoLocacao& r);

} // namespace vastrel

#pragma once
// The HTML report of a terrace location: the inputs of the last run, the
// watershed's results and the terrace table read back from the ".bdt"
// beside the output vector, with the total length of the terraces; for
// graded terraces each channel's discharge, depth and height, and the
// outlets with the discharge of their waterways.

#include <string>

#include "location/LocacaoNivel.h"
#include "reports/RelatorioDimensionamento.h"

namespace vastrel {

// "Locação de Sistemas de Terraceamento em Nível", or "... com Gradiente".
std::string TituloRelatorioLocacao(bool gradiente = false);

// The report of a location run, UTF-8: the project's inputs (the level
// terrace system, the terrain, the storm), the run's results and quality
// summary with its warnings, and the terrace table read back from the
// ".bdt" beside the run's vector. A missing or unreadable terrace table
// raises gis::EArquivoGis; a table of another version gives no terrace rows
// and a total of 0. Every text typed by the user (identification, place,
// file paths) is escaped.
std::string RelatorioLocacao(TProjeto& projeto, const TResultadoLocacao& resultado, const TOpcoesRelatorio& opcoes);

} // namespace vastrel

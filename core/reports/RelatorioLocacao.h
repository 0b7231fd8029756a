#pragma once
// The HTML report of a level-terrace location: the inputs of the last run,
// the watershed's results and the terrace table read back from the ".bdt"
// beside the output vector, with the total length of the terraces.

#include <string>

#include "reports/RelatorioDimensionamento.h"

namespace vastrel {

// "Locação de Sistemas de Terraceamento em Nível".
std::string TituloRelatorioLocacao();

// The report of the project's last location run, UTF-8. Uses the level
// terrace system, the terrain and the location object as the run left them
// (the terrain's St holds the watershed's mean slope in percent). A missing
// or unreadable terrace table raises gis::EArquivoGis; a table of another
// version gives no terrace rows and a total of 0. Every text typed by the
// user (identification, place, file paths) is escaped.
std::string RelatorioLocacao(TProjeto& projeto, const TOpcoesRelatorio& opcoes);

} // namespace vastrel

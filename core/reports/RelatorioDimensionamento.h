#pragma once
// The HTML reports of a dimensioning: level terraces and graded terraces,
// built from the project objects as the last calculation left them. The
// report window shows and prints the text; the command line writes it.

#include <filesystem>
#include <optional>
#include <string>

#include "project/Projeto.h"

namespace vastrel {

// The picture of the simulation chart, a file the report names by itself.
struct TFiguraRelatorio {
    std::string Arquivo = "Bit.bmp"; // as written in the IMG element
    int Largura = 0;                 // pixels
    int Altura = 0;
};

struct TOpcoesRelatorio {
    std::string DataEmissao;                // empty: today's date
    std::filesystem::path PastaPrograma;    // folder of "Cabecalho.jpg"; empty: the program's folder, else the shared data folder
    std::optional<TFiguraRelatorio> Grafico; // the chart of the simulation page, when on display
};

// "Dimensionamento de Sistemas de Terraceamento em Nível" or "... com Gradiente".
std::string TituloRelatorioDimensionamento(bool gradiente);

// The report of the current terrace system (graded when the system type is
// graded, level otherwise), UTF-8. The graded report shows the flow stored in
// the graded system: the caller puts back the flow of the last calculation.
// Every text typed by the user is escaped.
std::string RelatorioDimensionamento(TProjeto& projeto, const TOpcoesRelatorio& opcoes);

// The text with "&", "<", ">" and '"' written as HTML entities.
std::string EscaparHtml(const std::string& texto);

} // namespace vastrel

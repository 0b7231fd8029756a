#pragma once
// The report of the rainfall database: what the consultation window gave for
// the chosen place (name, state, coordinates, the four parameters of the IDF
// equation and, for a state with a map, the map with the place marked). All
// values are the texts the window shows; the report formats no number.

#include <filesystem>
#include <optional>
#include <string>

#include "reports/RelatorioDimensionamento.h"

namespace vastrel {

// "Parâmetros da Equação de Intensidade, Duração e Frequência da Precipitação".
extern const char* const kTituloRelatorioNimbra;

struct TDadosRelatorioNimbra {
    std::string Cidade;      // place name: station, locality or "Não definida"
    std::string Estado;      // state name
    std::string Latitude;    // coordinate texts as shown
    std::string Longitude;
    std::string K, A, B, C;  // texts of the four parameter fields (may be empty)
    // The whole source of the equation (TBDPrecipitacao::FonteCompleta),
    // its warning and the note of a fallback; a section each when not empty.
    std::string Fonte;
    std::string Aviso;
    std::string Nota;
    // The state map with the place marked, when a state map is on display.
    std::optional<TFiguraRelatorio> Mapa;
    std::string DataEmissao; // empty: today's date
    // Folder of "Cabecalho_Nimbra21.jpg"; empty: the shared data folder.
    std::filesystem::path PastaCabecalho;
};

// The whole document, UTF-8; the place name is escaped.
std::string RelatorioNimbra(const TDadosRelatorioNimbra& d);

} // namespace vastrel

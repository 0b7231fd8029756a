#pragma once
// The published sources of the equations in the station file: for each short
// source label that a station record carries (at most 30 characters), the
// citation that the "Autor" dialog of the consultation window shows in its
// three lines (authors, title, publication).

#include <string>
#include <string_view>
#include <vector>

namespace vastrel {

struct TCitacaoFonte {
    std::string Rotulo;     // the label as stored in the `Fonte` field of a station
    std::string Autores;
    std::string Titulo;
    std::string Publicacao;
    // Beginning of the source description, in the compiled station table
    // from which the database is built, of the rows that carry this label.
    std::string Origem;
    // Equations obtained by disaggregating the one-day rainfall into
    // shorter durations (the DAEE-CETESB method): the consultation window
    // shows its note on such data for Goiás. No source of the database is
    // of that kind.
    bool Desagregada;
};

// Every source label of the station file, once.
const std::vector<TCitacaoFonte>& CitacoesFontes();

// The citation of a label (trailing blanks ignored), or nullptr for any
// other text, in particular "Interpolação".
const TCitacaoFonte* CitacaoDaFonte(std::string_view rotulo);

// What the source description of a station (TRegEstacao::Origem) says,
// in Portuguese; empty parts when the description does not give them.
struct TOrigemEstacao {
    std::string Estudo;    // study or compilation, e.g. "Compilação GRIDF-BR (Gomes Jr. et al. 2025)"
    std::string Entidade;  // agency of the gauge ("ANA", "INMET", "DAEE-SP" ...)
    std::string Codigo;    // gauge code
    std::string Periodo;   // period of record ("1990-2013", "25 anos de registro")
    std::string Detalhe;   // anything else worth citing (sheet row, validity)
};
TOrigemEstacao DescreverOrigem(std::string_view origem);

// The whole source of an equation in one line: study; agency code; period;
// detail. The short label alone when the description is absent.
std::string TextoOrigem(std::string_view fonte, std::string_view origem);

// Names for a list of stations that tell apart those sharing a name: a
// name that occurs more than once gets its agency, code and period in
// parentheses (and a number when even those agree).
struct TRegEstacao;
std::vector<std::string> NomesDistintos(const std::vector<TRegEstacao>& estacoes);

// The label of a row of the compiled station table from its source
// description. Raises Exception when no source begins that description.
std::string RotuloDaFonte(std::string_view descricao);

} // namespace vastrel

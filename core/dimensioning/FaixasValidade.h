#pragma once
// The ranges of the inputs for which the published methods and reference
// tables were written. A value outside its range is still computed (the
// methods do not fail there), but the design then rests on an extrapolation:
// the windows and the command line warn, naming the range, and never refuse.
// The help page "Faixas de validade" lists the same table.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vastrel {

class TProjeto;
struct TUnidades;

// The inputs that have a published range.
enum class TGrandezaFaixa { Tr, St, Sc, Sm, Z, nt, nc };

// How a range is shown: a slope in the slope display unit, or a value in
// the unit of the table.
enum class TExibicaoFaixa { Propria, Declividade };

struct TFaixaValidade {
    TGrandezaFaixa Grandeza;
    std::string_view Nome;     // as the sentence names the input, "o período de retorno"
    double Minimo, Maximo;     // stored units (slopes in m/m)
    std::string_view Unidade;  // stored unit; empty for a pure number
    TExibicaoFaixa Exibicao;
    std::string_view Fonte;    // the publication the range comes from
};

// The table, in the order of the entry page.
const std::vector<TFaixaValidade>& FaixasValidade();
const TFaixaValidade& Faixa(TGrandezaFaixa grandeza);

// The warning for a value outside its range, in the display units; nothing
// inside the range. The text carries no "Aviso:" prefix.
std::optional<std::string> AvisoFaixa(TGrandezaFaixa grandeza, double valor, const TUnidades& unidades);

// The warnings of the stored inputs of the project's current terrace system
// (the dimensioning), and of the inputs the location window shares with it
// (the storm and the ridge face Sm).
std::vector<std::string> AvisosDimensionamento(TProjeto& projeto);
std::vector<std::string> AvisosLocacao(TProjeto& projeto);

// Warnings as one text, one per line.
std::string TextoAvisos(const std::vector<std::string>& avisos);

} // namespace vastrel

#include "engine/SelecaoTipoTerraco.h"

#include <limits>

namespace vastrel {

const std::array<std::string_view, 5> TiposTerracoArbitrados = {
    "Vastrel de base estreita",
    "Vastrel de base média",
    "Vastrel de base larga",
    "Vastrel do Tipo murundum",
    "Vastrel em patamar",
};

namespace {

constexpr double kInfinito = std::numeric_limits<double>::infinity();

// Paraná: bounds on the right inclusive; nothing below 2 % or above 50 %.
constexpr std::array<TFaixaTipoTerraco, 4> kParana = {{
    {2.0, true, 8.0, true, "Terraços de Base Larga"},
    {8.0, false, 12.0, true,
     "Vastrel com lado posterior do dique íngreme e Terraços de base média"},
    {12.0, false, 18.0, true, "Terraços de Base Estreita"},
    {18.0, false, 50.0, true, "Terraços em Patamar"},
}};

// Emater/RS: bounds on the left inclusive.
constexpr std::array<TFaixaTipoTerraco, 4> kEmaterRS = {{
    {-kInfinito, true, 9.0, false,
     "Terraços de base larga sem captação de água externa à propriedade"},
    {9.0, true, 10.0, false,
     "Dois terraços de base larga e um terraço Tipo murundum (intercalados)"},
    {10.0, true, 12.0, false,
     "Um terraço de base larga e um terraço Tipo murundum (intercalados)"},
    {12.0, true, kInfinito, true, "Terraços Tipo Murundum"},
}};

// Lombardi Neto: bounds on the left inclusive.
constexpr std::array<TFaixaTipoTerraco, 4> kLombardiNeto = {{
    {-kInfinito, true, 8.0, false, "Terraços de Base Larga"},
    {8.0, true, 12.0, false, "Terraços de Base Média"},
    {12.0, true, 18.0, false,
     "Terraços de Base Estreita (incluindo terraço Tipo embutido, leirão ou murundum)"},
    {18.0, true, kInfinito, true, "Terraços em Patamar"},
}};

// The type of the row that holds D; empty when none does.
std::string_view TipoNaFaixa(const std::array<TFaixaTipoTerraco, 4>& tabela, double D)
{
    for (const TFaixaTipoTerraco& faixa : tabela)
        if (faixa.Contem(D))
            return faixa.TipoTerraco;
    return {};
}

} // namespace

std::span<const TFaixaTipoTerraco> FaixasTipoTerraco(int fonte)
{
    switch (fonte) {
    case 0: return kParana;
    case 1: return kEmaterRS;
    case 2: return kLombardiNeto;
    default: return {};
    }
}

void TSelecaoTipoTerraco::Seleciona(double D)
{
    switch (MetTipoTerraco) {
    case 0: TipoTerraco = TipoNaFaixa(kParana, D); break;
    case 1: TipoTerraco = TipoNaFaixa(kEmaterRS, D); break;
    case 2: TipoTerraco = TipoNaFaixa(kLombardiNeto, D); break;
    case 3: break;  // arbitrated: the text set by SetTipoArbitrado stays
    default: TipoTerraco.clear(); break;
    }
}

void TSelecaoTipoTerraco::SetTipoArbitrado(int i)
{
    TipoArbitrado = static_cast<std::uint8_t>(i);
    if (i >= 0 && static_cast<std::size_t>(i) < TiposTerracoArbitrados.size())
        TipoTerraco = TiposTerracoArbitrados[static_cast<std::size_t>(i)];
    else
        TipoTerraco.clear();
}

void TSelecaoTipoTerraco::Zerar()
{
    TipoTerraco.clear();
    TipoArbitrado = 0;
    MetTipoTerraco = 0;
}

} // namespace vastrel

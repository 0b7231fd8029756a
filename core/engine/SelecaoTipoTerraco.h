#pragma once
// Terrace type recommended for a field, either from a published table
// indexed by the land slope (Paraná, Emater/RS, Lombardi Neto) or as chosen
// by the user.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vastrel {

// The types the user can arbitrate, by TipoArbitrado 0..4.
extern const std::array<std::string_view, 5> TiposTerracoArbitrados;

// One row of a recommendation table: the slope interval, in percent, and the
// terrace type recommended within it.
struct TFaixaTipoTerraco {
    double De;       // lower bound, %, -infinity for none
    bool IncluiDe;
    double Ate;      // upper bound, %, +infinity for none
    bool IncluiAte;
    std::string_view TipoTerraco;

    bool Contem(double D) const
    {
        const bool acimaDoInicio = IncluiDe ? D >= De : D > De;
        const bool abaixoDoFim = IncluiAte ? D <= Ate : D < Ate;
        return acimaDoInicio && abaixoDoFim;
    }
};

// The rows of the table of a source (0 Paraná, 1 Emater/RS, 2 Lombardi
// Neto); no rows for any other source.
std::span<const TFaixaTipoTerraco> FaixasTipoTerraco(int fonte);

class TSelecaoTipoTerraco {
public:
    std::string TipoTerraco;          // recommended type; empty when none applies
    std::uint8_t TipoArbitrado = 0;   // the user's type, 0..4
    std::uint8_t MetTipoTerraco = 0;  // source: 0 Paraná, 1 Emater/RS, 2 Lombardi Neto, 3 user

    // Sets TipoTerraco from the table of the current source for the land
    // slope D in percent. Source 3 keeps the text; any other source, and a
    // slope outside every row, empties it.
    void Seleciona(double D);

    // Stores i as a byte (values outside 0..255 wrap modulo 256: -1 is 255,
    // -2 is 254) and sets TipoTerraco to the name of type i, or empties it
    // when i is outside 0..4.
    void SetTipoArbitrado(int i);

    void Zerar();
};

} // namespace vastrel

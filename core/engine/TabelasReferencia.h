#pragma once
// Published reference values of the channel and terrain parameters, shown
// by the reference dialogs of the dimensioning and location windows: the
// side slope Z of unlined earth channels, the slope Sm of the upstream face
// of typical terrace ridges, and Manning's roughness of the hillslope (nt)
// and of earth channels (nc), each with the source it was taken from. The
// option texts carry "&" before the access key.

#include <array>
#include <string>
#include <string_view>

namespace vastrel {

// Side slope Z (horizontal per vertical) by material, options 1..6; the
// last ("Ou&tros") has no value and is typed by the user.
struct TOpcaoZ {
    std::string_view Material;
    double Z;  // 0 for the typed option
};
extern const std::array<TOpcaoZ, 6> OpcoesZ;
inline constexpr int kOpcaoZDigitada = 6;
extern const std::string_view FonteZ;

// Sm (m/m) of the sections built by the state's machinery, options 1..8.
// The option 7 is a range (Baixo < Alto); the others a single value.
struct TOpcaoSm {
    std::string_view Linha1, Linha2;  // first and second descriptive line
    double Baixo, Alto;               // m/m; equal for a single value
};
extern const std::array<TOpcaoSm, 8> OpcoesSm;
inline constexpr int kOpcaoSmFaixa = 7;
extern const std::string_view FonteSm;

// Whether a value Sm·k (k the slope display multiplier, 1 or 100) typed for
// the option `indice` lies in its range; every value fits a single-valued
// option. The bounds are compared with a tolerance of 1e−9·k.
bool SmNaFaixa(int indice, double valorMostrado, int k);
// "Valor de Sm inconsistente. Forneça um valor compreendido entre:[low .. high]."
// with the range of option 7 in display units, in the general form.
std::string AvisoFaixaSm(int k);

// Manning roughness, s/m^(1/3): the interval and the value taken.
struct TOpcaoRugosidade {
    std::string_view Grupo;  // surface or channel heading; empty to continue the last
    std::string_view Opcao;
    double Minimo, Normal, Maximo;
};
// nt of overland flow surfaces, options 1..19 (the value taken is Normal).
extern const std::array<TOpcaoRugosidade, 19> OpcoesRugosidadeTerreno;
extern const std::string_view FonteRugosidadeTerreno;
// nc of earth channels, options 1..9 (the value taken is the normal one).
extern const std::array<TOpcaoRugosidade, 9> OpcoesRugosidadeCanal;
extern const std::string_view FonteRugosidadeCanal;

} // namespace vastrel

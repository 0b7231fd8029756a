#pragma once
// Reference tables of the terrace spacing methods: the soil classes of the
// Bentley and Paraná methods, and the crops, erosion-resistance groups and
// soil-preparation groups of the method of Lombardi Neto et al., with that
// method's recommended maximum slope for each erosion group. The windows and
// the command line show these rows; TEspacamento applies them.

#include <array>
#include <string_view>

namespace vastrel {

// Names of the spacing methods, by IndMetodologia 0..4.
extern const std::array<std::string_view, 5> NomesMetodologiaEspacamento;

// A soil class of the Bentley or Paraná method.
struct TClasseSolo {
    std::string_view TipoSolo;  // class name
    double X;                   // soil class value of the formula
};

// By IndSolo 0..2: X in the Bentley formula (dimensionless divisor of the
// slope in percent) and in the Paraná formula (multiplier).
extern const std::array<TClasseSolo, 3> SolosBentley;
extern const std::array<TClasseSolo, 3> SolosParana;

// A crop of the Lombardi Neto method, alphabetical, by IndCultura.
struct TLinhaCultura {
    std::string_view Cultura;  // crop name
    double IndiceU;            // use-and-management index u
};
extern const std::array<TLinhaCultura, 33> CulturasLombardiNeto;

// An erosion-resistance group of the Lombardi Neto method, A..D by IndErosao.
struct TLinhaErosao {
    std::string_view GrupoSolo;      // the list's item text
    double IndiceK;                  // erodibility index K
    std::string_view UnidadesSolo;   // soil units of the group
};
extern const std::array<TLinhaErosao, 4> GruposErosaoLombardiNeto;

// A soil-preparation group of the Lombardi Neto method, 1..5 by IndPreparo.
struct TLinhaPreparo {
    std::string_view GrupoPreparo;       // the list's item text
    std::string_view PreparoPrimario;    // primary tillage
    std::string_view PreparoSecundario;  // secondary tillage
    std::string_view RestosCulturais;    // crop residues
    double IndiceM;                      // preparation-and-residue index m
    std::string_view TextoM;             // m as the window shows it
};
extern const std::array<TLinhaPreparo, 5> GruposPreparoLombardiNeto;

// Recommended maximum land slope of the Lombardi Neto method for an erosion
// group, by IndErosao, with the warning in each slope display unit.
struct TLimiteDeclividade {
    double LimitePercentual;                // maximum slope, %
    std::string_view AvisoPercentual;       // warning when slopes show in "%"
    std::string_view AvisoMetroPorMetro;    // warning when slopes show in "m/m"
};
extern const std::array<TLimiteDeclividade, 4> LimitesDeclividadeLombardiNeto;

// Checked row access for the Lombardi Neto tables: an index outside the
// table raises Exception with a message that gives the valid indices.
const TLinhaCultura& LinhaCultura(int indCultura);
const TLinhaErosao& LinhaErosao(int indErosao);
const TLinhaPreparo& LinhaPreparo(int indPreparo);

// The warning for erosion group `indErosao` when the slope D (in percent)
// exceeds the group's limit; empty when it does not. `unidadePercentual`
// selects the "%" text, otherwise the "m/m" text. An index outside 0..3
// raises Exception.
std::string_view AvisoDeclividadeLombardiNeto(int indErosao, double D, bool unidadePercentual);

} // namespace vastrel

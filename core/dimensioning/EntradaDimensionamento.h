#pragma once
// The entry page of the dimensioning as data: the texts of its fields, how
// the project objects fill them, how they are read back into the objects,
// the order in which they are validated, and the calculation that follows.
// The dimensioning window and the command line share it, so that a project
// computed from the command line gives what the window's "Calcular" gives.

#include <optional>
#include <string>

#include "project/Projeto.h"

namespace vastrel {

// The fields of the entry page, as texts in display units.
struct TCamposDimensionamento {
    int Sistema = 0;  // 0 level, 1 graded
    std::string Tr, K, A, B, C;
    std::string Latitude, Longitude;
    int Canal = 1;    // 0 trapezoidal, 1 triangular
    std::string Sc;   // channel slope (graded)
    std::string Comp; // channel length, m (graded)
    std::string RugCan; // channel roughness nc (graded)
    std::string BSt;  // B (trapezoidal) or St (triangular)
    std::string ZSm;  // Z (trapezoidal) or Sm (triangular)
    std::string DecliTer; // terrain slope
    std::string RugTer;   // terrain roughness nt (graded)
    int Metodo = 1;   // spacing method index
    std::string EH, EV;
    std::string VIB;  // stable infiltration rate
};

// Identifies a field for the focus after a validation failure.
enum class TCampo {
    Tr, K, A, B, C, ZSm, BSt, RugTer, Sc, Comp, RugCan, DecliTer, EV, EH, VIB
};

struct TFalhaValidacao {
    TCampo Campo;
    std::string Mensagem;
};

// Shows a value with a format mask, or an empty text for the "empty" value.
std::string MostrarReal(const std::string& formato, double vazio, double valor);
// An empty text gives the default; any other text must be a number
// (comma or point), or EConvertError is raised.
double LerReal(const std::string& texto, double padrao);

// The design storm's fields, shared by the dimensioning and location entry
// data (both have Tr, K, A, B, C, Latitude and Longitude texts): the storm
// and its place into the fields, and the four parameters and the return
// period back into the storm (EConvertError for a text that is not a
// number). The place is read back by each window's own rule.
template <class TCampos>
void PreencherCamposChuva(TCampos& c, const TPrecipitacaoExponencialNegativa& chuva, const TNimbra21& nimbra)
{
    constexpr const char* kFormato = "0.0######";
    c.Tr = MostrarReal(kFormato, 0, chuva.Tr);
    c.K = MostrarReal(kFormato, 0, chuva.K);
    c.A = MostrarReal(kFormato, 0, chuva.a);
    c.B = MostrarReal(kFormato, 0, chuva.b);
    c.C = MostrarReal(kFormato, 0, chuva.c);
    c.Latitude = nimbra.Latitude;
    c.Longitude = nimbra.Longitude;
}

template <class TCampos>
void LerCamposChuva(const TCampos& c, TPrecipitacaoExponencialNegativa& chuva)
{
    chuva.SetTr(LerReal(c.Tr, 0));
    chuva.SetK(LerReal(c.K, 0));
    chuva.SetA(LerReal(c.A, 0));
    chuva.SetB(LerReal(c.B, 0));
    chuva.SetC(LerReal(c.C, 0));
}

// Fill: the objects into the fields.
TCamposDimensionamento PreencherCampos(TProjeto& projeto);

// Read: the fields into the objects. Raises the conversion error or a
// setter's message; objects read before the failure keep their new values.
void LerCampos(const TCamposDimensionamento& campos, TProjeto& projeto);

// The first empty required field, in the window's order, or nothing.
std::optional<TFalhaValidacao> ValidarCampos(const TCamposDimensionamento& campos);

// What the results page shows after a calculation.
struct TResultadoDimensionamento {
    bool Gradiente = false;
    double Q = 0;   // design flow at the channel outlet, L/s (graded)
    double LES = 0; // runoff depth of one storm, mm (level)
    double EV = 0;  // vertical spacing, m
    double H = 0;   // theoretical height or flow depth, m
    double CDu = 1; // coefficient of non-uniformity
    double Hr = 0;  // recommended height, cm
};

// The recommended height in cm: √CDu × (H × 100) + 10, H in m.
double AlturaRecomendada(double H, double CDu);

// Dimensions the current terrace system of the project with its stored
// values. Engine errors propagate (EDimensionamento and its relatives).
TResultadoDimensionamento Dimensionar(TProjeto& projeto);

} // namespace vastrel

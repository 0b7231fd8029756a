#pragma once
// The entry page of the dimensioning as data: the texts of its fields, how
// the project objects fill them, how they are read back into the objects,
// the order in which they are validated, and the calculation that follows.
// The dimensioning window and the command line share it, so that a project
// computed from the command line gives what the window's "Calcular" gives.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/Format.h"
#include "project/Projeto.h"

namespace vastrel {

// Number formats of the dimensioning's fields and results.
inline constexpr const char* kFormatoCurto = "0.0##";      // B and Z of a level trapezoid, EV from EH × St
inline constexpr const char* kFormatoEspacamento = "0.0#"; // EH and EV
inline constexpr const char* kFormatoVazao = "0.00";       // Q, L/s
inline constexpr const char* kFormatoLES = "0.0";          // LES, mm
inline constexpr const char* kFormatoEV = "0.00";          // EV on the results page, m
inline constexpr const char* kFormatoAltura = "0.0";       // H and Hr, cm
inline constexpr const char* kFormatoCDu = "0.00";         // CDu on the results page

// What the window shows when the engine fails; the engine's own message
// goes under it.
inline constexpr const char* kMsgErroCalculo = " Erro no cálculo ";
// What the dimensioning says of a channel longer than
// kComprimentoMaximoCanal (engine/Canal.h).
inline constexpr const char* kMsgComprimentoMaximo =
    " O comprimento máximo permitido para o canal é de 1500 metros. ";

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
    Tr, K, A, B, C, ZSm, BSt, RugTer, Sc, Comp, RugCan, DecliTer, EV, EH, VIB, CDu
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
    c.Tr = MostrarReal(kFormatoGeral, 0, chuva.Tr);
    c.K = MostrarReal(kFormatoGeral, 0, chuva.K);
    c.A = MostrarReal(kFormatoGeral, 0, chuva.a);
    c.B = MostrarReal(kFormatoGeral, 0, chuva.b);
    c.C = MostrarReal(kFormatoGeral, 0, chuva.c);
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

// The texts of B and Z of a trapezoidal channel in the format given. A
// section is given when either is not 0; then both show, a 0 included (a
// rectangular or V channel). Both are empty when neither is given.
std::pair<std::string, std::string> TextosSecaoTrapezoidal(const char* formato, double B, double Z);

// Fill: the objects into the fields. A spacing method without a formula in
// this window (the location's "Altura do terraço arbitrada") is shown as it
// is stored.
TCamposDimensionamento PreencherCampos(TProjeto& projeto);

// Read: the fields into the objects. Raises the conversion error or a
// setter's message; objects read before the failure keep their new values.
// Each channel shape keeps its own values: reading a triangular channel
// leaves B and Z as they are, a trapezoidal one leaves Sm. A negative
// method (none chosen in the list) keeps the stored one.
void LerCampos(const TCamposDimensionamento& campos, TProjeto& projeto);

// The first empty required field, in the window's order, or nothing; then a
// graded channel longer than kComprimentoMaximoCanal.
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
    bool SemEscoamento = false; // the strip yields no runoff for the storm: Q (or LES) and H are 0
};

// Dimensions the current terrace system of the project with its stored
// values. Engine errors propagate (EDimensionamento and its relatives).
TResultadoDimensionamento Dimensionar(TProjeto& projeto);

// Stores the coefficient of non-uniformity in the current system (1 or
// less stores 1) and the recommended height that goes with it, so that
// the two always belong together.
void AplicarCDu(TProjeto& projeto, double CDu);

// The outcome of "Calcular".
struct TCalculoDimensionamento {
    // A field refused (empty, or a channel over the length limit): its
    // message and the field that takes the focus.
    std::optional<TFalhaValidacao> Falha;
    // A text that is not a number, or a setter's message.
    std::string ErroLeitura;
    // The engine failed: its message, shown under kMsgErroCalculo.
    std::string ErroMotor;
    // Values outside their published ranges, and a strip that yields no
    // runoff: shown beside the results, never a refusal.
    std::vector<std::string> Avisos;
    std::optional<TResultadoDimensionamento> Resultado;

    bool Calculado() const { return Resultado.has_value(); }
};

// "Calcular": the fields into the objects, the validation, the range
// warnings and the dimensioning of the current system, whose H, Hr (with
// its CDu) and, for graded terraces, Q are stored. When anything fails the
// stored results are cleared, so that no result is kept (or saved) beside
// inputs it does not belong to.
TCalculoDimensionamento Calcular(const TCamposDimensionamento& campos, TProjeto& projeto);
// The same on the fields as the project fills them (the command line).
TCalculoDimensionamento Calcular(TProjeto& projeto);

} // namespace vastrel

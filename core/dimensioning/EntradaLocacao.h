#pragma once
// The fields of the location window as data: how the project objects fill
// them, how they are written back into the objects, the order in which they
// are checked before a run, and where the run's files lie.

#include <filesystem>
#include <optional>
#include <string>

#include "engine/Espacamento.h"  // the spacing method indices

namespace vastrel {

class TProjeto;

// Source of the recommended terrace type.
inline constexpr int kCriterioArbitrado = 3;

// The fields of the location window, as texts in display units.
struct TCamposLocacao {
    int Metodo = 0;          // spacing method index
    std::string EditEsp;     // EV (method 3) or the location's arbitrated height (method 4), m
    std::string Tr, K, A, B, C;
    std::string Latitude, Longitude; // coordinate texts, empty when they carry no digit
    int Criterio = 0;        // terrace type source: 0 Paraná, 1 Emater/RS, 2 Lombardi Neto, 3 arbitrated
    int TipoArbitrado = 0;   // the arbitrated type, 0..4
    std::string ZSm;         // Sm, the slope of the ridge's upstream face, display unit of slopes
    std::string CoefUni;     // coefficient of non-uniformity CDu
    std::string VIB;         // stable infiltration rate, display unit
    // Graded terraces (the project's system type 1): the channel of the
    // graded system and the terrain's roughness.
    bool Gradiente = false;
    int Canal = 1;           // 0 trapezoidal, 1 triangular (ZSm is then Sm)
    std::string Base;        // B of the trapezoidal channel, m
    std::string Talude;      // Z of the trapezoidal channel, horizontal per vertical
    std::string Sc;          // channel grade, display unit of slopes
    std::string RugCan;      // channel roughness nc
    std::string Comp;        // longest channel, m
    std::string RugTer;      // terrain roughness nt
};

// A field that must not be empty before a run, in the order of the checks.
enum class TCampoLocacao { Tr, K, A, B, C, ZSm, VIB, EditEsp, Base, Talude, Sc, RugCan, Comp, RugTer };

struct TFalhaLocacao {
    TCampoLocacao Campo;
    std::string Mensagem;
};

// The objects into the fields: the spacing, ridge face and CDu of the
// project's current terrace system, and for graded terraces its channel.
TCamposLocacao CamposLocacao(TProjeto& projeto);

// The fields into the objects, in the window's order: method and its typed
// spacing or height, storm, place, terrace type source, channel and soil.
// The typed EV or Hr must be a number (an empty text fails too); the other
// numbers count as 0 when empty. Raises EConvertError for a text that is not
// a number; the objects written before it keep their new values.
void GravarCampos(const TCamposLocacao& campos, TProjeto& projeto);

// The first required field that is empty, not a number or out of its range
// (Tr, K, c, Sm and a typed EV or height above 0; a, b and VIB not
// negative; for graded terraces Sc, nc, nt above 0, the longest channel
// from 1 to kComprimentoMaximoCanal m, B and Z of a trapezoidal channel not
// negative), or nothing.
std::optional<TFalhaLocacao> ValidarCampos(const TCamposLocacao& campos);

// The same checks on a project's stored values, for a run started without
// the window: the message of the first failure, or nothing.
std::optional<std::string> ErroDadosLocacao(TProjeto& projeto);

// A coordinate text as the rainfall component keeps it: empty when it holds
// no digit (an input mask left blank).
std::string TextoCoordenada(const std::string& texto);

// A file path kept in a project: an absolute path as it is; a relative one
// (Windows separators accepted) lies beside the project file, its folders
// matched without regard to case. An empty path stays empty.
std::filesystem::path CaminhoDoProjeto(const std::filesystem::path& projeto, std::string caminho);

} // namespace vastrel

#pragma once
// One project: every object whose state a project file keeps, and the
// reading and writing of the whole file in its fixed section order.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/Exceptions.h"
#include "engine/Canal.h"
#include "engine/CanalGradiente.h"
#include "engine/Terreno.h"
#include "location/LocacaoNivel.h"
#include "project/IDProjeto.h"
#include "project/Unidades.h"
#include "rainfall/Nimbra21.h"

namespace vastrel {

class TIniFile;

// A project file that cannot be read or written. The message is the one the
// user sees; Motivo says why, for a second line of detail.
class EArquivoProjeto : public Exception {
public:
    EArquivoProjeto(const std::string& message, std::string motivo)
        : Exception(message), Motivo(std::move(motivo)) {}
    std::string Motivo;
};

inline constexpr const char* kModuloDimensionamento = "Dimensionamento";
inline constexpr const char* kModuloLocacao = "Locacao";

class TProjeto {
public:
    TProjeto() { Zerar(); }

    TIDProjeto IDProjeto;
    TTipoSistema TipoSistema;
    TNimbra21 Nimbra;                 // place of the rainfall equation and the design storm
    TTerreno Terreno;
    TTerracosNivel TerracosNivel;
    TTerracosGradiente TerracosGradiente;
    TLocacaoNivel Locacao;

    // Program-wide settings that a project file also carries: a read replaces
    // them, a reset does not touch them.
    TUnidades Unidades;
    std::string Modulo; // "Dimensionamento", "Locacao" or empty

    // The design storm of the project.
    TPrecipitacaoExponencialNegativa& Chuva() { return Nimbra.Precipitacao; }

    // True for graded terraces (system type 1); every other type is handled
    // as level terraces by the dimensioning.
    bool Gradiente() const { return TipoSistema.Tipo == 1; }
    TCanal& CanalAtual();
    TEspacamento& EspacamentoAtual();

    // The reset of a new, opened or closed project: identification, both
    // terrace systems, the location, the terrain and the rainfall component,
    // whose state becomes the default state of the settings; system type 0.
    void Zerar();

    // Reads a whole project. On failure every object is reset and
    // EArquivoProjeto "Não foi possível abrir o arquivo <path>." is raised.
    // What an optional part could not take (a damaged terrace section, a
    // channel over the length limit, values of an earlier version
    // converted) is said in AvisosLeitura; the rest of the file reads.
    void Ler(const std::filesystem::path& path);

    // Writes a whole project. The file is replaced only once the new content
    // was written whole; sections this save does not write keep what the
    // file held. The results of the current terrace system (H, Hr, Q) are
    // written only while they belong to its stored inputs; otherwise they
    // are cleared first. On failure EArquivoProjeto "Não foi possível
    // gravar o arquivo <path>." is raised and the file is as it was.
    void Gravar(const std::filesystem::path& path);

    // Messages of the last read, in Portuguese, one per problem.
    std::vector<std::string> AvisosLeitura;

    // The stored results of the current terrace system belong to its stored
    // inputs (set after a calculation and after a read) ...
    void MarcarResultados();
    // ... and still do: true also when nothing was marked since the reset.
    bool ResultadosValidos() const;
    // Clears H, Hr and Q of the current terrace system: no results.
    void LimparResultados();

private:
    // The inputs the results of the current terrace system depend on.
    std::vector<double> EntradasResultados() const;
    std::optional<std::vector<double>> entradasMarcadas_;

    void LerOpcionais(TIniFile& ini);
    void ConverterVersaoAnterior(const TIniFile& ini);
};

} // namespace vastrel

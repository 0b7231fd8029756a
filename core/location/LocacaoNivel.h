#pragma once
// Level-terrace location over a watershed.
//
// Given the elevation raster (m) and the slope raster (%) of a watershed
// (".ras" files, 0 outside the watershed), lays out level terraces as
// contour lines from the summit down (TracadoNivel.h), gives each the height
// its own strip needs, and writes a vector file (".vet") with one line per
// terrace in map coordinates, the terrace table (".bdt") and the coordinate
// system of the elevation raster (".prj") beside it.
//
// TLocacaoNivel is what the project keeps of the location: the three paths
// and the location's own arbitrated height and last mean slope. A run takes
// its inputs and a progress/stop object with the call and returns its
// results; it changes none of the project's objects.

#include "engine/SelecaoTipoTerraco.h"
#include "gis/BDT.h"
#include "gis/BDTGradiente.h"
#include "gis/Progresso.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vastrel {

class TIniFile;
class TPrecipitacao;
class TTerreno;
class TTerracosNivel;

inline constexpr const char* kMsgCarregandoImagens = "Carregando Imagens";
inline constexpr const char* kMsgTerracosLocados = "Número de terraços locados: ";
// Keys of the location's own values in the section "LOCACAONIVEL".
inline constexpr const char* kChaveAlturaArbitrada = "AlturaArbitrada";
inline constexpr const char* kChaveDeclividadeMedia = "DeclividadeMedia";

class TLocacaoNivel {
public:
    // Paths chosen in the location window and kept in the project file.
    std::string fnImgElev;  // elevation raster (".ras")
    std::string fnImgDecli; // slope raster (".ras")
    std::string fnVetSaida; // output vector (".vet"); the terrace table lies beside it
    // Recommended terrace height given for the spacing method "Altura do
    // terraço arbitrada", m. The location's own: the level terrace system's
    // Hr is the dimensioning's result, in cm.
    double AlturaArbitrada = 0;
    // The watershed's mean slope of the last run, %.
    double DeclividadeMedia = 0;

    void Zerar();

    // Section "LOCACAONIVEL": keys "fnImgElev", "fnImgDecli", "fnVetSaida"
    // (texts, empty by default), "AlturaArbitrada" (m) and
    // "DeclividadeMedia" (%) (numbers, 0 by default; files of earlier
    // versions lack both, see TProjeto::Ler). The section has no "Versao"
    // key; neither operation reports a result that the project reader acts
    // on.
    void Ler(const TIniFile& ini);
    void Gravar(TIniFile& ini) const;
    void Ler(const std::filesystem::path& p);
    void Gravar(const std::filesystem::path& p) const;

    // The terrace table path of an output vector: the same path with the
    // extension ".bdt".
    static std::filesystem::path CaminhoTabela(const std::filesystem::path& vetSaida);
};

// What a run needs. The design objects are read, never changed.
struct TEntradaLocacaoNivel {
    std::filesystem::path ImgElev, ImgDecli, VetSaida;
    TPrecipitacao& Chuva;           // the design storm (evaluating it may fill its caches)
    const TTerreno& Terreno;
    const TTerracosNivel& Terracos; // spacing method and parameters, Sm, CDu, type criterion
    double AlturaArbitrada = 0;     // m, for the method "Altura do terraço arbitrada"
};

// How far the layout can be trusted, for the report and the command line.
struct TQualidadeLocacao {
    double AreaBacia = 0;        // every cell with data, ha
    double AreaDrenada = 0;      // the terraces' strips, ha
    double AreaRestante = 0;     // draining into no terrace: below the lowest terraces, hollow bottoms, ha
    std::int32_t Terracos = 0;
    std::int32_t Morros = 0;     // closed lines round higher ground
    std::int32_t Depressoes = 0; // closed lines round lower ground
    // Horizontal spacing: the mean width of each strip (its area over its
    // terrace's length), m.
    double EspacamentoMin = 0, EspacamentoMediano = 0, EspacamentoMax = 0;
    double LadoCelula = 0;       // side of a cell, m
    double PercentualDrenado() const { return AreaBacia > 0 ? 100 * AreaDrenada / AreaBacia : 0.0; }
};

struct TResultadoLocacao {
    std::filesystem::path ImgElev, ImgDecli, VetSaida; // the run's files
    bool Gradiente = false;            // graded terraces: TabelaGradiente; level ones: Tabela
    TBDT Tabela;                       // as written beside the vector
    TTabelaGradiente TabelaGradiente;  // as written beside the vector
    double DeclividadeMedia = 0;       // the watershed's, %
    double EV = 0, EH = 0;             // spacing for the watershed's mean slope, m
    double LES = 0;                    // runoff depth of the design storm, mm
    TSelecaoTipoTerraco SelecaoTipoTerraco; // the type recommended for the mean slope
    TQualidadeLocacao Qualidade;
    std::vector<std::string> Avisos;   // every warning of the run, in Portuguese
    bool Interrompida = false;         // stopped by the user: the files hold what was placed
};

// What the user should know before a run: the spacing of the watershed's
// mean slope against the raster's cells, and whether the rasters look right.
struct TPrevisaoLocacao {
    double DeclividadeMedia = 0; // %
    double EV = 0, EH = 0;       // m
    double LadoCelula = 0;       // m
    std::string AvisoResolucao;  // empty when the strips span three cells or more
    // Everything to say before the run: a cell size no DEM has, a slope
    // raster that does not match the elevation raster, and the strips
    // narrower than three cells (AvisoResolucao, last).
    std::vector<std::string> Avisos;
};

// Reads the rasters and works out the spacing of the watershed's mean
// slope; raises Exception with a message in Portuguese when the inputs
// cannot be used (see LocarNivel).
TPrevisaoLocacao PreverLocacaoNivel(const TEntradaLocacaoNivel& entrada);

// The whole run. Input that cannot be used (an unreadable raster, an
// elevation raster that is not of real type, a slope raster of another size,
// no cell with data, cells without size, no output path, a spacing that is
// not positive) raises Exception with a message in Portuguese before
// anything is written; so does a run that places no terrace. An error of the
// spacing or channel formulas ends the run and nothing is written. A stop
// request (progresso.Parar) writes the files with the terraces placed so far
// and marks the result Interrompida.
TResultadoLocacao LocarNivel(const TEntradaLocacaoNivel& entrada, const gis::TProgressoGis& progresso = {});

// The quality summary as lines of text, for the command line and the window.
std::vector<std::string> TextoQualidade(const TResultadoLocacao& r);

} // namespace vastrel

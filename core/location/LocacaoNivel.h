#pragma once
// Level-terrace location over a watershed.
//
// Given the elevation image (m) and the slope image (%) of a watershed (".ras"
// files, 0 outside the watershed), lays out level terraces as contour lines
// from the summit down to the outlet. The vertical spacing EV below each
// terrace comes from the chosen spacing method for the mean slope of the strip
// of land the next terrace will drain, so the spacing follows the local
// slope: a trial contour at the spacing of the whole watershed gives the
// strip, its mean slope gives EV, and the terrace is placed at that EV below
// the last one. The strip above each terrace is its contributing area, from
// which the terrace height follows. Hills rising inside a strip are terraced
// on their own upward, hollows sinking inside a strip downward.
//
// Output: a vector file (".vet") with one line per terrace in map
// coordinates, and beside it the terrace table (".bdt", same name) with one
// record per terrace.
//
// The run happens on the user-interface thread. It lets pending window events
// run at fixed points (ProcessPendingEvents) and stops, keeping what it has
// placed, at the next test of Cancelar. Progresso, Mensagem, NumLocados and
// Cancelar may be read and set from another thread too.

#include "gis/BDT.h"
#include "location/ImgApoio.h"
#include "location/ImgElevacao.h"
#include "location/Lista.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>

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
    TLocacaoNivel();
    ~TLocacaoNivel();
    // Copies the file names and the results of the last run.
    TLocacaoNivel(const TLocacaoNivel& outra);
    TLocacaoNivel& operator=(const TLocacaoNivel& outra);

    // Paths chosen in the location window and kept in the project file.
    std::string fnImgElev;  // elevation raster (".ras")
    std::string fnImgDecli; // slope raster (".ras")
    std::string fnVetSaida; // output vector (".vet"); the terrace table lies beside it
    // Recommended terrace height given for the spacing method "Altura do
    // terraço arbitrada", m. The location's own: the level terrace system's
    // Hr is the dimensioning's result, in cm.
    double AlturaArbitrada = 0;

    // The run's own values, kept after it for the report.
    double EVInicial = 0;    // EV for the whole watershed's mean slope: the offset of every trial contour, m
    double AreaPixel = 0;    // area of one cell, m²
    double AreaLocada = 0;   // contributing areas assigned so far, m²
    double FatorUnidade = 0; // metres per map unit: 1000 for "KM", otherwise 1
    double AreaBacia = 0;    // watershed area, ha
    double DeclividadeMedia = 0; // the watershed's mean slope of the last run, %, also kept in the project
    std::string ImgElevRun, ImgDecliRun, VetSaidaRun; // the paths of the last run

    // Terraces and lines numbered so far (the last number given).
    std::atomic<std::int32_t> NumLocados{0};
    // Progress of the run, 0 to 100.
    std::atomic<double> Progresso{0};
    // Cancel request: the run stops at its next test of the flag, keeping
    // the terraces placed so far.
    std::atomic<bool> Cancelar{false};
    // Status text of the progress window.
    std::string Mensagem() const;

    // Reads the full scans of the support image instead of the scans
    // confined to the land a step touched (the results are the same; for
    // tests and timing).
    bool VarreduraCompleta = false;

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

    // The whole run. Loads the two rasters, lays out the terraces with the
    // storm, the terrain and the level terrace system (its spacing method,
    // spacing and type selection), and writes the vector file and the
    // terrace table beside it. Input that cannot be used (an unreadable
    // raster, an elevation raster that is not of real type, a slope raster
    // of another size or without data, cells without size, no output path,
    // a spacing that is not positive) raises Exception with a message in
    // Portuguese before anything is written; an error of the spacing or
    // channel formulas ends the run where it occurs and nothing is written.
    // A cancel writes the files with what was placed. Afterwards
    // DeclividadeMedia holds the watershed's mean slope in percent and the
    // type selection the recommended type; the terrain and the spacing keep
    // the values they had before the run (those of the dimensioning). The
    // spacing method "Altura do terraço arbitrada" takes the height
    // AlturaArbitrada.
    void Locar(const std::filesystem::path& imgElev, const std::filesystem::path& imgDecli, TPrecipitacao& chuva,
               TTerreno& terreno, TTerracosNivel& terracos, const std::filesystem::path& vetSaida);

    // The terrace table path of an output vector: the same path with the
    // extension ".bdt".
    static std::filesystem::path CaminhoTabela(const std::filesystem::path& vetSaida);

private:
    struct TExecucao;

    void SetMensagem(const std::string& m);
    void SetProgresso(double p);

    // The steps of the run (see LocacaoNivel.cpp).
    void LocarDescendo(TPixelS inicio);
    void LocarSubindo(TPixelS B, TLinha E, double x);
    double MedirFaixa(const TLinha& L, const TPixelS& C, double qSuperior, double nivelC);
    std::int32_t BuscarEnclave(int modo, double q);
    double CurvaTesteAbaixo(TPixelS& P, double q, double nivelP, TLinha& L, const TPixel& alvo);
    double CurvaTesteAcima(TPixelS& P, const TPixelS& a, double p, double nivelP, TLinha& L, const TPixel& alvo);
    bool BuscarLinha(TPixelS& P, const TPixelS& X, int sentido, double q, double nivelX, TLinha& L,
                     const TPixel& alvo, TPixelS* achada = nullptr);
    bool Separa(const TLinha& L, const TPixel& inicio, double q, int sentido, const TPixelS& origem,
                const TPixel& alvo) const;
    bool EnclaveTerraceavel(const TLinha& E, const TResultadoTraco& traco) const;
    TPixel Alvo(const TPixelS& X, int sentido, double nivel) const;

    TPixelS Passo(const TPixelS& X, int sentido, double nivel) const;
    void Buscar(TPixelS& P, const TPixelS& X, int sentido, double q, double nivelX);
    void MarcarAcima(const TPixelS& X, double nivel);
    void MarcarAbaixo(const TPixelS& X, double nivel);
    double Contar() const;
    void AtualizarEspacamento(double S);
    void Registrar(const TLinha& L, double q, double S);
    TRegTerr* Registro(std::int32_t numero);
    void AtribuirArea(std::int32_t numero, double A);
    void AtualizarProgresso(double A);
    TLinha ParaMapa(const TLinha& L) const;
    bool Arbitrado() const;

    mutable std::mutex mutexMensagem_;
    std::string mensagem_;
    std::unique_ptr<TExecucao> run_; // the images, vector and table of a run in progress
};

} // namespace vastrel

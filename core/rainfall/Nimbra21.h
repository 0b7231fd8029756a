#pragma once
// The rainfall database component: the place whose IDF equation the project
// uses and the design storm itself, kept in the project section "NIMBRA".

#include <cstdint>
#include <filesystem>
#include <string>

#include "engine/Precipitacao.h"
#include "rainfall/JanelaConsulta.h"

namespace vastrel {

class TIniFile;

class TNimbra21 {
public:
    TNimbra21() { Zerar(); }

    int HelpContext = 0;          // help topic given to the consultation window
    std::string Autoria;          // source label of the equation chosen last; not stored
    std::string Latitude;         // coordinate text "DD°MM'SS\"" (south), or empty
    std::string Longitude;        // coordinate text (west), or empty
    std::int16_t IndLocalidade = -1; // position of the chosen locality in its state's block, -1 none
    std::int16_t IndEstacao = -1;    // position of the chosen station, -1 none
    std::string StrCidade;        // name of the place
    std::int16_t IndEstado = -1;  // state index 0..26, -1 none
    std::string StrEstado;        // state name
    bool ShowAbout = false;       // show the database's about screen on first consultation
    std::string Secao;            // suffix of the section name "NIMBRA"
    // The whole source of the equation chosen (study or compilation,
    // agency, station code, period; the stations of an interpolation; the
    // grid), kept in the project as "FonteEquacao"; empty when unknown (a
    // project written before the key existed, or typed parameters).
    std::string FonteEquacao;

    // The project's design storm, owned by this component.
    TPrecipitacaoExponencialNegativa Precipitacao;

    // Creates the consultation window; set by the desktop program. Kept by
    // Zerar.
    FabricaJanelaConsulta CriarJanelaConsulta;

    void Zerar();

    // Lets the user choose the place of the design storm in the rainfall
    // database of the shared data folder. Raises Exception when the folder
    // or a database file is missing, when no state is set, or when no
    // window can be created; the window's own errors pass on. On
    // confirmation the state, the place and the storm's K, a, b and c take
    // the window's values and the result is true; the return period is
    // never changed. On cancel, or when any value the window gives back is
    // not acceptable, nothing changes.
    bool Consultar();

    // Section "NIMBRA"+Secao, with the storm's own sections written between
    // "Versao" and the other keys.
    bool Ler(TIniFile& ini);
    bool Gravar(TIniFile& ini);
    bool Ler(const std::filesystem::path& p);
    bool Gravar(const std::filesystem::path& p);
};

} // namespace vastrel

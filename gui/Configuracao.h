#pragma once
// The settings file "Vastrel3.ini", section "PRINCIPAL": the display units,
// the recent projects and the default state of the rainfall database. Read
// once when the main window is made, written once when it closes.

#include <array>
#include <filesystem>
#include <string>

#include "project/Unidades.h"

namespace vastrel::gui {

struct TConfiguracao {
    TUnidades Unidades;                  // only the unit keys and IndEstadoPadrao are stored
    std::array<std::string, 4> Recentes; // most recent first
    // Whether the user has chosen the default state: false on the first
    // start (no settings file, or no valid "IndEstado"), when the program
    // asks for it; an unchosen state is written as an empty "IndEstado".
    bool EstadoDefinido = false;
};

// Where the settings are written: "Vastrel3.ini" in the program's folder, or,
// when that folder cannot be written (an installed program), in the user's
// configuration folder `pastaUsuario`.
std::filesystem::path ArquivoConfiguracao(const std::filesystem::path& pastaUsuario);

// Reads the settings. A missing or unreadable file, a missing key or a value
// that is not a number give the defaults ("m/m", 1, "mm/h", 1.0, no recent
// projects, state 0); so does a state index outside the state table. When
// `arquivo` does not exist but the program's folder holds a "Vastrel3.ini"
// (shipped with an installation), that one is read.
TConfiguracao LerConfiguracao(const std::filesystem::path& arquivo);

// Writes the keys "UDecli", "KDecli", "UVIB", "KVIB", "path1" … "path4",
// "IndEstado" in this order. Raises EInOutError when the file cannot be
// written (the folder is created when missing).
void GravarConfiguracao(const std::filesystem::path& arquivo, const TConfiguracao& c);

} // namespace vastrel::gui

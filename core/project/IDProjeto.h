#pragma once
// Identification of a project: six lines of free text printed at the head of
// every report. None takes part in a computation and none is validated.

#include <filesystem>
#include <string>

namespace vastrel {

class TIniFile;

class TIDProjeto {
public:
    TIDProjeto() { Zerar(); }

    std::string Nome;    // name of the project or of the property
    std::string Empresa; // company
    std::string Local;   // locality
    std::string Estado;  // state, free text
    std::string Tecnico; // technician in charge
    std::string Data;    // date of the project, free text; today's date after a reset

    // Empties the first five fields and dates the record today.
    void Zerar();

    // Section "IDENTIFICACAO".
    bool Ler(TIniFile& ini);
    bool Gravar(TIniFile& ini);
    bool Ler(const std::filesystem::path& p);
    bool Gravar(const std::filesystem::path& p);

    // Today's date as "dd/mm/yyyy".
    static std::string DataDeHoje();
};

} // namespace vastrel

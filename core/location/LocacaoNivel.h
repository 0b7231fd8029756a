#pragma once
// Level-terrace location over a watershed: the input and output files the
// location window chooses, kept in the project section "LOCACAONIVEL".

#include <filesystem>
#include <string>

namespace vastrel {

class TIniFile;

class TLocacaoNivel {
public:
    std::string fnImgElev;  // elevation raster (".ras")
    std::string fnImgDecli; // slope raster (".ras")
    std::string fnVetSaida; // output vector (".vet"); the terrace table lies beside it

    void Zerar();

    // The section has no "Versao" key; neither operation reports a result
    // that the project reader acts on.
    void Ler(const TIniFile& ini);
    void Gravar(TIniFile& ini) const;
    void Ler(const std::filesystem::path& p);
    void Gravar(const std::filesystem::path& p) const;
};

} // namespace vastrel

#pragma once
// Folders the program finds its data in. The program's folder is the folder
// of the running executable, so a build tree runs in place with its data
// beside it exactly as an installed tree does. Names of the data folders
// are matched without regard to case ("Arquivos Comuns" and "Arquivos
// comuns" are one folder).

#include <filesystem>
#include <string_view>

namespace vastrel {

// The folder of the running executable (or the one set for tests).
std::filesystem::path PastaPrograma();

// Makes PastaPrograma() return `pasta` (tests; an empty path restores the
// executable's folder).
void DefinirPastaPrograma(const std::filesystem::path& pasta);

// Resolves `relativo` below `base` one component at a time, each matched
// without regard to case when the exact name does not exist. "." and ".."
// are taken as they are. A component that matches nothing is kept as
// written, so the result names where the file would be.
std::filesystem::path ResolverSemCaixa(const std::filesystem::path& base, std::string_view relativo);

// The shared data folder "..\Arquivos Comuns" beside the program's folder.
std::filesystem::path PastaArquivosComuns();

// A file or folder in the program's folder, e.g. "texto/Selecao.htm".
std::filesystem::path ArquivoDoPrograma(std::string_view relativo);

} // namespace vastrel

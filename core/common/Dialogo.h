#pragma once
// What the program asks of the user, whoever shows it: the answer to a
// question and the description of a file dialog. The project manager of the
// core and every window of the desktop program use these same two types.

#include <string>

namespace vastrel {

// The answer to a confirmation: Yes, No, or Cancel (also closing the box).
enum class TResposta { Sim, Nao, Cancelar };

// One open or save file dialog. Texts in UTF-8.
struct TDialogoArquivo {
    std::string Titulo;
    // Pairs "description|pattern" separated by '|' ("*.vst|*.vst",
    // "Imagem Raster(*.ras)|*.ras").
    std::string Filtro;
    std::string Extensao;     // default extension, with or without the point (".vst")
    std::string Pasta;        // initial folder
    std::string NomeArquivo;  // proposed file name
};

} // namespace vastrel

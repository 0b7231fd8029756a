// The project file (".vst"): any bytes open or are refused with the
// system's message; a project that opened saves, the save opens again, and
// saving that gives the same file (nothing read is lost or changed by a
// save).

#include "FuzzApoio.h"

#include "common/Exceptions.h"
#include "project/Projeto.h"

using namespace vastrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t n)
{
    const auto entrada = fuzz::Arquivo("entrada.vst", dados, n);
    TProjeto projeto;
    try {
        projeto.Ler(entrada);
    } catch (const Exception&) {
        return 0;
    }
    const auto primeira = fuzz::Saida("primeira.vst");
    const auto segunda = fuzz::Saida("segunda.vst");
    try {
        projeto.Gravar(primeira);
        TProjeto relido;
        relido.Ler(primeira);
        relido.Gravar(segunda);
    } catch (const Exception& e) {
        fuzz::Falhou(std::string("um projeto aberto não se grava ou não se reabre: ") + e.what());
    }
    if (fuzz::LerTudo(primeira) != fuzz::LerTudo(segunda))
        fuzz::Falhou("gravar o projeto reaberto muda o arquivo");
    return 0;
}

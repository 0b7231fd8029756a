// The terrace table (".bdt"): any bytes load or are refused (false, or the
// system's error); a table that loads saves and loads back the same.

#include "FuzzApoio.h"

#include "common/Exceptions.h"
#include "location/BDT.h"

using namespace vastrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t n)
{
    const auto entrada = fuzz::Arquivo("entrada.bdt", dados, n);
    TBDT tabela;
    try {
        if (!tabela.Carregar(entrada))
            return 0;
    } catch (const Exception&) {
        return 0;
    }
    const auto copia = fuzz::Saida("copia.bdt");
    tabela.Salvar(copia);
    TBDT relida;
    if (!relida.Carregar(copia) || relida.Quantidade() != tabela.Quantidade())
        fuzz::Falhou("a tabela gravada não se relê inteira");
    if (fuzz::LerTudo(copia) != std::string(reinterpret_cast<const char*>(dados), 5 + 52 * static_cast<std::size_t>(tabela.Quantidade())))
        fuzz::Falhou("a tabela gravada difere da lida");
    return 0;
}

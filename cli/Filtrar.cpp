// "filtrar": passes of the 3 x 3 mean filter over a raster.

#include "Comandos.h"
#include "Gis.h"

#include "gis/Filtro.h"

#include <iostream>

namespace vastrel::cli {

namespace {

int Filtrar(const Argumentos& args)
{
    const Opcoes op(args, {"titulo", "passadas"}, {});
    if (op.Posicionais().size() != 2)
        throw ErroUso{"filtrar precisa de ENTRADA.ras e SAIDA.ras."};
    const int passadas = op.Tem("passadas") ? op.Inteiro("passadas") : 1;
    if (passadas < 1 || passadas > vastrel::gis::kMaxPassadasFiltro)
        throw ErroUso{"--passadas deve estar entre 1 e 50."};
    const std::string entrada = op.Posicionais()[0];
    const std::string saida = op.Posicionais()[1];
    const int codigo = gis::Executar([&] {
        vastrel::gis::FiltrarImagem(entrada, saida, gis::Titulo(op, vastrel::gis::TituloPadraoFiltro(entrada)),
                                    passadas);
    });
    if (codigo == kSucesso)
        std::cout << vastrel::gis::kMsgFiltragemConcluida << "\n";
    return codigo;
}

const RegistroComando kFiltrar{
    "filtrar", Filtrar,
    "  vastrel-cli filtrar ENTRADA.ras SAIDA.ras [--passadas N] [--titulo T]\n"
    "      Filtro de média 3 x 3 que ignora células sem dados (0), N vezes (1 a 50).\n"};

} // namespace

} // namespace vastrel::cli

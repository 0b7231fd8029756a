// "declividade": the slope map (percent) of an elevation raster.

#include "Comandos.h"
#include "Gis.h"

#include "gis/Declividade.h"

#include <iostream>

namespace vastrel::cli {

namespace {

int Declividade(const Argumentos& args)
{
    const Opcoes op(args, {"titulo"}, {});
    if (op.Posicionais().size() != 2)
        throw ErroUso{"declividade precisa de ENTRADA.ras e SAIDA.ras."};
    const std::string entrada = op.Posicionais()[0];
    const std::string saida = op.Posicionais()[1];
    const int codigo = gis::Executar([&] {
        vastrel::gis::CalcularMapaDeclividade(entrada, saida,
                                              gis::Titulo(op, vastrel::gis::TituloPadraoDeclividade(entrada)));
    });
    if (codigo == kSucesso)
        std::cout << vastrel::gis::kMsgDeclividadeConcluida << "\n";
    return codigo;
}

const RegistroComando kDeclividade{
    "declividade", Declividade,
    "  vastrel-cli declividade ENTRADA.ras SAIDA.ras [--titulo T]\n"
    "      Mapa de declividade (%) de uma imagem de elevação real ou inteira.\n"};

} // namespace

} // namespace vastrel::cli

// "exportar": the system's own ".ras" or ".vet" file to IDRISI or Surfer.

#include "Comandos.h"
#include "Gis.h"

#include <iostream>

namespace vastrel::cli {

namespace {

// Exports ask nothing of the user.
class TSemPerguntas : public vastrel::gis::IPerguntasConversao {
public:
    std::string UnidadeDistancia() override { return "m"; }
    void Informar(const std::string& mensagem) override { std::cerr << mensagem << "\n"; }
};

int Exportar(const Argumentos& args)
{
    using namespace vastrel::gis;
    const Opcoes op(args, {"formato", "tipo", "titulo"}, {});
    const gis::TConversaoCli c = gis::LerConversao(op, "exportar");
    if (op.Tem("titulo") && c.Formato == TFormatoExterno::Surfer)
        throw ErroUso{"Arquivos do Surfer não têm título."};
    TSemPerguntas respostas;
    std::string mensagem;
    const int codigo = gis::Executar([&] {
        const auto padrao = TituloPadraoConversao(TModoConversao::Exportacao, c.Formato, c.Tipo, c.Entrada);
        const std::string titulo = gis::Titulo(op, padrao.value_or(""));
        mensagem = Converter(TModoConversao::Exportacao, c.Formato, c.Tipo, c.Entrada, c.Saida, titulo, respostas);
    });
    if (codigo == kSucesso)
        std::cout << mensagem << "\n";
    return codigo;
}

const RegistroComando kExportar{
    "exportar", Exportar,
    "  vastrel-cli exportar --formato idrisi|surfer --tipo raster|vetor [--titulo T] ENTRADA SAIDA\n"
    "      .ras ou .vet para Idrisi (.img + .doc, .vec + .dvc) ou Surfer (.grd ASCII, .txt X Y Z).\n"};

} // namespace

} // namespace vastrel::cli

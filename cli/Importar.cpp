// "importar": an IDRISI or Surfer raster or vector into the system's own
// ".ras" or ".vet" file.

#include "Comandos.h"
#include "Gis.h"

#include <iostream>

namespace vastrel::cli {

namespace {

// The answers a window would give with its radio buttons and message boxes.
class TRespostasCli : public vastrel::gis::IPerguntasConversao {
public:
    explicit TRespostasCli(std::string unidade) : unidade_(std::move(unidade)) {}
    std::string UnidadeDistancia() override { return unidade_; }
    void Informar(const std::string& mensagem) override { std::cerr << mensagem << "\n"; }

private:
    std::string unidade_;
};

int Importar(const Argumentos& args)
{
    using namespace vastrel::gis;
    const Opcoes op(args, {"formato", "tipo", "unidade", "titulo"}, {});
    const gis::TConversaoCli c = gis::LerConversao(op, "importar");
    const std::string unidade = op.Tem("unidade") ? op.Valor("unidade") : "m";
    if (unidade != "m" && unidade != "km")
        throw ErroUso{"--unidade deve ser m ou km."};
    if (op.Tem("unidade") && c.Formato != TFormatoExterno::Surfer)
        throw ErroUso{"--unidade vale só para arquivos do Surfer (os do Idrisi trazem a sua)."};
    TRespostasCli respostas(unidade);
    std::string mensagem;
    const int codigo = gis::Executar([&] {
        const std::string titulo =
            gis::Titulo(op, *TituloPadraoConversao(TModoConversao::Importacao, c.Formato, c.Tipo, c.Entrada));
        mensagem = Converter(TModoConversao::Importacao, c.Formato, c.Tipo, c.Entrada, c.Saida, titulo, respostas);
    });
    if (codigo == kSucesso)
        std::cout << mensagem << "\n";
    return codigo;
}

const RegistroComando kImportar{
    "importar", Importar,
    "  vastrel-cli importar --formato idrisi|surfer --tipo raster|vetor [--unidade m|km]\n"
    "      [--titulo T] ENTRADA SAIDA\n"
    "      Idrisi (.img + .doc, .vec + .dvc) ou Surfer (.grd ASCII, .txt X Y Z) para .ras ou .vet;\n"
    "      --unidade: unidade de distância das coordenadas do Surfer (padrão m).\n"};

} // namespace

} // namespace vastrel::cli

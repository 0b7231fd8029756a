// "relatorio": the HTML report of a project's dimensioning, calculated first
// as "calcular" does it.

#include "Comandos.h"

#include "common/Cp1252.h"
#include "dimensioning/EntradaDimensionamento.h"
#include "gis/Bytes.h"
#include "project/Projeto.h"
#include "reports/RelatorioDimensionamento.h"

#include <iostream>

namespace vastrel::cli {

namespace {

int Relatorio(const Argumentos& args)
{
    const Opcoes op(args, {}, {});
    if (op.Posicionais().size() != 2)
        throw ErroUso{"relatorio precisa de um arquivo de projeto e do arquivo do relatório."};
    TProjeto p;
    if (const auto status = LerProjeto(op.Posicionais()[0], p))
        return *status;
    TResultadoDimensionamento r;
    if (const auto status = CalcularProjeto(p, r))
        return *status;
    std::string html;
    try {
        html = RelatorioDimensionamento(p, {});
    } catch (const Exception& e) {
        std::cerr << e.what() << "\n";
        return kErroCalculo;
    }
    // Written beside its name and renamed when whole, so that a failed write
    // never leaves half a report over an earlier one.
    const std::string& saida = op.Posicionais()[1];
    const std::string bytes = Utf8ToCp1252(html);
    try {
        gis::bytes::GravarArquivo(saida, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    } catch (const Exception&) {
        std::cerr << "Não foi possível gravar o arquivo " << saida << ".\n";
        return kErroArquivo;
    }
    return kSucesso;
}

const RegistroComando kRelatorio{
    "relatorio", Relatorio,
    "  vastrel-cli relatorio PROJETO.vst SAIDA.html\n"
    "      Dimensiona o sistema de terraços do projeto e grava o relatório em HTML.\n"};

} // namespace

} // namespace vastrel::cli

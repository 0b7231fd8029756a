// "relatorio": the HTML report of a project's dimensioning, calculated first
// as "calcular" does it.

#include "Comandos.h"

#include "common/Cp1252.h"
#include "dimensioning/EntradaDimensionamento.h"
#include "project/Projeto.h"
#include "reports/RelatorioDimensionamento.h"

#include <fstream>
#include <iostream>

namespace vastrel::cli {

namespace {

int Relatorio(const Argumentos& args)
{
    const Opcoes op(args, {}, {});
    if (op.Posicionais().size() != 2)
        throw ErroUso{"relatorio precisa de um arquivo de projeto e do arquivo do relatório."};
    TProjeto p;
    try {
        p.Ler(op.Posicionais()[0]);
    } catch (const EArquivoProjeto& e) {
        std::cerr << e.what() << "\n";
        if (!e.Motivo.empty())
            std::cerr << e.Motivo << "\n";
        return kErroProjeto;
    }
    std::string html;
    try {
        const TCamposDimensionamento campos = PreencherCampos(p);
        LerCampos(campos, p);
        if (const auto falha = ValidarCampos(campos)) {
            std::cerr << falha->Mensagem << "\n";
            return kErroCalculo;
        }
        try {
            const TResultadoDimensionamento r = Dimensionar(p);
            p.CanalAtual().SetHr(r.Hr);
        } catch (const Exception& e) {
            std::cerr << " Erro no cálculo \n" << e.what() << "\n";
            return kErroCalculo;
        }
        html = RelatorioDimensionamento(p, {});
    } catch (const Exception& e) {
        std::cerr << e.what() << "\n";
        return kErroCalculo;
    }
    const std::string& saida = op.Posicionais()[1];
    std::ofstream f(saida, std::ios::binary | std::ios::trunc);
    f << Utf8ToCp1252(html);
    f.close();
    if (!f) {
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

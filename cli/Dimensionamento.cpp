// "calcular" and "simular": a project's terrace system dimensioned as the
// dimensioning window's "Calcular" does it, and its simulation charts.

#include "Comandos.h"

#include "common/Format.h"
#include "dimensioning/EntradaDimensionamento.h"
#include "dimensioning/Simulacao.h"
#include "project/Projeto.h"

#include <iostream>
#include <optional>

namespace vastrel::cli {

namespace {

// Reads the project and runs the calculation of the entry page, as the
// window's "Calcular" does it. Prints what goes wrong and the warnings, and
// returns the exit status, or nothing when the design is ready.
std::optional<int> CarregarEDimensionar(const std::string& caminho, TProjeto& p,
                                        TResultadoDimensionamento& r)
{
    if (const auto status = LerProjeto(caminho, p))
        return status;
    return CalcularProjeto(p, r);
}

void MostrarResultados(const TProjeto& p, const TResultadoDimensionamento& r)
{
    std::cout << TTipoSistema::Nome(p.TipoSistema.Tipo) << "\n";
    if (r.Gradiente)
        std::cout << "Vazão: " << FormatFloat(kFormatoVazao, r.Q) << " L/s\n";
    else
        std::cout << "LES: " << FormatFloat(kFormatoLES, r.LES) << " mm\n";
    std::cout << "Espaçamento vertical: " << FormatFloat(kFormatoEV, r.EV) << " m\n"
              << "Altura teórica (H): " << FormatFloat(kFormatoAltura, r.H * 100) << " cm\n"
              << "Coef. de desuniformidade: " << FormatFloat(kFormatoCDu, r.CDu) << "\n"
              << "Altura recomendada (Hr): " << FormatFloat(kFormatoAltura, r.Hr) << " cm\n";
}

void MostrarJson(TProjeto& p, const TResultadoDimensionamento& r)
{
    std::cout << "{\"sistema\": \"" << (r.Gradiente ? "gradiente" : "nivel") << "\", ";
    if (r.Gradiente)
        std::cout << "\"Q_Ls\": " << FloatToJson(r.Q) << ", ";
    else
        std::cout << "\"LES_mm\": " << FloatToJson(r.LES) << ", ";
    std::cout << "\"EH_m\": " << FloatToJson(p.EspacamentoAtual().EH) << ", "
              << "\"EV_m\": " << FloatToJson(r.EV) << ", "
              << "\"H_m\": " << FloatToJson(r.H) << ", "
              << "\"CDu\": " << FloatToJson(r.CDu) << ", "
              << "\"Hr_cm\": " << FloatToJson(r.Hr) << "}\n";
}

int Calcular(const Argumentos& args)
{
    const Opcoes op(args, {}, {"json"});
    if (op.Posicionais().size() != 1)
        throw ErroUso{"calcular precisa de um arquivo de projeto."};
    TProjeto p;
    TResultadoDimensionamento r;
    if (const auto status = CarregarEDimensionar(op.Posicionais()[0], p, r))
        return *status;
    if (op.Tem("json"))
        MostrarJson(p, r);
    else
        MostrarResultados(p, r);
    return kSucesso;
}

int Simular(const Argumentos& args)
{
    const Opcoes op(args, {"cdu"}, {});
    if (op.Posicionais().size() != 2)
        throw ErroUso{"simular precisa de um arquivo de projeto e do nome de um gráfico."};
    TProjeto p;
    TResultadoDimensionamento r;
    if (const auto status = CarregarEDimensionar(op.Posicionais()[0], p, r))
        return *status;
    const std::string& nome = op.Posicionais()[1];
    const TDefinicaoGrafico* grafico = ProcurarGrafico(p.Gradiente(), nome);
    if (!grafico)
        throw ErroUso{"O gráfico \"" + nome + "\" não existe para " + TTipoSistema::Nome(p.TipoSistema.Tipo) + "."};
    const double cdu = op.Tem("cdu") ? op.Real("cdu") : p.CanalAtual().CDu;
    TGraficoSimulacao g;
    try {
        g = Simular(p, *grafico, cdu);
    } catch (const Exception& e) {
        std::cerr << e.what() << "\n";
        return kErroCalculo;
    }
    std::cout << "x,y,vazao_Ls,altura_teorica_cm,altura_recomendada_cm\n";
    for (const TPontoSimulacao& pt : g.Pontos)
        std::cout << FloatToJson(pt.x) << "," << FloatToJson(pt.y) << ","
                  << (r.Gradiente ? FloatToJson(pt.Q) : "") << "," << FloatToJson(pt.H * 100) << ","
                  << FloatToJson(pt.HrLinha) << "\n";
    return kSucesso;
}

const RegistroComando kCalcular{
    "calcular", Calcular,
    "  vastrel-cli calcular PROJETO.vst [--json]\n"
    "      Dimensiona o sistema de terraços do projeto e mostra os resultados.\n"};

const RegistroComando kSimular{
    "simular", Simular,
    "  vastrel-cli simular PROJETO.vst \"GRAFICO\" [--cdu X]\n"
    "      Os 21 pontos de um gráfico da simulação, em CSV.\n"
    "      Gradiente: \"Q x Comp\", \"Q x EH\", \"Q x nc\", \"Q x nt\", \"Q x Sc\", \"Q x St\",\n"
    "      \"Q x VIB\" e os mesmos com \"H x\" e \"Hr x\".\n"
    "      Nível: \"H x VIB\", \"Hr x VIB\", \"H x EH\", \"Hr x EH\", \"LES x VIB\".\n"};

} // namespace

} // namespace vastrel::cli

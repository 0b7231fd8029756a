// "locar": terraces laid out over a watershed from its elevation and slope
// rasters, as the location window runs it, with the project's storm,
// terrain, spacing method and terrace system: level terraces, or graded
// ones with their channels and waterways when the project's system is
// graded.

#include "Comandos.h"
#include "Gis.h"

#include "common/Cp1252.h"
#include "common/Format.h"
#include "common/Pastas.h"
#include "common/UiHooks.h"
#include "dimensioning/FaixasValidade.h"
#include "gis/Bytes.h"
#include "gis/BDT.h"
#include "dimensioning/EntradaLocacao.h"
#include "location/LocacaoGradiente.h"
#include "location/LocacaoNivel.h"
#include "location/Pixel.h"
#include "project/Projeto.h"
#include "reports/RelatorioLocacao.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <unistd.h>

namespace vastrel::cli {

namespace {

namespace fs = std::filesystem;
namespace bytes = vastrel::gis::bytes;

// The stop flag of the run in progress, set by Ctrl+C as the progress
// window's "&Cancelar" sets it.
std::atomic<bool>* g_cancelar = nullptr;

extern "C" void PararLocacao(int)
{
    if (g_cancelar)
        g_cancelar->store(true);
}

// Installs the Ctrl+C handler for the lifetime of the run.
class TInterrupcao {
public:
    explicit TInterrupcao(std::atomic<bool>& cancelar)
    {
        g_cancelar = &cancelar;
        anterior_ = std::signal(SIGINT, PararLocacao);
    }
    ~TInterrupcao()
    {
        std::signal(SIGINT, anterior_);
        g_cancelar = nullptr;
    }
    TInterrupcao(const TInterrupcao&) = delete;
    TInterrupcao& operator=(const TInterrupcao&) = delete;

private:
    void (*anterior_)(int) = SIG_DFL;
};

// Shows the run's progress on standard error: on a terminal one line
// rewritten in place, otherwise a line at every tenth of the way.
class TProgressoTerminal {
public:
    TProgressoTerminal() : terminal_(isatty(STDERR_FILENO) != 0) {}
    ~TProgressoTerminal()
    {
        if (terminal_ && mostrou_)
            std::cerr << "\n";
    }
    TProgressoTerminal(const TProgressoTerminal&) = delete;
    TProgressoTerminal& operator=(const TProgressoTerminal&) = delete;

    void Mostrar(double fracao, const std::string& texto)
    {
        const int p = static_cast<int>(fracao * 100);
        if (terminal_) {
            if (p == ultimo_ && texto == ultimoTexto_)
                return;
            std::cerr << "\r" << p << "%  " << texto << "\033[K" << std::flush;
        } else {
            if (p / 10 == ultimo_ / 10 && mostrou_)
                return;
            std::cerr << p << "%  " << texto << "\n";
        }
        ultimo_ = p;
        ultimoTexto_ = texto;
        mostrou_ = true;
    }

private:
    bool terminal_;
    bool mostrou_ = false;
    int ultimo_ = -1;
    std::string ultimoTexto_;
};

std::string Coluna(const std::string& s, std::size_t largura)
{
    return s.size() >= largura ? s : std::string(largura - s.size(), ' ') + s;
}

const char* TextoSituacao(TSituacaoCanal s)
{
    switch (s) {
    case TSituacaoCanal::Comporta: return "";
    case TSituacaoCanal::SemProfundidade: return "  não comporta: sem profundidade normal";
    case TSituacaoCanal::MaisLargo: return "  não comporta: mais largo que a faixa";
    }
    return "";
}

void MostrarTabelaGradiente(const TResultadoLocacao& r)
{
    const TTabelaGradiente& t = r.TabelaGradiente;
    std::cout << "Declividade média: " << FormatFloat("0.00", r.DeclividadeMedia) << " %\n"
              << "Terraços com gradiente locados: " << t.Terracos.size() << "\n"
              << "\n  Nº  Montante (m)  Saída (m)  Grad. (%)  Compr. (m)  Área (m²)  EV (m)  EH (m)  Q (L/s)"
                 "  H (m)  Hr (m)  Saída\n";
    for (const TRegTerrGradiente& g : t.Terracos)
        std::cout << Coluna(std::to_string(g.Numero), 4) << Coluna(FormatFloat("0.00", g.CotaMontante), 14)
                  << Coluna(FormatFloat("0.00", g.CotaSaida), 11) << Coluna(FormatFloat("0.00", 100 * g.Gradiente), 11)
                  << Coluna(FormatFloat("0.0", g.Comprimento), 12) << Coluna(FormatFloat("0", g.AreaInfluencia), 11)
                  << Coluna(FormatFloat("0.00", g.EV), 8) << Coluna(FormatFloat("0.0", g.EH), 8)
                  << Coluna(FormatFloat("0.0", g.Q), 9) << Coluna(FormatFloat("0.000", g.H), 7)
                  << Coluna(FormatFloat("0.00", g.Hr), 8) << Coluna(std::to_string(g.Saida), 7)
                  << TextoSituacao(g.Situacao) << "\n";
    std::cout << "\nSaídas e canais escoadouros\n";
    for (const std::string& l : TextoEscoadouros(r))
        std::cout << "  " << l << "\n";
    std::cout << "\nResumo da qualidade\n";
    for (const std::string& l : TextoQualidade(r))
        std::cout << "  " << l << "\n";
}

void MostrarTabela(const TResultadoLocacao& r)
{
    if (r.Gradiente) {
        MostrarTabelaGradiente(r);
        return;
    }
    std::cout << "Declividade média: " << FormatFloat("0.00", r.DeclividadeMedia) << " %\n"
              << "Tipo de terraço recomendado: " << r.SelecaoTipoTerraco.TipoTerraco << "\n"
              << "Terraços locados: " << r.Tabela.Quantidade() << "\n";
    if (!r.Tabela.Vazia()) {
        std::cout << "\n  Nº   Cota (m)  EV (m)  Decl. (%)  Comprimento (m)  Área (m²)  Altura (m)\n";
        for (const TRegTerr& t : r.Tabela) {
            char numero[16];
            std::snprintf(numero, sizeof numero, "%4d", t.Numero);
            const auto coluna = [](const std::string& s, std::size_t largura) {
                return s.size() >= largura ? s : std::string(largura - s.size(), ' ') + s;
            };
            std::cout << numero << coluna(FormatFloat("0.00", t.Cota), 11) << coluna(FormatFloat("0.00", t.EV), 8)
                      << coluna(FormatFloat("0.00", t.DeclividadeMedia), 11)
                      << coluna(FormatFloat("0.0", t.Comprimento), 17) << coluna(FormatFloat("0", t.AreaInfluencia), 11)
                      << coluna(FormatFloat("0.00", t.Altura), 12) << "\n";
        }
    }
    std::cout << "\nResumo da qualidade\n";
    for (const std::string& l : TextoQualidade(r))
        std::cout << "  " << l << "\n";
}

void MostrarJson(const TResultadoLocacao& r)
{
    const TQualidadeLocacao& q = r.Qualidade;
    std::cout << "{\"AreaBacia_ha\": " << FloatToJson(q.AreaBacia)
              << ", \"DeclividadeMedia_pct\": " << FloatToJson(r.DeclividadeMedia)
              << ", \"TipoTerraco\": " << gis::TextoJson(r.SelecaoTipoTerraco.TipoTerraco)
              << ", \"Interrompida\": " << (r.Interrompida ? "true" : "false") << ",\n \"qualidade\": {"
              << "\"AreaDrenada_ha\": " << FloatToJson(q.AreaDrenada)
              << ", \"AreaRestante_ha\": " << FloatToJson(q.AreaRestante) << ", \"Terracos\": " << q.Terracos
              << ", \"Morros\": " << q.Morros << ", \"Depressoes\": " << q.Depressoes
              << ", \"EspacamentoMin_m\": " << FloatToJson(q.EspacamentoMin)
              << ", \"EspacamentoMediano_m\": " << FloatToJson(q.EspacamentoMediano)
              << ", \"EspacamentoMax_m\": " << FloatToJson(q.EspacamentoMax)
              << ", \"LadoCelula_m\": " << FloatToJson(q.LadoCelula) << "},\n \"avisos\": [";
    for (std::size_t k = 0; k < r.Avisos.size(); ++k)
        std::cout << (k ? ", " : "") << gis::TextoJson(r.Avisos[k]);
    std::cout << "],\n \"sistema\": \"" << (r.Gradiente ? "gradiente" : "nivel") << "\",\n \"terracos\": [";
    bool primeiro = true;
    for (const TRegTerrGradiente& t : r.TabelaGradiente.Terracos) {
        std::cout << (primeiro ? "\n  " : ",\n  ") << "{\"Numero\": " << t.Numero
                  << ", \"CotaMontante\": " << FloatToJson(t.CotaMontante)
                  << ", \"CotaSaida\": " << FloatToJson(t.CotaSaida) << ", \"Gradiente\": " << FloatToJson(t.Gradiente)
                  << ", \"Comprimento\": " << FloatToJson(t.Comprimento)
                  << ", \"AreaInfluencia\": " << FloatToJson(t.AreaInfluencia)
                  << ", \"DeclividadeMedia\": " << FloatToJson(t.DeclividadeMedia) << ", \"EV\": " << FloatToJson(t.EV)
                  << ", \"EH\": " << FloatToJson(t.EH) << ", \"Q_Ls\": " << FloatToJson(t.Q)
                  << ", \"H_m\": " << FloatToJson(t.H) << ", \"Hr_m\": " << FloatToJson(t.Hr)
                  << ", \"Saida\": " << t.Saida
                  << ", \"Comporta\": " << (t.Situacao == TSituacaoCanal::Comporta ? "true" : "false") << "}";
        primeiro = false;
    }
    for (const TRegTerr& t : r.Tabela) {
        std::cout << (primeiro ? "\n  " : ",\n  ") << "{\"Numero\": " << t.Numero
                  << ", \"Cota\": " << FloatToJson(t.Cota) << ", \"EV\": " << FloatToJson(t.EV)
                  << ", \"DeclividadeMedia\": " << FloatToJson(t.DeclividadeMedia)
                  << ", \"Comprimento\": " << FloatToJson(t.Comprimento)
                  << ", \"AreaInfluencia\": " << FloatToJson(t.AreaInfluencia)
                  << ", \"Altura\": " << FloatToJson(t.Altura) << "}";
        primeiro = false;
    }
    std::cout << (primeiro ? "]" : "\n]");
    if (r.Gradiente) {
        std::cout << ",\n \"saidas\": [";
        bool p = true;
        for (const TRegSaida& s : r.TabelaGradiente.Saidas) {
            std::cout << (p ? "\n  " : ",\n  ") << "{\"Numero\": " << s.Numero << ", \"X\": " << FloatToJson(s.X)
                      << ", \"Y\": " << FloatToJson(s.Y) << ", \"Cota\": " << FloatToJson(s.Cota)
                      << ", \"Borda\": " << (s.Borda ? "true" : "false") << ", \"Q_Ls\": " << FloatToJson(s.Q)
                      << ", \"QCanal_Ls\": " << FloatToJson(s.QCanal) << "}";
            p = false;
        }
        std::cout << (p ? "]" : "\n]");
    }
    std::cout << "}\n";
}

int Locar(const Argumentos& args)
{
    const Opcoes op(args, {"elevacao", "declividade", "saida", "drenagem", "relatorio"}, {"json"});
    if (op.Posicionais().size() != 1)
        throw ErroUso{"locar precisa de um arquivo de projeto."};
    const fs::path arquivo = bytes::CaminhoDeUtf8(op.Posicionais()[0]);

    TProjeto p;
    if (const auto status = LerProjeto(arquivo, p))
        return *status;
    const TLocacaoNivel& loc = p.Locacao;
    const auto caminho = [&](const char* opcao, const std::string& doProjeto) {
        return op.Tem(opcao) ? bytes::CaminhoDeUtf8(op.Valor(opcao)) : CaminhoDoProjeto(arquivo, doProjeto);
    };
    const TEntradaLocacaoNivel entrada{caminho("elevacao", loc.fnImgElev), caminho("declividade", loc.fnImgDecli),
                                       caminho("saida", loc.fnVetSaida),   p.Chuva(),
                                       p.Terreno,                          p.TerracosNivel,
                                       loc.AlturaArbitrada};
    double areaDrenagem = 0; // m²
    if (op.Tem("drenagem")) {
        const auto ha = ParseFloat(op.Valor("drenagem"));
        if (!ha || !std::isfinite(*ha) || !(*ha > 0))
            throw ErroUso{"--drenagem precisa de uma área em hectares maior que zero."};
        areaDrenagem = *ha * 10000;
    }
    const TEntradaLocacaoGradiente entradaGradiente{entrada.ImgElev,   entrada.ImgDecli,    entrada.VetSaida,
                                                    p.Chuva(),         p.Terreno,           p.TerracosGradiente,
                                                    areaDrenagem};
    if (entrada.ImgElev.empty())
        throw ErroUso{"O projeto não indica a imagem de elevação: informe --elevacao."};
    if (entrada.ImgDecli.empty())
        throw ErroUso{"O projeto não indica a imagem de declividade: informe --declividade."};
    if (entrada.VetSaida.empty())
        throw ErroUso{"O projeto não indica o arquivo vetor de saída: informe --saida."};
    if (const auto erro = ErroDadosLocacao(p)) {
        std::cerr << *erro << "\n";
        return kErroCalculo;
    }

    MostrarAvisos(AvisosLocacao(p));
    TResultadoLocacao r;
    std::vector<std::string> ditos; // said before the run, not again after it
    const int codigo = gis::Executar([&] {
        ditos = p.Gradiente() ? PreverLocacaoGradiente(entradaGradiente).Avisos : PreverLocacaoNivel(entrada).Avisos;
        for (const std::string& a : ditos)
            std::cerr << "Aviso: " << a << "\n";
        std::atomic<bool> parar{false};
        TInterrupcao interrupcao(parar);
        TProgressoTerminal terminal;
        vastrel::gis::TProgressoGis progresso;
        progresso.Progresso = [&](double f, const std::string& etapa) { terminal.Mostrar(f, etapa); };
        progresso.Parar = &parar;
        try {
            r = p.Gradiente() ? LocarGradiente(entradaGradiente, progresso) : LocarNivel(entrada, progresso);
        } catch (const EVersion& e) {
            throw EInOutError(e.what()); // a raster of another format: unreadable
        } catch (const EUnitDist& e) {
            throw EInOutError(e.what());
        }
    });
    if (codigo != kSucesso)
        return codigo;
    for (const std::string& a : r.Avisos)
        if (std::find(ditos.begin(), ditos.end(), a) == ditos.end())
            std::cerr << "Aviso: " << a << "\n";
    if (op.Tem("json"))
        MostrarJson(r);
    else
        MostrarTabela(r);
    if (op.Tem("relatorio")) {
        // The location report, as the window shows it; written whole or not
        // at all.
        const std::string& saida = op.Valor("relatorio");
        try {
            const std::string bytes = Utf8ToCp1252(RelatorioLocacao(p, r, {}));
            bytes::GravarArquivo(bytes::CaminhoDeUtf8(saida), reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                 bytes.size());
        } catch (const Exception& e) {
            std::cerr << "Não foi possível gravar o relatório " << saida << ": " << e.what() << "\n";
            return kErroArquivo;
        }
    }
    return kSucesso;
}

const RegistroComando kLocar{
    "locar", Locar,
    "  vastrel-cli locar PROJETO.vst [--elevacao E.ras] [--declividade D.ras] [--saida S.vet]\n"
    "                  [--drenagem HA] [--relatorio R.html] [--json]\n"
    "      Loca terraços sobre a bacia: em nível, ou com gradiente quando o sistema do projeto é\n"
    "      de terraços com gradiente (TipoSistema 1). Grava o vetor (.vet) e a tabela de terraços\n"
    "      (.bdt) e mostra a declividade média, o tipo de terraço, a tabela e o resumo da qualidade\n"
    "      (área da bacia, área drenada, área abaixo do último terraço, terraços fechados,\n"
    "      espaçamento horizontal, avisos). O sistema de coordenadas da imagem de elevação vai\n"
    "      para o .prj ao lado do vetor. Os arquivos vêm do projeto (seção LOCACAONIVEL, relativos\n"
    "      à pasta do projeto) ou das opções. Ctrl+C interrompe a locação e guarda os terraços\n"
    "      locados até então. Sai com 1 quando nenhum terraço é locado.\n"
    "      Com gradiente, cada terraço segue o terreno com a declividade do canal (Sc) até uma\n"
    "      saída num canal escoadouro (linhas de drenagem que recebem ao menos --drenagem hectares;\n"
    "      por padrão 5 % da bacia, no mínimo 1 ha) ou na borda da área, sem passar do comprimento\n"
    "      do canal; o canal de cada terraço é dimensionado para a sua faixa (Q, H, Hr), e cada\n"
    "      saída mostra a vazão que o canal escoadouro recebe. No .vet, Z é a cota do fundo do canal.\n"
    "      --relatorio grava também o relatório da locação em HTML.\n"};

} // namespace

} // namespace vastrel::cli

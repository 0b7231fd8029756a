// "locar": level terraces laid out over a watershed from its elevation and
// slope rasters, as the location window runs it, with the project's storm,
// terrain, level terrace system, spacing method and terrace type criterion.

#include "Comandos.h"
#include "Gis.h"

#include "common/Format.h"
#include "common/Pastas.h"
#include "common/UiHooks.h"
#include "dimensioning/FaixasValidade.h"
#include "gis/Bytes.h"
#include "gis/BDT.h"
#include "dimensioning/EntradaLocacao.h"
#include "location/LocacaoNivel.h"
#include "project/Projeto.h"

#include <atomic>
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

// Shows the run's progress on standard error whenever the run lets events
// run: on a terminal one line rewritten in place, otherwise a line at every
// tenth of the way.
class TProgressoTerminal {
public:
    explicit TProgressoTerminal(const TLocacaoNivel& loc) : loc_(loc), terminal_(isatty(STDERR_FILENO) != 0)
    {
        SetProcessEventsHook([this] { Mostrar(); });
    }
    ~TProgressoTerminal()
    {
        SetProcessEventsHook(nullptr);
        if (terminal_ && mostrou_)
            std::cerr << "\n";
    }
    TProgressoTerminal(const TProgressoTerminal&) = delete;
    TProgressoTerminal& operator=(const TProgressoTerminal&) = delete;

private:
    void Mostrar()
    {
        const int p = static_cast<int>(loc_.Progresso.load());
        const int n = loc_.NumLocados.load();
        std::string texto = loc_.Mensagem();
        if (n != 0)
            texto += "  " + std::to_string(n);
        if (terminal_) {
            if (p == ultimo_ && n == ultimoN_)
                return;
            std::cerr << "\r" << p << "%  " << texto << "\033[K" << std::flush;
        } else {
            if (p / 10 == ultimo_ / 10 && mostrou_)
                return;
            std::cerr << p << "%  " << texto << "\n";
        }
        ultimo_ = p;
        ultimoN_ = n;
        mostrou_ = true;
    }

    const TLocacaoNivel& loc_;
    bool terminal_;
    bool mostrou_ = false;
    int ultimo_ = -1, ultimoN_ = -1;
};

void MostrarTabela(const TLocacaoNivel& loc, const TProjeto& p, const TBDT& tabela)
{
    std::cout << "Área da bacia: " << FormatFloat("0.00", loc.AreaBacia) << " ha\n"
              << "Declividade média: " << FormatFloat("0.00", loc.DeclividadeMedia) << " %\n"
              << "Tipo de terraço recomendado: " << p.TerracosNivel.SelecaoTipoTerraco.TipoTerraco << "\n"
              << "Terraços locados: " << tabela.Quantidade() << "\n";
    if (tabela.Vazia())
        return;
    std::cout << "\n  Nº   Cota (m)  EV (m)  Decl. (%)  Comprimento (m)  Área (m²)  Altura (m)\n";
    for (const TRegTerr& r : tabela) {
        char numero[16];
        std::snprintf(numero, sizeof numero, "%4d", r.Numero);
        const auto coluna = [](const std::string& s, std::size_t largura) {
            return s.size() >= largura ? s : std::string(largura - s.size(), ' ') + s;
        };
        std::cout << numero << coluna(FormatFloat("0.00", r.Cota), 11) << coluna(FormatFloat("0.00", r.EV), 8)
                  << coluna(FormatFloat("0.00", r.DeclividadeMedia), 11)
                  << coluna(FormatFloat("0.0", r.Comprimento), 17) << coluna(FormatFloat("0", r.AreaInfluencia), 11)
                  << coluna(FormatFloat("0.00", r.Altura), 12) << "\n";
    }
}

void MostrarJson(const TLocacaoNivel& loc, const TProjeto& p, const TBDT& tabela, bool interrompida)
{
    std::cout << "{\"AreaBacia_ha\": " << FloatToJson(loc.AreaBacia)
              << ", \"DeclividadeMedia_pct\": " << FloatToJson(loc.DeclividadeMedia)
              << ", \"TipoTerraco\": " << gis::TextoJson(p.TerracosNivel.SelecaoTipoTerraco.TipoTerraco)
              << ", \"Interrompida\": " << (interrompida ? "true" : "false") << ", \"terracos\": [";
    bool primeiro = true;
    for (const TRegTerr& r : tabela) {
        std::cout << (primeiro ? "\n  " : ",\n  ") << "{\"Numero\": " << r.Numero
                  << ", \"Cota\": " << FloatToJson(r.Cota) << ", \"EV\": " << FloatToJson(r.EV)
                  << ", \"DeclividadeMedia\": " << FloatToJson(r.DeclividadeMedia)
                  << ", \"Comprimento\": " << FloatToJson(r.Comprimento)
                  << ", \"AreaInfluencia\": " << FloatToJson(r.AreaInfluencia)
                  << ", \"Altura\": " << FloatToJson(r.Altura) << "}";
        primeiro = false;
    }
    std::cout << (primeiro ? "]}\n" : "\n]}\n");
}

int Locar(const Argumentos& args)
{
    const Opcoes op(args, {"elevacao", "declividade", "saida"}, {"json"});
    if (op.Posicionais().size() != 1)
        throw ErroUso{"locar precisa de um arquivo de projeto."};
    const fs::path arquivo = bytes::CaminhoDeUtf8(op.Posicionais()[0]);

    TProjeto p;
    if (const auto status = LerProjeto(arquivo, p))
        return *status;
    // The location always lays out level terraces.
    p.TipoSistema.Tipo = 0;
    TLocacaoNivel& loc = p.Locacao;
    const auto caminho = [&](const char* opcao, const std::string& doProjeto) {
        return op.Tem(opcao) ? bytes::CaminhoDeUtf8(op.Valor(opcao)) : CaminhoDoProjeto(arquivo, doProjeto);
    };
    const fs::path elevacao = caminho("elevacao", loc.fnImgElev);
    const fs::path declividade = caminho("declividade", loc.fnImgDecli);
    const fs::path saida = caminho("saida", loc.fnVetSaida);
    if (elevacao.empty())
        throw ErroUso{"O projeto não indica a imagem de elevação: informe --elevacao."};
    if (declividade.empty())
        throw ErroUso{"O projeto não indica a imagem de declividade: informe --declividade."};
    if (saida.empty())
        throw ErroUso{"O projeto não indica o arquivo vetor de saída: informe --saida."};

    MostrarAvisos(AvisosLocacao(p));
    const int codigo = gis::Executar([&] {
        loc.Cancelar = false;
        TInterrupcao interrupcao(loc.Cancelar);
        TProgressoTerminal progresso(loc);
        try {
            loc.Locar(elevacao, declividade, p.Chuva(), p.Terreno, p.TerracosNivel, saida);
        } catch (const EVersion& e) {
            throw EInOutError(e.what()); // a raster of another format: unreadable
        } catch (const EUnitDist& e) {
            throw EInOutError(e.what());
        }
    });
    if (codigo != kSucesso)
        return codigo;
    const bool interrompida = loc.Cancelar.load();

    // The terrace table, as the report reads it back.
    TBDT tabela;
    const int leitura = gis::Executar([&] {
        if (!tabela.Carregar(TLocacaoNivel::CaminhoTabela(saida)))
            throw EInOutError("A tabela de terraços \"" + bytes::NomeArquivo(TLocacaoNivel::CaminhoTabela(saida)) +
                              "\" não pôde ser lida.");
    });
    if (leitura != kSucesso)
        return leitura;
    if (interrompida)
        std::cerr << "Locação interrompida pelo usuário; os arquivos guardam os " << tabela.Quantidade()
                  << " terraços locados até então.\n";
    if (op.Tem("json"))
        MostrarJson(loc, p, tabela, interrompida);
    else
        MostrarTabela(loc, p, tabela);
    return kSucesso;
}

const RegistroComando kLocar{
    "locar", Locar,
    "  vastrel-cli locar PROJETO.vst [--elevacao E.ras] [--declividade D.ras] [--saida S.vet] [--json]\n"
    "      Loca terraços em nível sobre a bacia: grava o vetor (.vet) e a tabela de terraços (.bdt)\n"
    "      e mostra a área, a declividade média, o tipo de terraço e a tabela. Os arquivos vêm do\n"
    "      projeto (seção LOCACAONIVEL, relativos à pasta do projeto) ou das opções. Ctrl+C\n"
    "      interrompe a locação e guarda os terraços locados até então.\n"};

} // namespace

} // namespace vastrel::cli

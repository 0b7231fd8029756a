#include "project/GerenteSys.h"

#include "common/Cp1252.h"

#include <exception>
#include <filesystem>

namespace vastrel {

namespace {

constexpr const char* kPerguntaNovo = "Deseja Salvar as Alterações em ";
constexpr const char* kPerguntaSalvar = "Deseja salvar as alterações em ";
constexpr const char* kPerguntaSubstituir = "Arquivo já existente. Deseja substituir?";

bool ArquivoExiste(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::path(path), ec);
}

} // namespace

std::string NomeSemPasta(const std::string& path)
{
    const std::size_t barra = path.find_last_of("/\\");
    return barra == std::string::npos ? path : path.substr(barra + 1);
}

TGerenteSys::TGerenteSys(TGerenteSysUi& ui) : ui_(ui) {}

void TGerenteSys::Disparar(const std::function<void()>& evento) const
{
    if (evento)
        evento();
}

void TGerenteSys::Zerar()
{
    Alterado = false;
    projetoAberto_ = false;
    podeGravar_ = false;
    Disparar(OnZerarVariaveis);
}

void TGerenteSys::AtualizarRecentes()
{
    const std::string chave = FoldCase(PathProjeto);
    std::size_t k = 0;
    while (k < Recentes.size() && FoldCase(Recentes[k]) != chave)
        ++k;
    if (k == 0)
        return; // already the most recent
    // Entries above k move down one place (entry 4 drops out when the path
    // was in none of them); the path, in its own letter case, heads the list.
    const std::size_t ultima = k < Recentes.size() ? k : Recentes.size() - 1;
    for (std::size_t i = ultima; i > 0; --i)
        Recentes[i] = Recentes[i - 1];
    Recentes[0] = PathProjeto;
}

bool TGerenteSys::PerguntarSalvar(const std::string& pergunta)
{
    if (!(Alterado && projetoAberto_))
        return true;
    switch (ui_.Perguntar(pergunta + NomeProjeto, true)) {
    case TGerenteSysUi::TResposta::Cancelar:
        return false;
    case TGerenteSysUi::TResposta::Sim:
        // A save the user asked for and then gave up (the save dialog
        // cancelled) keeps the project: going on would discard the changes
        // the user wanted kept.
        return Salvar();
    case TGerenteSysUi::TResposta::Nao:
        break;
    }
    return true;
}

void TGerenteSys::Encerrar()
{
    Disparar(OnLimparCamposDados);
    Zerar();
    Disparar(OnDesabilitarCampos);
    Alterado = false;
    projetoAberto_ = false;
    ui_.MudarTitulo(TituloPrograma);
}

bool TGerenteSys::LerProjeto(const std::string& pathAnterior)
{
    bool leuCerto = false;
    try {
        if (OnLerArquivo)
            OnLerArquivo(leuCerto);
    } catch (...) {
        // The previous project is gone by now: the program is left with no
        // project, and the error goes on to whoever shows it.
        Encerrar();
        throw;
    }
    if (!leuCerto) {
        PathProjeto = pathAnterior;
        Encerrar();
    }
    return leuCerto;
}

void TGerenteSys::ConcluirLeitura()
{
    Disparar(OnAbilitarCampos);
    projetoAberto_ = true;
    podeGravar_ = true;
    Alterado = false;
}

bool TGerenteSys::Novo()
{
    if (!PerguntarSalvar(kPerguntaNovo))
        return false;
    Zerar();
    Disparar(OnAbilitarCampos);
    Disparar(OnLimparCamposDados);
    projetoAberto_ = true;
    podeGravar_ = true;
    Alterado = false;
    NomeProjeto = NomeNovo();
    PathProjeto = (std::filesystem::path(PastaPrograma) / NomeDefault).string();
    ui_.MudarTitulo(TituloPrograma + " (" + NomeProjeto + ")");
    return true;
}

bool TGerenteSys::Abrir()
{
    if (!PerguntarSalvar(kPerguntaSalvar))
        return false;
    const std::optional<std::string> escolha = ui_.EscolherArquivoAbrir(OpenDialog);
    if (!escolha)
        return false;
    Disparar(OnLimparCamposDados);
    Zerar();
    const std::string anterior = PathProjeto;
    PathProjeto = *escolha;
    if (!LerProjeto(anterior))
        return false;
    NomeProjeto = NomeSemPasta(PathProjeto);
    ui_.MudarTitulo(TituloPrograma + " ('" + NomeProjeto + "')");
    SaveDialog.NomeArquivo = NomeProjeto;
    AtualizarRecentes();
    ConcluirLeitura();
    Disparar(OnPreencherCamposDados);
    return true;
}

bool TGerenteSys::AbrirArquivo(const std::string& path, std::string* erro)
{
    if (!PerguntarSalvar(kPerguntaSalvar))
        return false;
    const std::string anterior = PathProjeto;
    PathProjeto = path;
    NomeProjeto = NomeSemPasta(path);
    try {
        Disparar(OnLimparCamposDados);
        Zerar();
        if (!LerProjeto(anterior))
            return false;
        ConcluirLeitura();
        ui_.MudarTitulo(TituloPrograma + " ('" + NomeProjeto + "')");
        AtualizarRecentes();
        Disparar(OnPreencherCamposDados);
        return true;
    } catch (const std::exception& e) {
        if (erro)
            *erro = e.what();
    } catch (...) {
        if (erro)
            erro->clear();
    }
    return false;
}

bool TGerenteSys::Salvar()
{
    if (NomeProjeto == NomeNovo())
        return SalvarComo();
    if (!podeGravar_) {
        AtualizarRecentes();
        return false;
    }
    projetoAberto_ = true;
    Alterado = false;
    try {
        Disparar(OnLerCamposDados);
        Disparar(OnEscreverArquivo);
    } catch (...) {
        // Nothing was written: the changes are still only in memory, so the
        // project stays marked as modified and closing it asks again.
        Alterado = true;
        throw;
    }
    AtualizarRecentes();
    return true;
}

bool TGerenteSys::SalvarComo()
{
    std::string escolha;
    for (;;) {
        SaveDialog.Titulo = "Salvar Como";
        const std::optional<std::string> arquivo = ui_.EscolherArquivoSalvar(SaveDialog);
        if (!arquivo)
            return false;
        escolha = *arquivo;
        if (!ArquivoExiste(escolha))
            break;
        if (ui_.Perguntar(kPerguntaSubstituir, false) == TGerenteSysUi::TResposta::Sim) {
            Disparar(OnLerCamposDados);
            break;
        }
        // "No": the dialog comes back for another name.
    }

    const std::string nomeAnterior = NomeProjeto;
    const std::string pathAnterior = PathProjeto;
    const bool podiaGravar = podeGravar_;
    NomeProjeto = NomeSemPasta(escolha);
    PathProjeto = escolha;
    podeGravar_ = true;
    try {
        Salvar();
    } catch (...) {
        // The project keeps the name and file it had: nothing was written
        // under the new one.
        NomeProjeto = nomeAnterior;
        PathProjeto = pathAnterior;
        podeGravar_ = podiaGravar;
        throw;
    }
    ui_.MudarTitulo(TituloPrograma + " ('" + NomeProjeto + "')");
    AtualizarRecentes();
    return true;
}

bool TGerenteSys::Fechar()
{
    if (Alterado) {
        switch (ui_.Perguntar(kPerguntaSalvar + NomeProjeto, true)) {
        case TGerenteSysUi::TResposta::Cancelar:
            return false;
        case TGerenteSysUi::TResposta::Sim:
            if (!Salvar())
                return false;
            AtualizarRecentes();
            Disparar(OnLerCamposDados);
            break;
        case TGerenteSysUi::TResposta::Nao:
            ui_.MudarTitulo(TituloPrograma);
            break;
        }
    }
    Disparar(OnLimparCamposDados);
    Zerar();
    Disparar(OnDesabilitarCampos);
    Alterado = false;
    projetoAberto_ = false;
    return true;
}

} // namespace vastrel

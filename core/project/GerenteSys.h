#pragma once
// The life cycle of the one open project: new, open, open from the recent
// list, save, save as and close, with the modified flag, the questions to the
// user, the window title and the four most recent project files.
//
// The manager knows nothing of what a project holds. Everything that touches
// the project's objects or windows is done by its owner through the events
// below; everything that asks the user something goes through TGerenteSysUi,
// which the desktop program implements with message boxes and file dialogs
// and the tests implement with scripted answers.

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "common/Dialogo.h"

namespace vastrel {

// What the manager asks of the user interface.
class TGerenteSysUi {
public:
    using TResposta = vastrel::TResposta;

    virtual ~TGerenteSysUi() = default;

    // A confirmation box with Yes and No, and Cancel when `comCancelar`.
    virtual TResposta Perguntar(const std::string& texto, bool comCancelar) = 0;

    // The open and save dialogs: the chosen full path, or nothing when the
    // user cancels. Neither dialog asks about overwriting nor requires the
    // file to exist.
    virtual std::optional<std::string> EscolherArquivoAbrir(const TDialogoArquivo& d) = 0;
    virtual std::optional<std::string> EscolherArquivoSalvar(const TDialogoArquivo& d) = 0;

    // The main window's title.
    virtual void MudarTitulo(const std::string& titulo) = 0;
};

class TGerenteSys {
public:
    explicit TGerenteSys(TGerenteSysUi& ui);

    TDialogoArquivo OpenDialog{"", "*.vst|*.vst", ".vst", "", ""}; // used by Abrir
    TDialogoArquivo SaveDialog{"", "*.vst|*.vst", ".vst", "", ""}; // used by SalvarComo; titled "Salvar Como" when shown
    std::string TituloPrograma;      // the plain main-window title
    std::string NomeDefault = "PROJETO1.VST";
    std::string NomeProjeto;         // file name shown in the title and the questions
    std::string PathProjeto;         // full path of the project file
    std::string PastaPrograma;       // folder a new project is placed in
    bool Alterado = false;           // modified since read, created or saved

    // The four most recent project files, entry 0 the most recent; empty
    // texts for unused entries.
    std::array<std::string, 4> Recentes;

    // Events; an unbound event is skipped.
    std::function<void()> OnZerarVariaveis;          // every reset
    std::function<void(bool& leuCerto)> OnLerArquivo; // read the project at PathProjeto
    std::function<void()> OnEscreverArquivo;         // write the project to PathProjeto
    std::function<void()> OnAbilitarCampos;          // a project is open: enable its commands
    std::function<void()> OnDesabilitarCampos;       // no project: disable its commands
    std::function<void()> OnLerCamposDados;          // copy the open windows' fields into the objects
    std::function<void()> OnPreencherCamposDados;    // a project was read: open and fill its window
    std::function<void()> OnLimparCamposDados;       // before a reset: clear the windows' fields

    bool ProjetoAberto() const { return projetoAberto_; }
    bool PodeGravar() const { return podeGravar_; }
    // The name a new, never saved project carries: NomeDefault in double quotes.
    std::string NomeNovo() const { return "\"" + NomeDefault + "\""; }

    // Alterado, ProjetoAberto and PodeGravar become false; OnZerarVariaveis.
    void Zerar();
    // Puts PathProjeto at the head of Recentes (compared without regard to case).
    void AtualizarRecentes();

    // Each returns true when the operation was carried out. Errors raised by
    // the read and write events leave Abrir, Salvar, SalvarComo and Fechar
    // for the caller to show; AbrirArquivo swallows them and, when `erro` is
    // given, stores the message there.
    bool Novo();
    bool Abrir();
    bool AbrirArquivo(const std::string& path, std::string* erro = nullptr);
    bool Salvar();
    bool SalvarComo();
    bool Fechar();

private:
    // The save-first question of Novo, Abrir and AbrirArquivo; false on Cancel.
    bool PerguntarSalvar(const std::string& pergunta);
    // Reads PathProjeto after the reset; on failure the project is closed,
    // the kept path restored (for a refused read) and false returned, or the
    // handler's error raised.
    bool LerProjeto(const std::string& pathAnterior);
    // The end of a successful read: commands on, flags, title, recent list.
    void ConcluirLeitura();
    // The project is gone: reset, commands off, flags cleared.
    void Encerrar();
    void Disparar(const std::function<void()>& evento) const;

    TGerenteSysUi& ui_;
    bool projetoAberto_ = false;
    bool podeGravar_ = false;
};

// The file name of a path without its folder (either separator).
std::string NomeSemPasta(const std::string& path);

} // namespace vastrel

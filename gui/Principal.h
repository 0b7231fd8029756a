#pragma once
// The main window: a frame holding the module windows as child windows, the
// menus and toolbars, the project objects, the project manager and the
// settings file.

#include <QMainWindow>
#include <QUrl>

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "Ajuda.h"
#include "Browser.h"
#include "Dialogos.h"
#include "Modulos.h"
#include "project/GerenteSys.h"
#include "project/Projeto.h"

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPrinter;

namespace vastrel::gui {

class TDialogos;
class TFIdentProjeto;

class TFPrincipal : public QMainWindow {
    Q_OBJECT
public:
    static constexpr const char* kTitulo = kTituloPrograma;

    // `arquivoConfiguracao`: the settings file; empty for the usual place
    // ("Vastrel3.ini" in the program's folder, or in the user's
    // configuration folder when the program's folder cannot be written).
    explicit TFPrincipal(TDialogos& dialogos, std::filesystem::path arquivoConfiguracao = {},
                         QWidget* pai = nullptr);
    ~TFPrincipal() override;

    TProjeto& Projeto() { return projeto_; }
    TGerenteSys& Gerente() { return gerente_; }
    TFIdentProjeto* Identificacao() const { return ident_; }
    QMdiArea* Mdi() const { return mdi_; }
    TContextoPrograma& Contexto() { return contexto_; }
    const std::filesystem::path& ArquivoConfiguracao() const { return arquivoConfiguracao_; }
    QLabel* PainelDica() const { return painelDica_; }
    QLabel* PainelHora() const { return painelHora_; }

    // Opens a web page in the user's browser; replaceable for tests.
    std::function<bool(const QUrl&)> AbrirUrl;
    // The addresses of the "Internet" toolbar, in button order.
    static const std::array<const char*, 4> kPaginasWeb;

    // Commands of the menus and toolbars.
    void NovoClick();
    void AbrirClick();
    void SalvarClick();
    void SalvarComoClick();
    void FecharClick();
    void IdentificacaoClick();
    void RecenteClick(int n); // n = 0 … 3
    void DimensionamentoClick();
    void LocacaoClick();
    void FerramentaClick(TFerramenta f);
    void ConfSistemaClick();
    void ImpressoraClick();
    void DocumentoClick(const char* relativo);
    void PaginaWebClick(int n);
    void SobreClick();

    // Opens a project given when the program starts (a double-clicked file),
    // as the recent list does but saying why a file is refused.
    void AbrirArgumento(const QString& caminho);

    // On the first start (no default state in the settings), asks the user
    // for the default state of the rainfall database; a cancelled question
    // comes back at the next start.
    void PerguntarEstadoPadrao();

    // The open module window of a module, or null.
    TJanelaModulo* JanelaModulo(const std::string& modulo) const;
    // Closes the module windows (only those of `modulo` when given). With
    // `copiarCampos` each copies its fields first; false when one refused.
    bool FecharJanelasModulo(bool copiarCampos = true, const std::string& modulo = {});
    // "&1/ " + file name, for each recent entry.
    void AtualizarRecentes();

    // A window in a new child window of the frame (not yet shown); with
    // `rolar` inside a scroll area, sized to fit the frame.
    QMdiSubWindow* CriarFilha(QWidget* janela, bool rolar);

protected:
    void closeEvent(QCloseEvent* e) override;
    bool event(QEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    class TUiGerente;

    void CriarAcoes();
    void CriarMenus();
    void CriarBarras();
    void LigarGerente();
    void HabilitarProjeto(bool habilitar);
    void AtualizarMenuJanelas();
    void ArranjarIcones();
    void LerCamposDados();
    void AbrirModulo(const std::string& modulo, bool avisar);
    // As large as `desejado`, no larger than the frame's free area.
    void AjustarFilha(QMdiSubWindow* sub, QSize desejado) const;
    // Runs a command; an error of the system reaches the user in an error box.
    void Guardar(const std::function<void()>& comando);

    TDialogos& dialogos_;
    std::filesystem::path arquivoConfiguracao_;
    std::unique_ptr<TUiGerente> uiGerente_;
    TProjeto projeto_;
    TGerenteSys gerente_;
    TAjuda ajuda_;
    TBrowser browser_;
    TContextoPrograma contexto_;
    std::unique_ptr<QPrinter> impressora_;
    bool estadoDefinido_ = false; // the user chose the default state

    QMdiArea* mdi_ = nullptr;
    QLabel* painelDica_ = nullptr;
    QLabel* painelHora_ = nullptr;
    TFIdentProjeto* ident_ = nullptr;
    QMenu* menuJanelas_ = nullptr;

    struct Acoes {
        QAction *novo, *abrir, *salvar, *salvarComo, *fechar, *identificacao, *sair;
        std::array<QAction*, 4> recentes;
        QAction *praticas, *selecao;
        QAction *dimensionamento, *locacao;
        QAction *visualizar, *importacao, *exportacao, *declividade, *filtro;
        QAction *confSistema, *impressora;
        QAction *cascata, *ladoALado, *minimizadas, *arranjar;
        QAction *conteudo, *obterAjuda, *comoUsar, *sobre;
        std::array<QAction*, 4> web;
    } acoes_{};
};

} // namespace vastrel::gui

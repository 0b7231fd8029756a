#pragma once
// What a module window (dimensioning, location) and a tool of the
// "&Ferramentas" menu plug into.
//
// A module window derives from TJanelaModulo and registers a factory under
// its module name, from its own source file:
//
//     static const TRegistroJanela registro(kModuloDimensionamento,
//         [](TContextoPrograma& c) { return new TFDimensionamento(c); });
//
// The main window then creates it when the module command runs or a project
// whose "MODULO" names it is read, puts it in a child window, fills it
// (PreencherCampos), asks it to copy its fields into the project objects
// before a save and before the units dialog (LerCampos), refreshes it after
// a change of display units (AtualizarUnidades) and shows its first page
// when the command runs again (MostrarPaginaInicial). A tool registers a
// function that runs its modal window in the same way (TRegistroFerramenta).

#include <QWidget>

class QMdiSubWindow;

#include <functional>
#include <memory>
#include <string>

namespace vastrel {
class TGerenteSys;
class TJanelaConsulta;
class TProjeto;
} // namespace vastrel

namespace vastrel::gui {

class TAjuda;
class TDialogos;
class TProcessoPercent;

// What the main window lends the windows it opens.
struct TContextoPrograma {
    TProjeto& Projeto;        // every project object and the display units
    TGerenteSys& Gerente;     // set Gerente.Alterado on every edit
    TDialogos& Dialogos;      // message boxes, questions, file dialogs
    TAjuda& Ajuda;            // help topics
    QWidget* Principal;       // parent of modal dialogs
    // Runs a long task under the progress dialog "Aguarde, processando...".
    std::function<void(TProcessoPercent&)> ExecutarComProgresso;
    // Puts a window in a child window of the main window, not yet shown, and
    // gives the frame (CriarFilha below); unset without a main window.
    std::function<QWidget*(QWidget* janela, bool rolar)> CriarFilha;
};

// The frame a window opened from another goes in: a child window of the
// main window, with `rolar` inside a scroll area so that a window larger
// than the frame (a small screen, a large scaling) keeps every control
// reachable; without a main window, the window itself. Deleting the frame
// deletes the window. MostrarFilha shows it and brings it to the front.
QWidget* CriarFilha(TContextoPrograma& c, QWidget* janela, bool rolar);
void MostrarFilha(QWidget* quadro);

// The child window of the main window that holds `w`, or null.
QMdiSubWindow* SubJanelaDe(const QWidget* w);

class TJanelaModulo : public QWidget {
    Q_OBJECT
public:
    TJanelaModulo(std::string modulo, TContextoPrograma& contexto, QWidget* pai = nullptr);

    // "Dimensionamento" or "Locacao".
    const std::string& Modulo() const { return modulo_; }

    // The project objects into the fields.
    virtual void PreencherCampos() = 0;
    // The fields into the project objects. Raises the conversion error of a
    // field that does not hold a number (the caller shows it).
    virtual void LerCampos() = 0;
    // The display units changed: rewrite the unit labels and the non-empty
    // slope and infiltration fields from the stored values.
    virtual void AtualizarUnidades() = 0;
    // Back to the entry (first) page.
    virtual void MostrarPaginaInicial() = 0;

    // Closes the window. With `copiarCampos` its fields are first copied into
    // the project objects; an error in them is shown and the window stays
    // open (false). Without, the window is closed as it is.
    bool Fechar(bool copiarCampos);

protected:
    // A window closed by the user copies its fields first.
    void closeEvent(QCloseEvent* e) override;

    TContextoPrograma& Contexto;

private:
    std::string modulo_;
    bool descartar_ = false;
};

// The module window a child window of the main window holds, or null.
TJanelaModulo* ModuloDe(const QMdiSubWindow* sub);

using TFabricaJanela = std::function<TJanelaModulo*(TContextoPrograma&)>;

void RegistrarJanelaModulo(const std::string& modulo, TFabricaJanela fabrica);
// The factory of a module, or an empty function when none was registered.
TFabricaJanela FabricaJanelaModulo(const std::string& modulo);

struct TRegistroJanela {
    TRegistroJanela(const std::string& modulo, TFabricaJanela fabrica)
    {
        RegistrarJanelaModulo(modulo, std::move(fabrica));
    }
};

// The tools of the "&Ferramentas" menu. Import and export are one window in
// two modes.
enum class TFerramenta { Visualizar, Importacao, Exportacao, Declividade, Filtro };
using TAcaoFerramenta = std::function<void(TContextoPrograma&)>;

void RegistrarFerramenta(TFerramenta ferramenta, TAcaoFerramenta acao);
TAcaoFerramenta AcaoFerramenta(TFerramenta ferramenta);

struct TRegistroFerramenta {
    TRegistroFerramenta(TFerramenta ferramenta, TAcaoFerramenta acao)
    {
        RegistrarFerramenta(ferramenta, std::move(acao));
    }
};

// The consultation window of the rainfall database, registered from its own
// source file (TRegistroConsulta) and handed to the project's rainfall
// component by LigarJanelaConsulta, so that every window whose "Consulta"
// button calls TNimbra21::Consultar opens it.
using TFabricaConsulta = std::function<std::unique_ptr<TJanelaConsulta>(TContextoPrograma&, int helpContext)>;

void RegistrarJanelaConsulta(TFabricaConsulta fabrica);
// Gives c.Projeto.Nimbra the registered window, created over `c` (which must
// outlive the component's use of it); nothing when none was registered.
void LigarJanelaConsulta(TContextoPrograma& c);

struct TRegistroConsulta {
    explicit TRegistroConsulta(TFabricaConsulta fabrica) { RegistrarJanelaConsulta(std::move(fabrica)); }
};

} // namespace vastrel::gui

#pragma once
// The document browser: the program's texts on conservation practices and
// its help pages, plain HTML files under the program's folder, in a window
// with back, forward and start page, text search and printing with a header
// and a footer.

#include <QDialog>
#include <QUrl>

#include <filesystem>
#include <functional>
#include <vector>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QTextBrowser;

namespace vastrel::gui {

class TDialogos;

// The component the main window holds: opens the browser window modally on
// one page.
class TBrowser {
public:
    explicit TBrowser(TDialogos& dialogos) : dialogos_(dialogos) {}

    int HelpContext = 0;    // help topic of the window's "Ajuda"
    bool ShowAbout = false; // show "Sobre" in the window's help menu
    std::function<void(QWidget*)> Sobre; // the program's about window

    // Shows `pagina` as the start page; true only when the window closed
    // with OK (its own commands close it with Cancel).
    bool MostrarDocumento(const std::filesystem::path& pagina, QWidget* pai);

private:
    TDialogos& dialogos_;
};

class TFBrowser : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxHistorico = 15;

    TFBrowser(TDialogos& dialogos, const std::filesystem::path& inicio, int helpContext, bool showAbout,
              QWidget* pai = nullptr);

    std::function<void(QWidget*)> Sobre;

    QTextBrowser* Viewer() const { return viewer_; }
    QAction* AcaoVoltar() const { return voltar_; }
    QAction* AcaoAvancar() const { return avancar_; }
    QAction* AcaoInicio() const { return inicio_; }
    QAction* AcaoLocalizar() const { return localizar_; }
    QAction* AcaoImprimir() const { return imprimir_; }

    // Visited pages, most recent first, and the position of the one shown.
    const std::vector<QUrl>& Historico() const { return historico_; }
    int IndiceHistorico() const { return indice_; }

    // Shows a page and records it in the history (links, "Início").
    void Navegar(const QUrl& url);
    void Voltar();
    void Avancar();
    void Inicio();

    // Searches from the current position; a miss shows "Nenhuma ocorrência
    // a mais de "<texto>"" and returns false.
    bool Localizar(const QString& texto, bool diferenciarCaixa);
    void AbrirLocalizar();

    // The print dialog, then the printing of the chosen pages.
    void ImprimirClick();
    // Prints pages `de` to `ate` (1-based) of the page shown, with the page
    // title as header and the date and "Página n" as footer.
    void Imprimir(QPrinter& printer, int de, int ate);

protected:
    void showEvent(QShowEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void Mostrar(const QUrl& url);
    void AtualizarComandos();
    void AjudaClick();

    TDialogos& dialogos_;
    QUrl inicio_url_;
    int helpContext_;
    bool iniciado_ = false;
    bool carregado_ = false;
    std::vector<QUrl> historico_;
    int indice_ = 0;

    QTextBrowser* viewer_ = nullptr;
    QLabel* painelTexto_ = nullptr;
    QLabel* painelHora_ = nullptr;
    QAction* voltar_ = nullptr;
    QAction* avancar_ = nullptr;
    QAction* inicio_ = nullptr;
    QAction* localizar_ = nullptr;
    QAction* imprimir_ = nullptr;
    QAction* sobre_ = nullptr;
    QAction* sepSobre_ = nullptr;
    QDialog* dlgLocalizar_ = nullptr;
    QLineEdit* textoLocalizar_ = nullptr;
    QCheckBox* caixaLocalizar_ = nullptr;
};

} // namespace vastrel::gui

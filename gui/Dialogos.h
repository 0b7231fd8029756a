#pragma once
// The one door through which every window of the program talks to the user
// outside its own controls: message boxes, questions, file dialogs and the
// print dialog. The program uses TDialogosQt; the GUI tests put in their own
// implementation that answers from a script, so that no modal box ever
// waits for a hand that is not there.

#include <QDialog>
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <optional>
#include <string>

#include "common/Dialogo.h"

class QLabel;
class QLayout;
class QLineEdit;
class QPrinter;
class QPushButton;
class QWidget;

namespace vastrel::gui {

// The program's title: main window, application and the message boxes.
inline constexpr const char* kTituloPrograma = "Vastrel 3.0";

// One file dialog, described as the core describes it.
using TArquivoDialogo = TDialogoArquivo;

class TDialogos {
public:
    using TResposta = vastrel::TResposta;

    virtual ~TDialogos() = default;

    // Error, warning and information boxes with an OK button. `detalhe`, when
    // not empty, is a second, smaller text under the message.
    virtual void Erro(QWidget* pai, const QString& texto, const QString& detalhe = {}) = 0;
    virtual void Aviso(QWidget* pai, const QString& texto) = 0;
    virtual void Informacao(QWidget* pai, const QString& texto) = 0;

    // A confirmation with Yes and No, and Cancel when `comCancelar`. Closing
    // the box counts as Cancel (or No without a Cancel button).
    virtual TResposta Confirmar(QWidget* pai, const QString& texto, bool comCancelar) = 0;

    // File dialogs: the chosen full path, or an empty text when cancelled.
    // Neither asks about overwriting nor requires the file to exist. A name
    // saved without extension gets that of the file type chosen in the
    // dialog (the default extension when the type is any file).
    virtual QString ArquivoAbrir(QWidget* pai, const TArquivoDialogo& d) = 0;
    virtual QString ArquivoSalvar(QWidget* pai, const TArquivoDialogo& d) = 0;

    // The print dialog on `printer` (printer, page range, or a PDF file);
    // true when the user confirmed.
    virtual bool Impressao(QWidget* pai, QPrinter& printer) = 0;

    // One item of a list (`atual` chosen at first): its position, or
    // nothing when the user cancelled.
    virtual std::optional<int> EscolherItem(QWidget* pai, const QString& titulo, const QString& texto,
                                            const QStringList& itens, int atual) = 0;
};

// The program's implementation: QMessageBox, QFileDialog, QPrintDialog.
class TDialogosQt : public TDialogos {
public:
    void Erro(QWidget* pai, const QString& texto, const QString& detalhe = {}) override;
    void Aviso(QWidget* pai, const QString& texto) override;
    void Informacao(QWidget* pai, const QString& texto) override;
    TResposta Confirmar(QWidget* pai, const QString& texto, bool comCancelar) override;
    QString ArquivoAbrir(QWidget* pai, const TArquivoDialogo& d) override;
    QString ArquivoSalvar(QWidget* pai, const TArquivoDialogo& d) override;
    bool Impressao(QWidget* pai, QPrinter& printer) override;
    std::optional<int> EscolherItem(QWidget* pai, const QString& titulo, const QString& texto,
                                    const QStringList& itens, int atual) override;
};

// A dialog that fills itself from the project the first time it is shown
// (the moment the user first sees it), not at every later activation.
class TDialogoAtivado : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;
    virtual void FormActivate() = 0;

protected:
    void showEvent(QShowEvent* e) override;

private:
    bool ativado_ = false;
};

// A modal tool dialog that runs a long task while its own window events go
// on: "&Fechar", Esc and the title bar's close button wait for the end of a
// run, so that the dialog never goes while the task still writes into it.
class TDialogoProcesso : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;
    bool Executando() const { return executando_; }

    void reject() override;

protected:
    void closeEvent(QCloseEvent* e) override;

    bool executando_ = false;
};

// A push button with its caption and object name.
QPushButton* Botao(QWidget* pai, const QString& texto, const QString& nome);

// A text field with its object name, hint (UTF-8; none when null) and
// maximum width in pixels.
QLineEdit* CampoTexto(QWidget* pai, const char* nome, const char* dica, int largura);

// A caption, tied to the field its accelerator key focuses (when given).
QLabel* Rotulo(QWidget* pai, const QString& texto, QWidget* amigo = nullptr);

// Lays out a fixed-size modal dialog with only the system-menu button:
// `corpo` above a row of `botoes` aligned right, in the order given.
void MontarDialogoFixo(QDialog* dialogo, QLayout* corpo, std::initializer_list<QPushButton*> botoes);

// "desc|pattern|desc|pattern" as a Qt name filter list ("desc (pattern)").
QString FiltroQt(const QString& filtro);

// A text of the core (UTF-8) as a QString and back.
QString Q(const std::string& texto);
std::string S(const QString& texto);

} // namespace vastrel::gui

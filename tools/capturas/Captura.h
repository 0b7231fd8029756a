#pragma once
// Scenes for the README's screenshots. A scene drives the real main window
// (open a project, press buttons) and saves pictures of what it shows:
//
//     static const TRegistroCena cena("dimensionamento-entrada",
//         [](TAmbienteCena& a) {
//             a.Principal.AbrirArgumento(a.Exemplo("examples/piracicaba.vst"));
//             ...
//             a.Salvar(*janela);
//         });
//
// `vastrel-capturas PASTA [CENA...]` runs the named scenes (all without
// names) and writes PASTA/<cena>.png; a scene saving several pictures names
// the others itself (a.Salvar(w, "sufixo") -> <cena>-sufixo.png).

#include "Dialogos.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <filesystem>
#include <functional>
#include <string>

class QWidget;

namespace vastrel::gui {
class TFPrincipal;
}

namespace vastrel::capturas {

// Dialogs answered without a hand: messages are printed on standard error,
// questions take the next answer of `Respostas` (Sim when none is left), file
// dialogs the next of `Arquivos` (cancel when none is left), printing is
// refused.
class TDialogosCena : public gui::TDialogos {
public:
    std::deque<TResposta> Respostas;
    std::deque<QString> Arquivos;

    void Erro(QWidget*, const QString& texto, const QString& detalhe = {}) override;
    void Aviso(QWidget*, const QString& texto) override;
    void Informacao(QWidget*, const QString& texto) override;
    TResposta Confirmar(QWidget*, const QString& texto, bool comCancelar) override;
    QString ArquivoAbrir(QWidget*, const gui::TArquivoDialogo& d) override;
    QString ArquivoSalvar(QWidget*, const gui::TArquivoDialogo& d) override;
    bool Impressao(QWidget*, QPrinter&) override { return false; }
    // Lists keep their current item.
    std::optional<int> EscolherItem(QWidget*, const QString&, const QString&, const QStringList&, int atual) override
    {
        return atual;
    }

private:
    QString Proximo();
};

struct TAmbienteCena {
    gui::TFPrincipal& Principal;
    TDialogosCena& Dialogos;
    std::string Nome;                    // the scene's name
    std::filesystem::path PastaSaida;    // where the pictures go
    std::filesystem::path PastaTrabalho; // a scratch folder, removed afterwards

    // A copy in the scratch folder of a file of the repository (relative to
    // its root), so that a scene never changes the bundled examples.
    QString Exemplo(const std::string& relativo) const;
    // The window as it is drawn, after pending events are processed.
    void Salvar(QWidget& janela, const std::string& sufixo = {}) const;
};

// Runs `acao` on the next modal window as soon as it is shown (a modal
// window blocks the scene until it is closed, so it is pictured from here).
void AoAbrirModal(std::function<void(QWidget*)> acao);

using TCena = std::function<void(TAmbienteCena&)>;

class TRegistroCena {
public:
    TRegistroCena(std::string nome, TCena cena);
};

} // namespace vastrel::capturas

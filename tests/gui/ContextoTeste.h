#pragma once
// What the tests of the module windows share: a project manager that never
// asks, the context a module window borrows from the main window, and a
// hook on the next modal dialog.

#include "Ajuda.h"
#include "DialogosRoteiro.h"
#include "Modulos.h"
#include "project/GerenteSys.h"
#include "project/Projeto.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>

namespace vastrel::test {

// The project manager's questions answered "No", its file dialogs cancelled.
class TUiNula : public TGerenteSysUi {
public:
    TResposta Perguntar(const std::string&, bool) override { return TResposta::Nao; }
    std::optional<std::string> EscolherArquivoAbrir(const TDialogoArquivo&) override { return std::nullopt; }
    std::optional<std::string> EscolherArquivoSalvar(const TDialogoArquivo&) override { return std::nullopt; }
    void MudarTitulo(const std::string&) override {}
};

// A project, its manager, scripted dialogs, help and a stand-in main window:
// what the main window lends the windows it opens.
struct TContextoTeste {
    TDialogosRoteiro dialogos;
    TUiNula ui;
    TProjeto projeto;
    TGerenteSys gerente{ui};
    gui::TAjuda ajuda{dialogos};
    QWidget principal;
    gui::TContextoPrograma contexto{projeto, gerente, dialogos, ajuda, &principal, {}, {}};
};

// Runs `acao` on the next modal dialog, after it is shown.
inline void AoAbrirModal(std::function<void(QDialog*)> acao)
{
    auto* t = new QTimer;
    t->setInterval(20);
    QObject::connect(t, &QTimer::timeout, [t, acao] {
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            t->stop();
            t->deleteLater();
            acao(d);
        }
    });
    t->start();
}

} // namespace vastrel::test

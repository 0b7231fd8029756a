// The location window on the example watershed, with level and with graded
// terraces: the window filled from the project, the report of the run and
// the terraces over the elevation image.

#include "Captura.h"

#include "Locacao.h"
#include "Principal.h"
#include "Visualizar.h"

#include <QDialog>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <stdexcept>

namespace vastrel::capturas {
namespace {

void Locacao(TAmbienteCena& a, const char* projeto)
{
    for (const char* f : {"elevacao-hugo.ras", "declividade-hugo.ras", "terracos-hugo.vet", "terracos-hugo.bdt"})
        a.Exemplo(std::string("examples/locacao/") + f);
    a.Principal.AbrirArgumento(a.Exemplo(std::string("examples/locacao/") + projeto));
    auto* locacao = dynamic_cast<gui::TFLocacao*>(a.Principal.JanelaModulo("Locacao"));
    if (!locacao)
        throw std::runtime_error("a janela de locação não abriu");
    if (QMdiSubWindow* sub = a.Principal.Mdi()->activeSubWindow())
        sub->adjustSize();
    a.Salvar(a.Principal, "janela");

    // The run replaces the example's output.
    a.Dialogos.Respostas = {gui::TDialogos::TResposta::Sim};
    locacao->ProcessarBtnClick();

    AoAbrirModal([&a](QWidget* relatorio) {
        relatorio->setWindowState(Qt::WindowNoState);
        relatorio->setMinimumSize(0, 0);
        relatorio->resize(900, 1500);
        a.Salvar(*relatorio, "relatorio");
        static_cast<QDialog*>(relatorio)->reject();
    });
    locacao->RelatorioBtnClick();

    gui::TFVisualizar* visualizar = locacao->VisualizarBtnClick();
    if (!visualizar)
        throw std::runtime_error("a visualização dos terraços não abriu");
    if (auto* sub = qobject_cast<QMdiSubWindow*>(visualizar->parentWidget()))
        sub->showMaximized();
    a.Salvar(a.Principal, "terracos");
}

const TRegistroCena cena("locacao", [](TAmbienteCena& a) { Locacao(a, "locacao-hugo.vst"); });
const TRegistroCena cenaGradiente("gradiente", [](TAmbienteCena& a) { Locacao(a, "locacao-hugo-gradiente.vst"); });

} // namespace
} // namespace vastrel::capturas

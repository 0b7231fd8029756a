#include "Modulos.h"

#include "Dialogos.h"

#include "common/Exceptions.h"
#include "project/Projeto.h"
#include "rainfall/JanelaConsulta.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollArea>

#include <map>

namespace vastrel::gui {

namespace {

std::map<std::string, TFabricaJanela>& Fabricas()
{
    static std::map<std::string, TFabricaJanela> fabricas;
    return fabricas;
}

std::map<TFerramenta, TAcaoFerramenta>& Ferramentas()
{
    static std::map<TFerramenta, TAcaoFerramenta> ferramentas;
    return ferramentas;
}

TFabricaConsulta& FabricaConsulta()
{
    static TFabricaConsulta fabrica;
    return fabrica;
}

} // namespace

void RegistrarJanelaConsulta(TFabricaConsulta fabrica) { FabricaConsulta() = std::move(fabrica); }

void LigarJanelaConsulta(TContextoPrograma& c)
{
    const TFabricaConsulta fabrica = FabricaConsulta();
    if (!fabrica)
        return;
    c.Projeto.Nimbra.CriarJanelaConsulta = [&c, fabrica](int helpContext) { return fabrica(c, helpContext); };
}

void RegistrarJanelaModulo(const std::string& modulo, TFabricaJanela fabrica)
{
    Fabricas()[modulo] = std::move(fabrica);
}

TFabricaJanela FabricaJanelaModulo(const std::string& modulo)
{
    const auto it = Fabricas().find(modulo);
    return it == Fabricas().end() ? TFabricaJanela{} : it->second;
}

void RegistrarFerramenta(TFerramenta ferramenta, TAcaoFerramenta acao)
{
    Ferramentas()[ferramenta] = std::move(acao);
}

TAcaoFerramenta AcaoFerramenta(TFerramenta ferramenta)
{
    const auto it = Ferramentas().find(ferramenta);
    return it == Ferramentas().end() ? TAcaoFerramenta{} : it->second;
}

TJanelaModulo::TJanelaModulo(std::string modulo, TContextoPrograma& contexto, QWidget* pai)
    : QWidget(pai), Contexto(contexto), modulo_(std::move(modulo))
{
}

QWidget* CriarFilha(TContextoPrograma& c, QWidget* janela, bool rolar)
{
    return c.CriarFilha ? c.CriarFilha(janela, rolar) : janela;
}

void MostrarFilha(QWidget* quadro)
{
    quadro->show();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(quadro); sub && sub->mdiArea())
        sub->mdiArea()->setActiveSubWindow(sub);
    else
        quadro->activateWindow();
}

QMdiSubWindow* SubJanelaDe(const QWidget* w)
{
    for (QWidget* p = w ? w->parentWidget() : nullptr; p; p = p->parentWidget())
        if (auto* sub = qobject_cast<QMdiSubWindow*>(p))
            return sub;
    return nullptr;
}

TJanelaModulo* ModuloDe(const QMdiSubWindow* sub)
{
    QWidget* w = sub->widget();
    if (auto* rolagem = qobject_cast<QScrollArea*>(w))
        w = rolagem->widget();
    return qobject_cast<TJanelaModulo*>(w);
}

bool TJanelaModulo::Fechar(bool copiarCampos)
{
    descartar_ = !copiarCampos;
    QMdiSubWindow* sub = SubJanelaDe(this);
    const bool fechou = sub ? sub->close() : close();
    descartar_ = false;
    return fechou;
}

void TJanelaModulo::closeEvent(QCloseEvent* e)
{
    if (!descartar_) {
        try {
            LerCampos();
        } catch (const Exception& erro) {
            Contexto.Dialogos.Erro(this, QString::fromStdString(erro.what()));
            e->ignore();
            return;
        }
    }
    e->accept();
}

} // namespace vastrel::gui

// The dimensioning window on a graded-terrace example: the entry page, the
// results, a simulation chart and the report with that chart.

#include "Captura.h"

#include "Dimensionamento.h"
#include "Principal.h"

#include <QDialog>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace vastrel::capturas {
namespace {

void Dimensionamento(TAmbienteCena& a)
{
    a.Principal.AbrirArgumento(a.Exemplo("examples/gradiente-trapezoidal-vicosa.vst"));
    auto* janela = dynamic_cast<gui::TFDimensionamento*>(a.Principal.JanelaModulo("Dimensionamento"));
    if (!janela)
        throw std::runtime_error("a janela de dimensionamento não abriu");
    if (QMdiSubWindow* sub = a.Principal.Mdi()->activeSubWindow())
        sub->showMaximized();
    a.Salvar(a.Principal, "entrada");

    janela->CalcularClick();
    a.Salvar(a.Principal, "resultados");

    janela->SimulacaoClick();
    janela->DesenharGrafico(0, 0);
    a.Salvar(a.Principal, "simulacao");

    AoAbrirModal([&a](QWidget* relatorio) {
        relatorio->resize(760, 900);
        a.Salvar(*relatorio, "relatorio");
        static_cast<QDialog*>(relatorio)->reject();
    });
    janela->RelatorioClick();
}

const TRegistroCena cena("dimensionamento", Dimensionamento);

} // namespace
} // namespace vastrel::capturas

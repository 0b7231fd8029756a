// The consultation window of the rainfall database, opened by the
// dimensioning window's "Consulta" button: the country page, a point picked
// on the map of Minas Gerais, and the report of that point.

#include "Captura.h"

#include "Consulta.h"
#include "Dimensionamento.h"
#include "Principal.h"

#include <QDialog>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <stdexcept>

namespace vastrel::capturas {
namespace {

constexpr int kGoias = 8;
constexpr int kMinasGerais = 12;

void Consulta(TAmbienteCena& a)
{
    a.Principal.AbrirArgumento(a.Exemplo("examples/gradiente-trapezoidal-vicosa.vst"));
    auto* dimensionamento = dynamic_cast<gui::TFDimensionamento*>(a.Principal.JanelaModulo("Dimensionamento"));
    if (!dimensionamento)
        throw std::runtime_error("a janela de dimensionamento não abriu");
    if (QMdiSubWindow* sub = a.Principal.Mdi()->activeSubWindow())
        sub->showMaximized();

    AoAbrirModal([&a](QWidget* w) {
        auto* janela = qobject_cast<gui::TfrmFoConsulta*>(w);
        if (!janela)
            throw std::runtime_error("a janela de consulta não abriu");
        janela->ListaEstados()->setCurrentRow(kGoias);
        janela->MapaBrasilClick();
        a.Salvar(*janela, "brasil");

        janela->ListaEstados()->setCurrentRow(kMinasGerais);
        const QPoint ponto(283, 278); // Belo Horizonte, 19°55' S 43°56' W
        janela->MapaMove(ponto);
        janela->MapaClick(ponto);
        a.Salvar(*janela, "minas");

        AoAbrirModal([&a](QWidget* relatorio) {
            relatorio->setWindowState(Qt::WindowNoState);
            relatorio->setMinimumSize(0, 0);
            relatorio->resize(760, 1000);
            a.Salvar(*relatorio, "relatorio");
            static_cast<QDialog*>(relatorio)->reject();
        });
        janela->RelatorioClick();
        janela->FecharClick();
    });
    dimensionamento->ConsultaClick();
    a.Salvar(a.Principal, "dimensionamento");
}

const TRegistroCena cena("consulta", Consulta);

} // namespace
} // namespace vastrel::capturas

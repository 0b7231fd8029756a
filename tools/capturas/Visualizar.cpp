// The raster viewer as a user meets it: the slope map of the example
// watershed in the terrain palette at 200 %, the terraces laid out on it
// overlaid with their numbers, the value probe reading a cell, and the
// picture saved as JPEG.

#include "Captura.h"

#include "Principal.h"
#include "Visualizar.h"

#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>

#include <stdexcept>

namespace vastrel::capturas {
namespace {

void Visualizar(TAmbienteCena& a)
{
    const QString declividade = a.Exemplo("examples/locacao/declividade-hugo.ras");
    const QString terracos = a.Exemplo("examples/locacao/terracos-hugo.vet");
    a.Exemplo("examples/locacao/terracos-hugo.bdt");

    gui::TFAbrirArq abrir(a.Principal.Contexto(), &a.Principal);
    abrir.Caminho->setText(declividade);
    gui::TFVisualizar* janela = abrir.OkClick();
    if (!janela)
        throw std::runtime_error("o visualizador não abriu");
    janela->MostrarImagem({}, 4, 200); // terrain palette, 200 %
    janela->SobreporVetor(terracos.toStdString());
    if (QMdiSubWindow* sub = a.Principal.Mdi()->activeSubWindow())
        sub->resize(720, 600);

    // The probe follows the pointer and reads the value on a click: a cell
    // in the middle.
    janela->ObterValorClick();
    QWidget* area = janela->viewport();
    const QPointF ponto(area->width() / 2.0, area->height() / 2.0);
    QMouseEvent movimento(QEvent::MouseMove, ponto, area->mapToGlobal(ponto), Qt::NoButton, Qt::NoButton,
                          Qt::NoModifier);
    QApplication::sendEvent(area, &movimento);
    QMouseEvent clique(QEvent::MouseButtonRelease, ponto, area->mapToGlobal(ponto), Qt::LeftButton, Qt::NoButton,
                       Qt::NoModifier);
    QApplication::sendEvent(area, &clique);
    a.Salvar(a.Principal);
    if (gui::TFObterValor* sonda = gui::TFVisualizar::Sonda())
        a.Salvar(*sonda, "sonda");

    const QString jpeg = QString::fromStdString((a.PastaTrabalho / "declividade-hugo.jpg").string());
    janela->SalvarImagem(jpeg);
    if (!QFileInfo::exists(jpeg))
        throw std::runtime_error("a imagem JPEG não foi gravada");
}

const TRegistroCena cena("visualizar", Visualizar);

} // namespace
} // namespace vastrel::capturas

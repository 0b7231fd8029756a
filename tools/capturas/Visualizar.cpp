// The raster viewer as a user meets it: the slope map of the example
// watershed opened in the terrain palette at the zoom that fits it, the
// terraces laid out on it overlaid with their numbers, the legend beside it,
// the value strip reading a cell, and the picture saved as JPEG.

#include "Captura.h"

#include "Principal.h"
#include "Visualizar.h"

#include <QApplication>
#include <QAbstractButton>
#include <QButtonGroup>
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
    abrir.Paletas->button(4)->setChecked(true); // terrain palette
    gui::TFVisualizar* janela = abrir.OkClick();
    if (!janela)
        throw std::runtime_error("o visualizador não abriu");
    janela->SobreporVetor(terracos.toStdString());

    // The strip follows the pointer: a cell in the middle.
    QWidget* area = janela->viewport();
    const QPointF ponto(area->width() / 2.0, area->height() / 2.0);
    QMouseEvent movimento(QEvent::MouseMove, ponto, area->mapToGlobal(ponto), Qt::NoButton, Qt::NoButton,
                          Qt::NoModifier);
    QApplication::sendEvent(area, &movimento);
    a.Salvar(a.Principal);

    const QString jpeg = QString::fromStdString((a.PastaTrabalho / "declividade-hugo.jpg").string());
    janela->SalvarImagem(jpeg);
    if (!QFileInfo::exists(jpeg))
        throw std::runtime_error("a imagem JPEG não foi gravada");
}

const TRegistroCena cena("visualizar", Visualizar);

} // namespace
} // namespace vastrel::capturas

#include "Ajuda.h"

#include "Browser.h"

#include "common/Pastas.h"

#include <QAbstractButton>
#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

#include <string>

namespace vastrel::gui {

std::filesystem::path PaginaDeAjuda(int topico)
{
    if (topico != kTopicoConteudo) {
        const auto pagina = ArquivoDoPrograma("ajuda/" + std::to_string(topico) + ".htm");
        std::error_code ec;
        if (std::filesystem::exists(pagina, ec))
            return pagina;
    }
    return ArquivoDoPrograma("ajuda/index.htm");
}

void TAjuda::Abrir(int topico, QWidget* pai)
{
    TBrowser browser(dialogos_);
    browser.HelpContext = topico;
    browser.MostrarDocumento(PaginaDeAjuda(topico), pai);
}

void TAjuda::ComoUsar(QWidget* pai)
{
    TBrowser browser(dialogos_);
    browser.MostrarDocumento(ArquivoDoPrograma("ajuda/como-usar.htm"), pai);
}

void TAjuda::Ligar(QWidget* janela, int topico, QAbstractButton* botao)
{
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), janela);
    f1->setContext(Qt::WindowShortcut);
    QObject::connect(f1, &QShortcut::activated, janela, [this, janela, topico] { Abrir(topico, janela); });
    if (botao)
        QObject::connect(botao, &QAbstractButton::clicked, janela, [this, janela, topico] { Abrir(topico, janela); });
}

} // namespace vastrel::gui

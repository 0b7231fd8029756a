#pragma once
// Help: every topic number of the program is a page "ajuda/<número>.htm" in
// the program's folder, shown in the document browser. The contents page
// "ajuda/index.htm" lists the topics; a topic without a page of its own
// opens the contents page.

#include <filesystem>

class QAbstractButton;
class QWidget;

namespace vastrel::gui {

class TDialogos;

inline constexpr int kTopicoConteudo = 0;

// The page of a topic (the contents page for 0 or a topic not written).
std::filesystem::path PaginaDeAjuda(int topico);

class TAjuda {
public:
    explicit TAjuda(TDialogos& dialogos) : dialogos_(dialogos) {}

    // Shows the topic in the document browser, modally over `pai`.
    void Abrir(int topico, QWidget* pai);
    // The page "Como usar a ajuda".
    void ComoUsar(QWidget* pai);

    // F1 in `janela`, and a click on `botao` when given, open the topic.
    void Ligar(QWidget* janela, int topico, QAbstractButton* botao = nullptr);

private:
    TDialogos& dialogos_;
};

} // namespace vastrel::gui

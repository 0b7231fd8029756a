#pragma once
// The identification dialog "Identificação do Projeto": the six free texts
// of the project. Made once with the main window and reused; "&Ok" marks
// the project as modified when a text differs from the record's, and
// "&Cancelar" leaves both the record and the flag as they were.

#include "Ajuda.h"

#include <QDialog>

#include <array>

class QLineEdit;
class QPushButton;

namespace vastrel {
class TGerenteSys;
class TIDProjeto;
} // namespace vastrel

namespace vastrel::gui {

class TAjuda;

class TFIdentProjeto : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTopicoAjuda = topico::Identificacao;

    TFIdentProjeto(TIDProjeto& id, TGerenteSys& gerente, TAjuda& ajuda, QWidget* pai = nullptr);

    // Edit1 … Edit6: name, company, locality, state, technician, date.
    QLineEdit* Edit(int i) const { return edits_[static_cast<std::size_t>(i)]; }
    QPushButton* BotaoOk() const { return fechar_; }
    QPushButton* BotaoCancelar() const { return cancelar_; }
    QPushButton* BotaoAjuda() const { return ajuda_; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    void FecharClick();

    TIDProjeto& id_;
    TGerenteSys& gerente_;
    std::array<QLineEdit*, 6> edits_{};
    QPushButton* fechar_;
    QPushButton* cancelar_;
    QPushButton* ajuda_;
};

} // namespace vastrel::gui

#pragma once
// The units dialog "Configuração do Sistema": the display units of slopes
// and of the stable infiltration rate, and the default state of the
// rainfall database. Made for one use.

#include "Ajuda.h"

#include <QDialog>

class QComboBox;
class QPushButton;

namespace vastrel {
struct TUnidades;
}

namespace vastrel::gui {

class TAjuda;

class TFConfSistema : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTopicoAjuda = topico::ConfSistema;

    TFConfSistema(TUnidades& unidades, TAjuda& ajuda, QWidget* pai = nullptr);

    QComboBox* Uniddecli() const { return uniddecli_; }
    QComboBox* UnidVib() const { return unidVib_; }
    QComboBox* EstDefault() const { return estDefault_; }
    QPushButton* BotaoOk() const { return ok_; }
    QPushButton* BotaoCancela() const { return cancela_; }

private:
    void OkClick();

    TUnidades& unidades_;
    QComboBox* uniddecli_;
    QComboBox* unidVib_;
    QComboBox* estDefault_;
    QPushButton* ok_;
    QPushButton* cancela_;
    QPushButton* ajuda_;
};

} // namespace vastrel::gui

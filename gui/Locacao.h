#pragma once
// The location window "Módulo para a Locação": the terrace system (level or
// graded), the storm, the spacing method, soil, channel (and for graded
// terraces the graded channel) and terrace type of a location over a
// watershed, its three files, the run under the progress dialog, the report
// of the run and a view of the terraces over the elevation image.

#include "Modulos.h"

#include "dimensioning/EntradaLocacao.h"
#include "location/LocacaoNivel.h"

#include <map>
#include <optional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vastrel::gui {

class TFiltroNumerico;
class TFVisualizar;
class TGrupoPrecipitacao;

class TFLocacao : public TJanelaModulo {
    Q_OBJECT
public:
    explicit TFLocacao(TContextoPrograma& c, QWidget* pai = nullptr);
    ~TFLocacao() override;

    // TJanelaModulo: the fields from and into the project objects.
    void PreencherCampos() override { MostrarCampos(); }
    void LerCampos() override { GravarCampos(); }
    void AtualizarUnidades() override;
    void MostrarPaginaInicial() override;

    void LimparCampos();
    void MostrarCampos();
    // Raises the conversion error of a field that is not a number.
    void GravarCampos();
    // The first empty required field is reported and focused: false.
    bool ValidarCampos();

    // Commands, as the buttons run them.
    void ProcessarBtnClick();
    void RelatorioBtnClick();
    void DefinirClick();
    void TerrenoBtnClick();
    void ConsultaClick();
    void CoberVegClick();
    void BTnSmZClick();
    void BtImagensClick();
    // Opens a viewer with the elevation image of the last run and its
    // terraces; null when it could not be shown.
    TFVisualizar* VisualizarBtnClick();

    // The fields as texts.
    TCamposLocacao Campos() const;
    QLineEdit* Campo(TCampoLocacao campo) const { return campos_.at(campo); }
    QLineEdit* EditEsp() const { return eEditEsp_; }
    QLabel* LabelEsp() const { return labelEsp_; }
    QComboBox* Metodo() const { return metodo_; }
    QPushButton* Definir() const { return definir_; }
    QPushButton* Processar() const { return processar_; }
    QPushButton* Relatorio() const { return relatorio_; }
    QPushButton* Visualizar() const { return visualizar_; }
    QRadioButton* Criterio(int i) const { return criterios_[i]; }
    QLineEdit* CoefUni() const { return eCoefUni_; }
    QRadioButton* Nivel() const { return nivel_; }
    QRadioButton* Gradiente() const { return gradiente_; }
    QComboBox* FormaCanal() const { return formaCanal_; }
    QGroupBox* GrupoGradiente() const { return gGradiente_; }
    // The terrace system chosen, as its radio buttons do it: the fields go
    // into the system shown, the other one's values are shown.
    void SistemaClick(bool gradiente);
    // The last run started from this window, for its report and view.
    const std::optional<TResultadoLocacao>& UltimaLocacao() const { return ultima_; }

    // The help topic of the group holding `w` (the window's own topic
    // outside the groups).
    int TopicoAjuda(const QWidget* w) const;

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void Montar();
    void MetodoChange(int indice, bool doUsuario);
    void AplicarMetodo(int indice); // the controls of a method
    void AplicarSistema(bool gradiente);
    void AplicarForma();

    void CriterioClick(int criterio);
    void Alterar();
    void InvalidarRelatorio();
    void MostrarUnidades();
    void MostrarErro(const std::exception& e);
    int CriterioMarcado() const;

    std::map<TCampoLocacao, QLineEdit*> campos_;
    QComboBox* metodo_ = nullptr;
    QPushButton* definir_ = nullptr;
    QLineEdit* eEditEsp_ = nullptr;
    QLabel *labelEsp_ = nullptr, *unidEsp_ = nullptr;
    TGrupoPrecipitacao* precipitacao_ = nullptr;
    QLineEdit *precLa1_ = nullptr, *precLo1_ = nullptr;
    QLabel *unidVIB_ = nullptr, *unidSm_ = nullptr;
    QLineEdit* eCoefUni_ = nullptr;
    QRadioButton* criterios_[4] = {};
    QRadioButton *nivel_ = nullptr, *gradiente_ = nullptr;
    QGroupBox *gGradiente_ = nullptr, *gTipo_ = nullptr;
    QComboBox* formaCanal_ = nullptr;
    QLabel *rotuloBase_ = nullptr, *rotuloTalude_ = nullptr, *unidSc_ = nullptr;
    QLineEdit* zsm_ = nullptr;
    QPushButton* btnSm_ = nullptr;
    QPushButton *processar_ = nullptr, *relatorio_ = nullptr, *visualizar_ = nullptr;
    TFiltroNumerico* filtro_ = nullptr;
    bool preenchendo_ = false;
    std::optional<TResultadoLocacao> ultima_;
};

} // namespace vastrel::gui

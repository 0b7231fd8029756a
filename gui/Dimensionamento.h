#pragma once
// The dimensioning window: the entry page, the results page and the
// simulation page of a terrace system for a regular field.

#include "Modulos.h"

#include "dimensioning/EntradaDimensionamento.h"

#include <QPointF>

#include <map>

class QChartView;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QLineSeries;
class QListWidget;
class QPushButton;
class QStackedWidget;
class QTabWidget;
class QValueAxis;
class QWidget;

namespace vastrel::gui {

class TFiltroNumerico;
class TGrupoPrecipitacao;

class TFDimensionamento : public TJanelaModulo {
    Q_OBJECT
public:
    explicit TFDimensionamento(TContextoPrograma& c, QWidget* pai = nullptr);

    void PreencherCampos() override;
    void LerCampos() override;
    void AtualizarUnidades() override;
    void MostrarPaginaInicial() override;

    enum TPagina { Entrada = 0, Resultados = 1, Simulacao = 2 };
    int PaginaAtual() const;

    // Commands, as the buttons run them.
    void CalcularClick();
    void DefinirClick();
    void ConsultaClick();
    void SmZClick();
    void RugCanClick();
    void RugTerClick();
    void CoberturaClick();
    void ResultadoOKClick();
    void VoltarResultadosClick();
    void SimulacaoClick();
    void SimulacaoOKClick();
    void VoltarSimulacaoClick();
    void RelatorioClick();
    // Draws the chart of list `lista` (0 " Vazão ", 1 "Altura teórica",
    // 2 "Altura recomendada", 3 the level list), item `item`.
    void DesenharGrafico(int lista, int item);
    // A click on the chart at a position of the view's viewport.
    void ClicarGrafico(const QPointF& posicao);

    // The fields as texts, in display units.
    TCamposDimensionamento Campos() const;
    QLineEdit* Campo(TCampo campo) const;

    // The chart on display.
    QLineSeries* Serie() const { return serie_; }
    QChartView* Grafico() const { return grafico_; }
    QValueAxis* EixoX() const { return eixoX_; }
    QValueAxis* EixoY() const { return eixoY_; }
    QListWidget* ListaGrafico(int lista) const { return listas_[lista]; }
    QComboBox* Linha(int n) const { return linhas_[n]; } // 0 flow, 1 height, 2 input, 3 recommended height
    QLabel* RotuloLinha(int n) const { return rotulosLinha_[n]; }
    QLabel* UnidadeLinha(int n) const { return unidadesLinha_[n]; }
    double VazaoCalculada() const { return qCalculada_; }
    // The notes beside the results (range warnings, no runoff).
    QLabel* Avisos() const { return avisos_; }

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void MontarEntrada(QWidget* p);
    void MontarResultados(QWidget* p);
    void MontarSimulacao(QWidget* p);
    void Preencher();
    void RegraSistema(int tipo);
    void RotulosCanal(int tipo);
    void CanalChange(int tipo);
    void MetodoChange(int metodo);
    void DecliTerChange();
    void EHChange();
    void EVChange();
    void CompExit();
    bool CDuExit(QLineEdit* campo);
    // The coefficient of a field stored with the recommended height it
    // gives; false (with the message shown) for a text that is no number.
    bool GuardarCDu(QLineEdit* campo);
    void MostrarPagina(int pagina);
    void Alterar();
    double Ler(QLineEdit* campo) const;           // the number of a field, 0 when empty
    void Mostrar(QLineEdit* campo, const char* formato, double valor);
    void MostrarErro(const std::exception& e);
    QPixmap Secao(int tipo) const;
    void CarregarFigura(QLabel* rotulo, bool gradiente) const;

    // Entry page.
    QStackedWidget* paginas_ = nullptr;
    QComboBox* cbSistema_ = nullptr;
    QComboBox* canal_ = nullptr;
    QComboBox* metodo_ = nullptr;
    std::map<TCampo, QLineEdit*> campos_;
    TGrupoPrecipitacao* precipitacao_ = nullptr;
    QLineEdit *precLa1_ = nullptr, *precLo1_ = nullptr;
    QLabel *rotBSt_ = nullptr, *uniBSt_ = nullptr, *rotZSm_ = nullptr, *uniZSm_ = nullptr;
    QLabel *uniSc_ = nullptr, *uniDecliTer_ = nullptr, *uniVIB_ = nullptr;
    QLabel* figuraCanal_ = nullptr;
    QPushButton *btnSmZ_ = nullptr, *btnDefinir_ = nullptr;
    QWidget *painelCanalGrad_ = nullptr, *painelTerrenoGrad_ = nullptr;
    TFiltroNumerico* filtro_ = nullptr;
    bool preenchendo_ = false;
    bool ehDirige_ = true;        // EH drives EV (else EV drives EH)
    bool stCanalDirige_ = false;  // the channel's St field was entered last (else the terrain slope)
    bool saindoComp_ = false;

    // Results page.
    QLabel *rotVazao_ = nullptr, *uniVazao_ = nullptr, *figuraSistema_ = nullptr, *figuraSecaoRes_ = nullptr;
    QLineEdit *eVazao_ = nullptr, *eEVRes_ = nullptr, *eH_ = nullptr, *eCDu_ = nullptr, *eHr_ = nullptr;
    QPushButton* ajudaResultados_ = nullptr;
    QLabel* avisos_ = nullptr;
    double qCalculada_ = 0;

    // Simulation page.
    QTabWidget* abas_ = nullptr;
    QGroupBox* grupoNivel_ = nullptr;
    QListWidget* listas_[4] = {};
    QChartView* grafico_ = nullptr;
    QLineSeries* serie_ = nullptr;
    QValueAxis *eixoX_ = nullptr, *eixoY_ = nullptr;
    QComboBox* linhas_[4] = {};
    QLabel* rotulosLinha_[4] = {};
    QLabel* unidadesLinha_[4] = {};
    QWidget* linhaVazao_ = nullptr;
    QLabel* figuraSecaoSim_ = nullptr;
    QLineEdit* eCDuSim_ = nullptr;
    QPushButton* ajudaSimulacao_ = nullptr;
    bool sincronizando_ = false;
    bool desenhando_ = false;
};

} // namespace vastrel::gui

#pragma once
// The consultation window of the rainfall database: the user picks a state,
// then a rain-gauge station (its published IDF parameters as they are), a
// locality, a point on the state's map or typed coordinates (parameters
// interpolated from the stations by the inverse fifth power of the
// distance). Opened by the rainfall component (TNimbra21::Consultar), which
// fills it and takes the chosen place and the four parameters back.

#include "Ajuda.h"
#include "ConsultaAuxiliares.h"

#include "rainfall/BDPrecipitacao.h"
#include "rainfall/Estados.h"
#include "rainfall/JanelaConsulta.h"
#include "rainfall/Mapas.h"
#include "rainfall/SelecaoChuva.h"

#include <QDialog>
#include <QImage>

#include <functional>
#include <memory>
#include <string>

class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;

namespace vastrel::gui {

struct TContextoPrograma;

class TfrmFoConsulta : public QDialog, public TJanelaConsulta {
    Q_OBJECT
public:
    static constexpr const char* kTitulo = "Nimbra 2.1";
    static constexpr int kTopicoAjuda = topico::ConsultaChuvas;
    // Pages of the map area.
    static constexpr int kPaginaBrasil = 0;
    static constexpr int kPaginaEstados = 1;

    // Reads the station file of the shared data folder; raises its errors.
    TfrmFoConsulta(TContextoPrograma& c, int helpContext, QWidget* pai = nullptr);
    ~TfrmFoConsulta() override;

    // TJanelaConsulta.
    void Preparar(const TPreparoConsulta& preparo) override;
    bool Executar() override;
    TRetornoConsulta Retorno() const override;

    // The window's commands and events; each shows its own errors.
    void EstadoClick(int indice);
    void EstacaoClick(int posicao);
    void LocalidadeClick(int posicao);
    void MapaMove(QPoint p);
    void MapaClick(QPoint p);
    void CalcularClick();
    void MapaBrasilClick();
    void BrasilClick(QPoint p);
    void FecharClick();
    void AutorClick();
    void RelatorioClick();
    void SobreClick();

    // What the report and the tests read.
    const TEstado& Estado() const { return estado_; }
    const std::string& Cidade() const { return selecao_.Cidade(); }
    const std::string& LatitudeTexto() const { return selecao_.Latitude(); }
    const std::string& LongitudeTexto() const { return selecao_.Longitude(); }
    const TSelecaoChuva& Selecao() const { return selecao_; }
    QLabel* RotuloAviso() const { return aviso_; }
    QLabel* RotuloPonteiro() const { return ponteiro_; }
    const TRegEstacao& Registro() const { return registro_; }
    // The state map on display, or nullptr.
    const TMapaEstado* MapaAtual() const { return mapa_; }
    QPoint Cruzamento() const { return cruz_; }
    TMapaImagem* MapaEstado() const { return mapaEstado_; }
    TMapaImagem* MapaBrasil() const { return mapaBrasil_; }
    QStackedWidget* Paginas() const { return paginas_; }
    QListWidget* ListaEstados() const { return estados_; }
    QListWidget* ListaEstacoes() const { return estacoes_; }
    QListWidget* ListaLocalidades() const { return localidades_; }
    QLineEdit* CampoLatitude() const { return latitude_; }
    QLineEdit* CampoLongitude() const { return longitude_; }
    QLineEdit* CampoK() const { return campoK_; }
    QLineEdit* CampoA() const { return campoA_; }
    QLineEdit* CampoB() const { return campoB_; }
    QLineEdit* CampoC() const { return campoC_; }
    QPushButton* BotaoAutor() const { return autor_; }
    QPushButton* BotaoCalcular() const { return calcular_; }
    QFrame* LinhaHorizontal() const { return linhaH_; }
    QFrame* LinhaVertical() const { return linhaV_; }
    QLabel* RotuloLatitude() const { return rotuloLat_; }
    QLabel* RotuloLongitude() const { return rotuloLon_; }
    QLabel* Nota() const { return nota_; }
    // The state map with a black dot at the crossing of the crosshair, as
    // the report shows it.
    QImage MapaComPonto() const;
    // The report of what the window shows (UTF-8 HTML naming "Bit.bmp").
    std::string TextoRelatorio() const;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void CriarControles(int helpContext);
    QWidget* CriarPaginaBrasil();
    QWidget* CriarPaginaEstados();
    void Ativar();
    void MudarEstado(int indice, bool ativacao, bool voltando = false);
    void LimparExibicao();
    void PreencherListas();
    void MostrarParametros(const char* mK, const char* mA, const char* mB, const char* mC);
    void MostrarParametrosExatos();
    void EsvaziarParametros();
    void DefinirAutor(const std::string& fonte);
    void PosicionarCruz(QPoint p);
    void EsconderCruz();
    void TestarCaixa(const std::string& lat, const std::string& lon) const;
    void MostrarEscolha(bool exatos);
    void EscolherPonto(const std::string& lat, const std::string& lon, bool naArea);
    bool PixelDoEstado(QPoint p) const;
    QPoint PixelDaPosicao() const;
    void Guardar(const std::function<void()>& acao);
    void AjustarCursor(bool cruz);

    TContextoPrograma& contexto_;
    TBDPrecipitacao bd_;
    TEstado estado_;
    TRegEstacao registro_; // the record whose parameters the fields show
    TSelecaoChuva selecao_;
    std::string latInicial_, lonInicial_; // coordinates given by the component
    int indEstacao_ = -1;
    int indLocalidade_ = -1;
    std::string fonte_;
    bool primeiraAtivacao_ = true;
    bool showAbout_ = false;
    bool ativado_ = false;
    bool cruzAtiva_ = false; // pointer shape over the state map is the cross
    const TMapaEstado* mapa_ = nullptr;
    QPoint cruz_;

    QStackedWidget* paginas_ = nullptr;
    TMapaImagem* mapaBrasil_ = nullptr;
    TMapaImagem* mapaEstado_ = nullptr;
    QLabel* localNome_ = nullptr;
    QLabel* localLat_ = nullptr;
    QLabel* localLon_ = nullptr;
    QFrame* linhaH_ = nullptr;
    QFrame* linhaV_ = nullptr;
    QLabel* rotuloLat_ = nullptr;
    QLabel* rotuloLon_ = nullptr;
    QListWidget* estados_ = nullptr;
    QListWidget* estacoes_ = nullptr;
    QListWidget* localidades_ = nullptr;
    QLabel* rotuloLocalidades_ = nullptr;
    QLabel* nota_ = nullptr;
    QLabel* aviso_ = nullptr;    // warning and note of the storm shown
    QLabel* ponteiro_ = nullptr; // coordinates under the pointer
    QPushButton* autor_ = nullptr;
    QLineEdit* latitude_ = nullptr;
    QLineEdit* longitude_ = nullptr;
    QPushButton* calcular_ = nullptr;
    QLineEdit* campoK_ = nullptr;
    QLineEdit* campoA_ = nullptr;
    QLineEdit* campoB_ = nullptr;
    QLineEdit* campoC_ = nullptr;
};

} // namespace vastrel::gui

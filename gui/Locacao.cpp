#include "Locacao.h"

#include "Ajuda.h"
#include "GrupoPrecipitacao.h"
#include "Dialogos.h"
#include "DimensionamentoReferencias.h"
#include "LocacaoDialogos.h"
#include "Percent.h"
#include "Relatorio.h"
#include "Visualizar.h"

#include "common/Format.h"
#include "dimensioning/EntradaDimensionamento.h"
#include "dimensioning/FaixasValidade.h"
#include "engine/TabelasEspacamento.h"
#include "gis/Bytes.h"
#include "project/GerenteSys.h"
#include "project/Projeto.h"
#include "location/LocacaoGradiente.h"
#include "reports/RelatorioLocacao.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include <atomic>
#include <functional>
#include <exception>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <thread>

namespace vastrel::gui {

namespace fs = std::filesystem;

namespace {

constexpr const char* kPropriedadeTopico = "TopicoAjuda";
constexpr int kAjudaJanela = topico::Locacao;
constexpr int kAjudaCDu = topico::CoeficienteDesuniformidade;
constexpr int kAjudaCobertura = topico::LocacaoCobertura;
constexpr int kAjudaSm = topico::LocacaoCanal;
constexpr int kPaletaTerreno = 4; // the viewer's terrain palette

QLineEdit* Edit(QWidget* pai, const char* nome, const char* dica = nullptr, int largura = 100)
{
    return CampoTexto(pai, nome, dica, largura);
}

QGroupBox* Grupo(QWidget* pai, const char* titulo, int topico)
{
    auto* g = new QGroupBox(QString::fromUtf8(titulo), pai);
    g->setProperty(kPropriedadeTopico, topico);
    return g;
}

// The location run under the progress dialog.
//
// The run goes on a worker thread while the window thread keeps serving
// the dialog (its one-second refresh and "&Cancelar"), every window repaint
// and the rest of the program. The run reports its progress through its
// progress object, whose values this process keeps in atomics the dialog
// reads, and polls the stop flag "&Cancelar" sets. The project objects the
// run reads are not touched by the window thread meanwhile: the dialog is
// modal. The engine's calls to let window events run do nothing on the
// worker thread; the window thread waits in its own event loop.
class TProcessoLocacao : public TProcessoPercent {
public:
    using FuncaoLocar = std::function<TResultadoLocacao(const gis::TProgressoGis&)>;
    explicit TProcessoLocacao(FuncaoLocar locar) : locar_(std::move(locar)) {}

    void Executar() override
    {
        std::exception_ptr erro;
        std::atomic<bool> fim{false};
        QEventLoop espera;
        gis::TProgressoGis progresso;
        progresso.Parar = &parar_;
        progresso.Progresso = [this](double fracao, const std::string& etapa) {
            progresso_ = fracao * 100;
            std::lock_guard<std::mutex> trava(mutex_);
            status_ = etapa;
        };
        std::thread trabalho([&] {
            try {
                resultado_ = locar_(progresso);
            } catch (...) {
                erro = std::current_exception();
            }
            fim = true;
        });
        // The window thread serves events until the worker is done.
        QTimer verificar;
        verificar.setInterval(20);
        QObject::connect(&verificar, &QTimer::timeout, &espera, [&] {
            if (fim)
                espera.quit();
        });
        verificar.start();
        if (!fim)
            espera.exec();
        trabalho.join();
        if (erro)
            std::rethrow_exception(erro);
    }
    double Progresso() const override { return progresso_.load(); }
    std::string Status() const override
    {
        std::lock_guard<std::mutex> trava(mutex_);
        return status_;
    }
    void SetParar(bool parar) override { parar_ = parar; }
    bool Parar() const override { return parar_.load(); }
    TResultadoLocacao& Resultado() { return resultado_; }

private:
    FuncaoLocar locar_;
    std::atomic<double> progresso_{0};
    std::atomic<bool> parar_{false};
    mutable std::mutex mutex_;
    std::string status_;
    TResultadoLocacao resultado_;
};

} // namespace

TFLocacao::TFLocacao(TContextoPrograma& c, QWidget* pai) : TJanelaModulo(kModuloLocacao, c, pai)
{
    setObjectName(QStringLiteral("FLocacao"));
    setWindowTitle(QStringLiteral("Módulo para a Locação"));
    filtro_ = new TFiltroNumerico(this, [this](QLineEdit*, bool) { Alterar(); });
    Montar();
    LimparCampos();
}

TFLocacao::~TFLocacao() = default;

void TFLocacao::Montar()
{
    auto* grade = new QGridLayout(this);

    // Spacing.
    QGroupBox* gEsp = Grupo(this, " Espaçamento ", 69);
    auto* lEsp = new QGridLayout(gEsp);
    metodo_ = new QComboBox(gEsp);
    metodo_->setObjectName(QStringLiteral("Metodo"));
    for (const std::string_view nome : NomesMetodologiaEspacamento)
        metodo_->addItem(Q(std::string(nome)));
    metodo_->setToolTip(QStringLiteral("Método para o cálculo do espaçamento entre terraços"));
    definir_ = Botao(gEsp, QStringLiteral("&Definir"), QStringLiteral("DEFINIR"));
    definir_->setToolTip(QStringLiteral("Parâmetros do método"));
    eEditEsp_ = Edit(gEsp, "eEditEsp");
    campos_[TCampoLocacao::EditEsp] = eEditEsp_;
    labelEsp_ = Rotulo(gEsp, QStringLiteral("EV :"), eEditEsp_);
    labelEsp_->setObjectName(QStringLiteral("LabelEsp"));
    unidEsp_ = Rotulo(gEsp, QStringLiteral("m"));
    lEsp->addWidget(Rotulo(gEsp, QStringLiteral("&Método:"), metodo_), 0, 0);
    lEsp->addWidget(metodo_, 0, 1, 1, 2);
    lEsp->addWidget(definir_, 0, 3);
    lEsp->addWidget(labelEsp_, 1, 0);
    lEsp->addWidget(eEditEsp_, 1, 1);
    lEsp->addWidget(unidEsp_, 1, 2);

    // Rainfall.
    precipitacao_ = new TGrupoPrecipitacao(Contexto,
                                           {"eTr", "Latitude", "Consul&ta", "CONSULTA",
                                            "Consulta à base de dados de chuvas intensas", 100},
                                           this);
    QGroupBox* gPrec = precipitacao_;
    gPrec->setProperty(kPropriedadeTopico, topico::LocacaoPrecipitacao);
    campos_[TCampoLocacao::Tr] = precipitacao_->Tr;
    campos_[TCampoLocacao::K] = precipitacao_->K;
    campos_[TCampoLocacao::A] = precipitacao_->A;
    campos_[TCampoLocacao::B] = precipitacao_->B;
    campos_[TCampoLocacao::C] = precipitacao_->C;
    precLa1_ = precipitacao_->Latitude;
    precLo1_ = precipitacao_->Longitude;

    // Soil.
    QGroupBox* gSolo = Grupo(this, " Solo ", 81);
    auto* lSolo = new QGridLayout(gSolo);
    QLineEdit* vib = Edit(gSolo, "eVIB", "Taxa de infiltração estável");
    campos_[TCampoLocacao::VIB] = vib;
    unidVIB_ = Rotulo(gSolo, QString());
    unidVIB_->setObjectName(QStringLiteral("UnidVIB"));
    lSolo->addWidget(Rotulo(gSolo, QStringLiteral("Taxa de infiltração estável:"), vib), 0, 0);
    lSolo->addWidget(vib, 0, 1);
    lSolo->addWidget(unidVIB_, 0, 2);
    auto* cober = Botao(gSolo, QStringLiteral("Cobertura &vegetal"), QStringLiteral("CoberVeg"));
    cober->setToolTip(QStringLiteral("Uso da terra, tratamento e condição hidrológica"));
    lSolo->addWidget(cober, 1, 0, 1, 3);

    // Terrace type.
    QGroupBox* gTipo = Grupo(this, " Seleção do tipo de terraço ", 46);
    auto* lTipo = new QGridLayout(gTipo);
    const char* criterios[] = {"Para&ná", "Emate&r/RS", "Lom&bardi Neto", "Tip&o arbitrado"};
    const char* nomesCriterio[] = {"RBParana", "RBRS", "RBLombNeto", "RBNenhum"};
    for (int i = 0; i < 4; ++i) {
        criterios_[i] = new QRadioButton(QString::fromUtf8(criterios[i]), gTipo);
        criterios_[i]->setObjectName(QString::fromLatin1(nomesCriterio[i]));
        lTipo->addWidget(criterios_[i], i / 2, i % 2);
        connect(criterios_[i], &QRadioButton::clicked, this, [this, i] { CriterioClick(i); });
    }
    auto* terreno = Botao(gTipo, QStringLiteral("&Consulta"), QStringLiteral("TerrenoBtn"));
    terreno->setToolTip(QStringLiteral("Tabela de tipos de terraços recomendados"));
    lTipo->addWidget(terreno, 2, 0, 1, 2);

    // Terrace system.
    QGroupBox* gSistema = Grupo(this, " Sistema ", kAjudaJanela);
    auto* lSistema = new QHBoxLayout(gSistema);
    nivel_ = new QRadioButton(QStringLiteral("Terraços em Nível (sem drenagem)"), gSistema);
    nivel_->setObjectName(QStringLiteral("RBNivel"));
    gradiente_ = new QRadioButton(QStringLiteral("Terraços com Gradiente (com drenagem)"), gSistema);
    gradiente_->setObjectName(QStringLiteral("RBGradiente"));
    lSistema->addWidget(nivel_);
    lSistema->addWidget(gradiente_);
    lSistema->addStretch(1);
    connect(nivel_, &QRadioButton::clicked, this, [this] { SistemaClick(false); });
    connect(gradiente_, &QRadioButton::clicked, this, [this] { SistemaClick(true); });

    // The graded channel, as the dimensioning window has it.
    gGradiente_ = Grupo(this, " Canal com gradiente ", 115);
    auto* lGrad = new QGridLayout(gGradiente_);
    formaCanal_ = new QComboBox(gGradiente_);
    formaCanal_->setObjectName(QStringLiteral("FormaCanal"));
    formaCanal_->addItems({QStringLiteral("Trapezoidal"), QStringLiteral("Triangular")});
    lGrad->addWidget(Rotulo(gGradiente_, QStringLiteral("F&orma:"), formaCanal_), 0, 0);
    lGrad->addWidget(formaCanal_, 0, 1, 1, 2);
    const auto linhaGrad = [&](int linha, TCampoLocacao campo, const char* nome, const char* rotulo,
                               const char* dica, QLabel* unidade) {
        QLineEdit* e = Edit(gGradiente_, nome, dica);
        campos_[campo] = e;
        QLabel* r = Rotulo(gGradiente_, QString::fromUtf8(rotulo), e);
        lGrad->addWidget(r, linha, 0);
        lGrad->addWidget(e, linha, 1);
        if (unidade)
            lGrad->addWidget(unidade, linha, 2);
        return r;
    };
    rotuloBase_ = linhaGrad(1, TCampoLocacao::Base, "eBase", "Base (B):", "Largura do fundo do canal trapezoidal",
                            Rotulo(gGradiente_, QStringLiteral("m")));
    rotuloTalude_ = linhaGrad(2, TCampoLocacao::Talude, "eTalude", "Talude (Z):",
                              "Inclinação da parede do canal trapezoidal (horizontal por vertical)", nullptr);
    unidSc_ = Rotulo(gGradiente_, QString());
    linhaGrad(3, TCampoLocacao::Sc, "eSc", "Declividade do canal (Sc):", "Gradiente do canal", unidSc_);
    linhaGrad(4, TCampoLocacao::RugCan, "eRugCan", "Rugosidade do canal (nc):", "Coeficiente de Manning do canal",
              nullptr);
    linhaGrad(5, TCampoLocacao::Comp, "eComp", "Comprimento máximo do canal:",
              "Nenhum terraço fica mais longo que isto", Rotulo(gGradiente_, QStringLiteral("m")));
    linhaGrad(6, TCampoLocacao::RugTer, "eRugTer", "Rugosidade do terreno (nt):",
              "Coeficiente de Manning da superfície do terreno", nullptr);
    connect(formaCanal_, &QComboBox::activated, this, [this](int) {
        AplicarForma();
        InvalidarRelatorio();
        Alterar();
    });

    // Channel.
    QGroupBox* gCanal = Grupo(this, " Canal ", 115);
    auto* lCanal = new QGridLayout(gCanal);
    QLineEdit* zsm = Edit(gCanal, "eZSm", "Declividade da face a montante do camalhão (Sm)");
    campos_[TCampoLocacao::ZSm] = zsm;
    unidSm_ = Rotulo(gCanal, QString());
    unidSm_->setObjectName(QStringLiteral("UnidSm"));
    lCanal->addWidget(Rotulo(gCanal, QStringLiteral("Sm:"), zsm), 0, 0);
    lCanal->addWidget(zsm, 0, 1);
    lCanal->addWidget(unidSm_, 0, 2);
    auto* btnSm = Botao(gCanal, QStringLiteral("Valores de &Sm"), QStringLiteral("BTnSmZ"));
    btnSm->setToolTip(QStringLiteral("Valores de referência de Sm"));
    lCanal->addWidget(btnSm, 0, 3);
    eCoefUni_ = Edit(gCanal, "eCoefUni", "Coeficiente de desuniformidade");
    lCanal->addWidget(Rotulo(gCanal, QStringLiteral("Coeficiente de desuniformidade:"), eCoefUni_), 1, 0);
    lCanal->addWidget(eCoefUni_, 1, 1);
    auto* ajudaCu = Botao(gCanal, QStringLiteral("&Ajuda"), QStringLiteral("AjudaCu"));
    lCanal->addWidget(ajudaCu, 1, 3);

    // Images.
    QGroupBox* gImg = Grupo(this, " Imagens ", 68);
    auto* lImg = new QHBoxLayout(gImg);
    auto* imagens = Botao(gImg, QStringLiteral("C&arregar Imagens"), QStringLiteral("BtImagens"));
    imagens->setToolTip(QStringLiteral("Imagens de elevação e de declividade e vetor de saída"));
    visualizar_ = Botao(gImg, QStringLiteral("&Visualizar terraços"), QStringLiteral("VisualizarBtn"));
    visualizar_->setToolTip(QStringLiteral("Mostra os terraços locados sobre a imagem de elevação"));
    visualizar_->setEnabled(false);
    lImg->addWidget(imagens);
    lImg->addWidget(visualizar_);

    // Commands.
    processar_ = Botao(this, QStringLiteral("&Processar"), QStringLiteral("ProcessarBtn"));
    processar_->setToolTip(QStringLiteral("Loca os terraços"));
    relatorio_ = Botao(this, QStringLiteral("Re&latório"), QStringLiteral("RelatorioBtn"));
    relatorio_->setToolTip(QStringLiteral("Relatório da locação"));
    relatorio_->setEnabled(false);
    auto* fechar = Botao(this, QStringLiteral("&Fechar"), QStringLiteral("FecharBtn"));
    auto* ajuda = Botao(this, QStringLiteral("Aj&uda"), QStringLiteral("AJUDA"));
    auto* botoes = new QHBoxLayout;
    botoes->addStretch(1);
    for (QPushButton* b : {processar_, relatorio_, fechar, ajuda})
        botoes->addWidget(b);

    gTipo_ = gTipo;
    zsm_ = zsm;
    btnSm_ = btnSm;
    grade->addWidget(gSistema, 0, 0, 1, 2);
    grade->addWidget(gEsp, 1, 0);
    grade->addWidget(gPrec, 2, 0, 3, 1);
    grade->addWidget(gTipo, 1, 1);
    grade->addWidget(gGradiente_, 2, 1);
    grade->addWidget(gCanal, 3, 1);
    grade->addWidget(gSolo, 4, 1);
    grade->addWidget(gImg, 5, 0, 1, 2);
    grade->addLayout(botoes, 6, 0, 1, 2);

    // Number fields: the keystroke filter, the whole text selected on entry,
    // and any change invalidates the report of the last run.
    for (auto& [campo, e] : campos_) {
        filtro_->Instalar(e);
        e->installEventFilter(this);
        connect(e, &QLineEdit::textChanged, this, [this] { InvalidarRelatorio(); });
    }
    for (QLineEdit* e : {eCoefUni_, eEditEsp_}) {
        filtro_->Instalar(e);
        e->installEventFilter(this);
        connect(e, &QLineEdit::textChanged, this, [this] { InvalidarRelatorio(); });
    }
    for (QLineEdit* e : {precLa1_, precLo1_})
        connect(e, &QLineEdit::textEdited, this, [this] { Alterar(); });

    connect(metodo_, &QComboBox::activated, this, [this](int i) {
        MetodoChange(i, true);
        Alterar();
    });
    connect(definir_, &QPushButton::clicked, this, &TFLocacao::DefinirClick);
    connect(cober, &QPushButton::clicked, this, &TFLocacao::CoberVegClick);
    connect(terreno, &QPushButton::clicked, this, &TFLocacao::TerrenoBtnClick);
    connect(btnSm, &QPushButton::clicked, this, &TFLocacao::BTnSmZClick);
    connect(imagens, &QPushButton::clicked, this, &TFLocacao::BtImagensClick);
    connect(visualizar_, &QPushButton::clicked, this, &TFLocacao::VisualizarBtnClick);
    connect(processar_, &QPushButton::clicked, this, &TFLocacao::ProcessarBtnClick);
    connect(relatorio_, &QPushButton::clicked, this, &TFLocacao::RelatorioBtnClick);
    connect(fechar, &QPushButton::clicked, this, [this] { Fechar(true); });
    connect(ajuda, &QPushButton::clicked, this, [this] { Contexto.Ajuda.Abrir(kAjudaJanela, this); });
    connect(ajudaCu, &QPushButton::clicked, this, [this] { Contexto.Ajuda.Abrir(kAjudaCDu, this); });
}

// ---------------------------------------------------------------------------
// Fields

void TFLocacao::MostrarUnidades()
{
    const TUnidades& u = Contexto.Projeto.Unidades;
    unidSm_->setText(Q(u.UnidDeclividade));
    unidSc_->setText(Q(u.UnidDeclividade));
    unidVIB_->setText(Q(u.UnidVIB));
}

// The controls of the project's terrace system: the graded channel's group
// for graded terraces, the terrace type selection for level ones.
void TFLocacao::AplicarSistema(bool gradiente)
{
    nivel_->setChecked(!gradiente);
    gradiente_->setChecked(gradiente);
    gGradiente_->setVisible(gradiente);
    gTipo_->setVisible(!gradiente);
    AplicarForma();
}

// The trapezoidal channel takes B and Z; the triangular one Sm.
void TFLocacao::AplicarForma()
{
    const bool trapezoidal = gradiente_->isChecked() && formaCanal_->currentIndex() == 0;
    for (QWidget* w : {static_cast<QWidget*>(Campo(TCampoLocacao::Base)), static_cast<QWidget*>(rotuloBase_),
                       static_cast<QWidget*>(Campo(TCampoLocacao::Talude)), static_cast<QWidget*>(rotuloTalude_)})
        w->setEnabled(trapezoidal);
    for (QWidget* w : {static_cast<QWidget*>(zsm_), static_cast<QWidget*>(btnSm_)})
        w->setEnabled(!trapezoidal);
}

void TFLocacao::SistemaClick(bool gradiente)
{
    TProjeto& p = Contexto.Projeto;
    if (p.Gradiente() == gradiente)
        return;
    // The fields go into the system they were shown for, as far as they
    // read; then the other system's values are shown.
    try {
        GravarCampos();
    } catch (const std::exception&) {
    }
    p.TipoSistema.Tipo = gradiente ? 1 : 0;
    InvalidarRelatorio();
    MostrarCampos();
    Contexto.Gerente.Alterado = true;
}

void TFLocacao::LimparCampos()
{
    preenchendo_ = true;
    MostrarUnidades();
    for (auto& [campo, e] : campos_)
        e->clear();
    precLa1_->clear();
    precLo1_->clear();
    eCoefUni_->setText(QStringLiteral("1"));
    // The layout of the first method; the project objects are not touched
    // (they are shown next, and a cleared window must not overwrite them).
    metodo_->setCurrentIndex(0);
    AplicarMetodo(0);
    criterios_[0]->setChecked(true);
    formaCanal_->setCurrentIndex(1);
    AplicarSistema(false);
    preenchendo_ = false;
}

void TFLocacao::MostrarCampos()
{
    TProjeto& p = Contexto.Projeto;
    const TCamposLocacao c = CamposLocacao(p);
    preenchendo_ = true;
    MostrarUnidades();
    Campo(TCampoLocacao::Tr)->setText(Q(c.Tr));
    Campo(TCampoLocacao::K)->setText(Q(c.K));
    Campo(TCampoLocacao::A)->setText(Q(c.A));
    Campo(TCampoLocacao::B)->setText(Q(c.B));
    Campo(TCampoLocacao::C)->setText(Q(c.C));
    precLa1_->setText(Q(c.Latitude));
    precLo1_->setText(Q(c.Longitude));
    Campo(TCampoLocacao::VIB)->setText(Q(c.VIB));
    Campo(TCampoLocacao::ZSm)->setText(Q(c.ZSm));
    eCoefUni_->setText(Q(c.CoefUni));
    metodo_->setCurrentIndex(std::clamp(c.Metodo, 0, metodo_->count() - 1));
    MetodoChange(metodo_->currentIndex(), false);
    if (c.Metodo == kMetodoEVArbitrado || c.Metodo == kMetodoAlturaArbitrada)
        eEditEsp_->setText(Q(c.EditEsp));
    criterios_[c.Criterio]->setChecked(true);
    if (c.Criterio == kCriterioArbitrado)
        TFTipoNenhum::Instancia(Contexto).SetEscolha(c.TipoArbitrado);
    if (c.Gradiente) {
        formaCanal_->setCurrentIndex(c.Canal == 0 ? 0 : 1);
        Campo(TCampoLocacao::Base)->setText(Q(c.Base));
        Campo(TCampoLocacao::Talude)->setText(Q(c.Talude));
        Campo(TCampoLocacao::Sc)->setText(Q(c.Sc));
        Campo(TCampoLocacao::RugCan)->setText(Q(c.RugCan));
        Campo(TCampoLocacao::Comp)->setText(Q(c.Comp));
        Campo(TCampoLocacao::RugTer)->setText(Q(c.RugTer));
    }
    AplicarSistema(c.Gradiente);
    preenchendo_ = false;
}

TCamposLocacao TFLocacao::Campos() const
{
    TCamposLocacao c;
    c.Metodo = metodo_->currentIndex();
    c.EditEsp = S(eEditEsp_->text());
    c.Tr = S(Campo(TCampoLocacao::Tr)->text());
    c.K = S(Campo(TCampoLocacao::K)->text());
    c.A = S(Campo(TCampoLocacao::A)->text());
    c.B = S(Campo(TCampoLocacao::B)->text());
    c.C = S(Campo(TCampoLocacao::C)->text());
    c.Latitude = TextoCoordenada(S(precLa1_->text()));
    c.Longitude = TextoCoordenada(S(precLo1_->text()));
    c.Criterio = CriterioMarcado();
    c.TipoArbitrado = TFTipoNenhum::Instancia(Contexto).Escolha();
    c.ZSm = S(Campo(TCampoLocacao::ZSm)->text());
    c.CoefUni = S(eCoefUni_->text());
    c.VIB = S(Campo(TCampoLocacao::VIB)->text());
    c.Gradiente = gradiente_->isChecked();
    c.Canal = formaCanal_->currentIndex() == 0 ? 0 : 1;
    c.Base = S(Campo(TCampoLocacao::Base)->text());
    c.Talude = S(Campo(TCampoLocacao::Talude)->text());
    c.Sc = S(Campo(TCampoLocacao::Sc)->text());
    c.RugCan = S(Campo(TCampoLocacao::RugCan)->text());
    c.Comp = S(Campo(TCampoLocacao::Comp)->text());
    c.RugTer = S(Campo(TCampoLocacao::RugTer)->text());
    return c;
}

void TFLocacao::GravarCampos() { vastrel::GravarCampos(Campos(), Contexto.Projeto); }

bool TFLocacao::ValidarCampos()
{
    const auto falha = vastrel::ValidarCampos(Campos());
    if (!falha)
        return true;
    Contexto.Dialogos.Erro(this, Q(falha->Mensagem));
    Campo(falha->Campo)->setFocus();
    return false;
}

void TFLocacao::AtualizarUnidades()
{
    // The fields were written into the objects with the old multipliers.
    const TProjeto& p = Contexto.Projeto;
    const TUnidades& u = p.Unidades;
    preenchendo_ = true;
    MostrarUnidades();
    if (QLineEdit* e = Campo(TCampoLocacao::ZSm); !e->text().isEmpty())
        e->setText(Q(FormatFloat(kFormatoGeral, u.MostrarDeclividade(Contexto.Projeto.CanalAtual().Sm.Valor))));
    if (QLineEdit* e = Campo(TCampoLocacao::Sc); !e->text().isEmpty() && p.Gradiente())
        e->setText(Q(FormatFloat(kFormatoGeral, u.MostrarDeclividade(p.TerracosGradiente.Sc))));
    if (QLineEdit* e = Campo(TCampoLocacao::VIB); !e->text().isEmpty())
        e->setText(Q(FormatFloat(kFormatoGeral, u.MostrarVIB(p.Terreno.VIB))));
    preenchendo_ = false;
}

void TFLocacao::MostrarPaginaInicial() { metodo_->setFocus(); }

int TFLocacao::CriterioMarcado() const
{
    for (int i = 0; i < 4; ++i)
        if (criterios_[i]->isChecked())
            return i;
    return 0;
}

void TFLocacao::Alterar()
{
    if (!preenchendo_)
        Contexto.Gerente.Alterado = true;
}

void TFLocacao::InvalidarRelatorio()
{
    relatorio_->setEnabled(false);
    visualizar_->setEnabled(false);
}

void TFLocacao::MostrarErro(const std::exception& e) { Contexto.Dialogos.Erro(this, QString::fromUtf8(e.what())); }

// ---------------------------------------------------------------------------
// Spacing method and terrace type

void TFLocacao::MetodoChange(int indice, bool doUsuario)
{
    InvalidarRelatorio();
    TEspacamento& e = Contexto.Projeto.EspacamentoAtual();
    e.Metodologia.IndMetodologia = static_cast<std::uint8_t>(std::clamp(indice, 0, kMetodoUltimo));
    // The soil list of the method, with the chosen class's name and value.
    if (const std::uint8_t lista = ListaSoloDoMetodo(indice)) {
        e.Solo.Metodo = lista;
        try {
            e.Solo.SetIndSolo(e.Solo.IndSolo);
        } catch (const std::exception& x) {
            MostrarErro(x);
        }
    }
    AplicarMetodo(indice);
    if (doUsuario)
        DefinirClick();
}

void TFLocacao::AplicarMetodo(int indice)
{
    const bool arbitrado = indice == kMetodoEVArbitrado || indice == kMetodoAlturaArbitrada;
    definir_->setEnabled(!arbitrado);
    eEditEsp_->setVisible(arbitrado);
    labelEsp_->setVisible(arbitrado);
    unidEsp_->setVisible(arbitrado);
    if (arbitrado) {
        labelEsp_->setText(indice == kMetodoEVArbitrado ? QStringLiteral("EV :") : QStringLiteral("Altura Vastrel :"));
        eEditEsp_->setFocus();
    }
}

void TFLocacao::DefinirClick()
{
    switch (metodo_->currentIndex()) {
    case kMetodoBentley: {
        TFBentleyLoc d(Contexto, this);
        d.exec();
        break;
    }
    case kMetodoLombardiNeto: {
        TFLombNetoLoc d(Contexto, this);
        d.exec();
        break;
    }
    case kMetodoParana: {
        TFParanaLoc d(Contexto, this);
        d.exec();
        break;
    }
    default:
        break;
    }
}

void TFLocacao::CriterioClick(int criterio)
{
    Contexto.Projeto.TerracosNivel.SelecaoTipoTerraco.MetTipoTerraco = static_cast<std::uint8_t>(criterio);
    InvalidarRelatorio();
    Alterar();
}

void TFLocacao::TerrenoBtnClick()
{
    InvalidarRelatorio();
    const int criterio = CriterioMarcado();
    Contexto.Projeto.TerracosNivel.SelecaoTipoTerraco.MetTipoTerraco = static_cast<std::uint8_t>(criterio);
    switch (criterio) {
    case 0: TFTipoParana(Contexto, this).exec(); break;
    case 1: TFTipoRio(Contexto, this).exec(); break;
    case 2: TFTipoLombardi(Contexto, this).exec(); break;
    default: TFTipoNenhum::Instancia(Contexto).Executar(); break;
    }
}

// ---------------------------------------------------------------------------
// Reference values and the rainfall database

void TFLocacao::ConsultaClick() { precipitacao_->ConsultaClick(); }

void TFLocacao::CoberVegClick()
{
    try {
        if (!EscolherCobertura(Contexto.Projeto.Terreno.Cobertura, kAjudaCobertura, Contexto, this))
            return;
    } catch (const std::exception& e) {
        MostrarErro(e);
        return;
    }
    InvalidarRelatorio();
    Contexto.Gerente.Alterado = true;
}

void TFLocacao::BTnSmZClick()
{
    TProjeto& p = Contexto.Projeto;
    TReal& sm = p.CanalAtual().Sm;
    TSm d;
    d.HelpContext = kAjudaSm;
    d.Indice = sm.Indice;
    d.Valor = p.Unidades.MostrarDeclividade(sm.Valor);
    d.UDeclive = p.Unidades.UnidDeclividade;
    d.KDeclive = p.Unidades.KDeclividade;
    try {
        if (!d.Executar(Contexto, this))
            return;
    } catch (const std::exception& e) {
        MostrarErro(e);
        return;
    }
    sm.Indice = static_cast<std::int8_t>(d.Indice);
    sm.Valor = p.Unidades.GuardarDeclividade(d.Valor);
    Campo(TCampoLocacao::ZSm)->setText(Q(FormatFloat(kFormatoGeral, d.Valor)));
    Contexto.Gerente.Alterado = true;
}

// ---------------------------------------------------------------------------
// Files, run, report and view

void TFLocacao::BtImagensClick()
{
    TLocacaoNivel& loc = Contexto.Projeto.Locacao;
    TFCarregaImg d(Contexto, this);
    d.EdImgElevacao()->setText(Q(loc.fnImgElev));
    d.EdImgDeclividade()->setText(Q(loc.fnImgDecli));
    d.EdVetorSaida()->setText(Q(loc.fnVetSaida));
    d.exec();
    // OK and Cancel alike keep what the edits show.
    const std::string elev = S(d.EdImgElevacao()->text()), decli = S(d.EdImgDeclividade()->text()),
                      vetor = S(d.EdVetorSaida()->text());
    if (elev != loc.fnImgElev || decli != loc.fnImgDecli || vetor != loc.fnVetSaida)
        InvalidarRelatorio();
    loc.fnImgElev = elev;
    loc.fnImgDecli = decli;
    loc.fnVetSaida = vetor;
}

void TFLocacao::ProcessarBtnClick()
{
    TProjeto& p = Contexto.Projeto;
    try {
        GravarCampos();
    } catch (const std::exception& e) {
        MostrarErro(e);
        return;
    }
    if (!ValidarCampos())
        return;
    // Values outside their published ranges: said, never refused.
    if (const std::vector<std::string> avisos = AvisosLocacao(p); !avisos.empty())
        Contexto.Dialogos.Aviso(this, Q(TextoAvisos(avisos)));

    // The files, relative ones beside the project file.
    const fs::path projeto = gis::bytes::CaminhoDeUtf8(Contexto.Gerente.PathProjeto);
    const fs::path elev = CaminhoDoProjeto(projeto, p.Locacao.fnImgElev);
    const fs::path decli = CaminhoDoProjeto(projeto, p.Locacao.fnImgDecli);
    const fs::path vetor = CaminhoDoProjeto(projeto, p.Locacao.fnVetSaida);
    std::error_code erro;
    if (elev.empty() || !fs::is_regular_file(elev, erro)) {
        Contexto.Dialogos.Informacao(this, QStringLiteral("Imagem de Elevação inválida"));
        return;
    }
    if (decli.empty() || !fs::is_regular_file(decli, erro)) {
        Contexto.Dialogos.Informacao(this, QStringLiteral("Imagem de Declividade inválida"));
        return;
    }
    if (!vetor.empty() && fs::exists(vetor, erro) &&
        Contexto.Dialogos.Confirmar(this, QStringLiteral("Arquivo de saída já existente. Deseja substituir o arquivo?"),
                                    false) != TDialogos::TResposta::Sim)
        return;

    const TEntradaLocacaoNivel entrada{elev, decli, vetor, p.Chuva(), p.Terreno, p.TerracosNivel,
                                       p.Locacao.AlturaArbitrada};
    const TEntradaLocacaoGradiente entradaGradiente{elev,      decli,      vetor, p.Chuva(),
                                                    p.Terreno, p.TerracosGradiente};
    const bool gradiente = p.Gradiente();
    try {
        // What looks wrong before the run (strips narrower than three cells,
        // an odd cell size, a slope raster that does not match): said, and
        // the user chooses to go on or not.
        const TPrevisaoLocacao previsao =
            gradiente ? PreverLocacaoGradiente(entradaGradiente) : PreverLocacaoNivel(entrada);
        if (!previsao.Avisos.empty()) {
            std::string texto;
            for (const std::string& a : previsao.Avisos) {
                std::cerr << "Aviso: " << a << "\n";
                texto += a + "\n\n";
            }
            if (Contexto.Dialogos.Confirmar(this, Q(texto + "Deseja locar os terraços assim mesmo?"), false) !=
                TDialogos::TResposta::Sim)
                return;
        }
    } catch (const std::exception& e) {
        MostrarErro(e);
        return;
    }

    TProcessoLocacao processo([&](const gis::TProgressoGis& progresso) {
        return gradiente ? LocarGradiente(entradaGradiente, progresso) : LocarNivel(entrada, progresso);
    });
    try {
        if (Contexto.ExecutarComProgresso)
            Contexto.ExecutarComProgresso(processo);
        else
            TFPercent::Executar(processo, this);
    } catch (const std::exception& e) {
        // Nothing was written: there is no run to report on.
        MostrarErro(e);
        return;
    }
    TResultadoLocacao& r = processo.Resultado();
    // The project keeps the watershed's mean slope and the recommended type.
    p.Locacao.DeclividadeMedia = r.DeclividadeMedia;
    if (!r.Gradiente)
        p.TerracosNivel.SelecaoTipoTerraco = r.SelecaoTipoTerraco;
    Contexto.Gerente.Alterado = true;
    ultima_ = std::move(r);
    relatorio_->setEnabled(true);
    visualizar_->setEnabled(true);
    // The summary of the run and its warnings.
    std::string resumo = "Terraços locados: " + std::to_string(ultima_->Qualidade.Terracos) + ".\n";
    for (const std::string& l : TextoQualidade(*ultima_))
        resumo += "\n" + l;
    if (ultima_->Gradiente) {
        std::size_t escoadouros = 0;
        double maior = 0;
        for (const TRegSaida& s : ultima_->TabelaGradiente.Saidas)
            if (!s.Borda) {
                ++escoadouros;
                maior = std::max(maior, s.QCanal);
            }
        resumo += "\nSaídas: " + std::to_string(ultima_->TabelaGradiente.Saidas.size()) + ", das quais " +
                  std::to_string(escoadouros) + " em canais escoadouros (maior vazão de canal escoadouro: " +
                  FormatFloat("0.0", maior) + " L/s); veja o relatório.";
    }
    for (const std::string& a : ultima_->Avisos)
        std::cerr << "Aviso: " << a << "\n";
    if (ultima_->Avisos.empty())
        Contexto.Dialogos.Informacao(this, Q(resumo));
    else
        Contexto.Dialogos.Aviso(this, Q(resumo));
}

void TFLocacao::RelatorioBtnClick()
{
    std::string html;
    try {
        if (!ultima_)
            return;
        html = RelatorioLocacao(Contexto.Projeto, *ultima_, TOpcoesRelatorio{});
    } catch (const std::exception& e) {
        MostrarErro(e);
        return;
    }
    TFRelatorio r(Contexto, Q(TituloRelatorioLocacao(ultima_->Gradiente)), html, QImage(), this);
    r.exec();
}

TFVisualizar* TFLocacao::VisualizarBtnClick()
{
    if (!ultima_)
        return nullptr;
    auto* janela = new TFVisualizar(Contexto);
    janela->setAttribute(Qt::WA_DeleteOnClose);
    // The viewer sizes its own child window to the picture.
    QWidget* quadro = CriarFilha(Contexto, janela, false);
    try {
        janela->MostrarImagem(ultima_->ImgElev, kPaletaTerreno, gis::kZoomAjustar);
        janela->SobreporVetor(ultima_->VetSaida);
    } catch (const std::exception& e) {
        MostrarErro(e);
        delete quadro;
        return nullptr;
    }
    MostrarFilha(quadro);
    return janela;
}

// ---------------------------------------------------------------------------
// Window events

int TFLocacao::TopicoAjuda(const QWidget* w) const
{
    for (; w && w != this; w = w->parentWidget()) {
        const QVariant topico = w->property(kPropriedadeTopico);
        if (topico.isValid())
            return topico.toInt();
    }
    return kAjudaJanela;
}

bool TFLocacao::event(QEvent* e)
{
    // F1 opens the topic of the group that holds the focus, before the main
    // window's own F1 takes it.
    if (e->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent*>(e)->key() == Qt::Key_F1) {
        e->accept();
        return true;
    }
    if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_F1) {
        Contexto.Ajuda.Abrir(TopicoAjuda(focusWidget()), this);
        return true;
    }
    return TJanelaModulo::event(e);
}

bool TFLocacao::eventFilter(QObject* o, QEvent* e)
{
    // Entering a number field selects its whole text.
    if (e->type() == QEvent::FocusIn)
        if (auto* campo = qobject_cast<QLineEdit*>(o))
            QTimer::singleShot(0, campo, [campo] { campo->selectAll(); });
    return TJanelaModulo::eventFilter(o, e);
}

namespace {

const TRegistroJanela kRegistro(kModuloLocacao,
                                [](TContextoPrograma& c) -> TJanelaModulo* { return new TFLocacao(c); });

} // namespace

} // namespace vastrel::gui

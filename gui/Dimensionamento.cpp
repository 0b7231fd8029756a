#include "Dimensionamento.h"

#include "Ajuda.h"
#include "GrupoPrecipitacao.h"
#include "Dialogos.h"
#include "DimensionamentoEspacamento.h"
#include "DimensionamentoReferencias.h"
#include "Relatorio.h"

#include "common/Exceptions.h"
#include "common/Format.h"
#include "common/Pastas.h"
#include "dimensioning/FaixasValidade.h"
#include "dimensioning/RegrasEspacamento.h"
#include "dimensioning/Simulacao.h"
#include "engine/TabelasEspacamento.h"
#include "project/GerenteSys.h"
#include "project/Projeto.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QSvgRenderer>
#include <QTabWidget>
#include <QTimer>
#include <QValueAxis>
#include <QVBoxLayout>

#include <cmath>
#include <optional>

namespace vastrel::gui {

namespace {

constexpr const char* kTituloEntrada = "Módulo para o dimensionamento - entrada de dados";
constexpr const char* kTituloResultados = "Módulo para o dimensionamento - resultados";
constexpr const char* kTituloSimulacao = "Módulo para o dimensionamento - simulação";
constexpr const char* kCDuMinimo = "O valor do coeficiente de desuniformidade não pode ser inferior a 1.";

QLineEdit* Edit(QWidget* pai, const char* nome, const char* dica, int largura = 90)
{
    return CampoTexto(pai, nome, dica, largura);
}

// Runs a reference-value dialog (Z, channel or terrain roughness) on a
// stored option and value; on "OK" stores the choice and gives the value.
template <class TDialogo>
std::optional<double> EscolherReferencia(TReal& alvo, int ajuda, TContextoPrograma& c, QWidget* pai)
{
    TDialogo d;
    d.HelpContext = ajuda;
    d.Indice = alvo.Indice;
    d.Valor = alvo.Valor;
    if (!d.Executar(c, pai))
        return std::nullopt;
    alvo.Indice = static_cast<std::int8_t>(d.Indice);
    alvo.Valor = d.Valor;
    return d.Valor;
}

// The wait cursor and the disabled main window for the length of a chart.
class TOcupado {
public:
    explicit TOcupado(QWidget* principal) : principal_(principal)
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        if (principal_)
            principal_->setEnabled(false);
    }
    ~TOcupado()
    {
        if (principal_)
            principal_->setEnabled(true);
        QApplication::restoreOverrideCursor();
    }
    TOcupado(const TOcupado&) = delete;
    TOcupado& operator=(const TOcupado&) = delete;

private:
    QWidget* principal_;
};

const char* const kNomesListas[3] = {" Vazão ", "Altura teórica", "Altura recomendada"};

} // namespace

TFDimensionamento::TFDimensionamento(TContextoPrograma& c, QWidget* pai)
    : TJanelaModulo(kModuloDimensionamento, c, pai)
{
    setObjectName(QStringLiteral("FDimensionamento"));
    filtro_ = new TFiltroNumerico(this, [this](QLineEdit*, bool) { Alterar(); });
    auto* layout = new QVBoxLayout(this);
    paginas_ = new QStackedWidget(this);
    layout->addWidget(paginas_);
    auto* entrada = new QWidget;
    auto* resultados = new QWidget;
    auto* simulacao = new QWidget;
    entrada->setObjectName(QStringLiteral("Entrada"));
    resultados->setObjectName(QStringLiteral("Resultados"));
    simulacao->setObjectName(QStringLiteral("Simulacao"));
    paginas_->addWidget(entrada);
    paginas_->addWidget(resultados);
    paginas_->addWidget(simulacao);
    MontarEntrada(entrada);
    MontarResultados(resultados);
    MontarSimulacao(simulacao);
    MostrarPagina(Entrada);
}

// ---------------------------------------------------------------------------
// Entry page

void TFDimensionamento::MontarEntrada(QWidget* p)
{
    auto* grade = new QGridLayout(p);

    // System.
    cbSistema_ = new QComboBox(p);
    cbSistema_->setObjectName(QStringLiteral("CBSistema"));
    cbSistema_->addItems({QStringLiteral("Terraços em Nível (sem drenagem)"),
                          QStringLiteral("Terraços com Gradiente (com drenagem)")});
    cbSistema_->setToolTip(QStringLiteral("Tipo do sistema de drenagem"));
    auto* linhaSistema = new QHBoxLayout;
    linhaSistema->addWidget(Rotulo(p, QStringLiteral("&Sistema:"), cbSistema_));
    linhaSistema->addWidget(cbSistema_);
    linhaSistema->addStretch();
    grade->addLayout(linhaSistema, 0, 0, 1, 2);

    // Rainfall.
    precipitacao_ = new TGrupoPrecipitacao(
        Contexto, {"eTTr", "Latidude", "Consulta", "Consulta", "Consulta", 90}, p);
    auto* gPrec = precipitacao_;
    campos_[TCampo::Tr] = gPrec->Tr;
    campos_[TCampo::K] = gPrec->K;
    campos_[TCampo::A] = gPrec->A;
    campos_[TCampo::B] = gPrec->B;
    campos_[TCampo::C] = gPrec->C;
    precLa1_ = gPrec->Latitude;
    precLo1_ = gPrec->Longitude;
    grade->addWidget(gPrec, 1, 0, 2, 1);

    // Channel.
    auto* gCanal = new QGroupBox(QStringLiteral(" Canal "), p);
    auto* lCanal = new QGridLayout(gCanal);
    canal_ = new QComboBox(gCanal);
    canal_->setObjectName(QStringLiteral("Canal"));
    canal_->addItems({QStringLiteral("Trapezoidal"), QStringLiteral("Triangular")});
    canal_->setToolTip(QStringLiteral("Tipo de canal"));
    lCanal->addWidget(Rotulo(gCanal, QStringLiteral("Ti&po:"), canal_), 0, 0);
    lCanal->addWidget(canal_, 0, 1, 1, 2);
    figuraCanal_ = new QLabel(gCanal);
    figuraCanal_->setObjectName(QStringLiteral("FiguraCanal"));
    lCanal->addWidget(figuraCanal_, 0, 3, 4, 1);

    painelCanalGrad_ = new QWidget(gCanal);
    painelCanalGrad_->setObjectName(QStringLiteral("PainelCanalGradiente"));
    auto* lg = new QGridLayout(painelCanalGrad_);
    lg->setContentsMargins(0, 0, 0, 0);
    QLineEdit* sc = Edit(painelCanalGrad_, "eSc", "Declividade do canal");
    uniSc_ = Rotulo(painelCanalGrad_, QString());
    lg->addWidget(Rotulo(painelCanalGrad_, QStringLiteral("D&eclividade do canal:"), sc), 0, 0);
    lg->addWidget(sc, 0, 1);
    lg->addWidget(uniSc_, 0, 2);
    QLineEdit* comp = Edit(painelCanalGrad_, "eComp", "Comprimento do canal");
    lg->addWidget(Rotulo(painelCanalGrad_, QStringLiteral("Comprime&nto do canal:"), comp), 1, 0);
    lg->addWidget(comp, 1, 1);
    lg->addWidget(Rotulo(painelCanalGrad_, QStringLiteral("m")), 1, 2);
    QLineEdit* rugCan = Edit(painelCanalGrad_, "eRugCan", "Rugosidade do canal");
    lg->addWidget(Rotulo(painelCanalGrad_, QStringLiteral("Ru&gosidade do canal:"), rugCan), 2, 0);
    lg->addWidget(rugCan, 2, 1);
    auto* btnRugCan = Botao(painelCanalGrad_, QStringLiteral("Valores de &rugosidade do canal"),
                            QStringLiteral("BtnRugCan"));
    btnRugCan->setToolTip(QStringLiteral("Valores de rugosidade do canal"));
    lg->addWidget(btnRugCan, 3, 0, 1, 3);
    lCanal->addWidget(painelCanalGrad_, 1, 0, 1, 3);
    campos_[TCampo::Sc] = sc;
    campos_[TCampo::Comp] = comp;
    campos_[TCampo::RugCan] = rugCan;

    QLineEdit* bst = Edit(gCanal, "eBSt", "Base do canal");
    rotBSt_ = Rotulo(gCanal, QStringLiteral("&B:"), bst);
    uniBSt_ = Rotulo(gCanal, QStringLiteral("m"));
    lCanal->addWidget(rotBSt_, 2, 0);
    lCanal->addWidget(bst, 2, 1);
    lCanal->addWidget(uniBSt_, 2, 2);
    QLineEdit* zsm = Edit(gCanal, "eZSm", "Inverso da declividade das faces laterais");
    rotZSm_ = Rotulo(gCanal, QStringLiteral("&Z:"), zsm);
    uniZSm_ = Rotulo(gCanal, QString());
    lCanal->addWidget(rotZSm_, 3, 0);
    lCanal->addWidget(zsm, 3, 1);
    lCanal->addWidget(uniZSm_, 3, 2);
    btnSmZ_ = Botao(gCanal, QStringLiteral("Valores de &Z"), QStringLiteral("BTnSmZ"));
    btnSmZ_->setToolTip(QStringLiteral("Valores de Z"));
    lCanal->addWidget(btnSmZ_, 4, 0, 1, 3);
    campos_[TCampo::BSt] = bst;
    campos_[TCampo::ZSm] = zsm;
    grade->addWidget(gCanal, 1, 1);

    // Terrain.
    auto* gTer = new QGroupBox(QStringLiteral(" Terreno "), p);
    auto* lTer = new QGridLayout(gTer);
    QLineEdit* decli = Edit(gTer, "eDecliTer", "Declividade do terreno");
    uniDecliTer_ = Rotulo(gTer, QString());
    lTer->addWidget(Rotulo(gTer, QStringLiteral("Dec&lividade do terreno:"), decli), 0, 0);
    lTer->addWidget(decli, 0, 1);
    lTer->addWidget(uniDecliTer_, 0, 2);
    painelTerrenoGrad_ = new QWidget(gTer);
    painelTerrenoGrad_->setObjectName(QStringLiteral("PainelTerrenoGradiente"));
    auto* lt = new QGridLayout(painelTerrenoGrad_);
    lt->setContentsMargins(0, 0, 0, 0);
    QLineEdit* rugTer = Edit(painelTerrenoGrad_, "eRugTer", "Rugosidade do terreno");
    lt->addWidget(Rotulo(painelTerrenoGrad_, QStringLiteral("Rugos&idade do terreno:"), rugTer), 0, 0);
    lt->addWidget(rugTer, 0, 1);
    auto* btnRugTer = Botao(painelTerrenoGrad_, QStringLiteral("V&alores de rugosidade do terreno"),
                            QStringLiteral("BtnRugTer"));
    btnRugTer->setToolTip(QStringLiteral("Valores de rugosidade do terreno"));
    lt->addWidget(btnRugTer, 1, 0, 1, 2);
    lTer->addWidget(painelTerrenoGrad_, 1, 0, 1, 3);
    campos_[TCampo::DecliTer] = decli;
    campos_[TCampo::RugTer] = rugTer;
    grade->addWidget(gTer, 2, 1);

    // Spacing.
    auto* gEsp = new QGroupBox(QStringLiteral(" Espaçamento "), p);
    auto* lEsp = new QGridLayout(gEsp);
    metodo_ = new QComboBox(gEsp);
    metodo_->setObjectName(QStringLiteral("Metodo"));
    // Every method the file admits is listed, so that a stored method shows
    // as itself; the location's "Altura do terraço arbitrada" cannot be
    // chosen here (this window has no field for the height).
    for (int i = 0; i <= kMetodoUltimo; ++i)
        metodo_->addItem(Q(std::string(NomesMetodologiaEspacamento[static_cast<std::size_t>(i)])));
    if (auto* modelo = qobject_cast<QStandardItemModel*>(metodo_->model()))
        for (int i = kMetodosDimensionamento; i <= kMetodoUltimo; ++i)
            modelo->item(i)->setEnabled(false);
    lEsp->addWidget(Rotulo(gEsp, QStringLiteral("Méto&do:"), metodo_), 0, 0);
    lEsp->addWidget(metodo_, 0, 1, 1, 2);
    QLineEdit* eh = Edit(gEsp, "eEH", "Espaçamento horizontal");
    QLineEdit* ev = Edit(gEsp, "eEV", "Espaçamento vertical");
    lEsp->addWidget(Rotulo(gEsp, QStringLiteral("Horizontal:"), eh), 1, 0);
    lEsp->addWidget(eh, 1, 1);
    lEsp->addWidget(Rotulo(gEsp, QStringLiteral("m")), 1, 2);
    lEsp->addWidget(Rotulo(gEsp, QStringLiteral("Vertical:"), ev), 2, 0);
    lEsp->addWidget(ev, 2, 1);
    lEsp->addWidget(Rotulo(gEsp, QStringLiteral("m")), 2, 2);
    btnDefinir_ = Botao(gEsp, QStringLiteral("&Definir"), QStringLiteral("Definir"));
    lEsp->addWidget(btnDefinir_, 3, 1);
    campos_[TCampo::EH] = eh;
    campos_[TCampo::EV] = ev;
    grade->addWidget(gEsp, 3, 0);

    // Soil.
    auto* gSolo = new QGroupBox(QStringLiteral(" Solo "), p);
    auto* lSolo = new QGridLayout(gSolo);
    QLineEdit* vib = Edit(gSolo, "eVIB", "Velocidade de infiltração básica");
    uniVIB_ = Rotulo(gSolo, QString());
    lSolo->addWidget(Rotulo(gSolo, QStringLiteral("Taxa de in&filtração estável (Tie):"), vib), 0, 0);
    lSolo->addWidget(vib, 0, 1);
    lSolo->addWidget(uniVIB_, 0, 2);
    auto* btnCob = Botao(gSolo, QStringLiteral("Co&bertura vegetal"), QStringLiteral("BtnCobertura"));
    btnCob->setToolTip(QStringLiteral("Cobertura vegetal"));
    lSolo->addWidget(btnCob, 1, 0, 1, 3);
    campos_[TCampo::VIB] = vib;
    grade->addWidget(gSolo, 3, 1);

    auto* botoes = new QHBoxLayout;
    auto* ajuda = Botao(p, QStringLiteral("&Ajuda"), QStringLiteral("Ajuda"));
    auto* calcular = Botao(p, QStringLiteral("&Calcular"), QStringLiteral("Calcular"));
    auto* fechar = Botao(p, QStringLiteral("&Fechar"), QStringLiteral("Fechar"));
    fechar->setToolTip(QStringLiteral("Fechar projeto"));
    botoes->addStretch();
    botoes->addWidget(ajuda);
    botoes->addWidget(calcular);
    botoes->addWidget(fechar);
    grade->addLayout(botoes, 4, 0, 1, 2);
    Contexto.Ajuda.Ligar(p, topico::Dimensionamento, ajuda);

    // Tab order of the table.
    QWidget* ordem[] = {cbSistema_, campos_[TCampo::Tr], campos_[TCampo::K], campos_[TCampo::A], campos_[TCampo::B],
                        campos_[TCampo::C], precLa1_, precLo1_, precipitacao_->Consulta, canal_, sc, comp, rugCan, btnRugCan, bst,
                        zsm, btnSmZ_, decli, rugTer, btnRugTer, metodo_, eh, ev, btnDefinir_, vib, btnCob, ajuda,
                        calcular, fechar};
    for (std::size_t i = 1; i < std::size(ordem); ++i)
        setTabOrder(ordem[i - 1], ordem[i]);

    for (auto& [campo, e] : campos_) {
        if (campo != TCampo::DecliTer)
            filtro_->Instalar(e);
        connect(e, &QLineEdit::textEdited, this, [this] { Alterar(); });
    }
    filtro_->Instalar(precLa1_);
    filtro_->Instalar(precLo1_);
    connect(precLa1_, &QLineEdit::textEdited, this, [this] { Alterar(); });
    connect(precLo1_, &QLineEdit::textEdited, this, [this] { Alterar(); });
    for (QLineEdit* e : {bst, decli, eh, ev, comp})
        e->installEventFilter(this);

    connect(cbSistema_, &QComboBox::activated, this, [this](int i) {
        RegraSistema(i);
        Alterar();
    });
    connect(canal_, &QComboBox::activated, this, [this](int i) {
        CanalChange(i);
        Alterar();
    });
    connect(metodo_, &QComboBox::activated, this, [this](int i) {
        MetodoChange(i);
        Alterar();
    });
    connect(decli, &QLineEdit::textChanged, this, [this] { DecliTerChange(); });
    connect(decli, &QLineEdit::textEdited, this, [this, bst](const QString& t) {
        if (canal_->currentIndex() == 1 && !stCanalDirige_)
            bst->setText(t);
    });
    connect(bst, &QLineEdit::textEdited, this, [this, decli](const QString& t) {
        if (canal_->currentIndex() == 1 && stCanalDirige_)
            decli->setText(t);
    });
    connect(eh, &QLineEdit::textEdited, this, [this] { EHChange(); });
    connect(ev, &QLineEdit::textEdited, this, [this] { EVChange(); });
    connect(btnRugCan, &QPushButton::clicked, this, [this] { RugCanClick(); });
    connect(btnRugTer, &QPushButton::clicked, this, [this] { RugTerClick(); });
    connect(btnSmZ_, &QPushButton::clicked, this, [this] { SmZClick(); });
    connect(btnDefinir_, &QPushButton::clicked, this, [this] { DefinirClick(); });
    connect(btnCob, &QPushButton::clicked, this, [this] { CoberturaClick(); });
    connect(calcular, &QPushButton::clicked, this, [this] { CalcularClick(); });
    connect(fechar, &QPushButton::clicked, this, [this] { Fechar(true); });
}

QLineEdit* TFDimensionamento::Campo(TCampo campo) const { return campos_.at(campo); }

void TFDimensionamento::Alterar()
{
    if (!preenchendo_)
        Contexto.Gerente.Alterado = true;
}

double TFDimensionamento::Ler(QLineEdit* campo) const { return LerReal(S(campo->text()), 0); }

void TFDimensionamento::Mostrar(QLineEdit* campo, const char* formato, double valor)
{
    campo->setText(Q(MostrarReal(formato, 0, valor)));
}

void TFDimensionamento::MostrarErro(const std::exception& e) { Contexto.Dialogos.Erro(this, QString::fromUtf8(e.what())); }

TCamposDimensionamento TFDimensionamento::Campos() const
{
    TCamposDimensionamento c;
    c.Sistema = cbSistema_->currentIndex();
    c.Tr = S(Campo(TCampo::Tr)->text());
    c.K = S(Campo(TCampo::K)->text());
    c.A = S(Campo(TCampo::A)->text());
    c.B = S(Campo(TCampo::B)->text());
    c.C = S(Campo(TCampo::C)->text());
    // A coordinate without any digit is no coordinate.
    const auto coordenada = [](const QLineEdit* e) {
        const QString t = e->text();
        return t.contains(QRegularExpression(QStringLiteral("[0-9]"))) ? S(t) : std::string();
    };
    c.Latitude = coordenada(precLa1_);
    c.Longitude = coordenada(precLo1_);
    c.Canal = canal_->currentIndex();
    c.Sc = S(Campo(TCampo::Sc)->text());
    c.Comp = S(Campo(TCampo::Comp)->text());
    c.RugCan = S(Campo(TCampo::RugCan)->text());
    c.BSt = S(Campo(TCampo::BSt)->text());
    c.ZSm = S(Campo(TCampo::ZSm)->text());
    c.DecliTer = S(Campo(TCampo::DecliTer)->text());
    c.RugTer = S(Campo(TCampo::RugTer)->text());
    c.Metodo = metodo_->currentIndex();
    c.EH = S(Campo(TCampo::EH)->text());
    c.EV = S(Campo(TCampo::EV)->text());
    c.VIB = S(Campo(TCampo::VIB)->text());
    return c;
}

void TFDimensionamento::PreencherCampos() { Preencher(); }

void TFDimensionamento::AtualizarUnidades() { Preencher(); }

void TFDimensionamento::Preencher()
{
    TProjeto& p = Contexto.Projeto;
    // Showing the project is no change of it: a new project's
    // identification, or any edit not yet saved, must still be asked about.
    const bool alterado = Contexto.Gerente.Alterado;
    const TCamposDimensionamento c = vastrel::PreencherCampos(p);
    preenchendo_ = true;
    const QString ud = Q(p.Unidades.UnidDeclividade);
    uniSc_->setText(ud);
    uniDecliTer_->setText(ud);
    uniVIB_->setText(Q(p.Unidades.UnidVIB));
    cbSistema_->setCurrentIndex(c.Sistema == 1 ? 1 : 0);
    RegraSistema(c.Sistema == 1 ? 1 : 0);
    Campo(TCampo::Tr)->setText(Q(c.Tr));
    Campo(TCampo::K)->setText(Q(c.K));
    Campo(TCampo::A)->setText(Q(c.A));
    Campo(TCampo::B)->setText(Q(c.B));
    Campo(TCampo::C)->setText(Q(c.C));
    precLa1_->setText(Q(c.Latitude));
    precLo1_->setText(Q(c.Longitude));
    Campo(TCampo::VIB)->setText(Q(c.VIB));
    Campo(TCampo::DecliTer)->setText(Q(c.DecliTer));
    canal_->setCurrentIndex(c.Canal == 0 ? 0 : 1);
    RotulosCanal(canal_->currentIndex());
    Campo(TCampo::BSt)->setText(Q(c.BSt));
    Campo(TCampo::ZSm)->setText(Q(c.ZSm));
    Campo(TCampo::RugTer)->setText(Q(c.RugTer));
    Campo(TCampo::Sc)->setText(Q(c.Sc));
    Campo(TCampo::RugCan)->setText(Q(c.RugCan));
    Campo(TCampo::Comp)->setText(Q(c.Comp));
    metodo_->setCurrentIndex(c.Metodo >= 0 && c.Metodo <= kMetodoUltimo ? c.Metodo : -1);
    btnDefinir_->setEnabled(metodo_->currentIndex() >= kMetodoBentley && metodo_->currentIndex() <= kMetodoParana);
    Campo(TCampo::EH)->setText(Q(c.EH));
    Campo(TCampo::EV)->setText(Q(c.EV));
    const bool comDeclive = !c.DecliTer.empty() && LerReal(c.DecliTer, 0) != 0;
    Campo(TCampo::EH)->setEnabled(comDeclive);
    Campo(TCampo::EV)->setEnabled(comDeclive);
    ehDirige_ = true;
    preenchendo_ = false;
    Contexto.Gerente.Alterado = alterado;
}

void TFDimensionamento::LerCampos()
{
    vastrel::LerCampos(Campos(), Contexto.Projeto);
    // The coefficient on display is kept with the height it gives.
    if (PaginaAtual() == Resultados)
        AplicarCDu(Contexto.Projeto, Ler(eCDu_));
    else if (PaginaAtual() == Simulacao)
        AplicarCDu(Contexto.Projeto, Ler(eCDuSim_));
}

void TFDimensionamento::RegraSistema(int tipo)
{
    Contexto.Projeto.TipoSistema.Tipo = static_cast<std::uint8_t>(tipo);
    painelCanalGrad_->setVisible(tipo == 1);
    painelTerrenoGrad_->setVisible(tipo == 1);
}

QPixmap TFDimensionamento::Secao(int tipo) const
{
    // 0 trapezoidal, 1 triangular, 2 an irregular section as built.
    QPixmap px(150, 80);
    px.fill(Qt::white);
    QPainter g(&px);
    g.setRenderHint(QPainter::Antialiasing);
    QPainterPath terreno;
    if (tipo == 0) {
        terreno.moveTo(5, 20);
        terreno.lineTo(45, 20);
        terreno.lineTo(65, 65);
        terreno.lineTo(95, 65);
        terreno.lineTo(115, 20);
        terreno.lineTo(145, 20);
    } else if (tipo == 1) {
        terreno.moveTo(5, 15);
        terreno.lineTo(95, 65);
        terreno.lineTo(120, 20);
        terreno.lineTo(145, 20);
    } else {
        terreno.moveTo(5, 15);
        terreno.cubicTo(40, 30, 60, 70, 90, 62);
        terreno.cubicTo(105, 58, 110, 25, 145, 20);
    }
    QPainterPath agua = terreno;
    agua.closeSubpath();
    g.fillPath(agua, QColor(120, 170, 230));
    g.setPen(QPen(QColor(110, 70, 30), 3));
    g.drawPath(terreno);
    return px;
}

void TFDimensionamento::RotulosCanal(int tipo)
{
    figuraCanal_->setPixmap(Secao(tipo));
    QLineEdit* bst = Campo(TCampo::BSt);
    QLineEdit* zsm = Campo(TCampo::ZSm);
    const QString ud = Q(Contexto.Projeto.Unidades.UnidDeclividade);
    if (tipo == 1) {
        rotBSt_->setText(QStringLiteral("S&t:"));
        uniBSt_->setText(ud);
        bst->setToolTip(QStringLiteral("Declividade do terreno"));
        rotZSm_->setText(QStringLiteral("S&m:"));
        uniZSm_->setText(ud);
        zsm->setToolTip(QStringLiteral("Declividade da parede de montante do canal"));
        btnSmZ_->setText(QStringLiteral("Valores de S&m"));
        btnSmZ_->setToolTip(QStringLiteral("Valores de Sm"));
    } else {
        rotBSt_->setText(QStringLiteral("&B:"));
        uniBSt_->setText(QStringLiteral("m"));
        bst->setToolTip(QStringLiteral("Base do canal"));
        rotZSm_->setText(QStringLiteral("&Z:"));
        uniZSm_->setText(QString());
        zsm->setToolTip(QStringLiteral("Inverso da declividade das faces laterais"));
        btnSmZ_->setText(QStringLiteral("Valores de &Z"));
        btnSmZ_->setToolTip(QStringLiteral("Valores de Z"));
    }
}

void TFDimensionamento::CanalChange(int tipo)
{
    TProjeto& p = Contexto.Projeto;
    TCanal& canal = p.CanalAtual();
    const int anterior = canal.TipoCanal.Tipo;
    QLineEdit* bst = Campo(TCampo::BSt);
    QLineEdit* zsm = Campo(TCampo::ZSm);
    if (anterior != tipo) {
        // The values of the type being left are kept in the system.
        try {
            if (tipo == 1) {
                canal.SetB(Ler(bst));
                canal.Z.Valor = Ler(zsm);
            } else {
                p.Terreno.SetSt(p.Unidades.GuardarDeclividade(Ler(bst)));
                canal.Sm.Valor = p.Unidades.GuardarDeclividade(Ler(zsm));
            }
        } catch (const Exception& e) {
            canal_->setCurrentIndex(anterior);
            MostrarErro(e);
            return;
        }
    }
    canal.TipoCanal.Tipo = static_cast<std::uint8_t>(tipo);
    RotulosCanal(tipo);
    const bool old = preenchendo_;
    preenchendo_ = true;
    if (tipo == 1) {
        Mostrar(bst, kFormatoGeral, p.Unidades.MostrarDeclividade(p.Terreno.St));
        Mostrar(zsm, kFormatoGeral, p.Unidades.MostrarDeclividade(canal.Sm.Valor));
    } else {
        const auto [b, z] = TextosSecaoTrapezoidal(p.Gradiente() ? kFormatoGeral : kFormatoCurto, canal.B, canal.Z.Valor);
        bst->setText(Q(b));
        zsm->setText(Q(z));
    }
    preenchendo_ = old;
}

void TFDimensionamento::MetodoChange(int metodo)
{
    Contexto.Projeto.EspacamentoAtual().Metodologia.IndMetodologia = static_cast<std::uint8_t>(metodo);
    Campo(TCampo::EV)->clear();
    if (metodo == kMetodoEVArbitrado) {
        btnDefinir_->setEnabled(false);
        if (Campo(TCampo::EH)->isEnabled())
            Campo(TCampo::EH)->setFocus();
        ehDirige_ = true;
        EHChange();
    } else {
        btnDefinir_->setEnabled(true);
        Campo(TCampo::EH)->clear();
    }
}

void TFDimensionamento::DecliTerChange()
{
    if (preenchendo_)
        return;
    QLineEdit* eh = Campo(TCampo::EH);
    QLineEdit* ev = Campo(TCampo::EV);
    ev->clear();
    if (metodo_->currentIndex() != kMetodoEVArbitrado)
        eh->clear();
    ehDirige_ = true;
    const auto st = ParseFloat(S(Campo(TCampo::DecliTer)->text()));
    if (!st || *st == 0) {
        eh->setEnabled(false);
        ev->setEnabled(false);
        return;
    }
    TProjeto& p = Contexto.Projeto;
    p.Terreno.SetSt(p.Unidades.GuardarDeclividade(*st));
    eh->setEnabled(true);
    ev->setEnabled(true);
    if (const auto v = ParseFloat(S(eh->text())); v && !eh->text().isEmpty()) {
        TEspacamento& e = p.EspacamentoAtual();
        e.SetEH(*v);
        ev->setText(Q(FormatFloat(kFormatoCurto, e.EH * p.Terreno.St)));
    }
    Alterar();
}

void TFDimensionamento::EHChange()
{
    if (!ehDirige_)
        return;
    Campo(TCampo::EV)->setText(Q(EVDoEH(S(Campo(TCampo::DecliTer)->text()), S(Campo(TCampo::EH)->text()),
                                        Contexto.Projeto.Unidades.KDeclividade)));
}

void TFDimensionamento::EVChange()
{
    if (ehDirige_)
        return;
    Campo(TCampo::EH)->setText(Q(EHDoEV(S(Campo(TCampo::DecliTer)->text()), S(Campo(TCampo::EV)->text()),
                                        Contexto.Projeto.Unidades.KDeclividade)));
}

void TFDimensionamento::CompExit()
{
    if (saindoComp_)
        return;
    QLineEdit* comp = Campo(TCampo::Comp);
    const auto v = ParseFloat(S(comp->text()));
    if (v && *v > kComprimentoMaximoCanal) {
        saindoComp_ = true;
        Contexto.Dialogos.Informacao(this, QString::fromUtf8(kMsgComprimentoMaximo));
        comp->setText(QString::number(kComprimentoMaximoCanal));
        comp->setFocus();
        saindoComp_ = false;
    }
}

bool TFDimensionamento::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::FocusIn) {
        if (o == Campo(TCampo::EH)) {
            metodo_->setCurrentIndex(kMetodoEVArbitrado);
            Contexto.Projeto.EspacamentoAtual().Metodologia.IndMetodologia = kMetodoEVArbitrado;
            btnDefinir_->setEnabled(false);
            ehDirige_ = true;
            QTimer::singleShot(0, Campo(TCampo::EH), &QLineEdit::selectAll);
        } else if (o == Campo(TCampo::EV)) {
            ehDirige_ = false;
        } else if (o == Campo(TCampo::BSt)) {
            stCanalDirige_ = true;
        } else if (o == Campo(TCampo::DecliTer)) {
            stCanalDirige_ = false;
        }
    } else if (e->type() == QEvent::FocusOut) {
        if (o == Campo(TCampo::Comp))
            CompExit();
        else if (o == eCDu_ || o == eCDuSim_)
            CDuExit(static_cast<QLineEdit*>(o));
    } else if (e->type() == QEvent::MouseButtonPress && grafico_ && o == grafico_->viewport()) {
        ClicarGrafico(static_cast<QMouseEvent*>(e)->position());
    } else if (e->type() == QEvent::KeyPress && o == Campo(TCampo::DecliTer)) {
        Campo(TCampo::EV)->clear();
    }
    return TJanelaModulo::eventFilter(o, e);
}

void TFDimensionamento::DefinirClick()
{
    TProjeto& p = Contexto.Projeto;
    double st = 0;
    try {
        st = p.Unidades.GuardarDeclividade(Ler(Campo(TCampo::DecliTer)));
    } catch (const Exception& e) {
        MostrarErro(e);
        return;
    }
    p.Terreno.SetSt(st);
    const bool pct = p.Unidades.UnidDeclividade == "%";
    const int metodo = metodo_->currentIndex();
    int aceito = QDialog::Rejected;
    const char* formatoEV = kFormatoCurto;
    if (const std::string_view aviso = AvisoDeclividadeMetodo(metodo, st, pct); !aviso.empty())
        Contexto.Dialogos.Informacao(this, Q(std::string(aviso)));
    if (metodo == kMetodoBentley) {
        TFBentleyDim d(Contexto, this);
        aceito = d.exec();
    } else if (metodo == kMetodoLombardiNeto) {
        TFLombNetoDim d(Contexto, this);
        aceito = d.exec();
        formatoEV = kFormatoEspacamento;
    } else if (metodo == kMetodoParana) {
        TFParanaDim d(Contexto, this);
        aceito = d.exec();
    } else {
        return;
    }
    if (aceito != QDialog::Accepted)
        return;
    const TEspacamento& e = p.EspacamentoAtual();
    Mostrar(Campo(TCampo::DecliTer), kFormatoGeral, p.Unidades.MostrarDeclividade(p.Terreno.St));
    Campo(TCampo::EH)->setEnabled(true);
    Campo(TCampo::EV)->setEnabled(true);
    Campo(TCampo::EV)->setText(Q(FormatFloat(formatoEV, e.EV)));
    Campo(TCampo::EH)->setText(Q(FormatFloat(kFormatoEspacamento, e.EH)));
    if (canal_->currentIndex() == 1)
        Campo(TCampo::BSt)->setText(Campo(TCampo::DecliTer)->text());
    Contexto.Gerente.Alterado = true;
}

void TFDimensionamento::ConsultaClick() { precipitacao_->ConsultaClick(); }

void TFDimensionamento::SmZClick()
{
    TProjeto& p = Contexto.Projeto;
    TCanal& canal = p.CanalAtual();
    QLineEdit* zsm = Campo(TCampo::ZSm);
    try {
        if (canal_->currentIndex() == 0) {
            const auto z = EscolherReferencia<TZ>(canal.Z, topico::Dimensionamento, Contexto, this);
            if (!z)
                return;
            Mostrar(zsm, kFormatoGeral, *z);
        } else {
            TSm sm;
            sm.HelpContext = topico::Dimensionamento;
            sm.Indice = canal.Sm.Indice;
            sm.Valor = p.Unidades.MostrarDeclividade(canal.Sm.Valor);
            sm.UDeclive = p.Unidades.UnidDeclividade;
            sm.KDeclive = p.Unidades.KDeclividade;
            if (!sm.Executar(Contexto, this))
                return;
            canal.Sm.Indice = static_cast<std::int8_t>(sm.Indice);
            canal.Sm.Valor = p.Unidades.GuardarDeclividade(sm.Valor);
            Mostrar(zsm, kFormatoGeral, sm.Valor);
        }
    } catch (const std::exception& e) {
        MostrarErro(e);
        return;
    }
    Contexto.Gerente.Alterado = true;
}

void TFDimensionamento::RugCanClick()
{
    if (const auto valor = EscolherReferencia<TRugCan>(Contexto.Projeto.TerracosGradiente.nc, topico::RugosidadeCanal, Contexto, this)) {
        Mostrar(Campo(TCampo::RugCan), kFormatoGeral, *valor);
        Contexto.Gerente.Alterado = true;
    }
}

void TFDimensionamento::RugTerClick()
{
    if (const auto valor = EscolherReferencia<TRugTer>(Contexto.Projeto.Terreno.nt, topico::RugosidadeTerreno, Contexto, this)) {
        Mostrar(Campo(TCampo::RugTer), kFormatoGeral, *valor);
        Contexto.Gerente.Alterado = true;
    }
}

void TFDimensionamento::CoberturaClick()
{
    if (EscolherCobertura(Contexto.Projeto.Terreno.Cobertura, topico::CoberturaVegetal, Contexto, this))
        Contexto.Gerente.Alterado = true;
}

void TFDimensionamento::CalcularClick()
{
    TProjeto& p = Contexto.Projeto;
    const TCalculoDimensionamento c = Calcular(Campos(), p);
    qCalculada_ = 0;
    if (!c.ErroLeitura.empty()) {
        Contexto.Dialogos.Erro(this, Q(c.ErroLeitura));
        return;
    }
    if (c.Falha) {
        Contexto.Dialogos.Erro(this, Q(c.Falha->Mensagem));
        Campo(c.Falha->Campo)->setFocus();
        return;
    }
    if (!c.Calculado()) {
        // The engine's reason under the window's message, with the warnings
        // that may explain it.
        std::vector<std::string> detalhe{c.ErroMotor};
        detalhe.insert(detalhe.end(), c.Avisos.begin(), c.Avisos.end());
        Contexto.Dialogos.Erro(this, QString::fromUtf8(kMsgErroCalculo), Q(TextoAvisos(detalhe)));
        return;
    }
    const TResultadoDimensionamento& r = *c.Resultado;
    CarregarFigura(figuraSistema_, r.Gradiente);
    if (r.Gradiente) {
        rotVazao_->setText(QStringLiteral("Vazão:"));
        uniVazao_->setText(QStringLiteral("L/s"));
        eVazao_->setText(Q(FormatFloat(kFormatoVazao, r.Q)));
        qCalculada_ = r.Q;
    } else {
        rotVazao_->setText(QStringLiteral("LES:"));
        uniVazao_->setText(QStringLiteral("mm"));
        eVazao_->setText(Q(FormatFloat(kFormatoLES, r.LES)));
    }
    eEVRes_->setText(Q(FormatFloat(kFormatoEV, r.EV)));
    eH_->setText(Q(FormatFloat(kFormatoAltura, r.H * 100)));
    eCDu_->setText(Q(FormatFloat(kFormatoCDu, r.CDu)));
    eHr_->setText(Q(FormatFloat(kFormatoAltura, r.Hr)));
    avisos_->setText(Q(TextoAvisos(c.Avisos)));
    avisos_->setVisible(!c.Avisos.empty());
    figuraSecaoRes_->setPixmap(Secao(p.CanalAtual().TipoCanal.Tipo));
    MostrarPagina(Resultados);
    eCDu_->setFocus();
}

// ---------------------------------------------------------------------------
// Results page

void TFDimensionamento::CarregarFigura(QLabel* rotulo, bool gradiente) const
{
    const std::filesystem::path arquivo = ArquivoDoPrograma(gradiente ? "grad.svg" : "nivel.svg");
    QSvgRenderer svg(Q(arquivo.string()));
    if (!svg.isValid()) {
        rotulo->clear();
        return;
    }
    QPixmap px(QSize(420, 260));
    px.fill(Qt::white);
    QPainter g(&px);
    svg.render(&g);
    rotulo->setPixmap(px);
}

void TFDimensionamento::MontarResultados(QWidget* p)
{
    auto* layout = new QHBoxLayout(p);
    auto* esquerda = new QVBoxLayout;
    auto* topo = new QGridLayout;
    eVazao_ = Edit(p, "eVazao", "");
    eVazao_->setReadOnly(true);
    rotVazao_ = Rotulo(p, QStringLiteral("Vazão:"));
    uniVazao_ = Rotulo(p, QStringLiteral("L/s"));
    topo->addWidget(rotVazao_, 0, 0);
    topo->addWidget(eVazao_, 0, 1);
    topo->addWidget(uniVazao_, 0, 2);
    eEVRes_ = Edit(p, "eEVRes", "");
    eEVRes_->setReadOnly(true);
    topo->addWidget(Rotulo(p, QStringLiteral("Espaçamento vertical:")), 1, 0);
    topo->addWidget(eEVRes_, 1, 1);
    topo->addWidget(Rotulo(p, QStringLiteral("m")), 1, 2);
    esquerda->addLayout(topo);

    auto* gUni = new QGroupBox(QStringLiteral(" Seção uniforme "), p);
    auto* lUni = new QGridLayout(gUni);
    eH_ = Edit(gUni, "eH", "");
    eH_->setReadOnly(true);
    lUni->addWidget(Rotulo(gUni, QStringLiteral("Altura &teórica (H):"), eH_), 0, 0);
    lUni->addWidget(eH_, 0, 1);
    lUni->addWidget(Rotulo(gUni, QStringLiteral("cm")), 0, 2);
    figuraSecaoRes_ = new QLabel(gUni);
    lUni->addWidget(figuraSecaoRes_, 0, 3);
    esquerda->addWidget(gUni);

    auto* gReal = new QGroupBox(QStringLiteral(" Seção real "), p);
    auto* lReal = new QGridLayout(gReal);
    auto* figReal = new QLabel(gReal);
    figReal->setPixmap(Secao(2));
    lReal->addWidget(figReal, 0, 3, 2, 1);
    eCDu_ = Edit(gReal, "eCDu", "Coeficiente de desuniformidade");
    lReal->addWidget(Rotulo(gReal, QStringLiteral("Coef. de &desuniformidade:"), eCDu_), 0, 0);
    lReal->addWidget(eCDu_, 0, 1);
    auto* ok = Botao(gReal, QStringLiteral("OK"), QStringLiteral("OKResultados"));
    lReal->addWidget(ok, 0, 2);
    eHr_ = Edit(gReal, "eHr", "");
    eHr_->setReadOnly(true);
    lReal->addWidget(Rotulo(gReal, QStringLiteral("Alt&ura recomendada (Hr):"), eHr_), 1, 0);
    lReal->addWidget(eHr_, 1, 1);
    lReal->addWidget(Rotulo(gReal, QStringLiteral("cm")), 1, 2);
    auto* ajudaCDu = Botao(gReal, QStringLiteral("&Ajuda"), QStringLiteral("AjudaCDu"));
    lReal->addWidget(ajudaCDu, 2, 2);
    esquerda->addWidget(gReal);
    // Notes of the calculation: values outside their published ranges, a
    // strip without runoff.
    avisos_ = new QLabel(p);
    avisos_->setObjectName(QStringLiteral("Avisos"));
    avisos_->setWordWrap(true);
    avisos_->setMaximumWidth(420);
    avisos_->setStyleSheet(QStringLiteral("color: #8a4b00;"));
    avisos_->hide();
    esquerda->addWidget(avisos_);
    esquerda->addStretch();
    layout->addLayout(esquerda);

    auto* direita = new QVBoxLayout;
    figuraSistema_ = new QLabel(p);
    figuraSistema_->setObjectName(QStringLiteral("FiguraSistema"));
    direita->addWidget(figuraSistema_);
    auto* botoes = new QHBoxLayout;
    ajudaResultados_ = Botao(p, QStringLiteral("&Ajuda"), QStringLiteral("AjudaResultados"));
    auto* relatorio = Botao(p, QStringLiteral("&Relatório"), QStringLiteral("RelatorioResultados"));
    auto* voltar = Botao(p, QStringLiteral("&Voltar"), QStringLiteral("VoltarResultados"));
    auto* simulacao = Botao(p, QStringLiteral("&Simulação"), QStringLiteral("BtnSimulacao"));
    auto* fechar = Botao(p, QStringLiteral("&Fechar"), QStringLiteral("FecharResultados"));
    fechar->setDefault(true);
    for (QPushButton* b : {ajudaResultados_, relatorio, voltar, simulacao, fechar})
        botoes->addWidget(b);
    direita->addLayout(botoes);
    direita->addStretch();
    layout->addLayout(direita);

    TFiltroNumerico* f = new TFiltroNumerico(this, [this](QLineEdit*, bool aceita) {
        if (aceita)
            eHr_->clear();
    });
    f->Instalar(eCDu_);
    eCDu_->installEventFilter(this);
    connect(eCDu_, &QLineEdit::returnPressed, this, [this] { ResultadoOKClick(); });
    connect(ok, &QPushButton::clicked, this, [this] { ResultadoOKClick(); });
    connect(ajudaCDu, &QPushButton::clicked, this, [this] { Contexto.Ajuda.Abrir(topico::CoeficienteDesuniformidade, this); });
    connect(ajudaResultados_, &QPushButton::clicked, this,
            [this] { Contexto.Ajuda.Abrir(Contexto.Projeto.Gradiente() ? topico::ResultadosGradiente : topico::ResultadosNivel, this); });
    connect(relatorio, &QPushButton::clicked, this, [this] { RelatorioClick(); });
    connect(voltar, &QPushButton::clicked, this, [this] { VoltarResultadosClick(); });
    connect(simulacao, &QPushButton::clicked, this, [this] { SimulacaoClick(); });
    connect(fechar, &QPushButton::clicked, this, [this] { Fechar(true); });
}

bool TFDimensionamento::CDuExit(QLineEdit* campo)
{
    const auto v = campo->text().isEmpty() ? std::optional<double>(0) : ParseFloat(S(campo->text()));
    if (v && *v < 1) {
        Contexto.Dialogos.Informacao(this, QString::fromUtf8(kCDuMinimo));
        campo->setText(QStringLiteral("1"));
        campo->setFocus();
        return false;
    }
    return true;
}

bool TFDimensionamento::GuardarCDu(QLineEdit* campo)
{
    try {
        AplicarCDu(Contexto.Projeto, Ler(campo));
    } catch (const std::exception& e) {
        MostrarErro(e);
        return false;
    }
    return true;
}

void TFDimensionamento::ResultadoOKClick()
{
    if (!GuardarCDu(eCDu_))
        return;
    eHr_->setText(Q(FormatFloat(kFormatoAltura, Contexto.Projeto.CanalAtual().Hr)));
    Contexto.Gerente.Alterado = true;
}

void TFDimensionamento::VoltarResultadosClick()
{
    if (!GuardarCDu(eCDu_))
        return;
    MostrarPagina(Entrada);
}

void TFDimensionamento::RelatorioClick()
{
    TProjeto& p = Contexto.Projeto;
    if (p.Gradiente())
        p.TerracosGradiente.SetQ(qCalculada_);
    QImage grafico;
    if (PaginaAtual() == Simulacao)
        grafico = grafico_->grab().toImage();
    try {
        TFRelatorio::MostrarDimensionamento(Contexto, grafico, this);
    } catch (const std::exception& e) {
        MostrarErro(e);
    }
}

// ---------------------------------------------------------------------------
// Simulation page

void TFDimensionamento::MontarSimulacao(QWidget* p)
{
    auto* layout = new QHBoxLayout(p);
    auto* esquerda = new QVBoxLayout;
    abas_ = new QTabWidget(p);
    abas_->setObjectName(QStringLiteral("Abas"));
    const char* abas[] = {"Q", "H", "Hr"};
    const std::vector<TDefinicaoGrafico>& graficos = GraficosGradiente();
    for (int l = 0; l < 3; ++l) {
        auto* aba = new QWidget;
        auto* la = new QVBoxLayout(aba);
        auto* g = new QGroupBox(QString::fromUtf8(kNomesListas[l]), aba);
        auto* lg = new QVBoxLayout(g);
        listas_[l] = new QListWidget(g);
        listas_[l]->setObjectName(QStringLiteral("Lista%1").arg(l));
        for (int i = 0; i < 7; ++i)
            listas_[l]->addItem(Q(graficos[static_cast<std::size_t>(l * 7 + i)].Nome));
        lg->addWidget(listas_[l]);
        la->addWidget(g);
        abas_->addTab(aba, QString::fromLatin1(abas[l]));
    }
    esquerda->addWidget(abas_);
    grupoNivel_ = new QGroupBox(QStringLiteral(" &Gráficos "), p);
    auto* ln = new QVBoxLayout(grupoNivel_);
    listas_[3] = new QListWidget(grupoNivel_);
    listas_[3]->setObjectName(QStringLiteral("Lista3"));
    for (const TDefinicaoGrafico& d : GraficosNivel())
        listas_[3]->addItem(Q(d.Nome));
    ln->addWidget(listas_[3]);
    esquerda->addWidget(grupoNivel_);
    layout->addLayout(esquerda);

    auto* direita = new QVBoxLayout;
    auto* chart = new QChart;
    chart->legend()->hide();
    serie_ = new QLineSeries(chart);
    serie_->setPen(QPen(Qt::black, 1.5));
    serie_->setPointsVisible(true);
    serie_->setMarkerSize(7);
    chart->addSeries(serie_);
    eixoX_ = new QValueAxis(chart);
    eixoY_ = new QValueAxis(chart);
    for (QValueAxis* a : {eixoX_, eixoY_}) {
        a->setGridLineVisible(false);
        a->setMinorGridLineVisible(false);
    }
    chart->addAxis(eixoX_, Qt::AlignBottom);
    chart->addAxis(eixoY_, Qt::AlignLeft);
    serie_->attachAxis(eixoX_);
    serie_->attachAxis(eixoY_);
    grafico_ = new QChartView(chart, p);
    grafico_->setObjectName(QStringLiteral("Grafico"));
    grafico_->setRenderHint(QPainter::Antialiasing);
    grafico_->setMinimumSize(480, 320);
    grafico_->viewport()->installEventFilter(this);
    direita->addWidget(grafico_, 1);

    auto* baixo = new QHBoxLayout;
    auto* gUni = new QGroupBox(QStringLiteral(" Seção uniforme "), p);
    auto* lUni = new QGridLayout(gUni);
    const char* rotulos[] = {"Vazão:", "Altura teórica:", "", "Altura recomendada:"};
    const char* unidades[] = {"L/s", "cm", "", "cm"};
    for (int i = 0; i < 4; ++i) {
        linhas_[i] = new QComboBox(i == 3 ? nullptr : gUni);
        linhas_[i]->setObjectName(QStringLiteral("Linha%1").arg(i));
        linhas_[i]->setMinimumWidth(110);
        rotulosLinha_[i] = new QLabel(QString::fromUtf8(rotulos[i]));
        unidadesLinha_[i] = new QLabel(QString::fromUtf8(unidades[i]));
        connect(linhas_[i], &QComboBox::currentIndexChanged, this, [this](int n) {
            if (sincronizando_ || n < 0)
                return;
            sincronizando_ = true;
            for (QComboBox* c : linhas_)
                if (n < c->count())
                    c->setCurrentIndex(n);
            sincronizando_ = false;
        });
    }
    linhaVazao_ = new QWidget(gUni);
    auto* lv = new QHBoxLayout(linhaVazao_);
    lv->setContentsMargins(0, 0, 0, 0);
    lv->addWidget(rotulosLinha_[0]);
    lv->addWidget(linhas_[0]);
    lv->addWidget(unidadesLinha_[0]);
    lUni->addWidget(linhaVazao_, 0, 0, 1, 3);
    for (int i = 1; i < 3; ++i) {
        lUni->addWidget(rotulosLinha_[i], i, 0);
        lUni->addWidget(linhas_[i], i, 1);
        lUni->addWidget(unidadesLinha_[i], i, 2);
    }
    figuraSecaoSim_ = new QLabel(gUni);
    lUni->addWidget(figuraSecaoSim_, 0, 3, 3, 1);
    baixo->addWidget(gUni);

    auto* gReal = new QGroupBox(QStringLiteral(" Seção real "), p);
    auto* lReal = new QGridLayout(gReal);
    eCDuSim_ = Edit(gReal, "eCDuSim", "Coeficiente de desuniformidade");
    lReal->addWidget(Rotulo(gReal, QStringLiteral("Coef. de &desuniformidade:"), eCDuSim_), 0, 0);
    lReal->addWidget(eCDuSim_, 0, 1);
    auto* ok = Botao(gReal, QStringLiteral("OK"), QStringLiteral("OKSimulacao"));
    lReal->addWidget(ok, 0, 2);
    linhas_[3]->setParent(gReal);
    rotulosLinha_[3]->setParent(gReal);
    unidadesLinha_[3]->setParent(gReal);
    lReal->addWidget(rotulosLinha_[3], 1, 0);
    lReal->addWidget(linhas_[3], 1, 1);
    lReal->addWidget(unidadesLinha_[3], 1, 2);
    auto* ajudaCDu = Botao(gReal, QStringLiteral("&Ajuda"), QStringLiteral("AjudaCDuSim"));
    lReal->addWidget(ajudaCDu, 2, 2);
    baixo->addWidget(gReal);
    direita->addLayout(baixo);

    auto* botoes = new QHBoxLayout;
    ajudaSimulacao_ = Botao(p, QStringLiteral("&Ajuda"), QStringLiteral("AjudaSimulacao"));
    auto* relatorio = Botao(p, QStringLiteral("&Relatório"), QStringLiteral("RelatorioSimulacao"));
    auto* voltar = Botao(p, QStringLiteral("&Voltar"), QStringLiteral("VoltarSimulacao"));
    auto* fechar = Botao(p, QStringLiteral("&Fechar"), QStringLiteral("FecharSimulacao"));
    botoes->addStretch();
    for (QPushButton* b : {ajudaSimulacao_, relatorio, voltar, fechar})
        botoes->addWidget(b);
    direita->addLayout(botoes);
    layout->addLayout(direita, 1);

    for (int l = 0; l < 4; ++l)
        connect(listas_[l], &QListWidget::itemClicked, this,
                [this, l](QListWidgetItem* it) { DesenharGrafico(l, listas_[l]->row(it)); });
    TFiltroNumerico* f = new TFiltroNumerico(this, [this](QLineEdit*, bool) { linhas_[3]->setCurrentIndex(-1); });
    f->Instalar(eCDuSim_);
    eCDuSim_->installEventFilter(this);
    connect(eCDuSim_, &QLineEdit::returnPressed, this, [this] { SimulacaoOKClick(); });
    connect(ok, &QPushButton::clicked, this, [this] { SimulacaoOKClick(); });
    connect(ajudaCDu, &QPushButton::clicked, this, [this] { Contexto.Ajuda.Abrir(topico::CoeficienteDesuniformidade, this); });
    connect(ajudaSimulacao_, &QPushButton::clicked, this,
            [this] { Contexto.Ajuda.Abrir(Contexto.Projeto.Gradiente() ? topico::SimulacaoGradiente : topico::SimulacaoNivel, this); });
    connect(relatorio, &QPushButton::clicked, this, [this] { RelatorioClick(); });
    connect(voltar, &QPushButton::clicked, this, [this] { VoltarSimulacaoClick(); });
    connect(fechar, &QPushButton::clicked, this, [this] { Fechar(true); });
}

void TFDimensionamento::SimulacaoClick()
{
    TProjeto& p = Contexto.Projeto;
    eCDuSim_->setText(eCDu_->text());
    if (!GuardarCDu(eCDuSim_))
        return;
    figuraSecaoSim_->setPixmap(Secao(p.CanalAtual().TipoCanal.Tipo));
    const bool grad = p.Gradiente();
    linhaVazao_->setVisible(grad);
    abas_->setVisible(grad);
    grupoNivel_->setVisible(!grad);
    MostrarPagina(Simulacao);
    if (grad) {
        listas_[1]->clearSelection();
        listas_[2]->clearSelection();
        abas_->setCurrentIndex(0);
        listas_[0]->setCurrentRow(0);
        DesenharGrafico(0, 0);
    } else {
        listas_[3]->setCurrentRow(0);
        DesenharGrafico(3, 0);
    }
}

void TFDimensionamento::DesenharGrafico(int lista, int item)
{
    if (desenhando_ || lista < 0 || lista > 3)
        return;
    desenhando_ = true;
    TProjeto& p = Contexto.Projeto;
    {
        TOcupado ocupado(Contexto.Principal);
        if (lista < 3)
            for (int l = 0; l < 3; ++l)
                if (l != lista)
                    listas_[l]->clearSelection();
        listas_[lista]->setCurrentRow(item);
        grafico_->setToolTip(QString());
        serie_->clear();
        for (QComboBox* c : linhas_)
            c->clear();
        try {
            const std::vector<TDefinicaoGrafico>& defs = lista < 3 ? GraficosGradiente() : GraficosNivel();
            const std::size_t n = static_cast<std::size_t>(lista < 3 ? lista * 7 + item : item);
            if (n >= defs.size())
                throw Exception("Gráfico inexistente.");
            const TGraficoSimulacao g = Simular(p, defs[n], Ler(eCDuSim_));
            eixoX_->setTitleText(Q(g.TituloEixoX));
            eixoY_->setTitleText(Q(g.TituloEixoY));
            rotulosLinha_[1]->setText(Q(g.RotuloAltura));
            unidadesLinha_[1]->setText(Q(g.UnidadeAltura));
            rotulosLinha_[2]->setText(Q(g.RotuloEntrada));
            unidadesLinha_[2]->setText(Q(g.UnidadeEntrada));
            double x0 = 0, x1 = 0, y0 = 0, y1 = 0;
            bool primeiro = true;
            for (const TPontoSimulacao& pt : g.Pontos) {
                linhas_[2]->addItem(Q(pt.TextoEntrada));
                linhas_[0]->addItem(Q(pt.TextoVazao));
                linhas_[1]->addItem(Q(pt.TextoAltura));
                linhas_[3]->addItem(Q(pt.TextoAlturaRecomendada));
                serie_->append(pt.x, pt.y);
                x0 = primeiro ? pt.x : std::min(x0, pt.x);
                x1 = primeiro ? pt.x : std::max(x1, pt.x);
                y0 = primeiro ? pt.y : std::min(y0, pt.y);
                y1 = primeiro ? pt.y : std::max(y1, pt.y);
                primeiro = false;
            }
            const double fy = (y1 - y0) > 0 ? (y1 - y0) * 0.05 : std::max(1.0, std::abs(y0) * 0.05);
            eixoX_->setRange(x0, x1 > x0 ? x1 : x0 + 1);
            eixoY_->setRange(y0 - fy, y1 + fy);
        } catch (const std::exception& e) {
            desenhando_ = false;
            Contexto.Dialogos.Erro(this, QString::fromUtf8(e.what()));
        }
        for (QComboBox* c : linhas_)
            c->setCurrentIndex(c->count() > 0 ? 0 : -1);
    }
    desenhando_ = false;
}

void TFDimensionamento::ClicarGrafico(const QPointF& posicao)
{
    QChart* chart = grafico_->chart();
    const QPointF cena = grafico_->mapToScene(posicao.toPoint());
    const QPointF local = chart->mapFromScene(cena);
    const QList<QPointF> pontos = serie_->points();
    for (const QPointF& pt : pontos) {
        const QPointF tela = chart->mapToPosition(pt, serie_);
        if (std::hypot(tela.x() - local.x(), tela.y() - local.y()) <= 6) {
            grafico_->setToolTip("(" + Q(FloatToStr(pt.x())) + "; " + Q(FormatFloat("0.00", pt.y())) + ")");
            return;
        }
    }
    grafico_->setToolTip(QString());
}

void TFDimensionamento::SimulacaoOKClick()
{
    TProjeto& p = Contexto.Projeto;
    int lista = 3, item = listas_[3]->currentRow();
    if (p.Gradiente()) {
        int lembrado = -1;
        for (int l = 0; l < 2 && lembrado < 0; ++l)
            if (!listas_[l]->selectedItems().isEmpty())
                lembrado = listas_[l]->currentRow();
        listas_[0]->clearSelection();
        listas_[1]->clearSelection();
        abas_->setCurrentIndex(2);
        lista = 2;
        item = lembrado >= 0 ? lembrado : std::max(0, listas_[2]->currentRow());
    }
    if (!GuardarCDu(eCDuSim_))
        return;
    Contexto.Gerente.Alterado = true;
    DesenharGrafico(lista, std::max(0, item));
    listas_[lista]->setFocus();
}

void TFDimensionamento::VoltarSimulacaoClick()
{
    serie_->clear();
    GuardarCDu(eCDuSim_);
    eCDu_->setText(eCDuSim_->text());
    eHr_->setText(Q(FormatFloat(kFormatoAltura, Contexto.Projeto.CanalAtual().Hr)));
    MostrarPagina(Resultados);
    eCDu_->setFocus();
}

// ---------------------------------------------------------------------------

void TFDimensionamento::MostrarPagina(int pagina)
{
    paginas_->setCurrentIndex(pagina);
    const char* titulo = pagina == Entrada ? kTituloEntrada : (pagina == Resultados ? kTituloResultados : kTituloSimulacao);
    setWindowTitle(QString::fromUtf8(titulo));
}

int TFDimensionamento::PaginaAtual() const { return paginas_->currentIndex(); }

void TFDimensionamento::MostrarPaginaInicial() { MostrarPagina(Entrada); }

namespace {

const TRegistroJanela kRegistro(kModuloDimensionamento,
                                [](TContextoPrograma& c) -> TJanelaModulo* { return new TFDimensionamento(c); });

} // namespace

} // namespace vastrel::gui

#include "Consulta.h"

#include "Ajuda.h"
#include "Dialogos.h"
#include "Modulos.h"
#include "Relatorio.h"

#include "common/Format.h"
#include "common/Pastas.h"
#include "common/Rounding.h"
#include "rainfall/Coordenadas.h"
#include "rainfall/EquacaoIdf.h"
#include "rainfall/Fontes.h"
#include "reports/RelatorioNimbra.h"

#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <filesystem>
#include <iostream>

namespace vastrel::gui {

namespace {

constexpr const char* kAutor = "Autor";
constexpr int kGoias = 8;

const char* const kTextoInterpolacao =
    "Interpolação realizada utilizando o Método do Inverso da Quinta Potência da Distância e considerando as "
    "informações de todas as localidades em que a equação de intensidade-duração-freqüência da precipitação é "
    "conhecida nos Estados da Bahia, Espírito Santo, Goiás, Minas Gerais, Paraná, Rio de Janeiro, São Paulo e "
    "Tocantins: as intensidades das estações (5 min a 24 h, 2 a 100 anos) são ponderadas e os parâmetros K, a, "
    "b e c ajustados às médias por mínimos quadrados. Equações implausíveis não entram na interpolação.";

const char* const kTextoNota =
    "Dados obtidos por desagragação da chuva de um dia em chuvas de menor duração, segundo metodologia "
    "proposta pelo DAEE-CETESB.";

// The hourglass while a state is loaded, back to the pointer on every exit.
struct TCursorEspera {
    TCursorEspera() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TCursorEspera() { QApplication::restoreOverrideCursor(); }
    TCursorEspera(const TCursorEspera&) = delete;
    TCursorEspera& operator=(const TCursorEspera&) = delete;
};

// Selects a row of a list without running its choice (-1: no selection).
void Selecionar(QListWidget* lista, int linha)
{
    const QSignalBlocker bloqueio(lista);
    lista->setCurrentRow(linha < lista->count() ? linha : -1);
}

QLineEdit* CampoParametro(QWidget* pai, const char* nome)
{
    auto* e = new QLineEdit(pai);
    e->setObjectName(QString::fromLatin1(nome));
    e->setReadOnly(true);
    e->setFixedWidth(110);
    return e;
}

QLineEdit* CampoCoordenada(QWidget* pai, const char* nome)
{
    auto* e = new QLineEdit(pai);
    e->setObjectName(QString::fromLatin1(nome));
    // Two digits (or a minus sign and a digit, north of the Equator), the
    // degree sign, two digits, the apostrophe, two digits, the double quote;
    // unfilled positions show as blanks.
    e->setInputMask(QStringLiteral("#9°99'99\"; "));
    e->setFixedWidth(90);
    return e;
}

QFrame* LinhaCruz(QWidget* pai, const char* nome)
{
    auto* l = new QFrame(pai);
    l->setObjectName(QString::fromLatin1(nome));
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, Qt::red);
    l->setPalette(p);
    l->setAttribute(Qt::WA_TransparentForMouseEvents);
    l->hide();
    return l;
}

QLabel* RotuloMapa(QWidget* pai, const char* nome)
{
    auto* l = new QLabel(pai);
    l->setObjectName(QString::fromLatin1(nome));
    l->setAttribute(Qt::WA_TransparentForMouseEvents);
    l->setAutoFillBackground(true);
    l->hide();
    return l;
}

QLabel* Legenda(const QString& texto, QWidget* buddy, QWidget* pai)
{
    auto* l = new QLabel(texto, pai);
    l->setBuddy(buddy);
    return l;
}

} // namespace

TfrmFoConsulta::TfrmFoConsulta(TContextoPrograma& c, int helpContext, QWidget* pai)
    : QDialog(pai), contexto_(c), selecao_(bd_)
{
    bd_.CarregarEstacoes();
    // Without the grid, points far from any station get an error saying
    // so; the stations still answer.
    try {
        bd_.CarregarGrade();
    } catch (const Exception& e) {
        std::cerr << e.what() << "\n";
    }
    CriarControles(helpContext);
}

TfrmFoConsulta::~TfrmFoConsulta() = default;

void TfrmFoConsulta::CriarControles(int helpContext)
{
    setWindowTitle(QString::fromLatin1(kTitulo));

    // Menu.
    auto* menu = new QMenuBar(this);
    connect(menu->addAction(QStringLiteral("&Mapa do Brasil")), &QAction::triggered, this,
            &TfrmFoConsulta::MapaBrasilClick);
    connect(menu->addAction(QStringLiteral("&Relatório")), &QAction::triggered, this,
            &TfrmFoConsulta::RelatorioClick);
    QMenu* ajuda = menu->addMenu(QStringLiteral("&Ajuda"));
    connect(ajuda->addAction(QStringLiteral("&Conteúdo")), &QAction::triggered, this,
            [this] { contexto_.Ajuda.Abrir(kTopicoConteudo, this); });
    connect(ajuda->addAction(QStringLiteral("Obter Ajuda Sobre ...")), &QAction::triggered, this,
            [this] { contexto_.Ajuda.ComoUsar(this); });
    connect(ajuda->addAction(QStringLiteral("&Sobre o Nimbra 2.1")), &QAction::triggered, this,
            &TfrmFoConsulta::SobreClick);

    // The map area.
    paginas_ = new QStackedWidget(this);
    paginas_->setObjectName(QStringLiteral("Paginas"));
    paginas_->setFixedSize(kLadoMapa, kLadoMapa);
    paginas_->addWidget(CriarPaginaBrasil());
    paginas_->addWidget(CriarPaginaEstados());

    // Lists.
    estados_ = new QListWidget(this);
    estados_->setObjectName(QStringLiteral("Estados"));
    for (const TDadosEstado& e : kEstados)
        estados_->addItem(QString::fromUtf8(e.Nome));
    estacoes_ = new QListWidget(this);
    estacoes_->setObjectName(QStringLiteral("Estacoes"));
    localidades_ = new QListWidget(this);
    localidades_->setObjectName(QStringLiteral("Localidades"));
    rotuloLocalidades_ = Legenda(QStringLiteral("&Localidades :"), localidades_, this);
    connect(estados_, &QListWidget::currentRowChanged, this, [this](int r) {
        if (r >= 0 && r != estado_.Indice)
            EstadoClick(r);
    });
    connect(estacoes_, &QListWidget::currentRowChanged, this, [this](int r) {
        if (r >= 0)
            EstacaoClick(r);
    });
    connect(localidades_, &QListWidget::currentRowChanged, this, [this](int r) {
        if (r >= 0)
            LocalidadeClick(r);
    });

    autor_ = Botao(this, QString::fromLatin1(kAutor), QStringLiteral("Autor"));
    connect(autor_, &QPushButton::clicked, this, &TfrmFoConsulta::AutorClick);
    nota_ = new QLabel(QString::fromUtf8(kTextoNota), this);
    nota_->setObjectName(QStringLiteral("Nota"));
    nota_->setWordWrap(true);
    nota_->hide();
    aviso_ = new QLabel(this);
    aviso_->setObjectName(QStringLiteral("Aviso"));
    aviso_->setWordWrap(true);
    aviso_->setStyleSheet(QStringLiteral("color: #b00000;"));
    aviso_->hide();
    ponteiro_ = new QLabel(this);
    ponteiro_->setObjectName(QStringLiteral("Ponteiro"));

    // Typed coordinates.
    auto* localizacao = new QGroupBox(this);
    localizacao->setToolTip(QStringLiteral("Localização"));
    latitude_ = CampoCoordenada(localizacao, "Latitude");
    longitude_ = CampoCoordenada(localizacao, "Longitude");
    calcular_ = Botao(localizacao, QStringLiteral("&Calcular"), QStringLiteral("Calcular"));
    calcular_->setToolTip(QStringLiteral("Calcular interpolação"));
    connect(calcular_, &QPushButton::clicked, this, &TfrmFoConsulta::CalcularClick);
    auto* gl = new QGridLayout(localizacao);
    gl->addWidget(Legenda(QStringLiteral("Latit&ude :"), latitude_, localizacao), 0, 0);
    gl->addWidget(latitude_, 0, 1);
    gl->addWidget(Legenda(QStringLiteral("L&ongitude :"), longitude_, localizacao), 1, 0);
    gl->addWidget(longitude_, 1, 1);
    gl->addWidget(calcular_, 0, 2, 2, 1);

    // Parameters.
    auto* parametros = new QGroupBox(QStringLiteral(" Parâmetros da Equação IDF "), this);
    parametros->setToolTip(QStringLiteral("Parâmetros da equação intensidade-duração-freqüência da precipitação"));
    campoK_ = CampoParametro(parametros, "K");
    campoA_ = CampoParametro(parametros, "A");
    campoB_ = CampoParametro(parametros, "B");
    campoC_ = CampoParametro(parametros, "C");
    auto* gp = new QGridLayout(parametros);
    gp->addWidget(new QLabel(QStringLiteral("K:"), parametros), 0, 0);
    gp->addWidget(campoK_, 0, 1);
    gp->addWidget(new QLabel(QStringLiteral("a:"), parametros), 0, 2);
    gp->addWidget(campoA_, 0, 3);
    gp->addWidget(new QLabel(QStringLiteral("b:"), parametros), 1, 0);
    gp->addWidget(campoB_, 1, 1);
    gp->addWidget(new QLabel(QStringLiteral("c:"), parametros), 1, 2);
    gp->addWidget(campoC_, 1, 3);

    // Buttons.
    QPushButton* relatorio = Botao(this, QStringLiteral("&Relatório"), QStringLiteral("Relatorio"));
    QPushButton* botaoAjuda = Botao(this, QStringLiteral("&Ajuda"), QStringLiteral("Ajuda"));
    QPushButton* cancelar = Botao(this, QStringLiteral("&Cancelar"), QStringLiteral("Cancelar"));
    QPushButton* fechar = Botao(this, QStringLiteral("&Fechar"), QStringLiteral("Fechar"));
    fechar->setDefault(true);
    connect(relatorio, &QPushButton::clicked, this, &TfrmFoConsulta::RelatorioClick);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(fechar, &QPushButton::clicked, this, &TfrmFoConsulta::FecharClick);
    contexto_.Ajuda.Ligar(this, helpContext > 0 ? helpContext : kTopicoAjuda, botaoAjuda);

    // Layout: the map on the left; lists, coordinates and parameters on the right.
    auto* direita = new QVBoxLayout;
    auto* listas = new QGridLayout;
    listas->addWidget(Legenda(QStringLiteral("&Estados :"), estados_, this), 0, 0);
    listas->addWidget(estados_, 1, 0);
    listas->addWidget(Legenda(QStringLiteral("Es&tações :"), estacoes_, this), 0, 1);
    listas->addWidget(estacoes_, 1, 1);
    listas->addWidget(rotuloLocalidades_, 2, 0, 1, 2);
    listas->addWidget(localidades_, 3, 0, 1, 2);
    estados_->setMinimumWidth(170);
    estacoes_->setMinimumWidth(250);
    direita->addLayout(listas);
    auto* linhaAutor = new QHBoxLayout;
    linhaAutor->addWidget(autor_, 1);
    direita->addLayout(linhaAutor);
    direita->addWidget(nota_);
    direita->addWidget(aviso_);
    direita->addWidget(ponteiro_);
    auto* meio = new QHBoxLayout;
    meio->addWidget(localizacao);
    meio->addWidget(parametros);
    direita->addLayout(meio);
    auto* botoes = new QHBoxLayout;
    botoes->addStretch(1);
    for (QPushButton* b : {relatorio, botaoAjuda, cancelar, fechar})
        botoes->addWidget(b);
    direita->addLayout(botoes);

    auto* principal = new QHBoxLayout(this);
    principal->setMenuBar(menu);
    principal->addWidget(paginas_, 0, Qt::AlignTop);
    principal->addLayout(direita, 1);
}

QWidget* TfrmFoConsulta::CriarPaginaBrasil()
{
    auto* pagina = new QWidget(paginas_);
    pagina->setObjectName(QStringLiteral("Brasil"));
    mapaBrasil_ = new TMapaImagem(pagina);
    mapaBrasil_->setObjectName(QStringLiteral("MapaBrasil"));
    mapaBrasil_->setGeometry(0, 0, kLadoMapa, kLadoMapa);
    QImage brasil(QString::fromStdString(ArquivoDoPrograma("Brasil.bmp").string()));
    mapaBrasil_->DefinirImagem(brasil.convertToFormat(QImage::Format_RGB32));
    mapaBrasil_->AoClicar = [this](QPoint p) { BrasilClick(p); };
    mapaBrasil_->AoMover = [this](QPoint p) {
        const QColor c = mapaBrasil_->Cor(p.x(), p.y());
        const bool neutra = !c.isValid() || CorNeutra(c.red(), c.green(), c.blue());
        mapaBrasil_->setCursor(neutra ? Qt::ArrowCursor : Qt::PointingHandCursor);
    };
    localNome_ = RotuloMapa(pagina, "LocalNome");
    localLat_ = RotuloMapa(pagina, "LocalLatitude");
    localLon_ = RotuloMapa(pagina, "LocalLongitude");
    localNome_->setGeometry(10, 380, 430, 18);
    localLat_->setGeometry(10, 400, 200, 18);
    localLon_->setGeometry(10, 420, 200, 18);
    return pagina;
}

QWidget* TfrmFoConsulta::CriarPaginaEstados()
{
    auto* pagina = new QWidget(paginas_);
    pagina->setObjectName(QStringLiteral("PaginaEstados"));
    mapaEstado_ = new TMapaImagem(pagina);
    mapaEstado_->setObjectName(QStringLiteral("MapaEstado"));
    mapaEstado_->setGeometry(0, 0, kLadoMapa, kLadoMapa);
    mapaEstado_->AoMover = [this](QPoint p) { MapaMove(p); };
    mapaEstado_->AoClicar = [this](QPoint p) { MapaClick(p); };
    linhaH_ = LinhaCruz(mapaEstado_, "LinhaHorizontal");
    linhaV_ = LinhaCruz(mapaEstado_, "LinhaVertical");
    rotuloLat_ = RotuloMapa(mapaEstado_, "RotuloLatitude");
    rotuloLon_ = RotuloMapa(mapaEstado_, "RotuloLongitude");
    return pagina;
}

void TfrmFoConsulta::Guardar(const std::function<void()>& acao)
{
    try {
        acao();
    } catch (const std::exception& e) {
        contexto_.Dialogos.Erro(this, QString::fromUtf8(e.what()));
    }
}

// ---------------------------------------------------------------------------
// What the component gives and takes.

void TfrmFoConsulta::Preparar(const TPreparoConsulta& preparo)
{
    estado_ = preparo.Estado;
    indEstacao_ = preparo.IndEstacao;
    indLocalidade_ = preparo.IndLocalidade;
    showAbout_ = preparo.ShowAbout;
    registro_.K = preparo.Registro.K;
    registro_.A = preparo.Registro.A;
    registro_.B = preparo.Registro.B;
    registro_.C = preparo.Registro.C;
    // Stored coordinates that are not coordinates are left out rather than
    // keeping the window from opening.
    if (CoordenadaValida(preparo.Latitude) && CoordenadaValida(preparo.Longitude)) {
        latInicial_ = preparo.Latitude;
        lonInicial_ = preparo.Longitude;
    }
    campoK_->setText(Q(preparo.TextoK));
    campoA_->setText(Q(preparo.TextoA));
    campoB_->setText(Q(preparo.TextoB));
    campoC_->setText(Q(preparo.TextoC));
}

bool TfrmFoConsulta::Executar() { return exec() == QDialog::Accepted; }

TRetornoConsulta TfrmFoConsulta::Retorno() const
{
    TRetornoConsulta r;
    r.IndEstado = estado_.Indice;
    r.TextoK = S(campoK_->text());
    r.TextoA = S(campoA_->text());
    r.TextoB = S(campoB_->text());
    r.TextoC = S(campoC_->text());
    r.Fonte = fonte_;
    r.Latitude = selecao_.Latitude();
    r.Longitude = selecao_.Longitude();
    r.IndEstacao = static_cast<std::int16_t>(indEstacao_);
    r.IndLocalidade = static_cast<std::int16_t>(indLocalidade_);
    r.Cidade = selecao_.Cidade();
    r.FonteCompleta = selecao_.FonteCompleta();
    return r;
}

// ---------------------------------------------------------------------------
// Activation and state change.

void TfrmFoConsulta::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    // The window is filled when it first appears; coming back to it from
    // its own dialogs and reports keeps what the user chose.
    if (!ativado_) {
        ativado_ = true;
        Ativar();
    }
}

void TfrmFoConsulta::Ativar()
{
    Guardar([this] {
        Selecionar(estados_, estado_.Indice);
        MudarEstado(estado_.Indice, true);
        const int estacoes = estacoes_->count();
        const int localidades = localidades_->count();
        const int estacao = indEstacao_ < estacoes ? indEstacao_ : -1;
        const int localidade = indLocalidade_ < localidades ? indLocalidade_ : -1;
        Selecionar(estacoes_, estacao);
        Selecionar(localidades_, localidade);
        if (estacao >= 0)
            EstacaoClick(estacao);
        else if (localidade >= 0)
            LocalidadeClick(localidade);
        else if (indEstacao_ < 0 && indLocalidade_ < 0 && !latInicial_.empty() && !lonInicial_.empty()) {
            latitude_->setText(Q(latInicial_));
            longitude_->setText(Q(lonInicial_));
            CalcularClick();
        }
    });
    if (primeiraAtivacao_ && showAbout_)
        QTimer::singleShot(0, this, &TfrmFoConsulta::SobreClick);
    primeiraAtivacao_ = false;
}

void TfrmFoConsulta::LimparExibicao()
{
    EsconderCruz();
    EsvaziarParametros();
    latitude_->setText(QString::fromUtf8(kCoordenadaZero));
    longitude_->setText(QString::fromUtf8(kCoordenadaZero));
    localNome_->hide();
    localLat_->hide();
    localLon_->hide();
    ponteiro_->clear();
}

void TfrmFoConsulta::EstadoClick(int indice)
{
    Guardar([this, indice] { MudarEstado(indice, false); });
}

void TfrmFoConsulta::MudarEstado(int indice, bool ativacao, bool voltando)
{
    {
        TCursorEspera espera;
        const TMapaEstado* mapa = MapaDoEstado(indice);
        const int anterior = estado_.Indice;
        const std::string nome = kEstados.at(static_cast<std::size_t>(indice)).Nome;
        const std::filesystem::path arquivo =
            ResolverSemCaixa(PastaArquivosComuns(), std::string(kEstados[static_cast<std::size_t>(indice)].UF) + ".bmp");
        QImage imagem;
        std::error_code erro;
        if (!mapa || !std::filesystem::is_regular_file(arquivo, erro) || !imagem.load(Q(arquivo.string()))) {
            // Back to the state shown before, then say why.
            if (!voltando && anterior != indice) {
                try {
                    MudarEstado(anterior, false, true);
                } catch (const std::exception&) {
                }
            }
            throw Exception("Erro. Não foi possível localizar o arquivo BMP do estado selecinado (" + nome + ").");
        }
        // A new state forgets the place chosen in the previous one.
        LimparExibicao();
        estado_.SetIndice(indice);
        selecao_.MudarEstado(indice);
        registro_ = TRegEstacao{};
        if (!ativacao) { // the activation keeps the positions the component gave
            indEstacao_ = -1;
            indLocalidade_ = -1;
        }
        Selecionar(estados_, indice);
        bd_.Localidades.clear();
        setWindowTitle(QStringLiteral("Nimbra 2.1 - Estado: ") + Q(nome) + QStringLiteral("     "));
        autor_->setEnabled(true);
        DefinirAutor("");
        latitude_->setEnabled(true);
        longitude_->setEnabled(true);
        calcular_->setEnabled(true);
        paginas_->setCurrentIndex(kPaginaEstados);
        mapa_ = mapa;
        mapaEstado_->DefinirImagem(imagem.convertToFormat(QImage::Format_RGB32));
        bd_.CarregarLocalidades(indice);
        mapaEstado_->show();
        PreencherListas();
    }
    if (!ativacao && !bd_.Estacoes[static_cast<std::size_t>(indice)].empty())
        EstacaoClick(0);
}

void TfrmFoConsulta::PreencherListas()
{
    {
        const QSignalBlocker b1(estacoes_);
        const QSignalBlocker b2(localidades_);
        estacoes_->clear();
        localidades_->clear();
        // Stations sharing a name are told apart by agency, code and
        // period; an implausible equation says so in the list too.
        const auto& estacoes = bd_.Estacoes[static_cast<std::size_t>(estado_.Indice)];
        const std::vector<std::string> nomes = NomesDistintos(estacoes);
        for (std::size_t i = 0; i < estacoes.size(); ++i)
            estacoes_->addItem(Q(nomes[i] + (AvisoEquacao(estacoes[i]).empty() ? "" : " – aviso")));
        for (const TRegLocalidade& l : bd_.Localidades)
            localidades_->addItem(Q(l.Nome));
    }
    const bool comLocalidades = localidades_->count() > 0;
    localidades_->setVisible(comLocalidades);
    rotuloLocalidades_->setVisible(comLocalidades);
    Selecionar(estacoes_, 0);
    Selecionar(localidades_, 0);
}

// ---------------------------------------------------------------------------
// Station, locality, map and typed coordinates.

void TfrmFoConsulta::TestarCaixa(const std::string& lat, const std::string& lon) const
{
    if (!mapa_)
        return;
    if (!LatitudeNoMapa(*mapa_, CoordenadaParaGraus(lat)))
        throw Exception("Latitude " + lat + " não definida.");
    if (!LongitudeNoMapa(*mapa_, CoordenadaParaGraus(lon)))
        throw Exception("Longitude " + lon + " não definida.");
}

QPoint TfrmFoConsulta::PixelDaPosicao() const
{
    const TPontoMapa p = PixelDaCoordenada(*mapa_, CoordenadaParaGraus(selecao_.Latitude()),
                                           CoordenadaParaGraus(selecao_.Longitude()));
    // Far outside the picture is as good as just outside it.
    const auto inteiro = [](double v) {
        return static_cast<int>(RoundHalfEven(v < -1 ? -1 : (v > 2 * kLadoMapa ? 2 * kLadoMapa : v)));
    };
    return {inteiro(p.X), inteiro(p.Y)};
}

bool TfrmFoConsulta::PixelDoEstado(QPoint p) const
{
    const QColor c = mapaEstado_->Cor(p.x(), p.y());
    return c.isValid() && CorDoEstado(c.red(), c.green(), c.blue());
}

void TfrmFoConsulta::MostrarEscolha(bool exatos)
{
    registro_ = selecao_.Chuva() ? selecao_.Chuva()->Registro : TRegEstacao{};
    if (!selecao_.Chuva())
        EsvaziarParametros();
    else if (exatos)
        MostrarParametrosExatos();
    else
        MostrarParametros("###0.000", "0.000", "#0.000", "0.000");
    DefinirAutor(selecao_.Fonte());
    latitude_->setText(Q(selecao_.Latitude()));
    longitude_->setText(Q(selecao_.Longitude()));
    // The place on the map: a coastal town on a sea pixel is still marked.
    const QPoint px = mapa_ && selecao_.Chuva() ? PixelDaPosicao() : QPoint(-1, -1);
    if (mapaEstado_->Imagem().valid(px))
        PosicionarCruz(px);
    else
        EsconderCruz();
    std::string texto = selecao_.Aviso().empty() ? "" : "Aviso: " + selecao_.Aviso();
    if (!selecao_.Nota().empty())
        texto += (texto.empty() ? "" : "\n") + std::string("Nota: ") + selecao_.Nota();
    aviso_->setText(Q(texto));
    aviso_->setVisible(!texto.empty());
    if (!selecao_.Aviso().empty() || !selecao_.Nota().empty())
        std::cerr << texto << "\n";
}

void TfrmFoConsulta::EstacaoClick(int posicao)
{
    Guardar([this, posicao] {
        const auto& estacoes = bd_.Estacoes[static_cast<std::size_t>(estado_.Indice)];
        if (posicao < 0 || static_cast<std::size_t>(posicao) >= estacoes.size())
            return;
        TestarCaixa(estacoes[static_cast<std::size_t>(posicao)].Latitude,
                    estacoes[static_cast<std::size_t>(posicao)].Longitude);
        selecao_.EscolherEstacao(posicao);
        indEstacao_ = posicao;
        indLocalidade_ = -1;
        Selecionar(estacoes_, posicao);
        Selecionar(localidades_, -1);
        MostrarEscolha(true);
    });
}

void TfrmFoConsulta::LocalidadeClick(int posicao)
{
    Guardar([this, posicao] {
        if (posicao < 0 || static_cast<std::size_t>(posicao) >= bd_.Localidades.size())
            return;
        selecao_.EscolherLocalidade(posicao, bd_.Localidades[static_cast<std::size_t>(posicao)]);
        indLocalidade_ = posicao;
        indEstacao_ = -1;
        Selecionar(localidades_, posicao);
        Selecionar(estacoes_, -1);
        MostrarEscolha(selecao_.Chuva()->Origem == TOrigemChuva::Estacao);
    });
}

void TfrmFoConsulta::AjustarCursor(bool cruz)
{
    cruzAtiva_ = cruz;
    mapaEstado_->setCursor(cruz ? Qt::CrossCursor : Qt::ArrowCursor);
}

void TfrmFoConsulta::MapaMove(QPoint p)
{
    if (!mapa_)
        return;
    // The coordinates under the pointer are shown beside the map; the
    // coordinate fields keep what the user typed or chose.
    if (PixelDoEstado(p)) {
        AjustarCursor(true);
        const TGraus g = CoordenadaDoPixel(*mapa_, p.x(), p.y());
        ponteiro_->setText(QStringLiteral("Ponteiro: ") + Q(GrausParaCoordenada(g.Latitude)) + QStringLiteral("  ") +
                           Q(GrausParaCoordenada(g.Longitude)));
    } else {
        AjustarCursor(false);
        ponteiro_->clear();
    }
}

void TfrmFoConsulta::MapaClick(QPoint p)
{
    // A click counts only on the state's own area (where the pointer is a
    // cross); a stray one elsewhere changes nothing.
    if (!mapa_ || !cruzAtiva_ || !PixelDoEstado(p))
        return;
    Guardar([this, p] {
        const TGraus g = CoordenadaDoPixel(*mapa_, p.x(), p.y());
        EscolherPonto(GrausParaCoordenada(g.Latitude), GrausParaCoordenada(g.Longitude), true);
        PosicionarCruz(p);
    });
}

void TfrmFoConsulta::EscolherPonto(const std::string& lat, const std::string& lon, bool naArea)
{
    selecao_.EscolherPonto(lat, lon, naArea);
    indEstacao_ = -1;
    indLocalidade_ = -1;
    Selecionar(estacoes_, -1);
    Selecionar(localidades_, -1);
    localNome_->hide();
    localLat_->hide();
    localLon_->hide();
    MostrarEscolha(false);
}

void TfrmFoConsulta::CalcularClick()
{
    Guardar([this] {
        const std::string lat = S(latitude_->displayText());
        const std::string lon = S(longitude_->displayText());
        CoordenadaParaGraus(lat);
        CoordenadaParaGraus(lon);
        TestarCaixa(lat, lon);
        const TPontoMapa px = PixelDaCoordenada(*mapa_, CoordenadaParaGraus(lat), CoordenadaParaGraus(lon));
        const QPoint pixel(static_cast<int>(RoundHalfEven(px.X)), static_cast<int>(RoundHalfEven(px.Y)));
        // Off the state's blue area (a coastal town on a sea pixel, a point
        // just across a border) the coordinates still get their storm,
        // with a note.
        EscolherPonto(lat, lon, PixelDoEstado(pixel));
    });
}

void TfrmFoConsulta::PosicionarCruz(QPoint p)
{
    cruz_ = p;
    const int x = p.x();
    const int y = p.y();
    linhaH_->setGeometry(0, y, kLadoMapa, 1);
    linhaV_->setGeometry(x, 0, 1, kLadoMapa);
    rotuloLat_->setText(Q(selecao_.Latitude()));
    rotuloLon_->setText(Q(selecao_.Longitude()));
    rotuloLat_->adjustSize();
    rotuloLon_->adjustSize();
    // The labels keep clear of the lines: the longitude one beside the
    // vertical line, at the top or the bottom; the latitude one on the
    // horizontal line, at the left or the right.
    rotuloLon_->move(kLadoMapa - x < 250 ? x - 62 : x + 5, y > 100 ? 15 : 420);
    rotuloLat_->move(x > 100 ? 10 : 385, y > 30 ? y - 20 : y + 10);
    for (QWidget* w : {static_cast<QWidget*>(linhaH_), static_cast<QWidget*>(linhaV_),
                       static_cast<QWidget*>(rotuloLat_), static_cast<QWidget*>(rotuloLon_)})
        w->show();
}

void TfrmFoConsulta::EsconderCruz()
{
    linhaH_->hide();
    linhaV_->hide();
    rotuloLat_->hide();
    rotuloLon_->hide();
}

// ---------------------------------------------------------------------------
// Parameters and source.

void TfrmFoConsulta::MostrarParametros(const char* mK, const char* mA, const char* mB, const char* mC)
{
    campoK_->setText(Q(FormatFloat(mK, registro_.K)));
    campoA_->setText(Q(FormatFloat(mA, registro_.A)));
    campoB_->setText(Q(FormatFloat(mB, registro_.B)));
    campoC_->setText(Q(FormatFloat(mC, registro_.C)));
}

void TfrmFoConsulta::MostrarParametrosExatos()
{
    campoK_->setText(Q(FloatToStr(registro_.K)));
    campoA_->setText(Q(FloatToStr(registro_.A)));
    campoB_->setText(Q(FloatToStr(registro_.B)));
    campoC_->setText(Q(FloatToStr(registro_.C)));
}

void TfrmFoConsulta::EsvaziarParametros()
{
    for (QLineEdit* e : {campoK_, campoA_, campoB_, campoC_})
        e->clear();
    aviso_->clear();
    aviso_->hide();
}

void TfrmFoConsulta::DefinirAutor(const std::string& fonte)
{
    QString texto = fonte.empty() ? QString::fromLatin1(kAutor) : Q(fonte);
    autor_->setText(texto.replace(QLatin1Char('&'), QStringLiteral("&&")));
    autor_->setProperty("fonte", Q(fonte));
    const TCitacaoFonte* c = CitacaoDaFonte(fonte);
    nota_->setVisible(estado_.Indice == kGoias && c && c->Desagregada);
}

void TfrmFoConsulta::AutorClick()
{
    const std::string fonte = S(autor_->property("fonte").toString());
    const TCitacaoFonte* c = CitacaoDaFonte(fonte);
    if (!c) {
        const std::string detalhe = selecao_.FonteCompleta();
        contexto_.Dialogos.Informacao(this, QString::fromUtf8(kTextoInterpolacao) +
                                                (detalhe.empty() ? QString() : QStringLiteral("\n\n") + Q(detalhe)));
        return;
    }
    if (c->Autores.empty())
        return;
    TFAutor d(*c, this);
    d.exec();
}

// ---------------------------------------------------------------------------
// Commands.

void TfrmFoConsulta::MapaBrasilClick()
{
    // Only the page changes: the state and the place chosen stay.
    paginas_->setCurrentIndex(kPaginaBrasil);
}

void TfrmFoConsulta::BrasilClick(QPoint p)
{
    const QColor c = mapaBrasil_->Cor(p.x(), p.y());
    const int escolhido = c.isValid() ? EstadoDaCor(c.red(), c.green(), c.blue()) : -1;
    // The sea, a border or a label picks nothing; the state on display goes
    // back to its map with its choice kept.
    if (escolhido < 0)
        return;
    if (escolhido == estado_.Indice && mapa_) {
        paginas_->setCurrentIndex(kPaginaEstados);
        return;
    }
    EstadoClick(escolhido);
}

void TfrmFoConsulta::FecharClick()
{
    // Parameters must be there to be taken back: say so rather than let
    // the component fail on empty fields.
    for (QLineEdit* e : {campoK_, campoA_, campoB_, campoC_})
        if (e->text().trimmed().isEmpty()) {
            contexto_.Dialogos.Erro(this, QStringLiteral("Nenhuma equação escolhida: escolha uma estação, uma "
                                                         "localidade ou um ponto do mapa, ou use \"Cancelar\"."));
            return;
        }
    indEstacao_ = estacoes_->currentRow();
    indLocalidade_ = localidades_->currentRow();
    fonte_ = S(autor_->property("fonte").toString());
    accept();
}

void TfrmFoConsulta::SobreClick()
{
    TFSobreNimbra sobre(this);
    sobre.exec();
}

QImage TfrmFoConsulta::MapaComPonto() const
{
    QImage imagem = mapaEstado_->Imagem().copy();
    // The dot marks the place only while the crosshair shows it.
    if (linhaV_->isHidden())
        return imagem;
    QPainter p(&imagem);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::black);
    p.setBrush(Qt::black);
    p.drawEllipse(QRect(cruz_ - QPoint(3, 3), cruz_ + QPoint(3, 3)));
    return imagem;
}

std::string TfrmFoConsulta::TextoRelatorio() const
{
    TDadosRelatorioNimbra d;
    d.Cidade = selecao_.Cidade();
    d.Estado = estado_.Nome();
    d.Latitude = selecao_.Latitude();
    d.Longitude = selecao_.Longitude();
    d.K = S(campoK_->text());
    d.A = S(campoA_->text());
    d.B = S(campoB_->text());
    d.C = S(campoC_->text());
    d.Fonte = selecao_.FonteCompleta();
    d.Aviso = selecao_.Aviso();
    d.Nota = selecao_.Nota();
    if (mapa_) {
        const QImage& m = mapaEstado_->Imagem();
        d.Mapa = TFiguraRelatorio{"Bit.bmp", m.width(), m.height()};
    }
    return RelatorioNimbra(d);
}

void TfrmFoConsulta::RelatorioClick()
{
    Guardar([this] {
        TFRelatorio r(contexto_, QString::fromUtf8(kTituloRelatorioNimbra), TextoRelatorio(),
                      mapa_ ? MapaComPonto() : QImage(), this);
        r.exec();
    });
}

namespace {

const TRegistroConsulta registro([](TContextoPrograma& c, int helpContext) -> std::unique_ptr<TJanelaConsulta> {
    return std::make_unique<TfrmFoConsulta>(c, helpContext, c.Principal);
});

} // namespace

} // namespace vastrel::gui

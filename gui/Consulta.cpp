#include "Consulta.h"

#include "Ajuda.h"
#include "Dialogos.h"
#include "Modulos.h"
#include "Relatorio.h"

#include "common/Format.h"
#include "common/Pastas.h"
#include "common/Rounding.h"
#include "rainfall/Coordenadas.h"
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

namespace vastrel::gui {

namespace {

constexpr const char* kNaoDefinida = "Não definida";
constexpr const char* kAutor = "Autor";
constexpr int kGoias = 8;
// States without a map and without a colour on the country map: Amapá,
// Distrito Federal, Roraima and Sergipe.
constexpr int kSemMapa[] = {2, 6, 22, 25};

const char* const kTextoInterpolacao =
    "Interpolação realizada utilizando o Método do Inverso da Quinta Potência da Distância e considerando as "
    "informações de todas as localidades em que a equação de intensidade-duração-freqüência da precipitação é "
    "conhecida nos Estados da Bahia, Espírito Santo, Minas Gerais, Paraná, Rio de Janeiro, São Paulo e "
    "Tocantins.";

const char* const kTextoNota =
    "Dados obtidos por desagragação da chuva de um dia em chuvas de menor duração, segundo metodologia "
    "proposta pelo DAEE-CETESB.";

bool EstadoSemMapaNemCor(int indice)
{
    for (int i : kSemMapa)
        if (i == indice)
            return true;
    return false;
}

std::string SemBrancosFinais(std::string s)
{
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

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
    : QDialog(pai), contexto_(c)
{
    bd_.CarregarEstacoes();
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
        latTexto_ = preparo.Latitude;
        lonTexto_ = preparo.Longitude;
        lat_ = CoordenadaParaGraus(latTexto_);
        lon_ = CoordenadaParaGraus(lonTexto_);
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
    r.Latitude = latTexto_;
    r.Longitude = lonTexto_;
    r.IndEstacao = static_cast<std::int16_t>(indEstacao_);
    r.IndLocalidade = static_cast<std::int16_t>(indLocalidade_);
    r.Cidade = cidade_;
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
        else if (indEstacao_ < 0 && indLocalidade_ < 0 && !latTexto_.empty() && !lonTexto_.empty()) {
            latitude_->setText(Q(latTexto_));
            longitude_->setText(Q(lonTexto_));
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
}

void TfrmFoConsulta::EstadoClick(int indice)
{
    Guardar([this, indice] { MudarEstado(indice, false); });
}

void TfrmFoConsulta::MudarEstado(int indice, bool ativacao, bool voltando)
{
    {
        TCursorEspera espera;
        LimparExibicao();
        const TMapaEstado* mapa = MapaDoEstado(indice);
        const int anterior = estado_.Indice;
        estado_.SetIndice(indice);
        Selecionar(estados_, indice);
        bd_.Localidades.clear();
        const std::string nome = estado_.Nome();
        setWindowTitle(QStringLiteral("Nimbra 2.1 - Estado: ") + Q(nome) + QStringLiteral("     "));
        autor_->setEnabled(true);

        const bool entrada = mapa != nullptr;
        latitude_->setEnabled(entrada);
        longitude_->setEnabled(entrada);
        calcular_->setEnabled(entrada);
        if (mapa) {
            paginas_->setCurrentIndex(kPaginaEstados);
            const std::filesystem::path arquivo =
                ResolverSemCaixa(PastaArquivosComuns(), std::string(kEstados[static_cast<std::size_t>(indice)].UF) + ".bmp");
            QImage imagem;
            std::error_code erro;
            if (!std::filesystem::is_regular_file(arquivo, erro) || !imagem.load(Q(arquivo.string()))) {
                // Back to the state shown before, then say why.
                if (!voltando && anterior != indice) {
                    try {
                        MudarEstado(anterior, false, true);
                    } catch (const std::exception&) {
                    }
                }
                throw Exception("Erro. Não foi possível localizar o arquivo BMP do estado selecinado (" + nome + ").");
            }
            mapa_ = mapa;
            mapaEstado_->DefinirImagem(imagem.convertToFormat(QImage::Format_RGB32));
            bd_.CarregarLocalidades(indice);
            mapaEstado_->show();
        } else {
            // No state map: coordinates cannot be picked or typed. The four
            // states without a colour keep the page on display (with the map
            // of another state no longer shown), the others go to the
            // country map.
            mapa_ = nullptr;
            mapaEstado_->hide();
            rotuloLat_->clear();
            rotuloLon_->clear();
            if (EstadoSemMapaNemCor(indice)) {
                DefinirAutor("");
                autor_->setEnabled(false);
            } else {
                paginas_->setCurrentIndex(kPaginaBrasil);
            }
        }
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
        for (const TRegEstacao& r : bd_.Estacoes[static_cast<std::size_t>(estado_.Indice)])
            estacoes_->addItem(Q(r.Nome));
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

void TfrmFoConsulta::LerCoordenadas(const std::string& lat, const std::string& lon, bool testarCaixa)
{
    const double graus = CoordenadaParaGraus(lat);
    if (testarCaixa && mapa_ && !LatitudeNoMapa(*mapa_, graus))
        throw Exception("Latitude " + lat + " não definida.");
    const double grausLon = CoordenadaParaGraus(lon);
    if (testarCaixa && mapa_ && !LongitudeNoMapa(*mapa_, grausLon))
        throw Exception("Longitude " + lon + " não definida.");
    lat_ = graus;
    lon_ = grausLon;
    latTexto_ = lat;
    lonTexto_ = lon;
}

QPoint TfrmFoConsulta::PixelDaPosicao() const
{
    const TPontoMapa p = PixelDaCoordenada(*mapa_, lat_, lon_);
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

void TfrmFoConsulta::EstacaoClick(int posicao)
{
    Guardar([this, posicao] {
        const auto& estacoes = bd_.Estacoes[static_cast<std::size_t>(estado_.Indice)];
        if (posicao < 0 || static_cast<std::size_t>(posicao) >= estacoes.size())
            return;
        const TRegEstacao& r = estacoes[static_cast<std::size_t>(posicao)];
        indEstacao_ = posicao;
        Selecionar(estacoes_, posicao);
        Selecionar(localidades_, -1);
        LerCoordenadas(r.Latitude, r.Longitude, mapa_ != nullptr);
        registro_ = r;
        cidade_ = r.Nome;
        MostrarParametrosExatos();
        DefinirAutor(SemBrancosFinais(r.Fonte));
        if (mapa_) {
            latitude_->setText(Q(latTexto_));
            longitude_->setText(Q(lonTexto_));
            const QPoint px = PixelDaPosicao();
            if (PixelDoEstado(px))
                PosicionarCruz(px);
            else
                EsconderCruz();
        } else {
            localNome_->setText(Q(SemBrancosFinais(r.Nome)));
            localLat_->setText(QStringLiteral("Latitude: ") + Q(latTexto_));
            localLon_->setText(QStringLiteral("Longitude: ") + Q(lonTexto_));
            localNome_->show();
            localLat_->show();
            localLon_->show();
        }
    });
}

void TfrmFoConsulta::LocalidadeClick(int posicao)
{
    Guardar([this, posicao] {
        if (posicao < 0 || static_cast<std::size_t>(posicao) >= bd_.Localidades.size())
            return;
        const TRegLocalidade& l = bd_.Localidades[static_cast<std::size_t>(posicao)];
        indLocalidade_ = posicao;
        Selecionar(localidades_, posicao);
        Selecionar(estacoes_, -1);
        LerCoordenadas(l.Latitude, l.Longitude, false);
        registro_ = bd_.Interpolar(latTexto_, lonTexto_);
        cidade_ = l.Nome;
        latitude_->setText(Q(latTexto_));
        longitude_->setText(Q(lonTexto_));
        MostrarParametros("####.000", "0.000", "##.000", "0.000");
        DefinirAutor(kFonteInterpolacao);
        const QPoint px = mapa_ ? PixelDaPosicao() : QPoint(-1, -1);
        if (mapa_ && PixelDoEstado(px))
            PosicionarCruz(px);
        else
            EsconderCruz();
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
    if (PixelDoEstado(p)) {
        AjustarCursor(true);
        const TGraus g = CoordenadaDoPixel(*mapa_, p.x(), p.y());
        latitude_->setText(Q(GrausParaCoordenada(g.Latitude)));
        longitude_->setText(Q(GrausParaCoordenada(g.Longitude)));
    } else {
        AjustarCursor(false);
        latitude_->setText(QString::fromUtf8(kCoordenadaZero));
        longitude_->setText(QString::fromUtf8(kCoordenadaZero));
    }
}

void TfrmFoConsulta::MapaClick(QPoint p)
{
    // A click reaches the map only where the pointer was a cross, i.e. on
    // the state; elsewhere it just clears the mark.
    if (!mapa_ || !cruzAtiva_ || (!repetindo_ && !PixelDoEstado(p))) {
        EsconderCruz();
        return;
    }
    Guardar([this, p] {
        if (!repetindo_) {
            const TGraus g = CoordenadaDoPixel(*mapa_, p.x(), p.y());
            const std::string lat = GrausParaCoordenada(g.Latitude);
            const std::string lon = GrausParaCoordenada(g.Longitude);
            lat_ = g.Latitude;
            lon_ = g.Longitude;
            latTexto_ = lat;
            lonTexto_ = lon;
        }
        registro_ = bd_.Interpolar(latTexto_, lonTexto_);
        cidade_ = kNaoDefinida;
        Selecionar(estacoes_, -1);
        Selecionar(localidades_, -1);
        localNome_->hide();
        localLat_->hide();
        localLon_->hide();
        latitude_->setText(Q(latTexto_));
        longitude_->setText(Q(lonTexto_));
        PosicionarCruz(p);
        MostrarParametros("###0.000", "0.000", "#0.000", "0.000");
        DefinirAutor(kFonteInterpolacao);
    });
}

void TfrmFoConsulta::CalcularClick()
{
    Guardar([this] {
        Selecionar(estacoes_, -1);
        Selecionar(localidades_, -1);
        LerCoordenadas(S(latitude_->displayText()), S(longitude_->displayText()), true);
        rotuloLat_->clear();
        rotuloLon_->clear();
        const QPoint px = mapa_ ? PixelDaPosicao() : QPoint(-1, -1);
        if (!mapa_ || !PixelDoEstado(px)) {
            EsvaziarParametros();
            EsconderCruz();
            return;
        }
        AjustarCursor(true);
        repetindo_ = true;
        MapaClick(px);
        repetindo_ = false;
    });
}

void TfrmFoConsulta::PosicionarCruz(QPoint p)
{
    cruz_ = p;
    const int x = p.x();
    const int y = p.y();
    linhaH_->setGeometry(0, y, kLadoMapa, 1);
    linhaV_->setGeometry(x, 0, 1, kLadoMapa);
    rotuloLat_->setText(Q(latTexto_));
    rotuloLon_->setText(Q(lonTexto_));
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
}

void TfrmFoConsulta::DefinirAutor(const std::string& fonte)
{
    QString texto = Q(fonte);
    autor_->setText(texto.replace(QLatin1Char('&'), QStringLiteral("&&")));
    autor_->setProperty("fonte", Q(fonte));
    const TCitacaoFonte* c = CitacaoDaFonte(fonte);
    nota_->setVisible(estado_.Indice == kGoias && c && c->Desagregada);
}

void TfrmFoConsulta::AutorClick()
{
    const std::string fonte = S(autor_->property("fonte").toString());
    const TCitacaoFonte* c = CitacaoDaFonte(fonte.empty() ? S(autor_->text()) : fonte);
    if (!c) {
        contexto_.Dialogos.Informacao(this, QString::fromUtf8(kTextoInterpolacao));
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
    if (mapa_)
        Guardar([this] { MudarEstado(0, false); });
    paginas_->setCurrentIndex(kPaginaBrasil);
}

void TfrmFoConsulta::BrasilClick(QPoint p)
{
    const QColor c = mapaBrasil_->Cor(p.x(), p.y());
    const int escolhido = c.isValid() ? EstadoDaCor(c.red(), c.green(), c.blue()) : -1;
    EstadoClick(escolhido >= 0 ? escolhido : estado_.Indice);
}

void TfrmFoConsulta::FecharClick()
{
    indEstacao_ = estacoes_->currentRow();
    indLocalidade_ = localidades_->currentRow();
    const QString fonte = autor_->property("fonte").toString();
    fonte_ = autor_->text() == QString::fromLatin1(kAutor) ? std::string() : S(fonte);
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
    d.Cidade = cidade_;
    d.Estado = estado_.Nome();
    d.Latitude = latTexto_;
    d.Longitude = lonTexto_;
    d.K = S(campoK_->text());
    d.A = S(campoA_->text());
    d.B = S(campoB_->text());
    d.C = S(campoC_->text());
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

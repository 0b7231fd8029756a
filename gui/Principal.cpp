#include "Principal.h"

#include "ConfSistema.h"
#include "Configuracao.h"
#include "Dialogos.h"
#include "IdentProjeto.h"
#include "Inicial.h"
#include "Percent.h"

#include "common/Exceptions.h"
#include "common/Pastas.h"
#include "dimensioning/FaixasValidade.h"
#include "rainfall/Estados.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QScrollArea>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTime>
#include <QTimer>
#include <QToolBar>

#include <unistd.h>

#include <algorithm>

namespace vastrel::gui {

namespace fs = std::filesystem;

const std::array<const char*, 4> TFPrincipal::kPaginasWeb = {
    "https://www.embrapa.br/solos",
    "https://www.sbcs.org.br/",
    "https://www.fao.org/soils-portal/en/",
    "https://www.gov.br/ana/pt-br",
};

// The project manager's questions and dialogs, over the program's dialogs.
class TFPrincipal::TUiGerente : public TGerenteSysUi {
public:
    TUiGerente(TFPrincipal& janela, TDialogos& dialogos) : janela_(janela), dialogos_(dialogos) {}

    TResposta Perguntar(const std::string& texto, bool comCancelar) override
    {
        return dialogos_.Confirmar(&janela_, Q(texto), comCancelar);
    }
    std::optional<std::string> EscolherArquivoAbrir(const TDialogoArquivo& d) override
    {
        return Resultado(dialogos_.ArquivoAbrir(&janela_, d));
    }
    std::optional<std::string> EscolherArquivoSalvar(const TDialogoArquivo& d) override
    {
        return Resultado(dialogos_.ArquivoSalvar(&janela_, d));
    }
    void MudarTitulo(const std::string& titulo) override { janela_.setWindowTitle(Q(titulo)); }

private:
    static std::optional<std::string> Resultado(const QString& caminho)
    {
        if (caminho.isEmpty())
            return std::nullopt;
        return S(caminho);
    }

    TFPrincipal& janela_;
    TDialogos& dialogos_;
};

namespace {

// The scroll area a module window sits in inside its child window: it asks
// for the whole window, and passes closing on to it (which copies its fields
// into the project and may refuse).
class TRolagemFilha : public QScrollArea {
public:
    TRolagemFilha()
    {
        setWidgetResizable(true);
        setFrameShape(QFrame::NoFrame);
    }
    QSize sizeHint() const override
    {
        const QSize conteudo = widget() ? widget()->sizeHint() : QSize();
        return conteudo + QSize(2 * frameWidth(), 2 * frameWidth());
    }

    // The window is never squeezed below the size its layout asks for (its
    // controls would overlap or leave it): what does not fit scrolls.
    void setWidget(QWidget* w)
    {
        QScrollArea::setWidget(w);
        w->installEventFilter(this);
        w->setMinimumSize(w->sizeHint());
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (o == widget() && e->type() == QEvent::LayoutRequest)
            widget()->setMinimumSize(widget()->sizeHint());
        return QScrollArea::eventFilter(o, e);
    }

    void closeEvent(QCloseEvent* e) override
    {
        if (widget() && !widget()->close())
            e->ignore();
        else
            e->accept();
    }
};

// The folder the file dialogs start in: the program's, unless it cannot be
// written (an installed program), then the user's documents.
QString PastaInicial()
{
    const fs::path programa = PastaPrograma();
    if (::access(programa.c_str(), W_OK) == 0)
        return Q(programa.string());
    const QString documentos = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documentos.isEmpty() ? QDir::homePath() : documentos;
}

QString Mensagem(const std::exception& e) { return QString::fromStdString(e.what()); }

// Toolbar pictures that the style has no standard icon for, drawn at 32 × 32.
enum class TDesenho { Impressora, Unidades, Sair };

QIcon Desenho(TDesenho d)
{
    QPixmap figura(32, 32);
    figura.fill(Qt::transparent);
    QPainter p(&figura);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x33, 0x33, 0x33), 1.5));
    switch (d) {
    case TDesenho::Impressora:
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 3, 14, 10));           // paper going in
        p.setBrush(QColor(0x9a, 0xa5, 0xb1));
        p.drawRoundedRect(QRectF(3, 11, 26, 12), 2, 2); // body
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 19, 14, 10));          // printed sheet
        p.drawLine(QPointF(12, 23), QPointF(20, 23));
        p.drawLine(QPointF(12, 26), QPointF(20, 26));
        break;
    case TDesenho::Unidades:
        // A slope with its rise, and the per cent sign of the units.
        p.setBrush(QColor(0x8f, 0xbf, 0x5a));
        p.drawPolygon(QPolygonF({QPointF(3, 28), QPointF(29, 28), QPointF(29, 12)}));
        p.setFont(QFont(QStringLiteral("Arial"), 11, QFont::Bold));
        p.drawText(QRectF(2, 1, 20, 18), Qt::AlignCenter, QStringLiteral("%"));
        break;
    case TDesenho::Sair:
        p.setBrush(QColor(0xc8, 0xa2, 0x6a));
        p.drawRect(QRectF(4, 3, 14, 26));           // door
        p.setPen(QPen(QColor(0xb0, 0x30, 0x30), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(14, 16), QPointF(28, 16)); // arrow out
        p.drawLine(QPointF(23, 11), QPointF(28, 16));
        p.drawLine(QPointF(23, 21), QPointF(28, 16));
        break;
    }
    return QIcon(figura);
}

} // namespace

TFPrincipal::TFPrincipal(TDialogos& dialogos, fs::path arquivoConfiguracao, QWidget* pai)
    : QMainWindow(pai),
      dialogos_(dialogos),
      arquivoConfiguracao_(std::move(arquivoConfiguracao)),
      uiGerente_(std::make_unique<TUiGerente>(*this, dialogos)),
      gerente_(*uiGerente_),
      ajuda_(dialogos),
      browser_(dialogos),
      contexto_{projeto_, gerente_, dialogos_, ajuda_, this, {}, {}}
{
    contexto_.ExecutarComProgresso = [this](TProcessoPercent& p) { TFPercent::Executar(p, this); };
    LigarJanelaConsulta(contexto_);
    AbrirUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    browser_.Sobre = [](QWidget* dono) {
        TFInicial sobre(false, dono);
        sobre.exec();
    };

    setWindowTitle(QString::fromUtf8(kTitulo));
    mdi_ = new QMdiArea(this);
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);
    mdi_->viewport()->installEventFilter(this);
    contexto_.CriarFilha = [this](QWidget* janela, bool rolar) -> QWidget* { return CriarFilha(janela, rolar); };

    // Status bar: the hint under the pointer, and the time of day.
    painelDica_ = new QLabel(this);
    painelHora_ = new QLabel(this);
    painelHora_->setFixedWidth(100);
    painelHora_->setAlignment(Qt::AlignCenter);
    statusBar()->addWidget(painelDica_, 1);
    statusBar()->addPermanentWidget(painelHora_);
    auto* relogio = new QTimer(this);
    auto hora = [this] { painelHora_->setText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss"))); };
    connect(relogio, &QTimer::timeout, this, hora);
    relogio->start(1000);
    hora();

    CriarAcoes();
    CriarMenus();
    CriarBarras();

    // Settings.
    if (arquivoConfiguracao_.empty())
        arquivoConfiguracao_ = gui::ArquivoConfiguracao(
            fs::path(S(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))));
    const TConfiguracao config = LerConfiguracao(arquivoConfiguracao_);
    projeto_.Unidades = config.Unidades;
    gerente_.Recentes = config.Recentes;
    estadoDefinido_ = config.EstadoDefinido;
    AtualizarRecentes();
    projeto_.Nimbra.IndEstado = projeto_.Unidades.IndEstadoPadrao;

    // The project manager.
    gerente_.TituloPrograma = kTitulo;
    gerente_.NomeDefault = "PROJETO1.VST";
    gerente_.NomeProjeto = gerente_.NomeDefault;
    gerente_.PastaPrograma = PastaPrograma().string();
    gerente_.PathProjeto = gerente_.PastaPrograma;
    gerente_.OpenDialog.Titulo = "Abrir Projeto";
    gerente_.SaveDialog.Titulo = "Salvar Projeto";
    gerente_.OpenDialog.Pasta = gerente_.SaveDialog.Pasta = S(PastaInicial());
    LigarGerente();
    HabilitarProjeto(false);

    ident_ = new TFIdentProjeto(projeto_.IDProjeto, gerente_, ajuda_, this);
}

TFPrincipal::~TFPrincipal() = default;

void TFPrincipal::CriarAcoes()
{
    auto acao = [this](const char* texto, const char* dica, QKeySequence tecla, auto alvo) {
        auto* a = new QAction(QString::fromUtf8(texto), this);
        if (dica) {
            a->setStatusTip(QString::fromUtf8(dica));
            a->setToolTip(QString::fromUtf8(dica));
        }
        if (!tecla.isEmpty())
            a->setShortcut(tecla);
        connect(a, &QAction::triggered, this, alvo);
        return a;
    };
    Acoes& a = acoes_;
    const QKeySequence nada;
    a.novo = acao("&Novo", "Cria um novo projeto", Qt::Key_F4, &TFPrincipal::NovoClick);
    a.abrir = acao("&Abrir", "Abre um projeto gravado em disco", Qt::Key_F3, &TFPrincipal::AbrirClick);
    a.salvar = acao("&Salvar", "Salva o projeto atual em um arquivo no disco", Qt::Key_F2, &TFPrincipal::SalvarClick);
    a.salvarComo = acao("&Salvar &Como...", "Salva o projeto atual com outro nome", nada, &TFPrincipal::SalvarComoClick);
    a.fechar = acao("&Fechar", "Fecha o projeto atual", nada, &TFPrincipal::FecharClick);
    a.identificacao = acao("&Identificação", "Exibe as informações de identificação do projeto atual", Qt::Key_F5,
                           &TFPrincipal::IdentificacaoClick);
    for (int i = 0; i < 4; ++i)
        a.recentes[static_cast<std::size_t>(i)] = acao("", nullptr, nada, [this, i] { RecenteClick(i); });
    // Ctrl+Q, not the Ctrl+Z of undo that every field of the program answers.
    a.sair = acao("&Sair", nullptr, QKeySequence(Qt::CTRL | Qt::Key_Q), &QWidget::close);
    a.sair->setToolTip(QStringLiteral("Sair"));

    a.praticas = acao("&Descrição das Práticas", "Descrição das práticas conservacionistas", nada,
                      [this] { DocumentoClick("texto/praticas.htm"); });
    a.selecao = acao("&Seleção de Práticas", "Seleção de práticas conservacionistas", nada,
                     [this] { DocumentoClick("texto/Selecao.htm"); });

    a.dimensionamento = acao("&Dimensionamento de Terraços", "Dimensionamento de terraços considerando área regular",
                             Qt::Key_F6, &TFPrincipal::DimensionamentoClick);
    a.locacao = acao("&Locação de Terraços", "Locação de terraços em uma bacia hidrográfica", Qt::Key_F8,
                     &TFPrincipal::LocacaoClick);

    auto ferramenta = [this](TFerramenta f) { return [this, f] { FerramentaClick(f); }; };
    a.visualizar = acao("&Visualizar", "Visualização de imagens raster", nada, ferramenta(TFerramenta::Visualizar));
    a.importacao = acao("&Importação", "Importação de imagens de Sitemas de Informações Geográficas", nada,
                        ferramenta(TFerramenta::Importacao));
    a.exportacao = acao("&Exportação", "Exportação de imagens raster para Sistemas de Informações Geográficas", nada,
                        ferramenta(TFerramenta::Exportacao));
    a.declividade = acao("&Declividade", "Obtenção da imagem de declividade", nada, ferramenta(TFerramenta::Declividade));
    a.filtro = acao("&Filtro", "Utilização de filtros", nada, ferramenta(TFerramenta::Filtro));

    a.confSistema = acao("Configuração do &Sistema", "Configuração das unidades das variáveis", nada,
                         &TFPrincipal::ConfSistemaClick);
    a.impressora = acao("Configurar &Impressora", "Permite realizar alterações nas configurações da impressora", nada,
                        &TFPrincipal::ImpressoraClick);

    a.cascata = acao("&Cascata", "Posiciona as janelas em cascata", nada, [this] { mdi_->cascadeSubWindows(); });
    a.ladoALado = acao("&Lado a lado", "Posiciona as janelas lado a lado", nada, [this] { mdi_->tileSubWindows(); });
    a.minimizadas = acao("&Minimizadas", "Minimiza todas as janelas", nada, [this] {
        for (QMdiSubWindow* sub : mdi_->subWindowList())
            sub->showMinimized();
    });
    a.arranjar = acao("&Arranjar ícones", "Arranja o ícone das janelas minimizadas", nada, &TFPrincipal::ArranjarIcones);

    a.conteudo = acao("&Conteúdo", "Exibe o conteúdo do sistema de ajuda", Qt::Key_F1,
                      [this] { ajuda_.Abrir(kTopicoConteudo, this); });
    a.obterAjuda = acao("&Obter Ajuda Sobre...", "Exibe um tópico específico do sistema de ajuda", nada,
                        [this] { ajuda_.Abrir(kTopicoConteudo, this); });
    a.comoUsar = acao("Como &Usar a Ajuda...", nullptr, nada, [this] { ajuda_.ComoUsar(this); });
    a.sobre = acao("&Sobre o Vastrel 3.0...", "Exibe a tela de abertura do Vastrel 3.0", nada, &TFPrincipal::SobreClick);

    static const char* const kNomesWeb[] = {"Embrapa Solos", "SBCS", "FAO Solos", "ANA"};
    static const char* const kDicasWeb[] = {
        "Página da Embrapa Solos",
        "Página da Sociedade Brasileira de Ciência do Solo",
        "Portal de solos da FAO",
        "Página da Agência Nacional de Águas e Saneamento Básico",
    };
    for (int i = 0; i < 4; ++i)
        a.web[static_cast<std::size_t>(i)] = acao(kNomesWeb[i], kDicasWeb[i], nada, [this, i] { PaginaWebClick(i); });

    // Icons of the toolbar buttons.
    QStyle* s = style();
    a.novo->setIcon(s->standardIcon(QStyle::SP_FileIcon));
    a.abrir->setIcon(s->standardIcon(QStyle::SP_DialogOpenButton));
    a.salvar->setIcon(s->standardIcon(QStyle::SP_DialogSaveButton));
    a.fechar->setIcon(s->standardIcon(QStyle::SP_DialogCloseButton));
    a.visualizar->setIcon(s->standardIcon(QStyle::SP_FileDialogContentsView));
    a.importacao->setIcon(s->standardIcon(QStyle::SP_ArrowDown));
    a.exportacao->setIcon(s->standardIcon(QStyle::SP_ArrowUp));
    a.filtro->setIcon(s->standardIcon(QStyle::SP_FileDialogDetailedView));
    a.confSistema->setIcon(Desenho(TDesenho::Unidades));
    a.impressora->setIcon(Desenho(TDesenho::Impressora));
    a.sobre->setIcon(s->standardIcon(QStyle::SP_MessageBoxInformation));
    a.sair->setIcon(Desenho(TDesenho::Sair));
}

void TFPrincipal::CriarMenus()
{
    const Acoes& a = acoes_;
    auto menu = [this](const char* titulo, const char* dica) {
        QMenu* m = menuBar()->addMenu(QString::fromUtf8(titulo));
        m->menuAction()->setStatusTip(QString::fromUtf8(dica));
        return m;
    };
    QMenu* projeto = menu("&Projeto", "Menu Projeto");
    projeto->addActions({a.novo, a.abrir, a.salvar, a.salvarComo, a.fechar});
    projeto->addSeparator();
    projeto->addAction(a.identificacao);
    projeto->addSeparator();
    for (QAction* r : a.recentes)
        projeto->addAction(r);
    projeto->addSeparator();
    projeto->addAction(a.sair);

    QMenu* praticas = menu("P&ráticas Conservacionistas", "Menu Práticas Conservacionistas");
    praticas->addActions({a.praticas, a.selecao});

    QMenu* terraceamento = menu("&Terraceamento", "Menu Terraceamento");
    terraceamento->addActions({a.dimensionamento, a.locacao});

    QMenu* ferramentas = menu("&Ferramentas", "Menu Ferramentas");
    ferramentas->addActions({a.visualizar, a.importacao, a.exportacao, a.declividade, a.filtro});

    QMenu* configuracoes = menu("&Configurações", "Menu Configurações");
    configuracoes->addActions({a.confSistema, a.impressora});

    menuJanelas_ = menu("&Janelas", "Menu Janela");
    connect(menuJanelas_, &QMenu::aboutToShow, this, &TFPrincipal::AtualizarMenuJanelas);
    AtualizarMenuJanelas();

    QMenu* ajuda = menu("&Ajuda", "Menu Ajuda");
    ajuda->addActions({a.conteudo, a.obterAjuda, a.comoUsar});
    ajuda->addSeparator();
    ajuda->addAction(a.sobre);
}

void TFPrincipal::CriarBarras()
{
    const Acoes& a = acoes_;
    auto barra = [this](const char* nome) {
        QToolBar* b = addToolBar(QString::fromUtf8(nome));
        b->setObjectName(QString::fromUtf8(nome));
        return b;
    };
    barra("Projeto")->addActions({a.novo, a.abrir, a.salvar, a.fechar});
    barra("Ferramentas")->addActions({a.visualizar, a.importacao, a.exportacao, a.filtro});
    QToolBar* configuracoes = barra("Configurações");
    configuracoes->addActions({a.confSistema, a.impressora});
    configuracoes->addSeparator();
    configuracoes->addAction(a.sobre);
    barra("Sair")->addAction(a.sair);
    QToolBar* internet = barra("Internet");
    internet->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (QAction* w : a.web)
        internet->addAction(w);
}

void TFPrincipal::LigarGerente()
{
    gerente_.OnZerarVariaveis = [this] { projeto_.Zerar(); };
    gerente_.OnAbilitarCampos = [this] { HabilitarProjeto(true); };
    gerente_.OnDesabilitarCampos = [this] {
        HabilitarProjeto(false);
        setWindowTitle(QString::fromUtf8(kTitulo));
    };
    gerente_.OnLerArquivo = [this](bool& leuCerto) {
        projeto_.Ler(gerente_.PathProjeto);
        leuCerto = true;
        if (!projeto_.AvisosLeitura.empty())
            dialogos_.Aviso(this, Q(TextoAvisos(projeto_.AvisosLeitura)));
    };
    gerente_.OnEscreverArquivo = [this] { projeto_.Gravar(gerente_.PathProjeto); };
    gerente_.OnLerCamposDados = [this] { LerCamposDados(); };
    gerente_.OnPreencherCamposDados = [this] {
        if (projeto_.Modulo == kModuloDimensionamento)
            AbrirModulo(kModuloDimensionamento, false);
        else if (projeto_.Modulo == kModuloLocacao)
            AbrirModulo(kModuloLocacao, false);
    };
}

void TFPrincipal::HabilitarProjeto(bool habilitar)
{
    for (QAction* a : {acoes_.fechar, acoes_.salvar, acoes_.salvarComo, acoes_.identificacao,
                       acoes_.dimensionamento, acoes_.locacao})
        a->setEnabled(habilitar);
}

void TFPrincipal::AtualizarRecentes()
{
    for (std::size_t i = 0; i < acoes_.recentes.size(); ++i) {
        const std::string& caminho = gerente_.Recentes[i];
        acoes_.recentes[i]->setText(QStringLiteral("&%1/ ").arg(i + 1) + Q(NomeSemPasta(caminho)));
        acoes_.recentes[i]->setStatusTip(Q(caminho));
        // An unused entry has nothing to open.
        acoes_.recentes[i]->setEnabled(!caminho.empty());
    }
}

void TFPrincipal::AtualizarMenuJanelas()
{
    menuJanelas_->clear();
    menuJanelas_->addActions({acoes_.cascata, acoes_.ladoALado, acoes_.minimizadas, acoes_.arranjar});
    const QList<QMdiSubWindow*> janelas = mdi_->subWindowList();
    if (!janelas.isEmpty())
        menuJanelas_->addSeparator();
    int n = 0;
    for (QMdiSubWindow* sub : janelas) {
        ++n;
        QAction* item = menuJanelas_->addAction(QStringLiteral("&%1 ").arg(n) + sub->windowTitle());
        item->setCheckable(true);
        item->setChecked(sub == mdi_->activeSubWindow());
        connect(item, &QAction::triggered, this, [this, sub] { mdi_->setActiveSubWindow(sub); });
    }
}

void TFPrincipal::ArranjarIcones()
{
    // The minimised windows in a row along the bottom of the frame.
    int x = 0;
    for (QMdiSubWindow* sub : mdi_->subWindowList()) {
        if (!sub->isMinimized())
            continue;
        const QSize s = sub->size();
        if (x + s.width() > mdi_->viewport()->width())
            x = 0;
        sub->move(x, mdi_->viewport()->height() - s.height());
        x += s.width();
    }
}

bool TFPrincipal::event(QEvent* e)
{
    if (e->type() == QEvent::StatusTip) {
        painelDica_->setText(static_cast<QStatusTipEvent*>(e)->tip());
        return true;
    }
    return QMainWindow::event(e);
}

void TFPrincipal::Guardar(const std::function<void()>& comando)
{
    try {
        comando();
    } catch (const EArquivoProjeto& e) {
        dialogos_.Erro(this, Mensagem(e), Q(e.Motivo));
    } catch (const std::exception& e) {
        dialogos_.Erro(this, Mensagem(e));
    }
}

// --- Project commands -----------------------------------------------------

void TFPrincipal::NovoClick()
{
    Guardar([this] {
        if (!FecharJanelasModulo())
            return;
        if (gerente_.Novo())
            ident_->exec();
    });
}

void TFPrincipal::AbrirClick()
{
    Guardar([this] {
        if (!FecharJanelasModulo())
            return;
        if (gerente_.Abrir())
            AtualizarRecentes();
    });
}

// Saving reorders the recent list: its captions follow at once, so that each
// entry names the file it opens.
void TFPrincipal::SalvarClick()
{
    Guardar([this] { gerente_.Salvar(); });
    AtualizarRecentes();
}

void TFPrincipal::SalvarComoClick()
{
    Guardar([this] { gerente_.SalvarComo(); });
    AtualizarRecentes();
}

void TFPrincipal::FecharClick()
{
    Guardar([this] {
        if (gerente_.Fechar()) {
            AtualizarRecentes();
            FecharJanelasModulo(false);
        }
    });
}

void TFPrincipal::IdentificacaoClick() { ident_->exec(); }

void TFPrincipal::RecenteClick(int n)
{
    const std::string caminho = gerente_.Recentes[static_cast<std::size_t>(n)];
    if (caminho.empty())
        return;
    Guardar([this, &caminho] {
        if (!FecharJanelasModulo())
            return;
        if (gerente_.AbrirArquivo(caminho))
            AtualizarRecentes();
    });
}

void TFPrincipal::AbrirArgumento(const QString& caminho)
{
    const std::string absoluto = S(QFileInfo(caminho).absoluteFilePath());
    Guardar([this, &absoluto] {
        if (!FecharJanelasModulo())
            return;
        std::string erro;
        if (gerente_.AbrirArquivo(absoluto, &erro))
            AtualizarRecentes();
        else if (!erro.empty())
            dialogos_.Erro(this, Q(erro));
    });
}

void TFPrincipal::closeEvent(QCloseEvent* e)
{
    bool fechou = false;
    Guardar([this, &fechou] { fechou = gerente_.Fechar(); });
    if (!fechou) {
        e->ignore();
        return;
    }
    FecharJanelasModulo(false);
    try {
        GravarConfiguracao(arquivoConfiguracao_, {projeto_.Unidades, gerente_.Recentes, estadoDefinido_});
    } catch (const std::exception& x) {
        dialogos_.Erro(this, QStringLiteral("Não foi possível gravar o arquivo ") +
                                 Q(arquivoConfiguracao_.string()) + QLatin1Char('.'),
                       Mensagem(x));
    }
    e->accept();
}

// --- Module windows ---------------------------------------------------------

TJanelaModulo* TFPrincipal::JanelaModulo(const std::string& modulo) const
{
    for (QMdiSubWindow* sub : mdi_->subWindowList())
        if (auto* janela = ModuloDe(sub); janela && janela->Modulo() == modulo)
            return janela;
    return nullptr;
}

bool TFPrincipal::FecharJanelasModulo(bool copiarCampos, const std::string& modulo)
{
    for (QMdiSubWindow* sub : mdi_->subWindowList()) {
        auto* janela = ModuloDe(sub);
        if (!janela || (!modulo.empty() && janela->Modulo() != modulo))
            continue;
        if (!janela->Fechar(copiarCampos))
            return false;
    }
    return true;
}

void TFPrincipal::LerCamposDados()
{
    // The most recently created module window is the one whose fields count.
    const QList<QMdiSubWindow*> janelas = mdi_->subWindowList(QMdiArea::CreationOrder);
    for (auto it = janelas.crbegin(); it != janelas.crend(); ++it)
        if (auto* janela = ModuloDe(*it)) {
            janela->LerCampos();
            return;
        }
}

void TFPrincipal::AbrirModulo(const std::string& modulo, bool avisar)
{
    if (TJanelaModulo* janela = JanelaModulo(modulo)) {
        janela->MostrarPaginaInicial();
        if (QMdiSubWindow* sub = SubJanelaDe(janela)) {
            sub->showNormal();
            mdi_->setActiveSubWindow(sub);
        }
        return;
    }
    const TFabricaJanela fabrica = FabricaJanelaModulo(modulo);
    if (!fabrica) {
        // This installation has no window for the module: the project keeps
        // the choice, and the user is told why nothing opens.
        const QString nota = QStringLiteral("A janela do módulo \"%1\" não faz parte desta versão do programa.")
                                 .arg(modulo == kModuloLocacao ? QStringLiteral("Locação de Terraços")
                                                               : QStringLiteral("Dimensionamento de Terraços"));
        painelDica_->setText(nota);
        if (avisar)
            dialogos_.Informacao(this, nota);
        return;
    }
    TJanelaModulo* janela = fabrica(contexto_);
    QMdiSubWindow* sub = CriarFilha(janela, true);
    // The module windows open at the frame's top left corner.
    sub->move(5, 5);
    AjustarFilha(sub, sub->sizeHint());
    janela->PreencherCampos();
    MostrarFilha(sub);
}

QMdiSubWindow* TFPrincipal::CriarFilha(QWidget* janela, bool rolar)
{
    QWidget* conteudo = janela;
    if (rolar) {
        auto* rolagem = new TRolagemFilha;
        rolagem->setWidget(janela);
        conteudo = rolagem;
    }
    QMdiSubWindow* sub = mdi_->addSubWindow(conteudo);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(janela->windowTitle());
    connect(janela, &QWidget::windowTitleChanged, sub, &QWidget::setWindowTitle);
    if (rolar)
        AjustarFilha(sub, sub->sizeHint());
    return sub;
}

void TFPrincipal::AjustarFilha(QMdiSubWindow* sub, QSize desejado) const
{
    if (sub->isMaximized() || sub->isMinimized() || !dynamic_cast<TRolagemFilha*>(sub->widget()))
        return;
    // No larger than the frame's free area; its content scrolls inside.
    const QSize area = mdi_->viewport()->size();
    const QSize minimo = sub->minimumSizeHint();
    QPoint canto = sub->pos();
    canto.setX(std::clamp(canto.x(), 0, std::max(0, area.width() - minimo.width())));
    canto.setY(std::clamp(canto.y(), 0, std::max(0, area.height() - minimo.height())));
    const QSize livre(area.width() - canto.x(), area.height() - canto.y());
    sub->resize(desejado.boundedTo(livre).expandedTo(minimo));
    sub->move(canto);
}

bool TFPrincipal::eventFilter(QObject* o, QEvent* e)
{
    // A smaller frame (a restored window, another screen, a larger scaling)
    // shrinks the module windows into it, their content scrolling.
    if (o == mdi_->viewport() && e->type() == QEvent::Resize)
        for (QMdiSubWindow* sub : mdi_->subWindowList())
            AjustarFilha(sub, sub->size());
    return QMainWindow::eventFilter(o, e);
}

void TFPrincipal::DimensionamentoClick()
{
    Guardar([this] {
        projeto_.Modulo = kModuloDimensionamento;
        if (FecharJanelasModulo(true, kModuloLocacao))
            AbrirModulo(kModuloDimensionamento, true);
    });
}

void TFPrincipal::LocacaoClick()
{
    Guardar([this] {
        // The location lays out level terraces only.
        projeto_.TipoSistema.Tipo = 0;
        projeto_.Modulo = kModuloLocacao;
        if (FecharJanelasModulo(true, kModuloDimensionamento))
            AbrirModulo(kModuloLocacao, true);
    });
}

void TFPrincipal::FerramentaClick(TFerramenta f)
{
    Guardar([this, f] {
        if (const TAcaoFerramenta acao = AcaoFerramenta(f))
            acao(contexto_);
        else
            dialogos_.Informacao(this, QStringLiteral("Esta ferramenta não faz parte desta versão do programa."));
    });
}

// --- Settings, documents, help ----------------------------------------------

void TFPrincipal::PerguntarEstadoPadrao()
{
    if (estadoDefinido_)
        return;
    QStringList estados;
    for (const TDadosEstado& e : kEstados)
        estados << QString::fromUtf8(e.Nome);
    const auto escolha = dialogos_.EscolherItem(
        this, QStringLiteral("Estado padrão"),
        QStringLiteral("Em que estado ficam as áreas que o senhor projeta? As equações de chuvas "
                       "intensas serão procuradas nele (pode ser mudado em Configurações)."),
        estados, projeto_.Unidades.IndEstadoPadrao);
    if (!escolha || *escolha < 0 || *escolha >= kNumEstados)
        return; // asked again at the next start
    projeto_.Unidades.IndEstadoPadrao = static_cast<std::uint8_t>(*escolha);
    projeto_.Nimbra.IndEstado = projeto_.Unidades.IndEstadoPadrao;
    estadoDefinido_ = true;
}

void TFPrincipal::ConfSistemaClick()
{
    Guardar([this] {
        // The open window's fields go into the objects while the old
        // multipliers are still in force.
        LerCamposDados();
        TFConfSistema dialogo(projeto_.Unidades, ajuda_, this);
        if (dialogo.exec() != QDialog::Accepted)
            return;
        estadoDefinido_ = true;
        for (QMdiSubWindow* sub : mdi_->subWindowList())
            if (auto* janela = ModuloDe(sub))
                janela->AtualizarUnidades();
    });
}

void TFPrincipal::ImpressoraClick()
{
    if (!impressora_)
        impressora_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    dialogos_.Impressao(this, *impressora_);
}

void TFPrincipal::DocumentoClick(const char* relativo)
{
    browser_.MostrarDocumento(ArquivoDoPrograma(relativo), this);
}

void TFPrincipal::PaginaWebClick(int n)
{
    const QUrl url(QString::fromUtf8(kPaginasWeb[static_cast<std::size_t>(n)]));
    if (!AbrirUrl || !AbrirUrl(url))
        dialogos_.Erro(this, QStringLiteral("Não foi possível abrir a página escolhida."));
}

void TFPrincipal::SobreClick()
{
    TFInicial sobre(false, this);
    sobre.exec();
}

} // namespace vastrel::gui

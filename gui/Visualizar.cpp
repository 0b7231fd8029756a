#include "Visualizar.h"

#include "Ajuda.h"
#include "Dialogos.h"

#include "common/Format.h"
#include "common/Pastas.h"
#include "gis/BDTGradiente.h"
#include "gis/Paleta.h"

#include <QApplication>
#include <QButtonGroup>
#include <QContextMenuEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace fs = std::filesystem;

namespace vastrel::gui {

namespace {

QString NomeArquivo(const fs::path& p) { return Q(p.filename().string()); }

QLineEdit* CaixaLeitura(const QString& texto = {})
{
    auto* e = new QLineEdit(texto);
    e->setReadOnly(true);
    return e;
}

QButtonGroup* GrupoPaletas(QWidget* pai, QVBoxLayout* layout, int marcada)
{
    auto* grupo = new QButtonGroup(pai);
    for (int i = 0; i < gis::kNumPaletas; ++i) {
        auto* r = new QRadioButton(QStringLiteral("Paleta %1").arg(i + 1));
        grupo->addButton(r, i);
        layout->addWidget(r);
    }
    grupo->button(marcada)->setChecked(true);
    return grupo;
}

QString Real(double v) { return Q(FormatFloat("#0.0###", v)); }

} // namespace

// --- Value strip -----------------------------------------------------------------

TFObterValor::TFObterValor(QWidget* pai) : QWidget(pai)
{
    setObjectName(QStringLiteral("FObterValor"));
    auto* l = new QHBoxLayout(this);
    l->setContentsMargins(6, 2, 6, 2);
    l->setSpacing(4);
    const QFontMetrics fm(font());
    // Boxes wide enough for their usual texts, so the strip does not jump as
    // the pointer moves.
    auto caixa = [&](const QString& rotulo, QLabel*& valor, const QString& modelo, bool daCelula) {
        auto* r = new QLabel(rotulo);
        valor = new QLabel;
        valor->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        valor->setMinimumWidth(fm.horizontalAdvance(modelo) + 6);
        valor->setTextInteractionFlags(Qt::TextSelectableByMouse);
        r->setBuddy(valor);
        l->addWidget(r);
        l->addWidget(valor);
        l->addSpacing(6);
        if (daCelula) {
            daCelula_.push_back(r);
            daCelula_.push_back(valor);
        }
    };
    caixa(QStringLiteral("&Linha"), Linha, QStringLiteral("0000"), true);
    caixa(QStringLiteral("&Coluna"), Coluna, QStringLiteral("0000"), true);
    caixa(QStringLiteral("X"), X, QStringLiteral("0000000,0"), false);
    caixa(QStringLiteral("Y"), Y, QStringLiteral("0000000,0"), false);
    caixa(QStringLiteral("Valor"), Atributo, QStringLiteral("0000,000"), true);
    Unidade = new QLabel;
    l->addWidget(Unidade);
    daCelula_.push_back(Unidade);
    l->addStretch(1);
    Zoom = new QLabel;
    Zoom->setToolTip(QStringLiteral("Zoom"));
    l->addWidget(Zoom);
}

void TFObterValor::SoCoordenadas(bool so)
{
    for (QWidget* w : daCelula_)
        w->setVisible(!so);
}

// --- Colour legend ---------------------------------------------------------------

namespace {

constexpr int kMargemLegenda = 8;
constexpr int kLarguraBarra = 18;
constexpr int kTraco = 4; // tick mark beside the bar
constexpr int kAlturaMinimaBarra = 120;
const QString kSemDado = QStringLiteral("sem dado");

struct TLayoutLegenda {
    QRect Titulo, Barra, SemDado;
    int Texto = 0; // left of the tick texts
};

TLayoutLegenda Layout(const QRect& r, const QFontMetrics& fm, bool comTitulo)
{
    TLayoutLegenda l;
    const int h = fm.height();
    const int x = r.left() + kMargemLegenda;
    int topo = r.top() + kMargemLegenda;
    if (comTitulo) {
        l.Titulo = QRect(x, topo, r.width() - 2 * kMargemLegenda, h);
        topo += h + kMargemLegenda / 2;
    }
    // Half a line above and below the bar for the texts of its end ticks.
    topo += h / 2;
    const int base = r.bottom() + 1 - kMargemLegenda - h - kMargemLegenda - h / 2;
    l.Barra = QRect(x, topo, kLarguraBarra, std::max(base - topo, 1));
    l.SemDado = QRect(x, r.bottom() + 1 - kMargemLegenda - h, kLarguraBarra, h);
    l.Texto = x + kLarguraBarra + kTraco + 4;
    return l;
}

int MaximoMarcas(int alturaBarra, int alturaTexto)
{
    return std::clamp(alturaBarra / std::max(2 * alturaTexto, 1), 2, 10);
}

} // namespace

TLegendaCores::TLegendaCores(QWidget* pai) : QWidget(pai)
{
    setObjectName(QStringLiteral("Legenda"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

void TLegendaCores::Definir(const gis::TDadosLegenda& dados, const gis::TPaleta& paleta)
{
    dados_ = dados;
    paleta_ = paleta;
    updateGeometry();
    update();
}

int TLegendaCores::Largura(const gis::TDadosLegenda& d, const QFont& fonte)
{
    const QFontMetrics fm(fonte);
    // The widest text of the finest ticks the bar may show.
    int texto = fm.horizontalAdvance(kSemDado);
    const gis::TMarcas m = gis::MarcasRedondas(d.Minimo, d.Maximo, 10, d.Inteiro);
    for (double v : m.Valores)
        texto = std::max(texto, fm.horizontalAdvance(Q(gis::TextoMarca(v, m.Passo))));
    QFont negrito = fonte;
    negrito.setBold(true);
    const int titulo = QFontMetrics(negrito).horizontalAdvance(Q(d.Unidade));
    return std::max(kMargemLegenda + kLarguraBarra + kTraco + 4 + texto, titulo) + kMargemLegenda;
}

QSize TLegendaCores::sizeHint() const
{
    return {Largura(dados_, font()), minimumSizeHint().height()};
}

QSize TLegendaCores::minimumSizeHint() const
{
    const int h = fontMetrics().height();
    return {Largura(dados_, font()), kAlturaMinimaBarra + 4 * h + 4 * kMargemLegenda};
}

void TLegendaCores::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    Pintar(p, rect(), dados_, paleta_, font());
    const QFontMetrics fm(font());
    const TLayoutLegenda l = Layout(rect(), fm, !dados_.Unidade.empty());
    const gis::TMarcas m = gis::MarcasRedondas(dados_.Minimo, dados_.Maximo,
                                               MaximoMarcas(l.Barra.height(), fm.height()), dados_.Inteiro);
    marcas_.clear();
    for (auto v = m.Valores.rbegin(); v != m.Valores.rend(); ++v)
        marcas_ << Q(gis::TextoMarca(*v, m.Passo));
}

void TLegendaCores::Pintar(QPainter& p, const QRect& r, const gis::TDadosLegenda& d, const gis::TPaleta& paleta,
                           const QFont& fonte)
{
    p.save();
    p.fillRect(r, Qt::white);
    p.setFont(fonte);
    const QFontMetrics fm(fonte);
    const TLayoutLegenda l = Layout(r, fm, !d.Unidade.empty());
    if (!d.Unidade.empty()) {
        QFont negrito = fonte;
        negrito.setBold(true);
        p.setFont(negrito);
        p.setPen(Qt::black);
        p.drawText(l.Titulo, Qt::AlignLeft | Qt::AlignVCenter, Q(d.Unidade));
        p.setFont(fonte);
    }
    // The bar: each row in the colour of the value at its middle.
    const QRect& b = l.Barra;
    for (int y = 0; y < b.height(); ++y) {
        const std::uint32_t cor = gis::CorArgb(paleta, gis::CorDaLinhaDaBarra(y, b.height()));
        p.fillRect(QRect(b.left(), b.top() + y, b.width(), 1), QColor::fromRgb(cor));
    }
    p.setPen(Qt::black);
    p.drawRect(b.adjusted(0, 0, -1, -1));
    // Round values at their place on the bar.
    const gis::TMarcas m = gis::MarcasRedondas(d.Minimo, d.Maximo, MaximoMarcas(b.height(), fm.height()), d.Inteiro);
    for (double v : m.Valores) {
        const double f = gis::FracaoNaBarra(v, d.Minimo, d.Maximo);
        const int y = b.top() + static_cast<int>(std::lround((1 - f) * (b.height() - 1)));
        p.drawLine(b.right() + 1, y, b.right() + kTraco, y);
        const QRect texto(l.Texto, y - fm.height() / 2, r.right() - l.Texto, fm.height());
        p.drawText(texto, Qt::AlignLeft | Qt::AlignVCenter, Q(gis::TextoMarca(v, m.Passo)));
    }
    // Cells without data are white.
    p.fillRect(l.SemDado, Qt::white);
    p.drawRect(l.SemDado.adjusted(0, 0, -1, -1));
    p.drawText(QRect(l.Texto, l.SemDado.top(), r.right() - l.Texto, l.SemDado.height()),
               Qt::AlignLeft | Qt::AlignVCenter, kSemDado);
    p.restore();
}

// --- Viewer ----------------------------------------------------------------------

TFVisualizar::TFVisualizar(TContextoPrograma& contexto, QWidget* pai)
    : QWidget(pai), contexto_(contexto), area_(new QAbstractScrollArea), legenda_(new TLegendaCores),
      sonda_(new TFObterValor)
{
    setAttribute(Qt::WA_DeleteOnClose);
    area_->setFrameShape(QFrame::NoFrame);
    QWidget* vista = area_->viewport();
    vista->setCursor(Qt::CrossCursor);
    vista->setMouseTracking(true);
    vista->setAutoFillBackground(true);
    QPalette p = vista->palette();
    p.setColor(QPalette::Window, Qt::white);
    vista->setPalette(p);
    vista->installEventFilter(this);
    setFocusProxy(area_);

    // The picture with the legend on its right, the value strip under both:
    // nothing is drawn over the picture but the overlay.
    auto* grade = new QGridLayout(this);
    grade->setContentsMargins(0, 0, 0, 0);
    grade->setSpacing(0);
    grade->addWidget(area_, 0, 0);
    grade->addWidget(legenda_, 0, 1);
    grade->addWidget(sonda_, 1, 0, 1, 2);
    grade->setColumnStretch(0, 1);
    grade->setRowStretch(0, 1);

    // The numbers of the overlay keep the size of the window's text.
    fonteRotulo_ = font();
    fonteRotulo_.setPixelSize(std::max(QFontInfo(font()).pixelSize(), 9));
    fonteRotulo_.setBold(true);

    auto acao = [this](const QString& texto, auto metodo, QKeySequence atalho = {}) {
        auto* a = new QAction(texto, this);
        a->setShortcut(atalho);
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(a, &QAction::triggered, this, metodo);
        addAction(a);
        return a;
    };
    AcaoZoomMais = acao(QStringLiteral("Zoom +"), &TFVisualizar::ZoomMaisClick, QKeySequence(Qt::CTRL | Qt::Key_A));
    AcaoZoomMenos = acao(QStringLiteral("Zoom -"), &TFVisualizar::ZoomMenosClick, QKeySequence(Qt::CTRL | Qt::Key_B));
    AcaoPropriedades = acao(QStringLiteral("&Propriedades"), &TFVisualizar::PropriedadesClick);
    AcaoPaleta = acao(QStringLiteral("Palet&a"), &TFVisualizar::PaletaClick);
    AcaoImprimir = acao(QStringLiteral("Imprimir"), &TFVisualizar::ImprimirClick);
    AcaoObterValor = acao(QStringLiteral("Obter valor"), &TFVisualizar::ObterValorClick);
    AcaoObterValor->setCheckable(true);
    AcaoObterValor->setChecked(true);
    AcaoSalvar = acao(QStringLiteral("&Salvar Imagem como ..."), &TFVisualizar::SalvarImagemClick);
    separador_ = new QAction(this);
    separador_->setSeparator(true);
    AcaoSobrepor = acao(QStringLiteral("S&obrepor Arquivo Vetor"), &TFVisualizar::SobreporVetorClick);
    AcaoRemover = acao(QStringLiteral("&Remover Arquivo Vetor"), &TFVisualizar::RemoverVetorClick);
    AcaoRemover->setEnabled(false);
    contexto_.Ajuda.Ligar(this, kTopicoVisualizar);
}

TFVisualizar::~TFVisualizar() = default;

QWidget* TFVisualizar::viewport() const { return area_->viewport(); }
QScrollBar* TFVisualizar::horizontalScrollBar() const { return area_->horizontalScrollBar(); }
QScrollBar* TFVisualizar::verticalScrollBar() const { return area_->verticalScrollBar(); }

std::size_t TFVisualizar::NumRotulos() const
{
    std::size_t n = 0;
    for (const TLinhaSobreposta& l : sobreposicao_)
        n += l.ComNumero ? 1 : 0;
    return n;
}

std::vector<gis::TRetangulo> TFVisualizar::RotulosDesenhados() const
{
    std::vector<gis::TRetangulo> r;
    for (const TRotuloTela& t : rotulos_)
        if (t.Desenhar)
            r.push_back(t.Lugar);
    return r;
}

void TFVisualizar::MostrarImagem(const fs::path& caminho, int paleta, int zoom)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct Cursor {
        ~Cursor() { QApplication::restoreOverrideCursor(); }
    } cursor;
    // Everything is read before the window changes, so a failure leaves it
    // as it was.
    const gis::TPaleta cores = gis::CarregarPaleta(gis::CaminhoPaleta(paleta));
    gis::TMemoryRaster novo;
    const gis::TMemoryRaster* raster = &raster_;
    if (!caminho.empty()) {
        if (!novo.CarregarRaster(caminho))
            throw gis::EArquivoGis("Arquivo " + caminho.string() + " nao existe.");
        raster = &novo;
    }
    if (raster->Colunas <= 0 || raster->Linhas <= 0)
        throw gis::EArquivoGis("O arquivo raster não tem células.");
    QImage imagem(raster->Colunas, raster->Linhas, QImage::Format_RGB32);
    if (imagem.isNull())
        throw gis::EArquivoGis("Memória insuficiente para exibir a imagem.");
    gis::ConstruirImagem(*raster, cores, reinterpret_cast<std::uint32_t*>(imagem.bits()),
                         imagem.bytesPerLine() / 4);

    const bool novoArquivo = !caminho.empty();
    if (novoArquivo) {
        raster_ = std::move(novo);
        caminho_ = caminho;
        setWindowTitle(NomeArquivo(caminho));
    }
    paleta_ = paleta;
    cores_ = cores;
    modoVetor_ = false;
    imagem_ = std::move(imagem);
    const gis::TDadosLegenda dados = gis::DadosLegenda(raster_);
    legenda_->Definir(dados, cores_);
    legenda_->show();
    sonda_->SoCoordenadas(false);
    sonda_->Unidade->setText(Q(dados.Unidade));
    zoom_ = novoArquivo ? Dimensionar(zoom) : std::clamp(zoom, gis::kZoomMinimo, gis::kZoomMaximo);
    AtualizarZoom();
    show();
}

void TFVisualizar::MostrarVetor(const fs::path& caminho)
{
    gis::TVetor vetor;
    if (!vetor.CarregarVetor(caminho))
        throw gis::EArquivoGis("Arquivo " + caminho.string() + " nao existe.");
    setWindowTitle(NomeArquivo(caminho));
    modoVetor_ = true;
    for (QAction* a : {AcaoSobrepor, AcaoRemover, separador_, AcaoPaleta})
        a->setVisible(false);
    legenda_->hide();
    sonda_->SoCoordenadas(true);
    vetor_ = std::move(vetor);
    caminho_ = caminho;

    // The drawing fills the room the main window has for it.
    imagem_ = QImage();
    Dimensionar(gis::kZoomAjustar); // the whole free area, to measure the room
    const QSize vista = viewport()->size();
    const gis::TTamanho t = gis::TamanhoImagemVetor(vetor_, vista.width(), vista.height(), 0, 0, 0);
    imagem_ = QImage(t.Largura, t.Altura, QImage::Format_RGB32);
    imagem_.fill(Qt::white);
    QPainter pintor(&imagem_);
    pintor.setPen(Qt::black);
    for (const gis::TLinhaImagem& l : gis::LinhasDoVetor(vetor_, t)) {
        std::vector<QPoint> pontos;
        pontos.reserve(l.Pontos.size());
        for (const gis::TPontoImagem& pt : l.Pontos)
            pontos.emplace_back(pt.X, pt.Y);
        if (pontos.size() == 1)
            pintor.drawPoint(pontos[0]);
        else
            pintor.drawPolyline(pontos.data(), static_cast<int>(pontos.size()));
    }
    pintor.end();
    zoom_ = Dimensionar(100);
    AtualizarZoom();
    show();
}

int TFVisualizar::Dimensionar(int pedido)
{
    auto* quadro = qobject_cast<QMdiSubWindow*>(parentWidget());
    QMdiArea* mdi = quadro ? quadro->mdiArea() : nullptr;
    const gis::TTamanho imagem{imagem_.width(), imagem_.height()};
    if (!mdi)
        return std::clamp(pedido > 0 ? pedido : 100, gis::kZoomMinimo, gis::kZoomMaximo);

    const QSize area = mdi->viewport()->size();
    int outras = 0;
    for (QMdiSubWindow* s : mdi->subWindowList())
        outras += s != quadro && s->isVisible() && !s->isMinimized() ? 1 : 0;
    const gis::TPosicao canto = gis::CantoJanela(outras, {area.width(), area.height()});
    const gis::TTamanho livre{area.width() - canto.X, area.height() - canto.Y};

    // Around the picture: the child window's frame and title, the legend
    // and the value strip.
    const QMargins m = quadro->contentsMargins();
    const int legenda = legenda_->isVisibleTo(this) ? legenda_->sizeHint().width() : 0;
    const int faixa = sonda_->isVisibleTo(this) ? sonda_->sizeHint().height() : 0;
    const gis::TTamanho moldura{m.left() + m.right() + legenda, m.top() + m.bottom() + faixa};
    const gis::TTamanho barras{area_->verticalScrollBar()->sizeHint().width(),
                               area_->horizontalScrollBar()->sizeHint().height()};
    const gis::TTamanho minimo{m.left() + m.right() + sonda_->minimumSizeHint().width(),
                               m.top() + m.bottom() + faixa +
                                   (legenda ? legenda_->minimumSizeHint().height() : 0)};
    const gis::TTamanho espaco{livre.Largura - moldura.Largura, livre.Altura - moldura.Altura};
    const int zoom = imagem.Largura > 0 ? gis::ZoomInicial(imagem, espaco, pedido) : 100;
    const gis::TTamanho exibido = imagem.Largura > 0
                                      ? gis::TTamanho{gis::TamanhoExibido(imagem.Largura, zoom),
                                                      gis::TamanhoExibido(imagem.Altura, zoom)}
                                      : espaco;
    const gis::TTamanho t = gis::TamanhoJanela(exibido, livre, moldura, barras, minimo);
    if (!quadro->isMaximized()) {
        quadro->setGeometry(canto.X, canto.Y, t.Largura, t.Altura);
        // The picture area takes its size now, for whoever asks before the
        // window is shown.
        resize(t.Largura - m.left() - m.right(), t.Altura - m.top() - m.bottom());
        layout()->activate();
    }
    return zoom;
}

void TFVisualizar::AtualizarZoom()
{
    exibido_ = {gis::TamanhoExibido(imagem_.width(), zoom_), gis::TamanhoExibido(imagem_.height(), zoom_)};
    rotulos_ = Rotulos(zoom_);
    AcaoZoomMais->setEnabled(zoom_ < gis::kZoomMaximo);
    AcaoZoomMenos->setEnabled(zoom_ > gis::kZoomMinimo);
    sonda_->Zoom->setText(QString::number(zoom_) + QLatin1Char('%'));
    AtualizarBarras();
    viewport()->update();
}

void TFVisualizar::MudarZoom(int zoom, QPoint ancora)
{
    zoom = std::clamp(zoom, gis::kZoomMinimo, gis::kZoomMaximo);
    if (zoom == zoom_ || imagem_.isNull())
        return;
    const int antes = zoom_;
    const QPoint d = Deslocamento();
    const int x = gis::RolagemAposZoom(ancora.x(), horizontalScrollBar()->value(), antes, zoom, d.x());
    const int y = gis::RolagemAposZoom(ancora.y(), verticalScrollBar()->value(), antes, zoom, d.y());
    zoom_ = zoom;
    AtualizarZoom();
    horizontalScrollBar()->setValue(x);
    verticalScrollBar()->setValue(y);
}

void TFVisualizar::AtualizarBarras()
{
    // Judged on the room without scroll bars: judged on the viewport, a bar
    // shown while the window was still small would keep itself.
    const QSize total = area_->maximumViewportSize();
    const int barraV = verticalScrollBar()->sizeHint().width();
    const int barraH = horizontalScrollBar()->sizeHint().height();
    bool h = exibido_.Largura > total.width(), v = exibido_.Altura > total.height();
    v = v || (h && exibido_.Altura > total.height() - barraH);
    h = h || (v && exibido_.Largura > total.width() - barraV);
    const QSize vista(total.width() - (v ? barraV : 0), total.height() - (h ? barraH : 0));
    horizontalScrollBar()->setRange(0, std::max(0, exibido_.Largura - vista.width()));
    horizontalScrollBar()->setPageStep(vista.width());
    verticalScrollBar()->setRange(0, std::max(0, exibido_.Altura - vista.height()));
    verticalScrollBar()->setPageStep(vista.height());
}

std::vector<TFVisualizar::TRotuloTela> TFVisualizar::Rotulos(int zoom) const
{
    std::vector<TRotuloTela> rotulos;
    if (modoVetor_)
        return rotulos;
    const QFontMetrics fm(fonteRotulo_);
    std::vector<gis::TRetangulo> lugares;
    for (const TLinhaSobreposta& l : sobreposicao_) {
        if (!l.ComNumero || l.Linha.Pontos.empty())
            continue;
        TRotuloTela r;
        r.Texto = QString::number(l.Linha.Numero);
        // The white patch under the digits reaches two pixels beyond them.
        const gis::TTamanho texto{fm.horizontalAdvance(r.Texto) + 4, fm.height()};
        r.Lugar = gis::RetanguloRotulo(l.Linha.Pontos[gis::PontoDoRotulo(l.Linha.Pontos.size())], zoom, texto);
        lugares.push_back(r.Lugar);
        rotulos.push_back(r);
    }
    const std::vector<bool> desenhar = gis::RotulosSemSobreposicao(lugares);
    for (std::size_t i = 0; i < rotulos.size(); ++i)
        rotulos[i].Desenhar = desenhar[i];
    return rotulos;
}

namespace {

// An arrowhead three quarters of the way along a graded terrace (clear of
// its number, at the middle), pointing the way its water runs: to the
// line's last point, its outlet. Of a constant size on screen.
void DesenharSentido(QPainter& p, const QPolygonF& pontos)
{
    double total = 0;
    for (qsizetype i = 1; i < pontos.size(); ++i)
        total += QLineF(pontos[i - 1], pontos[i]).length();
    if (total < 12)
        return;
    double andado = 0;
    for (qsizetype i = 1; i < pontos.size(); ++i) {
        const QLineF trecho(pontos[i - 1], pontos[i]);
        const double alvo = 0.75 * total;
        if (andado + trecho.length() < alvo || trecho.length() <= 0) {
            andado += trecho.length();
            continue;
        }
        const QPointF ponta = trecho.pointAt((alvo - andado) / trecho.length());
        const double ux = trecho.dx() / trecho.length(), uy = trecho.dy() / trecho.length();
        const double l = 7, w = 4;
        const QPointF base(ponta.x() - l * ux, ponta.y() - l * uy);
        const QPolygonF seta{ponta, QPointF(base.x() - w * uy, base.y() + w * ux),
                             QPointF(base.x() + w * uy, base.y() - w * ux)};
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawPolygon(seta);
        p.restore();
        return;
    }
}

} // namespace

void TFVisualizar::PintarCena(QPainter& p, int zoom, QPoint rolagem, QSize vista,
                              const std::vector<TRotuloTela>& rotulos) const
{
    if (imagem_.isNull())
        return;
    // Only the visible part of the stretched picture is drawn.
    const double e = zoom / 100.0;
    const int largura = gis::TamanhoExibido(imagem_.width(), zoom);
    const int altura = gis::TamanhoExibido(imagem_.height(), zoom);
    const double ex = static_cast<double>(largura) / imagem_.width();
    const double ey = static_cast<double>(altura) / imagem_.height();
    const QRectF alvo(0, 0, std::min(vista.width(), largura - rolagem.x()),
                      std::min(vista.height(), altura - rolagem.y()));
    if (alvo.width() > 0 && alvo.height() > 0) {
        const QRectF origem(rolagem.x() / ex, rolagem.y() / ey, alvo.width() / ex, alvo.height() / ey);
        p.drawImage(alvo, imagem_, origem);
    }
    if (sobreposicao_.empty() || modoVetor_)
        return;

    p.save();
    p.setClipRect(QRect(QPoint(0, 0), vista), Qt::IntersectClip);
    p.save();
    // The lines stay on the picture, as the numbers stay in the view.
    p.setClipRect(alvo, Qt::IntersectClip);
    // A line of odd width is moved half a pixel so that it covers whole rows
    // of pixels instead of two halves.
    const int espessura = gis::PenaSobreposicao(zoom);
    const double meio = espessura % 2 ? 0.5 : 0.0;
    p.translate(QPointF(meio - rolagem.x(), meio - rolagem.y()));
    p.setRenderHint(QPainter::Antialiasing);
    QPen pena(Qt::black, espessura);
    pena.setCosmetic(true);
    pena.setJoinStyle(Qt::RoundJoin);
    p.setPen(pena);
    QPolygonF pontos;
    for (const TLinhaSobreposta& l : sobreposicao_) {
        pontos.clear();
        pontos.reserve(static_cast<qsizetype>(l.Linha.Pontos.size()));
        for (const gis::TPontoImagem& pt : l.Linha.Pontos)
            pontos << QPointF(pt.X * e, pt.Y * e);
        if (pontos.size() == 1)
            p.drawPoint(pontos[0]);
        else if (pontos.size() > 1)
            p.drawPolyline(pontos);
        if (l.Sentido && pontos.size() > 1)
            DesenharSentido(p, pontos);
    }
    // Outlets: blue on a waterway, red on the edge of the land.
    for (const TSaidaSobreposta& s : saidas_) {
        const QPointF c(s.Ponto.X * e, s.Ponto.Y * e);
        p.setPen(QPen(Qt::white, 1));
        p.setBrush(s.Borda ? QColor(220, 0, 0) : QColor(0, 70, 255));
        p.drawRect(QRectF(c.x() - 4, c.y() - 4, 8, 8));
    }
    p.restore();
    p.translate(-rolagem);
    p.setFont(fonteRotulo_);
    const QRect visivel(rolagem, vista);
    for (const TRotuloTela& r : rotulos) {
        const QRect lugar(r.Lugar.X, r.Lugar.Y, r.Lugar.Largura, r.Lugar.Altura);
        if (!r.Desenhar || !lugar.intersects(visivel))
            continue;
        // Blue digits on a white patch that hides the lines under them.
        p.fillRect(lugar, QColor(255, 255, 255, 215));
        p.setPen(Qt::blue);
        p.drawText(lugar, Qt::AlignCenter, r.Texto);
    }
    p.restore();
}

QImage TFVisualizar::Figura() const
{
    if (imagem_.isNull())
        return {};
    if (modoVetor_)
        return imagem_;
    const int zoom = gis::ZoomFigura({imagem_.width(), imagem_.height()}, zoom_);
    const QSize exibida(gis::TamanhoExibido(imagem_.width(), zoom), gis::TamanhoExibido(imagem_.height(), zoom));
    const int largura = TLegendaCores::Largura(legenda_->Dados(), legenda_->font());
    const int altura = std::max(exibida.height(), legenda_->minimumSizeHint().height());
    QImage figura(exibida.width() + largura, altura, QImage::Format_RGB32);
    if (figura.isNull())
        return imagem_;
    figura.fill(Qt::white);
    QPainter p(&figura);
    PintarCena(p, zoom, {}, exibida, zoom == zoom_ ? rotulos_ : Rotulos(zoom));
    TLegendaCores::Pintar(p, QRect(exibida.width(), 0, largura, altura), legenda_->Dados(), cores_, legenda_->font());
    return figura;
}

bool TFVisualizar::eventFilter(QObject* o, QEvent* e)
{
    if (o != viewport())
        return QWidget::eventFilter(o, e);
    switch (e->type()) {
    case QEvent::Paint: {
        QPainter p(viewport());
        // A picture smaller than the view is shown in its middle.
        const QPoint d = Deslocamento();
        p.translate(d);
        PintarCena(p, zoom_, {horizontalScrollBar()->value(), verticalScrollBar()->value()}, viewport()->size(),
                   rotulos_);
        return true;
    }
    case QEvent::Resize:
        AtualizarBarras();
        return false;
    case QEvent::MouseMove:
        Sondar(static_cast<QMouseEvent*>(e)->position().toPoint());
        return false;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton)
            Sondar(static_cast<QMouseEvent*>(e)->position().toPoint());
        return false;
    case QEvent::Wheel: {
        // The wheel zooms about the pointer, a step of the menu per notch;
        // sideways it scrolls.
        auto* w = static_cast<QWheelEvent*>(e);
        const QPoint d = w->angleDelta();
        if (d.y() == 0 || std::abs(d.x()) > std::abs(d.y()))
            return false;
        rodaAcumulada_ += d.y();
        int zoom = zoom_;
        for (; rodaAcumulada_ >= 120; rodaAcumulada_ -= 120)
            zoom = gis::ZoomMais(zoom);
        for (; rodaAcumulada_ <= -120; rodaAcumulada_ += 120)
            zoom = gis::ZoomMenos(zoom);
        MudarZoom(zoom, w->position().toPoint());
        w->accept();
        return true;
    }
    default:
        return false;
    }
}

void TFVisualizar::keyPressEvent(QKeyEvent* e)
{
    // + and − (of the keypad too) zoom about the middle of the picture area.
    const QPoint meio(viewport()->width() / 2, viewport()->height() / 2);
    if (!(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        if (e->key() == Qt::Key_Plus || e->key() == Qt::Key_Equal) {
            MudarZoom(gis::ZoomMais(zoom_), meio);
            return;
        }
        if (e->key() == Qt::Key_Minus || e->key() == Qt::Key_Underscore) {
            MudarZoom(gis::ZoomMenos(zoom_), meio);
            return;
        }
    }
    QWidget::keyPressEvent(e);
}

QPoint TFVisualizar::Deslocamento() const
{
    return {gis::Deslocamento(viewport()->width(), exibido_.Largura),
            gis::Deslocamento(viewport()->height(), exibido_.Altura)};
}

gis::TCelula TFVisualizar::CelulaEm(QPoint p) const
{
    p -= Deslocamento();
    return gis::CelulaSobPonteiro(p.x(), p.y(), horizontalScrollBar()->value(), verticalScrollBar()->value(), zoom_);
}

void TFVisualizar::Sondar(QPoint p)
{
    const gis::TCelula c = CelulaEm(p);
    if (modoVetor_) {
        const auto xy = gis::CoordenadasVetor(vetor_, c, exibido_);
        sonda_->X->setText(xy ? Q(gis::FormatoGeral(xy->X, 7)) : QString());
        sonda_->Y->setText(xy ? Q(gis::FormatoGeral(xy->Y, 7)) : QString());
        return;
    }
    const auto xy = gis::CoordenadasRaster(raster_, c);
    sonda_->Coluna->setText(xy ? QString::number(c.Coluna) : QString());
    sonda_->Linha->setText(xy ? QString::number(c.Linha) : QString());
    sonda_->X->setText(xy ? Q(gis::FormatoGeral(xy->X, 7)) : QString());
    sonda_->Y->setText(xy ? Q(gis::FormatoGeral(xy->Y, 7)) : QString());
    sonda_->Atributo->setText(Q(gis::ValorCelula(raster_, c)));
}

void TFVisualizar::contextMenuEvent(QContextMenuEvent* e)
{
    QMenu menu(this);
    menu.addActions({AcaoZoomMais, AcaoZoomMenos, AcaoPropriedades, AcaoPaleta, AcaoImprimir, AcaoObterValor,
                     AcaoSalvar, separador_, AcaoSobrepor, AcaoRemover});
    menu.exec(e->globalPos());
}

void TFVisualizar::ZoomMaisClick()
{
    MudarZoom(gis::ZoomMais(zoom_), QPoint(viewport()->width() / 2, viewport()->height() / 2));
}

void TFVisualizar::ZoomMenosClick()
{
    MudarZoom(gis::ZoomMenos(zoom_), QPoint(viewport()->width() / 2, viewport()->height() / 2));
}

void TFVisualizar::PropriedadesClick()
{
    if (modoVetor_) {
        TFPropriedades2 d(vetor_, windowTitle(), this);
        contexto_.Ajuda.Ligar(&d, kTopicoVisualizar);
        d.exec();
    } else {
        TFPropriedades d(raster_, windowTitle(), this);
        contexto_.Ajuda.Ligar(&d, kTopicoVisualizar);
        d.exec();
    }
}

void TFVisualizar::PaletaClick()
{
    TFPaleta d(paleta_, contexto_.Ajuda, this);
    if (d.exec() != QDialog::Accepted)
        return;
    try {
        MostrarImagem({}, d.Paletas->checkedId(), zoom_);
    } catch (const std::exception& e) {
        contexto_.Dialogos.Erro(this, Q(e.what()));
    }
}

void TFVisualizar::ImprimirClick()
{
    QPrinter impressora;
    if (!contexto_.Dialogos.Impressao(this, impressora))
        return;
    impressora.setDocName(Q(caminho_.string()));
    const QImage figura = Figura();
    const QRect pagina = impressora.pageLayout().paintRectPixels(impressora.resolution());
    const gis::TTamanho t = gis::TamanhoImpressao({figura.width(), figura.height()}, {pagina.width(), pagina.height()});
    QPainter pintor(&impressora);
    if (!pintor.isActive()) {
        contexto_.Dialogos.Erro(this, QStringLiteral("Não foi possível imprimir a imagem."));
        return;
    }
    const QRect alvo((pagina.width() - t.Largura) / 2, (pagina.height() - t.Altura) / 2, t.Largura, t.Altura);
    pintor.drawImage(alvo, figura);
}

void TFVisualizar::ObterValorClick()
{
    // Shows or hides the value strip; the picture takes or gives its room.
    sonda_->setVisible(AcaoObterValor->isChecked());
}

void TFVisualizar::SalvarImagemClick()
{
    TArquivoDialogo d;
    d.Titulo = "Salvar Imagem como ...";
    d.Filtro = "JPEG Image File (*.jpg)|*.jpg|Bitmaps (*.bmp)|*.bmp";
    d.Extensao = ".jpg";
    d.Pasta = caminho_.parent_path().string();
    const QString nome = contexto_.Dialogos.ArquivoSalvar(this, d);
    if (!nome.isEmpty())
        SalvarImagem(nome);
}

void TFVisualizar::SalvarImagem(const QString& nome)
{
    const bool jpeg = gis::GravarComoJpeg(S(nome));
    if (!Figura().save(nome, jpeg ? "JPG" : "BMP", jpeg ? 90 : -1))
        contexto_.Dialogos.Erro(this, QStringLiteral("Não foi possível gravar a imagem em ") + nome + ".");
}

void TFVisualizar::SobreporVetorClick()
{
    TArquivoDialogo d;
    d.Filtro = "*.vet|*.vet";
    d.Pasta = caminho_.parent_path().string();
    const QString nome = contexto_.Dialogos.ArquivoAbrir(this, d);
    if (nome.isEmpty())
        return;
    try {
        SobreporVetor(fs::path(S(nome)));
    } catch (const std::exception& e) {
        contexto_.Dialogos.Erro(this, Q(e.what()));
    }
}

void TFVisualizar::SobreporVetor(const fs::path& caminho)
{
    if (modoVetor_)
        return;
    gis::TVetor vetor;
    if (!vetor.CarregarVetor(caminho))
        throw gis::EArquivoGis("Arquivo " + caminho.string() + " nao existe.");
    // The terrace table of a location run lies beside its vector file.
    fs::path tabela = caminho;
    tabela.replace_extension(".bdt");
    const fs::path arquivoTabela = ResolverSemCaixa(tabela.parent_path(), tabela.filename().string());
    const bool comNumero = fs::is_regular_file(arquivoTabela);
    // Graded terraces: each line runs to its outlet; the outlets are marked.
    TTabelaGradiente gradiente;
    const bool sentido = comNumero && TTabelaGradiente::VersaoDoArquivo(arquivoTabela) == kVersaoBDTGradiente &&
                         gradiente.Carregar(arquivoTabela);
    for (gis::TLinhaImagem& l : gis::LinhasSobreRaster(vetor, raster_))
        sobreposicao_.push_back({std::move(l), comNumero, sentido});
    for (const TRegSaida& s : gradiente.Saidas)
        saidas_.push_back({gis::PontoSobreRaster(s.X, s.Y, raster_), s.Borda});
    AcaoRemover->setEnabled(true);
    AtualizarZoom();
}

void TFVisualizar::RemoverVetorClick()
{
    sobreposicao_.clear();
    saidas_.clear();
    AcaoRemover->setEnabled(false);
    AtualizarZoom();
}

// --- Open dialog ------------------------------------------------------------------

TFAbrirArq::TFAbrirArq(TContextoPrograma& contexto, QWidget* pai) : QDialog(pai), contexto_(contexto)
{
    setWindowTitle(QStringLiteral("Abrir Imagem"));
    auto* tipo = new QGroupBox(QStringLiteral(" &Tipo do arquivo "));
    auto* lt = new QVBoxLayout(tipo);
    Vetor = new QRadioButton(QStringLiteral("Vetor"));
    Raster = new QRadioButton(QStringLiteral("Raster"));
    lt->addWidget(Vetor);
    lt->addWidget(Raster);
    Raster->setChecked(true);

    auto* paleta = new QGroupBox(QStringLiteral(" &Paleta "));
    auto* lp = new QVBoxLayout(paleta);
    Paletas = GrupoPaletas(this, lp, 0);

    auto* zoom = new QGroupBox(QStringLiteral(" &Zoom "));
    auto* lz = new QVBoxLayout(zoom);
    // Fitting first: the whole picture in the window. Any zoom is lowered
    // when the picture would not show whole at it.
    Zooms = new QListWidget;
    auto* ajustar = new QListWidgetItem(QStringLiteral("Ajustar à janela"), Zooms);
    ajustar->setData(Qt::UserRole, gis::kZoomAjustar);
    for (int z : {25, 50, 75, 100, 150, 200, 250, 300, 350, 400}) {
        auto* item = new QListWidgetItem(QString::number(z) + QLatin1Char('%'), Zooms);
        item->setData(Qt::UserRole, z);
    }
    Zooms->setCurrentRow(0);
    lz->addWidget(Zooms);

    auto* arquivo = new QGroupBox(QStringLiteral(" Arquivo "));
    auto* la = new QHBoxLayout(arquivo);
    Caminho = CaixaLeitura();
    la->addWidget(Caminho);

    auto* corpo = new QVBoxLayout;
    auto* cima = new QHBoxLayout;
    cima->addWidget(tipo);
    cima->addWidget(paleta);
    cima->addWidget(zoom);
    corpo->addLayout(cima);
    corpo->addWidget(arquivo);

    Abrir = Botao(this, QStringLiteral("Abri&r..."), QStringLiteral("Abrir"));
    Ok = Botao(this, QStringLiteral("&Ok"), QStringLiteral("Ok"));
    auto* cancelar = Botao(this, QStringLiteral("&Cancelar"), QStringLiteral("Cancelar"));
    auto* ajuda = Botao(this, QStringLiteral("Aj&uda"), QStringLiteral("Ajuda"));
    Ok->setDefault(true);
    MontarDialogoFixo(this, corpo, {Abrir, Ok, cancelar, ajuda});
    contexto_.Ajuda.Ligar(this, kTopicoVisualizar, ajuda);

    connect(Vetor, &QRadioButton::toggled, this, [this, paleta, zoom](bool vetor) {
        if (vetor)
            Caminho->clear();
        paleta->setEnabled(!vetor);
        zoom->setEnabled(!vetor);
        AtualizarOk();
    });
    connect(Abrir, &QPushButton::clicked, this, &TFAbrirArq::AbrirClick);
    connect(Ok, &QPushButton::clicked, this, [this] { OkClick(); });
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(Caminho, &QLineEdit::textChanged, this, &TFAbrirArq::AtualizarOk);
    AtualizarOk();
}

void TFAbrirArq::AtualizarOk()
{
    const QString p = Caminho->text();
    Ok->setEnabled(!p.isEmpty() && fs::is_regular_file(fs::path(S(p))));
}

void TFAbrirArq::AbrirClick()
{
    TArquivoDialogo d;
    d.Filtro = Vetor->isChecked() ? "*.vet|*.vet" : "*.ras|*.ras";
    d.Pasta = PastaPrograma().string();
    const QString nome = contexto_.Dialogos.ArquivoAbrir(this, d);
    if (!nome.isEmpty())
        Caminho->setText(nome);
}

TFVisualizar* TFAbrirArq::OkClick()
{
    if (!Ok->isEnabled())
        return nullptr;
    hide();
    QApplication::processEvents();
    const bool vetor = Vetor->isChecked();
    const fs::path caminho(S(Caminho->text()));
    const int zoom = Zooms->currentItem() ? Zooms->currentItem()->data(Qt::UserRole).toInt() : gis::kZoomAjustar;

    auto* janela = new TFVisualizar(contexto_);
    // The viewer sizes its own child window to the picture.
    QWidget* quadro = CriarFilha(contexto_, janela, false);
    try {
        if (vetor)
            janela->MostrarVetor(caminho);
        else
            janela->MostrarImagem(caminho, Paletas->checkedId(), zoom);
    } catch (const std::exception& e) {
        contexto_.Dialogos.Erro(contexto_.Principal, Q(e.what()));
        delete quadro;
        reject();
        return nullptr;
    }
    if (quadro != janela)
        MostrarFilha(quadro);
    accept();
    return janela;
}

static const TRegistroFerramenta registro(TFerramenta::Visualizar, [](TContextoPrograma& c) {
    TFAbrirArq dialogo(c, c.Principal);
    dialogo.exec();
});

// --- Palette and properties -------------------------------------------------------------

TFPaleta::TFPaleta(int paleta, TAjuda& ajuda, QWidget* pai) : QDialog(pai)
{
    setWindowTitle(QStringLiteral("Paleta"));
    auto* corpo = new QVBoxLayout;
    Paletas = GrupoPaletas(this, corpo, std::clamp(paleta, 0, gis::kNumPaletas - 1));
    auto* ok = Botao(this, QStringLiteral("&Ok"), QStringLiteral("Ok"));
    auto* cancelar = Botao(this, QStringLiteral("&Cancelar"), QStringLiteral("Cancelar"));
    auto* botaoAjuda = Botao(this, QStringLiteral("Aj&uda"), QStringLiteral("Ajuda"));
    ok->setDefault(true);
    MontarDialogoFixo(this, corpo, {ok, cancelar, botaoAjuda});
    ajuda.Ligar(this, kTopicoVisualizar, botaoAjuda);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
}

namespace {

void BotoesPropriedades(QDialog* d, QFormLayout* f)
{
    auto* ok = Botao(d, QStringLiteral("&Ok"), QStringLiteral("Ok"));
    auto* cancelar = Botao(d, QStringLiteral("&Cancelar"), QStringLiteral("Cancelar"));
    auto* ajuda = Botao(d, QStringLiteral("Aj&uda"), QStringLiteral("Ajuda"));
    ok->setDefault(true);
    MontarDialogoFixo(d, f, {ok, cancelar, ajuda});
    QObject::connect(ok, &QPushButton::clicked, d, &QDialog::accept);
    QObject::connect(cancelar, &QPushButton::clicked, d, &QDialog::reject);
}

void Linha(QFormLayout* f, const QString& rotulo, const QString& valor)
{
    auto* caixa = CaixaLeitura(valor);
    caixa->setObjectName(rotulo);
    f->addRow(rotulo, caixa);
}

} // namespace

TFPropriedades::TFPropriedades(const gis::TCabecalhoRaster& r, const QString& legenda, QWidget* pai) : QDialog(pai)
{
    setWindowTitle(QStringLiteral("Propriedades da imagem ") + legenda);
    auto* f = new QFormLayout;
    auto* grupo = new QGroupBox(QStringLiteral("Tipo do arquivo"));
    auto* lg = new QFormLayout(grupo);
    Linha(lg, QStringLiteral("Tipo"), Q(gis::NomeTipoCelula(r.TipoCelula)));
    f->addRow(grupo);
    QString minimo, maximo;
    switch (r.TipoCelula) {
    case 'I':
        minimo = QString::number(r.ValorMinInteiro);
        maximo = QString::number(r.ValorMaxInteiro);
        break;
    case 'B':
        minimo = QString::number(r.ValorMinByte);
        maximo = QString::number(r.ValorMaxByte);
        break;
    default:
        minimo = Real(r.ValorMin);
        maximo = Real(r.ValorMax);
    }
    const gis::TCoordenadas pixel = gis::TamanhoPixel(r);
    Linha(f, QStringLiteral("Título:"), Q(r.Titulo));
    Linha(f, QStringLiteral("Unidade de distância:"), Q(r.Unidade).trimmed());
    Linha(f, QStringLiteral("Mínimo X:"), Real(r.XMin));
    Linha(f, QStringLiteral("Máximo X:"), Real(r.XMax));
    Linha(f, QStringLiteral("Mínimo Y:"), Real(r.YMin));
    Linha(f, QStringLiteral("Máximo Y:"), Real(r.YMax));
    Linha(f, QStringLiteral("Colunas:"), QString::number(r.Colunas));
    Linha(f, QStringLiteral("Linhas:"), QString::number(r.Linhas));
    Linha(f, QStringLiteral("Valor mínimo:"), minimo);
    Linha(f, QStringLiteral("Valor máximo:"), maximo);
    Linha(f, QStringLiteral("Tamanho do pixel:"), Real(pixel.X) + QStringLiteral(" X ") + Real(pixel.Y));
    BotoesPropriedades(this, f);
}

TFPropriedades2::TFPropriedades2(const gis::TVetor& v, const QString& legenda, QWidget* pai) : QDialog(pai)
{
    setWindowTitle(QStringLiteral("Propriedades do vetor ") + legenda);
    auto* f = new QFormLayout;
    Linha(f, QStringLiteral("Título:"), Q(v.Titulo));
    Linha(f, QStringLiteral("Unidade de Distância:"), Q(v.Unidade).trimmed());
    Linha(f, QStringLiteral("Mínimo X:"), Real(v.XMin));
    Linha(f, QStringLiteral("Máximo X:"), Real(v.XMax));
    Linha(f, QStringLiteral("Mínimo Y:"), Real(v.YMin));
    Linha(f, QStringLiteral("Máximo Y:"), Real(v.YMax));
    BotoesPropriedades(this, f);
}

} // namespace vastrel::gui

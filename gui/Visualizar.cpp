#include "Visualizar.h"

#include "Ajuda.h"
#include "Dialogos.h"

#include "common/Format.h"
#include "common/Pastas.h"
#include "gis/Paleta.h"

#include <QApplication>
#include <QButtonGroup>
#include <QContextMenuEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
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

namespace fs = std::filesystem;

namespace vastrel::gui {

namespace {

TFObterValor* sonda = nullptr;
int numVisualizadores = 0;

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

// --- Value probe -------------------------------------------------------------

TFObterValor::TFObterValor(QWidget* pai) : QWidget(pai, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("FObterValor"));
    setWindowTitle(QString());
    auto* f = new QFormLayout(this);
    auto linha = [f](const QString& rotulo, QLineEdit*& caixa) {
        caixa = CaixaLeitura();
        auto* l = new QLabel(rotulo);
        l->setBuddy(caixa);
        f->addRow(l, caixa);
    };
    linha(QStringLiteral("&Linha"), Linha);
    linha(QStringLiteral("&Coluna"), Coluna);
    linha(QStringLiteral("X"), X);
    linha(QStringLiteral("Y"), Y);
    linha(QStringLiteral("Atributo"), Atributo);
}

// --- Viewer ----------------------------------------------------------------------

TFVisualizar::TFVisualizar(TContextoPrograma& contexto, QWidget* pai) : QAbstractScrollArea(pai), contexto_(contexto)
{
    ++numVisualizadores;
    setAttribute(Qt::WA_DeleteOnClose);
    viewport()->setCursor(Qt::CrossCursor);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(true);
    QPalette p = viewport()->palette();
    p.setColor(QPalette::Window, Qt::white);
    viewport()->setPalette(p);

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
    AcaoSalvar = acao(QStringLiteral("&Salvar Imagem como ..."), &TFVisualizar::SalvarImagemClick);
    separador_ = new QAction(this);
    separador_->setSeparator(true);
    AcaoSobrepor = acao(QStringLiteral("S&obrepor Arquivo Vetor"), &TFVisualizar::SobreporVetorClick);
    AcaoRemover = acao(QStringLiteral("&Remover Arquivo Vetor"), &TFVisualizar::RemoverVetorClick);
    AcaoRemover->setEnabled(false);
    contexto_.Ajuda.Ligar(this, kTopicoVisualizar);
}

TFVisualizar::~TFVisualizar()
{
    // The probe goes with the last viewer.
    if (--numVisualizadores == 0 && sonda) {
        sonda->close();
        sonda->deleteLater();
        sonda = nullptr;
    }
}

TFObterValor* TFVisualizar::Sonda() { return sonda; }

std::size_t TFVisualizar::NumRotulos() const
{
    std::size_t n = 0;
    for (const TLinhaSobreposta& l : sobreposicao_)
        n += l.ComNumero ? 1 : 0;
    return n;
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

    if (!caminho.empty()) {
        raster_ = std::move(novo);
        caminho_ = caminho;
        setWindowTitle(NomeArquivo(caminho));
    }
    paleta_ = paleta;
    zoom_ = std::clamp(zoom, gis::kZoomMinimo, gis::kZoomMaximo);
    modoVetor_ = false;
    imagem_ = std::move(imagem);
    AcaoZoomMais->setEnabled(zoom_ < gis::kZoomMaximo);
    AcaoZoomMenos->setEnabled(zoom_ > gis::kZoomMinimo);
    AtualizarCopia();
    AplicarZoom();
    show();
    AbrirSonda();
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
    vetor_ = std::move(vetor);
    caminho_ = caminho;
    zoom_ = 100;

    // The picture fills the room the main window has for it.
    QWidget* area = parentWidget() && parentWidget()->parentWidget() ? parentWidget()->parentWidget() : nullptr;
    const QSize cliente = area ? area->size() : QSize(800, 600);
    const QWidget* quadro = parentWidget() ? parentWidget() : this;
    const QPoint p = viewport()->mapTo(const_cast<QWidget*>(quadro), QPoint(0, 0)) + quadro->pos();
    const int b = quadro->height() - viewport()->height();
    const gis::TTamanho t = gis::TamanhoImagemVetor(vetor_, cliente.width(), cliente.height(), p.x(), p.y(), b);
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
    copia_ = imagem_;
    AcaoZoomMais->setEnabled(true);
    AcaoZoomMenos->setEnabled(true);
    AplicarZoom();
    show();
    AbrirSonda();
}

void TFVisualizar::AtualizarCopia()
{
    copia_ = imagem_; // shared until the overlay is drawn on it
    if (sobreposicao_.empty() || modoVetor_)
        return;
    const gis::TEstiloSobreposicao estilo = gis::EstiloSobreposicao(zoom_);
    QPainter pintor(&copia_);
    pintor.setPen(QPen(Qt::black, estilo.Pena));
    QFont fonte = pintor.font();
    fonte.setPointSize(estilo.Texto);
    pintor.setFont(fonte);
    std::vector<QPoint> pontos;
    for (const TLinhaSobreposta& l : sobreposicao_) {
        pontos.clear();
        for (const gis::TPontoImagem& pt : l.Linha.Pontos)
            pontos.emplace_back(pt.X, pt.Y);
        if (pontos.empty())
            continue;
        pintor.setPen(QPen(Qt::black, estilo.Pena));
        if (pontos.size() == 1)
            pintor.drawPoint(pontos[0]);
        else
            pintor.drawPolyline(pontos.data(), static_cast<int>(pontos.size()));
        if (l.ComNumero) {
            pintor.setPen(Qt::blue);
            pintor.drawText(pontos[gis::PontoDoRotulo(pontos.size())], QString::number(l.Linha.Numero));
        }
    }
}

void TFVisualizar::AplicarZoom()
{
    exibido_ = {gis::TamanhoExibido(imagem_.width(), zoom_), gis::TamanhoExibido(imagem_.height(), zoom_)};
    auto* quadro = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (quadro && quadro->mdiArea()) {
        const QWidget* area = quadro->mdiArea()->viewport();
        const QPoint p = viewport()->mapTo(quadro, QPoint(0, 0)) + quadro->pos();
        gis::TGeometriaJanela g;
        g.Exibido = exibido_;
        g.ClientePrincipal = {area->width(), area->height()};
        g.PX = p.x();
        g.PY = p.y();
        g.Moldura = {quadro->width() - viewport()->width(), quadro->height() - viewport()->height()};
        g.SoVetor = modoVetor_;
        const gis::TTamanho t = gis::TamanhoJanela(g);
        quadro->resize(t.Largura, t.Altura);
    }
    resizeEvent(nullptr);
    viewport()->update();
}

void TFVisualizar::resizeEvent(QResizeEvent* e)
{
    if (e)
        QAbstractScrollArea::resizeEvent(e);
    horizontalScrollBar()->setRange(0, std::max(0, exibido_.Largura - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    verticalScrollBar()->setRange(0, std::max(0, exibido_.Altura - viewport()->height()));
    verticalScrollBar()->setPageStep(viewport()->height());
}

void TFVisualizar::paintEvent(QPaintEvent*)
{
    if (copia_.isNull())
        return;
    QPainter pintor(viewport());
    // Only the visible part of the stretched copy is drawn.
    const double ex = static_cast<double>(exibido_.Largura) / copia_.width();
    const double ey = static_cast<double>(exibido_.Altura) / copia_.height();
    const QRectF alvo(0, 0, std::min(viewport()->width(), exibido_.Largura - horizontalScrollBar()->value()),
                      std::min(viewport()->height(), exibido_.Altura - verticalScrollBar()->value()));
    if (alvo.width() <= 0 || alvo.height() <= 0 || ex <= 0 || ey <= 0)
        return;
    const QRectF origem(horizontalScrollBar()->value() / ex, verticalScrollBar()->value() / ey, alvo.width() / ex,
                        alvo.height() / ey);
    pintor.drawImage(alvo, copia_, origem);
}

gis::TCelula TFVisualizar::CelulaEm(QPoint p) const
{
    return gis::CelulaSobPonteiro(p.x(), p.y(), horizontalScrollBar()->value(), verticalScrollBar()->value(), zoom_);
}

void TFVisualizar::mouseMoveEvent(QMouseEvent* e)
{
    if (!sonda)
        return;
    const gis::TCelula c = CelulaEm(e->position().toPoint());
    if (modoVetor_) {
        const auto xy = gis::CoordenadasVetor(vetor_, c, exibido_);
        sonda->X->setText(xy ? Q(gis::FormatoGeral(xy->X, 7)) : QString());
        sonda->Y->setText(xy ? Q(gis::FormatoGeral(xy->Y, 7)) : QString());
        return;
    }
    const auto xy = gis::CoordenadasRaster(raster_, c);
    sonda->Coluna->setText(xy ? QString::number(c.Coluna) : QString());
    sonda->Linha->setText(xy ? QString::number(c.Linha) : QString());
    sonda->X->setText(xy ? Q(gis::FormatoGeral(xy->X, 7)) : QString());
    sonda->Y->setText(xy ? Q(gis::FormatoGeral(xy->Y, 7)) : QString());
}

void TFVisualizar::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton || modoVetor_ || !sonda)
        return;
    sonda->Atributo->setText(Q(gis::ValorCelula(raster_, CelulaEm(e->position().toPoint()))));
}

void TFVisualizar::contextMenuEvent(QContextMenuEvent* e)
{
    QMenu menu(this);
    menu.addActions({AcaoZoomMais, AcaoZoomMenos, AcaoPropriedades, AcaoPaleta, AcaoImprimir, AcaoObterValor,
                     AcaoSalvar, separador_, AcaoSobrepor, AcaoRemover});
    menu.exec(e->globalPos());
}

void TFVisualizar::AbrirSonda()
{
    if (!sonda) {
        sonda = new TFObterValor(contexto_.Principal);
        sonda->adjustSize();
    }
    if (auto* principal = contexto_.Principal) {
        const QRect cliente = principal->contentsRect();
        sonda->move(principal->mapToGlobal(QPoint(cliente.width() - sonda->width() - 5,
                                                  principal->height() - cliente.height() + 26)));
    }
    sonda->show();
}

void TFVisualizar::ZoomMaisClick()
{
    zoom_ = gis::ZoomMais(zoom_);
    AcaoZoomMais->setEnabled(zoom_ < gis::kZoomMaximo);
    AcaoZoomMenos->setEnabled(true);
    AtualizarCopia();
    AplicarZoom();
}

void TFVisualizar::ZoomMenosClick()
{
    zoom_ = gis::ZoomMenos(zoom_);
    AcaoZoomMenos->setEnabled(zoom_ > gis::kZoomMinimo);
    AcaoZoomMais->setEnabled(true);
    AtualizarCopia();
    AplicarZoom();
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
        AcaoRemover->setEnabled(false);
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
    const QRect pagina = impressora.pageLayout().paintRectPixels(impressora.resolution());
    const gis::TTamanho t = gis::TamanhoImpressao({copia_.width(), copia_.height()}, {pagina.width(), pagina.height()});
    QPainter pintor(&impressora);
    if (!pintor.isActive()) {
        contexto_.Dialogos.Erro(this, QStringLiteral("Não foi possível imprimir a imagem."));
        return;
    }
    const QRect alvo((pagina.width() - t.Largura) / 2, (pagina.height() - t.Altura) / 2, t.Largura, t.Altura);
    pintor.drawImage(alvo, copia_);
}

void TFVisualizar::ObterValorClick() { AbrirSonda(); }

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
    if (!copia_.save(nome, jpeg ? "JPG" : "BMP", jpeg ? 90 : -1))
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
    const bool comNumero = fs::is_regular_file(ResolverSemCaixa(tabela.parent_path(), tabela.filename().string()));
    for (gis::TLinhaImagem& l : gis::LinhasSobreRaster(vetor, raster_))
        sobreposicao_.push_back({std::move(l), comNumero});
    AcaoRemover->setEnabled(true);
    AtualizarCopia();
    viewport()->update();
}

void TFVisualizar::RemoverVetorClick()
{
    sobreposicao_.clear();
    AcaoRemover->setEnabled(false);
    AtualizarCopia();
    viewport()->update();
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
    Zooms = new QListWidget;
    for (const char* z : {"25%", "50%", "75%", "100%", "150%", "200%", "250%", "300%", "350%", "400%"})
        Zooms->addItem(QString::fromLatin1(z));
    Zooms->setCurrentRow(3);
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
    QString texto = Zooms->currentItem() ? Zooms->currentItem()->text() : QStringLiteral("100%");
    const int zoom = texto.remove(QLatin1Char('%')).toInt();

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

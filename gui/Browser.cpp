#include "Browser.h"

#include "Ajuda.h"
#include "Dialogos.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QCheckBox>
#include <QDate>
#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTime>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWindowStateChangeEvent>

#include <algorithm>
#include <cmath>
#include <memory>

namespace vastrel::gui {

namespace {

QUrl UrlDe(const std::filesystem::path& p) { return QUrl::fromLocalFile(QString::fromStdString(p.string())); }

bool Externa(const QUrl& url)
{
    const QString esquema = url.scheme().toLower();
    return esquema == QLatin1String("http") || esquema == QLatin1String("https") ||
           esquema == QLatin1String("mailto") || esquema == QLatin1String("ftp");
}

} // namespace

bool TBrowser::MostrarDocumento(const std::filesystem::path& pagina, QWidget* pai)
{
    TFBrowser janela(dialogos_, pagina, HelpContext, ShowAbout, pai);
    janela.Sobre = Sobre;
    janela.setWindowState(Qt::WindowMaximized);
    return janela.exec() == QDialog::Accepted;
}

TFBrowser::TFBrowser(TDialogos& dialogos, const std::filesystem::path& inicio, int helpContext,
                     bool showAbout, QWidget* pai)
    : QDialog(pai), dialogos_(dialogos), inicio_url_(UrlDe(inicio)), helpContext_(helpContext)
{
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowIcon(QApplication::windowIcon());
    setWindowTitle(QStringLiteral("Vastrel 3.0"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    // Commands: one action each, the menu showing its text and the toolbar
    // its icon text.
    auto acao = [this](const QString& menu, const QString& barra, auto slot) {
        auto* a = new QAction(menu, this);
        a->setIconText(barra);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    voltar_ = acao(QStringLiteral("&Voltar"), QStringLiteral("Voltar"), &TFBrowser::Voltar);
    avancar_ = acao(QStringLiteral("&Avançar"), QStringLiteral("Avançar"), &TFBrowser::Avancar);
    inicio_ = acao(QStringLiteral("&Início"), QStringLiteral("Início"), &TFBrowser::Inicio);
    localizar_ = acao(QStringLiteral("&Localizar"), QStringLiteral("Localizar"), &TFBrowser::AbrirLocalizar);
    imprimir_ = acao(QStringLiteral("&Imprimir"), QStringLiteral("Imprimir"), &TFBrowser::ImprimirClick);
    QAction* sair = acao(QStringLiteral("&Sair"), QStringLiteral("      Sair       "), &QDialog::reject);
    QAction* ajuda = acao(QStringLiteral("Ajuda"), QStringLiteral("Ajuda"), &TFBrowser::AjudaClick);
    voltar_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
    avancar_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
    localizar_->setShortcut(QKeySequence::Find);
    imprimir_->setShortcut(QKeySequence::Print);
    ajuda->setShortcut(QKeySequence(Qt::Key_F1));

    auto* menus = new QMenuBar(this);
    QMenu* arquivo = menus->addMenu(QStringLiteral("&Arquivo"));
    arquivo->addAction(sair);
    QMenu* exibir = menus->addMenu(QStringLiteral("&Exibir"));
    exibir->addAction(inicio_);
    exibir->addAction(avancar_);
    exibir->addAction(voltar_);
    menus->addAction(localizar_);
    menus->addAction(imprimir_);
    QMenu* menuAjuda = menus->addMenu(QStringLiteral("&Ajuda"));
    QAction* conteudo = menuAjuda->addAction(QStringLiteral("Conteúdo"));
    connect(conteudo, &QAction::triggered, this, [this] { Navegar(UrlDe(PaginaDeAjuda(kTopicoConteudo))); });
    sepSobre_ = menuAjuda->addSeparator();
    sobre_ = menuAjuda->addAction(QStringLiteral("Sobre"));
    connect(sobre_, &QAction::triggered, this, [this] {
        if (Sobre)
            Sobre(this);
    });
    sobre_->setVisible(showAbout);
    sepSobre_->setVisible(showAbout);
    layout->setMenuBar(menus);

    auto* barra = new QToolBar(this);
    barra->setToolButtonStyle(Qt::ToolButtonTextOnly);
    barra->addAction(voltar_);
    barra->addAction(avancar_);
    barra->addAction(inicio_);
    barra->addSeparator();
    barra->addAction(localizar_);
    barra->addAction(imprimir_);
    barra->addSeparator();
    barra->addAction(ajuda);
    barra->addAction(sair);
    layout->addWidget(barra);

    viewer_ = new QTextBrowser(this);
    viewer_->setOpenLinks(false);
    QPalette fundo = viewer_->palette();
    fundo.setColor(QPalette::Base, Qt::white);
    fundo.setColor(QPalette::Text, Qt::black);
    viewer_->setPalette(fundo);
    QFont fonte(QStringLiteral("Times New Roman"));
    fonte.setPointSize(12);
    viewer_->document()->setDefaultFont(fonte);
    viewer_->document()->setDefaultStyleSheet(
        QStringLiteral("pre, code, tt { font-family: 'Courier New', monospace; }"));
    connect(viewer_, &QTextBrowser::anchorClicked, this, &TFBrowser::Navegar);
    connect(viewer_, &QTextBrowser::highlighted, this,
            [this](const QUrl& url) { painelTexto_->setText(url.isEmpty() ? QString() : url.toDisplayString()); });
    layout->addWidget(viewer_, 1);

    auto* status = new QStatusBar(this);
    status->setSizeGripEnabled(false);
    painelTexto_ = new QLabel(status);
    painelHora_ = new QLabel(status);
    painelHora_->setFixedWidth(100);
    painelHora_->setAlignment(Qt::AlignCenter);
    status->addWidget(painelTexto_, 1);
    status->addPermanentWidget(painelHora_);
    layout->addWidget(status);
    auto* relogio = new QTimer(this);
    auto hora = [this] { painelHora_->setText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss"))); };
    connect(relogio, &QTimer::timeout, this, hora);
    relogio->start(1000);
    hora();

    // At most the screen, at least three quarters of it.
    if (const QScreen* tela = screen()) {
        const QSize s = tela->availableGeometry().size();
        setMaximumSize(s);
        setMinimumSize(static_cast<int>(std::lround(s.width() * 0.75)),
                       static_cast<int>(std::lround(s.height() * 0.75)));
    }
    AtualizarComandos();
}

void TFBrowser::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    // The start page is loaded when the window first appears. Coming back
    // to the window (after the find or print dialog) keeps the page read.
    if (!iniciado_) {
        iniciado_ = true;
        Navegar(inicio_url_);
    }
}

void TFBrowser::changeEvent(QEvent* e)
{
    QDialog::changeEvent(e);
    if (e->type() != QEvent::WindowStateChange)
        return;
    const auto* mudanca = static_cast<QWindowStateChangeEvent*>(e);
    if ((mudanca->oldState() & Qt::WindowMaximized) && !(windowState() & Qt::WindowMaximized) && screen()) {
        const QRect tela = screen()->availableGeometry();
        move(tela.left() + static_cast<int>(std::lround((tela.width() - width()) / 2.0)),
             tela.top() + static_cast<int>(std::lround((tela.height() - height()) / 2.0)));
    }
}

void TFBrowser::Navegar(const QUrl& endereco)
{
    const QUrl url = viewer_->source().isValid() ? viewer_->source().resolved(endereco) : endereco;
    if (Externa(url)) {
        if (!QDesktopServices::openUrl(url))
            dialogos_.Erro(this, QStringLiteral("Não foi possível abrir a página escolhida."));
        return;
    }
    // A new page drops the pages ahead of the current one and heads the
    // history, which keeps the 15 most recent.
    historico_.erase(historico_.begin(), historico_.begin() + indice_);
    historico_.insert(historico_.begin(), url);
    if (historico_.size() > static_cast<std::size_t>(kMaxHistorico))
        historico_.resize(kMaxHistorico);
    indice_ = 0;
    Mostrar(url);
}

void TFBrowser::Voltar()
{
    if (indice_ + 1 < static_cast<int>(historico_.size()))
        Mostrar(historico_[static_cast<std::size_t>(++indice_)]);
}

void TFBrowser::Avancar()
{
    if (indice_ > 0)
        Mostrar(historico_[static_cast<std::size_t>(--indice_)]);
}

void TFBrowser::Inicio() { Navegar(inicio_url_); }

void TFBrowser::Mostrar(const QUrl& url)
{
    // While the page loads nothing that depends on it can run.
    for (QAction* a : {voltar_, avancar_, localizar_, imprimir_})
        a->setEnabled(false);
    const bool existe = !url.isLocalFile() || QFileInfo::exists(url.toLocalFile());
    if (existe) {
        viewer_->setSource(url);
        carregado_ = !viewer_->document()->isEmpty();
    } else {
        viewer_->clear();
        carregado_ = false;
    }
    const QString titulo = viewer_->documentTitle();
    setWindowTitle(titulo.isEmpty() ? QFileInfo(url.path()).fileName() : titulo);
    AtualizarComandos();
    viewer_->setFocus();
}

void TFBrowser::AtualizarComandos()
{
    avancar_->setEnabled(indice_ > 0);
    voltar_->setEnabled(indice_ + 1 < static_cast<int>(historico_.size()));
    localizar_->setEnabled(carregado_);
    imprimir_->setEnabled(carregado_);
}

bool TFBrowser::Localizar(const QString& texto, bool diferenciarCaixa)
{
    if (!texto.isEmpty() &&
        viewer_->find(texto, diferenciarCaixa ? QTextDocument::FindCaseSensitively : QTextDocument::FindFlags()))
        return true;
    QWidget* pai = dlgLocalizar_ && dlgLocalizar_->isVisible() ? dlgLocalizar_ : static_cast<QWidget*>(this);
    dialogos_.Informacao(pai, QStringLiteral("Nenhuma ocorrência a mais de \"") + texto + QLatin1Char('"'));
    return false;
}

void TFBrowser::AbrirLocalizar()
{
    if (!dlgLocalizar_) {
        dlgLocalizar_ = new QDialog(this);
        dlgLocalizar_->setWindowTitle(QStringLiteral("Localizar"));
        auto* grade = new QVBoxLayout(dlgLocalizar_);
        auto* linha = new QHBoxLayout;
        auto* rotulo = new QLabel(QStringLiteral("&Localizar:"), dlgLocalizar_);
        textoLocalizar_ = new QLineEdit(dlgLocalizar_);
        rotulo->setBuddy(textoLocalizar_);
        linha->addWidget(rotulo);
        linha->addWidget(textoLocalizar_, 1);
        auto* proxima = new QPushButton(QStringLiteral("&Localizar próxima"), dlgLocalizar_);
        proxima->setDefault(true);
        linha->addWidget(proxima);
        grade->addLayout(linha);
        auto* baixo = new QHBoxLayout;
        caixaLocalizar_ = new QCheckBox(QStringLiteral("Diferenciar &maiúsculas e minúsculas"), dlgLocalizar_);
        baixo->addWidget(caixaLocalizar_, 1);
        auto* cancelar = new QPushButton(QStringLiteral("Cancelar"), dlgLocalizar_);
        baixo->addWidget(cancelar);
        grade->addLayout(baixo);
        connect(proxima, &QPushButton::clicked, this,
                [this] { Localizar(textoLocalizar_->text(), caixaLocalizar_->isChecked()); });
        connect(cancelar, &QPushButton::clicked, dlgLocalizar_, &QDialog::hide);
    }
    dlgLocalizar_->show();
    dlgLocalizar_->raise();
    dlgLocalizar_->activateWindow();
    textoLocalizar_->setFocus();
    textoLocalizar_->selectAll();
}

void TFBrowser::ImprimirClick()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(windowTitle());
    printer.setFromTo(1, 9999);
    if (!dialogos_.Impressao(this, printer))
        return;
    if (printer.printRange() == QPrinter::PageRange)
        Imprimir(printer, printer.fromPage(), printer.toPage());
    else
        Imprimir(printer, 1, 9999);
}

void TFBrowser::Imprimir(QPrinter& printer, int de, int ate)
{
    std::unique_ptr<QTextDocument> doc(viewer_->document()->clone());
    doc->setBaseUrl(viewer_->source());
    printer.setFullPage(true);
    QPainter p;
    if (!p.begin(&printer)) {
        dialogos_.Erro(this, QStringLiteral("Não foi possível iniciar a impressão."));
        return;
    }
    // Print margins of 2 cm on every side; the header and footer texts sit
    // in the margins at positions given in screen pixels.
    const double dpi = printer.resolution();
    const double margem = 2.0 / 2.54 * dpi;
    const double s = dpi / 96.0;
    const QRectF papel = printer.paperRect(QPrinter::DevicePixel);
    const QRectF corpo(margem, margem, papel.width() - 2 * margem, papel.height() - 2 * margem);
    doc->documentLayout()->setPaintDevice(&printer);
    doc->setPageSize(corpo.size());
    const int paginas = doc->pageCount();

    QFont arial(QStringLiteral("Arial"), 8);
    const QFontMetricsF fm(arial, &printer);
    const QString titulo = windowTitle();
    const QString hoje = QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
    const double baseRodape = papel.height() - margem + 40 * s - fm.descent();

    bool primeira = true;
    for (int pagina = std::max(de, 1); pagina <= std::min(ate, paginas); ++pagina) {
        if (!primeira)
            printer.newPage();
        primeira = false;

        const QRectF trecho(0, (pagina - 1) * corpo.height(), corpo.width(), corpo.height());
        p.save();
        p.translate(corpo.left(), corpo.top() - trecho.top());
        p.setClipRect(trecho);
        QAbstractTextDocumentLayout::PaintContext contexto;
        contexto.clip = trecho;
        contexto.palette.setColor(QPalette::Text, Qt::black);
        doc->documentLayout()->draw(&p, contexto);
        p.restore();

        p.setFont(arial);
        p.setPen(Qt::black);
        p.drawText(QPointF(50 * s, 40 * s + fm.ascent()), titulo);
        p.drawText(QPointF(50 * s, baseRodape), hoje);
        const QString numero = QStringLiteral("Página ") + QString::number(pagina);
        p.drawText(QPointF(papel.width() - 50 * s - fm.horizontalAdvance(numero), baseRodape), numero);
    }
    p.end();
}

void TFBrowser::AjudaClick() { Navegar(UrlDe(PaginaDeAjuda(helpContext_))); }

} // namespace vastrel::gui

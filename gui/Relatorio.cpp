#include "Relatorio.h"

#include "Dialogos.h"
#include "Modulos.h"

#include "common/Cp1252.h"
#include "common/Pastas.h"
#include "project/Projeto.h"
#include "reports/RelatorioDimensionamento.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPrinter>
#include <QScreen>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

namespace vastrel::gui {

namespace {

constexpr const char* kFigura = "Bit.bmp";

} // namespace

TFRelatorio::TFRelatorio(TContextoPrograma& c, const QString& nome, const std::string& html, const QImage& grafico,
                         QWidget* pai)
    : QDialog(pai), c_(c), html_(Q(html))
{
    setWindowTitle(QStringLiteral("Relatório - ") + nome);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* barra = new QToolBar(this);
    barra->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QAction* imprimir = barra->addAction(QStringLiteral("&Imprimir"));
    imprimir->setObjectName(QStringLiteral("Imprimir"));
    imprimir->setToolTip(QStringLiteral("Imprime texto"));
    QAction* salvar = barra->addAction(QStringLiteral("&Salvar"));
    salvar->setObjectName(QStringLiteral("Salvar"));
    salvar->setToolTip(QStringLiteral("Salva o relatório em HTML ou PDF"));
    QAction* fechar = barra->addAction(QStringLiteral("Fechar"));
    fechar->setObjectName(QStringLiteral("Fechar"));
    fechar->setToolTip(QStringLiteral("Fecha texto ativo"));
    layout->addWidget(barra);
    texto_ = new QTextBrowser(this);
    texto_->setObjectName(QStringLiteral("Texto"));
    texto_->setOpenLinks(false);
    layout->addWidget(texto_);
    connect(imprimir, &QAction::triggered, this, &TFRelatorio::ImprimirClick);
    connect(salvar, &QAction::triggered, this, &TFRelatorio::SalvarClick);
    connect(fechar, &QAction::triggered, this, &QDialog::accept);

    if (!grafico.isNull() && pasta_.isValid())
        comFigura_ = grafico.save(pasta_.filePath(QString::fromLatin1(kFigura)), "BMP");
    texto_->setSearchPaths({pasta_.path(), Q(PastaPrograma().string())});

    if (QScreen* tela = QGuiApplication::primaryScreen()) {
        const QSize s = tela->availableSize();
        setMaximumSize(s);
        setMinimumSize(s * 0.8);
    }
    setWindowState(Qt::WindowMaximized);
}

void TFRelatorio::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!carregado_) {
        carregado_ = true;
        texto_->setHtml(html_);
    }
}

void TFRelatorio::ImprimirClick()
{
    QPrinter impressora(QPrinter::HighResolution);
    if (!c_.Dialogos.Impressao(this, impressora))
        return;
    if (impressora.printRange() != QPrinter::PageRange)
        impressora.setFromTo(1, 9999);
    if (!carregado_) {
        carregado_ = true;
        texto_->setHtml(html_);
    }
    texto_->document()->print(&impressora);
}

void TFRelatorio::SalvarClick()
{
    TArquivoDialogo d;
    d.Titulo = QStringLiteral("Salvar relatório");
    d.Filtro = QStringLiteral("Página HTML (*.htm)|*.htm|Documento PDF (*.pdf)|*.pdf");
    d.Extensao = QStringLiteral(".htm");
    const QString arquivo = c_.Dialogos.ArquivoSalvar(this, d);
    if (arquivo.isEmpty())
        return;
    if (!carregado_) {
        carregado_ = true;
        texto_->setHtml(html_);
    }
    if (arquivo.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        QPrinter pdf(QPrinter::HighResolution);
        pdf.setOutputFormat(QPrinter::PdfFormat);
        pdf.setOutputFileName(arquivo);
        texto_->document()->print(&pdf);
        if (!QFileInfo::exists(arquivo))
            c_.Dialogos.Erro(this, QStringLiteral("Não foi possível gravar o arquivo %1.").arg(arquivo));
        return;
    }
    QFile f(arquivo);
    const std::string bytes = Utf8ToCp1252(S(html_));
    bool ok = f.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
              f.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
    f.close();
    if (ok && comFigura_) {
        // The chart picture goes beside the page, under the name the page gives it.
        const QString destino = QFileInfo(arquivo).absoluteDir().filePath(QString::fromLatin1(kFigura));
        QFile::remove(destino);
        ok = QFile::copy(pasta_.filePath(QString::fromLatin1(kFigura)), destino);
    }
    if (!ok)
        c_.Dialogos.Erro(this, QStringLiteral("Não foi possível gravar o arquivo %1.").arg(arquivo));
}

void TFRelatorio::MostrarDimensionamento(TContextoPrograma& c, const QImage& grafico, QWidget* pai)
{
    TOpcoesRelatorio o;
    if (!grafico.isNull())
        o.Grafico = TFiguraRelatorio{kFigura, grafico.width(), grafico.height()};
    const std::string html = RelatorioDimensionamento(c.Projeto, o);
    TFRelatorio r(c, Q(TituloRelatorioDimensionamento(c.Projeto.Gradiente())), html, grafico, pai);
    r.exec();
}

} // namespace vastrel::gui

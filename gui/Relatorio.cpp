#include "Relatorio.h"

#include "Dialogos.h"
#include "Modulos.h"

#include "common/Cp1252.h"
#include "common/Pastas.h"
#include "project/Projeto.h"
#include "reports/ModeloRelatorio.h"
#include "reports/RelatorioDimensionamento.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPrinter>
#include <QScreen>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

namespace vastrel::gui {

namespace {

constexpr const char* kFigura = "Bit.bmp";

// The units the printed report is laid out in: pixels of 1/96 inch, those
// of the pictures' HEIGHT and WIDTH.
constexpr double kPontosPorPolegada = 96.0;

// Margins of the printed page, in millimetres.
constexpr double kMargemMm = 20.0;

bool Negrito(const QTextBlock& b)
{
    if (b.text().trimmed().isEmpty())
        return false;
    for (auto it = b.begin(); !it.atEnd(); ++it) {
        const QTextFragment f = it.fragment();
        if (f.isValid() && !f.text().trimmed().isEmpty() && f.charFormat().fontWeight() < QFont::Bold)
            return false;
    }
    return true;
}

bool TemFigura(const QTextBlock& b)
{
    for (auto it = b.begin(); !it.atEnd(); ++it)
        if (it.fragment().charFormat().isImageFormat())
            return true;
    return false;
}

// The first block after `b` with something to show.
QTextBlock Seguinte(const QTextBlock& b)
{
    for (QTextBlock n = b.next(); n.isValid(); n = n.next())
        if (!n.text().trimmed().isEmpty() || TemFigura(n))
            return n;
    return {};
}

// The first block of a table row with something to show.
QTextBlock PrimeiroDaLinha(QTextTable* t, int linha)
{
    for (int c = 0; c < t->columns(); ++c) {
        const QTextTableCell cel = t->cellAt(linha, c);
        for (QTextBlock b = cel.firstCursorPosition().block();
             b.isValid() && b.position() < cel.lastCursorPosition().position() + 1; b = b.next())
            if (!b.text().trimmed().isEmpty() || TemFigura(b))
                return b;
    }
    return {};
}

// A heading and the first block it heads.
struct TCabecalho {
    QTextBlock Titulo;
    QTextBlock Seguinte;
};

// The headings of the document in order: bold lines outside the tables, and
// table rows whose only text is one bold cell (the "Canal", "Solo" rows).
std::vector<TCabecalho> Cabecalhos(QTextDocument& doc)
{
    std::vector<TCabecalho> r;
    std::vector<QTextTable*> tabelas;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (QTextTable* t = QTextCursor(b).currentTable()) {
            if (std::find(tabelas.begin(), tabelas.end(), t) == tabelas.end())
                tabelas.push_back(t);
            continue;
        }
        if (Negrito(b))
            if (const QTextBlock n = Seguinte(b); n.isValid())
                r.push_back({b, n});
    }
    for (QTextTable* t : tabelas)
        for (int linha = 0; linha + 1 < t->rows(); ++linha) {
            QTextBlock unico;
            int comTexto = 0;
            for (int c = 0; c < t->columns(); ++c) {
                const QTextTableCell cel = t->cellAt(linha, c);
                if (cel.column() != c)
                    continue; // a cell spanning several columns, counted once
                const QTextBlock b = cel.firstCursorPosition().block();
                if (!b.text().trimmed().isEmpty() || TemFigura(b)) {
                    ++comTexto;
                    unico = b;
                }
            }
            if (comTexto == 1 && Negrito(unico))
                if (const QTextBlock n = PrimeiroDaLinha(t, linha + 1); n.isValid())
                    r.push_back({unico, n});
        }
    std::sort(r.begin(), r.end(),
              [](const TCabecalho& a, const TCabecalho& b) { return a.Titulo.position() < b.Titulo.position(); });
    return r;
}

// The page of the top of `b`, and the page of the foot of its first line.
int PaginaDoTopo(QTextDocument& doc, const QTextBlock& b)
{
    const QRectF r = doc.documentLayout()->blockBoundingRect(b);
    return static_cast<int>(r.top() / doc.pageSize().height());
}

int PaginaDaPrimeiraLinha(QTextDocument& doc, const QTextBlock& b)
{
    const QRectF r = doc.documentLayout()->blockBoundingRect(b);
    double fim = r.bottom();
    if (const QTextLayout* l = b.layout(); l && l->lineCount() > 0) {
        const QTextLine linha = l->lineAt(0);
        fim = r.top() + linha.y() + linha.height();
    }
    return static_cast<int>((fim - 0.5) / doc.pageSize().height());
}

// Every picture no larger than `maximo`, its proportions kept.
void AjustarFiguras(QTextDocument& doc, const QSizeF& maximo)
{
    // Gathered first: changing a format while walking the fragments would
    // move them under the walk.
    struct TFigura {
        int Posicao, Tamanho;
        QTextImageFormat Formato;
    };
    std::vector<TFigura> figuras;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (const QTextFragment f = it.fragment(); f.charFormat().isImageFormat())
                figuras.push_back({f.position(), f.length(), f.charFormat().toImageFormat()});
    for (TFigura& f : figuras) {
        double largura = f.Formato.width(), altura = f.Formato.height();
        if (largura <= 0 || altura <= 0) {
            const QImage i = doc.resource(QTextDocument::ImageResource, QUrl(f.Formato.name())).value<QImage>();
            largura = i.width();
            altura = i.height();
        }
        if (largura <= 0 || altura <= 0)
            continue;
        const double escala = std::min({1.0, maximo.width() / largura, maximo.height() / altura});
        if (escala >= 1.0)
            continue;
        f.Formato.setWidth(largura * escala);
        f.Formato.setHeight(altura * escala);
        QTextCursor c(&doc);
        c.setPosition(f.Posicao);
        c.setPosition(f.Posicao + f.Tamanho, QTextCursor::KeepAnchor);
        c.setCharFormat(f.Formato);
    }
}

} // namespace

void Paginar(QTextDocument& doc, const QSizeF& pagina)
{
    doc.setPageSize(pagina);
    // The text width of a page, less the margins of the frames and of the
    // cells a picture may sit in.
    const double margem = doc.rootFrame()->frameFormat().toFrameFormat().margin();
    AjustarFiguras(doc, QSizeF(pagina.width() - 2 * margem - 24, pagina.height() - 2 * margem - 24));
    // A heading whose first headed line falls on the next page goes there
    // too. Each move only pushes what follows, so one pass in order suffices.
    for (const TCabecalho& c : Cabecalhos(doc)) {
        const int folha = PaginaDoTopo(doc, c.Titulo);
        if (folha == PaginaDaPrimeiraLinha(doc, c.Seguinte))
            continue;
        QTextTable* tabela = QTextCursor(c.Titulo).currentTable();
        if (!tabela) {
            QTextBlockFormat f = c.Titulo.blockFormat();
            f.setPageBreakPolicy(f.pageBreakPolicy() | QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(c.Titulo).setBlockFormat(f);
            continue;
        }
        // Inside a table a page break is measured from the table, not the
        // page. A row whose line does not fit goes whole to the next page:
        // the heading's cell is padded until its line passes the foot.
        QTextTableCell celula = tabela->cellAt(c.Titulo.position());
        QTextTableCellFormat f = celula.format().toTableCellFormat();
        const double pe = doc.documentLayout()->blockBoundingRect(c.Titulo).bottom();
        f.setTopPadding(f.topPadding() + (folha + 1) * doc.pageSize().height() - pe + 1);
        celula.setFormat(f);
    }
}

QStringList CabecalhosIsolados(QTextDocument& doc)
{
    QStringList isolados;
    for (const TCabecalho& c : Cabecalhos(doc))
        if (PaginaDoTopo(doc, c.Titulo) != PaginaDaPrimeiraLinha(doc, c.Seguinte))
            isolados << c.Titulo.text().trimmed();
    return isolados;
}

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

    if (!grafico.isNull() && pasta_.isValid()) {
        if (grafico.save(pasta_.filePath(QString::fromLatin1(kFigura)), "BMP"))
            grafico_ = grafico;
    }
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

QString TFRelatorio::HtmlComFiguras() const
{
    const QImage grafico = grafico_;
    const QStringList pastas = texto_->searchPaths();
    const auto leitor = [&grafico, &pastas](const std::string& src) -> std::optional<relatorio::TFiguraEmbutida> {
        if (src == kFigura && !grafico.isNull()) {
            // The chart goes in as PNG: the same pixels, a tenth of the bytes.
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            if (!grafico.save(&buffer, "PNG"))
                return std::nullopt;
            return relatorio::TFiguraEmbutida{"image/png", png.toStdString()};
        }
        QString caminho = Q(src);
        if (QFileInfo(caminho).isRelative())
            for (const QString& pasta : pastas)
                if (QFileInfo::exists(QDir(pasta).filePath(caminho))) {
                    caminho = QDir(pasta).filePath(caminho);
                    break;
                }
        QFile f(caminho);
        if (!f.open(QIODevice::ReadOnly))
            return std::nullopt;
        return relatorio::TFiguraEmbutida{relatorio::TipoFigura(S(caminho)), f.readAll().toStdString()};
    };
    return Q(relatorio::EmbutirFiguras(S(html_), leitor));
}

std::unique_ptr<QTextDocument> TFRelatorio::DocumentoImpresso(QPrinter& impressora) const
{
    impressora.setPageMargins(QMarginsF(kMargemMm, kMargemMm, kMargemMm, kMargemMm), QPageLayout::Millimeter);
    // Laid out at 96 points per inch, then scaled onto the printer's pages.
    static const QImage referencia = [] {
        QImage i(1, 1, QImage::Format_RGB32);
        const int pontosPorMetro = qRound(kPontosPorPolegada / 0.0254);
        i.setDotsPerMeterX(pontosPorMetro);
        i.setDotsPerMeterY(pontosPorMetro);
        return i;
    }();
    auto doc = std::make_unique<QTextDocument>();
    doc->documentLayout()->setPaintDevice(const_cast<QImage*>(&referencia));
    doc->setHtml(HtmlComFiguras());
    const QRectF area = impressora.pageLayout().paintRect(QPageLayout::Inch);
    Paginar(*doc, area.size() * kPontosPorPolegada);
    return doc;
}

void TFRelatorio::Imprimir(QPrinter& impressora) const { DocumentoImpresso(impressora)->print(&impressora); }

void TFRelatorio::ImprimirClick()
{
    QPrinter impressora(QPrinter::HighResolution);
    if (!c_.Dialogos.Impressao(this, impressora))
        return;
    if (impressora.printRange() != QPrinter::PageRange)
        impressora.setFromTo(1, 9999);
    Imprimir(impressora);
}

namespace {

constexpr const char* kFiltroSalvar = "Página HTML (*.htm)|*.htm|Documento PDF (*.pdf)|*.pdf";

bool ExtensaoPdf(const QString& arquivo) { return arquivo.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive); }

bool ExtensaoHtml(const QString& arquivo)
{
    return arquivo.endsWith(QStringLiteral(".htm"), Qt::CaseInsensitive) ||
           arquivo.endsWith(QStringLiteral(".html"), Qt::CaseInsensitive);
}

} // namespace

bool TFRelatorio::Gravar(const QString& arquivo, bool pdf)
{
    if (pdf) {
        QPrinter impressora(QPrinter::HighResolution);
        impressora.setOutputFormat(QPrinter::PdfFormat);
        impressora.setOutputFileName(arquivo);
        impressora.setDocName(windowTitle());
        Imprimir(impressora);
        return QFileInfo(arquivo).size() > 0;
    }
    QFile f(arquivo);
    const std::string bytes = Utf8ToCp1252(S(HtmlComFiguras()));
    const bool ok = f.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                    f.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
    f.close();
    return ok;
}

void TFRelatorio::SalvarClick()
{
    TArquivoDialogo d;
    d.Titulo = "Salvar relatório";
    d.Filtro = kFiltroSalvar;
    d.Extensao = ".htm";
    QString arquivo;
    for (;;) {
        arquivo = c_.Dialogos.ArquivoSalvar(this, d);
        if (arquivo.isEmpty())
            return;
        // The dialog completes a bare name with the chosen type's extension;
        // a name that still has none is saved as a page.
        if (!ExtensaoPdf(arquivo) && !ExtensaoHtml(arquivo))
            arquivo += Q(d.Extensao);
        if (!QFileInfo::exists(arquivo) ||
            c_.Dialogos.Confirmar(this, QStringLiteral("Arquivo já existente. Deseja substituir?"), false) ==
                TDialogos::TResposta::Sim)
            break;
        d.NomeArquivo = S(QFileInfo(arquivo).fileName());
        d.Pasta = S(QFileInfo(arquivo).absolutePath());
    }
    if (!Gravar(arquivo, ExtensaoPdf(arquivo))) {
        c_.Dialogos.Erro(this, QStringLiteral("Não foi possível gravar o arquivo %1.").arg(arquivo));
        return;
    }
    c_.Dialogos.Informacao(this, QStringLiteral("Relatório gravado em %1.").arg(QDir::toNativeSeparators(arquivo)));
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

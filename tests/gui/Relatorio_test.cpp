// The report window's saved forms: a PDF chosen by its type alone, pages
// that carry their own pictures, the question before replacing a file, and
// printed pages that neither clip the chart nor strand a heading.

#include "Relatorio.h"
#include "gui/ContextoTeste.h"

#include "common/Locale.h"
#include "dimensioning/EntradaDimensionamento.h"
#include "reports/RelatorioDimensionamento.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

using namespace vastrel;
using namespace vastrel::gui;

namespace {

const QString kExemplos = QStringLiteral(VASTREL_SOURCE_DIR "/examples/");

// A chart picture as the simulation page gives it at 150 % scaling: wider
// than a portrait page.
QImage Grafico()
{
    QImage g(1400, 820, QImage::Format_RGB32);
    g.fill(Qt::white);
    QPainter p(&g);
    p.setPen(QPen(Qt::blue, 6));
    p.drawLine(0, 800, 1399, 20);
    p.fillRect(1300, 0, 100, 820, Qt::red); // the right edge, the part a clipped chart loses
    return g;
}

// The graded Viçosa example, dimensioned, with its simulation chart.
struct TRelatorioVicosa : test::TContextoTeste {
    std::unique_ptr<TFRelatorio> janela;

    TRelatorioVicosa()
    {
        projeto.Ler(S(kExemplos + "gradiente-trapezoidal-vicosa.vst"));
        Dimensionar(projeto);
        const QImage g = Grafico();
        TOpcoesRelatorio o;
        o.Grafico = TFiguraRelatorio{"Bit.bmp", g.width(), g.height()};
        janela = std::make_unique<TFRelatorio>(contexto, QStringLiteral("Dimensionamento"),
                                               RelatorioDimensionamento(projeto, o), g);
    }
};

QByteArray Conteudo(const QString& arquivo)
{
    QFile f(arquivo);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TesteRelatorio : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { SetDecimalSeparator(','); }

    void SalvoComoPdfSemDigitarAExtensao()
    {
        // The real file dialog: the type "Documento PDF" chosen, a bare name typed.
        QTemporaryDir pasta;
        TDialogosQt reais;
        // The checks are made once the dialog has closed: a failed check
        // inside it would leave it open.
        QStringList filtros;
        bool ehArquivo = false;
        test::AoAbrirModal([&pasta, &filtros, &ehArquivo](QDialog* d) {
            auto* f = qobject_cast<QFileDialog*>(d);
            ehArquivo = f != nullptr;
            if (!f) {
                d->reject();
                return;
            }
            filtros = f->nameFilters();
            // The name is typed into the name field itself: selectFile leaves
            // a field that has the focus alone, and the folder, listed in the
            // background, may clear it; it is typed until it holds, then the
            // dialog is closed as its Save button does.
            const QString nome = QDir(pasta.path()).filePath(QStringLiteral("relatorio"));
            const auto escolher = [f, nome] {
                f->selectNameFilter(QStringLiteral("Documento PDF (*.pdf)"));
                if (auto* campo = f->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                    campo->setText(QStringLiteral("relatorio"));
                if (f->selectedFiles().value(0) == nome)
                    static_cast<QDialog*>(f)->done(QDialog::Accepted);
            };
            auto* insistir = new QTimer(f);
            QObject::connect(insistir, &QTimer::timeout, f, escolher);
            insistir->start(50);
            escolher();
        });
        const TArquivoDialogo d{"Salvar relatório", "Página HTML (*.htm)|*.htm|Documento PDF (*.pdf)|*.pdf", ".htm",
                                S(pasta.path()), {}};
        const QString escolhido = reais.ArquivoSalvar(nullptr, d);
        QVERIFY(ehArquivo);
        QCOMPARE(filtros, (QStringList{"Página HTML (*.htm)", "Documento PDF (*.pdf)"}));
        QCOMPARE(escolhido, pasta.filePath(QStringLiteral("relatorio.pdf")));

        // The report window writes a PDF there and says so.
        TRelatorioVicosa r;
        r.dialogos.Arquivos = {escolhido};
        r.janela->SalvarClick();
        QVERIFY(Conteudo(escolhido).startsWith("%PDF"));
        QCOMPARE(r.dialogos.Mensagens, QStringList{"info: Relatório gravado em " + QDir::toNativeSeparators(escolhido) + "."});
    }

    void PaginaSalvaLevaSuasFiguras()
    {
        QTemporaryDir pasta;
        TRelatorioVicosa r;
        r.dialogos.Arquivos = {pasta.filePath(QStringLiteral("a.htm")), pasta.filePath(QStringLiteral("b"))};
        r.janela->SalvarClick();
        r.janela->SalvarClick();
        // Two pages, nothing shared beside them.
        QCOMPARE(QDir(pasta.path()).entryList(QDir::Files), (QStringList{"a.htm", "b.htm"}));
        const QByteArray html = Conteudo(pasta.filePath(QStringLiteral("a.htm")));
        QVERIFY(!html.contains("Bit.bmp"));
        QVERIFY(!html.contains("SRC=\"/"));
        QVERIFY(html.contains("<IMG SRC=\"data:image/png;base64,"));
        QVERIFY(html.contains("<IMG SRC=\"data:image/jpeg;base64,"));
        // The chart inside the page is the chart on the screen.
        const qsizetype inicio = html.indexOf("data:image/png;base64,") + 22;
        const QByteArray base64 = html.mid(inicio, html.indexOf('"', inicio) - inicio);
        QCOMPARE(QImage::fromData(QByteArray::fromBase64(base64)).convertToFormat(QImage::Format_RGB32), Grafico());
    }

    void PerguntaAntesDeSubstituir()
    {
        QTemporaryDir pasta;
        const QString arquivo = pasta.filePath(QStringLiteral("relatorio.htm"));
        QFile f(arquivo);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("anterior");
        f.close();
        TRelatorioVicosa r;
        // No: the dialog comes back; cancelled there, the file stays.
        r.dialogos.Arquivos = {arquivo, QString()};
        r.dialogos.Respostas = {TDialogos::TResposta::Nao};
        r.janela->SalvarClick();
        QCOMPARE(r.dialogos.TitulosArquivo.size(), 2);
        QCOMPARE(Conteudo(arquivo), QByteArray("anterior"));
        QCOMPARE(r.dialogos.Mensagens, QStringList{"pergunta: Arquivo já existente. Deseja substituir?"});
        // Yes: replaced, and said.
        r.dialogos.Mensagens.clear();
        r.dialogos.Arquivos = {arquivo};
        r.dialogos.Respostas = {TDialogos::TResposta::Sim};
        r.janela->SalvarClick();
        QVERIFY(Conteudo(arquivo).startsWith("<HTML>"));
        QCOMPARE(r.dialogos.Mensagens.last(), "info: Relatório gravado em " + QDir::toNativeSeparators(arquivo) + ".");
    }

    void PaginasImpressasNaoCortamOGraficoNemIsolamTitulos()
    {
        TRelatorioVicosa r;
        QPrinter impressora(QPrinter::HighResolution);
        impressora.setOutputFormat(QPrinter::PdfFormat);
        const std::unique_ptr<QTextDocument> doc = r.janela->DocumentoImpresso(impressora);
        const QSizeF pagina = doc->pageSize();
        QVERIFY(pagina.width() > 500 && pagina.height() > 700);
        // Every picture within the page's width and height.
        int figuras = 0;
        for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it)
                if (it.fragment().charFormat().isImageFormat()) {
                    ++figuras;
                    const QRectF caixa = doc->documentLayout()->blockBoundingRect(b);
                    QVERIFY2(caixa.right() <= pagina.width(), qPrintable(QString::number(caixa.right())));
                    QVERIFY(caixa.height() <= pagina.height());
                }
        QCOMPARE(figuras, 2);
        QCOMPARE(CabecalhosIsolados(*doc), QStringList());
        QVERIFY(doc->pageCount() >= 2 && doc->pageCount() <= 3);
    }

    void TituloAoPeDaPaginaVaiParaAProxima_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("titulo");
        QString linhas, celulas;
        for (int i = 0; i < 40; ++i) {
            linhas += QStringLiteral("<P>linha %1</P>").arg(i);
            celulas += QStringLiteral("<TR><TD><B>T: </B>%1 anos</TD><TD><B>Estado: </B>MG</TD></TR>").arg(i);
        }
        // A section title before the chart, and a sub-heading row of the input table.
        QTest::newRow("seção") << linhas + "<FONT SIZE=3><B>SIMULAÇÃO</B></FONT><P><TABLE><TR><TD>figura</TD></TR></TABLE>"
                               << "SIMULAÇÃO";
        QTest::newRow("linha de tabela")
            << "<TABLE COLS=3 WIDTH=\"100%\">" + celulas +
                   "<TR><TD colspan=2>&nbsp;&nbsp;&nbsp;&nbsp;<U><B>Canal</B></U></TD></TR>"
                   "<TR><TD><B>Seção: </B>Trapezoidal</TD></TR></TABLE>"
            << "Canal";
    }
    void TituloAoPeDaPaginaVaiParaAProxima()
    {
        QFETCH(QString, html);
        QFETCH(QString, titulo);
        QTextDocument doc;
        doc.setHtml(html);
        doc.setPageSize(QSizeF(400, 100000));
        const QTextBlock bloco = doc.find(titulo).block();
        const double pe = doc.documentLayout()->blockBoundingRect(bloco).bottom();
        // A page that ends just under the heading, the headed line on the next.
        double altura = pe;
        for (; altura < pe + 30; altura += 1) {
            doc.setPageSize(QSizeF(400, altura));
            if (CabecalhosIsolados(doc) == QStringList{titulo})
                break;
        }
        QCOMPARE(CabecalhosIsolados(doc), QStringList{titulo});
        Paginar(doc, doc.pageSize());
        QCOMPARE(CabecalhosIsolados(doc), QStringList());
        QCOMPARE(doc.pageCount(), 2);
    }
};

QTEST_MAIN(TesteRelatorio)
#include "Relatorio_test.moc"

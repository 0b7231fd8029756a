// The document browser (history, find, printing) and the pages the program
// ships: every link and picture of the practice texts and help pages exists.

#include "Ajuda.h"
#include "Browser.h"
#include "DialogosRoteiro.h"

#include "common/Pastas.h"
#include "support/TempDir.h"

#include <QAction>
#include <QDirIterator>
#include <QFile>
#include <QImageReader>
#include <QPrinter>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QToolBar>
#include <QtTest>

#include <algorithm>

using namespace vastrel;
using namespace vastrel::gui;
using vastrel::test::TDialogosRoteiro;
using vastrel::test::TempDir;

namespace {

const std::filesystem::path kBin(VASTREL_BIN_DIR);

void Pagina(const std::filesystem::path& p, const std::string& titulo, const std::string& corpo)
{
    vastrel::test::WriteBytes(p, "<html><head><meta charset=\"utf-8\"><title>" + titulo + "</title></head><body>" +
                                     corpo + "</body></html>");
}

QUrl Url(const std::filesystem::path& p) { return QUrl::fromLocalFile(QString::fromStdString(p.string())); }

} // namespace

class BrowserTest : public QObject {
    Q_OBJECT

    TempDir pasta;
    TDialogosRoteiro dialogos;

    std::unique_ptr<TFBrowser> Abrir(const std::filesystem::path& inicio)
    {
        auto b = std::make_unique<TFBrowser>(dialogos, inicio, 0, false);
        b->show();
        return b;
    }

private slots:
    void initTestCase()
    {
        DefinirPastaPrograma(kBin);
        Pagina(pasta / "a.htm", "Página A", "<p>Início do texto. <a href=\"b.htm\">Segue</a></p>");
        Pagina(pasta / "b.htm", "Página B", "<p>O terraço de base larga.</p><p>Curva de nível.</p>");
    }

    void init() { dialogos.Mensagens.clear(); }

    void historyEnablesBackAndForward()
    {
        auto b = Abrir(pasta / "a.htm");
        QCOMPARE(b->windowTitle(), QStringLiteral("Página A"));
        QVERIFY(!b->AcaoVoltar()->isEnabled());
        QVERIFY(!b->AcaoAvancar()->isEnabled());
        QVERIFY(b->AcaoLocalizar()->isEnabled());
        QVERIFY(b->AcaoImprimir()->isEnabled());

        // Following the link, as a click on it does.
        emit b->Viewer()->anchorClicked(QUrl(QStringLiteral("b.htm")));
        QCOMPARE(b->windowTitle(), QStringLiteral("Página B"));
        QVERIFY(b->AcaoVoltar()->isEnabled());
        QVERIFY(!b->AcaoAvancar()->isEnabled());

        b->AcaoVoltar()->trigger();
        QCOMPARE(b->windowTitle(), QStringLiteral("Página A"));
        QVERIFY(!b->AcaoVoltar()->isEnabled());
        QVERIFY(b->AcaoAvancar()->isEnabled());

        b->AcaoAvancar()->trigger();
        QCOMPARE(b->windowTitle(), QStringLiteral("Página B"));

        // A new page from the middle of the history drops what was ahead.
        b->AcaoVoltar()->trigger();
        b->AcaoInicio()->trigger();
        QCOMPARE(b->Historico().size(), std::size_t(2));
        QVERIFY(!b->AcaoAvancar()->isEnabled());
    }

    void historyKeepsFifteenPages()
    {
        auto b = Abrir(pasta / "a.htm");
        for (int i = 0; i < 20; ++i)
            b->Navegar(Url(pasta / (i % 2 ? "a.htm" : "b.htm")));
        QCOMPARE(b->Historico().size(), std::size_t(TFBrowser::kMaxHistorico));
        for (int i = 0; i < 30; ++i)
            b->Voltar();
        QCOMPARE(b->IndiceHistorico(), TFBrowser::kMaxHistorico - 1);
        QVERIFY(!b->AcaoVoltar()->isEnabled());
    }

    void findReportsTheMiss()
    {
        auto b = Abrir(pasta / "b.htm");
        QVERIFY(b->Localizar(QStringLiteral("base larga"), false));
        QVERIFY(dialogos.Mensagens.isEmpty());
        QVERIFY(!b->Localizar(QStringLiteral("base larga"), false));
        QCOMPARE(dialogos.Mensagens, QStringList{"info: Nenhuma ocorrência a mais de \"base larga\""});

        // Case: "curva" is found only when case does not matter.
        dialogos.Mensagens.clear();
        b->Viewer()->moveCursor(QTextCursor::Start);
        QVERIFY(!b->Localizar(QStringLiteral("curva"), true));
        b->Viewer()->moveCursor(QTextCursor::Start);
        QVERIFY(b->Localizar(QStringLiteral("curva"), false));
    }

    void aMissingStartPageLeavesTheViewEmpty()
    {
        auto b = Abrir(pasta / "nao-existe.htm");
        QVERIFY(b->Viewer()->toPlainText().isEmpty());
        QVERIFY(!b->AcaoLocalizar()->isEnabled());
        QVERIFY(!b->AcaoImprimir()->isEnabled());
    }

    void printsToAPdfFile()
    {
        auto b = Abrir(kBin / "texto" / "terracos.htm");
        const QString pdf = QString::fromStdString((pasta / "terracos.pdf").string());
        int chamadas = 0;
        dialogos.AoImprimir = [&](QPrinter& p) {
            ++chamadas;
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(pdf);
            return true;
        };
        b->ImprimirClick();
        QCOMPARE(chamadas, 1);
        QVERIFY(dialogos.Mensagens.isEmpty());
        QFile arquivo(pdf);
        QVERIFY(arquivo.open(QIODevice::ReadOnly));
        const QByteArray dados = arquivo.readAll();
        QVERIFY(dados.startsWith("%PDF"));
        // The page is longer than one sheet; pages 1 to 1 print one.
        const auto paginas = [](const QByteArray& d) { return d.count("/Type /Page\n") + d.count("/Type /Page\r"); };
        const qsizetype todas = paginas(dados);
        QVERIFY2(todas >= 2, qPrintable(QString::number(todas)));

        QPrinter uma(QPrinter::HighResolution);
        uma.setOutputFormat(QPrinter::PdfFormat);
        uma.setOutputFileName(pdf);
        b->Imprimir(uma, 1, 1);
        QFile outro(pdf);
        QVERIFY(outro.open(QIODevice::ReadOnly));
        QCOMPARE(paginas(outro.readAll()), qsizetype(1));
        dialogos.AoImprimir = nullptr;
    }

    void toolbarCaptions()
    {
        auto b = Abrir(pasta / "a.htm");
        QStringList textos;
        for (QAction* a : b->findChild<QToolBar*>()->actions())
            if (!a->isSeparator())
                textos << a->iconText();
        QCOMPARE(textos, (QStringList{"Voltar", "Avançar", "Início", "Localizar", "Imprimir", "Ajuda",
                                      "      Sair       "}));
    }

    // Every page the program ships, its links and its pictures.
    void shippedPagesLinkOnlyToWhatExists()
    {
        const QRegularExpression ligacao(QStringLiteral("(?:href|src)=\"([^\"#]*)[^\"]*\""));
        int paginas = 0;
        for (const char* pastaDados : {"texto", "ajuda"}) {
            QDirIterator it(QString::fromStdString((kBin / pastaDados).string()), {QStringLiteral("*.htm")});
            while (it.hasNext()) {
                const QString caminho = it.next();
                ++paginas;
                QFile f(caminho);
                QVERIFY(f.open(QIODevice::ReadOnly));
                const QString html = QString::fromUtf8(f.readAll());
                QVERIFY2(html.contains(QStringLiteral("<title>")), qPrintable(caminho));
                const QDir dir = QFileInfo(caminho).dir();
                for (auto m = ligacao.globalMatch(html); m.hasNext();) {
                    const QString alvo = m.next().captured(1);
                    if (alvo.isEmpty() || alvo.startsWith(QStringLiteral("http")))
                        continue;
                    const QString arquivo = dir.filePath(alvo);
                    QVERIFY2(QFileInfo::exists(arquivo), qPrintable(caminho + " -> " + alvo));
                    if (alvo.endsWith(QStringLiteral(".svg")))
                        QVERIFY2(!QImageReader(arquivo).read().isNull(), qPrintable(alvo));
                }
            }
        }
        QVERIFY(paginas >= 10);
        QVERIFY(QFileInfo::exists(QString::fromStdString(ArquivoDoPrograma("texto\\praticas.htm").string())));
        QVERIFY(QFileInfo::exists(QString::fromStdString(ArquivoDoPrograma("texto\\Selecao.htm").string())));
    }

    void helpTopicsOpenTheirPageOrTheContents()
    {
        QCOMPARE(PaginaDeAjuda(30).filename().string(), std::string("30.htm"));
        QCOMPARE(PaginaDeAjuda(29).filename().string(), std::string("29.htm"));
        QCOMPARE(PaginaDeAjuda(7).filename().string(), std::string("7.htm"));
        QCOMPARE(PaginaDeAjuda(9999).filename().string(), std::string("index.htm")); // no such page
        QCOMPARE(PaginaDeAjuda(kTopicoConteudo).filename().string(), std::string("index.htm"));
        auto b = Abrir(PaginaDeAjuda(30));
        QCOMPARE(b->windowTitle(), QStringLiteral("Identificação do projeto"));
    }

    // Every topic a window opens has a page of its own, and every page says
    // enough to fill its window in: no stub under 100 words of text.
    void everyTopicHasAFullPage()
    {
        QStringList semPagina;
        for (int t : topico::kTodos)
            if (PaginaDeAjuda(t).filename().string() == "index.htm")
                semPagina << QString::number(t);
        QCOMPARE(semPagina, QStringList());

        const QRegularExpression marcacao(QStringLiteral("<[^>]*>"));
        QStringList curtas, semTopico;
        QDirIterator it(QStringLiteral(VASTREL_SOURCE_DIR "/data/programa/ajuda"), {QStringLiteral("*.htm")});
        while (it.hasNext()) {
            const QString caminho = it.next();
            QFile f(caminho);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QString texto = QString::fromUtf8(f.readAll());
            texto.replace(marcacao, QStringLiteral(" "));
            const qsizetype palavras = texto.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts).size();
            const QString nome = QFileInfo(caminho).completeBaseName();
            if (palavras < 100)
                curtas << nome + ": " + QString::number(palavras);
            bool numero = false;
            const int t = nome.toInt(&numero);
            if (numero && std::find(std::begin(topico::kTodos), std::end(topico::kTodos), t) == std::end(topico::kTodos))
                semTopico << nome;
        }
        QCOMPARE(curtas, QStringList());
        // A numbered page no window opens is a topic number gone astray.
        QCOMPARE(semTopico, QStringList());
    }
};

QTEST_MAIN(BrowserTest)
#include "Browser_test.moc"

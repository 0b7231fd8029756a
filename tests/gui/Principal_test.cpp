// The main window: settings file, project commands, recent list, module
// window bookkeeping, units refresh, identification, keys and hints.

#include "ConfSistema.h"
#include "DialogosRoteiro.h"
#include "IdentProjeto.h"
#include "Principal.h"

#include "common/Cp1252.h"
#include "common/Format.h"
#include "common/Locale.h"
#include "common/Pastas.h"
#include "support/TempDir.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

#include <functional>

using namespace vastrel;
using namespace vastrel::gui;
using vastrel::test::TDialogosRoteiro;
using vastrel::test::TempDir;
using R = TDialogos::TResposta;

namespace {

const std::filesystem::path kExemplo =
    std::filesystem::path(VASTREL_SOURCE_DIR) / "examples" / "nivel-triangular-piracicaba.vst";

// Runs `acao` on the modal dialog of type T as soon as it is shown.
template <typename T>
void QuandoAbrir(std::function<void(T*)> acao)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, acao] {
        if (auto* d = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            acao(d);
        }
    });
    timer->start();
}

// A module window as the dimensioning and location windows will be: one
// field, the terrain slope in display units.
class TJanelaTeste : public TJanelaModulo {
public:
    TJanelaTeste(const std::string& modulo, TContextoPrograma& c) : TJanelaModulo(modulo, c)
    {
        Campo = new QLineEdit(this);
        setWindowTitle(QString::fromStdString(modulo));
    }
    QLineEdit* Campo;
    int Lidos = 0, Atualizados = 0, Paginas = 0;

    void PreencherCampos() override { Mostrar(); }
    void LerCampos() override
    {
        ++Lidos;
        if (!Campo->text().isEmpty())
            Contexto.Projeto.Terreno.SetSt(
                Contexto.Projeto.Unidades.GuardarDeclividade(StrToFloat(Campo->text().toStdString())));
    }
    void AtualizarUnidades() override
    {
        ++Atualizados;
        if (!Campo->text().isEmpty())
            Mostrar();
    }
    void MostrarPaginaInicial() override { ++Paginas; }

private:
    void Mostrar()
    {
        const TProjeto& p = Contexto.Projeto;
        Campo->setText(QString::fromStdString(FormatFloat("0.0######", p.Unidades.MostrarDeclividade(p.Terreno.St))));
    }
};

const TRegistroJanela kRegistroDim(kModuloDimensionamento, [](TContextoPrograma& c) {
    return new TJanelaTeste(kModuloDimensionamento, c);
});
const TRegistroJanela kRegistroLoc(kModuloLocacao, [](TContextoPrograma& c) {
    return new TJanelaTeste(kModuloLocacao, c);
});

std::string Ler(const std::filesystem::path& p) { return Cp1252ToUtf8(vastrel::test::ReadBytes(p)); }

QAction* AcaoDoMenu(QMainWindow& w, const QString& menu, const QString& item)
{
    for (QAction* m : w.menuBar()->actions())
        if (m->text() == menu && m->menu())
            for (QAction* a : m->menu()->actions())
                if (a->text() == item)
                    return a;
    return nullptr;
}

} // namespace

class PrincipalTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDir> pasta;
    std::unique_ptr<TDialogosRoteiro> dialogos;
    std::unique_ptr<TFPrincipal> janela;

    std::filesystem::path Ini() const { return pasta->Path() / "Vastrel3.ini"; }
    TFPrincipal& Nova()
    {
        janela = std::make_unique<TFPrincipal>(*dialogos, Ini());
        return *janela;
    }
    // A copy of the example project in the test folder.
    std::string Exemplo(const std::string& nome = "piracicaba.vst")
    {
        const auto destino = pasta->Path() / nome;
        std::filesystem::copy_file(kExemplo, destino, std::filesystem::copy_options::overwrite_existing);
        return destino.string();
    }
    bool ComandosDeProjeto(TFPrincipal& w)
    {
        return AcaoDoMenu(w, "&Projeto", "&Salvar")->isEnabled();
    }

private slots:
    void initTestCase() { SetDecimalSeparator('.'); }

    void init()
    {
        pasta = std::make_unique<TempDir>();
        DefinirPastaPrograma(pasta->Path());
        dialogos = std::make_unique<TDialogosRoteiro>();
    }

    void cleanup()
    {
        janela.reset();
        DefinirPastaPrograma({});
    }

    void firstStartWithoutSettingsFile()
    {
        TFPrincipal& w = Nova();
        QCOMPARE(w.windowTitle(), QStringLiteral("Vastrel 3.0"));
        QCOMPARE(w.Projeto().Unidades.UnidDeclividade, std::string("m/m"));
        QCOMPARE(w.Projeto().Unidades.UnidVIB, std::string("mm/h"));
        QCOMPARE(int(w.Projeto().Unidades.IndEstadoPadrao), 0);
        for (int i = 1; i <= 4; ++i) {
            QAction* r = AcaoDoMenu(w, "&Projeto", QStringLiteral("&%1/ ").arg(i));
            QVERIFY2(r, qPrintable(QStringLiteral("entrada %1").arg(i)));
            QVERIFY(!r->isEnabled());
        }
        QVERIFY(!ComandosDeProjeto(w));
        // The default state is asked for; cancelled, it is asked again at
        // the next start (an empty "IndEstado").
        w.PerguntarEstadoPadrao();
        QCOMPARE(dialogos->Mensagens.size(), 1);
        QVERIFY(dialogos->Mensagens.at(0).startsWith(QStringLiteral("escolha: ")));
        QVERIFY(w.close());
        QCOMPARE(Ler(Ini()), std::string("[PRINCIPAL]\r\nUDecli=m/m\r\nKDecli=1\r\nUVIB=mm/h\r\nKVIB=1\r\n"
                                         "path1=\r\npath2=\r\npath3=\r\npath4=\r\nIndEstado=\r\n"));
    }

    void firstStartAsksForTheDefaultStateOnce()
    {
        dialogos->Escolhas.push_back(24); // São Paulo
        TFPrincipal& w = Nova();
        w.PerguntarEstadoPadrao();
        QCOMPARE(int(w.Projeto().Unidades.IndEstadoPadrao), 24);
        QCOMPARE(int(w.Projeto().Nimbra.IndEstado), 24);
        QVERIFY(w.close());
        QVERIFY(Ler(Ini()).find("IndEstado=24\r\n") != std::string::npos);
        dialogos->Mensagens.clear();
        TFPrincipal& outra = Nova();
        outra.PerguntarEstadoPadrao();
        QVERIFY2(dialogos->Mensagens.isEmpty(), qPrintable(dialogos->Mensagens.join('\n')));
        QCOMPARE(int(outra.Projeto().Nimbra.IndEstado), 24);
    }

    void settingsAreReadAndBadStateFallsBack_data()
    {
        QTest::addColumn<QString>("estado");
        QTest::addColumn<int>("esperado");
        QTest::newRow("São Paulo") << "24" << 24;
        QTest::newRow("não inteiro") << "SP" << 0;
        QTest::newRow("fora da tabela") << "27" << 0;
        QTest::newRow("negativo") << "-1" << 0;
    }
    void settingsAreReadAndBadStateFallsBack()
    {
        QFETCH(QString, estado);
        QFETCH(int, esperado);
        vastrel::test::WriteBytes(Ini(), Utf8ToCp1252("[PRINCIPAL]\r\nUDecli=%\r\nKDecli=100\r\nUVIB=m/dia\r\n"
                                                      "KVIB=0,024\r\npath1=/d/Fazenda São José.vst\r\n"
                                                      "path2=/d/b.vst\r\nIndEstado=" +
                                                      estado.toStdString() + "\r\n"));
        TFPrincipal& w = Nova();
        const TUnidades& u = w.Projeto().Unidades;
        QCOMPARE(u.UnidDeclividade, std::string("%"));
        QCOMPARE(u.KDeclividade, 100);
        QCOMPARE(u.UnidVIB, std::string("m/dia"));
        QCOMPARE(u.KVIB, 0.024);
        QCOMPARE(int(u.IndEstadoPadrao), esperado);
        QCOMPARE(int(w.Projeto().Nimbra.IndEstado), esperado);
        QVERIFY(AcaoDoMenu(w, "&Projeto", QStringLiteral("&1/ Fazenda São José.vst")));
        QVERIFY(AcaoDoMenu(w, "&Projeto", QStringLiteral("&2/ b.vst"))->isEnabled());
        QVERIFY(!AcaoDoMenu(w, "&Projeto", QStringLiteral("&3/ "))->isEnabled());
    }

    void aProjectsUnitsGoToTheSettingsAtExit()
    {
        // The settings say m/m; the example project was saved in percent.
        TFPrincipal& w = Nova();
        QCOMPARE(w.Projeto().Unidades.UnidDeclividade, std::string("m/m"));
        const std::string arquivo = Exemplo();
        dialogos->Arquivos = {QString::fromStdString(arquivo)};
        w.AbrirClick();
        QVERIFY2(dialogos->Mensagens.isEmpty(), qPrintable(dialogos->Mensagens.join('\n')));
        QCOMPARE(w.windowTitle(), QStringLiteral("Vastrel 3.0 ('piracicaba.vst')"));
        QCOMPARE(dialogos->TitulosArquivo, QStringList{"Abrir Projeto"});
        QCOMPARE(w.Projeto().Unidades.UnidDeclividade, std::string("%"));
        QVERIFY(w.close());
        const std::string ini = Ler(Ini());
        QVERIFY(ini.find("UDecli=%\r\nKDecli=100\r\n") != std::string::npos);
        QVERIFY(ini.find("path1=" + arquivo + "\r\n") != std::string::npos);
    }

    // Create, identify, save, close, reopen from the recent list.
    void projectLifeCycle()
    {
        TFPrincipal& w = Nova();
        QuandoAbrir<TFIdentProjeto>([](TFIdentProjeto* d) {
            QCOMPARE(d->Edit(5)->text(), QString::fromStdString(TIDProjeto::DataDeHoje()));
            QVERIFY(d->Edit(0)->text().isEmpty());
            QTest::keyClicks(d->Edit(0), QStringLiteral("Sitio"));
            d->Edit(0)->setText(QStringLiteral("Sítio Boa Esperança"));
            d->Edit(4)->setText(QStringLiteral("Eng. Agr. João"));
            d->BotaoOk()->click();
        });
        w.NovoClick();
        QCOMPARE(w.windowTitle(), QStringLiteral("Vastrel 3.0 (\"PROJETO1.VST\")"));
        QCOMPARE(w.Projeto().IDProjeto.Nome, std::string("Sítio Boa Esperança"));
        QVERIFY(w.Gerente().Alterado);
        QVERIFY(ComandosDeProjeto(w));

        const QString destino = QString::fromStdString((pasta->Path() / "Boa Esperança.vst").string());
        dialogos->Arquivos = {destino};
        w.SalvarClick();
        QCOMPARE(dialogos->TitulosArquivo, QStringList{"Salvar Como"});
        QCOMPARE(w.windowTitle(), QStringLiteral("Vastrel 3.0 ('Boa Esperança.vst')"));
        QVERIFY(!w.Gerente().Alterado);
        w.FecharClick();
        QVERIFY(dialogos->Mensagens.isEmpty());
        QCOMPARE(w.windowTitle(), QStringLiteral("Vastrel 3.0"));
        QVERIFY(!ComandosDeProjeto(w));
        QCOMPARE(w.Projeto().IDProjeto.Nome, std::string());

        QAction* recente = AcaoDoMenu(w, "&Projeto", QStringLiteral("&1/ Boa Esperança.vst"));
        QVERIFY(recente);
        recente->trigger();
        QCOMPARE(w.Projeto().IDProjeto.Nome, std::string("Sítio Boa Esperança"));
        QCOMPARE(w.Projeto().IDProjeto.Tecnico, std::string("Eng. Agr. João"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Vastrel 3.0 ('Boa Esperança.vst')"));
        QVERIFY(dialogos->Mensagens.isEmpty());
    }

    void recentEntryTwoOpensAndBecomesEntryOne()
    {
        const std::string a = Exemplo("a.vst"), b = Exemplo("b.vst"), c = Exemplo("c.vst");
        TFPrincipal& w = Nova();
        // Same path in other letter case counts as the same entry.
        std::string bMaiusculo = b;
        bMaiusculo.replace(bMaiusculo.size() - 5, 5, "B.VST");
        w.Gerente().Recentes = {a, bMaiusculo, c, ""};
        w.AtualizarRecentes();
        std::filesystem::rename(b, bMaiusculo);
        AcaoDoMenu(w, "&Projeto", QStringLiteral("&2/ B.VST"))->trigger();
        QCOMPARE(w.windowTitle(), QStringLiteral("Vastrel 3.0 ('B.VST')"));
        QCOMPARE(w.Gerente().Recentes, (std::array<std::string, 4>{bMaiusculo, a, c, ""}));
        QVERIFY(AcaoDoMenu(w, "&Projeto", QStringLiteral("&1/ B.VST")));
        QVERIFY(AcaoDoMenu(w, "&Projeto", QStringLiteral("&2/ a.vst")));
    }

    void savingRefreshesTheRecentCaptions()
    {
        const std::string a = Exemplo("a.vst"), b = Exemplo("b.vst");
        TFPrincipal& w = Nova();
        w.Gerente().Recentes = {a, b, "", ""};
        w.AtualizarRecentes();
        AcaoDoMenu(w, "&Projeto", QStringLiteral("&2/ b.vst"))->trigger();
        const QString c = QString::fromStdString((pasta->Path() / "c.vst").string());
        dialogos->Arquivos = {c};
        w.SalvarComoClick();
        QCOMPARE(w.Gerente().Recentes, (std::array<std::string, 4>{c.toStdString(), b, a, ""}));
        // Each caption names the file its entry opens.
        QVERIFY(AcaoDoMenu(w, "&Projeto", QStringLiteral("&1/ c.vst")));
        QVERIFY(AcaoDoMenu(w, "&Projeto", QStringLiteral("&2/ b.vst")));
        QVERIFY(AcaoDoMenu(w, "&Projeto", QStringLiteral("&3/ a.vst")));
        // A plain save of a project opened from elsewhere puts it first too.
        w.Gerente().Recentes = {a, "", "", ""};
        w.AtualizarRecentes();
        w.SalvarClick();
        QVERIFY(AcaoDoMenu(w, "&Projeto", QStringLiteral("&1/ c.vst")));
        QVERIFY(AcaoDoMenu(w, "&Projeto", QStringLiteral("&2/ a.vst")));
        // Quit is on Ctrl+Q; Ctrl+Z stays free for undo.
        QAction* sair = AcaoDoMenu(w, "&Projeto", "&Sair");
        QCOMPARE(sair->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
        for (QAction* acao : w.findChildren<QAction*>())
            QVERIFY(acao->shortcut() != QKeySequence(QKeySequence::Undo));
    }

    void aMissingRecentFileClosesTheProjectSilently()
    {
        TFPrincipal& w = Nova();
        dialogos->Arquivos = {QString::fromStdString(Exemplo())};
        w.AbrirClick();
        QVERIFY(ComandosDeProjeto(w));
        w.Gerente().Alterado = true;
        w.Gerente().Recentes[1] = (pasta->Path() / "sumiu.vst").string();
        w.AtualizarRecentes();
        dialogos->Respostas = {R::Nao};
        AcaoDoMenu(w, "&Projeto", QStringLiteral("&2/ sumiu.vst"))->trigger();
        QCOMPARE(dialogos->Mensagens, QStringList{"pergunta: Deseja salvar as alterações em piracicaba.vst"});
        QVERIFY(!ComandosDeProjeto(w));
        QCOMPARE(w.windowTitle(), QStringLiteral("Vastrel 3.0"));
        QCOMPARE(w.Projeto().IDProjeto.Nome, std::string());
    }

    void aRefusedFileIsReportedAndLeavesNoProject_data()
    {
        QTest::addColumn<QString>("conteudo");
        QTest::newRow("versão 2.0") << "[VASTREL3]\r\nVersao=2.0\r\n";
        QTest::newRow("sem cabeçalho") << "[IDENTIFICACAO]\r\nVersao=1\r\n";
        QTest::newRow("identificação 1.0")
            << "[IDENTIFICACAO]\r\nVersao=1.0\r\n[VASTREL3]\r\nVersao=3.0\r\n";
    }
    void aRefusedFileIsReportedAndLeavesNoProject()
    {
        QFETCH(QString, conteudo);
        const auto ruim = pasta->Path() / "ruim.vst";
        vastrel::test::WriteBytes(ruim, conteudo.toStdString());
        TFPrincipal& w = Nova();
        dialogos->Arquivos = {QString::fromStdString(Exemplo())};
        w.AbrirClick();
        QVERIFY(ComandosDeProjeto(w));

        dialogos->Arquivos = {QString::fromStdString(ruim.string())};
        w.AbrirClick();
        QCOMPARE(dialogos->Mensagens,
                 QStringList{"erro: Não foi possível abrir o arquivo " + QString::fromStdString(ruim.string()) + "."});
        QVERIFY(!ComandosDeProjeto(w));
        QVERIFY(!w.Gerente().ProjetoAberto());
        QCOMPARE(w.windowTitle(), QStringLiteral("Vastrel 3.0"));
        QCOMPARE(w.Projeto().IDProjeto.Nome, std::string());
    }

    void aBadIndexInAnOptionalSectionIsSaidAndTheProjectOpens()
    {
        const std::string arquivo = Exemplo("indice.vst");
        std::string bytes = vastrel::test::ReadBytes(arquivo);
        bytes.replace(bytes.find("IndSolo=0"), 9, "IndSolo=5");
        vastrel::test::WriteBytes(arquivo, bytes);
        TFPrincipal& w = Nova();
        dialogos->Arquivos = {QString::fromStdString(arquivo)};
        w.AbrirClick();
        QVERIFY(w.Gerente().ProjetoAberto());
        QVERIFY(ComandosDeProjeto(w));
        QCOMPARE(dialogos->Mensagens.size(), 1);
        QVERIFY(dialogos->Mensagens[0].startsWith(QStringLiteral("aviso: O sistema de terraços do arquivo")));
        QVERIFY(dialogos->Mensagens[0].contains(QStringLiteral("Erro. Valor inválido do índice do solo.")));
    }

    void cancellingTheSaveQuestionOnExitKeepsTheProgramRunning()
    {
        TFPrincipal& w = Nova();
        w.show();
        dialogos->Arquivos = {QString::fromStdString(Exemplo())};
        w.AbrirClick();
        w.Gerente().Alterado = true;
        dialogos->Respostas = {R::Cancelar};
        QVERIFY(!w.close());
        QVERIFY(w.isVisible());
        QVERIFY(w.Gerente().ProjetoAberto());
        QVERIFY(!std::filesystem::exists(Ini()));

        // "No" lets it go without writing the project.
        const auto antes = vastrel::test::ReadBytes(pasta->Path() / "piracicaba.vst");
        dialogos->Respostas = {R::Nao};
        QVERIFY(w.close());
        QCOMPARE(vastrel::test::ReadBytes(pasta->Path() / "piracicaba.vst"), antes);
        QVERIFY(std::filesystem::exists(Ini()));
    }

    void moduleCommandsKeepTheBookkeeping()
    {
        TFPrincipal& w = Nova();
        dialogos->Arquivos = {QString::fromStdString(Exemplo())};
        w.AbrirClick();
        // The example was saved from the dimensioning window: it opens again.
        auto* dim = dynamic_cast<TJanelaTeste*>(w.JanelaModulo(kModuloDimensionamento));
        QVERIFY(dim);
        QCOMPARE(dim->Campo->text(), QStringLiteral("6.0")); // the example is in percent

        w.Projeto().TipoSistema.Tipo = 1;
        dim->Campo->setText(QStringLiteral("8"));
        w.LocacaoClick();
        QCOMPARE(w.Projeto().Modulo, std::string("Locacao"));
        QCOMPARE(w.Projeto().TipoSistema.Tipo, 0);
        QCOMPARE(w.Projeto().Terreno.St, 0.08); // copied while closing
        QTRY_VERIFY(!w.JanelaModulo(kModuloDimensionamento));
        QTRY_COMPARE(w.Mdi()->subWindowList().size(), 1);
        auto* loc = dynamic_cast<TJanelaTeste*>(w.JanelaModulo(kModuloLocacao));
        QVERIFY(loc);

        // The command again shows the first page of the open window.
        w.LocacaoClick();
        QCOMPARE(loc->Paginas, 1);
        QCOMPARE(w.Mdi()->subWindowList().size(), 1);

        // A save copies the window's fields first.
        loc->Campo->setText(QStringLiteral("10"));
        w.SalvarClick();
        QVERIFY(dialogos->Mensagens.isEmpty());
        QVERIFY(Ler(pasta->Path() / "piracicaba.vst").find("MODULO=Locacao") != std::string::npos);
        QVERIFY(Ler(pasta->Path() / "piracicaba.vst").find("St=0.1\r\n") != std::string::npos);

        // A field that is not a number stops the save with the conversion error.
        loc->Campo->setText(QStringLiteral("abc"));
        w.SalvarClick();
        QCOMPARE(dialogos->Mensagens.size(), 1);
        QVERIFY(dialogos->Mensagens[0].startsWith("erro: 'abc'"));
        QVERIFY(w.Gerente().Alterado);
    }

    void unitsSwitchRefreshesTheOpenWindow()
    {
        TFPrincipal& w = Nova();
        dialogos->Arquivos = {QString::fromStdString(Exemplo())};
        w.AbrirClick();
        auto* dim = dynamic_cast<TJanelaTeste*>(w.JanelaModulo(kModuloDimensionamento));
        QVERIFY(dim);
        dim->Campo->setText(QStringLiteral("5")); // percent, as the example

        // The lists open on the current settings.
        QList<QList<int>> vistos;
        auto escolher = [&](int declividade, int vib, int estado, bool ok) {
            QuandoAbrir<TFConfSistema>([=, &vistos](TFConfSistema* d) {
                vistos << QList<int>{d->Uniddecli()->currentIndex(), d->UnidVib()->currentIndex(),
                                     d->EstDefault()->currentIndex()};
                d->Uniddecli()->setCurrentIndex(declividade);
                d->UnidVib()->setCurrentIndex(vib);
                d->EstDefault()->setCurrentIndex(estado);
                (ok ? d->BotaoOk() : d->BotaoCancela())->click();
            });
            w.ConfSistemaClick();
        };
        escolher(0, 2, 24, true);
        QCOMPARE(dim->Campo->text(), QStringLiteral("0.05"));
        QCOMPARE(w.Projeto().Unidades.UnidDeclividade, std::string("m/m"));
        QCOMPARE(w.Projeto().Unidades.KDeclividade, 1);
        QCOMPARE(w.Projeto().Unidades.UnidVIB, std::string("m/dia"));
        QCOMPARE(w.Projeto().Unidades.KVIB, 0.024);
        QCOMPARE(int(w.Projeto().Unidades.IndEstadoPadrao), 24);

        escolher(1, 0, 24, true);
        QCOMPARE(dim->Campo->text(), QStringLiteral("5.0"));
        QCOMPARE(w.Projeto().Unidades.KVIB, 1.0);
        QCOMPARE(vistos, (QList<QList<int>>{{1, 0, 0}, {0, 2, 24}}));

        // Cancel refreshes nothing, but the fields were copied first.
        dim->Campo->setText(QStringLiteral("7"));
        const int atualizados = dim->Atualizados;
        escolher(0, 1, 0, false);
        QCOMPARE(dim->Atualizados, atualizados);
        QCOMPARE(w.Projeto().Terreno.St, 0.07);
        QCOMPARE(w.Projeto().Unidades.UnidDeclividade, std::string("%"));

        // The next new project's rainfall place starts at the default state.
        QuandoAbrir<TFIdentProjeto>([](TFIdentProjeto* d) { d->reject(); });
        dialogos->Respostas = {R::Nao};
        w.NovoClick();
        QCOMPARE(int(w.Projeto().Nimbra.IndEstado), 24);
    }

    void identificationCancelKeepsTheRecordAndTheFlag()
    {
        TFPrincipal& w = Nova();
        dialogos->Arquivos = {QString::fromStdString(Exemplo())};
        w.AbrirClick();
        QVERIFY(!w.Gerente().Alterado);
        QuandoAbrir<TFIdentProjeto>([](TFIdentProjeto* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("Identificação do Projeto"));
            QCOMPARE(d->Edit(2)->text(), QStringLiteral("Piracicaba"));
            QCOMPARE(d->Edit(5)->text(), QStringLiteral("14/03/2026"));
            QTest::keyClick(d->Edit(3), Qt::Key_X);
            d->BotaoCancelar()->click();
        });
        w.IdentificacaoClick();
        QCOMPARE(w.Projeto().IDProjeto.Estado, std::string("SP"));
        QVERIFY(!w.Gerente().Alterado);
    }

    void keysRunTheCommands()
    {
        TFPrincipal& w = Nova();
        w.show();
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        bool apareceu = false;
        QuandoAbrir<TFIdentProjeto>([&apareceu](TFIdentProjeto* d) {
            apareceu = true;
            d->reject();
        });
        QTest::keyClick(&w, Qt::Key_F4);
        QVERIFY(apareceu);
        QVERIFY(w.Gerente().ProjetoAberto());
        w.activateWindow();
        QTRY_VERIFY(w.isActiveWindow());

        dialogos->Arquivos = {QString::fromStdString((pasta->Path() / "f2.vst").string())};
        QTest::keyClick(&w, Qt::Key_F2);
        QVERIFY(std::filesystem::exists(pasta->Path() / "f2.vst"));

        QTest::keyClick(&w, Qt::Key_F6);
        QVERIFY(w.JanelaModulo(kModuloDimensionamento));
        QCOMPARE(w.Projeto().Modulo, std::string("Dimensionamento"));
    }

    void menusCarryTheirCaptionsKeysAndHints_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("tecla");
        QTest::addColumn<QString>("dica");
        QTest::newRow("novo") << "&Projeto" << "&Novo" << "F4" << "Cria um novo projeto";
        QTest::newRow("abrir") << "&Projeto" << "&Abrir" << "F3" << "Abre um projeto gravado em disco";
        QTest::newRow("salvar") << "&Projeto" << "&Salvar" << "F2" << "Salva o projeto atual em um arquivo no disco";
        QTest::newRow("salvar como") << "&Projeto" << "&Salvar &Como..." << "" << "Salva o projeto atual com outro nome";
        QTest::newRow("fechar") << "&Projeto" << "&Fechar" << "" << "Fecha o projeto atual";
        QTest::newRow("identificação") << "&Projeto" << "&Identificação" << "F5"
                                       << "Exibe as informações de identificação do projeto atual";
        QTest::newRow("sair") << "&Projeto" << "&Sair" << "Ctrl+Q" << "";
        QTest::newRow("práticas") << "P&ráticas Conservacionistas" << "&Descrição das Práticas" << ""
                                  << "Descrição das práticas conservacionistas";
        QTest::newRow("seleção") << "P&ráticas Conservacionistas" << "&Seleção de Práticas" << ""
                                 << "Seleção de práticas conservacionistas";
        QTest::newRow("dimensionamento") << "&Terraceamento" << "&Dimensionamento de Terraços" << "F6"
                                         << "Dimensionamento de terraços considerando área regular";
        QTest::newRow("locação") << "&Terraceamento" << "&Locação de Terraços" << "F8"
                                 << "Locação de terraços em uma bacia hidrográfica";
        QTest::newRow("visualizar") << "&Ferramentas" << "&Visualizar" << "" << "Visualização de imagens raster";
        QTest::newRow("importação") << "&Ferramentas" << "&Importação" << ""
                                    << "Importação de imagens de Sitemas de Informações Geográficas";
        QTest::newRow("exportação") << "&Ferramentas" << "&Exportação" << ""
                                    << "Exportação de imagens raster para Sistemas de Informações Geográficas";
        QTest::newRow("declividade") << "&Ferramentas" << "&Declividade" << "" << "Obtenção da imagem de declividade";
        QTest::newRow("filtro") << "&Ferramentas" << "&Filtro" << "" << "Utilização de filtros";
        QTest::newRow("unidades") << "&Configurações" << "Configuração do &Sistema" << ""
                                  << "Configuração das unidades das variáveis";
        QTest::newRow("impressora") << "&Configurações" << "Configurar &Impressora" << ""
                                    << "Permite realizar alterações nas configurações da impressora";
        QTest::newRow("cascata") << "&Janelas" << "&Cascata" << "" << "Posiciona as janelas em cascata";
        QTest::newRow("lado a lado") << "&Janelas" << "&Lado a lado" << "" << "Posiciona as janelas lado a lado";
        QTest::newRow("minimizadas") << "&Janelas" << "&Minimizadas" << "" << "Minimiza todas as janelas";
        QTest::newRow("arranjar") << "&Janelas" << "&Arranjar ícones" << ""
                                  << "Arranja o ícone das janelas minimizadas";
        QTest::newRow("conteúdo") << "&Ajuda" << "&Conteúdo" << "F1" << "Exibe o conteúdo do sistema de ajuda";
        QTest::newRow("obter ajuda") << "&Ajuda" << "&Obter Ajuda Sobre..." << ""
                                     << "Exibe um tópico específico do sistema de ajuda";
        QTest::newRow("sobre") << "&Ajuda" << "&Sobre o Vastrel 3.0..." << ""
                               << "Exibe a tela de abertura do Vastrel 3.0";
    }
    void menusCarryTheirCaptionsKeysAndHints()
    {
        QFETCH(QString, menu);
        QFETCH(QString, item);
        QFETCH(QString, tecla);
        QFETCH(QString, dica);
        TFPrincipal& w = Nova();
        QAction* a = AcaoDoMenu(w, menu, item);
        QVERIFY(a);
        QCOMPARE(a->shortcut().toString(), tecla);
        QCOMPARE(a->statusTip(), dica);
        if (!dica.isEmpty()) {
            // The hint of the item under the pointer goes to the left panel.
            a->showStatusText(&w);
            QCOMPARE(w.PainelDica()->text(), dica);
        }
    }

    void toolbarsAndMenuHints()
    {
        TFPrincipal& w = Nova();
        QStringList barras;
        for (QToolBar* b : w.findChildren<QToolBar*>())
            barras << b->windowTitle();
        QCOMPARE(barras, (QStringList{"Projeto", "Ferramentas", "Configurações", "Sair", "Internet"}));
        QStringList dicas;
        for (QAction* m : w.menuBar()->actions())
            dicas << m->statusTip();
        QCOMPARE(dicas, (QStringList{"Menu Projeto", "Menu Práticas Conservacionistas", "Menu Terraceamento",
                                     "Menu Ferramentas", "Menu Configurações", "Menu Janela", "Menu Ajuda"}));
        QCOMPARE(w.PainelHora()->width(), 100);
        QVERIFY(QTime::fromString(w.PainelHora()->text(), QStringLiteral("HH:mm:ss")).isValid());
    }

    void messageBoxesCarryTheProgramsTitle()
    {
        // The real boxes, not the scripted ones: the title is theirs.
        TDialogosQt reais;
        QString titulo;
        QuandoAbrir<QMessageBox>([&titulo](QMessageBox* caixa) {
            titulo = caixa->windowTitle();
            caixa->button(QMessageBox::Ok)->click();
        });
        reais.Informacao(nullptr, QStringLiteral("Relatório gravado."));
        QCOMPARE(titulo, QStringLiteral("Vastrel 3.0"));
    }

    void aWebPageThatCannotOpenIsReported()
    {
        TFPrincipal& w = Nova();
        QList<QUrl> pedidas;
        w.AbrirUrl = [&](const QUrl& u) {
            pedidas << u;
            return pedidas.size() == 1;
        };
        w.PaginaWebClick(0);
        QVERIFY(dialogos->Mensagens.isEmpty());
        w.PaginaWebClick(3);
        QCOMPARE(dialogos->Mensagens, QStringList{"erro: Não foi possível abrir a página escolhida."});
        QCOMPARE(pedidas.size(), 2);
        QCOMPARE(pedidas[1].toString(), QString::fromUtf8(TFPrincipal::kPaginasWeb[3]));
    }

    void aProjectGivenAtStartOpensOrSaysWhy()
    {
        TFPrincipal& w = Nova();
        w.AbrirArgumento(QString::fromStdString(Exemplo()));
        QCOMPARE(w.windowTitle(), QStringLiteral("Vastrel 3.0 ('piracicaba.vst')"));
        const QString faltando = QString::fromStdString((pasta->Path() / "nada.vst").string());
        w.AbrirArgumento(faltando);
        QCOMPARE(dialogos->Mensagens, QStringList{"erro: Não foi possível abrir o arquivo " + faltando + "."});
        QVERIFY(!ComandosDeProjeto(w));
    }
};

QTEST_MAIN(PrincipalTest)
#include "Principal_test.moc"

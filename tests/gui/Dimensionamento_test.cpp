// The dimensioning window: entry rules and validation, the spacing and
// reference dialogs, results, simulation charts against the command line,
// and the report window.

#include "Ajuda.h"
#include "Dimensionamento.h"
#include "DimensionamentoEspacamento.h"
#include "DimensionamentoReferencias.h"
#include "Relatorio.h"
#include "gui/ContextoTeste.h"

#include "common/Format.h"
#include "common/Locale.h"
#include "dimensioning/EntradaDimensionamento.h"
#include "dimensioning/Simulacao.h"
#include "project/GerenteSys.h"
#include "project/Projeto.h"

#include <QApplication>
#include <QButtonGroup>
#include <QChartView>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QValueAxis>
#include <QtTest>

#include <cmath>
#include <functional>

using namespace vastrel;
using namespace vastrel::gui;

namespace {

using test::AoAbrirModal;

const QString kExemplos = QStringLiteral(VASTREL_SOURCE_DIR "/examples/");

// Everything a dimensioning window needs, on a project read from an example.
struct TAmbiente : test::TContextoTeste {
    std::unique_ptr<TFDimensionamento> janela;

    explicit TAmbiente(const QString& exemplo = {}, bool percentual = false)
    {
        if (!exemplo.isEmpty())
            projeto.Ler(S(kExemplos + exemplo));
        if (percentual)
            projeto.Unidades.SetIndiceDeclividade(1);
        janela = std::make_unique<TFDimensionamento>(contexto);
        janela->PreencherCampos();
        janela->show();
        janela->activateWindow();
        QApplication::setActiveWindow(janela.get());
        QApplication::processEvents();
    }
    QLineEdit* Campo(TCampo c) { return janela->Campo(c); }
    template <class T>
    T* Filho(const char* nome) { return janela->findChild<T*>(QString::fromLatin1(nome)); }
};

void Digitar(QLineEdit* e, const QString& texto)
{
    e->setFocus();
    QApplication::processEvents();
    e->selectAll();
    QTest::keyClicks(e, texto);
}

// The CSV of "vastrel-cli simular" as (x, y) pairs.
QList<QPointF> PontosCli(const QString& projeto, const QString& grafico, const QString& cdu)
{
    QProcess p;
    p.start(QStringLiteral(VASTREL_BIN_DIR "/vastrel-cli"), {QStringLiteral("simular"), projeto, grafico,
                                                              QStringLiteral("--cdu"), cdu});
    p.waitForFinished(60000);
    QList<QPointF> r;
    const QStringList linhas = QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    for (int i = 1; i < linhas.size(); ++i) {
        const QStringList c = linhas[i].split(',');
        r << QPointF(c[0].toDouble(), c[1].toDouble());
    }
    return r;
}

} // namespace

class TesteDimensionamento : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { SetDecimalSeparator(','); SetThousandSeparator('.'); }

    void ValidacaoNaOrdemDaJanela()
    {
        // Level: the graded-only fields are hidden and skipped.
        TAmbiente a(QStringLiteral("nivel-triangular-piracicaba.vst"));
        QVERIFY(!a.Filho<QWidget>("PainelCanalGradiente")->isVisible());
        for (TCampo c : {TCampo::Tr, TCampo::C, TCampo::ZSm, TCampo::EV, TCampo::VIB})
            a.Campo(c)->clear();
        a.Campo(TCampo::RugTer)->clear();
        const QStringList esperadas = {
            "erro: Valor do periodo de retorno inconsistente.", "erro: Valor do parâmetro \"c\" inconsistente.",
            "erro: Valor da inclinação do murundum inconsistente.", "erro: Valor do espaçamento vertical inconsistente.",
            "erro: Valor da taxa de infiltração estável inconsistente."};
        const TCampo ordem[] = {TCampo::Tr, TCampo::C, TCampo::ZSm, TCampo::EV, TCampo::VIB};
        for (int i = 0; i < esperadas.size(); ++i) {
            a.dialogos.Mensagens.clear();
            a.janela->CalcularClick();
            QCOMPARE(a.dialogos.Mensagens, QStringList{esperadas[i]});
            QCOMPARE(QApplication::focusWidget(), a.Campo(ordem[i]));
            a.Campo(ordem[i])->setText(QStringLiteral("1"));
        }
        // Graded, trapezoidal: the graded fields come between B and the terrain slope.
        TAmbiente g(QStringLiteral("gradiente-trapezoidal-vicosa.vst"));
        g.Campo(TCampo::BSt)->clear();
        g.Campo(TCampo::Comp)->clear();
        g.janela->CalcularClick();
        QCOMPARE(g.dialogos.Mensagens.last(), QStringLiteral("erro: Valor da base do canal inconsistente."));
        g.Campo(TCampo::BSt)->setText(QStringLiteral("0,5"));
        g.janela->CalcularClick();
        QCOMPARE(g.dialogos.Mensagens.last(), QStringLiteral("erro: Valor do comprimento do canal inconsistente."));
        QCOMPARE(g.janela->PaginaAtual(), int(TFDimensionamento::Entrada));
    }

    void DeclividadeEmPercentualGuardadaEmMetroPorMetro()
    {
        TAmbiente a(QStringLiteral("nivel-trapezoidal-londrina.vst"), true);
        QCOMPARE(a.Filho<QComboBox>("Canal")->currentIndex(), 0);
        a.Campo(TCampo::DecliTer)->setText(QStringLiteral("5"));
        a.janela->LerCampos();
        QCOMPARE(a.projeto.Terreno.St, 0.05);
        // Bentley warns above 20 % and opens its dialog anyway.
        a.Filho<QComboBox>("Metodo")->setCurrentIndex(0);
        a.Campo(TCampo::DecliTer)->setText(QStringLiteral("25"));
        bool abriu = false;
        AoAbrirModal([&](QDialog* d) {
            abriu = qobject_cast<TFBentleyDim*>(d) != nullptr;
            d->reject();
        });
        a.janela->DefinirClick();
        QVERIFY(abriu);
        QVERIFY(a.dialogos.Mensagens.contains(
            "info: Para o metódo de Bentley, a declividade máxima recomendada é de 20 %"));
    }

    void TrocarOTipoDeCanalDuasVezesDevolveOsValores()
    {
        TAmbiente a(QStringLiteral("gradiente-trapezoidal-vicosa.vst"));
        auto* canal = a.Filho<QComboBox>("Canal");
        const QString b = a.Campo(TCampo::BSt)->text(), z = a.Campo(TCampo::ZSm)->text();
        a.projeto.TerracosGradiente.Sm.Valor = 0.3;
        canal->setCurrentIndex(1);
        emit canal->activated(1);
        QCOMPARE(a.janela->findChild<QPushButton*>("BTnSmZ")->text(), QStringLiteral("Valores de S&m"));
        QCOMPARE(a.Campo(TCampo::BSt)->text(), a.Campo(TCampo::DecliTer)->text());
        QCOMPARE(a.Campo(TCampo::ZSm)->text(), Q(FormatFloat("0.0######", a.projeto.Unidades.MostrarDeclividade(0.3))));
        canal->setCurrentIndex(0);
        emit canal->activated(0);
        QCOMPARE(a.Campo(TCampo::BSt)->text(), b);
        QCOMPARE(a.Campo(TCampo::ZSm)->text(), z);
        QVERIFY(a.gerente.Alterado);
    }

    void EspacamentoHorizontalEVerticalSeGuiam()
    {
        TAmbiente a(QStringLiteral("nivel-trapezoidal-londrina.vst"), true);
        a.gerente.Alterado = false;
        a.Campo(TCampo::DecliTer)->setText(QStringLiteral("8"));
        Digitar(a.Campo(TCampo::EH), QStringLiteral("25"));
        QCOMPARE(a.Filho<QComboBox>("Metodo")->currentIndex(), 3);
        QVERIFY(!a.Filho<QPushButton>("Definir")->isEnabled());
        QCOMPARE(a.Campo(TCampo::EV)->text(), QStringLiteral("2,0"));
        QVERIFY(a.gerente.Alterado);
        Digitar(a.Campo(TCampo::EV), QStringLiteral("1,6"));
        QCOMPARE(a.Campo(TCampo::EH)->text(), QStringLiteral("20,0"));
        // Keys outside the filter are dropped; a second separator too.
        Digitar(a.Campo(TCampo::VIB), QStringLiteral("1a2,3,4-"));
        QCOMPARE(a.Campo(TCampo::VIB)->text(), QStringLiteral("12,34"));
        Digitar(a.Campo(TCampo::VIB), QStringLiteral("7.5"));
        QCOMPARE(a.Campo(TCampo::VIB)->text(), QStringLiteral("7,5"));
        // A zero slope disables both spacings.
        a.Campo(TCampo::DecliTer)->setText(QStringLiteral("0"));
        QVERIFY(!a.Campo(TCampo::EH)->isEnabled() && !a.Campo(TCampo::EV)->isEnabled());
    }

    void ComprimentoDoCanalLimitadoA1500()
    {
        TAmbiente a(QStringLiteral("gradiente-triangular-passo-fundo.vst"));
        Digitar(a.Campo(TCampo::Comp), QStringLiteral("1501"));
        a.Campo(TCampo::VIB)->setFocus();
        QApplication::processEvents();
        QCOMPARE(a.Campo(TCampo::Comp)->text(), QStringLiteral("1500"));
        QVERIFY(a.dialogos.Mensagens.contains(
            "info:  O comprimento máximo permitido para o canal é de 1500 metros. "));
    }

    void ConsultaSemBaseMostraOErro()
    {
        TAmbiente a(QStringLiteral("nivel-trapezoidal-londrina.vst"));
        a.gerente.Alterado = false;
        a.janela->ConsultaClick();
        QCOMPARE(a.dialogos.Mensagens.size(), 1);
        QVERIFY(a.dialogos.Mensagens[0].startsWith("erro: "));
        QVERIFY(!a.gerente.Alterado);
    }

    void DialogosDeEspacamento()
    {
        TAmbiente a(QStringLiteral("nivel-trapezoidal-londrina.vst"), true);
        {
            a.projeto.Terreno.St = 0.12;
            TFBentleyDim d(a.contexto);
            d.show();
            d.TipoSolo()->button(1)->click();
            QCOMPARE(d.PreviaEV()->text(), QStringLiteral("1,83"));
            QCOMPARE(d.PreviaEH()->text(), QStringLiteral("15,25"));
            d.seBSt()->findChild<QLineEdit*>()->selectAll();
            QTest::keyClicks(d.seBSt()->findChild<QLineEdit*>(), QStringLiteral("0"));
            QCOMPARE(d.seBSt()->value(), 1);
            QCOMPARE(a.dialogos.Mensagens.last(),
                     QStringLiteral("erro: Não é permitiodo valor 0 para a declividade do terreno."));
        }
        {
            a.projeto.Terreno.St = 0.05;
            TFParanaDim d(a.contexto);
            d.show();
            d.TipoSolo()->button(0)->click();
            QCOMPARE(d.PreviaEV()->text(), QStringLiteral("0,959"));
            QCOMPARE(d.PreviaEH()->text(), QStringLiteral("19,19"));
            d.OKClick();
            QCOMPARE(d.result(), int(QDialog::Accepted));
            QVERIFY(std::abs(a.projeto.TerracosNivel.Espacamento.EH - 19.19) < 0.01);
        }
        {
            // Lombardi Neto, group A above 16 %: the warning on every change.
            a.projeto.Terreno.St = 0.17;
            a.dialogos.Mensagens.clear();
            TFLombNetoDim d(a.contexto);
            d.show();
            const QString aviso = QStringLiteral("info: Para o método de Lombardi Neto, a declividade máxima "
                                                 "recomendada para o tipo de solo A (alta resistência à erosão) é de 16%");
            QVERIFY(a.dialogos.Mensagens.contains(aviso));
            a.dialogos.Mensagens.clear();
            d.seBSt()->setValue(18);
            QCOMPARE(a.dialogos.Mensagens, QStringList{aviso});
            // Level system: groups C and D fall back to A.
            a.dialogos.Mensagens.clear();
            d.Erosao()->setCurrentIndex(3);
            emit d.Erosao()->activated(3);
            QVERIFY(a.dialogos.Mensagens.contains(
                "info: Conforme recomendação de Lombardi Neto, no solo do tipo D não deve ser implantado o sistema "
                "de terraceamento em nível. Neste caso, deve ser utilizado  o terraceamento com gradiente."));
            QCOMPARE(d.Erosao()->currentIndex(), 0);
            // Milho, group B, group 4, 10 %.
            a.projeto.TipoSistema.Tipo = 1;
            d.Cult()->setCurrentIndex(16);
            emit d.Cult()->activated(16);
            QCOMPARE(d.IndiceU()->text(), QStringLiteral("1,25"));
            d.Cult()->setCurrentIndex(20);
            emit d.Cult()->activated(20);
            QCOMPARE(d.IndiceU()->text(), QStringLiteral("1"));
            d.Cult()->setCurrentIndex(25);
            emit d.Cult()->activated(25);
            d.Erosao()->setCurrentIndex(1);
            emit d.Erosao()->activated(1);
            d.Prep()->setCurrentIndex(3);
            emit d.Prep()->activated(3);
            d.seBSt()->setValue(10);
            QCOMPARE(d.IndiceK()->text(), QStringLiteral("1,1"));
            QCOMPARE(d.IndiceM()->text(), QStringLiteral("1.50"));
            const TEspacamento& e = d.Espacamento();
            QVERIFY(std::abs(e.EV - 2.59) < 0.01 && std::abs(e.EH - 25.9) < 0.1);
            QCOMPARE(d.PreviaEV()->text(), Q(FormatFloat("0.0#", e.EV)));
            QCOMPARE(d.PreviaEH()->text(), Q(FormatFloat("0.0#", e.EH)));
        }
    }

    // The dialogs show the slope in whole percent within their spin range,
    // but the project keeps the slope measured unless the user changes it.
    void DialogosDeEspacamentoGuardamADeclividadeMedida()
    {
        TAmbiente a(QStringLiteral("nivel-trapezoidal-londrina.vst"), true);
        struct Caso {
            const char* decli;
            int metodo;
            int mostrada;
            double st;
        };
        const Caso casos[] = {
            {"6,5", 0, 6, 0.065}, {"25", 2, 20, 0.25}, {"6,5", 1, 6, 0.065}, {"25", 1, 25, 0.25},
        };
        for (const Caso& caso : casos) {
            auto* metodo = a.Filho<QComboBox>("Metodo");
            metodo->setCurrentIndex(caso.metodo);
            emit metodo->activated(caso.metodo);
            a.Campo(TCampo::DecliTer)->setText(QString::fromUtf8(caso.decli));
            int vista = -1;
            AoAbrirModal([&vista](QDialog* d) {
                vista = d->findChild<QSpinBox*>("seBSt")->value();
                d->findChild<QPushButton*>("OK")->click();
            });
            a.janela->DefinirClick();
            QCOMPARE(vista, caso.mostrada);
            QCOMPARE(a.projeto.Terreno.St, caso.st);
            QCOMPARE(a.Campo(TCampo::DecliTer)->text(), Q(FormatFloat("0.0######", caso.st * 100)));
            // The spacing is that of the measured slope.
            TEspacamento esperado = a.projeto.EspacamentoAtual();
            esperado.CalculaPorMetodo(caso.st, 0, 0, 1, 0);
            QCOMPARE(a.projeto.EspacamentoAtual().EV, esperado.EV);
            QCOMPARE(a.projeto.EspacamentoAtual().EH, esperado.EH);
        }
        // A value the user picks is stored as picked.
        a.projeto.Terreno.St = 0.065;
        TFBentleyDim d(a.contexto);
        d.show();
        d.seBSt()->setValue(7);
        d.OKClick();
        QCOMPARE(a.projeto.Terreno.St, 0.07);
    }

    void LombardiNetoCanceladoNaoMudaNada()
    {
        TAmbiente a(QStringLiteral("nivel-triangular-piracicaba.vst"));
        const TEspacamento antes = a.projeto.EspacamentoAtual();
        const double stAntes = a.projeto.Terreno.St;
        const auto escolher = [](TFLombNetoDim& d) {
            d.Cult()->setCurrentIndex(5);
            emit d.Cult()->activated(5);
            d.Erosao()->setCurrentIndex(1);
            emit d.Erosao()->activated(1);
            d.Prep()->setCurrentIndex(4);
            emit d.Prep()->activated(4);
            d.seBSt()->setValue(9);
        };
        {
            TFLombNetoDim d(a.contexto);
            d.show();
            escolher(d);
            QCOMPARE(d.Espacamento().Cultura.IndCultura, 5);
            d.findChild<QPushButton*>("Cancelar")->click();
        }
        const TEspacamento& depois = a.projeto.EspacamentoAtual();
        QVERIFY(depois == antes);
        QCOMPARE(a.projeto.Terreno.St, stAntes);
        // "&Ok" takes the same choices.
        TFLombNetoDim d(a.contexto);
        d.show();
        escolher(d);
        d.OKClick();
        QCOMPARE(depois.Cultura.Cultura, std::string("Aveia"));
        QCOMPARE(depois.Erosao.IndErosao, 1);
        QCOMPARE(depois.Preparo.IndiceM, 2.0);
        QCOMPARE(a.projeto.Terreno.St, 0.09);
        QVERIFY(std::abs(depois.EV - 0.4518 * 1.1 * std::pow(9, 0.58) * (1.25 + 2.0) / 2) < 1e-9);
    }

    // The cover dialog opens on what is stored; OK without a change keeps
    // the cover, and the design flow with it.
    void CoberturaAbreNaEscolhaGuardada()
    {
        TAmbiente a(QStringLiteral("gradiente-trapezoidal-vicosa.vst"));
        const TCobertura& cob = a.projeto.Terreno.Cobertura;
        QCOMPARE(int(cob.UsoTerra.Indice), 1);
        QCOMPARE(int(cob.Tratamento.Indice), 2);
        QCOMPARE(int(cob.CondicaoHidrologica.Indice), 3);
        const auto vazao = [&a] {
            a.janela->LerCampos();
            return Dimensionar(a.projeto).Q;
        };
        const double q = vazao();
        QVERIFY(q > 0);
        int tratamento = -9, condicao = -9;
        AoAbrirModal([&](QDialog* d) {
            auto* c = qobject_cast<TFCober*>(d);
            tratamento = c->GrupoTratamento()->checkedId();
            condicao = c->GrupoCondicao()->checkedId();
            d->findChild<QPushButton*>("OK")->click();
        });
        a.janela->CoberturaClick();
        QCOMPARE(tratamento, 1);  // "Com curvas de nível"
        QCOMPARE(condicao, 2);    // "Boa"
        QCOMPARE(int(cob.Tratamento.Indice), 2);
        QCOMPARE(int(cob.CondicaoHidrologica.Indice), 3);
        QCOMPARE(vazao(), q);

        // The items follow the curve-number table.
        TFCober d(a.contexto, 5);
        d.UsoTerra = 2;
        d.Tratamento = 2;
        d.Condicao = 2;
        d.show();
        QCOMPARE(d.GrupoCondicao()->checkedId(), 1);
        QVERIFY(d.GrupoCondicao()->button(1)->isEnabled());
        d.GrupoTratamento()->button(0)->click();  // straight rows: no "Regular" row
        QVERIFY(!d.GrupoCondicao()->button(1)->isEnabled());
        QCOMPARE(d.GrupoCondicao()->checkedId(), 0);
        d.GrupoUso()->button(4)->click();  // pasture: preset on the contour
        QCOMPARE(d.GrupoTratamento()->checkedId(), 1);
        QVERIFY(d.GrupoTratamento()->button(0)->isEnabled());
        QVERIFY(!d.GrupoTratamento()->button(2)->isEnabled());
        d.Confirmar();
        QCOMPARE(d.Escolha(), (TEscolhaCobertura{4, 2, 1}));
    }

    void DialogosDeValoresDeReferencia()
    {
        TAmbiente a;
        {
            TFSm d(a.contexto, "%", 100, 0);
            d.show();
            QCOMPARE(d.findChild<QLabel*>("Valor1_1")->text(), QStringLiteral(" 72,1"));
            QCOMPARE(d.findChild<QLabel*>("Valor7_1")->text(), QStringLiteral(" 18,6 a 22,1"));
            d.ClicarOpcao(1);
            QTest::mouseClick(d.BotaoOK(), Qt::LeftButton);
            QCOMPARE(d.Indice, 1);
            QCOMPARE(d.Valor, 72.1);
        }
        for (const auto& [texto, aceito] : {std::pair{"0,2", true}, {"0,2015", true}, {"0,9", false}}) {
            TFSm d(a.contexto, "m/m", 1, 0);
            d.show();
            d.ClicarOpcao(7);
            QVERIFY(!d.BotaoOK()->isEnabled()); // the range text is no value
            d.EditValor()->setText(QString::fromUtf8(texto));
            a.dialogos.Mensagens.clear();
            QTest::mouseClick(d.BotaoOK(), Qt::LeftButton);
            QCOMPARE(d.result() == QDialog::Accepted, aceito);
            if (!aceito)
                QCOMPARE(a.dialogos.Mensagens.last(), QStringLiteral("aviso: Valor de Sm inconsistente. Forneça um "
                                                                     "valor compreendido entre:[0,186 .. 0,221]."));
        }
        TSm errado;
        errado.UDeclive = "pol";
        QVERIFY_THROWS_EXCEPTION(Exception, errado.Executar(a.contexto, nullptr));
        {
            TFRugTer d(a.contexto, 52);
            d.show();
            d.ClicarOpcao(15);
            QCOMPARE(d.EditValor()->text(), QStringLiteral("0,350"));
            d.EditValor()->selectAll();
            QTest::keyClicks(d.EditValor(), QStringLiteral("0,3"));
            QTest::mouseClick(d.BotaoOK(), Qt::LeftButton);
            QCOMPARE(d.Indice, 0);
            QCOMPARE(d.Valor, 0.3);
        }
        {
            TFZ d(a.contexto, 0);
            d.show();
            d.EditValor()->clear();
            QVERIFY(!d.BotaoOK()->isEnabled());
            QTest::keyClicks(d.EditValor(), QStringLiteral("3"));
            QCOMPARE(d.Indice, 6);
            QVERIFY(d.Opcao(6)->isChecked());
        }
        {
            TFCober d(a.contexto, 5);
            d.show();
            d.GrupoUso()->button(5)->click();
            d.GrupoCondicao()->button(2)->click();
            d.Confirmar();
            QCOMPARE(d.UsoTerra, 5);
            QCOMPARE(d.Tratamento, 0);
            QCOMPARE(d.Condicao, 3);
        }
    }

    void ResultadosECoeficienteDeDesuniformidade()
    {
        TAmbiente a(QStringLiteral("gradiente-trapezoidal-vicosa.vst"));
        a.janela->CalcularClick();
        QCOMPARE(a.janela->PaginaAtual(), int(TFDimensionamento::Resultados));
        QCOMPARE(a.janela->windowTitle(), QStringLiteral("Módulo para o dimensionamento - resultados"));
        auto* cdu = a.Filho<QLineEdit>("eCDu");
        cdu->setText(QStringLiteral("0,5"));
        cdu->setFocus();
        a.Campo(TCampo::VIB)->setFocus(); // hidden: the focus leaves the field all the same
        a.Filho<QLineEdit>("eHr")->setFocus();
        QApplication::processEvents();
        QCOMPARE(cdu->text(), QStringLiteral("1"));
        QVERIFY(a.dialogos.Mensagens.contains(
            "info: O valor do coeficiente de desuniformidade não pode ser inferior a 1."));
        cdu->setText(QStringLiteral("1,44"));
        a.janela->ResultadoOKClick();
        const double H = a.projeto.TerracosGradiente.H;
        QCOMPARE(a.Filho<QLineEdit>("eHr")->text(), Q(FormatFloat("0.0", 1.2 * H * 100 + 10)));
        QCOMPARE(a.projeto.TerracosGradiente.Hr, AlturaRecomendada(H, 1.44));
    }

    void GraficosIguaisAosDaLinhaDeComando()
    {
        for (const char* exemplo : {"gradiente-trapezoidal-vicosa.vst", "nivel-triangular-piracicaba.vst"}) {
            TAmbiente a(QString::fromLatin1(exemplo));
            a.janela->CalcularClick();
            // The coefficient of the file, so that the command line plots the same heights.
            const double cduArquivo = a.projeto.CanalAtual().CDu;
            const QString cdu = Q(FloatToJson(cduArquivo));
            a.Filho<QLineEdit>("eCDu")->setText(Q(FloatToStr(cduArquivo)));
            a.janela->SimulacaoClick();
            QCOMPARE(a.janela->PaginaAtual(), int(TFDimensionamento::Simulacao));
            const bool grad = a.projeto.Gradiente();
            const double st = a.projeto.Terreno.St;
            const int listas = grad ? 3 : 1;
            for (int l = 0; l < listas; ++l) {
                const int lista = grad ? l : 3;
                QListWidget* w = a.janela->ListaGrafico(lista);
                for (int i = 0; i < w->count(); ++i) {
                    a.janela->DesenharGrafico(lista, i);
                    const QList<QPointF> cli = PontosCli(kExemplos + exemplo, w->item(i)->text(), cdu);
                    const QList<QPointF> tela = a.janela->Serie()->points();
                    QCOMPARE(tela.size(), 21);
                    QCOMPARE(cli.size(), 21);
                    for (int k = 0; k < 21; ++k) {
                        QVERIFY2(std::abs(tela[k].x() - cli[k].x()) <= 1e-9 * std::max(1.0, std::abs(cli[k].x())) &&
                                     std::abs(tela[k].y() - cli[k].y()) <= 1e-9 * std::max(1.0, std::abs(cli[k].y())),
                                 qPrintable(w->item(i)->text()));
                    }
                    QCOMPARE(a.projeto.Terreno.St, st);
                    QVERIFY(a.principal.isEnabled());
                }
            }
            if (grad) {
                // "Q x St" puts the terrain slope back; the other lists lose their selection.
                a.janela->DesenharGrafico(0, 5);
                QCOMPARE(a.janela->EixoX()->titleText(), QStringLiteral("Declividade do terreno (%)"));
                QCOMPARE(a.projeto.Terreno.St, st);
                QVERIFY(a.janela->ListaGrafico(2)->selectedItems().isEmpty());
            } else {
                a.janela->DesenharGrafico(3, 3); // "Hr x EH" with the CDu typed on the page
                const TGraficoSimulacao g = Simular(a.projeto, GraficosNivel()[3], cduArquivo);
                for (int k = 0; k < 21; ++k)
                    QCOMPARE(a.janela->Linha(3)->itemText(k), Q(g.Pontos[static_cast<std::size_t>(k)].TextoAlturaRecomendada));
            }
            // The four rows show one point.
            a.janela->Linha(2)->setCurrentIndex(6);
            for (int n = 0; n < 4; ++n)
                QCOMPARE(a.janela->Linha(n)->currentIndex(), 6);
            // A click on a point shows it in the hint; elsewhere empties it.
            a.janela->Grafico()->resize(600, 400);
            QApplication::processEvents();
            const QPointF pt = a.janela->Serie()->points().at(4);
            const QPointF cena = a.janela->Grafico()->chart()->mapToScene(
                a.janela->Grafico()->chart()->mapToPosition(pt, a.janela->Serie()));
            a.janela->ClicarGrafico(a.janela->Grafico()->mapFromScene(cena));
            QCOMPARE(a.janela->Grafico()->toolTip(),
                     "(" + Q(FloatToStr(pt.x())) + "; " + Q(FormatFloat("0.00", pt.y())) + ")");
            a.janela->ClicarGrafico(QPointF(2, 2));
            QVERIFY(a.janela->Grafico()->toolTip().isEmpty());
        }
    }

    void SimulacaoOKRedesenhaAlturaRecomendada()
    {
        TAmbiente a(QStringLiteral("gradiente-triangular-passo-fundo.vst"));
        a.janela->CalcularClick();
        a.janela->SimulacaoClick();
        a.janela->DesenharGrafico(1, 3); // "H x nt"
        a.Filho<QLineEdit>("eCDuSim")->setText(QStringLiteral("1,44"));
        a.janela->SimulacaoOKClick();
        QCOMPARE(a.janela->ListaGrafico(2)->currentRow(), 3);
        QVERIFY(a.janela->ListaGrafico(1)->selectedItems().isEmpty());
        QCOMPARE(a.projeto.TerracosGradiente.CDu, 1.44);
        QCOMPARE(a.janela->EixoY()->titleText(), QStringLiteral("Altura recomendada (cm)"));
        a.janela->VoltarSimulacaoClick();
        QCOMPARE(a.janela->PaginaAtual(), int(TFDimensionamento::Resultados));
        QVERIFY(a.janela->Serie()->points().isEmpty());
    }

    void CoeficienteGuardadoComSuaAlturaRecomendada()
    {
        // However the coefficient typed on the results page is kept, the
        // recommended height stored beside it is computed with it.
        TAmbiente a(QStringLiteral("nivel-triangular-piracicaba.vst"));
        const TCanal& canal = a.projeto.TerracosNivel;
        const std::function<void(TFDimensionamento&)> guardas[] = {
            [](TFDimensionamento& j) { j.SimulacaoClick(); },
            [](TFDimensionamento& j) { j.VoltarResultadosClick(); },
            [](TFDimensionamento& j) { j.LerCampos(); }, // what a save does
        };
        for (const auto& guardar : guardas) {
            a.janela->CalcularClick();
            QCOMPARE(a.janela->PaginaAtual(), int(TFDimensionamento::Resultados));
            a.Filho<QLineEdit>("eCDu")->setText(QStringLiteral("1,44"));
            guardar(*a.janela);
            QCOMPARE(canal.CDu, 1.44);
            QCOMPARE(canal.Hr, AlturaRecomendada(canal.H, 1.44));
            a.janela->MostrarPaginaInicial();
        }
        // The simulation page's coefficient too, on the way back.
        a.janela->CalcularClick();
        a.janela->SimulacaoClick();
        a.Filho<QLineEdit>("eCDuSim")->setText(QStringLiteral("1,69"));
        a.janela->VoltarSimulacaoClick();
        QCOMPARE(canal.Hr, AlturaRecomendada(canal.H, 1.69));
        QCOMPARE(a.Filho<QLineEdit>("eHr")->text(), Q(FormatFloat("0.0", canal.Hr)));
    }

    void FaixaSemEscoamentoMostraOProjetoComVazaoZero()
    {
        // Viçosa with a weaker, more frequent storm: the chart of the flow
        // against the infiltration rate runs into soils that take it all.
        TAmbiente a(QStringLiteral("gradiente-trapezoidal-vicosa.vst"));
        a.Campo(TCampo::K)->setText(QStringLiteral("1200"));
        a.Campo(TCampo::Tr)->setText(QStringLiteral("2"));
        a.janela->CalcularClick();
        QCOMPARE(a.janela->PaginaAtual(), int(TFDimensionamento::Resultados));
        a.janela->SimulacaoClick();
        a.dialogos.Mensagens.clear();
        a.janela->DesenharGrafico(0, 6); // "Q x VIB"
        QCOMPARE(a.dialogos.Mensagens, QStringList{});
        const QList<QPointF> pontos = a.janela->Serie()->points();
        QCOMPARE(pontos.size(), 21);
        QVERIFY(pontos.first().y() > 0);
        QCOMPARE(pontos.last().y(), 0.0);
        // The design itself without runoff: Q = 0 and the note.
        a.janela->VoltarSimulacaoClick();
        a.janela->VoltarResultadosClick();
        a.Campo(TCampo::VIB)->setText(QStringLiteral("2,4")); // m/dia: 100 mm/h
        a.janela->CalcularClick();
        QCOMPARE(a.janela->PaginaAtual(), int(TFDimensionamento::Resultados));
        QCOMPARE(a.Filho<QLineEdit>("eVazao")->text(), QStringLiteral("0,00"));
        QVERIFY(!a.janela->Avisos()->isHidden());
        QVERIFY(a.janela->Avisos()->text().contains(QStringLiteral("não produz escoamento")));
    }

    void ErroDoCalculoMostraAMensagemDoMotor()
    {
        TAmbiente a(QStringLiteral("gradiente-trapezoidal-vicosa.vst"));
        a.janela->CalcularClick();
        QVERIFY(a.projeto.TerracosGradiente.Q > 0);
        a.janela->MostrarPaginaInicial();
        a.Campo(TCampo::RugCan)->setText(QStringLiteral("0"));
        a.dialogos.Mensagens.clear();
        a.janela->CalcularClick();
        QCOMPARE(a.dialogos.Mensagens, QStringList{QStringLiteral("erro:  Erro no cálculo ")});
        QVERIFY(a.dialogos.Detalhes.last().startsWith(QStringLiteral("Erro no dimensinamento dos canais")));
        QCOMPARE(a.janela->PaginaAtual(), int(TFDimensionamento::Entrada));
        // The failed design leaves no flow to be saved.
        QCOMPARE(a.projeto.TerracosGradiente.Q, 0.0);
    }

    void BaseOuTaludeZeroEhUmValor()
    {
        TAmbiente a(QStringLiteral("nivel-trapezoidal-londrina.vst"));
        QCOMPARE(a.Filho<QComboBox>("Canal")->currentIndex(), 0);
        a.Campo(TCampo::BSt)->setText(QStringLiteral("0")); // a V channel
        a.janela->LerCampos();
        a.janela->PreencherCampos(); // as after a save
        QCOMPARE(a.Campo(TCampo::BSt)->text(), QStringLiteral("0,0"));
        a.dialogos.Mensagens.clear();
        a.janela->CalcularClick();
        QCOMPARE(a.dialogos.Mensagens, QStringList{});
        QCOMPARE(a.janela->PaginaAtual(), int(TFDimensionamento::Resultados));
    }

    void ComprimentoAcimaDoLimiteRecusadoAoCalcular()
    {
        TAmbiente a(QStringLiteral("gradiente-triangular-passo-fundo.vst"));
        a.Campo(TCampo::Comp)->setText(QStringLiteral("2000")); // never left
        a.dialogos.Mensagens.clear();
        a.janela->CalcularClick();
        QCOMPARE(a.dialogos.Mensagens,
                 QStringList{QStringLiteral("erro:  O comprimento máximo permitido para o canal é de 1500 metros. ")});
        QCOMPARE(QApplication::focusWidget(), a.Campo(TCampo::Comp));
        QCOMPARE(a.janela->PaginaAtual(), int(TFDimensionamento::Entrada));
    }

    void ValorForaDaFaixaAvisaENaoRecusa()
    {
        TAmbiente a(QStringLiteral("gradiente-trapezoidal-vicosa.vst"));
        a.janela->CalcularClick();
        QVERIFY(a.janela->Avisos()->isHidden());
        a.janela->MostrarPaginaInicial();
        a.Campo(TCampo::Tr)->setText(QStringLiteral("100000"));
        a.Campo(TCampo::Sc)->setText(QStringLiteral("90")); // %
        a.dialogos.Mensagens.clear();
        a.janela->CalcularClick();
        QCOMPARE(a.dialogos.Mensagens, QStringList{});
        QCOMPARE(a.janela->PaginaAtual(), int(TFDimensionamento::Resultados));
        QVERIFY(!a.janela->Avisos()->isHidden());
        QVERIFY(a.janela->Avisos()->text().contains(QStringLiteral("de 2 a 100 anos")));
        QVERIFY(a.janela->Avisos()->text().contains(QStringLiteral("de 0,1 a 1 %")));
    }

    void MetodoDaLocacaoMostradoComoEle()
    {
        TAmbiente a(QStringLiteral("nivel-triangular-piracicaba.vst"));
        a.projeto.TerracosNivel.Espacamento.Metodologia.IndMetodologia = kMetodoAlturaArbitrada;
        a.janela->PreencherCampos();
        auto* metodo = a.Filho<QComboBox>("Metodo");
        QCOMPARE(metodo->currentIndex(), kMetodoAlturaArbitrada);
        QCOMPARE(metodo->currentText(), QStringLiteral("Altura do terraço arbitrada"));
        QVERIFY(!a.Filho<QPushButton>("Definir")->isEnabled());
        a.janela->LerCampos();
        QCOMPARE(int(a.projeto.TerracosNivel.Espacamento.Metodologia.IndMetodologia), kMetodoAlturaArbitrada);
    }

    void RelatorioComGraficoSalvoEmHtml()
    {
        TAmbiente a(QStringLiteral("gradiente-trapezoidal-vicosa.vst"));
        a.janela->CalcularClick();
        const double q = a.janela->VazaoCalculada();
        a.janela->SimulacaoClick(); // computes other flows
        QTemporaryDir destino;
        a.dialogos.Arquivos.push_back(destino.filePath(QStringLiteral("relatorio.htm")));
        a.dialogos.Arquivos.push_back(destino.filePath(QStringLiteral("relatorio.pdf")));
        QString html, pasta;
        bool figura = false;
        AoAbrirModal([&](QDialog* d) {
            auto* r = qobject_cast<TFRelatorio*>(d);
            if (!r) {
                d->reject();
                return;
            }
            html = r->Html();
            pasta = r->PastaFigura();
            figura = QFile::exists(pasta + "/Bit.bmp");
            r->SalvarClick();
            r->SalvarClick();
            r->accept();
        });
        a.janela->RelatorioClick();
        QVERIFY(figura);
        QVERIFY(!QFile::exists(pasta + "/Bit.bmp"));
        QVERIFY(html.contains("<B>Vazão: </B>" + Q(FormatFloat("0.0#", q)) + " L/s</TD>"));
        QVERIFY(html.contains("SIMULAÇÃO"));
        QVERIFY(QFile::exists(destino.filePath("relatorio.htm")));
        // The saved page carries its chart inside it, sharing no picture file.
        QVERIFY(!QFile::exists(destino.filePath("Bit.bmp")));
        QVERIFY(QFileInfo(destino.filePath("relatorio.pdf")).size() > 1000);
    }
};

QTEST_MAIN(TesteDimensionamento)
#include "Dimensionamento_test.moc"

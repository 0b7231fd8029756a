// The location window: the arbitrated methods, the method dialogs opening
// only on the user's change, the order of the checks, the existing output,
// the image dialog, whole runs on a worker thread with cancel, the report's
// terrace table and the view of the terraces.

#include "Ajuda.h"
#include "DimensionamentoEspacamento.h"
#include "Locacao.h"
#include "LocacaoDialogos.h"
#include "Percent.h"
#include "Relatorio.h"
#include "Visualizar.h"
#include "core/location/Relevos.h"
#include "gui/ContextoTeste.h"

#include "common/Format.h"
#include "common/Locale.h"
#include "gis/BDT.h"
#include "project/GerenteSys.h"
#include "project/Projeto.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <cmath>
#include <functional>

using namespace vastrel;
using namespace vastrel::gui;
namespace fs = std::filesystem;

namespace {

using test::AoAbrirModal;

const QString kExemplo = QStringLiteral(VASTREL_SOURCE_DIR "/examples/locacao/");

// A location window on a copy of the example project in a folder of its own.
struct TAmbiente : test::TContextoTeste {
    QTemporaryDir pasta;
    std::unique_ptr<TFLocacao> janela;

    TAmbiente()
    {
        for (const QString& f : QDir(kExemplo).entryList(QDir::Files))
            QFile::copy(kExemplo + f, Caminho(f));
        gerente.PathProjeto = S(Caminho(QStringLiteral("locacao-hugo.vst")));
        projeto.Ler(gerente.PathProjeto);
        janela = std::make_unique<TFLocacao>(contexto);
        janela->PreencherCampos();
        janela->show();
        QApplication::setActiveWindow(janela.get());
        QApplication::processEvents();
    }
    QString Caminho(const QString& nome) const { return pasta.filePath(nome); }
    QLineEdit* Campo(TCampoLocacao c) { return janela->Campo(c); }
    template <class T>
    T* Filho(const char* nome) { return janela->findChild<T*>(QString::fromLatin1(nome)); }
    // The method chosen in the list, as the user does.
    void EscolherMetodo(int i)
    {
        janela->Metodo()->setCurrentIndex(i);
        emit janela->Metodo()->activated(i);
    }
};

// Rejects and records every modal dialog shown while it lives.
class TVigiaModal {
public:
    TVigiaModal()
    {
        QObject::connect(&t_, &QTimer::timeout, [this] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                Abertos << d->windowTitle();
                d->reject();
            }
        });
        t_.start(20);
    }
    QStringList Abertos;

private:
    QTimer t_;
};

// The records of a terrace table.
int Terracos(const QString& vetor)
{
    TBDT t;
    t.Carregar(TLocacaoNivel::CaminhoTabela(S(vetor)));
    return t.Quantidade();
}

// A cone of `raio` cells of 1 m falling 0.3 m per metre from 300 m, with a
// slope image of 8 %: over a hundred long terraces, a run of a few seconds.
void GravarCone(const QString& elevacao, const QString& declividade, int raio)
{
    const int n = 2 * raio + 1;
    const auto dentro = [raio](int l, int c) { return std::hypot(l - raio - 1, c - raio - 1) <= raio; };
    test::GravarRas(S(elevacao), test::Relevo(n, n, [&](int l, int c) {
                        return dentro(l, c) ? 300 - 0.3 * std::hypot(l - raio - 1, c - raio - 1) : 0.0;
                    }));
    test::GravarRas(S(declividade), test::Relevo(n, n, [&](int l, int c) { return dentro(l, c) ? 8.0 : 0.0; }));
}

} // namespace

class TesteLocacao : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        SetDecimalSeparator(',');
        SetThousandSeparator('.');
    }

    void CamposDoProjeto()
    {
        TAmbiente a;
        QCOMPARE(a.janela->windowTitle(), QStringLiteral("Módulo para a Locação"));
        QCOMPARE(a.janela->Metodo()->currentText(), QStringLiteral("Lombardi Neto"));
        QVERIFY(!a.janela->EditEsp()->isVisible());
        QVERIFY(a.janela->Definir()->isEnabled());
        QCOMPARE(a.Campo(TCampoLocacao::Tr)->text(), QStringLiteral("10,0"));
        QCOMPARE(a.Campo(TCampoLocacao::ZSm)->text(), QStringLiteral("21,3"));
        QCOMPARE(a.Filho<QLabel>("UnidSm")->text(), QStringLiteral("%"));
        QVERIFY(a.janela->Criterio(2)->isChecked());
        QVERIFY(!a.janela->Relatorio()->isEnabled());
        QCOMPARE(a.Campo(TCampoLocacao::Tr)->toolTip(), QStringLiteral("Período de retorno"));
        QCOMPARE(a.janela->CoefUni()->toolTip(), QStringLiteral("Coeficiente de desuniformidade"));
        // Help topics by group.
        QCOMPARE(a.janela->TopicoAjuda(a.Campo(TCampoLocacao::VIB)), 81);
        QCOMPARE(a.janela->TopicoAjuda(a.Campo(TCampoLocacao::ZSm)), 115);
        QCOMPARE(a.janela->TopicoAjuda(a.janela->Processar()), 67);

        // A new project: the cleared window.
        a.janela->LimparCampos();
        QCOMPARE(a.Campo(TCampoLocacao::Tr)->text(), QString());
        QCOMPARE(a.janela->CoefUni()->text(), QStringLiteral("1"));
        QCOMPARE(a.janela->Metodo()->currentIndex(), 0);
        QVERIFY(a.janela->Criterio(0)->isChecked());
    }

    void ValorForaDaFaixaAvisaAntesDeProcessar()
    {
        TAmbiente a;
        a.Campo(TCampoLocacao::Tr)->setText(QStringLiteral("100000"));
        a.projeto.Locacao.fnImgElev = "nao-existe.ras";
        a.dialogos.Mensagens.clear();
        a.janela->ProcessarBtnClick();
        QCOMPARE(a.dialogos.Mensagens.size(), 2);
        QVERIFY(a.dialogos.Mensagens[0].startsWith(
            QStringLiteral("aviso: O período de retorno (100000 anos) está fora da faixa de validade, de 2 a 100 anos.")));
        QCOMPARE(a.dialogos.Mensagens[1], QStringLiteral("info: Imagem de Elevação inválida"));
    }

    void MetodosArbitrados()
    {
        TAmbiente a;
        TVigiaModal vigia;
        a.EscolherMetodo(3);
        QCOMPARE(a.janela->LabelEsp()->text(), QStringLiteral("EV :"));
        QVERIFY(a.janela->EditEsp()->isVisible());
        QCOMPARE(QApplication::focusWidget(), a.janela->EditEsp());
        QVERIFY(!a.janela->Definir()->isEnabled());
        QTest::keyClicks(a.janela->EditEsp(), QStringLiteral("1,5"));
        // The run stops at the images, after the fields went into the objects.
        a.projeto.Locacao.fnImgElev = "nao-existe.ras";
        a.janela->ProcessarBtnClick();
        QCOMPARE(a.dialogos.Mensagens, QStringList{QStringLiteral("info: Imagem de Elevação inválida")});
        QCOMPARE(a.projeto.TerracosNivel.Espacamento.EV, 1.5);
        QCOMPARE(a.projeto.TerracosNivel.Espacamento.Metodologia.IndMetodologia, 3);

        a.EscolherMetodo(4);
        QCOMPARE(a.janela->LabelEsp()->text(), QStringLiteral("Altura Vastrel :"));
        a.janela->EditEsp()->setText(QStringLiteral("0,45"));
        a.janela->LerCampos();
        QCOMPARE(a.projeto.Locacao.AlturaArbitrada, 0.45); // the location's own, in m
        QCOMPARE(a.projeto.TerracosNivel.Hr, 0.0);
        // No dialog opened for the arbitrated methods.
        QTest::qWait(60);
        QVERIFY(vigia.Abertos.isEmpty());
    }

    void DialogoDoMetodoSoPelaEscolhaDoUsuario()
    {
        TAmbiente a;
        QString aberto;
        AoAbrirModal([&](QDialog* d) {
            aberto = d->metaObject()->className();
            auto* b = qobject_cast<TFBentleyLoc*>(d);
            QVERIFY(b);
            QCOMPARE(b->TipoSolo()->checkedId(), 0);
            b->TipoSolo()->button(1)->click();
            b->OKClick();
        });
        a.EscolherMetodo(0);
        QCOMPARE(aberto, QStringLiteral("vastrel::gui::TFBentleyLoc"));
        const TSolo& solo = a.projeto.TerracosNivel.Espacamento.Solo;
        QCOMPARE(int(solo.Metodo), 1);
        QCOMPARE(int(solo.IndSolo), 1);
        QCOMPARE(solo.TipoSolo, std::string("Solos de textura média"));

        // The same index from the project opens nothing.
        {
            TVigiaModal vigia;
            a.projeto.TerracosNivel.Espacamento.Metodologia.IndMetodologia = 0;
            a.janela->MostrarCampos();
            QCOMPARE(a.janela->Metodo()->currentIndex(), 0);
            QTest::qWait(60);
            QVERIFY(vigia.Abertos.isEmpty());
        }

        // Paraná with its own list.
        AoAbrirModal([&](QDialog* d) {
            auto* p = qobject_cast<TFParanaLoc*>(d);
            QVERIFY(p);
            QCOMPARE(p->TipoSolo()->button(2)->text(), QStringLiteral("Terra ro&xa"));
            p->TipoSolo()->button(2)->click();
            p->OKClick();
        });
        a.EscolherMetodo(2);
        QCOMPARE(solo.TipoSolo, std::string("Terra roxa"));
    }

    void LombardiNetoGuardaCadaEscolha()
    {
        TAmbiente a;
        TFLombNetoLoc d(a.contexto);
        d.show();
        QApplication::processEvents();
        QCOMPARE(d.Listas()->Cult()->currentText(), QStringLiteral("Milho"));
        QCOMPARE(d.Listas()->IndiceU()->text(), QStringLiteral("1,25"));
        const int leguminosas = d.Listas()->Cult()->findText(QStringLiteral("Leguminosas p/ adub. verde"));
        d.Listas()->Cult()->setCurrentIndex(leguminosas);
        emit d.Listas()->Cult()->activated(leguminosas);
        QCOMPARE(d.Listas()->IndiceU()->text(), QStringLiteral("1"));
        // Group D is accepted for the location; Cancel leaves the project's
        // spacing as it was, OK takes the choices.
        d.Listas()->Erosao()->setCurrentIndex(3);
        emit d.Listas()->Erosao()->activated(3);
        const TEspacamento& e = a.projeto.TerracosNivel.Espacamento;
        const int cultura = e.Cultura.IndCultura, erosao = e.Erosao.IndErosao;
        d.reject();
        QCOMPARE(int(e.Cultura.IndCultura), cultura);
        QCOMPARE(int(e.Erosao.IndErosao), erosao);
        TFLombNetoLoc ok(a.contexto);
        ok.show();
        ok.Listas()->Cult()->setCurrentIndex(leguminosas);
        emit ok.Listas()->Cult()->activated(leguminosas);
        ok.Listas()->Erosao()->setCurrentIndex(3);
        emit ok.Listas()->Erosao()->activated(3);
        ok.OKClick();
        QCOMPARE(int(e.Cultura.IndCultura), leguminosas);
        QCOMPARE(e.Cultura.IndiceU, 1.0);
        QCOMPARE(int(e.Erosao.IndErosao), 3);
        QVERIFY(a.dialogos.Mensagens.isEmpty());
    }

    void TiposDeTerraco()
    {
        TAmbiente a;
        TFTipoRio rio(a.contexto);
        QCOMPARE(rio.windowTitle(), QStringLiteral("Tipos de Terraços Recomendados pela Emater/RS"));
        QCOMPARE(rio.Tabela()->rowCount(), 4);
        QCOMPARE(rio.Tabela()->item(1, 0)->text(), QStringLiteral("9 ≤ D < 10"));
        QCOMPARE(rio.Tabela()->item(3, 1)->text(), QStringLiteral("Terraços Tipo Murundum"));
        TFTipoParana parana(a.contexto);
        QCOMPARE(parana.Tabela()->item(0, 0)->text(), QStringLiteral("2 ≤ D ≤ 8"));
        QCOMPARE(parana.Tabela()->horizontalHeaderItem(1)->text(), QStringLiteral("Tipos de terraços recomendados"));
        QVERIFY(!parana.Fonte()->text().isEmpty());

        // The arbitrated type: one dialog kept, whose choice the window writes.
        a.janela->Criterio(3)->click();
        QCOMPARE(int(a.projeto.TerracosNivel.SelecaoTipoTerraco.MetTipoTerraco), 3);
        AoAbrirModal([&](QDialog* d) {
            auto* n = qobject_cast<TFTipoNenhum*>(d);
            QVERIFY(n);
            QCOMPARE(n->Escolha(), 0);
            n->RadioGroupNenhum()->button(4)->click();
            n->OKClick();
        });
        a.janela->TerrenoBtnClick();
        QCOMPARE(&TFTipoNenhum::Instancia(a.contexto), &TFTipoNenhum::Instancia(a.contexto));
        a.projeto.TerracosNivel.SelecaoTipoTerraco.SetTipoArbitrado(0);
        a.janela->LerCampos();
        QCOMPARE(a.projeto.TerracosNivel.SelecaoTipoTerraco.TipoTerraco, std::string("Vastrel em patamar"));
    }

    void ValidacaoParaNoPeriodoDeRetorno()
    {
        TAmbiente a;
        a.Campo(TCampoLocacao::Tr)->clear();
        a.Campo(TCampoLocacao::VIB)->clear();
        a.janela->ProcessarBtnClick();
        QCOMPARE(a.dialogos.Mensagens, QStringList{QStringLiteral("erro: Valor do periodo de retorno inconsistente.")});
        QCOMPARE(QApplication::focusWidget(), a.Campo(TCampoLocacao::Tr));
        // A field that is not a number stops before the checks.
        a.dialogos.Mensagens.clear();
        a.janela->Metodo()->setCurrentIndex(3);
        a.janela->EditEsp()->clear();
        a.janela->ProcessarBtnClick();
        QCOMPARE(a.dialogos.Mensagens.size(), 1);
        QVERIFY(a.dialogos.Mensagens[0].startsWith(QStringLiteral("erro: ")));
        QVERIFY(!a.dialogos.Mensagens[0].contains(QStringLiteral("retorno")));
    }

    // A number out of its range is refused like an empty field: a ridge
    // face of slope 0 would give every terrace the bare 0.10 m.
    void ValoresForaDaFaixaRecusados()
    {
        TAmbiente a;
        a.Campo(TCampoLocacao::ZSm)->setText(QStringLiteral("0"));
        a.janela->ProcessarBtnClick();
        QCOMPARE(a.dialogos.Mensagens,
                 QStringList{QStringLiteral("erro: Valor da inclinação do murundum inconsistente.")});
        QCOMPARE(QApplication::focusWidget(), a.Campo(TCampoLocacao::ZSm));
        a.Campo(TCampoLocacao::ZSm)->setText(QStringLiteral("20"));
        a.dialogos.Mensagens.clear();
        a.EscolherMetodo(3);
        a.janela->EditEsp()->setText(QStringLiteral("0"));
        a.janela->ProcessarBtnClick();
        QCOMPARE(a.dialogos.Mensagens,
                 QStringList{QStringLiteral("erro: Valor do espaçamento vertical inconsistente.")});
        QCOMPARE(QApplication::focusWidget(), a.janela->EditEsp());
    }

    // Strips narrower than three cells: the user hears it before the run
    // and may stop; stopping writes nothing.
    void FaixasMaisEstreitasQueTresCelulas()
    {
        TAmbiente a;
        const QString vet = a.Caminho(QStringLiteral("estreito.vet"));
        a.projeto.Locacao.fnVetSaida = S(vet);
        a.EscolherMetodo(3);
        a.janela->EditEsp()->setText(QStringLiteral("0,2")); // EH of about 0.9 m on 2.5 m cells
        a.dialogos.Respostas = {TDialogos::TResposta::Nao};
        a.janela->ProcessarBtnClick();
        QCOMPARE(a.dialogos.Mensagens.size(), 1);
        QVERIFY2(a.dialogos.Mensagens[0].startsWith(QStringLiteral("pergunta: A faixa entre terraços (EH = ")),
                 qPrintable(a.dialogos.Mensagens[0]));
        QVERIFY(a.dialogos.Mensagens[0].contains(QStringLiteral("célula de 2,5 m")));
        QVERIFY(a.dialogos.Mensagens[0].endsWith(QStringLiteral("Deseja locar os terraços assim mesmo?")));
        QVERIFY(!QFile::exists(vet));
        QVERIFY(!a.janela->Relatorio()->isEnabled());
    }

    void CancelarImagensMantemOsNovosCaminhos()
    {
        TAmbiente a;
        const QString nova = a.Caminho(QStringLiteral("outra.ras"));
        a.dialogos.Arquivos = {nova};
        AoAbrirModal([&](QDialog* d) {
            auto* c = qobject_cast<TFCarregaImg*>(d);
            QVERIFY(c);
            QCOMPARE(c->EdImgElevacao()->text(), QStringLiteral("elevacao-hugo.ras"));
            c->BtImgElevClick();
            QCOMPARE(c->EdVetorSaida()->text(), a.Caminho(QStringLiteral("outra.vet")));
            c->findChild<QPushButton*>(QStringLiteral("BtCancel"))->click();
        });
        a.janela->BtImagensClick();
        QCOMPARE(a.dialogos.TitulosArquivo, QStringList{QStringLiteral("Abrir imagem de elevação")});
        QCOMPARE(a.projeto.Locacao.fnImgElev, S(nova));
        QCOMPARE(a.projeto.Locacao.fnImgDecli, std::string("declividade-hugo.ras"));
        QCOMPARE(a.projeto.Locacao.fnVetSaida, S(a.Caminho(QStringLiteral("outra.vet"))));
    }

    void SaidaExistenteENaoDeixaTudoComoEstava()
    {
        TAmbiente a;
        const QString vet = a.Caminho(QStringLiteral("terracos-hugo.vet"));
        const QString bdt = a.Caminho(QStringLiteral("terracos-hugo.bdt"));
        QFile f(vet);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray antes = f.readAll();
        f.close();
        a.dialogos.Respostas = {TDialogos::TResposta::Nao};
        a.janela->ProcessarBtnClick();
        QCOMPARE(a.dialogos.Mensagens,
                 QStringList{QStringLiteral("pergunta: Arquivo de saída já existente. Deseja substituir o arquivo?")});
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), antes);
        QCOMPARE(Terracos(vet), 21);
        QVERIFY(QFile::exists(bdt));
        QVERIFY(!a.janela->Relatorio()->isEnabled());
    }

    void LocacaoDoExemploRelatorioEVisualizacao()
    {
        TAmbiente a;
        const QString vet = a.Caminho(QStringLiteral("terracos-hugo.vet"));
        QFile::remove(vet);
        QFile::remove(a.Caminho(QStringLiteral("terracos-hugo.bdt")));
        a.janela->ProcessarBtnClick();
        // The run ends with its summary.
        QCOMPARE(a.dialogos.Mensagens.size(), 1);
        QVERIFY2(a.dialogos.Mensagens[0].startsWith(QStringLiteral("info: Terraços locados: 21.")),
                 qPrintable(a.dialogos.Mensagens[0]));
        QVERIFY(a.dialogos.Mensagens[0].contains(QStringLiteral("Área drenada pelos terraços: ")));
        QVERIFY(a.janela->Relatorio()->isEnabled());
        QCOMPARE(Terracos(vet), 21);
        QVERIFY(a.janela->UltimaLocacao());
        QCOMPARE(a.janela->UltimaLocacao()->VetSaida, std::filesystem::path(S(vet)));

        // The report lists the table, one row per terrace.
        QString titulo, html;
        AoAbrirModal([&](QDialog* d) {
            auto* r = qobject_cast<TFRelatorio*>(d);
            QVERIFY(r);
            titulo = r->windowTitle();
            html = r->Html();
            r->accept();
        });
        a.janela->RelatorioBtnClick();
        QCOMPARE(titulo, QStringLiteral("Relatório - Locação de Sistemas de Terraceamento em Nível"));
        QCOMPARE(html.count(QStringLiteral("<TR ALIGN=CENTER VALIGN=CENTER>")), 21);
        QVERIFY(html.contains(QStringLiteral("<TD>21</TD>")));
        QVERIFY(html.contains(QStringLiteral("Comprimento total de terraços: ")));
        QVERIFY(html.contains(QStringLiteral("QUALIDADE DA LOCAÇÃO")));

        // The terraces over the elevation image, numbered.
        TFVisualizar* v = a.janela->VisualizarBtnClick();
        QVERIFY(v);
        QCOMPARE(int(v->NumLinhasSobrepostas()), 21);
        QVERIFY(v->NumRotulos() > 0);
        delete v; // before the main window that holds its value probe

        // Any change of the inputs invalidates the report.
        QTest::keyClicks(a.Campo(TCampoLocacao::VIB), QStringLiteral("5"));
        QVERIFY(!a.janela->Relatorio()->isEnabled());
        QVERIFY(!a.janela->Visualizar()->isEnabled());
    }

    // The system chosen in the window: the graded channel's fields appear
    // with the graded system's values, and the run lays out graded
    // terraces with their outlets, report and view.
    void TerracosComGradiente()
    {
        TAmbiente a;
        QVERIFY(a.janela->Nivel()->isChecked());
        QVERIFY(a.janela->GrupoGradiente()->isHidden());
        // The example's graded project supplies the channel.
        a.projeto.Ler(S(kExemplo + QStringLiteral("locacao-hugo-gradiente.vst")));
        a.projeto.Locacao.fnImgElev = S(kExemplo + QStringLiteral("elevacao-hugo.ras"));
        a.projeto.Locacao.fnImgDecli = S(kExemplo + QStringLiteral("declividade-hugo.ras"));
        a.projeto.Locacao.fnVetSaida = S(a.Caminho(QStringLiteral("gradiente.vet")));
        a.projeto.TipoSistema.Tipo = 0;
        a.janela->PreencherCampos();
        a.janela->Gradiente()->click();
        QVERIFY(a.projeto.Gradiente());
        QVERIFY(!a.janela->GrupoGradiente()->isHidden());
        QCOMPARE(ParseFloat(S(a.Campo(TCampoLocacao::Comp)->text())).value_or(0), 400.0);
        QCOMPARE(a.janela->FormaCanal()->currentIndex(), 1); // triangular
        QVERIFY(!a.Campo(TCampoLocacao::Base)->isEnabled());

        // A longest channel over the limit is refused with its field.
        a.Campo(TCampoLocacao::Comp)->setText(QStringLiteral("2000"));
        a.janela->ProcessarBtnClick();
        QVERIFY(!a.dialogos.Mensagens.isEmpty());
        QVERIFY2(a.dialogos.Mensagens.back().contains(QStringLiteral("1500")), qPrintable(a.dialogos.Mensagens.back()));
        QVERIFY(!QFile::exists(a.Caminho(QStringLiteral("gradiente.vet"))));
        a.dialogos.Mensagens.clear();
        a.Campo(TCampoLocacao::Comp)->setText(QStringLiteral("400"));

        a.janela->ProcessarBtnClick();
        QVERIFY(a.janela->UltimaLocacao());
        QVERIFY(a.janela->UltimaLocacao()->Gradiente);
        const auto& tab = a.janela->UltimaLocacao()->TabelaGradiente;
        QVERIFY(tab.Terracos.size() > 20);
        QVERIFY(!a.dialogos.Mensagens.isEmpty());
        QVERIFY2(a.dialogos.Mensagens.back().contains(QStringLiteral("canais escoadouros")),
                 qPrintable(a.dialogos.Mensagens.back()));

        QString titulo, html;
        AoAbrirModal([&](QDialog* d) {
            auto* r = qobject_cast<TFRelatorio*>(d);
            QVERIFY(r);
            titulo = r->windowTitle();
            html = r->Html();
            r->accept();
        });
        a.janela->RelatorioBtnClick();
        QCOMPARE(titulo, QStringLiteral("Relatório - Locação de Sistemas de Terraceamento com Gradiente"));
        QVERIFY(html.contains(QStringLiteral("SAÍDAS E CANAIS ESCOADOUROS")));
        QVERIFY(html.contains(QStringLiteral("Vazão Q(L/s)")));

        TFVisualizar* v = a.janela->VisualizarBtnClick();
        QVERIFY(v);
        QCOMPARE(v->NumLinhasSobrepostas(), tab.Terracos.size());
        QCOMPARE(v->NumSaidas(), tab.Saidas.size());
        delete v;

        // Back to level terraces: the level system's fields again.
        a.janela->Nivel()->click();
        QVERIFY(!a.projeto.Gradiente());
        QVERIFY(a.janela->GrupoGradiente()->isHidden());
    }

    void CancelarEDepoisIrAteOFim()
    {
        TAmbiente a;
        const QString elev = a.Caminho(QStringLiteral("cone.ras")), decli = a.Caminho(QStringLiteral("cone-decl.ras"));
        const QString vet = a.Caminho(QStringLiteral("cone.vet"));
        GravarCone(elev, decli, 900);
        a.projeto.Locacao.fnImgElev = "cone.ras";
        a.projeto.Locacao.fnImgDecli = "cone-decl.ras";
        a.projeto.Locacao.fnVetSaida = "cone.vet";

        // Cancel as soon as the dialog shows: the run stops at its next test
        // and keeps what it placed. The window thread keeps running meanwhile.
        int batidas = 0;
        QTimer relogio;
        relogio.setInterval(50);
        QObject::connect(&relogio, &QTimer::timeout, [&] { ++batidas; });
        relogio.start();
        QElapsedTimer duracao;
        AoAbrirModal([&](QDialog* d) {
            auto* p = qobject_cast<TFPercent*>(d);
            QVERIFY(p);
            QCOMPARE(p->windowTitle(), QStringLiteral("Aguarde, processando..."));
            QTimer::singleShot(0, p, [p] { p->Cancelar()->click(); });
        });
        duracao.start();
        a.janela->ProcessarBtnClick();
        const qint64 tempoCancelado = duracao.elapsed();
        QCOMPARE(a.dialogos.Mensagens.size(), 1);
        QVERIFY2(a.dialogos.Mensagens[0].contains(QStringLiteral("Locação interrompida pelo usuário")),
                 qPrintable(a.dialogos.Mensagens[0]));
        QVERIFY(a.janela->UltimaLocacao()->Interrompida);
        QVERIFY(a.janela->Relatorio()->isEnabled());
        const int cancelados = Terracos(vet);
        QVERIFY2(batidas >= tempoCancelado / 50 / 2, qPrintable(QStringLiteral("%1 em %2 ms").arg(batidas).arg(tempoCancelado)));

        // Again, to the end, replacing the output.
        // The dialog refreshes the bar and the count every second: a run
        // longer than that must have shown the count on the way.
        a.dialogos.Respostas = {TDialogos::TResposta::Sim};
        QString status;
        int barra = -1;
        AoAbrirModal([&](QDialog* d) {
            auto* p = qobject_cast<TFPercent*>(d);
            QVERIFY(p);
            auto* espera = new QTimer(p);
            QObject::connect(espera, &QTimer::timeout, p, [&, p, espera] {
                if (!p->Status()->text().startsWith(QStringLiteral("Número de terraços locados: ")))
                    return;
                espera->stop();
                status = p->Status()->text();
                barra = p->Barra()->value();
            });
            espera->start(10);
        });
        duracao.restart();
        a.janela->ProcessarBtnClick();
        if (duracao.elapsed() > 1500) {
            QVERIFY2(status.startsWith(QStringLiteral("Número de terraços locados: ")), qPrintable(status));
            QVERIFY(barra >= 0 && barra <= 100);
        }
        QCOMPARE(a.dialogos.Mensagens.size(), 3);
        QCOMPARE(a.dialogos.Mensagens[1],
                 QStringLiteral("pergunta: Arquivo de saída já existente. Deseja substituir o arquivo?"));
        QVERIFY(!a.janela->UltimaLocacao()->Interrompida);
        const int todos = Terracos(vet);
        QVERIFY2(cancelados < todos, qPrintable(QStringLiteral("%1 de %2").arg(cancelados).arg(todos)));
        QCOMPARE(a.janela->UltimaLocacao()->Qualidade.Terracos, todos);
    }
};

QTEST_MAIN(TesteLocacao)
#include "Locacao_test.moc"

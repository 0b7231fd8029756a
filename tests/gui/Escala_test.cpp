// At a large screen scaling (150 %) on a small screen every control of the
// dimensioning and location windows stays reachable: the child window fits
// the main window's free area and its content scrolls.

#include "Dimensionamento.h"
#include "IdentProjeto.h"
#include "Locacao.h"
#include "Principal.h"
#include "gui/ContextoTeste.h"

#include "common/Locale.h"
#include "common/Pastas.h"
#include "support/TempDir.h"

#include <QAbstractButton>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QScrollArea>
#include <QtTest>

using namespace vastrel;
using namespace vastrel::gui;

namespace {

const QString kVicosa = QStringLiteral(VASTREL_SOURCE_DIR "/examples/gradiente-trapezoidal-vicosa.vst");

QRect Global(const QWidget* w) { return QRect(w->mapToGlobal(QPoint(0, 0)), w->size()); }

// Every button shown in `janela` can be brought into the visible part of the
// main window's free area (scrolling its child window when needed): all of
// it, or for a button wider or taller than that part, its middle, where a
// click lands.
QStringList Inalcancaveis(QWidget* janela, const QWidget* area)
{
    QTest::qWait(20); // the layouts of a page just shown
    QStringList fora;
    const QRect visivel = Global(area);
    for (QAbstractButton* b : janela->findChildren<QAbstractButton*>()) {
        if (!b->isVisible())
            continue;
        QScrollArea* rolagem = nullptr;
        for (QWidget* p = b->parentWidget(); p && !rolagem; p = p->parentWidget())
            rolagem = qobject_cast<QScrollArea*>(p);
        // Scrolling takes effect once the scroll area's ranges follow its
        // layout, which on a loaded machine may take a few event rounds.
        QRect janelaVisivel = visivel, botao;
        bool cabe = false;
        for (int tentativa = 0; tentativa < 50; ++tentativa) {
            if (rolagem) {
                rolagem->ensureWidgetVisible(b, 0, 0);
                janelaVisivel = Global(rolagem->viewport()).intersected(visivel);
            }
            QApplication::processEvents();
            botao = Global(b);
            cabe = botao.width() <= janelaVisivel.width() && botao.height() <= janelaVisivel.height();
            if (cabe ? janelaVisivel.contains(botao) : janelaVisivel.contains(botao.center()))
                break;
            QTest::qWait(10);
        }
        if (cabe ? !janelaVisivel.contains(botao) : !janelaVisivel.contains(botao.center()))
            fora << (b->text().isEmpty() ? b->objectName() : b->text()) +
                        QStringLiteral(" (%1,%2 %3x%4 fora de %5,%6 %7x%8)")
                            .arg(Global(b).x()).arg(Global(b).y()).arg(b->width()).arg(b->height())
                            .arg(janelaVisivel.x()).arg(janelaVisivel.y()).arg(janelaVisivel.width())
                            .arg(janelaVisivel.height());
    }
    return fora;
}

} // namespace

class TesteEscala : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDir> pasta;
    test::TDialogosRoteiro dialogos;
    std::unique_ptr<TFPrincipal> janela;

private slots:
    void init()
    {
        pasta = std::make_unique<test::TempDir>();
        DefinirPastaPrograma(pasta->Path());
        janela = std::make_unique<TFPrincipal>(dialogos, pasta->Path() / "Vastrel3.ini");
        // The main window as large as a 1366 × 768 screen at 150 % allows.
        const QRect tela = QGuiApplication::primaryScreen()->availableGeometry();
        janela->setGeometry(QRect(tela.topLeft(), QSize(911, 512).boundedTo(tela.size())));
        janela->show();
        QVERIFY(QTest::qWaitForWindowExposed(janela.get()));
    }
    void cleanup()
    {
        janela->Gerente().Alterado = false;
        janela.reset();
        DefinirPastaPrograma({});
    }

    void TelaPequenaComEscala150()
    {
        QCOMPARE(janela->devicePixelRatio(), 1.5);
        QVERIFY(janela->height() <= 512 && janela->width() <= 911);
    }

    void DimensionamentoAlcancavel_data()
    {
        QTest::addColumn<QString>("exemplo");
        QTest::newRow("nível") << QStringLiteral(VASTREL_SOURCE_DIR "/examples/nivel-trapezoidal-londrina.vst");
        QTest::newRow("gradiente") << kVicosa;
    }
    void DimensionamentoAlcancavel()
    {
        QFETCH(QString, exemplo);
        janela->AbrirArgumento(exemplo);
        auto* dim = qobject_cast<TFDimensionamento*>(janela->JanelaModulo(kModuloDimensionamento));
        QVERIFY(dim);
        QMdiSubWindow* sub = SubJanelaDe(dim);
        QVERIFY(sub);
        QApplication::processEvents();
        const QWidget* area = janela->Mdi()->viewport();
        // The child window inside the free area, title bar and all.
        QVERIFY2(Global(area).contains(Global(sub)),
                 qPrintable(QStringLiteral("%1 em %2").arg(sub->width()).arg(area->width())));
        QCOMPARE(Inalcancaveis(dim, area).join(QStringLiteral("; ")), QString());
        // The results and the simulation pages too.
        dim->CalcularClick();
        QCOMPARE(dialogos.Mensagens, QStringList());
        QCOMPARE(dim->PaginaAtual(), int(TFDimensionamento::Resultados));
        QCOMPARE(Inalcancaveis(dim, area).join(QStringLiteral("; ")), QString());
        dim->SimulacaoClick();
        QCOMPARE(Inalcancaveis(dim, area).join(QStringLiteral("; ")), QString());
    }

    void LocacaoAlcancavel()
    {
        janela->AbrirArgumento(kVicosa);
        janela->LocacaoClick();
        auto* loc = janela->JanelaModulo(kModuloLocacao);
        QVERIFY(loc);
        QApplication::processEvents();
        const QWidget* area = janela->Mdi()->viewport();
        QVERIFY(Global(area).contains(Global(SubJanelaDe(loc))));
        QCOMPARE(Inalcancaveis(loc, area).join(QStringLiteral("; ")), QString());
    }

    void JanelaEncolheComAPrincipal()
    {
        janela->AbrirArgumento(kVicosa);
        QWidget* dim = janela->JanelaModulo(kModuloDimensionamento);
        QVERIFY(dim);
        janela->resize(janela->width() - 100, janela->height() - 80);
        QTest::qWait(50);
        const QWidget* area = janela->Mdi()->viewport();
        QVERIFY(Global(area).contains(Global(SubJanelaDe(dim))));
        QCOMPARE(Inalcancaveis(dim, area).join(QStringLiteral("; ")), QString());
    }
};

int main(int argc, char** argv)
{
    qputenv("QT_SCALE_FACTOR", "1.5");
    QApplication app(argc, argv);
    SetDecimalSeparator(',');
    TesteEscala t;
    return QTest::qExec(&t, argc, argv);
}

#include "Escala_test.moc"

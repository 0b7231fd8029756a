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
// main window's free area (scrolling its child window when needed).
QStringList Inalcancaveis(QWidget* janela, const QWidget* area)
{
    QStringList fora;
    const QRect visivel = Global(area);
    for (QAbstractButton* b : janela->findChildren<QAbstractButton*>()) {
        if (!b->isVisible())
            continue;
        QRect janelaVisivel = visivel;
        for (QWidget* p = b->parentWidget(); p; p = p->parentWidget())
            if (auto* rolagem = qobject_cast<QScrollArea*>(p)) {
                rolagem->ensureWidgetVisible(b, 0, 0);
                janelaVisivel = Global(rolagem->viewport()).intersected(visivel);
                break;
            }
        QApplication::processEvents();
        if (!janelaVisivel.contains(Global(b)))
            fora << (b->text().isEmpty() ? b->objectName() : b->text());
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
        janela->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
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
        // The scaling under test: a 800 × 600 screen at 150 % is 533 × 400
        // points, less than a 1366 × 768 screen at 150 %.
        QCOMPARE(janela->devicePixelRatio(), 1.5);
        QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().height() <= 512);
    }

    void DimensionamentoAlcancavel_data()
    {
        QTest::addColumn<int>("sistema");
        QTest::newRow("nível") << 0;
        QTest::newRow("gradiente") << 1;
    }
    void DimensionamentoAlcancavel()
    {
        QFETCH(int, sistema);
        janela->AbrirArgumento(kVicosa);
        janela->Projeto().TipoSistema.Tipo = sistema;
        janela->FecharJanelasModulo(false);
        janela->DimensionamentoClick();
        auto* dim = qobject_cast<TFDimensionamento*>(janela->JanelaModulo(kModuloDimensionamento));
        QVERIFY(dim);
        QMdiSubWindow* sub = SubJanelaDe(dim);
        QVERIFY(sub);
        QApplication::processEvents();
        const QWidget* area = janela->Mdi()->viewport();
        // The child window inside the free area, title bar and all.
        QVERIFY2(Global(area).contains(Global(sub)),
                 qPrintable(QStringLiteral("%1 em %2").arg(sub->width()).arg(area->width())));
        QCOMPARE(Inalcancaveis(dim, area), QStringList());
        // The results and the simulation pages too.
        dim->CalcularClick();
        QCOMPARE(dim->PaginaAtual(), int(TFDimensionamento::Resultados));
        QCOMPARE(Inalcancaveis(dim, area), QStringList());
        dim->SimulacaoClick();
        QCOMPARE(Inalcancaveis(dim, area), QStringList());
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
        QCOMPARE(Inalcancaveis(loc, area), QStringList());
    }

    void JanelaEncolheComAPrincipal()
    {
        janela->AbrirArgumento(kVicosa);
        QWidget* dim = janela->JanelaModulo(kModuloDimensionamento);
        QVERIFY(dim);
        janela->resize(janela->width() - 100, janela->height() - 80);
        QApplication::processEvents();
        const QWidget* area = janela->Mdi()->viewport();
        QVERIFY(Global(area).contains(Global(SubJanelaDe(dim))));
        QCOMPARE(Inalcancaveis(dim, area), QStringList());
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

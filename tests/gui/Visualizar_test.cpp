// The raster viewer: colours of the picture, zoom steps and displayed size,
// the probe at the edges of the raster, overlays with terrace numbers,
// saving under ".jpg" and ".JPG", the open dialog and a vector alone.

#include "DialogosRoteiro.h"
#include "Principal.h"
#include "Visualizar.h"

#include "core/gis/GisTeste.h"
#include "gis/BDT.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QMdiArea>
#include <QtTest>

#include <fstream>

using namespace vastrel;
using namespace vastrel::gui;
using namespace vastrel::test::gis;
using vastrel::test::TDialogosRoteiro;
using vastrel::test::TempDir;
using vastrel::test::WriteBytes;

namespace {

// A real raster with its extremes written in the header.
void GravarReal(const std::filesystem::path& p, TRasTeste r, float lo, float hi)
{
    std::string b = BytesRas(r);
    PoeF(b, 536, lo);
    PoeF(b, 540, hi);
    WriteBytes(p, b);
}

TRasTeste Grade(int colunas, int linhas)
{
    TRasTeste r;
    r.colunas = colunas;
    r.linhas = linhas;
    r.xmin = 1000;
    r.xmax = 1000.0f + 10.0f * static_cast<float>(colunas);
    r.ymax = 10.0f * static_cast<float>(linhas);
    for (int i = 0; i < colunas * linhas; ++i)
        r.celulas.push_back(static_cast<float>(i % 100 + 1));
    return r;
}

void Mover(QWidget* w, QPoint p)
{
    QMouseEvent e(QEvent::MouseMove, QPointF(p), QPointF(w->mapToGlobal(p)), Qt::NoButton, Qt::NoButton,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

std::string Inicio(const QString& nome, std::size_t n)
{
    std::ifstream f(nome.toStdString(), std::ios::binary);
    std::string s(n, '\0');
    f.read(s.data(), static_cast<std::streamsize>(n));
    return s;
}

} // namespace

class TesteVisualizar : public QObject {
    Q_OBJECT
private:
    TDialogosRoteiro dialogos_;
    TempDir dir_;
    std::unique_ptr<TFPrincipal> principal_;

    TFVisualizar* Abrir(const std::filesystem::path& ras, int zoom, int paleta = 0)
    {
        auto* v = new TFVisualizar(principal_->Contexto());
        principal_->Mdi()->addSubWindow(v);
        v->MostrarImagem(ras, paleta, zoom);
        return v;
    }

private slots:
    void init()
    {
        principal_ = std::make_unique<TFPrincipal>(dialogos_, dir_ / "Vastrel3.ini");
        principal_->resize(1000, 800);
        principal_->show();
        dialogos_.Mensagens.clear();
        dialogos_.TitulosArquivo.clear();
    }
    void cleanup() { principal_.reset(); }

    void CoresDoExemplo()
    {
        const auto ras = dir_ / "cores.ras";
        GravarReal(ras, TRasTeste{.tipo = 'R', .colunas = 3, .linhas = 1, .xmax = 3, .ymax = 1,
                                  .celulas = {50, 0, 101}}, 0, 100);
        TFVisualizar* v = Abrir(ras, 100, 3); // "Paleta 4", the grey ramp
        QCOMPARE(v->Imagem().pixel(0, 0), qRgb(128, 128, 128));
        QCOMPARE(v->Imagem().pixel(1, 0), qRgb(255, 255, 255));
        QCOMPARE(v->Imagem().pixel(2, 0), qRgb(2, 2, 2));
        QCOMPARE(v->windowTitle(), QStringLiteral("cores.ras"));

        // One value only: one colour, no failure.
        const auto plano = dir_ / "plano.ras";
        GravarReal(plano, TRasTeste{.tipo = 'R', .colunas = 2, .linhas = 1, .celulas = {7, 7}}, 7, 7);
        TFVisualizar* p = Abrir(plano, 100, 3);
        QCOMPARE(p->Imagem().pixel(1, 0), qRgb(0, 0, 0));
    }

    void ZoomETamanhoExibido()
    {
        const auto ras = dir_ / "z.ras";
        GravarReal(ras, Grade(200, 100), 1, 100);
        TFVisualizar* v = Abrir(ras, 150);
        QCOMPARE(v->Exibido(), (gis::TTamanho{300, 150}));
        v->AcaoZoomMenos->trigger();
        v->AcaoZoomMenos->trigger();
        QCOMPARE(v->Zoom(), 75);
        QCOMPARE(v->Exibido(), (gis::TTamanho{150, 75}));
        v->AcaoZoomMenos->trigger();
        v->AcaoZoomMenos->trigger();
        QCOMPARE(v->Zoom(), 25);
        QVERIFY(!v->AcaoZoomMenos->isEnabled());
        for (int i = 0; i < 30; ++i)
            v->AcaoZoomMais->trigger();
        QCOMPARE(v->Zoom(), 1000);
        QVERIFY(!v->AcaoZoomMais->isEnabled());
        QCOMPARE(v->Exibido(), (gis::TTamanho{2000, 1000}));
        // The window never outgrows the main window's client area.
        QVERIFY(v->parentWidget()->width() <= principal_->Mdi()->viewport()->width());
    }

    void SondaNasBordas()
    {
        const auto ras = dir_ / "s.ras";
        GravarReal(ras, Grade(20, 10), 1, 100);
        TFVisualizar* v = Abrir(ras, 100);
        TFObterValor* s = TFVisualizar::Sonda();
        QVERIFY(s && s->isVisible());
        QWidget* area = v->viewport();
        Mover(area, QPoint(20, 10));
        QCOMPARE(s->X->text(), QStringLiteral("1200")); // XMax on the eastern edge
        QCOMPARE(s->Coluna->text(), QStringLiteral("20"));
        Mover(area, QPoint(21, 3));
        QCOMPARE(s->X->text(), QString());
        QTest::mouseClick(area, Qt::LeftButton, {}, QPoint(19, 9));
        QCOMPARE(s->Atributo->text(), QStringLiteral("100")); // cell 199
        QTest::mouseClick(area, Qt::LeftButton, {}, QPoint(20, 9));
        QCOMPARE(s->Atributo->text(), QString());
        // The probe closes with the last viewer.
        principal_->Mdi()->closeAllSubWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(TFVisualizar::Sonda() == nullptr);
    }

    void SobreposicaoComNumerosDosTerracos()
    {
        const auto ras = dir_ / "o.ras";
        GravarReal(ras, Grade(100, 100), 1, 100);
        gis::TVetor vet;
        vet.Unidade = "M";
        vet.IrParaInicio();
        for (int n = 0; n < 60001; ++n)
            vet.GravarRegistro(1, 1000.0f + static_cast<float>(n % 1000), 500, 1);
        vet.GravarRegistro(2, 1500, 200, 2);
        vet.GravarVetor(dir_ / "terr.vet");
        std::filesystem::copy_file(dir_ / "terr.vet", dir_ / "outro.vet");
        TBDT().Salvar(dir_ / "terr.bdt");

        TFVisualizar* v = Abrir(ras, 100);
        QVERIFY(!v->AcaoRemover->isEnabled());
        dialogos_.Arquivos = {QString::fromStdString((dir_ / "outro.vet").string())};
        v->AcaoSobrepor->trigger();
        QCOMPARE(v->NumLinhasSobrepostas(), 2u);
        QCOMPARE(v->NumRotulos(), 0u);
        v->SobreporVetor(dir_ / "terr.vet");
        QCOMPARE(v->NumLinhasSobrepostas(), 4u); // overlays accumulate
        QCOMPARE(v->NumRotulos(), 2u);
        QVERIFY(v->AcaoRemover->isEnabled());
        // Black line across row 50, drawn on the copy only.
        QCOMPARE(v->Copia().pixel(60, 50), qRgb(0, 0, 0));
        QVERIFY(v->Imagem().pixel(60, 50) != qRgb(0, 0, 0));
        v->AcaoRemover->trigger();
        QCOMPARE(v->NumLinhasSobrepostas(), 0u);
        QCOMPARE(v->Copia().pixel(60, 50), v->Imagem().pixel(60, 50));
    }

    void SalvarJpegOuBitmap()
    {
        const auto ras = dir_ / "g.ras";
        GravarReal(ras, Grade(30, 20), 1, 100);
        TFVisualizar* v = Abrir(ras, 100);
        const QString jpg = QString::fromStdString((dir_ / "a.jpg").string());
        const QString maiusculo = QString::fromStdString((dir_ / "b.JPG").string());
        dialogos_.Arquivos = {jpg, maiusculo};
        v->AcaoSalvar->trigger();
        v->AcaoSalvar->trigger();
        QCOMPARE(dialogos_.TitulosArquivo.value(0), QStringLiteral("Salvar Imagem como ..."));
        QCOMPARE(Inicio(jpg, 2), std::string("\xFF\xD8"));
        QCOMPARE(Inicio(maiusculo, 2), std::string("BM"));
        QVERIFY(dialogos_.Mensagens.isEmpty());
    }

    void DialogoAbrirEVetorSozinho()
    {
        const auto ras = dir_ / "d.ras";
        GravarReal(ras, Grade(40, 30), 1, 100);
        gis::TVetor ponto;
        ponto.Unidade = "M";
        ponto.IrParaInicio();
        ponto.GravarRegistro(1, 5, 5, 0); // one point: no extent
        ponto.GravarVetor(dir_ / "p.vet");

        TFAbrirArq d(principal_->Contexto());
        QVERIFY(!d.Ok->isEnabled());
        dialogos_.Arquivos = {QString::fromStdString((dir_ / "nada.ras").string()),
                              QString::fromStdString(ras.string())};
        d.Abrir->click();
        QVERIFY(!d.Ok->isEnabled()); // the file does not exist
        d.Abrir->click();
        QVERIFY(d.Ok->isEnabled());
        d.Zooms->setCurrentRow(5); // "200%"
        TFVisualizar* v = d.OkClick();
        QVERIFY(v);
        QCOMPARE(v->Zoom(), 200);
        QCOMPARE(v->Exibido(), (gis::TTamanho{80, 60}));

        TFAbrirArq d2(principal_->Contexto());
        d2.Vetor->setChecked(true);
        QVERIFY(d2.Caminho->text().isEmpty());
        d2.Caminho->setText(QString::fromStdString((dir_ / "p.vet").string()));
        TFVisualizar* w = d2.OkClick();
        QVERIFY(w && w->ModoVetor());
        QVERIFY(!w->AcaoSobrepor->isVisible() && !w->AcaoPaleta->isVisible());
        QCOMPARE(principal_->Mdi()->subWindowList().size(), 2);
        QVERIFY(dialogos_.Mensagens.isEmpty());
    }
};

QTEST_MAIN(TesteVisualizar)
#include "Visualizar_test.moc"

// The raster viewer: colours of the picture, the window and zoom a raster
// opens at, zoom steps, wheel and keys, the value strip at the edges of the
// raster, overlays with terrace numbers of a fixed size that never overlap,
// the colour legend, saving under ".jpg" and ".JPG", the open dialog and a
// vector alone.

#include "DialogosRoteiro.h"
#include "Principal.h"
#include "Visualizar.h"

#include "core/gis/GisTeste.h"
#include "common/Locale.h"
#include "gis/BDT.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QtTest>

#include <algorithm>
#include <cmath>
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

// No two rectangles share a pixel.
bool Separados(const std::vector<gis::TRetangulo>& r)
{
    for (std::size_t i = 0; i < r.size(); ++i)
        for (std::size_t j = i + 1; j < r.size(); ++j)
            if (QRect(r[i].X, r[i].Y, r[i].Largura, r[i].Altura)
                    .intersects(QRect(r[j].X, r[j].Y, r[j].Largura, r[j].Altura)))
                return false;
    return true;
}

// The widget's rectangle in the coordinates of `base`.
QRect Em(const QWidget* w, const QWidget* base)
{
    return QRect(w->mapTo(base, QPoint(0, 0)), w->size());
}

// Where the picture starts in the view, found in what the view shows: the
// first row and column that are not white (every cell of Grade has a
// colour).
QPoint InicioDaImagem(QWidget* vista)
{
    const QImage tela = vista->grab().toImage();
    QPoint inicio(tela.width(), tela.height());
    for (int y = 0; y < tela.height(); ++y)
        for (int x = 0; x < tela.width(); ++x)
            if (tela.pixel(x, y) != qRgb(255, 255, 255)) {
                inicio.setX(std::min(inicio.x(), x));
                inicio.setY(std::min(inicio.y(), y));
            }
    return inicio;
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

    // A raster opens in a window that shows all of it, beside nothing but
    // the legend and under nothing but the strip.
    void AbreInteiraNaJanela()
    {
        struct Caso {
            const char* nome;
            int colunas, linhas, pedido;
            int zoomMinimo, zoomMaximo;
        };
        const Caso casos[] = {
            {"media.ras", 600, 400, gis::kZoomAjustar, 100, 100},
            {"grande.ras", 3000, 1500, gis::kZoomAjustar, 20, 30},  // about 750 / 3000
            {"pequena.ras", 60, 40, gis::kZoomAjustar, 300, 1000}, // enlarged by a whole factor
            {"pedida.ras", 600, 400, 400, 100, 150},                // 400 % would not show it all
        };
        for (const Caso& c : casos) {
            const auto ras = dir_ / c.nome;
            GravarReal(ras, Grade(c.colunas, c.linhas), 1, 100);
            TFVisualizar* v = Abrir(ras, c.pedido);
            auto* sub = qobject_cast<QMdiSubWindow*>(v->parentWidget());
            QVERIFY(sub);
            sub->show();
            QCoreApplication::processEvents();
            QVERIFY2(v->Zoom() >= c.zoomMinimo && v->Zoom() <= c.zoomMaximo,
                     qPrintable(QStringLiteral("%1: %2%").arg(QLatin1String(c.nome)).arg(v->Zoom())));
            if (c.pedido == gis::kZoomAjustar && v->Zoom() > 100)
                QCOMPARE(v->Zoom() % 100, 0);
            // All of the picture in sight, without scroll bars.
            QVERIFY2(v->Exibido().Largura <= v->viewport()->width() && v->Exibido().Altura <= v->viewport()->height(),
                     c.nome);
            QVERIFY(!v->horizontalScrollBar()->isVisible() && !v->verticalScrollBar()->isVisible());
            // Inside the main window's free area.
            QVERIFY(QRect(QPoint(0, 0), principal_->Mdi()->viewport()->size()).contains(sub->geometry()));
            // The legend on the right and the strip under the picture, apart.
            const QRect vista = Em(v->viewport(), v);
            const QRect legenda = Em(v->Legenda(), v);
            const QRect faixa = Em(v->Sonda(), v);
            QVERIFY(v->Legenda()->isVisible() && v->Sonda()->isVisible());
            QVERIFY(!vista.intersects(legenda) && !vista.intersects(faixa) && !legenda.intersects(faixa));
            QVERIFY(legenda.left() >= vista.right() && faixa.top() >= vista.bottom());
            // A larger picture gets a window no smaller; a small one no
            // larger than it needs (the picture fills it but for the
            // legend's and the strip's least room).
            if (c.zoomMaximo == 100)
                QVERIFY(vista.width() - v->Exibido().Largura < 40 && vista.height() - v->Exibido().Altura < 40);
            sub->close();
        }
    }

    void RodaETeclasMudamOZoom()
    {
        const auto ras = dir_ / "r.ras";
        GravarReal(ras, Grade(500, 300), 1, 100);
        TFVisualizar* v = Abrir(ras, gis::kZoomAjustar);
        v->parentWidget()->show();
        QCoreApplication::processEvents();
        QWidget* vista = v->viewport();
        QCOMPARE(v->Zoom(), 100);

        // Notches up at a point: the next steps, the same cell under it.
        const QPoint ponto = InicioDaImagem(vista) + QPoint(200, 130);
        auto rodar = [&](int delta) {
            QWheelEvent e(QPointF(ponto), QPointF(vista->mapToGlobal(ponto)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(vista, &e);
        };
        for (const int delta : {0, 120, 240}) {
            rodar(delta);
            Mover(vista, ponto);
            QCOMPARE(v->Sonda()->Coluna->text(), QStringLiteral("200"));
            QCOMPARE(v->Sonda()->Linha->text(), QStringLiteral("130"));
        }
        QCOMPARE(v->Zoom(), 250);
        // Half notches add up to one.
        rodar(-60);
        QCOMPARE(v->Zoom(), 250);
        rodar(-60);
        QCOMPARE(v->Zoom(), 200);
        QCOMPARE(v->Sonda()->Zoom->text(), QStringLiteral("200%"));

        // + and − on the keyboard and on the keypad, besides Ctrl+A / Ctrl+B.
        v->setFocus();
        QTest::keyClick(v->focusWidget(), Qt::Key_Plus);
        QCOMPARE(v->Zoom(), 250);
        QTest::keyClick(v->focusWidget(), Qt::Key_Minus, Qt::KeypadModifier);
        QTest::keyClick(v->focusWidget(), Qt::Key_Minus);
        QCOMPARE(v->Zoom(), 150);
        QTest::keyClick(v->focusWidget(), Qt::Key_Plus, Qt::KeypadModifier);
        QCOMPARE(v->Zoom(), 200);
        QTest::keyClick(v->focusWidget(), Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(v->Zoom(), 150);
    }

    void SondaNasBordas()
    {
        const auto ras = dir_ / "s.ras";
        GravarReal(ras, Grade(20, 10), 1, 100);
        TFVisualizar* v = Abrir(ras, 100);
        v->parentWidget()->show();
        QCoreApplication::processEvents();
        TFObterValor* s = v->Sonda();
        QWidget* area = v->viewport();
        // The small picture lies in the middle of the view.
        const QPoint o = InicioDaImagem(area);
        QVERIFY(o.x() > 0 && o.y() > 0);
        Mover(area, o + QPoint(20, 10));
        QCOMPARE(s->X->text(), QStringLiteral("1200")); // XMax on the eastern edge
        QCOMPARE(s->Coluna->text(), QStringLiteral("20"));
        QCOMPARE(s->Atributo->text(), QString());       // no cell there
        Mover(area, o + QPoint(21, 3));
        QCOMPARE(s->X->text(), QString());
        Mover(area, o + QPoint(-1, 3)); // left of the picture: no cell
        QCOMPARE(s->X->text(), QString());
        QCOMPARE(s->Atributo->text(), QString());
        Mover(area, o + QPoint(19, 9));
        QCOMPARE(s->Atributo->text(), QStringLiteral("100")); // cell 199
        QTest::mouseClick(area, Qt::LeftButton, {}, o + QPoint(1, 1));
        QCOMPARE(s->Atributo->text(), QStringLiteral("22")); // cell 21
        // "Obter valor" hides and shows the strip.
        QVERIFY(s->isVisible());
        v->AcaoObterValor->trigger();
        QVERIFY(!s->isVisible());
        v->AcaoObterValor->trigger();
        QVERIFY(s->isVisible());
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
        // Black line across row 50, drawn over the picture only.
        QCOMPARE(v->Figura().pixel(60, 50), qRgb(0, 0, 0));
        QVERIFY(v->Imagem().pixel(60, 50) != qRgb(0, 0, 0));
        v->parentWidget()->show();
        QCoreApplication::processEvents();
        const QPoint o = InicioDaImagem(v->viewport());
        QCOMPARE(v->viewport()->grab().toImage().pixel(o + QPoint(60, 50)), qRgb(0, 0, 0));
        v->AcaoRemover->trigger();
        QCOMPARE(v->NumLinhasSobrepostas(), 0u);
        QCOMPARE(v->Figura().pixel(60, 50), v->Imagem().pixel(60, 50));
    }

    // Terrace numbers keep their size at any zoom, and those that would
    // cover a number already drawn are left out.
    void NumerosDeTamanhoFixoSemSobreposicao()
    {
        const auto ras = dir_ / "t.ras";
        GravarReal(ras, Grade(100, 100), 1, 100);
        // Thirty terraces three cells apart, each crossing the raster.
        gis::TVetor vet;
        vet.Unidade = "M";
        vet.IrParaInicio();
        for (std::int16_t n = 1; n <= 30; ++n)
            for (int x = 0; x <= 1000; x += 100)
                vet.GravarRegistro(n, 1000.0f + static_cast<float>(x), 960.0f - 30.0f * n, 1);
        vet.GravarVetor(dir_ / "t.vet");
        TBDT().Salvar(dir_ / "t.bdt");

        TFVisualizar* v = Abrir(ras, 100);
        v->SobreporVetor(dir_ / "t.vet");
        QCOMPARE(v->NumRotulos(), 30u);
        std::vector<gis::TRetangulo> antes = v->RotulosDesenhados();
        QVERIFY(!antes.empty());
        QVERIFY(antes.size() < 30u); // 3 pixels apart at 100 %: they would pile up
        QVERIFY(Separados(antes));
        const int altura = antes.front().Altura;
        for (int i = 0; i < 20; ++i)
            v->AcaoZoomMais->trigger();
        QCOMPARE(v->Zoom(), 1000);
        const std::vector<gis::TRetangulo> depois = v->RotulosDesenhados();
        QCOMPARE(depois.size(), 30u); // 30 pixels apart now
        QVERIFY(Separados(depois));
        for (const gis::TRetangulo& r : depois)
            QCOMPARE(r.Altura, altura);
        QCOMPARE(depois.front().Largura, antes.front().Largura);

        // Blue digits in the view where a number is drawn, and nowhere else.
        const QImage tela = v->viewport()->grab().toImage();
        const QPoint origem(v->horizontalScrollBar()->value(), v->verticalScrollBar()->value());
        int comAzul = 0, azulFora = 0;
        for (int y = 0; y < tela.height(); ++y)
            for (int x = 0; x < tela.width(); ++x) {
                if (tela.pixel(x, y) != qRgb(0, 0, 255))
                    continue;
                const QPoint p = QPoint(x, y) + origem;
                const bool dentro = std::any_of(depois.begin(), depois.end(), [&](const gis::TRetangulo& r) {
                    return QRect(r.X, r.Y, r.Largura, r.Altura).contains(p);
                });
                (dentro ? comAzul : azulFora) += 1;
            }
        QVERIFY(comAzul > 0);
        QCOMPARE(azulFora, 0);
    }

    // The legend: a bar of the palette from the minimum to the maximum, round
    // values with the user's decimal separator, the unit of the title.
    void LegendaDeCores()
    {
        ScopedDecimalSeparator virgula(',');
        const auto ras = dir_ / "l.ras";
        TRasTeste t = Grade(200, 150);
        t.titulo = "Elevacao (m) filtrada (media 3 x 3)";
        GravarReal(ras, t, 0.5f, 2.25f);
        TFVisualizar* v = Abrir(ras, gis::kZoomAjustar, 3); // the grey ramp
        v->parentWidget()->show();
        QCoreApplication::processEvents();
        QCOMPARE(v->Legenda()->Dados().Unidade, std::string("m"));
        QCOMPARE(v->Sonda()->Unidade->text(), QStringLiteral("m"));
        v->Legenda()->repaint();
        const QStringList marcas = v->Legenda()->Marcas();
        QVERIFY2(marcas.size() >= 3, qPrintable(marcas.join(QLatin1Char(' '))));
        // From the top down, evenly apart, within the extremes.
        std::vector<double> valores;
        for (const QString& m : marcas) {
            QVERIFY2(m.contains(QLatin1Char(',')) && !m.contains(QLatin1Char('.')), qPrintable(m));
            valores.push_back(QString(m).replace(QLatin1Char(','), QLatin1Char('.')).toDouble());
        }
        QVERIFY(valores.front() <= 2.25 && valores.back() >= 0.5);
        for (std::size_t i = 1; i < valores.size(); ++i)
            QVERIFY(std::fabs((valores[i - 1] - valores[i]) - (valores[0] - valores[1])) < 1e-9);

        // The legend stays as it is whatever the zoom.
        const QSize tamanho = v->Legenda()->size();
        v->AcaoZoomMais->trigger();
        v->AcaoZoomMais->trigger();
        QCoreApplication::processEvents();
        QCOMPARE(v->Legenda()->size(), tamanho);

        // The saved picture has the legend on the right of the picture: a
        // column of greys from white at the top to black at the bottom.
        const QImage figura = v->Figura();
        const int largura = gis::TamanhoExibido(200, gis::ZoomFigura({200, 150}, v->Zoom()));
        QVERIFY(figura.width() > largura + 30);
        std::vector<int> cinzas;
        for (int x = largura; x < figura.width() && cinzas.empty(); ++x) {
            std::vector<int> coluna;
            for (int y = 0; y < figura.height(); ++y) {
                const QRgb c = figura.pixel(x, y);
                if (qRed(c) == qGreen(c) && qGreen(c) == qBlue(c))
                    coluna.push_back(qRed(c));
            }
            // The bar's middle column: many greys between the two ends.
            if (std::count_if(coluna.begin(), coluna.end(), [](int g) { return g > 5 && g < 250; }) > 100)
                for (int g : coluna)
                    if (g > 5 && g < 250)
                        cinzas.push_back(g);
        }
        QVERIFY(!cinzas.empty());
        QVERIFY(std::is_sorted(cinzas.rbegin(), cinzas.rend()));
        QVERIFY(cinzas.front() > 240 && cinzas.back() < 15);
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
        QCOMPARE(d.Zooms->currentItem()->text(), QStringLiteral("Ajustar à janela"));
        d.Zooms->setCurrentRow(6); // "200%"
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

#pragma once
// The raster viewer: the open dialog, the viewer window (a child window of
// the main window, several at once) with its picture, colour legend and
// value strip, and its palette and property dialogs.

#include "Ajuda.h"

#include <QAbstractScrollArea>
#include <QDialog>
#include <QImage>

#include <filesystem>
#include <memory>
#include <vector>

#include "Modulos.h"
#include "gis/MemoryRaster.h"
#include "gis/Paleta.h"
#include "gis/Vetor.h"
#include "gis/Visualizacao.h"

class QAction;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QListWidget;
class QPainter;
class QRadioButton;
class QScrollBar;

namespace vastrel::gui {

inline constexpr int kTopicoVisualizar = topico::Visualizar;

// The value probe: a strip under the picture with the row, column,
// coordinates and value under the pointer, and the zoom.
class TFObterValor : public QWidget {
    Q_OBJECT
public:
    explicit TFObterValor(QWidget* pai = nullptr);
    // Row, column and value are left out for a vector shown alone.
    void SoCoordenadas(bool so);
    QLabel *Linha, *Coluna, *X, *Y, *Atributo, *Unidade, *Zoom;

private:
    std::vector<QWidget*> daCelula_;
};

// The colour legend of a raster: the palette as a bar from the minimum (at
// the bottom) to the maximum, round values beside it, the unit above and the
// colour of the cells without data below. A panel of fixed size beside the
// picture, and a part of the saved and printed picture.
class TLegendaCores : public QWidget {
    Q_OBJECT
public:
    explicit TLegendaCores(QWidget* pai = nullptr);
    void Definir(const gis::TDadosLegenda& dados, const gis::TPaleta& paleta);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // Draws a legend in `r` with the font of `fonte`.
    static void Pintar(QPainter& p, const QRect& r, const gis::TDadosLegenda& dados, const gis::TPaleta& paleta,
                       const QFont& fonte);
    static int Largura(const gis::TDadosLegenda& dados, const QFont& fonte);
    // The tick texts drawn last, from the top.
    const QStringList& Marcas() const { return marcas_; }
    const gis::TDadosLegenda& Dados() const { return dados_; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    gis::TDadosLegenda dados_;
    gis::TPaleta paleta_{};
    QStringList marcas_;
};

class TFVisualizar : public QWidget {
    Q_OBJECT
public:
    explicit TFVisualizar(TContextoPrograma& contexto, QWidget* pai = nullptr);
    ~TFVisualizar() override;

    // Shows a raster (a path) or repaints the loaded one (an empty path)
    // with a palette (0 to 4). A raster opens in a window sized to it within
    // the main window's free area, at the zoom (%) asked for or, with
    // gis::kZoomAjustar, at the zoom that fits it, always lowered so that the
    // whole raster shows (gis::ZoomInicial); a repaint keeps the window and
    // takes the zoom as it is. Raises the error of a file or palette that
    // cannot be read; the loaded raster then stays as it was.
    void MostrarImagem(const std::filesystem::path& caminho, int paleta, int zoom);
    // Shows a vector file alone.
    void MostrarVetor(const std::filesystem::path& caminho);

    // Context-menu commands.
    void ZoomMaisClick();
    void ZoomMenosClick();
    void PropriedadesClick();
    void PaletaClick();
    void ImprimirClick();
    void ObterValorClick();
    void SalvarImagemClick();
    void SobreporVetorClick();
    void RemoverVetorClick();
    // Adds the lines of a vector file over the raster.
    void SobreporVetor(const std::filesystem::path& caminho);
    // Saves Figura(): JPEG (quality 90) for ".jpg", bitmap otherwise.
    void SalvarImagem(const QString& nome);
    // Changes the zoom keeping the picture point under `ancora` (a point of
    // the picture area) in place.
    void MudarZoom(int zoom, QPoint ancora);

    int Paleta() const { return paleta_; }
    int Zoom() const { return zoom_; }
    bool ModoVetor() const { return modoVetor_; }
    gis::TTamanho Exibido() const { return exibido_; }
    // The picture, one pixel per cell.
    const QImage& Imagem() const { return imagem_; }
    // What is saved and printed: the picture at gis::ZoomFigura with the
    // overlay, its labels and the colour legend on the right.
    QImage Figura() const;
    const gis::TMemoryRaster& Raster() const { return raster_; }
    std::size_t NumLinhasSobrepostas() const { return sobreposicao_.size(); }
    // Lines whose number is written (a terrace table beside their file).
    std::size_t NumRotulos() const;
    // The outlets of the graded terraces overlaid.
    std::size_t NumSaidas() const { return saidas_.size(); }
    // Screen rectangles (in the whole displayed picture) of the numbers drawn
    // at the present zoom, those that overlap none drawn before.
    std::vector<gis::TRetangulo> RotulosDesenhados() const;

    // The picture area and its scroll bars, the legend and the value strip.
    QWidget* viewport() const;
    QScrollBar* horizontalScrollBar() const;
    QScrollBar* verticalScrollBar() const;
    TLegendaCores* Legenda() const { return legenda_; }
    TFObterValor* Sonda() const { return sonda_; }

    QAction *AcaoZoomMais, *AcaoZoomMenos, *AcaoPropriedades, *AcaoPaleta, *AcaoImprimir, *AcaoObterValor,
        *AcaoSalvar, *AcaoSobrepor, *AcaoRemover;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    struct TLinhaSobreposta {
        gis::TLinhaImagem Linha;
        bool ComNumero = false;
        bool Sentido = false; // a graded terrace: drawn with the way its water runs, to its last point
    };
    // An outlet of graded terraces: on a waterway, or on the edge.
    struct TSaidaSobreposta {
        gis::TPontoImagem Ponto;
        bool Borda = false;
    };
    struct TRotuloTela {
        QString Texto;
        gis::TRetangulo Lugar;
        bool Desenhar = false;
    };

    // Sizes and places the child window for a picture and returns the zoom.
    int Dimensionar(int pedido);
    void AtualizarBarras();
    void AtualizarZoom();
    std::vector<TRotuloTela> Rotulos(int zoom) const;
    // Draws the part of the picture at `zoom` that starts at `rolagem` in a
    // view of `vista` pixels, with the overlay and its labels.
    void PintarCena(QPainter& p, int zoom, QPoint rolagem, QSize vista, const std::vector<TRotuloTela>& rotulos) const;
    void Sondar(QPoint p);
    // Where the picture starts in the view.
    QPoint Deslocamento() const;
    gis::TCelula CelulaEm(QPoint p) const;

    TContextoPrograma& contexto_;
    QAbstractScrollArea* area_;
    TLegendaCores* legenda_;
    TFObterValor* sonda_;
    QFont fonteRotulo_;
    int paleta_ = 0;
    int zoom_ = 100;
    int rodaAcumulada_ = 0;
    bool modoVetor_ = false;
    gis::TMemoryRaster raster_;
    gis::TPaleta cores_{};
    gis::TVetor vetor_;
    QImage imagem_;
    gis::TTamanho exibido_;
    std::filesystem::path caminho_;
    std::vector<TLinhaSobreposta> sobreposicao_;
    std::vector<TRotuloTela> rotulos_; // at zoom_
    std::vector<TSaidaSobreposta> saidas_;
    QAction* separador_ = nullptr;
};

// The open dialog "Abrir Imagem".
class TFAbrirArq : public QDialog {
    Q_OBJECT
public:
    explicit TFAbrirArq(TContextoPrograma& contexto, QWidget* pai = nullptr);

    QRadioButton *Vetor, *Raster;
    QButtonGroup* Paletas;
    QListWidget* Zooms;
    QLineEdit* Caminho;
    QPushButton *Abrir, *Ok;

    void AbrirClick();
    // Creates the viewer in the main window; null when nothing was shown.
    TFVisualizar* OkClick();

private:
    void AtualizarOk();
    TContextoPrograma& contexto_;
};

// Palette choice of a viewer.
class TFPaleta : public QDialog {
    Q_OBJECT
public:
    TFPaleta(int paleta, TAjuda& ajuda, QWidget* pai = nullptr);
    QButtonGroup* Paletas;
};

// Properties of a raster (TFPropriedades) or of a vector (TFPropriedades2).
class TFPropriedades : public QDialog {
    Q_OBJECT
public:
    TFPropriedades(const gis::TCabecalhoRaster& r, const QString& legenda, QWidget* pai = nullptr);
};

class TFPropriedades2 : public QDialog {
    Q_OBJECT
public:
    TFPropriedades2(const gis::TVetor& v, const QString& legenda, QWidget* pai = nullptr);
};

} // namespace vastrel::gui

#pragma once
// The raster viewer: the open dialog, the viewer window (a child window of
// the main window, several at once), its palette and property dialogs and
// the value probe shared by every viewer.

#include "Ajuda.h"

#include <QAbstractScrollArea>
#include <QDialog>
#include <QImage>

#include <filesystem>
#include <memory>
#include <vector>

#include "Modulos.h"
#include "gis/MemoryRaster.h"
#include "gis/Vetor.h"
#include "gis/Visualizacao.h"

class QAction;
class QButtonGroup;
class QLineEdit;
class QListWidget;
class QRadioButton;

namespace vastrel::gui {

inline constexpr int kTopicoVisualizar = topico::Visualizar;

// The value probe: row, column, coordinates and value under the pointer.
class TFObterValor : public QWidget {
    Q_OBJECT
public:
    explicit TFObterValor(QWidget* pai = nullptr);
    QLineEdit *Linha, *Coluna, *X, *Y, *Atributo;
};

class TFVisualizar : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TFVisualizar(TContextoPrograma& contexto, QWidget* pai = nullptr);
    ~TFVisualizar() override;

    // Shows a raster (a path) or repaints the loaded one (an empty path)
    // with a palette (0 to 4) at a zoom (%). Raises the error of a file or
    // palette that cannot be read; the loaded raster then stays as it was.
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
    // Saves the display copy: JPEG (quality 90) for ".jpg", bitmap otherwise.
    void SalvarImagem(const QString& nome);

    int Paleta() const { return paleta_; }
    int Zoom() const { return zoom_; }
    bool ModoVetor() const { return modoVetor_; }
    gis::TTamanho Exibido() const { return exibido_; }
    const QImage& Imagem() const { return imagem_; }
    const QImage& Copia() const { return copia_; }
    const gis::TMemoryRaster& Raster() const { return raster_; }
    std::size_t NumLinhasSobrepostas() const { return sobreposicao_.size(); }
    // Lines whose number is written (a terrace table beside their file).
    std::size_t NumRotulos() const;
    QAction *AcaoZoomMais, *AcaoZoomMenos, *AcaoPropriedades, *AcaoPaleta, *AcaoImprimir, *AcaoObterValor,
        *AcaoSalvar, *AcaoSobrepor, *AcaoRemover;

    // The probe shared by every viewer (null while none is open).
    static TFObterValor* Sonda();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    struct TLinhaSobreposta {
        gis::TLinhaImagem Linha;
        bool ComNumero = false;
    };

    void AtualizarCopia();
    void AplicarZoom();
    void AbrirSonda();
    gis::TCelula CelulaEm(QPoint p) const;

    TContextoPrograma& contexto_;
    int paleta_ = 0;
    int zoom_ = 100;
    bool modoVetor_ = false;
    gis::TMemoryRaster raster_;
    gis::TVetor vetor_;
    QImage imagem_;
    QImage copia_;
    gis::TTamanho exibido_;
    std::filesystem::path caminho_;
    std::vector<TLinhaSobreposta> sobreposicao_;
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

#pragma once
// Pieces of the rainfall consultation window: the map picture that reports
// the pointer and clicks by pixel, the source-citation dialog and the
// database's about screen.

#include <QDialog>
#include <QImage>
#include <QWidget>

#include <functional>

class QLabel;

namespace vastrel {
struct TCitacaoFonte;
}

namespace vastrel::gui {

// A picture shown at its own size, one widget pixel per picture pixel, that
// tells who is interested where the pointer moves and where it clicks.
class TMapaImagem : public QWidget {
    Q_OBJECT
public:
    explicit TMapaImagem(QWidget* pai = nullptr);

    void DefinirImagem(const QImage& imagem);
    const QImage& Imagem() const { return imagem_; }
    // The colour of a pixel, or an invalid colour outside the picture.
    QColor Cor(int x, int y) const;

    std::function<void(QPoint)> AoMover;
    std::function<void(QPoint)> AoClicar;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    QImage imagem_;
};

// "Autor": the citation of a source in three wrapped lines and "&Ok".
class TFAutor : public QDialog {
    Q_OBJECT
public:
    TFAutor(const TCitacaoFonte& citacao, QWidget* pai = nullptr);
};

// The database's about screen: a borderless picture that closes on a click
// or a key.
class TFSobreNimbra : public QDialog {
    Q_OBJECT
public:
    static constexpr int kLargura = 420;
    static constexpr int kAltura = 260;
    explicit TFSobreNimbra(QWidget* pai = nullptr);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    QPixmap figura_;
};

} // namespace vastrel::gui

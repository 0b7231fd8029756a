#pragma once
// The opening screen: a borderless window on top of the others, centred,
// showing the program's picture on white. At start it closes itself after
// five seconds; as the about window it waits for a click or a key.

#include <QDialog>
#include <QPixmap>

namespace vastrel::gui {

class TFInicial : public QDialog {
    Q_OBJECT
public:
    static constexpr int kLargura = 559;
    static constexpr int kAltura = 340;

    // `comTempo`: close after 5000 ms (the opening screen at start).
    explicit TFInicial(bool comTempo, QWidget* pai = nullptr);

    // The picture "abertura.svg" of the program's folder at 559 × 340.
    static QPixmap Figura();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    QPixmap figura_;
};

} // namespace vastrel::gui

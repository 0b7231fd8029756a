#include "Inicial.h"

#include "common/Pastas.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>
#include <QTimer>

namespace vastrel::gui {

QPixmap TFInicial::Figura()
{
    QPixmap figura(kLargura, kAltura);
    figura.fill(Qt::white);
    QPainter p(&figura);
    QSvgRenderer svg(QString::fromStdString(ArquivoDoPrograma("abertura.svg").string()));
    if (svg.isValid()) {
        svg.render(&p, QRectF(0, 0, kLargura, kAltura));
    } else {
        // Without its picture the screen still says what is starting.
        QFont fonte(QStringLiteral("Arial"), 28, QFont::Bold);
        p.setFont(fonte);
        p.setPen(QColor(0x2e, 0x6b, 0x2e));
        p.drawText(figura.rect(), Qt::AlignCenter, QStringLiteral("Vastrel 3.0"));
    }
    return figura;
}

TFInicial::TFInicial(bool comTempo, QWidget* pai) : QDialog(pai), figura_(Figura())
{
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setWindowTitle(QStringLiteral("Vastrel 3.0"));
    setFixedSize(kLargura, kAltura);
    setAutoFillBackground(true);
    QPalette branco = palette();
    branco.setColor(QPalette::Window, Qt::white);
    setPalette(branco);
    if (const QScreen* tela = pai && pai->screen() ? pai->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = tela->availableGeometry();
        move(area.center() - QPoint(kLargura / 2, kAltura / 2));
    }
    if (comTempo) {
        setAttribute(Qt::WA_DeleteOnClose);
        QTimer::singleShot(5000, this, &QDialog::close);
    }
}

void TFInicial::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawPixmap(0, 0, figura_);
}

void TFInicial::mousePressEvent(QMouseEvent*) { close(); }

void TFInicial::keyPressEvent(QKeyEvent*) { close(); }

} // namespace vastrel::gui

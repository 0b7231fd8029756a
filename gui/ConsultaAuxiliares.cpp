#include "ConsultaAuxiliares.h"

#include "Dialogos.h"

#include "common/Pastas.h"
#include "rainfall/Fontes.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QVBoxLayout>

namespace vastrel::gui {

TMapaImagem::TMapaImagem(QWidget* pai) : QWidget(pai) { setMouseTracking(true); }

void TMapaImagem::DefinirImagem(const QImage& imagem)
{
    imagem_ = imagem;
    update();
}

QColor TMapaImagem::Cor(int x, int y) const
{
    if (!imagem_.valid(x, y))
        return {};
    return imagem_.pixelColor(x, y);
}

void TMapaImagem::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, imagem_);
}

void TMapaImagem::mouseMoveEvent(QMouseEvent* e)
{
    if (AoMover)
        AoMover(e->position().toPoint());
}

void TMapaImagem::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && AoClicar)
        AoClicar(e->position().toPoint());
}

namespace {

QLabel* Linha(const std::string& texto, QWidget* pai, bool negrito)
{
    auto* l = new QLabel(Q(texto), pai);
    l->setWordWrap(true);
    l->setFixedWidth(360);
    if (negrito) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}

} // namespace

TFAutor::TFAutor(const TCitacaoFonte& citacao, QWidget* pai) : QDialog(pai)
{
    setWindowTitle(QStringLiteral("Autor"));
    auto* corpo = new QVBoxLayout;
    QLabel* autores = Linha(citacao.Autores, this, false);
    autores->setObjectName(QStringLiteral("Autores"));
    QLabel* titulo = Linha(citacao.Titulo, this, true);
    titulo->setObjectName(QStringLiteral("Titulo"));
    QLabel* publicacao = Linha(citacao.Publicacao, this, false);
    publicacao->setObjectName(QStringLiteral("Publicacao"));
    corpo->addWidget(autores);
    corpo->addWidget(titulo);
    corpo->addWidget(publicacao);
    QPushButton* ok = Botao(this, QStringLiteral("&Ok"), QStringLiteral("Ok"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    MontarDialogoFixo(this, corpo, {ok});
}

TFSobreNimbra::TFSobreNimbra(QWidget* pai) : QDialog(pai), figura_(kLargura, kAltura)
{
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setWindowTitle(QStringLiteral("Sobre"));
    setFixedSize(kLargura, kAltura);
    figura_.fill(Qt::white);
    QPainter p(&figura_);
    QSvgRenderer svg(QString::fromStdString(ArquivoDoPrograma("nimbra.svg").string()));
    if (svg.isValid()) {
        svg.render(&p, QRectF(0, 0, kLargura, kAltura));
    } else {
        p.setFont(QFont(QStringLiteral("Arial"), 24, QFont::Bold));
        p.setPen(QColor(0, 0, 153));
        p.drawText(figura_.rect(), Qt::AlignCenter, QStringLiteral("Nimbra 2.1"));
    }
}

void TFSobreNimbra::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawPixmap(0, 0, figura_);
}

void TFSobreNimbra::mousePressEvent(QMouseEvent*) { accept(); }

void TFSobreNimbra::keyPressEvent(QKeyEvent*) { accept(); }

} // namespace vastrel::gui

#include "Percent.h"

#include "common/UiHooks.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace vastrel::gui {

TFPercent::TFPercent(TProcessoPercent& processo, QWidget* pai) : QDialog(pai), processo_(processo)
{
    setWindowTitle(QStringLiteral("Aguarde, processando..."));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    status_ = new QLabel(this);
    status_->setMinimumWidth(360);
    barra_ = new QProgressBar(this);
    barra_->setRange(0, 100);
    barra_->setValue(0);
    cancelar_ = new QPushButton(QStringLiteral("&Cancelar"), this);
    layout->addWidget(status_);
    layout->addWidget(barra_);
    layout->addWidget(cancelar_, 0, Qt::AlignHCenter);
    connect(cancelar_, &QPushButton::clicked, this, [this] { processo_.SetParar(true); });
    timer_ = new QTimer(this);
    timer_->setInterval(1000);
    connect(timer_, &QTimer::timeout, this, [this] {
        Atualizar();
        if (processo_.Parar() && terminou_)
            accept();
    });
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TFPercent::Executar(TProcessoPercent& processo, QWidget* pai)
{
    TFPercent dialogo(processo, pai);
    dialogo.exec();
    if (dialogo.erro_)
        std::rethrow_exception(dialogo.erro_);
}

void TFPercent::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!iniciado_) {
        iniciado_ = true;
        QTimer::singleShot(0, this, &TFPercent::Rodar);
    }
}

void TFPercent::Rodar()
{
    processo_.SetParar(false);
    barra_->setRange(0, 100);
    timer_->start();
    ProcessPendingEvents();
    try {
        processo_.Executar();
    } catch (...) {
        erro_ = std::current_exception();
    }
    processo_.SetParar(true);
    terminou_ = true;
    Atualizar();
    if (erro_)
        accept();
}

void TFPercent::Atualizar()
{
    barra_->setValue(static_cast<int>(std::lround(std::clamp(processo_.Progresso(), 0.0, 100.0))));
    QString texto = QString::fromStdString(processo_.Status());
    if (processo_.NumTerracos() != 0)
        texto += QStringLiteral("  ") + QString::number(processo_.NumTerracos());
    status_->setText(texto);
}

void TFPercent::reject()
{
    processo_.SetParar(true);
}

void TFPercent::done(int r)
{
    // The dialog closes only once the run has returned.
    if (!terminou_)
        return;
    timer_->stop();
    barra_->setValue(0);
    QDialog::done(r);
}

} // namespace vastrel::gui

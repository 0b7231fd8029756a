#include "ConfSistema.h"

#include "Ajuda.h"
#include "Dialogos.h"

#include "project/Unidades.h"
#include "rainfall/Estados.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace vastrel::gui {

TFConfSistema::TFConfSistema(TUnidades& unidades, TAjuda& ajuda, QWidget* pai)
    : QDialog(pai), unidades_(unidades)
{
    setWindowTitle(QStringLiteral("Configuração do Sistema"));

    uniddecli_ = new QComboBox(this);
    uniddecli_->setObjectName(QStringLiteral("Uniddecli"));
    for (const char* u : TUnidades::kUnidadesDeclividade)
        uniddecli_->addItem(QString::fromUtf8(u));
    unidVib_ = new QComboBox(this);
    unidVib_->setObjectName(QStringLiteral("UnidVib"));
    for (const char* u : TUnidades::kUnidadesVIB)
        unidVib_->addItem(QString::fromUtf8(u));
    // The position in the list is the state's index in the database.
    estDefault_ = new QComboBox(this);
    estDefault_->setObjectName(QStringLiteral("EstDefault"));
    for (const TDadosEstado& e : kEstados)
        estDefault_->addItem(QString::fromUtf8(e.Nome));

    auto* campos = new QFormLayout;
    auto linha = [this, campos](const char* texto, QComboBox* lista) {
        auto* rotulo = new QLabel(QString::fromUtf8(texto), this);
        rotulo->setBuddy(lista);
        campos->addRow(rotulo, lista);
    };
    linha("Unidade da &declividade:", uniddecli_);
    linha("Unidade da &VIB:", unidVib_);
    linha("&Estado:", estDefault_);

    ok_ = Botao(this, QStringLiteral("&Ok"), QStringLiteral("ok"));
    ok_->setDefault(true);
    cancela_ = Botao(this, QStringLiteral("&Cancelar"), QStringLiteral("Cancela"));
    ajuda_ = Botao(this, QStringLiteral("Aj&uda"), QStringLiteral("Ajuda"));
    MontarDialogoFixo(this, campos, {ok_, cancela_, ajuda_});

    setTabOrder(uniddecli_, unidVib_);
    setTabOrder(unidVib_, estDefault_);
    setTabOrder(estDefault_, ok_);
    setTabOrder(ok_, cancela_);
    setTabOrder(cancela_, ajuda_);

    // The current settings.
    uniddecli_->setCurrentIndex(uniddecli_->findText(Q(unidades_.UnidDeclividade), Qt::MatchExactly));
    unidVib_->setCurrentIndex(unidVib_->findText(Q(unidades_.UnidVIB), Qt::MatchExactly));
    estDefault_->setCurrentIndex(unidades_.IndEstadoPadrao < kNumEstados ? unidades_.IndEstadoPadrao : 0);

    connect(ok_, &QPushButton::clicked, this, &TFConfSistema::OkClick);
    connect(cancela_, &QPushButton::clicked, this, &QDialog::reject);
    ajuda.Ligar(this, kTopicoAjuda, ajuda_);
}

void TFConfSistema::OkClick()
{
    // Each unit brings its own multiplier.
    unidades_.SetIndiceDeclividade(std::max(uniddecli_->currentIndex(), 0));
    unidades_.SetIndiceVIB(std::max(unidVib_->currentIndex(), 0));
    unidades_.IndEstadoPadrao = static_cast<std::uint8_t>(std::max(estDefault_->currentIndex(), 0));
    accept();
}

} // namespace vastrel::gui

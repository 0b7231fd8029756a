#include "Filtro.h"

#include "Ajuda.h"
#include "Dialogos.h"
#include "gis/Filtro.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>

namespace vastrel::gui {

TFFiltro::TFFiltro(TContextoPrograma& contexto, QWidget* pai)
    : TFProcessoRaster(contexto, QStringLiteral("Filtro"), topico::Filtro, pai)
{
    setObjectName(QStringLiteral("TFFiltro"));
    auto* painel = new QGroupBox(this);
    auto* l = new QHBoxLayout(painel);
    auto* rotulo = new QLabel(QStringLiteral("Número de filtragens da imagem"), painel);
    SpinFiltragens = new QSpinBox(painel);
    SpinFiltragens->setObjectName(QStringLiteral("SpinFiltragens"));
    SpinFiltragens->setRange(0, gis::kMaxPassadasFiltro);
    SpinFiltragens->setValue(1);
    rotulo->setBuddy(SpinFiltragens);
    l->addWidget(rotulo, 1);
    l->addWidget(SpinFiltragens);
    Montar(painel);
}

std::string TFFiltro::Executar(const std::filesystem::path& entrada, const std::filesystem::path& saida,
                               const std::string& titulo, const gis::TProgressoGis& progresso)
{
    SpinFiltragens->setEnabled(false);
    struct TReabilitar {
        QSpinBox* spin;
        ~TReabilitar() { spin->setEnabled(true); }
    } reabilitar{SpinFiltragens};
    gis::FiltrarImagem(entrada, saida, titulo, SpinFiltragens->value(), progresso);
    return gis::kMsgFiltragemConcluida;
}

std::string TFFiltro::TituloPadrao(const std::filesystem::path& entrada) const
{
    return gis::TituloPadraoFiltro(entrada);
}

void TFFiltro::MostrarEtapa(double fracao, const std::string& etapa)
{
    TFProcessoRaster::MostrarEtapa(fracao, etapa);
    if (!etapa.empty())
        setWindowTitle(Legenda + QStringLiteral(" - ") + Q(etapa));
}

static const TRegistroFerramenta registro(TFerramenta::Filtro, [](TContextoPrograma& c) {
    TFFiltro janela(c, c.Principal);
    janela.exec();
});

} // namespace vastrel::gui

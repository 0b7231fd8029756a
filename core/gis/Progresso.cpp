#include "gis/Progresso.h"

#include "common/UiHooks.h"
#include "gis/ErrosGis.h"

namespace vastrel::gis {

TExecucaoUnica::TExecucaoUnica(bool& emExecucao) : emExecucao_(emExecucao)
{
    if (emExecucao_)
        throw EProcessoEmAndamento();
    emExecucao_ = true;
}

TExecucaoUnica::~TExecucaoUnica() { emExecucao_ = false; }

void PontoDeControle(const TProgressoGis& progresso, double fracao, const std::string& etapa)
{
    ProcessPendingEvents();
    if (progresso.Progresso)
        progresso.Progresso(fracao, etapa);
    if (progresso.Parar && progresso.Parar->load())
        throw EProcessoInterrompido();
}

} // namespace vastrel::gis

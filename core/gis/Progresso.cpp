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

void ConferirEntradaSaida(const std::filesystem::path& entrada, const std::filesystem::path& saida)
{
    std::error_code ec;
    if (entrada.empty() || !std::filesystem::is_regular_file(entrada, ec))
        throw EEscolhaGis(kMsgEntradaInvalida, TCampoGis::Entrada);
    if (saida.empty())
        throw EEscolhaGis(kMsgSaidaInvalida, TCampoGis::Saida);
}

void PontoDeControle(const TProgressoGis& progresso, double fracao, const std::string& etapa)
{
    ProcessPendingEvents();
    if (progresso.Progresso)
        progresso.Progresso(fracao, etapa);
    if (progresso.Parar && progresso.Parar->load())
        throw EProcessoInterrompido();
}

} // namespace vastrel::gis

#pragma once
// Progress and stop of the long computations of the raster and vector tools.
// Everything runs on the user-interface thread: at fixed points (after each
// row) a computation lets pending window events run through
// ProcessPendingEvents(), reports its progress and looks at the stop flag,
// which a window's button may have set meanwhile.

#include <atomic>
#include <filesystem>
#include <functional>
#include <string>

namespace vastrel::gis {

struct TProgressoGis {
    // Fraction of the whole run done, 0 to 1, with a short description of
    // the current step (e.g. "Processando filtro número 2").
    std::function<void(double fracao, const std::string& etapa)> Progresso;
    // Set (by a window's "Cancelar", for instance) to stop the run: the
    // computation then raises EProcessoInterrompido and writes no output.
    const std::atomic<bool>* Parar = nullptr;
};

// Marks a tool object busy for the lifetime of a run, and refuses a second
// run while the first is going (EProcessoEmAndamento).
class TExecucaoUnica {
public:
    explicit TExecucaoUnica(bool& emExecucao);
    ~TExecucaoUnica();
    TExecucaoUnica(const TExecucaoUnica&) = delete;
    TExecucaoUnica& operator=(const TExecucaoUnica&) = delete;

private:
    bool& emExecucao_;
};

// The checks every tool makes of the user's choice before it starts: the
// input must be an existing file (EEscolhaGis kMsgEntradaInvalida, field
// Entrada) and an output must be named (kMsgSaidaInvalida, field Saida).
void ConferirEntradaSaida(const std::filesystem::path& entrada, const std::filesystem::path& saida);

// One fixed point of a run: lets pending window events run, reports the
// fraction done and raises EProcessoInterrompido when the stop flag is set.
void PontoDeControle(const TProgressoGis& progresso, double fracao, const std::string& etapa);

} // namespace vastrel::gis

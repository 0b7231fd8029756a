// Timing of the graded-terrace dimensioning: hillslope hydrograph, channel
// routing and normal depth.

#include <benchmark/benchmark.h>

#include <cstdint>

#include "engine/CanalGradiente.h"
#include "engine/Precipitacao.h"
#include "engine/Terreno.h"

namespace {

using namespace vastrel;

// Storm K = 1500, Tr = 10, a = 0.2, b = 10, c = 0.8 on bare ground
// (land use 0) with St = 0.08 and nt = 0.1; trapezoidal channel B = 1 m,
// Z = 1, Sc = 0.005, nc = 0.03.
struct TCaso {
    TPrecipitacaoExponencialNegativa Chuva;
    TTerreno Terreno;
    TTerracosGradiente Sistema;

    TCaso(double VIB, double EH, std::int32_t comprimento)
    {
        Chuva.SetK(1500);
        Chuva.SetTr(10);
        Chuva.SetA(0.2);
        Chuva.SetB(10);
        Chuva.SetC(0.8);
        Terreno.SetVIB(VIB);
        Terreno.SetSt(0.08);
        Terreno.nt.Valor = 0.1;
        Sistema.TipoCanal.Tipo = 0;
        Sistema.SetB(1);
        Sistema.Z.Valor = 1;
        Sistema.SetSc(0.005);
        Sistema.nc.Valor = 0.03;
        Sistema.SetComprimento(comprimento);
        Sistema.Espacamento.SetEH(EH);
    }
};

void Dimensiona(benchmark::State& estado, double VIB, double EH, std::int32_t comprimento)
{
    TCaso caso(VIB, EH, comprimento);
    for (auto _ : estado) {
        caso.Sistema.Dimensionar(caso.Terreno, caso.Chuva);
        // Through a const copy: the read-write form of DoNotOptimize may
        // clobber a double held in a register.
        const double vazao = caso.Sistema.Q;
        benchmark::DoNotOptimize(vazao);
    }
    estado.counters["Q_L_s"] = benchmark::Counter(caso.Sistema.Q);
    estado.counters["H_m"] = benchmark::Counter(caso.Sistema.H);
}

// The worked example: VIB 10 mm/h, EH 30 m, channel 300 m.
void BM_GradienteExemplo(benchmark::State& estado) { Dimensiona(estado, 10, 30, 300); }
BENCHMARK(BM_GradienteExemplo)->Unit(benchmark::kMillisecond);

// The heaviest point of the simulation charts: VIB 105 mm/h (finest channel
// grid), EH 210 m (420 hillslope nodes), channel 1050 m (1050 nodes).
void BM_GradientePesado(benchmark::State& estado) { Dimensiona(estado, 105, 210, 1050); }
BENCHMARK(BM_GradientePesado)->Unit(benchmark::kMillisecond);

} // namespace

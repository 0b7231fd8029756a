// Timing of whole simulation charts (21 graded dimensionings each) at the
// heaviest end of their ranges.

#include <benchmark/benchmark.h>

#include "dimensioning/Simulacao.h"

namespace {

using namespace vastrel;

// The worked graded design (VIB 10 mm/h, EH 30 m, channel 300 m), or the
// same design pushed to the far end of every chart range (VIB 105 mm/h,
// EH 210 m, channel 1050 m), where each point costs the most.
void Projeto(TProjeto& p, bool pesado)
{
    p.TipoSistema.Tipo = 1;
    p.Chuva().SetK(1500);
    p.Chuva().SetTr(10);
    p.Chuva().SetA(0.2);
    p.Chuva().SetB(10);
    p.Chuva().SetC(0.8);
    p.Terreno.SetVIB(pesado ? 105 : 10);
    p.Terreno.SetSt(0.08);
    p.Terreno.nt.Valor = 0.1;
    TTerracosGradiente& g = p.TerracosGradiente;
    g.TipoCanal.Tipo = 0;
    g.SetB(1);
    g.Z.Valor = 1;
    g.SetSc(0.005);
    g.nc.Valor = 0.03;
    g.SetComprimento(pesado ? 1050 : 300);
    g.Espacamento.SetEH(pesado ? 210 : 30);
}

void Grafico(benchmark::State& estado, const char* nome, bool pesado)
{
    TProjeto p;
    Projeto(p, pesado);
    const TDefinicaoGrafico* g = ProcurarGrafico(true, nome);
    double ultimo = 0;
    for (auto _ : estado) {
        const TGraficoSimulacao r = Simular(p, *g, 1);
        ultimo = r.Pontos.back().y;
        const double y = ultimo;
        benchmark::DoNotOptimize(y);
    }
    estado.counters["y21"] = benchmark::Counter(ultimo);
}

// Each chart of the " Vazão " list; the H and Hr lists run the same points.
void BM_Grafico(benchmark::State& s, const char* nome, bool pesado) { Grafico(s, nome, pesado); }
BENCHMARK_CAPTURE(BM_Grafico, QxComp_exemplo, "Q x Comp", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Grafico, QxEH_exemplo, "Q x EH", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Grafico, QxVIB_exemplo, "Q x VIB", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Grafico, QxSc_exemplo, "Q x Sc", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Grafico, QxComp_extremo, "Q x Comp", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Grafico, QxEH_extremo, "Q x EH", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Grafico, QxVIB_extremo, "Q x VIB", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Grafico, QxSc_extremo, "Q x Sc", true)->Unit(benchmark::kMillisecond);

} // namespace

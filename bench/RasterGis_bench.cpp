// Timing of the raster tools on a 5000 x 5000 elevation image made from real
// relief: the 400 x 400 window of the 30 m SRTM of the Big Tujunga catchment
// (data/fontes/relevo) resampled bilinearly to 2.4 m cells over the same
// 12 km x 12 km. Targets: the slope map at least as fast as gdaldem slope on
// the same cells (bench/declividade_gdaldem.sh), a filter pass at 100
// million cells per second or better, and no more memory than the two
// images plus a few rows.
//
// With VASTREL_BENCH_RELEVO=<path.ras> in the environment the elevation
// image is also saved there, for the comparison script.

#include <benchmark/benchmark.h>

#include "gis/Declividade.h"
#include "gis/Filtro.h"
#include "gis/ImportExport.h"
#include "gis/MemoryRaster.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace vastrel::gis;
namespace fs = std::filesystem;

constexpr std::int32_t kLado = 5000; // cells per side of the benchmark image

// A folder of its own in the system's temporary folder, removed at exit.
struct TPasta {
    fs::path caminho;
    TPasta()
    {
        caminho = fs::temp_directory_path() / ("vastrel-bench-gis-" + std::to_string(std::random_device{}()));
        fs::create_directories(caminho);
    }
    ~TPasta()
    {
        std::error_code ec;
        fs::remove_all(caminho, ec);
    }
};

struct TRelevo {
    TPasta pasta;
    fs::path elevacao;     // 5000 x 5000 real image
    TMemoryRaster imagem;  // the same, loaded

    TRelevo()
    {
        const fs::path fonte =
            fs::path(__FILE__).parent_path().parent_path() / "data/fontes/relevo/srtm-bigtujunga-400.img";
        ImportarRasterIdrisi(fonte, pasta.caminho / "fonte.ras", "SRTM 30 m");
        TMemoryRaster f;
        f.CarregarRaster(pasta.caminho / "fonte.ras");

        // Bilinear resampling, cell centre to cell centre.
        imagem.Titulo = "SRTM 30 m reamostrado a 2,4 m";
        imagem.Colunas = kLado;
        imagem.Linhas = kLado;
        imagem.XMin = f.XMin;
        imagem.XMax = f.XMax;
        imagem.YMin = f.YMin;
        imagem.YMax = f.YMax;
        imagem.Unidade = "m";
        imagem.AlocarCelulas();
        const double escala = static_cast<double>(f.Colunas) / kLado;
        std::vector<float> linha(kLado);
        float menor = 1e9f, maior = -1e9f;
        for (std::int32_t l = 0; l < kLado; ++l) {
            const double y = std::clamp((l + 0.5) * escala - 0.5, 0.0, f.Linhas - 1.0);
            const auto y0 = static_cast<std::int32_t>(y);
            const std::int32_t y1 = std::min(y0 + 1, f.Linhas - 1);
            const double fy = y - y0;
            for (std::int32_t c = 0; c < kLado; ++c) {
                const double x = std::clamp((c + 0.5) * escala - 0.5, 0.0, f.Colunas - 1.0);
                const auto x0 = static_cast<std::int32_t>(x);
                const std::int32_t x1 = std::min(x0 + 1, f.Colunas - 1);
                const double fx = x - x0;
                const auto z = [&](std::int32_t yy, std::int32_t xx) {
                    return static_cast<double>(f.LerCelulaInteira(static_cast<std::int64_t>(yy) * f.Colunas + xx));
                };
                const double v = (1 - fy) * ((1 - fx) * z(y0, x0) + fx * z(y0, x1)) +
                                 fy * ((1 - fx) * z(y1, x0) + fx * z(y1, x1));
                linha[static_cast<std::size_t>(c)] = static_cast<float>(v);
                menor = std::min(menor, linha[static_cast<std::size_t>(c)]);
                maior = std::max(maior, linha[static_cast<std::size_t>(c)]);
            }
            imagem.GravarLinhaReal(l, linha.data());
        }
        imagem.ValorMin = menor;
        imagem.ValorMax = maior;
        elevacao = pasta.caminho / "relevo.ras";
        imagem.GravarRaster(elevacao);
        if (const char* copia = std::getenv("VASTREL_BENCH_RELEVO"))
            fs::copy_file(elevacao, copia, fs::copy_options::overwrite_existing);
    }
};

TRelevo& Relevo()
{
    static TRelevo relevo;
    return relevo;
}

constexpr std::int64_t kCelulas = static_cast<std::int64_t>(kLado) * kLado;

// The whole slope map as the window runs it: load, compute, save.
void BM_Gis_DeclividadeArquivo(benchmark::State& state)
{
    TRelevo& r = Relevo();
    for (auto _ : state)
        DecTipoSingle().CalcularDeclividade(r.elevacao, r.pasta.caminho / "declividade.ras", "declividade");
    state.SetItemsProcessed(state.iterations() * kCelulas);
}
BENCHMARK(BM_Gis_DeclividadeArquivo)->Unit(benchmark::kMillisecond)->UseRealTime();

// The slope kernel alone over the loaded image.
void BM_Gis_DeclividadeMemoria(benchmark::State& state)
{
    TRelevo& r = Relevo();
    const TEspacamentoGrade g = EspacamentoGrade(r.imagem, 1.0);
    for (auto _ : state) {
        TMemoryRaster s = MapaDeclividade(r.imagem, g, "", {});
        benchmark::DoNotOptimize(s.ValorMax);
    }
    state.SetItemsProcessed(state.iterations() * kCelulas);
}
BENCHMARK(BM_Gis_DeclividadeMemoria)->Unit(benchmark::kMillisecond)->UseRealTime();

// One filter pass as the window runs it: temporary copy, load, filter, save.
void BM_Gis_FiltroPassadaArquivo(benchmark::State& state)
{
    TRelevo& r = Relevo();
    for (auto _ : state)
        FiltroTipoSingle().Filtrar(r.elevacao, r.pasta.caminho / "filtrada.ras", "filtrada", 1);
    state.SetItemsProcessed(state.iterations() * kCelulas);
}
BENCHMARK(BM_Gis_FiltroPassadaArquivo)->Unit(benchmark::kMillisecond)->UseRealTime();

// One filter pass over the loaded image.
void BM_Gis_FiltroPassadaMemoria(benchmark::State& state)
{
    TRelevo& r = Relevo();
    for (auto _ : state) {
        TMemoryRaster s = PassadaFiltro(r.imagem, "", {});
        benchmark::DoNotOptimize(s.ValorMax);
    }
    state.SetItemsProcessed(state.iterations() * kCelulas);
}
BENCHMARK(BM_Gis_FiltroPassadaMemoria)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

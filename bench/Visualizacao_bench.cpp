// Opening a large raster in the viewer: the file read whole and its picture
// built once (the window only blits the visible part of it afterwards).
// Target: a 5000 × 5000 real raster in under 2 s.

#include "gis/MemoryRaster.h"
#include "gis/Visualizacao.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <vector>

using namespace vastrel::gis;

namespace {

std::filesystem::path RasterGrande(int lado)
{
    const auto caminho = std::filesystem::temp_directory_path() / ("vastrel-bench-visualizar-" + std::to_string(lado) + ".ras");
    if (std::filesystem::exists(caminho))
        return caminho;
    TMemoryRaster r;
    r.Colunas = r.Linhas = lado;
    r.XMax = r.YMax = static_cast<float>(lado);
    r.Unidade = "M";
    r.AlocarCelulas();
    std::vector<float> linha(static_cast<std::size_t>(lado));
    for (int l = 0; l < lado; ++l) {
        for (int c = 0; c < lado; ++c)
            linha[static_cast<std::size_t>(c)] = static_cast<float>((l + c) % 1000) * 0.1f;
        r.GravarLinhaReal(l, linha.data());
    }
    r.ValorMin = 0;
    r.ValorMax = 99.9f;
    r.GravarRaster(caminho);
    return caminho;
}

void BM_AbrirRaster(benchmark::State& state)
{
    const int lado = static_cast<int>(state.range(0));
    const auto caminho = RasterGrande(lado);
    TPaleta paleta{};
    for (int i = 0; i < kCoresPaleta; ++i)
        paleta[static_cast<std::size_t>(i)] = {static_cast<std::uint8_t>(i), 0, static_cast<std::uint8_t>(255 - i)};
    std::vector<std::uint32_t> imagem(static_cast<std::size_t>(lado) * static_cast<std::size_t>(lado));
    for (auto _ : state) {
        TMemoryRaster r;
        r.CarregarRaster(caminho);
        ConstruirImagem(r, paleta, imagem.data(), lado);
        benchmark::DoNotOptimize(imagem.data());
    }
}
BENCHMARK(BM_AbrirRaster)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);

} // namespace

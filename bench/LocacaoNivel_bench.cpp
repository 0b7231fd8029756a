// Timing of whole location runs, level and graded: the example watershed
// (examples/locacao, 304 x 220 cells of 2.5 m) and the real relief of the
// whole 30 m SRTM of the Big Tujunga catchment (data/fontes/locacao, 1197 x
// 643 cells, 315 to 2295 m) resampled bilinearly to 1995 x 1072 and
// 3990 x 2143 cells (18 m and 9 m), with its slope map, laid out with the
// example project's storm and terrain. The example keeps its spacing method
// (Lombardi Neto); these mountains, of 44 % mean slope, would get 5 m of
// vertical and 11 m of horizontal spacing from it, finer than their cells,
// so their runs use an arbitrated 20 m (45 m horizontally). Graded runs use
// the example's graded project (0.5 % channels of at most 400 m), with the
// same arbitrated EV on the SRTM. Targets: the example's graded layout in
// under 1 second; the 3990-column relief laid out, level or graded, in
// under 30 seconds.
//
// With the environment variable VASTREL_BENCH_SAIDA naming a folder, the
// resampled rasters are made there and kept, and each run's vector and
// terrace table are kept there too ("<case>.vet", "<case>.bdt"), so that the
// outputs of two builds can be compared byte for byte.

#include <benchmark/benchmark.h>

#include "gis/Declividade.h"
#include "gis/ImportExport.h"
#include "gis/MemoryRaster.h"
#include "location/LocacaoGradiente.h"
#include "location/LocacaoNivel.h"
#include "project/Projeto.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace vastrel;

const fs::path kFontes = fs::path(__FILE__).parent_path().parent_path();

struct TPasta {
    fs::path caminho;
    bool manter = false; // a folder named by VASTREL_BENCH_SAIDA is kept
    TPasta()
    {
        if (const char* saida = std::getenv("VASTREL_BENCH_SAIDA"); saida && *saida) {
            caminho = saida;
            manter = true;
        } else {
            caminho = fs::temp_directory_path() / ("vastrel-bench-locacao-" + std::to_string(std::random_device{}()));
        }
        fs::create_directories(caminho);
    }
    ~TPasta()
    {
        std::error_code ec;
        if (!manter)
            fs::remove_all(caminho, ec);
    }
    TPasta(const TPasta&) = delete;
    TPasta& operator=(const TPasta&) = delete;
};

TPasta& Pasta()
{
    static TPasta p;
    return p;
}

// The SRTM grid resampled by `fator` (bilinear between cell centres), and
// its slope map; the two file paths, made once per size.
std::pair<fs::path, fs::path> RelevoSrtm(double fator)
{
    static std::map<double, std::pair<fs::path, fs::path>> feitos;
    if (const auto it = feitos.find(fator); it != feitos.end())
        return it->second;
    const fs::path fonte = Pasta().caminho / "srtm.ras";
    if (!fs::exists(fonte))
        gis::ImportarRasterIdrisi(kFontes / "data/fontes/locacao/srtm-bigtujunga-1197x643.img", fonte, "SRTM 30 m");
    gis::TMemoryRaster f;
    f.CarregarRaster(fonte);
    gis::TMemoryRaster r;
    r.DefinirTipo('R');
    r.Colunas = static_cast<std::int32_t>(std::lround(f.Colunas * fator));
    r.Linhas = static_cast<std::int32_t>(std::lround(f.Linhas * fator));
    r.XMin = f.XMin;
    r.XMax = f.XMax;
    r.YMin = f.YMin;
    r.YMax = f.YMax;
    r.Unidade = "m";
    r.Titulo = "SRTM reamostrado";
    r.AlocarCelulas();
    std::vector<float> fonteLinhas(static_cast<std::size_t>(f.Colunas) * f.Linhas);
    for (std::int32_t l = 0; l < f.Linhas; ++l)
        f.LerLinhaComoReal(l, &fonteLinhas[static_cast<std::size_t>(l) * f.Colunas]);
    const auto v = [&](std::int32_t l, std::int32_t c) {
        l = std::clamp(l, 0, f.Linhas - 1);
        c = std::clamp(c, 0, f.Colunas - 1);
        return fonteLinhas[static_cast<std::size_t>(l) * f.Colunas + c];
    };
    std::vector<float> linha(static_cast<std::size_t>(r.Colunas));
    float lo = 1e30f, hi = -1e30f;
    for (std::int32_t i = 0; i < r.Linhas; ++i) {
        const double y = (i + 0.5) / fator - 0.5;
        const auto l0 = static_cast<std::int32_t>(std::floor(y));
        const double ty = y - l0;
        for (std::int32_t j = 0; j < r.Colunas; ++j) {
            const double x = (j + 0.5) / fator - 0.5;
            const auto c0 = static_cast<std::int32_t>(std::floor(x));
            const double tx = x - c0;
            const double z = (1 - ty) * ((1 - tx) * v(l0, c0) + tx * v(l0, c0 + 1)) +
                             ty * ((1 - tx) * v(l0 + 1, c0) + tx * v(l0 + 1, c0 + 1));
            linha[static_cast<std::size_t>(j)] = static_cast<float>(z);
            lo = std::min(lo, linha[static_cast<std::size_t>(j)]);
            hi = std::max(hi, linha[static_cast<std::size_t>(j)]);
        }
        r.GravarLinhaReal(i, linha.data());
    }
    r.ValorMin = lo;
    r.ValorMax = hi;
    const std::string nome = "srtm-" + std::to_string(r.Colunas);
    const fs::path elev = Pasta().caminho / (nome + ".ras");
    const fs::path decl = Pasta().caminho / (nome + "-decl.ras");
    r.GravarRaster(elev);
    gis::MapaDeclividade(r, gis::EspacamentoGrade(r, 1.0), "declividade", {}).GravarRaster(decl);
    return feitos[fator] = {elev, decl};
}

void Locar(benchmark::State& state, const std::string& caso, const fs::path& elev, const fs::path& decl,
           double evArbitrado = 0)
{
    TProjeto projeto;
    projeto.Ler(kFontes / "examples/locacao/locacao-hugo.vst");
    if (evArbitrado > 0) {
        projeto.TerracosNivel.Espacamento.Metodologia.IndMetodologia = 3;
        projeto.TerracosNivel.Espacamento.SetEV(evArbitrado);
    }
    std::int32_t terracos = 0;
    for (auto _ : state) {
        const TEntradaLocacaoNivel entrada{elev, decl, Pasta().caminho / (caso + ".vet"), projeto.Chuva(),
                                           projeto.Terreno, projeto.TerracosNivel, projeto.Locacao.AlturaArbitrada};
        terracos = LocarNivel(entrada).Qualidade.Terracos;
    }
    state.counters["terracos"] = terracos;
}

void LocarGradiente(benchmark::State& state, const std::string& caso, const fs::path& elev, const fs::path& decl,
                    double evArbitrado = 0)
{
    TProjeto projeto;
    projeto.Ler(kFontes / "examples/locacao/locacao-hugo-gradiente.vst");
    if (evArbitrado > 0) {
        projeto.TerracosGradiente.Espacamento.Metodologia.IndMetodologia = 3;
        projeto.TerracosGradiente.Espacamento.SetEV(evArbitrado);
    }
    std::int32_t terracos = 0;
    std::size_t saidas = 0;
    for (auto _ : state) {
        const TEntradaLocacaoGradiente entrada{elev,           decl,
                                               Pasta().caminho / (caso + "-gradiente.vet"),
                                               projeto.Chuva(), projeto.Terreno,
                                               projeto.TerracosGradiente};
        const TResultadoLocacao r = vastrel::LocarGradiente(entrada);
        terracos = r.Qualidade.Terracos;
        saidas = r.TabelaGradiente.Saidas.size();
    }
    state.counters["terracos"] = terracos;
    state.counters["saidas"] = static_cast<double>(saidas);
}

void BM_LocarGradienteExemplo(benchmark::State& state)
{
    const fs::path pasta = kFontes / "examples/locacao";
    LocarGradiente(state, "hugo", pasta / "elevacao-hugo.ras", pasta / "declividade-hugo.ras");
}
BENCHMARK(BM_LocarGradienteExemplo)->Unit(benchmark::kMillisecond);

void BM_LocarGradienteSrtm(benchmark::State& state)
{
    const auto [elev, decl] = RelevoSrtm(static_cast<double>(state.range(0)) / 3);
    state.SetLabel(elev.filename().string());
    LocarGradiente(state, elev.stem().string(), elev, decl, 20);
}
BENCHMARK(BM_LocarGradienteSrtm)->ArgName("fator_x3")->Arg(5)->Arg(10)->Iterations(1)->Unit(benchmark::kSecond);

void BM_LocarExemplo(benchmark::State& state)
{
    const fs::path pasta = kFontes / "examples/locacao";
    Locar(state, "hugo", pasta / "elevacao-hugo.ras", pasta / "declividade-hugo.ras");
}
BENCHMARK(BM_LocarExemplo)->Unit(benchmark::kMillisecond);

void BM_LocarSrtm(benchmark::State& state)
{
    const auto [elev, decl] = RelevoSrtm(static_cast<double>(state.range(0)) / 3);
    state.SetLabel(elev.filename().string());
    Locar(state, elev.stem().string(), elev, decl, 20);
    const double fator = static_cast<double>(state.range(0)) / 3;
    state.counters["celulas"] = std::round(643 * fator) * std::round(1197 * fator);
}
// Factors 5/3 and 10/3: 1995 x 1072 and 3990 x 2143 cells.
BENCHMARK(BM_LocarSrtm)->ArgName("fator_x3")->Arg(5)->Arg(10)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

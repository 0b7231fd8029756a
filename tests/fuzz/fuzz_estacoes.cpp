// The station file of the rainfall database ("Estados_Nimbra21.bin"): any
// bytes load or are refused with the system's message, and the parameters
// interpolated between the loaded stations are weighted means, so they lie
// between the smallest and the largest of the stations' own.

#include "FuzzApoio.h"

#include "common/Exceptions.h"
#include "rainfall/BDPrecipitacao.h"

#include <algorithm>
#include <cmath>
#include <limits>

using namespace vastrel;

namespace {

struct Faixa {
    double min = std::numeric_limits<double>::infinity();
    double max = -std::numeric_limits<double>::infinity();
    void Incluir(double v) { min = std::min(min, v), max = std::max(max, v); }
    bool Contem(double v) const
    {
        // Rounding of the weighted sums, and of subnormal products.
        const double folga = 1e-12 * std::max(std::abs(min), std::abs(max)) + 1e-300;
        return std::isfinite(v) && v >= min - folga && v <= max + folga;
    }
};

void Verificar(const TBDPrecipitacao& bd, const std::string& lat, const std::string& lon)
{
    std::array<Faixa, 4> faixas;
    for (int estado : kEstadosInterpolacao)
        for (const TRegEstacao& e : bd.Estacoes[static_cast<std::size_t>(estado)]) {
            faixas[0].Incluir(e.K), faixas[1].Incluir(e.A);
            faixas[2].Incluir(e.B), faixas[3].Incluir(e.C);
        }
    TRegEstacao r;
    try {
        r = bd.Interpolar(lat, lon);
    } catch (const Exception&) {
        return;
    }
    const std::array<double, 4> valores = {r.K, r.A, r.B, r.C};
    for (std::size_t i = 0; i < 4; ++i)
        if (!faixas[i].Contem(valores[i]))
            fuzz::Falhou("parâmetro interpolado fora da faixa das estações: " + std::to_string(valores[i]));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t n)
{
    static const auto pasta = [] {
        auto p = fuzz::Pasta() / "estacoes";
        std::filesystem::create_directories(p);
        return p;
    }();
    fuzz::Arquivo("estacoes/" + std::string(kArquivoEstacoes), dados, n);
    TBDPrecipitacao bd(pasta);
    try {
        bd.CarregarEstacoes();
    } catch (const Exception&) {
        return 0;
    }
    Verificar(bd, "19°45'30\"", "47°55'00\"");
    for (int estado : kEstadosInterpolacao)
        for (const TRegEstacao& e : bd.Estacoes[static_cast<std::size_t>(estado)]) {
            Verificar(bd, e.Latitude, e.Longitude);
            return 0;
        }
    return 0;
}

// The station file of the rainfall database ("Estados_Nimbra21.bin"): any
// bytes load or are refused with the system's message, and the parameters
// interpolated between the loaded stations (at a station and away from
// every station) are finite numbers or refused with the system's message.

#include "FuzzApoio.h"

#include "common/Exceptions.h"
#include "rainfall/BDPrecipitacao.h"

#include <cmath>

using namespace vastrel;

namespace {

void Verificar(const TBDPrecipitacao& bd, const std::string& lat, const std::string& lon)
{
    TRegEstacao r;
    try {
        r = bd.Interpolar(lat, lon);
    } catch (const Exception&) {
        return;
    }
    for (double v : {r.K, r.A, r.B, r.C})
        if (!std::isfinite(v))
            fuzz::Falhou("parâmetro interpolado que não é um número finito");
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

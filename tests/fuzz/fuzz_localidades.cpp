// The locality file of the rainfall database ("Localidades_Nimbra21.bin"):
// the block of every state loads or is refused with the system's message,
// and a refused block leaves no localities behind.

#include "FuzzApoio.h"

#include "common/Exceptions.h"
#include "rainfall/BDPrecipitacao.h"
#include "rainfall/Coordenadas.h"

using namespace vastrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t n)
{
    static const auto pasta = [] {
        auto p = fuzz::Pasta() / "localidades";
        std::filesystem::create_directories(p);
        return p;
    }();
    fuzz::Arquivo("localidades/" + std::string(kArquivoLocalidades), dados, n);
    TBDPrecipitacao bd(pasta);
    for (int estado = 0; estado < kNumEstados; ++estado) {
        try {
            bd.CarregarLocalidades(estado);
        } catch (const Exception&) {
            if (!bd.Localidades.empty())
                fuzz::Falhou("um bloco recusado deixou localidades carregadas");
            continue;
        }
        for (const TRegLocalidade& l : bd.Localidades)
            if (!CoordenadaValida(l.Latitude) || !CoordenadaValida(l.Longitude))
                fuzz::Falhou("localidade carregada com coordenada inválida");
    }
    return 0;
}

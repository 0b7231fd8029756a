// The Surfer ASCII grid (".grd"): any text imports or is refused with the
// system's message, and an imported grid reads back with nx × ny cells,
// none above the blank value of grid programs.

#include "FuzzApoio.h"

#include "common/Exceptions.h"
#include "gis/MemoryRaster.h"

using namespace vastrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t n)
{
    const auto grd = fuzz::Arquivo("entrada.grd", dados, n);
    const auto ras = fuzz::Saida("saida.ras");
    fuzz::TPerguntasFixas perguntas;
    try {
        gis::VerificarGradeSurfer(grd);
    } catch (const Exception&) {
    }
    if (!fuzz::Converteu(ras, [&] { gis::ImportarRasterSurfer(grd, ras, "t", perguntas); }))
        return 0;
    const gis::TMemoryRaster r = fuzz::RasterGravado(ras, "Surfer");
    for (std::int64_t k = 0; k < r.NumCelulas(); ++k)
        if (!(r.LerCelulaReal(k) <= gis::kMaiorValorSurfer))
            fuzz::Falhou("célula importada acima do valor de branco ou não numérica");
    return 0;
}

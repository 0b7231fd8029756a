// The import of GDAL vectors (GeoJSON, KML, GPX, DXF here): any file imports
// or is refused with the system's message, and an imported vector reads
// back with finite coordinates.

#include "FuzzApoio.h"
#include "GdalRestrito.h"

#include "common/Exceptions.h"
#include "gis/Gdal.h"
#include "gis/Vetor.h"

#include <cmath>

using namespace vastrel;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::SoEstesDrivers({"GeoJSON", "KML", "GPX", "DXF"});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t n)
{
    const auto entrada = fuzz::Arquivo("entrada", dados, n);
    const auto vet = fuzz::Saida("saida.vet");
    if (!fuzz::Converteu(vet, [&] { gis::ImportarVetorGdal(entrada, vet, "t"); }))
        return 0;
    gis::TVetor v = fuzz::VetorGravado(vet, "GDAL");
    gis::TRegistroVetor r;
    while (v.LerRegistro(r))
        if (!std::isfinite(r.X) || !std::isfinite(r.Y))
            fuzz::Falhou("ponto importado com coordenada que não é um número finito");
    return 0;
}

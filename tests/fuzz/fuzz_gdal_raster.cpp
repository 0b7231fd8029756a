// The import of GDAL rasters (GeoTIFF and ASCII grids here): any file
// imports or is refused with the system's message, and an imported raster
// reads back as a real raster in metres whose cells are all finite.

#include "FuzzApoio.h"
#include "GdalRestrito.h"

#include "common/Exceptions.h"
#include "gis/Gdal.h"
#include "gis/MemoryRaster.h"

#include <cmath>

using namespace vastrel;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::SoEstesDrivers({"GTiff", "AAIGrid"});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t n)
{
    const auto entrada = fuzz::Arquivo("entrada", dados, n);
    const auto ras = fuzz::Saida("saida.ras");
    if (!fuzz::Converteu(ras, [&] {
            (void)gis::InspecionarRasterGdal(entrada);
            gis::ImportarRasterGdal(entrada, ras, "t", {});
        }))
        return 0;
    const gis::TMemoryRaster r = fuzz::RasterGravado(ras, "GDAL");
    if (r.TipoCelula != 'R' || gis::MetrosPorUnidade(r.Unidade) != 1.0)
        fuzz::Falhou("o raster importado não é real em metros");
    if (!(r.XMax > r.XMin) || !(r.YMax > r.YMin) || !std::isfinite(r.XMax - r.XMin) || !std::isfinite(r.YMax - r.YMin))
        fuzz::Falhou("o raster importado não tem extensão");
    for (std::int64_t k = 0; k < r.NumCelulas(); ++k)
        if (!std::isfinite(r.LerCelulaReal(k)))
            fuzz::Falhou("célula importada que não é um número finito");
    return 0;
}

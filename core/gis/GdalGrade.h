#pragma once
// Every band of a north-up geographic raster read whole through GDAL, for
// the build tools that turn published grids into the system's own files.
// This header does not expose GDAL.

#include <filesystem>
#include <vector>

namespace vastrel::gis {

struct TBandasGrade {
    int Colunas = 0, Linhas = 0;
    double X0 = 0, Y0 = 0;   // corner of the first cell (west, north edges)
    double Dx = 0, Dy = 0;   // cell size; Dy negative for north-up rows
    std::vector<std::vector<float>> Bandas; // row by row from the first; no-data as NaN
};

// Raises EArquivoGis when the file is missing, is not a raster GDAL reads,
// or is rotated.
TBandasGrade LerBandasGrade(const std::filesystem::path& arquivo);

} // namespace vastrel::gis

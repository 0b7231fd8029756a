#pragma once
// Shared by the Gdal*.cpp files only: GDAL set-up, its errors as messages,
// coordinate systems and the choice of the UTM zone. Includes GDAL headers;
// nothing outside core/gis/Gdal*.cpp includes this file.

#include "gis/ErrosGis.h"

#include <gdal_priv.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <filesystem>
#include <memory>
#include <string>

namespace vastrel::gis::gdal {

// Registers GDAL's drivers once.
void Iniciar();

// Silences GDAL's messages on stderr for its lifetime and remembers the
// last one, so that a failure can be reported in the system's own words
// with GDAL's reason appended.
class TSilencioGdal {
public:
    TSilencioGdal();
    ~TSilencioGdal();
    TSilencioGdal(const TSilencioGdal&) = delete;
    TSilencioGdal& operator=(const TSilencioGdal&) = delete;
    // " (GDAL: <message>)" for the last error, empty when none.
    static std::string Motivo();
};

struct TFecharDataset {
    void operator()(GDALDataset* d) const { GDALClose(GDALDataset::ToHandle(d)); }
};
using TDataset = std::unique_ptr<GDALDataset, TFecharDataset>;

// Opens a raster (or vector, by `flags`) read-only. EArquivoGis "O arquivo
// ... não existe." for a missing file and `naoLido` + the file name for one
// GDAL cannot open as asked.
TDataset Abrir(const std::filesystem::path& arquivo, unsigned flags, const std::string& naoLido);

// A coordinate system with the longitude/x first, whatever the authority's
// axis order.
OGRSpatialReference Sistema();
// The system of an EPSG code.
OGRSpatialReference SistemaEpsg(int epsg);
// The system kept beside a file (sidecar); false when there is none or it
// cannot be read.
bool SistemaDoArquivo(const std::filesystem::path& arquivo, OGRSpatialReference& srs);
// Writes the sidecar of `arquivo` with the system's WKT, or removes a stale
// one when `srs` is null.
void GravarSistema(const std::filesystem::path& arquivo, const OGRSpatialReference* srs);

// True when coordinates in the system are not metres on a plane: geographic
// systems and projections in another unit.
bool PrecisaReprojetar(const OGRSpatialReference& srs);

// EPSG code of the UTM system for a point in longitude/latitude (degrees):
// SIRGAS 2000 / UTM in Brazil, WGS 84 / UTM elsewhere.
int EpsgUtm(double longitude, double latitude);

// Converts a point of `de` to longitude/latitude in WGS 84.
bool ParaLonLat(const OGRSpatialReference& de, double x, double y, double& lon, double& lat);

// The name of a system ("WGS 84 / UTM zone 11N"), empty for none.
std::string NomeSistema(const OGRSpatialReference* srs);

// An output that GDAL writes as one or more files (a Shapefile's .shp,
// .shx, .dbf, .prj; a grid and its .prj): written into a temporary folder
// beside the output and moved over the final names on Confirmar, so that a
// failure leaves nothing behind and no previous file half replaced.
class TSaidaGdal {
public:
    explicit TSaidaGdal(const std::filesystem::path& saida);
    ~TSaidaGdal(); // removes the temporary folder and what is left in it
    TSaidaGdal(const TSaidaGdal&) = delete;
    TSaidaGdal& operator=(const TSaidaGdal&) = delete;
    // The path GDAL writes to: the output's name inside the temporary folder.
    std::filesystem::path Temporario() const;
    void Confirmar();

private:
    std::filesystem::path saida_, pasta_;
};

} // namespace vastrel::gis::gdal

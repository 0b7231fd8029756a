#pragma once
// Exchange with the GIS formats read and written through the GDAL library:
// elevation rasters (GeoTIFF above all, also ASCII grids, IDRISI RST and
// every other raster GDAL reads) into the system's ".ras", and the terrace
// lines of a ".vet" with their table (".bdt") out to GeoPackage, Shapefile,
// KML, GPX, DXF and CSV. This header does not expose GDAL: only the
// Gdal*.cpp files include its headers.
//
// Coordinate systems. Slopes, spacings and areas need metres, so a raster in
// geographic coordinates (degrees) or in a projection whose unit is not the
// metre is reprojected to the UTM zone of its centre: SIRGAS 2000 / UTM
// (EPSG:31978–31985 for zones 18S–25S, 31971–31976 for 17N–22N) for a centre
// in Brazil, WGS 84 / UTM (EPSG:326zz north, 327zz south) elsewhere. The
// ".ras" header has no room for a coordinate system: the import keeps it in
// a sidecar text file beside the raster, "<name>.prj", holding its WKT; the
// export of a vector reads it back from the elevation raster the terraces
// were laid out on.
//
// Precision: ".ras" bounds and ".vet" coordinates are 32-bit floats, which
// resolve 0.25 m at UTM northings of 2 000 to 4 000 km and 0.5 m from 4 000 to
// 8 000 km. The grids the import builds start on whole metres, which those
// floats hold exactly.

#include "gis/Progresso.h"

#include <filesystem>
#include <optional>
#include <string>

namespace vastrel::gis {

// The sidecar holding the coordinate system of a raster or vector file: the
// same path with the extension ".prj".
std::filesystem::path CaminhoSistemaCoordenadas(const std::filesystem::path& arquivo);

// The WKT kept beside a file; empty when there is none.
std::string LerSistemaCoordenadas(const std::filesystem::path& arquivo);

// A raster derived cell for cell from another (slope map, filter) lies on
// the same ground: its sidecar becomes a copy of the source's, or is removed
// when the source has none, so that a stale one never describes it.
// EArquivoGis when the copy cannot be written.
void CopiarSistemaCoordenadas(const std::filesystem::path& origem, const std::filesystem::path& destino);

// What the import window and command show of a raster before importing it.
struct TInfoRasterGdal {
    std::string Formato;            // GDAL driver's long name ("GeoTIFF")
    int Bandas = 0;
    int Colunas = 0, Linhas = 0;
    std::string SistemaOrigem;      // name of its coordinate system; empty when it has none
    bool Reprojetar = false;        // geographic or not in metres: goes to UTM
    int EpsgDestino = 0;            // EPSG code of the output's system (0 when kept)
    std::string SistemaDestino;     // name of the output's system; empty when none
    double TamanhoCelulaProposto = 0; // native cell size in metres, rounded for display
};

// Opens the raster and works out the output's coordinate system and the
// proposed cell size. EArquivoGis with a message in Portuguese when the file
// is missing or is not a raster GDAL reads.
TInfoRasterGdal InspecionarRasterGdal(const std::filesystem::path& entrada);

// The user's choices for an import.
struct TOpcoesGdal {
    int Banda = 1;               // band of the input, from 1
    std::optional<double> TamanhoCelula; // cell size of the output, m; none: the proposed (native) one
    std::filesystem::path Recorte; // polygon file (GeoPackage, Shapefile, KML ...) clipping the raster; empty: none
    std::filesystem::path RasterOrigem; // export of a vector: the ".ras" whose sidecar gives the system; empty: the vector's own
};

// Imports band `opcoes.Banda` of any raster GDAL reads into a real ".ras"
// in metres ("M"), with the sidecar of its coordinate system (a stale one is
// removed when the input has none). GDAL's no-data, and cells outside the
// clip polygon, become 0; integer cells become real. Reprojection and a
// change of cell size resample bilinearly. Raises EArquivoGis (missing or
// unreadable file, band out of range) or EEscolhaGis (absurd cell size, a
// clip polygon that misses the raster) before anything is written.
void ImportarRasterGdal(const std::filesystem::path& entrada, const std::filesystem::path& ras,
                        const std::string& titulo, const TOpcoesGdal& opcoes,
                        const TProgressoGis& progresso = {});

// Exports a ".ras" to a GDAL raster chosen by the extension (".tif"/".tiff"
// GeoTIFF, ".asc" ASCII grid, ".rst" IDRISI), with its coordinate system
// and 0 as no-data.
void ExportarRasterGdal(const std::filesystem::path& ras, const std::filesystem::path& saida,
                        const TProgressoGis& progresso = {});

// Exports the lines of a ".vet" to the vector format of the output's
// extension (".gpkg", ".shp", ".kml", ".gpx", ".dxf"), one feature per line
// carrying its number and, when the terrace table (".bdt") lies beside the
// vector, the attributes of its record. The coordinate system comes from the
// sidecar of opcoes.RasterOrigem, else from the vector's own; KML and GPX are
// written in WGS 84 longitude/latitude and need one. An output ending in
// ".csv" receives the terrace table instead (ExportarTabelaCsv).
void ExportarVetorGdal(const std::filesystem::path& vet, const std::filesystem::path& saida,
                       const TOpcoesGdal& opcoes, const TProgressoGis& progresso = {});

// The terrace table beside `vetOuBdt` (or that table itself) as CSV: a
// header line and one line per terrace, comma-separated, point decimals.
void ExportarTabelaCsv(const std::filesystem::path& vetOuBdt, const std::filesystem::path& csv);

// Imports the lines and polygon outlines of a GDAL vector file (contours,
// watershed outlines) into a ".vet" in metres, one line per part, numbered
// in file order, Z the part's elevation when it has one, otherwise its
// feature's order number. Reprojected as a raster would be, with the sidecar.
void ImportarVetorGdal(const std::filesystem::path& entrada, const std::filesystem::path& vet,
                       const std::string& titulo, const TProgressoGis& progresso = {});

// Filters of the file dialogs ("description (*.a *.b)|*.a;*.b" style).
inline constexpr const char* kFiltroRasterGdal =
    "Raster do GDAL (*.tif *.tiff *.asc *.rst *.img *.vrt *.hgt *.dem *.bil *.nc)|*.tif;*.tiff;*.asc;*.rst;*.img;*.vrt;*.hgt;*.dem;*.bil;*.nc|Todos os arquivos (*)|*";
inline constexpr const char* kFiltroVetorGdal =
    "Vetor do GDAL (*.gpkg *.shp *.kml *.gpx *.dxf *.geojson)|*.gpkg;*.shp;*.kml;*.gpx;*.dxf;*.geojson";
inline constexpr const char* kFiltroSaidaRasterGdal =
    "GeoTIFF (*.tif)|*.tif|Grade ASCII (*.asc)|*.asc|Raster do Idrisi RST (*.rst)|*.rst";
inline constexpr const char* kFiltroSaidaVetorGdal =
    "GeoPackage (*.gpkg)|*.gpkg|Shapefile (*.shp)|*.shp|KML (*.kml)|*.kml|GPX (*.gpx)|*.gpx|DXF (*.dxf)|*.dxf|"
    "Tabela de terraços CSV (*.csv)|*.csv";

} // namespace vastrel::gis

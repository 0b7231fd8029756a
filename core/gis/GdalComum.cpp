#include "gis/GdalInterno.h"

#include "gis/Bytes.h"
#include "gis/Gdal.h"
#include "common/Format.h"

#include <cpl_conv.h>
#include <cpl_error.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <mutex>
#include <sstream>
#include <system_error>

namespace vastrel::gis {

namespace fs = std::filesystem;

fs::path CaminhoSistemaCoordenadas(const fs::path& arquivo)
{
    fs::path p = arquivo;
    p.replace_extension(".prj");
    return p;
}

std::string LerSistemaCoordenadas(const fs::path& arquivo)
{
    std::ifstream in(CaminhoSistemaCoordenadas(arquivo), std::ios::binary);
    if (!in.is_open())
        return {};
    std::ostringstream s;
    s << in.rdbuf();
    std::string wkt = s.str();
    while (!wkt.empty() && (wkt.back() == '\n' || wkt.back() == '\r' || wkt.back() == ' '))
        wkt.pop_back();
    return wkt;
}

void CopiarSistemaCoordenadas(const fs::path& origem, const fs::path& destino)
{
    const fs::path de = CaminhoSistemaCoordenadas(origem), para = CaminhoSistemaCoordenadas(destino);
    std::error_code ec;
    if (fs::exists(para, ec) && fs::exists(de, ec) && fs::equivalent(de, para, ec))
        return;
    if (!fs::is_regular_file(de, ec)) {
        fs::remove(para, ec);
        return;
    }
    const std::vector<std::uint8_t> wkt = bytes::LerArquivo(de);
    bytes::GravarArquivo(para, wkt.data(), wkt.size());
}

namespace gdal {

void Iniciar()
{
    static std::once_flag feito;
    std::call_once(feito, [] { GDALAllRegister(); });
}

TSilencioGdal::TSilencioGdal()
{
    CPLPushErrorHandler(CPLQuietErrorHandler);
    CPLErrorReset();
}

TSilencioGdal::~TSilencioGdal() { CPLPopErrorHandler(); }

std::string TSilencioGdal::Motivo()
{
    const char* m = CPLGetLastErrorMsg();
    if (m == nullptr || *m == '\0')
        return {};
    return std::string(" (GDAL: ") + m + ")";
}

TDataset Abrir(const fs::path& arquivo, unsigned flags, const std::string& naoLido)
{
    Iniciar();
    std::error_code ec;
    if (!fs::exists(arquivo, ec))
        throw EArquivoGis("O arquivo '" + bytes::NomeArquivo(arquivo) + "' não existe.");
    const TSilencioGdal silencio;
    TDataset d(GDALDataset::Open(bytes::Utf8DeCaminho(arquivo).c_str(), flags | GDAL_OF_READONLY));
    if (!d)
        throw EArquivoGis(naoLido + " '" + bytes::NomeArquivo(arquivo) + "'.");
    return d;
}

OGRSpatialReference Sistema()
{
    OGRSpatialReference srs;
    srs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return srs;
}

OGRSpatialReference SistemaEpsg(int epsg)
{
    OGRSpatialReference srs = Sistema();
    if (srs.importFromEPSG(epsg) != OGRERR_NONE)
        throw EArquivoGis("Sistema de coordenadas EPSG:" + std::to_string(epsg) + " desconhecido.");
    return srs;
}

bool SistemaDoArquivo(const fs::path& arquivo, OGRSpatialReference& srs)
{
    const std::string wkt = LerSistemaCoordenadas(arquivo);
    if (wkt.empty())
        return false;
    const TSilencioGdal silencio;
    srs = Sistema();
    return srs.SetFromUserInput(wkt.c_str()) == OGRERR_NONE;
}

void GravarSistema(const fs::path& arquivo, const OGRSpatialReference* srs)
{
    const fs::path prj = CaminhoSistemaCoordenadas(arquivo);
    if (srs == nullptr) {
        std::error_code ec;
        fs::remove(prj, ec);
        return;
    }
    char* wkt = nullptr;
    const char* opcoes[] = {"FORMAT=WKT2_2019", "MULTILINE=NO", nullptr};
    if (srs->exportToWkt(&wkt, opcoes) != OGRERR_NONE || wkt == nullptr) {
        CPLFree(wkt);
        throw EArquivoGis("Não foi possível descrever o sistema de coordenadas de '" + bytes::NomeArquivo(arquivo) +
                          "'.");
    }
    const std::string texto = std::string(wkt) + "\r\n";
    CPLFree(wkt);
    bytes::GravarArquivo(prj, reinterpret_cast<const std::uint8_t*>(texto.data()), texto.size());
}

bool PrecisaReprojetar(const OGRSpatialReference& srs)
{
    if (srs.IsGeographic())
        return true;
    if (!srs.IsProjected())
        return false; // a local plane: taken as metres, as the system's own files
    return std::fabs(srs.GetLinearUnits() - 1.0) > 1e-9;
}

namespace {

// The rectangle of longitudes and latitudes that holds Brazil with its
// oceanic islands (degrees).
bool NoBrasil(double longitude, double latitude)
{
    return longitude >= -74.0 && longitude <= -28.8 && latitude >= -33.8 && latitude <= 5.3;
}

} // namespace

int EpsgUtm(double longitude, double latitude)
{
    // A file whose coordinates do not fit its declared geographic system
    // (a damaged or mislabelled file) gives a centre off the globe.
    if (!std::isfinite(longitude) || !std::isfinite(latitude) || std::fabs(longitude) > 180.0 ||
        std::fabs(latitude) > 90.0)
    {
        const auto texto = [](double v) { return std::isfinite(v) ? FormatGeneral(v, 6) : std::string("inválida"); };
        throw EArquivoGis("As coordenadas do arquivo não cabem no seu sistema de coordenadas (centro fora do globo: "
                          "longitude " + texto(longitude) + ", latitude " + texto(latitude) + ").");
    }
    int zona = static_cast<int>(std::floor((longitude + 180.0) / 6.0)) + 1;
    zona = std::clamp(zona, 1, 60);
    const bool sul = latitude < 0;
    if (NoBrasil(longitude, latitude)) {
        // SIRGAS 2000 / UTM zone 18S to 25S: EPSG:31978 to 31985;
        // zone 17N to 22N: EPSG:31971 to 31976.
        if (sul && zona >= 17 && zona <= 25)
            return 31960 + zona;
        if (!sul && zona >= 17 && zona <= 22)
            return 31954 + zona;
    }
    return (sul ? 32700 : 32600) + zona;
}

bool ParaLonLat(const OGRSpatialReference& de, double x, double y, double& lon, double& lat)
{
    OGRSpatialReference wgs84 = SistemaEpsg(4326);
    std::unique_ptr<OGRCoordinateTransformation> t(OGRCreateCoordinateTransformation(&de, &wgs84));
    if (!t)
        return false;
    lon = x;
    lat = y;
    return t->Transform(1, &lon, &lat) && std::isfinite(lon) && std::isfinite(lat);
}

std::string NomeSistema(const OGRSpatialReference* srs)
{
    if (srs == nullptr || srs->IsEmpty())
        return {};
    const char* nome = srs->GetName();
    return nome ? nome : "";
}

TSaidaGdal::TSaidaGdal(const fs::path& saida) : saida_(saida)
{
    pasta_ = bytes::NomeTemporarioVizinho(saida);
    std::error_code ec;
    fs::create_directory(pasta_, ec);
    if (ec)
        throw EArquivoGis("Não foi possível criar o arquivo '" + bytes::NomeArquivo(saida) + "'.");
}

TSaidaGdal::~TSaidaGdal()
{
    std::error_code ec;
    fs::remove_all(pasta_, ec);
}

fs::path TSaidaGdal::Temporario() const { return pasta_ / saida_.filename(); }

void TSaidaGdal::Confirmar()
{
    const fs::path destino = saida_.has_parent_path() ? saida_.parent_path() : fs::path(".");
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(pasta_, ec)) {
        fs::rename(e.path(), destino / e.path().filename(), ec);
        if (ec)
            throw EArquivoGis("Não foi possível gravar o arquivo '" + bytes::NomeArquivo(destino / e.path().filename()) +
                              "'.");
    }
    if (ec)
        throw EArquivoGis("Não foi possível gravar o arquivo '" + bytes::NomeArquivo(saida_) + "'.");
}

} // namespace gdal

} // namespace vastrel::gis

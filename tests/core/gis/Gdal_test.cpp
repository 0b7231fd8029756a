// GIS exchange through GDAL: GeoTIFFs made here with GDAL itself are
// imported, laid out and exported, and the outputs read back with GDAL.

#include "gis/Gdal.h"

#include "engine/Canal.h"
#include "engine/Precipitacao.h"
#include "engine/Terreno.h"
#include "gis/Declividade.h"
#include "gis/ErrosGis.h"
#include "gis/ImportExport.h"
#include "gis/MemoryRaster.h"
#include "gis/Vetor.h"
#include "location/LocacaoNivel.h"
#include "support/TempDir.h"

#include <gdal_priv.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <optional>

using namespace vastrel;
using namespace vastrel::gis;
using vastrel::test::TempDir;

namespace {

namespace fs = std::filesystem;

struct TFechar {
    void operator()(GDALDataset* d) const { GDALClose(GDALDataset::ToHandle(d)); }
};
using TDs = std::unique_ptr<GDALDataset, TFechar>;

OGRSpatialReference Srs(int epsg)
{
    OGRSpatialReference s;
    s.importFromEPSG(epsg);
    s.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return s;
}

// A one-band GeoTIFF: x = x0 + (c + ½)·dx at the centre of column c (from 0),
// y = y1 − (l + ½)·dy at the centre of row l; z(x, y) at each centre, or
// no-data where z returns nothing.
void GeoTiff(const fs::path& p, int colunas, int linhas, double x0, double y1, double dx, double dy, int epsg,
             GDALDataType tipo, const std::function<std::optional<double>(double x, double y)>& z,
             std::optional<double> semDado = std::nullopt, int bandas = 1)
{
    GDALAllRegister();
    TDs d(GetGDALDriverManager()->GetDriverByName("GTiff")->Create(p.string().c_str(), colunas, linhas, bandas, tipo,
                                                                   nullptr));
    ASSERT_TRUE(d);
    double gt[6] = {x0, dx, 0, y1, 0, -dy};
    d->SetGeoTransform(gt);
    if (epsg != 0) {
        const OGRSpatialReference s = Srs(epsg);
        d->SetSpatialRef(&s);
    }
    for (int b = 1; b <= bandas; ++b) {
        GDALRasterBand* banda = d->GetRasterBand(b);
        if (semDado)
            banda->SetNoDataValue(*semDado);
        std::vector<double> linha(static_cast<std::size_t>(colunas));
        for (int l = 0; l < linhas; ++l) {
            for (int c = 0; c < colunas; ++c) {
                const auto v = z(x0 + (c + 0.5) * dx, y1 - (l + 0.5) * dy);
                linha[static_cast<std::size_t>(c)] = v ? *v * b : *semDado;
            }
            ASSERT_EQ(banda->RasterIO(GF_Write, 0, l, colunas, 1, linha.data(), colunas, 1, GDT_Float64, 0, 0,
                                      nullptr),
                      CE_None);
        }
    }
}

TDs AbrirVetor(const fs::path& p)
{
    return TDs(GDALDataset::Open(p.string().c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
}

// EPSG code of a system as GDAL identifies it.
int Epsg(const OGRSpatialReference* s)
{
    if (s == nullptr)
        return 0;
    OGRSpatialReference c = *s;
    c.AutoIdentifyEPSG();
    const char* codigo = c.GetAuthorityCode(nullptr);
    return codigo ? std::atoi(codigo) : 0;
}

// The storm of Piracicaba (SP), a cultivated terrain, a triangular level
// terrace system and an arbitrated vertical spacing.
struct TProjeto {
    TPrecipitacaoExponencialNegativa Chuva;
    TTerreno Terreno;
    TTerracosNivel Terracos;
    explicit TProjeto(double ev)
    {
        Chuva.SetTr(10);
        Chuva.SetK(1773.932);
        Chuva.SetA(0.173);
        Chuva.SetB(24.999);
        Chuva.SetC(0.798);
        Terreno.SetVIB(25);
        Terreno.Cobertura.UsoTerra.Indice = 1;
        Terreno.Cobertura.CondicaoHidrologica.Indice = 1;
        Terreno.Cobertura.Tratamento.Indice = 2;
        Terracos.Sm = {0.213, 4};
        Terracos.SetCDu(1.2);
        Terracos.SelecaoTipoTerraco.MetTipoTerraco = 2;
        Terracos.Espacamento.Metodologia.IndMetodologia = 3;
        Terracos.Espacamento.SetEV(ev);
    }
};

// A cone in SIRGAS 2000 / UTM 23S near Piracicaba: 120 m at its apex,
// falling 0.1 m per metre to a radius of 100 m, no data beyond; 4 m cells.
constexpr double kXc = 226000, kYc = 7486000, kCelula = 4;
std::optional<double> Cone(double x, double y)
{
    const double r = std::hypot(x - kXc, y - kYc);
    if (r > 100)
        return std::nullopt;
    return 120 - 0.1 * r;
}

void GeoTiffCone(const fs::path& p)
{
    GeoTiff(p, 60, 60, kXc - 120, kYc + 120, kCelula, kCelula, 31983, GDT_Float32, Cone, -9999.0);
}

// Imports the cone, lays out terraces 2 m apart and returns the vector path.
fs::path LocarCone(const TempDir& d)
{
    GeoTiffCone(d / "cone.tif");
    ImportarRasterGdal(d / "cone.tif", d / "cone.ras", "cone", {});
    TMemoryRaster e;
    e.CarregarRaster(d / "cone.ras");
    MapaDeclividade(e, EspacamentoGrade(e, 1.0), "declividade", {}).GravarRaster(d / "decl.ras");
    TProjeto p(2);
    LocarNivel({d / "cone.ras", d / "decl.ras", d / "terracos.vet", p.Chuva, p.Terreno, p.Terracos, 0});
    return d / "terracos.vet";
}

template <class F>
std::string Erro(F&& f)
{
    try {
        f();
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

} // namespace

// GeoTIFF → ".ras" → location → GeoPackage: each terrace comes back with its
// number and table, in the raster's system, on the circle of its level.
TEST(Gdal, GeoTiffLocadoEExportadoParaGeoPackage)
{
    TempDir d;
    const fs::path vet = LocarCone(d);
    // The import kept the cells and the system.
    TMemoryRaster e;
    ASSERT_TRUE(e.CarregarRaster(d / "cone.ras"));
    EXPECT_EQ(e.TipoCelula, 'R');
    EXPECT_EQ(e.Colunas, 60);
    EXPECT_FLOAT_EQ(e.XMin, static_cast<float>(kXc - 120));
    EXPECT_FLOAT_EQ(e.YMax, static_cast<float>(kYc + 120));
    EXPECT_EQ(e.Unidade, "M");
    EXPECT_NEAR(e.ValorMax, 120, 0.3);
    EXPECT_NE(LerSistemaCoordenadas(d / "cone.ras").find("UTM zone 23S"), std::string::npos);

    TBDT tabela;
    ASSERT_TRUE(tabela.Carregar(d / "terracos.bdt"));
    ASSERT_GE(tabela.Quantidade(), 3);

    TOpcoesGdal o;
    o.RasterOrigem = d / "cone.ras";
    ExportarVetorGdal(vet, d / "terracos.gpkg", o);
    TDs g = AbrirVetor(d / "terracos.gpkg");
    ASSERT_TRUE(g);
    OGRLayer* camada = g->GetLayer(0);
    EXPECT_EQ(Epsg(camada->GetSpatialRef()), 31983);
    ASSERT_EQ(camada->GetFeatureCount(), tabela.Quantidade());
    for (auto& f : *camada) {
        const int n = f->GetFieldAsInteger("numero");
        const TRegTerr& r = tabela.Item(n);
        EXPECT_EQ(r.Numero, n);
        EXPECT_DOUBLE_EQ(f->GetFieldAsDouble("cota_m"), r.Cota);
        EXPECT_DOUBLE_EQ(f->GetFieldAsDouble("compr_m"), r.Comprimento);
        EXPECT_DOUBLE_EQ(f->GetFieldAsDouble("area_m2"), r.AreaInfluencia);
        const OGRLineString* l = f->GetGeometryRef()->toLineString();
        ASSERT_GE(l->getNumPoints(), 3);
        // The contour of level q on the cone is the circle of radius
        // (120 − q) / 0.1 m; the layout places each point on the far edge
        // of its cell, so within one cell of the circle.
        const double raio = (120 - r.Cota) / 0.1;
        for (int i = 0; i < l->getNumPoints(); ++i) {
            EXPECT_NEAR(std::hypot(l->getX(i) - kXc, l->getY(i) - kYc), raio, kCelula);
            EXPECT_FLOAT_EQ(static_cast<float>(l->getZ(i)), static_cast<float>(r.Cota));
        }
    }
}

// Every format of the export, read back by GDAL: one feature per terrace,
// KML and GPX in longitude/latitude at the same places, the others in UTM.
TEST(Gdal, ExportacaoEmTodosOsFormatos)
{
    TempDir d;
    const fs::path vet = LocarCone(d);
    gis::TVetor v;
    ASSERT_TRUE(v.CarregarVetor(vet));
    TRegistroVetor primeiro;
    ASSERT_TRUE(v.LerRegistro(primeiro));
    TBDT tabela;
    ASSERT_TRUE(tabela.Carregar(d / "terracos.bdt"));
    double lon = primeiro.X, lat = primeiro.Y;
    const OGRSpatialReference utm = Srs(31983), wgs84 = Srs(4326);
    std::unique_ptr<OGRCoordinateTransformation>(OGRCreateCoordinateTransformation(&utm, &wgs84))->Transform(1, &lon,
                                                                                                             &lat);
    TOpcoesGdal o;
    o.RasterOrigem = d / "cone.ras";
    for (const char* ext : {".gpkg", ".shp", ".kml", ".gpx", ".dxf"}) {
        SCOPED_TRACE(ext);
        const fs::path saida = d / (std::string("t") + ext);
        ExportarVetorGdal(vet, saida, o);
        TDs g = AbrirVetor(saida);
        ASSERT_TRUE(g);
        OGRLayer* camada = g->GetLayerByName(std::string(ext) == ".gpx" ? "routes" : g->GetLayer(0)->GetName());
        ASSERT_NE(camada, nullptr);
        EXPECT_EQ(camada->GetFeatureCount(), tabela.Quantidade());
        camada->ResetReading();
        std::unique_ptr<OGRFeature> f(camada->GetNextFeature());
        ASSERT_TRUE(f);
        const OGRLineString* l = f->GetGeometryRef()->toLineString();
        const bool lonLat = std::string(ext) == ".kml" || std::string(ext) == ".gpx";
        if (lonLat) {
            EXPECT_NEAR(l->getX(0), lon, 1e-7);
            EXPECT_NEAR(l->getY(0), lat, 1e-7);
            EXPECT_NE(std::string(f->GetFieldAsString(std::string(ext) == ".kml" ? "Name" : "name")).find("Terraço 1"),
                      std::string::npos);
        } else {
            EXPECT_DOUBLE_EQ(l->getX(0), primeiro.X);
            EXPECT_DOUBLE_EQ(l->getY(0), primeiro.Y);
        }
    }
    EXPECT_TRUE(fs::exists(d / "t.dbf") && fs::exists(d / "t.shx") && fs::exists(d / "t.prj"));

    // The table as CSV: a header and one line per terrace.
    ExportarVetorGdal(vet, d / "t.csv", o);
    std::ifstream csv(d / "t.csv");
    std::string cabecalho, linha1;
    std::getline(csv, cabecalho);
    std::getline(csv, linha1);
    EXPECT_EQ(cabecalho, "numero,cota_m,decliv_pct,compr_m,area_m2,ev_m,altura_m\r");
    EXPECT_EQ(linha1.rfind("1,", 0), 0u);
    EXPECT_NE(linha1.find("," + std::to_string(static_cast<int>(tabela.Item(1).Cota))), std::string::npos);
    // Nothing but the outputs was left in the folder.
    for (const auto& e : fs::directory_iterator(d.Path()))
        EXPECT_FALSE(fs::is_directory(e.path())) << e.path();
}

// A DEM in degrees goes to the UTM zone of its centre, SIRGAS 2000 in
// Brazil, at the proposed cell size; the values follow the terrain.
TEST(Gdal, GeograficoReprojetadoParaUtm)
{
    struct Caso {
        double lon, lat;
        int epsg;
    };
    const Caso casos[] = {
        {-47.6, -22.7, 31983}, // Piracicaba (SP): 23S
        {-60.0, 2.5, 31975},   // Roraima: 21N
        {-35.2, -5.8, 31985},  // Natal (RN): 25S
        {10.0, 45.0, 32632},   // northern Italy: WGS 84 / UTM 32N
        {-117.9, 34.3, 32611}, // California: 11N
        {-57.0, -25.3, 31981}, // Asunción, inside the rectangle around Brazil: 21S
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.epsg);
        TempDir d;
        const double passo = 1.0 / 3600; // 1 arc-second
        // z rises 1 m for each 0.001° of longitude to the east.
        const auto z = [&](double lon, double) { return std::optional<double>(500 + 1000 * (lon - c.lon)); };
        GeoTiff(d / "g.tif", 72, 72, c.lon - 36 * passo, c.lat + 36 * passo, passo, passo, 4326, GDT_Float32, z);
        const TInfoRasterGdal i = InspecionarRasterGdal(d / "g.tif");
        EXPECT_TRUE(i.Reprojetar);
        EXPECT_EQ(i.EpsgDestino, c.epsg);
        // 1" of latitude is 30.8 m; of longitude 30.9·cos(latitude) m.
        const double esperado = std::round((30.87 + 30.92 * std::cos(c.lat * M_PI / 180)) / 2);
        EXPECT_DOUBLE_EQ(i.TamanhoCelulaProposto, esperado);

        ImportarRasterGdal(d / "g.tif", d / "g.ras", "g", {});
        TMemoryRaster r;
        ASSERT_TRUE(r.CarregarRaster(d / "g.ras"));
        EXPECT_NEAR((static_cast<double>(r.XMax) - r.XMin) / r.Colunas, esperado, 1e-3);
        EXPECT_NEAR((static_cast<double>(r.YMax) - r.YMin) / r.Linhas, esperado, 1e-3);
        EXPECT_EQ(r.XMin, std::floor(r.XMin)); // whole metres
        OGRSpatialReference s;
        ASSERT_EQ(s.SetFromUserInput(LerSistemaCoordenadas(d / "g.ras").c_str()), OGRERR_NONE);
        EXPECT_EQ(Epsg(&s), c.epsg);
        // The central cell holds the value of the terrain at its centre.
        const int lc = r.Linhas / 2, cc = r.Colunas / 2;
        double x = r.XMin + (cc + 0.5) * esperado, y = r.YMax - (lc + 0.5) * esperado;
        s.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        const OGRSpatialReference wgs84 = Srs(4326);
        std::unique_ptr<OGRCoordinateTransformation>(OGRCreateCoordinateTransformation(&s, &wgs84))->Transform(1, &x,
                                                                                                               &y);
        EXPECT_NEAR(r.LerCelulaReal(static_cast<std::int64_t>(lc) * r.Colunas + cc), *z(x, y), 0.05);
    }
}

// Integer cells become real, no-data becomes 0; a later band is chosen by
// number; a user's cell size resamples a projected raster.
TEST(Gdal, SemDadoInteirosBandaETamanhoDeCelula)
{
    TempDir d;
    const auto z = [](double x, double y) -> std::optional<double> {
        if (x < 500050 && y > 4000050)
            return std::nullopt; // north-western corner without data
        return std::round(700 + (x - 500000) / 10);
    };
    GeoTiff(d / "i.tif", 20, 10, 500000, 4000100, 10, 10, 32611, GDT_Int16, z, -32768.0, 2);
    ImportarRasterGdal(d / "i.tif", d / "i.ras", "i", {});
    TMemoryRaster r;
    ASSERT_TRUE(r.CarregarRaster(d / "i.ras"));
    EXPECT_EQ(r.TipoCelula, 'R');
    EXPECT_FLOAT_EQ(r.LerCelulaReal(0), 0);       // no data
    EXPECT_FLOAT_EQ(r.LerCelulaReal(19), 720);    // row 0, column 19: 700 + 195/10 rounded
    EXPECT_FLOAT_EQ(r.LerCelulaReal(5 * 20), 701); // row 5, column 0: 700 + 5/10 rounded
    EXPECT_FLOAT_EQ(r.ValorMin, 701);
    EXPECT_FLOAT_EQ(r.ValorMax, 720);

    TOpcoesGdal o;
    o.Banda = 2; // the same values doubled
    ImportarRasterGdal(d / "i.tif", d / "b2.ras", "b2", o);
    ASSERT_TRUE(r.CarregarRaster(d / "b2.ras"));
    EXPECT_FLOAT_EQ(r.LerCelulaReal(19), 1440);

    o.Banda = 1;
    o.TamanhoCelula = 5;
    ImportarRasterGdal(d / "i.tif", d / "c5.ras", "c5", o);
    ASSERT_TRUE(r.CarregarRaster(d / "c5.ras"));
    EXPECT_EQ(r.Colunas, 40);
    EXPECT_EQ(r.Linhas, 20);
    EXPECT_FLOAT_EQ(r.XMin, 500000);
    EXPECT_FLOAT_EQ(r.YMax, 4000100);

    // And back out to a GeoTIFF with the same grid, system and values.
    ExportarRasterGdal(d / "i.ras", d / "volta.tif");
    TDs t(GDALDataset::Open((d / "volta.tif").string().c_str(), GDAL_OF_RASTER));
    ASSERT_TRUE(t);
    double gt[6];
    t->GetGeoTransform(gt);
    EXPECT_DOUBLE_EQ(gt[0], 500000);
    EXPECT_DOUBLE_EQ(gt[1], 10);
    EXPECT_EQ(Epsg(t->GetSpatialRef()), 32611);
    float v = 0;
    ASSERT_EQ(t->GetRasterBand(1)->RasterIO(GF_Read, 19, 0, 1, 1, &v, 1, 1, GDT_Float32, 0, 0, nullptr), CE_None);
    EXPECT_FLOAT_EQ(v, 720);

    // A raster without a coordinate system imported over that one leaves no
    // stale sidecar behind.
    ASSERT_TRUE(fs::exists(d / "i.prj"));
    GeoTiff(d / "plano.tif", 4, 4, 0, 40, 10, 10, 0, GDT_Float32, [](double, double) { return 5.0; });
    ImportarRasterGdal(d / "plano.tif", d / "i.ras", "plano", {});
    EXPECT_FALSE(fs::exists(d / "i.prj"));
}

// A watershed outline in KML (longitude/latitude) clips a UTM raster: cells
// outside it become 0.
TEST(Gdal, RecortePorPoligono)
{
    TempDir d;
    const auto plano = [](double, double) { return std::optional<double>(600); };
    GeoTiff(d / "p.tif", 40, 40, 226000, 7486000, 10, 10, 31983, GDT_Float32, plano);
    // The western half, 226000 to 226200 m east, as a polygon in degrees.
    const OGRSpatialReference utm = Srs(31983), wgs84 = Srs(4326);
    std::unique_ptr<OGRCoordinateTransformation> t(OGRCreateCoordinateTransformation(&utm, &wgs84));
    OGRLinearRing anel;
    for (auto [x, y] : {std::pair{225900.0, 7486100.0}, {226200.0, 7486100.0}, {226200.0, 7485500.0},
                        {225900.0, 7485500.0}, {225900.0, 7486100.0}}) {
        t->Transform(1, &x, &y);
        anel.addPoint(x, y);
    }
    {
        TDs k(GetGDALDriverManager()->GetDriverByName("KML")->Create((d / "bacia.kml").string().c_str(), 0, 0, 0,
                                                                     GDT_Unknown, nullptr));
        OGRLayer* c = k->CreateLayer("bacia", const_cast<OGRSpatialReference*>(&wgs84), wkbPolygon, nullptr);
        OGRFeature f(c->GetLayerDefn());
        OGRPolygon p;
        p.addRing(&anel);
        f.SetGeometry(&p);
        ASSERT_EQ(c->CreateFeature(&f), OGRERR_NONE);
    }
    TOpcoesGdal o;
    o.Recorte = d / "bacia.kml";
    ImportarRasterGdal(d / "p.tif", d / "p.ras", "p", o);
    TMemoryRaster r;
    ASSERT_TRUE(r.CarregarRaster(d / "p.ras"));
    for (int c = 0; c < 40; ++c) {
        if (c == 19 || c == 20)
            continue; // the cells along the edge of the outline
        EXPECT_FLOAT_EQ(r.LerCelulaReal(10 * 40 + c), c < 20 ? 600.0f : 0.0f) << c;
    }

    // An outline that misses the raster is refused and writes nothing.
    anel.empty();
    for (auto [x, y] : {std::pair{-40.0, -10.0}, {-40.1, -10.0}, {-40.1, -10.1}, {-40.0, -10.0}})
        anel.addPoint(x, y);
    {
        TDs k(GetGDALDriverManager()->GetDriverByName("KML")->Create((d / "longe.kml").string().c_str(), 0, 0, 0,
                                                                     GDT_Unknown, nullptr));
        OGRLayer* c = k->CreateLayer("longe", const_cast<OGRSpatialReference*>(&wgs84), wkbPolygon, nullptr);
        OGRFeature f(c->GetLayerDefn());
        OGRPolygon p;
        p.addRing(&anel);
        f.SetGeometry(&p);
        ASSERT_EQ(c->CreateFeature(&f), OGRERR_NONE);
    }
    o.Recorte = d / "longe.kml";
    EXPECT_EQ(Erro([&] { ImportarRasterGdal(d / "p.tif", d / "x.ras", "x", o); }),
              "O polígono de recorte não cobre nenhuma célula com dado do raster.");
    EXPECT_FALSE(fs::exists(d / "x.ras"));
}

// Bad inputs: a clear message in Portuguese, and nothing written.
TEST(Gdal, EntradasRecusadas)
{
    TempDir d;
    GeoTiffCone(d / "cone.tif");
    {
        std::ofstream(d / "texto.tif") << "isto não é um raster\n";
    }
    // Millimetre cells half a million metres from the origin: the 32-bit
    // float bounds of a ".ras" cannot tell its edges apart.
    GeoTiff(d / "milimetrico.tif", 3, 2, 500000, 7500000.002, 0.001, 0.001, 31983, GDT_Float32,
            [](double, double) { return 5.0; });
    struct Caso {
        const char* nome;
        fs::path entrada;
        TOpcoesGdal opcoes;
        const char* mensagem;
    };
    const auto opcoes = [](int banda, std::optional<double> celula, fs::path recorte = {}) {
        TOpcoesGdal o;
        o.Banda = banda;
        o.TamanhoCelula = celula;
        o.Recorte = std::move(recorte);
        return o;
    };
    const Caso casos[] = {
        {"arquivo ausente", d / "nao-existe.tif", {}, "O arquivo 'nao-existe.tif' não existe."},
        {"não é raster", d / "texto.tif", {}, "O GDAL não reconhece como raster o arquivo 'texto.tif'."},
        {"banda 2 de 1", d / "cone.tif", opcoes(2, {}), "A banda 2 não existe no raster 'cone.tif', que tem só a banda 1."},
        {"banda 0", d / "cone.tif", opcoes(0, {}), "A banda 0 não existe"},
        {"célula negativa", d / "cone.tif", opcoes(1, -4), "Tamanho de célula inválido: -4 m."},
        {"célula nula", d / "cone.tif", opcoes(1, 0), "Tamanho de célula inválido: 0 m."},
        {"célula enorme", d / "cone.tif", opcoes(1, 1e6), "Tamanho de célula inválido: 1000000 m."},
        {"células demais", d / "cone.tif", opcoes(1, 0.001), "grande demais. Use células maiores (o tamanho nativo é 4 m)."},
        {"células abaixo da precisão das coordenadas", d / "milimetrico.tif", {},
         "m são pequenas demais para as coordenadas do raster 'milimetrico.tif'"},
        {"recorte ausente", d / "cone.tif", opcoes(1, {}, d / "bacia.gpkg"), "O arquivo 'bacia.gpkg' não existe."},
        {"recorte não vetor", d / "cone.tif", opcoes(1, {}, d / "texto.tif"),
         "O GDAL não reconhece como vetor o arquivo de recorte 'texto.tif'."},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        const std::string m = Erro([&] { ImportarRasterGdal(c.entrada, d / "saida.ras", "t", c.opcoes); });
        EXPECT_NE(m.find(c.mensagem), std::string::npos) << m;
        EXPECT_FALSE(fs::exists(d / "saida.ras"));
        EXPECT_FALSE(fs::exists(d / "saida.prj"));
    }

    // Exports: KML without a coordinate system, an unknown extension, a
    // raster named as the source of the system without its sidecar.
    ImportarRasterGdal(d / "cone.tif", d / "cone.ras", "cone", {});
    gis::TVetor v;
    v.Unidade = "M";
    v.IrParaInicio();
    v.GravarRegistro(1, 226000, 7486000, 100);
    v.GravarRegistro(1, 226010, 7486000, 100);
    v.GravarVetor(d / "solto.vet");
    EXPECT_NE(Erro([&] { ExportarVetorGdal(d / "solto.vet", d / "s.kml", {}); })
                  .find("é desconhecido, e KML e GPX exigem longitude e latitude"),
              std::string::npos);
    EXPECT_NE(Erro([&] { ExportarVetorGdal(d / "solto.vet", d / "s.xyz", {}); })
                  .find("Formato de saída desconhecido pela extensão '.xyz'"),
              std::string::npos);
    TOpcoesGdal semPrj;
    semPrj.RasterOrigem = d / "solto.vet";
    EXPECT_NE(Erro([&] { ExportarVetorGdal(d / "solto.vet", d / "s.gpkg", semPrj); }).find("não tem ao lado"),
              std::string::npos);
    EXPECT_NE(Erro([&] { ExportarVetorGdal(d / "solto.vet", d / "s.csv", {}); })
                  .find("A tabela de terraços 'solto.bdt' não existe."),
              std::string::npos);
    for (const char* s : {"s.kml", "s.xyz", "s.gpkg", "s.csv"})
        EXPECT_FALSE(fs::exists(d / s)) << s;
    // Without a system, a GeoPackage is still written, in the vector's units.
    ExportarVetorGdal(d / "solto.vet", d / "s.gpkg", {});
    EXPECT_TRUE(fs::exists(d / "s.gpkg"));
}

// Lines and outlines of a GIS vector file into a ".vet" in UTM metres.
// A vector whose coordinates cannot be in its declared system (a damaged
// file: one X of 2.25e13) puts the centre of its extent off the globe; the
// import refuses it with a message instead of choosing a UTM zone from it.
TEST(Gdal, VetorComCentroForaDoGloboRecusado)
{
    TempDir d;
    test::WriteBytes(d / "v.geojson",
                     R"({"type":"FeatureCollection","crs":{"type":"name","properties":{"name":"urn:ogc:def:crs:GSPE::31983"}},)"
                     R"("features":[{"type":"Feature","properties":{"elev":540},"geometry":{"type":"LineString",)"
                     R"("coordinates":[[22500047485000,540],[225010,7485005,540],[225020,7485000,540]]}}]})");
    EXPECT_THROW(ImportarVetorGdal(d / "v.geojson", d / "v.vet", "v"), EArquivoGis);
    EXPECT_FALSE(fs::exists(d / "v.vet"));
}

TEST(Gdal, ImportacaoDeVetor)
{
    TempDir d;
    GDALAllRegister();
    const OGRSpatialReference wgs84 = Srs(4326);
    {
        TDs g(GetGDALDriverManager()->GetDriverByName("GPKG")->Create((d / "curvas.gpkg").string().c_str(), 0, 0, 0,
                                                                      GDT_Unknown, nullptr));
        OGRLayer* c = g->CreateLayer("curvas", const_cast<OGRSpatialReference*>(&wgs84), wkbLineString25D, nullptr);
        for (double z : {600.0, 610.0}) {
            OGRFeature f(c->GetLayerDefn());
            OGRLineString l;
            l.addPoint(-47.60, -22.70 + (z - 600) / 10000, z);
            l.addPoint(-47.59, -22.70 + (z - 600) / 10000, z);
            l.addPoint(-47.58, -22.70 + (z - 600) / 10000, z);
            f.SetGeometry(&l);
            ASSERT_EQ(c->CreateFeature(&f), OGRERR_NONE);
        }
    }
    ImportarVetorGdal(d / "curvas.gpkg", d / "curvas.vet", "curvas");
    gis::TVetor v;
    ASSERT_TRUE(v.CarregarVetor(d / "curvas.vet"));
    EXPECT_EQ(v.NumRegistros(), 6);
    TRegistroVetor r;
    ASSERT_TRUE(v.LerRegistro(r));
    EXPECT_EQ(r.NumLinha, 1);
    EXPECT_FLOAT_EQ(r.Z, 600);
    // -47.60°, -22.70° in SIRGAS 2000 / UTM 23S.
    EXPECT_NEAR(r.X, 232898.0, 1.0);
    EXPECT_NEAR(r.Y, 7487349.7, 1.0);
    OGRSpatialReference s;
    ASSERT_EQ(s.SetFromUserInput(LerSistemaCoordenadas(d / "curvas.vet").c_str()), OGRERR_NONE);
    EXPECT_EQ(Epsg(&s), 31983);
}

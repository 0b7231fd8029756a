// Import of any raster GDAL reads into the system's ".ras", and export of a
// ".ras" to GeoTIFF, ASCII grid or IDRISI RST.

#include "gis/Gdal.h"
#include "gis/GdalInterno.h"

#include "common/Format.h"
#include "gis/Bytes.h"
#include "gis/MemoryRaster.h"

#include <gdal_alg.h>
#include <gdal_utils.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace vastrel::gis {

namespace fs = std::filesystem;
using namespace gdal;

namespace {

// The largest image an import builds: 100 million cells (400 MB of reals).
constexpr double kMaxCelulas = 1.0e8;
constexpr int kLinhasPorControle = 64;

// Georeference of a raster: x = t[0] + coluna·t[1] + linha·t[2],
// y = t[3] + coluna·t[4] + linha·t[5] (GDAL's order).
struct TTransformada {
    double t[6] = {0, 1, 0, 0, 0, 1};
    void Ponto(double coluna, double linha, double& x, double& y) const
    {
        x = t[0] + coluna * t[1] + linha * t[2];
        y = t[3] + coluna * t[4] + linha * t[5];
    }
    // North up, square cells, no rotation: the cells can be taken as they are.
    bool Alinhada() const
    {
        return t[2] == 0 && t[4] == 0 && t[1] > 0 && t[5] < 0 && std::fabs(t[1] + t[5]) <= 1e-9 * t[1];
    }
};

// A cell size as the window proposes it: whole metres from 10 m, tenths
// from 1 m, hundredths below.
double Arredondar(double c)
{
    if (c >= 10)
        return std::round(c);
    if (c >= 1)
        return std::round(c * 10) / 10;
    return std::max(0.01, std::round(c * 100) / 100);
}

// An opened input with what the import needs to know of it.
struct TAnalise {
    TDataset Dados;
    TTransformada Geo;
    std::optional<OGRSpatialReference> Origem;  // none when the file has no system
    std::optional<OGRSpatialReference> Destino; // the output's system
    bool Reprojetar = false;
    double CelulaNativa = 0; // m
    std::string Nome;        // file name for messages
};

TAnalise Analisar(const fs::path& entrada)
{
    TAnalise a;
    a.Nome = bytes::NomeArquivo(entrada);
    a.Dados = Abrir(entrada, GDAL_OF_RASTER, "O GDAL não reconhece como raster o arquivo");
    const TSilencioGdal silencio;
    GDALDataset& d = *a.Dados;
    if (d.GetRasterCount() < 1 || d.GetRasterXSize() < 1 || d.GetRasterYSize() < 1)
        throw EArquivoGis("O arquivo '" + a.Nome + "' não contém nenhuma banda raster.");
    if (d.GetGeoTransform(a.Geo.t) != CE_None)
        throw EArquivoGis("O raster '" + a.Nome +
                          "' não é georreferenciado: faltam as coordenadas das células, sem as quais não há "
                          "distâncias nem declividades.");
    if (const OGRSpatialReference* s = d.GetSpatialRef(); s != nullptr && !s->IsEmpty()) {
        a.Origem = *s;
        a.Origem->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        a.Reprojetar = PrecisaReprojetar(*a.Origem);
    }
    const double cx = d.GetRasterXSize() / 2.0, cy = d.GetRasterYSize() / 2.0;
    if (a.Reprojetar) {
        double x = 0, y = 0, lon = 0, lat = 0;
        a.Geo.Ponto(cx, cy, x, y);
        if (!ParaLonLat(*a.Origem, x, y, lon, lat))
            throw EArquivoGis("Não foi possível converter para longitude e latitude as coordenadas do raster '" +
                              a.Nome + "'" + TSilencioGdal::Motivo() + ".");
        a.Destino = SistemaEpsg(EpsgUtm(lon, lat));
        // The native cell measured in metres at the centre of the raster.
        std::unique_ptr<OGRCoordinateTransformation> t(OGRCreateCoordinateTransformation(&*a.Origem, &*a.Destino));
        double xs[3], ys[3];
        a.Geo.Ponto(cx, cy, xs[0], ys[0]);
        a.Geo.Ponto(cx + 1, cy, xs[1], ys[1]);
        a.Geo.Ponto(cx, cy + 1, xs[2], ys[2]);
        if (!t || !t->Transform(3, xs, ys))
            throw EArquivoGis("Não foi possível projetar em UTM as coordenadas do raster '" + a.Nome + "'" +
                              TSilencioGdal::Motivo() + ".");
        a.CelulaNativa =
            (std::hypot(xs[1] - xs[0], ys[1] - ys[0]) + std::hypot(xs[2] - xs[0], ys[2] - ys[0])) / 2;
    } else {
        a.Destino = a.Origem;
        a.CelulaNativa = (std::hypot(a.Geo.t[1], a.Geo.t[4]) + std::hypot(a.Geo.t[2], a.Geo.t[5])) / 2;
    }
    if (!(a.CelulaNativa > 0) || !std::isfinite(a.CelulaNativa))
        throw EArquivoGis("O raster '" + a.Nome + "' tem células sem tamanho.");
    return a;
}

// The grid of the output: north up, square cells, origin on whole metres.
struct TGrade {
    double X0 = 0, Y1 = 0; // western and northern edges, m
    double Celula = 0;     // m
    int Colunas = 0, Linhas = 0;
    double XMax() const { return X0 + Colunas * Celula; }
    double YMin() const { return Y1 - Linhas * Celula; }
};

std::string Metros(double v) { return FormatFloat("0.###", v) + " m"; }

// The extent of the input in the output's system: xmin, ymin, xmax, ymax.
std::array<double, 4> Extensao(const TAnalise& a)
{
    const double c = a.Dados->GetRasterXSize(), l = a.Dados->GetRasterYSize();
    double x[4], y[4];
    a.Geo.Ponto(0, 0, x[0], y[0]);
    a.Geo.Ponto(c, 0, x[1], y[1]);
    a.Geo.Ponto(0, l, x[2], y[2]);
    a.Geo.Ponto(c, l, x[3], y[3]);
    std::array<double, 4> e = {*std::min_element(x, x + 4), *std::min_element(y, y + 4),
                               *std::max_element(x, x + 4), *std::max_element(y, y + 4)};
    if (a.Reprojetar) {
        std::unique_ptr<OGRCoordinateTransformation> t(OGRCreateCoordinateTransformation(&*a.Origem, &*a.Destino));
        std::array<double, 4> p{};
        if (!t || !t->TransformBounds(e[0], e[1], e[2], e[3], &p[0], &p[1], &p[2], &p[3], 21))
            throw EArquivoGis("Não foi possível projetar em UTM a extensão do raster '" + a.Nome + "'" +
                              TSilencioGdal::Motivo() + ".");
        e = p;
    }
    return e;
}

TGrade Grade(const TAnalise& a, double celula)
{
    const std::array<double, 4> e = Extensao(a);
    const double largura = e[2] - e[0], altura = e[3] - e[1];
    const double menor = std::min(largura, altura);
    if (!std::isfinite(celula) || celula <= 0 || celula > menor / 2)
        throw EEscolhaGis("Tamanho de célula inválido: " + FormatFloat("0.######", celula) +
                          " m. Informe um valor maior que zero e de no máximo a metade do lado menor do raster (" +
                          Metros(menor / 2) + "); o tamanho nativo é " + Metros(a.CelulaNativa) + ".");
    TGrade g;
    g.Celula = celula;
    if (!a.Reprojetar && a.Geo.Alinhada() && std::fabs(celula - a.Geo.t[1]) <= 1e-9 * celula) {
        // The input's own cells, untouched.
        g.X0 = a.Geo.t[0];
        g.Y1 = a.Geo.t[3];
        g.Colunas = a.Dados->GetRasterXSize();
        g.Linhas = a.Dados->GetRasterYSize();
        return g;
    }
    // Whole cells whose centres lie inside the input, from the whole metre
    // at or just outside its north-western corner.
    g.X0 = std::floor(e[0]);
    g.Y1 = std::ceil(e[3]);
    const double colunas = std::max(1.0, std::floor((e[2] - g.X0) / celula + 0.5));
    const double linhas = std::max(1.0, std::floor((g.Y1 - e[1]) / celula + 0.5));
    if (colunas * linhas > kMaxCelulas)
        throw EEscolhaGis("Com células de " + Metros(celula) + " a imagem teria " + FormatFloat("0", colunas) +
                          " × " + FormatFloat("0", linhas) +
                          " células, grande demais. Use células maiores (o tamanho nativo é " + Metros(a.CelulaNativa) +
                          ").");
    g.Colunas = static_cast<int>(colunas);
    g.Linhas = static_cast<int>(linhas);
    return g;
}

// The bounds of a ".ras" are 32-bit floats: far from the origin they cannot
// hold the edges of very small cells (millimetres at UTM coordinates), and
// the cell size the file gives would be wrong, or zero. Such a grid is
// refused rather than written with a false geometry.
void ConferirPrecisaoLimites(const TCabecalhoRaster& r, const TGrade& g, const std::string& nome)
{
    const double largura = (static_cast<double>(r.XMax) - r.XMin) / r.Colunas;
    const double altura = (static_cast<double>(r.YMax) - r.YMin) / r.Linhas;
    if (std::fabs(largura - g.Celula) > 0.01 * g.Celula || std::fabs(altura - g.Celula) > 0.01 * g.Celula)
        throw EEscolhaGis("As células de " + Metros(g.Celula) + " são pequenas demais para as coordenadas do raster '" +
                          nome + "' (até " + Metros(std::max(std::fabs(g.X0), std::fabs(g.Y1))) +
                          "): os limites do arquivo raster, em precisão simples, não as distinguem. Use células "
                          "maiores.");
}

bool Identica(const TAnalise& a, const TGrade& g)
{
    return !a.Reprojetar && a.Geo.Alinhada() && g.X0 == a.Geo.t[0] && g.Y1 == a.Geo.t[3] &&
           g.Colunas == a.Dados->GetRasterXSize() && g.Linhas == a.Dados->GetRasterYSize();
}

using TListaArgs = std::vector<std::string>;

// A list of command-line style arguments as GDAL's utilities take them.
struct TArgs {
    explicit TArgs(const TListaArgs& a)
    {
        for (const std::string& s : a)
            p.push_back(const_cast<char*>(s.c_str()));
        p.push_back(nullptr);
    }
    std::vector<char*> p;
};

std::string Num(double v) { return FloatToJson(v); }

// The band, resampled bilinearly onto the output grid in the output's system,
// as an in-memory dataset of one real band whose no-data is NaN.
TDataset Reamostrar(const TAnalise& a, const TGrade& g, int banda)
{
    const TSilencioGdal silencio;
    const TListaArgs argsBanda = {"-of", "VRT", "-b", std::to_string(banda)};
    TArgs ab(argsBanda);
    std::unique_ptr<GDALTranslateOptions, decltype(&GDALTranslateOptionsFree)> ot(
        GDALTranslateOptionsNew(ab.p.data(), nullptr), GDALTranslateOptionsFree);
    TDataset so(GDALDataset::FromHandle(GDALTranslate("", GDALDataset::ToHandle(a.Dados.get()), ot.get(), nullptr)));
    if (!so)
        throw EArquivoGis("Não foi possível ler a banda " + std::to_string(banda) + " do raster '" + a.Nome + "'" +
                          TSilencioGdal::Motivo() + ".");

    TListaArgs args = {"-of", "MEM", "-r", "bilinear", "-ot", "Float32", "-dstnodata", "nan",
                       "-te", Num(g.X0), Num(g.YMin()), Num(g.XMax()), Num(g.Y1),
                       "-ts", std::to_string(g.Colunas), std::to_string(g.Linhas)};
    std::string wkt;
    if (a.Destino) {
        char* w = nullptr;
        a.Destino->exportToWkt(&w);
        wkt = w ? w : "";
        CPLFree(w);
        args.insert(args.end(), {"-t_srs", wkt});
    }
    TArgs aw(args);
    std::unique_ptr<GDALWarpAppOptions, decltype(&GDALWarpAppOptionsFree)> ow(
        GDALWarpAppOptionsNew(aw.p.data(), nullptr), GDALWarpAppOptionsFree);
    GDALDatasetH origem = GDALDataset::ToHandle(so.get());
    TDataset r(GDALDataset::FromHandle(GDALWarp("", nullptr, 1, &origem, ow.get(), nullptr)));
    if (!r)
        throw EArquivoGis("Não foi possível reprojetar o raster '" + a.Nome + "'" + TSilencioGdal::Motivo() + ".");
    return r;
}

// 1 inside the clip polygons, 0 outside, cell by cell over the grid.
std::vector<std::uint8_t> MascaraRecorte(const fs::path& arquivo, const TGrade& g,
                                         const std::optional<OGRSpatialReference>& destino)
{
    TDataset v = Abrir(arquivo, GDAL_OF_VECTOR, "O GDAL não reconhece como vetor o arquivo de recorte");
    const std::string nome = bytes::NomeArquivo(arquivo);
    const TSilencioGdal silencio;
    std::vector<std::unique_ptr<OGRGeometry>> poligonos;
    for (OGRLayer* camada : v->GetLayers()) {
        std::unique_ptr<OGRCoordinateTransformation> t;
        if (const OGRSpatialReference* s = camada->GetSpatialRef(); s != nullptr && destino) {
            OGRSpatialReference de = *s;
            de.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
            t.reset(OGRCreateCoordinateTransformation(&de, &*destino));
        }
        for (auto& f : *camada) {
            const OGRGeometry* geo = f->GetGeometryRef();
            if (geo == nullptr || geo->getDimension() != 2)
                continue;
            std::unique_ptr<OGRGeometry> p(geo->clone());
            if (t && p->transform(t.get()) != OGRERR_NONE)
                throw EArquivoGis("Não foi possível converter as coordenadas do polígono de recorte '" + nome + "'" +
                                  TSilencioGdal::Motivo() + ".");
            poligonos.push_back(std::move(p));
        }
    }
    if (poligonos.empty())
        throw EEscolhaGis("O arquivo de recorte '" + nome + "' não contém nenhum polígono.");

    GDALDriver* mem = GetGDALDriverManager()->GetDriverByName("MEM");
    TDataset m(mem->Create("", g.Colunas, g.Linhas, 1, GDT_Byte, nullptr));
    double gt[6] = {g.X0, g.Celula, 0, g.Y1, 0, -g.Celula};
    m->SetGeoTransform(gt);
    std::vector<OGRGeometryH> h;
    for (auto& p : poligonos)
        h.push_back(OGRGeometry::ToHandle(p.get()));
    int banda = 1;
    double um = 1;
    if (GDALRasterizeGeometries(GDALDataset::ToHandle(m.get()), 1, &banda, static_cast<int>(h.size()), h.data(),
                                nullptr, nullptr, &um, nullptr, nullptr, nullptr) != CE_None)
        throw EArquivoGis("Não foi possível aplicar o polígono de recorte '" + nome + "'" + TSilencioGdal::Motivo() +
                          ".");
    std::vector<std::uint8_t> mascara(static_cast<std::size_t>(g.Colunas) * static_cast<std::size_t>(g.Linhas));
    if (m->GetRasterBand(1)->RasterIO(GF_Read, 0, 0, g.Colunas, g.Linhas, mascara.data(), g.Colunas, g.Linhas,
                                      GDT_Byte, 0, 0, nullptr) != CE_None)
        throw EArquivoGis("Não foi possível aplicar o polígono de recorte '" + nome + "'.");
    return mascara;
}

} // namespace

TInfoRasterGdal InspecionarRasterGdal(const fs::path& entrada)
{
    const TAnalise a = Analisar(entrada);
    TInfoRasterGdal i;
    i.Formato = a.Dados->GetDriver() ? a.Dados->GetDriver()->GetDescription() : "";
    if (a.Dados->GetDriver())
        if (const char* nome = a.Dados->GetDriver()->GetMetadataItem(GDAL_DMD_LONGNAME))
            i.Formato = nome;
    i.Bandas = a.Dados->GetRasterCount();
    i.Colunas = a.Dados->GetRasterXSize();
    i.Linhas = a.Dados->GetRasterYSize();
    i.SistemaOrigem = NomeSistema(a.Origem ? &*a.Origem : nullptr);
    i.Reprojetar = a.Reprojetar;
    if (a.Reprojetar) {
        const char* codigo = a.Destino->GetAuthorityCode(nullptr);
        i.EpsgDestino = codigo ? std::atoi(codigo) : 0;
    }
    i.SistemaDestino = NomeSistema(a.Destino ? &*a.Destino : nullptr);
    // A grid already in metres keeps its exact cell; degrees give a round size.
    i.TamanhoCelulaProposto = !a.Reprojetar && a.Geo.Alinhada() ? a.Geo.t[1] : Arredondar(a.CelulaNativa);
    return i;
}

void ImportarRasterGdal(const fs::path& entrada, const fs::path& ras, const std::string& titulo,
                        const TOpcoesGdal& opcoes, const TProgressoGis& progresso)
{
    const TAnalise a = Analisar(entrada);
    const int bandas = a.Dados->GetRasterCount();
    if (opcoes.Banda < 1 || opcoes.Banda > bandas)
        throw EEscolhaGis("A banda " + std::to_string(opcoes.Banda) + " não existe no raster '" + a.Nome +
                          "', que tem " + (bandas == 1 ? "só a banda 1" : std::to_string(bandas) + " bandas") + ".");
    const double celula = opcoes.TamanhoCelula ? *opcoes.TamanhoCelula
                          : !a.Reprojetar && a.Geo.Alinhada() ? a.Geo.t[1]
                                                              : Arredondar(a.CelulaNativa);
    const TGrade g = Grade(a, celula);
    PontoDeControle(progresso, 0, "Importando");

    // The cells on the output grid: the input's own band, or its resampling.
    TDataset reamostrado;
    GDALRasterBand* banda = a.Dados->GetRasterBand(opcoes.Banda);
    if (!Identica(a, g)) {
        reamostrado = Reamostrar(a, g, opcoes.Banda);
        banda = reamostrado->GetRasterBand(1);
    }
    std::vector<std::uint8_t> recorte;
    if (!opcoes.Recorte.empty())
        recorte = MascaraRecorte(opcoes.Recorte, g, a.Destino);

    TMemoryRaster r;
    r.DefinirTipo('R');
    r.Titulo = titulo;
    r.Colunas = g.Colunas;
    r.Linhas = g.Linhas;
    r.XMin = static_cast<float>(g.X0);
    r.XMax = static_cast<float>(g.XMax());
    r.YMin = static_cast<float>(g.YMin());
    r.YMax = static_cast<float>(g.Y1);
    r.Unidade = "M";
    ConferirPrecisaoLimites(r, g, a.Nome);
    r.AlocarCelulas();

    const auto n = static_cast<std::size_t>(g.Colunas);
    std::vector<double> valores(n);
    std::vector<std::uint8_t> validos(n);
    std::vector<float> linha(n);
    GDALRasterBand* mascara = banda->GetMaskBand();
    float menor = std::numeric_limits<float>::max(), maior = std::numeric_limits<float>::lowest();
    bool algum = false;
    const TSilencioGdal silencio;
    for (int l = 0; l < g.Linhas; ++l) {
        if (banda->RasterIO(GF_Read, 0, l, g.Colunas, 1, valores.data(), g.Colunas, 1, GDT_Float64, 0, 0,
                            nullptr) != CE_None ||
            mascara->RasterIO(GF_Read, 0, l, g.Colunas, 1, validos.data(), g.Colunas, 1, GDT_Byte, 0, 0,
                              nullptr) != CE_None)
            throw EArquivoGis("Erro ao ler a linha " + std::to_string(l + 1) + " do raster '" + a.Nome + "'" +
                              TSilencioGdal::Motivo() + ".");
        for (std::size_t c = 0; c < n; ++c) {
            const double v = valores[c];
            // No-data, outside the clip polygon, or not a real number: 0, the
            // system's cell without data.
            const bool dado = validos[c] != 0 && std::isfinite(v) &&
                              std::fabs(v) <= std::numeric_limits<float>::max() &&
                              (recorte.empty() || recorte[static_cast<std::size_t>(l) * n + c] != 0);
            linha[c] = dado ? static_cast<float>(v) : 0.0f;
            if (linha[c] != 0) {
                menor = std::min(menor, linha[c]);
                maior = std::max(maior, linha[c]);
                algum = true;
            }
        }
        r.GravarLinhaReal(l, linha.data());
        if ((l + 1) % kLinhasPorControle == 0)
            PontoDeControle(progresso, static_cast<double>(l + 1) / g.Linhas, "Importando");
    }
    if (!algum)
        throw EEscolhaGis(recorte.empty() ? "O raster '" + a.Nome + "' não tem nenhuma célula com dado na banda " +
                                                std::to_string(opcoes.Banda) + "."
                                          : std::string("O polígono de recorte não cobre nenhuma célula com dado do "
                                                        "raster."));
    r.ValorMin = menor;
    r.ValorMax = maior;
    r.GravarRaster(ras);
    GravarSistema(ras, a.Destino ? &*a.Destino : nullptr);
    PontoDeControle(progresso, 1, "Importando");
}

// ---------------------------------------------------------------------------

namespace {

const char* DriverRaster(const fs::path& saida)
{
    std::string ext = saida.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (ext == ".tif" || ext == ".tiff")
        return "GTiff";
    if (ext == ".asc")
        return "AAIGrid";
    if (ext == ".rst")
        return "RST";
    throw EEscolhaGis("Formato de saída desconhecido pela extensão '" + saida.extension().string() +
                          "': use .tif, .asc ou .rst.",
                      TCampoGis::Saida);
}

} // namespace

void ExportarRasterGdal(const fs::path& ras, const fs::path& saida, const TProgressoGis& progresso)
{
    const char* nomeDriver = DriverRaster(saida);
    TMemoryRaster r;
    if (!r.CarregarRaster(ras))
        throw EEscolhaGis(kMsgEntradaInvalida, TCampoGis::Entrada);
    const double f = MetrosPorUnidade(r.Unidade) > 0 ? MetrosPorUnidade(r.Unidade) : 1.0;
    if (r.Colunas < 1 || r.Linhas < 1)
        throw EArquivoGis("O raster '" + bytes::NomeArquivo(ras) + "' não tem células.");
    Iniciar();
    const TSilencioGdal silencio;
    GDALDriver* mem = GetGDALDriverManager()->GetDriverByName("MEM");
    TDataset m(mem->Create("", r.Colunas, r.Linhas, 1, GDT_Float32, nullptr));
    double gt[6] = {r.XMin * f, (static_cast<double>(r.XMax) - r.XMin) * f / r.Colunas, 0, r.YMax * f, 0,
                    -(static_cast<double>(r.YMax) - r.YMin) * f / r.Linhas};
    m->SetGeoTransform(gt);
    OGRSpatialReference srs;
    if (SistemaDoArquivo(ras, srs))
        m->SetSpatialRef(&srs);
    GDALRasterBand* b = m->GetRasterBand(1);
    b->SetNoDataValue(0);
    std::vector<float> linha(static_cast<std::size_t>(r.Colunas));
    for (int l = 0; l < r.Linhas; ++l) {
        r.LerLinhaComoReal(l, linha.data());
        if (b->RasterIO(GF_Write, 0, l, r.Colunas, 1, linha.data(), r.Colunas, 1, GDT_Float32, 0, 0, nullptr) !=
            CE_None)
            throw EArquivoGis("Erro ao converter o raster '" + bytes::NomeArquivo(ras) + "'" +
                              TSilencioGdal::Motivo() + ".");
        if ((l + 1) % kLinhasPorControle == 0)
            PontoDeControle(progresso, 0.9 * (l + 1) / r.Linhas, "Exportando");
    }
    TSaidaGdal s(saida);
    CPLErrorReset();
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(nomeDriver);
    TDataset copia(driver ? driver->CreateCopy(bytes::Utf8DeCaminho(s.Temporario()).c_str(), m.get(), FALSE, nullptr,
                                               nullptr, nullptr)
                          : nullptr);
    if (!copia)
        throw EArquivoGis("Não foi possível criar o arquivo '" + bytes::NomeArquivo(saida) + "'" +
                          TSilencioGdal::Motivo() + ".");
    copia.reset(); // flushes and closes the files
    if (CPLGetLastErrorType() == CE_Failure)
        throw EArquivoGis("Erro ao gravar o arquivo '" + bytes::NomeArquivo(saida) + "'" + TSilencioGdal::Motivo() +
                          ".");
    s.Confirmar();
    PontoDeControle(progresso, 1, "Exportando");
}

} // namespace vastrel::gis

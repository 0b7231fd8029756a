// The system's vector files (".vet") and terrace tables (".bdt") to and from
// the GIS vector formats, through GDAL.

#include "gis/Gdal.h"
#include "gis/GdalInterno.h"

#include "common/Format.h"
#include "gis/Bytes.h"
#include "gis/Raster.h"
#include "gis/Vetor.h"
#include "gis/BDT.h"
#include "gis/BDTGradiente.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <system_error>
#include <vector>

namespace vastrel::gis {

namespace fs = std::filesystem;
using namespace gdal;

namespace {

std::string Minusculas(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

bool ExtensaoCsv(const fs::path& p) { return Minusculas(p.extension().string()) == ".csv"; }

// A number in the shortest text that reads back to the same double, with a
// point as decimal separator (CSV).
std::string Numero(double v)
{
    char b[32];
    const auto r = std::to_chars(b, b + sizeof b, v);
    return std::string(b, r.ptr);
}

// The table beside a vector (or the table itself).
fs::path CaminhoTabela(const fs::path& vetOuBdt)
{
    if (Minusculas(vetOuBdt.extension().string()) == ".bdt")
        return vetOuBdt;
    fs::path p = vetOuBdt;
    p.replace_extension(".bdt");
    return p;
}

// The attributes of the terraces of a table, by terrace number: field
// names (at most 10 characters, as Shapefiles allow), each terrace's values
// in that order and a description in words.
struct TAtributosTabela {
    std::vector<const char*> Campos;
    std::map<int, std::vector<double>> Valores;
    std::map<int, std::string> Descricoes;
};

void AtributosNivel(const TBDT& t, TAtributosTabela& a)
{
    a.Campos = {"cota_m", "decliv_pct", "compr_m", "area_m2", "ev_m", "altura_m"};
    for (const TRegTerr& r : t) {
        a.Valores[r.Numero] = {r.Cota, r.DeclividadeMedia, r.Comprimento, r.AreaInfluencia, r.EV, r.Altura};
        a.Descricoes[r.Numero] =
            "Cota " + FormatFloat("0.00", r.Cota) + " m; declividade média " + FormatFloat("0.0", r.DeclividadeMedia) +
            " %; comprimento " + FormatFloat("0.0", r.Comprimento) + " m; área de influência " +
            FormatFloat("0", r.AreaInfluencia) + " m²; EV " + FormatFloat("0.00", r.EV) + " m; altura " +
            FormatFloat("0.00", r.Altura) + " m";
    }
}

// Graded terraces: the bed at both ends, the grade, the strip and the
// channel's design, the outlet and whether the channel carries its flow.
void AtributosGradiente(const TTabelaGradiente& t, TAtributosTabela& a)
{
    a.Campos = {"cota_mont", "cota_saida", "grad_pct", "compr_m", "area_m2", "decliv_pct", "ev_m",
                "eh_m",      "q_ls",       "h_m",      "hr_m",    "saida",   "comporta"};
    for (const TRegTerrGradiente& r : t.Terracos) {
        const bool comporta = r.Situacao == TSituacaoCanal::Comporta;
        a.Valores[r.Numero] = {r.CotaMontante, r.CotaSaida, 100 * r.Gradiente, r.Comprimento, r.AreaInfluencia,
                               r.DeclividadeMedia, r.EV, r.EH, r.Q, r.H, r.Hr, static_cast<double>(r.Saida),
                               comporta ? 1.0 : 0.0};
        a.Descricoes[r.Numero] =
            "Cota a montante " + FormatFloat("0.00", r.CotaMontante) + " m; cota na saída " +
            FormatFloat("0.00", r.CotaSaida) + " m; gradiente " + FormatFloat("0.00", 100 * r.Gradiente) +
            " %; comprimento " + FormatFloat("0.0", r.Comprimento) + " m; área de influência " +
            FormatFloat("0", r.AreaInfluencia) + " m²; vazão " + FormatFloat("0.0", r.Q) + " L/s; lâmina " +
            FormatFloat("0.000", r.H) + " m; altura " + FormatFloat("0.00", r.Hr) + " m; saída " +
            std::to_string(r.Saida) + (comporta ? "" : "; o canal não comporta a vazão");
    }
}

// The attributes of the table beside a vector; nothing when there is no table.
std::optional<TAtributosTabela> LerTabela(const fs::path& bdt)
{
    std::error_code ec;
    if (!fs::is_regular_file(bdt, ec))
        return std::nullopt;
    TAtributosTabela a;
    bool lida = false;
    if (TTabelaGradiente::VersaoDoArquivo(bdt) == kVersaoBDTGradiente) {
        TTabelaGradiente t;
        lida = t.Carregar(bdt);
        if (lida)
            AtributosGradiente(t, a);
    } else {
        TBDT t;
        lida = t.Carregar(bdt);
        if (lida)
            AtributosNivel(t, a);
    }
    if (!lida)
        throw EArquivoGis("A tabela de terraços '" + bytes::NomeArquivo(bdt) + "' está corrompida ou incompleta.");
    return a;
}

struct TLinhaVet {
    int Numero = 0;
    std::vector<TRegistroVetor> Pontos;
};

// The lines of a vector file: runs of records with the same line number.
std::vector<TLinhaVet> LerLinhas(TVetor& v)
{
    std::vector<TLinhaVet> linhas;
    TRegistroVetor r;
    v.IrParaInicio();
    while (v.LerRegistro(r)) {
        if (linhas.empty() || linhas.back().Numero != r.NumLinha)
            linhas.push_back({r.NumLinha, {}});
        linhas.back().Pontos.push_back(r);
    }
    return linhas;
}

// One GIS vector format of the export.
struct TFormatoVetor {
    const char* Extensao;
    const char* Driver;
    bool LonLat;  // KML and GPX hold WGS 84 longitude/latitude
};

constexpr TFormatoVetor kFormatos[] = {
    {".gpkg", "GPKG", false}, {".shp", "ESRI Shapefile", false}, {".kml", "KML", true},
    {".gpx", "GPX", true},    {".dxf", "DXF", false},
};

const TFormatoVetor& FormatoDe(const fs::path& saida)
{
    const std::string ext = Minusculas(saida.extension().string());
    for (const TFormatoVetor& f : kFormatos)
        if (ext == f.Extensao)
            return f;
    throw EEscolhaGis("Formato de saída desconhecido pela extensão '" + saida.extension().string() +
                          "': use .gpkg, .shp, .kml, .gpx, .dxf ou .csv.",
                      TCampoGis::Saida);
}

void CriarCampo(OGRLayer& camada, const char* nome, OGRFieldType tipo)
{
    OGRFieldDefn d(nome, tipo);
    if (camada.CreateField(&d) != OGRERR_NONE)
        throw EArquivoGis(std::string("Não foi possível criar o campo '") + nome + "'" + TSilencioGdal::Motivo() + ".");
}

// The coordinate system of the export: the sidecar of the raster the
// terraces came from, else the vector's own.
std::optional<OGRSpatialReference> SistemaDaExportacao(const fs::path& vet, const TOpcoesGdal& opcoes)
{
    OGRSpatialReference srs;
    if (!opcoes.RasterOrigem.empty()) {
        if (SistemaDoArquivo(opcoes.RasterOrigem, srs))
            return srs;
        throw EEscolhaGis("O raster '" + bytes::NomeArquivo(opcoes.RasterOrigem) +
                          "' não tem ao lado o arquivo do seu sistema de coordenadas ('" +
                          bytes::NomeArquivo(CaminhoSistemaCoordenadas(opcoes.RasterOrigem)) +
                          "'), que a importação pelo GDAL grava.");
    }
    if (SistemaDoArquivo(vet, srs))
        return srs;
    return std::nullopt;
}

} // namespace

void ExportarTabelaCsv(const fs::path& vetOuBdt, const fs::path& csv)
{
    const fs::path bdt = CaminhoTabela(vetOuBdt);
    const auto tabela = LerTabela(bdt);
    if (!tabela)
        throw EEscolhaGis("A tabela de terraços '" + bytes::NomeArquivo(bdt) + "' não existe.", TCampoGis::Entrada);
    std::string s = "numero";
    for (const char* nome : tabela->Campos)
        s += std::string(",") + nome;
    s += "\r\n";
    for (const auto& [numero, valores] : tabela->Valores) {
        s += std::to_string(numero);
        for (const double valor : valores)
            s += "," + Numero(valor);
        s += "\r\n";
    }
    bytes::GravarArquivo(csv, reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
}

void ExportarVetorGdal(const fs::path& vet, const fs::path& saida, const TOpcoesGdal& opcoes,
                       const TProgressoGis& progresso)
{
    if (ExtensaoCsv(saida)) {
        ExportarTabelaCsv(vet, saida);
        return;
    }
    const TFormatoVetor& formato = FormatoDe(saida);
    TVetor v;
    if (!v.CarregarVetor(vet))
        throw EEscolhaGis(kMsgEntradaInvalida, TCampoGis::Entrada);
    const std::string nome = bytes::NomeArquivo(vet);
    const double f = MetrosPorUnidade(v.Unidade) > 0 ? MetrosPorUnidade(v.Unidade) : 1.0;
    const auto tabela = LerTabela(CaminhoTabela(vet));
    Iniciar();
    const TSilencioGdal silencio;
    std::optional<OGRSpatialReference> sistema = SistemaDaExportacao(vet, opcoes);
    std::unique_ptr<OGRCoordinateTransformation> paraLonLat;
    std::optional<OGRSpatialReference> sistemaSaida = sistema;
    if (formato.LonLat) {
        if (!sistema)
            throw EEscolhaGis("O sistema de coordenadas do vetor '" + nome +
                              "' é desconhecido, e KML e GPX exigem longitude e latitude. Informe o raster de "
                              "elevação de onde ele veio (importado pelo GDAL, com o arquivo .prj ao lado).");
        sistemaSaida = SistemaEpsg(4326);
        paraLonLat.reset(OGRCreateCoordinateTransformation(&*sistema, &*sistemaSaida));
        if (!paraLonLat)
            throw EArquivoGis("Não foi possível converter para longitude e latitude as coordenadas do vetor '" + nome +
                              "'" + TSilencioGdal::Motivo() + ".");
    }

    TSaidaGdal s(saida);
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(formato.Driver);
    const char* opcoesGpx[] = {"GPX_USE_EXTENSIONS=YES", nullptr};
    TDataset d(driver ? driver->Create(bytes::Utf8DeCaminho(s.Temporario()).c_str(), 0, 0, 0, GDT_Unknown,
                                       std::string(formato.Driver) == "GPX" ? const_cast<char**>(opcoesGpx) : nullptr)
                      : nullptr);
    if (!d)
        throw EArquivoGis("Não foi possível criar o arquivo '" + bytes::NomeArquivo(saida) + "'" +
                          TSilencioGdal::Motivo() + ".");
    const std::string drv = formato.Driver;
    const bool gpx = drv == "GPX", kml = drv == "KML", dxf = drv == "DXF";
    // GPX keeps lines in its "routes" list; DXF in its entities.
    const std::string nomeCamada = gpx ? "routes" : dxf ? "entities" : bytes::Utf8DeCaminho(saida.stem());
    OGRLayer* camada = d->CreateLayer(nomeCamada.c_str(), sistemaSaida ? &*sistemaSaida : nullptr,
                                      wkbLineString25D, nullptr);
    if (camada == nullptr)
        throw EArquivoGis("Não foi possível criar a camada do arquivo '" + bytes::NomeArquivo(saida) + "'" +
                          TSilencioGdal::Motivo() + ".");
    if (kml) {
        CriarCampo(*camada, "Name", OFTString);
        CriarCampo(*camada, "Description", OFTString);
    } else if (gpx) {
        // "name", "desc" and "number" are the route's own elements.
    }
    if (!dxf) {
        if (!gpx)
            CriarCampo(*camada, "numero", OFTInteger);
        if (tabela)
            for (const char* campo : tabela->Campos)
                CriarCampo(*camada, campo, OFTReal);
    }

    const std::vector<TLinhaVet> linhas = LerLinhas(v);
    std::size_t feitas = 0;
    for (const TLinhaVet& l : linhas) {
        OGRLineString geo;
        for (const TRegistroVetor& p : l.Pontos) {
            double x = p.X * f, y = p.Y * f;
            if (paraLonLat && !paraLonLat->Transform(1, &x, &y))
                throw EArquivoGis("Não foi possível converter para longitude e latitude um ponto da linha " +
                                  std::to_string(l.Numero) + " do vetor '" + nome + "'" + TSilencioGdal::Motivo() +
                                  ".");
            geo.addPoint(x, y, p.Z);
        }
        if (geo.getNumPoints() == 1) // a line must have two points: a one-point line stays a spot
            geo.addPoint(geo.getX(0), geo.getY(0), geo.getZ(0));
        OGRFeature feicao(camada->GetLayerDefn());
        feicao.SetGeometry(&geo);
        const std::string rotulo = "Terraço " + std::to_string(l.Numero);
        const std::vector<double>* valores = nullptr;
        const std::string* descricao = nullptr;
        if (tabela)
            if (const auto it = tabela->Valores.find(l.Numero); it != tabela->Valores.end()) {
                valores = &it->second;
                descricao = &tabela->Descricoes.at(l.Numero);
            }
        if (dxf) {
            char camadaCad[32];
            std::snprintf(camadaCad, sizeof camadaCad, "TERRACO_%03d", l.Numero);
            feicao.SetField("Layer", camadaCad);
        } else {
            if (kml) {
                feicao.SetField("Name", rotulo.c_str());
                if (descricao)
                    feicao.SetField("Description", descricao->c_str());
            } else if (gpx) {
                feicao.SetField("name", rotulo.c_str());
                feicao.SetField("number", l.Numero);
                if (descricao)
                    feicao.SetField("desc", descricao->c_str());
            }
            if (!gpx)
                feicao.SetField("numero", l.Numero);
            if (valores)
                for (std::size_t k = 0; k < tabela->Campos.size(); ++k)
                    feicao.SetField(tabela->Campos[k], (*valores)[k]);
        }
        if (camada->CreateFeature(&feicao) != OGRERR_NONE)
            throw EArquivoGis("Não foi possível gravar a linha " + std::to_string(l.Numero) + " no arquivo '" +
                              bytes::NomeArquivo(saida) + "'" + TSilencioGdal::Motivo() + ".");
        if (++feitas % 64 == 0)
            PontoDeControle(progresso, static_cast<double>(feitas) / static_cast<double>(linhas.size()), "Exportando");
    }
    CPLErrorReset();
    d.reset(); // flushes and closes the files
    if (CPLGetLastErrorType() == CE_Failure)
        throw EArquivoGis("Erro ao gravar o arquivo '" + bytes::NomeArquivo(saida) + "'" + TSilencioGdal::Motivo() +
                          ".");
    s.Confirmar();
    PontoDeControle(progresso, 1, "Exportando");
}

// ---------------------------------------------------------------------------

namespace {

// The parts of a geometry that are lines: line strings and polygon rings.
void Partes(const OGRGeometry* g, std::vector<const OGRLineString*>& partes)
{
    if (g == nullptr)
        return;
    switch (wkbFlatten(g->getGeometryType())) {
    case wkbLineString:
    case wkbLinearRing:
        partes.push_back(g->toLineString());
        break;
    case wkbPolygon:
        for (const OGRLinearRing* anel : *g->toPolygon())
            partes.push_back(anel);
        break;
    case wkbMultiLineString:
    case wkbMultiPolygon:
    case wkbGeometryCollection:
        for (const OGRGeometry* p : *g->toGeometryCollection())
            Partes(p, partes);
        break;
    default:
        break; // points and curves drawn by other means carry no line
    }
}

} // namespace

void ImportarVetorGdal(const fs::path& entrada, const fs::path& vet, const std::string& titulo,
                       const TProgressoGis& progresso)
{
    TDataset d = Abrir(entrada, GDAL_OF_VECTOR, "O GDAL não reconhece como vetor o arquivo");
    const std::string nome = bytes::NomeArquivo(entrada);
    const TSilencioGdal silencio;

    // The output's system: the first layer's, or the UTM zone of its centre
    // when it is in degrees or not in metres.
    std::optional<OGRSpatialReference> destino;
    for (OGRLayer* camada : d->GetLayers()) {
        const OGRSpatialReference* s = camada->GetSpatialRef();
        if (s == nullptr || s->IsEmpty())
            continue;
        OGRSpatialReference origem = *s;
        origem.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        destino = origem;
        OGREnvelope e;
        if (PrecisaReprojetar(origem) && camada->GetExtent(&e, TRUE) == OGRERR_NONE) {
            double lon = 0, lat = 0;
            if (!ParaLonLat(origem, (e.MinX + e.MaxX) / 2, (e.MinY + e.MaxY) / 2, lon, lat))
                throw EArquivoGis("Não foi possível converter para longitude e latitude as coordenadas do vetor '" +
                                  nome + "'" + TSilencioGdal::Motivo() + ".");
            destino = SistemaEpsg(EpsgUtm(lon, lat));
        }
        break;
    }

    TVetor v;
    v.Titulo = titulo;
    v.Unidade = "M";
    v.IrParaInicio();
    int numLinha = 0, numFeicao = 0;
    for (OGRLayer* camada : d->GetLayers()) {
        std::unique_ptr<OGRCoordinateTransformation> t;
        if (const OGRSpatialReference* s = camada->GetSpatialRef(); s != nullptr && !s->IsEmpty() && destino) {
            OGRSpatialReference origem = *s;
            origem.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
            if (!origem.IsSame(&*destino))
                t.reset(OGRCreateCoordinateTransformation(&origem, &*destino));
        }
        for (auto& f : *camada) {
            ++numFeicao;
            std::unique_ptr<OGRGeometry> g(f->GetGeometryRef() ? f->GetGeometryRef()->clone() : nullptr);
            if (!g)
                continue;
            if (t && g->transform(t.get()) != OGRERR_NONE)
                throw EArquivoGis("Não foi possível converter as coordenadas da feição " + std::to_string(numFeicao) +
                                  " do vetor '" + nome + "'" + TSilencioGdal::Motivo() + ".");
            std::unique_ptr<OGRGeometry> linear(g->hasCurveGeometry() ? g->getLinearGeometry() : g.release());
            std::vector<const OGRLineString*> partes;
            Partes(linear.get(), partes);
            const bool temZ = linear->Is3D();
            for (const OGRLineString* p : partes) {
                if (p->getNumPoints() == 0)
                    continue;
                if (++numLinha > std::numeric_limits<std::int16_t>::max())
                    throw EArquivoGis("O vetor '" + nome + "' tem mais de " +
                                      std::to_string(std::numeric_limits<std::int16_t>::max()) +
                                      " linhas, o máximo de um arquivo vetor.");
                for (int i = 0; i < p->getNumPoints(); ++i) {
                    const double z = temZ ? p->getZ(i) : numFeicao;
                    if (!std::isfinite(p->getX(i)) || !std::isfinite(p->getY(i)) ||
                        std::fabs(p->getX(i)) > std::numeric_limits<float>::max() ||
                        std::fabs(p->getY(i)) > std::numeric_limits<float>::max())
                        throw EArquivoGis("O vetor '" + nome + "' tem coordenadas fora do alcance de um arquivo vetor.");
                    v.GravarRegistro(static_cast<std::int16_t>(numLinha), static_cast<float>(p->getX(i)),
                                     static_cast<float>(p->getY(i)), static_cast<float>(z));
                }
            }
            if (numFeicao % 256 == 0)
                PontoDeControle(progresso, 0.5, "Importando");
        }
    }
    if (numLinha == 0)
        throw EEscolhaGis("O vetor '" + nome + "' não contém nenhuma linha nem polígono.");
    v.GravarVetor(vet);
    GravarSistema(vet, destino ? &*destino : nullptr);
    PontoDeControle(progresso, 1, "Importando");
}

} // namespace vastrel::gis

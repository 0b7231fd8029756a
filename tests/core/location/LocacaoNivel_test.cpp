#include "location/LocacaoNivel.h"

#include "common/UiHooks.h"
#include "engine/Canal.h"
#include "engine/Precipitacao.h"
#include "engine/Terreno.h"
#include "gis/ErrosGis.h"
#include "gis/MemoryRaster.h"
#include "core/location/Relevos.h"
#include "project/Projeto.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <numbers>
#include <set>

using namespace vastrel;
using vastrel::test::DeclividadeDe;
using vastrel::test::GravarRas;
using vastrel::test::ReadBytes;
using vastrel::test::Relevo;
using vastrel::test::TempDir;

namespace {

namespace fs = std::filesystem;

// The storm of Piracicaba (SP), a cultivated terrain and a triangular level
// terrace system; arbitrated 1 m spacing unless a test says otherwise.
struct TProjetoTeste {
    TPrecipitacaoExponencialNegativa Chuva;
    TTerreno Terreno;
    TTerracosNivel Terracos;

    TProjetoTeste()
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
        Arbitrar(1);
    }
    void Arbitrar(double ev)
    {
        Terracos.Espacamento.Metodologia.IndMetodologia = 3;
        Terracos.Espacamento.SetEV(ev);
    }
};

struct TLinhaLida {
    int Numero = 0;
    std::vector<TPonto> Pontos;
};

// The lines of a vector file in file order.
std::vector<TLinhaLida> LerLinhas(const fs::path& vet)
{
    TVET v;
    EXPECT_TRUE(v.CarregarVetor(vet));
    std::vector<TLinhaLida> linhas;
    std::int16_t n = 0;
    TPonto p;
    while (v.LerPonto(n, p)) {
        if (linhas.empty() || linhas.back().Numero != n)
            linhas.push_back({n, {}});
        linhas.back().Pontos.push_back(p);
    }
    return linhas;
}

struct TResultado {
    std::vector<TRegTerr> Tabela;
    std::vector<TLinhaLida> Linhas;
    std::string BytesVet, BytesBdt;
};

TResultado Ler(const fs::path& vet)
{
    TResultado r;
    TBDT t;
    EXPECT_TRUE(t.Carregar(TLocacaoNivel::CaminhoTabela(vet)));
    r.Tabela.assign(t.begin(), t.end());
    r.Linhas = LerLinhas(vet);
    r.BytesVet = ReadBytes(vet);
    r.BytesBdt = ReadBytes(TLocacaoNivel::CaminhoTabela(vet));
    return r;
}

// Writes the relief and its slope, runs the location, reads the outputs.
TResultado Locar(TempDir& d, const TImgElevacao& e, TProjetoTeste& p, TLocacaoNivel& loc)
{
    GravarRas(d / "elev.ras", e);
    GravarRas(d / "decl.ras", DeclividadeDe(e));
    loc.Locar(d / "elev.ras", d / "decl.ras", p.Chuva, p.Terreno, p.Terracos, d / "saida.vet");
    return Ler(d / "saida.vet");
}

// Numbers 1, 2, 3 ... in the table and in the vector, record for line.
void VerificarNumeracao(const TResultado& r)
{
    ASSERT_EQ(r.Tabela.size(), r.Linhas.size());
    for (std::size_t i = 0; i < r.Tabela.size(); ++i) {
        EXPECT_EQ(r.Tabela[i].Numero, static_cast<int>(i + 1));
        EXPECT_EQ(r.Linhas[i].Numero, static_cast<int>(i + 1));
        EXPECT_GE(r.Linhas[i].Pontos.size(), 2u);
    }
}

// A cone falling 0.2 m per metre from 110 m at (31, 31), 1 m cells, with
// no data beyond a radius of 30 m. Image row y of map Y: y = 61 − Y.
TImgElevacao Cone()
{
    return Relevo(61, 61, [](int l, int c) {
        const double r = std::hypot(l - 31, c - 31);
        return r > 30 ? 0.0 : 110 - 0.2 * r;
    });
}

TEST(Locar, ConeComEspacamentoArbitradoDeUmMetro)
{
    TempDir d;
    TProjetoTeste p;
    TLocacaoNivel loc;
    const TResultado r = Locar(d, Cone(), p, loc);
    VerificarNumeracao(r);
    ASSERT_GE(r.Tabela.size(), 4u);
    EXPECT_EQ(loc.NumLocados.load(), static_cast<int>(r.Tabela.size()));
    EXPECT_DOUBLE_EQ(r.Tabela[0].Cota, 109); // ValorMax − 1
    double areaSomada = 0;
    for (std::size_t i = 0; i < r.Tabela.size(); ++i) {
        const TRegTerr& t = r.Tabela[i];
        EXPECT_DOUBLE_EQ(t.EV, 1);
        if (i > 0) {
            // 1 m below the cell where the previous contour was found: a
            // cell beside that contour, within one cell's drop (0.2 m) of it.
            EXPECT_NEAR(t.Cota + 1, r.Tabela[i - 1].Cota, 0.2 + 1e-4);
            EXPECT_NE(t.Cota + 1, r.Tabela[i - 1].Cota);
        }
        // Each terrace is the circle of its level, closed and walked once.
        const double raio = (110 - t.Cota) / 0.2;
        const auto& pts = r.Linhas[i].Pontos;
        EXPECT_EQ(pts.front().X, pts.back().X);
        EXPECT_EQ(pts.front().Y, pts.back().Y);
        for (const TPonto& q : pts) {
            // Back to (column, row) from 1: the map puts cell k's centre at k − ½.
            const double c = q.X + 0.5, l = 61.5 - q.Y;
            EXPECT_NEAR(std::hypot(c - 31, l - 31), raio, 0.1);
            EXPECT_FLOAT_EQ(q.Z, static_cast<float>(t.Cota));
        }
        EXPECT_NEAR(t.Comprimento, 2 * std::numbers::pi * raio, 0.02 * 2 * std::numbers::pi * raio);
        // Its area is the ring between it and the terrace above, give or
        // take the cells the two lines lie on.
        const double acima = i == 0 ? 0 : (110 - r.Tabela[i - 1].Cota) / 0.2;
        const double anel = std::numbers::pi * (raio * raio - acima * acima);
        EXPECT_NEAR(t.AreaInfluencia, anel, 2 * std::numbers::pi * (raio + acima));
        EXPECT_GT(t.Altura, 0.1);
        areaSomada += t.AreaInfluencia;
    }
    EXPECT_NEAR(loc.AreaBacia, std::numbers::pi * 30 * 30 / 10000, 0.01);
    // The location keeps the watershed's mean slope in percent; the
    // terrain and the spacing keep the dimensioning's values.
    EXPECT_NEAR(loc.DeclividadeMedia, 20, 1.5);
    EXPECT_DOUBLE_EQ(p.Terreno.St, 0);
    EXPECT_DOUBLE_EQ(p.Terracos.Espacamento.EV, 1);
    EXPECT_EQ(p.Terracos.SelecaoTipoTerraco.MetTipoTerraco, 2);
    EXPECT_GT(areaSomada, 0);
    EXPECT_DOUBLE_EQ(loc.Progresso.load(), std::round(areaSomada / (loc.AreaBacia * 10000) * 100));
}

TEST(Locar, EspacamentoPorMetodoSegueADeclividadeDeCadaFaixa)
{
    TempDir d;
    TProjetoTeste p;
    p.Terracos.Espacamento.Metodologia.IndMetodologia = 1; // Lombardi Neto
    TLocacaoNivel loc;
    const TResultado r = Locar(d, Cone(), p, loc);
    VerificarNumeracao(r);
    ASSERT_GE(r.Tabela.size(), 2u);
    // The spacing follows the strip's slope (about 20 % on this cone), and
    // each terrace lies EV below the cell where the one above was found.
    TEspacamento esp;
    esp.CalculaLombardiNeto(0.20);
    for (std::size_t i = 0; i < r.Tabela.size(); ++i) {
        EXPECT_NEAR(r.Tabela[i].DeclividadeMedia, 20, 2);
        EXPECT_NEAR(r.Tabela[i].EV, esp.EV, 0.1);
        if (i > 0) {
            EXPECT_NEAR(r.Tabela[i - 1].Cota - r.Tabela[i].Cota, r.Tabela[i].EV, 0.3);
        }
    }
    EXPECT_NEAR(loc.EVInicial, esp.EV, 0.1);
}

TEST(Locar, RelevoMenorQueOPrimeiroEspacamento)
{
    TempDir d;
    TProjetoTeste p;
    p.Terracos.Espacamento.Metodologia.IndMetodologia = 0; // Bentley: EV above 0.61 m
    // 45 cm of relief on a 5 % slope (EV 1.22 m).
    const TImgElevacao e = Relevo(20, 10, [](int, int c) { return 100 + 0.05 * c; });
    TLocacaoNivel loc;
    const TResultado r = Locar(d, e, p, loc);
    EXPECT_TRUE(r.Tabela.empty());
    EXPECT_EQ(r.BytesVet.size(), 527u);
    EXPECT_EQ(r.BytesBdt.size(), 5u);
    EXPECT_EQ(loc.NumLocados.load(), 0);
    // The spacing given before the run is left to the dimensioning.
    EXPECT_DOUBLE_EQ(p.Terracos.Espacamento.EV, 1);
    EXPECT_GT(loc.EVInicial, 0.61);
}

TEST(Locar, SemTopoNaoHaTerraco)
{
    // A header maximum that no cell reaches.
    TempDir d;
    TProjetoTeste p;
    TImgElevacao e = Cone();
    e.ValorMax = 130;
    TLocacaoNivel loc;
    const TResultado r = Locar(d, e, p, loc);
    EXPECT_TRUE(r.Tabela.empty());
    EXPECT_EQ(r.BytesVet.size(), 527u);
}

// A plane falling 0.1037 m per cell to the south with a hill (3 m high) and
// a hollow (4 m deep) on it, within 10 cells of their centres at row 45,
// elevations in centimetres, cells of 2.5 m.
TImgElevacao MorroEBaixada()
{
    return Relevo(90, 70, [](int l, int c) {
        const double morro = std::max(0.0, 3.0 - 0.3 * std::hypot(l - 45, c - 18));
        const double baixada = std::max(0.0, 4.0 - 0.4 * std::hypot(l - 45, c - 52));
        return std::round(100 * (200 - 0.1037 * l + morro - baixada)) / 100;
    }, 2.5f);
}

TEST(Locar, MorroEBaixadaTemTerracosProprios)
{
    TempDir d;
    TProjetoTeste p;
    TLocacaoNivel loc;
    const TResultado r = Locar(d, MorroEBaixada(), p, loc);
    VerificarNumeracao(r);
    // Lines wholly inside the hill's or the hollow's footprint, closed,
    // above or below the plane there (195.3 m).
    int noMorro = 0, naBaixada = 0;
    for (std::size_t i = 0; i < r.Linhas.size(); ++i) {
        const auto& pts = r.Linhas[i].Pontos;
        double longeMorro = 0, longeBaixada = 0;
        for (const TPonto& q : pts) {
            const double x = q.X / 2.5, y = 90 - q.Y / 2.5;
            longeMorro = std::max(longeMorro, std::hypot(y - 45, x - 18));
            longeBaixada = std::max(longeBaixada, std::hypot(y - 45, x - 52));
        }
        const bool fechada = pts.front().X == pts.back().X && pts.front().Y == pts.back().Y;
        if (longeMorro < 10 && fechada) {
            ++noMorro;
            EXPECT_GT(r.Tabela[i].Cota, 195.3);
            EXPECT_GT(r.Tabela[i].AreaInfluencia, 0);
        }
        if (longeBaixada < 10 && fechada) {
            ++naBaixada;
            EXPECT_LT(r.Tabela[i].Cota, 195.3);
        }
    }
    EXPECT_GE(noMorro, 2);
    EXPECT_GE(naBaixada, 2);
}

TEST(Locar, DemInteiroComEspacamentoDeMetroInteiro)
{
    // Elevations in whole metres and a 1 m spacing: every level equals the
    // value of whole rows of cells.
    TempDir d;
    TProjetoTeste p;
    const TImgElevacao e = Relevo(60, 40, [](int l, int c) {
        return std::round(150 - 0.25 * l + 2 * std::exp(-(std::pow(l - 30, 2) + std::pow(c - 20, 2)) / 40));
    });
    TLocacaoNivel loc;
    const TResultado r = Locar(d, e, p, loc);
    VerificarNumeracao(r);
    // The cell found below each level lies a whole step (1 m) under it, so
    // the levels go down 2 m at a time, each a whole number.
    ASSERT_GE(r.Tabela.size(), 6u);
    for (std::size_t i = 0; i < r.Tabela.size(); ++i) {
        EXPECT_EQ(r.Tabela[i].Cota, std::round(r.Tabela[i].Cota));
        EXPECT_GT(r.Tabela[i].Comprimento, 30);
        if (i > 0) {
            EXPECT_EQ(r.Tabela[i - 1].Cota - r.Tabela[i].Cota, 2);
        }
    }
}

TEST(Locar, CancelarGuardaOsTerracosLocados)
{
    TempDir d;
    TProjetoTeste p;
    TLocacaoNivel completa;
    const TResultado inteira = Locar(d, MorroEBaixada(), p, completa);
    ASSERT_GE(inteira.Tabela.size(), 6u);

    TempDir d2;
    TProjetoTeste p2;
    TLocacaoNivel loc;
    SetProcessEventsHook([&] {
        if (loc.NumLocados >= 4)
            loc.Cancelar = true; // the progress window's "&Cancelar"
    });
    const TResultado parcial = Locar(d2, MorroEBaixada(), p2, loc);
    SetProcessEventsHook(nullptr);
    VerificarNumeracao(parcial);
    ASSERT_GE(parcial.Tabela.size(), 4u);
    ASSERT_LT(parcial.Tabela.size(), inteira.Tabela.size());
    // What was placed is what the whole run placed first.
    for (std::size_t i = 0; i + 1 < parcial.Tabela.size(); ++i) {
        EXPECT_EQ(parcial.Tabela[i].Cota, inteira.Tabela[i].Cota);
        EXPECT_EQ(parcial.Tabela[i].Comprimento, inteira.Tabela[i].Comprimento);
    }
}

TEST(Locar, QuilometrosEAreaDoPixel)
{
    // The cone with 10 m cells given in kilometres.
    TempDir d;
    TProjetoTeste p;
    TImgElevacao e = Cone();
    e.SetUnidade("KM");
    e.ResX = e.ResY = 0.01f;
    TLocacaoNivel loc;
    const TResultado r = Locar(d, e, p, loc);
    EXPECT_DOUBLE_EQ(loc.AreaPixel, 0.01f * 1000.0 * (0.01f * 1000.0));
    EXPECT_DOUBLE_EQ(loc.FatorUnidade, 1000);
    ASSERT_FALSE(r.Tabela.empty());
    double km = 0;
    const auto& pts = r.Linhas[0].Pontos;
    for (std::size_t i = 1; i < pts.size(); ++i)
        km += std::hypot(static_cast<double>(pts[i].X) - pts[i - 1].X, static_cast<double>(pts[i].Y) - pts[i - 1].Y);
    EXPECT_NEAR(r.Tabela[0].Comprimento, km * 1000, 1e-6);
    EXPECT_NEAR(r.Tabela[0].Comprimento, 2 * std::numbers::pi * 50, 2); // 5 cells of 10 m
}

TEST(Locar, EntradasRecusadasDeixamOProjetoComoEstava)
{
    TempDir d;
    const TImgElevacao e = Cone();
    GravarRas(d / "elev.ras", e);
    GravarRas(d / "decl.ras", DeclividadeDe(e));
    GravarRas(d / "pequena.ras", DeclividadeDe(Relevo(10, 10, [](int, int) { return 1.0; })));
    GravarRas(d / "semdados.ras", Relevo<TImgDeclive>(61, 61, [](int, int) { return 0.0; }));
    gis::TMemoryRaster inteira;
    inteira.DefinirTipo('I');
    inteira.Colunas = inteira.Linhas = 2;
    inteira.XMax = inteira.YMax = 2;
    inteira.Unidade = "m";
    inteira.AlocarCelulas();
    inteira.GravarRaster(d / "inteira.ras");

    struct Caso {
        fs::path Elev, Decl, Saida;
        double EV;
        const char* Trecho;
    };
    const Caso casos[] = {
        {d / "inteira.ras", d / "decl.ras", d / "s.vet", 1, "não é do tipo real"},
        {d / "elev.ras", d / "inteira.ras", d / "s.vet", 1, "não é do tipo real"},
        {d / "elev.ras", d / "pequena.ras", d / "s.vet", 1, "mesmo número de linhas e colunas"},
        {d / "elev.ras", d / "semdados.ras", d / "s.vet", 1, "não tem células com dados"},
        {d / "elev.ras", d / "decl.ras", "", 1, "arquivo de saída"},
        {d / "elev.ras", d / "decl.ras", d / "s.vet", 0, "maior que zero"},
    };
    for (const Caso& c : casos) {
        TProjetoTeste p;
        p.Arbitrar(c.EV);
        p.Terreno.SetSt(0.07);
        TLocacaoNivel loc;
        try {
            loc.Locar(c.Elev, c.Decl, p.Chuva, p.Terreno, p.Terracos, c.Saida);
            ADD_FAILURE() << c.Trecho;
        } catch (const Exception& ex) {
            EXPECT_NE(std::string(ex.what()).find(c.Trecho), std::string::npos) << ex.what();
        }
        EXPECT_DOUBLE_EQ(p.Terreno.St, 0.07);
        EXPECT_DOUBLE_EQ(p.Terracos.Espacamento.EV, c.EV);
        EXPECT_DOUBLE_EQ(p.Terracos.Espacamento.EH, 0);
        EXPECT_FALSE(fs::exists(d / "s.vet"));
    }
    TProjetoTeste p;
    TLocacaoNivel loc;
    EXPECT_THROW(loc.Locar(d / "nao-existe.ras", d / "decl.ras", p.Chuva, p.Terreno, p.Terracos, d / "s.vet"),
                 gis::EArquivoGis);
}

// The scans confined to the land a step touched give the layout of the
// scans of the whole image, byte for byte.
TEST(Locar, VarreduraDaRegiaoIgualAVarreduraCompleta)
{
    for (const TImgElevacao& e : {Cone(), MorroEBaixada()}) {
        TResultado r[2];
        for (int completa = 0; completa < 2; ++completa) {
            TempDir d;
            TProjetoTeste p;
            p.Terracos.Espacamento.Metodologia.IndMetodologia = 1;
            TLocacaoNivel loc;
            loc.VarreduraCompleta = completa == 1;
            r[completa] = Locar(d, e, p, loc);
        }
        EXPECT_FALSE(r[0].Tabela.empty());
        EXPECT_EQ(r[0].BytesVet, r[1].BytesVet);
        EXPECT_EQ(r[0].BytesBdt, r[1].BytesBdt);
    }
}

TEST(LocacaoNivel, SecaoDoProjeto)
{
    TempDir d;
    TLocacaoNivel a;
    a.fnImgElev = "C:\\Bacias\\Elevação.ras";
    a.fnImgDecli = "decl.ras";
    a.fnVetSaida = "terraços.vet";
    a.AlturaArbitrada = 0.6;
    a.DeclividadeMedia = 12.5;
    a.Gravar(d / "p.vst");
    TLocacaoNivel b;
    b.Ler(d / "p.vst");
    EXPECT_DOUBLE_EQ(b.AlturaArbitrada, 0.6);
    EXPECT_DOUBLE_EQ(b.DeclividadeMedia, 12.5);
    EXPECT_EQ(b.fnImgElev, a.fnImgElev);
    EXPECT_EQ(b.fnImgDecli, "decl.ras");
    EXPECT_EQ(b.fnVetSaida, a.fnVetSaida);
    const TLocacaoNivel c = b;
    EXPECT_EQ(c.fnVetSaida, a.fnVetSaida);
    b.Zerar();
    EXPECT_TRUE(b.fnImgElev.empty());
    EXPECT_EQ(b.Progresso.load(), 0);
    EXPECT_TRUE(b.Mensagem().empty());
}

// ---------------------------------------------------------------------------
// The example watershed of examples/locacao.

const fs::path kExemplo = fs::path(VASTREL_SOURCE_DIR) / "examples" / "locacao";

struct TExemplo {
    TProjeto Projeto;
    TImgElevacao Elevacao;
    TLocacaoNivel Loc;
};

TResultado LocarExemplo(TempDir& d, TExemplo& x, bool completa)
{
    x.Projeto.Ler(kExemplo / "locacao-hugo.vst");
    x.Elevacao.Carregar(kExemplo / x.Projeto.Locacao.fnImgElev);
    x.Loc.VarreduraCompleta = completa;
    x.Loc.Locar(kExemplo / x.Projeto.Locacao.fnImgElev, kExemplo / x.Projeto.Locacao.fnImgDecli,
                x.Projeto.Chuva(), x.Projeto.Terreno, x.Projeto.TerracosNivel, d / "terracos.vet");
    return Ler(d / "terracos.vet");
}

bool SegmentosCruzam(double ax, double ay, double bx, double by, double cx, double cy, double dx, double dy)
{
    const double d1x = bx - ax, d1y = by - ay, d2x = dx - cx, d2y = dy - cy;
    const double den = d1x * d2y - d1y * d2x;
    if (den == 0)
        return false;
    const double t = ((cx - ax) * d2y - (cy - ay) * d2x) / den;
    const double u = ((cx - ax) * d1y - (cy - ay) * d1x) / den;
    return t >= 0 && t <= 1 && u >= 0 && u <= 1;
}

TEST(LocarExemplo, LinhasNoNivelSemCruzamentos)
{
    TempDir d;
    TExemplo ex;
    const TResultado r = LocarExemplo(d, ex, false);
    VerificarNumeracao(r);
    ASSERT_GE(r.Tabela.size(), 10u);
    const TImgElevacao& e = ex.Elevacao;
    const double topo = e.YMin + static_cast<double>(e.ResY) * e.Linhas();

    // Every vertex on its level: linearly along the cell edge it lies on
    // within 1 cm; a vertex on a cell centre on a cell the level passes by.
    struct TSegmento {
        int Linha;
        double x0, y0, x1, y1;
    };
    std::vector<TSegmento> segmentos;
    for (std::size_t i = 0; i < r.Linhas.size(); ++i) {
        const double cota = r.Tabela[i].Cota;
        double xa = 0, ya = 0;
        for (std::size_t k = 0; k < r.Linhas[i].Pontos.size(); ++k) {
            const TPonto& q = r.Linhas[i].Pontos[k];
            // (column, row) from 1; the map puts cell k's centre at k − ½.
            const double x = (q.X - e.XMin) / e.ResX + 0.5, y = (topo - q.Y) / e.ResY + 0.5;
            const double cx = std::round(x), cy = std::round(y);
            const bool colInteira = std::fabs(x - cx) < 1e-3, linInteira = std::fabs(y - cy) < 1e-3;
            const int c = static_cast<int>(cx), l = static_cast<int>(cy);
            if (colInteira && linInteira) {
                double passo = 0;
                for (int dl = -1; dl <= 1; ++dl)
                    for (int dc = -1; dc <= 1; ++dc)
                        if (e.GetValor(l + dl, c + dc) != 0)
                            passo = std::max(passo, std::fabs(static_cast<double>(e.GetValor(l + dl, c + dc)) - e.GetValor(l, c)));
                EXPECT_LE(std::fabs(e.GetValor(l, c) - cota), passo + 0.01);
            } else if (colInteira) {
                const int l0 = static_cast<int>(std::floor(y));
                const double t = y - l0;
                EXPECT_NEAR(e.GetValor(l0, c) * (1 - t) + e.GetValor(l0 + 1, c) * t, cota, 0.01)
                    << "linha " << i + 1 << " vértice " << k;
            } else {
                ASSERT_TRUE(linInteira);
                const int c0 = static_cast<int>(std::floor(x));
                const double t = x - c0;
                EXPECT_NEAR(e.GetValor(l, c0) * (1 - t) + e.GetValor(l, c0 + 1) * t, cota, 0.01)
                    << "linha " << i + 1 << " vértice " << k;
            }
            if (k > 0)
                segmentos.push_back({static_cast<int>(i + 1), xa, ya, x, y});
            xa = x;
            ya = y;
        }
    }

    // No two lines cross: segments sorted into 4-cell buckets.
    std::map<std::pair<int, int>, std::vector<std::size_t>> baldes;
    for (std::size_t s = 0; s < segmentos.size(); ++s) {
        const TSegmento& g = segmentos[s];
        for (int bx = static_cast<int>(std::min(g.x0, g.x1)) / 4; bx <= static_cast<int>(std::max(g.x0, g.x1)) / 4; ++bx)
            for (int by = static_cast<int>(std::min(g.y0, g.y1)) / 4; by <= static_cast<int>(std::max(g.y0, g.y1)) / 4;
                 ++by)
                baldes[{bx, by}].push_back(s);
    }
    std::set<std::pair<int, int>> cruzamentos;
    for (const auto& [balde, lista] : baldes)
        for (std::size_t i = 0; i < lista.size(); ++i)
            for (std::size_t j = i + 1; j < lista.size(); ++j) {
                const TSegmento &a = segmentos[lista[i]], &b = segmentos[lista[j]];
                if (a.Linha != b.Linha && SegmentosCruzam(a.x0, a.y0, a.x1, a.y1, b.x0, b.y0, b.x1, b.y1))
                    cruzamentos.insert({a.Linha, b.Linha});
            }
    EXPECT_TRUE(cruzamentos.empty()) << "linhas " << cruzamentos.begin()->first << " e "
                                     << cruzamentos.begin()->second << " se cruzam";

    // One strip's area per terrace: none drains most of the catchment.
    double soma = 0;
    for (const TRegTerr& t : r.Tabela) {
        EXPECT_LT(t.AreaInfluencia, 0.15 * ex.Loc.AreaBacia * 10000);
        soma += t.AreaInfluencia;
    }
    EXPECT_GT(soma, 0.5 * ex.Loc.AreaBacia * 10000);
}

TEST(LocarExemplo, VarreduraDaRegiaoIgualAVarreduraCompleta)
{
    TempDir d1, d2;
    TExemplo a, b;
    const TResultado ra = LocarExemplo(d1, a, false);
    const TResultado rb = LocarExemplo(d2, b, true);
    EXPECT_EQ(ra.BytesVet, rb.BytesVet);
    EXPECT_EQ(ra.BytesBdt, rb.BytesBdt);
}

} // namespace

TEST(Locar, AlturaArbitradaEhDaLocacaoEmMetros)
{
    TempDir d;
    TProjetoTeste p;
    p.Terracos.Espacamento.Metodologia.IndMetodologia = kMetodoAlturaArbitrada;
    p.Terracos.SetHr(48.4); // the dimensioning's recommended height, cm
    TLocacaoNivel loc;
    loc.AlturaArbitrada = 0.3;
    const TResultado r = Locar(d, Cone(), p, loc);
    ASSERT_GE(r.Tabela.size(), 2u);
    for (const TRegTerr& t : r.Tabela) {
        if (t.AreaInfluencia > 0) {
            EXPECT_DOUBLE_EQ(t.Altura, 0.3);
        }
    }
    // The spacing is the one whose runoff fills a 0.3 m terrace.
    TEspacamento esp;
    esp.CalculaPorAltura(p.Terreno.CalculaLES(p.Chuva), 0.213, 1.2, 0.3, r.Tabela[0].DeclividadeMedia / 100);
    EXPECT_NEAR(r.Tabela[0].EV, esp.EV, 1e-9);
    EXPECT_DOUBLE_EQ(p.Terracos.Hr, 48.4);
}

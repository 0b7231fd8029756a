#include "gis/Declividade.h"
#include "gis/Filtro.h"
#include "gis/Gdal.h"
#include "gis/ImportExport.h"

#include "GisTeste.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

namespace vastrel::gis {
namespace {

using test::TempDir;
using namespace test::gis;

std::vector<float> Declividade(const TempDir& dir, const TRasTeste& t)
{
    GravarRas(dir / "elev.ras", t);
    CalcularMapaDeclividade(dir / "elev.ras", dir / "decl.ras", "teste");
    return CelulasReais(dir / "decl.ras");
}

TEST(Declividade, InclinedPlaneGivesItsSlopeInEveryCellEdgesIncluded)
{
    TempDir dir;
    // 1 m up for every 10 m eastwards on 10 m cells: 10 %.
    for (const float v : Declividade(dir, Plano(6, 5, 10, 100, 1, 0)))
        EXPECT_FLOAT_EQ(v, 10.0f);
    // 1 m up per row on cells 10 m wide and 20 m tall: 5 %.
    TRasTeste norte = Plano(4, 6, 10, 50, 0, 1);
    norte.ymax = 120;
    for (const float v : Declividade(dir, norte))
        EXPECT_FLOAT_EQ(v, 5.0f);
    TMemoryRaster r;
    ASSERT_TRUE(r.CarregarRaster(dir / "decl.ras"));
    EXPECT_EQ(r.TipoCelula, 'R');
    EXPECT_EQ(r.Titulo, "teste");
    EXPECT_EQ(r.Colunas, 4);
    EXPECT_EQ(r.YMax, 120.0f);
    EXPECT_EQ(r.Unidade, "M");
    EXPECT_FLOAT_EQ(r.ValorMin, 5.0f);
    EXPECT_FLOAT_EQ(r.ValorMax, 5.0f);
}

TEST(Declividade, FlatImageGivesZero)
{
    TempDir dir;
    for (const float v : Declividade(dir, Plano(5, 5, 30, 700, 0, 0)))
        EXPECT_EQ(v, 0.0f);
    TMemoryRaster r;
    ASSERT_TRUE(r.CarregarRaster(dir / "decl.ras"));
    EXPECT_EQ(r.ValorMin, 0.0f);
    EXPECT_EQ(r.ValorMax, 0.0f);
}

TEST(Declividade, CellsWithoutDataNeitherGetNorGiveASlope)
{
    TempDir dir;
    TRasTeste t = Plano(5, 5, 10, 0, 0, 0);
    auto z = [&](int l, int c) -> float& { return t.celulas[static_cast<std::size_t>(l * 5 + c)]; };
    z(1, 1) = 100;             // isolated: 0
    z(3, 3) = 50;              // its one neighbour 3 m lower to the east...
    z(3, 4) = 47;              // ...gives 30 % to both
    const auto d = Declividade(dir, t);
    auto s = [&](int l, int c) { return d[static_cast<std::size_t>(l * 5 + c)]; };
    EXPECT_EQ(s(1, 1), 0.0f);
    EXPECT_EQ(s(0, 0), 0.0f); // a zero cell, whatever its neighbours
    EXPECT_EQ(s(2, 2), 0.0f);
    EXPECT_FLOAT_EQ(s(3, 3), 30.0f);
    EXPECT_FLOAT_EQ(s(3, 4), 30.0f);
}

TEST(Declividade, KilometresGiveSlopesAThousandTimesSmaller)
{
    TempDir dir;
    TRasTeste t = Plano(5, 4, 10, 100, 1.5f, -0.5f);
    t.celulas[7] = 140;
    const auto m = Declividade(dir, t);
    t.unidade = "km";
    const auto km = Declividade(dir, t);
    ASSERT_EQ(m.size(), km.size());
    for (std::size_t i = 0; i < m.size(); ++i)
        EXPECT_NEAR(km[i] * 1000, m[i], m[i] * 1e-5);
}

TEST(Declividade, ImagesOfOneRowOrOneColumnHaveADefinedSlope)
{
    TempDir dir;
    for (const float v : Declividade(dir, Plano(7, 1, 10, 100, 2, 0)))
        EXPECT_FLOAT_EQ(v, 20.0f);
    for (const float v : Declividade(dir, Plano(1, 7, 10, 100, 0, 3)))
        EXPECT_FLOAT_EQ(v, 30.0f);
    EXPECT_EQ(Declividade(dir, Plano(1, 1, 10, 100, 0, 0)), (std::vector<float>{0.0f}));
}

TEST(Declividade, ImagesWiderThanFiveThousandColumnsWork)
{
    TempDir dir;
    const auto d = Declividade(dir, Plano(6001, 3, 10, 100, 0.5f, 0));
    ASSERT_EQ(d.size(), 18003u);
    EXPECT_FLOAT_EQ(d.front(), 5.0f);
    EXPECT_FLOAT_EQ(d.back(), 5.0f);
}

TEST(Declividade, UnitsCellTypesAndExtentsTheMapCannotTakeAreRefused)
{
    TempDir dir;
    TRasTeste t = Plano(3, 3, 10, 100, 1, 0);
    t.unidade = "ft";
    GravarRas(dir / "pes.ras", t);
    try {
        CalcularMapaDeclividade(dir / "pes.ras", dir / "saida.ras", "");
        ADD_FAILURE();
    } catch (const EEscolhaGis& e) {
        EXPECT_STREQ(e.what(), kMsgUnidadeInvalida);
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "saida.ras"));

    // An integer image with an unknown unit is taken in metres.
    t.tipo = 'I';
    GravarRas(dir / "pes-int.ras", t);
    CalcularMapaDeclividade(dir / "pes-int.ras", dir / "saida.ras", "");
    EXPECT_FLOAT_EQ(CelulasReais(dir / "saida.ras")[4], 10.0f);
    std::filesystem::remove(dir / "saida.ras");

    t.tipo = 'B';
    t.unidade = "m";
    GravarRas(dir / "byte.ras", t);
    try {
        CalcularMapaDeclividade(dir / "byte.ras", dir / "saida.ras", "");
        ADD_FAILURE();
    } catch (const EEscolhaGis& e) {
        EXPECT_STREQ(e.what(), kMsgTipoByte);
    }

    TRasTeste plana = Plano(3, 3, 10, 100, 1, 0);
    plana.xmax = plana.xmin; // no width: no cell size
    GravarRas(dir / "sem-largura.ras", plana);
    EXPECT_THROW(CalcularMapaDeclividade(dir / "sem-largura.ras", dir / "saida.ras", ""), EEscolhaGis);

    TRasTeste nan = Plano(3, 3, 10, 100, 1, 0);
    nan.celulas[4] = std::nanf("");
    GravarRas(dir / "nan.ras", nan);
    EXPECT_THROW(CalcularMapaDeclividade(dir / "nan.ras", dir / "saida.ras", ""), EArquivoGis);
    EXPECT_FALSE(std::filesystem::exists(dir / "saida.ras"));

    try {
        CalcularMapaDeclividade(dir / "nao-existe.ras", dir / "saida.ras", "");
        ADD_FAILURE();
    } catch (const EEscolhaGis& e) {
        EXPECT_STREQ(e.what(), kMsgEntradaInvalida);
        EXPECT_EQ(e.Campo, TCampoGis::Entrada);
    }
    try {
        CalcularMapaDeclividade(dir / "byte.ras", "", "");
        ADD_FAILURE();
    } catch (const EEscolhaGis& e) {
        EXPECT_STREQ(e.what(), kMsgSaidaInvalida);
        EXPECT_EQ(e.Campo, TCampoGis::Saida);
    }
}

TEST(Declividade, ProgressRunsToTheEndAndTheStopFlagWritesNothing)
{
    TempDir dir;
    GravarRas(dir / "elev.ras", Plano(20, 30000, 10, 100, 1, 0));
    std::vector<double> fracoes;
    TProgressoGis p;
    p.Progresso = [&](double f, const std::string&) { fracoes.push_back(f); };
    DecTipoSingle dec;
    dec.CalcularDeclividade(dir / "elev.ras", dir / "decl.ras", "", p);
    ASSERT_GE(fracoes.size(), 2u);
    EXPECT_TRUE(std::is_sorted(fracoes.begin(), fracoes.end()));
    EXPECT_EQ(fracoes.back(), 1.0);
    std::filesystem::remove(dir / "decl.ras");

    // A second run asked from inside the first (a button pressed while
    // pending events run) is refused; the stop flag then ends the first.
    std::atomic<bool> parar{false};
    bool recusado = false;
    p.Parar = &parar;
    p.Progresso = [&](double, const std::string&) {
        try {
            dec.CalcularDeclividade(dir / "elev.ras", dir / "outra.ras", "", {});
        } catch (const EProcessoEmAndamento&) {
            recusado = true;
        }
        parar = true;
    };
    EXPECT_THROW(dec.CalcularDeclividade(dir / "elev.ras", dir / "decl.ras", "", p), EProcessoInterrompido);
    EXPECT_TRUE(recusado);
    EXPECT_FALSE(dec.Executando());
    EXPECT_FALSE(std::filesystem::exists(dir / "decl.ras"));
    EXPECT_FALSE(std::filesystem::exists(dir / "outra.ras"));
}

// An independent computation of the same slope on a real DEM: every
// neighbour inside the image divided separately, in the order the method
// is written, compared cell by cell with the program's map.
TEST(Declividade, RealElevationModelAgreesWithADirectComputation)
{
    TempDir dir;
    const std::filesystem::path fonte =
        std::filesystem::path(VASTREL_SOURCE_DIR) / "data/fontes/relevo/srtm-bigtujunga-400.img";
    ImportarRasterIdrisi(fonte, dir / "elev.ras", "SRTM");
    CalcularMapaDeclividade(dir / "elev.ras", dir / "decl.ras", "");

    TMemoryRaster e;
    ASSERT_TRUE(e.CarregarRaster(dir / "elev.ras"));
    ASSERT_EQ(e.TipoCelula, 'I');
    const int C = e.Colunas, L = e.Linhas;
    const float dx = (e.XMax - e.XMin) / static_cast<float>(C);
    const float dy = (e.YMax - e.YMin) / static_cast<float>(L);
    const float dd = std::sqrt(dx * dx + dy * dy);
    EXPECT_NEAR(dx, 30.0f, 1e-3f);

    const auto d = CelulasReais(dir / "decl.ras");
    ASSERT_EQ(d.size(), static_cast<std::size_t>(C * L));
    float maior = 0;
    for (int l = 0; l < L; ++l) {
        for (int c = 0; c < C; ++c) {
            const float z = e.LerCelulaInteira(l * C + c);
            float s = 0;
            for (int i = -1; i <= 1; ++i) {
                for (int j = -1; j <= 1; ++j) {
                    if ((i == 0 && j == 0) || l + i < 0 || l + i >= L || c + j < 0 || c + j >= C)
                        continue;
                    const float zn = e.LerCelulaInteira((l + i) * C + c + j);
                    if (zn == 0)
                        continue;
                    const float dist = i == 0 ? dx : j == 0 ? dy : dd;
                    s = std::max(s, std::fabs(zn - z) / dist);
                }
            }
            const float esperado = z == 0 ? 0.0f : s * 100;
            ASSERT_EQ(d[static_cast<std::size_t>(l * C + c)], esperado) << l << ", " << c;
            maior = std::max(maior, esperado);
        }
    }
    TMemoryRaster r;
    ASSERT_TRUE(r.CarregarRaster(dir / "decl.ras"));
    EXPECT_EQ(r.ValorMax, maior);
    EXPECT_GT(maior, 50.0f); // steep mountains

    // The same map computed over the loaded image.
    const TMemoryRaster m = MapaDeclividade(e, EspacamentoGrade(e, 1.0), "", {});
    for (std::int64_t k = 0; k < m.NumCelulas(); ++k)
        ASSERT_EQ(m.LerCelulaReal(k), d[static_cast<std::size_t>(k)]) << k;
    EXPECT_EQ(m.ValorMax, maior);
}

// Derived rasters lie on the ground of their source: they carry its
// coordinate system sidecar, and never keep a stale one of their own.
TEST(Declividade, SlopeMapAndFilterCarryTheCoordinateSystemOfTheirSource)
{
    TempDir dir;
    GravarRas(dir / "elev.ras", Plano(5, 5, 10, 100, 1, 0));
    const std::string wkt = "PROJCS[\"SIRGAS 2000 / UTM zone 23S\"]";
    {
        std::ofstream(dir / "elev.prj") << wkt;
    }
    CalcularMapaDeclividade(dir / "elev.ras", dir / "decl.ras", "");
    FiltrarImagem(dir / "elev.ras", dir / "filtrada.ras", "", 1);
    EXPECT_EQ(LerSistemaCoordenadas(dir / "decl.ras"), wkt);
    EXPECT_EQ(LerSistemaCoordenadas(dir / "filtrada.ras"), wkt);

    std::filesystem::remove(dir / "elev.prj");
    CalcularMapaDeclividade(dir / "elev.ras", dir / "decl.ras", "");
    EXPECT_FALSE(std::filesystem::exists(dir / "decl.prj"));
}

} // namespace
} // namespace vastrel::gis

#include "location/Pixel.h"

#include "gis/ErrosGis.h"
#include "gis/MemoryRaster.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace vastrel;
using vastrel::test::ReadBytes;
using vastrel::test::TempDir;
using vastrel::test::WriteBytes;

namespace {

// A 3-column, 2-row raster with X 100..130 and Y 50..70, cells 1..6.
void GravarPequeno(const std::filesystem::path& p, char tipo = 'R', const std::string& unidade = "km")
{
    gis::TMemoryRaster r;
    r.DefinirTipo(tipo);
    r.Colunas = 3;
    r.Linhas = 2;
    r.XMin = 100;
    r.XMax = 130;
    r.YMin = 50;
    r.YMax = 70;
    r.Unidade = unidade;
    r.ValorMin = 1;
    r.ValorMax = 6;
    r.AlocarCelulas();
    if (tipo == 'R')
        for (int k = 0; k < 6; ++k)
            r.GravarCelulaReal(k, static_cast<float>(k + 1));
    r.GravarRaster(p);
}

TEST(MatrixSingle, CarregaCabecalhoECelulas)
{
    TempDir d;
    GravarPequeno(d / "a.ras");
    TMatrixSingle m;
    ASSERT_TRUE(m.Carregar(d / "a.ras"));
    EXPECT_EQ(m.Colunas(), 3);
    EXPECT_EQ(m.Linhas(), 2);
    EXPECT_FLOAT_EQ(m.ResX, 10);
    EXPECT_FLOAT_EQ(m.ResY, 10);
    EXPECT_FLOAT_EQ(m.XMin, 100);
    EXPECT_FLOAT_EQ(m.YMin, 50);
    EXPECT_EQ(m.GetUnidade(), "km"); // accepted in any case, kept as written
    EXPECT_FLOAT_EQ(m.GetValor(1, 1), 1);
    EXPECT_FLOAT_EQ(m.GetValor(2, 3), 6);
    EXPECT_FLOAT_EQ(m.ValorMax, 6);
    // Outside the image a cell reads as "no data".
    EXPECT_EQ(m.GetValor(0, 1), 0);
    EXPECT_EQ(m.GetValor(3, 1), 0);
    EXPECT_EQ(m.GetValor(1, 4), 0);
}

TEST(MatrixSingle, ArquivosRecusados)
{
    TempDir d;
    // Not real: no error, no cells.
    GravarPequeno(d / "i.ras", 'I');
    TMatrixSingle inteira;
    EXPECT_FALSE(inteira.Carregar(d / "i.ras"));
    EXPECT_EQ(inteira.Linhas(), 0);
    EXPECT_EQ(inteira.Colunas(), 0);

    // Version 2: EVersion, nothing read.
    GravarPequeno(d / "v.ras");
    std::string b = ReadBytes(d / "v.ras");
    b[0] = 2;
    WriteBytes(d / "v.ras", b);
    TMatrixSingle versao;
    try {
        versao.Carregar(d / "v.ras");
        FAIL();
    } catch (const EVersion& e) {
        EXPECT_STREQ(e.what(), "A Versao deste arquivo é inválida");
    }
    EXPECT_EQ(versao.Linhas(), 0);

    GravarPequeno(d / "u.ras", 'R', "Metros");
    TMatrixSingle unidade;
    try {
        unidade.Carregar(d / "u.ras");
        FAIL();
    } catch (const EUnitDist& e) {
        EXPECT_STREQ(e.what(), "Unidade de distância inválida.");
    }

    // Missing or cut short: the file error of the raster files.
    TMatrixSingle faltando;
    EXPECT_THROW(faltando.Carregar(d / "nao-existe.ras"), gis::EArquivoGis);
    GravarPequeno(d / "a.ras");
    WriteBytes(d / "curto.ras", ReadBytes(d / "a.ras").substr(0, 560));
    EXPECT_THROW(faltando.Carregar(d / "curto.ras"), gis::EArquivoGis);

    // A cell that is not a number would poison every comparison.
    gis::TMemoryRaster r;
    r.Colunas = 2;
    r.Linhas = 1;
    r.XMax = 2;
    r.YMax = 1;
    r.Unidade = "m";
    r.AlocarCelulas();
    r.GravarCelulaReal(0, 1);
    r.GravarCelulaReal(1, std::numeric_limits<float>::quiet_NaN());
    r.GravarRaster(d / "nan.ras");
    TMatrixSingle nan;
    EXPECT_THROW(nan.Carregar(d / "nan.ras"), Exception);
}

TEST(Matrix, RedimensionaMantendoCelulas)
{
    TMatrixSingle m;
    m.SetColunas(2);
    m.SetLinhas(2);
    m.SetValor(1, 1, 1);
    m.SetValor(1, 2, 2);
    m.SetValor(2, 1, 3);
    m.SetValor(2, 2, 4);
    m.SetColunas(4);
    EXPECT_EQ(m.GetValor(1, 1), 1);
    EXPECT_EQ(m.GetValor(1, 2), 2);
    EXPECT_EQ(m.GetValor(2, 1), 3);
    EXPECT_EQ(m.GetValor(2, 2), 4);
    EXPECT_EQ(m.GetValor(1, 3), 0);
    EXPECT_EQ(m.GetValor(2, 4), 0);

    m.SetLinhas(0);
    EXPECT_EQ(m.Linhas(), 0);
    EXPECT_TRUE(m.Celulas().empty());
    m.SetColunas(5); // no rows: only the width is recorded
    EXPECT_EQ(m.Colunas(), 5);
    m.SetLinhas(2);
    EXPECT_EQ(m.Celulas().size(), 10u);
    EXPECT_EQ(m.GetValor(2, 5), 0);

    // Writes outside the image are ignored.
    m.SetValor(3, 1, 9);
    m.SetValor(1, 6, 9);
    for (const auto v : m.Celulas())
        EXPECT_EQ(v, 0);
}

TEST(Matrix, VersaoEUnidade)
{
    TMatrixSingle m;
    EXPECT_EQ(m.GetUnidade(), "m");
    EXPECT_THROW(m.SetVersao(2), EVersion);
    m.SetUnidade("KM");
    EXPECT_EQ(m.GetUnidade(), "KM");
    EXPECT_THROW(m.SetUnidade("quilometro"), EUnitDist);
    EXPECT_EQ(m.GetUnidade(), "KM");
}

} // namespace

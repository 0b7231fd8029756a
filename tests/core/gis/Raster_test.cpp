#include "gis/FileRaster.h"
#include "gis/MemoryRaster.h"

#include "GisTeste.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vastrel::gis {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;
using namespace test::gis;

TEST(MemoryRaster, NewObjectHasTheDefaultsOfAnEmptyRealImage)
{
    const TMemoryRaster r;
    EXPECT_EQ(r.Versao, 1);
    EXPECT_EQ(r.TipoCelula, 'R');
    EXPECT_EQ(r.Titulo, "");
    EXPECT_EQ(r.Colunas, 0);
    EXPECT_TRUE(r.Buffer().empty());
}

TEST(MemoryRaster, FileSizeAndFirstCellDependOnTheCellType)
{
    TempDir dir;
    struct Caso {
        char tipo;
        std::size_t tamanho;
    };
    for (const Caso c : {Caso{'R', 544 + 24}, Caso{'I', 540 + 12}, Caso{'B', 538 + 6}}) {
        TMemoryRaster r;
        r.DefinirTipo(c.tipo);
        r.Colunas = 2;
        r.Linhas = 3;
        r.AlocarCelulas();
        r.GravarRaster(dir / "a.ras");
        EXPECT_EQ(ReadBytes(dir / "a.ras").size(), c.tamanho) << c.tipo;
    }
}

TEST(MemoryRaster, RasterBuiltCellByCellIsCompleteWithTheFirstCellAtByte544)
{
    TempDir dir;
    TMemoryRaster r;
    r.DefinirTipo('r');
    EXPECT_EQ(r.TipoCelula, 'R');
    r.Colunas = 2;
    r.Linhas = 3;
    for (int k = 0; k < 6; ++k)
        r.GravarCelulaReal(k, 10.5f + static_cast<float>(k));
    r.GravarRaster(dir / "a.ras");
    const std::string b = ReadBytes(dir / "a.ras");
    ASSERT_EQ(b.size(), 568u);
    EXPECT_EQ(LeF(b, 544), 10.5f);
    EXPECT_EQ(LeF(b, 564), 15.5f);
}

TEST(MemoryRaster, HeaderFieldsLieAtTheirOffsets)
{
    TempDir dir;
    TMemoryRaster r;
    r.Titulo = "Elevação da bacia";
    r.Colunas = 3;
    r.Linhas = 2;
    r.XMin = 100;
    r.XMax = 130;
    r.YMin = 50;
    r.YMax = 70;
    r.Unidade = "km";
    r.ValorMin = -1.5f;
    r.ValorMax = 2.5f;
    r.AlocarCelulas();
    r.GravarRaster(dir / "a.ras");
    const std::string b = ReadBytes(dir / "a.ras");
    EXPECT_EQ(b[0], 1);
    EXPECT_EQ(b[1], 'R');
    // Title in Windows-1252: "ç" and "ã" are one byte each.
    EXPECT_EQ(static_cast<unsigned char>(b[2]), 17u);
    EXPECT_EQ(b.substr(3, 17), "Eleva\xE7\xE3o da bacia");
    EXPECT_EQ(b[20], ' '); // padding
    EXPECT_EQ(Le32(b, 257), 3u);
    EXPECT_EQ(Le32(b, 261), 2u);
    EXPECT_EQ(LeF(b, 265), 100.0f);
    EXPECT_EQ(LeF(b, 277), 70.0f);
    EXPECT_EQ(b[281], 2);
    EXPECT_EQ(b.substr(282, 2), "km");
    EXPECT_EQ(LeF(b, 536), -1.5f);
    EXPECT_EQ(LeF(b, 540), 2.5f);

    TMemoryRaster lido;
    ASSERT_TRUE(lido.CarregarRaster(dir / "a.ras"));
    EXPECT_EQ(lido.Titulo, "Elevação da bacia");
    EXPECT_EQ(lido.Unidade, "km");
    EXPECT_EQ(lido.XMax, 130.0f);
    EXPECT_EQ(lido.ValorMax, 2.5f);
}

TEST(MemoryRaster, TitleIsCutTo254Characters)
{
    TempDir dir;
    TMemoryRaster r;
    r.Titulo = std::string(300, 'x');
    r.Colunas = r.Linhas = 1;
    r.AlocarCelulas();
    r.GravarRaster(dir / "a.ras");
    TMemoryRaster lido;
    ASSERT_TRUE(lido.CarregarRaster(dir / "a.ras"));
    EXPECT_EQ(lido.Titulo, std::string(254, 'x'));
}

TEST(MemoryRaster, CellsOfEachTypeAreReadFromHandMadeFiles)
{
    TempDir dir;
    TRasTeste i;
    i.tipo = 'I';
    i.colunas = 3;
    i.linhas = 1;
    i.celulas = {-7, 0, 32767};
    GravarRas(dir / "i.ras", i);
    TMemoryRaster ri;
    ASSERT_TRUE(ri.CarregarRaster(dir / "i.ras"));
    EXPECT_EQ(ri.TipoCelula, 'I');
    EXPECT_EQ(ri.LerCelulaInteira(0), -7);
    EXPECT_EQ(ri.LerCelulaInteira(2), 32767);
    float linha[3];
    ri.LerLinhaComoReal(0, linha);
    EXPECT_EQ(linha[0], -7.0f);

    TRasTeste b = i;
    b.tipo = 'B';
    b.celulas = {200, 1, 0};
    GravarRas(dir / "b.ras", b);
    TMemoryRaster rb;
    ASSERT_TRUE(rb.CarregarRaster(dir / "b.ras"));
    EXPECT_EQ(rb.LerCelulaByte(0), 200);
    EXPECT_EQ(rb.LerCelulaByte(1), 1);
}

TEST(MemoryRaster, IndicesOutsideTheImageReadZeroAndAreNotWritten)
{
    TMemoryRaster r;
    r.Colunas = 2;
    r.Linhas = 2;
    r.AlocarCelulas();
    for (int k = 0; k < 4; ++k)
        r.GravarCelulaReal(k, 5);
    const auto tamanho = r.Buffer().size();
    r.GravarCelulaReal(4, 9);
    r.GravarCelulaReal(-1, 9);
    EXPECT_EQ(r.Buffer().size(), tamanho);
    EXPECT_EQ(r.LerCelulaReal(4), 0.0f);
    EXPECT_EQ(r.LerCelulaReal(-1), 0.0f);
    EXPECT_EQ(r.LerCelulaInteira(100), 0);
    EXPECT_EQ(r.LerCelulaByte(-3), 0);
    EXPECT_EQ(r.LerCelulaReal(3), 5.0f);
}

TEST(MemoryRaster, MissingFileChangesNothing)
{
    TempDir dir;
    TMemoryRaster r;
    r.Colunas = 7;
    EXPECT_FALSE(r.CarregarRaster(dir / "nao-existe.ras"));
    EXPECT_EQ(r.Colunas, 7);
    r.GravarRaster(""); // an empty name writes nothing
}

// Files that are not rasters of this format are refused with a message,
// by both classes, without touching the object.
TEST(MemoryRaster, BadFilesAreRefusedWithAMessage)
{
    TempDir dir;
    TRasTeste base;
    base.colunas = 2;
    base.linhas = 2;
    base.celulas = {1, 2, 3, 4};
    const std::string bom = BytesRas(base);

    struct Caso {
        const char* nome;
        std::string bytes;
        const char* trecho;
    };
    std::vector<Caso> casos;
    casos.push_back({"vazio", "", "cabeçalho incompleto"});
    casos.push_back({"cabecalho", bom.substr(0, 300), "cabeçalho incompleto"});
    casos.push_back({"truncado", bom.substr(0, bom.size() - 1), "não corresponde"});
    casos.push_back({"sobra", bom + "xxxx", "não corresponde"});
    std::string versao = bom;
    versao[0] = 2;
    casos.push_back({"versao", versao, "versão 2"});
    std::string tipo = bom;
    tipo[1] = 'X';
    casos.push_back({"tipo", tipo, "tipo de célula desconhecido"});
    std::string negativo = bom;
    Poe32(negativo, 257, static_cast<std::uint32_t>(-2));
    casos.push_back({"negativo", negativo, "dimensões impossíveis"});
    std::string enorme = bom;
    Poe32(enorme, 257, 0x7fffffff);
    Poe32(enorme, 261, 0x7fffffff);
    casos.push_back({"enorme", enorme, "não corresponde"});

    for (const Caso& c : casos) {
        const auto p = dir / (std::string(c.nome) + ".ras");
        WriteBytes(p, c.bytes);
        TMemoryRaster m;
        m.Colunas = 9;
        try {
            m.CarregarRaster(p);
            ADD_FAILURE() << c.nome << " aceito";
        } catch (const EArquivoGis& e) {
            EXPECT_NE(std::string(e.what()).find(c.trecho), std::string::npos) << c.nome << ": " << e.what();
            EXPECT_NE(std::string(e.what()).find(p.filename().string()), std::string::npos);
        }
        EXPECT_EQ(m.Colunas, 9);
        TFileRaster f;
        EXPECT_THROW(f.AbrirRaster(p), EArquivoGis) << c.nome;
        EXPECT_FALSE(f.Aberto());
    }
}

TEST(FileRaster, BlockCopiesMoveTheCellAreaByteForByte)
{
    TempDir dir;
    for (const char tipo : {'R', 'I', 'B'}) {
        TFileRaster r;
        r.TipoCelula = tipo;
        r.Colunas = 3;
        r.Linhas = 2;
        r.CriarRaster(dir / "a.ras");
        const std::size_t w = tipo == 'R' ? 4 : tipo == 'I' ? 2 : 1;
        std::string celulas;
        for (std::size_t i = 0; i < 6 * w; ++i)
            celulas += static_cast<char>(i * 7 + 1);
        std::istringstream origem(celulas);
        if (tipo == 'R')
            r.GravarBlocoReal(0, origem);
        else if (tipo == 'I')
            r.GravarBlocoInteiro(0, origem);
        else
            r.GravarBlocoByte(0, origem);
        r.Fechar();
        EXPECT_EQ(ReadBytes(dir / "a.ras").substr(536 + 2 * w), celulas) << tipo;

        TFileRaster lido;
        ASSERT_TRUE(lido.AbrirRaster(dir / "a.ras"));
        std::ostringstream destino;
        if (tipo == 'R')
            lido.CopiarCelulasReais(destino);
        else if (tipo == 'I')
            lido.CopiarCelulasInteiras(destino);
        else
            lido.CopiarCelulasByte(destino);
        EXPECT_EQ(destino.str(), celulas) << tipo;
    }
}

TEST(FileRaster, RealCellsAreReadAndWrittenInPlaceWithinTheImage)
{
    TempDir dir;
    TRasTeste t = Plano(3, 2, 10, 1, 1, 10);
    GravarRas(dir / "a.ras", t);
    TFileRaster r;
    ASSERT_TRUE(r.AbrirRaster(dir / "a.ras"));
    EXPECT_EQ(r.LerCelulaReal(4), 12.0f);
    EXPECT_EQ(r.LerCelulaReal(6), 0.0f);
    EXPECT_EQ(r.LerCelulaReal(-1), 0.0f);
    r.GravarCelulaReal(5, -3.25f);
    r.GravarCelulaReal(6, 99); // outside: ignored
    r.Fechar();
    const auto celulas = CelulasReais(dir / "a.ras");
    ASSERT_EQ(celulas.size(), 6u);
    EXPECT_EQ(celulas[5], -3.25f);
    EXPECT_FALSE(TFileRaster().AbrirRaster(dir / "nao-existe.ras"));
}

} // namespace
} // namespace vastrel::gis

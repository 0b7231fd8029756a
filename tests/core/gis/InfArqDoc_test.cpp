#include "gis/ErrosGis.h"
#include "gis/InfArqDoc.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vastrel::gis {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

TEST(InfArqDoc, NumbersAreWrittenInTheFixedFormsOfTheFiles)
{
    struct Caso {
        double v;
        const char* cientifico;
        const char* fixo;
    };
    for (const Caso& c : {Caso{1, " 1.00000000000000E+0000", "1.00000000"},
                          Caso{0, " 0.00000000000000E+0000", "0.00000000"},
                          Caso{-0.0, " 0.00000000000000E+0000", "0.00000000"},
                          Caso{-2.5e-7, "-2.50000000000000E-0007", "-0.00000025"},
                          Caso{376313.655, " 3.76313655000000E+0005", "376313.65500000"},
                          Caso{1e100, " 1.00000000000000E+0100", nullptr}}) {
        EXPECT_EQ(NumeroCientifico(c.v), c.cientifico);
        EXPECT_EQ(NumeroCientifico(c.v).size(), 23u);
        if (c.fixo) {
            EXPECT_EQ(NumeroFixo8(c.v), c.fixo);
        }
    }
}

TEST(InfArqDoc, DataFileNameReplacesTheExtension)
{
    TInfArqDoc d;
    d.DefinirNomes("/dados/bacia.doc");
    EXPECT_EQ(d.NomeDoc, "/dados/bacia.doc");
    EXPECT_EQ(d.NomeImg, "/dados/bacia.IMG");
    d.DefinirNomes("");
    EXPECT_EQ(d.NomeDoc, "/dados/bacia.doc");
    TInfArqDocVet v;
    v.DefinirNomes("/dados/curvas.dvc");
    EXPECT_EQ(v.NomeVec, "/dados/curvas.VEC");
}

TEST(InfArqDoc, NewDocumentationIsWrittenLineByLineAndReadsBack)
{
    TempDir dir;
    const std::string caminho = (dir / "novo.doc").string();
    TInfArqDoc d;
    d.IniciarDocumentacao(caminho);
    d.GravarDocumentacao();
    EXPECT_EQ(ReadBytes(caminho), "file title  : Sem titulo.\r\n"
                                  "data type   : real\r\n"
                                  "file type   : binary\r\n"
                                  "columns     : 0\r\n"
                                  "rows        : 0\r\n"
                                  "ref. system : plane\r\n"
                                  "ref. units  : m\r\n"
                                  "unit dist.  :  1.00000000000000E+0000\r\n"
                                  "min. X      : 0.00000000\r\n"
                                  "max. X      : 1.00000000\r\n"
                                  "min. Y      : 0.00000000\r\n"
                                  "max. Y      : 1.00000000\r\n"
                                  "pos n error : unknown\r\n"
                                  "resolution  : unknown\r\n"
                                  "min. value  : 0.00000000\r\n"
                                  "max. value  : 1.00000000\r\n"
                                  "value units : unspecified\r\n"
                                  "value error : unknown\r\n"
                                  "flag value  : none\r\n"
                                  "flag def n  : none\r\n"
                                  "legend cats : 0\r\n");

    d.Titulo = "Elevação";
    d.Colunas = 400;
    d.Linhas = 300;
    d.XMin = 376313.655;
    d.YMax = -12.5;
    d.ValorMax = 2295;
    d.GravarDocumentacao();
    EXPECT_NE(ReadBytes(caminho).find("Eleva\xE7\xE3o"), std::string::npos); // Windows-1252 on disk

    TInfArqDoc l;
    ASSERT_TRUE(l.LerDocumentacao(caminho));
    EXPECT_EQ(l.Titulo, "Elevação");
    EXPECT_EQ(l.TipoDado, "real");
    EXPECT_EQ(l.Colunas, 400);
    EXPECT_EQ(l.Linhas, 300);
    EXPECT_EQ(l.DistUnidade, 1.0);
    EXPECT_DOUBLE_EQ(l.XMin, 376313.655);
    EXPECT_EQ(l.YMax, -12.5);
    EXPECT_EQ(l.ValorMax, 2295.0f);
    EXPECT_EQ(l.CategoriasLegenda, "0");
    EXPECT_EQ(l.NomeImg, caminho.substr(0, caminho.size() - 4) + ".IMG");
}

TEST(InfArqDoc, LabelsAreSkippedByWidthNotRead)
{
    TempDir dir;
    // Labels one character short: each value loses its first character,
    // and numbers after them are read from what is left.
    WriteBytes(dir / "a.doc", "file title : ABCD\n"
                              "data type  : real\n"
                              "file type  : binary\n"
                              "columns    : 12\n"
                              "rows       : 34\n"
                              "ref. system: plane\n"
                              "ref. units : m\n"
                              "unit dist. : 11.0\n"
                              "min. X     : 10\n"
                              "max. X     : 10\n"
                              "min. Y     : 10\n"
                              "max. Y     : 10\n"
                              "pos n error: unknown\n"
                              "resolution : unknown\n"
                              "min. value : 10\n"
                              "max. value : 10\n");
    TInfArqDoc d;
    ASSERT_TRUE(d.LerDocumentacao((dir / "a.doc").string()));
    EXPECT_EQ(d.Titulo, "BCD");
    EXPECT_EQ(d.TipoDado, "eal");
    EXPECT_EQ(d.Colunas, 2);
    EXPECT_EQ(d.Linhas, 4);
    EXPECT_EQ(d.DistUnidade, 1.0);
    EXPECT_EQ(d.XMin, 0.0);
    EXPECT_EQ(d.UnidadeValor, ""); // lines missing at the end read empty
}

TEST(InfArqDoc, MissingOrUnreadableFilesAreReported)
{
    TempDir dir;
    TInfArqDoc d;
    EXPECT_FALSE(d.LerDocumentacao(""));
    EXPECT_EQ(d.Mensagem(), "Nenhum nome de arquivo fornecido.");
    const std::string falta = (dir / "falta.doc").string();
    EXPECT_FALSE(d.LerDocumentacao(falta));
    EXPECT_FALSE(d.Ok);
    EXPECT_EQ(d.Mensagem(), "Arquivo " + falta + " nao existe.");
    TInfArqDocVet v;
    EXPECT_FALSE(v.LerDocumentacao(falta));
    EXPECT_EQ(v.Mensagem(), "Arquivo " + falta + " nao existe.");

    // A number that cannot be read names its line; a file cut before its
    // numbers too.
    WriteBytes(dir / "ruim.doc", "file title  : x\r\ndata type   : real\r\nfile type   : binary\r\n"
                                 "columns     : doze\r\n");
    try {
        d.LerDocumentacao((dir / "ruim.doc").string());
        ADD_FAILURE();
    } catch (const EArquivoGis& e) {
        EXPECT_NE(std::string(e.what()).find("linha 4"), std::string::npos) << e.what();
    }
    WriteBytes(dir / "curto.doc", "file title  : x\r\ndata type   : real\r\n");
    EXPECT_THROW(d.LerDocumentacao((dir / "curto.doc").string()), EArquivoGis);
}

TEST(InfArqDoc, DecimalCommaIsAcceptedOnReading)
{
    TempDir dir;
    TInfArqDocVet v;
    v.IniciarDocumentacao((dir / "a.dvc").string());
    v.GravarDocumentacao();
    std::string t = ReadBytes(dir / "a.dvc");
    t.replace(t.find("max. X      : 1.00000000"), 24, "max. X      : 2,5 metros");
    WriteBytes(dir / "a.dvc", t);
    TInfArqDocVet l;
    ASSERT_TRUE(l.LerDocumentacao((dir / "a.dvc").string()));
    EXPECT_EQ(l.XMax, 2.5);
    EXPECT_EQ(l.TipoObjeto, "line");
    EXPECT_EQ(l.Resolucao, "unknown");
}

} // namespace
} // namespace vastrel::gis

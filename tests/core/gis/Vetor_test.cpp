#include "gis/Vetor.h"

#include "GisTeste.h"

#include <gtest/gtest.h>

namespace vastrel::gis {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;
using namespace test::gis;

// Three lines of 2, 5 and 1 points.
TVetor TresLinhas()
{
    TVetor v;
    v.Titulo = "Terraços";
    v.Unidade = "M";
    v.IrParaInicio();
    int n = 0;
    for (std::int16_t linha = 1; linha <= 3; ++linha)
        for (int i = 0; i < (linha == 1 ? 2 : linha == 2 ? 5 : 1); ++i, ++n)
            v.GravarRegistro(linha, 100.0f + static_cast<float>(n), 200.0f - static_cast<float>(n),
                             10.0f * linha);
    return v;
}

TEST(Vetor, FileHoldsTheHeaderAndFourteenBytesPerPoint)
{
    TempDir dir;
    TVetor v = TresLinhas();
    v.GravarVetor(dir / "a.vet");
    const std::string b = ReadBytes(dir / "a.vet");
    ASSERT_EQ(b.size(), 639u);
    EXPECT_EQ(b[0], 1);
    EXPECT_EQ(static_cast<unsigned char>(b[1]), 8u); // "Terraços" in Windows-1252
    EXPECT_EQ(b[256], 1);
    EXPECT_EQ(b[257], 'M');
    EXPECT_EQ(LeF(b, 511), 100.0f); // XMin
    EXPECT_EQ(LeF(b, 515), 107.0f); // XMax
    EXPECT_EQ(LeF(b, 519), 193.0f); // YMin
    EXPECT_EQ(LeF(b, 523), 200.0f); // YMax
    // Third record: line 2, first point.
    EXPECT_EQ(b[527 + 28], 2);
    EXPECT_EQ(LeF(b, 527 + 28 + 2), 102.0f);
    EXPECT_EQ(LeF(b, 527 + 28 + 10), 20.0f);

    TVetor l;
    ASSERT_TRUE(l.CarregarVetor(dir / "a.vet"));
    EXPECT_EQ(l.NumRegistros(), 8);
    EXPECT_EQ(l.Titulo, "Terraços");
    EXPECT_EQ(l.RegistroAtual(), 0);
    // Lines are read as runs of one number; one record past a line is
    // stepped back so that it starts the next.
    std::vector<int> tamanhos;
    TRegistroVetor r;
    while (l.LerRegistro(r)) {
        const std::int16_t linha = r.NumLinha;
        int conta = 1;
        while (l.LerRegistro(r) && r.NumLinha == linha)
            ++conta;
        if (r.NumLinha != linha)
            l.IrParaRegistro(l.RegistroAtual() - 1);
        tamanhos.push_back(conta);
    }
    EXPECT_EQ(tamanhos, (std::vector<int>{2, 5, 1}));
    EXPECT_TRUE(l.FimDosRegistros());
}

TEST(Vetor, BoundsStartFromTheStoredMaximaAndFromTenMillion)
{
    TVetor negativos;
    negativos.IrParaInicio();
    negativos.GravarRegistro(1, -5, -8, 0);
    negativos.GravarRegistro(1, -2, -3, 0);
    negativos.CalcularLimites();
    EXPECT_EQ(negativos.XMin, -5.0f);
    EXPECT_EQ(negativos.XMax, 0.0f);
    EXPECT_EQ(negativos.YMin, -8.0f);
    EXPECT_EQ(negativos.YMax, 0.0f);

    TVetor distantes;
    distantes.IrParaInicio();
    distantes.GravarRegistro(1, 2.0e7f, 5, 0);
    distantes.CalcularLimites();
    EXPECT_EQ(distantes.XMin, 1.0e7f);
    EXPECT_EQ(distantes.XMax, 2.0e7f);
    EXPECT_EQ(distantes.YMin, 5.0f);
}

TEST(Vetor, BadFilesAreRefusedAndMissingOnesIgnored)
{
    TempDir dir;
    TVetor v = TresLinhas();
    v.GravarVetor(dir / "a.vet");
    const std::string bom = ReadBytes(dir / "a.vet");
    std::string versao = bom;
    versao[0] = 3;
    struct Caso {
        const char* nome;
        std::string bytes;
        const char* trecho;
    };
    for (const Caso& c : {Caso{"registro", bom.substr(0, bom.size() - 5), "registro está incompleto"},
                          Caso{"cabecalho", bom.substr(0, 400), "cabeçalho incompleto"},
                          Caso{"versao", versao, "versão 3"}}) {
        WriteBytes(dir / "b.vet", c.bytes);
        TVetor l;
        l.Titulo = "antes";
        try {
            l.CarregarVetor(dir / "b.vet");
            ADD_FAILURE() << c.nome;
        } catch (const EArquivoGis& e) {
            EXPECT_NE(std::string(e.what()).find(c.trecho), std::string::npos) << e.what();
        }
        EXPECT_EQ(l.Titulo, "antes");
        EXPECT_EQ(l.NumRegistros(), 0);
    }
    TVetor l;
    EXPECT_FALSE(l.CarregarVetor(dir / "nao-existe.vet"));
    EXPECT_TRUE(l.Buffer().empty());
}

TEST(Vetor, RecordsAreOverwrittenInPlaceAndAppendedAtTheEnd)
{
    TVetor v = TresLinhas();
    v.IrParaRegistro(1);
    v.GravarRegistro(7, 1, 2, 3);
    EXPECT_EQ(v.NumRegistros(), 8);
    v.IrParaRegistro(1);
    EXPECT_EQ(v.LerProximo().NumLinha, 7);
    v.IrParaRegistro(8);
    EXPECT_TRUE(v.FimDosRegistros());
    TRegistroVetor r;
    EXPECT_FALSE(v.LerRegistro(r));
    v.GravarRegistro(4, 0, 0, 0);
    EXPECT_EQ(v.NumRegistros(), 9);
}

} // namespace
} // namespace vastrel::gis

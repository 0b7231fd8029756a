#include "gis/BDT.h"
#include "location/Lista.h"

#include "gis/Bytes.h"
#include "gis/ErrosGis.h"
#include "gis/Vetor.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace vastrel;
using vastrel::test::ReadBytes;
using vastrel::test::TempDir;
using vastrel::test::WriteBytes;

namespace {

TLinha Linha(std::int32_t numero, std::initializer_list<TPonto> pontos)
{
    TLinha l;
    l.Numero = numero;
    for (const TPonto& p : pontos)
        l.Adicionar(p);
    return l;
}

TEST(Linha, ComprimentoInversaoECopia)
{
    TLinha l = Linha(7, {{0, 0, 1}, {3, 4, 1}, {3, 10, 1}});
    EXPECT_DOUBLE_EQ(l.Comprimento(), 11);
    const TLinha c = l.Clonar();
    EXPECT_EQ(c.Numero, 7);
    l.Inverter();
    EXPECT_FLOAT_EQ(l.Item(1).Y, 10);
    EXPECT_FLOAT_EQ(l.Item(3).X, 0);
    EXPECT_FLOAT_EQ(c.Item(1).Y, 0); // the copy is its own
    TLinha um = Linha(1, {{2, 3, 4}});
    um.Inverter();
    EXPECT_FLOAT_EQ(um.Item(1).X, 2);
    EXPECT_DOUBLE_EQ(um.Comprimento(), 0);

    um.SetQuantidade(5); // the list only grows through Adicionar
    EXPECT_EQ(um.Quantidade(), 1);
    l.SetQuantidade(1);
    EXPECT_EQ(l.Quantidade(), 1);
    l.Limpar();
    EXPECT_TRUE(l.Vazia());
    EXPECT_THROW(l.Item(1), std::out_of_range);
}

TEST(VET, LinhasNoBufferENoArquivo)
{
    TempDir d;
    TVET v;
    v.SetUnidade("KM");
    v.AdicionarLinha(Linha(1, {{1, 2, 5}, {3, 4, 5}, {5, -6, 5}}));
    v.AdicionarLinha(Linha(2, {{-7, 8, 9}, {9, 10, 9}}));
    EXPECT_EQ(v.NumRegistros(), 5);
    const auto dois = v.ObterLinha(2);
    ASSERT_TRUE(dois);
    ASSERT_EQ(dois->Quantidade(), 2);
    EXPECT_EQ(dois->Numero, 1); // the number is not carried over
    EXPECT_FLOAT_EQ(dois->Item(1).X, -7);
    EXPECT_FLOAT_EQ(dois->Item(2).Z, 9);
    EXPECT_FALSE(v.ObterLinha(7));
    EXPECT_NEAR(v.ComprimentoLinha(1), std::hypot(2, 2) + std::hypot(2, 10), 1e-6);

    ASSERT_TRUE(v.GravarVetor(d / "t.vet"));
    EXPECT_FLOAT_EQ(v.XMin, -7);
    EXPECT_FLOAT_EQ(v.XMax, 9);
    EXPECT_FLOAT_EQ(v.YMin, -6);
    EXPECT_FLOAT_EQ(v.YMax, 10);
    EXPECT_EQ(ReadBytes(d / "t.vet").size(), 527u + 5 * 14);

    // Read back by the raster toolbox's reader and by the vector object.
    gis::TVetor g;
    ASSERT_TRUE(g.CarregarVetor(d / "t.vet"));
    EXPECT_EQ(g.Unidade, "KM");
    EXPECT_FLOAT_EQ(g.XMin, -7);
    EXPECT_FLOAT_EQ(g.YMax, 10);
    TVET lido;
    ASSERT_TRUE(lido.CarregarVetor(d / "t.vet"));
    std::int16_t num = 0;
    TPonto p;
    ASSERT_TRUE(lido.LerPonto(num, p));
    EXPECT_EQ(num, 1);
    EXPECT_FLOAT_EQ(p.Y, 2);
    EXPECT_EQ(lido.ObterLinha(1)->Quantidade(), 3);

    TVET vazio;
    ASSERT_TRUE(vazio.GravarVetor(d / "vazio.vet"));
    EXPECT_EQ(ReadBytes(d / "vazio.vet").size(), 527u);
    EXPECT_FALSE(vazio.GravarVetor(""));
}

TEST(VET, NumeroDeLinhaEm16Bits)
{
    TVET v;
    v.AdicionarLinha(Linha(40000, {{1, 1, 1}}));
    std::int16_t num = 0;
    TPonto p;
    ASSERT_TRUE(v.ObterLinha(40000));
    v.IrParaInicio();
    ASSERT_TRUE(v.LerPonto(num, p));
    EXPECT_EQ(num, static_cast<std::int16_t>(40000 - 65536));
}

TEST(VET, RecusasDeVersaoEUnidade)
{
    TempDir d;
    TVET v;
    EXPECT_THROW(v.SetVersao(2), EVersaoVET);
    EXPECT_THROW(v.SetUnidade("milhas"), EUnidDist);
    EXPECT_FALSE(v.CarregarVetor(d / "nao-existe.vet"));

    // A file whose unit is not a distance unit, or of another version.
    gis::TVetor g;
    g.Unidade = "pés";
    g.IrParaInicio();
    g.GravarRegistro(1, 1, 1, 1);
    g.GravarVetor(d / "pes.vet");
    EXPECT_FALSE(v.CarregarVetor(d / "pes.vet"));
    g.Unidade = "m";
    g.GravarVetor(d / "v2.vet");
    std::string b = ReadBytes(d / "v2.vet");
    b[0] = 2;
    WriteBytes(d / "v2.vet", b);
    EXPECT_FALSE(v.CarregarVetor(d / "v2.vet"));
    EXPECT_EQ(v.NumRegistros(), 0);
}

TEST(BDT, FormatoDoArquivo)
{
    TempDir d;
    TBDT t;
    for (int i = 1; i <= 3; ++i) {
        TRegTerr r;
        r.Numero = i;
        r.Cota = 100.5 - i;
        r.DeclividadeMedia = 12.25;
        r.Comprimento = 250 + i;
        r.AreaInfluencia = 4000;
        r.EV = 1.5;
        r.Altura = 0.45;
        t.Adicionar(r);
    }
    t.Salvar(d / "t.bdt");
    const std::string b = ReadBytes(d / "t.bdt");
    ASSERT_EQ(b.size(), 161u);
    const auto* u = reinterpret_cast<const std::uint8_t*>(b.data());
    EXPECT_EQ(u[0], 1);
    EXPECT_EQ(gis::bytes::LeInt32(u + 1), 3);
    EXPECT_EQ(gis::bytes::LeInt32(u + 57), 2);
    double cota = 0;
    std::memcpy(&cota, u + 57 + 4, 8);
    EXPECT_DOUBLE_EQ(cota, 98.5);

    TBDT lida;
    TRegTerr existente;
    existente.Numero = 99;
    lida.Adicionar(existente); // records already in the list are kept
    ASSERT_TRUE(lida.Carregar(d / "t.bdt"));
    ASSERT_EQ(lida.Quantidade(), 4);
    EXPECT_EQ(lida.Item(2).Numero, 1);
    EXPECT_DOUBLE_EQ(lida.Item(4).Comprimento, 253);
    EXPECT_DOUBLE_EQ(lida.Item(3).Altura, 0.45);
}

TEST(BDT, ArquivosRecusados)
{
    TempDir d;
    TBDT t;
    TRegTerr r;
    r.Numero = 1;
    t.Adicionar(r);
    r.Numero = 2;
    t.Adicionar(r);
    t.Salvar(d / "t.bdt");
    const std::string b = ReadBytes(d / "t.bdt");

    std::string v2 = b;
    v2[0] = 2;
    WriteBytes(d / "v2.bdt", v2);
    TBDT lida;
    EXPECT_FALSE(lida.Carregar(d / "v2.bdt"));
    EXPECT_TRUE(lida.Vazia());

    // Cut inside the second record: the first is kept.
    WriteBytes(d / "curta.bdt", b.substr(0, 5 + 52 + 20));
    EXPECT_FALSE(lida.Carregar(d / "curta.bdt"));
    EXPECT_EQ(lida.Quantidade(), 1);

    EXPECT_THROW(lida.Carregar(d / "nao-existe.bdt"), gis::EArquivoGis);
}

} // namespace

#include "engine/Terreno.h"

#include "common/Exceptions.h"
#include "common/IniFile.h"
#include "common/Locale.h"
#include "engine/Precipitacao.h"
#include "support/ChuvaFixa.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <set>
#include <vector>

using namespace vastrel;
using vastrel::test::ReadBytes;
using vastrel::test::TChuvaFixa;
using vastrel::test::TempDir;
using vastrel::test::WriteBytes;

namespace {

// The storm K, Tr = 10, a = 0.2, b = 10, c = 0.8.
TPrecipitacaoExponencialNegativa ChuvaIdf(double K)
{
    TPrecipitacaoExponencialNegativa chuva;
    chuva.SetK(K);
    chuva.SetTr(10);
    chuva.SetA(0.2);
    chuva.SetB(10);
    chuva.SetC(0.8);
    return chuva;
}

TTerreno Terreno(int uso, int tratamento, int condicao, double vib)
{
    TTerreno terreno;
    terreno.Cobertura.UsoTerra.Indice = static_cast<std::uint8_t>(uso);
    terreno.Cobertura.Tratamento.Indice = static_cast<std::uint8_t>(tratamento);
    terreno.Cobertura.CondicaoHidrologica.Indice = static_cast<std::uint8_t>(condicao);
    terreno.SetVIB(vib);
    return terreno;
}

} // namespace

// ---------------------------------------------------------------------------
// Cover

TEST(TerrenoTest, CoverNamesAndEmptyOutsideTheLists)
{
    TUsoTerra uso;
    TTratamento tratamento;
    TCondicaoHidrologica condicao;
    EXPECT_EQ(uso.Nome(), "Sem cultivo");
    EXPECT_EQ(tratamento.Nome(), "");
    EXPECT_EQ(condicao.Nome(), "");
    uso.Indice = 3;
    tratamento.Indice = 3;
    condicao.Indice = 1;
    EXPECT_EQ(uso.Nome(), "Leguminosas em fileiras estreitas");
    EXPECT_EQ(tratamento.Nome(), "Curvas de nível e terraço");
    EXPECT_EQ(condicao.Nome(), "Má");
    uso.Indice = 5;
    tratamento.Indice = 2;
    condicao.Indice = 3;
    EXPECT_EQ(uso.Nome(), "Floresta");
    EXPECT_EQ(tratamento.Nome(), "Com curvas de nível");
    EXPECT_EQ(condicao.Nome(), "Boa");
    uso.Indice = 6;
    tratamento.Indice = 4;
    condicao.Indice = 4;
    EXPECT_EQ(uso.Nome() + tratamento.Nome() + condicao.Nome(), "");
}

// ---------------------------------------------------------------------------
// Curve number and initial abstraction

TEST(TerrenoTest, CurveNumberByCoverAndInfiltrationColumn)
{
    struct Caso {
        int uso, tratamento, condicao;
        double vib;
        int cn;
    };
    const Caso casos[] = {
        // Column bounds belong to the column on their left.
        {0, 0, 0, 0, 98},    {0, 0, 0, 3, 98},       {0, 0, 0, 3.0001, 97},
        {0, 0, 0, 40, 97},   {0, 0, 0, 40.0001, 94}, {0, 0, 0, 190, 94},
        {0, 0, 0, 190.0001, 89},
        // Bare soil ignores treatment and condition.
        {0, 3, 2, 10, 97},
        {1, 1, 1, 10, 95},   {1, 1, 3, 100, 90},     {1, 3, 3, 250, 79},
        {2, 2, 1, 2, 94},
        // Narrow-row crops on contour: one row for every condition but "Má".
        {2, 2, 0, 2, 93},    {2, 2, 2, 100, 87},     {2, 2, 3, 250, 78},
        {3, 3, 3, 250, 70},  {4, 1, 2, 250, 69},     {4, 2, 3, 250, 15},
        // Forest ignores the treatment.
        {5, 0, 1, 10, 89},   {5, 3, 3, 250, 43},
        // Combinations without a row.
        {1, 1, 2, 10, 0},    {4, 3, 1, 10, 0},       {1, 0, 1, 10, 0},
        {5, 1, 0, 10, 0},
    };
    for (const Caso& caso : casos) {
        const TTerreno terreno = Terreno(caso.uso, caso.tratamento, caso.condicao, caso.vib);
        EXPECT_EQ(terreno.NumeroCurva(), caso.cn)
            << caso.uso << "/" << caso.tratamento << "/" << caso.condicao << " VIB " << caso.vib;
    }
}

namespace {

// The four curve numbers of a cover, one per infiltration column.
std::array<int, 4> NumerosCurva(int uso, int tratamento, int condicao)
{
    std::array<int, 4> r{};
    const double colunas[] = {1, 10, 100, 250};
    for (std::size_t i = 0; i < 4; ++i)
        r[i] = Terreno(uso, tratamento, condicao, colunas[i]).NumeroCurva();
    return r;
}

} // namespace

TEST(TerrenoTest, CoverDialogOffersExactlyTheCombinationsWithACurveNumber)
{
    // Oracle: the curve numbers themselves. Every combination the dialog can
    // confirm has a row, and every row of a land use can be reached.
    for (int uso = 0; uso <= 5; ++uso) {
        std::set<std::array<int, 4>> alcancaveis, daTabela;
        std::vector<int> tratamentos = TratamentosPermitidos(uso);
        if (tratamentos.empty())
            tratamentos.push_back(0);
        for (int t : tratamentos) {
            std::vector<int> condicoes = CondicoesPermitidas(uso, t);
            if (condicoes.empty())
                condicoes.push_back(0);
            for (int c : condicoes) {
                const TEscolhaCobertura e = CoberturaConfirmada({uso, t, c});
                const auto cn = NumerosCurva(e.UsoTerra, e.Tratamento, e.CondicaoHidrologica);
                EXPECT_NE(cn[0], 0) << uso << t << c;
                alcancaveis.insert(cn);
            }
        }
        for (int t = 0; t <= 3; ++t)
            for (int c = 0; c <= 3; ++c)
                if (const auto cn = NumerosCurva(uso, t, c); cn[0] != 0)
                    daTabela.insert(cn);
        EXPECT_EQ(alcancaveis, daTabela) << uso;
    }
    // Rows that a fixed list per land use left out: pasture in straight rows,
    // contoured narrow-row crops in regular condition.
    EXPECT_EQ(TratamentosPermitidos(4), (std::vector<int>{1, 2}));
    EXPECT_EQ(CondicoesPermitidas(2, 2), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(CondicoesPermitidas(1, 2), (std::vector<int>{1, 3}));
    EXPECT_TRUE(TratamentosPermitidos(5).empty());
    EXPECT_TRUE(CondicoesPermitidas(0, 1).empty());
}

TEST(TerrenoTest, CoverDialogPresetsAndConfirmation)
{
    struct Caso {
        int uso;
        TEscolhaCobertura preset;
    };
    const Caso casos[] = {
        {0, {0, 1, 0}}, {1, {1, 1, 1}}, {3, {3, 1, 1}}, {4, {4, 2, 1}}, {5, {5, 0, 1}},
    };
    for (const Caso& caso : casos)
        EXPECT_EQ(CoberturaAoEscolherUso(caso.uso), caso.preset) << caso.uso;
    // A treatment keeps the condition it offers, otherwise takes the first.
    EXPECT_EQ(CoberturaAoEscolherTratamento({2, 2, 2}, 3), (TEscolhaCobertura{2, 3, 1}));
    EXPECT_EQ(CoberturaAoEscolherTratamento({1, 1, 3}, 2), (TEscolhaCobertura{1, 2, 3}));
    // OK: forest has no treatment, bare soil no condition; the rest is kept.
    EXPECT_EQ(CoberturaConfirmada({5, 1, 3}), (TEscolhaCobertura{5, 0, 3}));
    EXPECT_EQ(CoberturaConfirmada({0, 1, 2}), (TEscolhaCobertura{0, 1, 0}));
    EXPECT_EQ(CoberturaConfirmada({1, 2, 3}), (TEscolhaCobertura{1, 2, 3}));
    EXPECT_EQ(CoberturaConfirmada({0, 0, 0}), (TEscolhaCobertura{0, 0, 0}));
}

TEST(TerrenoTest, InitialAbstractionIsOneFifthOfThePotentialRetention)
{
    EXPECT_NEAR(Terreno(0, 0, 0, 10).AbstracaoInicial(), 1.5711, 1e-4);
    EXPECT_NEAR(Terreno(4, 2, 3, 250).AbstracaoInicial(), 287.8667, 1e-4);
    EXPECT_EQ(Terreno(1, 1, 2, 10).AbstracaoInicial(), 0);
}

// ---------------------------------------------------------------------------
// Filling time

TEST(TerrenoTest, FillingTimeOfAnIdfStormIsWhenTheFallenDepthReachesIa)
{
    auto chuva = ChuvaIdf(1500);
    TTerreno terreno = Terreno(0, 0, 0, 10);
    const double tp = terreno.TempoPreenchimento(chuva);
    EXPECT_NEAR(tp, 0.25529, 1e-5);
    EXPECT_NEAR(chuva.LaminaPrecipitada(tp), terreno.AbstracaoInicial(), 1e-9);

    terreno = Terreno(1, 1, 2, 10);  // CN 0, Ia = 0
    EXPECT_NEAR(terreno.TempoPreenchimento(chuva), 0, 1e-9);
}

TEST(TerrenoTest, FillingTimeOfAnyOtherStormBisectsOverTwiceItsDuration)
{
    TChuvaFixa chuva;
    chuva.Intensidade = 30;
    chuva.Duracao = 2;  // hours
    chuva.PrecipitacaoTotal = 60;
    TTerreno terreno = Terreno(0, 0, 0, 10);
    EXPECT_NEAR(terreno.TempoPreenchimento(chuva), 60 * terreno.AbstracaoInicial() / 30, 1e-5);

    // A storm that never fills Ia: the end of the storm.
    chuva.PrecipitacaoTotal = 1;
    EXPECT_EQ(terreno.TempoPreenchimento(chuva), 120);
}

TEST(TerrenoTest, FillingTimeBisectionEndsWhenTheBracketCannotShrink)
{
    // A root near 1e12 minutes, where consecutive doubles lie further apart
    // than the bisection tolerance.
    TChuvaFixa chuva;
    chuva.Intensidade = 1e-10;
    chuva.Duracao = 1e12;
    chuva.PrecipitacaoTotal = 100;
    TTerreno terreno = Terreno(0, 0, 0, 10);
    const double raiz = 60 * terreno.AbstracaoInicial() / chuva.Intensidade;
    EXPECT_NEAR(terreno.TempoPreenchimento(chuva) / raiz, 1, 1e-12);

    chuva.Duracao = std::numeric_limits<double>::max();
    EXPECT_THROW(terreno.TempoPreenchimento(chuva), EMathError);
}

// ---------------------------------------------------------------------------
// Runoff depth

TEST(TerrenoTest, RunoffDepthMatchesIndependentRoots)
{
    // Reference values: tf and tp from a 300-step bisection of j(t) = VIB and
    // P(t) = Ia, then LES = P(tf) − VIB·(tf − tp)/60 − Ia.
    auto chuva = ChuvaIdf(1500);
    TTerreno terreno = Terreno(0, 0, 0, 10);
    EXPECT_NEAR(chuva.TempoDaIntensidade(10), 154.01232, 1e-5);
    EXPECT_NEAR(terreno.CalculaLES(chuva), 75.98240, 1e-5);

    terreno = Terreno(1, 1, 1, 60);  // CN 92
    EXPECT_NEAR(terreno.CalculaLES(chuva), 28.95655, 1e-5);
}

TEST(TerrenoTest, NoRunoffWhenTheStormNeverExceedsTheInfiltrationRate)
{
    auto chuva = ChuvaIdf(42);  // j(0) ≈ 10.55 mm/h
    TTerreno terreno = Terreno(0, 0, 0, 20);
    EXPECT_LT(chuva.TempoDaIntensidade(20), 1e-7);
    EXPECT_GT(terreno.TempoPreenchimento(chuva), 1e-7);
    EXPECT_EQ(terreno.CalculaLES(chuva), 0);
}

TEST(TerrenoTest, RunoffDepthIsNotClampedWhenTheStormBarelyExceedsIa)
{
    // Constant 10 mm/h for 60 min on bare soil that infiltrates 9 mm/h:
    // LES = 10 − 9·(60 − tp)/60 − Ia.
    TChuvaFixa chuva;
    chuva.Intensidade = 10;
    chuva.TempoFinal = 60;
    chuva.Duracao = 1;
    chuva.PrecipitacaoTotal = 10;
    TTerreno terreno = Terreno(0, 0, 0, 9);
    const double ia = terreno.AbstracaoInicial();
    const double tp = 60 * ia / 10;
    EXPECT_NEAR(terreno.CalculaLES(chuva), 10 - 9 * (60 - tp) / 60 - ia, 1e-6);
    terreno.SetVIB(10.5);  // above the intensity: the excess is negative
    EXPECT_NEAR(terreno.CalculaLES(chuva), -0.5 * (60 - tp) / 60, 1e-6);
}

TEST(TerrenoTest, RunoffDepthRaisesRatherThanReturnNonFiniteValues)
{
    TChuvaFixa chuva;
    chuva.Intensidade = std::numeric_limits<double>::infinity();
    chuva.TempoFinal = 60;
    TTerreno terreno = Terreno(1, 1, 2, 10);  // Ia = 0: the generic branch returns 0
    EXPECT_THROW(terreno.CalculaLES(chuva), EMathError);
}

// ---------------------------------------------------------------------------
// Setters, reset and copy

TEST(TerrenoTest, SettersZerarAndAssign)
{
    TTerreno terreno;
    terreno.SetVIB(-5);
    EXPECT_EQ(terreno.VIB, 0);
    terreno.SetVIB(std::nan(""));
    EXPECT_EQ(terreno.VIB, 0);
    terreno.SetSt(-0.1);
    EXPECT_EQ(terreno.St, -0.1);

    TTerreno origem = Terreno(4, 2, 3, 25);
    origem.SetSt(0.08);
    origem.nt = TReal{0.1, 3};
    origem.Sufixo = "O";
    TTerreno copia("C");
    copia.Assign(origem);
    EXPECT_EQ(copia.VIB, 25);
    EXPECT_EQ(copia.St, 0.08);
    EXPECT_EQ(copia.nt.Valor, 0.1);
    EXPECT_EQ(copia.nt.Indice, 3);
    EXPECT_EQ(copia.Cobertura.UsoTerra.Indice, 4);
    EXPECT_EQ(copia.Cobertura.Tratamento.Indice, 2);
    EXPECT_EQ(copia.Cobertura.CondicaoHidrologica.Indice, 3);
    EXPECT_EQ(copia.Sufixo, "C");

    copia.Zerar();
    EXPECT_EQ(copia.VIB + copia.St + copia.nt.Valor, 0);
    EXPECT_EQ(copia.nt.Indice, 0);
    EXPECT_EQ(copia.Cobertura.UsoTerra.Indice + copia.Cobertura.Tratamento.Indice
                  + copia.Cobertura.CondicaoHidrologica.Indice,
              0);
}

// ---------------------------------------------------------------------------
// Persistence

class TerrenoArquivoTest : public ::testing::Test {
protected:
    TempDir dir;
    std::filesystem::path arquivo = dir / "p.vst";

    // A valid file whose one key `chave` of section `secao` holds `valor`.
    void GravarCom(const std::string& secao, const std::string& chave, const std::string& valor)
    {
        TTerreno terreno = Terreno(2, 3, 1, 12.5);
        terreno.nt = TReal{0.04, 2};
        ASSERT_TRUE(terreno.Gravar(arquivo));
        TIniFile ini(arquivo);
        ini.WriteString(secao, chave, valor);
        ini.UpdateFile();
    }
};

TEST_F(TerrenoArquivoTest, RoundTripWritesCoverThenTerrain)
{
    ScopedDecimalSeparator sep(',');
    TTerreno terreno = Terreno(2, 3, 1, 12.5);
    terreno.SetSt(0.085);
    terreno.nt = TReal{0.04, -1};
    ASSERT_TRUE(terreno.Gravar(arquivo));
    EXPECT_EQ(ReadBytes(arquivo),
              "[Cobertura]\r\nVersao=1\r\nIndUso=2\r\nIndCond=1\r\nIndTrat=3\r\n"
              "[Terreno]\r\nVersao=1\r\nVIB=12,5\r\nSt=0,085\r\nnt=0,04\r\nIndnt=-1\r\n");

    // "Indnt" = −1 is written but refused on read; 0 and above are accepted.
    TTerreno lido;
    EXPECT_FALSE(lido.Ler(arquivo));
    EXPECT_EQ(lido.nt.Valor, 0.04);  // read before the index
    terreno.nt.Indice = 0;
    ASSERT_TRUE(terreno.Gravar(arquivo));
    ASSERT_TRUE(lido.Ler(arquivo));
    EXPECT_EQ(lido.VIB, 12.5);
    EXPECT_EQ(lido.St, 0.085);
    EXPECT_EQ(lido.nt.Indice, 0);
    EXPECT_EQ(lido.Cobertura.UsoTerra.Indice, 2);
    EXPECT_EQ(lido.Cobertura.CondicaoHidrologica.Indice, 1);
    EXPECT_EQ(lido.Cobertura.Tratamento.Indice, 3);
}

TEST_F(TerrenoArquivoTest, NegativeInfiltrationReadsAsZero)
{
    GravarCom("Terreno", "VIB", "-4");
    TTerreno lido;
    ASSERT_TRUE(lido.Ler(arquivo));
    EXPECT_EQ(lido.VIB, 0);
}

TEST_F(TerrenoArquivoTest, CoverIndicesAreStoredInTurnUntilOneIsOutOfRange)
{
    GravarCom("Cobertura", "IndUso", "6");
    TTerreno lido;
    EXPECT_FALSE(lido.Ler(arquivo));
    EXPECT_EQ(lido.Cobertura.UsoTerra.Indice, 0);

    GravarCom("Cobertura", "IndCond", "4");
    EXPECT_FALSE(lido.Ler(arquivo));
    EXPECT_EQ(lido.Cobertura.UsoTerra.Indice, 2);
    EXPECT_EQ(lido.Cobertura.CondicaoHidrologica.Indice, 0);
    EXPECT_EQ(lido.VIB, 0);  // the terrain keys come after the cover

    GravarCom("Cobertura", "IndTrat", "-1");
    EXPECT_FALSE(lido.Ler(arquivo));
    EXPECT_EQ(lido.Cobertura.CondicaoHidrologica.Indice, 1);
}

TEST_F(TerrenoArquivoTest, SectionVersionsMustBeOne)
{
    for (const char* secao : {"Cobertura", "Terreno"}) {
        GravarCom(secao, "Versao", "2");
        TTerreno lido;
        EXPECT_FALSE(lido.Ler(arquivo)) << secao;
    }
    TTerreno lido;
    EXPECT_FALSE(lido.Ler(dir / "nao-existe.vst"));
}

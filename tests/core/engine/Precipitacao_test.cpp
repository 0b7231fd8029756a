#include "engine/Precipitacao.h"

#include "common/Exceptions.h"
#include "common/IniFile.h"
#include "common/Locale.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace vastrel;
using vastrel::test::ReadBytes;
using vastrel::test::TempDir;
using vastrel::test::WriteBytes;

namespace {

// The storm K = 42, Tr = 10, a = 0.2, b = 10, c = 0.8.
TPrecipitacaoExponencialNegativa ChuvaExemplo(double K = 42)
{
    TPrecipitacaoExponencialNegativa chuva;
    chuva.SetK(K);
    chuva.SetTr(10);
    chuva.SetA(0.2);
    chuva.SetB(10);
    chuva.SetC(0.8);
    return chuva;
}

} // namespace

// ---------------------------------------------------------------------------
// Intensity and depth

TEST(PrecipitacaoTest, IdfIntensitiesAndDepthsOfTheWorkedStorm)
{
    auto chuva = ChuvaExemplo();
    EXPECT_NEAR(chuva.KTra, 66.5655, 1e-4);
    EXPECT_NEAR(chuva.IntensidadeMedia(0), 10.5499, 1e-4);
    EXPECT_NEAR(chuva.IntensidadeInstantanea(0), 10.5499, 1e-4);  // j(0) = i(0)
    EXPECT_NEAR(chuva.IntensidadeMedia(10), 6.0593, 1e-4);
    EXPECT_NEAR(chuva.IntensidadeInstantanea(10), 3.6356, 1e-4);
    EXPECT_NEAR(chuva.LaminaPrecipitada(10), 1.0099, 1e-4);
    EXPECT_NEAR(chuva.LaminaEntre(10, 0), chuva.LaminaPrecipitada(10), 1e-12);
    EXPECT_NEAR(chuva.LaminaEntre(30, 10), chuva.LaminaPrecipitada(30) - chuva.LaminaPrecipitada(10), 1e-12);
}

TEST(PrecipitacaoTest, InstantaneousIntensityIsTheRateOfTheFallenDepth)
{
    auto chuva = ChuvaExemplo();
    for (double t : {0.5, 5.0, 40.0, 300.0}) {
        const double h = 1e-4;
        const double derivada = 60 * (chuva.LaminaPrecipitada(t + h) - chuva.LaminaPrecipitada(t - h)) / (2 * h);
        EXPECT_NEAR(chuva.IntensidadeInstantanea(t), derivada, 1e-6) << "t = " << t;
    }
}

TEST(PrecipitacaoTest, ResetStormGivesNegativeIntensities)
{
    TPrecipitacaoExponencialNegativa chuva;
    chuva.SetB(10);
    chuva.SetC(0.8);
    EXPECT_EQ(chuva.KTra, -1);
    EXPECT_LT(chuva.IntensidadeMedia(5), 0);
    EXPECT_LT(chuva.IntensidadeInstantanea(5), 0);
}

TEST(PrecipitacaoTest, FaultsRaiseInsteadOfReturningInfinityOrNaN)
{
    auto chuva = ChuvaExemplo();
    EXPECT_THROW(chuva.IntensidadeMedia(-10), EMathError);  // (t + b)^c with a zero base
    EXPECT_THROW(chuva.IntensidadeInstantanea(-20), EMathError);
    EXPECT_THROW(chuva.LaminaPrecipitada(std::nan("")), EMathError);
    chuva.SetC(400);  // (t + b)^c underflows to 0 for t + b < 1
    EXPECT_THROW(chuva.IntensidadeMedia(-9.999), EMathError);
}

// ---------------------------------------------------------------------------
// Root finders

TEST(PrecipitacaoTest, TimeOfIntensityOfTheWorkedStorm)
{
    auto chuva = ChuvaExemplo();
    EXPECT_NEAR(chuva.TempoDaIntensidade(5), 6.1487, 1e-4);
    // Above j(0): no time has that intensity; Newton runs into negative times
    // and the bisection closes on the start of the storm.
    const double t = chuva.TempoDaIntensidade(20);
    EXPECT_GE(t, 0);
    EXPECT_LT(t, 1e-7);
}

TEST(PrecipitacaoTest, TimeOfIntensitySolvesFromEveryStartingValue)
{
    // j(0) ≈ 376.8 mm/h: the targets below use each starting value of Newton.
    auto chuva = ChuvaExemplo(1500);
    for (double x : {0.5, 10.0, 150.0, 250.0, 350.0}) {
        const double t = chuva.TempoDaIntensidade(x);
        EXPECT_NEAR(chuva.IntensidadeInstantanea(t), x, 1e-6) << "x = " << x;
    }
    for (double x : {450.0, 1000.0})
        EXPECT_LT(chuva.TempoDaIntensidade(x), 1e-7) << "x = " << x;
}

TEST(PrecipitacaoTest, TimeOfIntensityNeverRaisesEvenWhenTheStormFaults)
{
    auto chuva = ChuvaExemplo();
    chuva.SetB(0);  // j(0) is a zero base under a fractional power
    const double t = chuva.TempoDaIntensidade(5);
    EXPECT_TRUE(std::isfinite(t));
    EXPECT_NEAR(chuva.IntensidadeInstantanea(t), 5, 1e-6);
    EXPECT_TRUE(std::isfinite(chuva.TempoDaIntensidade(std::nan(""))));
}

TEST(PrecipitacaoTest, TimeOfDepthInvertsTheFallenDepth)
{
    auto chuva = ChuvaExemplo();
    EXPECT_NEAR(chuva.TempoDaLamina(1), 9.83775, 1e-5);
    for (double t : {0.5, 10.0, 90.0, 600.0})
        EXPECT_NEAR(chuva.TempoDaLamina(chuva.LaminaPrecipitada(t)), t, 1e-6) << "t = " << t;
    EXPECT_NEAR(chuva.TempoDaLamina(0), 0, 1e-9);
}

TEST(PrecipitacaoTest, TimeOfDepthFallbackBisectionClosesOnTheRoot)
{
    // With b = 0 the first Newton step lands on a negative time, where the
    // power faults; the bisection must then find P(t) = p, not an end of its
    // bracket.
    auto chuva = ChuvaExemplo();
    chuva.SetB(0);
    const double raiz = std::pow(6 / chuva.KTra, 5);  // KTra·t^0.2 = 60·0.1
    EXPECT_NEAR(chuva.TempoDaLamina(0.1), raiz, 1e-7);
    const double t = chuva.TempoDaLamina(0.5);
    EXPECT_NEAR(chuva.LaminaPrecipitada(t), 0.5, 1e-6);
}

// ---------------------------------------------------------------------------
// Setters

TEST(PrecipitacaoTest, SettersRejectNegativeValuesWithTheirMessageAndKeepTheField)
{
    struct Caso {
        const char* nome;
        std::function<void(TPrecipitacaoExponencialNegativa&, double)> set;
        double TPrecipitacaoExponencialNegativa::*campo;
        const char* mensagem;
    };
    const Caso casos[] = {
        {"Tr", &TPrecipitacaoExponencialNegativa::SetTr, &TPrecipitacaoExponencialNegativa::Tr,
         "O valor do tempo de retorno (Tr) deve ser maior que zero."},
        {"K", &TPrecipitacaoExponencialNegativa::SetK, &TPrecipitacaoExponencialNegativa::K,
         "O valor do parâmetro \"K\" deve ser maior que zero."},
        {"a", &TPrecipitacaoExponencialNegativa::SetA, &TPrecipitacaoExponencialNegativa::a,
         "O valor do parâmetro \"a\" deve ser maior que zero."},
        {"b", &TPrecipitacaoExponencialNegativa::SetB, &TPrecipitacaoExponencialNegativa::b,
         "O valor do parâmetro \"b\" deve ser maior que zero."},
        {"c", &TPrecipitacaoExponencialNegativa::SetC, &TPrecipitacaoExponencialNegativa::c,
         "O valor do parâmetro \"c\" deve ser maior que zero."},
    };
    for (const Caso& caso : casos) {
        auto chuva = ChuvaExemplo();
        const double antes = chuva.*caso.campo;
        const double ktra = chuva.KTra;
        try {
            caso.set(chuva, -1);
            ADD_FAILURE() << caso.nome << ": no error";
        } catch (const Exception& e) {
            EXPECT_STREQ(e.what(), caso.mensagem);
        }
        EXPECT_EQ(chuva.*caso.campo, antes) << caso.nome;
        EXPECT_EQ(chuva.KTra, ktra) << caso.nome;

        EXPECT_NO_THROW(caso.set(chuva, 0)) << caso.nome;
        EXPECT_EQ(chuva.*caso.campo, 0) << caso.nome;
    }
}

TEST(PrecipitacaoTest, KTraFollowsKTrAndAOnly)
{
    auto chuva = ChuvaExemplo();
    chuva.SetK(0);
    EXPECT_EQ(chuva.KTra, -1);
    chuva.SetK(42);
    EXPECT_NEAR(chuva.KTra, 66.5655, 1e-4);
    chuva.SetB(0);
    chuva.SetC(0);
    EXPECT_NEAR(chuva.KTra, 66.5655, 1e-4);
    chuva.SetTr(0);
    EXPECT_EQ(chuva.KTra, -1);
    chuva.SetTr(10);
    chuva.SetA(0);
    EXPECT_EQ(chuva.KTra, -1);

    // An overflowing K·Tr^a raises and leaves the storm as it was.
    chuva = ChuvaExemplo();
    EXPECT_THROW(chuva.SetK(1.5e308), EMathError);
    EXPECT_EQ(chuva.K, 42);
    EXPECT_NEAR(chuva.KTra, 66.5655, 1e-4);
}

TEST(PrecipitacaoTest, ZerarAndInicializarResetEverything)
{
    auto chuva = ChuvaExemplo();
    chuva.Duracao = 3;
    chuva.PrecipitacaoTotal = 80;
    chuva.Inicializar("X");
    EXPECT_EQ(chuva.Sufixo, "X");
    EXPECT_EQ(chuva.Duracao, 0);
    EXPECT_EQ(chuva.PrecipitacaoTotal, 0);
    EXPECT_EQ(chuva.Tr + chuva.K + chuva.a + chuva.b + chuva.c, 0);
    EXPECT_EQ(chuva.KTra, -1);
    EXPECT_EQ(TPrecipitacaoExponencialNegativa("S").Sufixo, "S");
}

// ---------------------------------------------------------------------------
// Hyetograph

TEST(PrecipitacaoTest, HyetographHasOnePointPerMinuteOfTheRoundedDuration)
{
    auto chuva = ChuvaExemplo();
    std::vector<TPontoSerie> serie{{99, 99}};
    chuva.DesenharHietograma(serie);
    ASSERT_EQ(serie.size(), 50u);
    EXPECT_EQ(serie.front().x, 1);
    EXPECT_EQ(serie.back().x, 50);
    EXPECT_DOUBLE_EQ(serie[9].y, chuva.IntensidadeInstantanea(10));

    const std::pair<double, std::size_t> casos[] = {{0.4, 0}, {2.5, 2}, {3.5, 4}, {7, 7}};
    for (const auto& [duracao, pontos] : casos) {
        chuva.Duracao = duracao;
        chuva.DesenharHietograma(serie);
        EXPECT_EQ(serie.size(), pontos) << "Duracao = " << duracao;
    }
}

// ---------------------------------------------------------------------------
// Persistence

class PrecipitacaoArquivoTest : public ::testing::Test {
protected:
    TempDir dir;
    std::filesystem::path arquivo = dir / "p.vst";
};

TEST_F(PrecipitacaoArquivoTest, RoundTripWritesBothSectionsInOrder)
{
    ScopedDecimalSeparator sep(',');
    auto chuva = ChuvaExemplo();
    chuva.Duracao = 1.5;
    chuva.PrecipitacaoTotal = 62.25;
    ASSERT_TRUE(chuva.Gravar(arquivo));
    EXPECT_EQ(ReadBytes(arquivo),
              "[PRECIPITACAO]\r\nVersao=2\r\nDuracao=1,5\r\nPrecipitacaoTotal=62,25\r\n"
              "[PREC_EXPONENCIAL_NEGATIVA]\r\nVersao=2\r\nTr=10\r\nK=42\r\nA=0,2\r\nB=10\r\nC=0,8\r\n");

    TPrecipitacaoExponencialNegativa lida;
    ASSERT_TRUE(lida.Ler(arquivo));
    EXPECT_EQ(lida.Duracao, 1.5);
    EXPECT_EQ(lida.PrecipitacaoTotal, 62.25);
    EXPECT_EQ(lida.Tr, 10);
    EXPECT_EQ(lida.K, 42);
    EXPECT_EQ(lida.a, 0.2);
    EXPECT_EQ(lida.b, 10);
    EXPECT_EQ(lida.c, 0.8);
    EXPECT_DOUBLE_EQ(lida.KTra, chuva.KTra);
}

TEST_F(PrecipitacaoArquivoTest, OldFileMigratesTheStormKeysOutOfNimbra)
{
    WriteBytes(arquivo,
               "[NIMBRA]\r\nVersao=1\r\nEstado=3\r\nDuracao=2\r\nPrecipitacaoTotal=50\r\n"
               "Tr=10\r\nK=42\r\nA=0.2\r\nB=10\r\nC=0.8\r\nLocalidade=Xique-Xique\r\n");
    TPrecipitacaoExponencialNegativa chuva;
    ASSERT_TRUE(chuva.Ler(arquivo));
    EXPECT_EQ(chuva.Duracao, 2);
    EXPECT_EQ(chuva.PrecipitacaoTotal, 50);
    EXPECT_EQ(chuva.c, 0.8);
    EXPECT_NEAR(chuva.KTra, 66.5655, 1e-4);

    TIniFile ini(arquivo);
    EXPECT_EQ(ini.ReadString("PRECIPITACAO", "Versao", ""), "2");
    EXPECT_EQ(ini.ReadFloat("PRECIPITACAO", "PrecipitacaoTotal", 0), 50);
    EXPECT_EQ(ini.ReadString("PREC_EXPONENCIAL_NEGATIVA", "Versao", ""), "2");
    EXPECT_EQ(ini.ReadFloat("PREC_EXPONENCIAL_NEGATIVA", "A", 0), 0.2);
    for (const char* chave : {"Duracao", "PrecipitacaoTotal", "Tr", "K", "A", "B", "C"})
        EXPECT_FALSE(ini.ValueExists("NIMBRA", chave)) << chave;
    // The rainfall component's own keys stay where they were.
    EXPECT_EQ(ini.ReadString("NIMBRA", "Versao", ""), "1");
    EXPECT_EQ(ini.ReadString("NIMBRA", "Localidade", ""), "Xique-Xique");

    // Read again, the file now takes the current layout.
    TPrecipitacaoExponencialNegativa denovo;
    ASSERT_TRUE(denovo.Ler(arquivo));
    EXPECT_EQ(denovo.Duracao, 2);
    EXPECT_EQ(denovo.K, 42);
}

TEST_F(PrecipitacaoArquivoTest, MissingSectionsMigrateAsZerosAndCreateTheNewSections)
{
    WriteBytes(arquivo, "[VASTREL3]\r\nVersao=3.0\r\n");
    auto chuva = ChuvaExemplo();
    ASSERT_TRUE(chuva.Ler(arquivo));
    EXPECT_EQ(chuva.K, 0);
    EXPECT_EQ(chuva.KTra, -1);
    TIniFile ini(arquivo);
    EXPECT_EQ(ini.ReadString("PRECIPITACAO", "Versao", ""), "2");
    EXPECT_TRUE(ini.ValueExists("PRECIPITACAO", "Duracao"));
    EXPECT_EQ(ini.ReadString("PREC_EXPONENCIAL_NEGATIVA", "Versao", ""), "2");
}

TEST_F(PrecipitacaoArquivoTest, UnknownVersionsReadNothing)
{
    const std::string derivada =
        "[PREC_EXPONENCIAL_NEGATIVA]\r\nVersao=2\r\nTr=10\r\nK=42\r\nA=0.2\r\nB=10\r\nC=0.8\r\n";
    // A foreign base section only leaves its two keys at 0.
    WriteBytes(arquivo, "[PRECIPITACAO]\r\nVersao=3\r\nDuracao=2\r\n" + derivada);
    TPrecipitacaoExponencialNegativa chuva;
    chuva.Duracao = 9;
    EXPECT_TRUE(chuva.Ler(arquivo));
    EXPECT_EQ(chuva.Duracao, 0);
    EXPECT_EQ(chuva.K, 42);

    // A foreign derived section fails the read and keeps the reset values.
    WriteBytes(arquivo, "[PRECIPITACAO]\r\nVersao=2\r\nDuracao=2\r\n"
                        "[PREC_EXPONENCIAL_NEGATIVA]\r\nVersao=3\r\nK=42\r\n");
    chuva = ChuvaExemplo();
    EXPECT_FALSE(chuva.Ler(arquivo));
    EXPECT_EQ(chuva.Duracao, 2);
    EXPECT_EQ(chuva.K, 0);
    EXPECT_EQ(chuva.KTra, -1);
}

TEST_F(PrecipitacaoArquivoTest, SuffixNamesEverySectionIncludingTheOldOne)
{
    WriteBytes(arquivo, "[NIMBRA_B]\r\nDuracao=4\r\nK=7\r\n[NIMBRA]\r\nDuracao=1\r\nK=1\r\n");
    TPrecipitacaoExponencialNegativa chuva("_B");
    ASSERT_TRUE(chuva.Ler(arquivo));
    EXPECT_EQ(chuva.Duracao, 4);
    EXPECT_EQ(chuva.K, 7);
    TIniFile ini(arquivo);
    EXPECT_EQ(ini.ReadString("PRECIPITACAO_B", "Versao", ""), "2");
    EXPECT_EQ(ini.ReadString("PREC_EXPONENCIAL_NEGATIVA_B", "Versao", ""), "2");
    EXPECT_FALSE(ini.SectionExists("PRECIPITACAO"));
    EXPECT_EQ(ini.ReadFloat("NIMBRA", "K", 0), 1);
}

TEST_F(PrecipitacaoArquivoTest, UnwritableFileReportsFailure)
{
    auto chuva = ChuvaExemplo();
    EXPECT_FALSE(chuva.Gravar(dir.Path() / "sem-pasta" / "p.vst"));
}

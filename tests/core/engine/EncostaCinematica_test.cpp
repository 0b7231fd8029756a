#include "engine/EncostaCinematica.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>

#include "common/Exceptions.h"
#include "engine/Precipitacao.h"

namespace vastrel {
namespace {

// Storm K = 1500, Tr = 10, a = 0.2, b = 10, c = 0.8 (i0 ≈ 376.8 mm/h) on a
// 40 m bare strip (land use 0) with VIB = 10 mm/h, St = 0.08, nt = 0.1.
class EncostaCinematicaTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        chuva.SetK(1500);
        chuva.SetTr(10);
        chuva.SetA(0.2);
        chuva.SetB(10);
        chuva.SetC(0.8);
        encosta.SetVIB(10);
        encosta.SetSt(0.08);
        encosta.nt.Valor = 0.1;
        encosta.SetComprimento(40);
    }

    std::unique_ptr<THidrograma> Calcula() { return encosta.CalculaHidrogramaEncosta(encosta.NumeroNos(), chuva); }

    TPrecipitacaoExponencialNegativa chuva;
    TEncostaCinematica encosta;
};

TEST(EncostaCinematicaGrade, NodesAndSpaceStepFollowTheLength)
{
    struct Caso {
        std::int32_t comprimento;
        int nos;
        double dx;
    };
    for (const Caso c : {Caso{40, 100, 0.4}, Caso{50, 100, 0.5}, Caso{60, 120, 0.5}, Caso{1, 100, 0.01},
                         Caso{1500, 3000, 0.5}}) {
        SCOPED_TRACE(c.comprimento);
        TEncostaCinematica e;
        e.SetComprimento(c.comprimento);
        EXPECT_EQ(e.NumeroNos(), c.nos);
        EXPECT_DOUBLE_EQ(e.PassoEspaco(), c.dx);
    }
}

TEST(EncostaCinematicaGrade, TimeStepByInfiltrationRateWithBoundsClosingTheirRow)
{
    struct Caso {
        double vib;
        double dt;
    };
    for (const Caso c : {Caso{0, 0.35}, Caso{10, 0.35}, Caso{10.01, 0.30}, Caso{30, 0.30}, Caso{60, 0.25},
                         Caso{90, 0.20}, Caso{120, 0.15}, Caso{121, 0.10}}) {
        SCOPED_TRACE(c.vib);
        EXPECT_DOUBLE_EQ(TEncostaCinematica::PassoTempo(c.vib), c.dt);
    }
}

TEST(EncostaCinematica, SetComprimentoRejectsNegativeLengthsOnly)
{
    TEncostaCinematica e;
    e.SetComprimento(25);
    try {
        e.SetComprimento(-1);
        FAIL() << "a negative length must raise";
    } catch (const Exception& ex) {
        EXPECT_STREQ(ex.what(), "O Item do comprimento da encosta não pode ser menor ou igual a zero.");
    }
    EXPECT_EQ(e.Comprimento, 25);
    e.SetComprimento(0);
    EXPECT_EQ(e.Comprimento, 0);

    e.Zerar();
    EXPECT_EQ(e.Comprimento, 0);
    EXPECT_EQ(e.VIB, 0.0);
}

TEST_F(EncostaCinematicaTest, WorkedExampleHydrograph)
{
    EXPECT_NEAR(encosta.TempoPreenchimento(chuva), 0.2553, 5e-5);
    EXPECT_NEAR(encosta.TempoFinalEscoamento(chuva, 10), 154.01, 5e-3);

    const auto h = Calcula();
    ASSERT_GT(h->Quantidade(), 3u);

    // Starts at the filling time with no outflow, one step of 0.35 min later
    // the first outflow.
    EXPECT_NEAR(h->Tempo(0), 0.2553, 5e-5);
    EXPECT_EQ(h->Vazao(0), 0.0);
    EXPECT_NEAR(h->Tempo(1), 0.6053, 5e-5);
    EXPECT_NEAR(h->Vazao(1), 0.0856, 5e-5);

    // Peak about 2.48 L/s per metre near 4.46 min.
    std::size_t pico = 0;
    for (std::size_t i = 1; i < h->Quantidade(); ++i)
        if (h->Vazao(i) > h->Vazao(pico))
            pico = i;
    EXPECT_NEAR(h->Vazao(pico), 2.480, 1e-3);
    EXPECT_NEAR(h->Tempo(pico), 4.455, 1e-3);

    // Ends near 170.0 min with a zero point.
    const std::size_t ultimo = h->Quantidade() - 1;
    EXPECT_NEAR(h->Tempo(ultimo), 170.005, 1e-3);
    EXPECT_EQ(h->Vazao(ultimo), 0.0);
}

TEST_F(EncostaCinematicaTest, HydrographConservesTheRainExcess)
{
    const auto h = Calcula();
    ASSERT_GT(h->Quantidade(), 3u);

    // Times advance by whole steps of 0.35 min; no outflow exceeds the
    // steady-state outflow of the whole strip under the peak excess.
    const double qMaxRegime = 40 * (376.8 - 10) / 3600;  // L/s per metre
    double volume = 0;                                   // L per metre of width
    for (std::size_t i = 1; i < h->Quantidade(); ++i) {
        EXPECT_NEAR(h->Tempo(i) - h->Tempo(i - 1), 0.35, 1e-9);
        EXPECT_GE(h->Vazao(i), 0.0);
        EXPECT_LT(h->Vazao(i), qMaxRegime);
        volume += (h->Tempo(i) - h->Tempo(i - 1)) * 60 * (h->Vazao(i) + h->Vazao(i - 1)) / 2;
    }

    // Excess rain between the filling time and the end of the excess, over
    // the 40 m strip: what reaches the outlet, less the little that the
    // sheet left on the slope loses to infiltration after the excess ends.
    const double tp = encosta.TempoPreenchimento(chuva);
    const double tf = encosta.TempoFinalEscoamento(chuva, 10);
    const double excesso = 40 * (chuva.LaminaEntre(tf, tp) - 10 * (tf - tp) / 60);  // L per metre
    EXPECT_LE(volume, excesso);
    EXPECT_GT(volume, 0.95 * excesso);
}

TEST_F(EncostaCinematicaTest, NoRunoffGivesAnEmptyHydrograph)
{
    // The storm starts below the infiltration rate.
    encosta.SetVIB(400);
    EXPECT_EQ(Calcula()->Quantidade(), 0u);

    // CN 15 (Ia ≈ 287.9 mm): the abstraction fills after the excess ends.
    encosta.SetVIB(200);
    encosta.Cobertura.UsoTerra.Indice = 4;
    encosta.Cobertura.Tratamento.Indice = 2;
    encosta.Cobertura.CondicaoHidrologica.Indice = 3;
    EXPECT_EQ(Calcula()->Quantidade(), 0u);
}

TEST_F(EncostaCinematicaTest, NegativeExcessAtTheFirstStepLeavesOnlyTheStartPointWhichIsCleared)
{
    // CN 89: tp ≈ 1.0858 min; with VIB = j(tp + 0.05) the excess ends before
    // tp + dt (dt = 0.1 min).
    encosta.SetVIB(317.504);
    const double tp = encosta.TempoPreenchimento(chuva);
    const double tf = encosta.TempoFinalEscoamento(chuva, encosta.VIB);
    ASSERT_LT(tp, tf);
    ASSERT_GT(tp + 0.1, tf);
    EXPECT_EQ(Calcula()->Quantidade(), 0u);
}

TEST_F(EncostaCinematicaTest, StormStartingExactlyAtTheInfiltrationRateRaises)
{
    const double i0 = chuva.IntensidadeInstantanea(0);
    encosta.SetVIB(i0);
    try {
        Calcula();
        FAIL() << "expected the no-runoff error";
    } catch (const Exception& ex) {
        EXPECT_STREQ(ex.what(), "Para as condições especificadas, não há ocorrência de escoamento.");
    }
}

TEST_F(EncostaCinematicaTest, NonConvergenceMessageEndsWithTheContactBlock)
{
    // With c < 1 the instantaneous intensity stays above
    // i(t)·(1 − c) > 0: Newton for j(t) = 0 runs away to ever larger times.
    try {
        encosta.TempoFinalEscoamento(chuva, 0);
        FAIL() << "expected the no-convergence error";
    } catch (const Exception& ex) {
        const std::string msg = ex.what();
        EXPECT_EQ(msg.rfind("Não houve convergência quando calculando o tempo final do escoamento.\n"
                            "Favor entrar em contato com o QORM, no endereço abaixo, e informar as "
                            "condições de simulação.\n    ",
                            0),
                  0u);
        EXPECT_EQ(msg.back(), '\n');
    }
}

TEST_F(EncostaCinematicaTest, ErrorsBeforeTheTimeSteppingPropagate)
{
    encosta.SetComprimento(0);  // dx = 0: the grid cannot be sized
    EXPECT_THROW(encosta.CalculaHidrogramaEncosta(100, chuva), EMathError);

    encosta.SetComprimento(40);
    encosta.nt.Valor = 0;  // no Manning coefficient
    EXPECT_THROW(Calcula(), EMathError);

    encosta.nt.Valor = 0.1;
    EXPECT_THROW(encosta.CalculaHidrogramaEncosta(1, chuva), Exception);    // too few nodes to route
    EXPECT_THROW(encosta.CalculaHidrogramaEncosta(101, chuva), Exception);  // more nodes than the strip
}

// A storm whose intensity faults, as an overflow would, between 3 and 7 min:
// after the first points of the hydrograph, and between the Newton iterates
// (1, 7.73, 18.8, … min) that find the end of the excess.
class ChuvaComFalha : public TPrecipitacaoExponencialNegativa {
public:
    double TempoFalha = 3.0;
    double IntensidadeInstantanea(double t) override
    {
        if (t > TempoFalha && t < TempoFalha + 4)
            throw EMathError("Estouro de ponto flutuante.");
        return TPrecipitacaoExponencialNegativa::IntensidadeInstantanea(t);
    }
};

TEST_F(EncostaCinematicaTest, FaultDuringTheTimeSteppingKeepsThePartialHydrograph)
{
    ChuvaComFalha falha;
    falha.SetK(1500);
    falha.SetTr(10);
    falha.SetA(0.2);
    falha.SetB(10);
    falha.SetC(0.8);

    const auto h = encosta.CalculaHidrogramaEncosta(encosta.NumeroNos(), falha);
    ASSERT_GE(h->Quantidade(), 3u);
    // Points up to the fault, then the closing zero one step later.
    const std::size_t ultimo = h->Quantidade() - 1;
    EXPECT_EQ(h->Vazao(ultimo), 0.0);
    EXPECT_GT(h->Vazao(ultimo - 1), 0.0);
    EXPECT_LE(h->Tempo(ultimo - 1), 3.0);
    EXPECT_GT(h->Tempo(ultimo - 1), 3.0 - 0.35 - 1e-9);
}

} // namespace
} // namespace vastrel

#include "rainfall/EquacaoIdf.h"

#include "common/Exceptions.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vastrel;

namespace {

std::vector<TPontoIdf> Tabela(double K, double a, double b, double c)
{
    std::vector<TPontoIdf> p;
    for (double tr : TemposRetornoReferencia())
        for (double t : DuracoesReferencia())
            p.push_back({tr, t, IntensidadeIdf(K, a, b, c, tr, t)});
    return p;
}

TEST(AjustarIdfTest, RecoversTheEquationThatMadeTheTable)
{
    struct Caso {
        double K, a, b, c;
    };
    for (const Caso& e : {Caso{1000, 0.2, 10, 0.8}, Caso{4402.8, 0.1639, 45.3, 0.9417}, Caso{1387.98, 0.1, 12, 0.78},
                          Caso{800, 0.15, 0, 0.7}, Caso{20000, 0.25, 150, 1.2}}) {
        const TAjusteIdf r = AjustarIdf(Tabela(e.K, e.a, e.b, e.c));
        EXPECT_NEAR(r.K / e.K, 1, 1e-4) << e.K;
        EXPECT_NEAR(r.A, e.a, 1e-6) << e.K;
        EXPECT_NEAR(r.B, e.b, 1e-3) << e.K;
        EXPECT_NEAR(r.C, e.c, 1e-5) << e.K;
        EXPECT_LT(r.ErroMaximo, 1e-5) << e.K;
    }
}

TEST(AjustarIdfTest, TheMeanOfTwoStormsIsFollowedCloselyAndTheErrorIsReported)
{
    // Two quite different storms averaged point by point: no single
    // equation passes through the means, and the fit says by how much.
    std::vector<TPontoIdf> p = Tabela(1000, 0.1, 10, 0.7);
    const std::vector<TPontoIdf> q = Tabela(4000, 0.25, 40, 1.0);
    for (std::size_t i = 0; i < p.size(); ++i)
        p[i].Intensidade = (p[i].Intensidade + q[i].Intensidade) / 2;
    const TAjusteIdf r = AjustarIdf(p);
    EXPECT_GT(r.ErroMaximo, 1e-4);
    EXPECT_LT(r.ErroMaximo, 0.10);
    EXPECT_LE(r.ErroMedio, r.ErroMaximo);
    for (const TPontoIdf& x : p)
        EXPECT_NEAR(IntensidadeIdf(r.K, r.A, r.B, r.C, x.Tr, x.Duracao) / x.Intensidade, 1, r.ErroMaximo + 1e-12);
}

TEST(AjustarIdfTest, RefusesTablesItCannotFit)
{
    EXPECT_THROW(AjustarIdf({{10, 60, 50}, {10, 30, 70}, {2, 60, 40}}), Exception);
    std::vector<TPontoIdf> p = Tabela(1000, 0.2, 10, 0.8);
    p[3].Intensidade = 0;
    EXPECT_THROW(AjustarIdf(p), Exception);
    p[3].Intensidade = NAN;
    EXPECT_THROW(AjustarIdf(p), Exception);
}

TEST(AvisoEquacaoTest, PublishedEquationsOutOfRangeAreFlagged)
{
    // Bocaina do Sul (SC) and Serra Talhada (PE) as the compilation gives them.
    const std::string bocaina = AvisoEquacao(9763, 0.1743, 9.1, 0.7887);
    EXPECT_NE(bocaina.find("i(10 anos, 60 min)"), std::string::npos) << bocaina;
    const std::string serra = AvisoEquacao(764.167, 0.76, 12.879, 0.66);
    EXPECT_NE(serra.find("a = "), std::string::npos) << serra;
    EXPECT_EQ(serra.rfind("Equação implausível (", 0), 0u);
    // Plausible ones: Piracicaba-like and Manaus.
    EXPECT_EQ(AvisoEquacao(4402.8, 0.1639, 45.3, 0.9417), "");
    EXPECT_EQ(AvisoEquacao(1387.98, 0.1, 12.0, 0.78), "");
    // A c out of range, and a K that gives no storm at all.
    EXPECT_NE(AvisoEquacao(5000, 0.2, 30, 1.6).find("c = "), std::string::npos);
    EXPECT_NE(AvisoEquacao(0, 0.2, 30, 0.9), "");
}

} // namespace

#include "engine/Hidrograma.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>
#include <vector>

namespace vastrel {
namespace {

// Builds a hydrograph from (time, discharge) pairs.
THidrograma Serie(std::initializer_list<std::pair<double, double>> pontos)
{
    THidrograma h;
    for (const auto& [tempo, vazao] : pontos)
        h.Adicionar(vazao, tempo);
    return h;
}

std::vector<double> Vazoes(const THidrograma& h)
{
    std::vector<double> v;
    for (std::size_t i = 0; i < h.Quantidade(); ++i)
        v.push_back(h.Vazao(i));
    return v;
}

TEST(HidrogramaValorEm, InterpolatesInsideAndIsZeroAtAndBeyondTheEnds)
{
    const THidrograma h = Serie({{0, 1}, {1, 2}, {2, 4}, {3, 7}, {5, 9}});
    struct Caso {
        double t;
        double esperado;
    };
    for (const Caso c : {Caso{-1, 0}, Caso{0, 0}, Caso{5, 0}, Caso{6, 0},  // ends and beyond
                         Caso{1, 2}, Caso{2, 4}, Caso{3, 7},               // interior points
                         Caso{1.5, 3}, Caso{0.25, 1.25}, Caso{4, 8}}) {    // interpolated
        SCOPED_TRACE(c.t);
        EXPECT_DOUBLE_EQ(h.ValorEm(c.t), c.esperado);
    }
}

TEST(HidrogramaValorEm, EmptyAndSinglePointSeriesGiveZero)
{
    THidrograma h;
    EXPECT_EQ(h.ValorEm(1.0), 0.0);
    h.Adicionar(5.0, 1.0);
    EXPECT_EQ(h.ValorEm(1.0), 0.0);
    EXPECT_EQ(h.ValorEm(0.5), 0.0);
}

TEST(HidrogramaSuavizarRecessao, StraightensTheFallingLimbFromTheRisePoint)
{
    THidrograma h = Serie({{0, 0}, {1, 5}, {2, 3}, {3, 4}, {4, 1}, {5, 0}});
    h.SuavizarRecessao();
    EXPECT_EQ(Vazoes(h), (std::vector<double>{0, 5, 3, 2, 1, 0}));
    EXPECT_EQ(h.Tempo(3), 3.0);
}

TEST(HidrogramaSuavizarRecessao, LeavesARiseThenFallAndAPlateauUnchanged)
{
    for (const std::vector<double>& q : {std::vector<double>{0, 2, 5, 5, 3, 1, 0},
                                         std::vector<double>{0, 1, 2, 3}}) {
        THidrograma h;
        for (std::size_t i = 0; i < q.size(); ++i)
            h.Adicionar(q[i], static_cast<double>(i));
        h.SuavizarRecessao();
        EXPECT_EQ(Vazoes(h), q);
    }
}

TEST(HidrogramaSuavizarRecessao, RiseAtTheLastPointKeepsEveryPoint)
{
    // k is the last index: the line has no interior point to move.
    THidrograma h = Serie({{0, 0}, {1, 5}, {2, 3}, {3, 4}});
    h.SuavizarRecessao();
    EXPECT_EQ(Vazoes(h), (std::vector<double>{0, 5, 3, 4}));
}

TEST(Hidrograma, HoldsMoreThan65535PointsWithoutWrapping)
{
    THidrograma h;
    const std::size_t n = 70000;
    for (std::size_t i = 0; i < n; ++i)
        h.Adicionar(static_cast<double>(i) * 2.0, static_cast<double>(i));
    ASSERT_EQ(h.Quantidade(), n);
    EXPECT_EQ(h.Tempo(n - 1), 69999.0);
    EXPECT_DOUBLE_EQ(h.ValorEm(69000.5), 138001.0);

    h.Limpar();
    EXPECT_EQ(h.Quantidade(), 0u);
    EXPECT_EQ(h.ValorEm(10.0), 0.0);
}

} // namespace
} // namespace vastrel

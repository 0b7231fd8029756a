#include "engine/Regressao.h"

#include <gtest/gtest.h>

#include <vector>

#include "common/Exceptions.h"

namespace vastrel {
namespace {

TRegressao Pares(const std::vector<double>& x, const std::vector<double>& y)
{
    TRegressao r(static_cast<int>(x.size()));
    r.X = x;
    r.Y = y;
    return r;
}

TEST(Regressao, LinearFitRecoversAnExactLineAndFitsNoisyDataByLeastSquares)
{
    const auto [a, b] = Pares({0, 1, 2, 3}, {1, 3, 5, 7}).AjusteLinear();
    EXPECT_DOUBLE_EQ(a, 1.0);
    EXPECT_DOUBLE_EQ(b, 2.0);

    // (0,0), (1,1), (2,1): b = 0.5, a = 1/6 by the normal equations.
    const auto [a2, b2] = Pares({0, 1, 2}, {0, 1, 1}).AjusteLinear();
    EXPECT_NEAR(a2, 1.0 / 6.0, 1e-15);
    EXPECT_NEAR(b2, 0.5, 1e-15);
}

TEST(Regressao, PowerFitRecoversCoefficientAndExponent)
{
    const auto [a, b] = Pares({1, 10, 100}, {2, 20, 200}).AjustePotencia();
    EXPECT_NEAR(a, 2.0, 1e-12);
    EXPECT_NEAR(b, 1.0, 1e-12);

    const auto [a2, b2] = Pares({1, 2, 4, 8}, {3, 3 * 1.5874010519681994, 3 * 2.5198420997897464, 12})
                              .AjustePotencia();
    EXPECT_NEAR(a2, 3.0, 1e-12);
    EXPECT_NEAR(b2, 2.0 / 3.0, 1e-12);
}

TEST(Regressao, PowerFitCountsAZeroOrdinateAsLogZero)
{
    // y = 0 gives log10 y' = 0, the same as y = 1: the logarithms lie on
    // the line through (0, 0), (1, 1), (2, 2).
    const auto [a, b] = Pares({1, 10, 100}, {0, 10, 100}).AjustePotencia();
    EXPECT_NEAR(a, 1.0, 1e-12);
    EXPECT_NEAR(b, 1.0, 1e-12);
}

TEST(Regressao, FaultsRaiseInsteadOfReturningInfinities)
{
    EXPECT_THROW(Pares({0, 1, 2}, {1, 2, 3}).AjustePotencia(), EMathError);   // log10 0
    EXPECT_THROW(Pares({-1, 1, 2}, {1, 2, 3}).AjustePotencia(), EMathError);  // log10 of x < 0
    EXPECT_THROW(Pares({1, 2, 3}, {1, -2, 3}).AjustePotencia(), EMathError);  // log10 of y < 0
    EXPECT_THROW(Pares({2, 2, 2}, {1, 2, 3}).AjusteLinear(), EMathError);     // one abscissa
    EXPECT_THROW(TRegressao(0).AjusteLinear(), EMathError);                   // no pairs
}

TEST(Regressao, ArraysShorterThanTheDeclaredCountRaise)
{
    TRegressao r(3);
    r.X = {1, 2};
    EXPECT_THROW(r.AjusteLinear(), Exception);
    EXPECT_THROW(r.AjustePotencia(), Exception);
}

} // namespace
} // namespace vastrel

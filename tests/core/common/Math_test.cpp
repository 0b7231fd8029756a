#include "common/CheckedMath.h"
#include "common/Exceptions.h"
#include "common/Rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace vastrel;

TEST(CheckedMathTest, FaultsRaiseInsteadOfProducingInfinityOrNaN)
{
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_THROW(cm::Div(1, 0), EMathError);
    EXPECT_THROW(cm::Div(1e308, 1e-308), EMathError);
    EXPECT_THROW(cm::Ln(0), EMathError);
    EXPECT_THROW(cm::Ln(-1), EMathError);
    EXPECT_THROW(cm::Log10(0), EMathError);
    EXPECT_THROW(cm::Power(0, 0.5), EMathError);
    EXPECT_THROW(cm::Power(-8, 1.0 / 3.0), EMathError);
    EXPECT_THROW(cm::Power(10, 400), EMathError);
    EXPECT_THROW(cm::Exp(1000), EMathError);
    EXPECT_THROW(cm::Sqrt(-1e-12), EMathError);
    EXPECT_THROW(cm::Finite(inf), EMathError);
    EXPECT_THROW(cm::Finite(std::nan("")), EMathError);
    EXPECT_THROW(cm::ArcTan(inf), EMathError);
}

TEST(CheckedMathTest, ValuesMatchTheLibrary)
{
    EXPECT_DOUBLE_EQ(cm::Div(1, 4), 0.25);
    EXPECT_NEAR(cm::Power(10, 0.2), std::pow(10.0, 0.2), 1e-15);
    EXPECT_NEAR(cm::Power(5, 0.58), 2.543329, 1e-6);
    EXPECT_EQ(cm::PowerOrZero(0, 0.8), 0.0);
    EXPECT_DOUBLE_EQ(cm::Sqrt(0), 0.0);
    EXPECT_DOUBLE_EQ(cm::Log10(100), 2.0);
}

TEST(RoundingTest, HalvesGoToTheEvenNeighbour)
{
    const struct {
        double x;
        std::int64_t r;
    } cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {2.4999, 2}, {2.5001, 3}, {80.0, 80}};
    for (const auto& c : cases)
        EXPECT_EQ(RoundHalfEven(c.x), c.r) << c.x;
    EXPECT_THROW(RoundHalfEven(1e300), EMathError);
    EXPECT_THROW(RoundHalfEven(std::nan("")), EMathError);
    EXPECT_EQ(TruncChecked(-2.7), -2);
}

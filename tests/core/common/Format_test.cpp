#include "common/Format.h"

#include "common/Exceptions.h"
#include "common/Locale.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

using namespace vastrel;

namespace {

struct MaskCase {
    const char* mask;
    double value;
    const char* comma; // expected with a decimal comma
};

class FormatFloatTest : public ::testing::TestWithParam<MaskCase> {};

TEST_P(FormatFloatTest, FormatsWithTheLocaleSeparator)
{
    const MaskCase& c = GetParam();
    {
        ScopedDecimalSeparator sep(',');
        EXPECT_EQ(FormatFloat(c.mask, c.value), c.comma) << c.mask << " " << c.value;
    }
    ScopedDecimalSeparator sep('.');
    std::string point = c.comma;
    for (char& ch : point)
        if (ch == ',')
            ch = '.';
    EXPECT_EQ(FormatFloat(c.mask, c.value), point) << c.mask << " " << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    Masks, FormatFloatTest,
    ::testing::Values(MaskCase{"0.0######", 0.05, "0,05"}, MaskCase{"0.0######", 5, "5,0"},
                      MaskCase{"0.0######", 0.123456789, "0,1234568"},
                      MaskCase{"0.0#", 18.3333, "18,33"}, MaskCase{"0.0#", 2, "2,0"},
                      MaskCase{"#0.000", 0.5, "0,500"}, MaskCase{"#0.000", 1234.5678, "1234,568"},
                      MaskCase{"0.##", 2, "2"}, MaskCase{"0.##", 3.14159, "3,14"},
                      MaskCase{"0.##", 0.001, "0"}, MaskCase{" #0.0", 476.04, " 476,0"},
                      MaskCase{" #0.0", -3.25, " -3,3"}, MaskCase{"##0.0##", 0.1, "0,1"},
                      MaskCase{"####.000", 0.5, ",500"}, MaskCase{"####.000", 12.3456, "12,346"},
                      MaskCase{"0.0", 0.25, "0,3"}, MaskCase{"0.0", -0.04, "0,0"},
                      MaskCase{"0.00", 1.005, "1,00"}, MaskCase{"0.00", 9.999, "10,00"},
                      MaskCase{" 0.000", 0.721, " 0,721"}, MaskCase{"0.0###", 5, "5,0"},
                      MaskCase{"0", 2.5, "3"}, MaskCase{"00", 7, "07"},
                      MaskCase{"0.0;(0.0);zero", -1.25, "(1,3)"},
                      MaskCase{"0.0;(0.0);zero", 0, "zero"}));

TEST(FloatToStrTest, ShortestGeneralForm)
{
    ScopedDecimalSeparator sep(',');
    EXPECT_EQ(FloatToStr(0), "0");
    EXPECT_EQ(FloatToStr(0.05), "0,05");
    EXPECT_EQ(FloatToStr(1500), "1500");
    EXPECT_EQ(FloatToStr(-2.5), "-2,5");
    EXPECT_EQ(FloatToStr(0.1 + 0.2), "0,3"); // 15 significant digits hide the binary residue
    EXPECT_EQ(FloatToStr(1.0 / 3.0), "0,333333333333333");
    EXPECT_EQ(FloatToStr(0.00001), "0,00001");
    EXPECT_EQ(FloatToStr(0.000001), "1E-6");
    EXPECT_EQ(FloatToStr(1.5e-7), "1,5E-7");
    EXPECT_EQ(FloatToStr(123456789012345.0), "123456789012345");
    EXPECT_EQ(FloatToStr(1e20), "1E20");
    EXPECT_THROW(FloatToStr(std::numeric_limits<double>::infinity()), EMathError);
}

TEST(FloatToStrTest, ReadsBackThroughParseFloat)
{
    for (char sep : {',', '.'}) {
        ScopedDecimalSeparator s(sep);
        for (double v : {0.0, 1.0, -0.001, 66.5660, 1e-9, 3.141592653589793, 1.2345e18}) {
            const auto back = ParseFloat(FloatToStr(v));
            ASSERT_TRUE(back.has_value()) << FloatToStr(v);
            EXPECT_NEAR(*back, v, std::fabs(v) * 1e-14);
        }
    }
}

TEST(ParseFloatTest, AcceptsCommaOrPointAndRejectsTheRest)
{
    EXPECT_EQ(ParseFloat("0,5"), 0.5);
    EXPECT_EQ(ParseFloat("0.5"), 0.5);
    EXPECT_EQ(ParseFloat(" -12,25 "), -12.25);
    EXPECT_EQ(ParseFloat("+3"), 3.0);
    EXPECT_EQ(ParseFloat("1,5E-7"), 1.5e-7);
    EXPECT_EQ(ParseFloat(",5"), 0.5);
    for (const char* bad : {"", "  ", "abc", "1,2,3", "1.234,5", "inf", "nan", "0x10", "1e999", "--1", "+-1", "5 m"})
        EXPECT_FALSE(ParseFloat(bad).has_value()) << bad;
    EXPECT_THROW(StrToFloat("x"), EConvertError);
}

TEST(ParseIntTest, DecimalIntegersOnly)
{
    EXPECT_EQ(ParseInt("-1"), -1);
    EXPECT_EQ(ParseInt(" 42 "), 42);
    EXPECT_EQ(ParseInt("+7"), 7);
    for (const char* bad : {"", "1.0", "1,5", "abc", "99999999999999999999", "3x"})
        EXPECT_FALSE(ParseInt(bad).has_value()) << bad;
}

// Qt applies the user's locale to the C library when the desktop program
// starts; in pt_BR.UTF-8 the C library writes "0,5". The conversions must not
// notice: they write the separator the program chose, nothing else.
TEST(FormatTest, IgnoresTheCLibraryLocale)
{
    const std::string antes = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "pt_BR.UTF-8"))
        GTEST_SKIP() << "pt_BR.UTF-8 não está instalada (scripts/install-deps.sh a gera)";
    ASSERT_EQ(std::localeconv()->decimal_point[0], ',');
    for (char sep : {',', '.'}) {
        ScopedDecimalSeparator s(sep);
        const std::string d(1, sep);
        EXPECT_EQ(FormatFloat("0.0######", 0.05), "0" + d + "05");
        EXPECT_EQ(FloatToStr(-2.5), "-2" + d + "5");
        EXPECT_EQ(FloatToStr(1.5e-7), "1" + d + "5E-7");
        EXPECT_EQ(FormatGeneral(3.14159, 3), "3" + d + "14");
        EXPECT_EQ(ParseFloat(FloatToStr(66.566)), 66.566);
    }
    EXPECT_EQ(FloatToJson(0.25), "0.25");
    std::setlocale(LC_ALL, antes.c_str());
}

TEST(FloatToJsonTest, AlwaysAPointAndFullPrecision)
{
    ScopedDecimalSeparator sep(',');
    EXPECT_EQ(FloatToJson(0.1), "0.1");
    EXPECT_EQ(ParseFloat(FloatToJson(1.0 / 3.0)), 1.0 / 3.0);
}

} // namespace

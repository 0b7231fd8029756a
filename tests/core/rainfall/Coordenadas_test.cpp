#include "rainfall/Coordenadas.h"

#include "common/Exceptions.h"

#include <gtest/gtest.h>

using namespace vastrel;

namespace {

TEST(CoordenadasTest, TextToDegrees)
{
    struct Caso {
        const char* texto;
        double graus;
    };
    for (const Caso& c : {
             Caso{"19°45'30\"", 19 + (45 + 30 / 60.0) / 60},
             Caso{"00°00'00\"", 0},
             Caso{"73°59'59\"", 73 + (59 + 59 / 60.0) / 60},
             // North of the Equator: the minus sign negates the whole value.
             Caso{"-1°49'17\"", -(1 + (49 + 17 / 60.0) / 60)},
             Caso{"-0°30'00\"", -0.5},
         })
        EXPECT_DOUBLE_EQ(CoordenadaParaGraus(c.texto), c.graus) << c.texto;
}

TEST(CoordenadasTest, TextsThatAreNotCoordinatesRaiseConversionErrors)
{
    for (const char* texto : {"", "19°45'30", "19°45'30\"x", "1a°45'30\"", "19°4 '30\"", "  °  '  \"",
                              "19°60'00\"", "19°45'60\"", "--°45'30\"", "-12°45'30\"", "+1°45'30\""}) {
        EXPECT_THROW(CoordenadaParaGraus(texto), EConvertError) << texto;
        EXPECT_FALSE(CoordenadaValida(texto)) << texto;
    }
    try {
        CoordenadaParaGraus("ab°cd'ef\"");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'ab°cd'ef\"' não é uma coordenada válida (GG°MM'SS\").");
    }
}

TEST(CoordenadasTest, DegreesToTextTruncatesOrRounds)
{
    const double p = 19 + (45 + 30 / 60.0) / 60;
    // 19.7583333... is slightly below 19°45'30" in binary: truncation names
    // the second the point lies in, rounding the nearest one.
    EXPECT_EQ(GrausParaCoordenada(19.75), "19°45'00\"");
    EXPECT_EQ(GrausParaCoordenada(p + 1e-9), "19°45'30\"");
    EXPECT_EQ(GrausParaCoordenada(43.999), "43°59'56\"");
    EXPECT_EQ(GrausParaCoordenadaArredondada(43.999), "43°59'56\"");
    EXPECT_EQ(GrausParaCoordenadaArredondada(15.7795), "15°46'46\"");
    EXPECT_EQ(GrausParaCoordenadaArredondada(47.9297), "47°55'47\"");
    EXPECT_EQ(GrausParaCoordenadaArredondada(19.99999), "20°00'00\""); // carries into the degrees
    EXPECT_EQ(GrausParaCoordenadaArredondada(-3.84074), "-3°50'27\"");
    EXPECT_EQ(GrausParaCoordenada(-0.5), "-0°30'00\"");
    for (double fora : {100.0, -10.0, 1e300})
        EXPECT_THROW(GrausParaCoordenada(fora), Exception) << fora;
    EXPECT_THROW(GrausParaCoordenadaArredondada(-9.99999), Exception);
}

} // namespace

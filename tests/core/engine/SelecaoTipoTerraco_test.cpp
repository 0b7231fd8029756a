#include "engine/SelecaoTipoTerraco.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

using namespace vastrel;

namespace {

const char* const kParanaLarga = "Terraços de Base Larga";
const char* const kParanaMedia =
    "Vastrel com lado posterior do dique íngreme e Terraços de base média";
const char* const kParanaEstreita = "Terraços de Base Estreita";
const char* const kPatamar = "Terraços em Patamar";

const char* const kEmaterLarga =
    "Terraços de base larga sem captação de água externa à propriedade";
const char* const kEmaterDois =
    "Dois terraços de base larga e um terraço Tipo murundum (intercalados)";
const char* const kEmaterUm =
    "Um terraço de base larga e um terraço Tipo murundum (intercalados)";
const char* const kEmaterMurundum = "Terraços Tipo Murundum";

const char* const kLombardiMedia = "Terraços de Base Média";
const char* const kLombardiEstreita =
    "Terraços de Base Estreita (incluindo terraço Tipo embutido, leirão ou murundum)";

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

} // namespace

TEST(SelecaoTipoTerracoTest, EachSourceHonoursItsBounds)
{
    struct Caso {
        std::uint8_t fonte;
        double D;  // land slope, %
        const char* tipo;
    };
    const std::vector<Caso> casos = {
        // Paraná: right bounds inclusive, nothing outside 2..50 %.
        {0, 1.5, ""}, {0, 1.99, ""}, {0, 2, kParanaLarga}, {0, 8, kParanaLarga},
        {0, 8.01, kParanaMedia}, {0, 12, kParanaMedia}, {0, 12.01, kParanaEstreita},
        {0, 18, kParanaEstreita}, {0, 18.01, kPatamar}, {0, 50, kPatamar}, {0, 51, ""},
        {0, kNaN, ""},
        // Emater/RS: left bounds inclusive.
        {1, 0, kEmaterLarga}, {1, 8.99, kEmaterLarga}, {1, 9, kEmaterDois},
        {1, 9.99, kEmaterDois}, {1, 10, kEmaterUm}, {1, 11.99, kEmaterUm},
        {1, 12, kEmaterMurundum}, {1, 80, kEmaterMurundum}, {1, kNaN, ""},
        // Lombardi Neto: left bounds inclusive.
        {2, 0, kParanaLarga}, {2, 7.99, kParanaLarga}, {2, 8, kLombardiMedia},
        {2, 11.99, kLombardiMedia}, {2, 12, kLombardiEstreita}, {2, 17.99, kLombardiEstreita},
        {2, 18, kPatamar}, {2, 90, kPatamar}, {2, kNaN, ""},
        // Sources without a table empty the text.
        {4, 10, ""}, {255, 10, ""},
    };
    for (const Caso& caso : casos) {
        TSelecaoTipoTerraco sel;
        sel.TipoTerraco = "anterior";
        sel.MetTipoTerraco = caso.fonte;
        sel.Seleciona(caso.D);
        EXPECT_EQ(sel.TipoTerraco, caso.tipo) << "fonte " << int(caso.fonte) << ", D = " << caso.D;
    }
}

TEST(SelecaoTipoTerracoTest, ArbitratedTypeIsKeptBySeleciona)
{
    TSelecaoTipoTerraco sel;
    sel.MetTipoTerraco = 3;
    sel.SetTipoArbitrado(3);
    EXPECT_EQ(sel.TipoTerraco, "Vastrel do Tipo murundum");
    sel.Seleciona(10);
    EXPECT_EQ(sel.TipoTerraco, "Vastrel do Tipo murundum");
    EXPECT_EQ(sel.TipoArbitrado, 3);
}

TEST(SelecaoTipoTerracoTest, SetTipoArbitradoStoresTheByteAndNamesOnlyKnownTypes)
{
    struct Caso {
        int i;
        std::uint8_t byte;
        const char* tipo;
    };
    const std::vector<Caso> casos = {
        {0, 0, "Vastrel de base estreita"}, {1, 1, "Vastrel de base média"},
        {2, 2, "Vastrel de base larga"},    {3, 3, "Vastrel do Tipo murundum"},
        {4, 4, "Vastrel em patamar"},       {5, 5, ""},
        {-1, 255, ""},                      {-2, 254, ""},
        {256, 0, ""},  // wraps to 0 as a byte, but 256 names no type
    };
    for (const Caso& caso : casos) {
        TSelecaoTipoTerraco sel;
        sel.TipoTerraco = "anterior";
        sel.SetTipoArbitrado(caso.i);
        EXPECT_EQ(sel.TipoArbitrado, caso.byte) << caso.i;
        EXPECT_EQ(sel.TipoTerraco, caso.tipo) << caso.i;
    }
}

TEST(SelecaoTipoTerracoTest, ZerarRestoresTheNewState)
{
    TSelecaoTipoTerraco sel;
    EXPECT_EQ(sel.MetTipoTerraco, 0);
    EXPECT_EQ(sel.TipoArbitrado, 0);
    EXPECT_EQ(sel.TipoTerraco, "");
    sel.MetTipoTerraco = 2;
    sel.SetTipoArbitrado(4);
    sel.Zerar();
    EXPECT_EQ(sel.MetTipoTerraco, 0);
    EXPECT_EQ(sel.TipoArbitrado, 0);
    EXPECT_EQ(sel.TipoTerraco, "");
}

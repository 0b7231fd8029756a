// The rules of the consultation window, without the window.

#include "rainfall/SelecaoChuva.h"

#include "common/Exceptions.h"

#include <gtest/gtest.h>

using namespace vastrel;

namespace {

constexpr int MG = 12, AC = 0, ES = 7;

class SelecaoChuvaTest : public ::testing::Test {
protected:
    SelecaoChuvaTest() : bd_(std::filesystem::path{}), s_(bd_)
    {
        bd_.Estacoes[MG] = {TRegEstacao{"Centro", 1000, 0.1, 10, 0.7, "Fonte", "20°00'00\"", "45°00'00\"", ""},
                            TRegEstacao{"Absurda", 9763, 0.1743, 9.1, 0.7887, "Fonte", "21°00'00\"", "44°00'00\"", ""}};
        // A grid over 19–23° S, 39–46° W: K 2000, a 0.2, b 20, c 0.9.
        bd_.Grade.Colunas = 7;
        bd_.Grade.Linhas = 4;
        bd_.Grade.Lon0 = -46;
        bd_.Grade.Lat0 = -19;
        bd_.Grade.Celula = 1;
        for (int i = 0; i < 28; ++i)
            bd_.Grade.Valores.insert(bd_.Grade.Valores.end(), {2000.0f, 0.2f, 20.0f, 0.9f});
    }
    TBDPrecipitacao bd_;
    TSelecaoChuva s_;
};

TEST_F(SelecaoChuvaTest, ChangingTheStateForgetsThePlace)
{
    s_.MudarEstado(MG);
    ASSERT_TRUE(s_.EscolherEstacao(0));
    EXPECT_EQ(s_.Cidade(), "Centro");
    EXPECT_EQ(s_.Latitude(), "20°00'00\"");
    ASSERT_TRUE(s_.Chuva());
    EXPECT_EQ(s_.Chuva()->Registro.K, 1000);
    s_.MudarEstado(AC);
    EXPECT_EQ(s_.Estado(), AC);
    EXPECT_EQ(s_.Cidade(), "");
    EXPECT_EQ(s_.Latitude(), "");
    EXPECT_EQ(s_.Estacao(), -1);
    EXPECT_FALSE(s_.Chuva());
    EXPECT_EQ(s_.FonteCompleta(), "");
    EXPECT_FALSE(s_.EscolherEstacao(0)); // Acre has no station
    EXPECT_THROW(s_.MudarEstado(27), ENumeroEstado);
}

TEST_F(SelecaoChuvaTest, AnImplausibleStationIsShownWithItsWarning)
{
    s_.MudarEstado(MG);
    ASSERT_TRUE(s_.EscolherEstacao(1));
    EXPECT_NE(s_.Aviso(), "");
    EXPECT_NE(s_.FonteCompleta().find("Aviso: "), std::string::npos);
}

TEST_F(SelecaoChuvaTest, PointsAndLocalitiesTakeTheRuleOfTheirCoordinates)
{
    s_.MudarEstado(MG);
    s_.EscolherLocalidade(4, TRegLocalidade{"Vila", "20°05'00\"", "45°00'00\""});
    EXPECT_EQ(s_.Localidade(), 4);
    EXPECT_EQ(s_.Estacao(), -1);
    EXPECT_EQ(s_.Cidade(), "Vila");
    EXPECT_EQ(s_.Fonte(), "Interpolação");
    EXPECT_NE(s_.FonteCompleta().find("Centro (MG"), std::string::npos) << s_.FonteCompleta();

    // A point off the state's area on the map (a coastal town on a sea
    // pixel): still the storm of its coordinates, with a note.
    s_.EscolherPonto("20°10'00\"", "45°00'00\"", false);
    EXPECT_EQ(s_.Cidade(), kCidadeNaoDefinida);
    EXPECT_EQ(s_.Localidade(), -1);
    ASSERT_TRUE(s_.Chuva());
    EXPECT_NE(s_.Nota().find("fora da área do estado"), std::string::npos);
    // Far from any station: the grid, named.
    s_.EscolherPonto("22°30'00\"", "40°30'00\"", true);
    EXPECT_EQ(s_.Fonte(), "GRIDF-BR, grade 0,1°");
    EXPECT_NE(s_.Nota().find("50"), std::string::npos);
    // Outside the grid: the error, and the previous choice stays.
    EXPECT_THROW(s_.EscolherPonto("10°00'00\"", "60°00'00\"", true), Exception);
    EXPECT_EQ(s_.Latitude(), "22°30'00\"");
    EXPECT_EQ(s_.Fonte(), "GRIDF-BR, grade 0,1°");
}

TEST_F(SelecaoChuvaTest, AStateWithoutNearStationsGetsTheGridNotADistantStation)
{
    // Espírito Santo, about 490 km from the only usable station.
    s_.MudarEstado(ES);
    s_.EscolherPonto("20°20'00\"", "40°20'00\"", true);
    EXPECT_EQ(s_.Chuva()->Origem, TOrigemChuva::Grade);
    EXPECT_NEAR(s_.Chuva()->DistanciaKm, 490, 15);
    EXPECT_NE(s_.FonteCompleta().find("estação mais próxima a "), std::string::npos);
}

} // namespace

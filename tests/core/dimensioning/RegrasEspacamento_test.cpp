// Rules of the spacing on the dimensioning entry page and its method dialogs.

#include "dimensioning/RegrasEspacamento.h"

#include "common/Locale.h"

#include <gtest/gtest.h>

#include <limits>

using namespace vastrel;

TEST(RegrasEspacamentoTest, MethodDialogShowsARoundedSlopeButKeepsTheMeasuredOne)
{
    struct Caso {
        double medida;
        int maximo;
        int mostrada;
    };
    const Caso casos[] = {
        {0.065, 100, 6},  // 6.5 %: halves to even
        {0.075, 100, 8},
        {0.25, 20, 20},   // beyond the Paraná spin range
        {0.002, 100, 1},  // below the spin's minimum
        {1.5, 100, 100},
    };
    for (const Caso& caso : casos) {
        const TDeclividadeDialogo d(caso.medida, caso.maximo);
        EXPECT_EQ(d.Mostrada(), caso.mostrada) << caso.medida;
        // Left as shown: the measured slope is what the dialog computes with.
        EXPECT_EQ(d.St(d.Mostrada()), caso.medida) << caso.medida;
    }
    // A value the user picks is taken as picked.
    EXPECT_DOUBLE_EQ(TDeclividadeDialogo(0.065, 100).St(7), 0.07);
    EXPECT_DOUBLE_EQ(TDeclividadeDialogo(0.25, 20).St(19), 0.19);
    // No measured slope: the value shown is the slope.
    EXPECT_DOUBLE_EQ(TDeclividadeDialogo(0, 100).St(1), 0.01);
    EXPECT_DOUBLE_EQ(TDeclividadeDialogo(-0.03, 100).St(1), 0.01);
    EXPECT_EQ(TDeclividadeDialogo(std::numeric_limits<double>::quiet_NaN(), 100).Mostrada(), 1);
    EXPECT_EQ(MaximoDeclividadeDialogo(kMetodoParana), 20);
    EXPECT_EQ(MaximoDeclividadeDialogo(kMetodoBentley), 100);
    EXPECT_EQ(MaximoDeclividadeDialogo(kMetodoLombardiNeto), 100);
}

TEST(RegrasEspacamentoTest, BentleyAndParanaWarnAboveTwentyPercent)
{
    EXPECT_EQ(AvisoDeclividadeMetodo(kMetodoBentley, 0.21, false),
              "Para o metódo de Bentley, a declividade máxima recomendada é de 0,20 m/m");
    EXPECT_EQ(AvisoDeclividadeMetodo(kMetodoBentley, 0.21, true),
              "Para o metódo de Bentley, a declividade máxima recomendada é de 20 %");
    EXPECT_EQ(AvisoDeclividadeMetodo(kMetodoParana, 0.25, false),
              "Para o método de Paraná, a declividade máxima permitida é de 0,20 m/m");
    EXPECT_EQ(AvisoDeclividadeMetodo(kMetodoParana, 0.25, true),
              "Para o método de Paraná, a declividade máxima permitida é de 20 %");
    EXPECT_TRUE(AvisoDeclividadeMetodo(kMetodoBentley, 0.20, true).empty());
    EXPECT_TRUE(AvisoDeclividadeMetodo(kMetodoLombardiNeto, 0.5, true).empty());
    EXPECT_TRUE(AvisoDeclividadeMetodo(kMetodoParana, std::numeric_limits<double>::quiet_NaN(), true).empty());
}

TEST(RegrasEspacamentoTest, LevelTerracesAreNotRecommendedOnErosionGroupsCAndD)
{
    EXPECT_EQ(AvisoErosaoSistemaNivel(false, 3),
              "Conforme recomendação de Lombardi Neto, no solo do tipo D não deve ser implantado o sistema "
              "de terraceamento em nível. Neste caso, deve ser utilizado  o terraceamento com gradiente.");
    EXPECT_NE(AvisoErosaoSistemaNivel(false, 2).find("tipo C "), std::string::npos);
    EXPECT_TRUE(AvisoErosaoSistemaNivel(false, 1).empty());
    EXPECT_TRUE(AvisoErosaoSistemaNivel(true, 3).empty());
}

TEST(RegrasEspacamentoTest, SpacingFieldsFollowEachOtherThroughTheSlope)
{
    ScopedDecimalSeparator separador{','};
    // EV = EH·St: 5 % and 20 m give 1 m, and back.
    EXPECT_EQ(EVDoEH("5", "20", 100), "1,0");
    EXPECT_EQ(EHDoEV("5", "1", 100), "20,0");
    EXPECT_EQ(EVDoEH("0,05", "30", 1), "1,5");
    EXPECT_EQ(EHDoEV("0,08", "1,5", 1), "18,75");
    // Not numbers, or a flat field for EH: the other field is cleared.
    EXPECT_EQ(EVDoEH("", "20", 100), "");
    EXPECT_EQ(EVDoEH("5", "x", 100), "");
    EXPECT_EQ(EHDoEV("0", "1", 100), "");
    EXPECT_EQ(EHDoEV("5", "", 100), "");
}

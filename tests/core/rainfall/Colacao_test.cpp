#include "rainfall/Colacao.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace vastrel;

namespace {

TEST(ColacaoTest, PortugueseDictionaryOrder)
{
    // Each pair in order; byte order would put most of the second names first.
    struct Par {
        const char* antes;
        const char* depois;
    };
    for (const Par& p : {
             Par{"Ânhembi", "Anhumas"},          // accents do not count at first
             Par{"São Paulo", "Sapucaí"},         // ã sorts as a
             Par{"Cabrália", "Çaceres"},          // ç sorts as c
             Par{"Águas de Santa Bárbara", "Agudos"},
             Par{"Santa Cruz", "Santana"},        // a blank before any letter
             Par{"Arinos (INMET)", "Arinos - Montante"}, // punctuation by its code
             Par{"Km47", "Kma"},                  // digits before letters
             Par{"Porto Alegre", "porto alegrense"},
             Par{"Avare", "Avaré"},               // unaccented before accented
             Par{"Avaré", "Avarè"},               // acute before grave
             Par{"avaré", "Avaré"},               // then lower case before upper
             Par{"Olho d'Água", "Olho D'Água"},
             Par{"Ibiuna", "Ibiúna"},
         }) {
        EXPECT_LT(CompararNomes(p.antes, p.depois), 0) << p.antes << " / " << p.depois;
        EXPECT_GT(CompararNomes(p.depois, p.antes), 0) << p.depois << " / " << p.antes;
    }
    EXPECT_EQ(CompararNomes("Vitória", "Vitória"), 0);
    EXPECT_EQ(CompararNomes("", ""), 0);
    EXPECT_LT(CompararNomes("", "A"), 0);
}

TEST(ColacaoTest, SortingAListGivesOneOrder)
{
    std::vector<std::string> nomes = {"Uberlândia", "Ubá", "Ubaí", "Uberaba", "ubá", "UBÁ", "Ubatuba", "Uba"};
    std::sort(nomes.begin(), nomes.end(), NomeAntes);
    const std::vector<std::string> esperado = {"Uba", "ubá", "Ubá", "UBÁ", "Ubaí", "Ubatuba", "Uberaba", "Uberlândia"};
    EXPECT_EQ(nomes, esperado);
}

} // namespace

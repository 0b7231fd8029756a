// The identification dialog's confirmation: a change of content, not a key
// pressed, modifies the project.

#include "project/EdicaoIdentificacao.h"

#include <gtest/gtest.h>

using namespace vastrel;

TEST(EdicaoIdentificacaoTest, OnlyADifferentTextModifiesTheProject)
{
    TIDProjeto id;
    id.Nome = "Fazenda Boa Vista";
    id.Data = "10/12/2026";
    TTextosIdentificacao textos = TextosIdentificacao(id);
    EXPECT_EQ(textos[0], "Fazenda Boa Vista");
    EXPECT_EQ(textos[5], "10/12/2026");

    // The same texts (a key typed and erased again): no change.
    EXPECT_FALSE(AlterarIdentificacao(id, textos));

    textos[3] = "Paraná";
    EXPECT_TRUE(AlterarIdentificacao(id, textos));
    EXPECT_EQ(id.Estado, "Paraná");
    EXPECT_EQ(id.Nome, "Fazenda Boa Vista");
    EXPECT_FALSE(AlterarIdentificacao(id, textos));

    // Every field counts, the date included.
    for (std::size_t i = 0; i < textos.size(); ++i) {
        TTextosIdentificacao outros = TextosIdentificacao(id);
        outros[i] += "x";
        TIDProjeto copia = id;
        EXPECT_TRUE(AlterarIdentificacao(copia, outros)) << i;
        EXPECT_EQ(TextosIdentificacao(copia), outros) << i;
    }
}

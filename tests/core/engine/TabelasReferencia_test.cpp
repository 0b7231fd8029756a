// The published reference values of Z, Sm, nt and nc.

#include "engine/TabelasReferencia.h"

#include "common/Locale.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

using namespace vastrel;

namespace {

// The access key of an option text ("&" before it), 0 when none; "&&" is
// no access key.
char Atalho(std::string_view texto)
{
    const auto i = texto.find('&');
    if (i == std::string_view::npos || i + 1 >= texto.size())
        return 0;
    return static_cast<char>(std::tolower(static_cast<unsigned char>(texto[i + 1])));
}

template <class Tabela, class Texto>
void AtalhosUnicos(const Tabela& tabela, Texto texto, const char* nome)
{
    std::set<char> vistos;
    for (const auto& o : tabela) {
        if (const char a = Atalho(texto(o))) {
            EXPECT_TRUE(vistos.insert(a).second) << nome << ": " << texto(o);
        }
    }
}

} // namespace

TEST(TabelasReferenciaTest, RoughnessValuesLieInTheirIntervals)
{
    for (const TOpcaoRugosidade& o : OpcoesRugosidadeCanal) {
        EXPECT_LE(o.Minimo, o.Normal) << o.Opcao;
        EXPECT_LE(o.Normal, o.Maximo) << o.Opcao;
    }
    for (const TOpcaoRugosidade& o : OpcoesRugosidadeTerreno) {
        EXPECT_LE(o.Minimo, o.Normal) << o.Opcao;
        EXPECT_LE(o.Normal, o.Maximo) << o.Opcao;
    }
    EXPECT_EQ(OpcoesRugosidadeTerreno[14].Normal, 0.35);  // option 15
    EXPECT_EQ(OpcoesRugosidadeCanal[0].Normal, 0.018);
    // Every table heads its first option and names its source.
    EXPECT_FALSE(OpcoesRugosidadeTerreno[0].Grupo.empty());
    EXPECT_FALSE(OpcoesRugosidadeCanal[0].Grupo.empty());
    for (std::string_view fonte : {FonteZ, FonteSm, FonteRugosidadeTerreno, FonteRugosidadeCanal})
        EXPECT_EQ(fonte.substr(0, 7), "Fonte: ");
}

TEST(TabelasReferenciaTest, AccessKeysAreUniqueWithinEachTable)
{
    AtalhosUnicos(OpcoesZ, [](const TOpcaoZ& o) { return o.Material; }, "Z");
    AtalhosUnicos(OpcoesSm, [](const TOpcaoSm& o) { return o.Linha1; }, "Sm");
    AtalhosUnicos(OpcoesRugosidadeTerreno, [](const TOpcaoRugosidade& o) { return o.Opcao; }, "nt");
    AtalhosUnicos(OpcoesRugosidadeCanal, [](const TOpcaoRugosidade& o) { return o.Opcao; }, "nc");
}

TEST(TabelasReferenciaTest, SmRangeOfTheSeventhOptionInEitherUnit)
{
    ScopedDecimalSeparator separador{','};
    EXPECT_TRUE(SmNaFaixa(kOpcaoSmFaixa, 0.2, 1));
    EXPECT_TRUE(SmNaFaixa(kOpcaoSmFaixa, 0.2015, 1));
    EXPECT_TRUE(SmNaFaixa(kOpcaoSmFaixa, 0.186, 1));
    EXPECT_TRUE(SmNaFaixa(kOpcaoSmFaixa, 22.1, 100));
    EXPECT_FALSE(SmNaFaixa(kOpcaoSmFaixa, 0.9, 1));
    EXPECT_FALSE(SmNaFaixa(kOpcaoSmFaixa, 0.185, 1));
    EXPECT_FALSE(SmNaFaixa(kOpcaoSmFaixa, 0.2, 100));
    // A single-valued option takes whatever is typed.
    EXPECT_TRUE(SmNaFaixa(1, 0.9, 1));
    EXPECT_EQ(AvisoFaixaSm(1), "Valor de Sm inconsistente. Forneça um valor compreendido entre:[0,186 .. 0,221].");
    EXPECT_EQ(AvisoFaixaSm(100), "Valor de Sm inconsistente. Forneça um valor compreendido entre:[18,6 .. 22,1].");
    EXPECT_EQ(OpcoesZ[kOpcaoZDigitada - 1].Z, 0.0);
}

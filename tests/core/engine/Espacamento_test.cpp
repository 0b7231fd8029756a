#include "engine/Espacamento.h"

#include "common/IniFile.h"
#include "common/Locale.h"
#include "engine/TabelasEspacamento.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <sstream>
#include <vector>

using namespace vastrel;
using vastrel::test::ReadBytes;
using vastrel::test::TempDir;
using vastrel::test::WriteBytes;

namespace {

const std::string kErroCalculo = "Erro no cálculo do espaçamento.";

// Runs `acao` and returns the message of the exception of type E it raises;
// fails the test when it raises nothing or something else.
template <typename E>
std::string MensagemDe(const std::function<void()>& acao)
{
    try {
        acao();
    } catch (const E& e) {
        return e.what();
    } catch (const std::exception& e) {
        ADD_FAILURE() << "unexpected exception: " << e.what();
        return {};
    }
    ADD_FAILURE() << "no exception raised";
    return {};
}

} // namespace

// ---------------------------------------------------------------------------
// Published formulas: worked examples with their hand-computed results.

struct CasoFormula {
    const char* nome;
    std::function<void(TEspacamento&)> calcula;
    double EV, EH;  // expected, m
    double tolEV, tolEH;
};

class FormulaTest : public ::testing::TestWithParam<CasoFormula> {};

TEST_P(FormulaTest, GivesTheWorkedSpacing)
{
    const CasoFormula& caso = GetParam();
    TEspacamento esp;
    caso.calcula(esp);
    EXPECT_NEAR(esp.EV, caso.EV, caso.tolEV) << caso.nome;
    EXPECT_NEAR(esp.EH, caso.EH, caso.tolEH) << caso.nome;
}

INSTANTIATE_TEST_SUITE_P(
    Espacamento, FormulaTest,
    ::testing::Values(
        // (10/2.5 + 2)·0.305 = 1.83 m; 1.83/0.10 = 18.3 m.
        CasoFormula{"Bentley argiloso 10%", [](TEspacamento& e) { e.CalculaBentley(0.10); },
                    1.83, 18.3, 1e-12, 1e-10},
        // 0.4518·1.25·5^0.58·0.75 = 1.0773 m.
        CasoFormula{"Lombardi Neto 5%",
                    [](TEspacamento& e) {
                        e.Erosao.IndiceK = 1.25;
                        e.Cultura.IndiceU = 1.0;
                        e.Preparo.IndiceM = 0.5;
                        e.CalculaLombardiNeto(0.05);
                    },
                    1.077, 21.55, 5e-4, 5e-3},
        // 0.4518·1.212·12^0.58 = 2.3139 m.
        CasoFormula{"Paraná terra roxa 12%",
                    [](TEspacamento& e) {
                        e.Solo.Metodo = 2;
                        e.Solo.SetIndSolo(2);
                        e.CalculaParana(0.12);
                    },
                    2.314, 19.28, 5e-4, 5e-3},
        // H = 0.5 m; EH = 500·0.25·0.58/(40·0.08·0.5) = 45.3125 m; EV = 3.625 m.
        CasoFormula{"Altura arbitrada",
                    [](TEspacamento& e) { e.CalculaPorAltura(40, 0.5, 1, 0.60, 0.08); },
                    3.625, 45.3125, 1e-9, 1e-9},
        // The same heights with CDu = 4: H = 0.25 m, a quarter of the spacing.
        CasoFormula{"Altura arbitrada CDu 4",
                    [](TEspacamento& e) { e.CalculaPorAltura(40, 0.5, 4, 0.60, 0.08); },
                    3.625 / 4, 45.3125 / 4, 1e-9, 1e-9},
        // Through the table rows, as the method dialogs apply them.
        // (12/3 + 2)·0.305 = 1.83 m; 1.83/0.12 = 15.25 m.
        CasoFormula{"Bentley textura média 12%",
                    [](TEspacamento& e) {
                        e.Solo.SetIndSolo(1);
                        e.CalculaBentley(0.12);
                    },
                    1.83, 15.25, 1e-12, 1e-10},
        // 0.4518·0.835·5^0.58 = 0.9595 m.
        CasoFormula{"Paraná terra arenosa 5%",
                    [](TEspacamento& e) {
                        e.Solo.Metodo = 2;
                        e.Solo.SetIndSolo(0);
                        e.CalculaParana(0.05);
                    },
                    0.959, 19.19, 1e-3, 1e-2},
        // 0.4518·1.1·10^0.58·(1.25 + 1.5)/2 = 2.598 m (shown as 2.59 m and
        // 25.9 m when cut to two and one decimals).
        CasoFormula{"Lombardi Neto milho, grupo B, grupo 4, 10%",
                    [](TEspacamento& e) {
                        e.SetIndCultura(25);
                        e.SetIndErosao(1);
                        e.SetIndPreparo(3);
                        e.CalculaLombardiNeto(0.10);
                    },
                    2.598, 25.98, 5e-4, 5e-3}),
    [](const ::testing::TestParamInfo<CasoFormula>& p) {
        return "Caso" + std::to_string(p.index);
    });

TEST(EspacamentoTest, FormulasTakeXFromTheirOwnSoilList)
{
    // After a read in a fresh program the soil shows the Bentley list even
    // for a Paraná project; the Paraná formula still uses the Paraná value.
    TEspacamento parana;
    parana.Solo.SetIndSolo(2);  // "Solos de textura grossa", 3.5
    parana.CalculaParana(0.12);
    EXPECT_NEAR(parana.EV, 2.314, 5e-4);

    TEspacamento bentley;
    bentley.Solo.Metodo = 2;
    bentley.Solo.SetIndSolo(0);  // "Terra arenosa", 0.835
    bentley.CalculaBentley(0.10);
    EXPECT_NEAR(bentley.EV, 1.83, 1e-12);
}

TEST(EspacamentoTest, SettersClampNegativeAndNonNumbersToZero)
{
    TEspacamento esp;
    esp.SetEH(12.5);
    esp.SetEV(-1);
    EXPECT_EQ(esp.EH, 12.5);
    EXPECT_EQ(esp.EV, 0.0);
    esp.SetEH(std::nan(""));
    esp.SetEV(-0.0);
    EXPECT_EQ(esp.EH, 0.0);
    EXPECT_FALSE(std::signbit(esp.EV));

    // A steep negative slope gives a negative Bentley EV: stored as 0.
    esp.CalculaBentley(-0.5);
    EXPECT_EQ(esp.EV, 0.0);
    EXPECT_EQ(esp.EH, 0.0);
}

// ---------------------------------------------------------------------------
// The error guard.

struct CasoFalha {
    const char* nome;
    std::function<void(TEspacamento&)> calcula;
    bool guardaEV;  // the fault comes after EV was stored
};

class FalhaTest : public ::testing::TestWithParam<CasoFalha> {};

TEST_P(FalhaTest, RaisesTheSpacingErrorAndStoresNoInfinity)
{
    const CasoFalha& caso = GetParam();
    TEspacamento esp;
    esp.SetEH(7);
    esp.SetEV(1);
    EXPECT_EQ(MensagemDe<ECalculaEspacamento>([&] { caso.calcula(esp); }), kErroCalculo) << caso.nome;
    EXPECT_EQ(esp.EH, 7.0) << caso.nome;
    if (caso.guardaEV)
        EXPECT_NE(esp.EV, 1.0) << caso.nome;
    else
        EXPECT_EQ(esp.EV, 1.0) << caso.nome;
    EXPECT_TRUE(std::isfinite(esp.EV)) << caso.nome;
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Espacamento, FalhaTest,
    ::testing::Values(
        // Bentley stores EV = 0.61 m, then EH = EV/0 faults: new EV, old EH.
        CasoFalha{"Bentley St 0", [](TEspacamento& e) { e.CalculaBentley(0); }, true},
        CasoFalha{"Bentley EH infinito", [](TEspacamento& e) { e.CalculaBentley(1e-310); }, true},
        CasoFalha{"Bentley St NaN", [](TEspacamento& e) { e.CalculaBentley(kNaN); }, false},
        CasoFalha{"Bentley IndSolo fora", [](TEspacamento& e) {
                      e.Solo.IndSolo = 7;
                      e.CalculaBentley(0.1);
                  }, false},
        // D^0.58 is exp(0.58·ln D): the logarithm of 0 or of a negative slope.
        CasoFalha{"Lombardi Neto St 0", [](TEspacamento& e) { e.CalculaLombardiNeto(0); }, false},
        CasoFalha{"Lombardi Neto St negativo", [](TEspacamento& e) { e.CalculaLombardiNeto(-0.1); }, false},
        CasoFalha{"Lombardi Neto estouro", [](TEspacamento& e) {
                      e.Erosao.IndiceK = 1e308;
                      e.Cultura.IndiceU = 1e308;
                      e.CalculaLombardiNeto(0.1);
                  }, false},
        CasoFalha{"Paraná St 0", [](TEspacamento& e) { e.CalculaParana(0); }, false},
        CasoFalha{"Altura St 0", [](TEspacamento& e) { e.CalculaPorAltura(40, 0.5, 1, 0.6, 0); }, false},
        CasoFalha{"Altura Sm 0", [](TEspacamento& e) { e.CalculaPorAltura(40, 0, 1, 0.6, 0.08); }, false},
        CasoFalha{"Altura LES 0", [](TEspacamento& e) { e.CalculaPorAltura(0, 0.5, 1, 0.6, 0.08); }, false},
        CasoFalha{"Altura CDu 0", [](TEspacamento& e) { e.CalculaPorAltura(40, 0.5, 0, 0.6, 0.08); }, false},
        CasoFalha{"Altura CDu negativo", [](TEspacamento& e) { e.CalculaPorAltura(40, 0.5, -1, 0.6, 0.08); }, false},
        CasoFalha{"Altura Hr enorme", [](TEspacamento& e) { e.CalculaPorAltura(40, 0.5, 1, 1e200, 0.08); }, false},
        CasoFalha{"Método 3 St 0", [](TEspacamento& e) {
                      e.Metodologia.IndMetodologia = 3;
                      e.CalculaPorMetodo(0, 40, 0.5, 1, 0.6);
                  }, false},
        CasoFalha{"Método 5", [](TEspacamento& e) {
                      e.Metodologia.IndMetodologia = 5;
                      e.CalculaPorMetodo(0.1, 40, 0.5, 1, 0.6);
                  }, false}),
    [](const ::testing::TestParamInfo<CasoFalha>& p) {
        return "Caso" + std::to_string(p.index);
    });

// ---------------------------------------------------------------------------
// Dispatch by method index.

TEST(EspacamentoTest, CalculaPorMetodoRunsTheMethodOfTheIndex)
{
    const double St = 0.08, LES = 40, Sm = 0.5, CDu = 1, Hr = 0.6;
    const std::vector<std::function<void(TEspacamento&)>> direto = {
        [&](TEspacamento& e) { e.CalculaBentley(St); },
        [&](TEspacamento& e) { e.CalculaLombardiNeto(St); },
        [&](TEspacamento& e) { e.CalculaParana(St); },
        [&](TEspacamento& e) { e.SetEH(e.EV / St); },
        [&](TEspacamento& e) { e.CalculaPorAltura(LES, Sm, CDu, Hr, St); },
    };
    for (std::uint8_t m = 0; m < direto.size(); ++m) {
        TEspacamento porMetodo, esperado;
        porMetodo.SetEV(2);
        esperado.SetEV(2);
        porMetodo.Metodologia.IndMetodologia = m;
        porMetodo.CalculaPorMetodo(St, LES, Sm, CDu, Hr);
        direto[m](esperado);
        EXPECT_DOUBLE_EQ(porMetodo.EV, esperado.EV) << "método " << int(m);
        EXPECT_DOUBLE_EQ(porMetodo.EH, esperado.EH) << "método " << int(m);
    }

    // Arbitrated spacing: EV stays as given, EH = 2/0.08 = 25 m.
    TEspacamento arbitrado;
    arbitrado.Metodologia.IndMetodologia = 3;
    arbitrado.SetEV(2);
    arbitrado.CalculaPorMetodo(St, LES, Sm, CDu, Hr);
    EXPECT_EQ(arbitrado.EV, 2.0);
    EXPECT_DOUBLE_EQ(arbitrado.EH, 25.0);
}

TEST(EspacamentoTest, MethodNames)
{
    TMetodologiaEspacamento m;
    EXPECT_EQ(m.IndMetodologia, 1);
    const char* nomes[] = {"Bentley", "Lombardi Neto", "Paraná", "Espaçamento arbitrado",
                           "Altura do terraço arbitrada", "", ""};
    for (std::uint8_t i = 0; i < 7; ++i) {
        m.IndMetodologia = i;
        EXPECT_EQ(m.Nome(), nomes[i]) << int(i);
    }
}

// ---------------------------------------------------------------------------
// Soil classes and the Lombardi Neto table rows.

TEST(EspacamentoTest, SetIndSoloValidatesTheIndexThenTheList)
{
    TSolo solo;
    EXPECT_EQ(solo.Metodo, 1);
    EXPECT_EQ(solo.IndSolo, 0);
    EXPECT_EQ(solo.TipoSolo, "Solos argilosos");
    EXPECT_EQ(solo.IndiceSolo, 2.5);

    const std::string indiceInvalido =
        "Erro. Valor inválido do índice do solo. Valores válidos: 0, 1 ou 2.";
    EXPECT_EQ(MensagemDe<Exception>([&] { solo.SetIndSolo(3); }), indiceInvalido);
    EXPECT_EQ(MensagemDe<Exception>([&] { solo.SetIndSolo(-1); }), indiceInvalido);
    EXPECT_EQ(solo.IndSolo, 0);
    EXPECT_EQ(solo.TipoSolo, "Solos argilosos");

    solo.Metodo = 2;
    solo.SetIndSolo(2);
    EXPECT_EQ(solo.TipoSolo, "Terra roxa");
    EXPECT_EQ(solo.IndiceSolo, 1.212);

    // Undefined list: the index is stored, name and value are not.
    solo.Metodo = 0;
    EXPECT_EQ(MensagemDe<Exception>([&] { solo.SetIndSolo(1); }),
              "Erro. Metodologia de espaçamento não definida.");
    EXPECT_EQ(solo.IndSolo, 1);
    EXPECT_EQ(solo.TipoSolo, "Terra roxa");
}

TEST(EspacamentoTest, TableRowsFillTheLombardiNetoObjects)
{
    TEspacamento esp;
    esp.SetIndCultura(16);
    EXPECT_EQ(esp.Cultura.Cultura, "Frutíferas de ciclo curto");
    EXPECT_EQ(esp.Cultura.IndCultura, 16);
    EXPECT_EQ(esp.Cultura.IndiceU, 1.25);
    esp.SetIndCultura(20);
    EXPECT_EQ(esp.Cultura.Cultura, "Leguminosas p/ adub. verde");
    EXPECT_EQ(esp.Cultura.IndiceU, 1.0);

    esp.SetIndErosao(3);
    EXPECT_EQ(esp.Erosao.GrupoSolo, " Grupo D - Muito Baixa");
    EXPECT_EQ(esp.Erosao.IndErosao, 3);
    EXPECT_EQ(esp.Erosao.IndiceK, 0.75);

    esp.SetIndPreparo(4);
    EXPECT_EQ(esp.Preparo.GrupoPreparo, " Grupo 5");
    EXPECT_EQ(esp.Preparo.PreparoPrimario, "Não tem");
    EXPECT_EQ(esp.Preparo.PreparoSecundario,
              "Plantio sem revolvimento do solo, roçadeira rolo-faca, herbicidas  ( plantio direto )");
    EXPECT_EQ(esp.Preparo.RestosCulturais, "Superfície do terreno");
    EXPECT_EQ(esp.Preparo.IndPreparo, 4);
    EXPECT_EQ(esp.Preparo.IndiceM, 2.0);

    // First and last rows of each table.
    esp.SetIndCultura(0);
    EXPECT_EQ(esp.Cultura.Cultura, "Abóbora");
    esp.SetIndCultura(32);
    EXPECT_EQ(esp.Cultura.Cultura, "Trigo");
    esp.SetIndErosao(0);
    EXPECT_EQ(esp.Erosao.IndiceK, 1.25);
    esp.SetIndPreparo(0);
    EXPECT_EQ(esp.Preparo.PreparoPrimario, "Grade aradora ( ou pesada ) ou enxada rotativa");
    EXPECT_EQ(GruposPreparoLombardiNeto[0].TextoM, "0.50");
}

TEST(EspacamentoTest, TableIndexOutsideRaisesAndChangesNothing)
{
    TEspacamento esp;
    esp.SetIndCultura(25);
    esp.SetIndErosao(1);
    esp.SetIndPreparo(3);
    const TEspacamento antes = esp;

    for (int i : {-1, 33})
        EXPECT_NE(MensagemDe<Exception>([&] { esp.SetIndCultura(i); }), "");
    for (int i : {-1, 4})
        EXPECT_NE(MensagemDe<Exception>([&] { esp.SetIndErosao(i); }), "");
    for (int i : {-1, 5})
        EXPECT_NE(MensagemDe<Exception>([&] { esp.SetIndPreparo(i); }), "");

    EXPECT_EQ(esp.Cultura.Cultura, antes.Cultura.Cultura);
    EXPECT_EQ(esp.Cultura.IndCultura, antes.Cultura.IndCultura);
    EXPECT_EQ(esp.Cultura.IndiceU, antes.Cultura.IndiceU);
    EXPECT_EQ(esp.Erosao.GrupoSolo, antes.Erosao.GrupoSolo);
    EXPECT_EQ(esp.Erosao.IndErosao, antes.Erosao.IndErosao);
    EXPECT_EQ(esp.Erosao.IndiceK, antes.Erosao.IndiceK);
    EXPECT_EQ(esp.Preparo.GrupoPreparo, antes.Preparo.GrupoPreparo);
    EXPECT_EQ(esp.Preparo.PreparoPrimario, antes.Preparo.PreparoPrimario);
    EXPECT_EQ(esp.Preparo.IndPreparo, antes.Preparo.IndPreparo);
    EXPECT_EQ(esp.Preparo.IndiceM, antes.Preparo.IndiceM);
}

TEST(EspacamentoTest, LombardiNetoSlopeWarningAboveTheGroupLimit)
{
    // Group A, limit 16 %: warned only above it, in the display unit's text.
    EXPECT_EQ(AvisoDeclividadeLombardiNeto(0, 16, true), "");
    EXPECT_EQ(AvisoDeclividadeLombardiNeto(0, 17, true),
              "Para o método de Lombardi Neto, a declividade máxima recomendada para o tipo de "
              "solo A (alta resistência à erosão) é de 16%");
    EXPECT_EQ(AvisoDeclividadeLombardiNeto(1, 14.5, false),
              "Para o método de Lombardi Neto, a declividade máxima recomendada para o tipo de "
              "solo B (moderada resistência à erosão) é de 0,14 m/m");
    EXPECT_EQ(AvisoDeclividadeLombardiNeto(2, 12, true), "");
    EXPECT_EQ(AvisoDeclividadeLombardiNeto(3, 12.01, false),
              "Para o método de Lombardi Neto, a declividade máxima recomendada para o tipo de "
              "solo D (resistência muito baixa à erosão) é de 0,12 m/m");
    EXPECT_THROW(AvisoDeclividadeLombardiNeto(4, 20, true), Exception);
}

TEST(EspacamentoTest, ZerarRestoresTheNewStateAndKeepsTheSoilList)
{
    TEspacamento esp;
    esp.SetEH(20);
    esp.SetEV(2);
    esp.Metodologia.IndMetodologia = 4;
    esp.SetIndCultura(25);
    esp.SetIndErosao(2);
    esp.SetIndPreparo(4);
    esp.Solo.Metodo = 2;
    esp.Solo.SetIndSolo(2);

    esp.Zerar();
    EXPECT_EQ(esp.EH, 0.0);
    EXPECT_EQ(esp.EV, 0.0);
    EXPECT_EQ(esp.Metodologia.IndMetodologia, 1);
    EXPECT_EQ(esp.Cultura.Cultura, "");
    EXPECT_EQ(esp.Cultura.IndCultura, 0);
    EXPECT_EQ(esp.Cultura.IndiceU, 0.5);
    EXPECT_EQ(esp.Erosao.GrupoSolo, "");
    EXPECT_EQ(esp.Erosao.IndErosao, 0);
    EXPECT_EQ(esp.Erosao.IndiceK, 1.25);
    EXPECT_EQ(esp.Preparo.GrupoPreparo, "");
    EXPECT_EQ(esp.Preparo.PreparoPrimario, "");
    EXPECT_EQ(esp.Preparo.PreparoSecundario, "");
    EXPECT_EQ(esp.Preparo.RestosCulturais, "");
    EXPECT_EQ(esp.Preparo.IndPreparo, 0);
    EXPECT_EQ(esp.Preparo.IndiceM, 0.5);
    EXPECT_EQ(esp.Solo.Metodo, 2);
    EXPECT_EQ(esp.Solo.IndSolo, 0);
    EXPECT_EQ(esp.Solo.TipoSolo, "Terra arenosa");
    EXPECT_EQ(esp.Solo.IndiceSolo, 0.835);
}

// ---------------------------------------------------------------------------
// Section "ESPAÇAMENTO" of the project file.

class EspacamentoArquivoTest : public ::testing::Test {
protected:
    TempDir dir;
    std::filesystem::path arquivo = dir / "projeto.vst";
    ScopedDecimalSeparator separador{','};

    // Writes a section holding `chaves` (lines "key=value") in Windows-1252.
    void GravaSecao(const std::string& chaves)
    {
        WriteBytes(arquivo, "[ESPA\xC7" "AMENTO]\r\n" + chaves);
    }
};

TEST_F(EspacamentoArquivoTest, GravarWritesTheKeysInOrderAndLerReadsThemBack)
{
    TEspacamento original;
    original.SetEH(25.9);
    original.SetEV(2.59);
    original.Metodologia.IndMetodologia = 1;
    original.SetIndCultura(25);
    original.SetIndErosao(1);
    original.SetIndPreparo(3);
    original.Solo.Metodo = 2;
    original.Solo.SetIndSolo(2);
    ASSERT_TRUE(original.Gravar(arquivo));

    const std::string bytes = ReadBytes(arquivo);
    EXPECT_EQ(bytes.rfind("[ESPA\xC7" "AMENTO]\r\n", 0), 0u);
    EXPECT_NE(bytes.find("EH=25,9\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("TipoSolo=Terra roxa\r\n"), std::string::npos);
    std::vector<std::string> chaves;
    std::istringstream linhas(bytes);
    for (std::string linha; std::getline(linhas, linha);)
        if (auto igual = linha.find('='); igual != std::string::npos)
            chaves.push_back(linha.substr(0, igual));
    const std::vector<std::string> ordem = {
        "Versao", "EH", "EV", "IndMetodologia", "IndCultura", "Cultura", "IndiceU",
        "IndErosao", "GrupoSolo", "IndiceK", "IndPreparo", "GrupoPreparo", "IndiceM",
        "IndSolo", "TipoSolo", "IndiceSolo"};
    EXPECT_EQ(chaves, ordem);

    TEspacamento lido;
    ASSERT_TRUE(lido.Ler(arquivo));
    EXPECT_EQ(lido.EH, 25.9);
    EXPECT_EQ(lido.EV, 2.59);
    EXPECT_EQ(lido.Metodologia.IndMetodologia, 1);
    EXPECT_EQ(lido.Cultura.Cultura, "Milho");
    EXPECT_EQ(lido.Cultura.IndCultura, 25);
    EXPECT_EQ(lido.Cultura.IndiceU, 1.25);
    EXPECT_EQ(lido.Erosao.GrupoSolo, " Grupo B - Moderada");
    EXPECT_EQ(lido.Erosao.IndErosao, 1);
    EXPECT_EQ(lido.Erosao.IndiceK, 1.1);
    EXPECT_EQ(lido.Preparo.GrupoPreparo, " Grupo 4");
    EXPECT_EQ(lido.Preparo.IndPreparo, 3);
    EXPECT_EQ(lido.Preparo.IndiceM, 1.5);
    // The descriptions are not stored.
    EXPECT_EQ(lido.Preparo.PreparoPrimario, "");
    // The soil list is not stored: a fresh object names the class from the
    // Bentley list.
    EXPECT_EQ(lido.Solo.IndSolo, 2);
    EXPECT_EQ(lido.Solo.TipoSolo, "Solos de textura grossa");
    EXPECT_EQ(lido.Solo.IndiceSolo, 3.5);
}

TEST_F(EspacamentoArquivoTest, ReadStopsAtTheFirstInvalidIndexKeepingWhatCameBefore)
{
    GravaSecao("Versao=1\r\nEH=20\r\nEV=1,5\r\nIndMetodologia=2\r\nIndCultura=-1\r\n"
               "Cultura=Milho\r\nIndiceU=1,25\r\nIndErosao=1\r\nIndPreparo=1\r\nIndSolo=1\r\n");
    TEspacamento esp;
    EXPECT_FALSE(esp.Ler(arquivo));
    EXPECT_EQ(esp.EH, 20.0);
    EXPECT_EQ(esp.EV, 1.5);
    EXPECT_EQ(esp.Metodologia.IndMetodologia, 2);
    EXPECT_EQ(esp.Cultura.Cultura, "");
    EXPECT_EQ(esp.Cultura.IndiceU, 0.5);
    EXPECT_EQ(esp.Erosao.IndErosao, 0);
}

TEST_F(EspacamentoArquivoTest, ReadRules)
{
    const std::string resto =
        "IndCultura=3\r\nIndErosao=0\r\nIndPreparo=0\r\nIndSolo=0\r\n";
    struct Caso {
        std::string secao;
        bool resultado;
    };
    const std::vector<Caso> casos = {
        {"Versao=2\r\nIndMetodologia=1\r\n" + resto, false},
        {"IndMetodologia=1\r\n" + resto, false},  // no "Versao"
        {"Versao=1\r\nIndMetodologia=6\r\n" + resto, false},
        {"Versao=1\r\nIndMetodologia=-1\r\n" + resto, false},
        {"Versao=1\r\n" + resto, false},  // no method
        {"Versao=1\r\nIndMetodologia=1\r\nIndCultura=3\r\nIndErosao=0\r\nIndPreparo=0\r\n", false},
        {"Versao=1\r\nIndMetodologia=1\r\nIndCultura=3\r\nIndErosao=0\r\nIndPreparo=-4\r\nIndSolo=0\r\n", false},
        {"Versao=1\r\nIndMetodologia=1\r\n" + resto, true},
        // Defaults of the floats; an unreadable EH is 0.
        {"Versao=1\r\nEH=abc\r\nIndMetodologia=0\r\n" + resto, true},
    };
    for (const Caso& caso : casos) {
        GravaSecao(caso.secao);
        TEspacamento esp;
        esp.SetEH(9);
        EXPECT_EQ(esp.Ler(arquivo), caso.resultado) << caso.secao;
        if (caso.resultado) {
            EXPECT_EQ(esp.EH, 0.0) << caso.secao;
            EXPECT_EQ(esp.Cultura.IndiceU, 0.0) << caso.secao;
            EXPECT_EQ(esp.Erosao.IndiceK, 0.0) << caso.secao;
        }
    }
}

TEST_F(EspacamentoArquivoTest, SoilNameComesFromTheListOfTheMethodRead)
{
    // The object held the other list before the read (the last project was
    // of the other method); the method read decides the list.
    struct Caso {
        int metodo;
        std::uint8_t listaAntes;
        std::uint8_t listaDepois;
        const char* tipoSolo;
        double x;
    };
    const Caso casos[] = {
        {2, 1, 2, "Terra roxa", 1.212},
        {0, 2, 1, "Solos de textura grossa", 3.5},
        // Methods without a soil class keep the list held.
        {1, 2, 2, "Terra roxa", 1.212},
        {3, 1, 1, "Solos de textura grossa", 3.5},
    };
    for (const Caso& caso : casos) {
        GravaSecao("Versao=1\r\nIndMetodologia=" + std::to_string(caso.metodo) +
                   "\r\nIndCultura=0\r\nIndErosao=0\r\nIndPreparo=0\r\nIndSolo=2\r\n");
        TEspacamento esp;
        esp.Solo.Metodo = caso.listaAntes;
        ASSERT_TRUE(esp.Ler(arquivo)) << caso.metodo;
        EXPECT_EQ(esp.Solo.Metodo, caso.listaDepois) << caso.metodo;
        EXPECT_EQ(esp.Solo.TipoSolo, caso.tipoSolo) << caso.metodo;
        EXPECT_EQ(esp.Solo.IndiceSolo, caso.x) << caso.metodo;
    }
}

TEST_F(EspacamentoArquivoTest, MethodFiveIsReadButComputesNothing)
{
    GravaSecao("Versao=1\r\nEH=20\r\nEV=2\r\nIndMetodologia=5\r\nIndCultura=0\r\n"
               "IndErosao=0\r\nIndPreparo=0\r\nIndSolo=0\r\n");
    TEspacamento esp;
    ASSERT_TRUE(esp.Ler(arquivo));
    EXPECT_EQ(esp.Metodologia.IndMetodologia, 5);
    EXPECT_EQ(esp.Metodologia.Nome(), "");
    EXPECT_EQ(MensagemDe<ECalculaEspacamento>([&] { esp.CalculaPorMetodo(0.1, 40, 0.5, 1, 0.6); }),
              kErroCalculo);
    EXPECT_EQ(esp.EH, 20.0);
    EXPECT_EQ(esp.EV, 2.0);
}

TEST_F(EspacamentoArquivoTest, InvalidSoilIndexRaisesFromTheOpenDocument)
{
    // Directly on the document the soil error propagates to the caller; the
    // path wrapper turns it into a failed read.
    for (const char* indice : {"3", "4294967297"}) {
        GravaSecao(std::string("Versao=1\r\nIndMetodologia=1\r\nIndCultura=0\r\nIndErosao=0\r\n"
                               "IndPreparo=0\r\nIndSolo=") + indice + "\r\n");
        TEspacamento esp;
        {
            TIniFile ini(arquivo);
            EXPECT_EQ(MensagemDe<Exception>([&] { esp.Ler(ini); }),
                      "Erro. Valor inválido do índice do solo. Valores válidos: 0, 1 ou 2.")
                << indice;
        }
        EXPECT_FALSE(esp.Ler(arquivo)) << indice;
        EXPECT_EQ(esp.Solo.IndSolo, 0) << indice;
    }
}
